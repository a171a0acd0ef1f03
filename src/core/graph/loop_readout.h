// SPDX-License-Identifier: MIT
#pragma once
// Reading a page back in the view it was built in: the points of the curve
// it shows, where a point of that curve lies on the page, and the point
// nearest a page position in the Nyquist and Nichols views (the cross-hair
// and the markers read the curve there, not a frequency under the pointer).

#include <optional>
#include <vector>

#include "analysis/loop_kinds.h"
#include "analysis/loop_views.h"
#include "analysis/sweep_points.h"
#include "graph/pages.h"

namespace fernplot {

// The usable points of the curve the page shows (L, T or S), ascending.
std::vector<UsablePoint> ShownUsablePoints(const GraphPage& page);

// The shown curve placed in the page's view.
struct CurvePlane {
  ViewKind kind = ViewKind::kBode;
  std::vector<UsablePoint> points;
  // The Nichols chart's phase is the unwrapped phase plus this.
  double nicholsShift = 0.0;
};
CurvePlane PlaneOfCurve(ViewKind kind, std::vector<UsablePoint> points);
CurvePlane PageCurvePlane(const GraphPage& page);

// The view's values of a reading: Re and Im, or Nichols phase and gain;
// frequency and gain in the gain-and-phase view.
PlanePoint PlaneValue(const CurvePlane& plane, const CurveReading& at);
// Its page position in millimetres by the page's last layout.
PlanePoint PlaneMm(const CurvePlane& plane, const PageLayout& layout, const CurveReading& at);

// The point of the curve nearest the page position (mm) in a loop view;
// nothing without points.
std::optional<size_t> NearestCurvePoint(const CurvePlane& plane, const PageLayout& layout,
                                        double xMm, double yMm);

CurveReading ReadingOf(const UsablePoint& p);

}  // namespace fernplot
