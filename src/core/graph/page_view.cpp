// SPDX-License-Identifier: MIT
#include "graph/page_view.h"

namespace fernplot {

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

}  // namespace fernplot
