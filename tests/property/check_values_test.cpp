// The verification values of IAPWS-IF97 (1997 release) for the saturation line, the B23
// boundary and regions 1, 2, 3 and 5, each reproduced to its nine printed digits.
#include "tests/property/check_values.h"

#include <gtest/gtest.h>

#include <vector>

#include "property/property.h"

namespace vapomet {
namespace {

using testing::AgreesTo;

struct CheckValue {
    const char* name;
    double (*routine)(const double&, const double&);
    double first, second;  // (P, T) or (rho, T)
    double published;
    int digits = 9;
};

class CheckValues : public ::testing::TestWithParam<CheckValue> {
  protected:
    static void SetUpTestSuite() { FillCoefficientTables(); }
};

TEST_P(CheckValues, ReproducesThePublishedValue) {
    const CheckValue& c = GetParam();
    EXPECT_TRUE(AgreesTo(c.routine(c.first, c.second), c.published, c.digits))
        << c.name << "(" << c.first << ", " << c.second << ")";
}

std::string Name(const ::testing::TestParamInfo<CheckValue>& info) {
    return std::string(info.param.name) + "_" + std::to_string(info.index);
}

// IAPWS-IF97 Table 5: region 1 at (3 MPa, 300 K), (80 MPa, 300 K), (3 MPa, 500 K).
INSTANTIATE_TEST_SUITE_P(Region1, CheckValues,
                         ::testing::Values(CheckValue{"R1v", R1v, 3, 300, 0.100215168e-2},
                                           CheckValue{"R1h", R1h, 3, 300, 0.115331273e3},
                                           CheckValue{"R1u", R1u, 3, 300, 0.112324818e3},
                                           CheckValue{"R1s", R1s, 3, 300, 0.392294792},
                                           CheckValue{"R1cp", R1cp, 3, 300, 0.417301218e1},
                                           CheckValue{"R1w", R1w, 3, 300, 0.150773921e4},
                                           CheckValue{"R1v", R1v, 80, 300, 0.971180894e-3},
                                           CheckValue{"R1h", R1h, 80, 300, 0.184142828e3},
                                           CheckValue{"R1u", R1u, 80, 300, 0.106448356e3},
                                           CheckValue{"R1s", R1s, 80, 300, 0.368563852},
                                           CheckValue{"R1cp", R1cp, 80, 300, 0.401008987e1},
                                           CheckValue{"R1w", R1w, 80, 300, 0.163469054e4},
                                           CheckValue{"R1v", R1v, 3, 500, 0.120241800e-2},
                                           CheckValue{"R1h", R1h, 3, 500, 0.975542239e3},
                                           CheckValue{"R1u", R1u, 3, 500, 0.971934985e3},
                                           CheckValue{"R1s", R1s, 3, 500, 0.258041912e1},
                                           CheckValue{"R1cp", R1cp, 3, 500, 0.465580682e1},
                                           CheckValue{"R1w", R1w, 3, 500, 0.124071337e4}),
                         Name);

// IAPWS-IF97 Table 15: region 2 at (0.0035 MPa, 300 K), (0.0035 MPa, 700 K), (30 MPa, 700 K).
INSTANTIATE_TEST_SUITE_P(Region2, CheckValues,
                         ::testing::Values(CheckValue{"R2v", R2v, 0.0035, 300, 0.394913866e2},
                                           CheckValue{"R2h", R2h, 0.0035, 300, 0.254991145e4},
                                           CheckValue{"R2u", R2u, 0.0035, 300, 0.241169160e4},
                                           CheckValue{"R2s", R2s, 0.0035, 300, 0.852238967e1},
                                           CheckValue{"R2cp", R2cp, 0.0035, 300, 0.191300162e1},
                                           CheckValue{"R2w", R2w, 0.0035, 300, 0.427920172e3},
                                           CheckValue{"R2v", R2v, 0.0035, 700, 0.923015898e2},
                                           CheckValue{"R2h", R2h, 0.0035, 700, 0.333568375e4},
                                           CheckValue{"R2u", R2u, 0.0035, 700, 0.301262819e4},
                                           CheckValue{"R2s", R2s, 0.0035, 700, 0.101749996e2},
                                           CheckValue{"R2cp", R2cp, 0.0035, 700, 0.208141274e1},
                                           CheckValue{"R2w", R2w, 0.0035, 700, 0.644289068e3},
                                           CheckValue{"R2v", R2v, 30, 700, 0.542946619e-2},
                                           CheckValue{"R2h", R2h, 30, 700, 0.263149474e4},
                                           CheckValue{"R2u", R2u, 30, 700, 0.246861076e4},
                                           CheckValue{"R2s", R2s, 30, 700, 0.517540298e1},
                                           CheckValue{"R2cp", R2cp, 30, 700, 0.103505092e2},
                                           CheckValue{"R2w", R2w, 30, 700, 0.480386523e3}),
                         Name);

// IAPWS-IF97 Table 33: region 3 at (500 kg/m3, 650 K), (200 kg/m3, 650 K), (500 kg/m3, 750 K).
INSTANTIATE_TEST_SUITE_P(Region3, CheckValues,
                         ::testing::Values(CheckValue{"R3h", R3h, 500, 650, 0.186343019e4},
                                           CheckValue{"R3u", R3u, 500, 650, 0.181226279e4},
                                           CheckValue{"R3s", R3s, 500, 650, 0.405427273e1},
                                           CheckValue{"R3cp", R3cp, 500, 650, 0.138935717e2},
                                           CheckValue{"R3w", R3w, 500, 650, 0.502005554e3},
                                           CheckValue{"R3h", R3h, 200, 650, 0.237512401e4},
                                           CheckValue{"R3u", R3u, 200, 650, 0.226365868e4},
                                           CheckValue{"R3s", R3s, 200, 650, 0.485438792e1},
                                           CheckValue{"R3cp", R3cp, 200, 650, 0.446579342e2},
                                           CheckValue{"R3w", R3w, 200, 650, 0.383444594e3},
                                           CheckValue{"R3h", R3h, 500, 750, 0.225868845e4},
                                           CheckValue{"R3u", R3u, 500, 750, 0.210206932e4},
                                           CheckValue{"R3s", R3s, 500, 750, 0.446971906e1},
                                           CheckValue{"R3cp", R3cp, 500, 750, 0.634165359e1},
                                           CheckValue{"R3w", R3w, 500, 750, 0.760696041e3}),
                         Name);

// Region 5 of the 1997 release at (0.5 MPa, 1500 K), (8 MPa, 1500 K), (8 MPa, 2000 K).
INSTANTIATE_TEST_SUITE_P(Region5, CheckValues,
                         ::testing::Values(CheckValue{"R5v", R5v, 0.5, 1500, 0.138455354e1},
                                           CheckValue{"R5h", R5h, 0.5, 1500, 0.521976332e4},
                                           CheckValue{"R5u", R5u, 0.5, 1500, 0.452748654e4},
                                           CheckValue{"R5s", R5s, 0.5, 1500, 0.965408431e1},
                                           CheckValue{"R5cp", R5cp, 0.5, 1500, 0.261610228e1},
                                           CheckValue{"R5w", R5w, 0.5, 1500, 0.917071933e3},
                                           CheckValue{"R5v", R5v, 8, 1500, 0.865156616e-1},
                                           CheckValue{"R5h", R5h, 8, 1500, 0.520609634e4},
                                           CheckValue{"R5u", R5u, 8, 1500, 0.451397105e4},
                                           CheckValue{"R5s", R5s, 8, 1500, 0.836546724e1},
                                           CheckValue{"R5cp", R5cp, 8, 1500, 0.264453866e1},
                                           CheckValue{"R5w", R5w, 8, 1500, 0.919708859e3},
                                           CheckValue{"R5v", R5v, 8, 2000, 0.115743146},
                                           CheckValue{"R5h", R5h, 8, 2000, 0.658380291e4},
                                           CheckValue{"R5u", R5u, 8, 2000, 0.565785774e4},
                                           CheckValue{"R5s", R5s, 8, 2000, 0.915671044e1},
                                           CheckValue{"R5cp", R5cp, 8, 2000, 0.285306750e1},
                                           CheckValue{"R5w", R5w, 8, 2000, 0.105435806e4}),
                         Name);

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
struct DensityValue {
    double P, T, rho;
};

class DensityValues : public ::testing::TestWithParam<DensityValue> {
  protected:
    static void SetUpTestSuite() { FillCoefficientTables(); }
};

TEST_P(DensityValues, RecoversTheTabulatedDensity) {
    const DensityValue& d = GetParam();
    EXPECT_NEAR(R3rho(d.P, d.T), d.rho, 1e-6 * d.rho) << "P = " << d.P << ", T = " << d.T;
}

INSTANTIATE_TEST_SUITE_P(Table33, DensityValues,
                         ::testing::Values(DensityValue{0.255837018e2, 650, 500},
                                           DensityValue{0.222930643e2, 650, 200},
                                           DensityValue{0.783095639e2, 750, 500}));

}  // namespace
}  // namespace vapomet
