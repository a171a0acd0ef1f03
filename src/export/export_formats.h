// SPDX-License-Identifier: MIT
#pragma once
// The exporter's output formats: each one's name on the command line, file
// suffix, help line and writer, in the order the help lists them. A new
// format is one entry in kExportFormats and its writer.

#include <array>
#include <string>
#include <string_view>

#include "analysis/fit/vector_fit.h"
#include "analysis/production/mask_judge.h"
#include "fileio/atomic_file.h"
#include "graph/drawing.h"
#include "graph/pages.h"
#include "impedance_args.h"
#include "page_drawer.h"

namespace fernplot {

// What a writer gets for one page: the drawing holds the page as its current
// sheet; `message` is the reader's message for the file (empty when it read
// cleanly). `drawer` draws the drawn formats; nullptr where there is none.
struct ExportJob {
  DrawingDocument& drawing;
  const GraphPage& page;
  const std::string& message;
  double zoom = 1.0;
  const PageDrawer* drawer = nullptr;
  // Lists the temporary files while they exist; may be nullptr.
  InFlightFiles* inFlight = nullptr;
  const FitModel* model = nullptr;  // the page's fitted model, for -f model
  // The mask the page was judged against and its verdict, for -f verdict.
  const LimitMask* mask = nullptr;
  const MaskVerdict* verdict = nullptr;
  // With -f figures of a page drawing T or S in place of the loop gain
  // (`page`, as measured): the page as drawn.
  const GraphPage* shown = nullptr;
  // The impedance options, and the circuit fitted to the page for -f circuit.
  const ImpedanceOptions* impedance = nullptr;
  const CircuitFitResult* circuitFit = nullptr;
  // The page is written as an impedance where a format writes one otherwise
  // (TouchstoneOfImpedance: -f s2p as the one-port of Z), as its output was
  // named.
  bool asImpedance = false;
};

struct ExportFormatEntry {
  std::string_view name;    // for -f, matched without regard to case
  std::string_view suffix;  // appended to the page's name
  std::string_view help;    // what the file holds
  WriteFileResult (*write)(const ExportJob& job, const std::string& path);
  // Needs the page laid out with real fonts (and a PageDrawer).
  bool drawn = false;
  // The suffix of the file when the page is written as an impedance
  // (ExportJob::asImpedance) and that is another kind of file; empty:
  // `suffix`.
  std::string_view impedanceSuffix = {};
};

extern const std::array<ExportFormatEntry, 15> kExportFormats;

// The format `name` stands for, or nullptr.
const ExportFormatEntry* FindExportFormat(std::string_view name);

}  // namespace fernplot
