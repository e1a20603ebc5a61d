// The region-3 density solver over every state that can reach it (647.0 K < T <= 863.15 K,
// b23(T) <= P <= 100 MPa), the near-critical corner densely.
#include <gtest/gtest.h>

#include <algorithm>
#include <cmath>
#include <vector>

#include "property/property.h"
#include "property/region3_density.h"

namespace vapomet {
namespace {

// The pressure of a density found, through h - u = P v, which the relations give exactly. Along
// an isotherm the density rises with pressure, and jumps up across the saturation loop.
TEST(DensitySolver, EveryStateConvergesOnItsPressure) {
    std::vector<double> temperatures{647.096 - 1e-6, 647.096 + 1e-6};
    for (int i = 1; i <= 60; ++i) {
        temperatures.push_back(647.0 + 0.096 * i / 60.0);
        temperatures.push_back(647.096 + 0.1 * std::pow(i / 60.0, 2));
        temperatures.push_back(647.2 + (863.15 - 647.2) * i / 60.0);
    }
    int states = 0;
    for (const double T : temperatures) {
        const double low = b23(T);
        std::vector<double> pressures;
        for (int j = -20; j <= 40; ++j)
            pressures.insert(pressures.end(), {low + (100.0 - low) * std::max(j, 0) / 40.0,
                                               22.064 + 0.01 * j / 2, 22.064 + 1e-5 * j / 2});
        for (const double d : {-1e-9, -1e-12, 0.0, 1e-12, 1e-9})
            if (T <= 647.096) pressures.push_back(Satpr(T) * (1.0 + d));
        std::erase_if(pressures, [&](double p) { return p < low || p > 100.0; });
        std::sort(pressures.begin(), pressures.end());
        double previous = 0.0;
        for (const double P : pressures) {
            ++states;
            const double rho = detail::SolveRegion3Density(P, T).rho;
            EXPECT_NEAR((R3h(rho, T) - R3u(rho, T)) * rho / 1000.0, P, 1e-11 * P) << P << ", " << T;
            EXPECT_GE(rho, previous) << P << " MPa, " << T << " K";
            previous = rho;
        }
    }
    EXPECT_GT(states, 10000);
}

// At the B23 line region 3 meets region 2; just below the critical temperature the saturation
// pressure picks the phase, vapour-like below it and liquid-like above; far outside region 3
// no density fits.
TEST(DensitySolver, MeetsRegion2PicksThePhaseAndFailsWhereNoDensityFits) {
    for (double T = 660.0; T <= 863.15; T += 20.0)
        EXPECT_NEAR(R3rho(b23(T), T) * R2v(b23(T), T), 1.0, 5e-3) << T;
    for (const double T : {647.01, 647.05, 647.09}) {
        EXPECT_LT(R3rho(Satpr(T) * (1.0 - 1e-7), T), 321.0) << T;
        EXPECT_GT(R3rho(Satpr(T) * (1.0 + 1e-7), T), 323.0) << T;
    }
    EXPECT_THROW(R3rho(1e-9, 650.0), ConvergenceFailure);
    EXPECT_THROW(R3rho(-5.0, 700.0), ConvergenceFailure);
}

}  // namespace
}  // namespace vapomet
