// SPDX-License-Identifier: MIT
#include <gtest/gtest.h>

#include <cmath>
#include <limits>
#include <string>
#include <vector>

#include "graph/pages.h"
#include "graph_stand_in.h"

namespace fernplot {
namespace {

constexpr double kPt = 0.35277777777777775;

// Pages built end to end on the stand-in measurer, with the axes' texts and
// lines picked out of the sheet.
struct AxesFixture : ::testing::Test {
  test::TestState ts;
  AxesFixture() { ts.defaults.itemFlags.fill(0); }

  MeasurementData Points(std::vector<DataPoint> points) {
    MeasurementData d;
    d.points = std::move(points);
    return d;
  }
  const GraphPage& Open(MeasurementData data) {
    return *ts.session.OpenPage(ts.defaults, std::move(data), "P");
  }
  const DrawingSheet& Sheet() { return *ts->drawing.CurrentSheet(); }

  // Texts in the font of a category, in element order. Scale labels are told
  // from captions in the same font by their place.
  std::vector<const TextElement*> Texts(const GraphPage& page, int category) {
    const GraphProperties& p = page.properties;
    const auto& f = p.fonts[static_cast<size_t>(category)];
    const int font = ts->drawing.FindOrAddFont(f.ansiCharset ? 0 : 128, f.faceName, f.size, 0,
                                               f.bold ? 700 : 400);
    std::vector<const TextElement*> out;
    for (const auto& e : Sheet().elements) {
      const auto* t = std::get_if<TextElement>(&e);
      if (!t || t->font != font || t->color != f.color) continue;
      const bool below = t->y > page.layout.frame.bottom;
      switch (category) {
        case kFontFreqLabels:
          if (t->y != page.layout.frame.bottom + 0.5) continue;
          break;
        case kFontFreqCaption:
          if (!below || t->y == page.layout.frame.bottom + 0.5) continue;
          break;
        case kFontGainLabels:
          if (t->align != kAlignRight) continue;
          break;
        case kFontPhaseLabels:
          if (t->align != kAlignLeft || t->x != page.layout.frame.right + 1.0) continue;
          break;
        default:
          break;
      }
      out.push_back(t);
    }
    return out;
  }
  std::vector<std::string> Labels(const GraphPage& page, int category) {
    std::vector<std::string> out;
    for (const TextElement* t : Texts(page, category)) out.push_back(t->text);
    return out;
  }
  // Vertical tick marks at the frame top (one per tick of the frequency axis).
  std::vector<double> TopTicks(const GraphPage& page) {
    std::vector<double> out;
    const double y0 = page.layout.frame.top;
    for (const auto& e : Sheet().elements) {
      const auto* l = std::get_if<PolylineElement>(&e);
      if (l && l->x.size() == 2 && l->x[0] == l->x[1] && l->y[0] == y0 && l->y[1] == y0 + 1.0) {
        out.push_back(l->x[0]);
      }
    }
    return out;
  }
};

DataPoint At(double f, double gain = 0, double phase = 0) {
  DataPoint p;
  p.frequency = f;
  p.gainCh1Ch2 = static_cast<float>(gain);
  p.phaseCh1Ch2 = static_cast<float>(phase);
  return p;
}

TEST_F(AxesFixture, LogFrequencyTenToHundredThousand) {
  ts.defaults.HB.scaleType = ScaleType::kAuto;
  const GraphPage& page = Open(Points({At(10), At(100000)}));
  const AxisMap& hb = page.layout.frequency;
  EXPECT_TRUE(hb.log);
  EXPECT_DOUBLE_EQ(hb.origin, 1.0);
  EXPECT_DOUBLE_EQ(hb.scale, 220.0 / 4.0);
  const std::vector<double> ticks = TopTicks(page);
  ASSERT_EQ(ticks.size(), 37u);
  EXPECT_DOUBLE_EQ(ticks.front(), 18);
  EXPECT_NEAR(ticks.back(), 18 + 220, 1e-9);
  // 9 -> 10 is 2.5 mm at 55 mm per decade: the labels fall back to 1 2 3 5 7.
  const std::vector<std::string> labels = Labels(page, kFontFreqLabels);
  const std::vector<std::string> expected = {"10",  "20",  "30",  "50",  "70",  "100", "200",
                                             "300", "500", "700", "1k",  "2k",  "3k",  "5k",
                                             "7k",  "10k", "20k", "30k", "50k", "70k", "100k"};
  EXPECT_EQ(labels, expected);
  const auto caption = Texts(page, kFontFreqCaption);
  ASSERT_EQ(caption.size(), 1u);
  EXPECT_NEAR(caption[0]->y, page.layout.frame.bottom + 9 * kPt + 1.0, 1e-12);
  EXPECT_DOUBLE_EQ(caption[0]->x, (18 + 243) / 2.0);
}

TEST_F(AxesFixture, AutoScaleWithExactlyADecadeIsLinear) {
  ts.defaults.HB.scaleType = ScaleType::kAuto;
  const GraphPage& page = Open(Points({At(20), At(200)}));
  EXPECT_FALSE(page.layout.frequency.log);
}

TEST_F(AxesFixture, LogAxisStartsAtTheLeadingDigitOfTheMinimum) {
  const GraphPage& page = Open(Points({At(3700), At(100000)}));
  const AxisMap& hb = page.layout.frequency;
  EXPECT_NEAR(hb.origin, std::log10(3000.0), 1e-12);
  EXPECT_NEAR(hb.scale, 220.0 / (5.0 - std::log10(3000.0)), 1e-9);
  ASSERT_FALSE(TopTicks(page).empty());
  EXPECT_DOUBLE_EQ(TopTicks(page).front(), 18);
}

TEST_F(AxesFixture, ZeroFrequenciesGiveTheDefaultLogRange) {
  const GraphPage& page = Open(Points({At(0, 1), At(0, 2)}));
  const AxisMap& hb = page.layout.frequency;
  EXPECT_TRUE(hb.log);
  EXPECT_NEAR(hb.origin, -4.0, 1e-12);
  EXPECT_NEAR(hb.scale, 220.0 / (std::log10(22000000.0) + 4.0), 1e-9);
  // The points themselves have no place on the log axis.
  for (const auto& e : Sheet().elements) {
    if (const auto* l = std::get_if<PolylineElement>(&e)) {
      for (double x : l->x) EXPECT_TRUE(std::isfinite(x));
    }
  }
}

TEST_F(AxesFixture, LinearFrequencyFromZeroLabelsZeroMilli) {
  AxisSettings& hb = ts.defaults.HB;
  hb.scaleType = ScaleType::kLin;
  hb.useDataMin = hb.useDataMax = 0;
  hb.rangeMin = 0;
  hb.rangeMax = 1000;
  const GraphPage& page = Open(Points({At(500)}));
  EXPECT_FALSE(page.layout.frequency.log);
  EXPECT_DOUBLE_EQ(page.layout.frequency.origin, 0);
  const std::vector<std::string> labels = Labels(page, kFontFreqLabels);
  ASSERT_FALSE(labels.empty());
  EXPECT_EQ(labels.front(), "0m");
  EXPECT_EQ(labels.back(), "1k");
  // Labels keep their room: each starts beyond the previous end plus 2 mm.
  const auto texts = Texts(page, kFontFreqLabels);
  for (size_t i = 1; i < texts.size(); ++i) {
    EXPECT_GT(texts[i]->x, texts[i - 1]->x + test::StandInWidthMm(texts[i - 1]->text, 9) + 2.0);
  }
  EXPECT_GE(TopTicks(page).size(), texts.size());
}

TEST_F(AxesFixture, GainWithManualInterval) {
  AxisSettings& vl = ts.defaults.VL;
  vl.useDataMin = vl.useDataMax = 0;
  vl.rangeMin = -37;
  vl.rangeMax = 63;
  vl.autoDivision = 0;
  vl.interval = 10;
  const GraphPage& page = Open(Points({At(100)}));
  const std::vector<std::string> labels = Labels(page, kFontGainLabels);
  const std::vector<std::string> expected = {"-40", "-30", "-20", "-10", "0",  "10",
                                             "20",  "30",  "40",  "50",  "60", "70"};
  EXPECT_EQ(labels, expected);
  EXPECT_DOUBLE_EQ(page.layout.gain.origin, -40);
  EXPECT_DOUBLE_EQ(page.layout.gain.scale, 110.0 / 110.0);
  const auto texts = Texts(page, kFontGainLabels);
  EXPECT_EQ(texts[0]->align, kAlignRight);
  EXPECT_DOUBLE_EQ(texts[0]->x, 18 - 1.0);
  // -40 sits at the bottom margin: y1 - 5, minus half a 9-point label.
  EXPECT_NEAR(texts[0]->y, page.layout.frame.bottom - 5 - 9 * kPt / 2, 1e-12);
}

TEST_F(AxesFixture, PhaseStepFromLabelHeight) {
  const struct {
    int tight;
    size_t labels;
  } rows[] = {{0, 13}, {1, 19}};  // steps 30 and 20 over -180 .. 180
  for (const auto& r : rows) {
    AxisSettings& vr = ts.defaults.VR;
    vr.useDataMin = vr.useDataMax = 0;
    vr.rangeMin = -180;
    vr.rangeMax = 180;
    vr.length = 90;  // span 80
    ts.defaults.VL.length = 90;
    vr.tight = r.tight != 0;
    ts.defaults.fonts[kFontPhaseLabels].size = 10;
    const GraphPage& page = Open(Points({At(100)}));
    const auto labels = Labels(page, kFontPhaseLabels);
    ASSERT_EQ(labels.size(), r.labels) << r.tight;
    EXPECT_EQ(labels.front(), "-180");
    EXPECT_EQ(labels.back(), "180");
    const auto texts = Texts(page, kFontPhaseLabels);
    EXPECT_EQ(texts[0]->align, kAlignLeft);
    EXPECT_DOUBLE_EQ(texts[0]->x, 243 + 1.0);
  }
}

// A flat trace is drawn in a span of 2 dB about its value, not the ±1e-7
// of equal limits, whose eight-decimal labels ran off the page; a limit of
// the user's own is kept.
TEST_F(AxesFixture, EqualGainsGetAReadableSpan) {
  ts.defaults.VL.length = 90;  // span 80
  ts.defaults.VR.length = 90;
  ts.defaults.fonts[kFontGainLabels].size = 10;
  const GraphPage& page = Open(Points({At(10, 5.0), At(100, 5.0), At(1000, 5.0)}));
  const auto labels = Labels(page, kFontGainLabels);
  ASSERT_EQ(labels.size(), 11u);
  EXPECT_EQ(labels.front(), "4.0");
  EXPECT_EQ(labels.back(), "6.0");
  ts.defaults.VL.useDataMax = 0;
  ts.defaults.VL.rangeMax = 10;
  const auto own = Labels(Open(Points({At(10, 5.0), At(100, 5.0)})), kFontGainLabels);
  ASSERT_FALSE(own.empty());
  EXPECT_EQ(std::stod(own.back()), 10.0);
}

TEST_F(AxesFixture, InvertedLimitsDrawNoGainTick) {
  ts.defaults.VL.useDataMax = 0;
  ts.defaults.VL.rangeMax = -50;
  const GraphPage& page = Open(Points({At(10, -10), At(100, 0)}));
  EXPECT_LT(page.layout.gain.scale, 0);
  EXPECT_TRUE(Labels(page, kFontGainLabels).empty());
}

TEST_F(AxesFixture, PageWithoutPointsDoesNotInheritThePreviousLimits) {
  Open(Points({At(10, -60, -170), At(100000, -20, 10)}));
  MeasurementData empty;  // no point array
  const GraphPage& page = Open(std::move(empty));
  // Both axes take the empty page's readable spans (-40..20 dB, -180..180
  // deg), not the page before's limits nor a spread of 1e-7 about 0.
  EXPECT_NEAR(page.layout.gain.origin, -40.0, 1e-6);
  EXPECT_NEAR(page.layout.right.origin, -180.0, 1e-6);
  const auto gains = Labels(page, kFontGainLabels);
  ASSERT_FALSE(gains.empty());
  EXPECT_EQ(std::stod(gains.back()), 20.0);
  for (const std::string& label : gains) EXPECT_LE(label.size(), 3u) << label;
  EXPECT_NEAR(page.layout.frequency.origin, -4.0, 1e-12);
}

TEST_F(AxesFixture, NothingNonFiniteReachesTheDrawing) {
  const float inf = std::numeric_limits<float>::infinity();
  const float nan = std::numeric_limits<float>::quiet_NaN();
  MeasurementData d = Points(
      {At(10, -3, -10), At(20, -inf, nan), At(40, -6, -40), At(80, nan, -inf), At(160, -9, -80)});
  const GraphPage& page = Open(std::move(d));
  // Extremes are taken over the finite values only.
  EXPECT_EQ(Labels(page, kFontGainLabels).empty(), false);
  size_t gainPieces = 0;
  const Colour gainColour = page.properties.gainLineColor;
  for (const auto& e : Sheet().elements) {
    std::visit(
        [&](const auto& el) {
          using T = std::decay_t<decltype(el)>;
          if constexpr (std::is_same_v<T, TextElement>) {
            EXPECT_TRUE(std::isfinite(el.x) && std::isfinite(el.y)) << el.text;
          } else if constexpr (std::is_same_v<T, PolylineElement>) {
            for (size_t i = 0; i < el.x.size(); ++i) {
              EXPECT_TRUE(std::isfinite(el.x[i]) && std::isfinite(el.y[i]));
            }
            if (ts->drawing.Pens()[static_cast<size_t>(el.pen)].screenColor == gainColour) {
              ++gainPieces;
            }
          } else {
            EXPECT_TRUE(std::isfinite(el.x) && std::isfinite(el.y) && std::isfinite(el.width) &&
                        std::isfinite(el.height));
          }
        },
        e);
  }
  EXPECT_EQ(gainPieces, 3u);
  // -3 .. -9: the range was not pulled to minus infinity.
  EXPECT_GT(page.layout.gain.origin, -20);
}

}  // namespace
}  // namespace fernplot
