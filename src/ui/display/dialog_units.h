// SPDX-License-Identifier: MIT
#pragma once
// Dialog-template units: a quarter of the dialog font's average character
// width across, an eighth of its height down.

#include <QFont>
#include <QFontMetricsF>
#include <QRect>
#include <cmath>

namespace fernplot {

class DialogUnits {
 public:
  explicit DialogUnits(const QFont& font) {
    const QFontMetricsF fm(font);
    const QString alphabet = QStringLiteral("ABCDEFGHIJKLMNOPQRSTUVWXYZabcdefghijklmnopqrstuvwxyz");
    baseX_ = std::round(fm.horizontalAdvance(alphabet) / 26.0 + 1.0) / 2.0;
    baseY_ = std::ceil(fm.height());
  }
  QRect Rect(int x, int y, int w, int h) const { return {X(x), Y(y), X(w), Y(h)}; }
  int X(int dlu) const { return static_cast<int>(std::lround(dlu * baseX_ / 4.0)); }
  int Y(int dlu) const { return static_cast<int>(std::lround(dlu * baseY_ / 8.0)); }

 private:
  double baseX_ = 6.0;
  double baseY_ = 12.0;
};

// The dialogs' font: "ＭＳ Ｐゴシック" 9 points at 96 dpi.
inline QFont DialogFont() {
  QFont font(QStringLiteral("ＭＳ Ｐゴシック"));
  font.setPixelSize(12);
  return font;
}

}  // namespace fernplot
