// SPDX-License-Identifier: MIT
// The session's production test: a mask on every page (those opened later
// too) and the open pages' spread under the page on screen; taken off, the
// pages are drawn exactly as before.
#include <gtest/gtest.h>

#include <vector>

#include "graph/page_session.h"
#include "graph/production_marks.h"
#include "graph_stand_in.h"

namespace fernplot {
namespace {

std::shared_ptr<const LimitMask> TwoRules() {
  // The sweep is flat near 0 dB at its low end: the first rule passes, the
  // second fails.
  MaskParse p = ParseMask("GAIN MAX 10 100 50\nGAIN MIN 10 100 50\n", "m");
  EXPECT_TRUE(p.mask) << p.error;
  return std::make_shared<const LimitMask>(*p.mask);
}

TEST(PageSessionProduction, MaskOnEveryPageAndOnPagesOpenedLater) {
  test::TestState ts;
  std::vector<DrawingSheet> plain;
  for (int n : {20, 30, 40}) {
    ts->OpenPage(ts.defaults, test::SweepData(n), "P" + std::to_string(n));
    plain.push_back(*ts->drawing.CurrentSheet());
  }
  int announced = 0;
  ts->Subscribe([&] { ++announced; });
  ASSERT_TRUE(ts->SetMask(TwoRules()));
  EXPECT_EQ(announced, 1);
  ASSERT_NE(ts->Mask(), nullptr);
  for (const auto& page : ts->pages) {
    const MaskVerdict* v = PageVerdict(*page);
    ASSERT_NE(v, nullptr);
    EXPECT_FALSE(v->pass);
    ASSERT_EQ(v->rules.size(), 2u);
    EXPECT_TRUE(v->rules[0].pass);
    EXPECT_FALSE(v->rules[1].pass);
  }
  // The page on screen and a released one are drawn with the limits.
  EXPECT_GT(ts->drawing.CurrentSheet()->elements.size(), plain[2].elements.size());
  ASSERT_TRUE(ts->ShowSheet(1));
  EXPECT_NE(*ts->drawing.CurrentSheet(), plain[0]);
  // A page opened now is judged as it opens.
  ts->OpenPage(ts.defaults, test::SweepData(25), "later");
  ASSERT_NE(PageVerdict(*ts->pages.back()), nullptr);
  // Taken off, every page is as it was.
  ASSERT_TRUE(ts->SetMask(nullptr));
  EXPECT_EQ(ts->Mask(), nullptr);
  for (const auto& page : ts->pages) EXPECT_EQ(PageVerdict(*page), nullptr);
  for (int n : {1, 2, 3}) {
    ASSERT_TRUE(ts->ShowSheet(n));
    EXPECT_EQ(*ts->drawing.CurrentSheet(), plain[static_cast<size_t>(n - 1)]) << n;
  }
}

TEST(PageSessionProduction, LotStatisticsUnderThePageOnScreen) {
  test::TestState ts;
  EXPECT_FALSE(ts->ShowLotStatistics(true));  // no page
  for (int n : {20, 30, 40}) ts->OpenPage(ts.defaults, test::SweepData(n), "P");
  ASSERT_TRUE(ts->ShowSheet(2));
  const DrawingSheet before = *ts->drawing.CurrentSheet();
  ASSERT_TRUE(ts->ShowLotStatistics(true));
  EXPECT_TRUE(ts->LotStatisticsShown());
  const GraphPage& shown = *ts->pages[1];
  ASSERT_TRUE(shown.production && shown.production->bands);
  const LotBands& bands = *shown.production->bands;
  EXPECT_EQ(bands.frequency.size(), 30u);  // the frequencies of the page on screen
  EXPECT_EQ(bands.bandLabel, "\u00B13\u03C3");
  // Every page reaches every frequency of the same span: a band everywhere.
  for (size_t i = 0; i < bands.frequency.size(); ++i) {
    EXPECT_LE(bands.minDb[i], bands.maxDb[i]);
    EXPECT_TRUE(std::isfinite(bands.lowDb[i])) << i;
  }
  EXPECT_FALSE(ts->pages[0]->production);
  EXPECT_GT(ts->drawing.CurrentSheet()->elements.size(), before.elements.size());
  ASSERT_TRUE(ts->ShowLotStatistics(false));
  EXPECT_FALSE(ts->LotStatisticsShown());
  EXPECT_FALSE(shown.production);
  EXPECT_EQ(*ts->drawing.CurrentSheet(), before);
}

}  // namespace
}  // namespace fernplot
