// Reading of the input texts, the validation messages and the box each one is about, and the
// plan of a press at every boundary of the input domain and of the regions.
#include "driver/plan.h"

#include <gtest/gtest.h>

#include "driver/calculate.h"
#include "property/property.h"
#include "tests/support/case_names.h"
#include "tests/support/support.h"

namespace vapomet {
namespace {

using testing::Spelled;

struct NumberCase {
    const char* text;
    const char* locale;  // the user's regional settings
    std::optional<double> value;
};
constexpr std::nullopt_t kNone = std::nullopt;
// clang-format off
const NumberCase kNumbers[] = {
    // Point decimals.
    {"5.", "en_US", 5.0},           {" 1e-3 ", "en_US", 0.001},     {"+2", "en_US", 2.0},
    {".5", "en_US", 0.5},           {"-2.5E+2", "en_US", -250.0},   {"\t300\t", "en_US", 300.0},
    {"1,5", "en_US", kNone},        {"1,000", "en_US", kNone},      {"", "en_US", kNone},
    {"   ", "en_US", kNone},        {"nan", "en_US", kNone},        {"-Infinity", "en_US", kNone},
    {"0x10", "en_US", kNone},       {"1.5abc", "en_US", kNone},     {"1..5", "en_US", kNone},
    {"1e", "en_US", kNone},         {"--1", "en_US", kNone},        {"1 000", "en_US", kNone},
    {"1e999", "en_US", kNone},      {".", "en_US", kNone},
    // Comma decimals, with the plain point convention beside them.
    {"1,5", "de_DE", 1.5},          {"1.5", "de_DE", 1.5},          {"-0,25e1", "de_DE", -2.5},
    {"5,", "de_DE", 5.0},           {"1.000,5", "de_DE", kNone},    {"1,5,", "de_DE", kNone},
    {"1,5.0", "de_DE", kNone},
    // Too small for a double is zero, with its sign; too large is no number.
    {"1e-400", "en_US", 0.0},       {"-0.001e-400", "en_US", -0.0}, {"1e-320", "en_US", 1e-320},
    {"0.00001e312", "en_US", 1e307}, {"100000e305", "en_US", kNone},
    // The locale's own digits, and plain digits beside them.
    {"١٫٥", "ar_EG", 1.5},          {"\u061c-٣٠٠", "ar_EG", -300.0}, {"2.5", "ar_EG", 2.5},
    {"١٬٥٠٠", "ar_EG", kNone}};
// clang-format on

class ReadInputNumberTest : public ::testing::TestWithParam<NumberCase> {};

TEST_P(ReadInputNumberTest, ReadsTheWholeTextOrNothing) {
    const auto value =
        ReadInputNumber(QString::fromUtf8(GetParam().text), QLocale(GetParam().locale));
    EXPECT_EQ(value, GetParam().value);
    EXPECT_EQ(std::signbit(value.value_or(0.0)), std::signbit(GetParam().value.value_or(0.0)));
}

INSTANTIATE_TEST_SUITE_P(Texts, ReadInputNumberTest, ::testing::ValuesIn(kNumbers),
                         [](const ::testing::TestParamInfo<NumberCase>& row) {
                             return std::string(row.param.locale, 2) + "_" +
                                    Spelled(row.param.text);
                         });

// Validation: the message for each bad input in the order of the checks, and its box.
struct MessageCase {
    const char *pressure, *temperature;
    const QString& message;
    Input input;
};
constexpr Input kP = Input::Pressure, kT = Input::Temperature;
const MessageCase kMessages[] = {
    {"", "300", kInvalidNumber, kP},          {"1", "", kInvalidNumber, kT},
    {"abc", "-5", kInvalidNumber, kP},        {"-1", "x", kInvalidNumber, kT},
    {"0", "500", kInvalidPressure, kP},       {"-0", "300", kInvalidPressure, kP},
    {"1e-400", "300", kInvalidPressure, kP},  {"100.000001", "300", kInvalidPressure, kP},
    {"150", "200", kInvalidTemperature, kT},  {"150", "500", kInvalidPressure, kP},
    {"1", "273.15", kInvalidTemperature, kT}, {"1", "2273.1500001", kInvalidTemperature, kT}};

class ValidationTest : public ::testing::TestWithParam<MessageCase> {};

// A refused press shows its one message, names the box, and changes no slot of pages that
// show a press.
TEST_P(ValidationTest, RefusesWithItsMessage) {
    const MessageCase& c = GetParam();
    ResultPages pages(testing::English());
    testing::MessageRecorder recorder;
    Calculate("1", "300", pages, recorder);
    const QList<QStringList> before = testing::AllTexts(pages);
    EXPECT_EQ(Calculate(c.pressure, c.temperature, pages, recorder), c.input);
    EXPECT_EQ(recorder.messages, QStringList{c.message});
    EXPECT_EQ(testing::AllTexts(pages), before);
}

INSTANTIATE_TEST_SUITE_P(Inputs, ValidationTest, ::testing::ValuesIn(kMessages),
                         [](const ::testing::TestParamInfo<MessageCase>& row) {
                             return "P_" + Spelled(row.param.pressure) + "_T_" +
                                    Spelled(row.param.temperature);
                         });

CalculationPlan PlanOf(double P, double T) {
    const auto outcome = ValidateAndPlan(QString::number(P, 'g', 17), QString::number(T, 'g', 17),
                                         testing::English());
    if (!std::holds_alternative<CalculationPlan>(outcome)) throw std::runtime_error("refused");
    return std::get<CalculationPlan>(outcome);
}

// The plan at the boundaries: page 3's region and caption (that of a state well inside the
// region: region 2 has two), whether pages 1 and 2 are computed, and which pages use the
// region-1 and region-2 equations beyond their range (above 623.15 K).
struct PlanCase {
    double P, T;
    int region;  // 0: none
    std::pair<double, double> sameCaptionAs;
    bool page1, page2;
    std::array<bool, 3> beyondRange;
};
constexpr std::pair<double, double> k1{1, 300}, k2{0.1, 500}, k3{30, 650}, k5{8, 2000};
constexpr std::array<bool, 3> kNo{false, false, false};
// clang-format off
const PlanCase kPlans[] = {
    {1, 300, 1, k1, true, true, kNo},                 {0.1, 500, 2, k2, true, true, kNo},
    {100, 500, 1, k1, true, false, kNo},  // Tsat(100 MPa) lies above 647.0 K
    {1, 273.15000001, 1, k1, true, true, kNo},        {30, 623.15, 1, k1, true, false, kNo},
    {30, 623.16, 1, k1, true, false, {true, false, true}},
    {16, 640, 2, k2, true, true, {true, false, false}},
    {19, 640, 2, k2, true, true, {true, true, true}},
    {17, 300, 1, k1, true, true, {false, true, false}},
    {22.1, 647.0, 1, k1, true, false, {true, false, true}},
    // Just above 647.0 K the B23 line (about 19.57 MPa) decides; page 2 is "NaN" although the
    // saturation line exists at 19 MPa.
    {22, 647.00000001, 3, k3, false, false, kNo},     {19, 647.00000001, 2, k2, false, false, kNo},
    {30, 700, 2, k2, false, false, kNo},              {31, 700, 3, k3, false, false, kNo},
    {99, 863.15, 2, k2, false, false, kNo},
    {100, 863.15000001, 2, {100, 1000}, false, false, kNo},
    {50, 1073.15, 2, {100, 1000}, false, false, kNo},
    {10, 1073.15000001, 5, k5, false, false, kNo},
    {10.1, 1073.15000001, 0, {}, false, false, kNo},
    {1, 2273.15, 5, k5, false, false, kNo},           {100, 2273.15, 0, {}, false, false, kNo},
    // Below the triple-point pressure there is no saturation at P.
    {0.0005, 300, 2, k2, true, false, kNo},           {0.000612, 300, 2, k2, true, true, kNo},
    // Exactly on the saturation line the state is steam, one step above it water; exactly on
    // the B23 line it is in region 3, one step below it in region 2.
    {Satpr(450), 450, 2, k2, true, true, kNo},
    {Satpr(646.9), 646.9, 2, k2, true, true, {true, true, true}},
    {std::nextafter(Satpr(450), 200.0), 450, 1, k1, true, true, kNo},
    {std::nextafter(Satpr(646.9), 200.0), 646.9, 1, k1, true, true, {true, true, true}},
    {b23(700), 700, 3, k3, false, false, kNo},
    {std::nextafter(b23(700), 0.0), 700, 2, k2, false, false, kNo},
    {b23(850), 850, 3, k3, false, false, kNo},
    {std::nextafter(b23(850), 0.0), 850, 2, k2, false, false, kNo}};
// clang-format on

class PlanTest : public ::testing::TestWithParam<PlanCase> {};

TEST_P(PlanTest, ChoosesPagesAndRegion) {
    const PlanCase& c = GetParam();
    const CalculationPlan plan = PlanOf(c.P, c.T);
    EXPECT_EQ(plan.P, c.P);
    EXPECT_EQ(plan.T, c.T);
    EXPECT_EQ(plan.region.has_value() ? static_cast<int>(*plan.region) : 0, c.region);
    EXPECT_EQ(plan.caption, c.region == 0
                                ? QString()
                                : PlanOf(c.sameCaptionAs.first, c.sameCaptionAs.second).caption);
    ASSERT_EQ(plan.page1.has_value(), c.page1);
    ASSERT_EQ(plan.page2.has_value(), c.page2);
    EXPECT_TRUE(!c.page1 || plan.page1->ps == Satpr(c.T));
    EXPECT_TRUE(!c.page2 || plan.page2->Ts == Sattr(c.P));
    EXPECT_EQ(std::to_array(plan.beyondRange), c.beyondRange);
}

INSTANTIATE_TEST_SUITE_P(Boundaries, PlanTest, ::testing::ValuesIn(kPlans),
                         [](const ::testing::TestParamInfo<PlanCase>& row) {
                             return Spelled(row.param.P) + "MPa_" + Spelled(row.param.T) + "K";
                         });

}  // namespace
}  // namespace vapomet
