// The Gibbs relations of regions 1, 2 and 5, and the public routines R1v ... R5w built on them.
#include "property/gibbs.h"

#include <cmath>

namespace vapomet::detail {

namespace {

// Which sums each property's relation reads; g0_p is the ideal-gas part's 1/pi, which cv and
// w do not need (they take pi gamma0_pi = 1).
struct Needs {
    bool g = false, g_p = false, g_pp = false, g_t = false, g_tt = false, g_pt = false;
    bool g0_p = false;
};

constexpr Needs NeedsOf(GibbsProperty property) {
    switch (property) {
        case GibbsProperty::v: return {.g_p = true, .g0_p = true};
        case GibbsProperty::h: return {.g_t = true};
        case GibbsProperty::s: return {.g = true, .g_t = true};
        case GibbsProperty::u: return {.g_p = true, .g_t = true, .g0_p = true};
        case GibbsProperty::cp: return {.g_tt = true};
        case GibbsProperty::cv:
        case GibbsProperty::w: return {.g_p = true, .g_pp = true, .g_tt = true, .g_pt = true};
    }
    return {};
}

// The state in the region's reduced variables, before any derivative is taken.
GibbsDerivatives Reduced(const GibbsRegion& region, const FaultScope& f, const double& P,
                         const double& T) {
    GibbsDerivatives d{};
    d.P = f.in(P);
    d.T = f.in(T);
    d.pi = d.P / region.reducing.pStar;
    d.tau = region.reducing.TStar / d.T;
    d.ideal = region.idealSum != nullptr;
    return d;
}

// The bases of the power terms at the reduced state: x = xOffset + xSign pi, y = tau - yShift.
// d/dpi = xSign d/dx and d^2/dpi^2 = d^2/dx^2, since xSign is 1 or -1.
struct PowerBases {
    double x, y;
};
PowerBases Bases(const GibbsRegion& region, const GibbsDerivatives& d) {
    return {region.bases.xOffset + region.bases.xSign * d.pi, d.tau - region.bases.yShift};
}

}  // namespace

double GibbsRelation(GibbsProperty property, const GibbsDerivatives& d) {
    const double g_t = d.g0_t + d.g_t;
    const double g_tt = d.g0_tt + d.g_tt;
    switch (property) {
        case GibbsProperty::v: return d.pi * (d.g0_p + d.g_p) * R * d.T / d.P / 1000.0;
        case GibbsProperty::h: return R * d.T * d.tau * g_t;
        case GibbsProperty::s: return R * (d.tau * g_t - (d.g0 + d.g));
        case GibbsProperty::u: return R * d.T * (d.tau * g_t - d.pi * (d.g0_p + d.g_p));
        case GibbsProperty::cp: return -R * d.tau * d.tau * g_tt;
        case GibbsProperty::cv:
        case GibbsProperty::w: {
            // With an ideal-gas part the pi-derivatives are taken times pi, where the ideal
            // part gives exactly pi gamma0_pi = 1 and pi^2 gamma0_pipi = -1: the 1/pi of the
            // ideal gas then cancels in every quotient instead of overflowing at small pi.
            const double scale = d.ideal ? d.pi : 1.0;
            const double ideal = d.ideal ? 1.0 : 0.0;
            const double g_p = ideal + scale * d.g_p;            // times pi
            const double X = g_p - d.tau * scale * d.g_pt;       // times pi
            const double g_pp = scale * scale * d.g_pp - ideal;  // times pi^2
            if (property == GibbsProperty::cv) return R * (-d.tau * d.tau * g_tt + X * X / g_pp);
            // 1000 turns R T from kJ/kg into J/kg: w comes out in m/s.
            return std::sqrt(1000.0 * R * d.T * g_p * g_p /
                             (X * X / (d.tau * d.tau * g_tt) - g_pp));
        }
    }
    return 0.0;
}

double EvaluateGibbs(const GibbsRegion& region, GibbsProperty property, const char* routine,
                     const double& P, const double& T) {
    const FaultScope f(routine);
    GibbsDerivatives d = Reduced(region, f, P, T);

    const Needs needs = NeedsOf(property);
    if (d.ideal) {
        // gamma0 = ln pi + sum: its pi-derivative is 1/pi, taken as it stands.
        const auto ideal = [&](int dtau) { return region.idealSum->one(f, 0.0, 0, d.tau, dtau); };
        if (needs.g) d.g0 = std::log(d.pi) + ideal(0);
        if (needs.g0_p) d.g0_p = 1.0 / d.pi;
        if (needs.g_t) d.g0_t = ideal(1);
        if (needs.g_tt) d.g0_tt = ideal(2);
    }
    const PowerBases b = Bases(region, d);
    const auto sum = [&](int dpi, int dtau) {
        const double s = region.powerSum->one(f, b.x, dpi, b.y, dtau);
        return dpi == 1 ? region.bases.xSign * s : s;
    };
    if (needs.g) d.g = sum(0, 0);
    if (needs.g_p) d.g_p = sum(1, 0);
    if (needs.g_pp) d.g_pp = sum(2, 0);
    if (needs.g_t) d.g_t = sum(0, 1);
    if (needs.g_tt) d.g_tt = sum(0, 2);
    if (needs.g_pt) d.g_pt = sum(1, 1);
    return f.result(GibbsRelation(property, d));
}

GibbsDerivatives AllGibbs(const GibbsRegion& region, const FaultScope& f, const double& P,
                          const double& T, bool exact) {
    GibbsDerivatives d = Reduced(region, f, P, T);
    if (d.ideal) {
        const auto sums = exact ? region.idealSum->all : region.idealSum->plain;
        const PowerSums ideal = sums(f, 0.0, d.tau);
        d.g0 = std::log(d.pi) + ideal.g;
        d.g0_p = 1.0 / d.pi;
        d.g0_t = ideal.gy;
        d.g0_tt = ideal.gyy;
    }
    const double sign = region.bases.xSign;
    const PowerBases b = Bases(region, d);
    const PowerSums s = (exact ? region.powerSum->all : region.powerSum->plain)(f, b.x, b.y);
    d.g = s.g;
    d.g_p = sign * s.gx;
    d.g_pp = s.gxx;
    d.g_t = s.gy;
    d.g_tt = s.gyy;
    d.g_pt = sign * s.gxy;
    return d;
}

StateProperties GibbsState(const GibbsRegion& region, const char* routine, const double& P,
                           const double& T) {
    const FaultScope f(routine);
    const GibbsDerivatives d = AllGibbs(region, f, P, T, true);

    StateProperties state;
    state.v = GibbsRelation(GibbsProperty::v, d);
    state.rho = 1.0 / state.v;
    state.h = GibbsRelation(GibbsProperty::h, d);
    state.u = GibbsRelation(GibbsProperty::u, d);
    state.s = GibbsRelation(GibbsProperty::s, d);
    state.cp = GibbsRelation(GibbsProperty::cp, d);
    state.cv = GibbsRelation(GibbsProperty::cv, d);
    state.w = GibbsRelation(GibbsProperty::w, d);
    f.results(std::array{&state.rho, &state.v, &state.h, &state.u, &state.s, &state.cp, &state.cv,
                         &state.w});
    return state;
}

}  // namespace vapomet::detail

// ---- The public routines ---------------------------------------------------------------------

namespace vapomet {

constexpr auto Gibbs = detail::EvaluateGibbs;
using detail::kRegion1;
using detail::kRegion2;
using detail::kRegion5;
using P = detail::GibbsProperty;

// clang-format off
double R1v(const double& p, const double& t) { return Gibbs(kRegion1, P::v, "R1v", p, t); }
double R1h(const double& p, const double& t) { return Gibbs(kRegion1, P::h, "R1h", p, t); }
double R1s(const double& p, const double& t) { return Gibbs(kRegion1, P::s, "R1s", p, t); }
double R1u(const double& p, const double& t) { return Gibbs(kRegion1, P::u, "R1u", p, t); }
double R1cp(const double& p, const double& t) { return Gibbs(kRegion1, P::cp, "R1cp", p, t); }
double R1cv(const double& p, const double& t) { return Gibbs(kRegion1, P::cv, "R1cv", p, t); }
double R1w(const double& p, const double& t) { return Gibbs(kRegion1, P::w, "R1w", p, t); }

double R2v(const double& p, const double& t) { return Gibbs(kRegion2, P::v, "R2v", p, t); }
double R2h(const double& p, const double& t) { return Gibbs(kRegion2, P::h, "R2h", p, t); }
double R2s(const double& p, const double& t) { return Gibbs(kRegion2, P::s, "R2s", p, t); }
double R2u(const double& p, const double& t) { return Gibbs(kRegion2, P::u, "R2u", p, t); }
double R2cp(const double& p, const double& t) { return Gibbs(kRegion2, P::cp, "R2cp", p, t); }
double R2cv(const double& p, const double& t) { return Gibbs(kRegion2, P::cv, "R2cv", p, t); }
double R2w(const double& p, const double& t) { return Gibbs(kRegion2, P::w, "R2w", p, t); }

double R5v(const double& p, const double& t) { return Gibbs(kRegion5, P::v, "R5v", p, t); }
double R5h(const double& p, const double& t) { return Gibbs(kRegion5, P::h, "R5h", p, t); }
double R5s(const double& p, const double& t) { return Gibbs(kRegion5, P::s, "R5s", p, t); }
double R5u(const double& p, const double& t) { return Gibbs(kRegion5, P::u, "R5u", p, t); }
double R5cp(const double& p, const double& t) { return Gibbs(kRegion5, P::cp, "R5cp", p, t); }
double R5cv(const double& p, const double& t) { return Gibbs(kRegion5, P::cv, "R5cv", p, t); }
double R5w(const double& p, const double& t) { return Gibbs(kRegion5, P::w, "R5w", p, t); }
// clang-format on

StateProperties R1State(const double& p, const double& t) {
    return detail::GibbsState(kRegion1, "R1State", p, t);
}
StateProperties R2State(const double& p, const double& t) {
    return detail::GibbsState(kRegion2, "R2State", p, t);
}
StateProperties R5State(const double& p, const double& t) {
    return detail::GibbsState(kRegion5, "R5State", p, t);
}

}  // namespace vapomet
