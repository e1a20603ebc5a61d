// Agreement with a printed value, as the property tests judge it; the printed values themselves
// are the library's (property/published.h).
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

}  // namespace vapomet::testing
