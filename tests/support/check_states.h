// The check values of IAPWS-IF97 (1997 release) that the property tests share: the states of
// regions 1, 2, 3 and 5 with their printed values, and the saturation line's.
#pragma once

#include <gtest/gtest.h>

#include <cmath>

namespace vapomet::testing {

// The computed value rounds to the published one at its printed significant digits.
inline ::testing::AssertionResult AgreesTo(double computed, double published, int digits = 9) {
    const int exponent = static_cast<int>(std::floor(std::log10(std::fabs(published))));
    const double half_unit = 0.5 * std::pow(10.0, exponent - digits + 1) * (1.0 + 1e-9);
    if (std::fabs(computed - published) <= half_unit) return ::testing::AssertionSuccess();
    return ::testing::AssertionFailure()
           << "computed " << computed << ", published " << published << " to " << digits;
}

// One state of a table: (P, T), or (rho, T) in region 3, and the published v, h, u, s, cp, w.
struct CheckState {
    int region;
    double x, T, v, h, u, s, cp, w;
};
inline constexpr CheckState kCheckStates[] = {
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

// The saturation line as published: the pressure at a temperature (Satpr) or the temperature at
// a pressure (Sattr).
struct SaturationPoint {
    bool atT;
    double given, published;
};
inline constexpr SaturationPoint kSaturationPoints[] = {
    {true, 300, 0.353658941e-2}, {true, 500, 0.263889776e1}, {true, 600, 0.123443146e2},
    {false, 0.1, 0.372755919e3}, {false, 1, 0.453035632e3},  {false, 10, 0.584149488e3}};

}  // namespace vapomet::testing
