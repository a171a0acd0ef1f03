// SPDX-License-Identifier: MIT
#include "analysis/sweep_figures.h"

#include <algorithm>
#include <cmath>

#include "analysis/fit/resonance_fit.h"
#include "analysis/loop.h"

namespace fernplot {

namespace {

// A crossing between points a and b of a quantity going from qa to qb; the
// other quantity goes from oa to ob.
struct Crossed {
  double frequency;
  double other;
  bool rising;
};

bool Crosses(double qa, double qb, double level) {
  return (qa > level) != (qb > level);
}

Crossed Cross(const UsablePoint& a, const UsablePoint& b, double qa, double qb, double oa,
              double ob, double level) {
  const double t = (level - qa) / (qb - qa);
  const double la = std::log10(a.frequency);
  const double lf = la + t * (std::log10(b.frequency) - la);
  return {std::pow(10.0, lf), oa + t * (ob - oa), qb > level};
}

Crossed CrossGain(const UsablePoint& a, const UsablePoint& b, double level) {
  return Cross(a, b, a.gain, b.gain, a.unwrapped, b.unwrapped, level);
}

// Calls visit(level) for each level offset + 360 n that the unwrapped phase
// crosses between a and b, in the order the phase meets them.
template <typename Visit>
void ForEachPhaseLevel(double ua, double ub, double offset, Visit visit) {
  const double lo = std::min(ua, ub);
  const double hi = std::max(ua, ub);
  // A level L is crossed when lo <= L < hi. The rounded quotient may land a
  // step off next to a level, so the first level at or above lo is settled by
  // testing.
  double n = std::ceil((lo - offset) * (1.0 / 360.0));
  while (offset + 360.0 * n < lo) n += 1.0;
  while (offset + 360.0 * (n - 1.0) >= lo) n -= 1.0;
  double last = n;
  while (offset + 360.0 * (last + 1.0) < hi) last += 1.0;
  if (!(offset + 360.0 * n < hi)) return;
  if (ub > ua) {
    for (double i = n; i <= last; i += 1.0) visit(offset + 360.0 * i);
  } else {
    for (double i = last; i >= n; i -= 1.0) visit(offset + 360.0 * i);
  }
}

std::optional<Resonance> FindResonance(std::span<const UsablePoint> points, size_t peak) {
  if (peak == 0 || peak + 1 >= points.size()) return std::nullopt;
  const double fp = points[peak].frequency;
  const double level = points[peak].gain - 3.0;
  std::optional<double> lower, upper;
  for (const LevelCrossing& c : GainCrossings(points, level)) {
    if (c.frequency < fp) {
      lower = c.frequency;  // crossings ascend: the last one below wins
    } else if (c.frequency > fp && !upper) {
      upper = c.frequency;
    }
  }
  if (!lower || !upper) return std::nullopt;
  Resonance r{fp, points[peak].gain, *lower, *upper, fp / (*upper - *lower)};
  for (const UsablePoint& p : points) {
    if (p.frequency >= *lower && p.frequency <= *upper) ++r.bandPoints;
  }
  if (const std::optional<FittedResonance> fitted = FitResonance(points, peak)) {
    r.fittedFrequency = fitted->frequency;
    r.fittedQ = fitted->q;
  }
  return r;
}

}  // namespace

int MarginReferenceDegrees(MarginReference reference) {
  return reference == MarginReference::kZero ? 0 : -180;
}

std::vector<LevelCrossing> GainCrossings(std::span<const UsablePoint> points, double level) {
  std::vector<LevelCrossing> out;
  for (size_t k = 0; k + 1 < points.size(); ++k) {
    if (!Crosses(points[k].gain, points[k + 1].gain, level)) continue;
    const Crossed c = CrossGain(points[k], points[k + 1], level);
    out.push_back(
        {c.frequency, c.rising ? CrossingDirection::kRising : CrossingDirection::kFalling});
  }
  return out;
}

GainFigures ComputeGainFigures(std::span<const UsablePoint> points) {
  GainFigures out;
  if (points.empty()) return out;
  out.lowFrequencyGain = FrequencyGain{points.front().frequency, points.front().gain};
  size_t peak = 0;
  for (size_t k = 1; k < points.size(); ++k) {
    if (points[k].gain > points[peak].gain) peak = k;
  }
  out.peak = FrequencyGain{points[peak].frequency, points[peak].gain};
  out.minus3dB = GainCrossings(points, points.front().gain - 3.0);
  return out;
}

SweepFigures ComputeFigures(std::span<const UsablePoint> points, MarginReference reference) {
  SweepFigures fig;
  fig.points = points.size();
  fig.reference = reference;
  if (points.empty()) return fig;

  GainFigures gain = ComputeGainFigures(points);
  fig.lowFrequencyGain = gain.lowFrequencyGain;
  fig.peak = gain.peak;
  fig.minus3dB = std::move(gain.minus3dB);
  // The first point of the peak's gain, as ComputeGainFigures chose it.
  size_t peak = 0;
  while (points[peak].gain != fig.peak->gain) ++peak;
  fig.resonance = FindResonance(points, peak);

  const bool fromZero = reference == MarginReference::kZero;
  const double levelOffset = fromZero ? 0.0 : 180.0;
  for (size_t k = 0; k + 1 < points.size(); ++k) {
    const UsablePoint& a = points[k];
    const UsablePoint& b = points[k + 1];
    if (Crosses(a.gain, b.gain, 0.0)) {
      const Crossed c = CrossGain(a, b, 0.0);
      const double margin = WrapDegrees(fromZero ? c.other : c.other + 180.0);
      fig.gainCrossovers.push_back({c.frequency, WrapDegrees(c.other), margin});
      if (!fig.phaseMargin || margin < *fig.phaseMargin) {
        fig.phaseMargin = margin;
        fig.phaseMarginCrossover = fig.gainCrossovers.size() - 1;
      }
    }
    ForEachPhaseLevel(a.unwrapped, b.unwrapped, levelOffset, [&](double level) {
      const Crossed c = Cross(a, b, a.unwrapped, b.unwrapped, a.gain, b.gain, level);
      fig.phaseCrossovers.push_back({c.frequency, c.other, -c.other});
      if (!fig.gainMargin || -c.other < *fig.gainMargin) {
        fig.gainMargin = -c.other;
        fig.gainMarginCrossover = fig.phaseCrossovers.size() - 1;
      }
    });
  }
  AddLoopFigures(points, fig);
  return fig;
}

}  // namespace fernplot
