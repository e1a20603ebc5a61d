// Comparison of a computed property with a published value printed to a number of
// significant digits: they agree when the computed value rounds to the published one.
#pragma once

#include <gtest/gtest.h>

#include <cmath>
#include <iomanip>
#include <sstream>
#include <string>

namespace vapomet::testing {

// Half a unit in the last printed digit of `published`, which has `digits` significant digits.
inline double HalfUnitInLastDigit(double published, int digits) {
    const int exponent = static_cast<int>(std::floor(std::log10(std::fabs(published))));
    return 0.5 * std::pow(10.0, exponent - digits + 1);
}

inline ::testing::AssertionResult AgreesTo(double computed, double published, int digits) {
    const double tolerance = HalfUnitInLastDigit(published, digits) * (1.0 + 1e-9);
    if (std::isfinite(computed) && std::fabs(computed - published) <= tolerance)
        return ::testing::AssertionSuccess();
    std::ostringstream text;
    text << std::setprecision(15) << "computed " << computed << " (" << computed - published
         << " off), published " << published << " to " << digits << " digits";
    return ::testing::AssertionFailure() << text.str();
}

}  // namespace vapomet::testing
