// SPDX-License-Identifier: MIT
#include <gtest/gtest.h>

#include "props/graph_properties.h"
#include "text/encoding.h"

namespace fernplot {
namespace {

TEST(GraphProperties, FactoryValues) {
  GraphProperties p;
  p.title = "x";
  p.fonts[kFontOther].size = 3;
  SetFactoryDefaults(p);
  EXPECT_EQ(p, FactoryDefaults());
  EXPECT_EQ(p.title, "周波数特性");
  EXPECT_EQ(p.backgroundColor, 0xE6FFFFu);  // red in the lowest byte
  EXPECT_EQ(p.gainLineColor, Rgb(230, 0, 0));
  EXPECT_EQ(p.phaseLineColor, Rgb(0, 0, 192));
  EXPECT_EQ(p.HB.axisId, kAxisHB);
  EXPECT_EQ(p.HB.scaleType, ScaleType::kLog);
  EXPECT_EQ(p.HB.length, 225.0f);
  EXPECT_EQ(p.HB.gridLines, 1);
  EXPECT_EQ(p.VL.caption, "GAIN [dB]");
  EXPECT_EQ(p.VR.axisId, kAxisVR);
  EXPECT_EQ(p.VR.gridLines, 0);
  EXPECT_EQ(p.HT, AxisSettings{});
  for (int32_t flag : p.itemFlags) EXPECT_EQ(flag, 1);
  EXPECT_EQ(p.fonts[kFontGraphTitle].color, Rgb(0, 0, 127));
  EXPECT_EQ(p.fonts[kFontGainLabels].bold, 1);
  EXPECT_EQ(p.fonts[kFontFileName].size, 12);
  EXPECT_EQ(kFontCategoryNames[kFontOther], "上記以外の文字");
}

TEST(GraphProperties, FixedTextsFitTheirFields) {
  GraphProperties p = FactoryDefaults();
  EXPECT_LE(Cp932Length(p.title), 32u);
  for (int i = 0; i < kFontCategoryCount; ++i) {
    EXPECT_EQ(Cp932Length(p.fonts[static_cast<size_t>(i)].faceName), 15u);
  }
  EXPECT_EQ(kItemLabels[kItemPhaseRange], "位相表示レンジ");
  EXPECT_EQ(kItemLabels[kItemAmplitudeCompression], "振幅圧縮機能のON/OFF");
}

}  // namespace
}  // namespace fernplot
