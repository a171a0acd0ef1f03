// SPDX-License-Identifier: MIT
#include "analysis/summary_table.h"

#include <charconv>

#include "analysis/figures_text.h"

namespace fernplot {

SummaryRow MakeSummaryRow(std::string_view file, std::string_view title, const SweepFigures& fig,
                          LoopJudgement judgement) {
  SummaryRow row{std::string(file), std::string(title), fig.points, {}};
  auto& f = row.figures;
  if (fig.lowFrequencyGain) f[0] = fig.lowFrequencyGain->gain;
  if (fig.peak) {
    f[1] = fig.peak->gain;
    f[2] = fig.peak->frequency;
  }
  // The bandwidth: the first fall through -3 dB, else the first crossing.
  for (const LevelCrossing& c : fig.minus3dB) {
    if (c.direction == CrossingDirection::kFalling) {
      f[3] = c.frequency;
      break;
    }
  }
  if (!f[3] && !fig.minus3dB.empty()) f[3] = fig.minus3dB.front().frequency;
  if (fig.resonance) {
    f[4] = fig.resonance->frequency;
    f[5] = fig.resonance->q;
  }
  if (fig.points == 0 || !ShowsAsLoop(fig, judgement)) return row;
  if (fig.phaseMarginCrossover) {
    const GainCrossover& pm = fig.gainCrossovers[*fig.phaseMarginCrossover];
    f[6] = pm.phaseMargin;
    f[7] = pm.frequency;
  }
  if (fig.gainMarginCrossover) {
    const PhaseCrossover& gm = fig.phaseCrossovers[*fig.gainMarginCrossover];
    f[8] = gm.gainMargin;
    f[9] = gm.frequency;
  }
  if (fig.modulusMargin) f[10] = fig.modulusMargin->value;
  if (fig.delayMargin) f[11] = fig.delayMargin;
  return row;
}

SummaryRow UnreadableSummaryRow(std::string_view file) {
  return SummaryRow{std::string(file), {}, std::nullopt, {}};
}

std::string FullPrecision(double value) {
  char buffer[64];
  const auto [end, ec] = std::to_chars(buffer, buffer + sizeof buffer, value);
  return ec == std::errc() ? std::string(buffer, end) : std::string();
}

std::vector<std::string> SummaryCells(const SummaryRow& row) {
  std::vector<std::string> cells{row.file, row.title,
                                 row.points ? std::to_string(*row.points) : std::string()};
  for (const std::optional<double>& v : row.figures) {
    cells.push_back(v ? FullPrecision(*v) : std::string());
  }
  return cells;
}

std::string SummaryLineOf(const std::vector<std::string>& cells, char separator) {
  std::string line;
  for (size_t i = 0; i < cells.size(); ++i) {
    if (i > 0) line += separator;
    const std::string& c = cells[i];
    if (separator == '\t') {
      for (char ch : c) line += (ch == '\t' || ch == '\n' || ch == '\r') ? ' ' : ch;
    } else if (c.find_first_of(",\"\n\r") != std::string::npos) {
      line += '"';
      for (char ch : c) {
        if (ch == '"') line += '"';
        line += ch;
      }
      line += '"';
    } else {
      line += c;
    }
  }
  return line + '\n';
}

std::string SummaryHeaderLine(char separator) {
  return SummaryLineOf(std::vector<std::string>(kSummaryColumns.begin(), kSummaryColumns.end()),
                       separator);
}

}  // namespace fernplot
