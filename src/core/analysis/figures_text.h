// SPDX-License-Identifier: MIT
#pragma once
// The figures of a sweep as text: a JSON document and a one-line summary.

#include <string>
#include <string_view>

#include "analysis/loop_kinds.h"
#include "analysis/sweep_figures.h"
#include "text/ui_text.h"

namespace fernplot {

// The figures as a JSON object, one top-level member a line:
//   {"file", "ratio": "ch1/ch2"|"ch2/ch1", "points",
//    "lowFrequencyGain": null|{"frequencyHz","gainDb"},
//    "peak": null|{"frequencyHz","gainDb"},
//    "minus3dB": [{"frequencyHz","direction": "falling"|"rising"}],
//    "resonance": null|{"frequencyHz","gainDb","lowerHz","upperHz","q",
//                       "fittedF0Hz": null|number,"fittedQ": null|number},
//    "marginReferenceDeg": -180|0,
//    "gainCrossovers": [{"frequencyHz","phaseDeg","phaseMarginDeg"}],
//    "phaseCrossovers": [{"frequencyHz","gainDb","gainMarginDb"}],
//    "phaseMarginDeg": null|number, "gainMarginDb": null|number,
//    "modulusMargin": null|{"frequencyHz","value"},
//    "delayMargins": [{"frequencyHz","seconds"}], "delayMarginS": null|number,
//    "closedLoop": {"lowFrequencyGain","peak","minus3dB"} (shaped as above)}
// Every figure is written whether or not the page reads as a loop.
// "points" counts the usable points the figures were read from. Numbers are
// the shortest texts that read back as the same doubles (std::to_chars:
// "0.1", "2e+06").
// `fileName` is UTF-8 and written as it is.
// A page that draws another curve than the one measured (the closed loop T
// or the sensitivity S of a loop) adds "shown": {"curve": "closed" or
// "sensitivity", and the members above from "points" on, of that curve}.
struct ShownFigures {
  std::string_view curve;
  SweepFigures figures;
};
std::string FiguresJson(std::string_view fileName, ChannelRatio ratio, const SweepFigures& figures,
                        const ShownFigures* shown = nullptr);

// `value` with three significant digits (trailing zeros kept) and, when
// `unit` is not empty, an SI prefix from p to T chosen so that one to three
// digits stand before the point: "1.00 kHz", "15.9 Hz", "220 uHz". Without a
// unit the digits stand alone ("45.2", "0.0523", "1230"); values too large
// or small for that are written as "1.23e+15".
std::string ThreeDigits(double value, std::string_view unit = {});

// Whether a resonance has too few points in its band to be read from them
// and a fitted section to read instead.
bool CoarseResonance(const Resonance& resonance);

// The resonance's f0 and Q where one figure stands for it (a summary cell,
// a report cell, a mark): the fitted section's for a coarse resonance, else
// those read from the points.
struct ShownResonance {
  double frequency = 0.0;
  double q = 0.0;
  bool fitted = false;
};
ShownResonance ResonanceShown(const Resonance& resonance);
// Its Q as three digits, "(fitted)" after a fitted one: "20.0 (fitted)".
std::string ShownQText(const Resonance& resonance);

// Whether the figures read as a control loop's: a low-frequency gain of
// 10 dB or more and a crossing of 0 dB. The margins of anything else (a
// filter near 0 dB crossing it in its noise) mean nothing.
bool LooksLikeLoop(const SweepFigures& figures);

// Whether the page's loop figures are shown: by LooksLikeLoop unless the
// user has said whether the page is a loop.
bool ShowsAsLoop(const SweepFigures& figures, LoopJudgement judgement);

// A modulus margin |1 + L| in dB.
double ModulusMarginDb(double value);

// One line (without the line break) naming the file and its main figures,
// each after two spaces:
//   a loop (ShowsAsLoop) -
//     "PM 45.2° @ 1.02 MHz  GM 12.1 dB @ 2.10 MHz", the smallest margins and
//     where they are ("none" for a margin without a crossover), then
//     "MM 0.620 (-4.15 dB) @ 1.20 MHz" (the modulus margin),
//     "DM 158 ns @ 786 kHz" (the smallest delay margin, or "DM none"), and
//     the closed loop's "CL peak 3.10 dB @ 700 kHz" and each "CL -3dB 1.50 MHz";
//   anything else - "-3dB 1.00 kHz" for each -3 dB point, then for a
//     resonance "peak 26.0 dB @ 10.0 kHz  Q 20.0";
//   "no figures" when none of those exist, "no points" without usable points.
std::string SummaryLine(std::string_view fileName, const SweepFigures& figures,
                        LoopJudgement judgement = LoopJudgement::kAutomatic);

// The figures panel's text, built a line "<name>  <value>" at a time with
// the names (and any words) in the language of `translator`.
struct PanelLines {
  const TextTranslator* translator = nullptr;
  std::string text;
  // `source` (a FERNPLOT_TEXT of the "Figures" context) translated.
  std::string Word(const char* source) const { return Translate(translator, "Figures", source); }
  void Line(const char* name, const std::string& value) {
    text += Word(name);
    text += "  ";
    text += value;
    text += '\n';
  }
};

// How many crossings of each kind (-3 dB points, gain crossovers, phase
// crossovers) the panel lists and the page marks: the first ones, in
// ascending frequency. A noisy sweep may cross a level at every step, and
// tens of thousands of marks would say nothing and take long to place.
constexpr size_t kCrossingsMarked = 20;

// `count` with a comma between groups of three digits ("131,071").
std::string GroupedCount(size_t count);

// The figures as lines of text for the viewer's panel, one figure a line
// with its name first ("ｹﾞｲﾝ余裕  12.1 dB @ 2.10 MHz"); of each kind of
// crossing the first kCrossingsMarked are listed, and when there are more a
// line says how many ("131,071 crossings; first 20 marked"); a figure that
// does not exist says "なし". A coarse resonance shows its fitted f0 and Q,
// with the interpolated ones on the next line. Lines end in '\n'. The
// loop figures (margin reference, crossovers, margins, closed loop) follow
// only for a page that ShowsAsLoop.
std::string FiguresPanelText(std::string_view fileName, const SweepFigures& figures,
                             const TextTranslator* translator = nullptr,
                             LoopJudgement judgement = LoopJudgement::kAutomatic);

}  // namespace fernplot
