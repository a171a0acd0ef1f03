// SPDX-License-Identifier: MIT
#include <gtest/gtest.h>

#include <cmath>
#include <limits>
#include <string>
#include <vector>

#include "graph/layout.h"
#include "graph/page_builder.h"
#include "graph/page_limits.h"
#include "graph_stand_in.h"

namespace fernplot {
namespace {

constexpr double kPt = 0.35277777777777775;

struct LayoutFixture : ::testing::Test {
  test::TestState ts;
  GraphPage page;
  std::unique_ptr<PageBuilder> b;
  LayoutFixture() {
    page.properties = FactoryDefaults();
    page.data = test::SweepData(10);
    page.fileName = "SAMPLE1";
  }
  PageBuilder& Layout() {
    b = std::make_unique<PageBuilder>(ts->drawing, page);
    b->Prepare();
    return *b;
  }
};

TEST_F(LayoutFixture, DefaultWidthAndFrame) {
  Layout();
  const GraphProperties& p = page.properties;
  EXPECT_DOUBLE_EQ(p.pageLeft, 0);
  EXPECT_DOUBLE_EQ(p.pageTop, 0);
  EXPECT_DOUBLE_EQ(p.HB.frameLeft, 18);
  EXPECT_DOUBLE_EQ(p.HB.frameRight, 243);
  EXPECT_DOUBLE_EQ(p.pageRight, 261);
  // Header line (12-point file name), data title, graph title, half a caption.
  const double y0 = 2 + (12 * kPt + 0.5) + (9 * kPt + 0.5) + (12 * kPt + 0.5) + 9 * kPt / 2 + 1.5;
  EXPECT_NEAR(p.HB.frameTop, y0, 1e-12);
  EXPECT_NEAR(p.HB.frameBottom, y0 + 120, 1e-12);
  for (const AxisSettings* a : {&p.HT, &p.VL, &p.VR}) {
    EXPECT_EQ(a->frameLeft, p.HB.frameLeft);
    EXPECT_EQ(a->frameTop, p.HB.frameTop);
    EXPECT_EQ(a->frameRight, p.HB.frameRight);
    EXPECT_EQ(a->frameBottom, p.HB.frameBottom);
  }
  EXPECT_EQ(b->SheetWidthMm(), 261);
}

// The settings reader keeps pages within the output limits by this bound, so
// it must hold for the worst wrapping: every item shown, each on a line of
// its own on a narrow page, in fonts of very different sizes.
TEST_F(LayoutFixture, PageSizeBoundHoldsTheBuiltPage) {
  for (const float width : {1.0f, 40.0f, 225.0f}) {
    for (const int32_t big : {1, 9, 72}) {
      GraphProperties& p = page.properties;
      p = FactoryDefaults();
      p.itemFlags.fill(1);
      p.HB.length = width;
      for (size_t i = 0; i < kFontCategoryCount; ++i) p.fonts[i].size = i % 2 ? big : 9;
      const PageSizeMm bound = PageSizeBoundMm(p);
      Layout();
      EXPECT_LE(p.pageRight, bound.width) << width << " " << big;
      // The credit line hangs under the page outline.
      const double credit = p.pageBottom + kCreditBelowPage + kCreditSize * kPt;
      EXPECT_LE(credit, bound.height) << width << " " << big;
    }
  }
}

TEST_F(LayoutFixture, AxisLengthsChooseTheLarger) {
  page.properties.HB.length = 150;
  page.properties.HT.length = 0;
  page.properties.VL.length = 100;
  page.properties.VR.length = 120;
  Layout();
  EXPECT_DOUBLE_EQ(page.properties.HB.frameRight, 168);
  EXPECT_DOUBLE_EQ(page.properties.pageRight, 186);
  EXPECT_EQ(b->SheetWidthMm(), 186);
  EXPECT_NEAR(page.properties.VL.frameBottom - page.properties.VL.frameTop, 120, 1e-12);
  page.properties.HT.length = 160;
  Layout();
  EXPECT_DOUBLE_EQ(page.properties.pageRight, 196);
}

TEST_F(LayoutFixture, NoItemsGiveTheBareHeight) {
  page.properties.itemFlags.fill(0);
  page.properties.fonts[kFontGainCaption].size = 14;  // larger gain caption: its height
  Layout();
  const GraphProperties& p = page.properties;
  EXPECT_TRUE(b->pending.empty());
  EXPECT_NEAR(p.HB.frameTop, 2 + 12 * kPt + 0.5 + 14 * kPt / 2 + 1.5, 1e-12);
  EXPECT_NEAR(p.pageBottom, p.HB.frameBottom + 9 * kPt + 9 * kPt + 4.0 + 2.5, 1e-12);
}

TEST_F(LayoutFixture, SettingsBlockAddsItsLastLine) {
  page.properties.itemFlags.fill(0);
  page.properties.itemFlags[kItemPhaseRange] = 1;
  Layout();
  const GraphProperties& p = page.properties;
  const double top = p.HB.frameBottom + 9 * kPt + 0.5 + 9 * kPt + 0.5 + 3.0;
  ASSERT_EQ(b->pending.size(), 1u);
  EXPECT_NEAR(b->pending[0].y, top, 1e-12);
  EXPECT_NEAR(p.pageBottom, top + 9 * kPt + 0.5 + 2.5 + 2.5, 1e-12);
  EXPECT_EQ(b->SheetHeightMm(), static_cast<int>(std::ceil(p.pageBottom)));
}

TEST_F(LayoutFixture, DrawingOrder) {
  PageBuilder& builder = Layout();
  ts->drawing.AddSheet(builder.SheetWidthMm(), builder.SheetHeightMm());
  builder.Finish();
  const GraphProperties& p = page.properties;
  const DrawingDocument& d = ts->drawing;
  const auto& e = d.CurrentSheet()->elements;
  ASSERT_GT(e.size(), 10u);

  const auto& outline = std::get<PolylineElement>(e[0]);
  EXPECT_EQ(outline.x, (std::vector<double>{0, 261, 261, 0, 0}));
  EXPECT_EQ(d.Pens()[static_cast<size_t>(outline.pen)], (PenEntry{0, 0, 1, 2, 0, 0}));

  const auto& credit = std::get<TextElement>(e[1]);
  EXPECT_DOUBLE_EQ(credit.x, 0.5);
  EXPECT_DOUBLE_EQ(credit.y, p.pageBottom + 0.2);
  EXPECT_EQ(d.Fonts()[static_cast<size_t>(credit.font)],
            (FontEntry{8, 0, 400, kCharsetAnsi, "Times New Roman"}));
  for (char c : credit.text) EXPECT_TRUE(c >= 0x20 && c < 0x7F);

  const auto& frame = std::get<RectElement>(e[2]);
  EXPECT_DOUBLE_EQ(frame.x, 18);
  EXPECT_DOUBLE_EQ(frame.width, 225);
  EXPECT_NEAR(frame.height, 120, 1e-12);
  EXPECT_EQ(d.Brushes()[static_cast<size_t>(frame.brush)], (BrushEntry{-1, Rgb(255, 255, 230)}));
  EXPECT_EQ(d.Pens()[static_cast<size_t>(frame.pen)], (PenEntry{0, 0, 2, 2, 0, 0}));

  const auto& title = std::get<TextElement>(e[3]);
  EXPECT_EQ(title.text, "周波数特性");
  EXPECT_EQ(title.align, kAlignCenter);
  EXPECT_DOUBLE_EQ(title.x, (18 + 243) / 2.0);
  EXPECT_NEAR(title.y, p.HB.frameTop - 2.0 - 12 * kPt, 1e-12);
  EXPECT_EQ(title.color, Rgb(0, 0, 127));

  const auto& caption = std::get<TextElement>(e[4]);
  EXPECT_EQ(caption.text, "FREQUENCY [Hz]");

  // The info texts come last, after the frame outline and the two curves.
  const size_t infoCount = 18 - 3 + 3;
  const size_t curves = e.size() - infoCount - 2;
  const auto& frameOutline = std::get<PolylineElement>(e[curves - 1]);
  EXPECT_EQ(frameOutline.x.size(), 5u);
  const auto& gain = std::get<PolylineElement>(e[curves]);
  const auto& phase = std::get<PolylineElement>(e[curves + 1]);
  EXPECT_EQ(gain.x.size(), 10u);
  EXPECT_EQ(phase.x.size(), 10u);
  EXPECT_EQ(d.Pens()[static_cast<size_t>(gain.pen)],
            (PenEntry{0, 0, 2, 6, Rgb(230, 0, 0), Rgb(230, 0, 0)}));
  EXPECT_EQ(d.Pens()[static_cast<size_t>(phase.pen)],
            (PenEntry{0, 0, 2, 2, Rgb(0, 0, 192), Rgb(0, 0, 192)}));
  EXPECT_EQ(std::get<TextElement>(e[curves + 2]).text, "SAMPLE1");
  EXPECT_TRUE(builder.range.points.empty());
  EXPECT_EQ(builder.range.count, 0);
}

AxisSettings FrameAxis(int log) {
  AxisSettings a;
  a.frameLeft = 20;
  a.frameTop = 10;
  a.frameRight = 120;
  a.frameBottom = 110;
  a.margin1 = 5;
  a.margin2 = 5;
  a.axisFlags = log;
  a.scale = 1;
  a.origin = 0;
  return a;
}

TEST(CurvePieces, ClampsToTheFrameWithoutTheLeftMargin) {
  const AxisSettings hb = FrameAxis(0);
  const AxisSettings v = FrameAxis(0);
  // x = 25 + f, y = 105 - v.
  const std::vector<RangePoint> points = {
      {50, 0, 0},    // inside
      {93, 0, 0},    // inside the right margin
      {97, 0, 0},    // beyond x1: on the frame edge
      {-30, 0, 0},   // below the minimum: at x0 + m1, not in the margin
      {10, 93, 0},   // inside the top margin
      {10, 200, 0},  // above y0
      {10, -3, 0},   // inside the bottom margin
      {10, -50, 0},  // below y1
  };
  const auto pieces = CurvePieces(points, CurveValue::kGain, hb, v);
  ASSERT_EQ(pieces.size(), 1u);
  EXPECT_EQ(pieces[0].x, (std::vector<double>{75, 118, 120, 25, 35, 35, 35, 35}));
  EXPECT_EQ(pieces[0].y, (std::vector<double>{105, 105, 105, 105, 12, 10, 108, 110}));
}

TEST(CurvePieces, NonFiniteValuesBreakTheCurve) {
  const double nan = std::numeric_limits<double>::quiet_NaN();
  const double inf = std::numeric_limits<double>::infinity();
  const AxisSettings lin = FrameAxis(0);
  const std::vector<RangePoint> points = {
      {10, 1, nan}, {20, -inf, 2}, {30, 3, 3}, {40, 4, 4}, {50, nan, inf}, {60, 6, 6},
  };
  const auto gain = CurvePieces(points, CurveValue::kGain, lin, lin);
  ASSERT_EQ(gain.size(), 3u);
  EXPECT_EQ(gain[0].x, (std::vector<double>{35}));
  EXPECT_EQ(gain[1].x, (std::vector<double>{55, 65}));
  EXPECT_EQ(gain[2].x, (std::vector<double>{85}));
  const auto phase = CurvePieces(points, CurveValue::kPhase, lin, lin);
  ASSERT_EQ(phase.size(), 2u);
  EXPECT_EQ(phase[0].x, (std::vector<double>{45, 55, 65}));
  EXPECT_EQ(phase[1].x, (std::vector<double>{85}));

  // On a log axis 0 Hz lands on the left end of the axis (x0 + margin1); a
  // negative frequency has no place and breaks the curve.
  const AxisSettings log = FrameAxis(1);
  const auto onLog =
      CurvePieces({{10, 0, 0}, {0, 0, 0}, {-1, 0, 0}, {100, 0, 0}}, CurveValue::kGain, log, lin);
  ASSERT_EQ(onLog.size(), 2u);
  EXPECT_EQ(onLog[0].x, (std::vector<double>{26, 25}));
  EXPECT_EQ(onLog[1].x, (std::vector<double>{27}));

  const auto none = CurvePieces({}, CurveValue::kGain, lin, lin);
  ASSERT_EQ(none.size(), 1u);
  EXPECT_TRUE(none[0].x.empty());
  const auto allBad = CurvePieces({{1, nan, 0}, {2, nan, 0}}, CurveValue::kGain, lin, lin);
  ASSERT_EQ(allBad.size(), 1u);
  EXPECT_TRUE(allBad[0].x.empty());
}

}  // namespace
}  // namespace fernplot
