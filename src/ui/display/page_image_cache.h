// SPDX-License-Identifier: MIT
#pragma once
// The rendered current page, kept per zoom so that scrolling, exposing and
// cross-hair moves repaint from a picture instead of replaying the sheet.

#include <QImage>
#include <vector>

#include "graph/drawing.h"

namespace fernplot {

// Renders the current sheet at `zoom` onto a white image of `size` logical
// pixels, drawn at `dpr` device pixels per logical pixel.
QImage RenderSheetImage(const DrawingDocument& doc, double zoom, QSize size, qreal dpr);

// Size of the current sheet at `zoom`, as the view scrolls it.
QSize ZoomedSheetSize(const DrawingDocument& doc, double zoom);

class PageImageCache {
 public:
  // The current sheet at `zoom`; a null image without one.
  const QImage& Get(const DrawingDocument& doc, double zoom, qreal dpr);
  // Forget every picture (the pages' contents changed).
  void Clear() { entries_.clear(); }
  int RenderCount() const { return renders_; }

 private:
  struct Entry {
    int sheetNumber;
    double zoom;
    qreal dpr;
    QImage image;
  };
  static constexpr size_t kMaxEntries = 3;
  std::vector<Entry> entries_;  // most recently used last
  QImage empty_;
  int renders_ = 0;
};

}  // namespace fernplot
