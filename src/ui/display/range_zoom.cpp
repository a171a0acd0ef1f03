// SPDX-License-Identifier: MIT
#include "range_zoom.h"

#include <QMouseEvent>
#include <QRubberBand>
#include <algorithm>
#include <cmath>

#include "app_state.h"
#include "command_table.h"
#include "commands.h"
#include "cross_hair.h"
#include "graph/drawing.h"
#include "graph/pages.h"
#include "main_view.h"
#include "page_actions.h"
#include "toolbar_icons.h"

namespace fernplot {

namespace {

// A drag shorter than this (pixels) in either direction is a click.
constexpr int kLeastDrag = 4;

std::array<AxisSettings*, 3> Axes(GraphProperties& p) {
  return {&p.HB, &p.VL, &p.VR};
}

}  // namespace

PageLimits LimitsOf(const GraphProperties& props) {
  PageLimits l;
  const std::array<const AxisSettings*, 3> axes{&props.HB, &props.VL, &props.VR};
  for (size_t i = 0; i < axes.size(); ++i) {
    l.axes[i] = {axes[i]->useDataMin, axes[i]->useDataMax, axes[i]->rangeMin, axes[i]->rangeMax};
  }
  return l;
}

void SetLimits(GraphProperties& props, const PageLimits& limits) {
  const std::array<AxisSettings*, 3> axes = Axes(props);
  for (size_t i = 0; i < axes.size(); ++i) {
    axes[i]->useDataMin = limits.axes[i].useDataMin;
    axes[i]->useDataMax = limits.axes[i].useDataMax;
    axes[i]->rangeMin = limits.axes[i].rangeMin;
    axes[i]->rangeMax = limits.axes[i].rangeMax;
  }
}

std::optional<PageLimits> LimitsOfRectangle(const PageLayout& layout, QPoint a, QPoint b,
                                            QPoint scroll, double zoom) {
  // The frame in viewport pixels; the rectangle is clipped to it.
  const double d = zoom * kPixelsPerMm;
  const QRect frame(QPoint(static_cast<int>(std::ceil(layout.frame.left * d)) - scroll.x(),
                           static_cast<int>(std::ceil(layout.frame.top * d)) - scroll.y()),
                    QPoint(static_cast<int>(std::floor(layout.frame.right * d)) - scroll.x(),
                           static_cast<int>(std::floor(layout.frame.bottom * d)) - scroll.y()));
  const QRect r = QRect(QPoint(std::min(a.x(), b.x()), std::min(a.y(), b.y())),
                        QPoint(std::max(a.x(), b.x()), std::max(a.y(), b.y()))) &
                  frame;
  if (r.width() < kLeastDrag || r.height() < kLeastDrag) return std::nullopt;
  const std::optional<Readout> low = ComputeReadout(layout, r.bottomLeft(), scroll, zoom);
  const std::optional<Readout> high = ComputeReadout(layout, r.topRight(), scroll, zoom);
  if (!low || !high) return std::nullopt;
  PageLimits l;
  l.axes[0] = {0, 0, low->frequency, high->frequency};
  l.axes[1] = {0, 0, low->gain, high->gain};
  l.axes[2] = {0, 0, low->phase, high->phase};
  return l;
}

PageLimits WholeSweepLimits(PageLimits limits) {
  for (AxisRangeLimits& a : limits.axes) a.useDataMin = a.useDataMax = 1;
  return limits;
}

RangeZoomPart::RangeZoomPart(AppState& state, CMainView* view)
    : QObject(view), state_(state), view_(view), viewport_(view->viewport()) {
  viewport_->installEventFilter(this);
}

void RangeZoomPart::AddCommands(CommandTable& table) {
  const auto shown = [this] { return PageShown(state_); };
  table.Add({.id = kCmdZoomRangeMode,
             .text = FERNPLOT_TEXT("Commands", "範囲を拡大"),
             .prompt = FERNPLOT_TEXT("Commands",
                                     "ｸﾞﾗﾌ上でﾄﾞﾗｯｸﾞした範囲を表示します"
                                     "（右ﾎﾞﾀﾝのﾄﾞﾗｯｸﾞはいつでも）。\n範囲の拡大"),
             .menu = MenuId::kZoom,
             .menuPlace = {1, 0},
             .toolPlace = {3, 2},
             .icon = MakeToolIcon(ToolIcon::kZoomRange),
             .checkable = true,
             .run = [this] { SetZoomMode(!zoomMode_); },
             .checked = [this] { return zoomMode_; }});
  table.Add({.id = kCmdRangeBack,
             .text = FERNPLOT_TEXT("Commands", "前の範囲に戻る"),
             .prompt = FERNPLOT_TEXT("Commands", "拡大する前の範囲に戻ります。\n前の範囲"),
             .shortcut = QKeySequence(Qt::Key_Backspace),
             .menu = MenuId::kZoom,
             .menuPlace = {1, 1},
             .toolPlace = {3, 3},
             .icon = MakeToolIcon(ToolIcon::kRangeBack),
             .run = [this] { Back(); },
             .enabled = [this] { return CanGoBack(); }});
  table.Add({.id = kCmdWholeSweep,
             .text = FERNPLOT_TEXT("Commands", "掃引全体を表示"),
             .prompt = FERNPLOT_TEXT("Commands", "ﾃﾞｰﾀの範囲全体を表示します。\n掃引全体の表示"),
             .shortcut = QKeySequence(Qt::Key_Home),
             .menu = MenuId::kZoom,
             .menuPlace = {1, 2},
             .toolPlace = {3, 4},
             .icon = MakeToolIcon(ToolIcon::kWholeSweep),
             .run = [this] { WholeSweep(); },
             .enabled = shown});
}

void RangeZoomPart::SetZoomMode(bool on) {
  zoomMode_ = on;
  viewport_->setCursor(on ? Qt::CrossCursor : Qt::ArrowCursor);
  emit statesChanged();
}

std::vector<RangeZoomPart::ShownRange>& RangeZoomPart::History() {
  const GraphPage* page = PageOnScreen(state_);
  if (page != historyPage_) {
    history_.clear();
    historyPage_ = page;
  }
  return history_;
}

void RangeZoomPart::Apply(GraphPage& page, const ShownRange& range) {
  SetLimits(page.properties, range.limits);
  page.rangeZoomed = range.zoomed;
  state_.session.RebuildCurrent();
  emit pageRebuilt();
}

bool RangeZoomPart::ZoomTo(QPoint a, QPoint b) {
  GraphPage* page = PageOnScreen(state_);
  // A rectangle of a loop view's plane is no range of frequencies.
  if (!page || page->properties.view != ViewKind::kBode) return false;
  const std::optional<PageLimits> limits =
      LimitsOfRectangle(page->layout, a, b, view_->ScrollPosition(), view_->Zoom());
  if (!limits) return false;
  History().push_back({LimitsOf(page->properties), page->rangeZoomed});
  Apply(*page, {*limits, true});
  return true;
}

bool RangeZoomPart::CanGoBack() const {
  return historyPage_ && historyPage_ == PageOnScreen(state_) && !history_.empty();
}

void RangeZoomPart::Back() {
  GraphPage* page = PageOnScreen(state_);
  std::vector<ShownRange>& history = History();
  if (!page || history.empty()) return;
  const ShownRange before = history.back();
  history.pop_back();
  Apply(*page, before);
}

// Home: the page from its start, with the whole sweep.
void RangeZoomPart::WholeSweep() {
  GraphPage* page = PageOnScreen(state_);
  if (!page) return;
  view_->SetScrollPosition(QPoint(0, 0));
  const PageLimits current = LimitsOf(page->properties);
  const PageLimits whole = WholeSweepLimits(current);
  if (current == whole) return;
  History().push_back({current, page->rangeZoomed});
  Apply(*page, {whole, false});
}

bool RangeZoomPart::eventFilter(QObject* watched, QEvent* event) {
  if (watched != viewport_) return false;
  switch (event->type()) {
    case QEvent::MouseButtonPress: {
      auto* mouse = static_cast<QMouseEvent*>(event);
      const bool wanted =
          mouse->button() == Qt::RightButton || (zoomMode_ && mouse->button() == Qt::LeftButton &&
                                                 !(mouse->modifiers() & Qt::ShiftModifier));
      if (!wanted || !PageOnScreen(state_)) return false;
      dragFrom_ = mouse->position().toPoint();
      if (!band_) band_ = new QRubberBand(QRubberBand::Rectangle, viewport_);
      band_->setGeometry(QRect(*dragFrom_, QSize()));
      band_->show();
      return true;
    }
    case QEvent::MouseMove: {
      if (!dragFrom_) return false;
      band_->setGeometry(
          QRect(*dragFrom_, static_cast<QMouseEvent*>(event)->position().toPoint()).normalized());
      return false;  // the readout keeps following
    }
    case QEvent::MouseButtonRelease: {
      if (!dragFrom_) return false;
      const QPoint from = *dragFrom_;
      dragFrom_.reset();
      band_->hide();
      ZoomTo(from, static_cast<QMouseEvent*>(event)->position().toPoint());
      return true;
    }
    default:
      return false;
  }
}

}  // namespace fernplot
