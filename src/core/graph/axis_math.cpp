// SPDX-License-Identifier: MIT
#include "graph/axis_math.h"

#include <algorithm>
#include <cmath>

#include "graph/format.h"

namespace fernplot {

namespace {
// Bounds every tick walk: a degenerate range must not spin forever.
constexpr size_t kMaxTicks = 4096;

// Below this the fixed nudge that keeps a value just under a power of ten
// on the right side of it is larger than the value itself: there the nudge
// is relative instead, so that sweeps of the tiniest frequencies keep their
// ticks.
constexpr double kRelativeNudgeBelow = 1e-6;
double Nudged(double v) {
  return v >= kRelativeNudgeBelow ? v + kDoubleEpsilon : v * (1.0 + kDoubleEpsilon);
}
}  // namespace

double NiceStep(double s) {
  const double p = std::pow(10.0, std::floor(std::log10(std::fabs(s))));
  const double r = s / p;
  if (r <= 1.0) return p;
  if (r <= 2.0) return 2.0 * p;
  if (r <= 5.0) return 5.0 * p;
  return 10.0 * p;
}

double PhaseStep(double max, double min, double span, bool tight, double labelHeightMm) {
  const double factor = tight ? kLabelSpacingTight : kLabelSpacingNormal;
  const double n = std::floor(span / (labelHeightMm * factor));
  const double r = (max - min) / n;
  static constexpr double kSteps[] = {180, 90, 45, 30, 20, 15, 10, 5, 3, 2, 1};
  for (double step : kSteps) {
    if (step <= r) return step;
  }
  return NiceStep(r);
}

double RoundToStep(double v, double step) {
  const double q = std::floor(v / step) * step;
  return CompareNear(q, v) != 0 ? q + step : q;
}

bool LeadingDigitIn(double v, std::string_view digits) {
  const double t = Nudged(v);
  const double d = std::trunc(t / std::pow(10.0, std::floor(std::log10(t))));
  if (!(d >= 0.0 && d <= 9.0)) return false;
  return digits.find(static_cast<char>('0' + static_cast<int>(d))) != std::string_view::npos;
}

double NextLogTick(double x) {
  return x + std::pow(10.0, std::floor(std::log10(Nudged(x))));
}

AxisLimits AxisRange(const AxisSettings& axis, double dataMin, double dataMax, bool frequency) {
  AxisLimits limits;
  limits.hi = axis.useDataMax ? dataMax : axis.rangeMax;
  limits.lo = axis.useDataMin ? dataMin : axis.rangeMin;
  if (frequency) {
    if (limits.hi <= 0.0) limits.hi = kDefaultUpperFrequency;
    if (limits.lo <= 0.0) limits.lo = kDefaultLowerFrequency;
  }
  if (std::fabs(limits.hi - limits.lo) < kEqualLimitThreshold) {
    if (frequency && limits.lo - kEqualLimitSpread <= 0.0) {
      // Frequencies this small are not equal because they are close: the
      // spread would leave a log axis nothing to map. Equal ones get a
      // decade on either side.
      if (!(limits.hi > limits.lo)) {
        limits.hi = limits.lo * 10.0;
        limits.lo /= 10.0;
      }
    } else {
      limits.hi += kEqualLimitSpread;
      limits.lo -= kEqualLimitSpread;
    }
  }
  return limits;
}

AxisLimits FlatDataLimits(const AxisSettings& axis, double dataMin, double dataMax) {
  AxisLimits limits{dataMax, dataMin};
  if (!axis.useDataMin || !axis.useDataMax || !std::isfinite(dataMin) || !std::isfinite(dataMax) ||
      std::fabs(dataMax - dataMin) >= kEqualLimitThreshold) {
    return limits;
  }
  const double middle = dataMin / 2.0 + dataMax / 2.0;
  const double half = std::max(1.0, std::fabs(middle) * 1e-3);
  return {middle + half, middle - half};
}

bool UseLogScale(ScaleType scaleType, double hi, double lo) {
  if (scaleType == ScaleType::kLog) return true;
  if (scaleType == ScaleType::kLin) return false;
  return std::fabs(hi / lo) > kAutoDecadeRatio;
}

void PlanLogTicks(LogTickPlan& plan, const std::function<double(double)>& labelWidthMm) {
  const double e = std::pow(10.0, std::floor(std::log10(plan.lo)));
  // Near the smallest doubles the power of ten is 0 or lost its digits:
  // the limit then stays as it is.
  if (const double rounded = std::trunc(plan.lo / e + kDoubleEpsilon) * e;
      std::isfinite(rounded) && rounded > 0.0) {
    plan.lo = rounded;
  }
  plan.logLo = std::log10(plan.lo);
  const double decades = std::log10(plan.hi) - plan.logLo;
  plan.mmPerDecade = decades == 0.0 ? plan.span : plan.span / decades;
  const double walkEnd = plan.hi + plan.lo / 2.0;

  int chosen = 3;
  for (int k = 0; k < 3; ++k) {
    double lastEnd = -1.0;
    double x = plan.lo;
    for (size_t i = 0; x < walkEnd && i < kMaxTicks; ++i) {
      const double pos = (std::log10(x) - plan.logLo) * plan.mmPerDecade;
      if (LeadingDigitIn(x, kDigitSets[k]) || x == plan.lo) {
        if (pos <= lastEnd) break;  // labels of this set would collide
        lastEnd = pos + labelWidthMm(x) + kLogLabelGap;
      }
      x = NextLogTick(x);
    }
    // A collision found only beyond the upper limit does not count.
    if (!(x < plan.hi)) {
      chosen = k;
      break;
    }
  }
  plan.labelSet = chosen;
  plan.labelDigits = kDigitSets[chosen];
  plan.gridDigits = kDigitSets[chosen == 0 ? 0 : chosen - 1];
}

std::vector<double> LogTickValues(const LogTickPlan& plan) {
  std::vector<double> ticks;
  const double walkEnd = plan.hi + plan.lo / 2.0;
  for (double x = plan.lo; x < walkEnd && ticks.size() < kMaxTicks; x = NextLogTick(x)) {
    ticks.push_back(x);
  }
  return ticks;
}

double ManualStep(const AxisSettings& axis, double hi, double lo) {
  if (axis.autoDivision || !(axis.interval > 0.0)) return 0.0;
  double step = std::fabs(axis.interval);
  if (std::trunc((hi - lo) / step) > kManualTickCap) step = (hi - lo) * 0.02;
  return step;
}

bool IntervalTooLarge(double hi, double lo, double interval) {
  return (hi - lo) * 0.5 < interval;
}

double StepForSlots(double hi, double lo, double slots) {
  const double n = std::max(1.0, std::trunc(slots));
  return NiceStep((hi - lo) / n);
}

LinearScale ScaleLinear(double hi, double lo, double span, double step) {
  // A tiny axis or a range beyond double resolution can leave no usable
  // step; one step over the whole range keeps every coordinate finite.
  if (!std::isfinite(step) || step == 0.0) step = std::fabs(hi - lo);
  if (!std::isfinite(step) || step == 0.0) step = 1.0;
  LinearScale s;
  s.step = step;
  s.hi = RoundToStep(hi, step);
  s.lo = RoundToStep(lo, -step);
  s.scale = span / (s.hi - s.lo);
  if (!std::isfinite(s.scale)) s.scale = 0.0;
  return s;
}

std::vector<double> LinearTickValues(const LinearScale& scale) {
  std::vector<double> ticks;
  const double end = scale.hi + scale.step / 2.0;
  for (double v = scale.lo; v < end && ticks.size() < kMaxTicks; v += scale.step) {
    ticks.push_back(v);
    if (v + scale.step == v) break;  // step below the resolution of v
  }
  return ticks;
}

int StepDecimals(double step) {
  const double d = -std::floor(std::log10(step));
  if (!(d > 0.0)) return 0;
  return d > 20.0 ? 20 : static_cast<int>(d);
}

}  // namespace fernplot
