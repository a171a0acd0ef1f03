// SPDX-License-Identifier: MIT
#pragma once
// The context of one page build, handed to every step of the pipeline.

#include <string_view>
#include <vector>

#include "graph/curve_thinning.h"
#include "graph/drawing.h"
#include "graph/info_items.h"
#include "graph/overlays.h"
#include "graph/pages.h"

namespace fernplot {

struct AppState;

class PageBuilder {
 public:
  // Starts from an empty DataRange: no page inherits another's extremes.
  PageBuilder(DrawingDocument& drawing, GraphPage& page);

  DrawingDocument& drawing;
  GraphPage& page;
  DataRange range;
  PageFontIndex fonts{};
  std::vector<InfoItem> pending;
  // Page trace and overlays; empty for a page without overlays.
  std::vector<TraceCurve> traces;
  bool difference = false;  // the gain and phase axes show differences
  // The device grids the overlay curves are thinned for.
  std::vector<CurveGrid> curveGrids = ViewerCurveGrids();
  // The right-hand curve of each trace (the page's first) when the right axis
  // shows another quantity than the phase; empty in phase mode.
  std::vector<std::vector<RangePoint>> rightCurves;

  GraphProperties& props() { return page.properties; }
  const MeasurementData& data() const { return page.data; }

  // Steps 1 to 3 of a build: points, fonts, layout and info placement.
  void Prepare();
  // Steps 5 and 6, into the current sheet: the graph, the info texts, and
  // the point list emptied.
  void Finish();
  // Whole-millimetre sheet size that the layout gave.
  int SheetWidthMm() const;
  int SheetHeightMm() const;

  // Font and colour of a font category, and measurements in its font.
  int Font(int category) const { return fonts[static_cast<size_t>(category)]; }
  Colour Color(int category) const;
  double TextWidth(int category, std::string_view text) const;
  double TextHeight(int category) const;
};

}  // namespace fernplot
