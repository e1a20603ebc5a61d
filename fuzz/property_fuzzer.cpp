// Every property routine on arbitrary doubles: each must return a finite number or end with
// its fault exception. Any other exception, a NaN or an infinity returned, a crash, a
// sanitizer report or a hang is a finding.
//
// The first byte chooses how the next 24 bytes become (P, T, density): as raw doubles (any
// bit pattern: NaN, infinities, subnormals, huge values), or scaled onto a range a little wider
// than the program's domain, where the equations are meant to be used.
#include <cmath>
#include <cstring>

#include "fuzz/fuzz_input.h"
#include "property/property.h"

namespace {

using PairRoutine = double (*)(const double&, const double&);
using TripleRoutine = double (*)(const double&, const double&, const double&);
using SingleRoutine = double (*)(const double&);

constexpr SingleRoutine kLines[] = {vapomet::Satpr, vapomet::Sattr, vapomet::b23, vapomet::b32};
constexpr PairRoutine kStateRoutines[] = {
    vapomet::R1v,  vapomet::R1h,  vapomet::R1s, vapomet::R1u,  vapomet::R1cp, vapomet::R1cv,
    vapomet::R1w,  vapomet::R2v,  vapomet::R2h, vapomet::R2s,  vapomet::R2u,  vapomet::R2cp,
    vapomet::R2cv, vapomet::R2w,  vapomet::R5v, vapomet::R5h,  vapomet::R5s,  vapomet::R5u,
    vapomet::R5cp, vapomet::R5cv, vapomet::R5w, vapomet::R3rho};
constexpr PairRoutine kDensityRoutines[] = {vapomet::R3h,  vapomet::R3s,  vapomet::R3u,
                                            vapomet::R3cp, vapomet::R3cv, vapomet::R3w};
constexpr TripleRoutine kTransport[] = {vapomet::Cond, vapomet::Vis};
using StateRoutine = vapomet::StateProperties (*)(const double&, const double&);
constexpr StateRoutine kWholeStates[] = {vapomet::R1State, vapomet::R2State, vapomet::R3State,
                                         vapomet::R5State};

// A returned value must be finite; the routine's own exception is the other allowed end.
template <typename Call>
void Expect(Call call) {
    double value = 0.0;
    try {
        value = call();
    } catch (const vapomet::PropertyError&) {
        return;
    }
    vapomet::fuzz::Require(std::isfinite(value));
}

double Scaled(std::uint64_t bits, double lowest, double highest) {
    return lowest + (highest - lowest) * static_cast<double>(bits >> 11) * 0x1p-53;
}

}  // namespace

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
    if (size < 1 + 3 * sizeof(std::uint64_t)) return -1;
    vapomet::FillCoefficientTables();
    std::uint64_t bits[3];
    std::memcpy(bits, data + 1, sizeof bits);
    double P, T, rho;
    if (data[0] & 1) {
        std::memcpy(&P, &bits[0], sizeof P);
        std::memcpy(&T, &bits[1], sizeof T);
        std::memcpy(&rho, &bits[2], sizeof rho);
    } else {
        P = Scaled(bits[0], -1.0, 120.0);
        T = Scaled(bits[1], 200.0, 2400.0);
        rho = Scaled(bits[2], -10.0, 1300.0);
    }

    for (SingleRoutine line : kLines) {
        Expect([&] { return line(P); });
        Expect([&] { return line(T); });
    }
    for (PairRoutine routine : kStateRoutines) Expect([&] { return routine(P, T); });
    for (PairRoutine routine : kDensityRoutines) Expect([&] { return routine(rho, T); });
    for (TripleRoutine routine : kTransport) Expect([&] { return routine(P, T, rho); });
    // A whole state: every value finite, or the library's exception.
    for (StateRoutine whole : kWholeStates) {
        Expect([&] {
            const vapomet::StateProperties x = whole(P, T);
            double sum = 0.0;
            for (const double value : {x.rho, x.v, x.h, x.u, x.s, x.cp, x.cv, x.w})
                sum += std::isfinite(value) ? 0.0 : value;
            return sum;
        });
    }
    return 0;
}
