// The C interface over the property library: each call turns the library's states into plain
// structs and every exception into a code and its message.
#include "vapomet/vapomet.h"

#include <cmath>
#include <cstring>
#include <exception>
#include <limits>
#include <stdexcept>

#include "property/state.h"
#include "vapomet/version.h"

namespace {

using namespace vapomet;

constexpr double kNone = std::numeric_limits<double>::quiet_NaN();

void Say(const char* text, char* message, std::size_t size) {
    if (message == nullptr || size == 0) return;
    const std::size_t length = std::min(std::strlen(text), size - 1);
    std::memcpy(message, text, length);
    message[length] = '\0';
}

vapomet_state Plain(const State& s) {
    vapomet_state out{};
    out.region = static_cast<int>(s.region);
    out.metastable = s.metastable ? 1 : 0;
    out.P = s.P;
    out.T = s.T;
    out.rho = s.rho;
    out.v = s.v;
    out.h = s.h;
    out.u = s.u;
    out.s = s.s;
    out.x = s.x.value_or(kNone);
    out.cp = s.cp.value_or(kNone);
    out.cv = s.cv.value_or(kNone);
    out.w = s.w.value_or(kNone);
    out.viscosity = out.conductivity = kNone;
    if (!s.x) {
        const Transport transport = TransportOf(s, TransportRelease::Iaps1985);
        out.viscosity = transport.viscosity;
        out.conductivity = transport.conductivity;
    }
    return out;
}

// Runs `call`, turning what it throws into a code and a message.
template <typename Call>
int Guarded(char* message, std::size_t size, Call call) noexcept {
    try {
        return call();
    } catch (const OutOfDomain& e) {
        Say(e.reason().c_str(), message, size);
        return VAPOMET_OUT_OF_DOMAIN;
    } catch (const NoState& e) {
        Say(e.reason().c_str(), message, size);
        return VAPOMET_NO_STATE;
    } catch (const ConvergenceFailure& e) {
        Say(e.reason().c_str(), message, size);
        return VAPOMET_NOT_CONVERGED;
    } catch (const PropertyError& e) {
        Say(e.reason().c_str(), message, size);
        return VAPOMET_FAULT;
    } catch (const std::invalid_argument& e) {
        Say(e.what(), message, size);
        return VAPOMET_BAD_ARGUMENT;
    } catch (const std::exception& e) {
        Say(e.what(), message, size);
        return VAPOMET_FAULT;
    } catch (...) {
        Say("an unknown failure", message, size);
        return VAPOMET_FAULT;
    }
}

Variable VariableOf(vapomet_variable variable) {
    switch (variable) {
        case VAPOMET_P: return Variable::P;
        case VAPOMET_T: return Variable::T;
        case VAPOMET_V: return Variable::v;
        case VAPOMET_H: return Variable::h;
        case VAPOMET_U: return Variable::u;
        case VAPOMET_S: return Variable::s;
        case VAPOMET_X: return Variable::x;
    }
    throw std::invalid_argument("no such variable");
}

void Required(const void* pointer) {
    if (pointer == nullptr) throw std::invalid_argument("a state to write to is needed");
}

// The saturated liquid and vapour of the line at a temperature or a pressure.
int SaturatedPhases(Saturation (*at)(double), double value, vapomet_state* liquid,
                    vapomet_state* vapour, char* message, std::size_t size) {
    return Guarded(message, size, [&] {
        Required(liquid);
        Required(vapour);
        const Saturation line = at(value);
        *liquid = Plain(line.liquid);
        *vapour = Plain(line.vapour);
        return VAPOMET_OK;
    });
}

}  // namespace

extern "C" {

int vapomet_states_from(vapomet_variable a, double value_a, vapomet_variable b, double value_b,
                        vapomet_state* states, int capacity, char* message, size_t message_size) {
    return Guarded(message, message_size, [&] {
        if (capacity > 0) Required(states);
        const std::vector<State> found = StatesFrom(VariableOf(a), value_a, VariableOf(b), value_b);
        for (int i = 0; i < capacity && i < static_cast<int>(found.size()); ++i)
            states[i] = Plain(found[static_cast<std::size_t>(i)]);
        return static_cast<int>(found.size());
    });
}

int vapomet_state_from(vapomet_variable a, double value_a, vapomet_variable b, double value_b,
                       vapomet_state* state, char* message, size_t message_size) {
    const int count =
        vapomet_states_from(a, value_a, b, value_b, state, state ? 1 : 0, message, message_size);
    if (count > 0 && state == nullptr) {
        Say("a state to write to is needed", message, message_size);
        return VAPOMET_BAD_ARGUMENT;
    }
    return count > 0 ? VAPOMET_OK : count;
}

int vapomet_metastable_vapour(double P, double T, vapomet_state* state, char* message,
                              size_t message_size) {
    return Guarded(message, message_size, [&] {
        Required(state);
        *state = Plain(MetastableVapourAt(P, T));
        return VAPOMET_OK;
    });
}

int vapomet_saturation_at_T(double T, vapomet_state* liquid, vapomet_state* vapour, char* message,
                            size_t message_size) {
    return SaturatedPhases(SaturationAtT, T, liquid, vapour, message, message_size);
}

int vapomet_saturation_at_P(double P, vapomet_state* liquid, vapomet_state* vapour, char* message,
                            size_t message_size) {
    return SaturatedPhases(SaturationAtP, P, liquid, vapour, message, message_size);
}

const char* vapomet_version(void) {
    return VAPOMET_VERSION;
}

}  // extern "C"
