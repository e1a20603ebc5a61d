// The bounds of IAPWS-IF97's domain and of its regions, and the checks of a value against them
// (not part of the public header).
#pragma once

#include <string>

#include "property/region3_density.h"
#include "property/state.h"

namespace vapomet::detail {

inline constexpr double kLowestTemperature = 273.15;  // K
inline constexpr double kRegion1Top = 623.15;         // where the saturation line meets B23
inline constexpr double kB23Top = 863.15;             // where B23 reaches 100 MPa
inline constexpr double kRegion2Top = 1073.15;
inline constexpr double kHighestTemperature = 2273.15;
inline constexpr double kHighestPressure = 100.0;  // MPa
inline constexpr double kRegion5Pressure = 10.0;   // the highest pressure above 1073.15 K
inline constexpr double kCriticalPressure = 22.064;

// The lowest pressure a search along an isotherm or an isentrope looks at: 1 mPa, far below any
// vacuum engineers work in, yet where the vapour equations still hold every digit.
inline constexpr double kLowestSearchedPressure = 1e-9;

// Whether the saturated phases at (P, T) on the saturation line are those of regions 1 and 2:
// up to 623.15 K, or up to its saturation pressure, so that the line's point there is the same
// whether it was named by its temperature or by its pressure.
inline bool SaturatedInRegions1And2(double P, double T) {
    return T <= kRegion1Top || P <= Satpr(kRegion1Top);
}

// The highest pressure of the domain at T.
inline double HighestPressureAt(double T) {
    return T > kRegion2Top ? kRegion5Pressure : kHighestPressure;
}

// "5 MPa", "647.096 K": a value with its unit, in six significant digits, for the messages; and
// the same after its name, "P = 5 MPa".
std::string Amount(Variable variable, double value);
std::string Quoted(Variable variable, double value);

// Throws OutOfDomain for a (P, T) outside the domain, P checked against T.
void CheckDomain(double P, double T);

// The saturated liquid and vapour at (P, T) on the saturation line; above 623.15 K region 3's
// densities there, each solved from the given start (0: none). A search hands over the densities
// it found, so that its answer is the state it found also next to the critical point, where the
// density's last digits are loose.
Saturation Saturated(double P, double T, double liquidStart = 0.0, double vapourStart = 0.0);

}  // namespace vapomet::detail
