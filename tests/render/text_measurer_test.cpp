// SPDX-License-Identifier: MIT
#include <gtest/gtest.h>

#include <QFontInfo>

#include "font_setup.h"
#include "graph/drawing.h"
#include "qt_text_measurer.h"

namespace fernplot {
namespace {

TEST(FontSubstitution, WindowsFacesResolveToMetricCompatibleFonts) {
  struct Row {
    const char* face;
    const char* family;
  } rows[] = {
      {"ＭＳ Ｐゴシック", "IPAPGothic"},
      {"ＭＳ ゴシック", "IPAGothic"},
      {"Times New Roman", "Liberation Serif"},
  };
  for (const Row& r : rows) {
    const QFont font = MakeFont(FontEntry{10, 0, 400, 128, r.face}, 13);
    EXPECT_EQ(QFontInfo(font).family().toStdString(), r.family) << r.face;
    EXPECT_EQ(font.family().toStdString(), r.family) << "vector output names the real font";
    EXPECT_EQ(font.pixelSize(), 13);
  }
}

TEST(MulDiv, RoundsHalfAwayFromZero) {
  EXPECT_EQ(MulDiv(10, 96, 72), 13);  // 13.33
  EXPECT_EQ(MulDiv(9, 254, 72), 32);  // 31.75
  EXPECT_EQ(MulDiv(3, 96, 72), 4);    // 4.0
  EXPECT_EQ(MulDiv(3, 254, 72), 11);  // 10.58
  EXPECT_EQ(MulDiv(-9, 254, 72), -32);
  EXPECT_EQ(MulDiv(1, 3, 2), 2);  // 1.5
  EXPECT_EQ(MulDiv(5, 5, 0), -1);
}

TEST(QtTextMeasurer, FixedPitchGothicIsHalfAndFullWidth) {
  QtTextMeasurer m;
  const FontEntry gothic{10, 0, 400, 128, "ＭＳ ゴシック"};  // 13 px
  const int half = m.TextWidthPx(gothic, "0");
  const int full = m.TextWidthPx(gothic, "周");
  EXPECT_EQ(full, 13);
  EXPECT_EQ(half, 7);
  for (const char* s : {"i", "W", "-", "ｶ"}) EXPECT_EQ(m.TextWidthPx(gothic, s), half) << s;
  EXPECT_EQ(m.TextWidthPx(gothic, "1000 Hz"), 7 * half);
  EXPECT_EQ(m.TextWidthPx(gothic, "周波数特性"), 5 * full);
  EXPECT_EQ(m.TextWidthPx(gothic, ""), 0);
  EXPECT_EQ(QtTextMeasurer::PixelSizeAt96Dpi(gothic), 13);
}

TEST(QtTextMeasurer, ProportionalFacesAndSizesDiffer) {
  QtTextMeasurer m;
  const FontEntry proportional{10, 0, 400, 128, "ＭＳ Ｐゴシック"};
  EXPECT_LT(m.TextWidthPx(proportional, "i"), m.TextWidthPx(proportional, "W"));
  const FontEntry big{20, 0, 400, 128, "ＭＳ ゴシック"};  // 27 px
  EXPECT_EQ(m.TextWidthPx(big, "周"), 27);
  const FontEntry bold{10, 0, 700, 0, "Times New Roman"};
  const FontEntry regular{10, 0, 400, 0, "Times New Roman"};
  EXPECT_GE(m.TextWidthPx(bold, "Bode plot 1000"), m.TextWidthPx(regular, "Bode plot 1000"));
  // The cache keeps entries apart: asking again in any order gives the same.
  const int w = m.TextWidthPx(proportional, "Frequency");
  m.TextWidthPx(big, "Frequency");
  EXPECT_EQ(m.TextWidthPx(proportional, "Frequency"), w);
}

TEST(QtTextMeasurer, DocumentWidthIsPixelsAt96Dpi) {
  QtTextMeasurer m;
  DrawingDocument doc;
  doc.SetMeasurer(&m);
  EXPECT_DOUBLE_EQ(doc.TextWidthMm(0, "周波数"), 39 * kMmPerPixel);
}

}  // namespace
}  // namespace fernplot
