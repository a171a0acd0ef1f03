// SPDX-License-Identifier: MIT
// The texts of the Nyquist and Nichols charts: captions clear of the tick
// labels, decade labels clear of the curve, and a chart of many turns that
// stays readable.
#include <gtest/gtest.h>

#include <cmath>
#include <string>
#include <variant>
#include <vector>

#include "graph/free_space.h"
#include "graph/loop_stages.h"
#include "graph/page_view.h"
#include "graph_stand_in.h"

namespace fernplot {
namespace {

struct Box {
  double left, top, right, bottom;
  bool Overlaps(const Box& o) const {
    return left < o.right && o.left < right && top < o.bottom && o.top < bottom;
  }
};

struct Chart {
  test::TestState ts;
  GraphPage page;
  const DrawingSheet& Sheet() { return ts->drawing.Sheets().back(); }
  // The box a text element covers, by the stand-in's widths.
  Box BoxOf(const TextElement& t) {
    const FontEntry& f = ts->drawing.Fonts()[static_cast<size_t>(t.font)];
    const double w = test::StandInWidthMm(t.text, f.size);
    const double h = ts->drawing.TextHeightMm(t.font);
    const double left = t.align == kAlignCenter  ? t.x - w / 2.0
                        : t.align == kAlignRight ? t.x - w
                                                 : t.x;
    return {left, t.y, left + w, t.y + h};
  }
  const TextElement* Text(const std::string& text) {
    for (const DrawingElement& e : Sheet().elements) {
      if (const auto* t = std::get_if<TextElement>(&e); t && t->text == text) return t;
    }
    return nullptr;
  }
};

// L = 1000 / (s (1 + s / 2000)) with a dead time that turns its phase
// `turns` times over the sweep.
MeasurementData Loop(int n, double turns) {
  MeasurementData d = test::SweepData(n);
  const double top = d.points->back().frequency;
  for (DataPoint& p : *d.points) {
    const double x = p.frequency / 2000.0;
    p.gainCh1Ch2 =
        static_cast<float>(20.0 * std::log10(1000.0 / p.frequency) - 10.0 * std::log10(1 + x * x));
    const double phase = -90.0 - std::atan(x) * 180.0 / M_PI - 360.0 * turns * p.frequency / top;
    p.phaseCh1Ch2 = static_cast<float>(std::remainder(phase, 360.0));
  }
  return d;
}

void Build(Chart& c, ViewKind kind, MeasurementData data) {
  c.page.properties = c.ts.defaults;
  c.page.properties.view = kind;
  c.page.data = std::move(data);
  BuildShownPage(c.page, c.ts->drawing, {});
}

TEST(LoopLabels, CaptionsStayClearOfTheTopTickLabel) {
  for (const ViewKind kind : {ViewKind::kNyquist, ViewKind::kNichols}) {
    SCOPED_TRACE(static_cast<int>(kind));
    Chart c;
    Build(c, kind, Loop(200, 0.0));
    const GraphProperties& p = c.page.properties;
    const TextElement* caption = c.Text(kind == ViewKind::kNyquist ? "IMAGINARY" : p.VL.caption);
    ASSERT_NE(caption, nullptr);
    const Box captionBox = c.BoxOf(*caption);
    int labels = 0;
    for (const DrawingElement& e : c.Sheet().elements) {
      const auto* t = std::get_if<TextElement>(&e);
      if (!t || t->align != kAlignRight || t == caption) continue;
      ++labels;
      EXPECT_FALSE(captionBox.Overlaps(c.BoxOf(*t))) << t->text;
    }
    EXPECT_GE(labels, 3);
  }
}

TEST(LoopLabels, DecadeLabelsKeepOffTheCurve) {
  Chart c;
  Build(c, ViewKind::kNichols, Loop(200, 0.0));
  // The curve as drawn, in its own pen.
  const PenEntry pen{0,
                     0,
                     2,
                     c.page.properties.gainLineBoldOnPrint ? 6 : 2,
                     c.page.properties.gainLineColor,
                     c.page.properties.gainLineColor};
  int curvePen = -1;
  for (size_t i = 0; i < c.ts->drawing.Pens().size(); ++i) {
    if (c.ts->drawing.Pens()[i] == pen) curvePen = static_cast<int>(i);
  }
  ASSERT_GE(curvePen, 0);
  std::vector<CurvePiece> curve;
  for (const DrawingElement& e : c.Sheet().elements) {
    if (const auto* l = std::get_if<PolylineElement>(&e); l && l->pen == curvePen) {
      curve.push_back({l->x, l->y});
    }
  }
  int decades = 0;
  for (const DrawingElement& e : c.Sheet().elements) {
    const auto* t = std::get_if<TextElement>(&e);
    if (!t || !t->text.ends_with("Hz")) continue;
    ++decades;
    const Box b = c.BoxOf(*t);
    EXPECT_FALSE(CurvesCross(curve, MmBox{b.left, b.top, b.right, b.bottom})) << t->text;
  }
  EXPECT_GE(decades, 3);
}

// Over a hundred turns the phase labels are whole turns apart and never
// overlap, and the contours are not drawn a hundred times over.
TEST(LoopLabels, AChartOfManyTurnsThinsItsLabelsAndBoundsTheContours) {
  Chart few, many;
  Build(few, ViewKind::kNichols, Loop(4000, 0.0));
  Build(many, ViewKind::kNichols, Loop(4000, 100.0));
  const FrameRect& f = many.page.layout.frame;
  std::vector<Box> phaseLabels;
  for (const DrawingElement& e : many.Sheet().elements) {
    const auto* t = std::get_if<TextElement>(&e);
    if (t && t->align == kAlignCenter && t->y > f.bottom && t->y < f.bottom + 3.0) {
      phaseLabels.push_back(many.BoxOf(*t));
    }
  }
  ASSERT_GE(phaseLabels.size(), 3u);
  EXPECT_LE(phaseLabels.size(), 20u);
  for (size_t i = 1; i < phaseLabels.size(); ++i) {
    EXPECT_FALSE(phaseLabels[i - 1].Overlaps(phaseLabels[i]));
  }
  const auto contourLines = [](Chart& c) {
    const PenEntry pen{0, 0, 1, 0, 0x909090, 0x909090};
    size_t n = 0;
    for (const DrawingElement& e : c.Sheet().elements) {
      const auto* l = std::get_if<PolylineElement>(&e);
      if (l && c.ts->drawing.Pens()[static_cast<size_t>(l->pen)] == pen) ++n;
    }
    return n;
  };
  EXPECT_GT(contourLines(few), 0u);
  EXPECT_LE(contourLines(many), contourLines(few) * kMaxContourTurns);
}

}  // namespace
}  // namespace fernplot
