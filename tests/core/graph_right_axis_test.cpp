// SPDX-License-Identifier: MIT
// The right axis in its unwrapped-phase and group-delay modes: curves,
// limits and labels of built pages, the settings line, and the figure marks.
#include <gtest/gtest.h>

#include <algorithm>
#include <cmath>
#include <string>
#include <vector>

#include "analysis/figures_text.h"
#include "graph/axis_map.h"
#include "graph/figure_marks.h"
#include "graph/page_figures.h"
#include "graph/right_axis.h"
#include "graph_stand_in.h"
#include "props/settings_file.h"
#include "text/encoding.h"

namespace fernplot {
namespace {

// A pure delay of `delay` seconds swept from 1 kHz to 1 MHz: flat gain and a
// phase that wraps many times (measured in (-180, 180]).
MeasurementData DelayLine(double delay, int n) {
  MeasurementData d;
  d.points.emplace();
  for (int i = n - 1; i >= 0; --i) {  // the record holds the file reversed
    const double f = 1000.0 * std::pow(1000.0, i / double(n - 1));
    double phase = std::fmod(-360.0 * f * delay, 360.0);
    if (phase <= -180.0) phase += 360.0;
    DataPoint p{f, -1.0f, 1.0f, static_cast<float>(phase), static_cast<float>(-phase)};
    d.points->push_back(p);
  }
  return d;
}

struct RightAxisFixture : ::testing::Test {
  test::TestState ts;
  RightAxisFixture() { ts.defaults.itemFlags.fill(0); }

  const GraphPage& Open(MeasurementData data, int32_t mode) {
    ts.defaults.rightAxis = mode;
    return *ts.session.OpenPage(ts.defaults, std::move(data), "P");
  }
  // The texts left-aligned just right of the frame: the right axis' labels.
  std::vector<std::string> RightLabels(const GraphPage& page) {
    std::vector<std::string> out;
    for (const auto& e : ts->drawing.CurrentSheet()->elements) {
      const auto* t = std::get_if<TextElement>(&e);
      if (t && t->align == kAlignLeft && t->x == page.layout.frame.right + 1.0) {
        out.push_back(t->text);
      }
    }
    return out;
  }
  bool HasText(std::string_view text) {
    for (const auto& e : ts->drawing.CurrentSheet()->elements) {
      const auto* t = std::get_if<TextElement>(&e);
      if (t && t->text == text) return true;
    }
    return false;
  }
  // The values at the lowest and highest scale places of the right axis
  // (inside its margins).
  std::pair<double, double> RightRange(const GraphPage& page) {
    const AxisSettings& vr = page.properties.VR;
    const AxisMap& map = page.layout.right;
    return {map.ToValue(page.layout.frame.bottom - vr.margin2),
            map.ToValue(page.layout.frame.top + vr.margin1)};
  }
};

TEST(RightAxisCurve, UnwrappedAndDelayOfAPureDelay) {
  const MeasurementData d = DelayLine(2e-6, 61);
  std::vector<RangePoint> points;
  for (const DataPoint& p : *d.points) points.push_back({p.frequency, p.gainCh1Ch2, p.phaseCh1Ch2});

  EXPECT_TRUE(RightAxisCurve(points, kRightPhase).empty()) << "phase mode draws the points";
  const std::vector<RangePoint> unwrapped = RightAxisCurve(points, kRightUnwrappedPhase);
  ASSERT_EQ(unwrapped.size(), 61u);
  EXPECT_LT(unwrapped.front().frequency, unwrapped.back().frequency) << "ascending";
  // -360 f tau within float rounding of the measured phase, over two turns.
  EXPECT_NEAR(unwrapped.back().phase, -360.0 * 1e6 * 2e-6, 1e-3);

  const std::vector<RangePoint> delay = RightAxisCurve(points, kRightGroupDelay);
  ASSERT_EQ(delay.size(), 60u);
  for (const RangePoint& p : delay) EXPECT_NEAR(p.phase, 2e-6, 2e-9) << p.frequency;
  EXPECT_DOUBLE_EQ(delay.front().frequency, std::sqrt(points[60].frequency * points[59].frequency));
}

TEST(RightAxisLabels, SiPrefixesLikeTheFrequencyLabels) {
  struct Case {
    double value, step;
    const char* text;
  } const cases[] = {
      {10e-6, 5e-6, "10u"},        {1.5e-3, 5e-4, "1.5m"},    {0.0, 1e-6, "0"},
      {1e-21, 1e-6, "0"},          {-250e-9, 50e-9, "-250n"}, {2e-9, 1e-9, "2n"},
      {1.25e-6, 0.05e-6, "1.25u"}, {3.0, 1.0, "3"},           {2e-12, 1e-12, "2p"},
      {1.2e-3, 2e-4, "1.2m"},      {999e-6, 1e-6, "999u"},
  };
  for (const Case& c : cases) EXPECT_EQ(FormatSiLabel(c.value, c.step), c.text) << c.value;
}

TEST(RightAxisLabels, DelayScaleSpreadsConstantDelaysByTheirSize) {
  const DelayScale same = ScaleDelay(5e-9, 5e-9, 8);
  EXPECT_LT(same.lo, 5e-9);
  EXPECT_GT(same.hi, 5e-9);
  EXPECT_LT(same.hi - same.lo, 5e-9) << "spread by a part of the delay, not by 1e-7";
  const DelayScale none = ScaleDelay(0.0, 0.0, 8);
  EXPECT_LT(none.lo, 0.0);
  EXPECT_GT(none.hi, 0.0);
  const DelayScale span = ScaleDelay(1.1e-8, 9.3e-8, 5);
  EXPECT_LE(span.lo, 1.1e-8);
  EXPECT_GE(span.hi, 9.3e-8);
  EXPECT_DOUBLE_EQ(span.step, 2e-8);
}

TEST_F(RightAxisFixture, UnwrappedPhaseTakesItsLimitsFromTheData) {
  const GraphPage& page = Open(DelayLine(2e-6, 61), kRightUnwrappedPhase);
  const auto [lo, hi] = RightRange(page);
  // The data runs from -0.72° to -720°: a fixed +-180° range would cut it.
  EXPECT_LE(lo, -720.0);
  EXPECT_GT(lo, -900.0);
  EXPECT_GE(hi, -0.72);
  EXPECT_LE(hi, 90.0);
  const std::vector<std::string> labels = RightLabels(page);
  ASSERT_FALSE(labels.empty());
  EXPECT_EQ(labels.front(), std::to_string(static_cast<int>(std::lround(lo))));
  // The factory caption says the phase is unwrapped; the user's own stays.
  EXPECT_TRUE(HasText("PHASE (UNWRAPPED) [deg]"));
  EXPECT_FALSE(HasText("PHASE [deg]"));
  EXPECT_FALSE(HasText(kGroupDelayCaption));
  ts.defaults.VR.caption = "PHASE [deg]  (Ch2)";
  Open(DelayLine(2e-6, 61), kRightUnwrappedPhase);
  EXPECT_TRUE(HasText("PHASE [deg]  (Ch2)"));
  EXPECT_FALSE(HasText("PHASE (UNWRAPPED) [deg]"));
  Open(DelayLine(2e-6, 61), kRightPhase);
  EXPECT_TRUE(HasText("PHASE [deg]  (Ch2)"));
}

TEST_F(RightAxisFixture, GroupDelayAxisHasItsCaptionAndPrefixedLabels) {
  const GraphPage& page = Open(DelayLine(2e-6, 61), kRightGroupDelay);
  EXPECT_TRUE(HasText(kGroupDelayCaption));
  EXPECT_FALSE(HasText("PHASE [deg]"));
  const auto [lo, hi] = RightRange(page);
  EXPECT_LT(lo, 2e-6);
  EXPECT_GT(hi, 2e-6);
  EXPECT_LT(hi - lo, 1e-6);
  const std::vector<std::string> labels = RightLabels(page);
  ASSERT_GE(labels.size(), 2u);
  for (const std::string& l : labels) {
    EXPECT_TRUE(l == "0" || l.back() == 'u' || l.back() == 'n') << l;
  }
}

TEST_F(RightAxisFixture, PhaseModeDrawsAsBeforeAndEveryModeKeepsTheGainCurve) {
  const GraphPage& phase = Open(DelayLine(2e-6, 61), kRightPhase);
  const DrawingSheet before = *ts->drawing.CurrentSheet();
  const auto [lo, hi] = RightRange(phase);
  EXPECT_NEAR(lo, -180.0, 1e-9);
  EXPECT_NEAR(hi, 180.0, 1e-9);
  for (int32_t mode : {kRightUnwrappedPhase, kRightGroupDelay}) {
    Open(DelayLine(2e-6, 61), mode);
    const DrawingSheet& now = *ts->drawing.CurrentSheet();
    // The gain curve is the first polyline after the axes in every mode.
    auto firstCurve = [](const DrawingSheet& s) {
      std::vector<const PolylineElement*> lines;
      for (const auto& e : s.elements) {
        if (const auto* l = std::get_if<PolylineElement>(&e)) lines.push_back(l);
      }
      return lines.empty() ? PolylineElement{} : *lines.front();
    };
    EXPECT_EQ(firstCurve(now), firstCurve(before)) << mode;
  }
}

TEST(RightAxisSetting, WrittenOnlyWhenChosenReadBackAndUnknownWordsLeftAlone) {
  const std::string factory = SettingsFileText(FactoryDefaults(), false, "/d/*.DAT");
  EXPECT_EQ(factory.find("RIGHT_AXIS"), std::string::npos);
  for (const auto& [mode, line] : {std::pair{kRightUnwrappedPhase, "RIGHT_AXIS = UNWRAPPED\r\n"},
                                   std::pair{kRightGroupDelay, "RIGHT_AXIS = DELAY\r\n"}}) {
    GraphProperties p = FactoryDefaults();
    p.rightAxis = mode;
    const std::string text = SettingsFileText(p, false, "/d/*.DAT");
    EXPECT_EQ(text, factory + line);
    GraphProperties back = FactoryDefaults();
    bool crossHair = false;
    std::string path;
    LoadSettingsFileText(Utf8ToCp932(text), back, crossHair, path);
    EXPECT_EQ(back, p);
  }
  struct Case {
    const char* text;
    int32_t before, after;
  } const cases[] = {
      {"RIGHT_AXIS = PHASE\r\n", kRightGroupDelay, kRightPhase},
      {"RIGHT_AXIS    =   DELAY ;comment\n", kRightPhase, kRightGroupDelay},
      {"RIGHT_AXIS = SPECTRUM\r\n", kRightUnwrappedPhase, kRightUnwrappedPhase},
      {"RIGHT_AXIS = delay\r\n", kRightPhase, kRightPhase},
      {"RIGHT_AXIS = \r\n", kRightGroupDelay, kRightGroupDelay},
  };
  for (const Case& c : cases) {
    GraphProperties p = FactoryDefaults();
    p.rightAxis = c.before;
    bool crossHair = false;
    std::string path;
    LoadSettingsFileText(c.text, p, crossHair, path);
    EXPECT_EQ(p.rightAxis, c.after) << c.text;
  }
}

TEST_F(RightAxisFixture, FigureMarksOnlyWhenAskedAndAtTheFigures) {
  const GraphPage& page = Open(test::SweepData(41), kRightPhase);
  const DrawingSheet without = *ts->drawing.CurrentSheet();
  EXPECT_FALSE(HasText("-3dB"));
  GraphPage& marked = *ts.session.pages.back();
  marked.showFigureMarks = true;
  ts.session.RebuildCurrent();
  const DrawingSheet& with = *ts->drawing.CurrentSheet();
  ASSERT_GT(with.elements.size(), without.elements.size());
  // The marks come after the page's own elements, which stay as they were.
  EXPECT_TRUE(std::equal(without.elements.begin(), without.elements.end(), with.elements.begin()));
  const TextElement* label = nullptr;
  for (const auto& e : with.elements) {
    if (const auto* t = std::get_if<TextElement>(&e); t && t->text.starts_with("-3dB @ ")) {
      label = t;
    }
  }
  ASSERT_NE(label, nullptr);
  // The first-order low pass of the stand-in sweep falls 3 dB at 1 kHz:
  // the first mark's tick stands there (its label may sit beside it).
  const auto* tick = std::get_if<PolylineElement>(&with.elements[without.elements.size()]);
  ASSERT_NE(tick, nullptr);
  const double f = page.layout.frequency.ToValue(tick->x.front());
  EXPECT_NEAR(std::log10(f), 3.0, 0.01);

  // Margins are marked for a loop only: a filter near 0 dB crosses it in
  // its noise.
  SweepFigures loop;
  loop.lowFrequencyGain = FrequencyGain{10.0, 0.5};
  loop.minus3dB.push_back({1e3, CrossingDirection::kFalling});
  loop.gainCrossovers.push_back({1e6, -135.0, 45.0});
  loop.phaseCrossovers.push_back({2.1e6, -12.1, 12.1});
  loop.phaseMarginCrossover = 0;
  ASSERT_EQ(FigureMarks(loop).size(), 1u);
  loop.lowFrequencyGain->gain = 60.0;
  const std::vector<FigureMark> marks = FigureMarks(loop);
  ASSERT_EQ(marks.size(), 3u);
  EXPECT_EQ(marks[0].label, "-3dB @ 1.00 kHz");
  EXPECT_EQ(marks[1].label, "PM 45.0\u00B0 @ 1.00 MHz");
  EXPECT_EQ(marks[2].label, "GM 12.1dB @ 2.10 MHz");
}

// A loop sweep that crosses 0 dB, its -3 dB level and -180° at every one of
// its 65,535 steps: only the first crossings of each kind are marked, and the
// panel lists those and says how many there are.
TEST_F(RightAxisFixture, CrossingsAtEveryStepMarkOnlyTheFirstOfEachKind) {
  constexpr int n = 65535;
  MeasurementData data = test::SweepData(n);
  for (int i = 0; i < n; ++i) {
    // Ascending frequency is the record's reverse order.
    DataPoint& p = (*data.points)[static_cast<size_t>(n - 1 - i)];
    p.frequency = testing::LogSweepHz(i, n, 10.0, 4.0);
    p.gainCh1Ch2 = (i % 2 == 0) ? 20.0f : -20.0f;
    p.phaseCh1Ch2 = (i % 2 == 0) ? -170.0f : 170.0f;
  }
  const GraphPage& page = Open(std::move(data), kRightPhase);
  const SweepFigures fig = PageFigures(page);
  ASSERT_EQ(fig.gainCrossovers.size(), size_t{n - 1});
  ASSERT_EQ(fig.phaseCrossovers.size(), size_t{n - 1});
  ASSERT_EQ(fig.minus3dB.size(), size_t{n - 1});
  ASSERT_TRUE(LooksLikeLoop(fig));

  const std::vector<FigureMark> marks = FigureMarks(fig);
  ASSERT_EQ(marks.size(), 3 * kCrossingsMarked);
  EXPECT_EQ(marks[0].frequency, fig.minus3dB[0].frequency);
  EXPECT_EQ(marks[kCrossingsMarked].frequency, fig.gainCrossovers[0].frequency);
  EXPECT_EQ(marks.back().frequency, fig.phaseCrossovers[kCrossingsMarked - 1].frequency);

  ts.session.pages.back()->showFigureMarks = true;
  ts.session.RebuildCurrent();
  size_t labels = 0;
  for (const auto& e : ts->drawing.CurrentSheet()->elements) {
    const auto* t = std::get_if<TextElement>(&e);
    if (t && (t->text.starts_with("-3dB @ ") || t->text.starts_with("PM ") ||
              t->text.starts_with("GM "))) {
      ++labels;
    }
  }
  EXPECT_GT(labels, 0u);
  EXPECT_LE(labels, 3 * kCrossingsMarked);

  const std::string panel = FiguresPanelText("P", fig);
  EXPECT_LT(std::count(panel.begin(), panel.end(), '\n'), 160);
  EXPECT_NE(panel.find("ｹﾞｲﾝ交差  交差 65,534 個、初めの 20 個に印\n"), std::string::npos);
  EXPECT_NE(panel.find("位相交差  交差 65,534 個、初めの 20 個に印\n"), std::string::npos);
  EXPECT_NE(panel.find("-3dB  交差 65,534 個、初めの 20 個に印\n"), std::string::npos);
}

}  // namespace
}  // namespace fernplot
