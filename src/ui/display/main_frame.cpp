// SPDX-License-Identifier: MIT
#include "main_frame.h"

#include <QAction>
#include <QDragEnterEvent>
#include <QDropEvent>
#include <QFile>
#include <QFileInfo>
#include <QLayout>
#include <QMenu>
#include <QMimeData>
#include <QRegularExpression>
#include <QStatusBar>
#include <QStyle>
#include <QToolBar>

#include "app_state.h"
#include "command_table.h"
#include "commands.h"
#include "figures_dock.h"
#include "figures_part.h"
#include "frame_dialogs.h"
#include "graph/page_exchange.h"
#include "graph/pages.h"
#include "import/import_reader.h"
#include "loop_part.h"
#include "main_view.h"
#include "mask_part.h"
#include "page_actions.h"
#include "qt_convert.h"
#include "range_zoom.h"
#include "recent_part.h"
#include "toolbar_icons.h"
#include "view_part.h"

namespace fernplot {

namespace {
// Long enough to be read; the pane of the pointer's position comes back after.
constexpr int kDroppedModelMessageMs = 15000;
}  // namespace

CMainFrame::CMainFrame(AppState& state, FrameDialogs& dialogs, QWidget* parent)
    : QMainWindow(parent), state_(state), dialogs_(dialogs) {
  setWindowTitle(QStringLiteral("FERNPLOT"));
  setWindowIcon(MakeToolIcon(ToolIcon::kProperties));
  setAcceptDrops(true);
  resize(960, 760);

  toolBar_ = addToolBar(tr("ﾂｰﾙ ﾊﾞｰ"));
  toolBar_->setObjectName(QStringLiteral("toolBar"));
  toolBar_->setIconSize(QSize(16, 15));
  toolBar_->setAllowedAreas(Qt::AllToolBarAreas);
  commands_ = new CommandTable(this);
  view_ = new ViewPart(state_, dialogs_, *this, *toolBar_);
  pages_ = new PageActions(state_, dialogs_, *this);
  figures_ = new FiguresPart(state_, *this);
  markers_ = new MarkersPart(state_, *this, view_->View());
  ranges_ = new RangeZoomPart(state_, view_->View());
  recent_ = new RecentFilesPart(dialogs_, *this);
  language_ = new LanguagePart(dialogs_, *this);
  masks_ = new MaskPart(state_, dialogs_, *this);
  loop_ = new LoopPart(state_, this);

  recent_->AddCommands(*commands_);
  pages_->AddCommands(*commands_);
  view_->AddCommands(*commands_);
  loop_->AddCommands(*commands_);
  figures_->AddCommands(*commands_);
  markers_->AddCommands(*commands_);
  ranges_->AddCommands(*commands_);
  language_->AddCommands(*commands_);
  masks_->AddCommands(*commands_);
  AddWindowCommands();
  commands_->Build(*this, *toolBar_);
  recent_->PlaceInMenu(*commands_);
  Connect();
  UpdateCommandStates();
  view_->View()->setFocus();
  // Whatever changes the page on screen or the set of pages, the window
  // shows it.
  sessionListener_ = state_.session.Subscribe([this] { RefreshViews(); });
}

CMainFrame::~CMainFrame() {
  state_.session.Unsubscribe(sessionListener_);
}

void CMainFrame::AddWindowCommands() {
  commands_->Add({.id = kCmdExit,
                  .text = FERNPLOT_TEXT("Commands", "ｱﾌﾟﾘｹｰｼｮﾝの終了"),
                  .shortcut = QKeySequence(Qt::CTRL | Qt::Key_Q),
                  .menu = MenuId::kFile,
                  .menuPlace = {3, 0},
                  .run = [this] { close(); }});
  commands_->Add({.id = kCmdHelp,
                  .text = FERNPLOT_TEXT("Commands", "使い方..."),
                  .shortcut = QKeySequence(Qt::Key_F1),
                  .menu = MenuId::kHelp,
                  .menuPlace = {0, 0},
                  .run = [this] { dialogs_.ShowHelp(this, HelpText()); }});
  commands_->Add({.id = kCmdAbout,
                  .text = FERNPLOT_TEXT("Commands", "ﾊﾞｰｼﾞｮﾝ情報..."),
                  .menu = MenuId::kHelp,
                  .menuPlace = {1, 0},
                  .run = [this] { dialogs_.About(this); }});
}

QString CMainFrame::MenuPath(MenuId menu, int command) const {
  // As the menus show them: without the mnemonics' marks.
  const auto plain = [](QString text) {
    static const QRegularExpression mnemonic(QStringLiteral("\\(&.\\)$"));
    text.remove(mnemonic);
    return text.remove(QLatin1Char('&'));
  };
  const QMenu* m = commands_->Menu(menu);
  const QAction* a = Action(command);
  return (m ? plain(m->title()) : QString()) + QStringLiteral(" → ") +
         (a ? plain(a->text()) : QString());
}

QString CMainFrame::HelpText() const {
  // The menu items named as the menus have them, in the language shown.
  return tr("使い方\n\n"
            "%1 (一覧から選択) または %2 (Ctrl+O) で"
            "ｸﾞﾗﾌを作成します。ﾌｧｲﾙをｳｨﾝﾄﾞｳにﾄﾞﾛｯﾌﾟしても開けます。\n"
            "Page Up / Page Down: 前／次のﾍﾟｰｼﾞ、Ctrl+Home / Ctrl+End: 先頭／最終ﾍﾟｰｼﾞ。\n"
            "Ctrl+ﾏｳｽ ﾎｲｰﾙ、Ctrl++ / Ctrl+- / Ctrl+0: 表示倍率。\n"
            "右ﾎﾞﾀﾝでﾄﾞﾗｯｸﾞ: その範囲を拡大、Backspace: 前の範囲、Home: 掃引全体。\n"
            "ﾏｳｽ位置のｶｰﾌﾞの値はﾎﾟｲﾝﾀの横に表示されます (%3)。\n"
            "Shift+ｸﾘｯｸ: ﾏｰｶｰ、Esc: ﾏｰｶｰを消去。\n"
            "Ctrl+C: 表示ﾍﾟｰｼﾞをｸﾘｯﾌﾟﾎﾞｰﾄﾞにｺﾋﾟｰ、Ctrl+P: 印刷、Ctrl+Q: 終了。\n"
            "%4: 表示ﾍﾟｰｼﾞの設定、%5: 標準値の設定。")
      .arg(MenuPath(MenuId::kFile, kCmdOpenDataFile), MenuPath(MenuId::kFile, kCmdOpenFile),
           MenuPath(MenuId::kView, kCmdCurveReadout),
           MenuPath(MenuId::kSettings, kCmdCurrentProperties),
           MenuPath(MenuId::kSettings, kCmdDefaultProperties));
}

// How a command reaches the repaint: a part changes the pages and says so,
// and the window brings the view, the panels and the states up to date.
void CMainFrame::Connect() {
  connect(commands_, &CommandTable::aboutToUpdate, this, &CMainFrame::UpdateWindowTitle);
  connect(pages_, &PageActions::statesChanged, this, &CMainFrame::UpdateCommandStates);
  connect(masks_, &MaskPart::statesChanged, this, &CMainFrame::UpdateCommandStates);
  connect(pages_, &PageActions::drawingStarted, view_, &ViewPart::ApplyZoomSelection);
  connect(pages_, &PageActions::filesOpened, recent_, &RecentFilesPart::Remember);
  connect(recent_, &RecentFilesPart::openRequested, pages_, &PageActions::OpenFilePaths);
  connect(view_, &ViewPart::changed, this, &CMainFrame::RefreshViews);
  connect(ranges_, &RangeZoomPart::pageRebuilt, this, &CMainFrame::RefreshViews);
  connect(ranges_, &RangeZoomPart::statesChanged, this, &CMainFrame::UpdateCommandStates);
  connect(view_, &ViewPart::statesChanged, this, &CMainFrame::UpdateCommandStates);
  connect(figures_, &FiguresPart::figureMarksToggled, pages_, &PageActions::ShowFigureMarks);
  connect(figures_, &FiguresPart::pageWanted, this,
          [this] { figures_->ShowPage(PageOnScreen(state_)); });
  CMainView* view = view_->View();
  connect(figures_, &FiguresPart::pageChosen, view, &CMainView::GoToPage);
  connect(view, &CMainView::pageChanged, this, &CMainFrame::UpdateCommandStates);
  connect(view, &CMainView::pageChanged, this, [this] {
    figures_->ShowPage(PageOnScreen(state_));
    markers_->PageChanged();
  });
}

QSize CMainFrame::WindowSizeToShow(QSize sheet) {
  // Asked before the window is first shown, when no child has its geometry
  // yet: the bars' heights come from the size hints of the window's layout
  // (menu, tool and status bars around the view's own hint).
  ensurePolished();
  const CMainView* view = view_->View();
  const int frame = 2 * view->frameWidth();
  const int bars = layout() ? layout()->sizeHint().height() - view->sizeHint().height() : 0;
  const int bar = view->style()->pixelMetric(QStyle::PM_ScrollBarExtent, nullptr, view);
  // The page outline reaches one pixel past the sheet.
  return {sheet.width() + 1 + bar + frame, sheet.height() + 1 + frame + std::max(0, bars)};
}

void CMainFrame::SetViewerSettings(ViewerSettings* settings) {
  language_->SetViewerSettings(settings);
  recent_->SetViewerSettings(settings);
  figures_->SetViewerSettings(settings);
  masks_->SetViewerSettings(settings);
  UpdateCommandStates();
}

void CMainFrame::KeepViewerChoices() {
  figures_->KeepPanelState();
}

QAction* CMainFrame::Action(int id) const {
  return commands_->Action(id);
}
QComboBox* CMainFrame::ZoomBox() const {
  return view_->ZoomBox();
}
CMainView* CMainFrame::View() const {
  return view_->View();
}
QLabel* CMainFrame::Pane(int index) const {
  return view_->Pane(index);
}
FiguresDock* CMainFrame::FiguresPanel() const {
  return figures_->Dock();
}
PageListDock* CMainFrame::PageList() const {
  return figures_->PageList();
}
MarkerController* CMainFrame::Markers() const {
  return markers_->Markers();
}
QLabel* CMainFrame::MarkerPane() const {
  return markers_->Pane();
}
QAction* CMainFrame::MarkerModeAction() const {
  return commands_->Action(kCmdMarkerMode);
}

void CMainFrame::UpdateCommandStates() {
  commands_->UpdateStates();
}

void CMainFrame::RefreshViews() {
  // A model that could not follow a change of its page's points is gone:
  // say why rather than let it vanish.
  const std::string dropped = state_.session.TakeDroppedModelMessage();
  if (!dropped.empty()) {
    statusBar()->showMessage(
        tr("ﾓﾃﾞﾙを再ﾌｨｯﾄできないため削除しました: %1").arg(QStringFromUtf8(dropped)),
        kDroppedModelMessageMs);
  }
  view_->Refresh();
  UpdateCommandStates();
  figures_->ShowPage(PageOnScreen(state_));
  markers_->PageChanged();
}

void CMainFrame::UpdateWindowTitle() {
  const GraphPage* page = PageOnScreen(state_);
  QString title = QStringLiteral("FERNPLOT");
  if (page) {
    const QString name = page->sourcePath.empty()
                             ? QStringFromUtf8(page->fileName)
                             : QFileInfo(QStringFromUtf8(page->sourcePath)).fileName();
    title += QStringLiteral(" - ") + QStringFromUtf8(WithParameterName(*page, name.toStdString()));
  }
  if (windowTitle() != title) setWindowTitle(title);
}

void CMainFrame::dragEnterEvent(QDragEnterEvent* event) {
  if (!event->mimeData()->hasUrls()) return;
  for (const QUrl& url : event->mimeData()->urls()) {
    const QFileInfo info(url.toLocalFile());
    // Other programs' sweep files are taken as well as data files.
    if (url.isLocalFile() &&
        (info.isDir() || info.suffix().compare("dat", Qt::CaseInsensitive) == 0 ||
         HasImportSuffix(QFile::encodeName(info.fileName()).toStdString()))) {
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
  if ((event->modifiers() & Qt::ControlModifier) && PageOnScreen(state_)) {
    pages_->AddOverlayFiles(paths);
    return;
  }
  pages_->OpenFiles(paths);
}

}  // namespace fernplot
