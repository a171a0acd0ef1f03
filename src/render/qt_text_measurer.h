// SPDX-License-Identifier: MIT
#pragma once
// Text widths from Qt's font metrics at 96 dpi, as a screen text extent
// reports them: whole pixels, the sum of the glyph advances.

#include <QFontMetrics>
#include <vector>

#include "graph/drawing.h"
#include "graph/text_measure.h"

namespace fernplot {

class QtTextMeasurer : public TextMeasurer {
 public:
  int TextWidthPx(const FontEntry& font, std::string_view utf8) override;

  // The character height in pixels a font entry gets at 100 %.
  static int PixelSizeAt96Dpi(const FontEntry& font);

 private:
  struct Cached {
    FontEntry entry;
    QFontMetrics metrics;
  };
  const QFontMetrics& MetricsFor(const FontEntry& font);

  // Layout measures many texts in few fonts: a short list searched from the
  // most recent hit is cheaper than hashing the face name.
  std::vector<Cached> cache_;
  size_t lastHit_ = 0;
};

}  // namespace fernplot
