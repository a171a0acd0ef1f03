// SPDX-License-Identifier: MIT
#include "main_view.h"

#include <QCursor>
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
#include "graph/page_session.h"
#include "graph/pages.h"
#include "graph/production_marks.h"
#include "paint_bands.h"
#include "trace_readout.h"

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
  return tr("Page: %1 of %2").arg(current).arg(count);
}

GraphPage* CMainView::CurrentPage() const {
  return state_.session.CurrentPage();
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
  // Without a sheet (the last page closed) the view has nothing to scroll.
  if (state_.session.drawingActive && state_.session.drawing.SheetCount() > 0) {
    const QSize s = ZoomedSheetSize(state_.session.drawing, zoom_);
    pageX = s.width() / 2;
    pageY = s.height() / 2;
    lineX = s.width() / 50;
    lineY = s.height() / 50;
    // The page outline is drawn on the sheet's last whole millimetre; its
    // pen reaches one pixel past the sheet, which must be reachable too.
    totalW = s.width() + 1;
    totalH = s.height() + 1;
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
  ForgetTraces();
  crossHairVisible_ = false;
  viewport()->update();
}

void CMainView::SetCurveReadout(bool on) {
  curveReadout_ = on;
  FollowPointer();
  if (!on && traceReadout_ && state_.session.CurrentPage() &&
      state_.session.CurrentPage()->overlays.empty()) {
    traceReadout_->hide();
  }
}

bool CMainView::CanPreviousPage() const {
  return state_.session.drawingActive && state_.session.drawing.CurrentNumber() > 1;
}

bool CMainView::CanNextPage() const {
  return state_.session.drawingActive &&
         state_.session.drawing.CurrentNumber() < state_.session.drawing.SheetCount();
}

bool CMainView::PreviousPage() {
  if (!state_.session.ShowPrevious()) return false;
  AfterPageStep();
  return true;
}

bool CMainView::NextPage() {
  if (!state_.session.ShowNext()) return false;
  AfterPageStep();
  return true;
}

bool CMainView::GoToPage(int n) {
  if (!state_.session.drawingActive || n < 1 || n > state_.session.drawing.SheetCount()) {
    return false;
  }
  if (n == state_.session.drawing.CurrentNumber()) return true;
  if (!state_.session.ShowSheet(n)) return false;
  AfterPageStep();
  return true;
}

void CMainView::AfterPageStep() {
  crossHairVisible_ = false;
  UpdateScrollSizes();
  viewport()->update();
  emit pageChanged();
  FollowPointer();
}

void CMainView::FollowPointer() {
  if (!viewport()->underMouse()) return;
  const QPoint at = viewport()->mapFromGlobal(QCursor::pos());
  if (viewport()->rect().contains(at)) HandlePointer(at);
}

void CMainView::resizeEvent(QResizeEvent* event) {
  QAbstractScrollArea::resizeEvent(event);
  UpdateScrollSizes();
}

void CMainView::scrollContentsBy(int, int) {
  // The lines were placed for the old scroll position; they are placed again
  // for the pointer where it is now.
  crossHairVisible_ = false;
  viewport()->update();
  FollowPointer();
}

void CMainView::paintEvent(QPaintEvent* event) {
  QPainter painter(viewport());
  const QRegion region = event->region();
  const qreal dpr = viewport()->devicePixelRatioF();
  const QImage* image =
      state_.session.drawingActive ? &cache_.Get(state_.session.drawing, zoom_, dpr) : nullptr;
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
  if (!state_.session.drawingActive) return;
  if (image && !image->isNull() && crossHairVisible_) {
    PaintCrossHair(painter, *image);
    PaintCurveDots(painter);
  }
  const DrawingDocument& doc = state_.session.drawing;
  QString pageText = PageIndicatorText(doc.CurrentNumber(), doc.SheetCount());
  // A page judged against a mask says how it did.
  if (const GraphPage* page = state_.session.CurrentPage()) {
    if (const MaskVerdict* verdict = PageVerdict(*page)) {
      pageText += verdict->pass ? QStringLiteral("  PASS") : QStringLiteral("  FAIL");
    }
  }
  emit paneTextChanged(kPanePage, pageText, true);
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
  const double before = zoom_;
  const QPointF mm = PagePositionMm(mouse, ScrollPosition(), before);
  emit zoomStepRequested(steps);
  const double after = zoom_;
  if (after == before) return;
  const double d = after * kPixelsPerMm;
  SetScrollPosition(QPoint(static_cast<int>(std::lround(mm.x() * d)) - mouse.x(),
                           static_cast<int>(std::lround(mm.y() * d)) - mouse.y()));
  HandlePointer(mouse);
}

}  // namespace fernplot
