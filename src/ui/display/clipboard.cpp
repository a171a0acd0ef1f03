#include "clipboard.h"

#include <QClipboard>
#include <QGuiApplication>

#include "app_state.h"
#include "frame_dialogs.h"
#include "graph/drawing.h"
#include "main_frame.h"
#include "page_image_cache.h"

namespace fernplot {

QSize ClipboardImageSize(int sheetWidthPx, int sheetHeightPx, double zoom) {
  return {static_cast<int>(sheetWidthPx * zoom) + 1, static_cast<int>(sheetHeightPx * zoom)};
}

QImage ClipboardImage(DrawingDocument& doc) {
  if (doc.CurrentNumber() < 1) return {};
  const QSize size = ClipboardImageSize(doc.CurrentWidth(), doc.CurrentHeight(), doc.zoomFactor);
  return RenderSheetImage(doc, size, 1.0);
}

void CMainFrame::CopyPageToClipboard() {
  if (!PageShown()) return;
  const QImage image = ClipboardImage(state_.session.drawing);
  if (image.isNull()) {
    dialogs_.ShowInfo(this, QStringLiteral("ERROR! CreateCompatibleBitmap()"));
    return;
  }
  QClipboard* clipboard = QGuiApplication::clipboard();
  if (!clipboard) {
    dialogs_.ShowInfo(this, QStringLiteral("他のアプリケーションがクリップボードを開いています。"));
    return;
  }
  clipboard->setImage(image);
}

}  // namespace fernplot
