// The C interface against the library it wraps: each pair's states and every value of them, the
// saturated phases and metastable vapour, and each failure as its code with the library's own
// message, cut to the caller's buffer.
#include <gtest/gtest.h>

#include <cmath>
#include <string>

#include "property/state.h"
#include "tests/support/case_names.h"
#include "vapomet/vapomet.h"

namespace vapomet {
namespace {

// The C state is the library's, value for value, with the 1985 transport of a single phase.
void ExpectSame(const vapomet_state& c, const State& s) {
    EXPECT_EQ(c.region, static_cast<int>(s.region));
    EXPECT_EQ(c.metastable, s.metastable ? 1 : 0);
    for (const auto& [got, want] : {std::pair{c.P, s.P},
                                    {c.T, s.T},
                                    {c.rho, s.rho},
                                    {c.v, s.v},
                                    {c.h, s.h},
                                    {c.u, s.u},
                                    {c.s, s.s}})
        EXPECT_EQ(got, want);
    EXPECT_EQ(std::isnan(c.x), !s.x);
    if (s.x) {
        EXPECT_EQ(c.x, *s.x);
    }
    EXPECT_EQ(std::isnan(c.cp), !s.cp);
    if (s.x) return;
    EXPECT_EQ(c.cp, *s.cp);
    EXPECT_EQ(c.w, *s.w);
    const Transport t = TransportOf(s, TransportRelease::Iaps1985);
    EXPECT_EQ(c.viscosity, t.viscosity);
    EXPECT_EQ(c.conductivity, t.conductivity);
}

struct PairCase {
    const char* name;
    vapomet_variable a, b;
    Variable va, vb;
    double x, y;
    int code;  // VAPOMET_OK, or the failure
};
const PairCase kPairs[] = {
    {"SteamFromPressureAndEnthalpy", VAPOMET_P, VAPOMET_H, Variable::P, Variable::h, 1, 3000,
     VAPOMET_OK},
    {"WetSteam", VAPOMET_P, VAPOMET_X, Variable::P, Variable::x, 1, 0.9, VAPOMET_OK},
    {"TwoStatesOfAnIsotherm", VAPOMET_T, VAPOMET_H, Variable::T, Variable::h, 350, 344.2,
     VAPOMET_OK},
    {"Region3", VAPOMET_T, VAPOMET_V, Variable::T, Variable::v, 650, 0.002, VAPOMET_OK},
    {"EnthalpyTooHigh", VAPOMET_P, VAPOMET_H, Variable::P, Variable::h, 5, 9000, VAPOMET_NO_STATE},
    {"TemperatureTooLow", VAPOMET_T, VAPOMET_S, Variable::T, Variable::s, 200, 1,
     VAPOMET_OUT_OF_DOMAIN},
    {"PairNotOffered", VAPOMET_V, VAPOMET_H, Variable::v, Variable::h, 1, 2, VAPOMET_BAD_ARGUMENT},
};

class PairsTest : public ::testing::TestWithParam<PairCase> {};

TEST_P(PairsTest, AreTheLibrarysStatesOrItsFailure) {
    const PairCase& c = GetParam();
    vapomet_state states[4];
    char message[256] = "unchanged";
    const int count = vapomet_states_from(c.a, c.x, c.b, c.y, states, 4, message, sizeof message);
    if (c.code != VAPOMET_OK) {
        EXPECT_EQ(count, c.code);
        try {
            StatesFrom(c.va, c.x, c.vb, c.y);
            ADD_FAILURE() << "the library found a state";
        } catch (const PropertyError& e) {
            EXPECT_EQ(std::string(message), e.reason());
        } catch (const std::exception& e) {
            EXPECT_EQ(std::string(message), e.what());
        }
        return;
    }
    const std::vector<State> found = StatesFrom(c.va, c.x, c.vb, c.y);
    ASSERT_EQ(count, static_cast<int>(found.size()));
    for (int i = 0; i < count && i < 4; ++i)
        ExpectSame(states[i], found[static_cast<std::size_t>(i)]);
    vapomet_state first;
    EXPECT_EQ(vapomet_state_from(c.a, c.x, c.b, c.y, &first, message, sizeof message), VAPOMET_OK);
    ExpectSame(first, found.front());
}

INSTANTIATE_TEST_SUITE_P(CInterface, PairsTest, ::testing::ValuesIn(kPairs), testing::ByName());

TEST(CInterface, SaturationAndMetastableVapour) {
    vapomet_state liquid, vapour, metastable;
    char message[256];
    ASSERT_EQ(vapomet_saturation_at_T(500, &liquid, &vapour, message, sizeof message), VAPOMET_OK);
    ExpectSame(liquid, SaturationAtT(500).liquid);
    ExpectSame(vapour, SaturationAtT(500).vapour);
    ASSERT_EQ(vapomet_saturation_at_P(1, &liquid, &vapour, message, sizeof message), VAPOMET_OK);
    ExpectSame(vapour, SaturationAtP(1).vapour);
    ASSERT_EQ(vapomet_metastable_vapour(1, 450, &metastable, message, sizeof message), VAPOMET_OK);
    ExpectSame(metastable, MetastableVapourAt(1, 450));
    EXPECT_EQ(vapomet_saturation_at_T(700, &liquid, &vapour, message, sizeof message),
              VAPOMET_OUT_OF_DOMAIN);
    EXPECT_NE(std::string(message).find("above the critical temperature"), std::string::npos);
}

// A message is cut to the buffer and always ends; no buffer, no message; no state, no call.
TEST(CInterface, MessagesFitTheirBuffers) {
    char small[8] = "xxxxxxx";
    EXPECT_EQ(vapomet_state_from(VAPOMET_P, 5, VAPOMET_H, 9000, nullptr, small, sizeof small),
              VAPOMET_NO_STATE);
    EXPECT_EQ(std::string(small), "h above");
    vapomet_state state;
    EXPECT_EQ(vapomet_state_from(VAPOMET_P, 5, VAPOMET_H, 9000, &state, nullptr, 0),
              VAPOMET_NO_STATE);
    EXPECT_EQ(vapomet_saturation_at_T(500, nullptr, &state, small, sizeof small),
              VAPOMET_BAD_ARGUMENT);
    EXPECT_EQ(vapomet_state_from(VAPOMET_P, 1, VAPOMET_T, 300, nullptr, small, sizeof small),
              VAPOMET_BAD_ARGUMENT);
    EXPECT_STREQ(vapomet_version(), "1.0.0");
}

}  // namespace
}  // namespace vapomet
