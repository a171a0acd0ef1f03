// SPDX-License-Identifier: MIT
#pragma once
// Hand-made sheets and pixel probes shared by the renderer tests.

#include <QImage>
#include <optional>

#include "graph/drawing.h"

namespace fernplot::testing {

// A document with one current sheet of the given size in mm.
inline DrawingDocument SheetOf(int widthMm, int heightMm) {
  DrawingDocument doc;
  doc.AddSheet(widthMm, heightMm);
  return doc;
}

inline bool IsColour(const QImage& image, int x, int y, QRgb rgb) {
  return image.valid(x, y) && (image.pixel(x, y) & 0xFFFFFFu) == (rgb & 0xFFFFFFu);
}

// Columns [first, last] holding a pixel of `rgb` anywhere in the image.
struct Span {
  int first, last;
};
inline std::optional<Span> InkColumns(const QImage& image, QRgb rgb) {
  std::optional<Span> span;
  for (int x = 0; x < image.width(); ++x) {
    for (int y = 0; y < image.height(); ++y) {
      if (IsColour(image, x, y, rgb)) {
        if (!span) span = Span{x, x};
        span->last = x;
        break;
      }
    }
  }
  return span;
}
inline std::optional<Span> InkRows(const QImage& image, QRgb rgb) {
  std::optional<Span> span;
  for (int y = 0; y < image.height(); ++y) {
    for (int x = 0; x < image.width(); ++x) {
      if (IsColour(image, x, y, rgb)) {
        if (!span) span = Span{y, y};
        span->last = y;
        break;
      }
    }
  }
  return span;
}

}  // namespace fernplot::testing
