// SPDX-License-Identifier: MIT
#include "graph/model_overlay.h"

#include <cmath>
#include <numbers>

namespace fernplot {

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
    const std::complex<double> h = EvaluateModel(model, f);
    const auto gain = static_cast<float>(20.0 * std::log10(std::abs(h)));
    const auto phase = static_cast<float>(std::arg(h) * (180.0 / std::numbers::pi));
    if (fitted == ChannelRatio::kCh1Ch2) {
      trace.data.points->push_back({f, gain, -gain, phase, -phase});
    } else {
      trace.data.points->push_back({f, -gain, gain, -phase, phase});
    }
  }
  return trace;
}

}  // namespace fernplot
