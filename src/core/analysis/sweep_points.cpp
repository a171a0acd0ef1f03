// SPDX-License-Identifier: MIT
#include "analysis/sweep_points.h"

#include <algorithm>
#include <cmath>

namespace fernplot {

namespace {

bool ByFrequency(const UsablePoint& a, const UsablePoint& b) {
  return a.frequency < b.frequency;
}

CurveReading ReadingOf(const UsablePoint& p) {
  return {p.frequency, p.gain, p.unwrapped, WrapDegrees(p.unwrapped)};
}

}  // namespace

double WrapDegrees(double degrees) {
  if (degrees > -180.0 && degrees <= 180.0) return degrees;
  // fmod is exact, and so are the corrections: the remainder lies within a
  // factor of two of 360 whenever one is needed.
  double r = std::fmod(degrees, 360.0);
  if (r > 180.0) {
    r -= 360.0;
  } else if (r <= -180.0) {
    r += 360.0;
  }
  return r;
}

std::vector<SweepPoint> RatioPoints(const MeasurementData& data, ChannelRatio ratio) {
  std::vector<SweepPoint> out;
  if (!data.points) return out;
  const bool ch1ch2 = ratio == ChannelRatio::kCh1Ch2;
  out.reserve(data.points->size());
  for (const DataPoint& p : *data.points) {
    out.push_back({p.frequency, ch1ch2 ? p.gainCh1Ch2 : p.gainCh2Ch1,
                   ch1ch2 ? p.phaseCh1Ch2 : p.phaseCh2Ch1});
  }
  return out;
}

std::vector<UsablePoint> UsablePoints(std::span<const SweepPoint> arrayOrder) {
  std::vector<UsablePoint> out;
  out.reserve(arrayOrder.size());
  // Walking the record backwards visits the points in file order, which a
  // stable sort then keeps among equal frequencies.
  for (auto it = arrayOrder.rbegin(); it != arrayOrder.rend(); ++it) {
    if (std::isfinite(it->frequency) && it->frequency > 0.0 && std::isfinite(it->gain) &&
        std::isfinite(it->phase)) {
      out.push_back({it->frequency, it->gain, it->phase, 0.0});
    }
  }
  if (!std::is_sorted(out.begin(), out.end(), ByFrequency)) {
    // A downward sweep comes out strictly descending: reversing it is the
    // stable sort, without the sort's cost.
    const bool strictlyDescending =
        std::adjacent_find(out.begin(), out.end(), [](const UsablePoint& a, const UsablePoint& b) {
          return !(a.frequency > b.frequency);
        }) == out.end();
    if (strictlyDescending) {
      std::reverse(out.begin(), out.end());
    } else {
      std::stable_sort(out.begin(), out.end(), ByFrequency);
    }
  }
  for (size_t k = 0; k < out.size(); ++k) {
    out[k].unwrapped = k == 0 ? WrapDegrees(out[k].phase)
                              : out[k - 1].unwrapped + WrapDegrees(out[k].phase - out[k - 1].phase);
  }
  return out;
}

std::optional<CurveReading> InterpolateAt(std::span<const UsablePoint> points, double frequency) {
  if (points.empty() || !(frequency >= points.front().frequency) ||
      !(frequency <= points.back().frequency)) {
    return std::nullopt;
  }
  // The last point at or below `frequency`; the one after it lies above.
  const auto above =
      std::upper_bound(points.begin(), points.end(), frequency,
                       [](double f, const UsablePoint& p) { return f < p.frequency; });
  size_t k = static_cast<size_t>(above - points.begin()) - 1;
  double la = std::log10(points[k].frequency);
  // Two frequencies that differ in their last bits can share a logarithm:
  // on the axis they are one point, and the later one stands for both (as
  // for equal frequencies), instead of a division by a zero step.
  double lb = la;
  while (k + 1 < points.size() && (lb = std::log10(points[k + 1].frequency)) == la) ++k;
  if (k + 1 == points.size()) {
    CurveReading r = ReadingOf(points[k]);
    r.frequency = frequency;
    return r;
  }
  const UsablePoint& a = points[k];
  const UsablePoint& b = points[k + 1];
  const double t = (std::log10(frequency) - la) / (lb - la);
  const double u = a.unwrapped + t * (b.unwrapped - a.unwrapped);
  return CurveReading{frequency, a.gain + t * (b.gain - a.gain), u, WrapDegrees(u)};
}

std::optional<size_t> NearestPointIndex(std::span<const UsablePoint> points, double frequency) {
  if (points.empty() || !(frequency > 0.0) || std::isnan(frequency)) return std::nullopt;
  const auto above =
      std::upper_bound(points.begin(), points.end(), frequency,
                       [](double f, const UsablePoint& p) { return f < p.frequency; });
  double nearest;
  if (above == points.begin()) {
    nearest = points.front().frequency;
  } else if (above == points.end()) {
    nearest = points.back().frequency;
  } else {
    const double lf = std::log10(frequency);
    const double below = std::prev(above)->frequency;
    nearest =
        lf - std::log10(below) <= std::log10(above->frequency) - lf ? below : above->frequency;
  }
  // The first of the points sharing that frequency.
  const auto first =
      std::lower_bound(points.begin(), points.end(), nearest,
                       [](const UsablePoint& p, double f) { return p.frequency < f; });
  return static_cast<size_t>(first - points.begin());
}

bool UsableAperture(const DelayAperture& a) {
  if (a.unit == ApertureUnit::kOctave) {
    return std::isfinite(a.width) && a.width > 0.0 && a.width <= kMaxApertureOctaves;
  }
  return a.unit == ApertureUnit::kPoints && a.width >= 1.0 && a.width <= kMaxAperturePoints &&
         a.width == std::floor(a.width);
}

std::vector<DelayPoint> GroupDelay(std::span<const UsablePoint> points,
                                   const DelayAperture& aperture) {
  std::vector<DelayPoint> out;
  if (points.size() < 2) return out;
  const DelayAperture use = UsableAperture(aperture) ? aperture : DelayAperture{};
  const bool octave = use.unit == ApertureUnit::kOctave;
  const size_t step = octave ? 1 : static_cast<size_t>(use.width);
  const double ratio = octave ? std::exp2(use.width) : 1.0;
  out.reserve(points.size() - 1);
  size_t j = 0;  // the far end of the step, moving up with k
  for (size_t k = 0; k + 1 < points.size(); ++k) {
    if (octave) {
      j = std::max(j, k + 1);
      while (j < points.size() && points[j].frequency < points[k].frequency * ratio) ++j;
    } else {
      j = k + step;
    }
    if (j >= points.size()) break;
    const UsablePoint& a = points[k];
    const UsablePoint& b = points[j];
    if (!(b.frequency > a.frequency)) continue;
    const double delay = -(b.unwrapped - a.unwrapped) / (360.0 * (b.frequency - a.frequency));
    double at = std::sqrt(a.frequency * b.frequency);
    // The product leaves the double range only at the extremes of it.
    if (!std::isfinite(at) || at < a.frequency)
      at = std::sqrt(a.frequency) * std::sqrt(b.frequency);
    if (std::isfinite(delay)) out.push_back({at, delay});
  }
  return out;
}

}  // namespace fernplot
