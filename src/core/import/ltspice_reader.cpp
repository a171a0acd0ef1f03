// SPDX-License-Identifier: MIT
// Reader of a circuit simulator's AC-analysis text export: a tab-separated
// header "Freq.<TAB>V(out)...", rows of a frequency and one complex value
// per column, polar "(<dB>dB,<deg>°)" or cartesian "<re>,<im>", and stepped
// runs introduced by "Step Information: <params>  (Run: k/n)".

#include <string>
#include <vector>

#include "import/import_reader.h"
#include "import/import_text.h"

namespace fernplot {
namespace {

constexpr size_t kMaxColumns = 4096;
constexpr size_t kMaxTraces = 65536;
constexpr std::string_view kStepPrefix = "Step Information:";
constexpr std::string_view kDegree = "\xC2\xB0";  // after decoding, always UTF-8

// One field, polar or cartesian; false when it is neither.
bool ParseValue(std::string_view field, double& gainDb, double& phaseDeg) {
  field = TrimSpace(field);
  if (!field.empty() && field.front() == '(') {
    field.remove_prefix(1);
    if (!ScanNumber(field, gainDb)) return false;
    if (field.size() < 2 || (field[0] != 'd' && field[0] != 'D') ||
        (field[1] != 'b' && field[1] != 'B'))
      return false;
    field.remove_prefix(2);
    if (field.empty() || field.front() != ',') return false;
    field.remove_prefix(1);
    if (!ScanNumber(field, phaseDeg)) return false;
    if (field.starts_with(kDegree)) field.remove_prefix(kDegree.size());
    return field == ")";
  }
  double re = 0.0, im = 0.0;
  if (!ScanNumber(field, re) || field.empty() || field.front() != ',') return false;
  field.remove_prefix(1);
  if (!ScanNumber(field, im) || !field.empty()) return false;
  ComplexToGainPhase(re, im, gainDb, phaseDeg);
  return true;
}

// "R=4.7k" from "Step Information: R=4.7k  (Run: 3/3)".
std::string StepParameters(std::string_view line) {
  std::string_view rest = TrimSpace(line.substr(kStepPrefix.size()));
  if (const size_t run = rest.rfind("(Run:"); run != rest.npos) rest = rest.substr(0, run);
  return std::string(TrimSpace(rest));
}

}  // namespace

bool LooksLikeSimulatorExport(std::string_view firstLine) {
  // Its columns are traces (V(out), I(R1)); a table's header may begin with
  // "Freq." as well but names its gain and phase.
  return firstLine.starts_with("Freq.") &&
         (firstLine.size() == 5 || firstLine[5] == '\t' || firstLine[5] == ' ') &&
         !NamesTableColumns(firstLine);
}

ImportResult ReadSimulatorExport(std::string_view text) {
  LineCursor lines(text);
  std::string_view line;
  if (lines.Next(line) && line.size() > kMaxImportLineBytes)
    return ImportFailure(1, FERNPLOT_TEXT("Import", "行が長すぎます"));
  if (line.empty() || !LooksLikeSimulatorExport(line)) {
    return ImportFailure(1, FERNPLOT_TEXT("Import", "\"Freq.\" の見出しがありません"));
  }
  std::vector<std::string> columns;
  {
    std::string_view rest = line;
    size_t tab = rest.find('\t');
    while (tab != rest.npos) {
      rest.remove_prefix(tab + 1);
      tab = rest.find('\t');
      const std::string_view name = TrimSpace(rest.substr(0, tab));
      if (columns.size() == kMaxColumns)
        return ImportFailure(1, FERNPLOT_TEXT("Import", "列が多すぎます"));
      columns.emplace_back(name);
    }
  }
  if (columns.empty())
    return ImportFailure(1, FERNPLOT_TEXT("Import", "見出しの \"Freq.\" の後に列がありません"));

  ImportedFile file;
  file.format = "LTspice";
  std::vector<std::string> steps;  // parameters of each step
  size_t first = 0;                // first trace of the current step
  size_t rows = 0;
  size_t rowsInStep = 0;
  std::vector<TracePoint> row(columns.size());
  const auto startTraces = [&](const std::string& params) {
    first = file.traces.size();
    for (const std::string& c : columns) {
      file.traces.push_back({params.empty() ? c : c + " " + params, {}});
    }
    rowsInStep = 0;
  };
  while (lines.Next(line)) {
    const size_t number = lines.LineNumber();
    if (line.size() > kMaxImportLineBytes)
      return ImportFailure(number, FERNPLOT_TEXT("Import", "行が長すぎます"));
    if (TrimSpace(line).empty()) continue;
    if (line.starts_with(kStepPrefix)) {
      if (file.traces.size() + columns.size() > kMaxTraces)
        return ImportFailure(number, FERNPLOT_TEXT("Import", "ステップが多すぎます"));
      // Rows before the first step line belong to no step: not this format.
      if (!steps.empty() || file.traces.empty()) {
        steps.push_back(StepParameters(line));
        startTraces(steps.back());
        continue;
      }
      return ImportFailure(number,
                           FERNPLOT_TEXT("Import", "ステップのない行の後にステップ情報があります"));
    }
    if (file.traces.empty()) startTraces("");
    std::string_view rest = line;
    size_t tab = rest.find('\t');
    double f = 0.0;
    if (!ParseWholeNumber(rest.substr(0, tab), f)) {
      return ImportFailure(number, FERNPLOT_TEXT("Import", "周波数ではありません: \"%1\""),
                           {std::string(TrimSpace(rest.substr(0, tab)))});
    }
    size_t k = 0;
    while (tab != rest.npos) {
      rest.remove_prefix(tab + 1);
      tab = rest.find('\t');
      if (k == columns.size()) {
        return ImportFailure(number, FERNPLOT_TEXT("Import", "見出しの %1 列より多い列があります"),
                             {std::to_string(columns.size())});
      }
      TracePoint& p = row[k];
      p.frequency = f;
      if (!ParseValue(rest.substr(0, tab), p.gainDb, p.phaseDeg)) {
        return ImportFailure(number,
                             FERNPLOT_TEXT("Import", "%1 列目が複素数の値ではありません: \"%2\""),
                             {std::to_string(k + 2), std::string(TrimSpace(rest.substr(0, tab)))});
      }
      ++k;
    }
    if (k != columns.size()) {
      return ImportFailure(number,
                           FERNPLOT_TEXT("Import", "見出しは %2 列ですがこの行は %1 列です"),
                           {std::to_string(k + 1), std::to_string(columns.size() + 1)});
    }
    ++rows;
    ++rowsInStep;
    for (size_t c = 0; c < k; ++c) {
      if (IsUsablePoint(row[c])) {
        file.traces[first + c].points.push_back(row[c]);
      } else {
        ++file.skippedPoints;
      }
    }
  }
  if (rows == 0) return ImportFailure(0, FERNPLOT_TEXT("Import", "見出しだけでデータがありません"));
  return FinishTraces(std::move(file));
}

}  // namespace fernplot
