// SPDX-License-Identifier: MIT
#include "graph/info_items.h"

#include <algorithm>

#include "graph/bode_stages.h"
#include "graph/format.h"
#include "text/number_text.h"

namespace fernplot {

void PlaceInfoText(InfoCursor& cursor, std::vector<InfoItem>& items, std::string text, int category,
                   double widthMm, double fontHeightMm) {
  const double lineHeight = fontHeightMm + kInfoLineGap;
  if (cursor.flags & kFlowFromRight) {
    if (cursor.x - cursor.leftX < widthMm) {
      cursor.x = cursor.rightX;
      cursor.y += lineHeight;
    }
    items.push_back(InfoItem{-cursor.x, cursor.y, std::move(text), category});
    cursor.x -= widthMm;
    if (cursor.flags & kFlowEndLine) {
      cursor.x = cursor.rightX;
      cursor.y += lineHeight;
    }
    return;
  }
  // A text wider than the whole line also moves down first, then runs past
  // the right limit.
  if (cursor.rightX - cursor.x < widthMm) {
    cursor.x = cursor.leftX;
    cursor.y += lineHeight;
  }
  items.push_back(InfoItem{cursor.x, cursor.y, std::move(text), category});
  cursor.x += widthMm;
  if (cursor.flags & kFlowEndLine) {
    cursor.x = cursor.leftX;
    cursor.y += lineHeight;
  }
}

namespace {

const char* OnOff(uint32_t v) {
  return v ? "ON" : "OFF";
}

// Every text of the block, marked for translation: the context names the
// block, the source text is the format with its numbers left out.
constexpr const char* kInfo = "InfoBlock";

const char* WaveformText(int waveform) {
  if (waveform == 1) return FERNPLOT_TEXT("InfoBlock", "方形波");
  if (waveform == 2) return FERNPLOT_TEXT("InfoBlock", "三角波");
  return FERNPLOT_TEXT("InfoBlock", "正弦波");
}

const char* ModeText(int mode, ChannelRatio ratio) {
  const bool ch1ch2 = ratio == ChannelRatio::kCh1Ch2;
  if (mode == 1) return ch1ch2 ? "CH1/OSC" : "OSC/CH1";
  if (mode == 2) return ch1ch2 ? "OSC/CH2" : "CH2/OSC";
  return ch1ch2 ? "CH1/CH2" : "CH2/CH1";
}

const char* PhaseRangeText(uint32_t range) {
  if (range == 0) return "±180deg";
  if (range == 1) return FERNPLOT_TEXT("InfoBlock", "0～360deg");
  return FERNPLOT_TEXT("InfoBlock", "-360～0deg");
}

// Counts (integration, delay): seconds in exponent form or a number of cycles.
std::string CountText(int kind, double value, const TextTranslator* tr) {
  if (kind == 1) return StringPrintf("%s[s]  ", FormatSeconds(value).c_str());
  return FormatFixedPoint(value, 0) + Translate(tr, kInfo, FERNPLOT_TEXT("InfoBlock", "回  "));
}

}  // namespace

std::string InfoItemText(int item, const MeasurementData& d, const GraphProperties& props,
                         const PageFacts& facts, const std::string& fileName,
                         const TextTranslator* tr) {
  // A source text (a printf format or a plain text) in the page's language.
  const auto f = [tr](const char* source) { return Translate(tr, kInfo, source); };
  switch (item) {
    case kItemFileName:
      // An imported file has no data title: its whole name stands instead.
      return d.imported ? d.imported->fileName : fileName;
    case kItemCreationDate:
      return StringPrintf(
          f(FERNPLOT_TEXT("InfoBlock", "データ生成日時： %d.%02d.%02d %d:%02d")).c_str(), d.year,
          d.month, d.day, d.hour, d.minute);
    case kItemDataTitle:
      return StringPrintf(f(FERNPLOT_TEXT("InfoBlock", "データ タイトル： %s")).c_str(),
                          facts.dataTitle.c_str());
    case kItemModelVersion:
      return StringPrintf(f(FERNPLOT_TEXT("InfoBlock", "品名： %s  ﾊﾞｰｼﾞｮﾝ： %s")).c_str(),
                          d.modelName.c_str(), d.version.c_str());
    case kItemOscAmplitude:
      return StringPrintf(f(FERNPLOT_TEXT("InfoBlock", "OSC.振幅値＝%sVpeak  ")).c_str(),
                          FormatAmplitude(d.oscAmplitude).c_str());
    case kItemOscDcBias:
      return StringPrintf(f(FERNPLOT_TEXT("InfoBlock", "OSC.DCﾊﾞｲｱｽ＝%sV  ")).c_str(),
                          FormatBias(d.oscDcBias).c_str());
    case kItemOscWaveform:
      return StringPrintf(f(FERNPLOT_TEXT("InfoBlock", "OSC.波形＝%s  ")).c_str(),
                          f(WaveformText(d.oscWaveform)).c_str());
    case kItemSweepMin:
      return StringPrintf(f(FERNPLOT_TEXT("InfoBlock", "ｽｲｰﾌﾟ最小周波数＝%sHz  ")).c_str(),
                          FormatFrequency(d.sweepMinFrequency).c_str());
    case kItemSweepMax:
      return StringPrintf(f(FERNPLOT_TEXT("InfoBlock", "ｽｲｰﾌﾟ最大周波数＝%sHz  ")).c_str(),
                          FormatFrequency(d.sweepMaxFrequency).c_str());
    case kItemResolution: {
      std::string out = f(FERNPLOT_TEXT("InfoBlock", "ｽｲｰﾌﾟ分解能＝"));
      if (d.resolutionKind == 1) {
        out += FormatFixedPoint(d.resolution, 0) + "Steps/Decade  ";
      } else if (d.resolutionKind == 3) {
        out += StringPrintf("%sHz  ", FormatFrequency(d.resolution).c_str());
      } else {
        out += FormatFixedPoint(d.resolution, 0) + "Steps/Sweep  ";
      }
      return out;
    }
    case kItemIntegration:
      return f(FERNPLOT_TEXT("InfoBlock", "積分回数＝")) +
             CountText(d.integrationKind, d.integration, tr);
    case kItemDelay:
      return f(FERNPLOT_TEXT("InfoBlock", "遅延時間＝")) + CountText(d.delayKind, d.delay, tr);
    case kItemHarmonicOrder:
      return StringPrintf(f(FERNPLOT_TEXT("InfoBlock", "高調波分析次数＝%d  ")).c_str(),
                          d.harmonicOrder);
    case kItemMeasurementMode:
      return StringPrintf(f(FERNPLOT_TEXT("InfoBlock", "測定ﾓｰﾄﾞ＝%s  ")).c_str(),
                          ModeText(d.measurementMode, props.calcType));
    case kItemAutoIntegration:
      return StringPrintf(f(FERNPLOT_TEXT("InfoBlock", "自動積分機能＝%s  ")).c_str(),
                          OnOff(d.autoIntegration));
    case kItemAmplitudeCompression:
      return StringPrintf(f(FERNPLOT_TEXT("InfoBlock", "振幅圧縮機能＝%s  ")).c_str(),
                          OnOff(d.amplitudeCompression));
    case kItemHighDensitySweep:
      return StringPrintf(f(FERNPLOT_TEXT("InfoBlock", "高密度掃引機能＝%s  ")).c_str(),
                          OnOff(d.highDensitySweep));
    case kItemPhaseRange:
      return StringPrintf(f(FERNPLOT_TEXT("InfoBlock", "位相表示レンジ＝%s")).c_str(),
                          f(PhaseRangeText(d.phaseRange)).c_str());
    default:
      return {};
  }
}

int InfoItemCategory(int item) {
  switch (item) {
    case kItemFileName:
      return kFontFileName;
    case kItemDataTitle:
      return kFontDataTitle;
    case kItemCreationDate:
      return kFontCreationDate;
    default:
      return kFontOther;
  }
}

// The minimum sweep frequency comes before the maximum.
const std::vector<int> kLowerItemOrder = {
    kItemModelVersion,         kItemOscAmplitude,     kItemOscDcBias,
    kItemOscWaveform,          kItemSweepMin,         kItemSweepMax,
    kItemResolution,           kItemIntegration,      kItemDelay,
    kItemHarmonicOrder,        kItemMeasurementMode,  kItemAutoIntegration,
    kItemAmplitudeCompression, kItemHighDensitySweep, kItemPhaseRange,
};

namespace {
bool Shown(const GraphPage& page, int item) {
  return page.properties.itemFlags[static_cast<size_t>(item)] != 0;
}

void Place(const GraphPage& page, const PageText& t, InfoCursor& cursor, int item,
           std::vector<InfoItem>& items) {
  const int category = InfoItemCategory(item);
  std::string text =
      InfoItemText(item, page.data, page.properties, page.facts, page.fileName, t.Translator());
  const double width = t.Width(category, text);
  PlaceInfoText(cursor, items, std::move(text), category, width, t.Height(category));
}

// What an imported trace is, in place of the instrument settings it does
// not have: shown where the model and version would be.
void PlaceImportedItems(const GraphPage& page, const PageText& t, InfoCursor& cursor,
                        std::vector<InfoItem>& items) {
  const ImportedSource& source = *page.data.imported;
  const auto f = [&t](const char* text) { return Translate(t.Translator(), kInfo, text); };
  std::vector<std::string> texts;
  texts.push_back(
      StringPrintf(f(FERNPLOT_TEXT("InfoBlock", "形式： %s  ")).c_str(), source.format.c_str()));
  if (!source.traceName.empty()) {
    texts.push_back(StringPrintf(f(FERNPLOT_TEXT("InfoBlock", "トレース： %s  ")).c_str(),
                                 ShownName(source.traceName).c_str()));
  }
  // Said only when the file's header changed how its numbers were read.
  const bool units = !source.units.empty();
  texts.push_back(StringPrintf(f(units ? FERNPLOT_TEXT("InfoBlock", "点数： %zu  ")
                                       : FERNPLOT_TEXT("InfoBlock", "点数： %zu"))
                                   .c_str(),
                               source.pointCount));
  if (units) {
    texts.push_back(
        StringPrintf(f(FERNPLOT_TEXT("InfoBlock", "単位： %s")).c_str(), source.units.c_str()));
  }
  for (std::string& text : texts) {
    cursor.flags = 0;
    const double width = t.Width(kFontOther, text);
    PlaceInfoText(cursor, items, std::move(text), kFontOther, width, t.Height(kFontOther));
  }
}
}  // namespace

void PlaceHeaderItems(const GraphPage& page, const PageText& t, InfoCursor& cursor,
                      std::vector<InfoItem>& items) {
  const bool imported = page.data.imported.has_value();
  const bool fileName = Shown(page, kItemFileName);
  const bool date = Shown(page, kItemCreationDate) && !imported;
  if (fileName) Place(page, t, cursor, kItemFileName, items);
  if (date) {
    cursor.x = cursor.rightX;
    cursor.flags = kFlowFromRight;
    Place(page, t, cursor, kItemCreationDate, items);
  }
  if (fileName || date) {
    // The header line is as high as the larger of the two fonts, whichever
    // of the two texts is shown.
    cursor.y += std::max(t.Height(kFontFileName), t.Height(kFontCreationDate)) + kInfoLineGap;
    cursor.x = cursor.leftX;
  }
  if (Shown(page, kItemDataTitle) && !imported) {
    cursor.x = cursor.leftX;
    cursor.flags = kFlowEndLine;
    Place(page, t, cursor, kItemDataTitle, items);
  }
}

void PlaceLowerItems(const GraphPage& page, const PageText& t, InfoCursor& cursor,
                     std::vector<InfoItem>& items) {
  if (page.data.imported) {
    if (Shown(page, kItemModelVersion)) PlaceImportedItems(page, t, cursor, items);
    return;
  }
  for (int item : kLowerItemOrder) {
    if (!Shown(page, item)) continue;
    // Model and version always end their line; the rest flow and wrap.
    cursor.flags = item == kItemModelVersion ? kFlowEndLine : 0;
    Place(page, t, cursor, item, items);
  }
}

void DrawInfoTexts(const BodeStages& b, DrawingDocument& d) {
  for (const InfoItem& item : b.layout.info) {
    const int font = b.text.Font(item.category);
    const Colour color = b.text.Color(item.category);
    if (item.x >= 0.0) {
      d.AddTextLeft(item.x, item.y, item.text, font, color);
    } else {
      d.AddTextRight(-item.x, item.y, item.text, font, color);
    }
  }
}

}  // namespace fernplot
