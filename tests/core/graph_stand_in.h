// SPDX-License-Identifier: MIT
#pragma once
// Deterministic text measurement and small data builders for the graph
// tests and benchmarks: a text is half an em wide per CP932 byte.

#include <cmath>
#include <memory>
#include <string>
#include <string_view>
#include <vector>

#include "datafile/measurement.h"
#include "fernplot_test_data.h"
#include "graph/drawing.h"
#include "graph/page_session.h"
#include "graph/text_measure.h"
#include "text/encoding.h"

namespace fernplot::test {

class StandInMeasurer : public TextMeasurer {
 public:
  int TextWidthPx(const FontEntry& font, std::string_view utf8) override {
    const double bytes = static_cast<double>(Cp932Length(utf8));
    return static_cast<int>(std::lround(bytes * font.size * 96.0 / 72.0 * 0.5));
  }
};

// Width in mm that the stand-in gives for `text` at `size` points.
inline double StandInWidthMm(std::string_view text, int size) {
  const double bytes = static_cast<double>(Cp932Length(text));
  return static_cast<double>(std::lround(bytes * size * 96.0 / 72.0 * 0.5)) * kMmPerPixel;
}

// A page session with an active drawing measured by the stand-in, the
// defaults new pages copy and a file list to open from.
struct TestState {
  StandInMeasurer measurer;
  GraphProperties defaults = FactoryDefaults();
  DataFileList dataFiles;
  PageSession session;
  TestState() {
    session.drawing.SetMeasurer(&measurer);
    session.drawingActive = true;
  }
  PageSession* operator->() { return &session; }
};

// A raw-data record with `n` points swept logarithmically from 10 Hz to
// 100 kHz; gains and phases follow a first-order low pass.
inline MeasurementData SweepData(int n) {
  MeasurementData d = testing::TestHeader({.pointCount = static_cast<uint16_t>(n),
                                           .title = "TEST SWEEP",
                                           .made = {2024, 3, 7, 9, 5},
                                           .sweep = {.oscAmplitude = 0.5,
                                                     .minHz = 10.0,
                                                     .maxHz = 100000.0,
                                                     .resolutionKind = 1,
                                                     .resolution = 50,
                                                     .integration = 16}});
  std::vector<DataPoint> points;
  points.reserve(static_cast<size_t>(n));
  for (int i = 0; i < n; ++i) {
    const double f = testing::LogSweepHz(i, n, 10.0, 4.0);
    const double ratio = f / 1000.0;
    DataPoint p;
    p.frequency = f;
    p.gainCh1Ch2 = static_cast<float>(-10.0 * std::log10(1.0 + ratio * ratio));
    p.phaseCh1Ch2 = static_cast<float>(-std::atan(ratio) * 180.0 / M_PI);
    p.gainCh2Ch1 = -p.gainCh1Ch2;
    p.phaseCh2Ch1 = -p.phaseCh1Ch2;
    points.push_back(p);
  }
  d.points = std::move(points);
  return d;
}

}  // namespace fernplot::test
