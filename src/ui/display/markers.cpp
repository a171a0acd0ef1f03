// SPDX-License-Identifier: MIT
#include "markers.h"

#include <QEvent>
#include <QKeyEvent>
#include <QMouseEvent>
#include <QPainter>
#include <algorithm>
#include <cmath>

#include "analysis/figures_text.h"
#include "app_state.h"
#include "cross_hair.h"
#include "graph/axis_map.h"
#include "graph/loop_readout.h"
#include "graph/page_figures.h"
#include "main_view.h"
#include "qt_convert.h"
#include "text/number_text.h"

namespace fernplot {

namespace {

Marker MarkerOnPoint(const std::vector<UsablePoint>& points, size_t k) {
  const UsablePoint& p = points[k];
  return {CurveReading{p.frequency, p.gain, p.unwrapped, WrapDegrees(p.unwrapped)}, k};
}

std::string MarkerText(char name, const Marker& m) {
  std::string text(1, name);
  for (const std::string& piece :
       {std::string(" "), ThreeDigits(m.at.frequency, "Hz"), std::string(" "),
        FormatFixedPoint(m.at.gain, 2), std::string(" dB "), FormatFixedPoint(m.at.phase, 1),
        std::string("\u00B0")}) {
    text += piece;
  }
  return text;
}

QColor MarkerColour(int i) {
  return i == 0 ? QColor(0, 128, 0) : QColor(160, 0, 160);
}

// Paints the markers over the viewport; clicks go through to the view.
class MarkerOverlay : public QWidget {
 public:
  MarkerOverlay(MarkerController& controller, QWidget* viewport)
      : QWidget(viewport), controller_(controller) {
    setAttribute(Qt::WA_TransparentForMouseEvents);
    setAttribute(Qt::WA_NoSystemBackground);
    setGeometry(viewport->rect());
  }

 protected:
  void paintEvent(QPaintEvent*) override {
    MarkerPair& pair = controller_.Pair();
    if (pair.Empty()) return;
    QPainter p(this);
    p.setRenderHint(QPainter::Antialiasing);
    const std::optional<Marker>* markers[2] = {&pair.A(), &pair.B()};
    for (int i = 0; i < 2; ++i) {
      if (!*markers[i]) continue;
      const std::optional<QPointF> at = controller_.ViewPosition((*markers[i])->at);
      if (!at) continue;
      const QColor colour = MarkerColour(i);
      p.setPen(QPen(colour, i == pair.Active() ? 2.0 : 1.0));
      p.setBrush(Qt::NoBrush);
      // A diamond on the curve and the marker's letter above it.
      const QPointF c = *at;
      const QPointF diamond[4] = {c + QPointF(0, -5), c + QPointF(5, 0), c + QPointF(0, 5),
                                  c + QPointF(-5, 0)};
      p.drawPolygon(diamond, 4);
      p.drawLine(c + QPointF(0, -12), c + QPointF(0, -5));
      p.drawText(QRectF(c.x() - 10, c.y() - 28, 20, 16), Qt::AlignCenter,
                 i == 0 ? QStringLiteral("A") : QStringLiteral("B"));
    }
  }

 private:
  MarkerController& controller_;
};

}  // namespace

void MarkerPair::SetPoints(std::vector<UsablePoint> points) {
  points_ = std::move(points);
  Clear();
}

void MarkerPair::Clear() {
  a_.reset();
  b_.reset();
  active_ = 1;
}

bool MarkerPair::Place(double frequency) {
  if (points_.empty() || !std::isfinite(frequency)) return false;
  Marker m;
  if (const std::optional<CurveReading> r = InterpolateAt(points_, frequency)) {
    m.at = *r;
    // A reading on a point is that point: the arrow keys step from it.
    const auto on =
        std::lower_bound(points_.begin(), points_.end(), frequency,
                         [](const UsablePoint& p, double f) { return p.frequency < f; });
    if (on != points_.end() && on->frequency == frequency) {
      m = MarkerOnPoint(points_, static_cast<size_t>(on - points_.begin()));
    }
  } else {
    m = MarkerOnPoint(points_, frequency < points_.front().frequency ? 0 : points_.size() - 1);
  }
  active_ = 1 - active_;
  (active_ == 0 ? a_ : b_) = m;
  return true;
}

bool MarkerPair::Step(int steps) {
  std::optional<Marker>& m = active_ == 0 ? a_ : b_;
  if (!m || steps == 0 || points_.empty()) return false;
  const auto last = static_cast<long>(points_.size()) - 1;
  long k;
  if (m->point) {
    k = static_cast<long>(*m->point) + steps;
  } else if (steps > 0) {
    // Between two points: the first step lands on the neighbour that side.
    const auto above =
        std::upper_bound(points_.begin(), points_.end(), m->at.frequency,
                         [](double f, const UsablePoint& p) { return f < p.frequency; });
    k = static_cast<long>(above - points_.begin()) + steps - 1;
  } else {
    const auto notBelow =
        std::lower_bound(points_.begin(), points_.end(), m->at.frequency,
                         [](const UsablePoint& p, double f) { return p.frequency < f; });
    k = static_cast<long>(notBelow - points_.begin()) + steps;
  }
  k = std::clamp(k, 0L, last);
  if (m->point && static_cast<long>(*m->point) == k) return false;
  m = MarkerOnPoint(points_, static_cast<size_t>(k));
  return true;
}

std::string MarkerPair::StatusText() const {
  std::string text;
  if (a_) text += MarkerText('A', *a_);
  if (b_) {
    if (!text.empty()) text += "  ";
    text += MarkerText('B', *b_);
  }
  if (a_ && b_) {
    const double decades = std::log10(b_->at.frequency / a_->at.frequency);
    // Appended piece by piece: GCC 12 warns (-Wrestrict) about literal +
    // temporary string at -O3.
    for (const std::string& piece :
         {std::string("  \u0394f "), ThreeDigits(b_->at.frequency - a_->at.frequency, "Hz"),
          std::string("  \u0394dB "), FormatFixedPoint(b_->at.gain - a_->at.gain, 2),
          std::string("  \u0394deg "), FormatFixedPoint(b_->at.unwrapped - a_->at.unwrapped, 1),
          std::string("\u00B0  "), FormatFixedPoint(decades / std::log10(2.0), 2),
          std::string(" oct "), FormatFixedPoint(decades, 3), std::string(" dec")}) {
      text += piece;
    }
  }
  return text;
}

MarkerController::MarkerController(AppState& state, CMainView* view)
    : QObject(view), state_(state), view_(view), viewport_(view->viewport()) {
  overlay_ = new MarkerOverlay(*this, view->viewport());
  overlay_->show();
  view->viewport()->installEventFilter(this);
  view->installEventFilter(this);
}

void MarkerController::SetMarkerMode(bool on) {
  markerMode_ = on;
  view_->viewport()->setCursor(on ? Qt::CrossCursor : Qt::ArrowCursor);
}

void MarkerController::PageChanged() {
  const GraphPage* page = state_.session.drawingActive ? state_.session.CurrentPage() : nullptr;
  const ChannelRatio calc = page ? page->properties.calcType : ChannelRatio::kCh1Ch2;
  const void* data = page && page->data.points ? page->data.points->data() : nullptr;
  const LoopCurve curve = page ? page->properties.loopCurve : LoopCurve::kOpen;
  // The same page with the same points, ratio and curve keeps its markers
  // (a zoom, a change of colours or view); anything else starts without.
  if (page == page_ && calc == pageCalc_ && data == pageData_ && curve == pageCurve_) {
    Changed();
    return;
  }
  page_ = page;
  pageCalc_ = calc;
  pageData_ = data;
  pageCurve_ = curve;
  // The markers sit on the curve the page shows: T or S when it shows those.
  pair_.SetPoints(page ? ShownUsablePoints(*page) : std::vector<UsablePoint>{});
  Changed();
}

QRegion MarkerController::MarkerRegion() const {
  QRegion region;
  for (const std::optional<Marker>* m : {&pair_.A(), &pair_.B()}) {
    if (!*m) continue;
    // The diamond, the stem and the letter over it (MarkerOverlay).
    if (const std::optional<QPointF> at = ViewPosition((*m)->at)) {
      region += QRect(static_cast<int>(at->x()) - 14, static_cast<int>(at->y()) - 32, 29, 40);
    }
  }
  return region;
}

void MarkerController::Changed() {
  // Only where the markers were and are: a move repaints two small squares,
  // not the page.
  const QRegion now = MarkerRegion();
  overlay_->update(painted_ + now);
  painted_ = now;
  emit statusTextChanged(QStringFromUtf8(pair_.StatusText()));
}

std::optional<QPointF> MarkerController::ViewPosition(const CurveReading& at) const {
  const GraphPage* page = state_.session.drawingActive ? state_.session.CurrentPage() : nullptr;
  if (!page) return std::nullopt;
  const PageLayout& layout = page->layout;
  // The residual view draws no curve of the page's to mark.
  if (page->properties.view == ViewKind::kKk) return std::nullopt;
  if (page->properties.view != ViewKind::kBode) {
    // On the curve in the loop view's plane; none off the frame.
    const PlanePoint p = PlaneMm(LoopPlane(*page), layout, at);
    const FrameRect& f = layout.frame;
    if (!(p.x >= f.left && p.x <= f.right && p.y >= f.top && p.y <= f.bottom)) {
      return std::nullopt;
    }
    const double d = view_->Zoom() * kPixelsPerMm;
    const QPoint scroll = view_->ScrollPosition();
    return QPointF(p.x * d - scroll.x(), p.y * d - scroll.y());
  }
  const double x = layout.frequency.ToMm(at.frequency);
  double y = layout.gain.ToMm(at.gain);
  if (!std::isfinite(x) || !std::isfinite(y)) return std::nullopt;
  // On the frame's edge when the gain lies off the axis, as the curve is.
  y = std::clamp(y, layout.frame.top, layout.frame.bottom);
  const double d = view_->Zoom() * kPixelsPerMm;
  const QPoint scroll = view_->ScrollPosition();
  return QPointF(x * d - scroll.x(), y * d - scroll.y());
}

CurvePlane MarkerController::LoopPlane(const GraphPage& page) const {
  return PlaneOfCurve(page.properties.view, pair_.Points());
}

bool MarkerController::PlaceAt(QPoint client) {
  const GraphPage* page = state_.session.drawingActive ? state_.session.CurrentPage() : nullptr;
  if (!page || page->properties.view == ViewKind::kKk) return false;
  PageChanged();
  if (page->properties.view != ViewKind::kBode) {
    // The curve point nearest the click.
    const QPointF mm = PagePositionMm(client, view_->ScrollPosition(), view_->Zoom());
    const FrameRect& f = page->layout.frame;
    if (!(mm.x() >= f.left && mm.x() <= f.right && mm.y() >= f.top && mm.y() <= f.bottom)) {
      return false;
    }
    const CurvePlane plane = LoopPlane(*page);
    const std::optional<size_t> i = NearestCurvePoint(plane, page->layout, mm.x(), mm.y());
    if (!i || !pair_.Place(plane.points[*i].frequency)) return false;
    Changed();
    return true;
  }
  const std::optional<Readout> r =
      ComputeReadout(page->layout, client, view_->ScrollPosition(), view_->Zoom());
  if (!r || !pair_.Place(r->frequency)) return false;
  Changed();
  return true;
}

bool MarkerController::eventFilter(QObject* watched, QEvent* event) {
  if (watched == viewport_) {
    if (event->type() == QEvent::Resize) overlay_->setGeometry(viewport_->rect());
    if (event->type() == QEvent::MouseButtonPress) {
      auto* mouse = static_cast<QMouseEvent*>(event);
      const bool wanted = mouse->button() == Qt::LeftButton &&
                          (markerMode_ || (mouse->modifiers() & Qt::ShiftModifier));
      if (wanted && PlaceAt(mouse->position().toPoint())) return true;
    }
    return false;
  }
  if (watched == view_ && event->type() == QEvent::KeyPress) {
    auto* key = static_cast<QKeyEvent*>(event);
    if (key->key() == Qt::Key_Escape && !pair_.Empty()) {
      pair_.Clear();
      Changed();
      return true;
    }
    if (!markerMode_) return false;
    int steps = 0;
    if (key->key() == Qt::Key_Left || key->key() == Qt::Key_Down) steps = -1;
    if (key->key() == Qt::Key_Right || key->key() == Qt::Key_Up) steps = 1;
    if (steps == 0) return false;
    // Arrows are the markers' in marker mode, also at either end.
    if (pair_.Step(steps)) Changed();
    return true;
  }
  return false;
}

}  // namespace fernplot
