// SPDX-License-Identifier: MIT
#pragma once
// The table of every input's main figures: one header row and one row per
// file, written as CSV or TSV by the exporter and laid out in the report.

#include <array>
#include <optional>
#include <string>
#include <string_view>
#include <vector>

#include "analysis/loop_kinds.h"
#include "analysis/sweep_figures.h"
#include "text/ui_text.h"

namespace fernplot {

inline constexpr std::array<std::string_view, 17> kSummaryColumns{"file",
                                                                  "title",
                                                                  "points",
                                                                  "lowFrequencyGainDb",
                                                                  "peakDb",
                                                                  "peakHz",
                                                                  "minus3dBHz",
                                                                  "resonanceF0Hz",
                                                                  "resonanceQ",
                                                                  "phaseMarginDeg",
                                                                  "gainCrossoverHz",
                                                                  "gainMarginDb",
                                                                  "phaseCrossoverHz",
                                                                  "modulusMargin",
                                                                  "delayMarginS",
                                                                  "resonanceFittedF0Hz",
                                                                  "resonanceFittedQ"};

// The figures of one file, each empty where it does not exist; the loop's
// only for a page that shows as a loop.
struct SummaryRow {
  std::string file;
  std::string title;
  std::optional<size_t> points;                   // empty for a file that could not be read
  std::array<std::optional<double>, 14> figures;  // the columns after "points"
  // The resonance has too few points in its band: the report shows the
  // fitted f0 and Q (the last two figures) in place of those of the points.
  bool coarseResonance = false;
};

SummaryRow MakeSummaryRow(std::string_view file, std::string_view title,
                          const SweepFigures& figures, LoopJudgement judgement);
// A file that could not be read: its name only.
SummaryRow UnreadableSummaryRow(std::string_view file);

// A number as the shortest text that reads back as the same double.
std::string FullPrecision(double value);

// The cells of a row as text, in kSummaryColumns' order.
std::vector<std::string> SummaryCells(const SummaryRow& row);

// One line (with its newline) of cells joined by `separator` (',' or '\t'):
// CSV quotes a cell holding a separator, quote or line break; TSV has no
// quoting, so such characters become spaces.
std::string SummaryLineOf(const std::vector<std::string>& cells, char separator);
std::string SummaryHeaderLine(char separator);

// The report's table: the same figures for reading, three digits with
// units, a frequency beside each margin, one f0 and Q of a resonance (the
// fitted ones of a coarse sweep, "(fitted)" after its Q). The heading and the word for an
// unreadable file in the language of `translator` (none: the source texts).
std::vector<std::string> ReportHeading(const TextTranslator* translator = nullptr);
std::vector<std::string> ReportRow(const SummaryRow& row);
// Empties a row's figure cells, keeping file, title and points: an
// impedance has none of a ratio's figures (its |Z| is no gain in dB).
void ClearRatioFigures(std::vector<std::string>& row);
// A file that could not be read, with the reader's message.
std::vector<std::string> UnreadableReportRow(std::string_view file, std::string_view message,
                                             const TextTranslator* translator = nullptr);

}  // namespace fernplot
