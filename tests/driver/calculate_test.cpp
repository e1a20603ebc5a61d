// Whole presses of "Calculate": every slot of the three pages against the property routines
// formatted independently, at the states of the IAPWS-IF97 check values and others; the invalid
// region, the validation messages, a fault in the middle of a page, the heat-capacity ratio
// taken from the rounded texts, and the order in which a press writes.
#include "driver/calculate.h"

#include <gtest/gtest.h>

#include <cstdlib>
#include <functional>
#include <set>
#include <utility>
#include <vector>

#include "driver/plan.h"
#include "property/property.h"
#include "shown_pages.h"

namespace vapomet {
namespace {

using testing::Column;
using testing::Convention;
using testing::kEnglish;
using testing::kGerman;
using testing::MessageRecorder;
using testing::Rounded;
using testing::Shown;
using Pages = std::array<QStringList, 3>;

constexpr const char* kCaption1 = "Region - 1  Water below Triple Point ";
constexpr const char* kCaption2 = "Region - 2  Steam below Triple Point ";
constexpr const char* kCaption2Hot = "Region - 2 Steam below Triple Point ";
constexpr const char* kCaption3 = "Region - 3  Pressurised Water ";
constexpr const char* kCaption5 = "Region - 5  Superheated Steam ";

const Convention* const kConventions[] = {&kEnglish, &kGerman};

// An input as the user types it under the convention: a comma for the decimal point in de_DE.
QString Typed(const char* text, const Convention& convention) {
    QString typed = QString::fromUtf8(text);
    if (convention.germanLocale) typed.replace('.', ',');
    return typed;
}

Pages TextsOf(const ResultPages& pages) {
    return {pages.texts(1), pages.texts(2), pages.texts(3)};
}

struct Press {
    Pages pages;
    QStringList messages;
};

Press PressOn(ResultPages& pages, const char* P, const char* T, const Convention& convention) {
    MessageRecorder recorder;
    Calculate(Typed(P, convention), Typed(T, convention), pages, recorder);
    return {TextsOf(pages), recorder.messages};
}

Press FreshPress(const char* P, const char* T, const Convention& convention) {
    ResultPages pages(convention.locale());
    return PressOn(pages, P, T, convention);
}

// ---- Expected pages from the property routines ----------------------------------------------

using StateFunction = double (*)(const double&, const double&);

// A region's routines; region 3 has no volume routine and takes (density, T).
struct Routines {
    StateFunction v, h, u, s, cp, cv, w;
};
constexpr Routines kR1{R1v, R1h, R1u, R1s, R1cp, R1cv, R1w};
constexpr Routines kR2{R2v, R2h, R2u, R2s, R2cp, R2cv, R2w};
constexpr Routines kR3{nullptr, R3h, R3u, R3s, R3cp, R3cv, R3w};
constexpr Routines kR5{R5v, R5h, R5u, R5s, R5cp, R5cv, R5w};

void ExpectColumn(Pages& pages, const Column& c, const Routines& r, double P, double T,
                  const Convention& convention) {
    QStringList& page = pages[c.page - 1];
    const double rho = r.v != nullptr ? 1.0 / r.v(P, T) : R3rho(P, T);
    const double state = r.v != nullptr ? P : rho;
    const std::vector<int> order = testing::WriteOrder(c);
    const double values[] = {1.0 / rho,       rho,
                             r.h(state, T),   r.u(state, T),
                             r.s(state, T),   r.cp(state, T),
                             r.cv(state, T),  r.w(state, T),
                             Cond(P, T, rho), 0.0,
                             Vis(P, T, rho)};
    for (std::size_t i = 0; i < order.size(); ++i)
        page[order[i]] = Shown(values[i], testing::kColumnDecimals[i], convention);
    // The ratio of the cp and cv texts as shown.
    const double cp = Rounded(values[5], testing::kColumnDecimals[5]);
    const double cv = Rounded(values[6], testing::kColumnDecimals[6]);
    page[c.k] = Shown(cp / cv, testing::kColumnDecimals[9], convention);
}

struct PressCase {
    const char* P;
    const char* T;
    int region;           // 1, 2, 3 or 5; 0 for a state in no region
    const char* caption;  // empty for no region
    bool page1;           // page 1 computed (else "NaN")
    bool page2;           // page 2 computed (else "NaN")
};

std::ostream& operator<<(std::ostream& out, const PressCase& c) {
    return out << c.P << " MPa, " << c.T << " K";
}

Pages Expected(const PressCase& c, const Convention& convention) {
    FillCoefficientTables();
    const double P = std::strtod(c.P, nullptr);
    const double T = std::strtod(c.T, nullptr);
    Pages pages{QStringList(24, "NaN"), QStringList(24, "NaN"), QStringList(14, "NaN")};
    pages[2][testing::kPage3P] = Shown(P, testing::kStateDecimals, convention);
    pages[2][testing::kPage3T] = Shown(T, testing::kStateDecimals, convention);
    if (c.page1) {
        const double psat = Satpr(T);
        pages[0][testing::kPage1Psat] = Shown(psat, testing::kStateDecimals, convention);
        pages[0][testing::kPage1T] = Shown(T, testing::kStateDecimals, convention);
        ExpectColumn(pages, testing::kPage1Liquid, kR1, psat, T, convention);
        ExpectColumn(pages, testing::kPage1Vapour, kR2, psat, T, convention);
    }
    if (c.page2) {
        const double Tsat = Sattr(P);
        pages[1][testing::kPage2Tsat] = Shown(Tsat, testing::kStateDecimals, convention);
        pages[1][testing::kPage2P] = Shown(P, testing::kStateDecimals, convention);
        ExpectColumn(pages, testing::kPage2Liquid, kR1, P, Tsat, convention);
        ExpectColumn(pages, testing::kPage2Vapour, kR2, P, Tsat, convention);
    }
    const Routines* routines = c.region == 1   ? &kR1
                               : c.region == 2 ? &kR2
                               : c.region == 3 ? &kR3
                               : c.region == 5 ? &kR5
                                               : nullptr;
    if (routines != nullptr) {
        pages[2][testing::kPage3Region] = QString::fromUtf8(c.caption);
        ExpectColumn(pages, testing::kPage3State, *routines, P, T, convention);
    } else {
        pages[2][testing::kPage3Region] = "Region :";
    }
    return pages;
}

void ExpectSamePages(const Pages& actual, const Pages& expected, const std::string& context) {
    for (int page = 1; page <= 3; ++page) {
        ASSERT_EQ(actual[page - 1].size(), expected[page - 1].size()) << context;
        for (int index = 0; index < expected[page - 1].size(); ++index) {
            EXPECT_EQ(actual[page - 1][index], expected[page - 1][index])
                << context << ": page " << page << ", slot " << index << " ("
                << SlotCaption(page, index).toStdString() << ")";
        }
    }
}

class WholePressTest : public ::testing::TestWithParam<PressCase> {};

TEST_P(WholePressTest, EverySlotShowsItsRoutineValueAtItsDecimals) {
    const PressCase& c = GetParam();
    for (const Convention* convention : kConventions) {
        const Press press = FreshPress(c.P, c.T, *convention);
        const QStringList messages = c.region == 0 ? QStringList{kInvalidRegion} : QStringList{};
        EXPECT_EQ(press.messages, messages) << c << ", " << convention->name;
        ExpectSamePages(press.pages, Expected(c, *convention),
                        ::testing::PrintToString(c) + ", " + convention->name);
    }
}

INSTANTIATE_TEST_SUITE_P(
    Presses, WholePressTest,
    ::testing::Values(
        // Saturation branch: both saturation pages and a liquid or a vapour state.
        PressCase{"1", "300", 1, kCaption1, true, true},
        PressCase{"0.1", "500", 2, kCaption2, true, true},
        PressCase{"21", "647", 2, kCaption2, true, true},
        PressCase{"10", "600", 2, kCaption2, true, true},
        PressCase{"21", "646.9", 2, kCaption2, true, true},
        PressCase{"22", "647", 2, kCaption2, true, true},
        // Saturation at P exists only up to 647.0 K and down to the triple point.
        PressCase{"22.1", "647", 1, kCaption1, true, false},
        PressCase{"100", "500", 1, kCaption1, true, false},
        PressCase{"1e-6", "300", 2, kCaption2, true, false},
        // Above 647.0 K: pages 1 and 2 "NaN", page 3 in region 2, 3 or 5.
        PressCase{"30", "650", 3, kCaption3, false, false},
        // Near the critical point, where cp is shown with digit grouping and the ratio must
        // read it back.
        PressCase{"22.1", "647.1", 3, kCaption3, false, false},
        PressCase{"22.064", "647.1", 3, kCaption3, false, false},
        PressCase{"22.0645", "647.0965", 3, kCaption3, false, false},
        PressCase{"30", "700", 2, kCaption2, false, false},
        PressCase{"100", "1000", 2, kCaption2Hot, false, false},
        PressCase{"8", "2000", 5, kCaption5, false, false},
        // The remaining states of the IAPWS-IF97 check values, whose published values the
        // property tests find on the routines.
        PressCase{"3", "300", 1, kCaption1, true, true},
        PressCase{"80", "300", 1, kCaption1, true, false},
        PressCase{"3", "500", 1, kCaption1, true, true},
        PressCase{"0.0035", "300", 2, kCaption2, true, true},
        PressCase{"0.0035", "700", 2, kCaption2, false, false},
        PressCase{"25.5837018", "650", 3, kCaption3, false, false},
        PressCase{"22.2930643", "650", 3, kCaption3, false, false},
        PressCase{"78.3095639", "750", 3, kCaption3, false, false},
        PressCase{"0.5", "1500", 5, kCaption5, false, false},
        PressCase{"8", "1500", 5, kCaption5, false, false},
        // No region holds the state.
        PressCase{"10.1", "1100", 0, "", false, false},
        PressCase{"100", "2273.15", 0, "", false, false}));

constexpr int kRefresh = -1;  // a page refresh in the event log
using Event = std::pair<int, int>;

class EventLog : public PageViewer {
  public:
    void slotWritten(int page, int index) override { events.push_back({page, index}); }
    void pageRefreshed(int page) override { events.push_back({page, kRefresh}); }
    std::vector<Event> events;
};

// ---- Validation messages --------------------------------------------------------------------

struct RejectedCase {
    const char* P;
    const char* T;
    const QString& message;
};

class RejectedInputTest : public ::testing::TestWithParam<RejectedCase> {};

// A rejected input shows its one message and changes no slot, on fresh pages and after a press.
TEST_P(RejectedInputTest, ShowsItsMessageAndLeavesThePages) {
    const RejectedCase& c = GetParam();
    for (const Convention* convention : kConventions) {
        for (bool pressedBefore : {false, true}) {
            ResultPages pages(convention->locale());
            if (pressedBefore) PressOn(pages, "1", "300", *convention);
            const Pages before = TextsOf(pages);
            EventLog log;
            pages.setViewer(&log);
            const Press press = PressOn(pages, c.P, c.T, *convention);
            EXPECT_EQ(press.messages, QStringList{c.message})
                << c.P << ", " << c.T << ", " << convention->name;
            ExpectSamePages(press.pages, before, std::string(c.P) + ", " + c.T);
            EXPECT_TRUE(log.events.empty()) << c.P << ", " << c.T;
        }
    }
}

INSTANTIATE_TEST_SUITE_P(Inputs, RejectedInputTest,
                         ::testing::Values(RejectedCase{"1x", "300", kInvalidNumber},
                                           RejectedCase{"0", "500", kInvalidPressure},
                                           RejectedCase{"1", "2273.16", kInvalidTemperature}));

// ---- The order of the writes ----------------------------------------------------------------

void Append(std::vector<Event>& order, int page, const std::vector<int>& indices) {
    for (int slot : indices) order.push_back({page, slot});
}

// P and T on page 3; each saturation page its two values, the liquid, the vapour; then page 3's
// caption before its properties.
std::vector<Event> SaturationBranchOrder() {
    std::vector<Event> order{{3, 0}, {3, 1}, {1, 0}, {1, 1}};
    Append(order, 1, testing::WriteOrder(testing::kPage1Liquid));
    Append(order, 1, testing::WriteOrder(testing::kPage1Vapour));
    order.insert(order.end(), {{2, 6}, {2, 7}});
    Append(order, 2, testing::WriteOrder(testing::kPage2Liquid));
    Append(order, 2, testing::WriteOrder(testing::kPage2Vapour));
    order.push_back({3, 13});
    Append(order, 3, testing::WriteOrder(testing::kPage3State));
    return order;
}

TEST(WriteOrderTest, SaturationBranchWritesEachValueInTurn) {
    ResultPages pages(testing::English());
    EventLog log;
    pages.setViewer(&log);
    MessageRecorder recorder;
    Calculate("1", "300", pages, recorder);
    EXPECT_EQ(log.events, SaturationBranchOrder());
}

TEST(WriteOrderTest, AboveSaturationFillsNaNThenRefreshesPage3ThenWritesIt) {
    for (const char* T : {"650", "700", "1000", "2000"}) {
        ResultPages pages(testing::English());
        EventLog log;
        pages.setViewer(&log);
        MessageRecorder recorder;
        Calculate("8", T, pages, recorder);
        ASSERT_GE(log.events.size(), 2u + 48u + 1u + 12u) << T;
        EXPECT_EQ(log.events[0], Event(3, 0)) << T;
        EXPECT_EQ(log.events[1], Event(3, 1)) << T;
        std::set<Event> filled(log.events.begin() + 2, log.events.begin() + 50);
        EXPECT_EQ(filled.size(), 48u) << T;
        for (const Event& e : filled) EXPECT_TRUE(e.first == 1 || e.first == 2) << T;
        std::vector<Event> rest(log.events.begin() + 50, log.events.end());
        std::vector<Event> expected{{3, kRefresh}, {3, 13}};
        Append(expected, 3, testing::WriteOrder(testing::kPage3State));
        EXPECT_EQ(rest, expected) << T;
    }
}

// ---- A fault in the middle of a page --------------------------------------------------------

// Overwrites a slot with garbage the moment the run has written it, so that the heat-capacity
// ratio cannot read it back.
class Saboteur : public PageViewer {
  public:
    Saboteur(ResultPages& pages, int page, int slot, QString garbage)
        : pages_(pages), page_(page), slot_(slot), garbage_(std::move(garbage)) {}
    void slotWritten(int page, int index) override {
        if (busy_ || page != page_ || index != slot_ || done_) return;
        busy_ = true;
        pages_.writeText(page, index, garbage_);
        busy_ = false;
        done_ = true;
    }
    void pageRefreshed(int) override {}

  private:
    ResultPages& pages_;
    int page_, slot_;
    QString garbage_;
    bool busy_ = false, done_ = false;
};

struct FaultCase {
    const char* P;
    const char* T;
    Column column;
    bool onCv;            // garbage in cv (else in cp)
    const char* garbage;  // what the slot shows instead of its number
};

std::ostream& operator<<(std::ostream& out, const FaultCase& c) {
    return out << c.P << " MPa, " << c.T << " K, " << c.column.name << (c.onCv ? " cv" : " cp")
               << " \"" << c.garbage << '"';
}

class FaultTest : public ::testing::TestWithParam<FaultCase> {};

// The run stops at the ratio: the slots it wrote keep their texts, every other slot, although it
// showed numbers of the earlier press, now shows "NaN", and page 3's region slot "Region :" if
// the caption was not reached.
TEST_P(FaultTest, ShowsTheErrorAndNaNForEverySlotNotReached) {
    const FaultCase& c = GetParam();
    const bool saturation = std::strtod(c.T, nullptr) <= 647.0;
    for (const Convention* convention : kConventions) {
        const Press clean = FreshPress(c.P, c.T, *convention);
        ASSERT_TRUE(clean.messages.isEmpty()) << c;

        ResultPages pages(convention->locale());
        PressOn(pages, "0.1", "500", *convention);  // every slot shows a number
        const int garbageSlot = c.onCv ? c.column.cv : c.column.cp;
        Saboteur saboteur(pages, c.column.page, garbageSlot, QString::fromUtf8(c.garbage));
        pages.setViewer(&saboteur);
        const Press faulty = PressOn(pages, c.P, c.T, *convention);
        EXPECT_EQ(faulty.messages, QStringList{kComputationError}) << c;

        // What the run wrote before it reached the ratio of the sabotaged column.
        std::vector<Event> order;
        if (saturation) {
            order = SaturationBranchOrder();
        } else {
            order = {{3, 0}, {3, 1}};
            for (int page = 1; page <= 2; ++page) {
                for (int index = 0; index < 24; ++index) order.push_back({page, index});
            }
            order.push_back({3, 13});
            Append(order, 3, testing::WriteOrder(testing::kPage3State));
        }
        std::set<Event> written;
        for (const Event& e : order) {
            if (e == Event(c.column.page, c.column.k)) break;
            written.insert(e);
        }
        for (int page = 1; page <= 3; ++page) {
            for (int index = 0; index < testing::kSlotCounts[page - 1]; ++index) {
                const QString& text = faulty.pages[page - 1][index];
                QString expected;
                if (page == c.column.page && index == garbageSlot) {
                    expected = QString::fromUtf8(c.garbage);
                } else if (written.count({page, index}) != 0) {
                    expected = clean.pages[page - 1][index];
                } else {
                    expected = page == 3 && index == 13 ? "Region :" : "NaN";
                }
                EXPECT_EQ(text, expected)
                    << c << ", " << convention->name << ": page " << page << ", slot " << index;
            }
        }
    }
}

// Texts that are no number, including those a lenient reader would take for infinity or NaN: a
// ratio from "inf" would show 0.000 as if all were well.
INSTANTIATE_TEST_SUITE_P(
    Columns, FaultTest,
    ::testing::Values(FaultCase{"1", "300", testing::kPage1Liquid, true, "#garbage"},
                      FaultCase{"1", "300", testing::kPage1Vapour, true, "#garbage"},
                      FaultCase{"1", "300", testing::kPage2Liquid, true, "#garbage"},
                      FaultCase{"1", "300", testing::kPage2Vapour, false, "#garbage"},
                      FaultCase{"1", "300", testing::kPage3State, true, "#garbage"},
                      FaultCase{"30", "650", testing::kPage3State, true, "#garbage"},
                      FaultCase{"8", "2000", testing::kPage3State, false, "#garbage"},
                      FaultCase{"1", "300", testing::kPage3State, true, "inf"},
                      FaultCase{"1", "300", testing::kPage1Liquid, true, "NaN"},
                      FaultCase{"8", "2000", testing::kPage3State, true, "Infinity"},
                      FaultCase{"1", "300", testing::kPage2Vapour, true, ""}));

// ---- Heat-capacity ratio --------------------------------------------------------------------

// The ratio of the rounded cp and cv differs at three decimals from that of the unrounded ones
// for some states; the page must show the former.
TEST(RatioTest, UsesTheRoundedValuesNotTheRoutines) {
    FillCoefficientTables();
    int differing = 0;
    for (int step = 0; step <= 60; ++step) {
        const double T = 280.0 + 6.0 * step;
        const std::string text = std::to_string(T);
        const Press press = FreshPress("50", text.c_str(), kEnglish);
        ASSERT_TRUE(press.messages.isEmpty()) << T;
        const double cp = R1cp(50, T), cv = R1cv(50, T);
        EXPECT_EQ(press.pages[2][11], Shown(Rounded(cp, 3) / Rounded(cv, 3), 3, kEnglish)) << T;
        differing += press.pages[2][11] != Shown(cp / cv, 3, kEnglish);
    }
    EXPECT_GT(differing, 0) << "no state tells the rounded ratio from the unrounded one";
}

}  // namespace
}  // namespace vapomet
