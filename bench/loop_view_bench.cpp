// SPDX-License-Identifier: MIT
// Switching a 65,535-point page between its views: each switch plans and
// draws the page again in the view asked for (the session's SetView), and
// each view's build on its own, of L and of the closed loop.

#include <benchmark/benchmark.h>

#include <array>

#include "graph_stand_in.h"

namespace fernplot {
namespace {

constexpr int kPoints = 65535;

// range(0): the view (ViewKind); range(1): the curve (LoopCurve).
void BM_BuildLoopView(benchmark::State& state) {
  test::TestState ts;
  GraphPage* page = ts.session.OpenPage(ts.defaults, test::SweepData(kPoints), "BIG");
  page->properties.view = static_cast<ViewKind>(state.range(0));
  page->properties.loopCurve = static_cast<LoopCurve>(state.range(1));
  for (auto _ : state) {
    ts.session.RebuildCurrent();
    benchmark::DoNotOptimize(ts->drawing.CurrentSheet()->elements.data());
  }
  state.SetItemsProcessed(state.iterations() * kPoints);
}
BENCHMARK(BM_BuildLoopView)
    ->ArgsProduct({{0, 1, 2}, {0, 1}})
    ->ArgNames({"view", "curve"})
    ->Unit(benchmark::kMillisecond);

// Bode -> Nyquist -> Nichols -> Bode ...: one switch per iteration.
void BM_SwitchView(benchmark::State& state) {
  test::TestState ts;
  ts.session.OpenPage(ts.defaults, test::SweepData(kPoints), "BIG");
  constexpr std::array<ViewKind, 3> kCycle{ViewKind::kNyquist, ViewKind::kNichols, ViewKind::kBode};
  size_t next = 0;
  for (auto _ : state) {
    ts.session.SetView(kCycle[next]);
    next = (next + 1) % kCycle.size();
    benchmark::DoNotOptimize(ts->drawing.CurrentSheet()->elements.data());
  }
}
BENCHMARK(BM_SwitchView)->Unit(benchmark::kMillisecond);

}  // namespace
}  // namespace fernplot

BENCHMARK_MAIN();
