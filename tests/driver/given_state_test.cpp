// The state window's answers, headless: the pairs in words, the box a refusal points to, the
// states with their lines in the regional convention, and the text a copy gives.
#include "driver/given_state.h"

#include <gtest/gtest.h>

#include "driver/messages.h"
#include "driver/state_table.h"
#include "tests/support/case_names.h"
#include "tests/support/support.h"

namespace vapomet {
namespace {

using V = Variable;

TEST(GivenPairs, AreTheSolversPairsInWords) {
    const std::vector<GivenPair> pairs = GivenPairs();
    ASSERT_EQ(pairs.size(), 14u);
    QStringList words;
    for (const GivenPair& pair : pairs) {
        EXPECT_TRUE(IsOfferedPair(pair.a, pair.b));
        words << PairInWords(pair);
    }
    EXPECT_EQ(words.removeDuplicates(), 0);
    EXPECT_TRUE(words.contains("Pressure and enthalpy (P, h)"));
    EXPECT_TRUE(words.contains("Enthalpy and entropy (h, s)"));
    EXPECT_TRUE(words.contains("Temperature and quality (T, x)"));
    EXPECT_TRUE(words.contains("Specific volume and internal energy (v, u)"));
}

struct Refusal {
    const char* name;
    V a, b;
    const char *textA, *textB;
    GivenBox box;
    const char* message;  // a part of it
};
const Refusal kRefusals[] = {
    {"FirstNoNumber", V::P, V::T, "abc", "300", GivenBox::First, "valid number"},
    {"SecondEmpty", V::P, V::T, "5", "", GivenBox::Second, "valid number"},
    {"BothNoNumber", V::P, V::h, "", "x", GivenBox::First, "valid number"},
    {"PressureZero", V::P, V::h, "0", "100", GivenBox::First, "P = 0 MPa outside"},
    {"QualityAbove1", V::T, V::x, "300", "1.5", GivenBox::Second, "0 <= x <= 1"},
    {"FirstOutsideSecondNoState", V::P, V::h, "101", "1e4", GivenBox::First, "0 < P <= 100"},
    {"NoStateOnTheIsobar", V::P, V::h, "5", "1e4", GivenBox::Second, "h above the largest"},
    {"NoStateOnTheIsotherm", V::T, V::s, "300", "100", GivenBox::Second, "s above the largest"}};

class Refusals : public ::testing::TestWithParam<Refusal> {};

TEST_P(Refusals, PointAtTheBoxToCorrect) {
    const Refusal& c = GetParam();
    const GivenAnswer answer = AnswerGiven({c.a, c.b}, c.textA, c.textB, testing::English());
    EXPECT_TRUE(answer.states.empty());
    ASSERT_TRUE(answer.refused);
    EXPECT_EQ(*answer.refused, c.box);
    EXPECT_TRUE(answer.message.contains(c.message)) << answer.message.toStdString();
}
INSTANTIATE_TEST_SUITE_P(Pairs, Refusals, ::testing::ValuesIn(kRefusals), testing::ByName());

// Numbers are read as page 1 reads them: the user's convention or the C one.
TEST(AnswerGiven, ReadsTheUsersConventionAndTheCOne) {
    for (const char* text : {"0,9", "0.9"}) {
        const GivenAnswer answer = AnswerGiven({V::P, V::x}, "1", text, testing::German());
        ASSERT_EQ(answer.states.size(), 1u) << text;
        EXPECT_EQ(answer.states[0].x, 0.9);
        EXPECT_EQ(GivenInWords(answer, testing::German()), "P = 1 MPa, x = 0,9");
    }
    const GivenAnswer answer = AnswerGiven({V::P, V::h}, "5", "2800", testing::English());
    EXPECT_EQ(GivenInWords(answer, testing::English()), "P = 5 MPa, h = 2800 kJ/kg");
}

// The lines of a state name what they hold; wet steam has its saturated liquid and vapour in
// their own columns, as the library's saturation at that pressure has them.
TEST(LinesOf, WetSteamCarriesItsPhases) {
    const QLocale c = QLocale::c();
    const GivenAnswer answer = AnswerGiven({V::P, V::x}, "1", "0.25", c);
    ASSERT_EQ(answer.states.size(), 1u);
    const Saturation saturation = SaturationAtP(1.0);
    const std::vector<StateLine> lines = LinesOf(answer.states[0], c);
    const auto line = [&lines](const QString& name) {
        for (const StateLine& l : lines)
            if (l.name == name) return l;
        ADD_FAILURE() << name.toStdString();
        return StateLine{};
    };
    EXPECT_EQ(line("Region").value, "Wet steam, x = 0.25");
    EXPECT_EQ(line("Quality").value, "0.250000");
    EXPECT_EQ(line("Enthalpy").liquid, c.toString(saturation.liquid.h, 'f', 4));
    EXPECT_EQ(line("Enthalpy").vapour, c.toString(saturation.vapour.h, 'f', 4));
    EXPECT_EQ(line("Speed of sound").value, "");
    EXPECT_EQ(line("Speed of sound").vapour, c.toString(*saturation.vapour.w, 'f', 3));
    // Small values keep six significant digits: v' of about 0.00112727 m3/kg.
    EXPECT_EQ(line("Specific volume").liquid, c.toString(saturation.liquid.v, 'f', 8));
}

// A single phase has the same lines with empty phase columns and an empty quality.
TEST(LinesOf, SinglePhaseHasTheSameLines) {
    const QLocale c = QLocale::c();
    const State steam = AnswerGiven({V::P, V::T}, "5", "700", c).states.at(0);
    const State wet = AnswerGiven({V::P, V::x}, "5", "0.5", c).states.at(0);
    const std::vector<StateLine> single = LinesOf(steam, c), mixed = LinesOf(wet, c);
    ASSERT_EQ(single.size(), mixed.size());
    for (std::size_t i = 0; i < single.size(); ++i) {
        EXPECT_EQ(single[i].name, mixed[i].name);
        EXPECT_EQ(single[i].unit, mixed[i].unit);
        EXPECT_TRUE(single[i].liquid.isEmpty() && single[i].vapour.isEmpty());
    }
}

// The copied text: the title, then one "name, value, unit" line per value shown, the phases'
// after the mixture's; in the regional convention.
TEST(StateText, HasALinePerValueShown) {
    const QLocale german = testing::German();
    const GivenAnswer answer = AnswerGiven({V::P, V::v}, "0,1", "0,00100005", german);
    ASSERT_EQ(answer.states.size(), 2u);  // on either side of the densest state near 277 K
    for (const State& state : answer.states) {
        const QStringList text = StateText("title", state, german).split('\n');
        EXPECT_EQ(text.front(), "title");
        EXPECT_EQ(text.back(), "");
        EXPECT_TRUE(text.contains("Pressure\t0,100000\tMPa"));
        int values = 0;
        for (const StateLine& line : LinesOf(state, german))
            values += !line.value.isEmpty() + !line.liquid.isEmpty() + !line.vapour.isEmpty();
        EXPECT_EQ(text.size(), values + 2);
        for (int i = 1; i + 1 < text.size(); ++i) EXPECT_EQ(text[i].count('\t'), 2) << i;
    }
    const State wet = AnswerGiven({V::T, V::x}, "400", "0,5", german).states.at(0);
    const QString text = StateText("t", wet, german);
    EXPECT_TRUE(text.contains("\nSaturated liquid enthalpy\t"));
    EXPECT_TRUE(text.contains("\nSaturated vapour dynamic viscosity\t"));
    EXPECT_FALSE(text.contains("\nSpeed of sound\t"));
}

// A single phase carries its derived properties and no saturation line; wet steam the
// saturation line and none of them; a saturated phase of a saturation table both.
TEST(TableValues, SinglePhaseOrSaturationLine) {
    using Q = QuantityId;
    const auto has = [](const TableValues& values, Q id) {
        return values[static_cast<std::size_t>(id)].has_value();
    };
    const auto value = [](const TableValues& values, Q id) {
        return values[static_cast<std::size_t>(id)].value_or(NAN);
    };
    const State steam = StateAt(5, 700);
    const TableValues single = ValuesOf(steam);
    for (const Q id : {Q::Kappa, Q::JouleThomson, Q::Compressibility, Q::CompressionFactor,
                       Q::Prandtl, Q::KinematicViscosity, Q::ThermalDiffusivity, Q::Gibbs})
        EXPECT_TRUE(has(single, id)) << static_cast<int>(id);
    for (const Q id : {Q::VaporisationEnthalpy, Q::SaturationSlope, Q::SurfaceTension})
        EXPECT_FALSE(has(single, id)) << static_cast<int>(id);
    EXPECT_EQ(value(single, Q::Kappa), DerivedOf(steam).kappa);
    // nu = mu / rho and a = lambda / (rho cp), in mm2/s.
    EXPECT_NEAR(value(single, Q::KinematicViscosity) * steam.rho, value(single, Q::Viscosity),
                1e-12 * value(single, Q::Viscosity));

    const Saturation at400 = SaturationAtT(400);
    const TableValues wet = ValuesOf(Mixture(at400, 0.3));
    EXPECT_FALSE(has(wet, Q::Kappa) || has(wet, Q::Prandtl));
    EXPECT_EQ(value(wet, Q::VaporisationEnthalpy), at400.vapour.h - at400.liquid.h);
    EXPECT_EQ(value(wet, Q::SurfaceTension), SurfaceTension(400));
    EXPECT_EQ(value(wet, Q::SaturationSlope), SaturationPressureSlope(400));
    const SaturationRow row = SaturationAtTemperature(400);
    ASSERT_TRUE(row.liquid && row.vapour);
    EXPECT_EQ(value(*row.liquid, Q::SurfaceTension), SurfaceTension(400));
    EXPECT_EQ(value(*row.vapour, Q::VaporisationEnthalpy), value(wet, Q::VaporisationEnthalpy));
    EXPECT_TRUE(has(*row.liquid, Q::Kappa));
}

}  // namespace
}  // namespace vapomet
