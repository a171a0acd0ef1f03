// SPDX-License-Identifier: MIT
#include "app_state.h"

#include "text/file_path.h"

namespace fernplot {

const SettingsLoadResult& LoadStartupSettings(AppState& state) {
  state.dataFilePath = DefaultDataFilePath();
  state.crossHairEnabled = false;
  std::string readPath = state.settingsFilePath;
  if (state.settingsFilePath.empty()) {
    state.settingsFilePath = DefaultSettingsFilePath(ExecutablePath());
    readPath = DefaultSettingsReadPath(ExecutablePath());
  }
  SetFactoryDefaults(state.defaults);
  state.unknownSettingsLines.clear();
  // A file that cannot be read is refused before any value is taken.
  state.settingsLoad = LoadSettingsFile(readPath, state.defaults, state.crossHairEnabled,
                                        state.dataFilePath, &state.unknownSettingsLines);
  return state.settingsLoad;
}

SettingsResult SaveStartupSettings(AppState& state) {
  if (!state.settingsLoad.ok) return {true, {}};
  return SaveSettingsFile(state.settingsFilePath, state.defaults, state.crossHairEnabled,
                          state.dataFilePath, state.unknownSettingsLines);
}

}  // namespace fernplot
