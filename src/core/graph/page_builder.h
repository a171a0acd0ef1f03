#pragma once
// The single entry point that creates, rebuilds, closes and releases pages.

#include <string_view>

#include "datafile/measurement.h"

namespace fernplot {

struct AppState;
struct GraphPage;

enum UpdateMode : int {
  kOpenSelected = 0,
  kRebuildCurrent = 1,
  kCloseCurrent = 2,
  kReleaseAll = 3
};

// Does nothing until state.drawingActive is set. The drawing's measurer must
// be set before pages are built.
void UpdatePages(AppState& state, int mode);

// Makes a page of a record already read, as "open" does for one selected
// file (a copy of the defaults, the record's data title and data type),
// appends it and builds it; its sheet becomes current. `fileName` is the
// data file's name without folder and extension. nullptr while the drawing
// is not active.
GraphPage* OpenPage(AppState& state, MeasurementData data, std::string_view fileName);

// The file name of a path without folder and extension.
std::string_view PageFileName(std::string_view path);

}  // namespace fernplot
