// SPDX-License-Identifier: MIT
#pragma once
// The graph-property record: everything that decides how one page looks,
// as the settings file and the property sheet hold it. What a page knows
// about its data file lives in PageFacts, the results of a build in its
// PageLayout.

#include <array>
#include <cstdint>
#include <string>
#include <string_view>

#include "analysis/channel_ratio.h"
#include "analysis/delay_aperture.h"
#include "analysis/loop_kinds.h"
#include "datafile/measurement.h"
#include "props/shared_text.h"
#include "text/ui_text.h"

namespace fernplot {

// Widths of the saved texts in CP932 bytes: longer values are cut at a
// character boundary wherever they come from (settings file, property pages).
// The page's data title keeps the data file's width (kDataTitleBytes).
constexpr size_t kTitleBytes = 32;
constexpr size_t kCaptionBytes = 32;

// What the property sheet accepts: an axis is at least this long (also the
// smallest graph area) and at most kMaxAxisLengthMm. A hand-edited settings
// file may hold other values; they are drawn as written.
constexpr float kMinHorizontalAxisMm = 40.0f;
constexpr float kMinVerticalAxisMm = 30.0f;
constexpr float kMaxAxisLengthMm = 250.0f;
constexpr size_t kFaceNameBytes = 63;
// The data-file search pattern saved with the settings.
constexpr size_t kDataFilePathBytes = 259;

// 24-bit RGB with red in the lowest byte (the on-disk colour layout).
using Colour = uint32_t;
constexpr Colour Rgb(unsigned r, unsigned g, unsigned b) {
  return (r & 0xFFu) | ((g & 0xFFu) << 8) | ((b & 0xFFu) << 16);
}
constexpr unsigned RedOf(Colour c) {
  return c & 0xFFu;
}
constexpr unsigned GreenOf(Colour c) {
  return (c >> 8) & 0xFFu;
}
constexpr unsigned BlueOf(Colour c) {
  return (c >> 16) & 0xFFu;
}

// How an axis is scaled; automatic takes a logarithmic scale for a wide
// range. The settings file keeps these as the numbers 0, 1 and 2.
enum class ScaleType : int32_t { kAuto = 0, kLog = 1, kLin = 2 };
// The scale a saved number stands for: any number but 1 and 2 has always
// been drawn as automatic.
constexpr ScaleType ScaleTypeOf(int32_t saved) {
  return saved == 1 ? ScaleType::kLog : saved == 2 ? ScaleType::kLin : ScaleType::kAuto;
}
enum AxisId : int32_t { kAxisHT = 0, kAxisHB = 2, kAxisVL = 3, kAxisVR = 4 };

struct AxisSettings {
  int32_t axisId = 0;
  ScaleType scaleType = ScaleType::kAuto;
  float length = 0.0f;   // mm
  float margin1 = 0.0f;  // left (horizontal) or top (vertical), mm
  float margin2 = 0.0f;  // right (horizontal) or bottom (vertical), mm
  int32_t useDataMin = 0;
  int32_t useDataMax = 0;
  double rangeMin = 0.0;
  double rangeMax = 0.0;
  int32_t autoDivision = 0;
  bool tight = false;  // vertical axes: labels spaced tighter
  double interval = 0.0;
  int32_t gridLines = 0;
  std::string caption;  // <= kCaptionBytes

  bool operator==(const AxisSettings&) const = default;
};

struct FontSetting {
  // <= kFaceNameBytes; the pages made from one set of defaults share it.
  SharedText faceName;
  int32_t size = 0;  // points
  int32_t bold = 0;
  int32_t ansiCharset = 0;  // 1 ANSI, 0 Shift-JIS
  Colour color = 0;

  bool operator==(const FontSetting&) const = default;
};

constexpr int kItemCount = 18;
constexpr int kFontCategoryCount = 11;

// Info item indexes into itemFlags.
enum InfoItemIndex : int {
  kItemFileName = 0,
  kItemDataTitle,
  kItemCreationDate,
  kItemModelVersion,
  kItemOscAmplitude,
  kItemOscDcBias,
  kItemOscWaveform,
  kItemSweepMax,
  kItemSweepMin,
  kItemResolution,
  kItemIntegration,
  kItemDelay,
  kItemHarmonicOrder,
  kItemMeasurementMode,
  kItemAutoIntegration,
  kItemAmplitudeCompression,
  kItemHighDensitySweep,
  kItemPhaseRange,
};

// Font categories, index into fonts.
enum FontCategory : int {
  kFontFileName = 0,
  kFontDataTitle,
  kFontCreationDate,
  kFontGraphTitle,
  kFontFreqCaption,
  kFontFreqLabels,
  kFontGainCaption,
  kFontGainLabels,
  kFontPhaseCaption,
  kFontPhaseLabels,
  kFontOther,
};

// The quantity of the right axis: the phase as measured (wrapped into
// +-180°), the phase followed through its jumps, or the group delay.
enum RightAxisQuantity : int32_t {
  kRightPhase = 0,
  kRightUnwrappedPhase = 1,
  kRightGroupDelay = 2,
};
constexpr int32_t kRightAxisQuantityCount = 3;

constexpr size_t kOverlayPaletteSize = 8;

// How traces laid over a page look: their colours in turn, and whether the
// page names them in a legend.
struct OverlayStyle {
  std::array<Colour, kOverlayPaletteSize> palette = {
      // Told apart under the common colour-vision deficiencies.
      Rgb(230, 159, 0), Rgb(86, 180, 233),  Rgb(0, 158, 115), Rgb(0, 114, 178),
      Rgb(213, 94, 0),  Rgb(204, 121, 167), Rgb(0, 0, 0),     Rgb(240, 228, 66)};
  bool legend = true;
  bool operator==(const OverlayStyle&) const = default;
};

struct GraphProperties {
  std::string title;  // <= kTitleBytes
  ChannelRatio calcType = ChannelRatio::kCh1Ch2;
  Colour backgroundColor = 0;
  Colour gainLineColor = 0;
  Colour phaseLineColor = 0;
  int32_t gainLineBoldOnPrint = 0;
  int32_t phaseLineBoldOnPrint = 0;
  AxisSettings HT, HB, VL, VR;
  std::array<int32_t, kItemCount> itemFlags{};
  std::array<FontSetting, kFontCategoryCount> fonts{};
  // Phase margins are read against 0° instead of -180° (instruments that
  // measure a loop's phase so that it shows the margin directly).
  int32_t marginReferenceZero = 0;
  // What the right axis shows (RightAxisQuantity); the phase as measured
  // unless chosen otherwise.
  int32_t rightAxis = 0;

  OverlayStyle overlayStyle;
  // The sweep read as a loop gain: how the page draws it, which curve it
  // shows (L, T or S), the Nyquist view's radius, and whether its loop
  // figures are shown (decided from the figures unless the user says).
  ViewKind view = ViewKind::kBode;
  LoopCurve loopCurve = LoopCurve::kOpen;
  double nyquistRadius = kDefaultNyquistRadius;
  LoopJudgement loopJudgement = LoopJudgement::kAutomatic;
  // The step the group delay is taken over (neighbours unless chosen).
  DelayAperture delayAperture;
  // The closed-loop magnitude contours of the Nichols view.
  bool nicholsContours = true;
  // Ohms of the shunt resistor channel 2 is measured across: above 0 the
  // page shows the impedance Z = R·H of the ratio H it shows; 0 for none.
  double shuntOhms = 0.0;
  bool operator==(const GraphProperties&) const = default;
};

// Fills the record with the factory values (everything else zero/empty).
// The graph title of the factory defaults. It is data (saved, edited), but
// while a page keeps it unchanged it is drawn in the page's language.
inline constexpr const char* kFactoryGraphTitle = FERNPLOT_TEXT("Page", "周波数特性");

void SetFactoryDefaults(GraphProperties& props);

// A shunt's ohms that make a page an impedance page: finite and above 0.
constexpr bool IsShuntOhms(double ohms) {
  return ohms > 0.0 && ohms <= 1.7976931348623157e308;
}
GraphProperties FactoryDefaults();

// Fixed display names of the eleven font categories and the check-box texts
// of the eighteen info items.
extern const std::array<std::string_view, kFontCategoryCount> kFontCategoryNames;
extern const std::array<std::string_view, kItemCount> kItemLabels;

}  // namespace fernplot
