// SPDX-License-Identifier: MIT
#pragma once
// The stages of the two loop views, Nyquist (Re L against Im L) and Nichols
// (gain over unwrapped phase). Their frame, info texts, legend and credit
// line are those of a gain-and-phase page; what differs is the plane the
// curves are drawn in: both axes are linear maps whose origin is the value
// at the frame's left and bottom edges, with no axis margins.

#include <string>
#include <vector>

#include "analysis/loop_kinds.h"
#include "analysis/loop_views.h"
#include "graph/bode_stages.h"

namespace fernplot {

// One curve of a loop view: the page's own first, then each overlay.
struct LoopTrace {
  PenEntry pen;
  std::vector<UsablePoint> points;  // ascending frequency
  std::vector<PlanePoint> plane;    // each point in the view's values
  // Nichols: what the trace's unwrapped phases are moved by (its first
  // point's turn); any reading of the trace is placed with it.
  double nicholsShift = 0.0;
  // Where the curve has no value (a point of the sweep whose gain or phase
  // is not finite, as where 1 + L = 0 for T and S): index k breaks the
  // curve between points[k - 1] and points[k].
  std::vector<size_t> breaks;

  // `plane` with a non-finite point at each break, as the curve is drawn.
  std::vector<PlanePoint> DrawnLine() const;
  // Whether `frequency` lies in a gap of the curve.
  bool InGap(double frequency) const;
};

// Tick step and label decimals of one axis of the plane.
struct PlaneTicks {
  double step = 0.0;
  int decimals = 0;
};

struct LoopStages {
  BodeStages base;  // page, texts, traces, ranges, frame and info texts
  ViewKind kind = ViewKind::kNyquist;
  std::vector<LoopTrace> curves;
  PlaneRect range;  // the values at the frame's edges
  // Nichols: the phases the contours are drawn over (a few turns about the
  // curve's gain crossover on a chart of many turns).
  ValueRange contourPhases;
  PlaneTicks xTicks, yTicks;
  std::string xCaption, yCaption;
  // The page curve at each decade frequency, in the view's values.
  std::vector<CurveReading> decades;
  std::vector<PlanePoint> decadePoints;

  const PageLayout& geometry() const { return base.layout.page; }
};

// The stages of `page` in `kind` (Nyquist or Nichols).
LoopStages PlanLoopPage(ViewKind kind, const GraphPage& page, DrawingDocument& drawing,
                        std::span<const CurveGrid> grids);

// The value of each tick of a plane axis from lo to hi: the multiples of
// `step` inside, 0 written as 0.
std::vector<double> PlaneTickValues(double lo, double hi, double step);

// The critical point's places in the view's values: -1 in Nyquist;
// (-180° + n 360°, 0 dB) inside the phase range in Nichols.
std::vector<PlanePoint> CriticalPoints(const LoopStages& stages);

// The Nichols contours are drawn over at most this many turns of phase,
// and only where a turn is at least this wide (mm).
inline constexpr int kMaxContourTurns = 8;
inline constexpr double kLeastContourTurnMm = 20.0;

// A cross of two lines of this length marks the critical point.
inline constexpr double kCriticalCrossMm = 2.5;

using LoopLayer = void (*)(const LoopStages& stages, DrawingDocument& drawing);
// The layers of each view, in drawing order.
std::span<const LoopLayer> NyquistLayers();
std::span<const LoopLayer> NicholsLayers();

}  // namespace fernplot
