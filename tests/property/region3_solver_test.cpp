// The region-3 density solver over every state that can reach it (647.0 K < T <= 863.15 K,
// b23(T) <= P <= 100 MPa), the near-critical corner densely. The pressure of the density found
// is checked through h - u = P v, which the region-3 relations give exactly.
#include <gtest/gtest.h>

#include <algorithm>
#include <cmath>
#include <vector>

#include "property/property.h"
#include "property/region3_density.h"

namespace vapomet {
namespace {

double PressureOf(double rho, double T) {
    return (R3h(rho, T) - R3u(rho, T)) * rho / 1000.0;
}

std::vector<double> Temperatures() {
    std::vector<double> T;
    for (int i = 1; i <= 60; ++i) T.push_back(647.0 + 0.096 * i / 60.0);  // below critical
    for (int i = 1; i <= 40; ++i) T.push_back(647.096 + 0.1 * std::pow(i / 40.0, 2));
    for (int i = 1; i <= 60; ++i) T.push_back(647.2 + (863.15 - 647.2) * i / 60.0);
    T.push_back(647.096 - 1e-6);
    T.push_back(647.096 + 1e-6);
    std::sort(T.begin(), T.end());
    return T;
}

// Pressures from the B23 line to 100 MPa, dense around the saturation pressure near 22 MPa.
std::vector<double> Pressures(double T) {
    std::vector<double> P;
    const double low = b23(T);
    for (int j = 0; j <= 40; ++j) P.push_back(low + (100.0 - low) * j / 40.0);
    for (int j = -20; j <= 20; ++j) P.push_back(22.064 + 0.01 * j);
    for (int j = -10; j <= 10; ++j) P.push_back(22.064 + 1e-5 * j);
    if (T <= 647.096) {
        const double ps = Satpr(T);
        for (const double d : {-1e-9, -1e-12, 0.0, 1e-12, 1e-9}) P.push_back(ps * (1.0 + d));
    }
    std::erase_if(P, [&](double p) { return p < low || p > 100.0; });
    std::sort(P.begin(), P.end());
    return P;
}

TEST(DensitySolver, EveryDriverStateConvergesOnItsPressure) {
    FillCoefficientTables();
    int states = 0, worst_steps = 0;
    for (const double T : Temperatures()) {
        double previous_rho = 0.0;
        for (const double P : Pressures(T)) {
            ++states;
            detail::DensitySolution s{};
            ASSERT_NO_THROW(s = detail::SolveRegion3Density(P, T)) << "P = " << P << ", T = " << T;
            worst_steps = std::max(worst_steps, s.steps);
            EXPECT_NEAR(PressureOf(s.rho, T), P, 1e-11 * P) << "P = " << P << ", T = " << T;
            // Along an isotherm the density rises with pressure; on the loop it jumps up.
            EXPECT_GE(s.rho, previous_rho) << "P = " << P << ", T = " << T;
            previous_rho = s.rho;
        }
    }
    EXPECT_GT(states, 5000);
    ::testing::Test::RecordProperty("states", states);
    ::testing::Test::RecordProperty("worst_steps", worst_steps);
    std::printf("%d region-3 states, worst case %d steps\n", states, worst_steps);
}

// Just below the critical temperature the saturation pressure picks the phase: vapour-like
// below it, liquid-like at and above it.
TEST(DensitySolver, SaturationPressurePicksThePhaseOnTheLoop) {
    FillCoefficientTables();
    for (const double T : {647.01, 647.05, 647.09}) {
        const double ps = Satpr(T);
        const double vapour = R3rho(ps * (1.0 - 1e-7), T);
        const double liquid = R3rho(ps * (1.0 + 1e-7), T);
        EXPECT_LT(vapour, 322.0) << "T = " << T;
        EXPECT_GT(liquid, 322.0) << "T = " << T;
        EXPECT_GT(liquid - vapour, 1.0) << "T = " << T;
    }
}

// At the B23 line the region-3 density meets the region-2 one.
TEST(DensitySolver, MeetsRegion2AtTheBoundary) {
    FillCoefficientTables();
    for (double T = 660.0; T <= 863.15; T += 20.0) {
        const double P = b23(T);
        EXPECT_NEAR(R3rho(P, T), 1.0 / R2v(P, T), 5e-3 / R2v(P, T)) << "T = " << T;
    }
}

// Far outside region 3 the solver reports that it found nothing rather than a wrong density.
TEST(DensitySolver, FailsWithConvergenceFailureWhereNoDensityFits) {
    FillCoefficientTables();
    EXPECT_THROW(R3rho(1e-9, 650.0), ConvergenceFailure);
    EXPECT_THROW(R3rho(-5.0, 700.0), ConvergenceFailure);
}

}  // namespace
}  // namespace vapomet
