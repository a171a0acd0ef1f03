// SPDX-License-Identifier: MIT
// The session: which sheets hold their drawing, and the changes it announces.
#include <gtest/gtest.h>

#include <vector>

#include "graph/overlays.h"
#include "graph/page_session.h"
#include "graph_stand_in.h"

namespace fernplot {
namespace {

// Every page's sheet as drawn right after it was opened.
std::vector<DrawingSheet> OpenPages(test::TestState& ts, int count) {
  std::vector<DrawingSheet> drawn;
  for (int i = 0; i < count; ++i) {
    ts->OpenPage(ts.defaults, test::SweepData(10 + i), "P" + std::to_string(i));
    drawn.push_back(*ts->drawing.CurrentSheet());
  }
  return drawn;
}

TEST(PageSessionSheets, OnlySheetsNearTheCurrentOneHoldTheirDrawing) {
  test::TestState ts;
  const std::vector<DrawingSheet> drawn = OpenPages(ts, 12);
  const int window = 2 * ts->keptNeighbours + 1;
  EXPECT_LE(ts->DrawnSheetCount(), window);
  EXPECT_TRUE(ts->drawing.Sheets()[0].elements.empty());
  // A released sheet keeps its size: the view's scroll range needs it.
  EXPECT_EQ(ts->drawing.Sheets()[0].width, drawn[0].width);

  // Shown again, every sheet is what it was, and the window moves with it.
  for (int n : {1, 2, 7, 12, 6}) {
    ASSERT_TRUE(ts->ShowSheet(n));
    EXPECT_EQ(ts->drawing.CurrentNumber(), n);
    EXPECT_EQ(*ts->drawing.CurrentSheet(), drawn[static_cast<size_t>(n - 1)]) << n;
    EXPECT_LE(ts->DrawnSheetCount(), window) << n;
  }
  EXPECT_FALSE(ts->ShowSheet(13));
  EXPECT_FALSE(ts->ShowSheet(0));
  EXPECT_EQ(ts->drawing.CurrentNumber(), 6);

  // Paging steps one sheet at a time and stops at either end.
  ASSERT_TRUE(ts->ShowSheet(1));
  EXPECT_FALSE(ts->ShowPrevious());
  EXPECT_TRUE(ts->ShowNext());
  EXPECT_EQ(*ts->drawing.CurrentSheet(), drawn[1]);

  // An output of a far sheet gets it drawn, and the page on screen stays.
  const DrawingSheet* far = ts->DrawnSheet(11);
  ASSERT_NE(far, nullptr);
  EXPECT_EQ(*far, drawn[10]);
  EXPECT_EQ(ts->drawing.CurrentNumber(), 2);
  EXPECT_EQ(ts->DrawnSheet(99), nullptr);

  // Closing the page on screen draws the one that takes its place.
  ASSERT_TRUE(ts->ShowSheet(9));
  ts->ShowSheet(5);
  ts->CloseCurrent();
  EXPECT_EQ(ts->drawing.CurrentNumber(), 5);
  EXPECT_EQ(*ts->drawing.CurrentSheet(), [&] {
    DrawingSheet s = drawn[5];
    s.number = 5;
    return s;
  }());
}

TEST(PageSessionChanges, IntentsRebuildAndAnnounceOnce) {
  test::TestState ts;
  int heard = 0;
  const int id = ts->Subscribe([&heard] { ++heard; });

  // Without a page nothing changes and nothing is announced.
  EXPECT_FALSE(ts->ShowFigureMarks(true));
  EXPECT_FALSE(ts->ToggleDifference());
  EXPECT_EQ(heard, 0);

  GraphPage* page = ts->OpenPage(ts.defaults, test::SweepData(30), "P");
  ASSERT_NE(page, nullptr);
  EXPECT_EQ(heard, 0);                   // opening is not a change of a shown page
  EXPECT_FALSE(ts->ToggleDifference());  // no overlay to compare with
  EXPECT_FALSE(ts->AddOverlays({}));

  std::vector<OverlayTrace> traces;
  traces.push_back({test::SweepData(20), "A", ""});
  traces.push_back({test::SweepData(25), "B", ""});
  ASSERT_TRUE(ts->AddOverlays(std::move(traces)));
  EXPECT_EQ(heard, 1);
  EXPECT_EQ(page->overlays.size(), 2u);

  // Differences on without a reference: the first overlay becomes it.
  ASSERT_TRUE(ts->ToggleDifference());
  EXPECT_EQ(heard, 2);
  EXPECT_EQ(page->referenceIndex, 0);
  EXPECT_TRUE(InDifferenceMode(*page));
  ASSERT_TRUE(ts->ToggleDifference());
  EXPECT_FALSE(InDifferenceMode(*page));
  EXPECT_EQ(page->referenceIndex, 0);  // kept for the next time

  // The figure marks: only a change is announced, and the sheet shows it.
  const size_t plain = ts->drawing.CurrentSheet()->elements.size();
  ASSERT_TRUE(ts->ShowFigureMarks(true));
  EXPECT_FALSE(ts->ShowFigureMarks(true));
  EXPECT_GT(ts->drawing.CurrentSheet()->elements.size(), plain);
  EXPECT_EQ(heard, 4);

  // New properties are drawn; a reset takes the defaults' look and keeps
  // the facts of the page's file.
  GraphProperties look = page->properties;
  look.title = "OTHER";
  PageFacts facts = page->facts;
  facts.dataTitle = "EDITED TITLE";
  ASSERT_TRUE(ts->ApplyProperties(look, &facts));
  EXPECT_EQ(page->properties, look);
  EXPECT_EQ(page->facts, facts);
  ASSERT_TRUE(ts->ResetToDefaults(ts.defaults));
  // Only the look is reset: it equals the defaults although the page's
  // data title differs from any the defaults could hold.
  EXPECT_EQ(page->properties, ts.defaults);
  EXPECT_EQ(page->facts.dataTitle, "EDITED TITLE");
  // Properties given without facts leave them.
  ASSERT_TRUE(ts->ApplyProperties(look));
  EXPECT_EQ(page->facts.dataTitle, "EDITED TITLE");

  // An edit that changes nothing is not announced.
  EXPECT_FALSE(ts->EditCurrent([](GraphPage&) { return false; }));
  EXPECT_TRUE(ts->EditCurrent([](GraphPage& p) {
    p.overlays.pop_back();
    return true;
  }));
  EXPECT_EQ(heard, 8);

  ts->Unsubscribe(id);
  ts->ShowFigureMarks(false);
  EXPECT_EQ(heard, 8);
}

// Opening a batch of pages, closing one and closing all are announced once
// each, after the change is on screen; refusals are not announced.
TEST(PageSessionChanges, OpeningAndClosingAnnounceOnce) {
  test::TestState ts;
  std::vector<int> heardOnSheet;
  ts->Subscribe([&] { heardOnSheet.push_back(ts->drawing.CurrentNumber()); });

  EXPECT_FALSE(ts->CloseCurrent());
  EXPECT_FALSE(ts->CloseAll());
  ts->OpenPage(ts.defaults, test::SweepData(10), "EARLIER");
  ts->EndOpening(0);
  // A batch of three: the first of them is put on screen, once.
  const int before = ts->drawing.SheetCount();
  for (const char* name : {"A", "B", "C"}) ts->OpenPage(ts.defaults, test::SweepData(12), name);
  ts->EndOpening(before);
  EXPECT_EQ(heardOnSheet, (std::vector<int>{1, 2}));
  // A batch that opened nothing is still announced (the list was closed),
  // and the page on screen stays.
  ts->EndOpening(ts->drawing.SheetCount());
  EXPECT_EQ(heardOnSheet.back(), 2);

  ASSERT_TRUE(ts->ShowSheet(4));
  ASSERT_TRUE(ts->CloseCurrent());
  EXPECT_EQ(heardOnSheet.back(), 3);
  EXPECT_EQ(ts->pages.size(), 3u);
  ASSERT_TRUE(ts->CloseAll());
  EXPECT_TRUE(ts->pages.empty());
  EXPECT_EQ(heardOnSheet.size(), 5u);
  EXPECT_FALSE(ts->CloseAll());
  EXPECT_FALSE(ts->CloseCurrent());
  // Dropping the pages as the program ends is no user's change.
  ts->OpenPage(ts.defaults, test::SweepData(10), "LAST");
  ts->ReleaseAll();
  EXPECT_EQ(heardOnSheet.size(), 5u);
}

}  // namespace
}  // namespace fernplot
