// SPDX-License-Identifier: MIT
#pragma once
// The open pages and the drawing they are built into, with the operations
// that create, rebuild, close and release them.

#include <functional>
#include <memory>
#include <string>
#include <string_view>

#include "datafile/data_file_list.h"
#include "datafile/measurement.h"
#include "graph/curve_thinning.h"
#include "graph/drawing.h"
#include "graph/pages.h"
#include "props/graph_properties.h"

namespace fernplot {

// The sheet size at 100 % in pixels of a page made with `defaults` and no
// record (its layout, measured with `measurer`): what a window needs to show
// a default page. The width is that of every page with these defaults; the
// height may be a line or two short of a page whose settings texts wrap.
struct SheetPixels {
  int width = 0, height = 0;
};
SheetPixels DefaultSheetPixels(const GraphProperties& defaults, TextMeasurer* measurer);

// Owns the pages and their drawing; sheet k of the drawing shows pages[k-1].
// Every operation does nothing until drawingActive is set. The drawing's
// measurer must be set before pages are built.
class PageSession {
 public:
  PageList pages;
  DrawingDocument drawing;
  // Set by the first successful "open data file".
  bool drawingActive = false;
  // Every grid the drawing is rendered on; overlay curves are thinned for
  // these (a writer of pictures at another zoom adds its own).
  std::vector<CurveGrid> curveGrids = ViewerCurveGrids();
  // Pages added from now on mark their figures (the last choice made on a
  // page, remembered for the pages opened after it).
  bool figureMarksOnNewPages = false;

  // Makes a page of a record already read (a copy of `defaults`, the
  // record's data title and data type), appends it and builds it; its sheet
  // becomes current. `fileName` is the data file's name without folder and
  // extension. nullptr while the drawing is not active.
  GraphPage* OpenPage(const GraphProperties& defaults, MeasurementData data,
                      std::string_view fileName);
  // The page OpenPage would make, not yet added: a caller that puts more on
  // it (overlay traces) adds it with AddPage, so it is built only once.
  static std::unique_ptr<GraphPage> MakePage(const GraphProperties& defaults, MeasurementData data,
                                             std::string_view fileName);
  // Appends a made page and builds it; its sheet becomes current. nullptr
  // while the drawing is not active.
  GraphPage* AddPage(std::unique_ptr<GraphPage> page);
  // Reads every selected file of the list in list order and opens a page of
  // each; the selection is cleared, also for a file that fails to read.
  // `proceed(done)` is asked before each selected file (done: how many came
  // before); false stops there, the rest stays unopened.
  void OpenSelected(const GraphProperties& defaults, DataFileList& files,
                    const std::function<bool(size_t done)>& proceed = {});
  // Builds the page on screen again from its properties, in the same place.
  void RebuildCurrent();
  // Drops the page on screen and its sheet.
  void CloseCurrent();
  // Drops every page and sheet; the drawing's tables stay.
  void ReleaseAll();

  // The page on screen; nullptr when none.
  GraphPage* CurrentPage();
  const GraphPage* CurrentPage() const;
};

// The file name of a path without folder and extension.
std::string_view PageFileName(std::string_view path);

}  // namespace fernplot
