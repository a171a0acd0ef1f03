// SPDX-License-Identifier: MIT
#include "qt_text_measurer.h"

#include <QString>

#include "cpu/vector_state.h"
#include "font_setup.h"
#include "qt_convert.h"

namespace fernplot {

int QtTextMeasurer::PixelSizeAt96Dpi(const FontEntry& font) {
  return MulDiv(font.size, 96, 72);
}

const QFontMetrics& QtTextMeasurer::MetricsFor(const FontEntry& font) {
  if (lastHit_ < cache_.size() && cache_[lastHit_].entry == font) return cache_[lastHit_].metrics;
  for (size_t i = 0; i < cache_.size(); ++i) {
    if (cache_[i].entry == font) {
      lastHit_ = i;
      return cache_[i].metrics;
    }
  }
  cache_.push_back(Cached{font, QFontMetrics(MakeFont(font, PixelSizeAt96Dpi(font)))});
  lastHit_ = cache_.size() - 1;
  return cache_.back().metrics;
}

int QtTextMeasurer::TextWidthPx(const FontEntry& font, std::string_view utf8) {
  if (utf8.empty()) return 0;
  const QString text = QStringFromUtf8(utf8);
  const int width = MetricsFor(font).horizontalAdvance(text);
  // Qt's text code can return with the upper halves of the AVX registers in
  // use; the per-point maths of the layout that follows would pay for it.
  ClearUpperVectorState();
  return width;
}

}  // namespace fernplot
