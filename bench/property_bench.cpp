// Times of the property routines: each region's whole set of properties at its check points,
// the density solver, the saturation curves and the transport equations, and each region's whole
// state with its transport in one pass.
//   build/bench/vapomet_bench
#include <benchmark/benchmark.h>

#include "property/property.h"
#include "property/state.h"

namespace {

using namespace vapomet;

struct Point {
    double first, second;
};

template <typename Routines>
void Properties(benchmark::State& state, const Routines& routines, const Point (&points)[3]) {
    FillCoefficientTables();
    for (auto _ : state) {
        for (const Point& p : points) {
            for (const auto routine : routines)
                benchmark::DoNotOptimize(routine(p.first, p.second));
        }
    }
    state.SetItemsProcessed(state.iterations() * 3);
}

using Routine = double (*)(const double&, const double&);
constexpr Point kRegion1Points[] = {{3, 300}, {80, 300}, {3, 500}};
constexpr Point kRegion2Points[] = {{0.0035, 300}, {0.0035, 700}, {30, 700}};
constexpr Point kRegion3Points[] = {{500, 650}, {200, 650}, {500, 750}};
constexpr Point kRegion5Points[] = {{0.5, 1500}, {8, 1500}, {8, 2000}};

void BM_Region1(benchmark::State& state) {
    const Routine r[] = {R1v, R1h, R1u, R1s, R1cp, R1cv, R1w};
    Properties(state, r, kRegion1Points);
}
void BM_Region2(benchmark::State& state) {
    const Routine r[] = {R2v, R2h, R2u, R2s, R2cp, R2cv, R2w};
    Properties(state, r, kRegion2Points);
}
void BM_Region3(benchmark::State& state) {
    const Routine r[] = {R3h, R3u, R3s, R3cp, R3cv, R3w};
    Properties(state, r, kRegion3Points);
}
void BM_Region5(benchmark::State& state) {
    const Routine r[] = {R5v, R5h, R5u, R5s, R5cp, R5cv, R5w};
    Properties(state, r, kRegion5Points);
}

// The solver at the pressures of the region-3 check points, a dense liquid-like state and a
// state on the loop just below the critical temperature.
void BM_R3rho(benchmark::State& state) {
    FillCoefficientTables();
    const Point points[] = {{25.5837018, 650}, {22.2930643, 650}, {78.3095639, 750},
                            {30, 650},         {60, 650},         {22.05, 647.05}};
    for (auto _ : state)
        for (const Point& p : points) benchmark::DoNotOptimize(R3rho(p.first, p.second));
    state.SetItemsProcessed(state.iterations() * 6);
}

void BM_Saturation(benchmark::State& state) {
    FillCoefficientTables();
    for (auto _ : state) {
        benchmark::DoNotOptimize(Satpr(500.0));
        benchmark::DoNotOptimize(Sattr(1.0));
        benchmark::DoNotOptimize(b23(700.0));
        benchmark::DoNotOptimize(b32(50.0));
    }
}

// Each saturation curve alone, as the comparison times them.
void BM_Psat500K(benchmark::State& state) {
    FillCoefficientTables();
    for (auto _ : state) benchmark::DoNotOptimize(Satpr(500.0));
}

void BM_Tsat1MPa(benchmark::State& state) {
    FillCoefficientTables();
    for (auto _ : state) benchmark::DoNotOptimize(Sattr(1.0));
}

void BM_Transport(benchmark::State& state) {
    FillCoefficientTables();
    for (auto _ : state) {
        benchmark::DoNotOptimize(Cond(1.0, 300.0, 996.5));
        benchmark::DoNotOptimize(Vis(1.0, 300.0, 996.5));
    }
}

void BM_FillCoefficientTables(benchmark::State& state) {
    for (auto _ : state) {
        FillCoefficientTables();
        benchmark::ClobberMemory();
    }
}

// ---- One state, all seven properties: the single routines against the whole-state path ----
//
// The states of the comparison with other property libraries: region 1 at 3 MPa and 300 K,
// region 2 at 30 MPa and 700 K, region 3 at 30 MPa and 650 K with its exact density. Google
// Benchmark prints the time of each; the note of a change gives the ratios.

template <typename State>
void WholeState(benchmark::State& state, State whole, double P, double T) {
    for (auto _ : state) benchmark::DoNotOptimize(whole(P, T));
}

template <std::size_t N>
void SingleRoutines(benchmark::State& state, const Routine (&routines)[N], double P, double T) {
    for (auto _ : state)
        for (const Routine routine : routines) benchmark::DoNotOptimize(routine(P, T));
}

void BM_Single_Region1_3MPa_300K(benchmark::State& state) {
    const Routine r[] = {R1v, R1h, R1u, R1s, R1cp, R1cv, R1w};
    SingleRoutines(state, r, 3.0, 300.0);
}
void BM_Whole_Region1_3MPa_300K(benchmark::State& state) {
    WholeState(state, R1State, 3.0, 300.0);
}
void BM_Single_Region2_30MPa_700K(benchmark::State& state) {
    const Routine r[] = {R2v, R2h, R2u, R2s, R2cp, R2cv, R2w};
    SingleRoutines(state, r, 30.0, 700.0);
}
void BM_Whole_Region2_30MPa_700K(benchmark::State& state) {
    WholeState(state, R2State, 30.0, 700.0);
}
// The single routines of region 3 take the density, so R3rho comes first.
void BM_Single_Region3_30MPa_650K(benchmark::State& state) {
    const Routine r[] = {R3h, R3u, R3s, R3cp, R3cv, R3w};
    for (auto _ : state) {
        const double rho = R3rho(30.0, 650.0);
        for (const Routine routine : r) benchmark::DoNotOptimize(routine(rho, 650.0));
    }
}
void BM_Whole_Region3_30MPa_650K(benchmark::State& state) {
    WholeState(state, R3State, 30.0, 650.0);
}
void BM_Density_Region3_30MPa_650K(benchmark::State& state) {
    for (auto _ : state) benchmark::DoNotOptimize(R3rho(30.0, 650.0));
}

// The whole state of each region with its 1985 transport in one pass, as the tables take it; and
// that transport alone beside the single routines' (BM_Transport).
void WholeWithTransport(benchmark::State& state, Region region, double P, double T) {
    for (auto _ : state) {
        const State s = StateInRegion(region, P, T);
        benchmark::DoNotOptimize(TransportOf(s, TransportRelease::Iaps1985));
    }
}
void BM_WholeWithTransport_Region1_3MPa_300K(benchmark::State& state) {
    WholeWithTransport(state, Region::One, 3.0, 300.0);
}
void BM_WholeWithTransport_Region2_30MPa_700K(benchmark::State& state) {
    WholeWithTransport(state, Region::Two, 30.0, 700.0);
}
void BM_WholeWithTransport_Region3_30MPa_650K(benchmark::State& state) {
    WholeWithTransport(state, Region::Three, 30.0, 650.0);
}
void BM_WholeWithTransport_Region5_8MPa_1500K(benchmark::State& state) {
    WholeWithTransport(state, Region::Five, 8.0, 1500.0);
}
void BM_TransportFused(benchmark::State& state) {
    const State s = StateAt(1.0, 300.0);
    for (auto _ : state) benchmark::DoNotOptimize(TransportOf(s, TransportRelease::Iaps1985));
}

BENCHMARK(BM_WholeWithTransport_Region1_3MPa_300K);
BENCHMARK(BM_WholeWithTransport_Region2_30MPa_700K);
BENCHMARK(BM_WholeWithTransport_Region3_30MPa_650K);
BENCHMARK(BM_WholeWithTransport_Region5_8MPa_1500K);
BENCHMARK(BM_TransportFused);
BENCHMARK(BM_Single_Region1_3MPa_300K);
BENCHMARK(BM_Whole_Region1_3MPa_300K);
BENCHMARK(BM_Single_Region2_30MPa_700K);
BENCHMARK(BM_Whole_Region2_30MPa_700K);
BENCHMARK(BM_Single_Region3_30MPa_650K);
BENCHMARK(BM_Whole_Region3_30MPa_650K);
BENCHMARK(BM_Density_Region3_30MPa_650K);

BENCHMARK(BM_Region1);
BENCHMARK(BM_Region2);
BENCHMARK(BM_Region3);
BENCHMARK(BM_Region5);
BENCHMARK(BM_R3rho);
BENCHMARK(BM_Saturation);
BENCHMARK(BM_Psat500K);
BENCHMARK(BM_Tsat1MPa);
BENCHMARK(BM_Transport);
BENCHMARK(BM_FillCoefficientTables);

}  // namespace

BENCHMARK_MAIN();
