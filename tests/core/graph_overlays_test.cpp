// SPDX-License-Identifier: MIT
#include <gtest/gtest.h>

#include <algorithm>
#include <limits>
#include <string>
#include <variant>
#include <vector>

#include "graph/axis_map.h"
#include "graph/layout.h"
#include "graph/overlays.h"
#include "graph/trace_reader.h"
#include "graph_stand_in.h"

namespace fernplot {
namespace {

// A sweep like SweepData with every gain and phase moved by an offset.
MeasurementData Shifted(int n, double dGain, double dPhase) {
  MeasurementData d = test::SweepData(n);
  for (DataPoint& p : *d.points) {
    p.gainCh1Ch2 = static_cast<float>(p.gainCh1Ch2 + dGain);
    p.phaseCh1Ch2 = static_cast<float>(p.phaseCh1Ch2 + dPhase);
  }
  return d;
}

OverlayTrace Trace(const std::string& name, MeasurementData data) {
  return OverlayTrace{std::move(data), name, name + ".DAT"};
}

std::vector<const TextElement*> Texts(const DrawingSheet& sheet) {
  std::vector<const TextElement*> out;
  for (const DrawingElement& e : sheet.elements) {
    if (const auto* t = std::get_if<TextElement>(&e)) out.push_back(t);
  }
  return out;
}

struct Overlays : ::testing::Test {
  test::TestState ts;
  GraphPage* Open(std::vector<OverlayTrace> overlays, int reference = -1) {
    GraphPage* page = ts->OpenPage(ts.defaults, test::SweepData(40), "PAGE");
    page->overlays = std::move(overlays);
    page->referenceIndex = reference;
    page->showDifference = reference >= 0;
    ts->RebuildCurrent();
    return ts->CurrentPage();
  }
  const DrawingSheet& Sheet() { return *ts->drawing.CurrentSheet(); }
};

TEST_F(Overlays, APageWithoutOverlaysDrawsAsBefore) {
  test::TestState plain;
  plain->OpenPage(plain.defaults, test::SweepData(40), "PAGE");
  // The same page after overlays came and went.
  GraphPage* page = Open({Trace("B", Shifted(40, 3.0, 0.0))});
  page->overlays.clear();
  ts->RebuildCurrent();
  EXPECT_EQ(Sheet(), *plain->drawing.CurrentSheet());
  for (const TextElement* t : Texts(Sheet())) EXPECT_NE(t->text, "B");
}

TEST_F(Overlays, DataLimitsCoverTheUnionAndFixedLimitsStay) {
  GraphPage* lone = Open({});
  const float margin = lone->properties.VL.margin1;
  const double topGain = lone->layout.gain.ToValue(lone->layout.frame.top + margin);
  GraphPage* page = Open({Trace("UP", Shifted(40, 25.0, 0.0))});
  const double top = page->layout.gain.ToValue(page->layout.frame.top + margin);
  EXPECT_GE(top, 25.0 - 1e-9);
  EXPECT_GT(top, topGain);

  ts.defaults.VL.useDataMin = ts.defaults.VL.useDataMax = 0;
  ts.defaults.VL.rangeMax = 10.0;
  ts.defaults.VL.rangeMin = -50.0;
  GraphPage* fixed = Open({Trace("UP", Shifted(40, 25.0, 0.0))});
  EXPECT_NEAR(fixed->layout.gain.ToValue(fixed->layout.frame.top + margin), 10.0, 1e-9);
}

TEST_F(Overlays, ColoursAvoidThePageAndPhaseIsDashed) {
  GraphProperties p = FactoryDefaults();
  p.overlayStyle.palette[1] = p.gainLineColor;
  p.overlayStyle.palette[3] = p.phaseLineColor;
  const std::vector<Colour> c = OverlayColours(p, 8);
  for (Colour x : c) {
    EXPECT_NE(x, p.gainLineColor);
    EXPECT_NE(x, p.phaseLineColor);
  }
  EXPECT_EQ(c[0], p.overlayStyle.palette[0]);
  EXPECT_EQ(c[1], p.overlayStyle.palette[2]);
  EXPECT_EQ(c[6], c[0]);  // six usable colours, then round again

  GraphPage* page = Open({Trace("A", Shifted(40, 1, 1)), Trace("B", Shifted(40, 2, 2))});
  const std::vector<TraceCurve> t = PageTraces(*page);
  ASSERT_EQ(t.size(), 3u);
  EXPECT_EQ(t[0].role, TraceRole::kPage);
  EXPECT_EQ(t[1].gainPen.screenStyle, 0);
  EXPECT_EQ(t[1].phasePen.screenStyle, 1);
  EXPECT_EQ(t[1].gainPen.screenColor, t[1].phasePen.screenColor);
  EXPECT_NE(t[1].colour, t[2].colour);
  // Each overlay curve is in the drawing with its own pens.
  const auto& pens = ts->drawing.Pens();
  for (size_t i = 1; i < t.size(); ++i) {
    EXPECT_NE(std::find(pens.begin(), pens.end(), t[i].phasePen), pens.end());
  }
}

TEST_F(Overlays, OverlayCurvesBreakAtNonFinitePoints) {
  MeasurementData gap = Shifted(40, 1, 1);
  (*gap.points)[20].gainCh1Ch2 = std::numeric_limits<float>::quiet_NaN();
  GraphPage* page = Open({Trace("GAP", std::move(gap))});
  const TraceCurve overlay = PageTraces(*page)[1];
  const auto pieces = CurvePieces(overlay.points, CurveValue::kGain, page->layout.frequency,
                                  page->layout.gain, page->layout.frame);
  ASSERT_EQ(pieces.size(), 2u);
  EXPECT_EQ(pieces[0].x.size() + pieces[1].x.size(), 39u);
}

TEST_F(Overlays, LegendSitsInsideTheFrameTopPageFirst) {
  // One overlay: one row, the page's name first, all inside the frame.
  GraphPage* page = Open({Trace("rc_lpf_down", Shifted(40, 1, 1))});
  const FrameRect& hb = page->layout.frame;
  std::vector<std::string> names;
  for (const TextElement* t : Texts(Sheet())) {
    if (t->y > hb.top && t->y < hb.top + 10.0 && t->x > hb.left && t->x < hb.right) {
      names.push_back(t->text);
    }
  }
  ASSERT_EQ(names.size(), 2u);
  EXPECT_EQ(names[0], "PAGE");
  EXPECT_EQ(names[1], "rc_lpf_down");

  // Eight long names wrap into rows that stay between the frame's sides,
  // where no axis label is.
  std::vector<double> widths(9, 40.0);
  const LegendPlan plan = PlanLegend(widths, 3.0, hb.left, hb.top, hb.right);
  ASSERT_EQ(plan.entries.size(), 9u);
  EXPECT_GT(plan.y1 - plan.y0, 2 * 3.0);
  EXPECT_GE(plan.x0, hb.left);
  EXPECT_LE(plan.x1, hb.right);
  EXPECT_GT(plan.y0, hb.top);
  for (const LegendEntryPlace& e : plan.entries) {
    EXPECT_GE(e.lineX0, plan.x0);
    EXPECT_LE(e.textX + 40.0, plan.x1 + 1e-9);
    EXPECT_LT(e.textY + 3.0, plan.y1 + 1e-9);
  }
  EXPECT_GT(plan.entries[8].textY, plan.entries[0].textY);

  ts.defaults.overlayStyle.legend = false;
  Open({Trace("rc_lpf_down", Shifted(40, 1, 1))});
  for (const TextElement* t : Texts(Sheet())) EXPECT_NE(t->text, "rc_lpf_down");
}

TEST_F(Overlays, DifferenceModeDrawsDifferencesUnderMarkedCaptions) {
  GraphPage* page = Open({Trace("REF", Shifted(40, -3.0, 10.0))}, 0);
  const std::vector<TraceCurve> t = PageTraces(*page);
  ASSERT_EQ(t.size(), 2u);
  EXPECT_EQ(t[0].role, TraceRole::kDifference);
  EXPECT_EQ(t[1].role, TraceRole::kReference);
  ASSERT_EQ(t[0].points.size(), 40u);
  for (const RangePoint& p : t[0].points) {
    EXPECT_NEAR(p.gain, 3.0, 1e-4);
    EXPECT_NEAR(p.phase, -10.0, 1e-4);
  }
  bool gainCaption = false, phaseCaption = false;
  for (const TextElement* e : Texts(Sheet())) {
    gainCaption |= e->text == "\u0394" + page->properties.VL.caption;
    phaseCaption |= e->text == "\u0394" + page->properties.VR.caption;
  }
  EXPECT_TRUE(gainCaption);
  EXPECT_TRUE(phaseCaption);
  // The CSV holds the differences; without the mode, the page's own points.
  EXPECT_NE(PageCsvText(*page).find(" , 3.000"), std::string::npos);
  page->showDifference = false;
  EXPECT_EQ(PageCsvText(*page), CalculatedDataCsvText(page->data, false));
}

TEST_F(Overlays, ReaderGivesEveryTraceAtTheFrequency) {
  GraphPage* page = Open({Trace("UP", Shifted(40, 2.0, 0.0)), Trace("REF", Shifted(40, 0, 10))});
  const TraceReader reader(*page);
  const std::vector<TraceValue> v = reader.At(1000.0);
  ASSERT_EQ(v.size(), 3u);
  EXPECT_EQ(v[0].name, "PAGE");
  ASSERT_TRUE(v[0].gain && v[1].gain && v[2].phase);
  EXPECT_NEAR(*v[1].gain - *v[0].gain, 2.0, 1e-5);
  EXPECT_NEAR(*v[0].gain, -3.0103, 0.05);  // the curve between 40 points
  EXPECT_FALSE(reader.At(5.0)[1].gain);    // below every sweep

  page->referenceIndex = 1;
  page->showDifference = true;
  const std::vector<TraceValue> d = TraceReader(*page).At(1000.0);
  EXPECT_NEAR(*d[0].phase, -10.0, 1e-4);
  EXPECT_NEAR(*d[1].gain, 2.0, 1e-5);
  EXPECT_NEAR(*d[2].gain, 0.0, 1e-12);
}

}  // namespace
}  // namespace fernplot
