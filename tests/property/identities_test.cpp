// Thermodynamic identities over grids inside each region. They hold for any state, so they catch
// a wrong coefficient or derivative where no table has a value: h = u + P v, cp = (dh/dT)_P =
// T (ds/dT)_P, v = (dg/dP)_T, cp - cv = T v alpha^2 / kappa_T, w^2 = v / kappa_s and
// cp >= cv > 0, and in region 3 their forms in density. Derivatives are central differences.
// The whole-state path of each region must give the single routines' values.
#include <gtest/gtest.h>

#include <functional>

#include "tests/support/case_names.h"
#include "tests/support/regions.h"

namespace vapomet {
namespace {

using testing::RegionUnderTest;
using Curve = std::function<double(double)>;

double Derivative(const Curve& f, double x, double step) {
    return (f(x + step) - f(x - step)) / (2.0 * step);
}

class Identities : public ::testing::TestWithParam<RegionUnderTest> {};

TEST_P(Identities, HoldOverTheRegion) {
    const RegionUnderTest& r = GetParam();
    const auto& [v, h, u, s, cp, cv, w] = r.routines;
    for (const auto& [P, T] : testing::Grid(r, 25, 12, 0.05)) {
        SCOPED_TRACE(::testing::Message() << P << " MPa, " << T << " K");
        if (r.number == 3) {  // the critical neighbourhood, where differences lose their digits
            if (std::fabs(T - 647.096) < 6.0 && P < 30.0) continue;
            const double rho = R3rho(P, T), dT = 1e-6 * T;
            const double cp3 = cp(rho, T), cv3 = cv(rho, T);
            EXPECT_NEAR(h(rho, T), u(rho, T) + 1000.0 * P / rho, 1e-10 * h(rho, T));
            EXPECT_NEAR(cv3, Derivative([&](double t) { return u(rho, t); }, T, dT), 1e-6 * cv3);
            EXPECT_NEAR(cp3, Derivative([&](double t) { return h(R3rho(P, t), t); }, T, dT),
                        1e-5 * cp3);
            const double drho_dP = Derivative([&](double p) { return R3rho(p, T); }, P, 1e-6 * P);
            EXPECT_NEAR(w(rho, T), std::sqrt(cp3 / cv3 * 1e6 / drho_dP), 1e-6 * w(rho, T));
            EXPECT_TRUE(cp3 >= cv3 && cv3 > 0.0);
            continue;
        }
        const double dT = 1e-6 * T, dP = 1e-5 * P + (r.number == 1 ? 1e-3 : 0.0);  // liquid: wide
        const auto at_P = [&](testing::Routine f) {
            return Curve([=](double t) { return f(P, t); });
        };
        const Curve g = [&](double p) { return h(p, T) - T * s(p, T); };
        const double alpha = Derivative(at_P(v), T, dT) / v(P, T);
        const double kappa_T = -Derivative([&](double p) { return v(p, T); }, P, dP) / v(P, T);
        const double pv = 1000.0 * P * v(P, T);
        EXPECT_NEAR(h(P, T), u(P, T) + pv, 1e-10 * (std::fabs(h(P, T)) + pv + 1));
        EXPECT_NEAR(cp(P, T), Derivative(at_P(h), T, dT), 1e-6 * cp(P, T));
        EXPECT_NEAR(cp(P, T), T * Derivative(at_P(s), T, dT), 1e-6 * cp(P, T));
        EXPECT_NEAR(v(P, T), Derivative(g, P, dP) / 1000.0, 1e-6 * v(P, T));
        const double tva2 = T * v(P, T) * alpha * alpha;
        EXPECT_NEAR(cp(P, T) - cv(P, T), 1000.0 * tva2 / kappa_T, 1e-6 * cp(P, T));
        const double kappa_s = kappa_T * 1e-6 - tva2 / (1000.0 * cp(P, T));  // 1/Pa
        EXPECT_NEAR(w(P, T), std::sqrt(v(P, T) / kappa_s), 1e-6 * w(P, T));
        EXPECT_TRUE(cp(P, T) >= cv(P, T) && cv(P, T) > 0.0);
    }
}

// To 1e-13, relative to R T for energies and to R for entropies, which pass through zero.
TEST_P(Identities, WholeStateEqualsTheSingleRoutines) {
    const RegionUnderTest& r = GetParam();
    for (const auto& [P, T] : testing::Grid(r, 61, 41, 0.0)) {
        const StateProperties x = r.whole(P, T);
        const double arg = r.number == 3 ? R3rho(P, T) : P, R = 0.461526;
        const double values[] = {r.number == 3 ? x.rho : x.v, x.h, x.u, x.s, x.cp, x.cv, x.w};
        const double floors[] = {0, R * T, R * T, R, 0, 0, 0};
        for (int k = 0; k < 7; ++k) {
            const double single = k == 0 && r.number == 3 ? arg : r.routines[k](arg, T);
            EXPECT_LE(std::fabs(values[k] - single), 1e-13 * std::max(std::fabs(single), floors[k]))
                << "quantity " << k << " at " << P << " MPa, " << T << " K";
        }
    }
}

INSTANTIATE_TEST_SUITE_P(Regions, Identities, ::testing::ValuesIn(testing::kRegions),
                         testing::ByName());

// The saturation curves are each other's inverse, and so are the two B23 routines.
TEST(InverseCurves, UndoEachOther) {
    for (double T = 273.16; T <= 647.09; T += 7.3) EXPECT_NEAR(Sattr(Satpr(T)), T, 1e-9 * T);
    for (double T = 623.15; T <= 863.15; T += 12.0) EXPECT_NEAR(b32(b23(T)), T, 1e-9 * T);
}

}  // namespace
}  // namespace vapomet
