// SPDX-License-Identifier: MIT
#pragma once
// Overlay curves of tens of thousands of points put dozens of points on one
// device column. Every output of the drawing (screen, picture, clipboard,
// printer, SVG, PDF) draws a polyline through whole device units, so of the
// points that share a column on every grid the drawing is put on, the first,
// the lowest, the highest and the last draw exactly the pixels all of them
// draw: the rest are left out and the build stays quick. The kept points
// share the position of the column's first point, which every grid puts on
// the same device column as theirs.

#include <span>
#include <vector>

#include "datafile/measurement.h"
#include "graph/layout.h"
#include "graph/page_layout.h"
#include "graph/pages.h"
#include "props/graph_properties.h"

namespace fernplot {

// One device grid: a position x mm lands on the whole unit
// trunc(x * zoom * unitsPerMm), evaluated in that order as the renderer does.
struct CurveGrid {
  double zoom = 1.0;
  double unitsPerMm = 10.0;
  bool operator==(const CurveGrid&) const = default;
};

// The grids of the viewer: the screen at each zoom step (96 dpi) and paper
// in 0.1 mm units, which the printer, SVG and PDF outputs use.
std::vector<CurveGrid> ViewerCurveGrids();

// Those plus the screen grid at `zoom` (a picture written at another zoom).
std::vector<CurveGrid> CurveGridsWithZoom(double zoom);

struct TracePieces {
  std::vector<CurvePiece> gain, phase;
};

// The gain and phase curves of a trace as CurvePieces draws them, thinned
// for `grids`: the same pieces (broken at the same points, clamped alike),
// with the points inside each shared column reduced to at most four (at
// the column's first position). No
// grids: every point is kept.
TracePieces ThinnedTracePieces(std::span<const RangePoint> points, const PageLayout& layout,
                               std::span<const CurveGrid> grids);
// The same straight from a record's points in one channel ratio.
TracePieces ThinnedTracePieces(std::span<const DataPoint> points, bool ch1ch2,
                               const PageLayout& layout, std::span<const CurveGrid> grids);

}  // namespace fernplot
