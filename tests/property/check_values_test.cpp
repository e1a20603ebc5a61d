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
#include "tests/support/regions.h"

namespace vapomet {
namespace {

// The computed value rounds to the published one at its printed significant digits.
::testing::AssertionResult AgreesTo(double computed, double published, int digits = 9) {
    const int exponent = static_cast<int>(std::floor(std::log10(std::fabs(published))));
    const double half_unit = 0.5 * std::pow(10.0, exponent - digits + 1) * (1.0 + 1e-9);
    if (std::fabs(computed - published) <= half_unit) return ::testing::AssertionSuccess();
    return ::testing::AssertionFailure()
           << "computed " << computed << ", published " << published << " to " << digits;
}

// A routine called before the program's first fill of the tables already sees them.
const double kEnthalpyBeforeAnyFill = R1h(3, 300);

TEST(TablesBeforeAnyFill, GiveTheCheckValue) {
    EXPECT_TRUE(AgreesTo(kEnthalpyBeforeAnyFill, 0.115331273e3));
}

// One state of a table: (P, T), or (rho, T) in region 3, and the published v, h, u, s, cp, w.
struct StateValues {
    int region;
    double x, T, v, h, u, s, cp, w;
};
const StateValues kStates[] = {
    // region, P or rho, T; v, h, u, s, cp, w
    {1, 3, 300, 0.100215168e-2, 0.115331273e3, 0.112324818e3, 0.392294792, 0.417301218e1,
     0.150773921e4},
    {1, 80, 300, 0.971180894e-3, 0.184142828e3, 0.106448356e3, 0.368563852, 0.401008987e1,
     0.163469054e4},
    {1, 3, 500, 0.120241800e-2, 0.975542239e3, 0.971934985e3, 0.258041912e1, 0.465580682e1,
     0.124071337e4},
    {2, 0.0035, 300, 0.394913866e2, 0.254991145e4, 0.241169160e4, 0.852238967e1, 0.191300162e1,
     0.427920172e3},
    {2, 0.0035, 700, 0.923015898e2, 0.333568375e4, 0.301262819e4, 0.101749996e2, 0.208141274e1,
     0.644289068e3},
    {2, 30, 700, 0.542946619e-2, 0.263149474e4, 0.246861076e4, 0.517540298e1, 0.103505092e2,
     0.480386523e3},
    {3, 500, 650, 0, 0.186343019e4, 0.181226279e4, 0.405427273e1, 0.138935717e2, 0.502005554e3},
    {3, 200, 650, 0, 0.237512401e4, 0.226365868e4, 0.485438792e1, 0.446579342e2, 0.383444594e3},
    {3, 500, 750, 0, 0.225868845e4, 0.210206932e4, 0.446971906e1, 0.634165359e1, 0.760696041e3},
    {5, 0.5, 1500, 0.138455354e1, 0.521976332e4, 0.452748654e4, 0.965408431e1, 0.261610228e1,
     0.917071933e3},
    {5, 8, 1500, 0.865156616e-1, 0.520609634e4, 0.451397105e4, 0.836546724e1, 0.264453866e1,
     0.919708859e3},
    {5, 8, 2000, 0.115743146, 0.658380291e4, 0.565785774e4, 0.915671044e1, 0.285306750e1,
     0.105435806e4}};

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

INSTANTIATE_TEST_SUITE_P(Iapws97, StateCheckValues, ::testing::ValuesIn(kStates),
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
    {"Satpr_300K", Satpr, 300, 0.353658941e-2, 9}, {"Satpr_500K", Satpr, 500, 0.263889776e1, 9},
    {"Satpr_600K", Satpr, 600, 0.123443146e2, 9},  {"Sattr_0_1MPa", Sattr, 0.1, 0.372755919e3, 9},
    {"Sattr_1MPa", Sattr, 1, 0.453035632e3, 9},    {"Sattr_10MPa", Sattr, 10, 0.584149488e3, 9},
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
