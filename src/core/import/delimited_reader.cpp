// SPDX-License-Identifier: MIT
// Reader of delimited text tables: frequency, gain (dB), phase (degrees),
// separated by commas, semicolons, tabs or spaces, with an optional header
// row naming the columns and their units. Where a comma does not separate
// the columns it may be the decimal point.

#include <algorithm>
#include <array>
#include <numbers>
#include <string>
#include <vector>

#include "import/import_reader.h"
#include "import/import_text.h"
#include "import/table_fields.h"

namespace fernplot {

Separator ChooseSeparator(std::string_view line) {
  if (line.find('\t') != line.npos) return Separator::kTab;
  if (line.find(';') != line.npos) return Separator::kSemicolon;
  if (line.find(',') != line.npos) return Separator::kComma;
  return Separator::kSpace;
}

bool SplitFields(std::string_view line, Separator sep, std::vector<std::string_view>& fields) {
  fields.clear();
  if (sep == Separator::kSpace) {
    while (true) {
      line = TrimSpace(line);
      if (line.empty()) return true;
      size_t end = 0;
      while (end < line.size() && !IsSpaceChar(line[end])) ++end;
      if (fields.size() == kMaxTableFields) return false;
      fields.push_back(line.substr(0, end));
      line.remove_prefix(end);
    }
  }
  const char c = sep == Separator::kComma ? ',' : sep == Separator::kSemicolon ? ';' : '\t';
  while (true) {
    const size_t at = line.find(c);
    if (fields.size() == kMaxTableFields) return false;
    fields.push_back(TrimSpace(line.substr(0, at)));
    if (at == line.npos) return true;
    line.remove_prefix(at + 1);
  }
}

namespace {

enum class Role { kNone, kFrequency, kGain, kPhase };

// What a unit written in a column's heading means.
struct Unit {
  Role role = Role::kNone;  // kNone: not a unit this reader knows
  double scale = 1.0;       // to Hz, dB or degrees
  std::string_view name;    // as the page names it
};

constexpr double kDegreesPerRadian = 180.0 / std::numbers::pi;

Unit UnitOf(std::string_view text) {
  std::string u = AsciiLower(TrimSpace(text));
  while (!u.empty() && u.back() == '.') u.pop_back();
  if (u == "hz" || u == "hertz") return {Role::kFrequency, 1.0, "Hz"};
  // In a heading "mhz" is written for megahertz far more often than
  // millihertz is meant.
  if (u == "khz") return {Role::kFrequency, 1e3, "kHz"};
  if (u == "mhz") return {Role::kFrequency, 1e6, "MHz"};
  if (u == "ghz") return {Role::kFrequency, 1e9, "GHz"};
  // dB, and dB against a reference: dBV, dBu, dBm, dBr, dBFS, dB SPL.
  for (const std::string_view db :
       {"db", "dbv", "dbu", "dbm", "dbw", "dbr", "dbc", "dba", "dbfs", "dbspl", "db spl"}) {
    if (u == db) return {Role::kGain, 1.0, "dB"};
  }
  if (u == "deg" || u == "degs" || u == "degree" || u == "degrees" || u == "\xC2\xB0")
    return {Role::kPhase, 1.0, "deg"};
  if (u == "rad" || u == "rads" || u == "radian" || u == "radians")
    return {Role::kPhase, kDegreesPerRadian, "rad"};
  return {};
}

constexpr std::array<std::string_view, 3> kFrequencyNames = {"freq", "frequency", "hz"};
constexpr std::array<std::string_view, 8> kGainNames = {"gain",  "mag", "magnitude", "db",
                                                        "level", "spl", "amplitude", "response"};
constexpr std::array<std::string_view, 3> kPhaseNames = {"phase", "deg", "angle"};

Role RoleOfName(std::string_view name) {
  std::string key = AsciiLower(TrimSpace(name));
  while (!key.empty() && key.back() == '.') key.pop_back();
  const auto in = [&key](const auto& names) {
    return std::find(names.begin(), names.end(), key) != names.end();
  };
  if (in(kFrequencyNames)) return Role::kFrequency;
  if (in(kGainNames)) return Role::kGain;
  if (in(kPhaseNames)) return Role::kPhase;
  return Role::kNone;
}

// A column heading: its name and the unit written with it, in brackets
// ("Freq (kHz)", "Freq [kHz]"), after a slash ("Freq/kHz") or an underscore
// ("Freq_kHz"), or alone ("kHz").
struct Heading {
  Role role = Role::kNone;
  bool named = false;    // the role is the column's name, not only its unit
  Unit unit;             // role kNone when no unit is written
  bool badUnit = false;  // a unit the role's column cannot have
  std::string unitText;
};

Heading ReadHeading(std::string_view field) {
  std::string name;
  std::string_view unitText;
  int depth = 0;
  size_t open = 0;
  for (size_t i = 0; i < field.size(); ++i) {
    const char c = field[i];
    if (c == '(' || c == '[') {
      if (depth++ == 0) open = i + 1;
    } else if ((c == ')' || c == ']') && depth > 0) {
      if (--depth == 0) unitText = field.substr(open, i - open);
    } else if (depth == 0) {
      name += c;
    }
  }
  if (unitText.empty()) {
    const size_t cut = field.find_last_of("/_");
    if (cut != field.npos && cut + 1 < field.size()) {
      const std::string_view before = field.substr(0, cut), after = field.substr(cut + 1);
      if (UnitOf(after).role != Role::kNone) {
        name = std::string(before);
        unitText = after;
      }
    }
  }
  Heading h;
  h.role = RoleOfName(name);
  h.named = h.role != Role::kNone;
  const Unit unit = UnitOf(unitText.empty() ? std::string_view(name) : unitText);
  if (h.role == Role::kNone) {
    // A name of no role with a unit of one ("kHz", "Ch1 (dBV)"); anything
    // else in brackets is part of the name ("V(out)").
    h.role = unit.role;
    h.unit = unit;
  } else if (!unitText.empty()) {
    h.unit = unit;
    h.badUnit = unit.role != h.role;
  } else if (unit.role == h.role) {
    h.unit = unit;  // "Hz", "dB", "deg" as names
  }
  h.unitText = std::string(TrimSpace(unitText));
  return h;
}

// The columns a table's rows are read from, and their units.
struct Columns {
  int frequency = 0, gain = 1, phase = 2;  // -1: none
  double frequencyScale = 1.0, phaseScale = 1.0;
  std::string units;  // the units read, for the page; empty when Hz, dB and degrees
  std::string traceName;
};

// Follows a header that names any column; a header that names none (or no
// header at all) leaves the first three columns as frequency, gain and
// phase. False with `failure` set when the header cannot be followed.
bool ColumnsFromHeader(const std::vector<std::string_view>& fields, size_t line, Columns& columns,
                       ImportResult& failure) {
  std::vector<Heading> headings;
  headings.reserve(fields.size());
  for (const std::string_view f : fields) headings.push_back(ReadHeading(f));
  const auto find = [&headings](Role role) {
    for (size_t i = 0; i < headings.size(); ++i) {
      if (headings[i].role == role) return static_cast<int>(i);
    }
    return -1;
  };
  int f = find(Role::kFrequency), g = find(Role::kGain);
  const int p = find(Role::kPhase);
  if (f < 0 && g < 0 && p < 0) return true;
  // Two columns are frequency and gain, whatever the other one is called.
  if (fields.size() == 2 && p < 0) {
    if (f >= 0 && g < 0) g = 1 - f;
    if (g >= 0 && f < 0) f = 1 - g;
  }
  if (f < 0) {
    failure = ImportFailure(line, FERNPLOT_TEXT("Import", "見出しに周波数の列がありません"));
    return false;
  }
  if (g < 0) {
    failure = ImportFailure(line, FERNPLOT_TEXT("Import", "見出しにゲインの列がありません"));
    return false;
  }
  for (const int col : {f, g, p}) {
    if (col >= 0 && headings[static_cast<size_t>(col)].badUnit) {
      failure = ImportFailure(
          line,
          FERNPLOT_TEXT("Import",
                        "%1 列目の単位 \"%2\" は読めません（周波数は Hz, kHz, MHz, GHz、"
                        "ゲインは dB、位相は deg, rad）"),
          {std::to_string(col + 1), headings[static_cast<size_t>(col)].unitText});
      return false;
    }
  }
  columns.frequency = f, columns.gain = g, columns.phase = p;
  columns.traceName = std::string(fields[static_cast<size_t>(g)]);
  const Unit& fu = headings[static_cast<size_t>(f)].unit;
  const Unit pu = p >= 0 ? headings[static_cast<size_t>(p)].unit : Unit{};
  if (fu.role != Role::kNone) columns.frequencyScale = fu.scale;
  if (pu.role != Role::kNone) columns.phaseScale = pu.scale;
  if (columns.frequencyScale != 1.0 || columns.phaseScale != 1.0) {
    columns.units = std::string(fu.role != Role::kNone ? fu.name : "Hz") + ", dB";
    if (p >= 0) columns.units += pu.role != Role::kNone ? ", " + std::string(pu.name) : ", deg";
  }
  return true;
}

// With spaces between the columns, "Freq (kHz)" is one heading, not two.
void JoinBracketedUnits(std::vector<std::string_view>& fields) {
  std::vector<std::string_view> joined;
  for (const std::string_view f : fields) {
    if (!joined.empty() && (f.front() == '(' || f.front() == '[')) {
      const std::string_view& last = joined.back();
      joined.back() =
          std::string_view(last.data(), static_cast<size_t>(f.data() + f.size() - last.data()));
    } else {
      joined.push_back(f);
    }
  }
  fields = std::move(joined);
}

bool IsCommentLine(std::string_view trimmed) {
  const char c = trimmed.front();
  return c == '*' || c == '#' || c == '!' || c == ';';
}

}  // namespace

bool NamesTableColumns(std::string_view header) {
  if (header.size() > kMaxImportLineBytes) return false;
  std::vector<std::string_view> fields;
  SplitFields(TrimSpace(header), ChooseSeparator(TrimSpace(header)), fields);
  for (size_t i = 1; i < fields.size(); ++i) {
    const Heading h = ReadHeading(fields[i]);
    if (h.named && (h.role == Role::kGain || h.role == Role::kPhase)) return true;
  }
  return false;
}

ImportResult ReadDelimitedText(std::string_view text) {
  LineCursor lines(text);
  std::string_view line;
  std::vector<std::string_view> fields;
  Separator sep = Separator::kSpace;
  bool decimalComma = false;
  bool started = false;  // separator chosen, header looked for
  size_t columnCount = 0;
  size_t headerLine = 0;
  Columns columns;
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
      // A comma between columns cannot also be the decimal point.
      decimalComma = sep != Separator::kComma;
      if (!SplitFields(trimmed, sep, fields))
        return ImportFailure(number, FERNPLOT_TEXT("Import", "列が多すぎます"));
      double v = 0.0;
      bool numeric = true;
      for (const std::string_view f : fields) {
        numeric = numeric && ParseCellNumber(f, decimalComma, v);
      }
      if (!numeric && sep == Separator::kSpace) JoinBracketedUnits(fields);
      columnCount = fields.size();
      if (columnCount < 2)
        return ImportFailure(
            number, FERNPLOT_TEXT("Import", "列が1つしかありません（周波数とゲインが必要です）"));
      columns.phase = columnCount >= 3 ? 2 : -1;
      if (!numeric) {
        headerLine = number;
        ImportResult failure;
        if (!ColumnsFromHeader(fields, number, columns, failure)) return failure;
        trace.name = columns.traceName;
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
    for (const auto& [col, value] :
         {std::pair{columns.frequency, &p.frequency}, std::pair{columns.gain, &p.gainDb},
          std::pair{columns.phase, &p.phaseDeg}}) {
      if (col < 0) continue;
      const std::string_view cell = fields[static_cast<size_t>(col)];
      if (!ParseCellNumber(cell, decimalComma, *value)) {
        return ImportFailure(number, FERNPLOT_TEXT("Import", "%1 列目が数値ではありません: \"%2\""),
                             {std::to_string(col + 1), std::string(cell)});
      }
    }
    p.frequency *= columns.frequencyScale;
    p.phaseDeg *= columns.phaseScale;
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
  file.units = std::move(columns.units);
  file.skippedPoints = skipped;
  file.traces.push_back(std::move(trace));
  return FinishTraces(std::move(file));
}

}  // namespace fernplot
