// Floating-point faults end a routine with an exception that names it and the fault; inputs that
// merely lie outside a region give numbers. Built at the project's normal optimisation, these
// cases show that no faulting step is moved past the check or dropped.
#include <gtest/gtest.h>

#include <array>
#include <cfenv>
#include <cmath>
#include <functional>
#include <random>

#include "property/fault.h"
#include "property/property.h"

namespace vapomet {
namespace {

struct FaultCase {
    const char *routine, *arguments;
    std::function<double()> run;
    const char* fault;  // words of the message; nullptr: a finite result
};
#define CALL(routine, ...) #routine, #__VA_ARGS__, [] { return routine(__VA_ARGS__); }
constexpr double kZero = 0.0;
// clang-format off
const FaultCase kFaults[] = {
    // T = 0 divides by zero in the reduced temperature of every region; so does P = 0 in 1/pi
    // of regions 2 and 5, and a density of zero in the conductivity.
    {CALL(R1h, 3, kZero), "division by zero"},      {CALL(R2cp, 1, kZero), "division by zero"},
    {CALL(R5h, 1, kZero), "division by zero"},      {CALL(R3cv, 500, kZero), "division by zero"},
    {CALL(Vis, 1, kZero, 500), "division by zero"}, {CALL(R2v, kZero, 500), "division by zero"},
    {CALL(R5v, kZero, 1500), "division by zero"},   {CALL(Cond, 1, 500, kZero), "division by zero"},
    // Zero over zero, roots and logarithms of negative numbers.
    {CALL(R1v, kZero, 300), "invalid operation"},   {CALL(R5s, -1, 1500), "invalid operation"},
    {CALL(Satpr, 800), "invalid operation"},        {CALL(b32, 10), "invalid operation"},
    {CALL(R2w, 3, 300), "invalid operation"},       {CALL(R3s, -100, 650), "invalid operation"},
    // Fine at P = 0 or a density of zero; a negative base with whole exponents (7.1 - pi < 0
    // above about 117 MPa in region 1, tau - 0.5 < 0 above 1080 K in region 2); out of range
    // but computable, with no range checks.
    {CALL(R1h, kZero, 300), nullptr}, {CALL(Vis, 1, 500, kZero), nullptr},
    {CALL(R1cv, 150, 300), nullptr},  {CALL(R2h, 1, 1200), nullptr},  {CALL(Sattr, 100), nullptr},
    // The whole state faults where its single routines do.
    {"R1State", "3_0", [] { return R1State(3, 0).h; }, "division by zero"}};
// clang-format on

class Faults : public ::testing::TestWithParam<FaultCase> {};

TEST_P(Faults, EndWithTheirExceptionOrGiveAFiniteNumber) {
    const FaultCase& c = GetParam();
    try {
        const double value = c.run();
        EXPECT_TRUE(c.fault == nullptr && std::isfinite(value)) << "returned " << value;
    } catch (const FloatingPointFault& e) {
        EXPECT_NE(std::string(e.what()).find(c.fault ? c.fault : "no fault"), std::string::npos)
            << e.what();
        EXPECT_EQ(e.routine(), c.routine) << e.what();
    }
}

INSTANTIATE_TEST_SUITE_P(PropertyRoutines, Faults, ::testing::ValuesIn(kFaults),
                         [](const ::testing::TestParamInfo<FaultCase>& row) {
                             std::string name = std::string(row.param.routine) + "_";
                             for (const char ch : std::string(row.param.arguments))
                                 name += std::isalnum(ch) ? std::string(1, ch)
                                         : ch == ','      ? "_"
                                         : ch == '-'      ? "minus"
                                                          : "";
                             return name;
                         });

TEST(FaultChecking, ZeroFactorTermsAreEvaluated) {
    // With 7.1 - pi exactly zero (about 117.363 MPa), a^(I-1) for I = 0 in the volume divides
    // by zero although its term would add nothing.
    double P = 7.1 * 16.53;
    for (int k = 0; k < 8 && P / 16.53 != 7.1; ++k)
        P = std::nextafter(P, P / 16.53 < 7.1 ? 200.0 : 0.0);
    ASSERT_EQ(7.1 - P / 16.53, 0.0);
    EXPECT_THROW(R1v(P, 300), FloatingPointFault);
    EXPECT_NO_THROW(R1v(std::nextafter(P, 0.0), 300));
}

// A fault raised before a call, or left by a caught one, does not leak into the next; an
// underflow (the high powers of pi at 1e-300 MPa) is no fault.
TEST(FaultChecking, EachCallStartsWithClearFlags) {
    std::feraiseexcept(FE_DIVBYZERO | FE_INVALID);
    EXPECT_NO_THROW(R1h(3, 300));
    EXPECT_THROW(Satpr(800), FloatingPointFault);
    EXPECT_NO_THROW(Satpr(300));
    EXPECT_NO_THROW(R2h(1e-300, 1000));
}

// The whole-state path forms its powers by multiplication and must round each exactly as the
// general power function the single routines call, or the derivative sums that cancel (cv and w
// of region 1 near 585 K) drift apart by more than 1e-13; and alike whether a product's rest
// comes from a fused multiply-add or from splitting. Bases from the reduced variables of every
// region, and bases near 1, where a power's rounding is most often close to halfway.
TEST(FaultChecking, ExactPowersAreTheGeneralPowerFunctions) {
    using detail::ProductRest;
    for (const ProductRest rest : {ProductRest::Split, ProductRest::Fused}) {
        if (rest == ProductRest::Fused && !detail::HasFusedMultiplyAdd()) continue;
        std::mt19937_64 random(585);
        struct Bases {
            double low, high;
        };
        for (const Bases range : {Bases{1e-5, 0.05}, Bases{0.05, 8.0}, Bases{0.99, 1.01}}) {
            std::uniform_real_distribution<double> base(range.low, range.high);
            for (int n = 0; n < 20000; ++n) {
                const double x = base(random);
                std::array<double, 113> powers{};
                detail::ExactPowers(x, -48, 64, &powers[48], rest);
                for (int k = -48; k <= 64; ++k) {
                    const double general = std::pow(x, k);
                    if (std::isnormal(general)) {
                        ASSERT_EQ(powers[static_cast<std::size_t>(k + 48)], general)
                            << x << "^" << k << (rest == ProductRest::Fused ? " fused" : " split");
                    }
                }
            }
        }
    }
}

}  // namespace
}  // namespace vapomet
