// SPDX-License-Identifier: MIT
#include "analysis/difference.h"

#include <algorithm>
#include <cmath>

namespace fernplot {

std::vector<SweepPoint> DifferencePoints(std::span<const SweepPoint> trace,
                                         std::span<const UsablePoint> reference) {
  std::vector<SweepPoint> out;
  out.reserve(trace.size());
  if (reference.empty()) return out;
  // What InterpolateAt reads, worked out once: the logarithms of the
  // reference's frequencies, and the bracketing point found by stepping on
  // from the last one (a sweep moves through the reference in order); the
  // arithmetic is InterpolateAt's, so the values are the same to the bit.
  std::vector<double> logs(reference.size());
  for (size_t k = 0; k < reference.size(); ++k) logs[k] = std::log10(reference[k].frequency);
  const size_t n = reference.size();
  size_t k = 0;
  // The last point at or below f (equal frequencies: the last of them).
  const auto bracket = [&](double f) {
    const auto fits = [&](size_t i) {
      return reference[i].frequency <= f && (i + 1 == n || reference[i + 1].frequency > f);
    };
    if (fits(k)) return k;
    if (k + 1 < n && fits(k + 1)) return k + 1;
    if (k > 0 && fits(k - 1)) return k - 1;
    const auto above =
        std::upper_bound(reference.begin(), reference.end(), f,
                         [](double v, const UsablePoint& p) { return v < p.frequency; });
    return static_cast<size_t>(above - reference.begin()) - 1;
  };
  for (const SweepPoint& p : trace) {
    const double f = p.frequency;
    if (!std::isfinite(f)) continue;
    if (!(f >= reference.front().frequency) || !(f <= reference.back().frequency)) continue;
    k = bracket(f);
    double gain, unwrapped;
    if (k + 1 == n) {
      gain = reference[k].gain;
      unwrapped = reference[k].unwrapped;
    } else {
      const UsablePoint& a = reference[k];
      const UsablePoint& b = reference[k + 1];
      const double la = logs[k];
      const double t = (std::log10(f) - la) / (logs[k + 1] - la);
      unwrapped = a.unwrapped + t * (b.unwrapped - a.unwrapped);
      gain = a.gain + t * (b.gain - a.gain);
    }
    const double dPhase = p.phase - unwrapped;
    out.push_back(
        SweepPoint{f, p.gain - gain, std::isfinite(dPhase) ? WrapDegrees(dPhase) : dPhase});
  }
  return out;
}

bool DifferenceHasOverlap(std::span<const SweepPoint> trace,
                          std::span<const UsablePoint> reference) {
  if (reference.empty()) return false;
  const double low = reference.front().frequency;
  const double high = reference.back().frequency;
  return std::any_of(trace.begin(), trace.end(), [&](const SweepPoint& p) {
    return std::isfinite(p.frequency) && p.frequency >= low && p.frequency <= high;
  });
}

}  // namespace fernplot
