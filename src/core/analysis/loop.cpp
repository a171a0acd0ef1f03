// SPDX-License-Identifier: MIT
#include "analysis/loop.h"

#include <algorithm>
#include <cmath>
#include <limits>
#include <numbers>

#include "analysis/golden_section.h"

namespace fernplot {

namespace {

constexpr double kNan = std::numeric_limits<double>::quiet_NaN();
constexpr double kRadiansPerDegree = std::numbers::pi / 180.0;
constexpr double kDegreesPerRadian = 180.0 / std::numbers::pi;

// |L| of a gain in dB; exp is the cheaper way to 10^(gain / 20).
double Magnitude(double gainDb) {
  constexpr double kLn10Over20 = std::numbers::ln10 / 20.0;
  return std::exp(gainDb * kLn10Over20);
}

// 1 + cos, for an angle in degrees; brought into [-180, 180] first so that
// the critical phase gives exactly 0. The reduction is exact: 360 n is, and
// the angle and 360 n are within a factor of two of each other whenever n
// is not 0. (Cheaper than the fmod of WrapDegrees, on every point.)
double OnePlusCos(double degrees) {
  const double reduced = degrees - 360.0 * std::rint(degrees * (1.0 / 360.0));
  return 1.0 + std::cos(reduced * kRadiansPerDegree);
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
  const double n = std::ceil((lo - 180.0) * (1.0 / 360.0));
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
  const double lo = static_cast<double>(std::max(bestStep - 1, 0)) / steps;
  const double hi = static_cast<double>(std::min(bestStep + 1, steps)) / steps;
  // No step limit: the bracket halves about every 1.44 steps.
  const BracketMinimum m = GoldenSectionMinimum(h, lo, hi, 1e-13, 1 << 30);
  if (m.value < best.value) best = {m.x, m.value};
  return best;
}

double FrequencyAt(const UsablePoint& a, const UsablePoint& b, double t) {
  if (t <= 0.0) return a.frequency;
  if (t >= 1.0) return b.frequency;
  const double la = std::log10(a.frequency);
  return std::pow(10.0, la + t * (std::log10(b.frequency) - la));
}

// What one walk along the points finds: the modulus margin and T's gain
// figures.
struct LoopPass {
  std::optional<ModulusMargin> modulusMargin;
  GainFigures closedLoop;
};

// T at one point, kept so that its gain in dB is computed only where a
// figure needs it: |T|^2 = r^2 / h (h = |1 + L|^2), or 1 / d with
// d = (1 - 1/r)^2 + 2 (1/r)(1 + cos) when |L| > 1, which cannot overflow.
// Comparing |T|^2 orders the points as their gains in dB do.
struct ClosedPoint {
  double frequency = 0.0;
  double squared = 0.0;  // |T|^2
  double gain = 0.0;     // of L, dB
  double h = 0.0;
  double d = 0.0;
  bool high = false;  // |L| > 1: from d
};

double ClosedGainDb(const ClosedPoint& t) {
  // The natural logarithm is the faster way to log10 here.
  constexpr double kDbPerNeper = 10.0 / std::numbers::ln10;
  return t.high ? -kDbPerNeper * std::log(t.d) : t.gain - kDbPerNeper * std::log(t.h);
}

// Each point's |1 + L| and |T| are computed once. Segments that might
// dip below the smallest |1 + L| seen so far are kept as candidates; once
// every point is known, only those still below the smallest point are
// searched. T's figures follow the rules of ComputeGainFigures over the
// points that have a T.
LoopPass RunLoopPass(std::span<const UsablePoint> points) {
  LoopPass out;
  if (points.empty()) return out;
  struct Candidate {
    size_t k;  // the segment from point k to k + 1
    double bound;
    double ha, hb;
  };
  std::vector<Candidate> candidates;
  double best = std::numeric_limits<double>::infinity();
  size_t bestPoint = 0;
  double previousR = 0.0, previousC = 0.0, previousH = 0.0;

  GainFigures& closed = out.closedLoop;
  bool haveClosed = false;
  ClosedPoint lowClosed, peakClosed, previousClosed;
  double lowDb = 0.0, level = 0.0, levelSquared = 0.0;
  for (size_t k = 0; k < points.size(); ++k) {
    const UsablePoint& p = points[k];
    const double r = Magnitude(p.gain);
    const double c = OnePlusCos(p.unwrapped);
    const double h = (r - 1.0) * (r - 1.0) + 2.0 * r * c;
    if (h < best) {
      best = h;
      bestPoint = k;
    }
    // Two points of one frequency are a jump, with no curve between them.
    if (k > 0 && p.frequency > points[k - 1].frequency) {
      const double bound =
          SegmentLowerBound(previousR, r, points[k - 1].unwrapped, p.unwrapped, previousC, c);
      if (bound < best) candidates.push_back({k - 1, bound, previousH, h});
    }
    previousR = r;
    previousC = c;
    previousH = h;

    // T: none where 1 + L = 0.
    if (h == 0.0) continue;
    ClosedPoint t{p.frequency, 0.0, p.gain, h, 0.0, r > 1.0};
    if (t.high) {
      const double rho = 1.0 / r;
      t.d = (1.0 - rho) * (1.0 - rho) + 2.0 * rho * c;
      t.squared = 1.0 / t.d;
    } else {
      t.squared = r * r / h;
    }
    if (!haveClosed) {
      haveClosed = true;
      lowClosed = peakClosed = t;
      lowDb = ClosedGainDb(t);
      level = lowDb - 3.0;
      levelSquared = std::exp(level * (std::numbers::ln10 / 10.0));
    } else {
      if (t.squared > peakClosed.squared) peakClosed = t;
      if ((previousClosed.squared > levelSquared) != (t.squared > levelSquared)) {
        const double ga = ClosedGainDb(previousClosed), gb = ClosedGainDb(t);
        const double along = std::clamp((level - ga) / (gb - ga), 0.0, 1.0);
        const double la = std::log10(previousClosed.frequency);
        const double lf = la + along * (std::log10(t.frequency) - la);
        closed.minus3dB.push_back({std::pow(10.0, lf), t.squared > levelSquared
                                                           ? CrossingDirection::kRising
                                                           : CrossingDirection::kFalling});
      }
    }
    previousClosed = t;
  }
  if (haveClosed) {
    closed.lowFrequencyGain = FrequencyGain{lowClosed.frequency, lowDb};
    closed.peak = FrequencyGain{peakClosed.frequency, ClosedGainDb(peakClosed)};
  }

  double bestFrequency = points[bestPoint].frequency;
  for (const Candidate& s : candidates) {
    if (!(s.bound < best)) continue;
    const UsablePoint& a = points[s.k];
    const UsablePoint& b = points[s.k + 1];
    const SegmentMinimum m = SegmentMinimumOf(a, b, s.ha, s.hb);
    const double f = FrequencyAt(a, b, m.t);
    if (m.value < best || (m.value == best && f < bestFrequency)) {
      best = m.value;
      bestFrequency = f;
    }
  }
  if (!std::isfinite(best)) {
    // |L| so large (1e154 and more) that |1 + L|^2 overflows at every
    // point: |1 + L| itself still has a value. Between two such points it
    // is within 1 of |L|, which is smallest at one end: the points decide.
    double least = std::numeric_limits<double>::infinity();
    for (const UsablePoint& p : points) {
      const double r = Magnitude(p.gain);
      const double m = std::hypot(r - 1.0, std::sqrt(2.0 * r * OnePlusCos(p.unwrapped)));
      if (m < least) {
        least = m;
        bestFrequency = p.frequency;
      }
    }
    if (std::isfinite(least)) out.modulusMargin = ModulusMargin{bestFrequency, least};
    return out;
  }
  out.modulusMargin = ModulusMargin{bestFrequency, std::sqrt(best)};
  return out;
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
  return RunLoopPass(points).modulusMargin;
}

std::vector<DelayMargin> DelayMargins(std::span<const GainCrossover> crossovers) {
  std::vector<DelayMargin> out;
  for (const GainCrossover& c : crossovers) {
    if (c.phaseMargin > 0.0) out.push_back({c.frequency, c.phaseMargin / (360.0 * c.frequency)});
  }
  return out;
}

GainFigures ClosedLoopFigures(std::span<const UsablePoint> points) {
  return RunLoopPass(points).closedLoop;
}

void AddLoopFigures(std::span<const UsablePoint> points, SweepFigures& fig) {
  LoopPass pass = RunLoopPass(points);
  fig.modulusMargin = pass.modulusMargin;
  fig.delayMargins = DelayMargins(fig.gainCrossovers);
  for (size_t k = 0; k < fig.delayMargins.size(); ++k) {
    if (!fig.delayMargin || fig.delayMargins[k].seconds < *fig.delayMargin) {
      fig.delayMargin = fig.delayMargins[k].seconds;
      fig.delayMarginIndex = k;
    }
  }
  fig.closedLoop = std::move(pass.closedLoop);
}

}  // namespace fernplot
