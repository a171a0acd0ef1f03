// SPDX-License-Identifier: MIT
#include <gtest/gtest.h>

#include <vector>

#include "graph/drawing.h"
#include "graph_stand_in.h"

namespace fernplot {
namespace {

std::vector<int> Numbers(const DrawingDocument& d) {
  std::vector<int> out;
  for (const DrawingSheet& s : d.Sheets()) out.push_back(s.number);
  return out;
}

// Three sheets told apart by their widths 10, 20, 30 mm.
DrawingDocument ThreeSheets() {
  DrawingDocument d;
  d.AddSheet(10, 10);
  d.AddSheet(20, 10);
  d.AddSheet(30, 10);
  return d;
}

int CurrentWidthMm(const DrawingDocument& d) {
  return d.CurrentSheet() ? static_cast<int>(d.CurrentSheet()->width / kPixelsPerMm + 0.5) : 0;
}

TEST(DrawingDocument, InitialState) {
  DrawingDocument d;
  EXPECT_EQ(d.SheetCount(), 0);
  EXPECT_EQ(d.CurrentSheet(), nullptr);
  EXPECT_EQ(d.CurrentNumber(), 0);
  ASSERT_EQ(d.Fonts().size(), 1u);
  EXPECT_EQ(d.Fonts()[0], (FontEntry{10, 0, 400, kCharsetShiftJis, "ＭＳ ゴシック"}));
  EXPECT_TRUE(d.Pens().empty());
  EXPECT_TRUE(d.Brushes().empty());
}

TEST(DrawingDocument, AddSheetSizesInPixels) {
  DrawingDocument d;
  d.AddSheet(186, 150);
  ASSERT_NE(d.CurrentSheet(), nullptr);
  EXPECT_EQ(d.CurrentSheet()->width, 702);
  EXPECT_EQ(d.CurrentSheet()->height, 566);
  EXPECT_EQ(d.CurrentWidth(), 702);
  EXPECT_EQ(d.CurrentHeight(), 566);
  EXPECT_EQ(d.CurrentNumber(), 1);
}

TEST(DrawingDocument, RemoveCurrentSheet) {
  const struct {
    int current;
    std::vector<int> widthsLeft;
    int newCurrent;
  } rows[] = {
      {1, {20, 30}, 1},
      {2, {10, 30}, 2},
      {3, {10, 20}, 2},
  };
  for (const auto& r : rows) {
    DrawingDocument d = ThreeSheets();
    ASSERT_TRUE(d.SelectSheet(r.current));
    d.RemoveCurrentSheet();
    EXPECT_EQ(Numbers(d), (std::vector<int>{1, 2})) << r.current;
    std::vector<int> widths;
    for (const DrawingSheet& s : d.Sheets())
      widths.push_back(static_cast<int>(s.width / kPixelsPerMm + 0.5));
    EXPECT_EQ(widths, r.widthsLeft) << r.current;
    EXPECT_EQ(d.CurrentNumber(), r.newCurrent) << r.current;
  }
  DrawingDocument one;
  one.AddSheet(10, 10);
  one.RemoveCurrentSheet();
  EXPECT_EQ(one.SheetCount(), 0);
  EXPECT_EQ(one.CurrentSheet(), nullptr);
  one.RemoveCurrentSheet();  // nothing current: nothing happens
  EXPECT_EQ(one.SheetCount(), 0);
}

TEST(DrawingDocument, SelectAndStep) {
  DrawingDocument d = ThreeSheets();
  EXPECT_TRUE(d.SelectSheet(0));
  EXPECT_EQ(d.CurrentNumber(), 1);
  EXPECT_FALSE(d.SelectSheet(5));
  EXPECT_EQ(d.CurrentNumber(), 1);
  EXPECT_FALSE(d.PreviousSheet());
  EXPECT_EQ(d.CurrentNumber(), 1);
  EXPECT_TRUE(d.NextSheet());
  EXPECT_EQ(d.CurrentNumber(), 2);
  EXPECT_EQ(CurrentWidthMm(d), 20);
  EXPECT_TRUE(d.NextSheet());
  EXPECT_FALSE(d.NextSheet());
  EXPECT_EQ(d.CurrentNumber(), 3);
  EXPECT_TRUE(d.PreviousSheet());
  EXPECT_EQ(d.CurrentNumber(), 2);
}

TEST(DrawingDocument, InsertBeforeCurrentRenumbers) {
  DrawingDocument d = ThreeSheets();
  d.SelectSheet(2);
  d.InsertSheet(40, 10);
  EXPECT_EQ(Numbers(d), (std::vector<int>{1, 2, 3, 4}));
  EXPECT_EQ(d.CurrentNumber(), 2);
  EXPECT_EQ(CurrentWidthMm(d), 40);
  d.SelectSheet(4);
  EXPECT_EQ(CurrentWidthMm(d), 30);
}

TEST(DrawingDocument, ClearAllKeepsResourceTables) {
  DrawingDocument d = ThreeSheets();
  d.FindOrAddPen(0, 1, 0, 0, 2, 0);
  d.ClearAll();
  EXPECT_EQ(d.SheetCount(), 0);
  EXPECT_EQ(d.CurrentSheet(), nullptr);
  EXPECT_EQ(d.CurrentWidth(), 0);
  EXPECT_EQ(d.Pens().size(), 1u);
  EXPECT_EQ(d.Fonts().size(), 1u);
}

TEST(DrawingDocument, FindOrAddTables) {
  DrawingDocument d;
  const int a = d.FindOrAddFont(kCharsetShiftJis, "ＭＳ Ｐゴシック", 9, 0, 400);
  EXPECT_EQ(d.FindOrAddFont(kCharsetShiftJis, "ＭＳ Ｐゴシック", 9, 0, 400), a);
  EXPECT_NE(d.FindOrAddFont(kCharsetAnsi, "ＭＳ Ｐゴシック", 9, 0, 400), a);
  EXPECT_EQ(d.FindOrAddFont(kCharsetShiftJis, "ＭＳ ゴシック", 10, 0, 400), 0);
  // Far beyond 50 distinct entries every request keeps its own index.
  for (int i = 0; i < 120; ++i) {
    EXPECT_EQ(d.FindOrAddPen(0, 1, static_cast<Colour>(i), 0, 2, 0), i);
    EXPECT_EQ(d.FindOrAddBrush(-1, static_cast<Colour>(i)), i);
  }
  EXPECT_EQ(d.FindOrAddPen(0, 1, 77, 0, 2, 0), 77);
  // Face names are cut to 30 CP932 bytes at a character boundary.
  const int longFace =
      d.FindOrAddFont(kCharsetShiftJis, "あいうえおかきくけこさしすせそた", 9, 0, 400);
  EXPECT_EQ(d.Fonts()[static_cast<size_t>(longFace)].faceName, "あいうえおかきくけこさしすせそ");
}

TEST(DrawingDocument, ElementsAndMeasurement) {
  test::StandInMeasurer measurer;
  DrawingDocument d;
  d.SetMeasurer(&measurer);
  d.AddLine(0, 1, 2, 3, 4);  // no sheet: ignored
  d.AddSheet(100, 100);
  d.AddRectOutline(0, 1, 2, 3, 4);
  d.AddFilledRect(0, 1, 0, 1, 2, 4, 6);
  d.AddTextRight(5, 6, "abc", 0, 0x123456);
  const auto& e = d.CurrentSheet()->elements;
  ASSERT_EQ(e.size(), 3u);
  const auto& outline = std::get<PolylineElement>(e[0]);
  EXPECT_EQ(outline.x, (std::vector<double>{1, 3, 3, 1, 1}));
  EXPECT_EQ(outline.y, (std::vector<double>{2, 2, 4, 4, 2}));
  const auto& rect = std::get<RectElement>(e[1]);
  EXPECT_DOUBLE_EQ(rect.width, 3);
  EXPECT_DOUBLE_EQ(rect.height, 4);
  EXPECT_EQ(std::get<TextElement>(e[2]).align, kAlignRight);
  EXPECT_NEAR(d.TextHeightMm(0), 3.5278, 1e-4);
  // 10 points, 4 bytes: round(4 * 10 * 4/3 * 0.5) = 27 px.
  EXPECT_NEAR(d.TextWidthMm(0, "a\xEF\xBD\xB1ア"), 27 * kMmPerPixel, 1e-12);
}

}  // namespace
}  // namespace fernplot
