// SPDX-License-Identifier: MIT
// The view's readout of the traces of a page: the values at the pointer's
// frequency in a box beside the pointer, and a dot where each curve is read.

#include <QPainter>

#include "app_state.h"
#include "graph/page_impedance.h"
#include "graph/axis_map.h"
#include "graph/device_units.h"
#include "graph/overlays.h"
#include "graph/pages.h"
#include "main_view.h"
#include "qt_convert.h"
#include "trace_readout.h"

namespace fernplot {

void CMainView::UpdateTraceReadout(const GraphPage* page, const Readout* readout, QPoint client) {
  const bool shown = page && readout && (!page->overlays.empty() || curveReadout_);
  if (!shown) {
    if (traceReadout_) traceReadout_->hide();
    if (!dots_.empty()) viewport()->update(DotsRegion());
    dots_.clear();
    return;
  }
  const TraceReaderKey key{page,
                           page->overlays.size(),
                           page->referenceIndex,
                           InDifferenceMode(*page),
                           page->properties.calcType,
                           page->properties.loopCurve,
                           page->data.points ? page->data.points->data() : nullptr};
  if (!traceReader_ || !(readerKey_ == key)) {
    // Prepared once per page state; each move then only searches.
    traceReader_ = std::make_unique<TraceReader>(*page);
    readerKey_ = key;
    impedance_ = ShowsOhms(*page) ? PageImpedance(*page) : std::nullopt;
    traceColours_.clear();
    traceColours_.push_back(ToQColor(page->properties.gainLineColor));
    for (Colour c : OverlayColours(page->properties, page->overlays.size())) {
      traceColours_.push_back(ToQColor(c));
    }
  }
  if (!traceReadout_) traceReadout_ = new TraceReadout(viewport());
  const std::vector<TraceValue> values = traceReader_->At(readout->frequency);
  if (page->overlays.empty()) {
    const TraceValue& v = values.front();
    std::vector<TraceReadoutLine> lines{
        {traceColours_.front(),
         CurveReadoutText(readout->frequency, v.gain, v.phase, ShowsOhms(*page))}};
    // An impedance reads as an LCR meter shows it too, from its values in
    // double.
    if (impedance_) {
      if (const auto z = ImpedanceAt(*impedance_, readout->frequency)) {
        for (const QString& line : EquivalentReadoutLines(readout->frequency, *z)) {
          lines.push_back({QColor(), line});
        }
      }
    }
    traceReadout_->ShowAt(std::move(lines), client);
  } else {
    traceReadout_->ShowAt(
        TraceReadoutLines(readout->frequency, values, traceColours_, key.difference), client);
  }
  PlaceCurveDots(*page, values, client.x());
}

// A dot on the gain curve and on the right axis' phase curve of every trace,
// where the readout reads them; none outside the frame.
void CMainView::PlaceCurveDots(const GraphPage& page, const std::vector<TraceValue>& values,
                               int x) {
  if (!dots_.empty()) viewport()->update(DotsRegion());
  dots_.clear();
  dotColours_.clear();
  if (!state_.crossHairEnabled || values.empty()) return;
  const GraphProperties& p = page.properties;
  const QPoint scroll = ScrollPosition();
  const double d = zoom_ * kPixelsPerMm;
  const AxisMap& left = page.layout.gain;
  const AxisMap& right = page.layout.right;
  // The pointer's column is where the frequency was read.
  const auto add = [&](double yMm, QColor colour) {
    if (!(yMm >= page.layout.frame.top && yMm <= page.layout.frame.bottom)) return;
    dots_.emplace_back(x, TruncToDevice(yMm * d) - scroll.y());
    dotColours_.push_back(colour);
  };
  for (size_t i = 0; i < values.size(); ++i) {
    const TraceValue& v = values[i];
    const QColor colour = i < traceColours_.size() ? traceColours_[i] : QColor(Qt::black);
    if (v.gain) add(left.ToMm(*v.gain), colour);
    const std::optional<double> phase = p.rightAxis == kRightPhase            ? v.phase
                                        : p.rightAxis == kRightUnwrappedPhase ? v.unwrapped
                                                                              : std::nullopt;
    if (phase) add(right.ToMm(*phase), i == 0 ? ToQColor(p.phaseLineColor) : colour);
  }
  viewport()->update(DotsRegion());
}

QRegion CMainView::DotsRegion() const {
  QRegion r;
  for (const QPoint& at : dots_) r += QRect(at - QPoint(4, 4), QSize(9, 9));
  return r;
}

void CMainView::PaintCurveDots(QPainter& painter) const {
  painter.save();
  painter.setRenderHint(QPainter::Antialiasing);
  for (size_t i = 0; i < dots_.size(); ++i) {
    painter.setPen(QPen(Qt::black, 1));
    painter.setBrush(dotColours_[i]);
    painter.drawEllipse(QPointF(dots_[i]), 3.0, 3.0);
  }
  painter.restore();
}

void CMainView::ForgetTraces() {
  traceReader_.reset();
  if (traceReadout_) traceReadout_->hide();
  dots_.clear();
}

}  // namespace fernplot
