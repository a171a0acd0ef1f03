// SPDX-License-Identifier: MIT
#include "graph/page_view.h"

#include "graph/page_figures.h"

namespace fernplot {

const PageView& ViewFor(const GraphPage& page) {
  switch (page.properties.view) {
    case ViewKind::kNyquist:
      return NyquistView();
    case ViewKind::kNichols:
      return NicholsView();
    case ViewKind::kBode:
      break;
  }
  return BodeView();
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
