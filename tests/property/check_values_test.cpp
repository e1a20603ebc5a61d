// Check values: every value the releases publish that the program carries, reproduced to its
// printed digits (property/published.h); the tables read before any fill; region 3's density
// at its tabulated pressures.
#include <gtest/gtest.h>

#include <array>
#include <cmath>
#include <string>

#include "property/property.h"
#include "property/published.h"
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

// Every published value the program carries, each computed as the report of vapomet-cli
// --verify computes it: the check states and curves of IAPWS-IF97, those states from every pair,
// transport after both releases, surface tension, metastable vapour.
class PublishedCheckValues : public ::testing::TestWithParam<PublishedValue> {};

TEST_P(PublishedCheckValues, AreReproduced) {
    const PublishedValue& c = GetParam();
    const double computed = c.compute();
    EXPECT_TRUE(RoundsTo(computed, c.published, c.digits))
        << c.table << ": " << c.what << " computed " << computed << ", published " << c.published;
}

INSTANTIATE_TEST_SUITE_P(Releases, PublishedCheckValues, ::testing::ValuesIn(PublishedValues()),
                         [](const ::testing::TestParamInfo<PublishedValue>& row) {
                             std::string name = row.param.table + "_" + row.param.what;
                             for (char& ch : name)
                                 if (!std::isalnum(static_cast<unsigned char>(ch))) ch = '_';
                             return name + "_" + std::to_string(row.index);
                         });

// A value off by one unit in its last printed digit does not round to it.
TEST(RoundsTo, TellsThePrintedDigits) {
    EXPECT_TRUE(RoundsTo(0.1153312734e3, 0.115331273e3, 9));
    EXPECT_FALSE(RoundsTo(0.115331274e3, 0.115331273e3, 9));
    EXPECT_TRUE(RoundsTo(75.654, 75.65, 4));
    EXPECT_FALSE(RoundsTo(75.656, 75.65, 4));
}

TEST(Region3Density, IsThatOfTheTabulatedPressure) {
    const double table[][3] = {
        {0.255837018e2, 650, 500}, {0.222930643e2, 650, 200}, {0.783095639e2, 750, 500}};
    for (const auto& [P, T, rho] : table)
        EXPECT_NEAR(R3rho(P, T), rho, 1e-6 * rho) << P << " MPa, " << T << " K";
}

}  // namespace
}  // namespace vapomet
