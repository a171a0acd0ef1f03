// SPDX-License-Identifier: MIT
// Equivalent-circuit fits: a Randles circuit (57 points), a 7-parameter
// battery-like circuit from automatic starting values and by the global
// search, and the Kramers–Kronig test on 60 points.

#include <benchmark/benchmark.h>

#include <cmath>
#include <complex>
#include <ctime>
#include <numbers>
#include <random>
#include <string>
#include <vector>

#include "analysis/impedance/circuit_fit.h"
#include "analysis/impedance/lin_kk.h"

namespace fernplot {
namespace {

struct Data {
  Circuit circuit;
  std::vector<double> f;
  std::vector<std::complex<double>> z;
};

// `count` log-spaced points of the circuit with complex noise (0.1 % unless
// given).
Data Spectrum(const char* text, const std::vector<double>& values, double f0, double f1, int count,
              double noise = 1e-3) {
  Data d{*ParseCircuit(text).circuit, {}, {}};
  std::mt19937 random(7);
  std::normal_distribution<double> gauss(0.0, noise);
  for (int k = 0; k < count; ++k) {
    const double f = f0 * std::pow(f1 / f0, static_cast<double>(k) / (count - 1));
    d.f.push_back(f);
    const double a = gauss(random), b = gauss(random);
    d.z.push_back(d.circuit.Impedance(2.0 * std::numbers::pi * f, values) *
                  std::complex<double>(1.0 + a, b));
  }
  return d;
}

const Data& Randles() {
  static const Data d = Spectrum("R0-p(R1-Wo1,C1)", {5.0, 50.0, 100.0, 10.0, 2e-5}, 1e-3, 1e5, 57);
  return d;
}

const Data& Battery() {
  static const Data d = Spectrum("R0-p(R1,C1)-p(R2-Wo1,C2)",
                                 {0.015, 0.004, 0.1, 0.01, 0.01, 5.0, 1.0}, 1e-3, 1e4, 61, 5e-3);
  return d;
}

void Report(benchmark::State& state, const CircuitFitResult& r) {
  if (!r.ok()) state.SkipWithError(r.error.c_str());
  state.counters["rmsRelative"] = r.rmsRelative;
  state.counters["starts"] = r.starts;
  state.counters["converged"] = r.converged;
}

void BM_RandlesFit(benchmark::State& state) {
  const Data& d = Randles();
  for (auto _ : state) {
    CircuitFitResult r = FitCircuit(d.circuit, d.f, d.z, {});
    Report(state, r);
    benchmark::DoNotOptimize(r);
  }
}
BENCHMARK(BM_RandlesFit)->Unit(benchmark::kMillisecond);

void BM_SevenParameterFit(benchmark::State& state) {
  const Data& d = Battery();
  for (auto _ : state) {
    CircuitFitResult r = FitCircuit(d.circuit, d.f, d.z, {.weight = CircuitWeight::kUnit});
    Report(state, r);
    state.counters["rmsOhm"] = r.rmsOhm;
    benchmark::DoNotOptimize(r);
  }
}
BENCHMARK(BM_SevenParameterFit)->Unit(benchmark::kMillisecond);

// The global search with its whole default budget; "secondsToBest" is when
// it found the optimum it kept (wall clock), "cpuSecondsToBest" the processor
// time of the starts up to that one (what a loaded machine does not
// distort), "gapToBest" how far that optimum lies above the best one known
// (a 20 s search), relative.
void BM_SevenParameterGlobal(benchmark::State& state) {
  const Data& d = Battery();
  static const double best =
      FitCircuit(d.circuit, d.f, d.z,
                 {.weight = CircuitWeight::kUnit, .global = true, .globalSeconds = 20.0})
          .chiSquare;
  for (auto _ : state) {
    const std::clock_t begin = std::clock();
    CircuitFitResult r =
        FitCircuit(d.circuit, d.f, d.z, {.weight = CircuitWeight::kUnit, .global = true});
    const double cpu = static_cast<double>(std::clock() - begin) / CLOCKS_PER_SEC;
    Report(state, r);
    state.counters["startsToBest"] = r.bestStart;
    state.counters["cpuSecondsToBest"] = cpu * r.bestStart / r.starts;
    state.counters["secondsToBest"] = r.secondsToBest;
    state.counters["gapToBest"] = r.chiSquare / best - 1.0;
    state.counters["rmsOhm"] = r.rmsOhm;
    benchmark::DoNotOptimize(r);
  }
}
BENCHMARK(BM_SevenParameterGlobal)->Unit(benchmark::kMillisecond)->Iterations(3);

void BM_KramersKronig60(benchmark::State& state) {
  const Data d = Spectrum("R0-p(R1-Wo1,C1)", {5.0, 50.0, 100.0, 10.0, 2e-5}, 1e-2, 1e5, 60);
  for (auto _ : state) {
    KkResult r = KramersKronigTest(d.f, d.z, {});
    if (!r.ok()) state.SkipWithError(r.error.c_str());
    state.counters["M"] = r.m;
    benchmark::DoNotOptimize(r);
  }
}
BENCHMARK(BM_KramersKronig60)->Unit(benchmark::kMillisecond);

}  // namespace
}  // namespace fernplot

BENCHMARK_MAIN();
