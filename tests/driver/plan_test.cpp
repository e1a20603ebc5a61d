// Reading of the input texts, the validation messages and their order, and the region plan at
// every boundary of the input domain.
#include "driver/plan.h"

#include <gtest/gtest.h>

#include "property/property.h"
#include "tests/support/message_recorder.h"

namespace vapomet {
namespace {

using testing::English;
using testing::German;

struct NumberCase {
    const char* text;
    bool german;
    std::optional<double> value;
};

class ReadInputNumberTest : public ::testing::TestWithParam<NumberCase> {};

TEST_P(ReadInputNumberTest, ReadsWholeTextOrNothing) {
    const NumberCase& c = GetParam();
    const auto value = ReadInputNumber(QString::fromUtf8(c.text), c.german ? German() : English());
    ASSERT_EQ(value.has_value(), c.value.has_value()) << '"' << c.text << '"';
    if (value) {
        EXPECT_DOUBLE_EQ(*value, *c.value) << '"' << c.text << '"';
    }
}

INSTANTIATE_TEST_SUITE_P(
    Texts, ReadInputNumberTest,
    ::testing::Values(
        // Point-decimal convention.
        NumberCase{"5.", false, 5.0}, NumberCase{"500.", false, 500.0},
        NumberCase{" 1e-3 ", false, 0.001}, NumberCase{"+2", false, 2.0},
        NumberCase{"-1", false, -1.0}, NumberCase{".5", false, 0.5},
        NumberCase{"2.5E+2", false, 250.0}, NumberCase{"\t300\t", false, 300.0},
        NumberCase{"1,5", false, std::nullopt}, NumberCase{"1,000", false, std::nullopt},
        NumberCase{"", false, std::nullopt}, NumberCase{"   ", false, std::nullopt},
        NumberCase{"nan", false, std::nullopt}, NumberCase{"inf", false, std::nullopt},
        NumberCase{"-Infinity", false, std::nullopt}, NumberCase{"0x10", false, std::nullopt},
        NumberCase{"1.5abc", false, std::nullopt}, NumberCase{"1..5", false, std::nullopt},
        NumberCase{"1.5.", false, std::nullopt}, NumberCase{"1e", false, std::nullopt},
        NumberCase{"e5", false, std::nullopt}, NumberCase{"--1", false, std::nullopt},
        NumberCase{"1 000", false, std::nullopt}, NumberCase{"1e999", false, std::nullopt},
        NumberCase{".", false, std::nullopt}, NumberCase{"+", false, std::nullopt},
        // Comma-decimal convention, with the plain point convention beside it.
        NumberCase{"1,5", true, 1.5}, NumberCase{"1.5", true, 1.5},
        NumberCase{"-0,25e1", true, -2.5}, NumberCase{"5,", true, 5.0},
        NumberCase{"1.000,5", true, std::nullopt}, NumberCase{"1,5,", true, std::nullopt},
        NumberCase{"1,5.0", true, std::nullopt}));

// Validation: the message for each bad input, in the order of the checks.
struct MessageCase {
    const char* pressure;
    const char* temperature;
    const QString& message;
};

class ValidationTest : public ::testing::TestWithParam<MessageCase> {
  protected:
    void SetUp() override { FillCoefficientTables(); }
};

TEST_P(ValidationTest, GivesItsMessage) {
    const MessageCase& c = GetParam();
    const auto outcome = ValidateAndPlan(c.pressure, c.temperature, English());
    ASSERT_TRUE(std::holds_alternative<QString>(outcome)) << c.pressure << ", " << c.temperature;
    EXPECT_EQ(std::get<QString>(outcome), c.message) << c.pressure << ", " << c.temperature;
}

INSTANTIATE_TEST_SUITE_P(Inputs, ValidationTest,
                         ::testing::Values(MessageCase{"", "300", kInvalidNumber},
                                           MessageCase{"1", "", kInvalidNumber},
                                           MessageCase{"  ", "  ", kInvalidNumber},
                                           MessageCase{"abc", "-5", kInvalidNumber},
                                           MessageCase{"-1", "x", kInvalidNumber},
                                           MessageCase{"0", "500", kInvalidPressure},
                                           MessageCase{"-1", "200", kInvalidPressure},
                                           MessageCase{"150", "200", kInvalidTemperature},
                                           MessageCase{"150", "500", kInvalidPressure},
                                           MessageCase{"1", "273.15", kInvalidTemperature},
                                           MessageCase{"1", "2273.1500001", kInvalidTemperature},
                                           MessageCase{"100.000001", "2273.2", kInvalidPressure},
                                           MessageCase{"1e-320", "2274", kInvalidTemperature},
                                           MessageCase{"-0", "300", kInvalidPressure}));

// The plan at the boundaries of the regions.
enum class Saturation { Computed, NaN };

struct PlanCase {
    double P;
    double T;
    std::optional<Region> region;
    const char* caption;
    Saturation page1;
    Saturation page2;
};

QString Exact(double value) {
    return QString::number(value, 'g', 17);
}

class PlanTest : public ::testing::TestWithParam<PlanCase> {
  protected:
    void SetUp() override { FillCoefficientTables(); }
};

TEST_P(PlanTest, ChoosesPagesAndRegion) {
    const PlanCase& c = GetParam();
    const auto outcome = ValidateAndPlan(Exact(c.P), Exact(c.T), English());
    ASSERT_TRUE(std::holds_alternative<CalculationPlan>(outcome)) << c.P << " MPa, " << c.T << " K";
    const CalculationPlan& plan = std::get<CalculationPlan>(outcome);
    EXPECT_EQ(plan.P, c.P);
    EXPECT_EQ(plan.T, c.T);
    EXPECT_EQ(plan.region, c.region) << c.P << " MPa, " << c.T << " K";
    EXPECT_EQ(plan.caption, QString::fromUtf8(c.caption)) << c.P << " MPa, " << c.T << " K";
    EXPECT_EQ(plan.page1.has_value(), c.page1 == Saturation::Computed) << c.P << ", " << c.T;
    EXPECT_EQ(plan.page2.has_value(), c.page2 == Saturation::Computed) << c.P << ", " << c.T;
    if (plan.page1) {
        EXPECT_EQ(plan.page1->ps, Satpr(c.T));
        EXPECT_EQ(plan.page1->Ts, c.T);
    }
    if (plan.page2) {
        EXPECT_EQ(plan.page2->ps, c.P);
        EXPECT_EQ(plan.page2->Ts, Sattr(c.P));
    }
}

constexpr const char* k1 = "Region - 1  Water below Triple Point ";
constexpr const char* k2 = "Region - 2  Steam below Triple Point ";
constexpr const char* k2Hot = "Region - 2 Steam below Triple Point ";
constexpr const char* k3 = "Region - 3  Pressurised Water ";
constexpr const char* k5 = "Region - 5  Superheated Steam ";
constexpr auto C = Saturation::Computed;
constexpr auto N = Saturation::NaN;

INSTANTIATE_TEST_SUITE_P(
    Boundaries, PlanTest,
    ::testing::Values(
        PlanCase{1, 300, Region::One, k1, C, C}, PlanCase{0.1, 500, Region::Two, k2, C, C},
        PlanCase{100, 500, Region::One, k1, C, N},  // Tsat(100 MPa) lies above 647.0 K
        PlanCase{1, 273.15000001, Region::One, k1, C, C}, PlanCase{19, 640, Region::Two, k2, C, C},
        PlanCase{22.1, 647.0, Region::One, k1, C, N}, PlanCase{21, 647.0, Region::Two, k2, C, C},
        // Just above 647.0 K the boundary between regions 2 and 3 decides (b23 is about
        // 19.57 MPa there), and page 2 is "NaN" although the saturation line exists at 19 MPa.
        PlanCase{22, 647.00000001, Region::Three, k3, N, N},
        PlanCase{19, 647.00000001, Region::Two, k2, N, N}, PlanCase{30, 700, Region::Two, k2, N, N},
        PlanCase{31, 700, Region::Three, k3, N, N}, PlanCase{99, 863.15, Region::Two, k2, N, N},
        PlanCase{100, 863.15000001, Region::Two, k2Hot, N, N},
        PlanCase{100, 1073.15, Region::Two, k2Hot, N, N},
        PlanCase{10, 1073.15000001, Region::Five, k5, N, N},
        PlanCase{10.1, 1073.15000001, std::nullopt, "", N, N},
        PlanCase{1, 2273.15, Region::Five, k5, N, N},
        PlanCase{100, 2273.15, std::nullopt, "", N, N},
        // Below the triple-point pressure the saturation line does not exist at P.
        PlanCase{0.0005, 300, Region::Two, k2, C, N}, PlanCase{1e-6, 300, Region::Two, k2, C, N},
        PlanCase{1e-12, 300, Region::Two, k2, C, N},
        PlanCase{0.000612, 300, Region::Two, k2, C, C}));

}  // namespace
}  // namespace vapomet
