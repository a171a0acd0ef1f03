// SPDX-License-Identifier: MIT
#include "analysis/summary_table.h"

#include <charconv>

#include "analysis/figures_text.h"
#include "text/table_cell.h"

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
    f[12] = fig.resonance->fittedFrequency;
    f[13] = fig.resonance->fittedQ;
    row.coarseResonance = CoarseResonance(*fig.resonance);
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
      line += EscapedTableCell(c);
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

std::vector<std::string> ReportHeading(const TextTranslator* translator) {
  static constexpr const char* kHeading[] = {
      FERNPLOT_TEXT("Report", "ﾌｧｲﾙ"),       FERNPLOT_TEXT("Report", "ﾀｲﾄﾙ"),
      FERNPLOT_TEXT("Report", "点数"),       FERNPLOT_TEXT("Report", "低域ｹﾞｲﾝ"),
      FERNPLOT_TEXT("Report", "ﾋﾟｰｸ"),       FERNPLOT_TEXT("Report", "-3dB"),
      FERNPLOT_TEXT("Report", "共振 f0"),    FERNPLOT_TEXT("Report", "Q"),
      FERNPLOT_TEXT("Report", "位相余裕"),   FERNPLOT_TEXT("Report", "ｹﾞｲﾝ余裕"),
      FERNPLOT_TEXT("Report", "ﾓｼﾞｭﾗｽ余裕"), FERNPLOT_TEXT("Report", "遅延余裕")};
  std::vector<std::string> heading;
  for (const char* text : kHeading) heading.push_back(Translate(translator, "Report", text));
  return heading;
}

void ClearRatioFigures(std::vector<std::string>& row) {
  constexpr size_t kFirstFigure = 3;  // after file, title and points
  for (size_t c = kFirstFigure; c < row.size(); ++c) row[c].clear();
}

std::vector<std::string> ReportRow(const SummaryRow& row) {
  const auto& f = row.figures;
  // A plain number with its unit after it, or an SI-prefixed one.
  const auto num = [](const std::optional<double>& x, std::string_view suffix) {
    return x ? ThreeDigits(*x) + std::string(suffix) : std::string();
  };
  const auto si = [](const std::optional<double>& x, std::string_view unit) {
    return x ? ThreeDigits(*x, unit) : std::string();
  };
  const auto at = [&](const std::optional<double>& x, std::string_view suffix,
                      const std::optional<double>& hz) {
    return x ? num(x, suffix) + (hz ? " @ " + ThreeDigits(*hz, "Hz") : "") : std::string();
  };
  return {row.file,
          row.title,
          row.points ? std::to_string(*row.points) : "",
          num(f[0], " dB"),
          at(f[1], " dB", f[2]),
          si(f[3], "Hz"),
          si(row.coarseResonance ? f[12] : f[4], "Hz"),
          row.coarseResonance ? num(f[13], " (fitted)") : num(f[5], ""),
          at(f[6], "\u00B0", f[7]),
          at(f[8], " dB", f[9]),
          num(f[10], ""),
          si(f[11], "s")};
}

std::vector<std::string> UnreadableReportRow(std::string_view file, std::string_view message,
                                             const TextTranslator* translator) {
  std::vector<std::string> row(ReportHeading().size());
  row[0] = std::string(file);
  row[1] = Translate(translator, "Report", FERNPLOT_TEXT("Report", "読めません: ")) +
           std::string(message);
  return row;
}

}  // namespace fernplot
