// SPDX-License-Identifier: MIT
#include "graph/shown_limits.h"

#include <cmath>

namespace fernplot {

namespace {

// Millimetres back to values leave a rounding in the last digits: a limit
// of 100 would read 99.99999999999, one of 0 a few times 1e-14. A linear
// axis is rounded to a billionth of its span, a logarithmic one to nine
// significant digits.
double RoundedTo(double v, double quantum) {
  if (!(quantum > 0.0) || !std::isfinite(v)) return v;
  const double r = std::round(v / quantum) * quantum;
  return r == 0.0 ? 0.0 : r;
}

double Quantum(double magnitude) {
  return magnitude > 0.0 && std::isfinite(magnitude)
             ? std::pow(10.0, std::floor(std::log10(magnitude)) - 9.0)
             : 0.0;
}

AxisEnds Ends(const AxisMap& map, double fromMm, double toMm) {
  const double lo = map.ToValue(fromMm);
  const double hi = map.ToValue(toMm);
  if (map.log) return {RoundedTo(lo, Quantum(lo)), RoundedTo(hi, Quantum(hi))};
  const double quantum = Quantum(std::fabs(hi - lo));
  return {RoundedTo(lo, quantum), RoundedTo(hi, quantum)};
}

}  // namespace

std::optional<ShownLimits> ShownAxisLimits(const GraphPage& page) {
  const PageLayout& l = page.layout;
  const GraphProperties& p = page.properties;
  if (l.frequency.scale == 0.0 || l.gain.scale == 0.0 || l.right.scale == 0.0) return std::nullopt;
  ShownLimits s;
  // The frequency axis runs from the frame's left edge plus its first margin
  // to the right edge less its second; a vertical one from the bottom edge
  // less its second margin up to the top edge plus its first.
  s.frequency = Ends(l.frequency, l.frame.left + p.HB.margin1, l.frame.right - p.HB.margin2);
  s.gain = Ends(l.gain, l.frame.bottom - p.VL.margin2, l.frame.top + p.VL.margin1);
  if (p.rightAxis == kRightPhase) {
    s.phase = Ends(l.right, l.frame.bottom - p.VR.margin2, l.frame.top + p.VR.margin1);
  }
  return s;
}

}  // namespace fernplot
