// SPDX-License-Identifier: MIT
#include "props/settings_file.h"

#include <fcntl.h>
#include <pwd.h>
#include <sys/stat.h>
#include <unistd.h>

#include <array>
#include <cerrno>
#include <charconv>
#include <cmath>
#include <cstdint>
#include <cstdio>
#include <cstdlib>
#include <cstring>
#include <filesystem>
#include <vector>

#include "fileio/atomic_file.h"
#include "props/settings_scan.h"
#include "text/encoding.h"
#include "text/file_path.h"
#include "text/number_text.h"

namespace fernplot {
namespace {

// Lines are read in pieces of at most this many bytes, each taken as a line.
constexpr size_t kLinePieceBytes = 255;

// Every line kind once, for writing and for reading: a keyword, then " = ",
// then its fields in the pattern language of ScanLine. Written lines pad the
// keyword to five characters; a blank in a pattern matches any run of blanks,
// so the reader takes both. Reading tries the kinds in this order.
enum LineKind : size_t {
  kTitleLine,
  kCalcLine,
  kColourLine,
  kLineWidthLine,
  kAxisLine,
  kItemLine,
  kFontLine,
  kCrossHairLine,
  kDataFilePathLine,
  kOverlayColourLine,
  kOverlayLegendLine,
  kMarginReferenceLine,
  kRightAxisLine,
  kViewLine,
  kLoopLine,
  kNyquistRadiusLine,
  kLineKindCount
};

struct LineFormat {
  std::string_view keyword;
  std::string_view fields;
};

constexpr std::array<LineFormat, kLineKindCount> kLineFormats{{
    {"TITLE", "%[^\n]"},
    {"CALC", "%[^\n]"},
    {"COLOR", "%d%d%d%d"},
    {"LINE", "%d%s"},
    {"AXIS", "%s%d%f%f%f%s%f%s%f%s%f%s %[^\n]"},
    {"ITEM", "%s"},
    {"FONT", "%d%d%d%d%s%s%d %[^\n]"},
    {"CROSS_HAIRS_CURSOR", "%s"},
    {"DATA_FILE_PATH", "%[^\n]"},
    // Written only when they differ from the factory values, so a settings
    // file stays as it was until the user changes them; copies of the
    // program that predate them skip them as unknown lines.
    {"OVERLAY_COLOR", "%d%d%d%d"},
    {"OVERLAY_LEGEND", "%s"},
    // Written only when not at the factory value, so that a file of factory
    // settings stays as older copies wrote it; they skip the line.
    {"MARGIN_REF", "%d"},
    {"RIGHT_AXIS", "%s"},
    // The loop views' page defaults, likewise only when changed. They are
    // written as "KEYWORD = VALUE", without the padding of the older lines.
    {"VIEW", "%s"},
    {"LOOP", "%s"},
    {"NYQUIST_RADIUS", "%s"},
}};

// The words of the VIEW and LOOP lines, by ViewKind and LoopCurve; the
// first of each is the factory value and never written.
constexpr std::array<std::string_view, 3> kViewWords{{"BODE", "NYQUIST", "NICHOLS"}};
constexpr std::array<std::string_view, 3> kLoopWords{{"OPEN", "CLOSED", "SENSITIVITY"}};

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

// The start of a written line of `kind`, up to its first field.
std::string LineHead(LineKind kind) {
  std::string head(kLineFormats[kind].keyword);
  if (head.size() < 5) head.resize(5, ' ');
  return head + " = ";
}

// The start of a line of the newer kinds, whose keyword is not padded.
std::string PlainLineHead(LineKind kind) {
  return std::string(kLineFormats[kind].keyword) + " = ";
}

// The pattern a read line of `kind` must match.
std::string LinePattern(LineKind kind) {
  return std::string(kLineFormats[kind].keyword) + " = " + std::string(kLineFormats[kind].fields);
}

constexpr char kRule[] = "*----------------------------------------------------";

const char* YesNo(int32_t flag) {
  return flag ? "Y" : "N";
}

std::string Colour3(Colour c) {
  char text[16];
  std::snprintf(text, sizeof text, "%03u %03u %03u", RedOf(c), GreenOf(c), BlueOf(c));
  return text;
}

std::string AxisLine(const char* code, const AxisSettings& a, bool withTight) {
  std::string line = LineHead(kAxisLine);
  line += code;
  line += ' ' + std::to_string(a.scaleType);
  line += ' ' + FormatFixedPoint(a.length, 1, 5);
  line += ' ' + FormatFixedPoint(a.margin1, 1, 4);
  line += ' ' + FormatFixedPoint(a.margin2, 1, 4);
  line += ' ' + std::string(YesNo(a.useDataMin)) + ' ' + FormatFixedPoint(a.rangeMin, 4);
  line += ' ' + std::string(YesNo(a.useDataMax)) + ' ' + FormatFixedPoint(a.rangeMax, 4);
  line += ' ' + std::string(YesNo(a.autoDivision));
  if (withTight) line += a.tight ? '2' : '1';
  line += ' ' + FormatFixedPoint(a.interval, 4);
  line += ' ' + std::string(YesNo(a.gridLines));
  line += ' ' + a.caption;
  return line;
}

std::string FontLine(int number, const FontSetting& f) {
  char head[64];
  std::snprintf(head, sizeof head, "%-2d %s %s %s %2d ", number, Colour3(f.color).c_str(),
                f.ansiCharset ? "ANSI" : "SJIS", f.bold ? "BOLD" : "RGLR", f.size);
  return LineHead(kFontLine) + head + f.faceName;
}

Colour ColourOf(int32_t r, int32_t g, int32_t b) {
  return Rgb(static_cast<unsigned>(r), static_cast<unsigned>(g), static_cast<unsigned>(b));
}

bool FirstIs(const std::string& word, char c) {
  return !word.empty() && word[0] == c;
}

AxisSettings* AxisByCode(GraphProperties& p, const std::string& code) {
  if (code == "HT") return &p.HT;
  if (code == "HB") return &p.HB;
  if (code == "VL") return &p.VL;
  if (code == "VR") return &p.VR;
  return nullptr;
}

// Splits the file into the pieces the reader treats as lines: each line
// without its LF or CR LF, and a line longer than the piece size in several
// pieces, never splitting a double-byte character.
std::vector<std::string_view> LinePieces(std::string_view bytes) {
  std::vector<std::string_view> pieces;
  while (!bytes.empty()) {
    size_t end = bytes.find('\n');
    std::string_view line = bytes.substr(0, end);
    bytes.remove_prefix(end == std::string_view::npos ? bytes.size() : end + 1);
    if (!line.empty() && line.back() == '\r') line.remove_suffix(1);
    do {
      std::string_view piece = CutCp932Bytes(line, kLinePieceBytes);
      if (piece.empty()) piece = line.substr(0, 1);
      pieces.push_back(piece);
      line.remove_prefix(piece.size());
    } while (!line.empty());
  }
  return pieces;
}

using Fields = std::vector<ScanField>;

// Lines are matched as CP932 bytes: the patterns are ASCII, and no byte of a
// double-byte character is a blank, a digit or a line end. Text values are
// cut to their fields and decoded afterwards.
struct SettingsTarget {
  GraphProperties& defaults;
  bool& crossHairEnabled;
  std::string& dataFilePath;
  Cp932Decoder decoder;
  std::array<std::string, kLineKindCount> patterns;

  bool Scan(std::string_view line, LineKind kind, Fields& f) const {
    return ScanLine(line, patterns[kind], f);
  }
  std::string Text(const std::string& cp932, size_t fieldBytes) {
    return decoder.Decode(CutCp932Bytes(cp932, fieldBytes));
  }
};

bool Finite(const ScanField& f) {
  return std::isfinite(f.number);
}

// Whether an AXIS line's numbers are ones the property sheet would accept:
// a hand-edited line with an absurd length or a value that is not a number
// is ignored as a whole, like a line that does not parse.
bool AxisValuesUsable(const std::string& code, const Fields& f) {
  const float minimum = (code == "HT" || code == "HB") ? kMinHorizontalAxisMm : kMinVerticalAxisMm;
  for (size_t i : {2, 3, 4, 6, 8, 10}) {
    if (!Finite(f[i])) return false;
  }
  // The top axis has no page in the sheet and is saved as zeros.
  if (code == "HT") return true;
  const float length = static_cast<float>(f[2].number);
  const float margin1 = static_cast<float>(f[3].number), margin2 = static_cast<float>(f[4].number);
  if (length < minimum || length > kMaxAxisLengthMm) return false;
  if (margin1 < 0 || margin2 < 0 || length - margin1 - margin2 < minimum) return false;
  const bool autoDivision = FirstIs(f[9].text, 'Y');
  return autoDivision || f[10].number > 0;
}

void ApplyAxis(SettingsTarget& t, const Fields& f) {
  AxisSettings* axis = AxisByCode(t.defaults, f[0].text);
  if (!axis || !AxisValuesUsable(f[0].text, f)) return;
  axis->scaleType = f[1].integer;
  axis->length = f[2].number;
  axis->margin1 = f[3].number;
  axis->margin2 = f[4].number;
  axis->useDataMin = FirstIs(f[5].text, 'Y');
  axis->rangeMin = f[6].number;
  axis->useDataMax = FirstIs(f[7].text, 'Y');
  axis->rangeMax = f[8].number;
  axis->autoDivision = FirstIs(f[9].text, 'Y');
  axis->tight = f[9].text.size() > 1 && f[9].text[1] == '2';
  axis->interval = f[10].number;
  axis->gridLines = FirstIs(f[11].text, 'Y');
  axis->caption = t.Text(f[12].text, kCaptionBytes);
}

void ApplyFont(SettingsTarget& t, const Fields& f) {
  const int32_t n = f[0].integer;
  if (n < 1 || n > kFontCategoryCount) return;
  if (f[6].integer < kMinFontPoints || f[6].integer > kMaxFontPoints) return;
  FontSetting& font = t.defaults.fonts[static_cast<size_t>(n - 1)];
  font.color = ColourOf(f[1].integer, f[2].integer, f[3].integer);
  font.ansiCharset = f[4].text == "ANSI";
  font.bold = f[5].text == "BOLD";
  font.size = f[6].integer;
  font.faceName = t.Text(f[7].text, kFaceNameBytes);
}

// The first pattern that fills all its fields takes the line.
void ApplyLine(SettingsTarget& t, std::string_view line, Fields& f) {
  if (t.Scan(line, kTitleLine, f)) {
    t.defaults.title = t.Text(f[0].text, kTitleBytes);
  } else if (t.Scan(line, kCalcLine, f)) {
    t.defaults.calcType = f[0].text == "CH1/CH2" ? 0 : 1;
  } else if (t.Scan(line, kColourLine, f)) {
    const Colour c = ColourOf(f[1].integer, f[2].integer, f[3].integer);
    if (f[0].integer == 0) t.defaults.backgroundColor = c;
    if (f[0].integer == 1) t.defaults.gainLineColor = c;
    if (f[0].integer == 2) t.defaults.phaseLineColor = c;
  } else if (t.Scan(line, kLineWidthLine, f)) {
    if (f[0].integer == 1) t.defaults.gainLineBoldOnPrint = f[1].text == "BOLD";
    if (f[0].integer == 2) t.defaults.phaseLineBoldOnPrint = f[1].text == "BOLD";
  } else if (t.Scan(line, kAxisLine, f)) {
    ApplyAxis(t, f);
  } else if (t.Scan(line, kItemLine, f)) {
    for (size_t k = 0; k < kItemCount; ++k) {
      t.defaults.itemFlags[k] = k < f[0].text.size() && f[0].text[k] == 'Y';
    }
  } else if (t.Scan(line, kFontLine, f)) {
    ApplyFont(t, f);
  } else if (t.Scan(line, kCrossHairLine, f)) {
    t.crossHairEnabled = FirstIs(f[0].text, 'Y');
  } else if (t.Scan(line, kDataFilePathLine, f)) {
    t.dataFilePath = t.Text(f[0].text, kDataFilePathBytes);
  } else if (t.Scan(line, kOverlayColourLine, f)) {
    const int32_t n = f[0].integer;
    if (n >= 1 && n <= static_cast<int32_t>(kOverlayPaletteSize)) {
      t.defaults.overlayStyle.palette[static_cast<size_t>(n - 1)] =
          ColourOf(f[1].integer, f[2].integer, f[3].integer);
    }
  } else if (t.Scan(line, kOverlayLegendLine, f)) {
    t.defaults.overlayStyle.legend = FirstIs(f[0].text, 'Y');
  } else if (t.Scan(line, kMarginReferenceLine, f)) {
    // Only the two references exist; any other number leaves the setting.
    if (f[0].integer == 0 || f[0].integer == -180) {
      t.defaults.marginReferenceZero = f[0].integer == 0;
    }
  } else if (t.Scan(line, kRightAxisLine, f)) {
    // An unknown word (a later copy's quantity) leaves the setting.
    for (size_t k = 0; k < kRightAxisWords.size(); ++k) {
      if (f[0].text == kRightAxisWords[k]) t.defaults.rightAxis = static_cast<int32_t>(k);
    }
  } else if (t.Scan(line, kViewLine, f)) {
    if (const int k = WordIndex(kViewWords, f[0].text); k >= 0) {
      t.defaults.view = static_cast<ViewKind>(k);
    }
  } else if (t.Scan(line, kLoopLine, f)) {
    if (const int k = WordIndex(kLoopWords, f[0].text); k >= 0) {
      t.defaults.loopCurve = static_cast<LoopCurve>(k);
    }
  } else if (t.Scan(line, kNyquistRadiusLine, f)) {
    // Read as a double, not through the float of %f: the radius is saved
    // as its shortest exact text.
    double radius = 0.0;
    const std::string& text = f[0].text;
    const auto [end, ec] = std::from_chars(text.data(), text.data() + text.size(), radius);
    if (ec == std::errc() && end == text.data() + text.size() && std::isfinite(radius) &&
        radius >= 0.0) {
      t.defaults.nyquistRadius = radius;
    }
  }
}

std::string HomeFolder() {
  if (const char* home = std::getenv("HOME"); home && *home) return home;
  if (const passwd* pw = getpwuid(getuid()); pw && pw->pw_dir) return pw->pw_dir;
  return {};
}

// The whole of a regular file of at most kMaxSettingsFileBytes; else why not.
std::string ReadSettingsBytes(int fd, std::string& bytes) {
  constexpr const char* kTooLarge = "larger than 1 MiB, not a settings file";
  struct stat st {};
  if (fstat(fd, &st) != 0) return std::strerror(errno);
  if (S_ISDIR(st.st_mode)) return std::strerror(EISDIR);
  if (!S_ISREG(st.st_mode)) return "not a regular file";
  if (static_cast<uint64_t>(st.st_size) > kMaxSettingsFileBytes) return kTooLarge;
  // One byte more than allowed tells a file that grew since fstat.
  bytes.assign(kMaxSettingsFileBytes + 1, '\0');
  size_t got = 0;
  while (got < bytes.size()) {
    const ssize_t n = read(fd, bytes.data() + got, bytes.size() - got);
    if (n < 0 && errno == EINTR) continue;
    if (n < 0) return std::strerror(errno);
    if (n == 0) break;
    got += static_cast<size_t>(n);
  }
  if (got > kMaxSettingsFileBytes) return kTooLarge;
  bytes.resize(got);
  return {};
}

}  // namespace

bool IsInstalledProgramFolder(const std::string& folder) {
  namespace fs = std::filesystem;
  const fs::path bin = fs::path(folder).lexically_normal();
  const fs::path name = bin.has_filename() ? bin.filename() : bin.parent_path().filename();
  std::error_code ec;
  return name == "bin" && fs::is_directory(bin / ".." / "share" / "fernplot", ec);
}

std::string DefaultSettingsFilePath(const std::string& executablePath) {
  namespace fs = std::filesystem;
  const fs::path exe(executablePath);
  const fs::path folder = exe.has_parent_path() ? exe.parent_path() : fs::path(".");
  // An installed program keeps its settings per user even where it could
  // write beside itself (run as root, or from a user-owned prefix).
  if (!executablePath.empty() && access(folder.c_str(), W_OK) == 0 &&
      !IsInstalledProgramFolder(folder.string())) {
    return (folder / (exe.stem().string() + ".CFG")).string();
  }
  fs::path config;
  if (const char* xdg = std::getenv("XDG_CONFIG_HOME"); xdg && *xdg == '/') {
    config = xdg;
  } else {
    config = fs::path(HomeFolder()) / ".config";
  }
  return (config / "fernplot" / "fernplot.CFG").string();
}

std::string DefaultSettingsReadPath(const std::string& executablePath) {
  namespace fs = std::filesystem;
  const std::string writePath = DefaultSettingsFilePath(executablePath);
  std::error_code ec;
  if (fs::exists(writePath, ec) || executablePath.empty()) return writePath;
  const fs::path exe(executablePath);
  const fs::path beside =
      (exe.has_parent_path() ? exe.parent_path() : fs::path(".")) / (exe.stem().string() + ".CFG");
  if (fs::is_regular_file(beside, ec) && access(beside.c_str(), R_OK) == 0) return beside.string();
  return writePath;
}

std::string DefaultDataFilePath() {
  std::string home = HomeFolder();
  if (home.empty()) return "*.DAT";
  if (home.back() != '/') home += '/';
  return home + "*.DAT";
}

void LoadSettingsFileText(std::string_view cp932, GraphProperties& defaults, bool& crossHairEnabled,
                          std::string& dataFilePath) {
  SettingsTarget target{defaults, crossHairEnabled, dataFilePath, {}, {}};
  for (size_t k = 0; k < kLineKindCount; ++k) {
    target.patterns[k] = LinePattern(static_cast<LineKind>(k));
  }
  Fields fields;
  for (std::string_view piece : LinePieces(cp932)) {
    // A line is matched as a C string: a NUL byte ends it.
    ApplyLine(target, piece.substr(0, piece.find('\0')), fields);
  }
}

SettingsLoadResult LoadSettingsFile(const std::string& path, GraphProperties& defaults,
                                    bool& crossHairEnabled, std::string& dataFilePath) {
  // Non-blocking, so that a FIFO at the path cannot hang the start.
  const int fd = open(path.c_str(), O_RDONLY | O_CLOEXEC | O_NONBLOCK | O_NOCTTY);
  if (fd < 0) {
    if (errno == ENOENT || errno == ENOTDIR) return {true, true, {}};
    return {false, false, path + ": " + std::strerror(errno)};
  }
  std::string bytes;
  const std::string error = ReadSettingsBytes(fd, bytes);
  close(fd);
  if (!error.empty()) return {false, false, path + ": " + error};
  LoadSettingsFileText(bytes, defaults, crossHairEnabled, dataFilePath);
  return {};
}

std::string SettingsFileText(const GraphProperties& d, bool crossHairEnabled,
                             const std::string& dataFilePath) {
  std::vector<std::string> lines;
  lines.emplace_back(kRule);
  lines.emplace_back("* FERNPLOT - 設定ﾃﾞｰﾀ");
  lines.emplace_back(kRule);
  lines.push_back(LineHead(kTitleLine) + d.title);
  lines.push_back(LineHead(kCalcLine) + (d.calcType == 0 ? "CH1/CH2" : "CH2/CH1"));
  lines.push_back(LineHead(kColourLine) + "0 " + Colour3(d.backgroundColor) + " ;ｸﾞﾗﾌ背景");
  lines.push_back(LineHead(kColourLine) + "1 " + Colour3(d.gainLineColor) + " ;ｹﾞｲﾝの線");
  lines.push_back(LineHead(kColourLine) + "2 " + Colour3(d.phaseLineColor) + " ;位相の線");
  lines.push_back(LineHead(kLineWidthLine) + "1 " + (d.gainLineBoldOnPrint ? "BOLD" : "RGLR") +
                  " ;ｹﾞｲﾝの線");
  lines.push_back(LineHead(kLineWidthLine) + "2 " + (d.phaseLineBoldOnPrint ? "BOLD" : "RGLR") +
                  " ;位相の線");
  lines.push_back(AxisLine("HT", d.HT, false));
  lines.push_back(AxisLine("HB", d.HB, true));
  lines.push_back(AxisLine("VL", d.VL, true));
  lines.push_back(AxisLine("VR", d.VR, true));
  std::string items = LineHead(kItemLine);
  for (int32_t flag : d.itemFlags) items += YesNo(flag);
  lines.push_back(items);
  for (int i = 0; i < kFontCategoryCount; ++i) {
    lines.push_back(FontLine(i + 1, d.fonts[static_cast<size_t>(i)]));
  }
  lines.push_back(LineHead(kCrossHairLine) + YesNo(crossHairEnabled));
  lines.push_back(LineHead(kDataFilePathLine) + dataFilePath);
  const OverlayStyle factory;
  for (size_t i = 0; i < kOverlayPaletteSize; ++i) {
    if (d.overlayStyle.palette[i] == factory.palette[i]) continue;
    lines.push_back(LineHead(kOverlayColourLine) + std::to_string(i + 1) + " " +
                    Colour3(d.overlayStyle.palette[i]) + " ;ｵｰﾊﾞｰﾚｲ" + std::to_string(i + 1));
  }
  if (d.overlayStyle.legend != factory.legend) {
    lines.push_back(LineHead(kOverlayLegendLine) + YesNo(d.overlayStyle.legend) + " ;凡例");
  }
  if (d.marginReferenceZero) lines.push_back(LineHead(kMarginReferenceLine) + "0");
  if (d.rightAxis > 0 && d.rightAxis < kRightAxisQuantityCount) {
    lines.push_back(LineHead(kRightAxisLine) +
                    std::string(kRightAxisWords[static_cast<size_t>(d.rightAxis)]));
  }
  const auto viewIndex = static_cast<size_t>(d.view);
  if (viewIndex > 0 && viewIndex < kViewWords.size()) {
    lines.push_back(PlainLineHead(kViewLine) + std::string(kViewWords[viewIndex]));
  }
  const auto loopIndex = static_cast<size_t>(d.loopCurve);
  if (loopIndex > 0 && loopIndex < kLoopWords.size()) {
    lines.push_back(PlainLineHead(kLoopLine) + std::string(kLoopWords[loopIndex]));
  }
  if (d.nyquistRadius != kDefaultNyquistRadius && std::isfinite(d.nyquistRadius) &&
      d.nyquistRadius >= 0.0) {
    char number[32];
    const auto [end, ec] = std::to_chars(number, number + sizeof number, d.nyquistRadius);
    if (ec == std::errc())
      lines.push_back(PlainLineHead(kNyquistRadiusLine) + std::string(number, end));
  }

  std::string text;
  for (const std::string& line : lines) text += line + "\r\n";
  return text;
}

SettingsResult SaveSettingsFile(const std::string& path, const GraphProperties& defaults,
                                bool crossHairEnabled, std::string& dataFilePath) {
  dataFilePath = ReplaceFilePartWithPattern(dataFilePath);
  // The per-user location may not exist yet on a first run.
  std::error_code ec;
  const std::filesystem::path parent = std::filesystem::path(path).parent_path();
  if (!parent.empty()) std::filesystem::create_directories(parent, ec);
  return WriteFileAtomically(
      path, Utf8ToCp932(SettingsFileText(defaults, crossHairEnabled, dataFilePath)));
}

}  // namespace fernplot
