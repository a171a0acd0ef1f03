// SPDX-License-Identifier: MIT
#include "graph/page_view.h"

#include <array>

#include "analysis/view_rows.h"
#include "graph/page_figures.h"

namespace fernplot {

namespace {

// One row per view, in the order of kViewRows.
constexpr std::array<ViewDrawingRow, kViewRows.size()> kDrawingRows{{
    {ViewKind::kBode, &BodeView, "frequency", "", "gain", "phase"},
    {ViewKind::kNyquist, &NyquistView, "real", "", "imaginary", ""},
    {ViewKind::kNichols, &NicholsView, "phase", "nicholsPhase", "gain", ""},
    {ViewKind::kComplex, &ComplexPlaneView, "real", "", "imaginary", ""},
    {ViewKind::kKk, &KramersKronigView, "frequency", "", "residualReal", "residualImag"},
}};

constexpr bool RowsMatch() {
  for (size_t i = 0; i < kViewRows.size(); ++i) {
    if (kDrawingRows[i].kind != kViewRows[i].kind) return false;
  }
  return true;
}
static_assert(RowsMatch(), "every view is drawn by the row of its place");

}  // namespace

const ViewDrawingRow& DrawingRowOf(ViewKind kind) {
  return kDrawingRows[static_cast<size_t>(&RowOf(kind) - kViewRows.data())];
}

const PageView& ViewFor(const GraphPage& page) {
  return DrawingRowOf(page.properties.view).view();
}

void BuildPage(const PageView& view, GraphPage& page, DrawingDocument& drawing,
               std::span<const CurveGrid> grids, SheetPlace place) {
  const std::unique_ptr<PlannedPage> plan = view.Plan(page, drawing, grids);
  const PageLayout& layout = plan->Layout();
  if (place.replace >= 1 && place.replace <= drawing.SheetCount()) {
    drawing.RestartSheet(place.replace, layout.SheetWidthMm(), layout.SheetHeightMm());
  } else {
    drawing.AddSheet(layout.SheetWidthMm(), layout.SheetHeightMm());
  }
  plan->Draw(drawing);
  page.layout = layout;
}

void BuildShownPage(GraphPage& page, DrawingDocument& drawing, std::span<const CurveGrid> grids,
                    SheetPlace place) {
  std::unique_ptr<GraphPage> holder;
  const GraphPage& shown = ShownPage(page, holder);
  if (&shown == &page) {
    BuildPage(ViewFor(page), page, drawing, grids, place);
    return;
  }
  BuildPage(ViewFor(shown), *holder, drawing, grids, place);
  page.layout = holder->layout;
}

}  // namespace fernplot
