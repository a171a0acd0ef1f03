// SPDX-License-Identifier: MIT
#include <gtest/gtest.h>

#include <string>
#include <vector>

#include "graph/bode_stages.h"
#include "graph/info_items.h"
#include "graph_stand_in.h"

namespace fernplot {
namespace {

InfoCursor Cursor(uint32_t flags, double x) {
  InfoCursor c;
  c.flags = flags;
  c.leftX = 10;
  c.rightX = 100;
  c.x = x;
  c.y = 2;
  return c;
}

TEST(PlaceInfoText, LeftFlowWraps) {
  const struct {
    const char* name;
    uint32_t flags;
    double startX, width;
    double itemX, itemY;  // where the text lands
    double nextX, nextY;  // the cursor afterwards
  } rows[] = {
      {"fits", 0, 10, 30, 10, 2, 40, 2},
      {"fits exactly", 0, 70, 30, 70, 2, 100, 2},
      {"wraps", 0, 80, 30, 10, 5.5, 40, 5.5},
      {"wider than a line moves down first", 0, 10, 120, 10, 5.5, 130, 5.5},
      {"ends its line", kFlowEndLine, 10, 30, 10, 2, 10, 5.5},
      {"right flow fits", kFlowFromRight, 100, 30, -100, 2, 70, 2},
      {"right flow wraps", kFlowFromRight, 30, 30, -100, 5.5, 70, 5.5},
      {"right flow ends its line", kFlowFromRight | kFlowEndLine, 100, 30, -100, 2, 100, 5.5},
  };
  for (const auto& r : rows) {
    InfoCursor c = Cursor(r.flags, r.startX);
    std::vector<InfoItem> items;
    PlaceInfoText(c, items, "t", 10, r.width, 3.0);  // line height 3.5
    ASSERT_EQ(items.size(), 1u) << r.name;
    EXPECT_DOUBLE_EQ(items[0].x, r.itemX) << r.name;
    EXPECT_DOUBLE_EQ(items[0].y, r.itemY) << r.name;
    EXPECT_EQ(items[0].category, 10) << r.name;
    EXPECT_DOUBLE_EQ(c.x, r.nextX) << r.name;
    EXPECT_DOUBLE_EQ(c.y, r.nextY) << r.name;
  }
}

MeasurementData Header() {
  return testing::TestHeader({.title = "", .made = {2024, 3, 7, 9, 5}});
}

TEST(InfoItemText, Table) {
  GraphProperties props;
  const PageFacts facts{.dataTitle = "ﾃｽﾄ"};
  const struct {
    int item;
    void (*set)(MeasurementData&, GraphProperties&);
    const char* text;
  } rows[] = {
      {kItemFileName, nullptr, "SAMPLE1"},
      {kItemCreationDate, nullptr, "データ生成日時： 2024.03.07 9:05"},
      {kItemDataTitle, nullptr, "データ タイトル： ﾃｽﾄ"},
      {kItemModelVersion, nullptr, "品名： Q417  ﾊﾞｰｼﾞｮﾝ： 1.03"},
      {kItemOscAmplitude, [](MeasurementData& d, GraphProperties&) { d.oscAmplitude = 0.5; },
       "OSC.振幅値＝500mVpeak  "},
      {kItemOscDcBias, [](MeasurementData& d, GraphProperties&) { d.oscDcBias = -12; },
       "OSC.DCﾊﾞｲｱｽ＝-10.0V  "},
      {kItemOscWaveform, nullptr, "OSC.波形＝正弦波  "},
      {kItemOscWaveform, [](MeasurementData& d, GraphProperties&) { d.oscWaveform = 1; },
       "OSC.波形＝方形波  "},
      {kItemOscWaveform, [](MeasurementData& d, GraphProperties&) { d.oscWaveform = 2; },
       "OSC.波形＝三角波  "},
      {kItemSweepMin, [](MeasurementData& d, GraphProperties&) { d.sweepMinFrequency = 0.5; },
       "ｽｲｰﾌﾟ最小周波数＝500mHz  "},
      {kItemSweepMax, [](MeasurementData& d, GraphProperties&) { d.sweepMaxFrequency = 2e7; },
       "ｽｲｰﾌﾟ最大周波数＝20MHz  "},
      {kItemResolution,
       [](MeasurementData& d, GraphProperties&) {
         d.resolutionKind = 1;
         d.resolution = 100;
       },
       "ｽｲｰﾌﾟ分解能＝100Steps/Decade  "},
      {kItemResolution,
       [](MeasurementData& d, GraphProperties&) {
         d.resolutionKind = 2;
         d.resolution = 50;
       },
       "ｽｲｰﾌﾟ分解能＝50Steps/Sweep  "},
      {kItemResolution,
       [](MeasurementData& d, GraphProperties&) {
         d.resolutionKind = 3;
         d.resolution = 1500;
       },
       "ｽｲｰﾌﾟ分解能＝1.5kHz  "},
      {kItemIntegration,
       [](MeasurementData& d, GraphProperties&) {
         d.integrationKind = 1;
         d.integration = 0.001;
       },
       "積分回数＝1.00000e-3[s]  "},
      {kItemIntegration, [](MeasurementData& d, GraphProperties&) { d.integration = 16; },
       "積分回数＝16回  "},
      {kItemDelay,
       [](MeasurementData& d, GraphProperties&) {
         d.delayKind = 1;
         d.delay = 2.5;
       },
       "遅延時間＝2.50000e0[s]  "},
      {kItemDelay, [](MeasurementData& d, GraphProperties&) { d.delay = 3; }, "遅延時間＝3回  "},
      {kItemHarmonicOrder, [](MeasurementData& d, GraphProperties&) { d.harmonicOrder = 2; },
       "高調波分析次数＝2  "},
      {kItemMeasurementMode, nullptr, "測定ﾓｰﾄﾞ＝CH1/CH2  "},
      {kItemMeasurementMode,
       [](MeasurementData& d, GraphProperties& p) {
         d.measurementMode = 1;
         p.calcType = ChannelRatio::kCh2Ch1;
       },
       "測定ﾓｰﾄﾞ＝OSC/CH1  "},
      {kItemMeasurementMode, [](MeasurementData& d, GraphProperties&) { d.measurementMode = 1; },
       "測定ﾓｰﾄﾞ＝CH1/OSC  "},
      {kItemMeasurementMode,
       [](MeasurementData& d, GraphProperties& p) {
         d.measurementMode = 2;
         p.calcType = ChannelRatio::kCh2Ch1;
       },
       "測定ﾓｰﾄﾞ＝CH2/OSC  "},
      {kItemMeasurementMode, [](MeasurementData& d, GraphProperties&) { d.measurementMode = 2; },
       "測定ﾓｰﾄﾞ＝OSC/CH2  "},
      {kItemMeasurementMode,
       [](MeasurementData&, GraphProperties& p) { p.calcType = ChannelRatio::kCh2Ch1; },
       "測定ﾓｰﾄﾞ＝CH2/CH1  "},
      {kItemAutoIntegration, [](MeasurementData& d, GraphProperties&) { d.autoIntegration = 3; },
       "自動積分機能＝ON  "},
      {kItemAmplitudeCompression, nullptr, "振幅圧縮機能＝OFF  "},
      {kItemHighDensitySweep, [](MeasurementData& d, GraphProperties&) { d.highDensitySweep = 1; },
       "高密度掃引機能＝ON  "},
      {kItemPhaseRange, nullptr, "位相表示レンジ＝±180deg"},
      {kItemPhaseRange, [](MeasurementData& d, GraphProperties&) { d.phaseRange = 1; },
       "位相表示レンジ＝0～360deg"},
      {kItemPhaseRange, [](MeasurementData& d, GraphProperties&) { d.phaseRange = 2; },
       "位相表示レンジ＝-360～0deg"},
  };
  for (const auto& r : rows) {
    MeasurementData d = Header();
    GraphProperties p = props;
    if (r.set) r.set(d, p);
    EXPECT_EQ(InfoItemText(r.item, d, p, facts, "SAMPLE1"), r.text) << r.item;
  }
}

// A page of factory properties built on the stand-in measurer.
struct InfoFixture : ::testing::Test {
  test::TestState ts;
  GraphPage page;
  std::vector<InfoItem> items;
  InfoFixture() {
    page.properties = FactoryDefaults();
    page.properties.itemFlags.fill(0);
    page.data = Header();
    page.fileName = "SAMPLE1";
  }
  PageText Text() {
    return PageText(ts->drawing, page.properties, ResolvePageFonts(ts->drawing, page.properties));
  }
  InfoCursor Top() {
    InfoCursor c;
    c.leftX = 10;
    c.x = 10;
    c.rightX = 251;
    c.y = 2;
    return c;
  }
};

constexpr double kPt = 0.35277777777777775;

TEST_F(InfoFixture, FileNameLeftDateRightOnOneLine) {
  page.properties.itemFlags[kItemFileName] = 1;
  page.properties.itemFlags[kItemCreationDate] = 1;
  page.properties.itemFlags[kItemDataTitle] = 1;
  const PageText text = Text();
  InfoCursor c = Top();
  PlaceHeaderItems(page, text, c, items);
  ASSERT_EQ(items.size(), 3u);
  EXPECT_EQ(items[0], (InfoItem{10, 2, "SAMPLE1", kFontFileName}));
  EXPECT_EQ(items[1].x, -251);
  EXPECT_EQ(items[1].y, 2);
  EXPECT_EQ(items[1].category, kFontCreationDate);
  // The header line is as high as the 12-point file name font.
  EXPECT_DOUBLE_EQ(items[2].y, 2 + 12 * kPt + 0.5);
  EXPECT_DOUBLE_EQ(items[2].x, 10);
  EXPECT_DOUBLE_EQ(c.y, 2 + 12 * kPt + 0.5 + 9 * kPt + 0.5);
  EXPECT_EQ(c.flags, kFlowEndLine);
}

TEST_F(InfoFixture, OnlyDateStillRightAlignedAndLineAsHighAsLargerFont) {
  page.properties.itemFlags[kItemCreationDate] = 1;
  const PageText text = Text();
  InfoCursor c = Top();
  PlaceHeaderItems(page, text, c, items);
  ASSERT_EQ(items.size(), 1u);
  EXPECT_EQ(items[0].x, -251);
  EXPECT_DOUBLE_EQ(c.y, 2 + 12 * kPt + 0.5);
  EXPECT_DOUBLE_EQ(c.x, 10);
}

TEST_F(InfoFixture, NoHeaderLineWithoutFileNameAndDate) {
  page.properties.itemFlags[kItemDataTitle] = 1;
  const PageText text = Text();
  InfoCursor c = Top();
  PlaceHeaderItems(page, text, c, items);
  ASSERT_EQ(items.size(), 1u);
  EXPECT_DOUBLE_EQ(items[0].y, 2);
}

TEST_F(InfoFixture, ModelLineEndsThenAmplitudeAtLeftX) {
  page.properties.itemFlags[kItemModelVersion] = 1;
  page.properties.itemFlags[kItemOscAmplitude] = 1;
  const PageText text = Text();
  InfoCursor c = Top();
  PlaceLowerItems(page, text, c, items);
  ASSERT_EQ(items.size(), 2u);
  EXPECT_DOUBLE_EQ(items[0].x, 10);
  EXPECT_DOUBLE_EQ(items[1].x, 10);
  EXPECT_DOUBLE_EQ(items[1].y, 2 + 9 * kPt + 0.5);
  EXPECT_EQ(c.flags, 0u);
}

TEST_F(InfoFixture, SettingsFlowInTableOrderAndWrap) {
  page.properties.itemFlags.fill(1);
  page.properties.itemFlags[kItemFileName] = 0;
  page.properties.itemFlags[kItemCreationDate] = 0;
  page.properties.itemFlags[kItemDataTitle] = 0;
  const PageText text = Text();
  InfoCursor c = Top();
  PlaceLowerItems(page, text, c, items);
  ASSERT_EQ(items.size(), kLowerItemOrder.size());
  EXPECT_NE(items[4].text.find("最小"), std::string::npos);
  EXPECT_NE(items[5].text.find("最大"), std::string::npos);
  // Each text follows the previous on its line, or starts a new line at
  // left x when it would pass the right limit.
  for (size_t i = 2; i < items.size(); ++i) {
    const InfoItem& prev = items[i - 1];
    const InfoItem& item = items[i];
    const double prevEnd = prev.x + test::StandInWidthMm(prev.text, 9);
    if (item.y == prev.y) {
      EXPECT_DOUBLE_EQ(item.x, prevEnd) << i;
    } else {
      EXPECT_DOUBLE_EQ(item.y, prev.y + 9 * kPt + 0.5) << i;
      EXPECT_DOUBLE_EQ(item.x, 10) << i;
      EXPECT_GT(prevEnd + test::StandInWidthMm(item.text, 9), 251) << i;
    }
    EXPECT_LE(item.x + test::StandInWidthMm(item.text, 9), 251 + 1e-9) << i;
  }
  EXPECT_GT(items.back().y, items[1].y);  // it did wrap
}

TEST_F(InfoFixture, EmitTurnsItemsIntoTextElements) {
  const PageText text = Text();
  ts->drawing.AddSheet(100, 100);
  BodeStages stages{page, text, {}, {}, {}, {}};
  stages.layout.info.push_back(InfoItem{10, 2, "left", kFontFileName});
  stages.layout.info.push_back(InfoItem{-90, 2, "right", kFontGainLabels});
  DrawInfoTexts(stages, ts->drawing);
  const auto& e = ts->drawing.CurrentSheet()->elements;
  ASSERT_EQ(e.size(), 2u);
  const auto& left = std::get<TextElement>(e[0]);
  const auto& right = std::get<TextElement>(e[1]);
  EXPECT_EQ(left.align, kAlignLeft);
  EXPECT_EQ(right.align, kAlignRight);
  EXPECT_DOUBLE_EQ(right.x, 90);
  EXPECT_EQ(right.color, Rgb(230, 0, 0));
  EXPECT_EQ(right.font, text.Font(kFontGainLabels));
  EXPECT_EQ(ts->drawing.Fonts()[static_cast<size_t>(left.font)].weight, 700);
}

}  // namespace
}  // namespace fernplot
