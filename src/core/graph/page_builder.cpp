// SPDX-License-Identifier: MIT
#include "graph/page_builder.h"

#include <cmath>

#include "graph/figure_marks.h"
#include "graph/layout.h"
#include "graph/right_axis.h"

namespace fernplot {

PageBuilder::PageBuilder(DrawingDocument& d, GraphPage& p) : drawing(d), page(p) {}

void PageBuilder::Prepare() {
  ScanPageData(page, range);
  if (!page.overlays.empty()) PrepareOverlays(*this);
  PrepareRightAxis(*this);
  fonts = ResolvePageFonts(drawing, page.properties);
  LayoutPage(*this);
}

void PageBuilder::Finish() {
  DrawPage(*this);
  if (page.showFigureMarks) DrawFigureMarks(*this);
  EmitInfoItems(*this);
  ResetDataRange(range);
  rightCurves.clear();
}

namespace {
int WholeMm(double mm) {
  const double up = std::ceil(mm);
  return std::isfinite(up) && up > 0.0 ? static_cast<int>(up) : 0;
}
}  // namespace

int PageBuilder::SheetWidthMm() const {
  return WholeMm(page.properties.pageRight);
}
int PageBuilder::SheetHeightMm() const {
  return WholeMm(page.properties.pageBottom);
}

Colour PageBuilder::Color(int category) const {
  return page.properties.fonts[static_cast<size_t>(category)].color;
}

double PageBuilder::TextWidth(int category, std::string_view text) const {
  return drawing.TextWidthMm(Font(category), text);
}

double PageBuilder::TextHeight(int category) const {
  return drawing.TextHeightMm(Font(category));
}

}  // namespace fernplot
