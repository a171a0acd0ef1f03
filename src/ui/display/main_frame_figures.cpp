// SPDX-License-Identifier: MIT
// The figures panel beside the page, the marks of the figures on the page,
// and the two user markers with their readout in the status bar.

#include <QAction>
#include <QLabel>
#include <QMenu>
#include <QStatusBar>
#include <QToolBar>

#include "app_state.h"
#include "figures_dock.h"
#include "graph/pages.h"
#include "main_frame.h"
#include "main_view.h"
#include "markers.h"
#include "qt_convert.h"

namespace fernplot {

void CMainFrame::CreateFiguresUi() {
  figuresDock_ = new FiguresDock(this);
  addDockWidget(Qt::RightDockWidgetArea, figuresDock_);
  // Off until asked for: the window opens as it always did.
  figuresDock_->hide();
  connect(figuresDock_, &FiguresDock::showOnPageToggled, this, &CMainFrame::ShowFigureMarks);
  connect(figuresDock_, &QDockWidget::visibilityChanged, this, [this](bool visible) {
    if (visible) UpdateFigures();
  });
  QAction* panel = figuresDock_->toggleViewAction();
  panel->setText(tr("図表ﾊﾟﾈﾙ"));
  panel->setStatusTip(tr("表示ﾍﾟｰｼﾞの図表 (位相余裕､-3dB 点､共振) を表示します。"));

  markers_ = new MarkerController(state_, view_);
  markerMode_ = new QAction(tr("ﾏｰｶｰ"), this);
  markerMode_->setObjectName(QStringLiteral("markerMode"));
  markerMode_->setCheckable(true);
  markerMode_->setStatusTip(
      tr("ｸﾘｯｸでﾏｰｶｰ A､B を置きます (Shift+ｸﾘｯｸでも)｡矢印ｷｰで移動､Esc で消去。"));
  markerMode_->setToolTip(tr("ﾏｰｶｰ"));
  connect(markerMode_, &QAction::toggled, markers_, &MarkerController::SetMarkerMode);

  if (auto* viewMenu = findChild<QMenu*>(QStringLiteral("viewMenu"))) {
    QAction* before = viewMenu->actions().value(4);  // after the cross-hair entry
    viewMenu->insertAction(before, panel);
    viewMenu->insertAction(before, markerMode_);
  }
  if (toolBar_) {
    toolBar_->addSeparator();
    toolBar_->addAction(markerMode_);
  }

  markerPane_ = new QLabel(statusBar());
  markerPane_->setObjectName(QStringLiteral("markerPane"));
  statusBar()->addWidget(markerPane_, 1);
  // The readout can be longer than a narrow window leaves it: the tool tip
  // holds it whole.
  connect(markers_, &MarkerController::statusTextChanged, markerPane_, [this](const QString& text) {
    markerPane_->setText(text);
    markerPane_->setToolTip(text);
  });
  connect(view_, &CMainView::pageChanged, this, &CMainFrame::UpdateFigures);
}

void CMainFrame::UpdateFigures() {
  if (!figuresDock_) return;
  if (figuresDock_->isVisible())
    figuresDock_->ShowPage(CurrentPage(), state_.session.drawing.Translator());
  markers_->PageChanged();
}

void CMainFrame::ShowFigureMarks(bool on) {
  state_.session.ShowFigureMarks(on);
}

}  // namespace fernplot
