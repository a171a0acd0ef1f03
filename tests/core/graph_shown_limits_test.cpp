// SPDX-License-Identifier: MIT
// The limits a page was drawn with, read back from its layout.
#include <gtest/gtest.h>

#include <algorithm>

#include "graph/page_figures.h"
#include "graph/shown_limits.h"
#include "graph_stand_in.h"

namespace fernplot {
namespace {

TEST(ShownLimits, SetLimitsReadBackAsSetAndDataLimitsCoverTheData) {
  test::TestState ts;
  GraphProperties fixed = ts.defaults;
  for (AxisSettings* a : {&fixed.HB, &fixed.VL, &fixed.VR}) a->useDataMin = a->useDataMax = 0;
  fixed.HB.rangeMin = 100.0;
  fixed.HB.rangeMax = 10000.0;
  fixed.VL.rangeMin = -40.0;
  fixed.VL.rangeMax = 20.0;
  fixed.VR.rangeMin = -180.0;
  fixed.VR.rangeMax = 0.0;
  const GraphPage* page = ts->OpenPage(fixed, test::SweepData(41), "P");
  ASSERT_NE(page, nullptr);
  const std::optional<ShownLimits> s = ShownAxisLimits(*page);
  ASSERT_TRUE(s);
  EXPECT_DOUBLE_EQ(s->frequency.lo, 100.0);
  EXPECT_DOUBLE_EQ(s->frequency.hi, 10000.0);
  EXPECT_DOUBLE_EQ(s->gain.lo, -40.0);
  EXPECT_DOUBLE_EQ(s->gain.hi, 20.0);
  ASSERT_TRUE(s->phase);
  EXPECT_DOUBLE_EQ(s->phase->lo, -180.0);
  EXPECT_DOUBLE_EQ(s->phase->hi, 0.0);

  // From the data: the drawn axes hold every point.
  const GraphPage* data = ts->OpenPage(ts.defaults, test::SweepData(41), "Q");
  const std::optional<ShownLimits> d = ShownAxisLimits(*data);
  ASSERT_TRUE(d);
  for (const UsablePoint& p : PageUsablePoints(*data)) {
    EXPECT_LE(d->frequency.lo, p.frequency);
    EXPECT_GE(d->frequency.hi, p.frequency);
    EXPECT_LE(d->gain.lo, p.gain);
    EXPECT_GE(d->gain.hi, p.gain);
  }
  EXPECT_LT(d->gain.hi - d->gain.lo, 200.0);
}

// The unwrapped phase and the group delay take their limits from the data
// whatever is set: nothing to offer for them. A page never laid out has none.
TEST(ShownLimits, NoneWhereTheSetLimitsDoNotApply) {
  test::TestState ts;
  for (const int right : {kRightUnwrappedPhase, kRightGroupDelay}) {
    GraphProperties p = ts.defaults;
    p.rightAxis = right;
    const GraphPage* page = ts->OpenPage(p, test::SweepData(41), "P");
    const std::optional<ShownLimits> s = ShownAxisLimits(*page);
    ASSERT_TRUE(s) << right;
    EXPECT_FALSE(s->phase) << right;
  }
  const auto unbuilt = PageSession::MakePage(ts.defaults, test::SweepData(41), "U");
  EXPECT_FALSE(ShownAxisLimits(*unbuilt));
}

}  // namespace
}  // namespace fernplot
