// Times of states from two properties: for each pair and each region (and the dome), the mean
// time of a state over 64 random states there, beside the whole state at (P, T) of the same
// states.
//   build/bench/vapomet_bench --benchmark_filter=States
#include <benchmark/benchmark.h>

#include <cmath>
#include <random>
#include <string>
#include <vector>

#include "property/state.h"

namespace {

using namespace vapomet;
using V = Variable;

constexpr std::pair<V, V> kPairs[] = {{V::P, V::T}, {V::P, V::h}, {V::P, V::s}, {V::h, V::s},
                                      {V::P, V::u}, {V::P, V::v}, {V::T, V::v}, {V::T, V::s},
                                      {V::T, V::h}, {V::u, V::v}, {V::P, V::x}, {V::T, V::x},
                                      {V::h, V::x}, {V::s, V::x}};

// 64 states drawn with a fixed seed: (P, T) evenly in T and in log P inside each region, and
// mixtures from 273.16 K to 645 K of any quality.
std::vector<State> StatesOf(const std::string& where) {
    std::mt19937_64 random(97);
    std::uniform_real_distribution<double> u(0.0, 1.0);
    const auto between = [&](double a, double b) { return a + (b - a) * u(random); };
    const auto logBetween = [&](double a, double b) { return a * std::pow(b / a, u(random)); };
    std::vector<State> states;
    while (states.size() < 64) {
        if (where == "Dome") {
            states.push_back(Mixture(SaturationAtT(between(273.16, 645.0)), u(random)));
            continue;
        }
        double P = 0, T = 0;
        if (where == "Region1") {
            T = between(273.16, 623.15);
            P = logBetween(Satpr(T) * 1.001, 100.0);
        } else if (where == "Region2") {
            T = between(273.16, 1073.15);
            P = logBetween(1e-4, T <= 623.15 ? Satpr(T) * 0.999 : T <= 863.15 ? b23(T) : 100.0);
        } else if (where == "Region3") {
            T = between(623.2, 863.15);
            P = between(b23(T) * 1.001, 100.0);
        } else {
            T = between(1073.2, 2273.15);
            P = logBetween(1e-3, 10.0);
        }
        states.push_back(StateAt(P, T));
    }
    return states;
}

void FromPair(benchmark::State& bench, std::pair<V, V> pair, const std::vector<State>& states) {
    std::vector<std::pair<double, double>> values;
    for (const State& s : states)
        values.emplace_back(*ValueOf(s, pair.first), *ValueOf(s, pair.second));
    for (auto _ : bench)
        for (const auto& [a, b] : values)
            benchmark::DoNotOptimize(StatesFrom(pair.first, a, pair.second, b));
    bench.SetItemsProcessed(bench.iterations() * static_cast<long>(values.size()));
}

void AtPT(benchmark::State& bench, const std::vector<State>& states) {
    for (auto _ : bench)
        for (const State& s : states) benchmark::DoNotOptimize(StateAt(s.P, s.T));
    bench.SetItemsProcessed(bench.iterations() * static_cast<long>(states.size()));
}

// Registered in order: each place's (P, T) state, then every pair that names its states.
const bool kRegistered = [] {
    for (const char* where : {"Region1", "Region2", "Region3", "Region5", "Dome"}) {
        const std::vector<State> states = StatesOf(where);  // each benchmark keeps a copy
        const bool dome = std::string(where) == "Dome";
        if (!dome)
            benchmark::RegisterBenchmark(("States/" + std::string(where) + "/StateAtPT").c_str(),
                                         AtPT, states);
        for (const auto& pair : kPairs) {
            const bool quality = pair.first == V::x || pair.second == V::x;
            if (dome ? pair.second == V::T : quality) continue;
            const std::string name = "States/" + std::string(where) + "/From" +
                                     std::string(NameOf(pair.first)) +
                                     std::string(NameOf(pair.second));
            benchmark::RegisterBenchmark(name.c_str(), FromPair, pair, states);
        }
    }
    return true;
}();

}  // namespace
