// The regions as the property tests sweep them: each one's routines, and a grid of states
// inside it, kept `margin` (relative) away from the saturation and B23 lines.
#pragma once

#include <algorithm>
#include <array>
#include <cmath>
#include <string>
#include <vector>

#include "property/property.h"

namespace vapomet::testing {

using Routine = double (*)(const double&, const double&);

struct RegionUnderTest {
    std::string name;
    int number;
    StateProperties (*whole)(const double&, const double&);
    std::array<Routine, 7> routines;  // v, h, u, s, cp, cv, w; region 3 has no v and takes rho
    double T_low, T_high;
};

inline const RegionUnderTest kRegions[] = {
    {"Region1", 1, R1State, {R1v, R1h, R1u, R1s, R1cp, R1cv, R1w}, 273.16, 623.15},
    {"Region2", 2, R2State, {R2v, R2h, R2u, R2s, R2cp, R2cv, R2w}, 273.16, 1073.15},
    {"Region3", 3, R3State, {nullptr, R3h, R3u, R3s, R3cp, R3cv, R3w}, 623.5, 863.15},
    {"Region5", 5, R5State, {R5v, R5h, R5u, R5s, R5cp, R5cv, R5w}, 1073.15, 2273.15}};

struct State {
    double P, T;
};

// nT x nP states, T evenly and P geometrically between the region's bounds at T.
inline std::vector<State> Grid(const RegionUnderTest& r, int nT, int nP, double margin) {
    std::vector<State> grid;
    for (int i = 0; i < nT; ++i) {
        const double T = r.T_low + (r.T_high - r.T_low) * (i + 0.5) / nT;
        const double below = T <= 623.15 ? Satpr(T) : T <= 863.15 ? b23(T) : 100.0;  // region 2
        const double above = r.number == 1 || T < 647.096 ? Satpr(T) : b23(T);       // 1 and 3
        const double low = r.number == 1 || r.number == 3 ? above * (1.0 + margin) : 1e-4;
        const double high = r.number == 2 ? below * (1.0 - margin) : r.number == 5 ? 10.0 : 100.0;
        for (int j = 0; j < nP; ++j)
            grid.push_back({low * std::pow(high / low, (j + 0.5) / nP), T});
    }
    return grid;
}

}  // namespace vapomet::testing
