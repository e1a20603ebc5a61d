// The coefficient tables after the fill: the entries whose placement a slip would move.
#include <gtest/gtest.h>

#include "property/property.h"

namespace vapomet {
namespace {

class CoefficientTablesTest : public ::testing::Test {
  protected:
    void SetUp() override { FillCoefficientTables(); }
    const CoefficientTables& t = Tables();
};

TEST_F(CoefficientTablesTest, EntriesSitAtTheRunningNumberOfTheRelease) {
    struct Entry {
        const char* what;
        double stored, published;
    };
    const Entry entries[] = {
        {"R1n[1]", t.R1n[1], 0.14632971213167},
        {"R1n[34]", t.R1n[34], -0.93537087292458e-25},
        {"R1J[34]", static_cast<double>(t.R1J[34]), -41},
        {"R1I[34]", static_cast<double>(t.R1I[34]), 32},
        {"B23n[0]", t.B23n[0], 348.05185628969},
        {"B23n[4]", t.B23n[4], 13.91883977887},
        {"R3n[1]", t.R3n[1], 1.0658070028513},
        {"R3I[1]", static_cast<double>(t.R3I[1]), 0},
        {"R3J[1]", static_cast<double>(t.R3J[1]), 0},
        {"R3n[40]", t.R3n[40], -0.44923899061815e-4},
        {"R2n[43]", t.R2n[43], -0.94369707241210e-6},
        {"R2J[43]", static_cast<double>(t.R2J[43]), 58},
        {"R2n0[9]", t.R2n0[9], 0.21268463753307e-1},
        {"R4n[10]", t.R4n[10], 0.65017534844798e3},
        {"R5n[5]", t.R5n[5], 1.2919228289784e-07},
        {"R5I[5]", static_cast<double>(t.R5I[5]), 3},
        {"R5J[5]", static_cast<double>(t.R5J[5]), 3},
        {"R5n0[6]", t.R5n0[6], -0.32961626538917},
        {"VisH[3][6]", t.VisH[3][6], -0.003629481},
        {"VisH[1][5]", t.VisH[1][5], -0.01578386},
        {"VisH0[3]", t.VisH0[3], -0.202354},
        {"CondC[6]", t.CondC[6], 10.0932},
        {"CondD[4]", t.CondD[4], -1.02},
        {"CondB[0]", t.CondB[0], -0.39707},
    };
    for (const Entry& e : entries) EXPECT_EQ(e.stored, e.published) << e.what;
}

TEST_F(CoefficientTablesTest, RefillingChangesNothing) {
    const CoefficientTables before = t;
    FillCoefficientTables();
    EXPECT_EQ(before.R2n, t.R2n);
    EXPECT_EQ(before.R3J, t.R3J);
    EXPECT_EQ(before.VisH, t.VisH);
}

}  // namespace
}  // namespace vapomet
