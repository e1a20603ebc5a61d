// The diagrams' data: round values for lines and ticks, the saturation curve and the isolines
// against the solver, the critical point, the state at a point, processes against the solver,
// and the states of a press.
#include "driver/chart.h"

#include <gtest/gtest.h>

#include <cmath>

#include "driver/calculate.h"
#include "tests/support/case_names.h"
#include "tests/support/support.h"

namespace vapomet {
namespace {

using V = Variable;

struct Rounding {
    const char* name;
    double lo, hi;
    int count;
    bool logarithmic;
    std::vector<double> values;
};
const Rounding kRoundings[] = {
    {"LinearTwos", 0.0, 10.0, 8, false, {0, 2, 4, 6, 8, 10}},
    {"LinearHundreds", 273.15, 1073.15, 10, false, {300, 400, 500, 600, 700, 800, 900, 1000}},
    {"LinearTenths", 0.0, 1.0, 10, false, {0, 0.1, 0.2, 0.3, 0.4, 0.5, 0.6, 0.7, 0.8, 0.9, 1}},
    {"LinearNegative", -0.3, 0.25, 5, false, {-0.2, 0, 0.2}},
    {"LogDecades", 1e-3, 100.0, 8, true, {1e-3, 1e-2, 0.1, 1, 10, 100}},
    {"LogOneDecade", 1.0, 10.0, 8, true, {1, 2, 5, 10}},
    {"LogEveryOtherDecade", 1e-4, 1e4, 4, true, {1e-4, 0.01, 1, 100, 1e4}},
    {"Empty", 5.0, 5.0, 8, false, {}}};

class Roundings : public ::testing::TestWithParam<Rounding> {};

TEST_P(Roundings, AreOneTwoOrFiveTimesAPowerOfTen) {
    const Rounding& c = GetParam();
    const std::vector<double> values = RoundValues(c.lo, c.hi, c.count, c.logarithmic);
    ASSERT_EQ(values.size(), c.values.size());
    for (std::size_t i = 0; i < values.size(); ++i)
        EXPECT_NEAR(values[i], c.values[i], 1e-12 * std::max(1.0, std::fabs(c.values[i])));
}
INSTANTIATE_TEST_SUITE_P(Ranges, Roundings, ::testing::ValuesIn(kRoundings), testing::ByName());

std::string ChartCase(const ::testing::TestParamInfo<ChartKind>& info) {
    std::string name = ChartName(info.param).toStdString();
    name.erase(std::remove(name.begin(), name.end(), '-'), name.end());
    return name;
}

class Charts : public ::testing::TestWithParam<ChartKind> {};

// Each point of the saturation curve is a saturated phase: its pressure is psat at its
// temperature, as the solver of the chart's pair finds it back (x = 0 or 1 there).
TEST_P(Charts, SaturationCurveIsSaturatedPhases) {
    const ChartKind kind = GetParam();
    const ChartData data = ChartCurves(kind, FullView(kind), false);
    const ChartLine& dome = data.lines.front();
    ASSERT_EQ(dome.kind, LineKind::Saturation);
    ASSERT_GT(dome.points.size(), 100u);
    const ChartAxes axes = AxesOf(kind);
    int checked = 0;
    for (std::size_t i = 0; i < dome.points.size(); i += 7) {
        const QPointF& p = dome.points[i];
        // Next to the critical point the two phases meet: a state there is not told apart.
        if (std::abs(static_cast<long>(i) - static_cast<long>(dome.points.size() / 2)) < 12)
            continue;
        const bool liquid = i < dome.points.size() / 2;
        const double T = axes.y == V::T ? p.y() : axes.x == V::T ? p.x() : NAN;
        if (std::isnan(T)) {  // a chart without T: the phase found from its two values
            const std::vector<State> states = StatesFrom(axes.y, p.y(), axes.x, p.x());
            ASSERT_FALSE(states.empty());
            const double x = states.front().x.value_or(liquid ? 0.0 : 1.0);
            EXPECT_NEAR(x, liquid ? 0.0 : 1.0, 1e-6) << i;
        } else if (T < 647.0) {
            const Saturation saturation = SaturationAtT(T);
            const State& phase = liquid ? saturation.liquid : saturation.vapour;
            const QPointF expected = ChartPointOf(kind, phase);
            EXPECT_NEAR(p.x(), expected.x(), 1e-12 * std::fabs(expected.x()) + 1e-12) << i;
            EXPECT_NEAR(p.y(), expected.y(), 1e-12 * std::fabs(expected.y()) + 1e-12) << i;
        }
        ++checked;
    }
    EXPECT_GT(checked, 10);
    // The critical point where it belongs.
    const QPointF critical = ChartPointOf(kind, SaturationAtT(647.096).liquid);
    EXPECT_NEAR(data.critical.x(), critical.x(), 1e-9 * std::fabs(critical.x()));
    EXPECT_NEAR(data.critical.y(), critical.y(), 1e-9 * std::fabs(critical.y()));
}

// Every point of an isoline has the line's value, as the solver of the chart's pair finds
// the state there again.
TEST_P(Charts, IsolinePointsHaveTheirValue) {
    const ChartKind kind = GetParam();
    const ChartData data = ChartCurves(kind, FullView(kind), false);
    const ChartAxes axes = AxesOf(kind);
    int lines = 0;
    for (const ChartLine& line : data.lines) {
        if (line.kind == LineKind::Saturation || line.kind == LineKind::Quality) continue;
        ++lines;
        const Variable held = line.kind == LineKind::Isobar      ? V::P
                              : line.kind == LineKind::Isotherm  ? V::T
                              : line.kind == LineKind::Isenthalp ? V::h
                              : line.kind == LineKind::Isentrope ? V::s
                                                                 : V::v;
        const double value = line.label.section(' ', held == V::P || held == V::T ? 0 : 2, -1)
                                 .section(' ', 0, 0)
                                 .toDouble();
        for (std::size_t i = 0; i < line.points.size(); i += 11) {
            const QPointF& p = line.points[i];
            // On a p-T chart a line through the dome runs along the saturation curve, where
            // (P, T) names no one state.
            if (kind == ChartKind::PT && p.x() < 647.096 &&
                std::fabs(p.y() - Satpr(p.x())) <= 1e-9 * p.y())
                continue;
            const std::vector<State> states = StatesFrom(axes.y, p.y(), axes.x, p.x());
            ASSERT_FALSE(states.empty()) << line.label.toStdString();
            bool met = false;
            for (const State& state : states)
                met |= std::fabs(*ValueOf(state, held) - value) <=
                       1e-8 * std::max(1.0, std::fabs(value));
            EXPECT_TRUE(met) << line.label.toStdString() << " point " << i;
        }
    }
    EXPECT_GE(lines, 6);
}

// A narrower view has more lines of each kind across it: the density follows the zoom.
TEST_P(Charts, LinesFollowTheZoom) {
    const ChartKind kind = GetParam();
    const ChartView full = FullView(kind);
    const ChartAxes axes = AxesOf(kind);
    const auto part = [](double lo, double hi, bool log, double a, double b) {
        return log ? std::pair(lo * std::pow(hi / lo, a), lo * std::pow(hi / lo, b))
                   : std::pair(lo + a * (hi - lo), lo + b * (hi - lo));
    };
    const auto [xLo, xHi] = part(full.xLo, full.xHi, axes.logX, 0.55, 0.65);
    const auto [yLo, yHi] = part(full.yLo, full.yHi, axes.logY, 0.55, 0.65);
    const ChartView zoomed{xLo, xHi, yLo, yHi};
    const auto crossing = [&zoomed](const ChartData& data) {
        int count = 0;
        for (const ChartLine& line : data.lines)
            count += line.kind != LineKind::Saturation &&
                     std::any_of(line.points.begin(), line.points.end(),
                                 [&zoomed](const QPointF& p) { return zoomed.contains(p); });
        return count;
    };
    EXPECT_GT(crossing(ChartCurves(kind, zoomed, false)), crossing(ChartCurves(kind, full, false)));
}

// The state at a point of a chart has the point's two values.
TEST_P(Charts, StateAtAPointGivesItBack) {
    const ChartKind kind = GetParam();
    const State state = StateAt(3.0, 600.0);
    const QPointF at = ChartPointOf(kind, state);
    const std::vector<State> states = StatesAtPoint(kind, at);
    ASSERT_FALSE(states.empty());
    EXPECT_NEAR(states.front().T, 600.0, 1e-8);
    EXPECT_NEAR(states.front().P, 3.0, 1e-9);
    EXPECT_TRUE(StatesAtPoint(kind, {-1e6, -1e6}).empty());
}

INSTANTIATE_TEST_SUITE_P(Kinds, Charts, ::testing::ValuesIn(kChartKinds), ChartCase);

TEST(Charts, AreNamedAsTheCompanionNamesThem) {
    QStringList names;
    for (const ChartKind kind : kChartKinds) {
        names << ChartName(kind);
        EXPECT_EQ(ChartNamed(ChartName(kind)), kind);
    }
    EXPECT_EQ(names, (QStringList{"h-s", "T-s", "p-h", "p-T", "p-v"}));
    EXPECT_EQ(ChartTitle(ChartKind::HS), "h-s (Mollier)");
    EXPECT_FALSE(ChartNamed("h-x"));
}

struct ProcessCase {
    const char* name;
    ProcessKind kind;
    double P1, T1, P2, eta;
};
const ProcessCase kProcesses[] = {
    {"TurbineIntoWetSteam", ProcessKind::Isentropic, 10, 800, 0.01, 0.85},
    {"TurbineInSteam", ProcessKind::Isentropic, 20, 900, 2, 0.9},
    {"CompressorOfSteam", ProcessKind::Isentropic, 0.1, 400, 1, 0.8},
    {"PumpOfWater", ProcessKind::Isentropic, 0.01, 300, 10, 0.75},
    {"IdealExpansion", ProcessKind::Isentropic, 5, 700, 0.5, 1.0},
    {"ThrottlingOfSteam", ProcessKind::Throttling, 10, 700, 0.1, 1.0},
    {"ThrottlingOfWater", ProcessKind::Throttling, 15, 580, 1, 1.0}};

class Processes : public ::testing::TestWithParam<ProcessCase> {};

// The ends against the solver at P2: the isentropic end has the start's s; the actual end
// the h the efficiency gives (the start's h when throttling).
TEST_P(Processes, EndWhereTheSolverPutsThem) {
    const ProcessCase& c = GetParam();
    const State start = StateAt(c.P1, c.T1);
    const Process p = RunProcess(c.kind, start, c.P2, c.eta);
    const State isentropic = StatesFrom(V::P, c.P2, V::s, start.s).front();
    EXPECT_NEAR(p.isentropicEnd.h, isentropic.h, 1e-12 * std::fabs(isentropic.h));
    const double h = c.kind == ProcessKind::Throttling ? start.h
                     : c.P2 < c.P1                     ? start.h - c.eta * (start.h - isentropic.h)
                                                       : start.h + (isentropic.h - start.h) / c.eta;
    EXPECT_NEAR(p.end.h, h, 1e-12 * std::fabs(h));
    EXPECT_NEAR(p.end.P, c.P2, 1e-12 * c.P2);
    EXPECT_NEAR(p.dh, p.end.h - start.h, 1e-9);
    EXPECT_NEAR(p.ds, p.end.s - start.s, 1e-12);
    EXPECT_GE(p.ds, -1e-12);  // an adiabatic process never lowers the entropy
    ASSERT_FALSE(p.path.empty());
    EXPECT_NEAR(p.path.back().h, p.end.h, 1e-9 * std::fabs(h));
    EXPECT_NEAR(p.path.front().h, start.h, 1e-9 * std::fabs(h));
    for (const State& state : p.isentrope) EXPECT_NEAR(state.s, start.s, 1e-11);
}
INSTANTIATE_TEST_SUITE_P(Starts, Processes, ::testing::ValuesIn(kProcesses), testing::ByName());

TEST(Processes, RefuseAnEfficiencyOutsideZeroToOne) {
    EXPECT_THROW(RunProcess(ProcessKind::Isentropic, StateAt(10, 800), 1, 0.0), OutOfDomain);
    EXPECT_THROW(RunProcess(ProcessKind::Isentropic, StateAt(10, 800), 1, 1.5), OutOfDomain);
    EXPECT_THROW(RunProcess(ProcessKind::Throttling, StateAt(10, 800), 200, 1), PropertyError);
}

// The press's states are the pages' values; pages beyond the formulation's region choice say
// so in their labels; a refused press leaves no state.
TEST(PressStates, AreWhatThePagesShow) {
    testing::MessageRecorder messages;
    ResultPages pages(QLocale::c());
    Calculate("1", "450", pages, messages);
    std::vector<ChartState> states = PressStates(pages);
    ASSERT_EQ(states.size(), 5u);
    const Saturation at450 = SaturationAtT(450.0);
    EXPECT_EQ(states[0].label, "Page 1 liquid");
    EXPECT_NEAR(states[0].state.h, at450.liquid.h, 1e-4);
    EXPECT_NEAR(states[1].state.s, at450.vapour.s, 1e-4);
    EXPECT_NEAR(states[4].state.h, StateAt(1, 450).h, 1e-4);
    Calculate("20", "640", pages, messages);
    states = PressStates(pages);
    ASSERT_FALSE(states.empty());
    EXPECT_EQ(states[0].label, "Page 1 liquid (pages' equations)");
    // Above the critical point pages 1 and 2 show no numbers: page 3's state alone.
    Calculate("30", "700", pages, messages);
    states = PressStates(pages);
    ASSERT_EQ(states.size(), 1u);
    EXPECT_EQ(states[0].label, "Page 3");
    EXPECT_NEAR(states[0].state.v, StateAt(30, 700).v, 1e-6);
    // A refused press leaves the pages, and so their states, as they were.
    Calculate("abc", "300", pages, messages);
    EXPECT_EQ(PressStates(pages).size(), 1u);
}

}  // namespace
}  // namespace vapomet
