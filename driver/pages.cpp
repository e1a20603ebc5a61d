#include "driver/pages.h"

#include <cmath>

namespace vapomet {

namespace {

constexpr std::array<int, kPageCount> kSlotCounts{24, 24, 14};

// What a freshly loaded page 3 shows in its P and T slots: the default inputs 5. and 500.
// written with three decimals.
constexpr double kDefaultPressure = 5.0;
constexpr double kDefaultTemperature = 500.0;
constexpr int kDefaultInputDecimals = 3;

// The captions beside the slots, by slot index. A prime marks saturated liquid, a double quote
// saturated vapour.
constexpr std::array<const char*, 24> kPage1Captions{
    "P sat (MPa)",    "@ T (K)",       "v'(m3/kg)",         "s'(kJ/kg-K)",  "l' (W/m-K)",
    "v\"(m3/kg)",     "s\"(kJ/kg-K)",  "l\"(W/m-K)",        "rho\"(kg/m3)", "Cp\"(kJ/kg)",
    "k\"(Cp/Cv)",     "h\"(kJ/kg)",    "Cv\"(kJ/kg)",       "u\"(kJ/kg)",   "w\"(m/sec)",
    "Mu\" (uPascal-sec)", "rho'(kg/m3)", "Cp'(kJ/kg)",      "k'(Cp/Cv)",    "Mu' (uPascal-sec)",
    "w'(m/sec)",      "u'(kJ/kg)",     "h'(kJ/kg)",         "Cv'(kJ/kg) ="};
constexpr std::array<const char*, 24> kPage2Captions{
    "v'(m3/kg)",     "s'(kJ/kg-K)",  "l' (W/m-K)",        "v\"(m3/kg)",         "s\"(kJ/kg-K)",
    "l\"(W/m-K)",    "T sat (K)",    "@ P (MPa)",         "rho'(kg/m3)",        "Cp'(kJ/kg)",
    "k'(Cp/Cv)",     "h'(kJ/kg)",    "u'(kJ/kg)",         "w'(m/sec)",          "Mu' (uPascal-sec)",
    "u\"(kJ/kg)",    "w\"(m/sec)",   "Mu\" (uPascal-sec)", "k\"(Cp/Cv)",         "rho\"(kg/m3)",
    "Cp\"(kJ/kg)",   "h\"(kJ/kg)",   "Cv\"(kJ/kg)",       "Cv'(kJ/kg) ="};
constexpr std::array<const char*, 14> kPage3Captions{
    "P (MPa)",      "T (K)",        "v (m3/kg)",    "rho (kg/m3)", "h (kJ/kg)",
    "u (kJ/kg)",    "s (kJ/kg-K)",  "Cp (kJ/kg-K)", "Cv (kJ/kg-K)", "w (m/sec)",
    "l (W/m-K)",    "k (Cp/Cv)",    "Mu (uPascal-sec)", ""};

constexpr std::array<int, 24> kPage1Order{0, 1,  2, 16, 22, 21, 3, 17, 23, 20, 4,  18,
                                          19, 5, 8, 11, 13, 6,  9, 12, 14, 7,  10, 15};
constexpr std::array<int, 24> kPage2Order{6,  7, 0,  8,  11, 12, 1, 9,  23, 13, 2,  10,
                                          14, 3, 19, 21, 15, 4,  20, 22, 16, 5, 18, 17};
constexpr std::array<int, 14> kPage3Order{0, 1, 13, 2, 3, 4, 5, 6, 7, 8, 9, 10, 11, 12};

void CheckAddress(int page, int index) {
    if (page < 1 || page > kPageCount || index < 0 || index >= kSlotCounts[page - 1]) {
        throw std::out_of_range("no slot " + std::to_string(index) + " on page " +
                                std::to_string(page));
    }
}

}  // namespace

int SlotCount(int page) {
    CheckAddress(page, 0);
    return kSlotCounts[page - 1];
}

QString SlotCaption(int page, int index) {
    CheckAddress(page, index);
    switch (page) {
        case 1: return QString::fromUtf8(kPage1Captions[index]);
        case 2: return QString::fromUtf8(kPage2Captions[index]);
        default: return QString::fromUtf8(kPage3Captions[index]);
    }
}

std::span<const int> SlotReadingOrder(int page) {
    CheckAddress(page, 0);
    switch (page) {
        case 1: return kPage1Order;
        case 2: return kPage2Order;
        default: return kPage3Order;
    }
}

ResultPages::ResultPages(const QLocale& locale) : locale_(locale) {
    for (int page = 1; page <= kPageCount; ++page) reset(page);
}

const QString& ResultPages::text(int page, int index) const {
    CheckAddress(page, index);
    return pages_[page - 1][index];
}

QStringList ResultPages::texts(int page) const {
    CheckAddress(page, 0);
    return pages_[page - 1];
}

QString& ResultPages::slot(int page, int index) {
    CheckAddress(page, index);
    return pages_[page - 1][index];
}

QString ResultPages::formatNumber(double value, int decimals) const {
    QString text = locale_.toString(value, 'f', decimals);
    // -0.0004 rounds to zero at four decimals: show it as a plain zero, without a sign.
    if (text.startsWith(locale_.negativeSign())) {
        const QString zero = locale_.toString(0.0, 'f', decimals);
        if (text.mid(locale_.negativeSign().size()) == zero) text = zero;
    }
    return text;
}

void ResultPages::writeNumber(int page, int index, double value, int decimals) {
    writeText(page, index, formatNumber(value, decimals));
}

void ResultPages::writeText(int page, int index, const QString& text) {
    slot(page, index) = text;
    if (viewer_ != nullptr) viewer_->slotWritten(page, index);
}

double ResultPages::readNumber(int page, int index) const {
    bool ok = false;
    const double value = locale_.toDouble(text(page, index), &ok);
    // The locale's reader also takes "nan" and "inf" for numbers; no slot shows them as one.
    if (!ok || !std::isfinite(value)) {
        throw SlotReadError("slot " + std::to_string(index) + " of page " + std::to_string(page) +
                            " does not show a number");
    }
    return value;
}

void ResultPages::fillNaN() {
    for (int page = 1; page <= 2; ++page) {
        for (int index = 0; index < kSlotCounts[page - 1]; ++index) writeText(page, index, kNaN);
    }
}

void ResultPages::refresh(int page) {
    CheckAddress(page, 0);
    if (viewer_ != nullptr) viewer_->pageRefreshed(page);
}

void ResultPages::reset(int page) {
    CheckAddress(page, 0);
    QStringList& texts = pages_[page - 1];
    texts = QStringList(kSlotCounts[page - 1], kNaN);
    if (page == 3) {
        texts[0] = formatNumber(kDefaultPressure, kDefaultInputDecimals);
        texts[1] = formatNumber(kDefaultTemperature, kDefaultInputDecimals);
        texts[kRegionSlot] = kRegionPlaceholder;
    }
}

}  // namespace vapomet
