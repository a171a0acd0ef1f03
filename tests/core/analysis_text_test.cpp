// SPDX-License-Identifier: MIT
#include <gtest/gtest.h>

#include <string>

#include "analysis/figures_text.h"
#include "analysis/sweep_figures.h"
#include "datafile/reader.h"

namespace fernplot {
namespace {

TEST(FiguresText, ThreeSignificantDigits) {
  const struct {
    double value;
    const char* unit;
    const char* text;
  } cases[] = {
      {999.7, "Hz", "1.00 kHz"}, {1.0197e6, "Hz", "1.02 MHz"}, {2.1e6, "Hz", "2.10 MHz"},
      {15.94, "Hz", "15.9 Hz"},  {220e-6, "Hz", "220 uHz"},    {0.0, "Hz", "0.00 Hz"},
      {-0.0, "", "0.00"},        {45.24, "", "45.2"},          {-12.06, "", "-12.1"},
      {0.05234, "", "0.0523"},   {1234.0, "", "1230"},         {3e20, "Hz", "3.00e+20 Hz"},
      {1.5e-9, "", "1.50e-09"},  {9.996, "", "10.0"},          {-0.25e-3, "s", "-250 us"},
  };
  for (const auto& c : cases) EXPECT_EQ(ThreeDigits(c.value, c.unit), c.text) << c.value;
}

SweepFigures LoopFigures() {
  SweepFigures f;
  f.points = 3;
  f.lowFrequencyGain = FrequencyGain{10, 40};
  f.peak = FrequencyGain{10, 40};
  f.minus3dB = {{0.1, CrossingDirection::kFalling}};
  f.gainCrossovers = {{1.02e6, -134.8, 45.2}, {2e6, 170, -10}};
  f.phaseMargin = -10;
  f.phaseMarginCrossover = 1;
  return f;
}

TEST(FiguresText, GroupedCounts) {
  const std::pair<size_t, const char*> cases[] = {
      {0, "0"},          {999, "999"},        {1000, "1,000"},
      {65534, "65,534"}, {131071, "131,071"}, {1234567890, "1,234,567,890"},
  };
  for (const auto& [count, text] : cases) EXPECT_EQ(GroupedCount(count), text);
}

// Up to the bound every crossing is listed and no count line is added.
TEST(FiguresText, PanelListsEveryCrossingUpToTheBound) {
  SweepFigures fig;
  fig.points = 100;
  for (size_t i = 0; i < kCrossingsMarked; ++i) {
    fig.gainCrossovers.push_back({1e3 * double(i + 1), -120.0, 60.0});
  }
  std::string panel = FiguresPanelText("P", fig, nullptr, LoopJudgement::kLoop);
  EXPECT_EQ(panel.find("個に印"), std::string::npos);
  fig.gainCrossovers.push_back({9e6, -120.0, 60.0});
  panel = FiguresPanelText("P", fig, nullptr, LoopJudgement::kLoop);
  EXPECT_NE(panel.find("ｹﾞｲﾝ交差  交差 21 個、初めの 20 個に印"), std::string::npos);
  EXPECT_EQ(panel.find("9.00 MHz"), std::string::npos);
}

// One crossover's delay margin is the loop's: one line. With several, each
// crossover's is listed and the smallest named apart.
TEST(FiguresText, DelayMarginOnceForOneCrossover) {
  SweepFigures fig;
  fig.points = 100;
  fig.gainCrossovers = {{1e3, -120.0, 60.0}};
  fig.delayMargins = {{1e3, 1.67e-4}};
  fig.delayMargin = 1.67e-4;
  fig.delayMarginIndex = 0;
  const std::string one = FiguresPanelText("P", fig, nullptr, LoopJudgement::kLoop);
  EXPECT_EQ(one.find("交差の遅延余裕"), std::string::npos) << one;
  size_t count = 0;
  for (size_t at = one.find("167 us"); at != std::string::npos; at = one.find("167 us", at + 1)) {
    ++count;
  }
  EXPECT_EQ(count, 1u) << one;
  fig.gainCrossovers.push_back({5e3, -150.0, 30.0});
  fig.delayMargins.push_back({5e3, 1.67e-5});
  fig.delayMargin = 1.67e-5;
  fig.delayMarginIndex = 1;
  const std::string two = FiguresPanelText("P", fig, nullptr, LoopJudgement::kLoop);
  EXPECT_NE(two.find("交差の遅延余裕"), std::string::npos) << two;
  EXPECT_NE(two.find("167 us"), std::string::npos) << two;
}

TEST(FiguresText, SummaryLines) {
  SweepFigures loop = LoopFigures();
  EXPECT_EQ(SummaryLine("L", loop), "L  PM -10.0\u00B0 @ 2.00 MHz  GM none  DM none");
  loop.phaseCrossovers = {{2.1e6, -12.1, 12.1}};
  loop.gainMargin = 12.1;
  loop.gainMarginCrossover = 0;
  EXPECT_EQ(SummaryLine("L", loop), "L  PM -10.0\u00B0 @ 2.00 MHz  GM 12.1 dB @ 2.10 MHz  DM none");
  loop.modulusMargin = ModulusMargin{1.2e6, 0.5};
  loop.delayMargins = {{1.02e6, 123e-9}};
  loop.delayMargin = 123e-9;
  loop.delayMarginIndex = 0;
  loop.closedLoop.peak = FrequencyGain{1e6, 3.1};
  loop.closedLoop.minus3dB = {{1.5e6, CrossingDirection::kFalling}};
  EXPECT_EQ(SummaryLine("L", loop),
            "L  PM -10.0\u00B0 @ 2.00 MHz  GM 12.1 dB @ 2.10 MHz  MM 0.500 (-6.02 dB) @ 1.20 MHz"
            "  DM 123 ns @ 1.02 MHz  CL peak 3.10 dB @ 1.00 MHz  CL -3dB 1.50 MHz");
  // The user's say overrides the automatic rule both ways.
  EXPECT_EQ(SummaryLine("L", loop, LoopJudgement::kNotLoop), "L  -3dB 100 mHz");
  SweepFigures plain = LoopFigures();
  plain.lowFrequencyGain->gain = 0.5;
  plain.gainCrossovers.clear();
  plain.phaseMargin.reset();
  plain.phaseMarginCrossover.reset();
  EXPECT_EQ(SummaryLine("P", plain, LoopJudgement::kLoop), "P  PM none  GM none  DM none");

  SweepFigures filter = LoopFigures();
  filter.lowFrequencyGain->gain = 0.5;  // starts too low to be a loop
  filter.resonance = Resonance{1e4, 26.02, 9.7e3, 1.02e4, 20.04};
  EXPECT_EQ(SummaryLine("F", filter), "F  -3dB 100 mHz  peak 26.0 dB @ 10.0 kHz  Q 20.0");
  EXPECT_EQ(SummaryLine("E", SweepFigures{}), "E  no points");
  SweepFigures flat;
  flat.points = 1;
  flat.lowFrequencyGain = flat.peak = FrequencyGain{1, 0};
  EXPECT_EQ(SummaryLine("C", flat), "C  no figures");
}

TEST(FiguresText, PanelShowsLoopFiguresOnlyForALoop) {
  SweepFigures filter = LoopFigures();
  filter.lowFrequencyGain->gain = 0.5;
  const std::string hidden = FiguresPanelText("F", filter);
  EXPECT_NE(hidden.find("-3dB"), std::string::npos);
  for (const char* loopName : {"位相余裕", "ｹﾞｲﾝ交差", "ﾓｼﾞｭﾗｽ余裕", "閉ﾙｰﾌﾟﾋﾟｰｸ"}) {
    EXPECT_EQ(hidden.find(loopName), std::string::npos) << loopName;
  }
  filter.modulusMargin = ModulusMargin{2e6, 0.1};
  const std::string shown = FiguresPanelText("F", filter, nullptr, LoopJudgement::kLoop);
  EXPECT_NE(shown.find("ﾓｼﾞｭﾗｽ余裕  0.100 (-20.0 dB) @ 2.00 MHz\n"), std::string::npos);
  EXPECT_NE(shown.find("遅延余裕  なし\n"), std::string::npos);
  EXPECT_EQ(FiguresPanelText("L", LoopFigures(), nullptr, LoopJudgement::kNotLoop).find("ｹﾞｲﾝ交差"),
            std::string::npos);
}

TEST(FiguresText, JsonDocument) {
  EXPECT_EQ(FiguresJson("EMPTY", ChannelRatio::kCh2Ch1, SweepFigures{}),
            "{\n\"file\":\"EMPTY\"\n,\"ratio\":\"ch2/ch1\"\n,\"points\":0\n"
            ",\"lowFrequencyGain\":null\n,\"peak\":null\n,\"minus3dB\":[]\n,\"resonance\":null\n"
            ",\"marginReferenceDeg\":-180\n,\"gainCrossovers\":[]\n,\"phaseCrossovers\":[]\n"
            ",\"phaseMarginDeg\":null\n,\"gainMarginDb\":null\n,\"modulusMargin\":null\n"
            ",\"delayMargins\":[]\n,\"delayMarginS\":null\n"
            ",\"closedLoop\":{\"lowFrequencyGain\":null,\"peak\":null,\"minus3dB\":[]}\n}\n");
  SweepFigures f = LoopFigures();
  f.reference = MarginReference::kZero;
  f.resonance = Resonance{1e4, 26.5, 9.7e3, 1.02e4, 20.000000000000004};
  f.phaseCrossovers = {{3e6, -0.1, 0.1}};
  f.gainMargin = 0.1;
  f.modulusMargin = ModulusMargin{1.5e6, 0.25};
  f.delayMargins = {{1.02e6, 1e-7}, {4e6, 2.5e-8}};
  f.delayMargin = 2.5e-8;
  f.closedLoop.lowFrequencyGain = FrequencyGain{10, -0.5};
  f.closedLoop.peak = FrequencyGain{1e6, 2};
  f.closedLoop.minus3dB = {{2e6, CrossingDirection::kFalling}};
  EXPECT_EQ(FiguresJson("a\"b\x01", ChannelRatio::kCh1Ch2, f),
            "{\n\"file\":\"a\\\"b\\u0001\"\n,\"ratio\":\"ch1/ch2\"\n,\"points\":3\n"
            ",\"lowFrequencyGain\":{\"frequencyHz\":10,\"gainDb\":40}\n"
            ",\"peak\":{\"frequencyHz\":10,\"gainDb\":40}\n"
            ",\"minus3dB\":[{\"frequencyHz\":0.1,\"direction\":\"falling\"}]\n"
            ",\"resonance\":{\"frequencyHz\":10000,\"gainDb\":26.5,\"lowerHz\":9700,"
            "\"upperHz\":10200,\"q\":20.000000000000004,\"fittedF0Hz\":null,\"fittedQ\":null}\n"
            ",\"marginReferenceDeg\":0\n"
            ",\"gainCrossovers\":[{\"frequencyHz\":1020000,\"phaseDeg\":-134.8,"
            "\"phaseMarginDeg\":45.2},{\"frequencyHz\":2e+06,\"phaseDeg\":170,"
            "\"phaseMarginDeg\":-10}]\n"
            ",\"phaseCrossovers\":[{\"frequencyHz\":3e+06,\"gainDb\":-0.1,\"gainMarginDb\":0.1}]\n"
            ",\"phaseMarginDeg\":-10\n,\"gainMarginDb\":0.1\n"
            ",\"modulusMargin\":{\"frequencyHz\":1500000,\"value\":0.25}\n"
            ",\"delayMargins\":[{\"frequencyHz\":1020000,\"seconds\":1e-07},"
            "{\"frequencyHz\":4e+06,\"seconds\":2.5e-08}]\n"
            ",\"delayMarginS\":2.5e-08\n"
            ",\"closedLoop\":{\"lowFrequencyGain\":{\"frequencyHz\":10,\"gainDb\":-0.5},"
            "\"peak\":{\"frequencyHz\":1e+06,\"gainDb\":2},"
            "\"minus3dB\":[{\"frequencyHz\":2e+06,\"direction\":\"falling\"}]}\n}\n");
}

SweepFigures SampleFigures(const char* name) {
  const auto data = ReadDataFileForPage(std::string(FERNPLOT_SAMPLES_DIR) + "/" + name);
  if (!data) return {};
  const auto points = UsablePoints(RatioPoints(*data, ChannelRatio::kCh1Ch2));
  return ComputeFigures(points, MarginReference::kMinus180);
}

TEST(FiguresText, SampleFiles) {
  const SweepFigures loop = SampleFigures("OPAMP_LG.DAT");
  ASSERT_TRUE(loop.phaseMargin);
  EXPECT_NEAR(*loop.phaseMargin, 45.0, 1.0);  // its model's own margin is 44.7°
  EXPECT_EQ(SummaryLine("OPAMP_LG", loop).substr(0, 14), "OPAMP_LG  PM 4");

  for (const char* rc : {"RC_LPF.DAT", "rc_lpf_down.dat"}) {
    const SweepFigures lp = SampleFigures(rc);
    ASSERT_EQ(lp.minus3dB.size(), 1u) << rc;
    EXPECT_NEAR(lp.minus3dB[0].frequency, 1000.0, 30.0) << rc;
  }
  const SweepFigures rlc = SampleFigures("RLC_RES.DAT");
  ASSERT_TRUE(rlc.resonance);
  EXPECT_NEAR(rlc.resonance->frequency, 1e4, 200.0);
  // At 50 points a decade the 500 Hz bandwidth is about one step wide, and
  // the straight lines between points narrow it; 20 Hz steps get it right.
  EXPECT_NEAR(rlc.resonance->q, 20.0, 4.0);
  // The section fitted round the peak reads it as the fine sweep does.
  ASSERT_TRUE(rlc.resonance->fittedQ);
  EXPECT_NEAR(*rlc.resonance->fittedQ, 20.0, 0.1);
  EXPECT_NEAR(*rlc.resonance->fittedFrequency, 1e4, 10.0);
  EXPECT_TRUE(CoarseResonance(*rlc.resonance));
  const SweepFigures linear = SampleFigures("RLC_LIN.DAT");
  ASSERT_TRUE(linear.resonance);
  EXPECT_NEAR(linear.resonance->q, 20.0, 0.5);
  EXPECT_EQ(SampleFigures("TRUNCATED.DAT").points, 0u);
}

}  // namespace
}  // namespace fernplot
