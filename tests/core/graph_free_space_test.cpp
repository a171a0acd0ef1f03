// SPDX-License-Identifier: MIT
// Room on the page: how much curve a box covers, the legend's corner and
// the figure marks' labels, which cross no curve, the legend or each other.
#include <gtest/gtest.h>

#include <cmath>
#include <string>
#include <vector>

#include "graph/figure_marks.h"
#include "graph/free_space.h"
#include "graph_stand_in.h"
#include "import/imported_page.h"

namespace fernplot {
namespace {

TEST(FreeSpace, CurveLengthInsideABox) {
  // A diagonal through a 10 mm square, a line along its edge, one beside it.
  const std::vector<CurvePiece> curves{{{0, 20}, {0, 20}}, {{30, 40}, {5, 5}}};
  const MmBox box{5, 5, 15, 15};
  EXPECT_NEAR(CurveLengthInside(curves, box), 10 * std::sqrt(2.0), 1e-9);
  EXPECT_TRUE(CurvesCross(curves, box));
  const MmBox free{20, 10, 28, 30};
  EXPECT_EQ(CurveLengthInside(curves, free), 0.0);
  EXPECT_FALSE(CurvesCross(curves, free));
  EXPECT_TRUE(CurvesCross(curves, MmBox{35, 0, 36, 10}));
}

struct Box {
  double left, top, right, bottom;
};

bool SegmentMeets(double x0, double y0, double x1, double y1, const Box& b) {
  // Sampled finely: the test's own check, independent of the clipping code.
  for (int k = 0; k <= 200; ++k) {
    const double t = k / 200.0;
    const double x = x0 + t * (x1 - x0), y = y0 + t * (y1 - y0);
    if (x > b.left && x < b.right && y > b.top && y < b.bottom) return true;
  }
  return false;
}

bool Overlap(const Box& a, const Box& b) {
  return a.left < b.right && b.left < a.right && a.top < b.bottom && b.top < a.bottom;
}

// The loop sample with its model laid over it, marks on: every label names
// its frequency and sits clear of the curves, the legend and the others;
// the legend covers no curve.
TEST(FreeSpace, MarkLabelsAndLegendLeaveTheCurvesClear) {
  test::TestState ts;
  SweepFileRead page = ReadSweepFile(FERNPLOT_SAMPLES_DIR "/OPAMP_LG.DAT", {});
  SweepFileRead model = ReadSweepFile(FERNPLOT_SAMPLES_DIR "/OPAMP_LG_model.csv", {});
  ASSERT_TRUE(page.data && model.data);
  auto made = PageSession::MakePage(ts.defaults, std::move(*page.data), "OPAMP_LG");
  made->overlays.push_back(OverlayTrace{std::move(*model.data), "OPAMP_LG_model", "m.csv"});
  made->showFigureMarks = true;
  const GraphPage* built = ts->AddPage(std::move(made));
  ASSERT_NE(built, nullptr);
  const DrawingSheet& sheet = *ts->drawing.CurrentSheet();
  const FrameRect& f = built->layout.frame;

  std::vector<const PolylineElement*> curves;
  std::vector<Box> labels;
  std::vector<std::string> texts;
  std::optional<Box> legend;
  for (const DrawingElement& e : sheet.elements) {
    if (const auto* p = std::get_if<PolylineElement>(&e); p && p->x.size() > 2) {
      curves.push_back(p);
    } else if (const auto* t = std::get_if<TextElement>(&e);
               t && t->text.find(" @ ") != std::string::npos) {
      labels.push_back({t->x, t->y, t->x + ts->drawing.TextWidthMm(t->font, t->text),
                        t->y + ts->drawing.TextHeightMm(t->font)});
      texts.push_back(t->text);
    } else if (const auto* r = std::get_if<RectElement>(&e);
               r && r->x > f.left && r->x + r->width < f.right) {
      legend = Box{r->x, r->y, r->x + r->width, r->y + r->height};
    }
  }
  ASSERT_TRUE(legend);
  ASSERT_EQ(labels.size(), 3u);
  EXPECT_EQ(texts[0].rfind("-3dB @ ", 0), 0u) << texts[0];
  EXPECT_EQ(texts[1], "PM 44.8\u00B0 @ 786 kHz");
  EXPECT_EQ(texts[2].rfind("GM ", 0), 0u) << texts[2];
  const auto crossesCurve = [&](const Box& b) {
    for (const PolylineElement* c : curves) {
      for (size_t k = 0; k + 1 < c->x.size(); ++k) {
        if (SegmentMeets(c->x[k], c->y[k], c->x[k + 1], c->y[k + 1], b)) return true;
      }
    }
    return false;
  };
  // The gain curve starts in the top left corner: the legend moved away.
  EXPECT_FALSE(crossesCurve(*legend));
  EXPECT_GT(legend->top, (f.top + f.bottom) / 2.0);
  for (size_t i = 0; i < labels.size(); ++i) {
    EXPECT_FALSE(crossesCurve(labels[i])) << texts[i];
    EXPECT_FALSE(Overlap(labels[i], *legend)) << texts[i];
    for (size_t j = 0; j < i; ++j) EXPECT_FALSE(Overlap(labels[i], labels[j])) << texts[i];
    EXPECT_GE(labels[i].left, f.left);
    EXPECT_LE(labels[i].right, f.right);
  }
}

// The low pass with its simulation: the phase curve starts along the top
// left legend's lower edge, where its outline would hide it; the legend goes
// to the top right corner, which no curve reaches, and stays clear of both
// curves with room to spare.
TEST(FreeSpace, LegendTakesTheCornerNoCurveComesNear) {
  test::TestState ts;
  SweepFileRead page = ReadSweepFile(FERNPLOT_SAMPLES_DIR "/RC_LPF.DAT", {});
  SweepFileRead model = ReadSweepFile(FERNPLOT_SAMPLES_DIR "/RC_LPF_model.txt", {});
  ASSERT_TRUE(page.data && model.data);
  auto made = PageSession::MakePage(ts.defaults, std::move(*page.data), "RC_LPF");
  made->overlays.push_back(OverlayTrace{std::move(*model.data), "RC_LPF_model", "m.txt"});
  const GraphPage* built = ts->AddPage(std::move(made));
  ASSERT_NE(built, nullptr);
  const FrameRect& f = built->layout.frame;
  std::optional<Box> legend;
  std::vector<const PolylineElement*> curves;
  for (const DrawingElement& e : ts->drawing.CurrentSheet()->elements) {
    if (const auto* p = std::get_if<PolylineElement>(&e); p && p->x.size() > 2) {
      curves.push_back(p);
    } else if (const auto* r = std::get_if<RectElement>(&e);
               r && r->x > f.left && r->x + r->width < f.right) {
      legend = Box{r->x, r->y, r->x + r->width, r->y + r->height};
    }
  }
  ASSERT_TRUE(legend);
  EXPECT_GT(legend->left, (f.left + f.right) / 2.0);
  EXPECT_LT(legend->bottom, (f.top + f.bottom) / 2.0);
  const Box around{legend->left - 1.0, legend->top - 1.0, legend->right + 1.0,
                   legend->bottom + 1.0};
  for (const PolylineElement* c : curves) {
    for (size_t k = 0; k + 1 < c->x.size(); ++k) {
      EXPECT_FALSE(SegmentMeets(c->x[k], c->y[k], c->x[k + 1], c->y[k + 1], around));
    }
  }
}

}  // namespace
}  // namespace fernplot
