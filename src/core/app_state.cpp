// SPDX-License-Identifier: MIT
#include "app_state.h"

#include "text/file_path.h"

namespace fernplot {

void LoadStartupSettings(AppState& state) {
  state.dataFilePath = DefaultDataFilePath();
  state.crossHairEnabled = false;
  if (state.settingsFilePath.empty()) {
    state.settingsFilePath = DefaultSettingsFilePath(ExecutablePath());
  }
  SetFactoryDefaults(state.defaults);
  LoadSettingsFile(state.settingsFilePath, state.defaults, state.crossHairEnabled,
                   state.dataFilePath);
}

SettingsResult SaveStartupSettings(AppState& state) {
  return SaveSettingsFile(state.settingsFilePath, state.defaults, state.crossHairEnabled,
                          state.dataFilePath);
}

}  // namespace fernplot
