// Check values: those of IAPWS-IF97 (1997 release) for regions 1, 2, 3 and 5, the saturation
// line and the B23 boundary, each reproduced to its nine printed digits; and viscosity and
// thermal conductivity at twenty states, as two independent implementations of the same
// equations compute them, to 1e-11.
#include <gtest/gtest.h>

#include <array>
#include <cmath>
#include <string>

#include "property/property.h"
#include "tests/support/case_names.h"
#include "tests/support/check_states.h"
#include "tests/support/regions.h"

namespace vapomet {
namespace {

using testing::AgreesTo;

// A routine called before the program's first fill of the tables already sees them.
const double kEnthalpyBeforeAnyFill = R1h(3, 300);

TEST(TablesBeforeAnyFill, GiveTheCheckValue) {
    EXPECT_TRUE(AgreesTo(kEnthalpyBeforeAnyFill, 0.115331273e3));
}

using StateValues = testing::CheckState;

class StateCheckValues : public ::testing::TestWithParam<StateValues> {};

TEST_P(StateCheckValues, AreReproduced) {
    const StateValues& c = GetParam();
    const auto& region = *std::find_if(std::begin(testing::kRegions), std::end(testing::kRegions),
                                       [&](const auto& r) { return r.number == c.region; });
    const double published[] = {c.v, c.h, c.u, c.s, c.cp, 0.0, c.w};
    for (int i = c.region == 3 ? 1 : 0; i < 7; ++i) {
        if (i == 5) continue;  // no cv is published
        EXPECT_TRUE(AgreesTo(region.routines[i](c.x, c.T), published[i])) << "quantity " << i;
    }
}

INSTANTIATE_TEST_SUITE_P(Iapws97, StateCheckValues, ::testing::ValuesIn(testing::kCheckStates),
                         [](const ::testing::TestParamInfo<StateValues>& row) {
                             const StateValues& c = row.param;
                             return "Region" + std::to_string(c.region) + "_" +
                                    testing::Spelled(c.x) + (c.region == 3 ? "kgm3_" : "MPa_") +
                                    testing::Spelled(c.T) + "K";
                         });

// The one-argument curves, and the region-3 densities of their tabulated pressures.
struct CurveValue {
    const char* name;
    double (*routine)(const double&);
    double argument, published;
    int digits;
};

// clang-format off
const CurveValue kCurves[] = {
    {"Satpr_CriticalPoint", Satpr, 647.096, 22.064, 10},
    {"Sattr_CriticalPoint", Sattr, 22.064, 647.096, 10},
    {"b23_623_15K", b23, 623.15, 0.165291643e2, 9},
    {"b32_16_53MPa", b32, 0.165291643e2, 623.15, 8}};
// clang-format on

class CurveCheckValues : public ::testing::TestWithParam<CurveValue> {};

TEST_P(CurveCheckValues, AreReproduced) {
    const CurveValue& c = GetParam();
    EXPECT_TRUE(AgreesTo(c.routine(c.argument), c.published, c.digits));
}

INSTANTIATE_TEST_SUITE_P(Iapws97, CurveCheckValues, ::testing::ValuesIn(kCurves),
                         testing::ByName());

class SaturationCheckValues : public ::testing::TestWithParam<testing::SaturationPoint> {};

TEST_P(SaturationCheckValues, AreReproduced) {
    const testing::SaturationPoint& c = GetParam();
    EXPECT_TRUE(AgreesTo((c.atT ? Satpr : Sattr)(c.given), c.published));
}

INSTANTIATE_TEST_SUITE_P(Iapws97, SaturationCheckValues,
                         ::testing::ValuesIn(testing::kSaturationPoints),
                         [](const ::testing::TestParamInfo<testing::SaturationPoint>& row) {
                             return std::string(row.param.atT ? "Satpr_" : "Sattr_") +
                                    testing::Spelled(row.param.given) +
                                    (row.param.atT ? "K" : "MPa");
                         });

TEST(Region3Density, IsThatOfTheTabulatedPressure) {
    const double table[][3] = {
        {0.255837018e2, 650, 500}, {0.222930643e2, 650, 200}, {0.783095639e2, 750, 500}};
    for (const auto& [P, T, rho] : table)
        EXPECT_NEAR(R3rho(P, T), rho, 1e-6 * rho) << P << " MPa, " << T << " K";
}

struct TransportValue {
    double T, rho, viscosity, conductivity;
};

// Viscosity and conductivity at (T, rho); neither equation uses the pressure.
const TransportValue kTransport[] = {{273.16, 999.793, 1791.16151486991, 0.561992038933996},
                                     {300.0, 996.5, 853.848051930666, 0.6102696676503},
                                     {373.15, 958.35, 281.742842325932, 0.677752416855014},
                                     {500.0, 831.32, 117.661001006843, 0.642061376385015},
                                     {600.0, 649.41, 75.7731306858028, 0.491813144015685},
                                     {640.0, 481.5, 55.2439513473749, 0.404221962793649},
                                     {647.226, 317.763, 39.0562113358617, 0.828524307887507},
                                     {647.26, 317.7, 39.0522731258488, 0.833983143869528},
                                     {650.0, 549.58, 63.5588536165691, 0.414604016309789},
                                     {650.0, 100.0, 24.7880092337796, 0.108791229289081},
                                     {700.0, 577.0, 68.9780214682851, 0.440168093115782},
                                     {300.0, 0.0256, 9.91952717383552, 0.0184666267052993},
                                     {453.0, 5.1454, 15.0200851784838, 0.0354019098439466},
                                     {700.0, 80.0, 26.7099216465798, 0.0894052373435146},
                                     {800.0, 300.0, 45.1298659847731, 0.235281537042234},
                                     {1073.15, 0.2, 40.3763731174106, 0.107724098076662},
                                     {1500.0, 10.0, 55.5347554852452, 0.171421372478859},
                                     {2273.15, 1.0, 78.0974516275503, 0.234673465802147},
                                     {400.0, 0.001, 13.3472260063527, 0.0265396507285545},
                                     {330.0, 1030.0, 520.171808253323, 0.702110515894261}};

class TransportCheckValues : public ::testing::TestWithParam<TransportValue> {};

TEST_P(TransportCheckValues, AgreeTo1e11) {
    const TransportValue& c = GetParam();
    EXPECT_NEAR(Vis(1.0, c.T, c.rho), c.viscosity, 1e-11 * c.viscosity);
    EXPECT_NEAR(Cond(1.0, c.T, c.rho), c.conductivity, 1e-11 * c.conductivity);
}

INSTANTIATE_TEST_SUITE_P(Iaps85, TransportCheckValues, ::testing::ValuesIn(kTransport),
                         [](const ::testing::TestParamInfo<TransportValue>& row) {
                             return "T" + testing::Spelled(row.param.T) + "K_rho" +
                                    testing::Spelled(row.param.rho);
                         });

}  // namespace
}  // namespace vapomet
