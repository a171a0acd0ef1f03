// SPDX-License-Identifier: MIT
#include "props/settings_lines.h"

#include <array>
#include <charconv>
#include <cmath>
#include <cstdint>
#include <cstdio>
#include <optional>
#include <span>

#include "analysis/loop_kinds.h"
#include "analysis/view_rows.h"
#include "props/page_limits.h"
#include "text/number_text.h"

namespace fernplot {
namespace {

using Scanned = std::span<const ScanField>;

// One field of a line, both ways: its conversions in the pattern language of
// ScanLine (three for a colour), how the value of the kind's i-th line is
// written, and how the scanned fields are taken into the values (false: not
// a value this copy reads).
struct Field {
  std::string_view conversion;
  void (*write)(std::string& out, const SettingsValues& v, size_t i);
  bool (*read)(SettingsValues& v, size_t i, Scanned f, Cp932Decoder& decoder);
};

// The first field of a kind with several lines, naming which one it is
// (COLOR 0, AXIS HB).
struct Key {
  std::string_view conversion;
  size_t count;  // lines of the kind in a written file
  std::string (*write)(size_t i);
  // The line a scanned key names; count when none.
  size_t (*line)(const ScanField& f);
};

// A line kind: a keyword, then " = ", then its fields. Written lines pad the
// keyword to five characters and separate the fields by one blank; a blank
// in a pattern matches any run of blanks, so the reader takes both.
struct LineKind {
  std::string_view keyword;
  std::optional<Key> key;
  std::vector<Field> fields;
  // Written after the fields as a note for whoever reads the file; not read.
  std::string (*comment)(size_t i) = nullptr;
  // Kinds written only when not at the factory value, so that a file of
  // factory settings stays as older copies wrote it (they skip such lines).
  bool (*written)(const SettingsValues& v, size_t i) = nullptr;
  // Whether the values read can be drawn; a line whose values cannot is
  // ignored as a whole.
  bool (*usable)(const SettingsValues& v, size_t i) = nullptr;
  // The newer kinds are written "KEYWORD = VALUE", without the padding.
  bool padded = true;

  size_t Count() const { return key ? key->count : 1; }
};

const char* YesNo(int32_t flag) {
  return flag ? "Y" : "N";
}

bool FirstIs(const std::string& word, char c) {
  return !word.empty() && word[0] == c;
}

// A yes/no value: Y... or N..., else none.
std::optional<bool> YesOrNo(const std::string& word) {
  if (FirstIs(word, 'Y')) return true;
  if (FirstIs(word, 'N')) return false;
  return std::nullopt;
}

std::string Colour3(Colour c) {
  char text[16];
  std::snprintf(text, sizeof text, "%03u %03u %03u", RedOf(c), GreenOf(c), BlueOf(c));
  return text;
}

Colour ColourOf(Scanned f) {
  return Rgb(static_cast<unsigned>(f[0].integer), static_cast<unsigned>(f[1].integer),
             static_cast<unsigned>(f[2].integer));
}

std::string Text(Cp932Decoder& decoder, const std::string& cp932, size_t fieldBytes) {
  return decoder.Decode(CutCp932Bytes(cp932, fieldBytes));
}

// A key that is a number from `first` on.
template <int32_t first>
std::string NumberKey(size_t i) {
  return std::to_string(static_cast<int32_t>(i) + first);
}
template <int32_t first, size_t count>
size_t NumberedLine(const ScanField& f) {
  const int64_t i = static_cast<int64_t>(f.integer) - first;
  return i >= 0 && i < static_cast<int64_t>(count) ? static_cast<size_t>(i) : count;
}

constexpr std::array<const char*, 4> kAxisCodes{"HT", "HB", "VL", "VR"};
constexpr std::array<AxisSettings GraphProperties::*, 4> kAxes{
    &GraphProperties::HT, &GraphProperties::HB, &GraphProperties::VL, &GraphProperties::VR};

AxisSettings& AxisOf(SettingsValues& v, size_t i) {
  return v.props.*kAxes[i];
}
const AxisSettings& AxisOf(const SettingsValues& v, size_t i) {
  return v.props.*kAxes[i];
}

template <auto member, int decimals, int width>
Field AxisNumber() {
  return {"%f",
          [](std::string& out, const SettingsValues& v, size_t i) {
            out += FormatFixedPoint(AxisOf(v, i).*member, decimals, width);
          },
          [](SettingsValues& v, size_t i, Scanned f, Cp932Decoder&) {
            AxisOf(v, i).*member = f[0].number;
            return true;
          }};
}

template <auto member>
Field AxisYesNo() {
  return {"%s",
          [](std::string& out, const SettingsValues& v, size_t i) {
            out += YesNo(AxisOf(v, i).*member);
          },
          [](SettingsValues& v, size_t i, Scanned f, Cp932Decoder&) {
            AxisOf(v, i).*member = FirstIs(f[0].text, 'Y');
            return true;
          }};
}

// Whether an axis can be drawn at all: every number finite, a length and a
// graph area (the length less both margins) above zero, and a positive
// interval for a manual division (it would never end otherwise), on a page
// within the output limits. Any other value is drawn as written, however far
// it lies from what the property sheet offers: the file is meant to be
// edited by hand.
bool AxisUsable(const SettingsValues& v, size_t i) {
  const AxisSettings& a = AxisOf(v, i);
  for (double value : {static_cast<double>(a.length), static_cast<double>(a.margin1),
                       static_cast<double>(a.margin2), a.rangeMin, a.rangeMax, a.interval}) {
    if (!std::isfinite(value)) return false;
  }
  // The top axis is never drawn and is saved as zeros; only its length
  // counts, towards the width of the page.
  if (&a != &v.props.HT) {
    const double length = a.length;
    if (!(length > 0) || !(length - a.margin1 - a.margin2 > 0)) return false;
    if (!a.autoDivision && !(a.interval > 0)) return false;
  }
  return PageWithinLimits(v.props);
}

constexpr std::array<Colour GraphProperties::*, 3> kLineColours{&GraphProperties::backgroundColor,
                                                                &GraphProperties::gainLineColor,
                                                                &GraphProperties::phaseLineColor};
constexpr std::array<int32_t GraphProperties::*, 2> kLineWidths{
    &GraphProperties::gainLineBoldOnPrint, &GraphProperties::phaseLineBoldOnPrint};
constexpr std::array<const char*, 3> kColourNotes{" ;ｸﾞﾗﾌ背景", " ;ｹﾞｲﾝの線", " ;位相の線"};

// The words of the LOOP line, by LoopCurve (the VIEW line's are the views'
// own rows).
constexpr std::array<std::string_view, 3> kLoopWords{{"OPEN", "CLOSED", "SENSITIVITY"}};
constexpr std::array<std::string_view, 2> kApertureWords{{"POINTS", "OCTAVE"}};
// Whether a page is a loop measurement: decided from its figures (never
// written), or said by the user.
constexpr std::array<std::string_view, 3> kLoopJudgementWords{{"AUTO", "YES", "NO"}};
constexpr std::array<std::string_view, 2> kSwitchWords{{"ON", "OFF"}};

// The index of `word` in `words`, or -1.
template <size_t N>
int WordIndex(const std::array<std::string_view, N>& words, const std::string& word) {
  for (size_t k = 0; k < N; ++k) {
    if (word == words[k]) return static_cast<int>(k);
  }
  return -1;
}

// The words of the RIGHT_AXIS line, by RightAxisQuantity.
constexpr std::array<std::string_view, kRightAxisQuantityCount> kRightAxisWords{
    {"PHASE", "UNWRAPPED", "DELAY"}};

const FontSetting& FontOf(const SettingsValues& v, size_t i) {
  return v.props.fonts[i];
}
FontSetting& FontOf(SettingsValues& v, size_t i) {
  return v.props.fonts[i];
}

// A double property written as the shortest text that reads back exactly,
// and read as a double (not through the float of %f); a value `Valid`
// refuses leaves the property as it was.
template <double GraphProperties::*Member, bool (*Valid)(double)>
Field DoubleField() {
  return {"%s",
          [](std::string& out, const SettingsValues& v, size_t) {
            char number[32];
            const auto [end, ec] = std::to_chars(number, number + sizeof number, v.props.*Member);
            if (ec == std::errc()) out.append(number, end);
          },
          [](SettingsValues& v, size_t, Scanned f, Cp932Decoder&) {
            double value = 0.0;
            const std::string& text = f[0].text;
            const auto [end, ec] = std::from_chars(text.data(), text.data() + text.size(), value);
            if (ec != std::errc() || end != text.data() + text.size() || !Valid(value)) return false;
            v.props.*Member = value;
            return true;
          }};
}

std::vector<LineKind> MakeLineKinds() {
  using V = SettingsValues;
  using D = Cp932Decoder;
  std::vector<LineKind> kinds;
  kinds.push_back({"TITLE",
                   std::nullopt,
                   {{"%[^\n]", [](std::string& out, const V& v, size_t) { out += v.props.title; },
                     [](V& v, size_t, Scanned f, D& d) {
                       v.props.title = Text(d, f[0].text, kTitleBytes);
                       return true;
                     }}}});
  kinds.push_back({"CALC",
                   std::nullopt,
                   {{"%[^\n]",
                     [](std::string& out, const V& v, size_t) {
                       out += v.props.calcType == ChannelRatio::kCh1Ch2 ? "CH1/CH2" : "CH2/CH1";
                     },
                     [](V& v, size_t, Scanned f, D&) {
                       // Any other word has always meant CH2/CH1.
                       v.props.calcType =
                           f[0].text == "CH1/CH2" ? ChannelRatio::kCh1Ch2 : ChannelRatio::kCh2Ch1;
                       return true;
                     }}}});
  kinds.push_back(
      {"COLOR",
       Key{"%d", 3, NumberKey<0>, NumberedLine<0, 3>},
       {{"%d%d%d",
         [](std::string& out, const V& v, size_t i) { out += Colour3(v.props.*kLineColours[i]); },
         [](V& v, size_t i, Scanned f, D&) {
           v.props.*kLineColours[i] = ColourOf(f);
           return true;
         }}},
       [](size_t i) { return std::string(kColourNotes[i]); }});
  kinds.push_back({"LINE",
                   Key{"%d", 2, NumberKey<1>, NumberedLine<1, 2>},
                   {{"%s",
                     [](std::string& out, const V& v, size_t i) {
                       out += v.props.*kLineWidths[i] ? "BOLD" : "RGLR";
                     },
                     [](V& v, size_t i, Scanned f, D&) {
                       v.props.*kLineWidths[i] = f[0].text == "BOLD";
                       return true;
                     }}},
                   [](size_t i) { return std::string(kColourNotes[i + 1]); }});
  kinds.push_back(
      {"AXIS",
       Key{"%s", kAxes.size(), [](size_t i) { return std::string(kAxisCodes[i]); },
           [](const ScanField& f) {
             size_t i = 0;
             while (i < kAxisCodes.size() && f.text != kAxisCodes[i]) ++i;
             return i;
           }},
       {{"%d",
         [](std::string& out, const V& v, size_t i) {
           out += std::to_string(static_cast<int32_t>(AxisOf(v, i).scaleType));
         },
         [](V& v, size_t i, Scanned f, D&) {
           AxisOf(v, i).scaleType = ScaleTypeOf(f[0].integer);
           return true;
         }},
        AxisNumber<&AxisSettings::length, 1, 5>(),
        AxisNumber<&AxisSettings::margin1, 1, 4>(),
        AxisNumber<&AxisSettings::margin2, 1, 4>(),
        AxisYesNo<&AxisSettings::useDataMin>(),
        AxisNumber<&AxisSettings::rangeMin, 4, 0>(),
        AxisYesNo<&AxisSettings::useDataMax>(),
        AxisNumber<&AxisSettings::rangeMax, 4, 0>(),
        // Automatic division, then (not on the top axis) 1, or 2 for tight.
        {"%s",
         [](std::string& out, const V& v, size_t i) {
           const AxisSettings& a = AxisOf(v, i);
           out += YesNo(a.autoDivision);
           if (&a != &v.props.HT) out += a.tight ? '2' : '1';
         },
         [](V& v, size_t i, Scanned f, D&) {
           AxisOf(v, i).autoDivision = FirstIs(f[0].text, 'Y');
           AxisOf(v, i).tight = f[0].text.size() > 1 && f[0].text[1] == '2';
           return true;
         }},
        AxisNumber<&AxisSettings::interval, 4, 0>(),
        AxisYesNo<&AxisSettings::gridLines>(),
        {"%[^\n]", [](std::string& out, const V& v, size_t i) { out += AxisOf(v, i).caption; },
         [](V& v, size_t i, Scanned f, D& d) {
           AxisOf(v, i).caption = Text(d, f[0].text, kCaptionBytes);
           return true;
         }}},
       nullptr,
       nullptr,
       AxisUsable});
  kinds.push_back({"ITEM",
                   std::nullopt,
                   {{"%s",
                     [](std::string& out, const V& v, size_t) {
                       for (int32_t flag : v.props.itemFlags) out += YesNo(flag);
                     },
                     [](V& v, size_t, Scanned f, D&) {
                       for (size_t k = 0; k < kItemCount; ++k) {
                         v.props.itemFlags[k] = k < f[0].text.size() && f[0].text[k] == 'Y';
                       }
                       return true;
                     }}}});
  kinds.push_back(
      {"FONT",
       Key{"%d", kFontCategoryCount,
           [](size_t i) {
             char key[16];
             std::snprintf(key, sizeof key, "%-2d", static_cast<int>(i) + 1);
             return std::string(key);
           },
           NumberedLine<1, kFontCategoryCount>},
       {{"%d%d%d",
         [](std::string& out, const V& v, size_t i) { out += Colour3(FontOf(v, i).color); },
         [](V& v, size_t i, Scanned f, D&) {
           FontOf(v, i).color = ColourOf(f);
           return true;
         }},
        {"%s",
         [](std::string& out, const V& v, size_t i) {
           out += FontOf(v, i).ansiCharset ? "ANSI" : "SJIS";
         },
         [](V& v, size_t i, Scanned f, D&) {
           FontOf(v, i).ansiCharset = f[0].text == "ANSI";
           return true;
         }},
        {"%s",
         [](std::string& out, const V& v, size_t i) { out += FontOf(v, i).bold ? "BOLD" : "RGLR"; },
         [](V& v, size_t i, Scanned f, D&) {
           FontOf(v, i).bold = f[0].text == "BOLD";
           return true;
         }},
        {"%d",
         [](std::string& out, const V& v, size_t i) {
           char size[16];
           std::snprintf(size, sizeof size, "%2d", FontOf(v, i).size);
           out += size;
         },
         [](V& v, size_t i, Scanned f, D&) {
           FontOf(v, i).size = f[0].integer;
           return f[0].integer > 0;
         }},
        {"%[^\n]", [](std::string& out, const V& v, size_t i) { out += FontOf(v, i).faceName; },
         [](V& v, size_t i, Scanned f, D& d) {
           FontOf(v, i).faceName = Text(d, f[0].text, kFaceNameBytes);
           return true;
         }}},
       nullptr,
       nullptr,
       [](const V& v, size_t) { return PageWithinLimits(v.props); }});
  kinds.push_back({"CROSS_HAIRS_CURSOR",
                   std::nullopt,
                   {{"%s", [](std::string& out, const V& v, size_t) { out += YesNo(v.crossHair); },
                     [](V& v, size_t, Scanned f, D&) {
                       const std::optional<bool> on = YesOrNo(f[0].text);
                       if (on) v.crossHair = *on;
                       return on.has_value();
                     }}}});
  kinds.push_back({"DATA_FILE_PATH",
                   std::nullopt,
                   {{"%[^\n]", [](std::string& out, const V& v, size_t) { out += v.dataFilePath; },
                     [](V& v, size_t, Scanned f, D& d) {
                       v.dataFilePath = Text(d, f[0].text, kDataFilePathBytes);
                       return true;
                     }}}});
  kinds.push_back(
      {"OVERLAY_COLOR",
       Key{"%d", kOverlayPaletteSize, NumberKey<1>, NumberedLine<1, kOverlayPaletteSize>},
       {{"%d%d%d",
         [](std::string& out, const V& v, size_t i) {
           out += Colour3(v.props.overlayStyle.palette[i]);
         },
         [](V& v, size_t i, Scanned f, D&) {
           v.props.overlayStyle.palette[i] = ColourOf(f);
           return true;
         }}},
       [](size_t i) { return " ;ｵｰﾊﾞｰﾚｲ" + std::to_string(i + 1); },
       [](const V& v, size_t i) {
         return v.props.overlayStyle.palette[i] != OverlayStyle{}.palette[i];
       }});
  kinds.push_back(
      {"OVERLAY_LEGEND",
       std::nullopt,
       {{"%s",
         [](std::string& out, const V& v, size_t) { out += YesNo(v.props.overlayStyle.legend); },
         [](V& v, size_t, Scanned f, D&) {
           const std::optional<bool> on = YesOrNo(f[0].text);
           if (on) v.props.overlayStyle.legend = *on;
           return on.has_value();
         }}},
       [](size_t) { return std::string(" ;凡例"); },
       [](const V& v, size_t) { return v.props.overlayStyle.legend != OverlayStyle{}.legend; }});
  kinds.push_back({"MARGIN_REF",
                   std::nullopt,
                   {{"%d",
                     [](std::string& out, const V& v, size_t) {
                       out += v.props.marginReferenceZero ? "0" : "-180";
                     },
                     // Only the two references exist.
                     [](V& v, size_t, Scanned f, D&) {
                       if (f[0].integer != 0 && f[0].integer != -180) return false;
                       v.props.marginReferenceZero = f[0].integer == 0;
                       return true;
                     }}},
                   nullptr,
                   [](const V& v, size_t) { return v.props.marginReferenceZero != 0; }});
  kinds.push_back({"RIGHT_AXIS",
                   std::nullopt,
                   {{"%s",
                     [](std::string& out, const V& v, size_t) {
                       out += kRightAxisWords[static_cast<size_t>(v.props.rightAxis)];
                     },
                     // An unknown word (a later copy's quantity) is not read.
                     [](V& v, size_t, Scanned f, D&) {
                       for (size_t k = 0; k < kRightAxisWords.size(); ++k) {
                         if (f[0].text != kRightAxisWords[k]) continue;
                         v.props.rightAxis = static_cast<int32_t>(k);
                         return true;
                       }
                       return false;
                     }}},
                   nullptr,
                   [](const V& v, size_t) {
                     return v.props.rightAxis > 0 && v.props.rightAxis < kRightAxisQuantityCount;
                   }});
  // The loop views' page defaults: the view, the curve shown, the Nyquist
  // radius. The first word of each list is the factory value.
  kinds.push_back({"VIEW",
                   std::nullopt,
                   {{"%s",
                     [](std::string& out, const V& v, size_t) {
                       out += RowOf(v.props.view).settingsWord;
                     },
                     [](V& v, size_t, Scanned f, D&) {
                       const std::optional<ViewKind> k = ViewOfSettingsWord(f[0].text);
                       if (k) v.props.view = *k;
                       return k.has_value();
                     }}},
                   nullptr,
                   [](const V& v, size_t) {
                     return v.props.view != kViewRows.front().kind &&
                            RowOf(v.props.view).kind == v.props.view;
                   },
                   nullptr,
                   false});
  kinds.push_back({"LOOP",
                   std::nullopt,
                   {{"%s",
                     [](std::string& out, const V& v, size_t) {
                       out += kLoopWords[static_cast<size_t>(v.props.loopCurve)];
                     },
                     [](V& v, size_t, Scanned f, D&) {
                       const int k = WordIndex(kLoopWords, f[0].text);
                       if (k >= 0) v.props.loopCurve = static_cast<LoopCurve>(k);
                       return k >= 0;
                     }}},
                   nullptr,
                   [](const V& v, size_t) {
                     const auto k = static_cast<size_t>(v.props.loopCurve);
                     return k > 0 && k < kLoopWords.size();
                   },
                   nullptr,
                   false});
  kinds.push_back({"NYQUIST_RADIUS",
                   std::nullopt,
                   {DoubleField<&GraphProperties::nyquistRadius, IsNyquistRadius>()},
                   nullptr,
                   [](const V& v, size_t) {
                     const double r = v.props.nyquistRadius;
                     return r != kDefaultNyquistRadius && IsNyquistRadius(r);
                   },
                   nullptr,
                   false});
  kinds.push_back({"LOOP_MEASUREMENT",
                   std::nullopt,
                   {{"%s",
                     [](std::string& out, const V& v, size_t) {
                       out += kLoopJudgementWords[static_cast<size_t>(v.props.loopJudgement)];
                     },
                     [](V& v, size_t, Scanned f, D&) {
                       const int k = WordIndex(kLoopJudgementWords, f[0].text);
                       if (k >= 0) v.props.loopJudgement = static_cast<LoopJudgement>(k);
                       return k >= 0;
                     }}},
                   nullptr,
                   [](const V& v, size_t) {
                     const auto k = static_cast<size_t>(v.props.loopJudgement);
                     return k > 0 && k < kLoopJudgementWords.size();
                   },
                   nullptr,
                   false});
  // The group delay's aperture: "5 POINTS" or "0.25 OCTAVE".
  kinds.push_back(
      {"DELAY_APERTURE",
       std::nullopt,
       {{"%s",
         [](std::string& out, const V& v, size_t) {
           char number[32];
           const auto [end, ec] =
               std::to_chars(number, number + sizeof number, v.props.delayAperture.width);
           if (ec == std::errc()) out.append(number, end);
         },
         [](V& v, size_t, Scanned f, D&) {
           double width = 0.0;
           const std::string& text = f[0].text;
           const auto [end, ec] = std::from_chars(text.data(), text.data() + text.size(), width);
           if (ec != std::errc() || end != text.data() + text.size()) return false;
           v.props.delayAperture.width = width;
           return true;
         }},
        {"%s",
         [](std::string& out, const V& v, size_t) {
           out += kApertureWords[static_cast<size_t>(v.props.delayAperture.unit)];
         },
         [](V& v, size_t, Scanned f, D&) {
           const int k = WordIndex(kApertureWords, f[0].text);
           if (k >= 0) v.props.delayAperture.unit = static_cast<ApertureUnit>(k);
           return k >= 0;
         }}},
       nullptr,
       [](const V& v, size_t) {
         return v.props.delayAperture != DelayAperture{} && UsableAperture(v.props.delayAperture);
       },
       [](const V& v, size_t) { return UsableAperture(v.props.delayAperture); },
       false});
  // The shunt resistor, in ohms; written only when there is one.
  kinds.push_back({"SHUNT",
                   std::nullopt,
                   {DoubleField<&GraphProperties::shuntOhms, IsShuntOhms>()},
                   nullptr,
                   [](const V& v, size_t) { return IsShuntOhms(v.props.shuntOhms); },
                   nullptr,
                   false});
  kinds.push_back({"NICHOLS_CONTOURS",
                   std::nullopt,
                   {{"%s",
                     [](std::string& out, const V& v, size_t) {
                       out += kSwitchWords[v.props.nicholsContours ? 0 : 1];
                     },
                     [](V& v, size_t, Scanned f, D&) {
                       const int k = WordIndex(kSwitchWords, f[0].text);
                       if (k >= 0) v.props.nicholsContours = k == 0;
                       return k >= 0;
                     }}},
                   nullptr,
                   [](const V& v, size_t) { return !v.props.nicholsContours; },
                   nullptr,
                   false});
  return kinds;
}

const std::vector<LineKind>& LineKinds() {
  static const std::vector<LineKind> kinds = MakeLineKinds();
  return kinds;
}

// The pattern a read line of `kind` must match: conversions skip leading
// blanks, except the rest-of-line one, which follows a blank.
std::string LinePattern(const LineKind& kind) {
  std::string pattern = std::string(kind.keyword) + " = ";
  const size_t start = pattern.size();
  auto add = [&](std::string_view conversion) {
    if (conversion == "%[^\n]" && pattern.size() > start) pattern += ' ';
    pattern += conversion;
  };
  if (kind.key) add(kind.key->conversion);
  for (const Field& field : kind.fields) add(field.conversion);
  return pattern;
}

size_t ConversionCount(std::string_view conversion) {
  size_t n = 0;
  for (char c : conversion) n += c == '%';
  return n;
}

}  // namespace

std::vector<std::string> SettingsLines(const SettingsValues& values) {
  std::vector<std::string> lines(std::begin(kSettingsHeaderLines), std::end(kSettingsHeaderLines));
  for (const LineKind& kind : LineKinds()) {
    for (size_t i = 0; i < kind.Count(); ++i) {
      if (kind.written && !kind.written(values, i)) continue;
      std::string line(kind.keyword);
      if (kind.padded && line.size() < 5) line.resize(5, ' ');
      line += " = ";
      if (kind.key) line += kind.key->write(i) + ' ';
      for (size_t k = 0; k < kind.fields.size(); ++k) {
        if (k > 0) line += ' ';
        kind.fields[k].write(line, values, i);
      }
      if (kind.comment) line += kind.comment(i);
      lines.push_back(std::move(line));
    }
  }
  return lines;
}

SettingsLineReader::SettingsLineReader() {
  for (const LineKind& kind : LineKinds()) patterns_.push_back(LinePattern(kind));
}

bool SettingsLineReader::Read(std::string_view line, SettingsValues& values) {
  const std::vector<LineKind>& kinds = LineKinds();
  for (size_t k = 0; k < kinds.size(); ++k) {
    if (!ScanLine(line, patterns_[k], fields_)) continue;
    const LineKind& kind = kinds[k];
    Scanned scanned(fields_);
    size_t i = 0;
    if (kind.key) {
      i = kind.key->line(scanned.front());
      if (i >= kind.key->count) return false;
      scanned = scanned.subspan(1);
    }
    // Taken into a copy first: a line is used whole or not at all.
    SettingsValues read = values;
    for (const Field& field : kind.fields) {
      const size_t n = ConversionCount(field.conversion);
      if (!field.read(read, i, scanned.first(n), decoder_)) return false;
      scanned = scanned.subspan(n);
    }
    if (kind.usable && !kind.usable(read, i)) return false;
    values = std::move(read);
    return true;
  }
  return false;
}

bool SettingsLineReader::IsEmptyTextLine(std::string_view line) {
  if (line.find('=') == std::string_view::npos) return false;
  const std::string withText = std::string(line) + "x";
  const std::vector<LineKind>& kinds = LineKinds();
  for (size_t k = 0; k < kinds.size(); ++k) {
    if (kinds[k].fields.back().conversion != "%[^\n]") continue;
    if (ScanLine(withText, patterns_[k], fields_) && fields_.back().text == "x") return true;
  }
  return false;
}

}  // namespace fernplot
