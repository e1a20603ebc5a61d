// The whole-state path against the single routines, over grids covering every region: each of
// its values equals theirs to within 1e-13 relative (relative to R T for energies and to R for
// entropies, which pass through zero near the triple point).
#include <gtest/gtest.h>

#include <algorithm>
#include <cmath>

#include "property/property.h"
#include "tests/support/case_names.h"

namespace vapomet {
namespace {

using Routine = double (*)(const double&, const double&);
constexpr double R = 0.461526;

struct RegionGrid {
    const char* name;
    StateProperties (*whole)(const double&, const double&);
    Routine v, h, u, s, cp, cv, w;  // region 3: of (rho, T), and v is null
    double T_low, T_high;
    double (*P_low)(double);
    double (*P_high)(double);
};

class WholeState : public ::testing::TestWithParam<RegionGrid> {};

TEST_P(WholeState, EqualsTheSingleRoutines) {
    const RegionGrid& g = GetParam();
    int states = 0;
    for (int i = 0; i <= 60; ++i) {
        const double T = g.T_low + (g.T_high - g.T_low) * i / 60.0;
        const double lo = g.P_low(T), hi = g.P_high(T);
        for (int j = 0; j <= 40; ++j, ++states) {
            const double P = lo * std::pow(hi / lo, j / 40.0);
            const StateProperties x = g.whole(P, T);
            const bool region3 = g.v == nullptr;
            const double arg = region3 ? R3rho(P, T) : P;
            const auto near = [&](double value, Routine routine, double scale, const char* what) {
                const double expected = routine(arg, T);
                EXPECT_LE(std::fabs(value - expected), 1e-13 * std::max(std::fabs(expected), scale))
                    << g.name << " " << what << " at " << P << " MPa, " << T << " K";
            };
            if (region3) {
                EXPECT_EQ(x.rho, arg) << P << " MPa, " << T << " K";
            } else {
                near(x.v, g.v, 0.0, "v");
            }
            near(x.h, g.h, R * T, "h");
            near(x.u, g.u, R * T, "u");
            near(x.s, g.s, R, "s");
            near(x.cp, g.cp, 0.0, "cp");
            near(x.cv, g.cv, 0.0, "cv");
            near(x.w, g.w, 0.0, "w");
        }
    }
    EXPECT_EQ(states, 61 * 41);
}

INSTANTIATE_TEST_SUITE_P(
    Regions, WholeState,
    ::testing::Values(
        RegionGrid{"Region1", R1State, R1v, R1h, R1u, R1s, R1cp, R1cv, R1w, 273.16, 623.15,
                   [](double T) { return Satpr(T); }, [](double) { return 100.0; }},
        RegionGrid{"Region2", R2State, R2v, R2h, R2u, R2s, R2cp, R2cv, R2w, 273.16, 1073.15,
                   [](double) { return 1e-6; },
                   [](double T) { return T <= 623.15   ? Satpr(T)
                                         : T <= 863.15 ? b23(T)
                                                       : 100.0; }},
        RegionGrid{"Region3", R3State, nullptr, R3h, R3u, R3s, R3cp, R3cv, R3w, 647.0001, 863.15,
                   [](double T) { return std::max(b23(T), T < 647.096 ? Satpr(T) * 0.999 : 0.0); },
                   [](double) { return 100.0; }},
        RegionGrid{"Region5", R5State, R5v, R5h, R5u, R5s, R5cp, R5cv, R5w, 1073.15, 2273.15,
                   [](double) { return 1e-6; }, [](double) { return 10.0; }}),
    testing::ByName());

// Where a single routine faults, the whole state does too, with the library's exception.
TEST(WholeStateFaults, EndWithTheirException) {
    EXPECT_THROW(R1State(3, 0), FloatingPointFault);
    EXPECT_THROW(R2State(0, 500), FloatingPointFault);
    EXPECT_THROW(R5State(-1, 1500), FloatingPointFault);
    EXPECT_THROW(R3State(1e-9, 650), ConvergenceFailure);
}

}  // namespace
}  // namespace vapomet
