// SPDX-License-Identifier: MIT
#include "graph/model_overlay.h"

#include <cmath>
#include <numbers>

namespace fernplot {

namespace {

// One point of an overlay record: `h` in the ratio `shown`, its inverse in
// the other.
DataPoint OverlayPoint(double f, std::complex<double> h, ChannelRatio shown) {
  const auto gain = static_cast<float>(20.0 * std::log10(std::abs(h)));
  const auto phase = static_cast<float>(std::arg(h) * (180.0 / std::numbers::pi));
  if (shown == ChannelRatio::kCh1Ch2) return {f, gain, -gain, phase, -phase};
  return {f, -gain, gain, -phase, phase};
}

}  // namespace

OverlayTrace ModelOverlay(const FitModel& model, std::span<const UsablePoint> points,
                          ChannelRatio fitted) {
  OverlayTrace trace;
  trace.fileName = "model";
  trace.dashed = true;
  trace.data.points.emplace();
  trace.data.points->reserve(points.size());
  // The record holds a sweep in the reverse of the file's (ascending) order.
  for (size_t i = points.size(); i-- > 0;) {
    const double f = points[i].frequency;
    trace.data.points->push_back(OverlayPoint(f, EvaluateModel(model, f), fitted));
  }
  return trace;
}

OverlayTrace CircuitOverlay(const CircuitModel& model, std::span<const double> frequency,
                            double scale, ChannelRatio shown) {
  OverlayTrace trace;
  trace.fileName = model.circuit->text();
  trace.dashed = true;
  trace.data.points.emplace();
  trace.data.points->reserve(frequency.size());
  const std::vector<double> values = model.result.Values();
  for (size_t i = frequency.size(); i-- > 0;) {
    const double f = frequency[i];
    const std::complex<double> z = model.circuit->Impedance(2.0 * std::numbers::pi * f, values);
    trace.data.points->push_back(OverlayPoint(f, z / scale, shown));
  }
  return trace;
}

}  // namespace fernplot
