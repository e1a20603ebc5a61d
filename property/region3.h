// Region 3's Helmholtz free energy, shared by its relations and whole-state path (region3.cpp)
// and its density solver (region3_density.cpp); not part of the public header.
//
// IAPWS-IF97 eq. 28: phi(delta, tau) = n_1 ln delta + the 39 power terms 2..40 of Table 30, with
// delta = rho / 322 kg/m3 and tau = 647.096 K / T.
#pragma once

#include "property/fault.h"

namespace vapomet::detail {

inline constexpr double kCriticalDensity = 322.0;        // kg/m3
inline constexpr double kCriticalTemperature = 647.096;  // K

// phi differentiated dd times in delta and dt times in tau, each order 0 to 2, the n_1 ln delta
// term included; every power by the general power function.
double Phi(const FaultScope& f, double delta, double tau, int dd, int dt);

// The derivatives of phi at one state, and T. Fields a property does not need may be zero.
struct HelmholtzDerivatives {
    double T, delta, tau;
    double phi, phi_d, phi_dd, phi_t, phi_tt, phi_dt;
};

enum class HelmholtzProperty { p, h, s, u, cp, cv, w };

// The relations of IAPWS-IF97 Table 31 on derivatives already summed.
double HelmholtzRelation(HelmholtzProperty property, const HelmholtzDerivatives& d);

// Every property of region 3 at (rho, T) from one pass over the terms, exactly rounded, and the
// pressure there. The routine's fault scope is named `routine`.
StateProperties Region3Properties(const char* routine, double rho, double T, double& pressure);

// Every derivative at (delta, T) in one pass, each power formed once by multiplication: exactly
// rounded for the whole state, plain for the steps of a search.
HelmholtzDerivatives AllHelmholtz(const FaultScope& f, double delta, double T, bool exact = true);

// The pressure along one isotherm: the powers of tau are formed once, and each density then
// costs one pass over the terms for the pressure and its slope together.
class Isotherm {
  public:
    Isotherm(const FaultScope& f, double T);

    struct Point {
        double pressure;   // MPa
        double slope;      // dp/ddelta, MPa
        double stiffness;  // 2 delta phi_delta + delta^2 phi_deltadelta: dp/drho in units of R T
    };
    Point at(double delta) const;

  private:
    const FaultScope& f_;
    double T_;
    PowerTable<false> tauPowers_;
    std::pair<int, int> deltaRange_;  // the exponents of delta the pressure needs
};

}  // namespace vapomet::detail
