// Floating-point fault checking inside the property routines (not part of the public header).
//
// A routine opens a FaultScope first: it clears the fault flags and passes each input through
// Opaque(), so no arithmetic on the inputs can be scheduled before the flags were cleared. The
// routine hands its result to result(), which passes it through Opaque() again, so every step
// that fed it has been executed before the flags are read. GCC ignores FENV_ACCESS; these
// barriers are what keeps an optimised build from moving or dropping a faulting step.
#pragma once

#include <algorithm>
#include <array>
#include <cfenv>
#include <cmath>
#include <cstdint>
#include <string>
#include <utility>

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

// Clears every floating-point fault flag, as feclearexcept(FE_ALL_EXCEPT) does: on x86-64 the
// x87 flags (which fetestexcept reads too) by fnclex and the SSE flags in MXCSR directly, about
// four times faster than the C library's saving and reloading of the whole x87 environment.
inline void ClearFaultFlags() noexcept {
#if defined(__GNUC__) && defined(__x86_64__)
    unsigned csr;
    asm volatile("fnclex\n\tstmxcsr %0" : "=m"(csr)::"memory");
    csr &= ~0x3Fu;  // the six exception flags
    asm volatile("ldmxcsr %0" ::"m"(csr) : "memory");
#else
    std::feclearexcept(FE_ALL_EXCEPT);
#endif
}

class FaultScope {
  public:
    explicit FaultScope(const char* routine) noexcept : routine_(routine) { ClearFaultFlags(); }

    // An input of the routine, read only after the flags were cleared.
    double in(const double& value) const noexcept { return Opaque(value); }

    // The routine's result, after every step that fed it; a raised fault ends the routine.
    double result(double value) const { return Check(routine_, value); }

    // Several results at once, with one reading of the flags.
    template <std::size_t N>
    void results(const std::array<double*, N>& values) const {
        bool finite = true;
        for (double* value : values) {
            *value = Opaque(*value);
            finite = finite && std::isfinite(*value);
        }
        const int raised = std::fetestexcept(FE_INVALID | FE_DIVBYZERO | FE_OVERFLOW);
        if (raised != 0 || !finite) throw FloatingPointFault(routine_, Name(raised));
    }

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

// ---- Many sums at once, for the whole-state path -----------------------------------------------

// The exact powers x^k, k from `lowest` to `highest` (within -48 and 64), written to zero[k]:
// each formed with about 106 bits as the sum of two doubles and rounded as the general power
// function rounds it, which decides itself where the rounding is too close to call (within a
// fortieth of a unit in the last place of halfway between two doubles). The rest of each
// product is formed by a fused multiply-add where the processor has one, by Dekker's
// splitting otherwise; both give it exactly, so the powers are the same either way.
enum class ProductRest { Split, Fused };
bool HasFusedMultiplyAdd() noexcept;
void ExactPowers(double x, int lowest, int highest, double* zero) noexcept;
void ExactPowers(double x, int lowest, int highest, double* zero, ProductRest rest) noexcept;

// The powers x^k for k from `lowest` to `highest`, each formed once by multiplication: the
// product of two powers of half its exponent, so that rounding grows with the logarithm of k.
// Exact powers are those of ExactPowers, as SumTerms takes them; plain powers stay in double,
// for the steps of a search.
template <bool Exact>
class PowerTable {
  public:
    static constexpr int kLowest = -48, kHighest = 64;

    PowerTable(const FaultScope& f, double x, int lowest, int highest) {
        if (lowest < kLowest || highest > kHighest)
            throw FloatingPointFault(f.routine(), "overflow in forming a whole-number exponent");
        // Only the entries from lowest to highest are formed, and only they are read.
        if constexpr (Exact) {
            ExactPowers(x, lowest, highest, &at(0));
        } else {
            std::array<double, kHighest + 1> up;
            std::array<double, -kLowest + 1> down;
            at(0) = 1.0;
            for (int k = 1; k <= highest; ++k)
                at(k) = up[k] = k == 1 ? x : up[k / 2] * up[k - k / 2];
            for (int k = 1; k <= -lowest; ++k)
                at(-k) = down[k] = k == 1 ? 1 / x : down[k / 2] * down[k - k / 2];
        }
    }
    double operator[](int k) const { return p_[static_cast<std::size_t>(k - kLowest)]; }

  private:
    double& at(int k) { return p_[static_cast<std::size_t>(k - kLowest)]; }
    std::array<double, kHighest - kLowest + 1> p_;
};

// The range of exponents of rows first..last, lowered by two for the second derivatives.
template <typename Exponents>
std::pair<int, int> ExponentRange(const Exponents& e, int first, int last) {
    int lowest = e[first], highest = e[first];
    for (int i = first; i <= last; ++i) {
        lowest = std::min<int>(lowest, e[i]);
        highest = std::max<int>(highest, e[i]);
    }
    return {lowest - 2, highest};
}

// A power sum and its derivatives up to the second in each of its two variables.
struct PowerSums {
    double g = 0, gx = 0, gxx = 0, gy = 0, gyy = 0, gxy = 0;
};

// The ranges of both exponents of a table's rows first..last; a caller keeps them, since the
// exponents never change.
struct ExponentRanges {
    std::pair<int, int> x, y;
};
template <typename Exponents>
ExponentRanges RangesOf(const Exponents& I, const Exponents& J, int first, int last) {
    return {ExponentRange(I, first, last), ExponentRange(J, first, last)};
}

// Every derivative of n x^I y^J over the rows first..last in one pass. Each term is formed as
// SumTerms forms it, factor by factor, and each sum is taken in the same order. Exact powers
// round as the general power function does; plain ones, for the steps of a search, may differ
// from it in the last place.
template <bool Exact = true, typename Exponents, typename Coefficients>
PowerSums SumAllTerms(const FaultScope& f, const Exponents& I, const Exponents& J,
                      const Coefficients& n, int first, int last, double x, double y,
                      const ExponentRanges& ranges) {
    const auto [xLow, xHigh] = ranges.x;
    const auto [yLow, yHigh] = ranges.y;
    const PowerTable<Exact> xp(f, x, xLow, xHigh), yp(f, y, yLow, yHigh);
    PowerSums s;
    for (int i = first; i <= last; ++i) {
        const int a = I[i], b = J[i];
        const double da = a, db = b, daa = da * (da - 1.0), dbb = db * (db - 1.0);
        const double nx = n[i] * xp[a], nax = n[i] * da * xp[a - 1];
        s.g += nx * yp[b];
        s.gx += nax * yp[b];
        s.gxx += n[i] * daa * xp[a - 2] * yp[b];
        s.gy += nx * db * yp[b - 1];
        s.gyy += nx * dbb * yp[b - 2];
        s.gxy += nax * db * yp[b - 1];
    }
    return s;
}

// The same for terms n y^J of one variable: the sum and its two derivatives as g, gy, gyy.
template <bool Exact = true, typename Exponents, typename Coefficients>
PowerSums SumAllTerms(const FaultScope& f, const Exponents& J, const Coefficients& n, int first,
                      int last, double y, const std::pair<int, int>& range) {
    const auto [yLow, yHigh] = range;
    const PowerTable<Exact> yp(f, y, yLow, yHigh);
    PowerSums s;
    for (int i = first; i <= last; ++i) {
        const int b = J[i];
        const double db = b;
        s.g += n[i] * yp[b];
        s.gy += n[i] * db * yp[b - 1];
        s.gyy += n[i] * (db * (db - 1.0)) * yp[b - 2];
    }
    return s;
}

// The specific gas constant of IAPWS-IF97, kJ/(kg K).
inline constexpr double R = 0.461526;

}  // namespace vapomet::detail
