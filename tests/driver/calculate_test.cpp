// Whole presses of "Calculate": every slot of the three pages against the property routines
// formatted independently, at the states of the IAPWS-IF97 check values and others; and a fault
// in the middle of a page, after which no slot shows a number of the earlier press.
#include "driver/calculate.h"

#include <gtest/gtest.h>

#include <array>
#include <cstdio>
#include <string>

#include "driver/plan.h"
#include "tests/support/case_names.h"
#include "tests/support/regions.h"
#include "tests/support/support.h"

namespace vapomet {
namespace {

using namespace vapomet::testing;

// The pages as a user reads them, known to the tests from the pages themselves rather than from
// the driver's tables: which slot of which column holds which quantity with how many decimals,
// and a formatter that writes a number as a person under en_US or de_DE expects to see it.
struct Convention {
    const char* name;
    char decimal, group;
    QLocale locale() const { return decimal == ',' ? German() : English(); }
    // An input as the user types it: a comma for the decimal point in de_DE.
    QString typed(const char* text) const { return QString::fromUtf8(text).replace('.', decimal); }
};
constexpr Convention kEnglish{"en_US", '.', ','};
constexpr Convention kGerman{"de_DE", ',', '.'};
constexpr Convention kConventions[] = {kEnglish, kGerman};

// The slots of a column: a phase of a saturation page, or page 3's state. Its quantities in the
// order of kDecimals: v, rho, h, u, s, cp, cv, w, conductivity, cp/cv, viscosity.
struct Column {
    int page;
    std::array<int, 11> indices;
};
constexpr std::array<int, 11> kDecimals{6, 4, 4, 3, 4, 3, 3, 3, 4, 3, 4};
constexpr int kCp = 5, kCv = 6, kRatio = 9;
constexpr Column kPage1Liquid{1, {2, 16, 22, 21, 3, 17, 23, 20, 4, 18, 19}};
constexpr Column kPage1Vapour{1, {5, 8, 11, 13, 6, 9, 12, 14, 7, 10, 15}};
constexpr Column kPage2Liquid{2, {0, 8, 11, 12, 1, 9, 23, 13, 2, 10, 14}};
constexpr Column kPage2Vapour{2, {3, 19, 21, 15, 4, 20, 22, 16, 5, 18, 17}};
constexpr Column kPage3State{3, {2, 3, 4, 5, 6, 7, 8, 9, 10, 11, 12}};
// The state of each page, four decimals: page 1 psat and T, page 2 Tsat and P, page 3 P and T.
constexpr int kStateSlots[3][2] = {{0, 1}, {6, 7}, {0, 1}};
constexpr int kRegionSlot = 13;  // page 3

// A number as the page should show it: rounded to `decimals`, thousands grouped, and no minus
// sign on a value that rounds to zero.
QString Shown(double value, int decimals, const Convention& convention) {
    char buffer[512];
    std::snprintf(buffer, sizeof buffer, "%.*f", decimals, value);
    std::string plain(buffer), text;
    const bool negative = plain.front() == '-' && plain.find_first_not_of("-0.") != plain.npos;
    if (plain.front() == '-') plain.erase(0, 1);
    const std::size_t digits = plain.find('.') == plain.npos ? plain.size() : plain.find('.');
    for (std::size_t i = 0; i < plain.size(); ++i) {
        if (i > 0 && i < digits && (digits - i) % 3 == 0) text += convention.group;
        text += i == digits ? convention.decimal : plain[i];
    }
    return QString::fromStdString((negative ? "-" : "") + text);
}
using Pages = QList<QStringList>;

struct Press {
    Pages pages;
    QStringList messages;
};

Press PressOn(ResultPages& pages, const QString& P, const QString& T) {
    MessageRecorder recorder;
    Calculate(P, T, pages, recorder);
    return {AllTexts(pages), recorder.messages};
}

// A column as the routines of region 1, 2, 3 or 5 give it, the ratio from the cp and cv texts
// as shown.
void ExpectColumn(Pages& pages, const Column& c, int region, double P, double T,
                  const Convention& convention) {
    const auto& r = kRegions[region == 5 ? 3 : region - 1].routines;
    const double rho = r[0] != nullptr ? 1.0 / r[0](P, T) : R3rho(P, T);
    const double x = r[0] != nullptr ? P : rho;
    const double values[] = {1.0 / rho,       rho,        r[1](x, T),    r[2](x, T),
                             r[3](x, T),      r[4](x, T), r[5](x, T),    r[6](x, T),
                             Cond(P, T, rho), 0.0,        Vis(P, T, rho)};
    for (std::size_t i = 0; i < c.indices.size(); ++i)
        pages[c.page - 1][c.indices[i]] = Shown(values[i], kDecimals[i], convention);
    const auto shown = [&](int i) { return Shown(values[i], 3, kEnglish).remove(',').toDouble(); };
    pages[c.page - 1][c.indices[kRatio]] = Shown(shown(kCp) / shown(kCv), 3, convention);
}

struct PressCase {
    const char *name, *P, *T;
    int region;         // 0: no region holds the state
    bool page1, page2;  // computed, else "NaN"
};
const PressCase kPresses[] = {
    // Both saturation pages, and a liquid or a vapour state; saturation at P only up to 647.0 K
    // and down to the triple point; near the critical point cp is shown grouped, and the ratio
    // must read it back.
    {"Region1_1MPa_300K", "1", "300", 1, true, true},
    {"Region2_0_1MPa_500K", "0.1", "500", 2, true, true},
    {"Region1_22_1MPa_647K", "22.1", "647", 1, true, false},
    {"Region2_1e_6MPa_300K", "1e-6", "300", 2, true, false},
    {"Region3_22_064MPa_647_1K", "22.064", "647.1", 3, false, false},
    {"Region2_100MPa_1000K", "100", "1000", 2, false, false},
    {"NoRegion_10_1MPa_1100K", "10.1", "1100", 0, false, false},
    // The states of the IAPWS-IF97 check values.
    {"Region1_3MPa_300K", "3", "300", 1, true, true},
    {"Region1_80MPa_300K", "80", "300", 1, true, false},
    {"Region2_0_0035MPa_300K", "0.0035", "300", 2, true, true},
    {"Region2_30MPa_700K", "30", "700", 2, false, false},
    {"Region3_25_58MPa_650K", "25.5837018", "650", 3, false, false},
    {"Region3_78_31MPa_750K", "78.3095639", "750", 3, false, false},
    {"Region5_0_5MPa_1500K", "0.5", "1500", 5, false, false},
    {"Region5_8MPa_2000K", "8", "2000", 5, false, false},
    // The ratio of the rounded cp and cv differs at three decimals from that of the unrounded
    // values; values of a million; values at the triple point that round to a zero.
    {"Region1_50MPa_400K", "50", "400", 1, true, false},
    {"Region5_1e_6MPa_2273_15K", "1e-6", "2273.15", 5, false, false},
    {"Region1_0_000612MPa_273_16K", "0.000612", "273.16", 1, true, true}};

class WholePressTest : public ::testing::TestWithParam<PressCase> {};

// Page 3 shows the plan's caption, or "Region :" with the invalid-region message.
TEST_P(WholePressTest, EverySlotShowsItsRoutineValueAtItsDecimals) {
    const PressCase& c = GetParam();
    const double P = std::strtod(c.P, nullptr), T = std::strtod(c.T, nullptr);
    for (const Convention& convention : kConventions) {
        SCOPED_TRACE(convention.name);
        ResultPages pages(convention.locale());
        const Press press = PressOn(pages, convention.typed(c.P), convention.typed(c.T));
        EXPECT_EQ(press.messages, c.region == 0 ? QStringList{kInvalidRegion} : QStringList{});
        Pages expected{QStringList(24, "NaN"), QStringList(24, "NaN"), QStringList(14, "NaN")};
        const auto state = [&](int page, double first, double second) {
            expected[page - 1][kStateSlots[page - 1][0]] = Shown(first, 4, convention);
            expected[page - 1][kStateSlots[page - 1][1]] = Shown(second, 4, convention);
        };
        state(3, P, T);
        if (c.page1) {
            state(1, Satpr(T), T);
            ExpectColumn(expected, kPage1Liquid, 1, Satpr(T), T, convention);
            ExpectColumn(expected, kPage1Vapour, 2, Satpr(T), T, convention);
        }
        if (c.page2) {
            state(2, Sattr(P), P);
            ExpectColumn(expected, kPage2Liquid, 1, P, Sattr(P), convention);
            ExpectColumn(expected, kPage2Vapour, 2, P, Sattr(P), convention);
        }
        expected[2][kRegionSlot] = "Region :";
        if (c.region != 0) {
            expected[2][kRegionSlot] =
                std::get<CalculationPlan>(ValidateAndPlan(c.P, c.T, English())).caption;
            ExpectColumn(expected, kPage3State, c.region, P, T, convention);
        }
        for (int page = 1; page <= 3; ++page)
            for (int slot = 0; slot < SlotCount(page); ++slot)
                EXPECT_EQ(press.pages[page - 1].value(slot), expected[page - 1][slot])
                    << page << "/" << slot;
    }
}

INSTANTIATE_TEST_SUITE_P(Presses, WholePressTest, ::testing::ValuesIn(kPresses), ByName());

// Overwrites a slot with a text that is no number the moment the press writes it, so that the
// heat-capacity ratio cannot read it back.
class Saboteur : public PageViewer {
  public:
    Saboteur(ResultPages& pages, int page, int slot, QString garbage)
        : pages_(pages), page_(page), slot_(slot), garbage_(std::move(garbage)) {}
    void slotWritten(int page, int slot) override {
        if (page == page_ && slot == slot_ && pages_.text(page, slot) != garbage_)
            pages_.writeText(page, slot, garbage_);
    }
    void pageRefreshed(int) override {}

  private:
    ResultPages& pages_;
    int page_, slot_;
    QString garbage_;
};

struct FaultCase {
    const char *name, *P, *T;
    Column column;
    int sabotaged;  // kCp or kCv
    const char* garbage;
};
const FaultCase kFaults[] = {
    {"Page1Liquid_Cv", "1", "300", kPage1Liquid, kCv, "#garbage"},
    {"Page2Vapour_Cp_Empty", "1", "300", kPage2Vapour, kCp, ""},
    {"Page3Region1_Cv_inf", "1", "300", kPage3State, kCv, "inf"},
    {"Page3Region3_Cv", "30", "650", kPage3State, kCv, "#garbage"},
    {"Page3Region5_Cp_Infinity", "8", "2000", kPage3State, kCp, "Infinity"}};

class FaultTest : public ::testing::TestWithParam<FaultCase> {};

// The press stops at the ratio with its message. Every slot then shows the number this press
// computed for it, or "NaN" ("Region :" for the region): none shows a number of the press before.
TEST_P(FaultTest, LeavesNoNumberOfTheEarlierPress) {
    const FaultCase& c = GetParam();
    ResultPages cleanPages(English()), pages(English());
    const Press clean = PressOn(cleanPages, c.P, c.T);
    const Press earlier = PressOn(pages, "0.1", "500");  // a number in every slot
    const int slot = c.column.indices[c.sabotaged];
    Saboteur saboteur(pages, c.column.page, slot, c.garbage);
    pages.setViewer(&saboteur);
    const Press faulty = PressOn(pages, c.P, c.T);
    EXPECT_EQ(faulty.messages, QStringList{kComputationError});
    EXPECT_EQ(faulty.pages[c.column.page - 1][c.column.indices[kRatio]], "NaN");
    for (int page = 1; page <= 3; ++page) {
        for (int index = 0; index < SlotCount(page); ++index) {
            const QString& text = faulty.pages[page - 1][index];
            const QString unwritten = page == 3 && index == kRegionSlot ? "Region :" : "NaN";
            EXPECT_TRUE(text == clean.pages[page - 1][index] || text == unwritten ||
                        (page == c.column.page && index == slot && text == c.garbage))
                << page << "/" << index << " shows \"" << text.toStdString()
                << "\"; the press before \"" << earlier.pages[page - 1][index].toStdString()
                << "\"";
        }
    }
}

INSTANTIATE_TEST_SUITE_P(Columns, FaultTest, ::testing::ValuesIn(kFaults), ByName());

// A copied page carries its note on a last line where the state lies between 623.15 K and
// 647 K, and no such line elsewhere.
TEST(PageText, CarriesThePagesNote) {
    ResultPages pages(QLocale::c());
    PressOn(pages, "20", "640");
    for (int page = 1; page <= kPageCount; ++page) {
        ASSERT_FALSE(pages.note(page).isEmpty()) << page;
        EXPECT_TRUE(PageText(pages, page).endsWith("\nNote\t" + pages.note(page) + "\t\n"));
    }
    PressOn(pages, "1", "300");
    for (int page = 1; page <= kPageCount; ++page)
        EXPECT_FALSE(PageText(pages, page).contains("\nNote\t")) << page;
}

}  // namespace
}  // namespace vapomet
