// SPDX-License-Identifier: MIT
// The view's readout of every trace of a page with overlays: the values at
// the pointer's frequency in a box beside the pointer.

#include "app_state.h"
#include "graph/overlays.h"
#include "graph/pages.h"
#include "main_view.h"
#include "qt_convert.h"
#include "trace_readout.h"

namespace fernplot {

void CMainView::UpdateTraceReadout(const GraphPage* page, const Readout* readout, QPoint client) {
  if (!page || !readout || page->overlays.empty()) {
    if (traceReadout_) traceReadout_->hide();
    return;
  }
  const TraceReaderKey key{page, page->overlays.size(), page->referenceIndex,
                           InDifferenceMode(*page), page->properties.calcType};
  if (!traceReader_ || !(readerKey_ == key)) {
    // Prepared once per page state; each move then only searches.
    traceReader_ = std::make_unique<TraceReader>(*page);
    readerKey_ = key;
    traceColours_.clear();
    traceColours_.push_back(ToQColor(page->properties.gainLineColor));
    for (Colour c : OverlayColours(page->properties, page->overlays.size())) {
      traceColours_.push_back(ToQColor(c));
    }
  }
  if (!traceReadout_) traceReadout_ = new TraceReadout(viewport());
  traceReadout_->ShowAt(TraceReadoutLines(readout->frequency, traceReader_->At(readout->frequency),
                                          traceColours_, key.difference),
                        client);
}

void CMainView::ForgetTraces() {
  traceReader_.reset();
  if (traceReadout_) traceReadout_->hide();
}

}  // namespace fernplot
