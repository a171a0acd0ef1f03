// SPDX-License-Identifier: MIT
#include "graph/loop_readout.h"

#include <cmath>
#include <limits>
#include <memory>

#include "graph/page_figures.h"

namespace fernplot {

std::vector<UsablePoint> ShownUsablePoints(const GraphPage& page) {
  std::unique_ptr<GraphPage> holder;
  return PageUsablePoints(ShownPage(page, holder));
}

CurvePlane PlaneOfCurve(ViewKind kind, std::vector<UsablePoint> points) {
  CurvePlane plane;
  plane.kind = kind;
  plane.points = std::move(points);
  if (kind == ViewKind::kNichols) plane.nicholsShift = NicholsShift(plane.points);
  return plane;
}

CurvePlane PageCurvePlane(const GraphPage& page) {
  return PlaneOfCurve(page.properties.view, ShownUsablePoints(page));
}

CurveReading ReadingOf(const UsablePoint& p) {
  return {p.frequency, p.gain, p.unwrapped, WrapDegrees(p.phase)};
}

PlanePoint PlaneValue(const CurvePlane& plane, const CurveReading& at) {
  return ViewPlanePoint(plane.kind, at, plane.nicholsShift);
}

PlanePoint PlaneMm(const CurvePlane& plane, const PageLayout& layout, const CurveReading& at) {
  const PlanePoint v = PlaneValue(plane, at);
  return {layout.frequency.ToMm(v.x), layout.gain.ToMm(v.y)};
}

std::optional<size_t> NearestCurvePoint(const CurvePlane& plane, const PageLayout& layout,
                                        double xMm, double yMm) {
  std::optional<size_t> best;
  double bestDistance = std::numeric_limits<double>::infinity();
  for (size_t i = 0; i < plane.points.size(); ++i) {
    const PlanePoint at = PlaneMm(plane, layout, ReadingOf(plane.points[i]));
    const double d = std::hypot(at.x - xMm, at.y - yMm);
    if (d < bestDistance) {
      bestDistance = d;
      best = i;
    }
  }
  return best;
}

}  // namespace fernplot
