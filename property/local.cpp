// The state functions and their partial derivatives in a region's own variables, from the
// derivatives of its fundamental equation: gamma(pi, tau) in regions 1, 2 and 5 (IAPWS-IF97
// Tables 3, 12 and the region-5 table), phi(delta, tau) in region 3 (Table 31).
#include "property/local.h"

#include "property/gibbs.h"
#include "property/region3.h"

namespace vapomet::detail {

namespace {

constexpr int P = Index(Variable::P), T = Index(Variable::T), V = Index(Variable::v),
              H = Index(Variable::h), U = Index(Variable::u), S = Index(Variable::s);

const GibbsRegion& GibbsEquation(Region region) {
    switch (region) {
        case Region::One: return kRegion1;
        case Region::Two: return kRegion2;
        case Region::Five: return kRegion5;
        default: break;
    }
    throw std::invalid_argument("no Gibbs equation for this region");
}

}  // namespace

std::array<double, 2> Local::differential(Variable v) const {
    // dg = dh - T ds - s dT and df = du - T ds - s dT.
    if (v == Variable::g || v == Variable::f) {
        const int e = v == Variable::g ? H : U;
        return {byFirst[e] - value[T] * byFirst[S], byT[e] - value[S] - value[T] * byT[S]};
    }
    return {byFirst[Index(v)], byT[Index(v)]};
}

double Local::partial(Variable z, Variable x, Variable y) const {
    const auto [z1, zT] = differential(z);
    const auto [x1, xT] = differential(x);
    const auto [y1, yT] = differential(y);
    return (z1 * yT - zT * y1) / (x1 * yT - xT * y1);
}

Local GibbsLocal(Region region, double pressure, double temperature, bool metastable) {
    const GibbsRegion& equation = metastable ? kMetastableVapour : GibbsEquation(region);
    const FaultScope f("GibbsLocal");
    const GibbsDerivatives d = AllGibbs(equation, f, pressure, temperature, false);
    const double pStar = equation.reducing.pStar, t = d.T, tau = d.tau;
    // The whole gamma: with an ideal-gas part, gamma0_pi = 1/pi and gamma0_pipi = -1/pi^2.
    const double g = d.g0 + d.g, g_t = d.g0_t + d.g_t, g_tt = d.g0_tt + d.g_tt, g_pt = d.g_pt;
    const double g_p = d.g0_p + d.g_p, g_pp = (d.ideal ? -d.g0_p * d.g0_p : 0.0) + d.g_pp;

    Local l;
    l.value[P] = d.P;
    l.byFirst[P] = 1.0;
    l.value[T] = t;
    l.byT[T] = 1.0;
    // v in m3/kg: R T in kJ/kg over p* in MPa is 1000 times too large.
    l.value[V] = R * t * g_p / pStar / 1000.0;
    l.byFirst[V] = R * t * g_pp / (pStar * pStar) / 1000.0;
    l.byT[V] = R * (g_p - tau * g_pt) / pStar / 1000.0;
    l.value[H] = R * t * tau * g_t;
    l.byFirst[H] = R * t * tau * g_pt / pStar;
    l.byT[H] = -R * tau * tau * g_tt;  // cp
    l.value[S] = R * (tau * g_t - g);
    l.byFirst[S] = R * (tau * g_pt - g_p) / pStar;
    l.byT[S] = l.byT[H] / t;
    // u = h - P v, P v in kJ/kg.
    l.value[U] = l.value[H] - 1000.0 * d.P * l.value[V];
    l.byFirst[U] = l.byFirst[H] - 1000.0 * (l.value[V] + d.P * l.byFirst[V]);
    l.byT[U] = l.byT[H] - 1000.0 * d.P * l.byT[V];
    f.results(std::array{&l.value[V], &l.byFirst[V], &l.byT[V], &l.value[H], &l.byFirst[H],
                         &l.byT[H], &l.value[S], &l.byFirst[S], &l.value[U], &l.byFirst[U]});
    return l;
}

Local HelmholtzLocal(double rho, double temperature) {
    const FaultScope f("HelmholtzLocal");
    const double delta = f.in(rho) / kCriticalDensity;
    const HelmholtzDerivatives d = AllHelmholtz(f, delta, f.in(temperature), false);
    const double t = d.T, tau = d.tau;
    const double dphi_d = delta * d.phi_d;

    Local l;
    l.byDensity = true;
    // P in MPa: rho R T in kPa.
    l.value[P] = rho * R * t * dphi_d / 1000.0;
    l.byFirst[P] = R * t * (2.0 * dphi_d + delta * delta * d.phi_dd) / 1000.0;
    l.byT[P] = rho * R * (dphi_d - delta * tau * d.phi_dt) / 1000.0;
    l.value[T] = t;
    l.byT[T] = 1.0;
    l.value[V] = 1.0 / rho;
    l.byFirst[V] = -1.0 / (rho * rho);
    l.value[H] = R * t * (tau * d.phi_t + dphi_d);
    l.byFirst[H] = R * t * (tau * d.phi_dt + d.phi_d + delta * d.phi_dd) / kCriticalDensity;
    l.byT[H] = R * (dphi_d - tau * tau * d.phi_tt - delta * tau * d.phi_dt);
    l.value[U] = R * t * tau * d.phi_t;
    l.byFirst[U] = R * t * tau * d.phi_dt / kCriticalDensity;
    l.byT[U] = -R * tau * tau * d.phi_tt;  // cv
    l.value[S] = R * (tau * d.phi_t - d.phi);
    l.byFirst[S] = R * (tau * d.phi_dt - d.phi_d) / kCriticalDensity;
    l.byT[S] = l.byT[U] / t;
    f.results(std::array{&l.value[P], &l.byFirst[P], &l.byT[P], &l.value[V], &l.byFirst[V],
                         &l.value[H], &l.byFirst[H], &l.byT[H], &l.value[U], &l.byFirst[U],
                         &l.byT[U], &l.value[S], &l.byFirst[S], &l.byT[S]});
    return l;
}

}  // namespace vapomet::detail
