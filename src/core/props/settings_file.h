// SPDX-License-Identifier: MIT
#pragma once
// The line-oriented settings file (CP932 on disk, CRLF written, LF accepted).

#include <string>
#include <string_view>
#include <vector>

#include "fileio/atomic_file.h"
#include "props/graph_properties.h"
#include "props/settings_path.h"

namespace fernplot {

using SettingsResult = WriteFileResult;

// Settings files are small; anything larger is not one.
constexpr size_t kMaxSettingsFileBytes = 1024 * 1024;

// The lines of a settings file that were not understood (an unknown keyword,
// a later version's value, a value that could not be read), as their bytes
// without the line end, in file order. Saving writes them back after the
// lines it writes, so that nothing a user or a later version put in the
// file is lost. The writer's own rule and comment lines are not among them.
using UnknownSettingsLines = std::vector<std::string>;

struct SettingsLoadResult {
  // False when something is at the path but cannot be read as a settings
  // file (a folder, a device, too large, no permission): nothing was taken
  // from it and it must not be replaced at exit.
  bool ok = true;
  // True when nothing is at the path (the values stay as they are).
  bool missing = false;
  std::string error;  // UTF-8, empty when ok
};

// Reads `path` over the current values; a missing file leaves them. Reads
// only a regular file of at most kMaxSettingsFileBytes. Lines not
// understood are added to *unknownLines when given.
SettingsLoadResult LoadSettingsFile(const std::string& path, GraphProperties& defaults,
                                    bool& crossHairEnabled, std::string& dataFilePath,
                                    UnknownSettingsLines* unknownLines = nullptr);
// The same for the file's bytes (CP932), e.g. from a fuzzer or a test.
void LoadSettingsFileText(std::string_view cp932, GraphProperties& defaults, bool& crossHairEnabled,
                          std::string& dataFilePath, UnknownSettingsLines* unknownLines = nullptr);
// Replaces the file part of dataFilePath by "*.DAT" (in memory too) and
// writes the whole file atomically: the lines of the values, then
// unknownLines as they were read.
SettingsResult SaveSettingsFile(const std::string& path, const GraphProperties& defaults,
                                bool crossHairEnabled, std::string& dataFilePath,
                                const UnknownSettingsLines& unknownLines = {});
// The exact file text (UTF-8, CRLF line ends) of the values' lines.
std::string SettingsFileText(const GraphProperties& defaults, bool crossHairEnabled,
                             const std::string& dataFilePath);
// The bytes SaveSettingsFile writes: that text in CP932, then unknownLines.
std::string SettingsFileBytes(const GraphProperties& defaults, bool crossHairEnabled,
                              const std::string& dataFilePath,
                              const UnknownSettingsLines& unknownLines);

}  // namespace fernplot
