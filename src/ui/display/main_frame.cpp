// SPDX-License-Identifier: MIT
#include "main_frame.h"

#include <QComboBox>
#include <QCoreApplication>
#include <QDragEnterEvent>
#include <QDropEvent>
#include <QFileInfo>
#include <QLabel>
#include <QLayout>
#include <QMenuBar>
#include <QMimeData>
#include <QPrinter>
#include <QStatusBar>
#include <QStyle>
#include <QToolBar>

#include "app_state.h"
#include "commands.h"
#include "frame_dialogs.h"
#include "graph/pages.h"
#include "main_view.h"
#include "overlay_commands.h"
#include "qt_convert.h"
#include "toolbar_icons.h"

namespace fernplot {

namespace {

constexpr int kPanePadding = 3;  // each side of a pane's text

}  // namespace

QString CommandTr(std::string_view source) {
  // The table's texts are string literals, so data() ends with a NUL.
  return source.empty() ? QString() : QCoreApplication::translate("Commands", source.data());
}

CMainFrame::CMainFrame(AppState& state, FrameDialogs& dialogs, QWidget* parent)
    : QMainWindow(parent), state_(state), dialogs_(dialogs) {
  setWindowTitle(QStringLiteral("FERNPLOT"));
  setWindowIcon(MakeToolIcon(ToolIcon::kProperties));
  setAcceptDrops(true);
  resize(960, 760);

  view_ = new CMainView(state_, this);
  setCentralWidget(view_);
  connect(view_, &CMainView::paneTextChanged, this,
          [this](int pane, const QString& text, bool fit) { SetStatusPaneText(pane, text, fit); });
  connect(view_, &CMainView::pageChanged, this, &CMainFrame::UpdateCommandStates);
  connect(view_, &CMainView::zoomStepRequested, this, &CMainFrame::StepZoom);

  CreateActions();
  CreateMenus();
  CreateToolBar();
  CreateStatusBar();
  CreateFiguresUi();
  UpdateCommandStates();
  view_->setFocus();
  // Whatever changes the page on screen, the window shows it.
  sessionListener_ = state_.session.Subscribe([this] { RefreshViews(); });
}

CMainFrame::~CMainFrame() {
  state_.session.Unsubscribe(sessionListener_);
}

QSize CMainFrame::WindowSizeToShow(QSize sheet) {
  // Asked before the window is first shown, when no child has its geometry
  // yet: the bars' heights come from the size hints of the window's layout
  // (menu, tool and status bars around the view's own hint).
  ensurePolished();
  const int frame = 2 * view_->frameWidth();
  const int bars = layout() ? layout()->sizeHint().height() - view_->sizeHint().height() : 0;
  const int bar = view_->style()->pixelMetric(QStyle::PM_ScrollBarExtent, nullptr, view_);
  // The page outline reaches one pixel past the sheet.
  return {sheet.width() + 1 + bar + frame, sheet.height() + 1 + frame + std::max(0, bars)};
}

QAction* CMainFrame::AddAction(int id, void (CMainFrame::*handler)()) {
  const CommandText* text = FindCommandText(id);
  auto* action = new QAction(text ? CommandTr(text->menuText) : QString(), this);
  if (text) {
    const QString prompt = CommandTr(text->prompt);
    action->setStatusTip(prompt.section(QLatin1Char('\n'), 0, 0));
    if (prompt.contains(QLatin1Char('\n'))) {
      action->setToolTip(prompt.section(QLatin1Char('\n'), 1));
    }
  }
  // The tool bar pictures belong to the tool bar; menus show text only.
  action->setIconVisibleInMenu(false);
  if (handler) connect(action, &QAction::triggered, this, handler);
  actions_[id] = action;
  return action;
}

QAction* CMainFrame::Action(int id) const {
  const auto it = actions_.find(id);
  return it == actions_.end() ? nullptr : it->second;
}

void CMainFrame::CreateActions() {
  AddAction(kCmdOpenDataFile, &CMainFrame::OpenDataFile)->setIcon(MakeToolIcon(ToolIcon::kOpen));
  AddAction(kCmdOpenFile, &CMainFrame::OpenFileWithDialog)
      ->setShortcut(QKeySequence(Qt::CTRL | Qt::Key_O));
  for (int id : {kCmdLanguageAuto, kCmdLanguageJapanese, kCmdLanguageEnglish}) {
    QAction* language = AddAction(id, nullptr);
    language->setCheckable(true);
    connect(language, &QAction::triggered, this, [this, id] { ChooseLanguage(id); });
  }
  AddAction(kCmdSaveCsv, &CMainFrame::SaveCsv);
  AddAction(kCmdCopyToClipboard, &CMainFrame::CopyPageToClipboard);
  QAction* print = AddAction(kCmdPrint, &CMainFrame::Print);
  print->setIcon(MakeToolIcon(ToolIcon::kPrint));
  print->setShortcut(QKeySequence(Qt::CTRL | Qt::Key_P));
  AddAction(kCmdPrintSetup, &CMainFrame::PrinterSetup);
  AddAction(kCmdExit, nullptr);
  connect(Action(kCmdExit), &QAction::triggered, this, &QWidget::close);

  QAction* toolBarToggle = AddAction(kCmdToolBar, nullptr);
  toolBarToggle->setCheckable(true);
  connect(toolBarToggle, &QAction::triggered, this, [this](bool on) {
    toolBar_->setVisible(on);
    UpdateCommandStates();
  });
  QAction* statusToggle = AddAction(kCmdStatusBar, nullptr);
  statusToggle->setCheckable(true);
  connect(statusToggle, &QAction::triggered, this, [this](bool on) {
    statusBar()->setVisible(on);
    UpdateCommandStates();
  });

  AddAction(kCmdCrossHair, &CMainFrame::ToggleCrossHair)->setCheckable(true);
  for (int i = 0; i < kZoomStepCount; ++i) {
    QAction* zoom = AddAction(kCmdZoom30 + i, nullptr);
    zoom->setCheckable(true);
    connect(zoom, &QAction::triggered, this, [this, i] { SelectZoomEntry(i); });
  }
  AddAction(kCmdPreviousPage, nullptr)->setIcon(MakeToolIcon(ToolIcon::kPrevious));
  connect(Action(kCmdPreviousPage), &QAction::triggered, this, [this] { view_->PreviousPage(); });
  AddAction(kCmdNextPage, nullptr)->setIcon(MakeToolIcon(ToolIcon::kNext));
  connect(Action(kCmdNextPage), &QAction::triggered, this, [this] { view_->NextPage(); });
  AddAction(kCmdClosePage, &CMainFrame::ClosePage);
  CreatePageActions();

  AddAction(kCmdCurrentProperties, &CMainFrame::EditCurrentProperties)
      ->setIcon(MakeToolIcon(ToolIcon::kProperties));
  AddAction(kCmdResetToDefault, &CMainFrame::ResetToDefault);
  AddAction(kCmdOverwriteDefault, &CMainFrame::OverwriteDefault);
  AddAction(kCmdDefaultProperties, &CMainFrame::EditDefaultProperties);
  CreateOverlayActions();
  AddAction(kCmdAbout, nullptr);
  connect(Action(kCmdAbout), &QAction::triggered, this, [this] { dialogs_.About(this); });
}

void CMainFrame::CreateMenus() {
  QMenuBar* bar = menuBar();
  // 0 stands for a separator.
  const auto append = [this](QMenu* menu, std::initializer_list<int> ids) {
    for (int id : ids) {
      if (id == 0) {
        menu->addSeparator();
      } else {
        menu->addAction(Action(id));
      }
    }
  };
  const auto add = [this, &append](QMenu* menu, std::initializer_list<int> ids) {
    append(menu, ids);
    // Enable states are refreshed whenever a menu opens, as a menu's own
    // update pass would.
    connect(menu, &QMenu::aboutToShow, this, &CMainFrame::UpdateCommandStates);
  };
  fileMenu_ = bar->addMenu(tr("ﾌｧｲﾙ(&F)"));
  add(fileMenu_, {kCmdOpenFile, kCmdOpenDataFile, kCmdSaveCsv, 0, kCmdCopyToClipboard, 0, kCmdPrint,
                  kCmdPrintSetup});
  // The recent files go between this separator and the exit command.
  recentSeparator_ = fileMenu_->addSeparator();
  append(fileMenu_, {kCmdExit});
  connect(fileMenu_, &QMenu::aboutToShow, this, &CMainFrame::UpdateRecentFileMenu);
  QMenu* viewMenu = bar->addMenu(tr("表示(&V)"));
  viewMenu->setObjectName(QStringLiteral("viewMenu"));
  add(viewMenu, {kCmdToolBar, kCmdStatusBar, 0, kCmdCrossHair, 0});
  QMenu* zoomMenu = viewMenu->addMenu(tr("表示倍率"));
  add(zoomMenu, {kCmdZoom30, kCmdZoom60, kCmdZoom75, kCmdZoom100, kCmdZoom150, kCmdZoom200});
  append(viewMenu, {kCmdPreviousPage, kCmdNextPage, kCmdFirstPage, kCmdLastPage, kCmdGoToPage, 0,
                    kCmdClosePage, kCmdCloseAllPages});
  AddOverlayMenu(bar);
  QMenu* settingsMenu = bar->addMenu(tr("設定(&S)"));
  add(settingsMenu, {kCmdCurrentProperties, 0, kCmdResetToDefault, kCmdOverwriteDefault, 0,
                     kCmdDefaultProperties});
  CreateLanguageMenu(settingsMenu);
  add(bar->addMenu(tr("ﾍﾙﾌﾟ(&H)")), {kCmdAbout});
}

void CMainFrame::CreateToolBar() {
  toolBar_ = addToolBar(tr("ﾂｰﾙ ﾊﾞｰ"));
  toolBar_->setObjectName(QStringLiteral("toolBar"));
  toolBar_->setIconSize(QSize(16, 15));
  toolBar_->setAllowedAreas(Qt::AllToolBarAreas);
  toolBar_->addAction(Action(kCmdOpenDataFile));
  toolBar_->addAction(Action(kCmdPrint));
  toolBar_->addSeparator();
  toolBar_->addAction(Action(kCmdCurrentProperties));
  toolBar_->addAction(Action(kCmdAddOverlays));
  toolBar_->addSeparator();

  zoomBox_ = new QComboBox(toolBar_);
  zoomBox_->setObjectName(QStringLiteral("zoomBox"));
  for (const ZoomStep& step : kZoomSteps) zoomBox_->addItem(QStringFromUtf8(step.comboText));
  zoomBox_->setCurrentIndex(kZoomDefaultIndex);
  zoomBox_->setFixedWidth(65);
  zoomBox_->setFocusPolicy(Qt::TabFocus);
  const CommandText* zoomText = FindCommandText(kCmdZoomBox);
  const QString zoomPrompt = CommandTr(zoomText->prompt);
  zoomBox_->setToolTip(zoomPrompt.section(QLatin1Char('\n'), 1));
  zoomBox_->setStatusTip(zoomPrompt.section(QLatin1Char('\n'), 0, 0));
  // Only a choice made in the box itself; menu commands move the selection
  // and apply it themselves.
  connect(zoomBox_, &QComboBox::activated, this, [this](int) { ApplyZoomSelection(); });
  toolBar_->addWidget(zoomBox_);

  toolBar_->addSeparator();
  toolBar_->addAction(Action(kCmdPreviousPage));
  toolBar_->addAction(Action(kCmdNextPage));
}

void CMainFrame::CreateStatusBar() {
  QStatusBar* bar = statusBar();
  for (size_t i = 0; i < panes_.size(); ++i) {
    auto* pane = new QLabel(bar);
    pane->setObjectName(QStringLiteral("pane%1").arg(32776 + static_cast<int>(i)));
    pane->setContentsMargins(kPanePadding, 0, kPanePadding, 0);
    pane->setFixedWidth(kStatusPaneInitialWidth);
    bar->addPermanentWidget(pane);
    panes_[i] = pane;
  }
}

QLabel* CMainFrame::Pane(int index) const {
  if (index < 1 || index > static_cast<int>(panes_.size())) return nullptr;
  return panes_[static_cast<size_t>(index - 1)];
}

void CMainFrame::SetStatusPaneText(int index, const QString& text, bool fitWidth) {
  QLabel* pane = Pane(index);
  if (!pane) return;
  if (fitWidth) {
    const int width = QFontMetrics(statusBar()->font()).horizontalAdvance(text) + 2 * kPanePadding;
    if (pane->width() != width || pane->minimumWidth() != width) pane->setFixedWidth(width);
  }
  if (pane->text() != text) pane->setText(text);
}

bool CMainFrame::PageShown() const {
  return state_.session.drawingActive && state_.session.drawing.CurrentNumber() >= 1;
}

GraphPage* CMainFrame::CurrentPage() const {
  if (!PageShown()) return nullptr;
  return PageForSheet(state_.session.pages, state_.session.drawing.CurrentNumber());
}

void CMainFrame::UpdateCommandStates() {
  const bool shown = PageShown();
  for (int id : {kCmdSaveCsv, kCmdCopyToClipboard, kCmdPrint, kCmdClosePage, kCmdCurrentProperties,
                 kCmdResetToDefault, kCmdOverwriteDefault}) {
    Action(id)->setEnabled(shown);
  }
  Action(kCmdPreviousPage)->setEnabled(view_->CanPreviousPage());
  Action(kCmdNextPage)->setEnabled(view_->CanNextPage());
  Action(kCmdFirstPage)->setEnabled(view_->CanPreviousPage());
  Action(kCmdLastPage)->setEnabled(view_->CanNextPage());
  Action(kCmdGoToPage)->setEnabled(shown && state_.session.drawing.SheetCount() > 1);
  Action(kCmdCloseAllPages)->setEnabled(shown);
  UpdateWindowTitle();
  Action(kCmdCrossHair)->setChecked(state_.crossHairEnabled);
  const int entry = zoomBox_ ? zoomBox_->currentIndex() : kZoomDefaultIndex;
  for (int i = 0; i < kZoomStepCount; ++i) Action(kCmdZoom30 + i)->setChecked(i == entry);
  if (toolBar_) Action(kCmdToolBar)->setChecked(!toolBar_->isHidden());
  Action(kCmdStatusBar)->setChecked(!statusBar()->isHidden());
  UpdateOverlayCommandStates();
}

void CMainFrame::ApplyZoomSelection() {
  const int entry = zoomBox_->currentIndex();
  if (state_.session.drawingActive && entry >= 0 && entry < kZoomStepCount) {
    view_->SetZoom(kZoomSteps[static_cast<size_t>(entry)].factor);
  }
  RefreshViews();
}

void CMainFrame::SelectZoomEntry(int index) {
  if (index < 0 || index >= kZoomStepCount) return;
  zoomBox_->setCurrentIndex(index);
  ApplyZoomSelection();
}

void CMainFrame::StepZoom(int steps) {
  const int entry = std::clamp(zoomBox_->currentIndex() + steps, 0, kZoomStepCount - 1);
  if (entry != zoomBox_->currentIndex()) SelectZoomEntry(entry);
}

void CMainFrame::RefreshViews() {
  view_->UpdateScrollSizes();
  view_->InvalidatePicture();
  UpdateCommandStates();
  UpdateFigures();
}

void CMainFrame::dragEnterEvent(QDragEnterEvent* event) {
  if (!event->mimeData()->hasUrls()) return;
  for (const QUrl& url : event->mimeData()->urls()) {
    const QFileInfo info(url.toLocalFile());
    if (url.isLocalFile() &&
        (info.isDir() || info.suffix().compare("dat", Qt::CaseInsensitive) == 0)) {
      event->acceptProposedAction();
      return;
    }
  }
}

void CMainFrame::dropEvent(QDropEvent* event) {
  QStringList paths;
  for (const QUrl& url : event->mimeData()->urls()) {
    if (url.isLocalFile()) paths << url.toLocalFile();
  }
  event->acceptProposedAction();
  // With Ctrl held the files are laid over the page on screen instead.
  if ((event->modifiers() & Qt::ControlModifier) && CurrentPage()) {
    AddOverlayFiles(paths);
    return;
  }
  OpenFiles(paths);
}

}  // namespace fernplot
