// SPDX-License-Identifier: MIT
#include <gtest/gtest.h>

#include <cmath>
#include <limits>

#include "graph/axis_map.h"
#include "graph/axis_math.h"
#include "graph_stand_in.h"

namespace fernplot {
namespace {

AxisSettings Laid(double origin, double scale, bool log) {
  AxisSettings a;
  a.frameLeft = 18.0;
  a.frameTop = 20.0;
  a.frameRight = 218.0;
  a.frameBottom = 140.0;
  a.margin1 = 3.0f;
  a.margin2 = 4.5f;
  a.origin = origin;
  a.scale = scale;
  a.axisFlags = log ? 1 : 0;
  return a;
}

TEST(AxisMap, ValuesLandWhereTheAxisPutsThemAndReadBack) {
  // Log frequency: the origin sits one margin right of the frame's left
  // edge, and each decade is `scale` mm further right.
  const AxisMap logF = FrequencyAxisMap(Laid(1.0, 40.0, true));
  EXPECT_TRUE(logF.log);
  EXPECT_EQ(logF.ToMm(10.0), 21.0);
  EXPECT_EQ(logF.ToMm(1000.0), 101.0);
  // Linear frequency: mm per Hz from the origin value.
  const AxisMap linF = FrequencyAxisMap(Laid(500.0, 0.02, false));
  EXPECT_FALSE(linF.log);
  EXPECT_EQ(linF.ToMm(500.0), 21.0);
  EXPECT_EQ(linF.ToMm(1500.0), 41.0);
  // Gain and phase: from the bottom edge less the second margin, upward.
  const AxisMap gain = VerticalAxisMap(Laid(-40.0, 2.0, false));
  EXPECT_EQ(gain.ToMm(-40.0), 135.5);
  EXPECT_EQ(gain.ToMm(0.0), 55.5);
  EXPECT_LT(gain.ToMm(1.0), gain.ToMm(0.0));
  const AxisMap phase = VerticalAxisMap(Laid(-180.0, 0.25, false));
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
  const AxisMap m = FrequencyAxisMap(Laid(1.0, 40.0, true));
  EXPECT_EQ(m.ToMm(0.0), -std::numeric_limits<double>::infinity());
  EXPECT_TRUE(std::isnan(m.ToMm(-5.0)));
  // A linear axis places them like any value.
  EXPECT_EQ(FrequencyAxisMap(Laid(0.0, 0.5, false)).ToMm(-10.0), 16.0);
}

// The maps read back from a built page agree with what the page drew.
TEST(AxisMap, BuiltPageMapsTheDataLimitsOntoTheFrame) {
  test::TestState ts;
  ts.defaults.itemFlags.fill(0);
  const GraphPage& page = *ts.session.OpenPage(ts.defaults, test::SweepData(41), "P");
  const GraphProperties& p = page.properties;
  const AxisMap f = FrequencyAxisMap(p.HB);
  ASSERT_TRUE(f.log);  // 10 Hz to 100 kHz
  EXPECT_EQ(f.ToMm(10.0), p.HB.frameLeft + p.HB.margin1);
  EXPECT_NEAR(f.ToMm(100000.0), p.HB.frameRight - p.HB.margin2, 1e-9);
  EXPECT_NEAR(f.ToValue(p.HB.frameLeft + p.HB.margin1), 10.0, 1e-12);
  const AxisMap g = VerticalAxisMap(p.VL);
  EXPECT_EQ(g.ToMm(g.origin), p.VL.frameBottom - p.VL.margin2);
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
