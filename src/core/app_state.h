// SPDX-License-Identifier: MIT
#pragma once
// Program-wide state, owned by whoever runs the program (the viewer's
// application object, the exporter's main, each test).

#include <string>

#include "datafile/data_file_list.h"
#include "graph/page_session.h"
#include "props/graph_properties.h"
#include "props/settings_file.h"

namespace fernplot {

struct AppState {
  GraphProperties defaults = FactoryDefaults();
  bool crossHairEnabled = false;
  std::string dataFilePath;  // search pattern of the list dialog, UTF-8
  std::string settingsFilePath;
  // What reading the settings file at start gave; a file that could not be
  // read is kept as it is at exit.
  SettingsLoadResult settingsLoad;
  // The settings file's lines this copy did not understand, written back
  // after its own at exit.
  UnknownSettingsLines unknownSettingsLines;

  DataFileList dataFiles;
  PageSession session;
};

// Start-up order: path defaults, factory defaults, then the settings file
// (by default the one beside the program). A file that is there but cannot
// be read leaves the factory values; the result says why.
const SettingsLoadResult& LoadStartupSettings(AppState& state);
// Writes the settings file, unless it could not be read at start: then it
// is left alone (reported as success, nothing to lose).
SettingsResult SaveStartupSettings(AppState& state);

}  // namespace fernplot
