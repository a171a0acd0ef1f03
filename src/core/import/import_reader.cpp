// SPDX-License-Identifier: MIT
#include "import/import_reader.h"

#include <fcntl.h>
#include <sys/stat.h>
#include <unistd.h>

#include <algorithm>
#include <cerrno>
#include <charconv>
#include <cstring>

#include "import/import_text.h"

namespace fernplot {
namespace {

// Non-blocking, so that a FIFO or a device given as an input cannot stall
// the open; anything but a regular file is then refused.
constexpr int kOpenFlags = O_RDONLY | O_CLOEXEC | O_NONBLOCK | O_NOCTTY;

std::string LowerSuffix(std::string_view path) {
  const size_t slash = path.find_last_of('/');
  const std::string_view name = slash == path.npos ? path : path.substr(slash + 1);
  const size_t dot = name.find_last_of('.');
  return dot == name.npos ? std::string() : AsciiLower(name.substr(dot));
}

// Ports a ".sNp" name promises; 0 otherwise.
int PortsFromName(std::string_view path) {
  const std::string suffix = LowerSuffix(path);
  if (suffix.size() < 4 || !suffix.starts_with(".s") || !suffix.ends_with('p')) return 0;
  long ports = 0;
  const std::string_view digits = std::string_view(suffix).substr(2, suffix.size() - 3);
  const auto [ptr, ec] = std::from_chars(digits.data(), digits.data() + digits.size(), ports);
  if (ec != std::errc() || ptr != digits.data() + digits.size() || digits.front() == '0') return 0;
  return ports <= kMaxTouchstonePorts ? static_cast<int>(ports) : 0;
}

bool StartsWithNoCase(std::string_view s, std::string_view prefix) {
  return s.size() >= prefix.size() && AsciiLower(s.substr(0, prefix.size())) == prefix;
}

ImportFormat DetectText(std::string_view text, std::string_view path) {
  LineCursor lines(text);
  std::string_view line;
  while (lines.Next(line)) {
    // Too long for any reader: the one the name suggests says so, without
    // this look taking the line apart first.
    if (line.size() > kMaxImportLineBytes) break;
    if (LooksLikeSimulatorExport(line)) return ImportFormat::kSimulator;
    const std::string_view t = TrimSpace(line);
    if (t.empty() || t.front() == '!') continue;
    if (StartsWithNoCase(t, "[version]")) return ImportFormat::kTouchstone;
    if (t.front() == '#') {
      TouchstoneOptions options;
      ImportError what;
      const std::string_view words = TrimSpace(t.substr(1));
      if (!words.empty() && ParseTouchstoneOptions(words, options, what)) {
        return ImportFormat::kTouchstone;
      }
    }
    break;
  }
  if (PortsFromName(path) > 0) return ImportFormat::kTouchstone;
  if (LowerSuffix(path) == ".dat") return ImportFormat::kNone;
  if (LooksLikeImpedance(text)) return ImportFormat::kImpedance;
  return ImportFormat::kDelimited;
}

}  // namespace

bool HasImportSuffix(std::string_view path) {
  const std::string s = LowerSuffix(path);
  return PortsFromName(path) > 0 || s == ".txt" || s == ".csv" || s == ".tsv" || s == ".z" ||
         s == ".dta" || s == ".mpt";
}

ImportFormat DetectImportFormat(std::string_view bytes, std::string_view path) {
  std::string storage;
  const DecodedText decoded = DecodeImportText(bytes, storage);
  if (decoded.binary || decoded.text.empty()) return ImportFormat::kNone;
  return DetectText(decoded.text, path);
}

bool IsImportFile(const std::string& path) {
  if (HasImportSuffix(path)) return true;
  const int fd = open(path.c_str(), kOpenFlags);
  struct stat st {};
  if (fd < 0) return false;
  if (fstat(fd, &st) != 0 || !S_ISREG(st.st_mode)) {
    close(fd);
    return false;
  }
  std::string probe(kImportProbeBytes, '\0');
  const ssize_t n = read(fd, probe.data(), probe.size());
  close(fd);
  if (n <= 0) return false;
  probe.resize(static_cast<size_t>(n));
  return DetectImportFormat(probe, path) != ImportFormat::kNone;
}

ImportResult FinishTraces(ImportedFile file) {
  std::erase_if(file.traces, [](const ImportedTrace& t) { return t.points.empty(); });
  ImportResult r;
  if (file.traces.empty()) {
    return ImportFailure(
        0,
        FERNPLOT_TEXT(
            "Import",
            "使える点がありません: %1 点すべての周波数か値が正でないか有限ではありません"),
        {std::to_string(file.skippedPoints)});
  }
  r.file = std::move(file);
  return r;
}

ImportResult ParseImport(std::string_view bytes, std::string_view path,
                         const ImportOptions& options) {
  ImportResult r;
  if (bytes.size() > kMaxImportFileBytes) {
    return ImportFailure(0, FERNPLOT_TEXT("Import", "ファイルが大きすぎます"));
  }
  std::string storage;
  const DecodedText decoded = DecodeImportText(bytes, storage);
  if (decoded.text.find_first_not_of(" \t\r\n\f\v") == decoded.text.npos) {
    return ImportFailure(0, FERNPLOT_TEXT("Import", "空のファイルです"));
  }
  if (decoded.binary) {
    return ImportFailure(
        0, FERNPLOT_TEXT("Import", "バイナリデータです: テキストファイルではありません"));
  }
  const ImportFormat format = DetectText(decoded.text, path);
  if (options.columns != TableColumns::kFromFile) {
    // Named columns stand for a plain table's own; a file of any other
    // layout is not read by them.
    const bool table = format == ImportFormat::kDelimited || format == ImportFormat::kNone ||
                       (format == ImportFormat::kImpedance && IsImpedanceTable(decoded.text));
    if (!table) {
      return ImportFailure(
          0, FERNPLOT_TEXT("Import", "--columns は区切りのある表にだけ使えます"), {}, true);
    }
    return ReadTableWithColumns(decoded.text, options.columns);
  }
  switch (format) {
    case ImportFormat::kImpedance:
      r = ReadImpedanceText(decoded.text);
      break;
    case ImportFormat::kTouchstone:
      r = ReadTouchstone(decoded.text, PortsFromName(path), options);
      break;
    case ImportFormat::kSimulator:
      r = ReadSimulatorExport(decoded.text);
      break;
    case ImportFormat::kDelimited:
    case ImportFormat::kNone:
      r = ReadDelimitedText(decoded.text);
      break;
  }
  return r;
}

ImportResult ReadImportFile(const std::string& path, const ImportOptions& options) {
  const int fd = open(path.c_str(), kOpenFlags);
  struct stat st {};
  if (fd < 0 || fstat(fd, &st) != 0) {
    const int failure = errno;
    if (fd >= 0) close(fd);
    return ImportFailure(0, FERNPLOT_TEXT("Import", "開けません: %1"), {std::strerror(failure)});
  }
  if (!S_ISREG(st.st_mode)) {
    close(fd);
    return ImportFailure(0, FERNPLOT_TEXT("Import", "通常のファイルではありません"));
  }
  if (static_cast<unsigned long long>(st.st_size) > kMaxImportFileBytes) {
    close(fd);
    return ImportFailure(0, FERNPLOT_TEXT("Import", "ファイルが大きすぎます"));
  }
  std::string bytes(static_cast<size_t>(st.st_size), '\0');
  size_t got = 0;
  while (got < bytes.size()) {
    const ssize_t n = read(fd, bytes.data() + got, bytes.size() - got);
    if (n < 0 && errno == EINTR) continue;
    if (n < 0) {
      const int failure = errno;
      close(fd);
      return ImportFailure(0, FERNPLOT_TEXT("Import", "読み込めません: %1"),
                           {std::strerror(failure)});
    }
    if (n == 0) break;
    got += static_cast<size_t>(n);
  }
  close(fd);
  bytes.resize(got);
  return ParseImport(bytes, path, options);
}

}  // namespace fernplot
