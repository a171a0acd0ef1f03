// SPDX-License-Identifier: MIT
#include "graph/axis_map.h"

#include <cmath>

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

AxisMap FrequencyAxisMap(const AxisSettings& hb) {
  return {hb.frameLeft, hb.margin1, hb.origin, hb.scale, (hb.axisFlags & 1) != 0, false};
}

AxisMap VerticalAxisMap(const AxisSettings& vertical) {
  return {vertical.frameBottom, vertical.margin2, vertical.origin, vertical.scale, false, true};
}

}  // namespace fernplot
