// States of water after IAPWS-IF97: the formulation's own regions, the saturated liquid and
// vapour, two-phase mixtures, and the states that have two given properties.
//
// Units as in property.h: P in MPa, T in K, density in kg/m3, v in m3/kg, h and u in kJ/kg,
// s, cp and cv in kJ/(kg K), w in m/s; the quality x from 0 to 1.
//
// The domain is that of the 1997 release: 273.15 K <= T <= 1073.15 K at 0 < P <= 100 MPa, and
// 1073.15 K < T <= 2273.15 K at 0 < P <= 10 MPa. Every state returned is exact: the basic
// equations at its (P, T), or at its (density, T) in region 3, give back the values it was asked
// for to 1e-12 relative. A value outside the domain ends with OutOfDomain, a pair of values that
// no state has with NoState, a search that does not settle within its step limit with
// ConvergenceFailure; none of them ever returns a wrong state.
#pragma once

#include <optional>
#include <string>
#include <string_view>
#include <utility>
#include <vector>

#include "property/property.h"

namespace vapomet {

// The regions of IAPWS-IF97. Region 4 is the saturation line: a state there is a two-phase
// mixture of saturated liquid and saturated vapour.
enum class Region { One = 1, Two = 2, Three = 3, Four = 4, Five = 5 };

// A state of water. A single phase (regions 1, 2, 3 and 5) has every property but x; a two-phase
// mixture (region 4) has P = psat, T = Tsat, its quality and the mixture's v, density, h, u and
// s, and carries the saturated liquid and vapour it is made of; cp, cv and w are not defined
// for a mixture and stay empty.
struct State {
    Region region;
    double P, T;
    double rho, v, h, u, s;
    std::optional<double> x;
    std::optional<double> cp, cv, w;
    std::optional<StateProperties> liquid, vapour;  // of a mixture only
    bool metastable = false;  // vapour below its saturation temperature, region 2's extension
};

// The saturated liquid and vapour at one point of the saturation line, each a single phase.
struct Saturation {
    State liquid, vapour;
};

// A value of a state. A state is asked for by two of the first seven (StatesFrom); the others
// are what it has besides.
enum class Variable { P, T, v, h, u, s, x, rho, cp, cv, w, g, f };

// "P", "T", "v", "h", "u", "s", "x", "rho", "cp", "cv", "w", "g", "f", and back; nothing for any
// other.
std::string_view NameOf(Variable variable);
std::optional<Variable> VariableNamed(std::string_view name);

// The value of a variable in a state; empty where the state has none (x of a single phase, cp,
// cv and w of a mixture).
std::optional<double> ValueOf(const State& state, Variable variable);

// The single routine of a property (v, h, u, s, cp, cv, w) in region 1, 2, 3 or 5: R1v ... R5w.
// Regions 1, 2 and 5 take (P, T), region 3 (density, T); region 3 has no v routine (its volume
// is 1 / density). Throws std::invalid_argument for any other.
using StateRoutine = double (*)(const double&, const double&);
StateRoutine RoutineOf(Region region, Variable property);

// ---- Failures --------------------------------------------------------------------------------

// A value outside the formulation's domain: what() names the bound ("T = 200 K below 273.15 K").
class OutOfDomain : public PropertyError {
  public:
    explicit OutOfDomain(const std::string& why);
};

// Values inside the domain that no state has together: what() says why ("h above the largest
// enthalpy at 5 MPa in the formulation's range").
class NoState : public PropertyError {
  public:
    explicit NoState(const std::string& why);
};

// ---- The formulation's regions ---------------------------------------------------------------

// The region of (P, T) by the boundaries of IAPWS-IF97: region 1 up to 623.15 K at P > psat(T);
// region 3 above 623.15 K at P >= b23(T) (up to 863.15 K); region 2 below both, up to 1073.15 K;
// region 5 above 1073.15 K. A state exactly on the saturation line is taken as vapour, region 2
// (or region 3's vapour-like density above 623.15 K). Throws OutOfDomain.
Region RegionAt(double P, double T);

// The single-phase state at (P, T), in the region RegionAt gives.
State StateAt(double P, double T);

// The single-phase state at (P, T) computed with the equation of the given region (1, 2, 3 or 5),
// wherever that lies; region 3 takes the density R3rho finds. This is the one place that turns a
// region and its state into the properties; it throws what the whole-state routines throw.
State StateInRegion(Region region, double P, double T);

// The region-3 state at (density, T); its pressure is the equation's.
State Region3State(double rho, double T);

// Metastable (supercooled) vapour at (P, T) by the supplementary equation of IAPWS-IF97: from
// the saturated-vapour line, T <= Tsat(P), down to the 5 % equilibrium-moisture line, where h
// equals that of wet steam of quality 0.95 at P, for Satpr(273.16 K) <= P <= 10 MPa. The state
// is region 2's, marked metastable. Throws OutOfDomain outside that range.
State MetastableVapourAt(double P, double T);

// ---- The saturation line ---------------------------------------------------------------------

// Saturated liquid and vapour at T (273.15 K <= T <= 647.096 K, P = Satpr(T)) or at P
// (Satpr(273.15 K) <= P <= 22.064 MPa, T = Sattr(P)). Up to 623.15 K the liquid is region 1's
// and the vapour region 2's; above it both are region 3's, the liquid-like and the vapour-like
// density at psat. At the critical point the two coincide. Throws OutOfDomain.
Saturation SaturationAtT(double T);
Saturation SaturationAtP(double P);

// The mixture of quality x (0 <= x <= 1) of a saturation state.
State Mixture(const Saturation& saturation, double x);

// ---- Derived properties ------------------------------------------------------------------------

// (dz/dx) at constant y, for z, x and y among P, T, v, u, h, s, g and f, at a single phase, in
// the units above (P in MPa): from the first derivatives of the region's fundamental equation
// by the Jacobian rule of the IAPWS advisory note on thermodynamic derivatives. (dh/dT)_P is cp.
// Throws std::invalid_argument for a mixture, another variable or x = y.
double Derivative(const State& state, Variable z, Variable x, Variable y);

// What engineers derive from a single phase's derivatives.
struct Derived {
    double kappa;                        // isentropic exponent w^2 / (P v)
    double jouleThomson;                 // (dT/dP)_h, K/MPa
    double isothermalThrottling;         // (dh/dP)_T, kJ/(kg MPa)
    double compressibility;              // isothermal, -(dv/dP)_T / v, 1/MPa
    double expansion;                    // isobaric, (dv/dT)_P / v, 1/K
    double relativePressureCoefficient;  // (dP/dT)_v / P, 1/K
    double Z;                            // compression factor P v / (R T)
};
// Throws std::invalid_argument for a mixture.
Derived DerivedOf(const State& state);

// The slope of the saturation line, dpsat/dT in MPa/K, from the saturation equation (273.15 K
// to 647.096 K); and the surface tension of water against its vapour there in mN/m, after IAPWS
// R1-76(2014). Both throw OutOfDomain outside.
double SaturationPressureSlope(double T);
double SurfaceTension(double T);

// ---- Transport after today's releases ----------------------------------------------------------

// The dynamic viscosity in µPa s at (T, density) after the IAPWS Formulation 2008 (R12-08) for
// industrial use, without the critical enhancement; beside Vis, the IAPS 1985 equation.
double Viscosity2008(const double& T, const double& rho);

// The thermal conductivity in W/(m K) of a single phase after the IAPWS Formulation 2011
// (R15-11) for industrial use, with its simplified critical enhancement: the state's own
// compressibility, cp and cv, and Viscosity2008. Beside Cond, the IAPS 1985 equation. Throws
// std::invalid_argument for a mixture.
double Conductivity2011(const State& state);

// The viscosity (µPa s) and conductivity (W/(m K)) of a single phase after the IAPS 1985
// equations the pages use (Vis and Cond in one pass, equal to them to 1e-13), or after the 2008
// viscosity and 2011 conductivity. Throws std::invalid_argument for a mixture.
enum class TransportRelease { Iaps1985, Iapws2008 };
struct Transport {
    double viscosity, conductivity;
};
Transport TransportOf(const State& state, TransportRelease release);

// ---- States from two properties ----------------------------------------------------------------

// Throws OutOfDomain for a value that no state has alone: P outside (0, 100] MPa, T outside
// [273.15, 2273.15] K, x outside [0, 1], v not above 0, any value not finite.
void CheckValue(Variable variable, double value);

// The pairs StatesFrom answers, each with the variable that comes first in Variable first:
// (P,T), (P,h), (P,s), (h,s), (P,u), (P,v), (T,v), (T,s), (T,h), (v,u), (P,x), (T,x), (h,x),
// (s,x).
std::vector<std::pair<Variable, Variable>> OfferedPairs();

// Whether StatesFrom answers a pair (in either order): (P,T), (P,h), (P,s), (h,s), (P,u),
// (P,v), (T,v), (T,s), (T,h), (u,v), (P,x), (T,x), (h,x), (s,x).
bool IsOfferedPair(Variable a, Variable b);

// Every state of the formulation with value `a` of a and `b` of b, ordered by pressure, then
// temperature. Along an isotherm h and s rise and fall, and so does v along an isobar near
// 277 K, so (T,h), (T,s), (P,v), (h,x) and (s,x) can give several states; the others give
// one. Throws std::invalid_argument for a pair that is not offered, OutOfDomain, NoState or
// ConvergenceFailure; the result is never empty.
std::vector<State> StatesFrom(Variable a, double valueA, Variable b, double valueB);

}  // namespace vapomet
