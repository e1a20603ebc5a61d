// States from two properties on arbitrary doubles: each call must end with states that give back
// both values, or with the library's own error; a pair that is not offered with
// std::invalid_argument. A crash, a sanitizer report, a hang past libFuzzer's timeout, any other
// exception or a state that misses its values is a finding.
//
// The first byte picks the pair (of the 7 x 7 pairs of variables), the second how the next 16
// bytes become the two values: raw doubles (NaN, infinities, subnormals, huge values) or scaled
// onto a range a little wider than the states of each variable.
#include <cmath>
#include <cstdint>
#include <cstdlib>
#include <cstring>
#include <stdexcept>

#include "property/state.h"
#include "tests/support/gives_back.h"

namespace {

using vapomet::Variable;

void Require(bool holds) {
    if (!holds) std::abort();  // libFuzzer reports the input that led here
}

// A little wider than the domain's states, in the variable's units; v on a logarithmic scale.
double Scaled(Variable variable, std::uint64_t bits) {
    const double f = static_cast<double>(bits >> 11) * 0x1p-53;
    switch (variable) {
        case Variable::P: return -1.0 + 111.0 * f;
        case Variable::T: return 260.0 + 2100.0 * f;
        case Variable::v: return std::pow(10.0, -4.0 + 9.0 * f);
        case Variable::h: return -100.0 + 8000.0 * f;
        case Variable::u: return -100.0 + 7000.0 * f;
        case Variable::s: return -1.0 + 17.0 * f;
        case Variable::x: return -0.1 + 1.2 * f;
        default: return f;  // names no state (a pair with it is not offered)
    }
}

bool GivesBack(const vapomet::State& state, Variable variable, double value) {
    const std::optional<double> got = vapomet::ValueOf(state, variable);
    return got && std::fabs(*got - value) <= vapomet::testing::AllowedMiss(state, variable, value);
}

}  // namespace

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
    if (size < 18) return -1;
    const auto a = static_cast<Variable>(data[0] % 7), b = static_cast<Variable>(data[0] / 7 % 7);
    double values[2];
    std::memcpy(values, data + 2, sizeof values);
    if ((data[1] & 1) == 0) {
        for (int i = 0; i < 2; ++i) {
            std::uint64_t bits;
            std::memcpy(&bits, &values[i], sizeof bits);
            values[i] = Scaled(i == 0 ? a : b, bits);
        }
    }
    try {
        const std::vector<vapomet::State> states = vapomet::StatesFrom(a, values[0], b, values[1]);
        Require(!states.empty() && vapomet::IsOfferedPair(a, b));
        for (const vapomet::State& state : states)
            Require(GivesBack(state, a, values[0]) && GivesBack(state, b, values[1]));
    } catch (const vapomet::PropertyError&) {
        Require(vapomet::IsOfferedPair(a, b));
    } catch (const std::invalid_argument&) {
        Require(!vapomet::IsOfferedPair(a, b));
    }
    return 0;
}
