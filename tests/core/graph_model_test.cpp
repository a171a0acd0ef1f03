// SPDX-License-Identifier: MIT
// A model fitted to a page: laid over it, kept in step with its points,
// shown as the page's residual and removed again.
#include <gtest/gtest.h>

#include <cmath>
#include <vector>

#include "graph/model_overlay.h"
#include "graph/overlays.h"
#include "graph/page_figures.h"
#include "graph/page_model.h"
#include "graph/page_session.h"
#include "graph_stand_in.h"

namespace fernplot {
namespace {

GraphPage& OpenSweep(test::TestState& ts, int points) {
  return *ts->OpenPage(ts.defaults, test::SweepData(points), "LPF");
}

// The largest gap between the gain an overlay shows and the page's own at
// the same frequency, in the page's ratio.
double LargestGainGap(const GraphPage& page, const OverlayTrace& overlay) {
  const bool ch1 = PageRatio(page.properties) == ChannelRatio::kCh1Ch2;
  const auto gain = [ch1](const DataPoint& p) { return ch1 ? p.gainCh1Ch2 : p.gainCh2Ch1; };
  double gap = 0.0;
  size_t matched = 0;
  for (const DataPoint& a : *page.data.points) {
    for (const DataPoint& b : *overlay.data.points) {
      if (a.frequency != b.frequency) continue;
      gap = std::max(gap, static_cast<double>(std::abs(gain(a) - gain(b))));
      ++matched;
    }
  }
  EXPECT_EQ(matched, page.data.points->size());
  return gap;
}

TEST(PageModel, FittedModelIsADashedOverlayAndItsResidualTakesTheReference) {
  test::TestState ts;
  GraphPage& page = OpenSweep(ts, 40);
  // A measurement compared with first, and shown as the difference.
  OverlayTrace other{test::SweepData(40), "OTHER", "OTHER.DAT"};
  ASSERT_TRUE(ts->AddOverlays({other}));
  ASSERT_TRUE(ts->ToggleDifference());
  int announced = 0;
  ts->Subscribe([&announced] { ++announced; });

  ASSERT_EQ(ts->AddModel({}), "");
  EXPECT_EQ(announced, 1);
  ASSERT_TRUE(page.fit.has_value());
  ASSERT_EQ(ModelOverlayIndex(page), 1);
  const OverlayTrace& model = page.overlays[1];
  // The 1 kHz low pass, found by the automatic order.
  ASSERT_EQ(page.fit->model.poles.size(), 1u);
  EXPECT_NEAR(std::abs(page.fit->model.poles[0]), 1000.0, 1.0);
  EXPECT_LT(LargestGainGap(page, model), 0.01);
  EXPECT_EQ(page.referenceIndex, 0);  // the difference shown stays
  {
    // A copy of the page (as the loop views draw from) has its own model.
    GraphPage copy = page;
    ASSERT_TRUE(copy.fit.has_value());
    copy.fit->referenceBeforeResidual = 7;
    EXPECT_NE(page.fit->referenceBeforeResidual, 7);
    EXPECT_EQ(copy.fit->model.poles, page.fit->model.poles);
  }

  // The residual takes the model as the reference, and gives it back.
  EXPECT_TRUE(ts->ShowModelResidual(true));
  EXPECT_TRUE(ShowsResidual(page));
  EXPECT_EQ(page.referenceIndex, 1);
  EXPECT_FALSE(ts->ShowModelResidual(true));
  EXPECT_TRUE(ts->ShowModelResidual(false));
  EXPECT_FALSE(ShowsResidual(page));
  EXPECT_EQ(page.referenceIndex, 0);
  EXPECT_FALSE(page.showDifference);

  // Fitted again (another order), the model stays where it was, and so
  // does a residual shown against it.
  ASSERT_TRUE(ts->ShowModelResidual(true));
  ASSERT_EQ(ts->AddModel({.order = 3}), "");
  EXPECT_EQ(page.overlays.size(), 2u);
  EXPECT_EQ(page.fit->model.poles.size(), 3u);
  EXPECT_TRUE(ShowsResidual(page));

  // Removed while its residual shows: the plain page with the earlier
  // reference, not shown as a difference.
  EXPECT_TRUE(ts->RemoveModel());
  EXPECT_FALSE(page.fit.has_value());
  ASSERT_EQ(page.overlays.size(), 1u);
  EXPECT_EQ(page.overlays[0].fileName, "OTHER");
  EXPECT_EQ(page.referenceIndex, 0);
  EXPECT_FALSE(page.showDifference);
  EXPECT_FALSE(ts->RemoveModel());
  EXPECT_FALSE(ts->ShowModelResidual(true));
}

TEST(PageModel, FollowsThePagesPointsAndItsOverlay) {
  test::TestState ts;
  GraphPage& page = OpenSweep(ts, 40);
  ASSERT_EQ(ts->AddModel({.order = 2}), "");
  const FitModel first = page.fit->model;

  // Another ratio: the inverse curve is fitted, and the overlay is drawn
  // over the curve the page shows, not over its inverse.
  GraphProperties props = page.properties;
  props.calcType = ChannelRatio::kCh2Ch1;
  ASSERT_TRUE(ts->ApplyProperties(props));
  ASSERT_TRUE(page.fit.has_value());
  EXPECT_EQ(page.fit->options.order, 2);
  EXPECT_NE(page.fit->model.gain, first.gain);
  EXPECT_LT(LargestGainGap(page, page.overlays[0]), 0.5);

  // New data (6 dB more gain in the ratio shown): fitted again.
  const double gainBefore = std::abs(EvaluateModel(page.fit->model, 10.0));
  ASSERT_TRUE(ts->EditCurrent([](GraphPage& p) {
    for (DataPoint& d : *p.data.points) d.gainCh2Ch1 += 6.0f;
    return true;
  }));
  EXPECT_NEAR(std::abs(EvaluateModel(page.fit->model, 10.0)) / gainBefore, std::pow(10.0, 0.3),
              0.01);
}

TEST(PageModel, RemovedModelGivesBackTheReferenceOnEitherSideOfIt) {
  // The model laid over the page before or after the measurement compared.
  for (bool modelFirst : {false, true}) {
    test::TestState ts;
    GraphPage& page = OpenSweep(ts, 30);
    if (modelFirst) {
      ASSERT_EQ(ts->AddModel({}), "");
    }
    ASSERT_TRUE(ts->AddOverlays({OverlayTrace{test::SweepData(30), "OTHER", "OTHER.DAT"}}));
    if (!modelFirst) {
      ASSERT_EQ(ts->AddModel({}), "");
    }
    page.referenceIndex = modelFirst ? 1 : 0;
    ASSERT_TRUE(ts->ShowModelResidual(true));
    ASSERT_TRUE(ts->RemoveModel());
    ASSERT_EQ(page.overlays.size(), 1u) << modelFirst;
    EXPECT_EQ(page.referenceIndex, 0) << modelFirst;
    EXPECT_FALSE(page.showDifference) << modelFirst;
  }
}

TEST(ModelOverlay, HoldsTheModelInTheRatioItWasFittedIn) {
  const FitModel model{.poles = {{-1000.0, 0.0}}, .gain = 1000.0};
  const std::vector<UsablePoint> points = {{.frequency = 1000.0}};
  for (ChannelRatio ratio : {ChannelRatio::kCh1Ch2, ChannelRatio::kCh2Ch1}) {
    const OverlayTrace trace = ModelOverlay(model, points, ratio);
    const DataPoint& p = trace.data.points->at(0);
    const bool ch1 = ratio == ChannelRatio::kCh1Ch2;
    EXPECT_NEAR(ch1 ? p.gainCh1Ch2 : p.gainCh2Ch1, -3.0103, 1e-3);
    EXPECT_NEAR(ch1 ? p.phaseCh1Ch2 : p.phaseCh2Ch1, -45.0, 1e-3);
    EXPECT_NEAR(ch1 ? p.gainCh2Ch1 : p.gainCh1Ch2, 3.0103, 1e-3);
  }
}

// A circuit fitted to a page measured through a shunt lies on the curve
// shown (R·H), whichever ratio it shows, and follows a new shunt.
TEST(PageModel, ACircuitOfAShuntPageLiesOnTheImpedanceShown) {
  for (const ChannelRatio ratio : {ChannelRatio::kCh1Ch2, ChannelRatio::kCh2Ch1}) {
    test::TestState ts;
    GraphPage& page = OpenSweep(ts, 40);
    page.properties.shuntOhms = 2.0;
    page.properties.calcType = ratio;
    // CH2/CH1 rises as 1 + jf/1 kHz: a resistance in series with a coil.
    auto circuit = std::make_shared<const Circuit>(
        *ParseCircuit(ratio == ChannelRatio::kCh1Ch2 ? "p(R1,C1)" : "R1-L1").circuit);
    ASSERT_EQ(FitPageCircuit(page, circuit, {}), "");
    ASSERT_TRUE(page.fit && page.fit->circuit);
    if (ratio == ChannelRatio::kCh1Ch2) {
      // The sweep is a first-order low-pass: 2 Ω in parallel with 1/(2π·1 kHz·2 Ω).
      const std::vector<double> v = page.fit->circuit->result.Values();
      EXPECT_NEAR(v[0], 2.0, 2e-5);
      EXPECT_NEAR(v[1], 1.0 / (2.0 * 3.141592653589793 * 1000.0 * 2.0), 1e-9);
    }
    std::unique_ptr<GraphPage> holder;
    const GraphPage& shown = ShownPage(page, holder);
    ASSERT_EQ(shown.overlays.size(), 1u);
    EXPECT_LT(LargestGainGap(shown, shown.overlays[0]), 1e-3) << static_cast<int>(ratio);
    // A new shunt is a new impedance: fitted again.
    page.properties.shuntOhms = 4.0;
    EXPECT_TRUE(UpdatePageModel(page));
    ASSERT_TRUE(page.fit && page.fit->circuit);
    if (ratio == ChannelRatio::kCh1Ch2) {
      EXPECT_NEAR(page.fit->circuit->result.Values()[0], 4.0, 4e-5);
    }
    EXPECT_FALSE(UpdatePageModel(page));
  }
  // A page that is no impedance is not fitted.
  test::TestState ts;
  GraphPage& ratio = OpenSweep(ts, 10);
  auto circuit = std::make_shared<const Circuit>(*ParseCircuit("R0").circuit);
  EXPECT_NE(FitPageCircuit(ratio, circuit, {}), "");
  EXPECT_FALSE(ratio.fit);
}

}  // namespace
}  // namespace fernplot
