// SPDX-License-Identifier: MIT
// Figures of a 65,535-point page, from its record to the finished figures
// (the loop figures included, and those alone), and a marker move: the curve
// read at a new frequency plus the nearest point.

#include <benchmark/benchmark.h>

#include <cmath>
#include <complex>
#include <numbers>

#include "analysis/loop.h"
#include "analysis/sweep_figures.h"
#include "analysis/sweep_points.h"

namespace fernplot {
namespace {

constexpr int kPoints = 65535;

// A loop gain with two poles and a little delay, swept upwards from 1 Hz to
// 100 MHz: it crosses 0 dB once and wraps its phase many times.
MeasurementData LoopSweep() {
  MeasurementData data;
  data.points.emplace();
  for (int k = kPoints - 1; k >= 0; --k) {  // the record holds the file reversed
    const double f = std::pow(10.0, 8.0 * k / (kPoints - 1));
    const std::complex<double> s(0.0, 2.0 * std::numbers::pi * f);
    const std::complex<double> h =
        1e4 / ((1.0 + s / 628.0) * (1.0 + s / 6.28e6)) * std::exp(-s * 40e-9);
    const auto gain = static_cast<float>(20.0 * std::log10(std::abs(h)));
    const auto phase = static_cast<float>(std::arg(h) * 180.0 / std::numbers::pi);
    data.points->push_back({f, gain, -gain, phase, -phase});
  }
  return data;
}

void BM_FiguresOfPage(benchmark::State& state) {
  const MeasurementData data = LoopSweep();
  for (auto _ : state) {
    const auto points = UsablePoints(RatioPoints(data, ChannelRatio::kCh1Ch2));
    SweepFigures fig = ComputeFigures(points, MarginReference::kMinus180);
    if (!fig.phaseMargin) state.SkipWithError("no phase margin");
    benchmark::DoNotOptimize(fig);
  }
  state.SetItemsProcessed(state.iterations() * kPoints);
}
BENCHMARK(BM_FiguresOfPage)->Unit(benchmark::kMillisecond);

// The part the loop adds: modulus and delay margins and the closed loop's
// figures, given the crossovers.
void BM_LoopFiguresOfPage(benchmark::State& state) {
  const auto points = UsablePoints(RatioPoints(LoopSweep(), ChannelRatio::kCh1Ch2));
  const SweepFigures base = ComputeFigures(points, MarginReference::kMinus180);
  for (auto _ : state) {
    SweepFigures fig = base;
    AddLoopFigures(points, fig);
    if (!fig.modulusMargin || !fig.delayMargin) state.SkipWithError("no loop figures");
    benchmark::DoNotOptimize(fig);
  }
  state.SetItemsProcessed(state.iterations() * kPoints);
}
BENCHMARK(BM_LoopFiguresOfPage)->Unit(benchmark::kMillisecond);

// The unwrapped phase or group delay the right axis may show.
void BM_GroupDelayOfPage(benchmark::State& state) {
  const auto points = UsablePoints(RatioPoints(LoopSweep(), ChannelRatio::kCh1Ch2));
  for (auto _ : state) benchmark::DoNotOptimize(GroupDelay(points));
  state.SetItemsProcessed(state.iterations() * kPoints);
}
BENCHMARK(BM_GroupDelayOfPage)->Unit(benchmark::kMillisecond);

// Each move reads the curve at the pointer's frequency and finds the point
// the arrow keys step from.
void BM_MarkerMove(benchmark::State& state) {
  const auto points = UsablePoints(RatioPoints(LoopSweep(), ChannelRatio::kCh1Ch2));
  double f = 1.0;
  for (auto _ : state) {
    f = f > 5e7 ? 1.0 : f * 1.37;
    benchmark::DoNotOptimize(InterpolateAt(points, f));
    benchmark::DoNotOptimize(NearestPointIndex(points, f));
  }
}
BENCHMARK(BM_MarkerMove)->Unit(benchmark::kMicrosecond);

}  // namespace
}  // namespace fernplot

BENCHMARK_MAIN();
