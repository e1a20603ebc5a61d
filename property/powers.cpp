// The exact powers of the whole-state path: products carried as the sum of two doubles, with
// each product's rest from a fused multiply-add where the processor has one.
#include <array>
#include <bit>
#include <cmath>
#include <cstdint>

#include "property/fault.h"

namespace vapomet::detail {

namespace {

// hi + lo with hi the double nearest to the sum.
struct Twofold {
    double hi, lo;
};

Twofold Normalised(double hi, double lo) noexcept {
    const double sum = hi + lo;
    return {sum, lo - (sum - hi)};
}

// a b == p + e exactly (barring overflow and underflow).
template <ProductRest Rest>
[[gnu::always_inline]] inline Twofold ExactProduct(double a, double b) noexcept {
    const double p = a * b;
    if constexpr (Rest == ProductRest::Fused) {
        return {p, __builtin_fma(a, b, -p)};
    } else {
        constexpr double kSplit = 134217729.0;  // 2^27 + 1: halves of 26 and 27 significant bits
        const double ca = kSplit * a, ah = ca - (ca - a), al = a - ah;
        const double cb = kSplit * b, bh = cb - (cb - b), bl = b - bh;
        return {p, ((ah * bh - p) + ah * bl + al * bh) + al * bl};
    }
}

template <ProductRest Rest>
[[gnu::always_inline]] inline Twofold Times(Twofold a, Twofold b) noexcept {
    const Twofold p = ExactProduct<Rest>(a.hi, b.hi);
    return Normalised(p.hi, p.lo + (a.hi * b.lo + a.lo * b.hi));
}

template <ProductRest Rest>
[[gnu::always_inline]] inline Twofold Reciprocal(double x) noexcept {
    const double r = 1.0 / x;
    const Twofold rx = ExactProduct<Rest>(r, x);  // close to 1; what it lacks, over x, is the rest
    return Normalised(r, ((1.0 - rx.hi) - rx.lo) / x);
}

// The double of a power carried exactly; the general power function's where the rest lies
// within a fortieth of a unit in the last place of halfway, and where hi is not normal enough
// for the rest to have kept its digits.
[[gnu::always_inline]] inline double Rounded(Twofold power, double x, int k) noexcept {
    const auto exponent = static_cast<std::int16_t>(k);
    const double d = power.hi;
    // The unit in the last place of a normal d: its exponent less 52, as a double.
    const std::uint64_t bits = std::bit_cast<std::uint64_t>(d) & 0x7FF0000000000000u;
    if (bits <= (52ull << 52) || bits == 0x7FF0000000000000u) return Pow(x, exponent);
    const double ulp = std::bit_cast<double>(bits - (52ull << 52));
    if (std::fabs(std::fabs(power.lo) - 0.5 * ulp) < 0.025 * ulp) return Pow(x, exponent);
    return d;
}

template <ProductRest Rest>
[[gnu::always_inline]] inline void Fill(double x, int lowest, int highest, double* zero) noexcept {
    std::array<Twofold, PowerTable<true>::kHighest + 1> up;
    std::array<Twofold, -PowerTable<true>::kLowest + 1> down;
    zero[0] = 1.0;
    up[1] = {x, 0.0};
    for (int k = 1; k <= highest; ++k) {
        if (k > 1) up[k] = Times<Rest>(up[k / 2], up[k - k / 2]);
        zero[k] = Rounded(up[k], x, k);
    }
    if (lowest < 0) down[1] = Reciprocal<Rest>(x);
    for (int k = 1; k <= -lowest; ++k) {
        if (k > 1) down[k] = Times<Rest>(down[k / 2], down[k - k / 2]);
        zero[-k] = Rounded(down[k], x, -k);
    }
}

#if defined(__GNUC__) && defined(__x86_64__) && !defined(_WIN32)
[[gnu::target("fma")]] void FillFused(double x, int lowest, int highest, double* zero) noexcept {
    Fill<ProductRest::Fused>(x, lowest, highest, zero);
}
#endif

void FillSplit(double x, int lowest, int highest, double* zero) noexcept {
    Fill<ProductRest::Split>(x, lowest, highest, zero);
}

}  // namespace

bool HasFusedMultiplyAdd() noexcept {
#if defined(__GNUC__) && defined(__x86_64__) && !defined(_WIN32)
    static const bool has = __builtin_cpu_supports("fma");
    return has;
#else
    return false;
#endif
}

void ExactPowers(double x, int lowest, int highest, double* zero, ProductRest rest) noexcept {
#if defined(__GNUC__) && defined(__x86_64__) && !defined(_WIN32)
    if (rest == ProductRest::Fused && HasFusedMultiplyAdd()) {
        FillFused(x, lowest, highest, zero);
        return;
    }
#endif
    (void)rest;
    FillSplit(x, lowest, highest, zero);
}

void ExactPowers(double x, int lowest, int highest, double* zero) noexcept {
    static const ProductRest rest = HasFusedMultiplyAdd() ? ProductRest::Fused : ProductRest::Split;
    ExactPowers(x, lowest, highest, zero, rest);
}

}  // namespace vapomet::detail
