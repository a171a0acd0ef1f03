// SPDX-License-Identifier: MIT
#pragma once
// Where on a gain-and-phase page there is room: the curves it draws, in
// millimetres, and how much of them a box would cover. The legend picks its
// corner with it and the figure marks' labels their places.

#include <optional>
#include <span>
#include <vector>

#include "graph/layout.h"
#include "graph/overlays.h"

namespace fernplot {

struct BodeStages;

struct MmBox {
  double left = 0.0, top = 0.0, right = 0.0, bottom = 0.0;
  bool Overlaps(const MmBox& o) const {
    return left < o.right && o.left < right && top < o.bottom && o.top < bottom;
  }
  bool Inside(const MmBox& o) const {
    return left >= o.left && right <= o.right && top >= o.top && bottom <= o.bottom;
  }
};

// Every curve the page draws, its overlays' and its own, as the curve
// layers draw them (clipped to the frame, overlays thinned as drawn).
std::vector<CurvePiece> DrawnCurves(const BodeStages& stages);

// Length in mm of the curves inside the box; 0 when none passes through it.
double CurveLengthInside(std::span<const CurvePiece> curves, const MmBox& box);
// Whether any curve passes through the box (touching its inside).
bool CurvesCross(std::span<const CurvePiece> curves, const MmBox& box);

// The legend of a page with overlays in the corner of the frame where it
// covers the least of the curves: top left, top right, bottom left, bottom
// right, the first of equals. Nothing for a page that draws no legend.
std::optional<LegendPlan> PlaceLegend(const BodeStages& stages, std::span<const CurvePiece> curves);

}  // namespace fernplot
