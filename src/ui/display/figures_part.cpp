// SPDX-License-Identifier: MIT
#include "figures_part.h"

#include <QAction>
#include <QLabel>
#include <QMainWindow>
#include <QPlainTextEdit>
#include <QStatusBar>
#include <algorithm>

#include "app/viewer_settings.h"
#include "app_state.h"
#include "command_table.h"
#include "commands.h"
#include "figures_dock.h"
#include "markers.h"
#include "page_list_dock.h"

namespace fernplot {

FiguresPart::FiguresPart(AppState& state, QMainWindow& window)
    : QObject(&window), state_(state), window_(window) {
  dock_ = new FiguresDock(&window);
  window.addDockWidget(Qt::RightDockWidgetArea, dock_);
  // Off until asked for: the window opens as it always did.
  dock_->hide();
  connect(dock_, &FiguresDock::showOnPageToggled, this, &FiguresPart::figureMarksToggled);
  connect(dock_, &QDockWidget::visibilityChanged, this, [this](bool visible) {
    if (!visible) return;
    fitPending_ = true;
    emit pageWanted();
    FitWidth();
  });
  QAction* panel = dock_->toggleViewAction();
  panel->setText(tr("図表ﾊﾟﾈﾙ"));
  panel->setStatusTip(tr("表示ﾍﾟｰｼﾞの図表 (位相余裕､-3dB 点､共振) を表示します。"));

  pageList_ = new PageListDock(&window);
  window.addDockWidget(Qt::LeftDockWidgetArea, pageList_);
  pageList_->hide();
  connect(pageList_, &PageListDock::pageChosen, this, &FiguresPart::pageChosen);
  connect(pageList_, &PageListDock::refreshWanted, this,
          [this] { pageList_->Refresh(state_.session); });
  QAction* list = pageList_->toggleViewAction();
  list->setText(tr("ﾍﾟｰｼﾞ一覧"));
  list->setStatusTip(tr("開いているﾍﾟｰｼﾞの一覧 (ﾏｽｸの判定つき) を表示します。"));
}

void FiguresPart::AddCommands(CommandTable& table) {
  table.Add({.id = kCmdFiguresPanel,
             .menu = MenuId::kView,
             .menuPlace = {1, 1},
             .action = dock_->toggleViewAction()});
  table.Add({.id = kCmdPageList,
             .menu = MenuId::kView,
             .menuPlace = {1, 4},
             .action = pageList_->toggleViewAction()});
}

void FiguresPart::SetViewerSettings(ViewerSettings* settings) {
  settings_ = settings;
  if (settings && settings->FiguresPanelOpen()) dock_->show();
  if (settings && settings->PageListOpen()) pageList_->show();
}

void FiguresPart::KeepPanelState() {
  // Not hidden by the user: the closing window hides it along with itself.
  if (!settings_) return;
  settings_->SetFiguresPanelOpen(!dock_->isHidden());
  settings_->SetPageListOpen(!pageList_->isHidden());
}

void FiguresPart::ShowPage(const GraphPage* page) {
  pageList_->Refresh(state_.session);
  if (!dock_->isVisible()) return;
  dock_->ShowPage(page, state_.session.drawing.Translator());
  if (fitPending_) FitWidth();
}

void FiguresPart::FitWidth() {
  if (dock_->TextBox()->toPlainText().isEmpty()) return;
  fitPending_ = false;
  const int wanted = std::min(dock_->WidthForText(), window_.width() / 2);
  if (wanted <= dock_->width()) return;
  if (dock_->isFloating()) {
    dock_->resize(wanted, dock_->height());
  } else {
    window_.resizeDocks({dock_}, {wanted}, Qt::Horizontal);
  }
}

MarkersPart::MarkersPart(AppState& state, QMainWindow& window, CMainView* view) : QObject(&window) {
  markers_ = new MarkerController(state, view);
  pane_ = new QLabel(window.statusBar());
  pane_->setObjectName(QStringLiteral("markerPane"));
  window.statusBar()->addWidget(pane_, 1);
  // The readout can be longer than a narrow window leaves it: the tool tip
  // holds it whole.
  connect(markers_, &MarkerController::statusTextChanged, pane_, [this](const QString& text) {
    pane_->setText(text);
    pane_->setToolTip(text);
  });
}

void MarkersPart::AddCommands(CommandTable& table) {
  auto* mode = new QAction(tr("ﾏｰｶｰ"), this);
  mode->setObjectName(QStringLiteral("markerMode"));
  mode->setCheckable(true);
  mode->setStatusTip(tr("ｸﾘｯｸでﾏｰｶｰ A､B を置きます (Shift+ｸﾘｯｸでも)｡矢印ｷｰで移動､Esc で消去。"));
  mode->setToolTip(tr("ﾏｰｶｰ"));
  mode->setIconVisibleInMenu(false);
  connect(mode, &QAction::toggled, markers_, &MarkerController::SetMarkerMode);
  table.Add({.id = kCmdMarkerMode,
             .menu = MenuId::kView,
             .menuPlace = {1, 2},
             .toolPlace = {4, 0},
             .action = mode});
}

void MarkersPart::PageChanged() {
  markers_->PageChanged();
}

}  // namespace fernplot
