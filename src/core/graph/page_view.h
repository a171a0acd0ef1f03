// SPDX-License-Identifier: MIT
#pragma once
// How a page becomes a sheet of the drawing. A view turns a page into stage
// values (no element drawn yet) and then draws them as a list of layers; the
// session and the exporter only know this interface, so a new way of
// drawing a page is a new view beside the others, not an edit of them.

#include <memory>
#include <span>
#include <string_view>

#include "graph/curve_thinning.h"
#include "graph/drawing.h"
#include "graph/page_layout.h"
#include "graph/pages.h"

namespace fernplot {

// The stage values of one page, ready to be drawn.
class PlannedPage {
 public:
  virtual ~PlannedPage() = default;
  virtual const PageLayout& Layout() const = 0;
  // Runs the view's layers in order into the drawing's current sheet.
  virtual void Draw(DrawingDocument& drawing) const = 0;
};

class PageView {
 public:
  virtual ~PageView() = default;
  // The stages of `page`: it resolves the page's fonts in `drawing` and
  // measures texts with its measurer, and adds no element. Overlay curves
  // are thinned for `grids`. The page must outlive the result.
  virtual std::unique_ptr<PlannedPage> Plan(const GraphPage& page, DrawingDocument& drawing,
                                            std::span<const CurveGrid> grids) const = 0;
};

// The gain and phase over frequency.
const PageView& BodeView();
// Re L against Im L at equal scales, and the gain over the unwrapped phase.
const PageView& NyquistView();
const PageView& NicholsView();
const PageView& ComplexPlaneView();
// The Kramers–Kronig residuals (graph/kk_view.h).
const PageView& KramersKronigView();
// The view the page's properties ask for.
const PageView& ViewFor(const GraphPage& page);

// How a view of kViewRows is drawn, and the names its plane's axes have in
// the page's JSON (the bottom axis, the quantity it carries, the left axis);
// a view with a right axis (gain and phase) names its three axes itself.
struct ViewDrawingRow {
  ViewKind kind;
  const PageView& (*view)();
  std::string_view bottomAxis, bottomQuantity, leftAxis;
  std::string_view rightAxis;  // empty: a plane without one
};
const ViewDrawingRow& DrawingRowOf(ViewKind kind);

// Where BuildPage puts the sheet: appended as the last one, or in place of
// the sheet with that number.
struct SheetPlace {
  int replace = 0;  // 0: append
};

// The one way a page becomes a sheet: plans it, makes its sheet (appended or
// in place of sheet `place.replace`, which stays current), draws it and
// keeps the layout on the page for the readers of positions (cross-hair,
// markers, drawing dump).
void BuildPage(const PageView& view, GraphPage& page, DrawingDocument& drawing,
               std::span<const CurveGrid> grids, SheetPlace place = {});
// BuildPage in the page's own view, of the curve it shows (ShownPage).
void BuildShownPage(GraphPage& page, DrawingDocument& drawing, std::span<const CurveGrid> grids,
                    SheetPlace place = {});

}  // namespace fernplot
