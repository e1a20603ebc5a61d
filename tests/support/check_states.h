// Agreement with a printed value as an assertion, judged as the verification report judges it
// (RoundsTo); the printed values themselves are the library's (property/published.h).
#pragma once

#include <gtest/gtest.h>

#include "property/published.h"

namespace vapomet::testing {

// The computed value rounds to the published one at its printed significant digits.
inline ::testing::AssertionResult AgreesTo(double computed, double published, int digits = 9) {
    if (RoundsTo(computed, published, digits)) return ::testing::AssertionSuccess();
    return ::testing::AssertionFailure()
           << "computed " << computed << ", published " << published << " to " << digits;
}

}  // namespace vapomet::testing
