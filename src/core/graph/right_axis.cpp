// SPDX-License-Identifier: MIT
#include "graph/right_axis.h"

#include <cmath>
#include <limits>

#include "analysis/sweep_points.h"
#include "graph/axis_math.h"
#include "graph/bode_stages.h"
#include "graph/format.h"
#include "graph/overlays.h"
#include "text/number_text.h"

namespace fernplot {

std::string_view RightAxisQuantityName(int32_t rightAxis) {
  switch (rightAxis) {
    case kRightUnwrappedPhase:
      return "unwrappedPhase";
    case kRightGroupDelay:
      return "groupDelay";
    default:
      return "phase";
  }
}

std::vector<RangePoint> RightAxisCurve(const std::vector<RangePoint>& points, int32_t rightAxis,
                                       const DelayAperture& aperture) {
  std::vector<RangePoint> out;
  if (rightAxis != kRightUnwrappedPhase && rightAxis != kRightGroupDelay) return out;
  std::vector<SweepPoint> sweep;
  sweep.reserve(points.size());
  for (const RangePoint& p : points) sweep.push_back({p.frequency, p.gain, p.phase});
  const std::vector<UsablePoint> usable = UsablePoints(sweep);
  if (rightAxis == kRightUnwrappedPhase) {
    out.reserve(usable.size());
    for (const UsablePoint& p : usable) out.push_back({p.frequency, p.gain, p.unwrapped});
    return out;
  }
  const std::vector<DelayPoint> delays = GroupDelay(usable, aperture);
  out.reserve(delays.size());
  const double noGain = std::numeric_limits<double>::quiet_NaN();
  for (const DelayPoint& d : delays) out.push_back({d.frequency, noGain, d.delay});
  return out;
}

std::vector<std::vector<RangePoint>> RightAxisCurves(const std::vector<RangePoint>& pagePoints,
                                                     const std::vector<TraceCurve>& traces,
                                                     int32_t mode, const DelayAperture& aperture) {
  std::vector<std::vector<RangePoint>> curves;
  if (mode != kRightUnwrappedPhase && mode != kRightGroupDelay) return curves;
  curves.push_back(RightAxisCurve(pagePoints, mode, aperture));
  for (size_t i = 1; i < traces.size(); ++i)
    curves.push_back(RightAxisCurve(traces[i].points, mode, aperture));
  return curves;
}

void UseRightAxisExtremes(DataRange& range, const std::vector<std::vector<RangePoint>>& curves) {
  if (curves.empty()) return;
  DataRange own;
  for (const std::vector<RangePoint>& curve : curves) {
    for (const RangePoint& p : curve) AddExtremes(own, p.frequency, p.gain, p.phase);
  }
  range.hasPhase = own.hasPhase;
  range.minPhase = own.minPhase;
  range.maxPhase = own.maxPhase;
}

std::string FormatSiLabel(double value, double step) {
  if (!std::isfinite(value)) return FormatFixedPoint(value, 0);
  // Within a hundredth of a step of zero is the zero label of the axis.
  if (std::fabs(value) < std::fabs(step) * 0.01 || value == 0.0) return "0";
  static constexpr const char* kPrefixes[] = {"f", "p", "n", "u", "m", "", "k", "M", "G"};
  const int group = static_cast<int>(std::floor(std::log10(std::fabs(value)) / 3.0));
  // Past the prefixes the fixed form would run to hundreds of digits.
  if (group < -5 || group > 3) return FormatShortExponent(value);
  const double unit = std::pow(10.0, 3 * group);
  int decimals = 0;
  if (std::isfinite(step) && step > 0.0) {
    const double d = -std::floor(std::log10(step / unit) + 1e-9);
    decimals = d > 0.0 ? static_cast<int>(std::min(d, 12.0)) : 0;
  }
  std::string text = FormatFixedPoint(value / unit, decimals);
  if (text.find('.') != std::string::npos) {
    while (text.back() == '0') text.pop_back();
    if (text.back() == '.') text.pop_back();
  }
  return text + kPrefixes[group + 5];
}

namespace {

// v rounded to a multiple of step, up (or down for a negative step); within a
// millionth of a step of a multiple counts as that multiple.
double RoundOut(double v, double step) {
  const double q = std::floor(v / step) * step;
  return std::fabs(v - q) > std::fabs(step) * 1e-6 ? q + step : q;
}

}  // namespace

DelayScale ScaleDelay(double dataMin, double dataMax, double slots) {
  double hi = dataMax, lo = dataMin;
  if (!std::isfinite(hi) || !std::isfinite(lo) || hi < lo) hi = lo = 0.0;
  const double size = std::max(std::fabs(hi), std::fabs(lo));
  if (hi - lo <= size * 1e-9) {
    // A constant delay (a pure delay line) or no delay at all.
    const double spread = size > 0.0 ? size * 0.1 : 1e-9;
    hi += spread;
    lo -= spread;
  }
  DelayScale s;
  s.step = StepForSlots(hi, lo, slots);
  if (!std::isfinite(s.step) || s.step <= 0.0) s.step = hi - lo;
  s.hi = RoundOut(hi, s.step);
  s.lo = RoundOut(lo, -s.step);
  return s;
}

}  // namespace fernplot
