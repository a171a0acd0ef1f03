// SPDX-License-Identifier: MIT
#include <gtest/gtest.h>

#include <cmath>
#include <string>
#include <vector>

#include "analysis/production/limit_mask.h"
#include "analysis/production/mask_judge.h"
#include "analysis/summary_table.h"

namespace fernplot {
namespace {

// A falling curve: flat to 1 kHz, then -20 dB a decade to 100 kHz.
std::vector<UsablePoint> Falling() {
  return {{100, 0, -5, -5}, {1e3, 0, -10, -10}, {1e4, -20, -60, -60}, {1e5, -40, -90, -90}};
}

LimitMask Mask(const std::string& text) {
  const MaskParse p = ParseMask(text, "m.txt");
  EXPECT_TRUE(p.mask) << p.error;
  return p.mask ? *p.mask : LimitMask{};
}

RuleVerdict Judge(const std::string& rule, const std::vector<UsablePoint>& points = Falling()) {
  const LimitMask mask = Mask(rule);
  return JudgeCurveRule(mask.rules.at(0), points);
}

TEST(MaskParse, FrequenciesTakeSiPrefixes) {
  const std::pair<const char*, double> cases[] = {
      {"10k", 1e4},          {"10K", 1e4},      {"2.2M", 2.2e6}, {"1.5MEG", 1.5e6},
      {"1.5meg", 1.5e6},     {"1.5Meg", 1.5e6}, {"5m", 5e-3},    {"1e3", 1e3},
      {"+20", 20},           {"10kHz", 1e4},    {"3GHZ", 3e9},   {"4.7u", 4.7e-6},
      {"4.7\u00B5", 4.7e-6}, {"1T", 1e12},      {"2n", 2e-9}};
  for (const auto& [text, value] : cases) {
    const std::optional<double> f = ParseMaskFrequency(text);
    ASSERT_TRUE(f) << text;
    EXPECT_DOUBLE_EQ(*f, value) << text;
  }
  for (const char* bad : {"", "k", "MEG", "10x", "1..2", "inf", "nan", "1e400", "10 k", "-"}) {
    EXPECT_FALSE(ParseMaskFrequency(bad)) << bad;
  }
}

TEST(MaskParse, RulesCommentsAndLines) {
  const MaskParse p = ParseMask(
      "\xEF\xBB\xBF# production limits\r\n"
      "\n"
      "GAIN MAX 10k 100k -3   # the stop band\r\n"
      "  phase  min 1k 2.2MEG  -170 -200\n"
      "FIGURE phaseMarginDeg >= 45\n"
      "figure minus3dBHz between 950 1050\n"
      "FIGURE resonanceQ <= 25",
      "m.txt");
  ASSERT_TRUE(p.mask) << p.error;
  const std::vector<MaskRule>& r = p.mask->rules;
  ASSERT_EQ(r.size(), 5u);
  EXPECT_EQ(r[0].line, 3);
  EXPECT_EQ(r[0].text, "GAIN MAX 10k 100k -3");
  EXPECT_EQ(r[0].kind, MaskRuleKind::kGain);
  EXPECT_EQ(r[0].bound, MaskBound::kMax);
  EXPECT_EQ(r[0].v2, -3.0);  // v2 = v1 when left out
  EXPECT_EQ(r[1].line, 4);
  EXPECT_EQ(r[1].kind, MaskRuleKind::kPhase);
  EXPECT_EQ(r[1].bound, MaskBound::kMin);
  EXPECT_EQ(r[1].f2, 2.2e6);
  EXPECT_EQ(r[1].v2, -200.0);
  EXPECT_EQ(r[2].bound, MaskBound::kAtLeast);
  EXPECT_EQ(MaskFigureNames()[r[2].figure], "phaseMarginDeg");
  EXPECT_EQ(r[3].bound, MaskBound::kBetween);
  EXPECT_EQ(MaskFigureNames()[r[3].figure], "minus3dBHz");
  EXPECT_EQ(r[4].line, 7);
  EXPECT_EQ(r[4].bound, MaskBound::kAtMost);
  EXPECT_EQ(MaskRuleUnit(r[0]), "dB");
  EXPECT_EQ(MaskRuleUnit(r[3]), "Hz");
  EXPECT_EQ(MaskRuleUnit(r[4]), "");
}

TEST(MaskParse, MalformedMasksNameTheirLine) {
  const std::pair<const char*, const char*> cases[] = {
      {"GAIN MAX 10k 100k -3\nLIMIT 1 2 3",
       "m.txt:2: unknown rule 'LIMIT' (GAIN, PHASE or FIGURE)"},
      {"GAIN 10k 100k -3", "m.txt:1: GAIN needs MIN or MAX"},
      {"PHASE MAX 10k 100k", "m.txt:1: PHASE takes MIN|MAX f1 f2 v1 [v2]"},
      {"GAIN MAX 10k 100k 1 2 3", "m.txt:1: GAIN takes MIN|MAX f1 f2 v1 [v2]"},
      {"GAIN MAX 10q 100k -3", "m.txt:1: '10q' is not a frequency"},
      {"GAIN MAX 100k 10k -3", "m.txt:1: f1 must be above 0 and below f2"},
      {"GAIN MAX 10k 10k -3", "m.txt:1: f1 must be above 0 and below f2"},
      {"GAIN MAX 0 10k -3", "m.txt:1: f1 must be above 0 and below f2"},
      {"GAIN MAX -1k 10k -3", "m.txt:1: f1 must be above 0 and below f2"},
      {"GAIN MAX 1k 10k 3k", "m.txt:1: '3k' is not a number"},
      {"GAIN MAX 1k 10k 3 nan", "m.txt:1: 'nan' is not a number"},
      {"\n\nFIGURE bandwidth >= 3", "m.txt:3: unknown figure 'bandwidth'"},
      {"FIGURE file >= 3", "m.txt:1: unknown figure 'file'"},
      {"FIGURE points >= 3", "m.txt:1: unknown figure 'points'"},
      {"FIGURE peakDb", "m.txt:1: FIGURE needs >=, <= or BETWEEN"},
      {"FIGURE peakDb > 3", "m.txt:1: FIGURE needs >=, <= or BETWEEN, not '>'"},
      {"FIGURE peakDb >= 3 4", "m.txt:1: FIGURE NAME >= takes one value"},
      {"FIGURE peakDb BETWEEN 3", "m.txt:1: BETWEEN takes LO HI"},
      {"FIGURE peakDb BETWEEN 4 3", "m.txt:1: BETWEEN needs LO at or below HI"},
      {"# only a comment\n\n", "m.txt: the mask has no rules"},
      {"", "m.txt: the mask has no rules"},
  };
  for (const auto& [text, error] : cases) {
    const MaskParse p = ParseMask(text, "m.txt");
    EXPECT_FALSE(p.mask) << text;
    EXPECT_EQ(p.error, error) << text;
  }
  const MaskParse missing = ReadMaskFile("/nonexistent/mask.txt");
  EXPECT_FALSE(missing.mask);
  EXPECT_EQ(missing.error.rfind("/nonexistent/mask.txt: ", 0), 0u) << missing.error;
}

TEST(MaskJudge, GainRulesOnPointsAndBetweenThem) {
  // Passing: the smallest margin is at the first point of a tie.
  RuleVerdict v = Judge("GAIN MAX 100 100k 1");
  EXPECT_TRUE(v.pass);
  EXPECT_EQ(v.outcome, RuleOutcome::kJudged);
  EXPECT_DOUBLE_EQ(*v.margin, 1.0);
  EXPECT_DOUBLE_EQ(*v.atHz, 100.0);
  EXPECT_TRUE(v.failing.empty());

  // Failing at a point, and on the stretch leading to it.
  v = Judge("GAIN MIN 100 10k -10");
  EXPECT_FALSE(v.pass);
  EXPECT_DOUBLE_EQ(*v.margin, -10.0);
  EXPECT_DOUBLE_EQ(*v.atHz, 1e4);
  EXPECT_DOUBLE_EQ(*v.value, -20.0);
  EXPECT_DOUBLE_EQ(*v.limit, -10.0);
  ASSERT_EQ(v.failing.size(), 1u);
  EXPECT_NEAR(v.failing[0].from, std::sqrt(1e7), 1e-6);
  EXPECT_DOUBLE_EQ(v.failing[0].to, 1e4);

  // Failing only between two points: no point lies in [2k, 5k]; the curve
  // there is -6.02 dB at 2 kHz, above the limit.
  v = Judge("GAIN MAX 2k 5k -7");
  EXPECT_FALSE(v.pass);
  EXPECT_NEAR(*v.margin, -7.0 + 20.0 * std::log10(2.0), 1e-12);
  EXPECT_DOUBLE_EQ(*v.atHz, 2e3);
  ASSERT_EQ(v.failing.size(), 1u);
  EXPECT_NEAR(v.failing[0].to, std::pow(10.0, 3.35), 1e-6);  // where the curve reaches -7 dB
  // The same rule ending just before the crossing passes only on the limit line.
  EXPECT_TRUE(Judge("GAIN MAX 2.3k 5k -7").pass);

  // A sloped limit that the curve touches: margin 0 passes.
  v = Judge("GAIN MAX 1k 100k 0 -40");
  EXPECT_TRUE(v.pass);
  EXPECT_NEAR(*v.margin, 0.0, 1e-12);
  EXPECT_NEAR(MaskLimitAt(Mask("GAIN MAX 1k 100k 0 -40").rules[0], 1e4), -20.0, 1e-12);
}

TEST(MaskJudge, PartlyAndNotCovered) {
  // Partly covered: only [10k, 100k] is judged.
  RuleVerdict v = Judge("GAIN MAX 10k 1MEG -30");
  EXPECT_FALSE(v.pass);
  EXPECT_DOUBLE_EQ(*v.margin, -10.0);
  EXPECT_DOUBLE_EQ(*v.atHz, 1e4);
  v = Judge("GAIN MAX 50k 1MEG -30");
  EXPECT_TRUE(v.pass);
  EXPECT_NEAR(*v.margin, 20.0 * std::log10(5.0) - 10.0, 1e-12);
  EXPECT_DOUBLE_EQ(*v.atHz, 5e4);
  v = Judge("GAIN MIN 1 200 -1");  // covers 100..200 Hz
  EXPECT_TRUE(v.pass);
  EXPECT_DOUBLE_EQ(*v.margin, 1.0);

  // Not covered, above or below the sweep, or no points at all.
  for (const char* rule :
       {"GAIN MAX 1MEG 10MEG 0", "PHASE MIN 1 10 -360", "GAIN MAX 100.5k 1MEG 0"}) {
    v = Judge(rule);
    EXPECT_FALSE(v.pass) << rule;
    EXPECT_EQ(v.outcome, RuleOutcome::kNotMeasured) << rule;
    EXPECT_FALSE(v.margin) << rule;
  }
  EXPECT_EQ(Judge("GAIN MAX 1 10 0", {}).outcome, RuleOutcome::kNotMeasured);
  // Touching the sweep at its last point only: judged at that point.
  v = Judge("GAIN MAX 100k 1MEG -45");
  EXPECT_FALSE(v.pass);
  EXPECT_DOUBLE_EQ(*v.margin, -5.0);
  ASSERT_EQ(v.failing.size(), 1u);
  EXPECT_DOUBLE_EQ(v.failing[0].from, 1e5);
}

TEST(MaskJudge, PhaseRulesJudgeTheUnwrappedPhase) {
  // Wrapped, the phase would read +150° at 10 kHz.
  const std::vector<UsablePoint> p = {{1e3, 0, -170, -170}, {1e4, -20, 150, -210}};
  RuleVerdict v = Judge("PHASE MIN 1k 10k -200", p);
  EXPECT_FALSE(v.pass);
  EXPECT_DOUBLE_EQ(*v.margin, -10.0);
  EXPECT_DOUBLE_EQ(*v.value, -210.0);
  v = Judge("PHASE MAX 1k 10k -160", p);
  EXPECT_TRUE(v.pass);
  EXPECT_DOUBLE_EQ(*v.margin, 10.0);
  // Between the points the phase runs straight in log f: -190° at 3.16 kHz.
  v = Judge("PHASE MAX 3162.2776601683795 5k -190", p);
  EXPECT_NEAR(*v.margin, 0.0, 1e-9);
}

TEST(MaskJudge, FigureRulesVerdictAndText) {
  const LimitMask mask = Mask(
      "FIGURE minus3dBHz BETWEEN 950 1050\n"
      "FIGURE peakDb <= -1\n"
      "FIGURE phaseMarginDeg >= 45\n"
      "GAIN MIN 1k 10k -3\n"
      "FIGURE lowFrequencyGainDb >= -0.5\n");
  std::vector<std::optional<double>> figures(MaskFigureNames().size());
  figures[0] = 0.0;   // lowFrequencyGainDb
  figures[1] = 0.5;   // peakDb
  figures[3] = 1030;  // minus3dBHz
  const MaskVerdict v = JudgeMask(mask, Falling(), figures);
  ASSERT_EQ(v.rules.size(), 5u);
  EXPECT_FALSE(v.pass);
  EXPECT_TRUE(v.rules[0].pass);
  EXPECT_DOUBLE_EQ(*v.rules[0].margin, 20.0);  // nearer to HI
  EXPECT_DOUBLE_EQ(*v.rules[0].limit, 1050.0);
  EXPECT_FALSE(v.rules[1].pass);
  EXPECT_DOUBLE_EQ(*v.rules[1].margin, -1.5);
  EXPECT_EQ(v.rules[2].outcome, RuleOutcome::kFigureMissing);
  EXPECT_FALSE(v.rules[2].margin);
  EXPECT_FALSE(v.rules[3].pass);
  EXPECT_DOUBLE_EQ(*v.rules[3].margin, -17.0);
  EXPECT_DOUBLE_EQ(*v.rules[4].margin, 0.5);
  EXPECT_DOUBLE_EQ(*v.worstMargin, -17.0);
  EXPECT_EQ(FailedRulesCell(mask, v), "2;3;4");
  EXPECT_EQ(VerdictText(mask, v),
            "FAIL (rule 2: FIGURE peakDb <= -1 exceeded by 1.50 dB; "
            "rule 3: FIGURE phaseMarginDeg >= 45 figure missing; "
            "rule 4: GAIN MIN 1k 10k -3 under by 17.0 dB at 10.0 kHz)");

  figures[1] = -2.0;
  figures[6] = 50.0;
  const LimitMask passing = Mask("FIGURE peakDb <= -1\nFIGURE phaseMarginDeg >= 45\n");
  const MaskVerdict ok = JudgeMask(passing, Falling(), figures);
  EXPECT_TRUE(ok.pass);
  EXPECT_EQ(VerdictText(passing, ok), "PASS");
  EXPECT_EQ(FailedRulesCell(passing, ok), "");
  EXPECT_DOUBLE_EQ(*ok.worstMargin, 1.0);
}

TEST(MaskJudge, FiguresAreReadAsALoopAlways) {
  // 5 dB at the lowest frequency does not look like a loop; its margins are
  // judged all the same.
  const std::vector<UsablePoint> p = {
      {10, 5, -90, -90}, {100, -15, -120, -120}, {1e3, -35, -170, -170}};
  const SweepFigures figures = ComputeFigures(p, MarginReference::kMinus180);
  const std::vector<std::optional<double>> values = MaskFigureValues(figures);
  const SummaryRow shown = MakeSummaryRow("f", "", figures, LoopJudgement::kAutomatic);
  EXPECT_FALSE(shown.figures[6]);
  ASSERT_TRUE(values[6]);
  EXPECT_GT(*values[6], 0.0);
  EXPECT_EQ(MaskFigureNames()[6], "phaseMarginDeg");
  ASSERT_TRUE(values[3]);  // minus3dBHz, the first falling -3 dB point
  EXPECT_GT(*values[3], 10.0);
  EXPECT_LT(*values[3], 100.0);
}

}  // namespace
}  // namespace fernplot
