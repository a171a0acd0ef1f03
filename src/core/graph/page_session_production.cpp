// SPDX-License-Identifier: MIT
// The session's production test: a mask over every page, and the spread of
// the open pages drawn under the page on screen.
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
  if (!drawingActive) return false;
  for (const std::unique_ptr<GraphPage>& page : pages) MarkMask(*page, mask_);
  ReleaseOtherSheets(drawing);
  RebuildCurrent();
  Announce();
  return true;
}

bool PageSession::ShowLotStatistics(bool on) {
  GraphPage* current = CurrentPage();
  if (!current) return false;
  for (const std::unique_ptr<GraphPage>& page : pages) DropBands(*page);
  lotShown_ = on;
  if (on) {
    // Streamed as the exporter does it: on the frequencies of the page on
    // screen, every page added once.
    LotStatistics lot(PageUsablePoints(*current));
    for (const std::unique_ptr<GraphPage>& page : pages) lot.Add(PageUsablePoints(*page));
    auto production = current->production ? std::make_shared<PageProduction>(*current->production)
                                          : std::make_shared<PageProduction>();
    production->bands = LotBandsOf(lot.Rows(StatisticsOf::kDb), 3.0);
    current->production = std::move(production);
  }
  ReleaseOtherSheets(drawing);
  RebuildCurrent();
  Announce();
  return true;
}

}  // namespace fernplot
