// Region 2, steam: the Gibbs free energy gamma = gamma0 + gammar of IAPWS-IF97 eqs. 15 to 17,
// with pi = P / 1 MPa and tau = 540 K / T. The ideal-gas part sums the 9 terms of Table 10 in
// powers of tau; the residual part the 43 terms of Table 11 in powers of pi and b = tau - 0.5.
#include <cmath>

#include "property/fault.h"

namespace vapomet {
namespace {

using detail::FaultScope;
using detail::R;
using detail::SumTerms;

struct Reduced {
    double pi, tau, b;
};

Reduced Reduce(const FaultScope& f, const double& P, const double& T) {
    const double pi = f.in(P) / 1.0;
    const double tau = 540.0 / f.in(T);
    return {pi, tau, tau - 0.5};
}

constexpr int kIdealTerms = 9;
constexpr int kResidualTerms = 43;

// ---- ideal-gas part; its pi-derivative is 1/pi, not a sum ----

double Ideal(const FaultScope& f, const Reduced& x, int dtau) {
    const auto& t = Tables();
    return SumTerms(f, t.R2J0, t.R2n0, 1, kIdealTerms, x.tau, dtau);
}
double Gamma0(const FaultScope& f, const Reduced& x) {
    return std::log(x.pi) + Ideal(f, x, 0);
}
double Gamma0Tau(const FaultScope& f, const Reduced& x) {
    return Ideal(f, x, 1);
}
double Gamma0TauTau(const FaultScope& f, const Reduced& x) {
    return Ideal(f, x, 2);
}

// ---- residual part ----

double Residual(const FaultScope& f, const Reduced& x, int dpi, int dtau) {
    const auto& t = Tables();
    return SumTerms(f, t.R2I, t.R2J, t.R2n, 1, kResidualTerms, x.pi, dpi, x.b, dtau);
}
double GammaR(const FaultScope& f, const Reduced& x) {
    return Residual(f, x, 0, 0);
}
double GammaRPi(const FaultScope& f, const Reduced& x) {
    return Residual(f, x, 1, 0);
}
double GammaRPiPi(const FaultScope& f, const Reduced& x) {
    return Residual(f, x, 2, 0);
}
double GammaRTau(const FaultScope& f, const Reduced& x) {
    return Residual(f, x, 0, 1);
}
double GammaRTauTau(const FaultScope& f, const Reduced& x) {
    return Residual(f, x, 0, 2);
}
double GammaRPiTau(const FaultScope& f, const Reduced& x) {
    return Residual(f, x, 1, 1);
}

// The quantities of cv and w: X = 1 + pi gr_pi - tau pi gr_pitau and 1 - pi^2 gr_pipi.
struct Compressibility {
    double g_p, X, Y, g_tt;
};

Compressibility Derivatives(const FaultScope& f, const Reduced& x) {
    const double g0_tt = Gamma0TauTau(f, x);
    const double gr_tt = GammaRTauTau(f, x);
    const double gr_p = GammaRPi(f, x);
    const double gr_pp = GammaRPiPi(f, x);
    const double gr_pt = GammaRPiTau(f, x);
    return {gr_p, 1.0 + x.pi * gr_p - x.tau * x.pi * gr_pt, 1.0 - x.pi * x.pi * gr_pp,
            g0_tt + gr_tt};
}

}  // namespace

double R2v(const double& P, const double& T) {
    const FaultScope f("R2v");
    const Reduced x = Reduce(f, P, T);
    const double g0_p = 1.0 / x.pi;
    return f.result((GammaRPi(f, x) + g0_p) * x.pi * R * f.in(T) / f.in(P) / 1000.0);
}

double R2h(const double& P, const double& T) {
    const FaultScope f("R2h");
    const Reduced x = Reduce(f, P, T);
    const double g0_t = Gamma0Tau(f, x);
    return f.result((g0_t + GammaRTau(f, x)) * x.tau * R * f.in(T));
}

double R2s(const double& P, const double& T) {
    const FaultScope f("R2s");
    const Reduced x = Reduce(f, P, T);
    const double g0 = Gamma0(f, x);
    const double g0_t = Gamma0Tau(f, x);
    const double gr = GammaR(f, x);
    const double gr_t = GammaRTau(f, x);
    return f.result(R * (x.tau * (g0_t + gr_t) - (g0 + gr)));
}

double R2u(const double& P, const double& T) {
    const FaultScope f("R2u");
    const Reduced x = Reduce(f, P, T);
    const double g0_t = Gamma0Tau(f, x);
    const double gr_t = GammaRTau(f, x);
    const double gr_p = GammaRPi(f, x);
    const double g0_p = 1.0 / x.pi;
    return f.result(R * f.in(T) * (x.tau * (g0_t + gr_t) - x.pi * (g0_p + gr_p)));
}

double R2cp(const double& P, const double& T) {
    const FaultScope f("R2cp");
    const Reduced x = Reduce(f, P, T);
    const double g0_tt = Gamma0TauTau(f, x);
    return f.result(-R * x.tau * x.tau * (g0_tt + GammaRTauTau(f, x)));
}

double R2cv(const double& P, const double& T) {
    const FaultScope f("R2cv");
    const Reduced x = Reduce(f, P, T);
    const Compressibility c = Derivatives(f, x);
    return f.result(R * (-x.tau * x.tau * c.g_tt - c.X * c.X / c.Y));
}

double R2w(const double& P, const double& T) {
    const FaultScope f("R2w");
    const Reduced x = Reduce(f, P, T);
    const Compressibility c = Derivatives(f, x);
    const double N = 1.0 + 2.0 * x.pi * c.g_p + x.pi * x.pi * c.g_p * c.g_p;
    return f.result(
        std::sqrt(1000.0 * R * f.in(T)*N / (c.Y + c.X * c.X / (x.tau * x.tau * c.g_tt))));
}

}  // namespace vapomet
