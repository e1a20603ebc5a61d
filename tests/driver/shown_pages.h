// Test helpers that know the pages from their layout, not from the driver's code: which slot of
// which column holds which quantity with how many decimals, a formatter that writes a number as
// a person under en_US or de_DE expects to see it.
#pragma once

#include <QLocale>
#include <QString>
#include <QStringList>
#include <array>
#include <cmath>
#include <cstdio>
#include <cstdlib>
#include <ostream>
#include <string>
#include <vector>

#include "tests/support/message_recorder.h"

namespace vapomet::testing {

// The number conventions of the two regional settings the tests use.
struct Convention {
    const char* name;
    bool germanLocale;
    char decimal;
    char group;
    QLocale locale() const { return germanLocale ? German() : English(); }
};

inline constexpr Convention kEnglish{"en_US", false, '.', ','};
inline constexpr Convention kGerman{"de_DE", true, ',', '.'};

// Decimals of P and T, and of the quantities of a column in its write order: v, rho, h, u, s,
// cp, cv, w, conductivity, the ratio cp/cv, viscosity.
inline constexpr int kStateDecimals = 4;
inline constexpr std::array<int, 11> kColumnDecimals{6, 4, 4, 3, 4, 3, 3, 3, 4, 3, 4};

// The slots of one column of values: a phase on a saturation page, or the state on page 3.
struct Column {
    const char* name;
    int page;
    int v, rho, h, u, s, cp, cv, w, cond, k, vis;
};

inline constexpr Column kPage1Liquid{"page 1 liquid", 1, 2, 16, 22, 21, 3, 17, 23, 20, 4, 18, 19};
inline constexpr Column kPage1Vapour{"page 1 vapour", 1, 5, 8, 11, 13, 6, 9, 12, 14, 7, 10, 15};
inline constexpr Column kPage2Liquid{"page 2 liquid", 2, 0, 8, 11, 12, 1, 9, 23, 13, 2, 10, 14};
inline constexpr Column kPage2Vapour{"page 2 vapour", 2, 3, 19, 21, 15, 4, 20, 22, 16, 5, 18, 17};
inline constexpr Column kPage3State{"page 3", 3, 2, 3, 4, 5, 6, 7, 8, 9, 10, 11, 12};
inline constexpr std::array<Column, 5> kColumns{kPage1Liquid, kPage1Vapour, kPage2Liquid,
                                                kPage2Vapour, kPage3State};

// Page 1: psat in slot 0, T in slot 1. Page 2: Tsat in slot 6, P in slot 7. Page 3: P, T in 0, 1.
inline constexpr int kPage1Psat = 0, kPage1T = 1, kPage2Tsat = 6, kPage2P = 7;
inline constexpr int kPage3P = 0, kPage3T = 1, kPage3Region = 13;

inline constexpr std::array<int, 3> kSlotCounts{24, 24, 14};

// The order in which a column is written: volume, density, h, u, s, cp, cv, w, conductivity,
// the ratio, viscosity.
inline std::vector<int> WriteOrder(const Column& c) {
    return {c.v, c.rho, c.h, c.u, c.s, c.cp, c.cv, c.w, c.cond, c.k, c.vis};
}

// Decimals of a slot, from the column tables; -1 for the region slot, -2 for no such slot.
inline int SlotDecimals(int page, int index) {
    if ((page == 1 && (index == kPage1Psat || index == kPage1T)) ||
        (page == 2 && (index == kPage2Tsat || index == kPage2P)) ||
        (page == 3 && (index == kPage3P || index == kPage3T)))
        return kStateDecimals;
    if (page == 3 && index == kPage3Region) return -1;
    for (const Column& c : kColumns) {
        const std::vector<int> order = WriteOrder(c);
        for (std::size_t i = 0; c.page == page && i < order.size(); ++i)
            if (order[i] == index) return kColumnDecimals[i];
    }
    return -2;
}

// A number as the page should show it: rounded to `decimals`, exactly that many digits after the
// decimal separator, thousands grouped, and no minus sign on a value that rounds to zero.
inline QString Shown(double value, int decimals, const Convention& convention) {
    char buffer[512];
    std::snprintf(buffer, sizeof buffer, "%.*f", decimals, value);
    std::string plain(buffer);
    bool negative = false;
    if (!plain.empty() && plain.front() == '-') {
        negative = plain.find_first_not_of("-0.") != std::string::npos;
        plain.erase(0, 1);
    }
    const std::size_t point = plain.find('.');
    std::string integer = plain.substr(0, point);
    const std::string fraction = point == std::string::npos ? "" : plain.substr(point + 1);
    std::string grouped;
    for (std::size_t i = 0; i < integer.size(); ++i) {
        if (i > 0 && (integer.size() - i) % 3 == 0) grouped += convention.group;
        grouped += integer[i];
    }
    std::string text = (negative ? "-" : "") + grouped;
    if (decimals > 0) text += convention.decimal + fraction;
    return QString::fromStdString(text);
}

// A value rounded to `decimals` as a page shows it.
inline double Rounded(double value, int decimals) {
    char buffer[512];
    std::snprintf(buffer, sizeof buffer, "%.*f", decimals, value);
    return std::strtod(buffer, nullptr);
}

}  // namespace vapomet::testing
