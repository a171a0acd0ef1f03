// SPDX-License-Identifier: MIT
#include <gtest/gtest.h>

#include <cmath>
#include <limits>
#include <string>
#include <vector>

#include "datafile/data_file_writer.h"
#include "fernplot_test_data.h"
#include "graph/page_session.h"
#include "graph/pages.h"
#include "graph_stand_in.h"

namespace fernplot {
namespace {

TEST(DataRange, ExtremesAndOrder) {
  DataRange r;
  AddDataPoint(r, 10, 3, 30);
  AddDataPoint(r, 20, -1, -10);
  AddDataPoint(r, 5, 7, 0);
  EXPECT_EQ(r.count, 3);
  EXPECT_EQ(r.minGain, -1);
  EXPECT_EQ(r.maxGain, 7);
  EXPECT_EQ(r.minFrequency, 5);
  EXPECT_EQ(r.maxFrequency, 20);
  EXPECT_EQ(r.minPhase, -10);
  EXPECT_EQ(r.maxPhase, 30);
  ASSERT_EQ(r.points.size(), 3u);
  EXPECT_EQ(r.points[1].gain, -1);
  ResetDataRange(r);
  EXPECT_EQ(r.count, 0);
  EXPECT_TRUE(r.points.empty());
  EXPECT_EQ(r.maxGain, 7);  // the extremes stay
}

TEST(DataRange, NonFiniteValuesStayOutOfTheExtremes) {
  const double inf = std::numeric_limits<double>::infinity();
  const double nan = std::numeric_limits<double>::quiet_NaN();
  DataRange r;
  AddDataPoint(r, 10, -inf, nan);
  AddDataPoint(r, 20, -4, 90);
  AddDataPoint(r, 30, nan, inf);
  AddDataPoint(r, 40, -2, -90);
  EXPECT_EQ(r.count, 4);
  EXPECT_EQ(r.minGain, -4);
  EXPECT_EQ(r.maxGain, -2);
  EXPECT_EQ(r.minPhase, -90);
  EXPECT_EQ(r.maxPhase, 90);
  EXPECT_EQ(r.points.size(), 4u);
}

TEST(ScanPageData, RatioFollowsCalcType) {
  GraphPage page;
  page.data.points = std::vector<DataPoint>{{100, 1.5f, -1.5f, 10, -10}, {200, 2, -2, 20, -20}};
  const struct {
    ChannelRatio calcType;
    double gain0, phase1;
  } rows[] = {{ChannelRatio::kCh1Ch2, 1.5, 20}, {ChannelRatio::kCh2Ch1, -1.5, -20}};
  for (const auto& row : rows) {
    page.properties.calcType = row.calcType;
    DataRange r;
    ScanPageData(page, r);
    ASSERT_EQ(r.count, 2);
    EXPECT_EQ(r.points[0].gain, row.gain0);
    EXPECT_EQ(r.points[1].phase, row.phase1);
  }
  page.data.points.reset();
  page.data.pointCount = 5;
  DataRange none;
  ScanPageData(page, none);
  EXPECT_EQ(none.count, 0);
}

TEST(ResolvePageFonts, EqualSettingsShareAnIndex) {
  DrawingDocument d;
  GraphProperties p = FactoryDefaults();
  const PageFontIndex index = ResolvePageFonts(d, p);
  EXPECT_EQ(index[kFontDataTitle], index[kFontCreationDate]);
  EXPECT_EQ(index[kFontGainCaption], index[kFontGainLabels]);
  EXPECT_NE(index[kFontFileName], index[kFontDataTitle]);
  const FontEntry& bold = d.Fonts()[static_cast<size_t>(index[kFontFileName])];
  EXPECT_EQ(bold, (FontEntry{12, 0, 700, kCharsetShiftJis, p.fonts[0].faceName.str()}));
  p.fonts[kFontOther].ansiCharset = 1;
  EXPECT_EQ(d.Fonts()[static_cast<size_t>(ResolvePageFonts(d, p)[kFontOther])].charset,
            kCharsetAnsi);
}

TEST(PageFileName, DropsFolderAndExtension) {
  EXPECT_EQ(PageFileName("SAMPLE1.DAT"), "SAMPLE1");
  EXPECT_EQ(PageFileName("/data/run.2/B.DAT"), "B");
  EXPECT_EQ(PageFileName("NOEXT"), "NOEXT");
  // A backslash is a character of a Linux name, not a folder separator.
  EXPECT_EQ(PageFileName("run\\A.csv"), "run\\A");
  EXPECT_EQ(PageFileName("/d/run\\A.csv"), "run\\A");
}

// The page session's operations on pages told apart by their file names.
struct PagesFixture : ::testing::Test {
  test::TestState ts;
  void Open(const std::string& name, int points = 5) {
    ASSERT_NE(ts.session.OpenPage(ts.defaults, test::SweepData(points), name), nullptr);
  }
  std::vector<std::string> Names() {
    std::vector<std::string> out;
    for (const auto& p : ts->pages) out.push_back(p->fileName);
    return out;
  }
  std::vector<int> Numbers() {
    std::vector<int> out;
    for (const DrawingSheet& s : ts->drawing.Sheets()) out.push_back(s.number);
    return out;
  }
  std::string OnScreen() {
    GraphPage* p = PageForSheet(ts->pages, ts->drawing.CurrentNumber());
    return p ? p->fileName : "";
  }
};

TEST_F(PagesFixture, NothingHappensWhileTheDrawingIsInactive) {
  ts->drawingActive = false;
  EXPECT_EQ(ts.session.OpenPage(ts.defaults, test::SweepData(3), "A"), nullptr);
  ts.dataFiles = {DataFileEntry{kEntrySelected, "X.DAT", "/nonexistent/X.DAT", {}, {}}};
  ts.session.OpenSelected(ts.defaults, ts.dataFiles);
  ts.session.RebuildCurrent();
  ts.session.CloseCurrent();
  ts.session.ReleaseAll();
  EXPECT_TRUE(ts->pages.empty());
  EXPECT_EQ(ts->drawing.SheetCount(), 0);
  EXPECT_EQ(ts.dataFiles[0].flags, kEntrySelected);  // not even the selection is touched

  // Pages made while active are neither closed nor released nor shown.
  ts->drawingActive = true;
  Open("A");
  ts->drawingActive = false;
  EXPECT_EQ(ts.session.CurrentPage(), nullptr);
  ts.session.CloseCurrent();
  ts.session.ReleaseAll();
  EXPECT_EQ(Names(), (std::vector<std::string>{"A"}));
  EXPECT_EQ(ts->drawing.SheetCount(), 1);
}

TEST_F(PagesFixture, CurrentPageFollowsTheSheetOnScreen) {
  EXPECT_EQ(ts.session.CurrentPage(), nullptr);
  Open("A");
  Open("B");
  const PageSession& constSession = ts.session;
  ASSERT_NE(constSession.CurrentPage(), nullptr);
  EXPECT_EQ(constSession.CurrentPage()->fileName, "B");
  ts->drawing.SelectSheet(1);
  EXPECT_EQ(ts.session.CurrentPage()->fileName, "A");
  ts.session.CloseCurrent();
  EXPECT_EQ(ts.session.CurrentPage()->fileName, "B");
  ts.session.CloseCurrent();
  EXPECT_EQ(ts.session.CurrentPage(), nullptr);
  EXPECT_EQ(constSession.CurrentPage(), nullptr);
}

TEST_F(PagesFixture, OpenAppendsAndShowsTheLast) {
  Open("A");
  Open("B");
  Open("C");
  EXPECT_EQ(Names(), (std::vector<std::string>{"A", "B", "C"}));
  EXPECT_EQ(Numbers(), (std::vector<int>{1, 2, 3}));
  EXPECT_EQ(ts->drawing.CurrentNumber(), 3);
  EXPECT_EQ(OnScreen(), "C");
  EXPECT_EQ(ts->pages[0]->facts.dataTitle, "TEST SWEEP");
  EXPECT_FALSE(ts->pages[0]->facts.calculated);
}

TEST_F(PagesFixture, OpenSelectedReadsMarkedFilesInListOrder) {
  testing::TempDir dir;
  Open("EARLIER");
  const MeasurementData header = testing::Header(0, 3);
  const std::vector<RawRecord> records = {{100, 1, 10, 2}, {200, 1, 20, 1}, {400, 1, 30, 0.5f}};
  const std::string bytes = EncodeRawDataFile(header, records);
  auto entry = [&](const std::string& name, bool selected, bool exists) {
    DataFileEntry e;
    e.fileName = name;
    e.fullPath = exists ? dir.Write(name, bytes) : dir.File(name);
    e.flags = selected ? kEntrySelected : 0;
    return e;
  };
  ts.dataFiles = {entry("A.DAT", true, true), entry("B.DAT", false, true),
                  entry("GONE.DAT", true, false), entry("D.DAT", true, true)};
  ts.session.OpenSelected(ts.defaults, ts.dataFiles);
  EXPECT_EQ(Names(), (std::vector<std::string>{"EARLIER", "A", "D"}));
  EXPECT_EQ(ts->drawing.CurrentNumber(), 3);
  for (const DataFileEntry& e : ts.dataFiles) EXPECT_EQ(e.flags & kEntrySelected, 0u) << e.fileName;
  EXPECT_EQ(ts->pages[1]->facts.dataTitle, "テスト");
  EXPECT_EQ(ts->pages[1]->data.points->size(), 3u);

  // Nothing selected: no page, the sheet on screen stays.
  ts->drawing.SelectSheet(2);
  ts.session.OpenSelected(ts.defaults, ts.dataFiles);
  EXPECT_EQ(ts->pages.size(), 3u);
  EXPECT_EQ(ts->drawing.CurrentNumber(), 2);
}

// Pages with nothing to plot say so inside the frame; a page with points
// never does, even when some of its values are not finite.
TEST_F(PagesFixture, NoDataLineOnlyWithoutAUsablePoint) {
  const auto saysNoData = [&](int sheet) {
    int lines = 0;
    // Sheets off screen are drawn when asked for.
    for (const auto& e : ts->DrawnSheet(sheet + 1)->elements) {
      if (const auto* t = std::get_if<TextElement>(&e)) lines += t->text == "データがありません";
    }
    return lines;
  };
  Open("EMPTY", 0);
  Open("FULL", 5);
  MeasurementData allNan = test::SweepData(3);
  for (DataPoint& p : *allNan.points) p.frequency = std::nan("");
  ASSERT_NE(ts.session.OpenPage(ts.defaults, std::move(allNan), "NAN"), nullptr);
  MeasurementData someNan = test::SweepData(3);
  (*someNan.points)[0].frequency = std::nan("");
  ASSERT_NE(ts.session.OpenPage(ts.defaults, std::move(someNan), "SOME"), nullptr);
  EXPECT_EQ(saysNoData(0), 1);
  EXPECT_EQ(saysNoData(1), 0);
  EXPECT_EQ(saysNoData(2), 1);
  EXPECT_EQ(saysNoData(3), 0);
  // A rebuild (new properties) keeps the line exactly once.
  ts->drawing.SelectSheet(1);
  ts.session.RebuildCurrent();
  EXPECT_EQ(saysNoData(0), 1);
}

TEST_F(PagesFixture, RebuildKeepsPositionAndTheOtherSheets) {
  Open("A");
  Open("B");
  Open("C");
  const auto before3 = ts->drawing.Sheets()[2].elements.size();
  ts->drawing.SelectSheet(2);
  GraphPage& b = *ts->pages[1];
  b.properties.calcType = ChannelRatio::kCh2Ch1;
  b.properties.title = "REBUILT";
  ts.session.RebuildCurrent();
  EXPECT_EQ(Names(), (std::vector<std::string>{"A", "B", "C"}));
  EXPECT_EQ(Numbers(), (std::vector<int>{1, 2, 3}));
  EXPECT_EQ(ts->drawing.CurrentNumber(), 2);
  EXPECT_EQ(ts->drawing.Sheets()[2].elements.size(), before3);
  bool titled = false;
  for (const auto& e : ts->drawing.Sheets()[1].elements) {
    if (const auto* t = std::get_if<TextElement>(&e)) titled |= t->text == "REBUILT";
  }
  EXPECT_TRUE(titled);
  // The last page rebuilds into the last place.
  ts->drawing.SelectSheet(3);
  ts.session.RebuildCurrent();
  EXPECT_EQ(Numbers(), (std::vector<int>{1, 2, 3}));
  EXPECT_EQ(ts->drawing.CurrentNumber(), 3);
  EXPECT_EQ(ts->drawing.Sheets()[2].elements.size(), before3);
}

TEST_F(PagesFixture, CloseShowsTheFollowingOrTheNewLastPage) {
  const struct {
    int close;
    std::vector<std::string> left;
    std::string onScreen;
  } rows[] = {
      {3, {"A", "B"}, "B"},
      {1, {"B", "C"}, "B"},
      {2, {"A", "C"}, "C"},
  };
  for (const auto& r : rows) {
    ts.session.ReleaseAll();
    Open("A");
    Open("B");
    Open("C");
    ts->drawing.SelectSheet(r.close);
    ts.session.CloseCurrent();
    EXPECT_EQ(Names(), r.left) << r.close;
    EXPECT_EQ(Numbers(), (std::vector<int>{1, 2})) << r.close;
    EXPECT_EQ(OnScreen(), r.onScreen) << r.close;
  }
  ts.session.ReleaseAll();
  Open("ONLY");
  ts.session.CloseCurrent();
  EXPECT_TRUE(ts->pages.empty());
  EXPECT_EQ(ts->drawing.CurrentSheet(), nullptr);
  ts.session.CloseCurrent();  // nothing on screen: nothing happens
  ts.session.RebuildCurrent();
  EXPECT_EQ(ts->drawing.SheetCount(), 0);
}

TEST_F(PagesFixture, ReleaseAllKeepsTheTables) {
  Open("A");
  Open("B");
  EXPECT_EQ(ts->pages.size(), 2u);
  const size_t fonts = ts->drawing.Fonts().size();
  ts.session.ReleaseAll();
  EXPECT_TRUE(ts->pages.empty());
  EXPECT_EQ(ts->drawing.SheetCount(), 0);
  EXPECT_EQ(ts->drawing.Fonts().size(), fonts);  // tables are kept
  ts.session.ReleaseAll();
  EXPECT_EQ(ts->drawing.SheetCount(), 0);
}

TEST_F(PagesFixture, ManyDistinctStylesKeepTheirOwnResources) {
  // Far more than 50 fonts, pens and brushes: every page still draws in its
  // own colours.
  for (int i = 0; i < 60; ++i) {
    ts.defaults.backgroundColor = Rgb(static_cast<unsigned>(i), 1, 2);
    ts.defaults.gainLineColor = Rgb(3, static_cast<unsigned>(i), 4);
    ts.defaults.fonts[kFontGraphTitle].size = 10 + i;
    Open("P" + std::to_string(i), 2);
  }
  const DrawingDocument& d = ts->drawing;
  const auto& last = d.Sheets().back().elements;
  const auto& frame = std::get<RectElement>(last[2]);
  EXPECT_EQ(d.Brushes()[static_cast<size_t>(frame.brush)].color, Rgb(59, 1, 2));
  const auto& title = std::get<TextElement>(last[3]);
  EXPECT_EQ(d.Fonts()[static_cast<size_t>(title.font)].size, 69);
  EXPECT_GT(d.Pens().size(), 60u);
}

// The window is sized before any page exists, from an empty page's layout:
// it must come out as wide as the sheets real pages get, and about as tall.
TEST_F(PagesFixture, DefaultSheetSizeIsThatOfAnOpenedPage) {
  for (int points : {0, 5, 401}) {
    Open("A", points);
    const SheetPixels empty = DefaultSheetPixels(ts.defaults, ts->drawing.Measurer());
    EXPECT_EQ(empty.width, ts->drawing.CurrentWidth()) << points;
    EXPECT_LE(empty.height, ts->drawing.CurrentHeight()) << points;
    EXPECT_GT(empty.height, ts->drawing.CurrentHeight() - 40) << points;
    EXPECT_GT(empty.width, 900);
  }
}

}  // namespace
}  // namespace fernplot
