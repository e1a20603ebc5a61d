// The state functions of a single phase near one point, for the searches that find a state from
// two of its properties (not part of the public header).
//
// Each region has two variables of its own: (P, T) for the Gibbs regions 1, 2 and 5, (rho, T) for
// region 3. At a point, Local holds P, T, v, h, u and s with their first partial derivatives in
// those two variables; any derivative of one function at another held constant follows from them
// (the Jacobian rule of the IAPWS advisory note on thermodynamic derivatives). The powers are
// plain, not exactly rounded: a search's steps need the functions to a few units in the last
// place, and its answer is evaluated again by the whole-state path.
#pragma once

#include <array>

#include "property/state.h"

namespace vapomet::detail {

inline constexpr int kFunctions = 6;  // P, T, v, h, u, s: the first six Variables

inline constexpr int Index(Variable v) {
    return static_cast<int>(v);
}

struct Local {
    std::array<double, kFunctions> value{};
    std::array<double, kFunctions> byFirst{};  // d/dP at constant T, or d/drho at constant T
    std::array<double, kFunctions> byT{};      // d/dT at constant P, or at constant rho
    bool byDensity = false;                    // region 3's variables, (rho, T)

    double operator[](Variable v) const { return value[Index(v)]; }
    // The derivatives of a function (P, T, v, h, u, s, or g = h - T s and f = u - T s) in the
    // region's two variables.
    std::array<double, 2> differential(Variable v) const;
    // (dz/dx) at constant y.
    double partial(Variable z, Variable x, Variable y) const;
};

// At (P, T) by the equation of region 1, 2 or 5, or by region 2's metastable-vapour equation;
// at (rho, T) by region 3's.
Local GibbsLocal(Region region, double P, double T, bool metastable = false);
Local HelmholtzLocal(double rho, double T);

// The slope of the saturation pressure, dpsat/dT in MPa/K, from the saturation equation itself.
double SaturationSlope(double T);

}  // namespace vapomet::detail
