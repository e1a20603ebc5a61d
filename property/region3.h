// Region 3's Helmholtz free energy, shared by its relations (region3.cpp) and its density solver
// (region3_density.cpp); not part of the public header.
//
// IAPWS-IF97 eq. 28: phi(delta, tau) = n_1 ln delta + the 39 power terms 2..40 of Table 30, with
// delta = rho / 322 kg/m3 and tau = 647.096 K / T.
#pragma once

#include "property/fault.h"

namespace vapomet::detail {

inline constexpr double kCriticalDensity = 322.0;        // kg/m3
inline constexpr double kCriticalTemperature = 647.096;  // K

// phi differentiated dd times in delta and dt times in tau, each order 0 to 2, the n_1 ln delta
// term included.
double Phi(const FaultScope& f, double delta, double tau, int dd, int dt);

}  // namespace vapomet::detail
