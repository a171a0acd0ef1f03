// SPDX-License-Identifier: MIT
// Page build of a 65,535-point sweep: data range, fonts, layout, axes, curves
// and info texts into a fresh sheet; stepping through many pages.

#include <benchmark/benchmark.h>
#include <unistd.h>

#include <cstdio>
#include <filesystem>
#include <variant>

#include "datafile/data_file_writer.h"
#include "graph/trace_reader.h"
#include "graph_stand_in.h"

namespace fernplot {
namespace {

constexpr int kPoints = 65535;

// Rebuilding the page on screen runs the whole build and replaces its sheet.
void BM_BuildPage(benchmark::State& state) {
  test::TestState ts;
  ts.session.OpenPage(ts.defaults, test::SweepData(kPoints), "BIG");
  for (auto _ : state) {
    ts.session.RebuildCurrent();
    benchmark::DoNotOptimize(ts->drawing.CurrentSheet()->elements.data());
  }
  state.SetItemsProcessed(state.iterations() * kPoints);
}
BENCHMARK(BM_BuildPage)->Unit(benchmark::kMillisecond);

// The same page with eight overlays of as many points, each a little apart;
// range(0): 1 draws every overlay point (no thinning), as a comparison;
// range(1): 1 shows the differences to the first overlay.
void BM_BuildPageWithEightOverlays(benchmark::State& state) {
  test::TestState ts;
  if (state.range(0)) ts.session.curveGrids.clear();
  GraphPage* page = ts.session.OpenPage(ts.defaults, test::SweepData(kPoints), "BIG");
  for (int i = 0; i < 8; ++i) {
    MeasurementData d = test::SweepData(kPoints);
    for (DataPoint& p : *d.points) p.gainCh1Ch2 += static_cast<float>(i);
    page->overlays.push_back(OverlayTrace{std::move(d), "OVERLAY" + std::to_string(i), ""});
  }
  if (state.range(1)) {
    page->referenceIndex = 0;
    page->showDifference = true;
  }
  size_t curvePoints = 0;
  for (auto _ : state) {
    ts.session.RebuildCurrent();
    benchmark::DoNotOptimize(ts->drawing.CurrentSheet()->elements.data());
  }
  for (const DrawingElement& e : ts->drawing.CurrentSheet()->elements) {
    if (const auto* line = std::get_if<PolylineElement>(&e)) curvePoints += line->x.size();
  }
  state.counters["polyline points"] = static_cast<double>(curvePoints);
  state.SetItemsProcessed(state.iterations() * kPoints * 9);
}
BENCHMARK(BM_BuildPageWithEightOverlays)
    ->ArgNames({"unthinned", "difference"})
    ->Args({0, 0})
    ->Args({1, 0})
    ->Args({0, 1})
    ->Unit(benchmark::kMillisecond);

// What a pointer move reads: the value of all nine traces at one frequency.
void BM_ReadNineTracesAtPointer(benchmark::State& state) {
  test::TestState ts;
  GraphPage* page = ts.session.OpenPage(ts.defaults, test::SweepData(kPoints), "BIG");
  for (int i = 0; i < 8; ++i) {
    page->overlays.push_back(OverlayTrace{test::SweepData(kPoints), "O" + std::to_string(i), ""});
  }
  const TraceReader reader(*page);
  double f = 10.0;
  for (auto _ : state) {
    benchmark::DoNotOptimize(reader.At(f));
    f = f < 90000.0 ? f * 1.37 : 10.0;
  }
}
BENCHMARK(BM_ReadNineTracesAtPointer)->Unit(benchmark::kMicrosecond);

// Open from a data file (full read included), then close again.
void BM_OpenSelectedFromFile(benchmark::State& state) {
  const MeasurementData sweep = test::SweepData(kPoints);
  std::vector<RawRecord> records;
  records.reserve(kPoints);
  for (const DataPoint& p : *sweep.points) {
    records.push_back(RawRecord{p.frequency, 1.0f, p.phaseCh1Ch2,
                                static_cast<float>(std::pow(10.0, p.gainCh1Ch2 / 20.0))});
  }
  MeasurementData header = sweep;
  header.points.reset();
  const std::string path = (std::filesystem::temp_directory_path() /
                            ("fernplot-bench-" + std::to_string(getpid()) + ".DAT"))
                               .string();
  testing::WriteBytes(path, EncodeRawDataFile(header, records));

  test::TestState ts;
  DataFileEntry entry;
  entry.fileName = "BIG.DAT";
  entry.fullPath = path;
  ts.dataFiles.push_back(entry);
  for (auto _ : state) {
    ts.dataFiles[0].flags = kEntrySelected;
    ts.session.OpenSelected(ts.defaults, ts.dataFiles);
    if (ts->pages.size() != 1) state.SkipWithError("the file did not open");
    ts.session.CloseCurrent();
  }
  std::remove(path.c_str());
}
BENCHMARK(BM_OpenSelectedFromFile)->Unit(benchmark::kMillisecond);

// A loop sweep crossing 0 dB, its -3 dB level and -180 degrees at every step
// (65,534 crossings of each kind); range(0): 1 with the figure marks on. The
// marks cost about what the figures do, whatever the number of crossings.
void BM_BuildPageCrossingAtEveryStep(benchmark::State& state) {
  test::TestState ts;
  MeasurementData data = test::SweepData(kPoints);
  for (size_t i = 0; i < data.points->size(); ++i) {
    (*data.points)[i].gainCh1Ch2 = (i % 2 == 0) ? 20.0f : -20.0f;
    (*data.points)[i].phaseCh1Ch2 = (i % 2 == 0) ? -170.0f : 170.0f;
  }
  GraphPage* page = ts.session.OpenPage(ts.defaults, std::move(data), "ZIGZAG");
  page->showFigureMarks = state.range(0) != 0;
  for (auto _ : state) {
    ts.session.RebuildCurrent();
    benchmark::DoNotOptimize(ts->drawing.CurrentSheet()->elements.data());
  }
  state.SetItemsProcessed(state.iterations() * kPoints);
}
BENCHMARK(BM_BuildPageCrossingAtEveryStep)->Arg(0)->Arg(1)->Unit(benchmark::kMillisecond);

// Stepping to the next of 1,000 open 801-point pages, each a little apart;
// range(0): 1 with the open pages' statistics shown, which are read again
// on the frequencies of each page stepped to (the figures of every page
// kept from the first step). Against range(0) 0, the plain step.
void BM_StepPagesWithLotStatistics(benchmark::State& state) {
  test::TestState ts;
  constexpr int kPages = 1000;
  for (int i = 0; i < kPages; ++i) {
    MeasurementData d = test::SweepData(801);
    for (DataPoint& p : *d.points) p.gainCh1Ch2 += 0.001f * static_cast<float>(i);
    ts.session.OpenPage(ts.defaults, std::move(d), "LOT");
  }
  ts.session.ShowSheet(1);
  if (state.range(0)) ts.session.ShowLotStatistics(true);
  int n = 1;
  for (auto _ : state) {
    n = n % kPages + 1;
    ts.session.ShowSheet(n);
    benchmark::DoNotOptimize(ts->drawing.CurrentSheet()->elements.data());
  }
}
BENCHMARK(BM_StepPagesWithLotStatistics)->Arg(0)->Arg(1)->Unit(benchmark::kMillisecond);

}  // namespace
}  // namespace fernplot

BENCHMARK_MAIN();
