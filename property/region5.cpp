// Region 5, high-temperature steam, in the first (1997) release of IAPWS-IF97: the Gibbs free
// energy gamma = gamma0 + gammar with pi = P / 1 MPa and tau = 1000 K / T, an ideal-gas part of
// six terms in powers of tau and a residual part of five terms in powers of pi and tau.
#include <cmath>

#include "property/fault.h"

namespace vapomet {
namespace {

using detail::FaultScope;
using detail::R;
using detail::SumTerms;

struct Reduced {
    double pi, tau;
};

Reduced Reduce(const FaultScope& f, const double& P, const double& T) {
    return {f.in(P), 1000.0 / f.in(T)};
}

constexpr int kIdealTerms = 6;
constexpr int kResidualTerms = 5;

// ---- ideal-gas part; ln pi is added by the caller, the pi-derivative is 1/pi ----

double Ideal(const FaultScope& f, const Reduced& x, int dtau) {
    const auto& t = Tables();
    return SumTerms(f, t.R5J0, t.R5n0, 1, kIdealTerms, x.tau, dtau);
}
double Gamma0Sum(const FaultScope& f, const Reduced& x) {
    return Ideal(f, x, 0);
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
    return SumTerms(f, t.R5I, t.R5J, t.R5n, 1, kResidualTerms, x.pi, dpi, x.tau, dtau);
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

// The quantities of cv and w, after the ideal-gas pass and then the residual pass.
struct Compressibility {
    double gr_p, X, Y, g_tt;
};

Compressibility Derivatives(const FaultScope& f, const Reduced& x) {
    const double g0_tt = Gamma0TauTau(f, x);
    const double gr_p = GammaRPi(f, x);
    const double gr_pp = GammaRPiPi(f, x);
    const double gr_tt = GammaRTauTau(f, x);
    const double gr_pt = GammaRPiTau(f, x);
    return {gr_p, 1.0 + x.pi * gr_p - x.pi * x.tau * gr_pt, 1.0 - x.pi * x.pi * gr_pp,
            gr_tt + g0_tt};
}

}  // namespace

double R5v(const double& P, const double& T) {
    const FaultScope f("R5v");
    const Reduced x = Reduce(f, P, T);
    const double g0_p = 1.0 / x.pi;
    return f.result(f.in(T)*R * x.pi * (GammaRPi(f, x) + g0_p) / f.in(P) / 1000.0);
}

double R5h(const double& P, const double& T) {
    const FaultScope f("R5h");
    const Reduced x = Reduce(f, P, T);
    const double g0_t = Gamma0Tau(f, x);
    return f.result(f.in(T)*R * x.tau * (GammaRTau(f, x) + g0_t));
}

double R5s(const double& P, const double& T) {
    const FaultScope f("R5s");
    const Reduced x = Reduce(f, P, T);
    const double g0 = Gamma0Sum(f, x) + std::log(x.pi);
    const double g0_t = Gamma0Tau(f, x);
    const double gr = GammaR(f, x);
    const double gr_t = GammaRTau(f, x);
    return f.result((x.tau * (gr_t + g0_t) - (gr + g0)) * R);
}

double R5u(const double& P, const double& T) {
    const FaultScope f("R5u");
    const Reduced x = Reduce(f, P, T);
    const double g0_p = 1.0 / x.pi;
    const double g0_t = Gamma0Tau(f, x);
    const double gr_p = GammaRPi(f, x);
    const double gr_t = GammaRTau(f, x);
    return f.result(f.in(T)*R * (x.tau * (gr_t + g0_t) - x.pi * (gr_p + g0_p)));
}

double R5cp(const double& P, const double& T) {
    const FaultScope f("R5cp");
    const Reduced x = Reduce(f, P, T);
    const double g0_tt = Gamma0TauTau(f, x);
    return f.result(x.tau * (-R) * x.tau * (GammaRTauTau(f, x) + g0_tt));
}

double R5cv(const double& P, const double& T) {
    const FaultScope f("R5cv");
    const Reduced x = Reduce(f, P, T);
    const Compressibility c = Derivatives(f, x);
    return f.result((-x.tau * x.tau * c.g_tt - c.X * c.X / c.Y) * R);
}

double R5w(const double& P, const double& T) {
    const FaultScope f("R5w");
    const Reduced x = Reduce(f, P, T);
    const Compressibility c = Derivatives(f, x);
    // The standard's relation: only the residual part in N and in the first term of D.
    const double N = x.pi * x.pi * c.gr_p * c.gr_p + 2.0 * x.pi * c.gr_p + 1.0;
    const double D = c.Y + c.X * c.X / x.tau / x.tau / c.g_tt;
    return f.result(std::sqrt(f.in(T)*R * N / D * 1000.0));
}

}  // namespace vapomet
