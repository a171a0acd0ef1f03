// SPDX-License-Identifier: MIT
#pragma once
// What the fuzz targets share: a failed check ends the run with a crash (so
// that libFuzzer reports it and keeps the input), the input as text, and
// settings bytes read the way the programs read a settings file.

#include <cstddef>
#include <cstdint>
#include <cstdlib>
#include <string>
#include <string_view>

#include "props/graph_properties.h"
#include "props/settings_file.h"

namespace fernplot::fuzzing {

inline void Check(bool ok) {
  if (!ok) std::abort();
}

inline std::string_view InputText(const uint8_t* data, size_t size) {
  return {reinterpret_cast<const char*>(data), size};
}

// A settings file's values read over the factory defaults.
struct LoadedSettings {
  GraphProperties props = FactoryDefaults();
  bool crossHair = false;
  std::string dataPath = "/home/user/*.DAT";
};

inline LoadedSettings LoadSettings(std::string_view input,
                                   UnknownSettingsLines* unknown = nullptr) {
  LoadedSettings s;
  LoadSettingsFileText(input, s.props, s.crossHair, s.dataPath, unknown);
  return s;
}

}  // namespace fernplot::fuzzing
