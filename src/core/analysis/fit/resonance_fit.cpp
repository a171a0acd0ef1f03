// SPDX-License-Identifier: MIT
#include "analysis/fit/resonance_fit.h"

#include <algorithm>

#include "analysis/fit/vector_fit.h"

namespace fernplot {

std::optional<FittedResonance> FitResonance(std::span<const UsablePoint> points, size_t peak) {
  if (peak >= points.size()) return std::nullopt;
  constexpr double kDepth = 12.0;  // dB under the peak
  constexpr size_t kSide = 3;      // points at least, either side
  const double level = points[peak].gain - kDepth;
  size_t first = peak;
  while (first > 0 && (points[first - 1].gain >= level || peak - first < kSide)) --first;
  size_t last = peak;
  while (last + 1 < points.size() && (points[last + 1].gain >= level || last - peak < kSide)) {
    ++last;
  }
  const FitResult fit = FitSweep(points.subspan(first, last - first + 1), {.order = 2});
  if (!fit.model) return std::nullopt;
  for (const FitSection& s : fit.model->sections) {
    if (s.kind == SectionKind::kPolePair) return FittedResonance{s.frequency, s.q};
  }
  return std::nullopt;
}

}  // namespace fernplot
