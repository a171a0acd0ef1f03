#pragma once
// The page picture for the clipboard: the sheet at the current zoom, as on
// screen but unscrolled and without the cross-hair.

#include <QImage>
#include <QSize>

namespace fernplot {

class DrawingDocument;

// trunc(w x z) + 1 by trunc(h x z) for a sheet of w x h pixels at 100 %.
QSize ClipboardImageSize(int sheetWidthPx, int sheetHeightPx, double zoom);

// The current sheet drawn on white at the document's zoom; null when there is
// no current sheet or the picture cannot be made.
QImage ClipboardImage(DrawingDocument& doc);

}  // namespace fernplot
