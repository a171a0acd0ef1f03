// SPDX-License-Identifier: MIT
// The gain-and-phase view: its stages run in order and its layers drawn in
// order, behind the PageView interface.
#include <array>
#include <memory>

#include "graph/axes.h"
#include "graph/bode_stages.h"
#include "graph/figure_marks.h"
#include "graph/layout.h"
#include "graph/page_view.h"
#include "graph/production_marks.h"
#include "graph/right_axis.h"

namespace fernplot {

double PageText::Width(int category, std::string_view text) const {
  return drawing_->TextWidthMm(Font(category), text);
}

double PageText::Height(int category) const {
  return drawing_->TextHeightMm(Font(category));
}

TraceSet CollectTraces(const GraphPage& page) {
  TraceSet t;
  const int32_t right = page.properties.rightAxis;
  // A right axis of another quantity works that out from the traces' points.
  t.traces = PageTraceCurves(page, right == kRightUnwrappedPhase || right == kRightGroupDelay);
  t.difference = InDifferenceMode(page);
  if (t.difference) {
    // The page's points are its differences, which its trace holds.
    t.points = std::move(t.traces.front().points);
  } else {
    DataRange scan;
    ScanPageData(page, scan);
    t.points = std::move(scan.points);
  }
  t.rightCurves = RightAxisCurves(t.points, t.traces, right, page.properties.delayAperture);
  return t;
}

DataRange TraceRanges(const GraphPage& page, const TraceSet& t) {
  DataRange range;
  for (const RangePoint& q : t.points) AddExtremes(range, q.frequency, q.gain, q.phase);
  range.count = static_cast<int32_t>(t.points.size());
  MergeOverlayExtremes(page, t.traces, range);
  UseRightAxisExtremes(range, t.rightCurves);
  return range;
}

namespace {

// The production layers (lot bands, mask marks) draw nothing on a page
// without a production test.
constexpr std::array<BodeLayer, 12> kBodeLayers = {
    DrawPageOutline,  DrawCreditLine, DrawFrameAndTitle, DrawAxes,
    DrawFrameOutline, DrawLotBands,   DrawOverlayCurves, DrawPageCurves,
    DrawMaskMarks,    DrawLegend,     DrawFigureMarks,   DrawInfoTexts,
};

class BodePlan final : public PlannedPage {
 public:
  explicit BodePlan(BodeStages stages) : stages_(std::move(stages)) {}
  const PageLayout& Layout() const override { return stages_.layout.page; }
  void Draw(DrawingDocument& drawing) const override {
    for (BodeLayer layer : kBodeLayers) layer(stages_, drawing);
  }

 private:
  BodeStages stages_;
};

class Bode final : public PageView {
 public:
  std::unique_ptr<PlannedPage> Plan(const GraphPage& page, DrawingDocument& drawing,
                                    std::span<const CurveGrid> grids) const override {
    TraceSet traces = CollectTraces(page);
    const DataRange ranges = TraceRanges(page, traces);
    const PageText text(drawing, page.properties, ResolvePageFonts(drawing, page.properties));
    BodeLayout layout = LayoutBodePage(page, text, ranges);
    return std::make_unique<BodePlan>(
        BodeStages{page, text, std::move(traces), ranges, std::move(layout), grids});
  }
};

}  // namespace

std::span<const BodeLayer> BodeLayers() {
  return kBodeLayers;
}

const PageView& BodeView() {
  static const Bode view;
  return view;
}

}  // namespace fernplot
