// SPDX-License-Identifier: MIT
// Reader of delimited text tables: frequency, gain (dB), phase (degrees),
// separated by commas, semicolons, tabs or spaces, with an optional header
// row naming the columns.

#include <array>
#include <string>
#include <vector>

#include "import/import_reader.h"
#include "import/import_text.h"

namespace fernplot {
namespace {

constexpr size_t kMaxFields = 4096;

enum class Separator { kComma, kSemicolon, kTab, kSpace };

Separator ChooseSeparator(std::string_view line) {
  if (line.find('\t') != line.npos) return Separator::kTab;
  if (line.find(';') != line.npos) return Separator::kSemicolon;
  if (line.find(',') != line.npos) return Separator::kComma;
  return Separator::kSpace;
}

// Splits `line` into trimmed fields; false when there are too many.
bool SplitFields(std::string_view line, Separator sep, std::vector<std::string_view>& fields) {
  fields.clear();
  if (sep == Separator::kSpace) {
    while (true) {
      line = TrimSpace(line);
      if (line.empty()) return true;
      size_t end = 0;
      while (end < line.size() && !IsSpaceChar(line[end])) ++end;
      if (fields.size() == kMaxFields) return false;
      fields.push_back(line.substr(0, end));
      line.remove_prefix(end);
    }
  }
  const char c = sep == Separator::kComma ? ',' : sep == Separator::kSemicolon ? ';' : '\t';
  while (true) {
    const size_t at = line.find(c);
    if (fields.size() == kMaxFields) return false;
    fields.push_back(TrimSpace(line.substr(0, at)));
    if (at == line.npos) return true;
    line.remove_prefix(at + 1);
  }
}

// "Frequency (Hz)" -> "frequency": lower case, units in brackets dropped.
std::string ColumnKey(std::string_view name) {
  std::string key;
  int depth = 0;
  for (const char c : name) {
    if (c == '(' || c == '[') {
      ++depth;
    } else if ((c == ')' || c == ']') && depth > 0) {
      --depth;
    } else if (depth == 0) {
      key += c;
    }
  }
  return AsciiLower(TrimSpace(key));
}

constexpr std::array<std::string_view, 3> kFrequencyNames = {"freq", "frequency", "hz"};
constexpr std::array<std::string_view, 6> kGainNames = {"gain", "mag",   "magnitude",
                                                        "db",   "level", "spl"};
constexpr std::array<std::string_view, 3> kPhaseNames = {"phase", "deg", "angle"};

template <size_t N>
int FindColumn(const std::vector<std::string>& keys, const std::array<std::string_view, N>& names) {
  for (size_t i = 0; i < keys.size(); ++i) {
    for (const std::string_view n : names) {
      if (keys[i] == n) return static_cast<int>(i);
    }
  }
  return -1;
}

bool IsCommentLine(std::string_view trimmed) {
  const char c = trimmed.front();
  return c == '*' || c == '#' || c == '!' || c == ';';
}

}  // namespace

ImportResult ReadDelimitedText(std::string_view text) {
  LineCursor lines(text);
  std::string_view line;
  std::vector<std::string_view> fields;
  Separator sep = Separator::kSpace;
  bool started = false;  // separator chosen, header looked for
  size_t columnCount = 0;
  size_t headerLine = 0;
  int fCol = 0, gCol = 1, pCol = 2;
  ImportedTrace trace;
  size_t skipped = 0;
  size_t rows = 0;
  while (lines.Next(line)) {
    const size_t number = lines.LineNumber();
    if (line.size() > kMaxImportLineBytes)
      return ImportFailure(number, FERNPLOT_TEXT("Import", "行が長すぎます"));
    const std::string_view trimmed = TrimSpace(line);
    if (trimmed.empty() || IsCommentLine(trimmed)) continue;
    if (!started) {
      started = true;
      sep = ChooseSeparator(trimmed);
      if (!SplitFields(trimmed, sep, fields))
        return ImportFailure(number, FERNPLOT_TEXT("Import", "列が多すぎます"));
      double v = 0.0;
      bool numeric = true;
      for (const std::string_view f : fields) numeric = numeric && ParseWholeNumber(f, v);
      columnCount = fields.size();
      if (columnCount < 2)
        return ImportFailure(
            number, FERNPLOT_TEXT("Import", "列が1つしかありません（周波数とゲインが必要です）"));
      pCol = columnCount >= 3 ? 2 : -1;
      if (!numeric) {
        headerLine = number;
        std::vector<std::string> keys;
        for (const std::string_view f : fields) keys.push_back(ColumnKey(f));
        const int f = FindColumn(keys, kFrequencyNames);
        const int g = FindColumn(keys, kGainNames);
        const int p = FindColumn(keys, kPhaseNames);
        if (f >= 0 && g >= 0) {
          fCol = f, gCol = g, pCol = p;
          trace.name = std::string(fields[static_cast<size_t>(g)]);
        }
        continue;
      }
    }
    if (!SplitFields(trimmed, sep, fields))
      return ImportFailure(number, FERNPLOT_TEXT("Import", "列が多すぎます"));
    if (fields.size() != columnCount) {
      return ImportFailure(
          number,
          headerLine ? FERNPLOT_TEXT("Import", "見出しは %2 列ですがこの行は %1 列です")
                     : FERNPLOT_TEXT("Import", "最初の行は %2 列ですがこの行は %1 列です"),
          {std::to_string(fields.size()), std::to_string(columnCount)});
    }
    TracePoint p;
    const auto number_at = [&](int col, double& value) -> bool {
      return ParseWholeNumber(fields[static_cast<size_t>(col)], value);
    };
    if (!number_at(fCol, p.frequency) || !number_at(gCol, p.gainDb) ||
        (pCol >= 0 && !number_at(pCol, p.phaseDeg))) {
      for (const int col : {fCol, gCol, pCol}) {
        double v = 0.0;
        if (col >= 0 && !number_at(col, v)) {
          return ImportFailure(
              number, FERNPLOT_TEXT("Import", "%1 列目が数値ではありません: \"%2\""),
              {std::to_string(col + 1), std::string(fields[static_cast<size_t>(col)])});
        }
      }
    }
    ++rows;
    if (IsUsablePoint(p)) {
      trace.points.push_back(p);
    } else {
      ++skipped;
    }
  }
  if (!started) return ImportFailure(0, FERNPLOT_TEXT("Import", "データがありません"));
  if (rows == 0) return ImportFailure(0, FERNPLOT_TEXT("Import", "見出しだけでデータがありません"));
  ImportedFile file;
  file.format = "Text";
  file.skippedPoints = skipped;
  file.traces.push_back(std::move(trace));
  return FinishTraces(std::move(file));
}

}  // namespace fernplot
