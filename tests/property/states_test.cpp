// States from two properties: the published check states found again from every pair of their
// values; round trips over every region, both sides of every boundary and across the dome; pairs
// with several states; and every kind of failure.
#include <gtest/gtest.h>

#include <algorithm>
#include <cmath>
#include <functional>
#include <string>
#include <vector>

#include "property/published.h"
#include "property/state.h"
#include "tests/support/case_names.h"
#include "tests/support/check_states.h"
#include "tests/support/gives_back.h"
#include "tests/support/regions.h"

namespace vapomet {
namespace {

using V = Variable;
using Pair = std::pair<V, V>;

constexpr Pair kPairs[] = {{V::P, V::T}, {V::P, V::h}, {V::P, V::s}, {V::h, V::s}, {V::P, V::u},
                           {V::P, V::v}, {V::T, V::v}, {V::T, V::s}, {V::T, V::h}, {V::u, V::v},
                           {V::P, V::x}, {V::T, V::x}, {V::h, V::x}, {V::s, V::x}};

std::string Named(const Pair& pair) {
    return std::string(NameOf(pair.first)) + std::string(NameOf(pair.second));
}

// (P, T) names no mixture; a quality belongs to mixtures only.
bool Names(const Pair& pair, const State& state) {
    const bool quality = pair.first == V::x || pair.second == V::x;
    return quality ? state.x.has_value() : !(pair.second == V::T && state.x);
}

// The state gives back a value it was asked for.
::testing::AssertionResult GivesBack(const State& state, V variable, double value) {
    const double got = ValueOf(state, variable).value_or(NAN);
    if (std::fabs(got - value) <= testing::AllowedMiss(state, variable, value))
        return ::testing::AssertionSuccess();
    return ::testing::AssertionFailure() << NameOf(variable) << " " << got << " for " << value;
}

std::vector<State> Found(const State& from, const Pair& pair) {
    const double a = *ValueOf(from, pair.first), b = *ValueOf(from, pair.second);
    const std::vector<State> found = StatesFrom(pair.first, a, pair.second, b);
    for (const State& state : found) {
        EXPECT_TRUE(GivesBack(state, pair.first, a));
        EXPECT_TRUE(GivesBack(state, pair.second, b));
    }
    return found;
}

// A saturated liquid or vapour is a mixture of quality 0 or 1 and a single phase alike.
bool Saturated(const State& s) {
    return s.x && (*s.x == 0.0 || *s.x == 1.0);
}

// Two descriptions of one state. A pair fixes its state only as well as the state's values
// tell it: along a liquid isotherm h, s and v hardly change with pressure, and a part in 1e16
// of them moves P by a part in 1e8 or more; so the values are compared, not the digits of P.
bool Same(const State& a, const State& b, double tolerance) {
    const auto near = [&](double p, double q, double floor) {
        return std::fabs(p - q) <= tolerance * std::max({std::fabs(q), floor});
    };
    const bool phase = a.region == b.region ? std::fabs(a.x.value_or(0) - b.x.value_or(0)) <= 1e-9
                                            : Saturated(a) || Saturated(b);
    return phase && near(a.T, b.T, 0) && near(a.v, b.v, 0) && near(a.h, b.h, 100) &&
           near(a.u, b.u, 100) && near(a.s, b.s, 1) && near(a.P, b.P, 1e-3);
}

// How closely a pair tells its state. (P, T), (P, h), (P, s), (P, u) and the pairs of a quality
// fix it to the digits of their values; the others meet directions in which their values hardly
// change: along an isotherm of a gas h does not change with pressure, nor does the liquid's s
// near 277 K, where v does not change along an isobar either; the liquid's u and v, h and s
// barely tell its pressure; and a mixture's volume at the triple point grows 200,000 times
// faster with x than h and s do.
double Telling(const Pair& pair) {
    const bool quality = pair.first == V::x || pair.second == V::x;
    return quality || (pair.first == V::P && pair.second != V::v) ? 1e-9 : 1e-6;
}

// ---- The published check states ----------------------------------------------------------------

class CheckStatesFromPairs : public ::testing::TestWithParam<CheckState> {};

// Each pair is given its values in full, as the basic equations give them at the published
// state; the state found shows every printed value to its printed digits.
TEST_P(CheckStatesFromPairs, AreFoundAgainFromEveryPair) {
    const CheckState& c = GetParam();
    const State state = c.region == 3 ? Region3State(c.x, c.T) : StateAt(c.x, c.T);
    for (const Pair& pair : kPairs) {
        if (!Names(pair, state)) continue;
        SCOPED_TRACE(Named(pair));
        const std::vector<State> found = Found(state, pair);
        const auto shown = [&](const State& s) {
            return testing::AgreesTo(s.T, c.T) && testing::AgreesTo(s.h, c.h) &&
                   testing::AgreesTo(s.u, c.u) && testing::AgreesTo(s.s, c.s) &&
                   testing::AgreesTo(*s.cp, c.cp) && testing::AgreesTo(*s.w, c.w) &&
                   (c.region == 3 ? testing::AgreesTo(s.rho, c.x)
                                  : testing::AgreesTo(s.P, c.x) && testing::AgreesTo(s.v, c.v));
        };
        EXPECT_TRUE(std::any_of(found.begin(), found.end(), shown));
    }
}

INSTANTIATE_TEST_SUITE_P(Iapws97, CheckStatesFromPairs, ::testing::ValuesIn(CheckStates()),
                         [](const ::testing::TestParamInfo<CheckState>& row) {
                             return "Region" + std::to_string(row.param.region) + "_" +
                                    testing::Spelled(row.param.x) + "_" +
                                    testing::Spelled(row.param.T) + "K";
                         });

class SaturationFromPairs : public ::testing::TestWithParam<SaturationPoint> {};

// Saturated liquid, vapour and their even mixture at the published points of the line, from
// every pair that names a mixture: the printed pressure or temperature comes back.
TEST_P(SaturationFromPairs, GivesThePublishedLine) {
    const SaturationPoint& c = GetParam();
    for (const double x : {0.0, 0.5, 1.0}) {
        const State state = Mixture(c.atT ? SaturationAtT(c.given) : SaturationAtP(c.given), x);
        for (const Pair& pair : kPairs) {
            if (!Names(pair, state)) continue;
            SCOPED_TRACE(::testing::Message() << Named(pair) << " x = " << x);
            const std::vector<State> found = Found(state, pair);
            EXPECT_TRUE(std::any_of(found.begin(), found.end(), [&](const State& s) {
                return Same(s, state, Telling(pair)) &&
                       testing::AgreesTo(c.atT ? s.P : s.T, c.published);
            }));
        }
    }
}

INSTANTIATE_TEST_SUITE_P(Iapws97, SaturationFromPairs, ::testing::ValuesIn(SaturationPoints()),
                         [](const ::testing::TestParamInfo<SaturationPoint>& row) {
                             return std::string(row.param.atT ? "At" : "AtP") +
                                    testing::Spelled(row.param.given);
                         });

// ---- Round trips: (P, T) or a mixture, then each pair of its values, then the same state -------

struct RoundTrip {
    State state;
    // On a boundary between two regions an isentrope or isochore can meet the values in both
    // regions' equations: there either state may be found.
    bool boundary = false;
};

// States over every region, on both sides of each boundary, at the ends of the domain and in
// the dome from the triple point to next to the critical point.
std::vector<RoundTrip> RoundTripStates() {
    std::vector<RoundTrip> states;
    for (const testing::RegionUnderTest& region : testing::kRegions)
        for (const auto& [P, T] : testing::Grid(region, 6, 5, 1e-4))
            states.push_back({StateAt(P, T)});
    const double across = 1e-9;
    const double sides[][2] = {{20, 623.15},
                               {20, 623.15 * (1 + across)},  // regions 1 and 3
                               {b23(700) * (1 - across), 700},
                               {b23(700), 700},  // regions 2 and 3
                               {5, 1073.15},
                               {5, 1073.15 * (1 + across)},  // regions 2 and 5
                               {Satpr(500) * (1 + across), 500},
                               {Satpr(500), 500},  // liquid, and vapour on the line
                               {100, 623.15}};     // regions 1 and 3 at 100 MPa
    for (const auto& [P, T] : sides) states.push_back({StateAt(P, T), true});
    const double ends[][2] = {{1, 273.15},   {100, 273.15}, {10, 2273.15}, {1e-6, 300},
                              {22.1, 647.2}, {23, 640},     {22, 646}};
    for (const auto& [P, T] : ends) states.push_back({StateAt(P, T)});
    for (const double T : {273.16, 300.0, 400.0, 500.0, 600.0, 623.15, 623.2, 635.0, 645.0, 646.9})
        for (const double x : {0.0, 0.3, 0.7, 1.0})
            states.push_back({Mixture(SaturationAtT(T), x), T == 623.15});
    return states;
}

class RoundTrips : public ::testing::TestWithParam<Pair> {};

TEST_P(RoundTrips, GiveBackTheState) {
    const Pair& pair = GetParam();
    const bool nested = pair.first == V::h || pair.first == V::u;
    for (const auto& [state, boundary] : RoundTripStates()) {
        if (!Names(pair, state)) continue;
        SCOPED_TRACE(::testing::Message()
                     << "region " << static_cast<int>(state.region) << " at " << state.P << " MPa, "
                     << state.T << " K, x " << state.x.value_or(-1));
        const std::vector<State> found = Found(state, pair);
        if (boundary && nested) continue;
        // Away from boundaries, only isotherms, an isobar near 277 K and lines of constant
        // quality meet a value twice; a saturated phase is also the dome's end.
        const bool turns = (pair.first == V::T && pair.second != V::v) || pair.second == V::x ||
                           (pair.first == V::P && pair.second == V::v);
        if (!boundary && !turns && !Saturated(state)) {
            EXPECT_EQ(found.size(), 1u);
        }
        EXPECT_TRUE(std::any_of(found.begin(), found.end(),
                                [&](const State& s) { return Same(s, state, Telling(pair)); }));
    }
}

INSTANTIATE_TEST_SUITE_P(Pairs, RoundTrips, ::testing::ValuesIn(kPairs),
                         [](const ::testing::TestParamInfo<Pair>& row) {
                             return Named(row.param);
                         });

// ---- Several states
// ------------------------------------------------------------------------------

struct Several {
    const char* name;
    Pair pair;
    std::function<State()> state;
    std::size_t count;
};
const Several kSeveral[] = {
    // A wet isotherm's enthalpy comes back in the compressed liquid.
    {"Isotherm350K_MixtureAndLiquid",
     {V::T, V::h},
     [] { return Mixture(SaturationAtT(350), 0.01); },
     2},
    // Below about 277 K the liquid's entropy rises and falls with pressure.
    {"Isotherm275K_MixtureAndLiquidTwice", {V::T, V::s}, [] { return StateAt(5, 275); }, 3},
    // Water is densest near 277 K.
    {"Isobar1MPa_EitherSideOfTheDensest", {V::P, V::v}, [] { return StateAt(1, 279); }, 2},
    // The saturated vapour's enthalpy peaks near 507 K.
    {"Quality0_9_EitherSideOfTheHighest",
     {V::x, V::h},
     [] { return Mixture(SaturationAtT(450), 0.9); },
     2},
    {"Quality0_5_EntropyTurnsTwice",
     {V::x, V::s},
     [] { return Mixture(SaturationAtT(300), 0.5); },
     3},
    // At 1073.15 K region 2 ends above the entropy at which region 5 starts.
    {"Isobar5MPa_Regions2And5",
     {V::P, V::s},
     [] {
         State s = StateAt(5, 1073.15);
         s.s = 0.5 * (s.s + StateInRegion(Region::Five, 5, 1073.15).s);
         return s;
     },
     2}};

class SeveralStates : public ::testing::TestWithParam<Several> {};

TEST_P(SeveralStates, AreAllFoundInOrderOfPressureThenTemperature) {
    const Several& c = GetParam();
    const State state = c.state();
    const std::vector<State> found = Found(state, c.pair);
    ASSERT_EQ(found.size(), c.count);
    for (std::size_t i = 1; i < found.size(); ++i) {
        EXPECT_TRUE(found[i - 1].P < found[i].P ||
                    (found[i - 1].P == found[i].P && found[i - 1].T < found[i].T));
        EXPECT_FALSE(Same(found[i - 1], found[i], 1e-6));
    }
}

INSTANTIATE_TEST_SUITE_P(Pairs, SeveralStates, ::testing::ValuesIn(kSeveral), testing::ByName());

// ---- Failures -----------------------------------------------------------------------------------

enum class Kind { OutOfDomain, NoState, NotOffered };
struct Failure {
    const char* name;
    V a;
    double valueA;
    V b;
    double valueB;
    Kind kind;
    const char* says;
};
const Failure kFailures[] = {
    {"PressureZero", V::P, 0, V::T, 300, Kind::OutOfDomain, "P = 0 MPa outside"},
    {"PressureAbove100MPa", V::P, 101, V::h, 1000, Kind::OutOfDomain, "0 < P <= 100 MPa"},
    {"TemperatureBelow273_15K", V::T, 273.1, V::v, 1, Kind::OutOfDomain, "273.15 K <= T"},
    {"Above10MPaOver1073_15K", V::P, 20, V::T, 1500, Kind::OutOfDomain, "above 10 MPa"},
    {"QualityAbove1", V::P, 1, V::x, 1.5, Kind::OutOfDomain, "0 <= x <= 1"},
    {"VolumeNegative", V::T, 300, V::v, -1, Kind::OutOfDomain, "v > 0"},
    {"NotANumber", V::P, NAN, V::h, 1, Kind::OutOfDomain, "P is not a finite number"},
    {"MixtureAboveTheCriticalPoint", V::T, 700, V::x, 0.5, Kind::OutOfDomain, "647.096 K"},
    {"MixtureBelow273_15K", V::P, 1e-4, V::x, 0.5, Kind::OutOfDomain, "611.213 Pa"},
    {"EnthalpyAboveTheIsobar", V::P, 5, V::h, 1e4, Kind::NoState,
     "h above the largest enthalpy at P = 5 MPa in the formulation's range (7375.85 kJ/kg)"},
    {"EnthalpyBelowTheIsobar", V::P, 5, V::h, -100, Kind::NoState, "h below the smallest"},
    {"VolumeBelowTheIsotherm", V::T, 300, V::v, 1e-4, Kind::NoState, "v below the smallest"},
    {"EntropyAboveTheQualityLine", V::x, 0, V::s, 9.5, Kind::NoState, "s above the largest"},
    {"EnthalpyBelowTheIsentrope", V::h, 100, V::s, 20, Kind::NoState, "h below the smallest"},
    {"EnergyAboveTheIsochore", V::u, 1e4, V::v, 1, Kind::NoState, "u above the largest"},
    // Region 1 ends at 623.15 K below the enthalpy at which region 3 starts.
    {"BetweenRegions1And3", V::P, 20, V::h, 1645.953, Kind::NoState, "regions 1 and 3"},
    // 4e-6 K below Tc the region-3 liquid and vapour at psat are one state: the isobar jumps.
    {"WhereThePhasesMerge", V::P, 22.06399885733078, V::h, 2087.6853827375194, Kind::NoState,
     "this close to the critical point"},
    {"PairNotOffered", V::h, 1000, V::v, 0.1, Kind::NotOffered, "from h and v"}};

class Failures : public ::testing::TestWithParam<Failure> {};

TEST_P(Failures, SayWhy) {
    const Failure& c = GetParam();
    try {
        StatesFrom(c.a, c.valueA, c.b, c.valueB);
        ADD_FAILURE() << "no failure";
    } catch (const std::exception& e) {
        const bool kind =
            c.kind == Kind::OutOfDomain ? dynamic_cast<const OutOfDomain*>(&e) != nullptr
            : c.kind == Kind::NoState   ? dynamic_cast<const NoState*>(&e) != nullptr
                                        : dynamic_cast<const std::invalid_argument*>(&e) != nullptr;
        EXPECT_TRUE(kind) << e.what();
        EXPECT_NE(std::string(e.what()).find(c.says), std::string::npos) << e.what();
    }
}

INSTANTIATE_TEST_SUITE_P(Pairs, Failures, ::testing::ValuesIn(kFailures), testing::ByName());

// ---- The formulation's regions
// ---------------------------------------------------------------------

TEST(RegionAt, FollowsTheBoundariesOfTheFormulation) {
    const struct {
        double P, T;
        Region region;
    } rows[] = {{1, 273.15, Region::One},
                {Satpr(500), 500, Region::Two},
                {20, 623.15, Region::One},
                {20, 623.16, Region::Three},
                {b23(700), 700, Region::Three},
                {b23(700) * (1 - 1e-12), 700, Region::Two},
                {100, 1073.15, Region::Two},
                {10, 1073.16, Region::Five},
                {Satpr(640) * 0.99, 640, Region::Three}};
    for (const auto& row : rows)
        EXPECT_EQ(RegionAt(row.P, row.T), row.region) << row.P << ", " << row.T;
    // Above 623.15 K the saturated phases are region 3's two densities at psat.
    const Saturation at640 = SaturationAtT(640);
    EXPECT_EQ(at640.liquid.region, Region::Three);
    EXPECT_GT(at640.liquid.rho, 322.0);
    EXPECT_LT(at640.vapour.rho, 322.0);
    EXPECT_NEAR(R3h(at640.liquid.rho, 640) - R3u(at640.liquid.rho, 640),
                1000 * Satpr(640) / at640.liquid.rho, 1e-9);
}

}  // namespace
}  // namespace vapomet
