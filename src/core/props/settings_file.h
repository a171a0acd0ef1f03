// SPDX-License-Identifier: MIT
#pragma once
// The line-oriented settings file (CP932 on disk, CRLF written, LF accepted).

#include <string>
#include <string_view>

#include "props/graph_properties.h"
#include "fileio/atomic_file.h"

namespace fernplot {

using SettingsResult = WriteFileResult;

// Where the settings live: "<program base name>.CFG" beside the executable
// when that folder is writable and not an installation, else
// $XDG_CONFIG_HOME/fernplot/fernplot.CFG.
std::string DefaultSettingsFilePath(const std::string& executablePath);
// True for the bin folder of an installation: "<prefix>/bin" beside
// "<prefix>/share/fernplot".
bool IsInstalledProgramFolder(const std::string& folder);
// The file to read the settings from when none was named: the file of
// DefaultSettingsFilePath when it exists; else a settings file beside the
// program (its folder read-only, so changes go to the per-user file); else
// the DefaultSettingsFilePath one.
std::string DefaultSettingsReadPath(const std::string& executablePath);
// "<home>/*.DAT".
std::string DefaultDataFilePath();

// Settings files are small; anything larger is not one.
constexpr size_t kMaxSettingsFileBytes = 1024 * 1024;

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
// only a regular file of at most kMaxSettingsFileBytes.
SettingsLoadResult LoadSettingsFile(const std::string& path, GraphProperties& defaults,
                                    bool& crossHairEnabled, std::string& dataFilePath);
// The same for the file's bytes (CP932), e.g. from a fuzzer or a test.
void LoadSettingsFileText(std::string_view cp932, GraphProperties& defaults, bool& crossHairEnabled,
                          std::string& dataFilePath);
// Replaces the file part of dataFilePath by "*.DAT" (in memory too) and
// writes the whole file atomically.
SettingsResult SaveSettingsFile(const std::string& path, const GraphProperties& defaults,
                                bool crossHairEnabled, std::string& dataFilePath);
// The exact file text (UTF-8, CRLF line ends) that SaveSettingsFile encodes.
std::string SettingsFileText(const GraphProperties& defaults, bool crossHairEnabled,
                             const std::string& dataFilePath);

}  // namespace fernplot
