// SPDX-License-Identifier: MIT
#pragma once
// Traces laid over a page: their points (or their difference to the
// reference), colours and pens, and the legend that names them.

#include <string>
#include <vector>

#include "graph/drawing.h"
#include "graph/pages.h"

namespace fernplot {

struct BodeStages;

enum class TraceRole { kPage, kDifference, kOverlay, kReference };

// One curve pair of a page as it is drawn.
struct TraceCurve {
  std::string name;  // the data file's name without folder and extension
  TraceRole role = TraceRole::kPage;
  Colour colour = 0;  // the gain colour; the legend shows it
  PenEntry gainPen, phasePen;
  std::vector<RangePoint> points;  // in the page's ratio, or differences
  // Set instead of `points` while a page is built: a trace that shows its
  // own record's points is read straight from it.
  const MeasurementData* record = nullptr;
};

// Whether the page draws differences: asked for, and a reference exists.
bool InDifferenceMode(const GraphPage& page);

// `count` overlay colours: the palette in turn, leaving out entries that
// equal the page's own gain or phase colour.
std::vector<Colour> OverlayColours(const GraphProperties& props, size_t count);

// The page trace first, then every overlay in order; in difference mode each
// is minus the reference. Empty when the page has no overlays.
std::vector<TraceCurve> PageTraces(const GraphPage& page);

// The CSV of the page's difference points, laid out as the page's own.
std::string DifferenceCsvText(const GraphPage& page);

// Lines of the legend, each a short line and a name, filling rows from the
// top left of the frame and wrapping before the right edge.
constexpr double kLegendInset = 1.5;
constexpr double kLegendLine = 6.0;
constexpr double kLegendGap = 1.0;
constexpr double kLegendSpacing = 3.0;
struct LegendEntryPlace {
  double lineX0, lineX1, lineY;
  double textX, textY;  // top left of the name
};
struct LegendPlan {
  double x0 = 0, y0 = 0, x1 = 0, y1 = 0;  // background box
  std::vector<LegendEntryPlace> entries;
};
LegendPlan PlanLegend(const std::vector<double>& nameWidths, double textHeight, double frameLeft,
                      double frameTop, double frameRight);

// As PageTraces, but a trace that shows its own record's points refers to
// the record instead of copying them, unless `copyOwn`.
std::vector<TraceCurve> PageTraceCurves(const GraphPage& page, bool copyOwn);
// Widens `range` to cover the overlays (every trace after the first).
void MergeOverlayExtremes(const GraphPage& page, const std::vector<TraceCurve>& traces,
                          DataRange& range);

// Layers of a page with overlays: their curves under the page's, then the
// legend over them; nothing without overlays.
void DrawOverlayCurves(const BodeStages& stages, DrawingDocument& drawing);
void DrawLegend(const BodeStages& stages, DrawingDocument& drawing);

// Find-or-add of a pen entry as it stands.
int AddPen(DrawingDocument& drawing, const PenEntry& pen);

}  // namespace fernplot
