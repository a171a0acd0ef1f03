// SPDX-License-Identifier: MIT
// A 65,535-point low-pass sweep judged against a 10-rule mask (the figures
// it reads already computed, as the exporter has them), and one 801-point
// sweep added to a lot's statistics.

#include <benchmark/benchmark.h>

#include <cmath>
#include <vector>

#include "analysis/production/limit_mask.h"
#include "analysis/production/lot_statistics.h"
#include "analysis/production/mask_judge.h"
#include "analysis/sweep_figures.h"

namespace fernplot {
namespace {

std::vector<UsablePoint> LowPass(size_t points, double fc) {
  std::vector<UsablePoint> p;
  for (size_t i = 0; i < points; ++i) {
    const double f = 10.0 * std::pow(1e4, static_cast<double>(i) / static_cast<double>(points - 1));
    const double x = f / fc;
    const double phase = -std::atan(x) * 57.29577951308232;
    p.push_back({f, -10.0 * std::log10(1.0 + x * x), phase, phase});
  }
  return p;
}

constexpr const char* kMask =
    "GAIN MIN 10 200 -0.5\n"
    "GAIN MAX 10 200 0.5\n"
    "GAIN MAX 5k 100k -13 -39\n"
    "GAIN MIN 10 100k -60\n"
    "PHASE MIN 10 100 -10\n"
    "PHASE MAX 10k 100k -80\n"
    "FIGURE minus3dBHz BETWEEN 950 1050\n"
    "FIGURE peakDb <= 0.3\n"
    "FIGURE lowFrequencyGainDb BETWEEN -0.3 0.3\n"
    "FIGURE resonanceQ <= 25\n";

void BM_JudgeMask65535(benchmark::State& state) {
  const std::vector<UsablePoint> points = LowPass(65535, 1000.0);
  const LimitMask mask = *ParseMask(kMask, "bench").mask;
  const std::vector<std::optional<double>> figures =
      MaskFigureValues(ComputeFigures(points, MarginReference::kMinus180));
  for (auto _ : state) {
    MaskVerdict v = JudgeMask(mask, points, figures);
    benchmark::DoNotOptimize(v);
  }
}
BENCHMARK(BM_JudgeMask65535)->Unit(benchmark::kMillisecond);

void BM_LotAdd801(benchmark::State& state) {
  const std::vector<UsablePoint> first = LowPass(801, 1000.0);
  const std::vector<UsablePoint> other = LowPass(797, 1010.0);
  LotStatistics lot(first);
  for (auto _ : state) lot.Add(other);
}
BENCHMARK(BM_LotAdd801)->Unit(benchmark::kMicrosecond);

}  // namespace
}  // namespace fernplot

BENCHMARK_MAIN();
