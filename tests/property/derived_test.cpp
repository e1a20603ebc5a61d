// Derived properties and partial derivatives against identities that no table lists, the
// Joule-Thomson coefficient against states found at two pressures, the ends of the surface
// tension, metastable vapour's identities and range, and the two transport releases side by
// side. The releases' own tables are among the published values of check_values_test.
#include <gtest/gtest.h>

#include <cmath>

#include "property/state.h"
#include "tests/support/case_names.h"

namespace vapomet {
namespace {

using V = Variable;

struct Point {
    const char* name;
    double P, T;
};
// A state of each region, a dense fluid near the critical point, and a rarefied gas.
const Point kPoints[] = {
    {"Region1", 3, 300},       {"Region1Hot", 80, 500},      {"Region2", 0.0035, 300},
    {"Region2Dense", 30, 700}, {"Region3", 25.5837018, 650}, {"Region3Vapour", 22.3, 647.5},
    {"Region5", 0.5, 1500},    {"Region5Dense", 8, 2000},    {"RarefiedGas", 0.001, 1000}};

class Derivatives : public ::testing::TestWithParam<Point> {};

bool Near(double a, double b, double relative) {
    return std::fabs(a - b) <= relative * std::max(std::fabs(a), std::fabs(b));
}

TEST_P(Derivatives, MeetTheIdentities) {
    const State s = StateAt(GetParam().P, GetParam().T);
    constexpr double kClose = 1e-10;
    // The heat capacities and the Maxwell relations (P in MPa: v in kJ/(kg MPa) is 1000 v, and
    // a pressure per kelvin in kJ/(kg K) per m3/kg is 1000 times the one in MPa/K).
    EXPECT_PRED3(Near, Derivative(s, V::h, V::T, V::P), *s.cp, kClose);
    EXPECT_PRED3(Near, Derivative(s, V::u, V::T, V::v), *s.cv, kClose);
    EXPECT_PRED3(Near, Derivative(s, V::g, V::T, V::P), -s.s, kClose);
    EXPECT_PRED3(Near, Derivative(s, V::g, V::P, V::T), 1000.0 * s.v, kClose);
    EXPECT_PRED3(Near, Derivative(s, V::f, V::T, V::v), -s.s, kClose);
    EXPECT_PRED3(Near, Derivative(s, V::f, V::v, V::T), -1000.0 * s.P, kClose);
    EXPECT_PRED3(Near, Derivative(s, V::s, V::v, V::T), 1000.0 * Derivative(s, V::P, V::T, V::v),
                 kClose);
    EXPECT_PRED3(Near, Derivative(s, V::h, V::s, V::P), s.T, kClose);
    // The triple product: (dP/dT)_v (dT/dv)_P (dv/dP)_T = -1.
    EXPECT_PRED3(Near,
                 Derivative(s, V::P, V::T, V::v) * Derivative(s, V::T, V::v, V::P) *
                     Derivative(s, V::v, V::P, V::T),
                 -1.0, kClose);

    const Derived d = DerivedOf(s);
    // cp - cv = T v alpha^2 / kappa_T; the isentropic exponent is cp/cv over P kappa_T; the
    // Joule-Thomson coefficient is -(dh/dP)_T / cp.
    EXPECT_PRED3(Near, *s.cp - *s.cv,
                 1000.0 * s.T * s.v * d.expansion * d.expansion / d.compressibility, kClose);
    EXPECT_PRED3(Near, d.kappa, *s.cp / *s.cv / (s.P * d.compressibility), 1e-9);
    EXPECT_PRED3(Near, d.jouleThomson, -d.isothermalThrottling / *s.cp, kClose);
    EXPECT_PRED3(Near, d.relativePressureCoefficient, d.expansion / (d.compressibility * s.P),
                 kClose);
    EXPECT_PRED3(Near, ValueOf(s, V::g).value(), s.h - s.T * s.s, 1e-15);
}

// The Joule-Thomson coefficient as the slope of T along the isenthalp, from the states found
// at two pressures around the state (a test oracle only).
TEST_P(Derivatives, JouleThomsonIsTheIsenthalpsSlope) {
    const State s = StateAt(GetParam().P, GetParam().T);
    const double dP = 1e-3 * s.P;
    const double Tup = StatesFrom(V::P, s.P + dP, V::h, s.h).front().T;
    const double Tdown = StatesFrom(V::P, s.P - dP, V::h, s.h).front().T;
    const double slope = (Tup - Tdown) / (2.0 * dP);
    EXPECT_NEAR(DerivedOf(s).jouleThomson, slope, 1e-5 * std::max(1.0, std::fabs(slope)));
}

INSTANTIATE_TEST_SUITE_P(States, Derivatives, ::testing::ValuesIn(kPoints), testing::ByName());

TEST(Derived, IdealGasAtLowPressure) {
    const Derived d = DerivedOf(StateAt(0.001, 1000));
    EXPECT_NEAR(d.Z, 1.0, 1e-4);
    EXPECT_NEAR(d.compressibility, 1.0 / 0.001, 1e-4 / 0.001);
    EXPECT_NEAR(d.expansion, 1.0 / 1000, 1e-4 / 1000);
}

TEST(Derived, RefuseWetSteamAndOtherVariables) {
    const State wet = Mixture(SaturationAtT(400), 0.5);
    EXPECT_THROW(DerivedOf(wet), std::invalid_argument);
    EXPECT_THROW(Derivative(wet, V::h, V::T, V::P), std::invalid_argument);
    const State liquid = StateAt(1, 300);
    EXPECT_THROW(Derivative(liquid, V::cp, V::T, V::P), std::invalid_argument);
    EXPECT_THROW(Derivative(liquid, V::h, V::T, V::T), std::invalid_argument);
}

// The release's table is among the published values (check_values_test); its ends here.
TEST(SurfaceTension, EndsAtTheCriticalPoint) {
    EXPECT_EQ(SurfaceTension(647.096), 0.0);
    EXPECT_THROW(SurfaceTension(650.0), OutOfDomain);
    EXPECT_THROW(SurfaceTension(200.0), OutOfDomain);
}

// dpsat/dT against the saturation equation's own pressures a little apart, and against the
// Clapeyron equation of the saturated phases of regions 1 and 2.
TEST(SaturationPressureSlope, IsTheSlopeOfPsat) {
    for (const double T : {280.0, 373.15, 500.0, 600.0, 640.0}) {
        const double dT = 1e-4;
        const double slope = (Satpr(T + dT) - Satpr(T - dT)) / (2 * dT);
        EXPECT_NEAR(SaturationPressureSlope(T), slope, 1e-7 * slope) << T;
        if (T > 623.15) continue;
        const Saturation s = SaturationAtT(T);
        const double clapeyron = (s.vapour.h - s.liquid.h) / (T * (s.vapour.v - s.liquid.v)) / 1000;
        EXPECT_NEAR(SaturationPressureSlope(T), clapeyron, 2e-4 * clapeyron) << T;
    }
}

// Metastable vapour by the derivatives of its own equation; its Table 18 is among the
// published values (check_values_test).
TEST(MetastableVapour, MeetsTheIdentities) {
    for (const auto& [P, T] : {std::pair{1.0, 450.0}, {1.0, 440.0}, {1.5, 450.0}, {0.01, 310.0}}) {
        const State s = MetastableVapourAt(P, T);
        EXPECT_TRUE(s.metastable && s.region == Region::Two);
        const Derived d = DerivedOf(s);
        EXPECT_PRED3(Near, *s.cp - *s.cv,
                     1000.0 * s.T * s.v * d.expansion * d.expansion / d.compressibility, 1e-10);
        EXPECT_PRED3(Near, Derivative(s, V::h, V::T, V::P), *s.cp, 1e-10);
    }
}

// The equation's range: below the saturation temperature, above the 5 % moisture line, from the
// triple-point pressure to 10 MPa. On the saturated-vapour line it meets region 2.
TEST(MetastableVapour, KeepsToItsRange) {
    const struct {
        const char* name;
        double P, T;
        const char* says;
    } refused[] = {
        {"Superheated", 1.0, 460, "the vapour is superheated, not metastable"},
        {"TooWet", 1.0, 400, "below the 5 % equilibrium-moisture line"},
        {"FarTooWet", 1.0, 300, "below the 5 % equilibrium-moisture line"},
        {"AboveTenMPa", 12.0, 500, "611.657 Pa to 10 MPa"},
        {"BelowTheTriplePoint", 0.0005, 273.15, "611.657 Pa to 10 MPa"},
    };
    for (const auto& r : refused) {
        try {
            MetastableVapourAt(r.P, r.T);
            ADD_FAILURE() << r.name << " gave a state";
        } catch (const OutOfDomain& e) {
            EXPECT_NE(std::string(e.what()).find(r.says), std::string::npos)
                << r.name << ": " << e.what();
        }
    }
    for (const double P : {0.001, 0.1, 1.0, 10.0}) {
        const double T = Sattr(P);
        const State meta = MetastableVapourAt(P, T), stable = StateInRegion(Region::Two, P, T);
        EXPECT_NEAR(meta.h, stable.h, 1e-3 * stable.h) << P;
        EXPECT_NEAR(meta.v, stable.v, 1e-2 * stable.v) << P;
    }
}

// The 1985 equations in one pass give the single routines' values over the domain, the
// critical region included.
TEST(TransportOf, FusedIsTheSingleRoutines) {
    for (double T = 273.16; T <= 2273.15; T += T < 700 ? 3.7 : 41.0) {
        for (double P = 0.0007; P <= 100.0; P *= 1.9) {
            State s{};
            try {
                s = StateAt(P, T);
            } catch (const OutOfDomain&) {
                continue;  // above 10 MPa beyond 1073.15 K
            }
            const Transport fused = TransportOf(s, TransportRelease::Iaps1985);
            const double mu = Vis(s.P, s.T, s.rho), lambda = Cond(s.P, s.T, s.rho);
            EXPECT_NEAR(fused.viscosity, mu, 1e-13 * mu) << P << " MPa, " << T << " K";
            EXPECT_NEAR(fused.conductivity, lambda, 1e-13 * lambda) << P << " MPa, " << T << " K";
        }
    }
}

TEST(TransportOf, GivesEitherRelease) {
    const State s = StateAt(1, 300);
    const Transport old = TransportOf(s, TransportRelease::Iaps1985);
    const Transport today = TransportOf(s, TransportRelease::Iapws2008);
    EXPECT_EQ(today.viscosity, Viscosity2008(s.T, s.rho));
    EXPECT_EQ(today.conductivity, Conductivity2011(s));
    // The releases agree within their uncertainties in ordinary liquid water.
    EXPECT_NEAR(today.viscosity, old.viscosity, 0.01 * old.viscosity);
    EXPECT_NEAR(today.conductivity, old.conductivity, 0.02 * old.conductivity);
    const State wet = Mixture(SaturationAtT(400), 0.5);
    EXPECT_THROW(TransportOf(wet, TransportRelease::Iapws2008), std::invalid_argument);
    EXPECT_THROW(Conductivity2011(wet), std::invalid_argument);
}

}  // namespace
}  // namespace vapomet
