// SPDX-License-Identifier: MIT
// Readers of impedance spectra: the text exports of electrochemical
// workstations and impedance analysers, and delimited tables whose header
// names impedance columns (or whose columns the user names). Each gives one
// trace of Z as read, in double, with its points as 20 log10 |Z/1 Ω| and θ
// for the pages.

#include <cmath>
#include <complex>
#include <memory>
#include <numbers>
#include <string>
#include <vector>

#include "import/import_reader.h"
#include "import/import_text.h"
#include "import/table_fields.h"

namespace fernplot {
namespace {

enum class ZRole { kNone, kFrequency, kRe, kIm, kNegIm, kMag, kPhase, kNegPhase };

struct ZHeading {
  ZRole role = ZRole::kNone;
  double scale = 1.0;  // to Hz, ohms or degrees
};

bool In(std::string_view key, std::initializer_list<std::string_view> names) {
  for (const std::string_view n : names) {
    if (key == n) return true;
  }
  return false;
}

// The scale of a unit to Hz, ohms or degrees, and which of them it is
// (kFrequency, kRe for ohms, kPhase); kNone for text that is no such unit.
// Case matters for the prefixes of ohms: mΩ and MΩ.
ZHeading UnitOf(std::string_view unit) {
  unit = TrimSpace(unit);
  const std::string lower = AsciiLower(unit);
  if (In(lower, {"hz", "hertz"})) return {ZRole::kFrequency, 1.0};
  if (lower == "khz") return {ZRole::kFrequency, 1e3};
  if (lower == "mhz") return {ZRole::kFrequency, 1e6};  // megahertz in a heading
  if (lower == "ghz") return {ZRole::kFrequency, 1e9};
  if (In(lower, {"deg", "degree", "degrees", "\xC2\xB0"})) return {ZRole::kPhase, 1.0};
  if (In(lower, {"rad", "radian", "radians"})) return {ZRole::kPhase, 180.0 / std::numbers::pi};
  // Ω as the Greek capital omega (U+03A9) or the ohm sign (U+2126).
  for (const auto& [prefix, scale] : {std::pair<std::string_view, double>{"", 1.0},
                                      {"k", 1e3},
                                      {"M", 1e6},
                                      {"m", 1e-3}}) {
    if (!unit.starts_with(prefix)) continue;
    const std::string_view rest = unit.substr(prefix.size());
    const std::string restLower = AsciiLower(rest);
    if (In(restLower, {"ohm", "ohms", "\xCE\xA9", "\xE2\x84\xA6"})) return {ZRole::kRe, scale};
  }
  return {};
}

// A column heading as the impedance tables write them: "Freq/Hz",
// "Re(Z)/Ohm", "-Im(Z)/Ohm", "Z' (Ω)", "-Z'' (Ω)", "Zreal", "Zimag",
// "Z\"/ohm", "|Z|/Ohm", "Phase(Z)/deg", "Frequency (Hz)", "Z'(a)".
ZHeading ReadZHeading(std::string_view field) {
  std::string name;
  for (const char c : TrimSpace(field)) {
    if (c != ' ') name += c;
  }
  ZHeading unit;
  // A unit in brackets at the end, or after the last slash.
  if (!name.empty() && (name.back() == ')' || name.back() == ']')) {
    const size_t open = name.find_last_of(name.back() == ')' ? '(' : '[');
    if (open != std::string::npos) {
      const ZHeading u = UnitOf(std::string_view(name).substr(open + 1, name.size() - open - 2));
      if (u.role != ZRole::kNone) {
        unit = u;
        name.resize(open);
      }
    }
  }
  if (unit.role == ZRole::kNone) {
    const size_t slash = name.find_last_of('/');
    if (slash != std::string::npos) {
      const ZHeading u = UnitOf(std::string_view(name).substr(slash + 1));
      if (u.role != ZRole::kNone) {
        unit = u;
        name.resize(slash);
      }
    }
  }
  std::string key = AsciiLower(name);
  bool negated = false;
  if (key.starts_with('-')) {
    negated = true;
    key.erase(0, 1);
  }
  const auto with = [&](ZRole role, ZRole unitRole) {
    ZHeading h{role, 1.0};
    if (unit.role == unitRole) h.scale = unit.scale;
    // A unit of another kind than the name says: not a column of ours.
    if (unit.role != ZRole::kNone && unit.role != unitRole) h.role = ZRole::kNone;
    return h;
  };
  if (!negated && In(key, {"freq", "freq.", "frequency", "f", "hz"}))
    return with(ZRole::kFrequency, ZRole::kFrequency);
  if (In(key, {"z'", "zre", "zreal", "re(z)", "re", "z_re", "real", "rez", "z'(a)", "zr"}))
    return with(negated ? ZRole::kNone : ZRole::kRe, ZRole::kRe);
  if (In(key, {"z''", "z\"", "zim", "zimag", "im(z)", "im", "z_im", "imag", "imz", "z''(b)",
               "zi"}))
    return with(negated ? ZRole::kNegIm : ZRole::kIm, ZRole::kRe);
  if (!negated && In(key, {"|z|", "zmod", "z", "mod(z)", "abs(z)", "zabs", "|z|(a)"}))
    return with(ZRole::kMag, ZRole::kRe);
  if (In(key, {"phase", "zphz", "phase(z)", "theta", "phi", "angle", "\xCE\xB8"}))
    return with(negated ? ZRole::kNegPhase : ZRole::kPhase, ZRole::kPhase);
  return {};
}

// Where a table's values are: the columns, and how Z is made of them.
struct ZColumns {
  int frequency = -1, first = -1, second = -1;  // first/second: re, im or mag, phase
  bool polar = false;         // modulus and phase rather than parts
  double secondSign = 1.0;    // -1 for -Im Z or -θ
  double frequencyScale = 1.0, firstScale = 1.0, secondScale = 1.0;
  bool ratio = false;         // f, dB, degrees: a plain ratio table
};

// The columns a header names; none when it names no frequency or no pair
// of impedance columns.
std::optional<ZColumns> ColumnsOfHeader(const std::vector<std::string_view>& fields) {
  ZColumns c;
  int re = -1, im = -1, mag = -1, phase = -1;
  ZHeading reH, imH, magH, phaseH;
  for (size_t i = 0; i < fields.size(); ++i) {
    const ZHeading h = ReadZHeading(fields[i]);
    const int col = static_cast<int>(i);
    switch (h.role) {
      case ZRole::kFrequency:
        if (c.frequency < 0) c.frequency = col, c.frequencyScale = h.scale;
        break;
      case ZRole::kRe:
        if (re < 0) re = col, reH = h;
        break;
      case ZRole::kIm:
      case ZRole::kNegIm:
        if (im < 0) im = col, imH = h;
        break;
      case ZRole::kMag:
        if (mag < 0) mag = col, magH = h;
        break;
      case ZRole::kPhase:
      case ZRole::kNegPhase:
        if (phase < 0) phase = col, phaseH = h;
        break;
      case ZRole::kNone:
        break;
    }
  }
  if (c.frequency < 0) return std::nullopt;
  if (re >= 0 && im >= 0) {
    c.first = re, c.second = im;
    c.firstScale = reH.scale, c.secondScale = imH.scale;
    c.secondSign = imH.role == ZRole::kNegIm ? -1.0 : 1.0;
    return c;
  }
  if (mag >= 0 && phase >= 0) {
    c.first = mag, c.second = phase, c.polar = true;
    c.firstScale = magH.scale, c.secondScale = phaseH.scale;
    c.secondSign = phaseH.role == ZRole::kNegPhase ? -1.0 : 1.0;
    return c;
  }
  return std::nullopt;
}

ZColumns ColumnsOfList(TableColumns list) {
  ZColumns c;
  c.frequency = 0, c.first = 1, c.second = 2;
  c.polar = list == TableColumns::kMagDeg;
  c.secondSign = list == TableColumns::kReNegIm ? -1.0 : 1.0;
  c.ratio = list == TableColumns::kDbDeg;
  return c;
}

// The instruments' layouts, told by their first lines.
enum class ZLayout { kNone, kZPlot, kZ60W, kGamry, kEcLab, kChi, kTable };

bool StartsNoCase(std::string_view s, std::string_view prefix) {
  return s.size() >= prefix.size() && AsciiLower(s.substr(0, prefix.size())) == prefix;
}

ZLayout LayoutOf(std::string_view text) {
  LineCursor lines(text);
  std::string_view line;
  int seen = 0;
  bool explain = false;
  std::vector<std::string_view> fields;
  while (lines.Next(line) && seen < 60) {
    if (line.size() > kMaxImportLineBytes) return ZLayout::kNone;
    const std::string_view t = TrimSpace(line);
    if (t.empty()) continue;
    ++seen;
    if (seen == 1) {
      if (StartsNoCase(t, "zplot2 ascii")) return ZLayout::kZPlot;
      if (StartsNoCase(t, "ec-lab ascii file")) return ZLayout::kEcLab;
      explain = StartsNoCase(t, "explain");
      if (AsciiLower(t).find("z60w") != std::string::npos) return ZLayout::kZ60W;
      // A header naming a frequency and impedance columns; anything else
      // in the first line is left to the other readers.
      if (!explain && t.front() != '#' && t.front() != '!' && t.front() != '*') {
        if (!SplitFields(t, ChooseSeparator(t), fields)) return ZLayout::kNone;
        if (ColumnsOfHeader(fields)) return ZLayout::kTable;
      }
      continue;
    }
    if (explain && StartsNoCase(t, "zcurve")) return ZLayout::kGamry;
    if (seen <= 3 && StartsNoCase(t, "a.c. impedance")) return ZLayout::kChi;
    if (!explain) break;
  }
  return ZLayout::kNone;
}

struct TableStart {
  size_t headerLine = 0;  // 0: no header row; the columns are fixed
  ZColumns columns;
};

// One row's Z from its fields; false with `failure` set when a cell needed
// is missing or not a number.
bool ReadRow(const std::vector<std::string_view>& fields, const ZColumns& c, bool decimalComma,
             size_t line, double& frequency, std::complex<double>& z, ImportResult& failure) {
  double values[3] = {0.0, 0.0, 0.0};
  const int cols[3] = {c.frequency, c.first, c.second};
  for (int k = 0; k < 3; ++k) {
    const auto col = static_cast<size_t>(cols[k]);
    if (col >= fields.size()) {
      failure = ImportFailure(line, FERNPLOT_TEXT("Import", "%1 列目がありません"),
                              {std::to_string(col + 1)});
      return false;
    }
    if (!ParseCellNumber(fields[col], decimalComma, values[k])) {
      failure = ImportFailure(line, FERNPLOT_TEXT("Import", "%1 列目が数値ではありません: \"%2\""),
                              {std::to_string(col + 1), std::string(fields[col])});
      return false;
    }
  }
  frequency = values[0] * c.frequencyScale;
  const double a = values[1] * c.firstScale;
  const double b = values[2] * c.secondScale * c.secondSign;
  z = c.polar ? std::polar(a, b * std::numbers::pi / 180.0) : std::complex<double>(a, b);
  return true;
}

struct Layout {
  const char* format = "";
  Separator sep = Separator::kComma;
  bool decimalComma = false;
  size_t firstDataLine = 0;  // rows are read from this line on
  ZColumns columns;
  bool stopAtText = false;   // the table ends at the first row that is not a number
};

// The first non-empty line at or after `from` that is not a comment, its
// number in `number`.
bool LineAt(std::string_view text, size_t from, std::string_view& line, size_t& number) {
  LineCursor lines(text);
  while (lines.Next(line)) {
    if (lines.LineNumber() < from) continue;
    if (line.size() > kMaxImportLineBytes) return false;
    if (TrimSpace(line).empty()) continue;
    number = lines.LineNumber();
    return true;
  }
  return false;
}

bool FirstFieldIsNumber(std::string_view t, Separator sep, bool decimalComma) {
  std::vector<std::string_view> fields;
  double v = 0.0;
  return SplitFields(t, sep, fields) && !fields.empty() &&
         ParseCellNumber(fields.front(), decimalComma, v);
}

// Finds where the layout's table begins and what its columns are.
std::optional<ImportResult> FindTable(std::string_view text, ZLayout layout, Layout& out) {
  LineCursor lines(text);
  std::string_view line;
  std::vector<std::string_view> fields;
  const auto header = [&](size_t number, std::string_view t) -> std::optional<ImportResult> {
    if (!SplitFields(t, out.sep, fields))
      return ImportFailure(number, FERNPLOT_TEXT("Import", "列が多すぎます"));
    const std::optional<ZColumns> c = ColumnsOfHeader(fields);
    if (!c) {
      return ImportFailure(
          number, FERNPLOT_TEXT("Import", "見出しに周波数とインピーダンスの列がありません"));
    }
    out.columns = *c;
    out.firstDataLine = number + 1;
    return std::nullopt;
  };
  switch (layout) {
    case ZLayout::kZPlot:
    case ZLayout::kZ60W: {
      // Frequency, amplitude, bias, time, Z', Z'' (the imaginary part), ...
      out.format = layout == ZLayout::kZPlot ? "ZPlot" : "Autolab Z60W";
      out.sep = Separator::kComma;
      out.columns.frequency = 0, out.columns.first = 4, out.columns.second = 5;
      while (lines.Next(line)) {
        const std::string_view t = TrimSpace(line);
        if (layout == ZLayout::kZPlot && StartsNoCase(t, "end header")) {
          out.firstDataLine = lines.LineNumber() + 1;
          return std::nullopt;
        }
        if (layout == ZLayout::kZ60W && FirstFieldIsNumber(t, out.sep, false)) {
          out.firstDataLine = lines.LineNumber();
          return std::nullopt;
        }
      }
      return ImportFailure(0, layout == ZLayout::kZPlot
                                  ? FERNPLOT_TEXT("Import", "\"End Header:\" の行がありません")
                                  : FERNPLOT_TEXT("Import", "データがありません"));
    }
    case ZLayout::kGamry: {
      out.format = "Gamry DTA";
      out.sep = Separator::kTab;
      out.stopAtText = true;
      while (lines.Next(line)) {
        if (!StartsNoCase(TrimSpace(line), "zcurve")) continue;
        size_t number = 0;
        if (!LineAt(text, lines.LineNumber() + 1, line, number))
          return ImportFailure(lines.LineNumber(), FERNPLOT_TEXT("Import", "ZCURVE の表がありません"));
        if (auto failure = header(number, TrimSpace(line))) return failure;
        // The row of units under the names.
        if (LineAt(text, number + 1, line, number) &&
            !FirstFieldIsNumber(TrimSpace(line), out.sep, false)) {
          out.firstDataLine = number + 1;
        }
        return std::nullopt;
      }
      return ImportFailure(0, FERNPLOT_TEXT("Import", "ZCURVE の表がありません"));
    }
    case ZLayout::kEcLab: {
      out.format = "EC-Lab";
      out.sep = Separator::kTab;
      out.decimalComma = true;
      // "Nb header lines : 60": the last of them names the columns.
      while (lines.Next(line) && lines.LineNumber() < 20) {
        const std::string lower = AsciiLower(TrimSpace(line));
        if (!lower.starts_with("nb header lines")) continue;
        const size_t colon = lower.find(':');
        double n = 0.0;
        if (colon == std::string::npos || !ParseWholeNumber(std::string_view(lower).substr(colon + 1), n) ||
            n < 2 || n > 100000 || n != std::floor(n)) {
          return ImportFailure(lines.LineNumber(),
                               FERNPLOT_TEXT("Import", "見出しの行数が読めません"));
        }
        // A header line that is not there is reported where its count is.
        const size_t countLine = lines.LineNumber();
        size_t number = 0;
        if (!LineAt(text, static_cast<size_t>(n), line, number) ||
            number != static_cast<size_t>(n)) {
          return ImportFailure(countLine, FERNPLOT_TEXT("Import", "見出しの行がありません"));
        }
        return header(number, TrimSpace(line));
      }
      return ImportFailure(0, FERNPLOT_TEXT("Import", "見出しの行数が読めません"));
    }
    case ZLayout::kChi:
    case ZLayout::kTable: {
      out.format = layout == ZLayout::kChi ? "CHI" : "Text";
      while (lines.Next(line)) {
        if (line.size() > kMaxImportLineBytes)
          return ImportFailure(lines.LineNumber(), FERNPLOT_TEXT("Import", "行が長すぎます"));
        const std::string_view t = TrimSpace(line);
        if (t.empty()) continue;
        out.sep = ChooseSeparator(t);
        out.decimalComma = out.sep != Separator::kComma;
        if (!SplitFields(t, out.sep, fields)) continue;
        if (ColumnsOfHeader(fields)) return header(lines.LineNumber(), t);
        if (layout == ZLayout::kTable) break;
      }
      return ImportFailure(0, FERNPLOT_TEXT("Import", "見出しに周波数とインピーダンスの列がありません"));
    }
    case ZLayout::kNone:
      break;
  }
  return ImportFailure(0, FERNPLOT_TEXT("Import", "データがありません"));
}

// Reads the rows from the layout's first data line on.
ImportResult ReadRows(std::string_view text, const Layout& layout) {
  LineCursor lines(text);
  std::string_view line;
  std::vector<std::string_view> fields;
  auto sweep = std::make_shared<ComplexSweep>();
  sweep->quantity = layout.columns.ratio ? SweepQuantity::kRatio : SweepQuantity::kImpedance;
  ImportedTrace trace;
  trace.name = layout.columns.ratio ? "" : "Z";
  size_t skipped = 0, rows = 0;
  while (lines.Next(line)) {
    const size_t number = lines.LineNumber();
    if (number < layout.firstDataLine) continue;
    if (line.size() > kMaxImportLineBytes)
      return ImportFailure(number, FERNPLOT_TEXT("Import", "行が長すぎます"));
    const std::string_view t = TrimSpace(line);
    if (t.empty() || t.front() == '#') continue;
    if (!SplitFields(t, layout.sep, fields))
      return ImportFailure(number, FERNPLOT_TEXT("Import", "列が多すぎます"));
    double first = 0.0;
    if (layout.stopAtText && !fields.empty() && !ParseCellNumber(fields[0], false, first)) break;
    double frequency = 0.0;
    std::complex<double> z;
    ImportResult failure;
    if (!ReadRow(fields, layout.columns, layout.decimalComma, number, frequency, z, failure))
      return failure;
    ++rows;
    TracePoint p;
    p.frequency = frequency;
    if (layout.columns.ratio) {
      p.gainDb = z.real();
      p.phaseDeg = z.imag();
    } else {
      ComplexToGainPhase(z.real(), z.imag(), p.gainDb, p.phaseDeg);
    }
    if (!IsUsablePoint(p) || !std::isfinite(z.real()) || !std::isfinite(z.imag()) ||
        (!layout.columns.ratio && std::abs(z) == 0.0)) {
      ++skipped;
      continue;
    }
    trace.points.push_back(p);
    sweep->frequency.push_back(frequency);
    sweep->response.push_back(z);
  }
  if (rows == 0) return ImportFailure(0, FERNPLOT_TEXT("Import", "見出しだけでデータがありません"));
  if (!layout.columns.ratio) trace.sweep = std::move(sweep);
  ImportedFile file;
  file.format = layout.format;
  file.skippedPoints = skipped;
  file.traces.push_back(std::move(trace));
  return FinishTraces(std::move(file));
}

}  // namespace

std::optional<TableColumns> ParseTableColumns(std::string_view list) {
  const std::string l = AsciiLower(list);
  if (l == "f,db,deg") return TableColumns::kDbDeg;
  if (l == "f,re,im") return TableColumns::kReIm;
  if (l == "f,re,-im") return TableColumns::kReNegIm;
  if (l == "f,mag,deg") return TableColumns::kMagDeg;
  return std::nullopt;
}

bool LooksLikeImpedance(std::string_view text) {
  return LayoutOf(text) != ZLayout::kNone;
}

bool IsImpedanceTable(std::string_view text) {
  return LayoutOf(text) == ZLayout::kTable;
}

ImportResult ReadImpedanceText(std::string_view text) {
  Layout layout;
  if (std::optional<ImportResult> failure = FindTable(text, LayoutOf(text), layout)) {
    return *failure;
  }
  return ReadRows(text, layout);
}

ImportResult ReadTableWithColumns(std::string_view text, TableColumns columns) {
  Layout layout;
  layout.format = "Text";
  layout.columns = ColumnsOfList(columns);
  // The first row that is not a comment sets the separator; a header row
  // (not numbers) is skipped.
  LineCursor lines(text);
  std::string_view line;
  while (lines.Next(line)) {
    const std::string_view t = TrimSpace(line);
    if (t.empty() || t.front() == '#' || t.front() == '!' || t.front() == '*') continue;
    layout.sep = ChooseSeparator(t);
    layout.decimalComma = layout.sep != Separator::kComma;
    layout.firstDataLine = lines.LineNumber();
    if (!FirstFieldIsNumber(t, layout.sep, layout.decimalComma)) ++layout.firstDataLine;
    break;
  }
  if (layout.firstDataLine == 0) return ImportFailure(0, FERNPLOT_TEXT("Import", "データがありません"));
  return ReadRows(text, layout);
}

}  // namespace fernplot
