// SPDX-License-Identifier: MIT
#include "view_part.h"

#include <QClipboard>
#include <QComboBox>
#include <QGuiApplication>
#include <QLabel>
#include <QMainWindow>
#include <QStatusBar>
#include <QToolBar>
#include <algorithm>

#include "app_state.h"
#include "command_table.h"
#include "commands.h"
#include "frame_dialogs.h"
#include "main_view.h"
#include "page_actions.h"
#include "page_output.h"
#include "qt_convert.h"
#include "toolbar_icons.h"

namespace fernplot {

namespace {

constexpr int kPanePadding = 3;  // each side of a pane's text

constexpr std::string_view kZoomPrompt =
    FERNPLOT_TEXT("Commands", "ｸﾞﾗﾌ全体の表示倍率を変更します。\n表示倍率の変更");

}  // namespace

ViewPart::ViewPart(AppState& state, FrameDialogs& dialogs, QMainWindow& window, QToolBar& toolBar)
    : QObject(&window), state_(state), dialogs_(dialogs), window_(window), toolBar_(toolBar) {
  view_ = new CMainView(state_, &window);
  window.setCentralWidget(view_);
  connect(view_, &CMainView::paneTextChanged, this,
          [this](int pane, const QString& text, bool fit) { SetStatusPaneText(pane, text, fit); });
  connect(view_, &CMainView::zoomStepRequested, this, &ViewPart::StepZoom);
  CreateZoomBox();
  CreateStatusPanes();
}

void ViewPart::AddCommands(CommandTable& table) {
  const auto shown = [this] { return PageShown(state_); };
  table.Add({.id = kCmdCopyToClipboard,
             .text = FERNPLOT_TEXT("Commands", "ｸﾘｯﾌﾟﾎﾞｰﾄﾞにｺﾋﾟｰ"),
             .prompt = FERNPLOT_TEXT(
                 "Commands", "表示ﾍﾟｰｼﾞのｲﾒｰｼﾞをｸﾘｯﾌﾟﾎﾞｰﾄﾞへ複写します。\nｸﾘｯﾌﾟﾎﾞｰﾄﾞへ複写"),
             .menu = MenuId::kFile,
             .menuPlace = {1, 0},
             .run = [this] { CopyPageToClipboard(); },
             .enabled = shown});
  table.Add({.id = kCmdToolBar,
             .text = FERNPLOT_TEXT("Commands", "ﾂｰﾙ ﾊﾞｰ"),
             .menu = MenuId::kView,
             .menuPlace = {0, 0},
             .checkable = true,
             .run =
                 [this] {
                   toolBar_.setVisible(toolBar_.isHidden());
                   emit statesChanged();
                 },
             .checked = [this] { return !toolBar_.isHidden(); }});
  table.Add({.id = kCmdStatusBar,
             .text = FERNPLOT_TEXT("Commands", "ｽﾃｰﾀｽ ﾊﾞｰ"),
             .menu = MenuId::kView,
             .menuPlace = {0, 1},
             .checkable = true,
             .run =
                 [this] {
                   window_.statusBar()->setVisible(window_.statusBar()->isHidden());
                   emit statesChanged();
                 },
             .checked = [this] { return !window_.statusBar()->isHidden(); }});
  table.Add(
      {.id = kCmdCrossHair,
       .text = FERNPLOT_TEXT("Commands", "ｸﾛｽﾍｱｰ ｶｰｿﾙ"),
       .prompt = FERNPLOT_TEXT(
           "Commands", "ﾏｳｽがｸﾞﾗﾌ内にあるときｸﾛｽﾍｱを表示／非表示します。\nｸﾛｽﾍｱの表示／非表示"),
       .menu = MenuId::kView,
       .menuPlace = {1, 0},
       .checkable = true,
       .run = [this] { ToggleCrossHair(); },
       .checked = [this] { return state_.crossHairEnabled; }});
  for (int i = 0; i < kZoomStepCount; ++i) {
    table.Add({.id = kCmdZoom30 + i,
               .text = kZoomSteps[static_cast<size_t>(i)].menuText,
               .prompt = kZoomPrompt,
               .literalText = true,
               .menu = MenuId::kZoom,
               .menuPlace = {0, i},
               .checkable = true,
               .run = [this, i] { SelectZoomEntry(i); },
               .checked = [this, i] { return zoomBox_->currentIndex() == i; }});
  }
  table.AddToolWidget(zoomBox_, {2, 0});
  table.Add({.id = kCmdPreviousPage,
             .text = FERNPLOT_TEXT("Commands", "前ページを表示"),
             .prompt = FERNPLOT_TEXT("Commands", "前ページを表示します。\n前ページの表示"),
             .menu = MenuId::kView,
             .menuPlace = {2, 1},
             .toolPlace = {3, 0},
             .icon = MakeToolIcon(ToolIcon::kPrevious),
             .run = [this] { view_->PreviousPage(); },
             .enabled = [this] { return view_->CanPreviousPage(); }});
  table.Add({.id = kCmdNextPage,
             .text = FERNPLOT_TEXT("Commands", "次ページを表示"),
             .prompt = FERNPLOT_TEXT("Commands", "次ページを表示します。\n次ページの表示"),
             .menu = MenuId::kView,
             .menuPlace = {2, 2},
             .toolPlace = {3, 1},
             .icon = MakeToolIcon(ToolIcon::kNext),
             .run = [this] { view_->NextPage(); },
             .enabled = [this] { return view_->CanNextPage(); }});
  // Home and End alone keep scrolling the page.
  table.Add({.id = kCmdFirstPage,
             .text = FERNPLOT_TEXT("Commands", "先頭ﾍﾟｰｼﾞを表示"),
             .prompt = FERNPLOT_TEXT("Commands", "最初のﾍﾟｰｼﾞを表示します。\n先頭ﾍﾟｰｼﾞの表示"),
             .shortcut = QKeySequence(Qt::CTRL | Qt::Key_Home),
             .menu = MenuId::kView,
             .menuPlace = {2, 3},
             .run = [this] { FirstPage(); },
             .enabled = [this] { return view_->CanPreviousPage(); }});
  table.Add({.id = kCmdLastPage,
             .text = FERNPLOT_TEXT("Commands", "最終ﾍﾟｰｼﾞを表示"),
             .prompt = FERNPLOT_TEXT("Commands", "最後のﾍﾟｰｼﾞを表示します。\n最終ﾍﾟｰｼﾞの表示"),
             .shortcut = QKeySequence(Qt::CTRL | Qt::Key_End),
             .menu = MenuId::kView,
             .menuPlace = {2, 4},
             .run = [this] { LastPage(); },
             .enabled = [this] { return view_->CanNextPage(); }});
  table.Add(
      {.id = kCmdGoToPage,
       .text = FERNPLOT_TEXT("Commands", "ﾍﾟｰｼﾞへ移動..."),
       .prompt = FERNPLOT_TEXT("Commands", "番号を指定してﾍﾟｰｼﾞを表示します。\nﾍﾟｰｼﾞへ移動"),
       .shortcut = QKeySequence(Qt::CTRL | Qt::Key_G),
       .menu = MenuId::kView,
       .menuPlace = {2, 5},
       .run = [this] { GoToPage(); },
       .enabled = [this] { return PageShown(state_) && state_.session.drawing.SheetCount() > 1; }});
}

void ViewPart::CreateZoomBox() {
  zoomBox_ = new QComboBox(&toolBar_);
  zoomBox_->setObjectName(QStringLiteral("zoomBox"));
  for (const ZoomStep& step : kZoomSteps) zoomBox_->addItem(QStringFromUtf8(step.comboText));
  zoomBox_->setCurrentIndex(kZoomDefaultIndex);
  zoomBox_->setFixedWidth(65);
  zoomBox_->setFocusPolicy(Qt::TabFocus);
  const QString zoomPrompt = CommandTr(kZoomPrompt);
  zoomBox_->setToolTip(zoomPrompt.section(QLatin1Char('\n'), 1));
  zoomBox_->setStatusTip(zoomPrompt.section(QLatin1Char('\n'), 0, 0));
  // Only a choice made in the box itself; menu commands move the selection
  // and apply it themselves.
  connect(zoomBox_, &QComboBox::activated, this, [this](int) { ApplyZoomSelection(); });
}

void ViewPart::CreateStatusPanes() {
  QStatusBar* bar = window_.statusBar();
  for (size_t i = 0; i < panes_.size(); ++i) {
    auto* pane = new QLabel(bar);
    pane->setObjectName(QStringLiteral("pane%1").arg(32776 + static_cast<int>(i)));
    pane->setContentsMargins(kPanePadding, 0, kPanePadding, 0);
    pane->setFixedWidth(kStatusPaneInitialWidth);
    bar->addPermanentWidget(pane);
    panes_[i] = pane;
  }
}

QLabel* ViewPart::Pane(int index) const {
  if (index < 1 || index > static_cast<int>(panes_.size())) return nullptr;
  return panes_[static_cast<size_t>(index - 1)];
}

void ViewPart::SetStatusPaneText(int index, const QString& text, bool fitWidth) {
  QLabel* pane = Pane(index);
  if (!pane) return;
  if (fitWidth) {
    const int width =
        QFontMetrics(window_.statusBar()->font()).horizontalAdvance(text) + 2 * kPanePadding;
    if (pane->width() != width || pane->minimumWidth() != width) pane->setFixedWidth(width);
  }
  if (pane->text() != text) pane->setText(text);
}

void ViewPart::ApplyZoomSelection() {
  const int entry = zoomBox_->currentIndex();
  if (state_.session.drawingActive && entry >= 0 && entry < kZoomStepCount) {
    view_->SetZoom(kZoomSteps[static_cast<size_t>(entry)].factor);
  }
  emit changed();
}

void ViewPart::SelectZoomEntry(int index) {
  if (index < 0 || index >= kZoomStepCount) return;
  zoomBox_->setCurrentIndex(index);
  ApplyZoomSelection();
}

void ViewPart::StepZoom(int steps) {
  const int entry = std::clamp(zoomBox_->currentIndex() + steps, 0, kZoomStepCount - 1);
  if (entry != zoomBox_->currentIndex()) SelectZoomEntry(entry);
}

void ViewPart::Refresh() {
  view_->UpdateScrollSizes();
  view_->InvalidatePicture();
}

void ViewPart::GoToPage() {
  if (!PageShown(state_)) return;
  const int count = state_.session.drawing.SheetCount();
  const std::optional<int> n =
      dialogs_.AskPageNumber(&window_, state_.session.drawing.CurrentNumber(), count);
  if (n) view_->GoToPage(*n);
}

void ViewPart::FirstPage() {
  if (PageShown(state_)) view_->GoToPage(1);
}

void ViewPart::LastPage() {
  if (PageShown(state_)) view_->GoToPage(state_.session.drawing.SheetCount());
}

void ViewPart::ToggleCrossHair() {
  state_.crossHairEnabled = !state_.crossHairEnabled;
  emit statesChanged();
}

// The page picture for the clipboard: the sheet at the view's zoom, as on
// screen but unscrolled and without the cross-hair.
void ViewPart::CopyPageToClipboard() {
  if (!PageShown(state_)) return;
  const QImage image = RenderPageImage(state_.session.drawing, view_->Zoom());
  if (image.isNull()) {
    dialogs_.ShowInfo(&window_, QStringLiteral("ERROR! CreateCompatibleBitmap()"));
    return;
  }
  QClipboard* clipboard = QGuiApplication::clipboard();
  if (!clipboard) {
    dialogs_.ShowInfo(&window_, tr("他のアプリケーションがクリップボードを開いています。"));
    return;
  }
  clipboard->setImage(image);
}

}  // namespace fernplot
