// How closely a state found from two values must give them back, as the tests and the states
// fuzzer hold the library to it.
#pragma once

#include <algorithm>
#include <cmath>

#include "property/state.h"

namespace vapomet::testing {

// The largest miss allowed: 1e-12 of the value, or of 1 kJ/kg and 1 kJ/(kg K) for energies and
// entropies near zero; x to 1e-12. Next to the critical point, where a region-3 density is loose
// in its last digits as dp/drho vanishes, 20 K / |T - Tc| times that.
inline double AllowedMiss(const State& state, Variable variable, double value) {
    const bool energy =
        variable == Variable::h || variable == Variable::u || variable == Variable::s;
    const double size =
        variable == Variable::x ? 1.0 : std::max(std::fabs(value), energy ? 1.0 : 0.0);
    const double off = std::fabs(state.T - 647.096);
    return 1e-12 * size * (off < 20.0 ? 20.0 / off : 1.0);
}

}  // namespace vapomet::testing
