// The verification values of IAPWS-IF97 (1997 release) for the saturation line, the B23
// boundary and regions 1, 2, 3 and 5, each reproduced to its nine printed digits.
#include "tests/property/check_values.h"

#include <gtest/gtest.h>

#include "property/property.h"

namespace vapomet {
namespace {

using testing::AgreesTo;
using Routine = double (*)(const double&, const double&);

// Computed while the program starts, before any test could fill the tables: a routine called
// before the first fill must already see the published coefficients.
const double kEnthalpyBeforeAnyFill = R1h(3, 300);

TEST(TablesBeforeAnyFill, GiveTheCheckValue) {
    EXPECT_TRUE(AgreesTo(kEnthalpyBeforeAnyFill, 0.115331273e3, 9));
}

struct Region {
    const char* name;
    Routine v, h, u, s, cp, w;  // region 3 has no v and takes (rho, T)
};
const Region kR1{"R1", R1v, R1h, R1u, R1s, R1cp, R1w};
const Region kR2{"R2", R2v, R2h, R2u, R2s, R2cp, R2w};
const Region kR3{"R3", nullptr, R3h, R3u, R3s, R3cp, R3w};
const Region kR5{"R5", R5v, R5h, R5u, R5s, R5cp, R5w};

// One state of a table: (P, T) or (rho, T) and the published v, h, u, s, cp, w.
struct State {
    const Region* r;
    double first, second;
    double v, h, u, s, cp, w;
};

class CheckValues : public ::testing::TestWithParam<State> {
  protected:
    static void SetUpTestSuite() { FillCoefficientTables(); }
};

TEST_P(CheckValues, ReproducesThePublishedValues) {
    const State& c = GetParam();
    const Routine routines[] = {c.r->v, c.r->h, c.r->u, c.r->s, c.r->cp, c.r->w};
    const double published[] = {c.v, c.h, c.u, c.s, c.cp, c.w};
    const char* names[] = {"v", "h", "u", "s", "cp", "w"};
    for (int i = 0; i < 6; ++i) {
        if (routines[i] == nullptr) continue;
        EXPECT_TRUE(AgreesTo(routines[i](c.first, c.second), published[i], 9))
            << c.r->name << names[i] << "(" << c.first << ", " << c.second << ")";
    }
}

// IAPWS-IF97 Tables 5, 15 and 33, and region 5 of the 1997 release.
INSTANTIATE_TEST_SUITE_P(
    Tables, CheckValues,
    ::testing::Values(State{&kR1, 3, 300, 0.100215168e-2, 0.115331273e3, 0.112324818e3, 0.392294792,
                            0.417301218e1, 0.150773921e4},
                      State{&kR1, 80, 300, 0.971180894e-3, 0.184142828e3, 0.106448356e3,
                            0.368563852, 0.401008987e1, 0.163469054e4},
                      State{&kR1, 3, 500, 0.120241800e-2, 0.975542239e3, 0.971934985e3,
                            0.258041912e1, 0.465580682e1, 0.124071337e4},
                      State{&kR2, 0.0035, 300, 0.394913866e2, 0.254991145e4, 0.241169160e4,
                            0.852238967e1, 0.191300162e1, 0.427920172e3},
                      State{&kR2, 0.0035, 700, 0.923015898e2, 0.333568375e4, 0.301262819e4,
                            0.101749996e2, 0.208141274e1, 0.644289068e3},
                      State{&kR2, 30, 700, 0.542946619e-2, 0.263149474e4, 0.246861076e4,
                            0.517540298e1, 0.103505092e2, 0.480386523e3},
                      State{&kR3, 500, 650, 0, 0.186343019e4, 0.181226279e4, 0.405427273e1,
                            0.138935717e2, 0.502005554e3},
                      State{&kR3, 200, 650, 0, 0.237512401e4, 0.226365868e4, 0.485438792e1,
                            0.446579342e2, 0.383444594e3},
                      State{&kR3, 500, 750, 0, 0.225868845e4, 0.210206932e4, 0.446971906e1,
                            0.634165359e1, 0.760696041e3},
                      State{&kR5, 0.5, 1500, 0.138455354e1, 0.521976332e4, 0.452748654e4,
                            0.965408431e1, 0.261610228e1, 0.917071933e3},
                      State{&kR5, 8, 1500, 0.865156616e-1, 0.520609634e4, 0.451397105e4,
                            0.836546724e1, 0.264453866e1, 0.919708859e3},
                      State{&kR5, 8, 2000, 0.115743146, 0.658380291e4, 0.565785774e4, 0.915671044e1,
                            0.285306750e1, 0.105435806e4}));

// The one-argument curves: IAPWS-IF97 Tables 35 and 36, the critical point and the B23 line.
struct CurveValue {
    const char* name;
    double (*routine)(const double&);
    double argument, published;
    int digits;
};

class CurveValues : public ::testing::TestWithParam<CurveValue> {
  protected:
    static void SetUpTestSuite() { FillCoefficientTables(); }
};

TEST_P(CurveValues, ReproducesThePublishedValue) {
    const CurveValue& c = GetParam();
    EXPECT_TRUE(AgreesTo(c.routine(c.argument), c.published, c.digits))
        << c.name << "(" << c.argument << ")";
}

INSTANTIATE_TEST_SUITE_P(SaturationAndB23, CurveValues,
                         ::testing::Values(CurveValue{"Satpr", Satpr, 300, 0.353658941e-2, 9},
                                           CurveValue{"Satpr", Satpr, 500, 0.263889776e1, 9},
                                           CurveValue{"Satpr", Satpr, 600, 0.123443146e2, 9},
                                           CurveValue{"Sattr", Sattr, 0.1, 0.372755919e3, 9},
                                           CurveValue{"Sattr", Sattr, 1, 0.453035632e3, 9},
                                           CurveValue{"Sattr", Sattr, 10, 0.584149488e3, 9},
                                           CurveValue{"Satpr", Satpr, 647.096, 22.064, 10},
                                           CurveValue{"Sattr", Sattr, 22.064, 647.096, 10},
                                           CurveValue{"b23", b23, 623.15, 0.165291643e2, 9},
                                           CurveValue{"b32", b32, 0.165291643e2, 623.15, 8}));

// The density solver recovers the densities of IAPWS-IF97 Table 33 from their pressures.
TEST(DensityValues, RecoverTheTabulatedDensity) {
    FillCoefficientTables();
    const double table[][3] = {
        {0.255837018e2, 650, 500}, {0.222930643e2, 650, 200}, {0.783095639e2, 750, 500}};
    for (const auto& [P, T, rho] : table)
        EXPECT_NEAR(R3rho(P, T), rho, 1e-6 * rho) << "P = " << P << ", T = " << T;
}

}  // namespace
}  // namespace vapomet
