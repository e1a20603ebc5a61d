// Region 3, the dense fluid around the critical point: the Helmholtz relations of IAPWS-IF97
// Table 31 on phi(delta, tau). The single routines take (rho, T); R3rho, which finds the density
// of a pressure, is in region3_density.cpp.
#include "property/region3.h"

#include <cmath>

#include "property/region3_density.h"

namespace vapomet::detail {

namespace {

constexpr int kFirst = 2, kLast = 40;  // the power terms; row 1 is the coefficient of ln delta

// The ranges of the exponents of delta and tau, taken once: they are the published ones.
const ExponentRanges& Ranges() {
    static const ExponentRanges ranges = RangesOf(Tables().R3I, Tables().R3J, kFirst, kLast);
    return ranges;
}

}  // namespace

double Phi(const FaultScope& f, double delta, double tau, int dd, int dt) {
    const auto& t = Tables();
    const double sum = SumTerms(f, t.R3I, t.R3J, t.R3n, kFirst, kLast, delta, dd, tau, dt);
    // The n_1 ln delta term has no tau in it; it is added after the pass.
    if (dt != 0) return sum;
    const double n1 = t.R3n[1];
    if (dd == 0) return sum + n1 * std::log(delta);
    if (dd == 1) return sum + n1 / delta;
    return sum - n1 / delta / delta;
}

double HelmholtzRelation(HelmholtzProperty property, const HelmholtzDerivatives& d) {
    // What cp and w share: X = delta phi_delta - delta tau phi_deltatau and the stiffness
    // 2 delta phi_delta + delta^2 phi_deltadelta.
    const double X = d.delta * d.phi_d - d.delta * d.tau * d.phi_dt;
    const double stiffness = 2.0 * d.delta * d.phi_d + d.delta * d.delta * d.phi_dd;
    switch (property) {
        // 1000 turns rho R T from kPa into MPa.
        case HelmholtzProperty::p:
            return kCriticalDensity * d.delta * R * d.T * d.delta * d.phi_d / 1000.0;
        case HelmholtzProperty::h: return (d.delta * d.phi_d + d.tau * d.phi_t) * R * d.T;
        case HelmholtzProperty::s: return (d.tau * d.phi_t - d.phi) * R;
        case HelmholtzProperty::u: return d.T * R * d.tau * d.phi_t;
        case HelmholtzProperty::cp: return (X * X / stiffness - d.tau * d.tau * d.phi_tt) * R;
        case HelmholtzProperty::cv: return -d.tau * d.tau * d.phi_tt * R;
        case HelmholtzProperty::w:
            // 1000 turns R T from kJ/kg into J/kg: w comes out in m/s.
            return std::sqrt(d.T * R * (stiffness - X * X / d.tau / d.tau / d.phi_tt) * 1000.0);
    }
    return 0.0;
}

HelmholtzDerivatives AllHelmholtz(const FaultScope& f, double delta, double T, bool exact) {
    const auto& t = Tables();
    HelmholtzDerivatives d{};
    d.T = T;
    d.delta = delta;
    d.tau = kCriticalTemperature / T;
    const PowerSums s =
        exact ? SumAllTerms<true>(f, t.R3I, t.R3J, t.R3n, kFirst, kLast, delta, d.tau, Ranges())
              : SumAllTerms<false>(f, t.R3I, t.R3J, t.R3n, kFirst, kLast, delta, d.tau, Ranges());
    const double n1 = t.R3n[1];
    d.phi = s.g + n1 * std::log(delta);
    d.phi_d = s.gx + n1 / delta;
    d.phi_dd = s.gxx - n1 / delta / delta;
    d.phi_t = s.gy;
    d.phi_tt = s.gyy;
    d.phi_dt = s.gxy;
    return d;
}

Isotherm::Isotherm(const FaultScope& f, double T)
    : f_(f),
      T_(T),
      tauPowers_(f, kCriticalTemperature / T, 0, Ranges().y.second),
      deltaRange_(Ranges().x) {}

Isotherm::Point Isotherm::at(double delta) const {
    const auto& t = Tables();
    const PowerTable<false> dp(f_, delta, deltaRange_.first, deltaRange_.second);
    const double n1 = t.R3n[1];
    double phi_d = n1 / delta, phi_dd = -n1 / delta / delta;
    for (int i = kFirst; i <= kLast; ++i) {
        const int I = t.R3I[i];
        const double nJ = t.R3n[i] * tauPowers_[t.R3J[i]];
        phi_d += nJ * I * dp[I - 1];
        phi_dd += nJ * I * (I - 1) * dp[I - 2];
    }
    Point p;
    p.pressure = kCriticalDensity * delta * R * T_ * delta * phi_d / 1000.0;
    p.stiffness = 2.0 * delta * phi_d + delta * delta * phi_dd;
    p.slope = kCriticalDensity * R * T_ * p.stiffness / 1000.0;
    return p;
}

}  // namespace vapomet::detail

namespace vapomet {
namespace {

using detail::FaultScope;
using detail::HelmholtzDerivatives;
using detail::HelmholtzProperty;
using H = HelmholtzProperty;
using detail::kCriticalDensity;
using detail::Phi;

// A single routine: the derivatives its relation needs, each by the general power function.
double Evaluate(HelmholtzProperty property, const char* routine, const double& rho,
                const double& T) {
    const FaultScope f(routine);
    HelmholtzDerivatives d{};
    d.T = f.in(T);
    d.delta = f.in(rho) / detail::kCriticalDensity;
    d.tau = detail::kCriticalTemperature / d.T;
    const auto phi = [&](int dd, int dt) { return Phi(f, d.delta, d.tau, dd, dt); };
    switch (property) {
        case HelmholtzProperty::p: d.phi_d = phi(1, 0); break;
        case HelmholtzProperty::h:
            d.phi_d = phi(1, 0);
            d.phi_t = phi(0, 1);
            break;
        case HelmholtzProperty::s:
            d.phi = phi(0, 0);
            d.phi_t = phi(0, 1);
            break;
        case HelmholtzProperty::u: d.phi_t = phi(0, 1); break;
        case HelmholtzProperty::cv: d.phi_tt = phi(0, 2); break;
        case HelmholtzProperty::cp:
        case HelmholtzProperty::w:
            d.phi_d = phi(1, 0);
            d.phi_dd = phi(2, 0);
            d.phi_tt = phi(0, 2);
            d.phi_dt = phi(1, 1);
            break;
    }
    return f.result(detail::HelmholtzRelation(property, d));
}

}  // namespace

// clang-format off
double R3h(const double& rho, const double& T) { return Evaluate(H::h, "R3h", rho, T); }
double R3s(const double& rho, const double& T) { return Evaluate(H::s, "R3s", rho, T); }
double R3u(const double& rho, const double& T) { return Evaluate(H::u, "R3u", rho, T); }
double R3cp(const double& rho, const double& T) { return Evaluate(H::cp, "R3cp", rho, T); }
double R3cv(const double& rho, const double& T) { return Evaluate(H::cv, "R3cv", rho, T); }
double R3w(const double& rho, const double& T) { return Evaluate(H::w, "R3w", rho, T); }
// clang-format on

StateProperties detail::Region3Properties(const char* routine, double rho, double T,
                                          double& pressure) {
    const FaultScope f(routine);
    const HelmholtzDerivatives d = detail::AllHelmholtz(f, f.in(rho) / kCriticalDensity, f.in(T));
    StateProperties state;
    state.rho = rho;
    state.v = 1.0 / rho;
    state.h = detail::HelmholtzRelation(HelmholtzProperty::h, d);
    state.u = detail::HelmholtzRelation(HelmholtzProperty::u, d);
    state.s = detail::HelmholtzRelation(HelmholtzProperty::s, d);
    state.cp = detail::HelmholtzRelation(HelmholtzProperty::cp, d);
    state.cv = detail::HelmholtzRelation(HelmholtzProperty::cv, d);
    state.w = detail::HelmholtzRelation(HelmholtzProperty::w, d);
    pressure = detail::HelmholtzRelation(HelmholtzProperty::p, d);
    f.results(std::array{&state.v, &state.h, &state.u, &state.s, &state.cp, &state.cv, &state.w,
                         &pressure});
    return state;
}

StateProperties R3State(const double& P, const double& T) {
    double pressure = 0.0;
    return detail::Region3Properties("R3State", detail::SolveRegion3Density(P, T).rho, T, pressure);
}

}  // namespace vapomet
