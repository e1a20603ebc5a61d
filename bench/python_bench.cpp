// The Python module from Python: an interpreter embedded here imports the built module and asks
// for a million random states of the domain as arrays (on every core), and for states one
// number at a time in a Python loop. Items are states.
//   build/bench/vapomet_python_bench
#include <benchmark/benchmark.h>
#include <pybind11/embed.h>
#include <sys/resource.h>

namespace py = pybind11;

namespace {

// The random states, made once in the interpreter: pressures evenly in their logarithm from
// 0.6 kPa to 100 MPa at temperatures to 1073.15 K; enthalpies from 0 to 4,000 kJ/kg.
constexpr const char* kStates = R"(
import numpy as np
import vapomet
rng = np.random.default_rng(20261208)
P = 10 ** rng.uniform(np.log10(6e-4), 2, 1_000_000)
T = rng.uniform(273.16, 1073.15, 1_000_000)
h = rng.uniform(0, 4000, 1_000_000)
)";

// The interpreter's globals with the states, made in main() while the interpreter lives.
py::dict* globals = nullptr;

// The peak resident memory of the process so far, in MiB.
double PeakMiB() {
    rusage usage{};
    getrusage(RUSAGE_SELF, &usage);
    return static_cast<double>(usage.ru_maxrss) / 1024.0;
}

void Arrays(benchmark::State& state, const char* call) {
    py::dict& session = *globals;
    const py::module_ builtins = py::module_::import("builtins");
    const py::object code = builtins.attr("compile")(call, "bench", "eval");
    const py::object eval = builtins.attr("eval");
    for (auto _ : state) benchmark::DoNotOptimize(eval(code, session));
    state.SetItemsProcessed(state.iterations() * 1'000'000);
    state.counters["peak_MiB"] = PeakMiB();
}

void BM_MillionStatesFromPT(benchmark::State& state) {
    Arrays(state, "vapomet.state(P=P, T=T)");
}

void BM_MillionStatesFromPh(benchmark::State& state) {
    Arrays(state, "vapomet.state(P=P, h=h)");
}

// A loop over numbers, as a script without arrays writes it.
void BM_StatesOneNumberAtATime(benchmark::State& state) {
    py::dict& session = *globals;
    py::exec(
        "def loop(n):\n"
        "    for i in range(n):\n"
        "        vapomet.state(P=float(P[i]), T=float(T[i]))\n",
        session);
    const py::object loop = session["loop"];
    for (auto _ : state) loop(10'000);
    state.SetItemsProcessed(state.iterations() * 10'000);
}

}  // namespace

BENCHMARK(BM_MillionStatesFromPT)->Unit(benchmark::kMillisecond)->UseRealTime();
BENCHMARK(BM_MillionStatesFromPh)->Unit(benchmark::kMillisecond)->UseRealTime();
BENCHMARK(BM_StatesOneNumberAtATime)->Unit(benchmark::kMillisecond);

int main(int argc, char** argv) {
    const py::scoped_interpreter python;
    py::module_::import("sys").attr("path").attr("insert")(0, VAPOMET_PYTHON_MODULE_DIR);
    py::dict session;
    py::exec(kStates, session);
    globals = &session;
    benchmark::Initialize(&argc, argv);
    if (benchmark::ReportUnrecognizedArguments(argc, argv)) return 1;
    benchmark::RunSpecifiedBenchmarks();
    benchmark::Shutdown();
    return 0;
}
