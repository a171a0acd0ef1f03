// SPDX-License-Identifier: MIT
#pragma once
// A page of a run of pages as the exporter and the Python module make it:
// its own further traces, the run's overlays and reference, the curve its
// properties ask for and, when asked, its fitted model laid over it. Both
// call these, so a page is made from its inputs in one place.

#include <memory>
#include <optional>
#include <string>
#include <vector>

#include "analysis/fit/vector_fit.h"
#include "graph/pages.h"
#include "import/touchstone_format.h"
#include "text/ui_text.h"

namespace fernplot {

// The overlay files and the reference, read once for every page.
struct Comparison {
  std::vector<OverlayTrace> overlays;
  int referenceIndex = -1;
  // The reference was read only to subtract it (it is not an overlay): its
  // traces are the last of `overlays`.
  bool referenceOnly = false;
};

struct ComparisonRead {
  Comparison comparison;
  std::string errors;             // one "<path>: <what>" line per file left out
  bool allRead = true;            // no file was left out
  bool missingSelection = false;  // a file lacks the parameter asked for
};

// The traces of one overlay file: one for a data file, every trace of an
// imported file (the first is the one a difference is taken to). Empty,
// with the reason appended to `errors` as a line, when nothing can be laid
// over a page; `missingSelection` is set when the file lacks the parameter
// asked for. Messages are in the language of `translator`.
std::vector<OverlayTrace> ReadOverlayTraces(const std::string& path, const ImportOptions& options,
                                            const TextTranslator* translator, std::string& errors,
                                            bool& missingSelection);

// Reads `overlays` in order, then the reference when it is not one of them;
// a file that cannot be read is reported and left out.
ComparisonRead ReadComparison(const std::vector<std::string>& overlays,
                              const std::optional<std::string>& differenceFile,
                              const ImportOptions& options, const TextTranslator* translator);

struct ComparedPage {
  std::unique_ptr<GraphPage> page;  // as drawn and listed
  // The loop gain as measured when the page shows the closed loop or the
  // sensitivity (its figures and model stay L's); else empty.
  std::unique_ptr<GraphPage> measured;
  std::string errors;  // lines; a difference that cannot be taken is one
  bool ok = true;      // false when `errors` holds an input error
  const GraphPage& FiguresPage() const { return measured ? *measured : *page; }
};

// The page of `data`, read from `path`, with `more` (the file's further
// traces) and then the comparison's overlays laid over it. A reference the
// page has no frequency in common with is an input error, and the page is
// made as if no difference had been asked for. `fitOverlay` (when given)
// lays the model fitted to the curve shown over the page; a page it cannot
// be fitted to has none.
ComparedPage MakeComparedPage(const GraphProperties& defaults, MeasurementData data,
                              std::vector<MeasurementData> more, const std::string& path,
                              const Comparison& comparison, bool marks,
                              const FitOptions* fitOverlay, const TextTranslator* translator);

}  // namespace fernplot
