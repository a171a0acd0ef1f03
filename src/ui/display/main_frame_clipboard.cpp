// SPDX-License-Identifier: MIT
// The page picture for the clipboard: the sheet at the view's zoom, as on
// screen but unscrolled and without the cross-hair.

#include <QClipboard>
#include <QGuiApplication>

#include "app_state.h"
#include "frame_dialogs.h"
#include "main_frame.h"
#include "main_view.h"
#include "page_output.h"

namespace fernplot {

void CMainFrame::CopyPageToClipboard() {
  if (!PageShown()) return;
  const QImage image = RenderPageImage(state_.session.drawing, view_->Zoom());
  if (image.isNull()) {
    dialogs_.ShowInfo(this, QStringLiteral("ERROR! CreateCompatibleBitmap()"));
    return;
  }
  QClipboard* clipboard = QGuiApplication::clipboard();
  if (!clipboard) {
    dialogs_.ShowInfo(this, tr("他のアプリケーションがクリップボードを開いています。"));
    return;
  }
  clipboard->setImage(image);
}

}  // namespace fernplot
