// SPDX-License-Identifier: MIT
#pragma once
// Pages and the working records of one page build.

#include <array>
#include <cstdint>
#include <memory>
#include <optional>
#include <string>
#include <vector>

#include "analysis/fit/vector_fit.h"
#include "analysis/impedance/circuit_fit.h"
#include "analysis/impedance/impedance_points.h"
#include "datafile/csv_export.h"
#include "datafile/measurement.h"
#include "graph/heap_value.h"
#include "graph/page_facts.h"
#include "graph/page_layout.h"
#include "props/graph_properties.h"

namespace fernplot {

class DrawingDocument;

// A sweep from another data file laid over a page.
struct OverlayTrace {
  MeasurementData data;
  std::string fileName;  // without folder and extension, for the legend
  std::string path;      // as opened
  bool dashed = false;   // the gain drawn dashed too (a fitted model)
  bool isModel = false;  // the page's own fitted model (GraphPage::fit)
};

// An equivalent circuit fitted to an impedance page.
struct CircuitModel {
  std::shared_ptr<const Circuit> circuit;
  CircuitFitOptions options;  // as asked (its initial values as given)
  CircuitFitResult result;
  ImpedanceSpectrum fitted;  // the page's impedance it was fitted to
};

// A model fitted to a page, kept with what it was fitted to so that it can
// be fitted again when the page's points change: the rational model of a
// ratio (options, model) or, when `circuit` is set, an equivalent circuit
// of the page's impedance.
struct PageFit {
  FitOptions options;
  FitModel model;
  std::optional<CircuitModel> circuit;
  std::vector<UsablePoint> points;  // the page's usable points it was fitted to
  // The reference the page had before it showed the model's residual.
  int referenceBeforeResidual = -1;
};

struct PageProduction;

struct GraphPage {
  GraphProperties properties;  // the page's own copy
  PageFacts facts;             // from its data file
  MeasurementData data;        // owned
  std::string fileName;        // data file name without folder and extension
  // Drawn over the page in this order, in the page's channel ratio.
  std::vector<OverlayTrace> overlays;
  // The overlay the difference is taken to; -1 for none.
  int referenceIndex = -1;
  // Draws every trace minus the reference (when there is one).
  bool showDifference = false;
  // Marks the page's figures (margins, -3 dB points, resonance) on its
  // curve; a viewer choice, never saved.
  bool showFigureMarks = false;
  // The fitted model drawn over the page (an overlay with isModel); a
  // viewer choice, never saved.
  HeapValue<PageFit> fit;
  std::string sourcePath;  // the file it was read from, as given; may be empty
  // Its data and overlays already hold the closed loop or the sensitivity
  // its properties name (ShowLoopCurve), not the loop gain as measured.
  bool loopCurveShown = false;
  // Its data and overlays already hold the impedance R·H its shunt makes of
  // the ratio H (ShowShuntImpedance), not the ratio as measured.
  bool shuntShown = false;
  // Its axis limits are a range the user zoomed to: its curves are cut at
  // the frame rather than run along it. A viewer state, never saved.
  bool rangeZoomed = false;
  // Where its last build put the frame and axes.
  PageLayout layout;
  // A production test's mask and lot spread drawn on the page; nothing
  // without one (graph/production_marks.h).
  std::shared_ptr<const PageProduction> production;
};

// Position k (0-based here) belongs to sheet number k + 1.
using PageList = std::vector<std::unique_ptr<GraphPage>>;

struct RangePoint {
  double frequency, gain, phase;
};

// The points of the page being built, in the ratio it shows, and their extremes.
// Each extreme is taken over the finite values of its quantity only; the
// has* flags tell whether one has been seen since the range was cleared.
struct DataRange {
  int32_t count = 0;
  double minFrequency = 0.0, minGain = 0.0, minPhase = 0.0;
  double maxFrequency = 0.0, maxGain = 0.0, maxPhase = 0.0;
  std::vector<RangePoint> points;
  bool hasFrequency = false, hasGain = false, hasPhase = false;
};

using PageFontIndex = std::array<int, kFontCategoryCount>;

// Finds the page on screen for sheet number k (1-based); nullptr when none.
GraphPage* PageForSheet(PageList& pages, int k);

// The CSV of a page's points in the ratio it shows; its differences to the
// reference when it shows those.
std::string PageCsvText(const GraphPage& page);
// Saves sheet number k's page (1-based) as CSV; fails when there is none.
CsvResult WritePageCsv(const PageList& pages, int k, const std::string& path);

// Adds one point; a non-finite value is kept in the point list but left out
// of its extremes.
void AddDataPoint(DataRange& range, double frequency, double gain, double phase);
// Widens the extremes by one point as AddDataPoint does, without keeping it.
void AddExtremes(DataRange& range, double frequency, double gain, double phase);
// Adds the page's points in the ratio its calcType selects, in array order.
void ScanPageData(const GraphPage& page, DataRange& range);
// Widens the extremes of `into` to cover those of `from`; points stay.
void MergeExtremes(DataRange& into, const DataRange& from);
// Empties the point list; the extremes stay.
void ResetDataRange(DataRange& range);
// The drawing's font index for each of the page's eleven font categories.
PageFontIndex ResolvePageFonts(DrawingDocument& drawing, const GraphProperties& props);

}  // namespace fernplot
