// SPDX-License-Identifier: MIT
// Fitting a model to a sweep: order 8 on 1,000 and 65,535 points, the
// automatic order on 1,000 points, and order 20 with a delay (the delay
// search fits many trial models) and the automatic order with a delay on
// 65,535 points.

#include <benchmark/benchmark.h>

#include <cmath>
#include <complex>
#include <numbers>
#include <random>

#include "analysis/fit/vector_fit.h"

namespace fernplot {
namespace {

// An eighth-order response (four resonances with two notches) from 10 Hz to
// 10 MHz, with a little noise so that every relocation pass runs.
std::vector<UsablePoint> Sweep(int count, double delay = 0.0) {
  using Complex = std::complex<double>;
  std::mt19937 random(7);
  std::normal_distribution<double> gauss(0.0, 1.0);
  const double f0[] = {1e2, 3e3, 1e5, 2e6};
  const double q[] = {2.0, 5.0, 10.0, 3.0};
  std::vector<UsablePoint> out;
  double previous = 0.0;
  for (int k = 0; k < count; ++k) {
    const double f = 10.0 * std::pow(1e6, static_cast<double>(k) / (count - 1));
    const Complex s(0.0, f);
    Complex h = 1.0;
    for (int i = 0; i < 4; ++i) h /= 1.0 + s / (q[i] * f0[i]) + s * s / (f0[i] * f0[i]);
    h *= (1.0 + s / (30.0 * 1e4) + s * s / 1e8) * (1.0 + s / 5e5);
    h *= std::polar(1.0, -2.0 * std::numbers::pi * f * delay);
    UsablePoint p;
    p.frequency = f;
    p.gain = 20.0 * std::log10(std::abs(h)) + 0.01 * gauss(random);
    p.phase = WrapDegrees(std::arg(h) * 180.0 / std::numbers::pi + 0.05 * gauss(random));
    p.unwrapped = k ? p.phase + 360.0 * std::round((previous - p.phase) / 360.0) : p.phase;
    previous = p.unwrapped;
    out.push_back(p);
  }
  return out;
}

void BM_FitOrder8(benchmark::State& state) {
  const auto points = Sweep(static_cast<int>(state.range(0)));
  for (auto _ : state) {
    FitResult r = FitSweep(points, {.order = 8});
    if (!r.model) state.SkipWithError(r.error.c_str());
    benchmark::DoNotOptimize(r);
  }
  state.SetItemsProcessed(state.iterations() * state.range(0));
}
BENCHMARK(BM_FitOrder8)->Arg(1000)->Arg(65535)->Unit(benchmark::kMillisecond);

void BM_FitAutomaticOrder(benchmark::State& state) {
  const auto points = Sweep(1000);
  for (auto _ : state) {
    FitResult r = FitSweep(points, {});
    if (!r.model) state.SkipWithError(r.error.c_str());
    state.counters["order"] = r.model ? static_cast<double>(r.model->poles.size()) : 0.0;
    benchmark::DoNotOptimize(r);
  }
}
BENCHMARK(BM_FitAutomaticOrder)->Unit(benchmark::kMillisecond);

// The sweep above measured through 20 ns of cable.
void BM_FitWithDelay(benchmark::State& state) {
  const auto points = Sweep(65535, 20e-9);
  const std::optional<int> order =
      state.range(0) ? std::optional<int>(static_cast<int>(state.range(0))) : std::nullopt;
  for (auto _ : state) {
    FitResult r = FitSweep(points, {.order = order, .delay = true});
    if (!r.model) state.SkipWithError(r.error.c_str());
    state.counters["order"] = r.model ? static_cast<double>(r.model->poles.size()) : 0.0;
    state.counters["delay_ns"] = r.model ? r.model->delay * 1e9 : 0.0;
    benchmark::DoNotOptimize(r);
  }
}
// 20: order 20 given; 0: the order chosen.
BENCHMARK(BM_FitWithDelay)->Arg(20)->Arg(0)->Unit(benchmark::kMillisecond)->Iterations(1);

}  // namespace
}  // namespace fernplot

BENCHMARK_MAIN();
