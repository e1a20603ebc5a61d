// Every property routine on arbitrary doubles: each must return a finite number or end with its
// fault exception. Any other exception, a NaN or an infinity returned, a crash, a sanitizer
// report or a hang is a finding.
//
// The first byte chooses how the next 24 bytes become (P, T, density): as raw doubles (any bit
// pattern: NaN, infinities, subnormals, huge values), or scaled onto a range a little wider than
// the program's domain, where the equations are meant to be used.
#include <cstdlib>
#include <cstring>

#include "tests/support/regions.h"

namespace {

// A returned value must be finite; the routine's own exception is the other allowed end.
template <typename Call>
void Expect(Call call) {
    try {
        if (!std::isfinite(call())) std::abort();  // libFuzzer reports the input that led here
    } catch (const vapomet::PropertyError&) {
    }
}

}  // namespace

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
    if (size < 25) return -1;
    double x[3];  // P, T, rho
    std::memcpy(x, data + 1, sizeof x);
    const double lowest[] = {-1.0, 200.0, -10.0}, highest[] = {120.0, 2400.0, 1300.0};
    for (int i = 0; i < 3 && (data[0] & 1) == 0; ++i) {
        std::uint64_t bits;
        std::memcpy(&bits, &x[i], sizeof bits);
        x[i] = lowest[i] + (highest[i] - lowest[i]) * static_cast<double>(bits >> 11) * 0x1p-53;
    }
    const double P = x[0], T = x[1], rho = x[2];
    for (const auto line : {vapomet::Satpr, vapomet::Sattr, vapomet::b23, vapomet::b32}) {
        Expect([&] { return line(P); });
        Expect([&] { return line(T); });
    }
    Expect([&] { return vapomet::R3rho(P, T); });
    Expect([&] { return vapomet::Cond(P, T, rho); });
    Expect([&] { return vapomet::Vis(P, T, rho); });
    for (const vapomet::testing::RegionUnderTest& region : vapomet::testing::kRegions) {
        for (const auto routine : region.routines)
            if (routine != nullptr)
                Expect([&] { return routine(region.number == 3 ? rho : P, T); });
        Expect([&] {  // the whole state: every value finite, or the library's exception
            const vapomet::StateProperties s = region.whole(P, T);
            for (const double value : {s.rho, s.v, s.h, s.u, s.s, s.cp, s.cv, s.w})
                if (!std::isfinite(value)) return value;
            return 0.0;
        });
    }
    return 0;
}
