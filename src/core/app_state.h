#pragma once
// Program-wide state, owned by whoever runs the program (the viewer's
// application object, the exporter's main, each test).

#include <string>

#include "datafile/data_file_list.h"
#include "graph/drawing.h"
#include "graph/pages.h"
#include "props/graph_properties.h"

namespace fernplot {

struct AppState {
  GraphProperties defaults = FactoryDefaults();
  bool crossHairEnabled = false;
  std::string dataFilePath;  // search pattern of the list dialog, UTF-8
  std::string settingsFilePath;

  DataFileList dataFiles;
  PageList pages;
  DrawingDocument drawing;
  // Set by the first successful "open data file"; page operations are ignored
  // before that.
  bool drawingActive = false;
};

}  // namespace fernplot
