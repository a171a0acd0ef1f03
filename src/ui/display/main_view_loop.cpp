// SPDX-License-Identifier: MIT
// The view's readout over a Nyquist or Nichols page: no frequency lies
// under the pointer there, so the curve point nearest it is read: its
// frequency, gain and phase in the panes, Re and Im as well in Nyquist, and
// a dot where it lies.

#include "app_state.h"
#include "commands.h"
#include "graph/device_units.h"
#include "graph/page_impedance.h"
#include "graph/pages.h"
#include "main_view.h"
#include "qt_convert.h"
#include "trace_readout.h"

namespace fernplot {

const CurvePlane& CMainView::LoopPlaneOf(const GraphPage& page) {
  const LoopPlaneKey key{&page, page.data.points ? page.data.points->data() : nullptr,
                         page.properties.view, page.properties.loopCurve, page.properties.calcType};
  if (!(key == loopKey_)) {
    loopPlane_ = PageCurvePlane(page);
    loopKey_ = key;
  }
  return loopPlane_;
}

void CMainView::HandleLoopPointer(const GraphPage& page, QPoint client) {
  const QPointF mm = PagePositionMm(client, ScrollPosition(), zoom_);
  const FrameRect& f = page.layout.frame;
  const bool inside =
      mm.x() >= f.left && mm.x() <= f.right && mm.y() >= f.top && mm.y() <= f.bottom;
  std::optional<size_t> nearest;
  const CurvePlane& plane = LoopPlaneOf(page);
  if (inside) nearest = NearestCurvePoint(plane, page.layout, mm.x(), mm.y());
  QString texts[3];
  std::vector<TraceReadoutLine> lines;
  if (!dots_.empty()) viewport()->update(DotsRegion());
  dots_.clear();
  dotColours_.clear();
  if (nearest) {
    const CurveReading at = ReadingOf(plane.points[*nearest]);
    texts[0] = FrequencyPaneText(at.frequency);
    const bool ohms = ShowsOhms(page);
    texts[1] = ohms ? OhmsPaneText(at.gain) : GainPaneText(at.gain);
    texts[2] = PhasePaneText(at.phase);
    const QColor colour = ToQColor(page.properties.gainLineColor);
    lines.push_back({colour, CurveReadoutText(at.frequency, at.gain, at.phase, ohms)});
    if (plane.kind == ViewKind::kComplex) {
      // The plane's height is -Im Z: the parts are read as Z' and Z''.
      const PlanePoint v = PlaneValue(plane, at);
      const std::complex<double> z(v.x, -v.y);
      lines.push_back({QColor(), ImpedancePartsText(z)});
      if (ohms) {
        for (const QString& line : EquivalentReadoutLines(at.frequency, z)) {
          lines.push_back({QColor(), line});
        }
      }
    }
    if (plane.kind == ViewKind::kNyquist) {
      const PlanePoint re = PlaneValue(plane, at);
      texts[2] += QStringLiteral("  ") + PlaneReadoutText(re.x, re.y);
      lines.push_back({QColor(), PlaneReadoutText(re.x, re.y)});
    }
    if (state_.crossHairEnabled) {
      const PlanePoint p = PlaneMm(plane, page.layout, at);
      const double d = zoom_ * kPixelsPerMm;
      const QPoint scroll = ScrollPosition();
      dots_.emplace_back(TruncToDevice(p.x * d) - scroll.x(), TruncToDevice(p.y * d) - scroll.y());
      dotColours_.push_back(colour);
      viewport()->update(DotsRegion());
    }
  }
  emit paneTextChanged(kPaneFrequency, texts[0], nearest.has_value());
  emit paneTextChanged(kPaneGain, texts[1], nearest.has_value());
  emit paneTextChanged(kPanePhase, texts[2], nearest.has_value());
  if (nearest && curveReadout_) {
    if (!traceReadout_) traceReadout_ = new TraceReadout(viewport());
    traceReadout_->ShowAt(std::move(lines), client);
  } else if (traceReadout_) {
    traceReadout_->hide();
  }
  if (inside) ShowCrossHair(page, client);
}

}  // namespace fernplot
