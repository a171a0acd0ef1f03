// SPDX-License-Identifier: MIT
#pragma once
// The stages of a gain-and-phase page, each a value computed from the ones
// before: traces -> ranges -> layout (page geometry, info placement, axis
// scales). The layers (bode_layers.h) draw from these values only.

#include <span>
#include <string_view>
#include <vector>

#include "graph/axis_math.h"
#include "graph/curve_thinning.h"
#include "graph/drawing.h"
#include "graph/info_items.h"
#include "graph/overlays.h"
#include "graph/page_layout.h"
#include "graph/pages.h"

namespace fernplot {

// The page's font categories as entries of one drawing, and texts measured
// in them.
class PageText {
 public:
  PageText(const DrawingDocument& drawing, const GraphProperties& props, PageFontIndex fonts)
      : drawing_(&drawing), props_(&props), fonts_(fonts) {}
  int Font(int category) const { return fonts_[static_cast<size_t>(category)]; }
  Colour Color(int category) const { return props_->fonts[static_cast<size_t>(category)].color; }
  double Width(int category, std::string_view text) const;
  double Height(int category) const;
  const TextTranslator* Translator() const { return drawing_->Translator(); }

 private:
  const DrawingDocument* drawing_;
  const GraphProperties* props_;
  PageFontIndex fonts_;
};

// Stage 1: what is drawn.
struct TraceSet {
  // The page's points in the ratio it shows, or its differences to the
  // reference.
  std::vector<RangePoint> points;
  // The page trace first, then every overlay; empty without overlays.
  std::vector<TraceCurve> traces;
  // The right-hand curve of each trace (the page's first) when the right
  // axis shows another quantity than the phase; empty in phase mode.
  std::vector<std::vector<RangePoint>> rightCurves;
  // The page shows differences to its reference (InDifferenceMode).
  bool difference = false;
};
TraceSet CollectTraces(const GraphPage& page);

// Stage 2: the extremes the axes are scaled to, over every trace (points
// left empty).
DataRange TraceRanges(const GraphPage& page, const TraceSet& traces);

// The scales the axes are drawn with.
struct BodeScales {
  bool logFrequency = false;
  LogTickPlan logPlan;          // a logarithmic frequency axis
  LinearScale linearFrequency;  // a linear frequency axis
  LinearScale gain;
  LinearScale right;  // phase, unwrapped phase or delay
};

// Stage 3: page and frame rectangles and the info texts placed around them;
// then the axis scales over the ranges, which complete the layout's maps.
struct BodeLayout {
  PageLayout page;
  std::vector<InfoItem> info;
  BodeScales scales;
};
BodeLayout LayoutBodePage(const GraphPage& page, const PageText& text, const DataRange& ranges);

// Everything the layers draw from.
struct BodeStages {
  const GraphPage& page;
  PageText text;
  TraceSet traces;
  DataRange ranges;
  BodeLayout layout;
  std::span<const CurveGrid> grids;

  const GraphProperties& props() const { return page.properties; }
  const PageLayout& geometry() const { return layout.page; }
};

}  // namespace fernplot

namespace fernplot {

// One part of the page drawn into the drawing's current sheet from the
// stage values.
using BodeLayer = void (*)(const BodeStages& stages, DrawingDocument& drawing);

// The layers in drawing order: page outline, credit line, frame and title,
// axes with their grid, frame outline, overlay curves, the page's curves,
// legend, figure marks, info texts.
std::span<const BodeLayer> BodeLayers();

}  // namespace fernplot
