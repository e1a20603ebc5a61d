// Region 3, the dense fluid around the critical point: the Helmholtz relations of IAPWS-IF97
// Table 31 on phi(delta, tau). The properties take (rho, T); R3rho, which finds the density of
// a pressure, is in region3_density.cpp.
#include "property/region3.h"

#include <cmath>

namespace vapomet::detail {

double Phi(const FaultScope& f, double delta, double tau, int dd, int dt) {
    const auto& t = Tables();
    const double sum = SumTerms(f, t.R3I, t.R3J, t.R3n, 2, 40, delta, dd, tau, dt);
    // The n_1 ln delta term has no tau in it; it is added after the pass.
    if (dt != 0) return sum;
    const double n1 = t.R3n[1];
    if (dd == 0) return sum + n1 * std::log(delta);
    if (dd == 1) return sum + n1 / delta;
    return sum - n1 / delta / delta;
}

}  // namespace vapomet::detail

namespace vapomet {
namespace {

using detail::FaultScope;
using detail::Phi;
using detail::R;

struct Reduced {
    double delta, tau;
};

Reduced Reduce(const FaultScope& f, const double& rho, const double& T) {
    return {f.in(rho) / detail::kCriticalDensity, detail::kCriticalTemperature / f.in(T)};
}

// What cp and w share: X = delta phi_delta - delta tau phi_deltatau, the stiffness
// 2 delta phi_delta + delta^2 phi_deltadelta, and phi_tautau.
struct Compressibility {
    double tau, X, stiffness, p_tt;
};

Compressibility Derivatives(const FaultScope& f, const Reduced& x) {
    const double p_d = Phi(f, x.delta, x.tau, 1, 0);
    const double p_dd = Phi(f, x.delta, x.tau, 2, 0);
    const double p_tt = Phi(f, x.delta, x.tau, 0, 2);
    const double p_dt = Phi(f, x.delta, x.tau, 1, 1);
    return {x.tau, x.delta * p_d - x.delta * x.tau * p_dt,
            2.0 * x.delta * p_d + x.delta * x.delta * p_dd, p_tt};
}

}  // namespace

double R3h(const double& rho, const double& T) {
    const FaultScope f("R3h");
    const Reduced x = Reduce(f, rho, T);
    return f.result(
        (x.delta * Phi(f, x.delta, x.tau, 1, 0) + x.tau * Phi(f, x.delta, x.tau, 0, 1)) * R *
        f.in(T));
}

double R3s(const double& rho, const double& T) {
    const FaultScope f("R3s");
    const Reduced x = Reduce(f, rho, T);
    const double p = Phi(f, x.delta, x.tau, 0, 0);
    return f.result((x.tau * Phi(f, x.delta, x.tau, 0, 1) - p) * R);
}

double R3u(const double& rho, const double& T) {
    const FaultScope f("R3u");
    const Reduced x = Reduce(f, rho, T);
    return f.result(f.in(T)*R * x.tau * Phi(f, x.delta, x.tau, 0, 1));
}

double R3cp(const double& rho, const double& T) {
    const FaultScope f("R3cp");
    const Compressibility c = Derivatives(f, Reduce(f, rho, T));
    return f.result((c.X * c.X / c.stiffness - c.tau * c.tau * c.p_tt) * R);
}

double R3cv(const double& rho, const double& T) {
    const FaultScope f("R3cv");
    const Reduced x = Reduce(f, rho, T);
    return f.result(-x.tau * x.tau * Phi(f, x.delta, x.tau, 0, 2) * R);
}

double R3w(const double& rho, const double& T) {
    const FaultScope f("R3w");
    const Compressibility c = Derivatives(f, Reduce(f, rho, T));
    // 1000 turns R T from kJ/kg into J/kg: w comes out in m/s.
    return f.result(
        std::sqrt(f.in(T)*R * (c.stiffness - c.X * c.X / c.tau / c.tau / c.p_tt) * 1000.0));
}

}  // namespace vapomet
