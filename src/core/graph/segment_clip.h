// SPDX-License-Identifier: MIT
#pragma once
// Where a straight segment runs inside an upright rectangle (Liang-Barsky).

#include <algorithm>
#include <optional>
#include <utility>

namespace fernplot {

// The part [t0, t1] of the segment a + t·(b − a), 0 <= t <= 1, inside the
// rectangle; nothing when the segment misses it.
inline std::optional<std::pair<double, double>> ClipSegment(double ax, double ay, double bx,
                                                            double by, double left, double top,
                                                            double right, double bottom) {
  double t0 = 0.0, t1 = 1.0;
  const double dx = bx - ax, dy = by - ay;
  const double p[4] = {-dx, dx, -dy, dy};
  const double q[4] = {ax - left, right - ax, ay - top, bottom - ay};
  for (int k = 0; k < 4; ++k) {
    if (p[k] == 0.0) {
      if (q[k] < 0.0) return std::nullopt;
      continue;
    }
    const double t = q[k] / p[k];
    if (p[k] < 0.0) {
      t0 = std::max(t0, t);
    } else {
      t1 = std::min(t1, t);
    }
    if (t0 > t1) return std::nullopt;
  }
  return std::pair{t0, t1};
}

}  // namespace fernplot
