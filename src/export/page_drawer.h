// SPDX-License-Identifier: MIT
#pragma once
// What the exporter needs from a font and painting library: text measurement
// for page layout and the drawn output formats. The exporter itself is built
// without one, so that listing and the text formats start without loading
// it; fernplot-export-render supplies the Qt implementation (qt_page_drawer).

#include <memory>
#include <string>
#include <vector>

#include "fileio/atomic_file.h"
#include "graph/drawing.h"
#include "graph/text_measure.h"

namespace fernplot {

// What a report of a lot (--statistics) puts before its table: the
// statistics page and the table of the figures' spread.
struct ReportLot {
  const DrawingDocument* page = nullptr;
  std::vector<std::vector<std::string>> table;
};

class PageDrawer {
 public:
  virtual ~PageDrawer() = default;
  // A measurer for one thread: measurers keep per-font caches and are never
  // shared between threads.
  virtual std::unique_ptr<TextMeasurer> MakeMeasurer() const = 0;
  // The current sheet of `doc`; each may be called from several threads at
  // once, each with its own document.
  // Each lists its temporary file in `inFlight` while it exists.
  virtual WriteFileResult WritePng(const DrawingDocument& doc, double zoom, const std::string& path,
                                   InFlightFiles* inFlight) const = 0;
  virtual WriteFileResult WriteSvg(const DrawingDocument& doc, const std::string& path,
                                   const std::string& title, InFlightFiles* inFlight) const = 0;
  virtual WriteFileResult WritePdf(const DrawingDocument& doc, const std::string& path,
                                   const std::string& title, InFlightFiles* inFlight) const = 0;
  // A table (its first row the heading) and then the current sheet of every
  // document at true size, in one PDF, `lot` (may be nullptr) first; its
  // temporary file is listed in `inFlight` like the others'.
  virtual WriteFileResult WriteReport(const std::vector<std::vector<std::string>>& table,
                                      const std::vector<const DrawingDocument*>& pages,
                                      const ReportLot* lot, const std::string& path,
                                      InFlightFiles* inFlight) const = 0;
};

}  // namespace fernplot
