// Thermodynamic identities over grids inside each region's range of validity. They hold for
// any state, so they catch a wrong coefficient or a wrong derivative where no table has a value:
// h = u + P v, cp = (dh/dT)_P = T (ds/dT)_P, v = (dg/dP)_T, cp - cv = T v alpha^2 / kappa_T,
// w^2 = v / kappa_s, and cp >= cv > 0. Derivatives are central differences.
#include <gtest/gtest.h>

#include <cmath>
#include <vector>

#include "property/property.h"

namespace vapomet {
namespace {

using Routine = double (*)(const double&, const double&);

struct GibbsRegion {
    const char* name;
    Routine v, h, u, s, cp, cv, w;
    double pressure_step;  // MPa, added to 1e-5 P: a liquid needs a wide step to change v
};

struct State {
    double P, T;
};

template <typename F>
double Derivative(F f, double x, double step) {
    return (f(x + step) - f(x - step)) / (2.0 * step);
}

void CheckGibbsIdentities(const GibbsRegion& r, const State& x) {
    const double P = x.P, T = x.T;
    const double v = r.v(P, T), h = r.h(P, T), u = r.u(P, T);
    const double cp = r.cp(P, T), cv = r.cv(P, T), w = r.w(P, T);
    const double dT = 1e-6 * T, dP = 1e-5 * P + r.pressure_step;
    const auto at_P = [&](Routine f) { return [&, f](double t) { return f(P, t); }; };
    const auto at_T = [&](Routine f) { return [&, f](double p) { return f(p, T); }; };
    const auto g = [&](double p) { return r.h(p, T) - T * r.s(p, T); };

    const double dv_dT = Derivative(at_P(r.v), T, dT);
    const double dv_dP = Derivative(at_T(r.v), P, dP);
    const double alpha = dv_dT / v, kappa_T = -dv_dP / v;  // 1/K, 1/MPa

    SCOPED_TRACE(::testing::Message() << r.name << " at P = " << P << " MPa, T = " << T << " K");
    EXPECT_NEAR(h, u + 1000.0 * P * v, 1e-10 * (std::fabs(h) + 1000.0 * P * v + 1.0));
    EXPECT_NEAR(cp, Derivative(at_P(r.h), T, dT), 1e-6 * cp);
    EXPECT_NEAR(cp, T * Derivative(at_P(r.s), T, dT), 1e-6 * cp);
    EXPECT_NEAR(v, Derivative(g, P, dP) / 1000.0, 1e-6 * v);
    EXPECT_NEAR(cp - cv, 1000.0 * T * v * alpha * alpha / kappa_T, 1e-6 * cp);
    const double kappa_s = kappa_T * 1e-6 - T * v * alpha * alpha / (1000.0 * cp);  // 1/Pa
    EXPECT_NEAR(w, std::sqrt(v / kappa_s), 1e-6 * w);
    EXPECT_GE(cp, cv);
    EXPECT_GT(cv, 0.0);
}

// P from low to high on a geometric grid between the bounds of the region at T.
std::vector<State> Grid(double T_low, double T_high, int nT, int nP, double (*P_low)(double),
                        double (*P_high)(double)) {
    std::vector<State> grid;
    for (int i = 0; i < nT; ++i) {
        const double T = T_low + (T_high - T_low) * (i + 0.5) / nT;
        const double lo = P_low(T), hi = P_high(T);
        for (int j = 0; j < nP; ++j) grid.push_back({lo * std::pow(hi / lo, (j + 0.5) / nP), T});
    }
    return grid;
}

class Identities : public ::testing::Test {
  protected:
    void SetUp() override { FillCoefficientTables(); }
};

// Each region's grid: T from low to high, P from its lower to its upper bound at T.
struct GibbsGrid {
    GibbsRegion r;
    double T_low, T_high;
    int nT, nP;
    double (*P_low)(double);
    double (*P_high)(double);
};

TEST_F(Identities, Regions1To5) {
    const GibbsGrid grids[] = {
        {{"region 1", R1v, R1h, R1u, R1s, R1cp, R1cv, R1w, 1e-3},
         273.16,
         623.15,
         25,
         12,
         [](double T) { return Satpr(T) * 1.05; },
         [](double) { return 100.0; }},
        {{"region 2", R2v, R2h, R2u, R2s, R2cp, R2cv, R2w, 0.0},
         273.16,
         1073.15,
         30,
         12,
         [](double) { return 1e-4; },
         [](double T) {
             return T <= 623.15 ? Satpr(T) * 0.95 : T <= 863.15 ? b23(T) * 0.98 : 100.0;
         }},
        {{"region 5", R5v, R5h, R5u, R5s, R5cp, R5cv, R5w, 0.0},
         1073.15,
         2273.15,
         20,
         10,
         [](double) { return 1e-3; },
         [](double) { return 10.0; }}};
    for (const GibbsGrid& g : grids)
        for (const State& x : Grid(g.T_low, g.T_high, g.nT, g.nP, g.P_low, g.P_high))
            CheckGibbsIdentities(g.r, x);
}

// Region 3 works in density: h = u + P/rho, cv = (du/dT)_rho, cp = (dh/dT)_P through the density
// solver, and w^2 = (cp/cv) (dp/drho)_T. The critical neighbourhood, where finite differences
// lose their digits, is left out.
TEST_F(Identities, Region3) {
    const auto low = [](double T) { return T < 647.096 ? Satpr(T) * 1.02 : b23(T) * 1.01; };
    const auto high = [](double) { return 100.0; };
    for (const State& x : Grid(623.5, 863.0, 24, 10, low, high)) {
        const double P = x.P, T = x.T;
        if (std::fabs(T - 647.096) < 6.0 && P < 30.0) continue;
        SCOPED_TRACE(::testing::Message() << "region 3 at P = " << P << " MPa, T = " << T);
        const double rho = R3rho(P, T);
        const double h = R3h(rho, T), u = R3u(rho, T), cp = R3cp(rho, T), cv = R3cv(rho, T);
        const double dT = 1e-6 * T, dP = 1e-6 * P;
        EXPECT_NEAR(h, u + 1000.0 * P / rho, 1e-10 * h);
        EXPECT_NEAR(cv, Derivative([&](double t) { return R3u(rho, t); }, T, dT), 1e-6 * cv);
        EXPECT_NEAR(cp, Derivative([&](double t) { return R3h(R3rho(P, t), t); }, T, dT),
                    1e-5 * cp);
        const double drho_dP = Derivative([&](double p) { return R3rho(p, T); }, P, dP);
        EXPECT_NEAR(R3w(rho, T), std::sqrt(cp / cv * 1e6 / drho_dP), 1e-6 * R3w(rho, T));
        EXPECT_GE(cp, cv);
        EXPECT_GT(cv, 0.0);
    }
}

// The saturation curves are each other's inverse, and so are the two B23 routines.
TEST_F(Identities, InverseCurves) {
    for (double T = 273.16; T <= 647.09; T += 7.3)
        EXPECT_NEAR(Sattr(Satpr(T)), T, 1e-9 * T) << "T = " << T;
    for (double T = 623.15; T <= 863.15; T += 12.0)
        EXPECT_NEAR(b32(b23(T)), T, 1e-9 * T) << "T = " << T;
}

}  // namespace
}  // namespace vapomet
