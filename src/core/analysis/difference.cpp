// SPDX-License-Identifier: MIT
#include "analysis/difference.h"

#include <cmath>

namespace fernplot {

std::vector<SweepPoint> DifferencePoints(std::span<const SweepPoint> trace,
                                         std::span<const UsablePoint> reference) {
  std::vector<SweepPoint> out;
  out.reserve(trace.size());
  for (const SweepPoint& p : trace) {
    if (!std::isfinite(p.frequency)) continue;
    const std::optional<CurveReading> r = InterpolateAt(reference, p.frequency);
    if (!r) continue;
    const double dPhase = p.phase - r->unwrapped;
    out.push_back(SweepPoint{p.frequency, p.gain - r->gain,
                             std::isfinite(dPhase) ? WrapDegrees(dPhase) : dPhase});
  }
  return out;
}

}  // namespace fernplot
