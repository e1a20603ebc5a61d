// Reading of the input texts, the validation messages and their order, and the region plan at
// every boundary of the input domain.
#include "driver/plan.h"

#include <gtest/gtest.h>

#include "property/property.h"
#include "tests/support/case_names.h"
#include "tests/support/message_recorder.h"

namespace vapomet {
namespace {

using testing::English;
using testing::German;

struct NumberCase {
    const char* text;
    const char* locale;  // the user's regional settings
    std::optional<double> value;
};

class ReadInputNumberTest : public ::testing::TestWithParam<NumberCase> {};

TEST_P(ReadInputNumberTest, ReadsWholeTextOrNothing) {
    const NumberCase& c = GetParam();
    const auto value = ReadInputNumber(QString::fromUtf8(c.text), QLocale(c.locale));
    ASSERT_EQ(value.has_value(), c.value.has_value()) << '"' << c.text << '"';
    if (value) {
        EXPECT_DOUBLE_EQ(*value, *c.value) << '"' << c.text << '"';
    }
}

INSTANTIATE_TEST_SUITE_P(
    Texts, ReadInputNumberTest,
    ::testing::Values(
        // Point-decimal convention.
        NumberCase{"5.", "en_US", 5.0}, NumberCase{"500.", "en_US", 500.0},
        NumberCase{" 1e-3 ", "en_US", 0.001}, NumberCase{"+2", "en_US", 2.0},
        NumberCase{"-1", "en_US", -1.0}, NumberCase{".5", "en_US", 0.5},
        NumberCase{"2.5E+2", "en_US", 250.0}, NumberCase{"\t300\t", "en_US", 300.0},
        NumberCase{"1,5", "en_US", std::nullopt}, NumberCase{"1,000", "en_US", std::nullopt},
        NumberCase{"", "en_US", std::nullopt}, NumberCase{"   ", "en_US", std::nullopt},
        NumberCase{"nan", "en_US", std::nullopt}, NumberCase{"inf", "en_US", std::nullopt},
        NumberCase{"-Infinity", "en_US", std::nullopt}, NumberCase{"0x10", "en_US", std::nullopt},
        NumberCase{"1.5abc", "en_US", std::nullopt}, NumberCase{"1..5", "en_US", std::nullopt},
        NumberCase{"1.5.", "en_US", std::nullopt}, NumberCase{"1e", "en_US", std::nullopt},
        NumberCase{"e5", "en_US", std::nullopt}, NumberCase{"--1", "en_US", std::nullopt},
        NumberCase{"1 000", "en_US", std::nullopt}, NumberCase{"1e999", "en_US", std::nullopt},
        NumberCase{".", "en_US", std::nullopt}, NumberCase{"+", "en_US", std::nullopt},
        // Comma-decimal convention, with the plain point convention beside it.
        NumberCase{"1,5", "de_DE", 1.5}, NumberCase{"1.5", "de_DE", 1.5},
        NumberCase{"-0,25e1", "de_DE", -2.5}, NumberCase{"5,", "de_DE", 5.0},
        NumberCase{"1.000,5", "de_DE", std::nullopt}, NumberCase{"1,5,", "de_DE", std::nullopt},
        NumberCase{"1,5.0", "de_DE", std::nullopt},
        // Too small for a double is zero, with its sign; too large is no number.
        NumberCase{"1e-400", "en_US", 0.0}, NumberCase{"-0.001e-400", "en_US", -0.0},
        NumberCase{"1e-320", "en_US", 1e-320}, NumberCase{"0.00001e312", "en_US", 1e307},
        NumberCase{"100000e305", "en_US", std::nullopt},
        // The locale's own digits, as the pages show them in ar_EG, and plain digits beside.
        NumberCase{"١٫٥", "ar_EG", 1.5}, NumberCase{"\u061c-٣٠٠", "ar_EG", -300.0},
        NumberCase{"٣٠٠", "ar_EG", 300.0}, NumberCase{"2.5", "ar_EG", 2.5},
        NumberCase{"١٬٥٠٠", "ar_EG", std::nullopt}));

// Validation: the message for each bad input, in the order of the checks.
struct MessageCase {
    const char* pressure;
    const char* temperature;
    const QString& message;
    Input input;  // the box whose text is at fault
};

class ValidationTest : public ::testing::TestWithParam<MessageCase> {
  protected:
    void SetUp() override { FillCoefficientTables(); }
};

TEST_P(ValidationTest, GivesItsMessage) {
    const MessageCase& c = GetParam();
    const auto outcome = ValidateAndPlan(c.pressure, c.temperature, English());
    ASSERT_TRUE(std::holds_alternative<Rejection>(outcome)) << c.pressure << ", " << c.temperature;
    EXPECT_EQ(std::get<Rejection>(outcome).message, c.message)
        << c.pressure << ", " << c.temperature;
    EXPECT_EQ(std::get<Rejection>(outcome).input, c.input) << c.pressure << ", " << c.temperature;
}

INSTANTIATE_TEST_SUITE_P(
    Inputs, ValidationTest,
    ::testing::Values(MessageCase{"", "300", kInvalidNumber, Input::Pressure},
                      MessageCase{"1", "", kInvalidNumber, Input::Temperature},
                      MessageCase{"  ", "  ", kInvalidNumber, Input::Pressure},
                      MessageCase{"abc", "-5", kInvalidNumber, Input::Pressure},
                      MessageCase{"-1", "x", kInvalidNumber, Input::Temperature},
                      MessageCase{"0", "500", kInvalidPressure, Input::Pressure},
                      MessageCase{"-1", "200", kInvalidPressure, Input::Pressure},
                      MessageCase{"150", "200", kInvalidTemperature, Input::Temperature},
                      MessageCase{"150", "500", kInvalidPressure, Input::Pressure},
                      MessageCase{"1", "273.15", kInvalidTemperature, Input::Temperature},
                      MessageCase{"1", "2273.1500001", kInvalidTemperature, Input::Temperature},
                      MessageCase{"100.000001", "2273.2", kInvalidPressure, Input::Pressure},
                      MessageCase{"1e-320", "2274", kInvalidTemperature, Input::Temperature},
                      MessageCase{"-0", "300", kInvalidPressure, Input::Pressure},
                      MessageCase{"1e-400", "300", kInvalidPressure, Input::Pressure},
                      MessageCase{"1", "1e-400", kInvalidTemperature, Input::Temperature}));

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

// Above 623.15 K the pages use the region-1 and region-2 equations beyond their range: the
// saturation pages for their temperature, page 3 for liquid and for steam above the B23 line.
struct BeyondRangeCase {
    const char* name;
    double P, T;
    bool page1, page2, page3;
};

class BeyondRangeTest : public ::testing::TestWithParam<BeyondRangeCase> {};

TEST_P(BeyondRangeTest, MarksThePagesBeyondTheRegions) {
    const BeyondRangeCase& c = GetParam();
    const auto outcome = ValidateAndPlan(Exact(c.P), Exact(c.T), English());
    ASSERT_TRUE(std::holds_alternative<CalculationPlan>(outcome));
    const CalculationPlan& plan = std::get<CalculationPlan>(outcome);
    EXPECT_EQ(plan.beyondRange[0], c.page1);
    EXPECT_EQ(plan.beyondRange[1], c.page2);
    EXPECT_EQ(plan.beyondRange[2], c.page3);
}

INSTANTIATE_TEST_SUITE_P(
    States, BeyondRangeTest,
    ::testing::Values(BeyondRangeCase{"Liquid_300K", 1, 300, false, false, false},
                      BeyondRangeCase{"Liquid_AtTheLimit", 30, 623.15, false, false, false},
                      BeyondRangeCase{"Liquid_AboveTheLimit", 30, 623.16, true, false, true},
                      BeyondRangeCase{"SteamBelowB23_640K", 16, 640, true, false, false},
                      BeyondRangeCase{"SteamAboveB23_640K", 19, 640, true, true, true},
                      BeyondRangeCase{"SaturationAtP_Above623K", 17, 300, false, true, false},
                      BeyondRangeCase{"Region3", 30, 650, false, false, false}),
    testing::ByName());

}  // namespace
}  // namespace vapomet
