// Region 1, compressed liquid: the Gibbs free energy gamma(pi, tau) of IAPWS-IF97 eq. 7 with
// pi = P / 16.53 MPa and tau = 1386 K / T, summed over the 34 terms of Table 2 in powers of
// a = 7.1 - pi and b = tau - 1.222. Every term is evaluated, also where its factor is zero.
#include <cmath>

#include "property/fault.h"

namespace vapomet {
namespace {

using detail::FaultScope;
using detail::Pow;
using detail::R;

struct Reduced {
    double pi, tau, a, b;
};

Reduced Reduce(const FaultScope& f, const double& P, const double& T) {
    const double pi = f.in(P) / 16.53;
    const double tau = 1386.0 / f.in(T);
    return {pi, tau, 7.1 - pi, tau - 1.222};
}

constexpr int kTerms = 34;

double Gamma(const FaultScope&, const Reduced& x) {
    const auto& t = Tables();
    double sum = 0.0;
    for (int i = 1; i <= kTerms; ++i) sum += t.R1n[i] * Pow(x.a, t.R1I[i]) * Pow(x.b, t.R1J[i]);
    return sum;
}

double GammaPi(const FaultScope& f, const Reduced& x) {
    const auto& t = Tables();
    double sum = 0.0;
    for (int i = 1; i <= kTerms; ++i) {
        const double I = t.R1I[i];
        sum += -t.R1n[i] * I * Pow(x.a, f.lower(t.R1I[i], 1)) * Pow(x.b, t.R1J[i]);
    }
    return sum;
}

double GammaPiPi(const FaultScope& f, const Reduced& x) {
    const auto& t = Tables();
    double sum = 0.0;
    for (int i = 1; i <= kTerms; ++i) {
        const double I = t.R1I[i];
        sum += t.R1n[i] * I * (I - 1.0) * Pow(x.a, f.lower(t.R1I[i], 2)) * Pow(x.b, t.R1J[i]);
    }
    return sum;
}

double GammaTau(const FaultScope& f, const Reduced& x) {
    const auto& t = Tables();
    double sum = 0.0;
    for (int i = 1; i <= kTerms; ++i) {
        const double J = t.R1J[i];
        sum += t.R1n[i] * Pow(x.a, t.R1I[i]) * J * Pow(x.b, f.lower(t.R1J[i], 1));
    }
    return sum;
}

double GammaTauTau(const FaultScope& f, const Reduced& x) {
    const auto& t = Tables();
    double sum = 0.0;
    for (int i = 1; i <= kTerms; ++i) {
        const double J = t.R1J[i];
        sum += t.R1n[i] * Pow(x.a, t.R1I[i]) * J * (J - 1.0) * Pow(x.b, f.lower(t.R1J[i], 2));
    }
    return sum;
}

double GammaPiTau(const FaultScope& f, const Reduced& x) {
    const auto& t = Tables();
    double sum = 0.0;
    for (int i = 1; i <= kTerms; ++i) {
        const double I = t.R1I[i];
        const double J = t.R1J[i];
        sum += -t.R1n[i] * I * Pow(x.a, f.lower(t.R1I[i], 1)) * J * Pow(x.b, f.lower(t.R1J[i], 1));
    }
    return sum;
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
