// SPDX-License-Identifier: MIT
#include "props/graph_properties.h"

namespace fernplot {

// Shown by the property sheet, which translates them.
const std::array<std::string_view, kFontCategoryCount> kFontCategoryNames = {
    FERNPLOT_TEXT("PropertySheet", "ファイル名"),
    FERNPLOT_TEXT("PropertySheet", "データ･タイトル"),
    FERNPLOT_TEXT("PropertySheet", "データ生成日時"),
    FERNPLOT_TEXT("PropertySheet", "グラフのタイトル"),
    FERNPLOT_TEXT("PropertySheet", "周波数の軸名"),
    FERNPLOT_TEXT("PropertySheet", "周波数の目盛"),
    FERNPLOT_TEXT("PropertySheet", "ゲインの軸名"),
    FERNPLOT_TEXT("PropertySheet", "ゲインの目盛"),
    FERNPLOT_TEXT("PropertySheet", "位相の軸名"),
    FERNPLOT_TEXT("PropertySheet", "位相の目盛"),
    FERNPLOT_TEXT("PropertySheet", "上記以外の文字"),
};

const std::array<std::string_view, kItemCount> kItemLabels = {
    FERNPLOT_TEXT("PropertySheet", "ﾌｧｲﾙ名"),
    FERNPLOT_TEXT("PropertySheet", "ﾃﾞｰﾀのﾀｲﾄﾙ"),
    FERNPLOT_TEXT("PropertySheet", "ﾃﾞｰﾀの生成日時"),
    FERNPLOT_TEXT("PropertySheet", "品名とﾊﾞｰｼﾞｮﾝ"),
    FERNPLOT_TEXT("PropertySheet", "OSCの振幅値"),
    FERNPLOT_TEXT("PropertySheet", "OSCのDCﾊﾞｲｱｽ値"),
    FERNPLOT_TEXT("PropertySheet", "OSCの波形"),
    FERNPLOT_TEXT("PropertySheet", "ｽｲｰﾌﾟ最大周波数"),
    FERNPLOT_TEXT("PropertySheet", "ｽｲｰﾌﾟ最小周波数"),
    FERNPLOT_TEXT("PropertySheet", "ｽｲｰﾌﾟ分解能"),
    FERNPLOT_TEXT("PropertySheet", "積分回数"),
    FERNPLOT_TEXT("PropertySheet", "遅延時間"),
    FERNPLOT_TEXT("PropertySheet", "高調波分析次数"),
    FERNPLOT_TEXT("PropertySheet", "測定ﾓｰﾄﾞ"),
    FERNPLOT_TEXT("PropertySheet", "自動積分機能のON/OFF"),
    FERNPLOT_TEXT("PropertySheet", "振幅圧縮機能のON/OFF"),
    FERNPLOT_TEXT("PropertySheet", "高密度掃引機能のON/OFF"),
    FERNPLOT_TEXT("PropertySheet", "位相表示レンジ"),
};

namespace {

AxisSettings Axis(int32_t id, ScaleType scaleType, float length, float margin1, float margin2,
                  int32_t gridLines, const char* caption) {
  AxisSettings axis;
  axis.axisId = id;
  axis.scaleType = scaleType;
  axis.length = length;
  axis.margin1 = margin1;
  axis.margin2 = margin2;
  axis.useDataMin = 1;
  axis.useDataMax = 1;
  axis.autoDivision = 1;
  axis.gridLines = gridLines;
  axis.caption = caption;
  return axis;
}

struct FontDefault {
  int32_t size;
  int32_t bold;
  Colour color;
};

constexpr std::array<FontDefault, kFontCategoryCount> kFontDefaults = {{
    {12, 1, Rgb(0, 0, 0)},
    {9, 0, Rgb(0, 0, 0)},
    {9, 0, Rgb(0, 0, 0)},
    {12, 0, Rgb(0, 0, 127)},
    {9, 0, Rgb(0, 0, 0)},
    {9, 0, Rgb(0, 0, 0)},
    {9, 1, Rgb(230, 0, 0)},
    {9, 1, Rgb(230, 0, 0)},
    {9, 0, Rgb(0, 0, 192)},
    {9, 0, Rgb(0, 0, 192)},
    {9, 0, Rgb(0, 0, 0)},
}};

}  // namespace

void SetFactoryDefaults(GraphProperties& props) {
  props = GraphProperties{};
  props.title = kFactoryGraphTitle;
  props.calcType = ChannelRatio::kCh1Ch2;
  props.backgroundColor = Rgb(255, 255, 230);
  props.gainLineColor = Rgb(230, 0, 0);
  props.phaseLineColor = Rgb(0, 0, 192);
  props.gainLineBoldOnPrint = 1;
  props.phaseLineBoldOnPrint = 0;
  props.HT.axisId = kAxisHT;
  props.HB = Axis(kAxisHB, ScaleType::kLog, 225.0f, 0.0f, 5.0f, 1, "FREQUENCY [Hz]");
  props.VL = Axis(kAxisVL, ScaleType::kLin, 120.0f, 5.0f, 5.0f, 0, "GAIN [dB]");
  props.VR = Axis(kAxisVR, ScaleType::kLin, 120.0f, 5.0f, 5.0f, 0, "PHASE [deg]");
  props.itemFlags.fill(1);
  for (int i = 0; i < kFontCategoryCount; ++i) {
    FontSetting& font = props.fonts[static_cast<size_t>(i)];
    const FontDefault& d = kFontDefaults[static_cast<size_t>(i)];
    font.faceName = "ＭＳ Ｐゴシック";
    font.size = d.size;
    font.bold = d.bold;
    font.ansiCharset = 0;
    font.color = d.color;
  }
}

GraphProperties FactoryDefaults() {
  GraphProperties props;
  SetFactoryDefaults(props);
  return props;
}

}  // namespace fernplot
