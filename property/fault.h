// Floating-point fault checking inside the property routines (not part of the public header).
//
// A routine opens a FaultScope first: it clears the fault flags and passes each input through
// Opaque(), so no arithmetic on the inputs can be scheduled before the flags were cleared. The
// routine hands its result to result(), which passes it through Opaque() again, so every step
// that fed it has been executed before the flags are read. GCC ignores FENV_ACCESS; these
// barriers are what keeps an optimised build from moving or dropping a faulting step.
#pragma once

#include <cfenv>
#include <cmath>
#include <cstdint>
#include <string>

#include "property/property.h"

namespace vapomet::detail {

// An empty assembly statement that claims to read and change v: the compiler must compute v
// in full before this point and cannot assume anything about it afterwards.
inline double Opaque(double v) noexcept {
#if defined(__GNUC__) && (defined(__x86_64__) || defined(__i386__))
    asm volatile("" : "+x"(v)::"memory");
#elif defined(__GNUC__)
    asm volatile("" : "+r"(v)::"memory");
#else
    volatile double keep = v;
    v = keep;
#endif
    return v;
}

class FaultScope {
  public:
    explicit FaultScope(const char* routine) noexcept : routine_(routine) {
        std::feclearexcept(FE_ALL_EXCEPT);
    }

    // An input of the routine, read only after the flags were cleared.
    double in(const double& value) const noexcept { return Opaque(value); }

    // The routine's result, after every step that fed it; a raised fault ends the routine.
    double result(double value) const { return Check(routine_, value); }

    // Reads the flags raised since they were last cleared, once `value` is computed.
    static double Check(const char* routine, double value) {
        value = Opaque(value);
        const int raised = std::fetestexcept(FE_INVALID | FE_DIVBYZERO | FE_OVERFLOW);
        if (raised != 0 || !std::isfinite(value)) throw FloatingPointFault(routine, Name(raised));
        return value;
    }

    // A whole-number exponent lowered by `by`, formed in 16-bit arithmetic.
    std::int16_t lower(std::int16_t exponent, int by) const {
        const int lowered = static_cast<int>(exponent) - by;
        if (lowered < INT16_MIN || lowered > INT16_MAX)
            throw FloatingPointFault(routine_, "overflow in forming a whole-number exponent");
        return static_cast<std::int16_t>(lowered);
    }

    const char* routine() const noexcept { return routine_; }

  private:
    static std::string Name(int raised) {
        // Every fault raised, the likely cause first: a division by zero or an overflow often
        // turns into an invalid operation (infinity times zero) a step later.
        std::string names;
        const auto add = [&](int flag, const char* name) {
            if (!(raised & flag)) return;
            if (!names.empty()) names += ", then ";
            names += name;
        };
        add(FE_DIVBYZERO, "division by zero");
        add(FE_OVERFLOW, "overflow");
        add(FE_INVALID, "invalid operation");
        return names.empty() ? std::string("result is not a finite number") : names;
    }
    const char* routine_;
};

// The general power of a double base and a whole-number exponent. A negative base gives its
// signed result; zero to a negative power is a division by zero.
inline double Pow(double base, std::int16_t exponent) noexcept {
    return std::pow(base, static_cast<double>(exponent));
}

// The derivative factor of a power x^e: 1, e or e (e - 1) for the derivative of order 0, 1, 2.
inline double DerivativeFactor(double e, int order) noexcept {
    return order == 0 ? 1.0 : order == 1 ? e : e * (e - 1.0);
}

// Sum over the terms first..last of n x^I y^J differentiated `dx` times in x and `dy` times
// in y: every term is evaluated, also where its factor is zero, in ascending order.
template <typename Exponents, typename Coefficients>
double SumTerms(const FaultScope& f, const Exponents& I, const Exponents& J, const Coefficients& n,
                int first, int last, double x, int dx, double y, int dy) {
    double sum = 0.0;
    for (int i = first; i <= last; ++i)
        sum += n[i] * DerivativeFactor(I[i], dx) * Pow(x, f.lower(I[i], dx)) *
               DerivativeFactor(J[i], dy) * Pow(y, f.lower(J[i], dy));
    return sum;
}

// The same for terms n y^J of one variable (the ideal-gas parts).
template <typename Exponents, typename Coefficients>
double SumTerms(const FaultScope& f, const Exponents& J, const Coefficients& n, int first, int last,
                double y, int dy) {
    double sum = 0.0;
    for (int i = first; i <= last; ++i)
        sum += n[i] * DerivativeFactor(J[i], dy) * Pow(y, f.lower(J[i], dy));
    return sum;
}

// The specific gas constant of IAPWS-IF97, kJ/(kg K).
inline constexpr double R = 0.461526;

}  // namespace vapomet::detail
