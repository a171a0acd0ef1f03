// SPDX-License-Identifier: MIT
// The session's production test: a mask over every page, and the spread of
// the open pages drawn under the page on screen.
#include <algorithm>

#include "analysis/production/lot_statistics.h"
#include "graph/page_figures.h"
#include "graph/page_session.h"
#include "graph/production_marks.h"

namespace fernplot {

namespace {

// Drops the drawing of every sheet but the current one: each is drawn again
// from its page when shown.
void ReleaseOtherSheets(DrawingDocument& drawing) {
  const int current = drawing.CurrentNumber();
  for (int n = 1; n <= drawing.SheetCount(); ++n) {
    if (n != current) drawing.ReleaseSheet(n);
  }
}

// Takes the lot bands off `page`, keeping its mask.
void DropBands(GraphPage& page) {
  if (!page.production || !page.production->bands) return;
  if (!page.production->mask) {
    page.production.reset();
    return;
  }
  auto production = std::make_shared<PageProduction>(*page.production);
  production->bands.reset();
  page.production = std::move(production);
}

}  // namespace

bool PageSession::SetMask(std::shared_ptr<const LimitMask> mask) {
  // Kept before the first page too: the pages opened later are judged.
  mask_ = std::move(mask);
  // The lot's cpk is against the mask's limits.
  ForgetLot();
  if (!drawingActive) return false;
  for (const std::unique_ptr<GraphPage>& page : pages) MarkMask(*page, mask_);
  if (lotShown_) PlaceLotBands();
  ReleaseOtherSheets(drawing);
  RebuildCurrent();
  Announce();
  return true;
}

bool PageSession::ShowLotStatistics(bool on) {
  if (!CurrentPage()) return false;
  lotShown_ = on;
  ForgetLot();
  PlaceLotBands();
  ReleaseOtherSheets(drawing);
  RebuildCurrent();
  Announce();
  return true;
}

void PageSession::ForgetLot(const GraphPage* changed) {
  lotBands_.reset();
  lotGrid_.clear();
  if (changed) lotFigures_.erase(changed);
}

void PageSession::PlaceLotBands() {
  GraphPage* current = CurrentPage();
  for (size_t i = 0; i < pages.size(); ++i) {
    GraphPage& page = *pages[i];
    if (&page == current || !page.production || !page.production->bands) continue;
    DropBands(page);
    drawing.ReleaseSheet(static_cast<int>(i) + 1);
  }
  if (!current) return;
  DropBands(*current);
  if (!lotShown_) return;
  // Streamed as the exporter does it: on the frequencies of the curve on
  // screen, every page added once as it is drawn (T or S of a loop). The
  // pages of a lot mostly share their frequencies: stepping between them
  // takes the lot already read.
  std::unique_ptr<GraphPage> holder;
  const std::vector<UsablePoint> grid = PageUsablePoints(ShownPage(*current, holder));
  const bool sameGrid =
      lotBands_ && std::equal(grid.begin(), grid.end(), lotGrid_.begin(), lotGrid_.end(),
                              [](const UsablePoint& p, double f) { return p.frequency == f; });
  if (!sameGrid) {
    LotStatistics lot(grid);
    FigureStatistics figures;
    for (const std::unique_ptr<GraphPage>& page : pages) {
      std::unique_ptr<GraphPage> shownHolder;
      lot.Add(PageUsablePoints(ShownPage(*page, shownHolder)));
      auto [kept, added] = lotFigures_.try_emplace(page.get());
      if (added) kept->second = MaskFigureValues(PageFigures(*page));
      figures.Add(kept->second);
    }
    std::shared_ptr<LotBands> bands = LotBandsOf(lot.Rows(StatisticsOf::kDb), 3.0);
    bands->figures = figures.Rows(mask_.get());
    bands->sweeps = lot.Sweeps();
    lotBands_ = std::move(bands);
    lotGrid_.clear();
    for (const UsablePoint& p : grid) lotGrid_.push_back(p.frequency);
  }
  auto production = current->production ? std::make_shared<PageProduction>(*current->production)
                                        : std::make_shared<PageProduction>();
  production->bands = lotBands_;
  current->production = std::move(production);
}

}  // namespace fernplot
