// SPDX-License-Identifier: MIT
#include "graph/axis_map.h"

#include <cmath>

#include "graph/page_layout.h"

namespace fernplot {

// The evaluation order below is the one every output was made with; it is
// kept so that positions and readouts do not move by a rounding.
double AxisMap::ToMm(double v) const {
  const double u = log ? std::log10(v) : v;
  if (vertical) return (edge - margin) - (u - origin) * scale;
  return edge + margin + (u - origin) * scale;
}

double AxisMap::ToValue(double mm) const {
  if (vertical) return (edge - margin - mm) / scale + origin;
  const double u = (mm - edge - margin) / scale + origin;
  return log ? std::pow(10.0, u) : u;
}

AxisMap FrequencyAxisMap(const FrameRect& frame, double margin1, double origin, double scale,
                         bool log) {
  return {frame.left, margin1, origin, scale, log, false};
}

AxisMap VerticalAxisMap(const FrameRect& frame, double margin2, double origin, double scale) {
  return {frame.bottom, margin2, origin, scale, false, true};
}

namespace {
int WholeMm(double mm) {
  const double up = std::ceil(mm);
  return std::isfinite(up) && up > 0.0 ? static_cast<int>(up) : 0;
}
}  // namespace

int PageLayout::SheetWidthMm() const {
  return WholeMm(pageRight);
}
int PageLayout::SheetHeightMm() const {
  return WholeMm(pageBottom);
}

}  // namespace fernplot
