// SPDX-License-Identifier: MIT
// Moving between many pages and closing them all, and the window title that
// names the page on screen.

#include <QAction>
#include <QFileInfo>
#include <QKeySequence>

#include "app_state.h"
#include "commands.h"
#include "frame_dialogs.h"
#include "graph/pages.h"
#include "main_frame.h"
#include "main_view.h"
#include "qt_convert.h"

namespace fernplot {

void CMainFrame::CreatePageActions() {
  AddAction(kCmdGoToPage, &CMainFrame::GoToPage)->setShortcut(QKeySequence(Qt::CTRL | Qt::Key_G));
  // Home and End alone keep scrolling the page.
  AddAction(kCmdFirstPage, &CMainFrame::FirstPage)
      ->setShortcut(QKeySequence(Qt::CTRL | Qt::Key_Home));
  AddAction(kCmdLastPage, &CMainFrame::LastPage)->setShortcut(QKeySequence(Qt::CTRL | Qt::Key_End));
  AddAction(kCmdCloseAllPages, &CMainFrame::CloseAllPages);
}

void CMainFrame::GoToPage() {
  if (!PageShown()) return;
  const int count = state_.session.drawing.SheetCount();
  const std::optional<int> n =
      dialogs_.AskPageNumber(this, state_.session.drawing.CurrentNumber(), count);
  if (n) view_->GoToPage(*n);
}

void CMainFrame::FirstPage() {
  if (PageShown()) view_->GoToPage(1);
}

void CMainFrame::LastPage() {
  if (PageShown()) view_->GoToPage(state_.session.drawing.SheetCount());
}

void CMainFrame::CloseAllPages() {
  if (!PageShown()) return;
  const int count = state_.session.drawing.SheetCount();
  if (!dialogs_.AskOkCancel(this, tr("%1 ﾍﾟｰｼﾞのｸﾞﾗﾌをすべて閉じますか？").arg(count))) {
    return;
  }
  state_.session.ReleaseAll();
  RefreshViews();
}

void CMainFrame::UpdateWindowTitle() {
  const GraphPage* page = CurrentPage();
  QString title = QStringLiteral("FERNPLOT");
  if (page) {
    const QString name = page->sourcePath.empty()
                             ? QStringFromUtf8(page->fileName)
                             : QFileInfo(QStringFromUtf8(page->sourcePath)).fileName();
    title += QStringLiteral(" - ") + name;
  }
  if (windowTitle() != title) setWindowTitle(title);
}

}  // namespace fernplot
