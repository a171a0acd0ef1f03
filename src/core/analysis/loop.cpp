// SPDX-License-Identifier: MIT
#include "analysis/loop.h"

#include <algorithm>
#include <cmath>
#include <limits>
#include <numbers>

namespace fernplot {

namespace {

constexpr double kNan = std::numeric_limits<double>::quiet_NaN();
constexpr double kRadiansPerDegree = std::numbers::pi / 180.0;
constexpr double kDegreesPerRadian = 180.0 / std::numbers::pi;

double Magnitude(double gainDb) {
  return std::pow(10.0, gainDb / 20.0);
}

// 1 + cos, for an angle in degrees; brought into (-180, 180] first so that
// the critical phase gives exactly 0.
double OnePlusCos(double degrees) {
  return 1.0 + std::cos(WrapDegrees(degrees) * kRadiansPerDegree);
}

// The sensitivity S = 1 / (1 + L) of one point, in dB and degrees (not
// wrapped). Computed from 1 / L when |L| > 1 so that a huge gain neither
// overflows nor loses the small difference between L and 1 + L.
LoopValue Sensitivity(double gain, double phase) {
  const double w = WrapDegrees(phase) * kRadiansPerDegree;
  const double c = std::cos(w), s = std::sin(w);
  if (gain > 0.0) {
    // S = (1 / L) T and T = 1 / (1 + rho e^(-i phase)), rho = 1 / |L|.
    const double rho = Magnitude(-gain);
    const double d = (rho - 1.0) * (rho - 1.0) + 2.0 * rho * (1.0 + c);
    if (d == 0.0) return {kNan, kNan};
    const double tPhase = std::atan2(rho * s, 1.0 + rho * c) * kDegreesPerRadian;
    return {-10.0 * std::log10(d) - gain, tPhase - phase};
  }
  const double r = Magnitude(gain);
  const double d = (r - 1.0) * (r - 1.0) + 2.0 * r * (1.0 + c);
  if (d == 0.0) return {kNan, kNan};
  return {-10.0 * std::log10(d), -std::atan2(r * s, 1.0 + r * c) * kDegreesPerRadian};
}

// The lowest value |1 + L|^2 can take on the segment from a to b, from the
// values at its ends: (r - 1)^2 and 1 + cos are each bounded on their own.
double SegmentLowerBound(double ra, double rb, double ua, double ub, double ca, double cb) {
  const double rLow = std::min(ra, rb), rHigh = std::max(ra, rb);
  double radial = 0.0;
  if (rLow > 1.0 || rHigh < 1.0) {
    radial = std::min((ra - 1.0) * (ra - 1.0), (rb - 1.0) * (rb - 1.0));
  }
  // 1 + cos has its zeros at the odd multiples of 180° and no other minimum.
  const double lo = std::min(ua, ub), hi = std::max(ua, ub);
  const double n = std::ceil((lo - 180.0) / 360.0);
  const bool meetsCritical = 180.0 + 360.0 * n <= hi || 180.0 + 360.0 * (n - 1.0) >= lo;
  const double angular = meetsCritical ? 0.0 : std::min(ca, cb);
  return radial + 2.0 * rLow * angular;
}

struct SegmentMinimum {
  double t;
  double value;  // |1 + L|^2
};

// The minimum of |1 + L|^2 on the segment a-b, as a fraction t of it.
// Samples at most 15° of phase apart find the lowest valley; golden-section
// search then closes in on its bottom far beyond the 1e-6 asked for.
SegmentMinimum SegmentMinimumOf(const UsablePoint& a, const UsablePoint& b, double ha, double hb) {
  const auto h = [&](double t) {
    const double g = a.gain + t * (b.gain - a.gain);
    const double u = a.unwrapped + t * (b.unwrapped - a.unwrapped);
    const double r = Magnitude(g);
    return (r - 1.0) * (r - 1.0) + 2.0 * r * OnePlusCos(u);
  };
  const double turn = std::abs(b.unwrapped - a.unwrapped);
  const int steps = static_cast<int>(std::clamp(std::ceil(turn / 15.0), 4.0, 1e6));
  SegmentMinimum best{0.0, ha};
  int bestStep = 0;
  for (int i = 1; i <= steps; ++i) {
    const double t = static_cast<double>(i) / steps;
    const double v = i == steps ? hb : h(t);
    if (v < best.value) {
      best = {t, v};
      bestStep = i;
    }
  }
  double lo = static_cast<double>(std::max(bestStep - 1, 0)) / steps;
  double hi = static_cast<double>(std::min(bestStep + 1, steps)) / steps;
  constexpr double kInvPhi = 0.6180339887498949;
  double x1 = hi - kInvPhi * (hi - lo), x2 = lo + kInvPhi * (hi - lo);
  double h1 = h(x1), h2 = h(x2);
  while (hi - lo > 1e-13) {
    if (h1 <= h2) {
      hi = x2;
      x2 = x1;
      h2 = h1;
      x1 = hi - kInvPhi * (hi - lo);
      h1 = h(x1);
    } else {
      lo = x1;
      x1 = x2;
      h1 = h2;
      x2 = lo + kInvPhi * (hi - lo);
      h2 = h(x2);
    }
  }
  if (h1 < best.value) best = {x1, h1};
  if (h2 < best.value) best = {x2, h2};
  return best;
}

double FrequencyAt(const UsablePoint& a, const UsablePoint& b, double t) {
  if (t <= 0.0) return a.frequency;
  if (t >= 1.0) return b.frequency;
  const double la = std::log10(a.frequency);
  return std::pow(10.0, la + t * (std::log10(b.frequency) - la));
}

}  // namespace

std::string_view LoopCurveCaptionPrefix(LoopCurve curve) {
  switch (curve) {
    case LoopCurve::kClosed:
      return "CLOSED LOOP ";
    case LoopCurve::kSensitivity:
      return "SENSITIVITY ";
    case LoopCurve::kOpen:
      break;
  }
  return {};
}

double OnePlusLSquared(double r, double degrees) {
  return (r - 1.0) * (r - 1.0) + 2.0 * r * OnePlusCos(degrees);
}

LoopValue LoopCurveValue(LoopCurve curve, double gain, double phase) {
  if (curve == LoopCurve::kOpen) return {gain, WrapDegrees(phase)};
  const LoopValue s = Sensitivity(gain, phase);
  if (std::isnan(s.gain) || std::isnan(s.phase)) return {kNan, kNan};
  if (curve == LoopCurve::kSensitivity) return {s.gain, WrapDegrees(s.phase)};
  return {s.gain + gain, WrapDegrees(s.phase + phase)};  // T = L S
}

std::vector<SweepPoint> LoopCurvePoints(LoopCurve curve, std::span<const SweepPoint> points) {
  std::vector<SweepPoint> out;
  out.reserve(points.size());
  for (const SweepPoint& p : points) {
    const LoopValue v = LoopCurveValue(curve, p.gain, p.phase);
    out.push_back({p.frequency, v.gain, v.phase});
  }
  return out;
}

void ApplyLoopCurve(LoopCurve curve, MeasurementData& data) {
  if (curve == LoopCurve::kOpen || !data.points) return;
  for (DataPoint& p : *data.points) {
    const LoopValue a = LoopCurveValue(curve, p.gainCh1Ch2, p.phaseCh1Ch2);
    const LoopValue b = LoopCurveValue(curve, p.gainCh2Ch1, p.phaseCh2Ch1);
    p.gainCh1Ch2 = static_cast<float>(a.gain);
    p.phaseCh1Ch2 = static_cast<float>(a.phase);
    p.gainCh2Ch1 = static_cast<float>(b.gain);
    p.phaseCh2Ch1 = static_cast<float>(b.phase);
  }
}

std::optional<ModulusMargin> FindModulusMargin(std::span<const UsablePoint> points) {
  if (points.empty()) return std::nullopt;
  std::vector<double> r(points.size()), c(points.size()), h(points.size());
  size_t bestPoint = 0;
  for (size_t k = 0; k < points.size(); ++k) {
    r[k] = Magnitude(points[k].gain);
    c[k] = OnePlusCos(points[k].unwrapped);
    h[k] = (r[k] - 1.0) * (r[k] - 1.0) + 2.0 * r[k] * c[k];
    if (h[k] < h[bestPoint]) bestPoint = k;
  }
  double best = h[bestPoint];
  double bestFrequency = points[bestPoint].frequency;
  for (size_t k = 0; k + 1 < points.size(); ++k) {
    const UsablePoint& a = points[k];
    const UsablePoint& b = points[k + 1];
    // Two points of one frequency are a jump, with no curve between them.
    if (!(b.frequency > a.frequency)) continue;
    if (!(SegmentLowerBound(r[k], r[k + 1], a.unwrapped, b.unwrapped, c[k], c[k + 1]) < best)) {
      continue;
    }
    const SegmentMinimum m = SegmentMinimumOf(a, b, h[k], h[k + 1]);
    const double f = FrequencyAt(a, b, m.t);
    if (m.value < best || (m.value == best && f < bestFrequency)) {
      best = m.value;
      bestFrequency = f;
    }
  }
  return ModulusMargin{bestFrequency, std::sqrt(best)};
}

std::vector<DelayMargin> DelayMargins(std::span<const GainCrossover> crossovers) {
  std::vector<DelayMargin> out;
  for (const GainCrossover& c : crossovers) {
    if (c.phaseMargin > 0.0) out.push_back({c.frequency, c.phaseMargin / (360.0 * c.frequency)});
  }
  return out;
}

GainFigures ClosedLoopFigures(std::span<const UsablePoint> points) {
  std::vector<UsablePoint> closed;
  closed.reserve(points.size());
  for (const UsablePoint& p : points) {
    const LoopValue t = LoopCurveValue(LoopCurve::kClosed, p.gain, p.phase);
    if (std::isfinite(t.gain)) closed.push_back({p.frequency, t.gain, t.phase, t.phase});
  }
  return ComputeGainFigures(closed);
}

void AddLoopFigures(std::span<const UsablePoint> points, SweepFigures& fig) {
  fig.modulusMargin = FindModulusMargin(points);
  fig.delayMargins = DelayMargins(fig.gainCrossovers);
  for (size_t k = 0; k < fig.delayMargins.size(); ++k) {
    if (!fig.delayMargin || fig.delayMargins[k].seconds < *fig.delayMargin) {
      fig.delayMargin = fig.delayMargins[k].seconds;
      fig.delayMarginIndex = k;
    }
  }
  fig.closedLoop = ClosedLoopFigures(points);
}

}  // namespace fernplot
