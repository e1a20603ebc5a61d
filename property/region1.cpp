// Region 1, compressed liquid: the Gibbs free energy gamma(pi, tau) of IAPWS-IF97 eq. 7 with
// pi = P / 16.53 MPa and tau = 1386 K / T, summed over the 34 terms of Table 2 in powers of
// a = 7.1 - pi and b = tau - 1.222. Every term is evaluated, also where its factor is zero.
#include <cmath>

#include "property/fault.h"

namespace vapomet {
namespace {

using detail::FaultScope;
using detail::R;
using detail::SumTerms;

struct Reduced {
    double pi, tau, a, b;
};

Reduced Reduce(const FaultScope& f, const double& P, const double& T) {
    const double pi = f.in(P) / 16.53;
    const double tau = 1386.0 / f.in(T);
    return {pi, tau, 7.1 - pi, tau - 1.222};
}

constexpr int kTerms = 34;

// gamma and its derivatives: d/dpi = -d/da, d/dtau = d/db.
double Sum(const FaultScope& f, const Reduced& x, int da, int db) {
    const auto& t = Tables();
    return SumTerms(f, t.R1I, t.R1J, t.R1n, 1, kTerms, x.a, da, x.b, db);
}
double Gamma(const FaultScope& f, const Reduced& x) {
    return Sum(f, x, 0, 0);
}
double GammaPi(const FaultScope& f, const Reduced& x) {
    return -Sum(f, x, 1, 0);
}
double GammaPiPi(const FaultScope& f, const Reduced& x) {
    return Sum(f, x, 2, 0);
}
double GammaTau(const FaultScope& f, const Reduced& x) {
    return Sum(f, x, 0, 1);
}
double GammaTauTau(const FaultScope& f, const Reduced& x) {
    return Sum(f, x, 0, 2);
}
double GammaPiTau(const FaultScope& f, const Reduced& x) {
    return -Sum(f, x, 1, 1);
}

}  // namespace

double R1v(const double& P, const double& T) {
    const FaultScope f("R1v");
    const Reduced x = Reduce(f, P, T);
    return f.result(x.pi * GammaPi(f, x) * R * f.in(T) / f.in(P) / 1000.0);
}

double R1h(const double& P, const double& T) {
    const FaultScope f("R1h");
    const Reduced x = Reduce(f, P, T);
    return f.result(R * f.in(T)*x.tau * GammaTau(f, x));
}

double R1s(const double& P, const double& T) {
    const FaultScope f("R1s");
    const Reduced x = Reduce(f, P, T);
    return f.result(R * (x.tau * GammaTau(f, x) - Gamma(f, x)));
}

double R1u(const double& P, const double& T) {
    const FaultScope f("R1u");
    const Reduced x = Reduce(f, P, T);
    return f.result(R * f.in(T) * (x.tau * GammaTau(f, x) - x.pi * GammaPi(f, x)));
}

double R1cp(const double& P, const double& T) {
    const FaultScope f("R1cp");
    const Reduced x = Reduce(f, P, T);
    return f.result(-R * x.tau * x.tau * GammaTauTau(f, x));
}

double R1cv(const double& P, const double& T) {
    const FaultScope f("R1cv");
    const Reduced x = Reduce(f, P, T);
    const double g_p = GammaPi(f, x);
    const double g_pp = GammaPiPi(f, x);
    const double g_tt = GammaTauTau(f, x);
    const double g_pt = GammaPiTau(f, x);
    const double X = g_p - x.tau * g_pt;
    return f.result(R * (-x.tau * x.tau * g_tt + X * X / g_pp));
}

double R1w(const double& P, const double& T) {
    const FaultScope f("R1w");
    const Reduced x = Reduce(f, P, T);
    const double g_p = GammaPi(f, x);
    const double g_pp = GammaPiPi(f, x);
    const double g_tt = GammaTauTau(f, x);
    const double g_pt = GammaPiTau(f, x);
    const double X = g_p - x.tau * g_pt;
    return f.result(
        std::sqrt(1000.0 * R * f.in(T)*g_p * g_p / (X * X / (x.tau * x.tau * g_tt) - g_pp)));
}

}  // namespace vapomet
