// SPDX-License-Identifier: MIT
// A zoomed page cuts its curves at the frame; a full-range page keeps
// clamping what lies beyond its axes to the frame's edge.
#include <gtest/gtest.h>

#include <cmath>
#include <variant>
#include <vector>

#include "graph/axis_map.h"
#include "graph/curve_clip.h"
#include "graph/overlays.h"
#include "graph_stand_in.h"

namespace fernplot {
namespace {

// A linear plane 0..100 mm both ways: values are millimetres.
struct Plane {
  FrameRect frame{0.0, 0.0, 100.0, 100.0};
  AxisMap x = FrequencyAxisMap(frame, 0.0, 0.0, 1.0, false);
  AxisMap y = VerticalAxisMap(frame, 0.0, 0.0, 1.0);
};

TEST(ClippedCurve, ExcursionsOutOfTheFrameAreCutWhereTheyCrossIt) {
  const Plane p;
  // Up through the top (y value 150 is above the frame), back in, then out
  // for good to the right.
  const std::vector<RangePoint> points{{10, 50, 0}, {30, 150, 0}, {50, 50, 0},
                                       {70, 50, 0}, {130, 50, 0}, {150, 60, 0}};
  const std::vector<CurvePiece> pieces =
      ClippedCurvePieces(points, CurveValue::kGain, p.x, p.y, p.frame);
  ASSERT_EQ(pieces.size(), 2u);
  // In screen terms the top is y = 0 mm: the curve leaves at x = 20, comes
  // back at x = 40 and ends at the right edge.
  EXPECT_EQ(pieces[0].x.size(), 2u);
  EXPECT_NEAR(pieces[0].x.back(), 20.0, 1e-9);
  EXPECT_NEAR(pieces[0].y.back(), 0.0, 1e-9);
  EXPECT_NEAR(pieces[1].x.front(), 40.0, 1e-9);
  EXPECT_NEAR(pieces[1].y.front(), 0.0, 1e-9);
  EXPECT_NEAR(pieces[1].x.back(), 100.0, 1e-9);
  for (const CurvePiece& c : pieces) {
    for (size_t k = 0; k < c.x.size(); ++k) {
      EXPECT_GE(c.x[k], 0.0);
      EXPECT_LE(c.x[k], 100.0);
      EXPECT_GE(c.y[k], 0.0);
      EXPECT_LE(c.y[k], 100.0);
    }
  }
}

TEST(ClippedCurve, ACurveWhollyOutsideOrBrokenDrawsNothingThere) {
  const Plane p;
  const std::vector<RangePoint> above{{10, 200, 0}, {50, 300, 0}, {90, 200, 0}};
  const std::vector<CurvePiece> none =
      ClippedCurvePieces(above, CurveValue::kGain, p.x, p.y, p.frame);
  ASSERT_EQ(none.size(), 1u);
  EXPECT_TRUE(none[0].x.empty());
  // A segment that passes through the frame from outside to outside keeps
  // its middle; a value that is no number breaks the curve.
  const std::vector<RangePoint> across{{-50, 50, 0}, {150, 50, 0}, {160, NAN, 0}, {50, 20, 0}};
  const std::vector<CurvePiece> cut =
      ClippedCurvePieces(across, CurveValue::kGain, p.x, p.y, p.frame);
  ASSERT_EQ(cut.size(), 2u);
  EXPECT_NEAR(cut[0].x.front(), 0.0, 1e-9);
  EXPECT_NEAR(cut[0].x.back(), 100.0, 1e-9);
  EXPECT_EQ(cut[1].x.size(), 1u);
}

std::vector<const PolylineElement*> Lines(const DrawingSheet& sheet) {
  std::vector<const PolylineElement*> out;
  for (const DrawingElement& e : sheet.elements) {
    if (const auto* l = std::get_if<PolylineElement>(&e)) out.push_back(l);
  }
  return out;
}

// Points drawn on the frame's top or bottom edge, two in a row: a curve run
// along the edge (the frame outline aside).
int RunsAlongTheEdge(const DrawingSheet& sheet, const FrameRect& f) {
  int runs = 0;
  for (const PolylineElement* l : Lines(sheet)) {
    // The frame's own outline runs along it.
    if (l->x.size() == 5 && l->x.front() == f.left && l->x[1] == f.right) continue;
    for (size_t k = 0; k + 1 < l->y.size(); ++k) {
      const bool top = l->y[k] == f.top && l->y[k + 1] == f.top;
      const bool bottom = l->y[k] == f.bottom && l->y[k + 1] == f.bottom;
      if ((top || bottom) && l->x[k] != l->x[k + 1]) ++runs;
    }
  }
  return runs;
}

TEST(ClippedCurve, OnlyAZoomedPageClipsItsAndItsOverlaysCurves) {
  test::TestState ts;
  // A gain range that cuts the low pass: its flat start lies above 0 dB's
  // cut, its steep end below −10 dB.
  ts.defaults.VL.useDataMin = ts.defaults.VL.useDataMax = 0;
  ts.defaults.VL.rangeMin = -10.0;
  ts.defaults.VL.rangeMax = -1.0;
  GraphPage* page = ts->OpenPage(ts.defaults, test::SweepData(60), "PAGE");
  MeasurementData other = test::SweepData(60);
  for (DataPoint& q : *other.points) q.gainCh1Ch2 = static_cast<float>(q.gainCh1Ch2 - 2.0);
  page->overlays.push_back(OverlayTrace{std::move(other), "B", "B.DAT"});
  ts->RebuildCurrent();
  const DrawingSheet clamped = *ts->drawing.CurrentSheet();
  EXPECT_GT(RunsAlongTheEdge(clamped, page->layout.frame), 4);

  page->rangeZoomed = true;
  ts->RebuildCurrent();
  EXPECT_EQ(RunsAlongTheEdge(*ts->drawing.CurrentSheet(), page->layout.frame), 0);
  page->rangeZoomed = false;
  ts->RebuildCurrent();
  EXPECT_EQ(*ts->drawing.CurrentSheet(), clamped);
}

}  // namespace
}  // namespace fernplot
