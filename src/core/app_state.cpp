// SPDX-License-Identifier: MIT
#include "app_state.h"

#include "text/file_path.h"

namespace fernplot {

void LoadStartupSettings(AppState& state) {
  state.dataFilePath = DefaultDataFilePath();
  state.crossHairEnabled = false;
  std::string readPath = state.settingsFilePath;
  if (state.settingsFilePath.empty()) {
    state.settingsFilePath = DefaultSettingsFilePath(ExecutablePath());
    readPath = DefaultSettingsReadPath(ExecutablePath());
  }
  SetFactoryDefaults(state.defaults);
  LoadSettingsFile(readPath, state.defaults, state.crossHairEnabled,
                   state.dataFilePath);
}

SettingsResult SaveStartupSettings(AppState& state) {
  return SaveSettingsFile(state.settingsFilePath, state.defaults, state.crossHairEnabled,
                          state.dataFilePath);
}

}  // namespace fernplot
