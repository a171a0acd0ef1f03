// SPDX-License-Identifier: MIT
#include <gtest/gtest.h>

#include <cmath>
#include <limits>

#include "graph/axis_map.h"
#include "graph/axis_math.h"
#include "graph/page_layout.h"
#include "graph_stand_in.h"

namespace fernplot {
namespace {

constexpr FrameRect kFrame{18.0, 20.0, 218.0, 140.0};
constexpr double kMargin1 = 3.0, kMargin2 = 4.5;

AxisMap Frequency(double origin, double scale, bool log) {
  return FrequencyAxisMap(kFrame, kMargin1, origin, scale, log);
}
AxisMap Vertical(double origin, double scale) {
  return VerticalAxisMap(kFrame, kMargin2, origin, scale);
}

TEST(AxisMap, ValuesLandWhereTheAxisPutsThemAndReadBack) {
  // Log frequency: the origin sits one margin right of the frame's left
  // edge, and each decade is `scale` mm further right.
  const AxisMap logF = Frequency(1.0, 40.0, true);
  EXPECT_TRUE(logF.log);
  EXPECT_EQ(logF.ToMm(10.0), 21.0);
  EXPECT_EQ(logF.ToMm(1000.0), 101.0);
  // Linear frequency: mm per Hz from the origin value.
  const AxisMap linF = Frequency(500.0, 0.02, false);
  EXPECT_FALSE(linF.log);
  EXPECT_EQ(linF.ToMm(500.0), 21.0);
  EXPECT_EQ(linF.ToMm(1500.0), 41.0);
  // Gain and phase: from the bottom edge less the second margin, upward.
  const AxisMap gain = Vertical(-40.0, 2.0);
  EXPECT_EQ(gain.ToMm(-40.0), 135.5);
  EXPECT_EQ(gain.ToMm(0.0), 55.5);
  EXPECT_LT(gain.ToMm(1.0), gain.ToMm(0.0));
  const AxisMap phase = Vertical(-180.0, 0.25);
  EXPECT_EQ(phase.ToMm(180.0), 45.5);

  const struct {
    const AxisMap& map;
    double values[4];
  } rows[] = {{logF, {10.0, 31.6227766, 1234.5, 99999.0}},
              {linF, {0.0, 500.0, 1234.5, 22000.0}},
              {gain, {-40.0, -3.0103, 0.0, 12.75}},
              {phase, {-180.0, -45.0, 0.125, 179.0}}};
  for (const auto& row : rows) {
    for (double v : row.values) {
      EXPECT_NEAR(row.map.ToValue(row.map.ToMm(v)), v, 1e-9 * std::max(1.0, std::fabs(v))) << v;
    }
  }
}

TEST(AxisMap, LogAxisHasNoPlaceForZeroOrNegativeFrequencies) {
  const AxisMap m = Frequency(1.0, 40.0, true);
  EXPECT_EQ(m.ToMm(0.0), -std::numeric_limits<double>::infinity());
  EXPECT_TRUE(std::isnan(m.ToMm(-5.0)));
  // A linear axis places them like any value.
  EXPECT_EQ(Frequency(0.0, 0.5, false).ToMm(-10.0), 16.0);
}

// The maps read back from a built page agree with what the page drew.
TEST(AxisMap, BuiltPageMapsTheDataLimitsOntoTheFrame) {
  test::TestState ts;
  ts.defaults.itemFlags.fill(0);
  const GraphPage& page = *ts.session.OpenPage(ts.defaults, test::SweepData(41), "P");
  const GraphProperties& p = page.properties;
  const FrameRect& frame = page.layout.frame;
  const AxisMap& f = page.layout.frequency;
  ASSERT_TRUE(f.log);  // 10 Hz to 100 kHz
  EXPECT_EQ(f.ToMm(10.0), frame.left + p.HB.margin1);
  EXPECT_NEAR(f.ToMm(100000.0), frame.right - p.HB.margin2, 1e-9);
  EXPECT_NEAR(f.ToValue(frame.left + p.HB.margin1), 10.0, 1e-12);
  const AxisMap& g = page.layout.gain;
  EXPECT_EQ(g.ToMm(g.origin), frame.bottom - p.VL.margin2);
  EXPECT_FALSE(g.log);
}

TEST(IntervalTooLarge, AtMostHalfTheRange) {
  EXPECT_FALSE(IntervalTooLarge(10.0, 0.0, 5.0));
  EXPECT_TRUE(IntervalTooLarge(10.0, 0.0, 5.0001));
  EXPECT_FALSE(IntervalTooLarge(10.0, 0.0, 0.1));
  EXPECT_TRUE(IntervalTooLarge(0.0, 10.0, 0.1));  // limits in the wrong order
}

}  // namespace
}  // namespace fernplot
