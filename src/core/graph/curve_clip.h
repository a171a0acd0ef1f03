// SPDX-License-Identifier: MIT
#pragma once
// The curves of a page whose range the user narrowed: the parts outside the
// frame are cut off where they cross its edge, instead of running along
// the edge as the clamping of a full-range page draws them.

#include <span>
#include <vector>

#include "datafile/measurement.h"
#include "graph/curve_thinning.h"
#include "graph/layout.h"
#include "graph/page_layout.h"
#include "graph/pages.h"

namespace fernplot {

struct BodeStages;

// The part of each segment between the points that lies in the plot area
// (from the start of the frequency axis to the frame's right, top and
// bottom). A point without a finite place breaks the curve, as does every
// excursion out of the area. Always at least one piece, possibly empty.
std::vector<CurvePiece> ClippedCurvePieces(std::span<const RangePoint> points, CurveValue which,
                                           const AxisMap& frequency, const AxisMap& vertical,
                                           const FrameRect& frame);

// Both curves of a trace, clipped; from range points or a record's points in
// one channel ratio.
TracePieces ClippedTracePieces(std::span<const RangePoint> points, const PageLayout& layout);
TracePieces ClippedTracePieces(std::span<const DataPoint> points, bool ch1ch2,
                               const PageLayout& layout);

// The curves of trace i (1 and up: an overlay) as its layer draws them:
// thinned for the page's grids, or clipped on a zoomed page.
TracePieces OverlayTracePieces(const BodeStages& stages, size_t i);
// The page's own curves as their layer draws them.
TracePieces PageTracePieces(const BodeStages& stages);

}  // namespace fernplot
