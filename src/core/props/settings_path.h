// SPDX-License-Identifier: MIT
#pragma once
// Where the settings file lives, and the data-file pattern a first start
// offers.

#include <string>

namespace fernplot {

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

}  // namespace fernplot
