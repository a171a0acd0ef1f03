#pragma once
// Deterministic text measurement and small data builders for the graph
// tests and benchmarks: a text is half an em wide per CP932 byte.

#include <cmath>
#include <memory>
#include <string>
#include <string_view>
#include <vector>

#include "app_state.h"
#include "datafile/measurement.h"
#include "graph/drawing.h"
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

// Program state with an active drawing measured by the stand-in.
struct TestState {
  StandInMeasurer measurer;
  std::unique_ptr<AppState> state = std::make_unique<AppState>();
  TestState() {
    state->drawing.SetMeasurer(&measurer);
    state->drawingActive = true;
  }
  AppState& operator*() { return *state; }
  AppState* operator->() { return state.get(); }
};

// A raw-data record with `n` points swept logarithmically from 10 Hz to
// 100 kHz; gains and phases follow a first-order low pass.
inline MeasurementData SweepData(int n) {
  MeasurementData d;
  d.modelName = "Q417";
  d.version = "1.03";
  d.dataTitle = "TEST SWEEP";
  d.year = 2024;
  d.month = 3;
  d.day = 7;
  d.hour = 9;
  d.minute = 5;
  d.oscAmplitude = 0.5;
  d.sweepMinFrequency = 10.0;
  d.sweepMaxFrequency = 100000.0;
  d.resolutionKind = 1;
  d.resolution = 50;
  d.integration = 16;
  d.pointCount = static_cast<uint16_t>(n);
  std::vector<DataPoint> points;
  points.reserve(static_cast<size_t>(n));
  for (int i = 0; i < n; ++i) {
    const double f = 10.0 * std::pow(10.0, 4.0 * i / std::max(1, n - 1));
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
