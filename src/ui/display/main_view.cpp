#include "main_view.h"

#include <QKeyEvent>
#include <QMouseEvent>
#include <QPaintEvent>
#include <QPainter>
#include <QScrollBar>
#include <QWheelEvent>
#include <algorithm>
#include <cmath>

#include "app_state.h"
#include "commands.h"
#include "graph/pages.h"

namespace fernplot {

CMainView::CMainView(AppState& state, QWidget* parent)
    : QAbstractScrollArea(parent), state_(state) {
  setFocusPolicy(Qt::StrongFocus);
  viewport()->setMouseTracking(true);
  viewport()->setAutoFillBackground(false);
  // Every pixel is painted here; the system need not clear it first.
  viewport()->setAttribute(Qt::WA_OpaquePaintEvent);
  UpdateScrollSizes();
}

QString CMainView::PageIndicatorText(int current, int count) {
  return QStringLiteral("Page: %1 of %2").arg(current).arg(count);
}

GraphPage* CMainView::CurrentPage() const {
  if (!state_.drawingActive) return nullptr;
  const int n = state_.drawing.CurrentNumber();
  if (n < 1) return nullptr;
  return PageForSheet(state_.pages, n);
}

QPoint CMainView::ScrollPosition() const {
  return {horizontalScrollBar()->value(), verticalScrollBar()->value()};
}

void CMainView::SetScrollPosition(QPoint pos) {
  horizontalScrollBar()->setValue(pos.x());
  verticalScrollBar()->setValue(pos.y());
}

void CMainView::UpdateScrollSizes() {
  int totalW = 100, totalH = 100;
  int pageX = 10, pageY = 10, lineX = 1, lineY = 1;
  if (state_.drawingActive) {
    const QSize s = ZoomedSheetSize(state_.drawing);
    totalW = s.width();
    totalH = s.height();
    pageX = totalW / 2;
    pageY = totalH / 2;
    lineX = totalW / 50;
    lineY = totalH / 50;
  }
  const QSize vp = viewport()->size();
  QScrollBar* h = horizontalScrollBar();
  QScrollBar* v = verticalScrollBar();
  h->setRange(0, std::max(0, totalW - vp.width()));
  v->setRange(0, std::max(0, totalH - vp.height()));
  h->setPageStep(pageX);
  v->setPageStep(pageY);
  h->setSingleStep(lineX);
  v->setSingleStep(lineY);
}

void CMainView::InvalidatePicture() {
  cache_.Clear();
  crossHairVisible_ = false;
  viewport()->update();
}

bool CMainView::CanPreviousPage() const {
  return state_.drawingActive && state_.drawing.CurrentNumber() > 1;
}

bool CMainView::CanNextPage() const {
  return state_.drawingActive && state_.drawing.CurrentNumber() < state_.drawing.SheetCount();
}

bool CMainView::PreviousPage() {
  if (!state_.drawingActive || !state_.drawing.PreviousSheet()) return false;
  AfterPageStep();
  return true;
}

bool CMainView::NextPage() {
  if (!state_.drawingActive || !state_.drawing.NextSheet()) return false;
  AfterPageStep();
  return true;
}

void CMainView::AfterPageStep() {
  crossHairVisible_ = false;
  UpdateScrollSizes();
  viewport()->update();
  emit pageChanged();
}

void CMainView::resizeEvent(QResizeEvent* event) {
  QAbstractScrollArea::resizeEvent(event);
  UpdateScrollSizes();
}

void CMainView::scrollContentsBy(int, int) {
  // The lines were placed for the old scroll position; the next pointer
  // event places them again.
  crossHairVisible_ = false;
  viewport()->update();
}

namespace {

// Qt's raster engine hands a blit of more than about a hundred rows to its
// thread pool; for the thin strips a pointer move repaints, waking the pool
// costs more than the copy. Small rectangles are therefore cut into bands.
template <typename Fn>
void ForEachBand(const QRect& r, Fn fn) {
  constexpr int kBandRows = 64;
  constexpr int kSmallArea = 64 * 1024;
  if (r.width() * r.height() > kSmallArea || r.height() <= kBandRows) {
    fn(r);
    return;
  }
  for (int y = r.top(); y <= r.bottom(); y += kBandRows) {
    fn(QRect(r.left(), y, r.width(), std::min(kBandRows, r.bottom() - y + 1)));
  }
}

}  // namespace

void CMainView::paintEvent(QPaintEvent* event) {
  QPainter painter(viewport());
  const QRegion region = event->region();
  const qreal dpr = viewport()->devicePixelRatioF();
  const QImage* image = state_.drawingActive ? &cache_.Get(state_.drawing, dpr) : nullptr;
  const QPoint scroll = ScrollPosition();
  // What the picture does not cover is the window's white.
  QRegion blank = region;
  if (image && !image->isNull()) {
    const QRect imageRect(QPoint(0, 0), image->deviceIndependentSize().toSize());
    for (const QRect& r : region) {
      const QRect part = r.translated(scroll) & imageRect;
      if (part.isEmpty()) continue;
      ForEachBand(part, [&](const QRect& band) {
        const QRectF source(band.x() * dpr, band.y() * dpr, band.width() * dpr,
                            band.height() * dpr);
        painter.drawImage(QRectF(band.translated(-scroll)), *image, source);
      });
    }
    blank -= imageRect.translated(-scroll);
  }
  for (const QRect& r : blank) painter.fillRect(r, Qt::white);
  if (!state_.drawingActive) return;
  if (image && !image->isNull() && crossHairVisible_) PaintCrossHair(painter, *image);
  const DrawingDocument& doc = state_.drawing;
  emit paneTextChanged(kPanePage, PageIndicatorText(doc.CurrentNumber(), doc.SheetCount()), true);
}

namespace {

// The pixels of `image` under `logical` (page coordinates), XOR-ed with
// magenta as a raster XOR pen would leave them. skipRow >= 0 leaves that
// logical row as it was: where two XOR lines cross, the pixel is restored.
QImage XorStrip(const QImage& image, QRect logical, int skipRow) {
  const qreal dpr = image.devicePixelRatio();
  const QRect device(static_cast<int>(std::floor(logical.x() * dpr)),
                     static_cast<int>(std::floor(logical.y() * dpr)),
                     static_cast<int>(std::ceil(logical.width() * dpr)),
                     static_cast<int>(std::ceil(logical.height() * dpr)));
  const QRect clipped = device & image.rect();
  if (clipped.isEmpty()) return {};
  QImage strip = image.copy(clipped).convertToFormat(QImage::Format_RGB32);
  const int skipFrom =
      skipRow >= 0 ? static_cast<int>(std::floor(skipRow * dpr)) - clipped.y() : -1;
  const int skipTo =
      skipRow >= 0 ? static_cast<int>(std::ceil((skipRow + 1) * dpr)) - clipped.y() : -1;
  for (int y = 0; y < strip.height(); ++y) {
    if (y >= skipFrom && y < skipTo) continue;
    auto* line = reinterpret_cast<QRgb*>(strip.scanLine(y));
    for (int x = 0; x < strip.width(); ++x) line[x] ^= 0x00FF00FFu;
  }
  strip.setDevicePixelRatio(dpr);
  return strip;
}

}  // namespace

void CMainView::PaintCrossHair(QPainter& painter, const QImage& image) const {
  const QPoint s = lastScroll_;
  const qreal dpr = image.devicePixelRatio();
  const QLine& h = lines_.horizontal;
  const QLine& v = lines_.vertical;
  // A polyline leaves out its last point.
  const QRect hRect(h.x1() + s.x(), h.y1() + s.y(), h.x2() - h.x1(), 1);
  const QRect vRect(v.x1() + s.x(), v.y1() + s.y(), 1, v.y2() - v.y1());
  const bool crosses = v.x1() >= h.x1() && v.x1() < h.x2() && h.y1() >= v.y1() && h.y1() < v.y2();
  const QImage hs = XorStrip(image, hRect, -1);
  const QImage vs = XorStrip(image, vRect, crosses ? h.y1() + s.y() : -1);
  const auto origin = [&](QRect r) {
    return QPointF(std::floor(r.x() * dpr) / dpr - s.x(), std::floor(r.y() * dpr) / dpr - s.y());
  };
  if (!hs.isNull()) painter.drawImage(origin(hRect), hs);
  if (!vs.isNull()) {
    const QPointF at = origin(vRect);
    ForEachBand(vs.rect(), [&](const QRect& band) {
      painter.drawImage(at + QPointF(band.topLeft()) / dpr, vs, band);
    });
  }
}

QRegion CMainView::CrossHairRegion() const {
  const QLine& h = lines_.horizontal;
  const QLine& v = lines_.vertical;
  QRegion r(QRect(h.x1(), h.y1(), std::max(0, h.x2() - h.x1()), 1));
  r += QRect(v.x1(), v.y1(), 1, std::max(0, v.y2() - v.y1()));
  return r;
}

void CMainView::HideCrossHair() {
  if (!crossHairVisible_) return;
  crossHairVisible_ = false;
  viewport()->update(CrossHairRegion());
}

void CMainView::ShowCrossHair(const GraphPage& page, QPoint client) {
  if (!state_.crossHairEnabled) return;
  lastScroll_ = ScrollPosition();
  lines_ = CrossHairGeometry(page.properties, client, lastScroll_, state_.drawing.zoomFactor);
  crossHairVisible_ = true;
  viewport()->update(CrossHairRegion());
}

void CMainView::HandlePointer(QPoint client) {
  HideCrossHair();
  QString texts[3];
  const GraphPage* page = CurrentPage();
  std::optional<Readout> readout;
  if (page) {
    readout = ComputeReadout(page->properties, client, ScrollPosition(), state_.drawing.zoomFactor);
  }
  if (readout) {
    texts[0] = FrequencyPaneText(readout->frequency);
    texts[1] = GainPaneText(readout->gain);
    texts[2] = PhasePaneText(readout->phase);
  }
  const bool fit = readout.has_value();
  emit paneTextChanged(kPaneFrequency, texts[0], fit);
  emit paneTextChanged(kPaneGain, texts[1], fit);
  emit paneTextChanged(kPanePhase, texts[2], fit);
  if (readout) ShowCrossHair(*page, client);
}

void CMainView::ClearPointer() {
  HideCrossHair();
  for (int pane : {kPaneFrequency, kPaneGain, kPanePhase}) emit paneTextChanged(pane, {}, false);
}

void CMainView::mouseMoveEvent(QMouseEvent* event) {
  HandlePointer(event->position().toPoint());
  QAbstractScrollArea::mouseMoveEvent(event);
}

bool CMainView::viewportEvent(QEvent* event) {
  // Leaving the viewport includes moving onto a scroll bar.
  if (event->type() == QEvent::Leave) ClearPointer();
  return QAbstractScrollArea::viewportEvent(event);
}

void CMainView::keyPressEvent(QKeyEvent* event) {
  QScrollBar* h = horizontalScrollBar();
  QScrollBar* v = verticalScrollBar();
  switch (event->key()) {
    case Qt::Key_PageUp:
      PreviousPage();
      break;
    case Qt::Key_PageDown:
      NextPage();
      break;
    case Qt::Key_End:
      v->triggerAction(QAbstractSlider::SliderToMaximum);
      h->triggerAction(QAbstractSlider::SliderToMaximum);
      break;
    case Qt::Key_Home:
      v->triggerAction(QAbstractSlider::SliderToMinimum);
      h->triggerAction(QAbstractSlider::SliderToMinimum);
      break;
    case Qt::Key_Left:
      h->triggerAction(QAbstractSlider::SliderSingleStepSub);
      break;
    case Qt::Key_Up:
      v->triggerAction(QAbstractSlider::SliderSingleStepSub);
      break;
    case Qt::Key_Right:
      h->triggerAction(QAbstractSlider::SliderSingleStepAdd);
      break;
    case Qt::Key_Down:
      v->triggerAction(QAbstractSlider::SliderSingleStepAdd);
      break;
    default:
      QAbstractScrollArea::keyPressEvent(event);
      return;
  }
  event->accept();
}

void CMainView::wheelEvent(QWheelEvent* event) {
  if (!(event->modifiers() & Qt::ControlModifier)) {
    wheelRemainder_ = 0;
    QAbstractScrollArea::wheelEvent(event);
    return;
  }
  event->accept();
  wheelRemainder_ += event->angleDelta().y();
  const int steps = wheelRemainder_ / 120;
  if (steps == 0) return;
  wheelRemainder_ -= steps * 120;

  const QPoint mouse = event->position().toPoint();
  const double before = state_.drawing.zoomFactor;
  const QPointF mm = PagePositionMm(mouse, ScrollPosition(), before);
  emit zoomStepRequested(steps);
  const double after = state_.drawing.zoomFactor;
  if (after == before) return;
  const double d = after * kPixelsPerMm;
  SetScrollPosition(QPoint(static_cast<int>(std::lround(mm.x() * d)) - mouse.x(),
                           static_cast<int>(std::lround(mm.y() * d)) - mouse.y()));
  HandlePointer(mouse);
}

}  // namespace fernplot
