// SPDX-License-Identifier: MIT
#include <gtest/gtest.h>

#include <cmath>
#include <limits>
#include <vector>

#include "analysis/difference.h"

namespace fernplot {
namespace {

std::vector<UsablePoint> Reference(std::vector<SweepPoint> ascending) {
  // UsablePoints takes the record's order, the reverse of ascending.
  std::vector<SweepPoint> record(ascending.rbegin(), ascending.rend());
  return UsablePoints(record);
}

TEST(Difference, InterpolatesTheReferenceInLogFrequency) {
  // Reference at 10 and 1000 Hz only; 100 Hz is halfway in log10 f.
  const auto ref = Reference({{10.0, 0.0, -10.0}, {1000.0, -20.0, -90.0}});
  const std::vector<SweepPoint> trace = {{100.0, -7.0, -40.0}, {1000.0, -19.0, -95.0}};
  const auto d = DifferencePoints(trace, ref);
  ASSERT_EQ(d.size(), 2u);
  EXPECT_DOUBLE_EQ(d[0].frequency, 100.0);
  EXPECT_NEAR(d[0].gain, 3.0, 1e-12);
  EXPECT_NEAR(d[0].phase, 10.0, 1e-12);
  EXPECT_NEAR(d[1].gain, 1.0, 1e-12);
  EXPECT_NEAR(d[1].phase, -5.0, 1e-12);
}

TEST(Difference, PhaseIsWrappedAndFollowsTheUnwrappedReference) {
  // The reference crosses -180: 170 after -170 unwraps to -190.
  const auto ref = Reference({{10.0, 0.0, -170.0}, {100.0, 0.0, 170.0}});
  const std::vector<SweepPoint> trace = {{100.0, 0.0, -175.0}, {10.0, 0.0, 175.0}};
  const auto d = DifferencePoints(trace, ref);
  ASSERT_EQ(d.size(), 2u);
  EXPECT_NEAR(d[0].phase, 15.0, 1e-12);   // -175 - (-190)
  EXPECT_NEAR(d[1].phase, -15.0, 1e-12);  // 175 - (-170) = 345 -> -15
  for (const SweepPoint& p : d) {
    EXPECT_GT(p.phase, -180.0);
    EXPECT_LE(p.phase, 180.0);
  }
  // Exactly opposite is +180, never -180.
  const auto half = DifferencePoints(std::vector<SweepPoint>{{10.0, 0.0, 10.0}}, ref);
  ASSERT_EQ(half.size(), 1u);
  EXPECT_DOUBLE_EQ(half[0].phase, 180.0);
}

TEST(Difference, PointsOutsideTheReferenceHaveNoDifference) {
  const auto ref = Reference({{100.0, 0.0, 0.0}, {1000.0, 0.0, 0.0}});
  const std::vector<SweepPoint> trace = {{10000.0, 1.0, 0.0},
                                         {1000.0, 2.0, 0.0},
                                         {300.0, 3.0, 0.0},
                                         {100.0, 4.0, 0.0},
                                         {10.0, 5.0, 0.0}};
  const auto d = DifferencePoints(trace, ref);
  ASSERT_EQ(d.size(), 3u);  // the trace's order is kept
  EXPECT_DOUBLE_EQ(d[0].frequency, 1000.0);
  EXPECT_DOUBLE_EQ(d[2].frequency, 100.0);

  // A single reference point covers only its own frequency.
  const auto one = Reference({{300.0, 1.0, 20.0}});
  const auto d1 = DifferencePoints(trace, one);
  ASSERT_EQ(d1.size(), 1u);
  EXPECT_DOUBLE_EQ(d1[0].gain, 2.0);
  EXPECT_DOUBLE_EQ(d1[0].phase, -20.0);

  EXPECT_TRUE(DifferencePoints(trace, {}).empty());
}

TEST(Difference, NonFinitePointsBreakButDoNotShift) {
  const double nan = std::numeric_limits<double>::quiet_NaN();
  const double inf = std::numeric_limits<double>::infinity();
  // A non-finite reference point is not usable; the curve spans it.
  const auto ref = Reference({{10.0, 0.0, 0.0}, {100.0, nan, 0.0}, {1000.0, -20.0, 0.0}});
  const std::vector<SweepPoint> trace = {
      {1000.0, -inf, 0.0}, {100.0, -10.0, nan}, {nan, 0.0, 0.0}, {10.0, 0.0, 0.0}};
  const auto d = DifferencePoints(trace, ref);
  ASSERT_EQ(d.size(), 3u);
  EXPECT_TRUE(std::isinf(d[0].gain));
  EXPECT_NEAR(d[1].gain, 0.0, 1e-12);
  EXPECT_TRUE(std::isnan(d[1].phase));
  EXPECT_DOUBLE_EQ(d[2].frequency, 10.0);
}

// Whether there is anything to subtract agrees with the difference itself:
// a reference apart from the trace, or without one usable point, gives none.
TEST(Difference, OverlapSaysWhetherThereIsAnythingToSubtract) {
  const double nan = std::numeric_limits<double>::quiet_NaN();
  const std::vector<SweepPoint> audio = {{10.0, 0.0, 0.0}, {1e3, -3.0, -45.0}, {1e5, -40.0, -90.0}};
  struct Case {
    const char* what;
    std::vector<SweepPoint> trace, reference;
    bool overlap;
  };
  const Case cases[] = {
      {"same range", audio, audio, true},
      {"reference far above", audio, {{1e8, 0.0, 0.0}, {1e10, 0.0, 0.0}}, false},
      {"reference far below", audio, {{0.01, 0.0, 0.0}, {1.0, 0.0, 0.0}}, false},
      {"touching at one end", audio, {{1e5, 0.0, 0.0}, {1e7, 0.0, 0.0}}, true},
      {"reference between trace points", audio, {{200.0, 0.0, 0.0}, {300.0, 0.0, 0.0}}, false},
      {"one reference point on a trace point", audio, {{1e3, 0.0, 0.0}}, true},
      {"reference without usable points", audio, {{nan, 0.0, 0.0}, {-5.0, 0.0, 0.0}}, false},
      {"reference gain not finite", audio, {{10.0, nan, 0.0}, {1e5, nan, 0.0}}, false},
      {"no reference", audio, {}, false},
      {"trace frequencies not finite", {{nan, 0.0, 0.0}}, audio, false},
      {"no trace", {}, audio, false},
  };
  for (const Case& c : cases) {
    SCOPED_TRACE(c.what);
    const auto ref = Reference(c.reference);
    EXPECT_EQ(CheckSubtraction(c.trace, ref) == Subtraction::kPossible, c.overlap);
    EXPECT_EQ(!DifferencePoints(c.trace, ref).empty(), c.overlap);
  }
}

}  // namespace
}  // namespace fernplot
