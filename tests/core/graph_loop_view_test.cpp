// SPDX-License-Identifier: MIT
// The Nyquist and Nichols views: their planes, guides, critical point and
// the curve cut at the frame, read back from the drawn sheet.
#include <gtest/gtest.h>

#include <cmath>
#include <vector>

#include "analysis/loop.h"
#include "graph/axes.h"
#include "graph/loop_readout.h"
#include "graph/loop_stages.h"
#include "graph/page_figures.h"
#include "graph/page_view.h"
#include "graph_stand_in.h"

namespace fernplot {
namespace {

// An integrator with a second pole: L = 1000 / (s (1 + s / 2000)) in Hz
// terms, well over the unit circle at 10 Hz and well inside at 100 kHz.
MeasurementData LoopData(int n) {
  MeasurementData d = test::SweepData(n);
  for (DataPoint& p : *d.points) {
    const double x = p.frequency / 2000.0;
    p.gainCh1Ch2 =
        static_cast<float>(20.0 * std::log10(1000.0 / p.frequency) - 10.0 * std::log10(1 + x * x));
    p.phaseCh1Ch2 = static_cast<float>(-90.0 - std::atan(x) * 180.0 / M_PI);
  }
  return d;
}

struct Built {
  test::TestState ts;
  GraphPage page;
  const DrawingSheet& Sheet() { return ts->drawing.Sheets().back(); }
  int Pen(const PenEntry& e) {
    const auto& pens = ts->drawing.Pens();
    for (size_t i = 0; i < pens.size(); ++i) {
      if (pens[i] == e) return static_cast<int>(i);
    }
    return -1;
  }
  std::vector<const PolylineElement*> Lines(int pen) {
    std::vector<const PolylineElement*> out;
    for (const DrawingElement& e : Sheet().elements) {
      if (const auto* l = std::get_if<PolylineElement>(&e); l && l->pen == pen) out.push_back(l);
    }
    return out;
  }
  // The short single lines of the thin black pen: the critical cross (the
  // page outline shares the pen).
  std::vector<const PolylineElement*> CrossLines() {
    std::vector<const PolylineElement*> out;
    for (const PolylineElement* l : Lines(Pen({0, 0, 1, 2, 0, 0}))) {
      if (l->x.size() == 2 && std::hypot(l->x[1] - l->x[0], l->y[1] - l->y[0]) < 10.0) {
        out.push_back(l);
      }
    }
    return out;
  }
};

// A loop that passes exactly through -1 at its middle point (0 dB, -180°),
// where T and S have no value.
MeasurementData ThroughCriticalPoint() {
  MeasurementData d = test::SweepData(201);
  for (int k = 0; k < 201; ++k) {
    DataPoint& p = (*d.points)[static_cast<size_t>(k)];
    p.gainCh1Ch2 = static_cast<float>(6.0 - 0.06 * k);
    p.phaseCh1Ch2 = static_cast<float>(-90.0 - 0.9 * k);
  }
  (*d.points)[100].gainCh1Ch2 = 0.0f;
  (*d.points)[100].phaseCh1Ch2 = -180.0f;
  return d;
}

void Build(Built& b, ViewKind kind, double radius = kDefaultNyquistRadius,
           LoopCurve curve = LoopCurve::kOpen, MeasurementData data = LoopData(200)) {
  b.page.properties = b.ts.defaults;
  b.page.properties.view = kind;
  b.page.properties.nyquistRadius = radius;
  b.page.properties.loopCurve = curve;
  b.page.data = std::move(data);
  BuildShownPage(b.page, b.ts->drawing, {});
}

PenEntry GainPen(const GraphProperties& p) {
  return {0, 0, 2, p.gainLineBoldOnPrint ? 6 : 2, p.gainLineColor, p.gainLineColor};
}

TEST(LoopView, ViewForFollowsThePageProperty) {
  GraphPage page;
  EXPECT_EQ(&ViewFor(page), &BodeView());
  page.properties.view = ViewKind::kNyquist;
  EXPECT_EQ(&ViewFor(page), &NyquistView());
  page.properties.view = ViewKind::kNichols;
  EXPECT_EQ(&ViewFor(page), &NicholsView());
}

// Equal millimetres per unit, the origin in the middle, [-R, R] in view on
// the shorter side; R = 0 fits every point.
TEST(LoopView, NyquistPlaneIsSquareCentredAndShowsTheRadius) {
  for (const double radius : {2.0, 0.5, 10.0, 0.0}) {
    SCOPED_TRACE(radius);
    Built b;
    Build(b, ViewKind::kNyquist, radius);
    const PageLayout& L = b.page.layout;
    EXPECT_EQ(L.frequency.scale, L.gain.scale);
    EXPECT_EQ(L.frequency.margin, 0.0);
    EXPECT_EQ(L.gain.margin, 0.0);
    EXPECT_NEAR(L.frequency.ToMm(0.0), (L.frame.left + L.frame.right) / 2.0, 1e-9);
    EXPECT_NEAR(L.gain.ToMm(0.0), (L.frame.top + L.frame.bottom) / 2.0, 1e-9);
    const double shorter =
        std::min(L.frame.right - L.frame.left, L.frame.bottom - L.frame.top) / L.gain.scale;
    if (radius > 0.0) {
      EXPECT_NEAR(shorter, 2.0 * radius, 1e-9);
    } else {
      double r = 0.0;
      for (const UsablePoint& p : ShownUsablePoints(b.page)) {
        const PlanePoint q = NyquistPoint(p.gain, p.phase);
        r = std::max({r, std::abs(q.x), std::abs(q.y)});
      }
      EXPECT_NEAR(shorter, 2.0 * r, 1e-9 * r);
    }
  }
}

TEST(LoopView, UnitCircleStaysACircleAndTheCrossIsSmall) {
  Built b;
  Build(b, ViewKind::kNyquist);
  const PageLayout& L = b.page.layout;
  const double cx = L.frequency.ToMm(0.0), cy = L.gain.ToMm(0.0), r = L.frequency.scale;
  const auto circles = b.Lines(b.Pen({1, 1, 1, 0, kGridColour, kGridColour}));
  ASSERT_EQ(circles.size(), 1u);
  ASSERT_GT(circles[0]->x.size(), 100u);
  for (size_t i = 0; i < circles[0]->x.size(); ++i) {
    EXPECT_NEAR(std::hypot(circles[0]->x[i] - cx, circles[0]->y[i] - cy), r, 1e-9);
  }
  // Two short lines through -1.
  const auto lines = b.CrossLines();
  ASSERT_EQ(lines.size(), 2u);
  for (const PolylineElement* l : lines) {
    const double length = std::hypot(l->x[1] - l->x[0], l->y[1] - l->y[0]);
    EXPECT_LE(length, 3.0);
    EXPECT_GT(length, 0.5);
    EXPECT_NEAR((l->x[0] + l->x[1]) / 2.0, L.frequency.ToMm(-1.0), 1e-9);
    EXPECT_NEAR((l->y[0] + l->y[1]) / 2.0, L.gain.ToMm(0.0), 1e-9);
  }
}

// The curve in the page's gain pen: its vertices are the mapped points, and
// what lies outside the frame is cut at its edge.
TEST(LoopView, CurveVerticesAreTheMappedPointsCutAtTheFrame) {
  for (const ViewKind kind : {ViewKind::kNyquist, ViewKind::kNichols}) {
    SCOPED_TRACE(static_cast<int>(kind));
    Built b;
    Build(b, kind, 0.5);
    const PageLayout& L = b.page.layout;
    const auto curves = b.Lines(b.Pen(GainPen(b.page.properties)));
    ASSERT_FALSE(curves.empty());
    const CurvePlane plane = PageCurvePlane(b.page);
    size_t inside = 0, onEdge = 0, matched = 0;
    for (const PolylineElement* l : curves) {
      for (size_t i = 0; i < l->x.size(); ++i) {
        EXPECT_GE(l->x[i], L.frame.left - 1e-9);
        EXPECT_LE(l->x[i], L.frame.right + 1e-9);
        EXPECT_GE(l->y[i], L.frame.top - 1e-9);
        EXPECT_LE(l->y[i], L.frame.bottom + 1e-9);
        ++inside;
        const bool edge =
            std::abs(l->x[i] - L.frame.left) < 1e-9 || std::abs(l->x[i] - L.frame.right) < 1e-9 ||
            std::abs(l->y[i] - L.frame.top) < 1e-9 || std::abs(l->y[i] - L.frame.bottom) < 1e-9;
        onEdge += edge ? 1 : 0;
      }
    }
    for (const UsablePoint& p : plane.points) {
      const PlanePoint at = PlaneMm(plane, L, ReadingOf(p));
      if (at.x <= L.frame.left || at.x >= L.frame.right || at.y <= L.frame.top ||
          at.y >= L.frame.bottom) {
        continue;
      }
      bool found = false;
      for (const PolylineElement* l : curves) {
        for (size_t i = 0; i < l->x.size() && !found; ++i)
          found = l->x[i] == at.x && l->y[i] == at.y;
      }
      matched += found ? 1 : 0;
      EXPECT_TRUE(found) << p.frequency;
    }
    EXPECT_GT(matched, 10u);
    if (kind == ViewKind::kNyquist) {
      EXPECT_GE(onEdge, 1u) << "the curve leaves the frame and is cut there";
    }
    EXPECT_EQ(inside, matched + onEdge);
  }
}

TEST(LoopView, NicholsRangesCriticalPointAndContours) {
  Built b;
  Build(b, ViewKind::kNichols);
  const PageLayout& L = b.page.layout;
  const double low = L.frequency.origin;
  const double high = L.frequency.ToValue(L.frame.right);
  EXPECT_EQ(std::fmod(low, 45.0), 0.0);
  EXPECT_NEAR(std::fmod(high, 45.0), 0.0, 1e-9);
  EXPECT_LE(low, -180.0);
  EXPECT_GE(high, -90.0);
  EXPECT_LE(L.gain.origin, 0.0);
  EXPECT_GE(L.gain.ToValue(L.frame.top), 0.0);
  const auto lines = b.CrossLines();
  ASSERT_EQ(lines.size(), 2u);
  EXPECT_NEAR((lines[0]->x[0] + lines[0]->x[1]) / 2.0, L.frequency.ToMm(-180.0), 1e-9);
  EXPECT_NEAR((lines[0]->y[0] + lines[0]->y[1]) / 2.0, L.gain.ToMm(0.0), 1e-9);
  EXPECT_FALSE(b.Lines(b.Pen({0, 0, 1, 0, 0x909090, 0x909090})).empty());
  int labels = 0;
  for (const DrawingElement& e : b.Sheet().elements) {
    if (const auto* t = std::get_if<TextElement>(&e); t && t->text.ends_with(" dB")) ++labels;
  }
  EXPECT_GE(labels, 3);
}

// Without its contours the Nichols chart loses their lines and labels and
// nothing else; the other views do not look at the switch.
TEST(LoopView, NicholsContoursCanBeLeftOut) {
  for (const ViewKind kind : {ViewKind::kNichols, ViewKind::kNyquist, ViewKind::kBode}) {
    SCOPED_TRACE(static_cast<int>(kind));
    Built on, off;
    Build(on, kind);
    off.page.properties = off.ts.defaults;
    off.page.properties.nicholsContours = false;
    off.page.properties.view = kind;
    off.page.data = LoopData(200);
    BuildShownPage(off.page, off.ts->drawing, {});
    if (kind != ViewKind::kNichols) {
      EXPECT_TRUE(on.Sheet() == off.Sheet());
      continue;
    }
    const PenEntry contourPen{0, 0, 1, 0, 0x909090, 0x909090};
    EXPECT_EQ(off.Pen(contourPen), -1);
    std::vector<DrawingElement> kept;
    for (const DrawingElement& e : on.Sheet().elements) {
      const auto* line = std::get_if<PolylineElement>(&e);
      const auto* text = std::get_if<TextElement>(&e);
      if (line && line->pen == on.Pen(contourPen)) continue;
      if (text && text->color == 0x909090) continue;
      kept.push_back(e);
    }
    ASSERT_EQ(kept.size(), off.Sheet().elements.size());
    // Pens are numbered as they are first used: compare the curve's lines.
    const auto a = on.Lines(on.Pen(GainPen(on.page.properties)));
    const auto b = off.Lines(off.Pen(GainPen(off.page.properties)));
    ASSERT_EQ(a.size(), b.size());
    for (size_t i = 0; i < a.size(); ++i) EXPECT_EQ(a[i]->x, b[i]->x);
  }
}

// T and S are drawn in every view from a copy: the page keeps L, and its
// usable points for the readout are the shown curve's.
TEST(LoopView, ClosedLoopIsDrawnWhileThePageKeepsItsLoopGain) {
  Built b;
  Build(b, ViewKind::kNyquist, 2.0, LoopCurve::kClosed);
  EXPECT_FALSE(b.page.loopCurveShown);
  const std::vector<UsablePoint> measured = PageUsablePoints(b.page);
  const std::vector<UsablePoint> shown = ShownUsablePoints(b.page);
  ASSERT_EQ(measured.size(), shown.size());
  for (size_t i = 0; i < shown.size(); i += 37) {
    const LoopValue t = LoopCurveValue(LoopCurve::kClosed, measured[i].gain, measured[i].phase);
    EXPECT_NEAR(shown[i].gain, t.gain, 1e-4);
  }
  bool caption = false;
  for (const DrawingElement& e : b.Sheet().elements) {
    if (const auto* t = std::get_if<TextElement>(&e)) caption |= t->text == "CLOSED LOOP REAL";
  }
  EXPECT_TRUE(caption);
}

// The long captions of T and S stay on the page; L's page keeps its size.
TEST(LoopView, ClosedLoopCaptionsFitOnTheBodePage) {
  for (const LoopCurve curve : {LoopCurve::kClosed, LoopCurve::kSensitivity, LoopCurve::kOpen}) {
    SCOPED_TRACE(static_cast<int>(curve));
    Built b;
    Build(b, ViewKind::kBode, 2.0, curve);
    const PageLayout& L = b.page.layout;
    const GraphProperties& p = b.page.properties;
    if (curve == LoopCurve::kOpen) {
      EXPECT_EQ(L.frame.left, kFrameSideSpace);
      EXPECT_EQ(L.pageRight - L.frame.right, kFrameSideSpace);
      continue;
    }
    const std::string prefix(LoopCurveCaptionPrefix(curve));
    int seen = 0;
    for (const DrawingElement& e : b.Sheet().elements) {
      const auto* t = std::get_if<TextElement>(&e);
      if (!t || !t->text.starts_with(prefix)) continue;
      const int category = t->text == prefix + p.VL.caption ? kFontGainCaption : kFontPhaseCaption;
      const double half = test::StandInWidthMm(t->text, p.fonts[category].size) / 2.0;
      EXPECT_GE(t->x - half, L.pageLeft) << t->text;
      EXPECT_LE(t->x + half, L.pageRight) << t->text;
      ++seen;
    }
    EXPECT_EQ(seen, 2);
  }
}

// Where 1 + L = 0 the curve breaks in every view instead of joining the
// neighbours across the gap; L itself runs through -1 unbroken.
TEST(LoopView, CurveBreaksWhereItHasNoValue) {
  struct Case {
    ViewKind view;
    LoopCurve curve;
    size_t pieces;
  };
  const Case cases[] = {
      {ViewKind::kBode, LoopCurve::kClosed, 2},    {ViewKind::kBode, LoopCurve::kSensitivity, 2},
      {ViewKind::kNyquist, LoopCurve::kClosed, 2}, {ViewKind::kNyquist, LoopCurve::kSensitivity, 2},
      {ViewKind::kNichols, LoopCurve::kClosed, 2}, {ViewKind::kNichols, LoopCurve::kSensitivity, 2},
      {ViewKind::kNyquist, LoopCurve::kOpen, 1},   {ViewKind::kNichols, LoopCurve::kOpen, 1},
  };
  for (const Case& c : cases) {
    SCOPED_TRACE(::testing::Message()
                 << static_cast<int>(c.view) << "/" << static_cast<int>(c.curve));
    Built b;
    // Radius 0 fits every point: no piece is cut at the frame.
    Build(b, c.view, 0.0, c.curve, ThroughCriticalPoint());
    std::vector<const PolylineElement*> lines = b.Lines(b.Pen(GainPen(b.page.properties)));
    std::erase_if(lines, [](const PolylineElement* l) { return l->x.size() < 2; });
    ASSERT_EQ(lines.size(), c.pieces);
    size_t vertices = 0;
    for (const PolylineElement* l : lines) vertices += l->x.size();
    EXPECT_EQ(vertices, c.pieces == 1 ? 201u : 200u);
    if (c.pieces == 2) {
      // Each piece ends at a neighbour of the gap, far from the other.
      EXPECT_EQ(lines[0]->x.size(), 100u);
      EXPECT_GT(std::hypot(lines[1]->x.front() - lines[0]->x.back(),
                           lines[1]->y.front() - lines[0]->y.back()),
                1.0);
    }
  }
}

// A measured point without a value breaks an overlay's curve too, and the
// drawn line keeps a gap marker there while the points stay the usable ones.
TEST(LoopView, GapsOfATraceAreMarkedBetweenItsNeighbours) {
  LoopTrace t;
  for (int k = 0; k < 5; ++k) {
    t.points.push_back({10.0 * (k + 1), 0.0, 0.0, 0.0});
    t.plane.push_back({static_cast<double>(k), 0.0});
  }
  t.breaks = {2, 4};
  const std::vector<PlanePoint> line = t.DrawnLine();
  ASSERT_EQ(line.size(), 7u);
  EXPECT_TRUE(std::isnan(line[2].x));
  EXPECT_EQ(line[3].x, 2.0);
  EXPECT_TRUE(std::isnan(line[5].x));
  EXPECT_EQ(ClipPolyline(line, {-1.0, 10.0, -1.0, 1.0}).size(), 3u);
  EXPECT_TRUE(t.InGap(25.0));
  EXPECT_TRUE(t.InGap(41.0));
  EXPECT_FALSE(t.InGap(30.0));  // a point of the curve
  EXPECT_FALSE(t.InGap(35.0));
}

// With figure marks on, L's margins are marked on the curve: the phase
// margin at the crossover in both views, and in Nyquist the modulus margin
// as a line from -1 as long as the margin; T and S, or marks off, get none.
TEST(LoopView, FigureMarksShowTheLoopMargins) {
  const struct {
    ViewKind view;
    LoopCurve curve;
    bool marks, pm, mm;
  } cases[] = {
      {ViewKind::kNyquist, LoopCurve::kOpen, true, true, true},
      {ViewKind::kNichols, LoopCurve::kOpen, true, true, false},
      {ViewKind::kNyquist, LoopCurve::kClosed, true, false, false},
      {ViewKind::kNyquist, LoopCurve::kOpen, false, false, false},
  };
  for (const auto& c : cases) {
    SCOPED_TRACE(::testing::Message()
                 << static_cast<int>(c.view) << "/" << static_cast<int>(c.curve) << "/" << c.marks);
    Built b;
    b.page.properties = b.ts.defaults;
    b.page.properties.view = c.view;
    b.page.properties.loopCurve = c.curve;
    b.page.properties.loopJudgement = LoopJudgement::kLoop;
    b.page.showFigureMarks = c.marks;
    b.page.data = LoopData(200);
    BuildShownPage(b.page, b.ts->drawing, {});
    bool pm = false, mm = false;
    for (const DrawingElement& e : b.Sheet().elements) {
      const auto* t = std::get_if<TextElement>(&e);
      if (!t) continue;
      pm |= t->text.starts_with("PM ");
      mm |= t->text.starts_with("MM ") && t->text.find(" @ ") != std::string::npos;
    }
    EXPECT_EQ(pm, c.pm);
    EXPECT_EQ(mm, c.mm);
    if (!c.mm) continue;
    const SweepFigures fig = PageFigures(b.page);
    ASSERT_TRUE(fig.modulusMargin);
    const PageLayout& L = b.page.layout;
    bool line = false;
    for (const PolylineElement* l : b.Lines(b.Pen({0, 0, 1, 2, 0, 0}))) {
      if (l->x.size() != 2 || std::abs(l->x[0] - L.frequency.ToMm(-1.0)) > 1e-9 ||
          std::abs(l->y[0] - L.gain.ToMm(0.0)) > 1e-9) {
        continue;
      }
      const double length = std::hypot(L.frequency.ToValue(l->x[1]) + 1.0, L.gain.ToValue(l->y[1]));
      EXPECT_NEAR(length, fig.modulusMargin->value, 1e-6);
      line = true;
    }
    EXPECT_TRUE(line);
  }
}

TEST(LoopView, NearestCurvePointIsReadInThePlane) {
  Built b;
  Build(b, ViewKind::kNyquist);
  const CurvePlane plane = PageCurvePlane(b.page);
  for (const size_t i : {size_t{20}, size_t{120}, size_t{199}}) {
    const PlanePoint at = PlaneMm(plane, b.page.layout, ReadingOf(plane.points[i]));
    EXPECT_EQ(NearestCurvePoint(plane, b.page.layout, at.x + 0.01, at.y - 0.01), i);
  }
}

}  // namespace
}  // namespace fernplot
