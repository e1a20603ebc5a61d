// States of water: the formulation's regions at (P, T), the one evaluation of a region's
// properties, the saturated liquid and vapour, and mixtures of the two.
#include <algorithm>
#include <cmath>
#include <cstdio>
#include <iterator>
#include <stdexcept>

#include "property/domain.h"
#include "property/gibbs.h"
#include "property/local.h"
#include "property/region3.h"
#include "property/region3_density.h"

namespace vapomet {

using detail::kCriticalTemperature;

namespace {

constexpr const char* kNames[] = {"P",   "T",  "v",  "h", "u", "s", "x",
                                  "rho", "cp", "cv", "w", "g", "f"};
constexpr const char* kUnits[] = {"MPa",       "K",     "m3/kg", "kJ/kg",     "kJ/kg",
                                  "kJ/(kg K)", "",      "kg/m3", "kJ/(kg K)", "kJ/(kg K)",
                                  "m/s",       "kJ/kg", "kJ/kg"};

// The single routines, by region and by property v, h, u, s, cp, cv, w.
constexpr StateRoutine kRoutines[][7] = {{R1v, R1h, R1u, R1s, R1cp, R1cv, R1w},
                                         {R2v, R2h, R2u, R2s, R2cp, R2cv, R2w},
                                         {nullptr, R3h, R3u, R3s, R3cp, R3cv, R3w},
                                         {R5v, R5h, R5u, R5s, R5cp, R5cv, R5w}};

State SinglePhase(Region region, double P, double T, const StateProperties& p) {
    return {region, P, T, p.rho, p.v, p.h, p.u, p.s, std::nullopt, p.cp, p.cv, p.w, {}, {}};
}

StateProperties PropertiesOf(const State& s) {
    return {s.rho, s.v, s.h, s.u, s.s, s.cp.value_or(0.0), s.cv.value_or(0.0), s.w.value_or(0.0)};
}

// The region-3 state at (P, T) on a chosen branch of a looping isotherm, reported at P itself.
State Region3At(double P, double T, detail::DensityBranch branch, double startRho = 0.0) {
    State state = Region3State(detail::SolveRegion3Density(P, T, branch, startRho).rho, T);
    state.P = P;
    return state;
}

}  // namespace

OutOfDomain::OutOfDomain(const std::string& why) : PropertyError("StatesFrom", why) {}
NoState::NoState(const std::string& why) : PropertyError("StatesFrom", why) {}

std::string_view NameOf(Variable variable) {
    return kNames[static_cast<int>(variable)];
}

std::optional<Variable> VariableNamed(std::string_view name) {
    for (int i = 0; i < static_cast<int>(std::size(kNames)); ++i)
        if (name == kNames[i]) return static_cast<Variable>(i);
    return std::nullopt;
}

std::optional<double> ValueOf(const State& state, Variable variable) {
    switch (variable) {
        case Variable::P: return state.P;
        case Variable::T: return state.T;
        case Variable::v: return state.v;
        case Variable::h: return state.h;
        case Variable::u: return state.u;
        case Variable::s: return state.s;
        case Variable::x: return state.x;
        case Variable::rho: return state.rho;
        case Variable::cp: return state.cp;
        case Variable::cv: return state.cv;
        case Variable::w: return state.w;
        case Variable::g: return state.h - state.T * state.s;  // the Gibbs energy
        case Variable::f: return state.u - state.T * state.s;  // the Helmholtz energy
    }
    return std::nullopt;
}

StateRoutine RoutineOf(Region region, Variable property) {
    constexpr Variable kOrder[] = {Variable::v,  Variable::h,  Variable::u, Variable::s,
                                   Variable::cp, Variable::cv, Variable::w};
    const int row = region == Region::One     ? 0
                    : region == Region::Two   ? 1
                    : region == Region::Three ? 2
                    : region == Region::Five  ? 3
                                              : -1;
    const auto column = std::find(std::begin(kOrder), std::end(kOrder), property);
    if (row < 0 || column == std::end(kOrder) || kRoutines[row][column - kOrder] == nullptr)
        throw std::invalid_argument("no single routine of " + std::string(NameOf(property)) +
                                    " in region " + std::to_string(static_cast<int>(region)));
    return kRoutines[row][column - kOrder];
}

void CheckValue(Variable variable, double value) {
    if (!std::isfinite(value))
        throw OutOfDomain(std::string(NameOf(variable)) + " is not a finite number");
    const auto outside = [&](const char* range) {
        return OutOfDomain(detail::Quoted(variable, value) + " outside the formulation's range " +
                           range);
    };
    using namespace detail;
    switch (variable) {
        case Variable::P:
            if (!(value > 0.0 && value <= kHighestPressure)) throw outside("0 < P <= 100 MPa");
            break;
        case Variable::T:
            if (!(value >= kLowestTemperature && value <= kHighestTemperature))
                throw outside("273.15 K <= T <= 2273.15 K");
            break;
        case Variable::x:
            if (!(value >= 0.0 && value <= 1.0)) throw outside("0 <= x <= 1");
            break;
        case Variable::v:
            if (!(value > 0.0)) throw outside("v > 0");
            break;
        default: break;
    }
}

namespace detail {

std::string Amount(Variable variable, double value) {
    char text[64];
    std::snprintf(text, sizeof text, "%.6g", value);
    const char* unit = kUnits[static_cast<int>(variable)];
    return *unit != '\0' ? std::string(text) + " " + unit : std::string(text);
}

std::string Quoted(Variable variable, double value) {
    return std::string(NameOf(variable)) + " = " + Amount(variable, value);
}

Saturation Saturated(double P, double T, double liquidStart, double vapourStart) {
    if (SaturatedInRegions1And2(P, T))
        return {StateInRegion(Region::One, P, T), StateInRegion(Region::Two, P, T)};
    if (T >= kCriticalTemperature) {  // the critical point: one state
        const State critical = Region3At(P, T, DensityBranch::ByPressure, liquidStart);
        return {critical, critical};
    }
    return {Region3At(P, T, DensityBranch::Liquid, liquidStart),
            Region3At(P, T, DensityBranch::Vapour, vapourStart)};
}

void CheckDomain(double P, double T) {
    CheckValue(Variable::P, P);
    CheckValue(Variable::T, T);
    if (P > HighestPressureAt(T))
        throw OutOfDomain(Quoted(Variable::P, P) + " above 10 MPa, the formulation's limit above " +
                          "1073.15 K (" + Quoted(Variable::T, T) + ")");
}

}  // namespace detail

Region RegionAt(double P, double T) {
    detail::CheckDomain(P, T);
    if (T <= detail::kRegion1Top) return P > Satpr(T) ? Region::One : Region::Two;
    if (T <= detail::kB23Top) return P >= b23(T) ? Region::Three : Region::Two;
    if (T <= detail::kRegion2Top) return Region::Two;
    return Region::Five;
}

State StateAt(double P, double T) {
    const Region region = RegionAt(P, T);
    if (region != Region::Three || T > kCriticalTemperature) return StateInRegion(region, P, T);
    // Below the critical temperature the saturation pressure names the phase, as in region 1/2.
    using detail::DensityBranch;
    return Region3At(P, T, P > Satpr(T) ? DensityBranch::Liquid : DensityBranch::Vapour);
}

State StateInRegion(Region region, double P, double T) {
    switch (region) {
        case Region::One: return SinglePhase(region, P, T, R1State(P, T));
        case Region::Two: return SinglePhase(region, P, T, R2State(P, T));
        case Region::Three: return SinglePhase(region, P, T, R3State(P, T));
        case Region::Five: return SinglePhase(region, P, T, R5State(P, T));
        case Region::Four: break;
    }
    throw std::invalid_argument("region 4 has no single-phase state");
}

State Region3State(double rho, double T) {
    double P = 0.0;
    const StateProperties p = detail::Region3Properties("Region3State", rho, T, P);
    return SinglePhase(Region::Three, P, T, p);
}

State MetastableVapourAt(double P, double T) {
    using detail::Quoted;
    CheckValue(Variable::P, P);
    CheckValue(Variable::T, T);
    // The release's range: the triple-point pressure (611.657 Pa) to 10 MPa.
    constexpr double kTriplePointPressure = 611.657e-6, kHighest = 10.0;
    if (P < kTriplePointPressure || P > kHighest)
        throw OutOfDomain(Quoted(Variable::P, P) +
                          " outside the metastable-vapour equation's range, 611.657 Pa to 10 MPa");
    const double Tsat = Sattr(P);
    if (T > Tsat)
        throw OutOfDomain(Quoted(Variable::T, T) + " above the saturation temperature " +
                          detail::Amount(Variable::T, Tsat) + " at " + Quoted(Variable::P, P) +
                          ": the vapour is superheated, not metastable");
    // The 5 % equilibrium-moisture line, from the equilibrium h' and h" at the given pressure;
    // tested on h alone, as far below it the speed of sound has no real value.
    constexpr double kDriestWetSteam = 0.95;
    const Saturation line = SaturationAtP(P);
    const double hLimit = line.liquid.h + kDriestWetSteam * (line.vapour.h - line.liquid.h);
    const double h = detail::EvaluateGibbs(detail::kMetastableVapour, detail::GibbsProperty::h,
                                           "MetastableVapourAt", P, T);
    if (h < hLimit)
        throw OutOfDomain(Quoted(Variable::T, T) + " below the 5 % equilibrium-moisture line at " +
                          Quoted(Variable::P, P) +
                          ", the metastable-vapour equation's lowest temperature there");
    State state =
        SinglePhase(Region::Two, P, T,
                    detail::GibbsState(detail::kMetastableVapour, "MetastableVapourAt", P, T));
    state.metastable = true;
    return state;
}

Saturation SaturationAtT(double T) {
    CheckValue(Variable::T, T);
    if (T > kCriticalTemperature)
        throw OutOfDomain(detail::Quoted(Variable::T, T) +
                          " above the critical temperature 647.096 K: no saturation state");
    return detail::Saturated(Satpr(T), T);
}

Saturation SaturationAtP(double P) {
    CheckValue(Variable::P, P);
    if (P > Satpr(kCriticalTemperature))
        throw OutOfDomain(detail::Quoted(Variable::P, P) +
                          " above the critical pressure 22.064 MPa: no saturation state");
    if (P < Satpr(detail::kLowestTemperature))
        throw OutOfDomain(detail::Quoted(Variable::P, P) +
                          " below the saturation pressure at 273.15 K, 611.213 Pa");
    return detail::Saturated(P, std::min(Sattr(P), kCriticalTemperature));
}

State Mixture(const Saturation& saturation, double x) {
    CheckValue(Variable::x, x);
    const State& l = saturation.liquid;
    const State& g = saturation.vapour;
    const auto mix = [x](double liquid, double vapour) { return liquid + x * (vapour - liquid); };
    State state{Region::Four,
                l.P,
                l.T,
                0.0,
                mix(l.v, g.v),
                mix(l.h, g.h),
                mix(l.u, g.u),
                mix(l.s, g.s),
                x,
                std::nullopt,
                std::nullopt,
                std::nullopt,
                PropertiesOf(l),
                PropertiesOf(g)};
    state.rho = 1.0 / state.v;
    return state;
}

// ---- Derived properties ------------------------------------------------------------------------

namespace {

// The first derivatives at a single phase, in its region's own variables.
detail::Local LocalOf(const State& state) {
    if (state.x)
        throw std::invalid_argument("derivatives of a single phase only, not of wet steam");
    return state.region == Region::Three
               ? detail::HelmholtzLocal(state.rho, state.T)
               : detail::GibbsLocal(state.region, state.P, state.T, state.metastable);
}

bool Differentiable(Variable v) {
    switch (v) {
        case Variable::P:
        case Variable::T:
        case Variable::v:
        case Variable::h:
        case Variable::u:
        case Variable::s:
        case Variable::g:
        case Variable::f: return true;
        default: return false;
    }
}

// IAPWS R1-76(2014): sigma = B tau^mu (1 + b tau) with tau = 1 - T/Tc.
constexpr double kSurfaceTensionB = 235.8;  // mN/m
constexpr double kSurfaceTensionb = -0.625;
constexpr double kSurfaceTensionMu = 1.256;

void CheckSaturationTemperature(double T) {
    CheckValue(Variable::T, T);
    if (T > kCriticalTemperature)
        throw OutOfDomain(detail::Quoted(Variable::T, T) +
                          " above the critical temperature 647.096 K: no saturation line");
}

}  // namespace

double Derivative(const State& state, Variable z, Variable x, Variable y) {
    for (const Variable v : {z, x, y})
        if (!Differentiable(v))
            throw std::invalid_argument("no derivative of or by " + std::string(NameOf(v)) +
                                        ": P, T, v, u, h, s, g and f have them");
    if (x == y) throw std::invalid_argument("a derivative by a variable held constant");
    return LocalOf(state).partial(z, x, y);
}

Derived DerivedOf(const State& state) {
    const detail::Local local = LocalOf(state);
    using V = Variable;
    Derived d{};
    // P in MPa: P v in kJ/kg is 1000 P v, and w^2 in m2/s2 is J/kg.
    d.kappa = state.w.value_or(0.0) * state.w.value_or(0.0) / (1e6 * state.P * state.v);
    d.jouleThomson = local.partial(V::T, V::P, V::h);
    d.isothermalThrottling = local.partial(V::h, V::P, V::T);
    d.compressibility = -local.partial(V::v, V::P, V::T) / state.v;
    d.expansion = local.partial(V::v, V::T, V::P) / state.v;
    d.relativePressureCoefficient = local.partial(V::P, V::T, V::v) / state.P;
    d.Z = 1000.0 * state.P * state.v / (detail::R * state.T);
    return d;
}

double SaturationPressureSlope(double T) {
    CheckSaturationTemperature(T);
    return detail::SaturationSlope(T);
}

double SurfaceTension(double T) {
    CheckSaturationTemperature(T);
    const double tau = 1.0 - T / kCriticalTemperature;
    return kSurfaceTensionB * std::pow(tau, kSurfaceTensionMu) * (1.0 + kSurfaceTensionb * tau);
}

}  // namespace vapomet
