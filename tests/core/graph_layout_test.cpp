// SPDX-License-Identifier: MIT
#include <gtest/gtest.h>

#include <cmath>
#include <limits>
#include <string>
#include <vector>

#include "graph/bode_stages.h"
#include "graph/layout.h"
#include "props/page_limits.h"
#include "graph/page_view.h"
#include "graph_stand_in.h"

namespace fernplot {
namespace {

constexpr double kPt = 0.35277777777777775;

struct LayoutFixture : ::testing::Test {
  test::TestState ts;
  GraphPage page;
  BodeLayout laid;
  LayoutFixture() {
    page.properties = FactoryDefaults();
    page.data = test::SweepData(10);
    page.fileName = "SAMPLE1";
  }
  // The layout stage of the page, after the stages before it.
  const PageLayout& Layout() {
    const PageText text(ts->drawing, page.properties,
                        ResolvePageFonts(ts->drawing, page.properties));
    laid = LayoutBodePage(page, text, TraceRanges(page, CollectTraces(page)));
    return laid.page;
  }
};

TEST_F(LayoutFixture, DefaultWidthAndFrame) {
  const PageLayout& p = Layout();
  EXPECT_DOUBLE_EQ(p.pageLeft, 0);
  EXPECT_DOUBLE_EQ(p.pageTop, 0);
  EXPECT_DOUBLE_EQ(p.frame.left, 18);
  EXPECT_DOUBLE_EQ(p.frame.right, 243);
  EXPECT_DOUBLE_EQ(p.pageRight, 261);
  // Header line (12-point file name), data title, graph title, half a caption.
  const double y0 = 2 + (12 * kPt + 0.5) + (9 * kPt + 0.5) + (12 * kPt + 0.5) + 9 * kPt / 2 + 1.5;
  EXPECT_NEAR(p.frame.top, y0, 1e-12);
  EXPECT_NEAR(p.frame.bottom, y0 + 120, 1e-12);
  // Every axis grows from the one frame.
  EXPECT_EQ(p.frequency.edge, p.frame.left);
  EXPECT_EQ(p.gain.edge, p.frame.bottom);
  EXPECT_EQ(p.right.edge, p.frame.bottom);
  EXPECT_EQ(p.SheetWidthMm(), 261);
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
      const PageLayout& laidOut = Layout();
      EXPECT_LE(laidOut.pageRight, bound.width) << width << " " << big;
      // The credit line hangs under the page outline.
      const double credit = laidOut.pageBottom + kCreditBelowPage + kCreditSize * kPt;
      EXPECT_LE(credit, bound.height) << width << " " << big;
    }
  }
}

TEST_F(LayoutFixture, AxisLengthsChooseTheLarger) {
  page.properties.HB.length = 150;
  page.properties.HT.length = 0;
  page.properties.VL.length = 100;
  page.properties.VR.length = 120;
  const PageLayout& p = Layout();
  EXPECT_DOUBLE_EQ(p.frame.right, 168);
  EXPECT_DOUBLE_EQ(p.pageRight, 186);
  EXPECT_EQ(p.SheetWidthMm(), 186);
  EXPECT_NEAR(p.frame.bottom - p.frame.top, 120, 1e-12);
  page.properties.HT.length = 160;
  EXPECT_DOUBLE_EQ(Layout().pageRight, 196);
}

TEST_F(LayoutFixture, NoItemsGiveTheBareHeight) {
  page.properties.itemFlags.fill(0);
  page.properties.fonts[kFontGainCaption].size = 14;  // larger gain caption: its height
  const PageLayout& p = Layout();
  EXPECT_TRUE(laid.info.empty());
  EXPECT_NEAR(p.frame.top, 2 + 12 * kPt + 0.5 + 14 * kPt / 2 + 1.5, 1e-12);
  EXPECT_NEAR(p.pageBottom, p.frame.bottom + 9 * kPt + 9 * kPt + 4.0 + 2.5, 1e-12);
}

TEST_F(LayoutFixture, SettingsBlockAddsItsLastLine) {
  page.properties.itemFlags.fill(0);
  page.properties.itemFlags[kItemPhaseRange] = 1;
  const PageLayout& p = Layout();
  const double top = p.frame.bottom + 9 * kPt + 0.5 + 9 * kPt + 0.5 + 3.0;
  ASSERT_EQ(laid.info.size(), 1u);
  EXPECT_NEAR(laid.info[0].y, top, 1e-12);
  EXPECT_NEAR(p.pageBottom, top + 9 * kPt + 0.5 + 2.5 + 2.5, 1e-12);
  EXPECT_EQ(p.SheetHeightMm(), static_cast<int>(std::ceil(p.pageBottom)));
}

TEST_F(LayoutFixture, DrawingOrder) {
  BuildPage(BodeView(), page, ts->drawing, {});
  const PageLayout& p = page.layout;
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
  EXPECT_NEAR(title.y, p.frame.top - 2.0 - 12 * kPt, 1e-12);
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
}

constexpr FrameRect kFrame{20, 10, 120, 110};
AxisMap FrameAxis(int log) {
  return FrequencyAxisMap(kFrame, 5, 0, 1, log != 0);
}
AxisMap VerticalFrameAxis() {
  return VerticalAxisMap(kFrame, 5, 0, 1);
}

TEST(CurvePieces, ClampsToTheFrameWithoutTheLeftMargin) {
  const AxisMap hb = FrameAxis(0);
  const AxisMap v = VerticalFrameAxis();
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
  const auto pieces = CurvePieces(points, CurveValue::kGain, hb, v, kFrame);
  ASSERT_EQ(pieces.size(), 1u);
  EXPECT_EQ(pieces[0].x, (std::vector<double>{75, 118, 120, 25, 35, 35, 35, 35}));
  EXPECT_EQ(pieces[0].y, (std::vector<double>{105, 105, 105, 105, 12, 10, 108, 110}));
}

TEST(CurvePieces, NonFiniteValuesBreakTheCurve) {
  const double nan = std::numeric_limits<double>::quiet_NaN();
  const double inf = std::numeric_limits<double>::infinity();
  const AxisMap lin = FrameAxis(0);
  const AxisMap vlin = VerticalFrameAxis();
  const std::vector<RangePoint> points = {
      {10, 1, nan}, {20, -inf, 2}, {30, 3, 3}, {40, 4, 4}, {50, nan, inf}, {60, 6, 6},
  };
  const auto gain = CurvePieces(points, CurveValue::kGain, lin, vlin, kFrame);
  ASSERT_EQ(gain.size(), 3u);
  EXPECT_EQ(gain[0].x, (std::vector<double>{35}));
  EXPECT_EQ(gain[1].x, (std::vector<double>{55, 65}));
  EXPECT_EQ(gain[2].x, (std::vector<double>{85}));
  const auto phase = CurvePieces(points, CurveValue::kPhase, lin, vlin, kFrame);
  ASSERT_EQ(phase.size(), 2u);
  EXPECT_EQ(phase[0].x, (std::vector<double>{45, 55, 65}));
  EXPECT_EQ(phase[1].x, (std::vector<double>{85}));

  // On a log axis 0 Hz lands on the left end of the axis (x0 + margin1); a
  // negative frequency has no place and breaks the curve.
  const AxisMap log = FrameAxis(1);
  const auto onLog = CurvePieces({{10, 0, 0}, {0, 0, 0}, {-1, 0, 0}, {100, 0, 0}},
                                 CurveValue::kGain, log, vlin, kFrame);
  ASSERT_EQ(onLog.size(), 2u);
  EXPECT_EQ(onLog[0].x, (std::vector<double>{26, 25}));
  EXPECT_EQ(onLog[1].x, (std::vector<double>{27}));

  const auto none = CurvePieces({}, CurveValue::kGain, lin, vlin, kFrame);
  ASSERT_EQ(none.size(), 1u);
  EXPECT_TRUE(none[0].x.empty());
  const auto allBad = CurvePieces({{1, nan, 0}, {2, nan, 0}}, CurveValue::kGain, lin, vlin, kFrame);
  ASSERT_EQ(allBad.size(), 1u);
  EXPECT_TRUE(allBad[0].x.empty());
}

}  // namespace
}  // namespace fernplot
