// SPDX-License-Identifier: MIT
#include "renderer.h"

#include <gtest/gtest.h>

#include <QFontMetrics>
#include <QImage>
#include <QPainter>
#include <QTemporaryDir>
#include <cmath>

#include "fernplot_test_data.h"
#include "font_setup.h"
#include "page_output.h"
#include "props/page_geometry.h"
#include "qt_convert.h"
#include "qt_text_measurer.h"
#include "render_test_util.h"

namespace fernplot {
namespace {

using testing::InkColumns;
using testing::InkRows;
using testing::IsColour;
using testing::ReadBytes;
using testing::SheetOf;

constexpr Colour kRed = Rgb(255, 0, 0);
constexpr Colour kBlue = Rgb(0, 0, 255);
constexpr Colour kGreen = Rgb(0, 255, 0);
constexpr Colour kBlack = Rgb(0, 0, 0);
constexpr QRgb kQRed = 0xFF0000, kQBlue = 0x0000FF, kQGreen = 0x00FF00, kQBlack = 0;

RenderOptions Screen(double zoom) {
  return RenderOptions::Screen(zoom);
}

// Screen-mode render at `zoom` onto a white image with plain (aliased)
// text, so ink colours are exact.
QImage Render(const DrawingDocument& doc, double zoom, QSize size = QSize(400, 300)) {
  QImage image(size, QImage::Format_RGB32);
  image.fill(Qt::white);
  QPainter painter(&image);
  painter.setRenderHint(QPainter::TextAntialiasing, false);
  RenderCurrentSheet(painter, doc, Screen(zoom));
  return image;
}

// A QImage at 254 dpi: one pixel is 0.1 mm, so the print mapping lands on
// pixels one to one.
QImage RenderPrint(const DrawingDocument& doc, int offsetMm, QSize size) {
  QImage image(size, QImage::Format_RGB32);
  image.setDotsPerMeterX(10000);
  image.setDotsPerMeterY(10000);
  image.fill(Qt::white);
  QPainter painter(&image);
  painter.setRenderHint(QPainter::TextAntialiasing, false);
  SetPrintUnits(painter);
  RenderCurrentSheet(painter, doc, RenderOptions::Print(offsetMm, offsetMm));
  return image;
}

TEST(ToDevice, ScreenAndPrintConversions) {
  struct Row {
    bool print;
    double zoom;
    int offset;
    double xMm, yMm;
    int x, y;
  } rows[] = {
      {false, 1.0, 0, 25.4, 25.4, 96, 96},
      {false, 1.5, 0, 10.0, 10.0, 56, 56},  // trunc(56.69)
      {false, 0.3, 0, 100.0, 1.0, 113, 1},
      {false, 2.0, 0, -1.0, -1.0, -7, -7},  // toward zero, not down
      {true, 1.0, 10, 0.0, 0.0, 100, -100},
      {true, 1.0, 10, 25.4, 12.5, 354, -225},
      {true, 1.0, 0, 0.05, 0.05, 0, 0},
      {true, 2.0, 0, 186.0, 150.0, 1860, -1500},  // zoom has no say on paper
  };
  for (const Row& r : rows) {
    const RenderOptions options{r.print, r.zoom, r.offset, r.offset};
    EXPECT_EQ(ToDeviceX(options, r.xMm), r.x) << r.xMm << " zoom " << r.zoom;
    EXPECT_EQ(ToDeviceY(options, r.yMm), r.y) << r.yMm << " zoom " << r.zoom;
  }
}

TEST(QtConvert, ColourWordAndUtf8) {
  const Colour c = Rgb(1, 2, 250);
  EXPECT_EQ(ToQColor(c), QColor(1, 2, 250));
  EXPECT_EQ(FromQColor(ToQColor(c)), c);
  EXPECT_EQ(FromQColor(QColor(Qt::red)), kRed);
  // A view into a longer string: only its own bytes, multibyte text kept.
  const std::string text = "周波数 Hz|rest";
  EXPECT_EQ(QStringFromUtf8(std::string_view(text).substr(0, text.find('|'))),
            QStringLiteral("周波数 Hz"));
  EXPECT_EQ(QStringFromUtf8(std::string("a\0b", 3)).size(), 3);
}

TEST(FontHeight, ZoomCutToWholePointsAndPrintUnits) {
  struct Row {
    int size;
    double zoom;
    int screen;
  } rows[] = {{10, 1.0, 13}, {10, 0.75, 9}, {10, 0.3, 4}, {10, 2.0, 27}, {8, 1.5, 16}, {9, 0.6, 7}};
  for (const Row& r : rows) {
    EXPECT_EQ(ScreenFontHeight(FontEntry{r.size, 0, 400, 128, "x"}, r.zoom), r.screen)
        << r.size << "pt at " << r.zoom;
  }
  EXPECT_EQ(PrintFontHeight(FontEntry{10, 0, 400, 128, "x"}), 35);
  EXPECT_EQ(PrintFontHeight(FontEntry{9, 0, 400, 128, "x"}), 32);
  EXPECT_EQ(PrintFontHeight(FontEntry{8, 0, 400, 0, "x"}), 28);
}

TEST(RenderPolyline, ScreenPositionsFollowZoomAndWidthsDoNot) {
  for (double zoom : {1.0, 1.5, 2.0}) {
    DrawingDocument doc = SheetOf(100, 60);
    const int thin = doc.FindOrAddPen(0, 1, kRed, 0, 2, 0);
    const int wide = doc.FindOrAddPen(0, 2, kBlue, 0, 6, 0);
    doc.AddLine(thin, 5.0, 25.4, 60.0, 25.4);   // horizontal
    doc.AddLine(wide, 10.0, 30.0, 10.0, 50.0);  // vertical
    const QImage image = Render(doc, zoom);
    const int y = ToDeviceY(Screen(zoom), 25.4);
    const auto rows = InkRows(image, kQRed);
    ASSERT_TRUE(rows) << zoom;
    EXPECT_EQ(rows->first, y) << zoom;
    EXPECT_EQ(rows->last, y) << zoom;
    const auto cols = InkColumns(image, kQBlue);
    ASSERT_TRUE(cols) << zoom;
    EXPECT_EQ(cols->last - cols->first + 1, 2) << "screen widths are pixels at " << zoom;
    const int x = ToDeviceX(Screen(zoom), 10.0);
    EXPECT_TRUE(cols->first == x - 1 || cols->first == x) << cols->first << " vs " << x;
  }
  DrawingDocument doc = SheetOf(100, 60);
  doc.FindOrAddPen(0, 1, kRed, 0, 2, 0);
  doc.AddLine(0, 0.0, 25.4, 30.0, 25.4);
  EXPECT_TRUE(IsColour(Render(doc, 1.0), 50, 96, kQRed));
}

TEST(RenderPolyline, OnePointDrawsNothingAndBadPenIsEntryZero) {
  DrawingDocument doc = SheetOf(100, 60);
  doc.FindOrAddPen(0, 1, kRed, 0, 2, 0);
  doc.FindOrAddPen(0, 1, kBlue, 0, 2, 0);
  doc.AddPolyline(1, {20.0}, {20.0});
  doc.AddLine(60, 0.0, 10.0, 50.0, 10.0);
  doc.AddLine(-1, 0.0, 20.0, 50.0, 20.0);
  const QImage image = Render(doc, 1.0);
  EXPECT_FALSE(InkColumns(image, kQBlue));
  const auto rows = InkRows(image, kQRed);
  ASSERT_TRUE(rows);
  EXPECT_EQ(rows->first, ToDeviceY(Screen(1.0), 10.0));
  EXPECT_EQ(rows->last, ToDeviceY(Screen(1.0), 20.0));
}

// Dense curves are drawn after dropping repeated device points, with square
// ends for two-pixel pens; the pixels must be those of the plain drawing of
// every point with round ends and joins.
TEST(RenderPolyline, DenseCurveMatchesThePlainRoundStroke) {
  std::vector<double> xs, ys;
  for (int i = 0; i < 20000; ++i) {
    const double t = i / 19999.0;
    xs.push_back(5.0 + 90.0 * t);
    ys.push_back(30.0 + 20.0 * std::sin(t * 40.0) * std::exp(-2.0 * t) + ((i % 7) == 0 ? 0.4 : 0));
  }
  for (double zoom : {0.3, 1.0, 2.0}) {
    DrawingDocument doc = SheetOf(100, 60);
    const int pen = doc.FindOrAddPen(0, 2, kRed, 0, 6, kRed);
    doc.AddPolyline(pen, xs, ys);
    const QImage fast = Render(doc, zoom);

    QImage plain(fast.size(), QImage::Format_RGB32);
    plain.fill(Qt::white);
    QPainter painter(&plain);
    painter.setPen(QPen(QColor(255, 0, 0), 2, Qt::SolidLine, Qt::RoundCap, Qt::RoundJoin));
    QPolygon all;
    for (size_t k = 0; k < xs.size(); ++k)
      all << QPoint(ToDeviceX(Screen(zoom), xs[k]), ToDeviceY(Screen(zoom), ys[k]));
    painter.drawPolyline(all);
    painter.end();
    int differing = 0;
    for (int y = 0; y < plain.height(); ++y) {
      for (int x = 0; x < plain.width(); ++x) differing += plain.pixel(x, y) != fast.pixel(x, y);
    }
    EXPECT_EQ(differing, 0) << "zoom " << zoom;
  }
}

TEST(RenderRect, FillLeavesRightAndBottomEdgesToTheOutline) {
  DrawingDocument doc = SheetOf(100, 60);
  const int pen = doc.FindOrAddPen(0, 1, kBlue, 0, 2, 0);
  const int brush = doc.FindOrAddBrush(-1, kRed);
  doc.AddFilledRect(pen, brush, 0, 10.0, 10.0, 20.0, 30.0);
  const QImage image = Render(doc, 1.0);
  const int l = ToDeviceX(Screen(1.0), 10.0), r = ToDeviceX(Screen(1.0), 20.0);
  const int t = ToDeviceY(Screen(1.0), 10.0), b = ToDeviceY(Screen(1.0), 30.0);
  const int midY = (t + b) / 2, midX = (l + r) / 2;
  EXPECT_TRUE(IsColour(image, l, midY, kQBlue));
  EXPECT_TRUE(IsColour(image, r, midY, kQBlue));
  EXPECT_TRUE(IsColour(image, midX, t, kQBlue));
  EXPECT_TRUE(IsColour(image, midX, b, kQBlue));
  EXPECT_TRUE(IsColour(image, l + 1, midY, kQRed));
  EXPECT_TRUE(IsColour(image, r - 1, midY, kQRed));
  EXPECT_TRUE(IsColour(image, midX, b - 1, kQRed));
  EXPECT_TRUE(IsColour(image, r + 1, midY, 0xFFFFFF));
  const auto red = InkColumns(image, kQRed);
  ASSERT_TRUE(red);
  EXPECT_EQ(red->first, l + 1);
  EXPECT_EQ(red->last, r - 1);
}

TEST(RenderRect, EmptyTablesFallBackToDefaultsWithoutCrashing) {
  DrawingDocument doc = SheetOf(50, 50);
  doc.AddFilledRect(3, 7, 0, 5.0, 5.0, 20.0, 20.0);
  doc.AddLine(0, 1.0, 1.0, 30.0, 1.0);
  const QImage image = Render(doc, 1.0);
  const RenderOptions at100 = Screen(1.0);
  EXPECT_TRUE(IsColour(image, ToDeviceX(at100, 5.0), ToDeviceY(at100, 10.0), kQBlack));
  EXPECT_TRUE(IsColour(image, ToDeviceX(at100, 10.0), ToDeviceY(at100, 10.0), 0xFFFFFF));
}

// Liberation Serif (the face behind "Times New Roman") has a full block
// whose ink fills its whole advance, so ink columns show where a text went.
constexpr const char* kBlockFace = "Times New Roman";
constexpr const char* kBlocks = "\u2588\u2588\u2588";

int BlockWidth(const DrawingDocument& doc, int font, const char* text, double zoom = 1.0) {
  QFont f = MakeFont(doc.Fonts()[font], ScreenFontHeight(doc.Fonts()[font], zoom));
  return QFontMetrics(f).horizontalAdvance(QString::fromUtf8(text));
}

TEST(RenderText, LeftRightAndContinuedTextsMoveTheCursor) {
  const RenderOptions at100 = Screen(1.0);
  DrawingDocument doc = SheetOf(100, 60);
  const int font = doc.FindOrAddFont(0, kBlockFace, 10, 0, 400);
  doc.AddTextLeft(10.0, 5.0, kBlocks, font, kRed);
  doc.AddTextCenter(70.0, 30.0, "\u2588", font, kGreen);  // leaves the cursor alone
  doc.AddTextLeft(0.0, 15.0, kBlocks, font, kBlue);       // continues the red text
  doc.AddTextRight(0.0, 40.0, kBlocks, font, kBlack);     // ends where the blue one ended
  const QImage image = Render(doc, 1.0);
  const int w = BlockWidth(doc, font, kBlocks);
  const int x = ToDeviceX(at100, 10.0);
  const auto red = InkColumns(image, kQRed);
  const auto blue = InkColumns(image, kQBlue);
  const auto black = InkColumns(image, kQBlack);
  ASSERT_TRUE(red && blue && black);
  EXPECT_NEAR(red->first, x, 1);
  EXPECT_NEAR(red->last, x + w - 1, 1);
  EXPECT_NEAR(blue->first, x + w, 1);
  EXPECT_NEAR(black->last, x + 2 * w - 1, 1);
  const auto rows = InkRows(image, kQBlue);
  ASSERT_TRUE(rows);
  EXPECT_GE(rows->first, ToDeviceY(at100, 15.0));  // y is the top of the text

  // A right-aligned text ends at its point and still advances the cursor
  // by its width.
  DrawingDocument right = SheetOf(100, 60);
  const int f2 = right.FindOrAddFont(0, kBlockFace, 10, 0, 400);
  right.AddTextRight(50.0, 5.0, kBlocks, f2, kRed);
  right.AddTextLeft(0.0, 20.0, kBlocks, f2, kBlue);
  const QImage r = Render(right, 1.0);
  const auto ink = InkColumns(r, kQRed);
  const auto after = InkColumns(r, kQBlue);
  ASSERT_TRUE(ink && after);
  EXPECT_NEAR(ink->last, ToDeviceX(at100, 50.0) - 1, 1);
  EXPECT_NEAR(after->first, ToDeviceX(at100, 50.0) + w, 1);
}

TEST(RenderText, CentredTextStartsHalfItsWidthTruncatedLeftOfThePoint) {
  for (double zoom : {1.0, 0.75, 1.5, 2.0}) {
    for (const char* text : {"\u2588", "\u2588\u2588", kBlocks}) {
      DrawingDocument doc = SheetOf(100, 60);
      const int font = doc.FindOrAddFont(0, kBlockFace, 10, 0, 400);
      doc.AddTextCenter(40.0, 10.0, text, font, kRed);
      const QImage image = Render(doc, zoom);
      const int w = BlockWidth(doc, font, text, zoom);
      const auto red = InkColumns(image, kQRed);
      ASSERT_TRUE(red);
      EXPECT_NEAR(red->first, ToDeviceX(Screen(zoom), 40.0) - w / 2, 1)
          << "w=" << w << " zoom " << zoom;
    }
  }
}

TEST(RenderText, OutOfRangeFontIsEntryZero) {
  DrawingDocument doc = SheetOf(100, 60);
  const int block = doc.FindOrAddFont(0, kBlockFace, 10, 0, 400);
  doc.AddTextLeft(10.0, 10.0, "ABC", 99, kRed);
  doc.AddTextLeft(0.0, 30.0, kBlocks, block, kBlue);  // placed by entry 0's advance
  const QImage image = Render(doc, 1.0);
  EXPECT_TRUE(InkColumns(image, kQRed));
  QFont entry0 = MakeFont(doc.Fonts()[0], 13);
  const auto blue = InkColumns(image, kQBlue);
  ASSERT_TRUE(blue);
  EXPECT_NEAR(blue->first,
              ToDeviceX(Screen(1.0), 10.0) + QFontMetrics(entry0).horizontalAdvance("ABC"), 1);
}

TEST(RenderPrint, MirrorsOnceAndKeepsTrueSize) {
  DrawingDocument doc = SheetOf(40, 30);
  const int pen = doc.FindOrAddPen(0, 1, kRed, 0, 0, kBlue);  // printed blue, thinnest
  doc.AddLine(pen, 0.0, 0.0, 25.4, 0.0);
  doc.AddLine(pen, 25.4, 12.5, 25.4, 20.0);
  const QImage image = RenderPrint(doc, 10, QSize(700, 500));
  EXPECT_FALSE(InkColumns(image, kQRed)) << "print colours, not screen colours";
  const auto rows = InkRows(image, kQBlue);
  const auto cols = InkColumns(image, kQBlue);
  ASSERT_TRUE(rows && cols);
  EXPECT_EQ(rows->first, 100);  // (0, 0) -> (100, -100), shown 10 mm down
  EXPECT_EQ(cols->first, 100);
  EXPECT_EQ(cols->last, 354);  // (25.4, 12.5) -> (354, -225)
  EXPECT_EQ(rows->last, 299);  // a thin line leaves out its end point, as LineTo does
  EXPECT_TRUE(IsColour(image, 354, 225, kQBlue));
}

// The page is laid out with screen widths; on paper the same text may come
// out wider. It must still end where the layout let it end, or it runs into
// the text placed after it (the info block's items lost their spaces).
TEST(RenderPrint, TextsEndWhereTheLayoutMeasuredThem) {
  const char* const texts[] = {"Amplitude compression = ON ", "High-density sweep = OFF ",
                               "振幅圧縮機能=ON ",
                               "Integration count=16  Delay time=1.00000e-1[s] "};
  const char* const faces[] = {"ＭＳ Ｐゴシック", "Arial", "Times New Roman"};
  int condensed = 0;
  for (const char* face : faces) {
    for (const int size : {8, 9, 10, 12}) {
      for (const char* text : texts) {
        DrawingDocument doc = SheetOf(200, 30);
        const int font = doc.FindOrAddFont(0, face, size, 0, 400);
        doc.AddTextLeft(10.0, 5.0, text, font, kRed);
        QtTextMeasurer measurer;
        const double laidOutMm = measurer.TextWidthPx(doc.Fonts()[font], text) * kMmPerPixel;
        const QImage image = RenderPrint(doc, 0, QSize(2000, 300));
        const auto red = InkColumns(image, kQRed);
        ASSERT_TRUE(red) << face << " " << size << " " << text;
        EXPECT_LT(red->last, 100 + laidOutMm * 10.0) << face << " " << size << " " << text;
        QFont drawn = MakeFont(doc.Fonts()[font], PrintFontHeight(doc.Fonts()[font]));
        if (QFontMetrics(drawn).horizontalAdvance(QString::fromUtf8(text)) > laidOutMm * 10.0) {
          ++condensed;
        }
      }
    }
  }
  // The case this guards against must occur among the samples.
  EXPECT_GT(condensed, 0);
}

TEST(RenderPrint, PenWidthsAreTenthsOfMillimetres) {
  DrawingDocument doc = SheetOf(40, 30);
  const int pen = doc.FindOrAddPen(0, 2, kRed, 0, 6, kBlue);
  doc.AddLine(pen, 5.0, 5.0, 5.0, 25.0);
  const QImage image = RenderPrint(doc, 0, QSize(400, 300));
  const auto cols = InkColumns(image, kQBlue);
  ASSERT_TRUE(cols);
  EXPECT_EQ(cols->last - cols->first + 1, 6);
}

TEST(RenderSheet, NoCurrentSheetLeavesTheImageAlone) {
  DrawingDocument doc;
  QImage image(50, 50, QImage::Format_RGB32);
  image.fill(Qt::green);
  QPainter painter(&image);
  RenderCurrentSheet(painter, doc, Screen(1.0));
  painter.end();
  EXPECT_TRUE(IsColour(image, 25, 25, kQGreen));
  EXPECT_TRUE(RenderPageImage(doc, 1.0).isNull());
}

TEST(PageImage, ClipboardSizeRule) {
  struct Row {
    int wMm, hMm;
    double zoom;
    int width, height;
  } rows[] = {
      {186, 150, 1.0, 703, 566},  // sheet 702 x 566
      {186, 150, 1.5, 1054, 849},
      {186, 150, 0.3, 211, 169},
      {261, 200, 2.0, 1973, 1510},  // sheet 986 x 755
  };
  for (const Row& r : rows) {
    const DrawingDocument doc = SheetOf(r.wMm, r.hMm);
    const QImage image = RenderPageImage(doc, r.zoom);
    EXPECT_EQ(image.width(), r.width) << r.zoom;
    EXPECT_EQ(image.height(), r.height) << r.zoom;
    EXPECT_EQ(image.size(), PageImageSize(doc.CurrentWidth(), doc.CurrentHeight(), r.zoom));
    EXPECT_TRUE(IsColour(image, 0, 0, 0xFFFFFF));
  }
  DrawingDocument doc = SheetOf(186, 150);
  const QImage hidpi = RenderPageImage(doc, 1.0, 2.0);
  EXPECT_EQ(hidpi.width(), 1406);
  EXPECT_EQ(hidpi.deviceIndependentSize().toSize(), QSize(703, 566));
}

// A sheet whose first text continues "the previous one" and whose other
// texts move the cursor: anything a render left behind would show here.
DrawingDocument CursorSheet() {
  DrawingDocument doc = SheetOf(120, 80);
  const int font = doc.FindOrAddFont(0, kBlockFace, 10, 0, 400);
  const int turned = doc.FindOrAddFont(0, kBlockFace, 9, 900, 400);
  const int pen = doc.FindOrAddPen(0, 2, kRed, 0, 6, kBlue);
  const int brush = doc.FindOrAddBrush(-1, kGreen);
  doc.AddTextLeft(0.0, 5.0, kBlocks, font, kBlue);
  doc.AddTextRight(60.0, 15.0, kBlocks, font, kRed);
  doc.AddTextLeft(0.0, 25.0, "continued", font, kBlack);
  doc.AddTextCenter(80.0, 35.0, "centre", turned, kBlue);
  doc.AddFilledRect(pen, brush, 0, 10.0, 40.0, 50.0, 70.0);
  doc.AddPolyline(pen, {5.0, 60.0, 110.0}, {75.0, 45.0, 70.0});
  doc.AddTextLeft(0.0, 72.0, kBlocks, font, kRed);
  return doc;
}

// Every render starts from its options alone: the same sheet at the same
// options gives the same picture after renders at other zooms, on paper and
// as vector pages, and none of them changes the document.
TEST(RenderSheet, RepeatedRenderIsTheSameWhateverCameBefore) {
  DrawingDocument doc = CursorSheet();
  doc.AddSheet(50, 50);
  doc.AddTextLeft(30.0, 10.0, kBlocks, 1, kRed);  // leaves the cursor far right
  doc.SelectSheet(1);
  const DrawingDocument before = doc;
  const QImage first = RenderPageImage(doc, 1.0);
  const QImage firstPrint = RenderPrint(doc, 10, QSize(1400, 1000));
  ASSERT_FALSE(first.isNull());

  QTemporaryDir dir;
  ASSERT_TRUE(dir.isValid());
  const std::string svg1 = dir.filePath("1.svg").toStdString();
  const std::string svg2 = dir.filePath("2.svg").toStdString();
  ASSERT_TRUE(WritePageSvg(doc, svg1, "t").ok);
  for (double zoom : {0.3, 2.0}) Render(doc, zoom);
  RenderPrint(doc, 0, QSize(1400, 1000));
  {
    // The other sheet of the document, drawn through the same painter type.
    QImage other(400, 300, QImage::Format_RGB32);
    QPainter painter(&other);
    RenderSheet(painter, doc, doc.Sheets()[1], RenderOptions::Screen(1.5));
  }
  ASSERT_TRUE(WritePagePdf(doc, dir.filePath("p.pdf").toStdString(), "t").ok);
  ASSERT_TRUE(WritePageSvg(doc, svg2, "t").ok);

  EXPECT_EQ(RenderPageImage(doc, 1.0), first);
  EXPECT_EQ(RenderPrint(doc, 10, QSize(1400, 1000)), firstPrint);
  EXPECT_EQ(ReadBytes(svg1), ReadBytes(svg2));
  EXPECT_EQ(doc.CurrentNumber(), 1);
  EXPECT_EQ(doc.Sheets(), before.Sheets());
  EXPECT_EQ(doc.Fonts(), before.Fonts());
  EXPECT_EQ(doc.Pens(), before.Pens());
  EXPECT_EQ(doc.Brushes(), before.Brushes());

  // The continued first text starts at the left edge, as on a fresh device.
  const auto blue =
      InkColumns(first.copy(0, 0, first.width(), ToDeviceY(Screen(1.0), 10.0)), kQBlue);
  ASSERT_TRUE(blue);
  EXPECT_LE(blue->first, 1);
}

TEST(VectorPage, SheetMillimetresGrownToTheLowestElement) {
  DrawingDocument doc = SheetOf(261, 165);  // 986 x 623 px
  EXPECT_EQ(VectorPageSizeMm(doc), QSizeF(261, 165));
  doc.AddLine(0, 0.0, 0.0, 261.0, 164.6);
  EXPECT_EQ(VectorPageSizeMm(doc), QSizeF(261, 165));
  // The credit line under the outline: 8 points (2.82 mm) at 164.8 mm.
  const int credit = doc.FindOrAddFont(0, "Times New Roman", 8, 0, 400);
  doc.AddTextLeft(0.5, 164.8, "credit", credit, 0);
  EXPECT_EQ(VectorPageSizeMm(doc), QSizeF(261, 168));
  EXPECT_EQ(VectorPageSizeMm(SheetOf(127, 254)), QSizeF(127, 254)) << "exact pixel multiples";
  EXPECT_TRUE(VectorPageSizeMm(DrawingDocument()).isEmpty());
}

}  // namespace
}  // namespace fernplot
