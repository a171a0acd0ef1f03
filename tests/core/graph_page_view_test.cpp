// SPDX-License-Identifier: MIT
// The page build as stages and layers, behind the view interface.
#include <gtest/gtest.h>

#include <algorithm>
#include <string>
#include <vector>

#include "graph/bode_stages.h"
#include "graph/curve_thinning.h"
#include "graph/info_items.h"
#include "graph/layout.h"
#include "graph/overlays.h"
#include "graph/page_view.h"
#include "graph/production_marks.h"
#include "graph/zoom_steps.h"
#include "graph_stand_in.h"

namespace fernplot {
namespace {

// A view made only of its own stage value and one layer: what a new view
// plugs in, without touching the gain-and-phase one.
class BoxView final : public PageView {
  class Plan_ final : public PlannedPage {
   public:
    explicit Plan_(PageLayout layout) : layout_(layout) {}
    const PageLayout& Layout() const override { return layout_; }
    void Draw(DrawingDocument& d) const override {
      d.AddRectOutline(d.FindOrAddPen(0, 1, 0, 0, 2, 0), 0, 0, layout_.pageRight,
                       layout_.pageBottom);
    }

   private:
    PageLayout layout_;
  };

 public:
  std::unique_ptr<PlannedPage> Plan(const GraphPage& page, DrawingDocument&,
                                    std::span<const CurveGrid>) const override {
    PageLayout l;
    l.pageRight = page.data.points ? 10.0 * static_cast<double>(page.data.points->size()) : 5.0;
    l.pageBottom = 20.5;
    l.frame = {1, 2, 3, 4};
    return std::make_unique<Plan_>(l);
  }
};

TEST(PageView, AnotherViewMakesItsOwnSheetThroughTheOneEntryPoint) {
  test::TestState ts;
  GraphPage a, b;
  a.data = test::SweepData(3);
  b.data = test::SweepData(4);
  const BoxView view;
  BuildPage(view, a, ts->drawing, {});
  BuildPage(view, b, ts->drawing, {});
  ASSERT_EQ(ts->drawing.SheetCount(), 2);
  EXPECT_EQ(ts->drawing.CurrentNumber(), 2);
  EXPECT_EQ(ts->drawing.Sheets()[0].elements.size(), 1u);
  EXPECT_EQ(a.layout.frame, (FrameRect{1, 2, 3, 4}));
  EXPECT_EQ(b.layout.SheetWidthMm(), 40);
  EXPECT_EQ(b.layout.SheetHeightMm(), 21);

  // Built again in place: same number, new size, its old elements gone, and
  // the sheet after it untouched.
  a.data = test::SweepData(6);
  const DrawingSheet second = ts->drawing.Sheets()[1];
  BuildPage(view, a, ts->drawing, {}, SheetPlace{1});
  ASSERT_EQ(ts->drawing.SheetCount(), 2);
  EXPECT_EQ(ts->drawing.CurrentNumber(), 1);
  EXPECT_EQ(ts->drawing.Sheets()[0].elements.size(), 1u);
  EXPECT_EQ(ts->drawing.CurrentWidth(), ts->drawing.Sheets()[0].width);
  EXPECT_GT(ts->drawing.Sheets()[0].width, second.width);
  EXPECT_EQ(ts->drawing.Sheets()[1], second);
}

TEST(PageView, PlanningDrawsNothingAndGivesTheSameLayoutEveryTime) {
  test::TestState ts;
  GraphPage page;
  page.properties = FactoryDefaults();
  page.data = test::SweepData(41);
  ts->drawing.AddSheet(10, 10);
  const auto first = BodeView().Plan(page, ts->drawing, {});
  const auto second = BodeView().Plan(page, ts->drawing, {});
  EXPECT_TRUE(ts->drawing.CurrentSheet()->elements.empty());
  EXPECT_EQ(first->Layout(), second->Layout());
  EXPECT_GT(first->Layout().frequency.scale, 0.0);
  EXPECT_TRUE(first->Layout().frequency.log);
}

// Each variant of a page built fresh and built again in place gives the same
// sheet: the stages keep nothing from a build to the next.
TEST(PageView, RebuildInPlaceEqualsAFreshBuild) {
  struct Case {
    const char* name;
    int32_t rightAxis;
    bool overlay, difference, marks;
  } cases[] = {
      {"plain", kRightPhase, false, false, false},
      {"overlay", kRightPhase, true, false, false},
      {"difference", kRightPhase, true, true, false},
      {"delay with overlay", kRightGroupDelay, true, false, false},
      {"unwrapped difference", kRightUnwrappedPhase, true, true, false},
      {"figure marks", kRightPhase, false, false, true},
  };
  for (const Case& c : cases) {
    test::TestState ts;
    ts.defaults.rightAxis = c.rightAxis;
    auto page = PageSession::MakePage(ts.defaults, test::SweepData(41), "P");
    if (c.overlay) {
      page->overlays.push_back({test::SweepData(20), "O", ""});
      page->referenceIndex = 0;
      page->showDifference = c.difference;
    }
    page->showFigureMarks = c.marks;
    GraphPage* built = ts->AddPage(std::move(page));
    ASSERT_NE(built, nullptr);
    const DrawingSheet fresh = *ts->drawing.CurrentSheet();
    const PageLayout layout = built->layout;
    ts->RebuildCurrent();
    ts->RebuildCurrent();
    EXPECT_EQ(*ts->drawing.CurrentSheet(), fresh) << c.name;
    EXPECT_EQ(built->layout, layout) << c.name;
    // The difference mark goes on the captions only when differences show.
    const bool marked = std::any_of(fresh.elements.begin(), fresh.elements.end(), [](auto& e) {
      const auto* t = std::get_if<TextElement>(&e);
      return t && t->text.rfind("\u0394", 0) == 0;
    });
    EXPECT_EQ(marked, c.difference) << c.name;
  }
}

TEST(PageView, LayersRunInTheirDrawingOrder) {
  // The page outline first, the info texts last; twelve parts in all, the
  // lot's bands under every curve and the mask's marks over the page's.
  const std::span<const BodeLayer> layers = BodeLayers();
  ASSERT_EQ(layers.size(), 12u);
  EXPECT_EQ(layers.front(), &DrawPageOutline);
  EXPECT_EQ(layers.back(), &DrawInfoTexts);
  const auto at = [&](BodeLayer layer) { return std::find(layers.begin(), layers.end(), layer); };
  EXPECT_LT(at(&DrawOverlayCurves), at(&DrawPageCurves));
  EXPECT_LT(at(&DrawLotBands), at(&DrawOverlayCurves));
  EXPECT_LT(at(&DrawPageCurves), at(&DrawMaskMarks));
  EXPECT_LT(at(&DrawMaskMarks), at(&DrawLegend));
}

TEST(ZoomSteps, EveryStepHasAThinningGrid) {
  const std::vector<CurveGrid> grids = ViewerCurveGrids();
  for (const ZoomStep& step : kZoomSteps) {
    EXPECT_NE(std::find(grids.begin(), grids.end(), CurveGrid{step.factor, kPixelsPerMm}),
              grids.end())
        << step.factor;
  }
  EXPECT_EQ(kZoomSteps[kZoomDefaultIndex].factor, 1.0);
}

}  // namespace
}  // namespace fernplot
