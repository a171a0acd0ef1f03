// SPDX-License-Identifier: MIT
#include <gtest/gtest.h>

#include <cmath>
#include <string>
#include <vector>

#include "graph/axis_math.h"
#include "graph/format.h"

namespace fernplot {
namespace {

TEST(NiceStep, Table) {
  const struct {
    double s, step;
  } rows[] = {{0.37, 0.5}, {3, 5}, {7, 10}, {12, 20}, {1, 1}, {0.02, 0.02}, {1.8e-8, 2e-8}};
  for (const auto& r : rows) EXPECT_NEAR(NiceStep(r.s), r.step, r.step * 1e-12) << r.s;
}

TEST(PhaseStep, Table) {
  const double h10 = 10 * 0.35277777777777775;  // a 10-point label
  const struct {
    double max, min, span;
    bool tight;
    double step;
  } rows[] = {
      {180, -180, 80, false, 30},  // n = 11, r = 32.7
      {180, -180, 80, true, 20},   // n = 15, r = 24
      {180, -180, 5, false, 180},  // n = 0: r is infinite
      {5, 0, 80, false, 0.5},      // r = 0.45 < 1: NiceStep
      {100, 0, 80, false, 5},      // r = 9.09
  };
  for (const auto& r : rows) {
    EXPECT_DOUBLE_EQ(PhaseStep(r.max, r.min, r.span, r.tight, h10), r.step)
        << r.max << " " << r.min << " " << r.span;
  }
}

TEST(RoundToStep, Table) {
  const struct {
    double v, step, expected;
  } rows[] = {
      {63, 10, 70},          {-37, -10, -40},  {60, 10, 60},        {-40, -10, -40},
      {60.00000005, 10, 60}, {0.26, 0.5, 0.5}, {-0.26, -0.5, -0.5},
  };
  for (const auto& r : rows) {
    EXPECT_NEAR(RoundToStep(r.v, r.step), r.expected, 1e-9) << r.v << " " << r.step;
  }
}

TEST(LeadingDigitIn, Table) {
  const struct {
    double v;
    const char* digits;
    bool in;
  } rows[] = {
      {3000, "125", false}, {3000, "12357", true}, {1, "1", true},
      {10, "1", true},      {0.0001, "1", true},   {70, "12357", true},
      {80, "12357", false}, {200, "125", true},    {999, "9", true},
  };
  for (const auto& r : rows) EXPECT_EQ(LeadingDigitIn(r.v, r.digits), r.in) << r.v;
}

TEST(AxisRange, FrequencyDefaultsAndSpread) {
  AxisSettings a;
  a.useDataMin = a.useDataMax = 1;
  AxisLimits l = AxisRange(a, 0.0, 0.0, true);
  EXPECT_DOUBLE_EQ(l.hi, 22000000.0);
  EXPECT_DOUBLE_EQ(l.lo, 0.0001);
  l = AxisRange(a, 5.0, 5.0, false);
  EXPECT_DOUBLE_EQ(l.hi, 5.0000001);
  EXPECT_DOUBLE_EQ(l.lo, 4.9999999);
  a.useDataMax = 0;
  a.rangeMax = 3;
  l = AxisRange(a, 4.0, 9.0, false);
  EXPECT_DOUBLE_EQ(l.hi, 3.0);
  EXPECT_DOUBLE_EQ(l.lo, 4.0);
}

TEST(UseLogScale, AutoNeedsMoreThanADecade) {
  EXPECT_TRUE(UseLogScale(ScaleType::kAuto, 100000, 10));
  EXPECT_FALSE(UseLogScale(ScaleType::kAuto, 200, 20));
  EXPECT_TRUE(UseLogScale(ScaleType::kLog, 200, 20));
  EXPECT_FALSE(UseLogScale(ScaleType::kLin, 100000, 10));
}

std::vector<double> LabelledTicks(const LogTickPlan& plan) {
  std::vector<double> out;
  for (double x : LogTickValues(plan)) {
    if (LeadingDigitIn(x, plan.labelDigits)) out.push_back(x);
  }
  return out;
}

// Label widths that do not depend on the text: room per label in mm.
LogTickPlan Plan(double hi, double lo, double span, double labelWidth) {
  LogTickPlan plan;
  plan.hi = hi;
  plan.lo = lo;
  plan.span = span;
  PlanLogTicks(plan, [labelWidth](double) { return labelWidth; });
  return plan;
}

TEST(PlanLogTicks, LowerLimitCutToLeadingDigit) {
  LogTickPlan plan = Plan(100000, 3700, 200, 1.0);
  EXPECT_DOUBLE_EQ(plan.lo, 3000);
  EXPECT_NEAR(plan.logLo, std::log10(3000.0), 1e-12);
  EXPECT_NEAR(plan.mmPerDecade, 200 / (5 - std::log10(3000.0)), 1e-9);
  EXPECT_DOUBLE_EQ(LogTickValues(plan).front(), 3000);
  EXPECT_NEAR(Plan(1, 0.0001, 100, 1).lo, 0.0001, 1e-18);
}

TEST(PlanLogTicks, WalkEndsAtHalfTheLowerLimitAboveTheMaximum) {
  LogTickPlan plan = Plan(100000, 10, 800, 1.0);
  const std::vector<double> ticks = LogTickValues(plan);
  ASSERT_EQ(ticks.size(), 37u);  // 4 decades of 9 ticks, then 100000
  EXPECT_DOUBLE_EQ(ticks.front(), 10);
  EXPECT_NEAR(ticks.back(), 100000, 1e-6);
  EXPECT_EQ(plan.labelSet, 0);
  EXPECT_EQ(plan.labelDigits, "123456789");
  EXPECT_EQ(plan.gridDigits, "123456789");
}

TEST(PlanLogTicks, CollidingLabelSetsFallBack) {
  // One decade over `span` mm; a tick of digit d sits at log10(d) * span.
  // Labels of 3 mm plus the 2.5 mm gap need 5.5 mm from tick to tick.
  const struct {
    double span;
    int set;
    const char* labels;
    const char* grid;
  } rows[] = {
      {200, 0, "123456789", "123456789"},  // 9 -> 10 is 9.2 mm
      {80, 1, "12357", "123456789"},       // 8 -> 9 collides; 5 -> 7 is 11.7 mm
      {30, 2, "125", "12357"},             // 5 -> 7 collides; 1 -> 2 is 9.0 mm
      {10, 3, "1", "125"},                 // 1 -> 2 is 3.0 mm
  };
  for (const auto& r : rows) {
    LogTickPlan plan = Plan(1000, 1, r.span * 3, 3.0);
    EXPECT_EQ(plan.labelSet, r.set) << r.span;
    EXPECT_EQ(plan.labelDigits, r.labels) << r.span;
    EXPECT_EQ(plan.gridDigits, r.grid) << r.span;
  }
}

TEST(PlanLogTicks, CollisionBeyondTheMaximumDoesNotCount) {
  // 100 mm per decade up to 8.8: 8 -> 9 is 5.1 mm and collides, but 9 lies
  // past hi (before the walk end 9.3).
  LogTickPlan plan = Plan(8.8, 1, 100 * std::log10(8.8), 3.0);
  EXPECT_EQ(plan.labelSet, 0);
}

TEST(PlanLogTicks, LabelledTicksPerSet) {
  LogTickPlan plan;
  plan.lo = 1;
  plan.hi = 100;
  plan.labelDigits = kDigitSets[1];
  std::vector<double> labelled = LabelledTicks(plan);
  const std::vector<double> expected = {1, 2, 3, 5, 7, 10, 20, 30, 50, 70, 100};
  ASSERT_EQ(labelled.size(), expected.size());
  for (size_t i = 0; i < expected.size(); ++i) EXPECT_NEAR(labelled[i], expected[i], 1e-9);
}

TEST(LinearScale, GainExamples) {
  AxisSettings a;
  a.interval = 10;
  double step = ManualStep(a, 63, -37);
  EXPECT_DOUBLE_EQ(step, 10);
  LinearScale s = ScaleLinear(63, -37, 110, step);
  EXPECT_DOUBLE_EQ(s.hi, 70);
  EXPECT_DOUBLE_EQ(s.lo, -40);
  EXPECT_DOUBLE_EQ(s.scale, 1.0);
  const std::vector<double> ticks = LinearTickValues(s);
  ASSERT_EQ(ticks.size(), 12u);
  EXPECT_DOUBLE_EQ(ticks.front(), -40);
  EXPECT_DOUBLE_EQ(ticks.back(), 70);
  EXPECT_EQ(StepDecimals(step), 0);

  a.interval = 1;
  EXPECT_DOUBLE_EQ(ManualStep(a, 100, 0), 2);  // 100 intervals > 50
  a.autoDivision = 1;
  EXPECT_DOUBLE_EQ(ManualStep(a, 100, 0), 0);
  a.autoDivision = 0;
  a.interval = -5;
  EXPECT_DOUBLE_EQ(ManualStep(a, 100, 0), 0);

  EXPECT_EQ(StepDecimals(0.5), 1);
  EXPECT_EQ(StepDecimals(0.02), 2);
  EXPECT_EQ(FormatFixed(0.5, StepDecimals(0.5)), "0.5");
  EXPECT_EQ(FormatFixed(1.0, StepDecimals(0.5)), "1.0");
}

TEST(LinearScale, EqualGainsGiveElevenEightDecimalLabels) {
  const double h = 10 * 0.35277777777777775;
  AxisSettings a;
  a.useDataMin = a.useDataMax = 1;
  const AxisLimits l = AxisRange(a, 5.0, 5.0, false);
  const double step = StepForSlots(l.hi, l.lo, 80 / (h * 2.0));
  EXPECT_NEAR(step, 2e-8, 1e-20);
  const LinearScale s = ScaleLinear(l.hi, l.lo, 80, step);
  const std::vector<double> ticks = LinearTickValues(s);
  ASSERT_EQ(ticks.size(), 11u);
  const int d = StepDecimals(step);
  EXPECT_EQ(d, 8);
  EXPECT_EQ(FormatFixed(ticks.front(), d), "4.99999990");
  EXPECT_EQ(FormatFixed(ticks.back(), d), "5.00000010");
}

TEST(LinearScale, InvertedLimitsDrawNoTick) {
  const LinearScale s = ScaleLinear(3, 4, 100, StepForSlots(3, 4, 10));
  EXPECT_LT(s.scale, 0);
  EXPECT_TRUE(LinearTickValues(s).empty());
}

TEST(LinearScale, StepBelowValueResolutionStillEnds) {
  // 1e10 +- 1e-7 cannot be represented: the limits stay equal.
  const LinearScale s = ScaleLinear(1e10, 1e10, 100, StepForSlots(1e10, 1e10, 10));
  EXPECT_TRUE(std::isfinite(s.scale));
  EXPECT_LE(LinearTickValues(s).size(), 4096u);
}

}  // namespace
}  // namespace fernplot
