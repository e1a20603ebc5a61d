// The batch of vapomet-cli against the single routines: 200,000 random states of the domain as
// lines "P T", written as CSV to /dev/null on every core; and the same states one at a time on
// one core, page 3's values by the single routines a press calls. And a million lines read from
// a file, with the process's peak memory. Items are states.
//   build/bench/vapomet_batch_bench
#include <benchmark/benchmark.h>
#include <sys/resource.h>

#include <cmath>
#include <cstdio>
#include <filesystem>
#include <fstream>
#include <random>
#include <sstream>
#include <string>
#include <vector>

#include "cli/page_rows.h"
#include "driver/plan.h"
#include "property/property.h"

namespace {

using namespace vapomet;

constexpr int kStates = 200000;

struct Point {
    double P, T;
};

// Pressures evenly in their logarithm from 0.6 kPa to 100 MPa; temperatures to 1073.15 K, and
// a tenth of them above, where the pressure is then kept to 10 MPa.
const std::vector<Point>& RandomStates() {
    static const std::vector<Point> points = [] {
        std::mt19937_64 random(20261208);
        std::uniform_real_distribution<double> logP(std::log10(6e-4), 2.0), unit(0.0, 1.0);
        std::vector<Point> list;
        for (int i = 0; i < kStates; ++i) {
            const bool hot = unit(random) < 0.1;
            const double T = hot ? 1073.15 + 1200.0 * unit(random) : 273.16 + 800.0 * unit(random);
            double P = std::pow(10.0, logP(random));
            if (hot) P = std::min(P, 10.0);
            list.push_back({P, T});
        }
        return list;
    }();
    return points;
}

void BM_Batch200000States(benchmark::State& state) {
    std::string input;
    char line[64];
    for (const Point& p : RandomStates()) {
        std::snprintf(line, sizeof line, "%.9g %.9g\n", p.P, p.T);
        input += line;
    }
    std::FILE* out = std::fopen("/dev/null", "w");
    for (auto _ : state) {
        std::istringstream in(input);
        benchmark::DoNotOptimize(cli::RunPageRows(in, std::nullopt, cli::Choices{}, out));
    }
    std::fclose(out);
    state.SetItemsProcessed(state.iterations() * kStates);
}

// The peak resident memory of the process so far, in MiB.
double PeakMiB() {
    rusage usage{};
    getrusage(RUSAGE_SELF, &usage);
    return static_cast<double>(usage.ru_maxrss) / 1024.0;
}

// A million lines from a file, as `vapomet-cli --batch FILE` reads them: the memory stays that
// of a few chunks, whatever the length of the file.
void BM_BatchMillionLinesFromAFile(benchmark::State& state) {
    constexpr int kLines = 1'000'000;
    const std::filesystem::path path =
        std::filesystem::temp_directory_path() / "vapomet_batch_bench_lines.txt";
    {
        std::FILE* lines = std::fopen(path.c_str(), "w");
        for (int i = 0; i < kLines; ++i) {
            const Point& p = RandomStates()[static_cast<std::size_t>(i) % RandomStates().size()];
            std::fprintf(lines, "%.9g %.9g\n", p.P, p.T);
        }
        std::fclose(lines);
    }
    std::FILE* out = std::fopen("/dev/null", "w");
    const double before = PeakMiB();
    for (auto _ : state) {
        std::ifstream in(path);
        benchmark::DoNotOptimize(cli::RunPageRows(in, std::nullopt, cli::Choices{}, out));
    }
    state.counters["peak_MiB"] = PeakMiB();
    state.counters["peak_rise_MiB"] = PeakMiB() - before;
    std::fclose(out);
    std::filesystem::remove(path);
    state.SetItemsProcessed(state.iterations() * kLines);
}

// Page 3 of each state as a press computes it, one routine after another.
void BM_SingleRoutines200000States(benchmark::State& state) {
    FillCoefficientTables();
    using Routine = double (*)(const double&, const double&);
    const Routine region1[] = {R1v, R1h, R1u, R1s, R1cp, R1cv, R1w};
    const Routine region2[] = {R2v, R2h, R2u, R2s, R2cp, R2cv, R2w};
    const Routine region5[] = {R5v, R5h, R5u, R5s, R5cp, R5cv, R5w};
    const Routine region3[] = {R3h, R3u, R3s, R3cp, R3cv, R3w};
    for (auto _ : state) {
        for (const Point& p : RandomStates()) {
            const auto plan = PlanFor(p.P, p.T);
            const auto* planned = std::get_if<CalculationPlan>(&plan);
            if (planned == nullptr || !planned->region) continue;
            double rho = 0.0;
            switch (*planned->region) {
                case Region::Three: {
                    rho = R3rho(p.P, p.T);
                    for (const Routine r : region3) benchmark::DoNotOptimize(r(rho, p.T));
                    break;
                }
                default: {
                    const auto& routines = *planned->region == Region::One   ? region1
                                           : *planned->region == Region::Two ? region2
                                                                             : region5;
                    rho = 1.0 / routines[0](p.P, p.T);
                    for (const Routine r : routines) benchmark::DoNotOptimize(r(p.P, p.T));
                }
            }
            benchmark::DoNotOptimize(Vis(p.P, p.T, rho));
            benchmark::DoNotOptimize(Cond(p.P, p.T, rho));
        }
    }
    state.SetItemsProcessed(state.iterations() * kStates);
}

}  // namespace

BENCHMARK(BM_Batch200000States)->Unit(benchmark::kMillisecond)->UseRealTime();
BENCHMARK(BM_SingleRoutines200000States)->Unit(benchmark::kMillisecond);
BENCHMARK(BM_BatchMillionLinesFromAFile)->Unit(benchmark::kMillisecond)->UseRealTime();

BENCHMARK_MAIN();
