// SPDX-License-Identifier: MIT
#include "props/settings_file.h"

#include <fcntl.h>
#include <sys/stat.h>
#include <unistd.h>

#include <algorithm>
#include <cerrno>
#include <cstdint>
#include <cstring>
#include <filesystem>

#include "fileio/atomic_file.h"
#include "props/settings_lines.h"
#include "text/encoding.h"
#include "text/file_path.h"

namespace fernplot {
namespace {

// Lines are read in pieces of at most this many bytes, each taken as a line.
constexpr size_t kLinePieceBytes = 255;

// The file's lines, each without its LF or CR LF.
std::vector<std::string_view> FileLines(std::string_view bytes) {
  std::vector<std::string_view> lines;
  while (!bytes.empty()) {
    size_t end = bytes.find('\n');
    std::string_view line = bytes.substr(0, end);
    bytes.remove_prefix(end == std::string_view::npos ? bytes.size() : end + 1);
    if (!line.empty() && line.back() == '\r') line.remove_suffix(1);
    lines.push_back(line);
  }
  return lines;
}

// The pieces the reader treats as lines: a line longer than the piece size
// is read in several pieces, never splitting a double-byte character.
std::vector<std::string_view> LinePieces(std::string_view line) {
  std::vector<std::string_view> pieces;
  do {
    std::string_view piece = CutCp932Bytes(line, kLinePieceBytes);
    if (piece.empty()) piece = line.substr(0, 1);
    pieces.push_back(piece);
    line.remove_prefix(piece.size());
  } while (!line.empty());
  return pieces;
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

void LoadSettingsFileText(std::string_view cp932, GraphProperties& defaults, bool& crossHairEnabled,
                          std::string& dataFilePath, UnknownSettingsLines* unknownLines) {
  SettingsValues values{std::move(defaults), crossHairEnabled, std::move(dataFilePath)};
  SettingsLineReader reader;
  // The rule and comment lines the writer puts at the top are its own.
  std::vector<std::string> headerLines;
  for (const char* line : kSettingsHeaderLines) headerLines.push_back(Utf8ToCp932(line));
  for (std::string_view line : FileLines(cp932)) {
    bool understood = false;
    for (std::string_view piece : LinePieces(line)) {
      // A line is matched as a C string: a NUL byte ends it.
      understood |= reader.Read(piece.substr(0, piece.find('\0')), values);
    }
    if (understood || !unknownLines) continue;
    const std::string_view text = line.substr(0, line.find('\0'));
    if (std::find(headerLines.begin(), headerLines.end(), text) == headerLines.end() &&
        !reader.IsEmptyTextLine(text)) {
      unknownLines->emplace_back(line);
    }
  }
  defaults = std::move(values.props);
  crossHairEnabled = values.crossHair;
  dataFilePath = std::move(values.dataFilePath);
}

SettingsLoadResult LoadSettingsFile(const std::string& path, GraphProperties& defaults,
                                    bool& crossHairEnabled, std::string& dataFilePath,
                                    UnknownSettingsLines* unknownLines) {
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
  LoadSettingsFileText(bytes, defaults, crossHairEnabled, dataFilePath, unknownLines);
  return {};
}

std::string SettingsFileText(const GraphProperties& defaults, bool crossHairEnabled,
                             const std::string& dataFilePath) {
  std::string text;
  for (const std::string& line :
       SettingsLines(SettingsValues{defaults, crossHairEnabled, dataFilePath})) {
    text += line + "\r\n";
  }
  return text;
}

std::string SettingsFileBytes(const GraphProperties& defaults, bool crossHairEnabled,
                              const std::string& dataFilePath,
                              const UnknownSettingsLines& unknownLines) {
  std::string bytes = Utf8ToCp932(SettingsFileText(defaults, crossHairEnabled, dataFilePath));
  for (const std::string& line : unknownLines) bytes += line + "\r\n";
  return bytes;
}

SettingsResult SaveSettingsFile(const std::string& path, const GraphProperties& defaults,
                                bool crossHairEnabled, std::string& dataFilePath,
                                const UnknownSettingsLines& unknownLines) {
  dataFilePath = ReplaceFilePartWithPattern(dataFilePath);
  // The per-user location may not exist yet on a first run.
  std::error_code ec;
  const std::filesystem::path parent = std::filesystem::path(path).parent_path();
  if (!parent.empty()) std::filesystem::create_directories(parent, ec);
  return WriteFileAtomically(
      path, SettingsFileBytes(defaults, crossHairEnabled, dataFilePath, unknownLines));
}

}  // namespace fernplot
