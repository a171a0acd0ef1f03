// SPDX-License-Identifier: MIT
#pragma once
// What a production test adds to a gain-and-phase page: the limits of a
// mask with the stretches where the curve fails them, and the spread of a
// lot (a ±kσ band and the min/max envelope around the mean). A page without
// them is drawn exactly as before.

#include <memory>
#include <string>
#include <vector>

#include "analysis/production/limit_mask.h"
#include "analysis/production/lot_statistics.h"
#include "analysis/production/mask_judge.h"
#include "graph/bode_stages.h"

namespace fernplot {

struct MaskMarks {
  std::shared_ptr<const LimitMask> mask;
  MaskVerdict verdict;  // of this page, for its failing stretches; may be empty
};

// The lot's curves at its frequencies; NaN where no sweep reached one (and
// the band where fewer than two did).
struct LotBands {
  std::vector<double> frequency;
  std::vector<double> meanDb, lowDb, highDb, minDb, maxDb;
  std::vector<double> meanDeg, lowDeg, highDeg, minDeg, maxDeg;  // unwrapped
  std::string bandLabel = "\u00B13\u03C3";                       // "±3σ"
  // The spread of the lot's figures, for the page's figures panel; empty
  // where the bands come from elsewhere.
  std::vector<FigureRow> figures;
  size_t sweeps = 0;  // how many sweeps the lot holds
};

struct PageProduction {
  std::shared_ptr<const MaskMarks> mask;
  std::shared_ptr<const LotBands> bands;
};

// The limit lines, hatching and failure marks in colours of their own.
inline constexpr Colour kMaskLimitColour = Rgb(214, 110, 0);
inline constexpr Colour kMaskHatchColour = Rgb(238, 196, 150);
inline constexpr Colour kMaskFailColour = Rgb(200, 0, 200);  // apart from the curves
inline constexpr Colour kBandColour = Rgb(160, 192, 238);
inline constexpr Colour kEnvelopeColour = Rgb(212, 222, 240);

// The curve rules on the points of `shown` (the page as drawn), the figure
// rules on the figures of `figuresPage` (the loop gain as measured).
MaskVerdict JudgePage(const LimitMask& mask, const GraphPage& shown, const GraphPage& figuresPage);

// Judges `page` against `mask` and has it drawn with the limits and its
// failing stretches (any lot bands stay); nullptr removes the mask.
void MarkMask(GraphPage& page, std::shared_ptr<const LimitMask> mask);

// The page's verdict, when it has been judged.
const MaskVerdict* PageVerdict(const GraphPage& page);

// The band (mean ± k σ) and envelope of statistics rows, and a record of
// `like`'s header with the mean as its points (where any sweep reached).
std::shared_ptr<LotBands> LotBandsOf(const std::vector<FrequencyRow>& rows, double k);
MeasurementData MeanRecord(const MeasurementData& like, const std::vector<FrequencyRow>& rows);

// Layers of the gain-and-phase view that draw nothing on a page without a
// production test: the lot's band and envelope under the curves (with
// their legend), and the mask's limits over them.
void DrawLotBands(const BodeStages& stages, DrawingDocument& drawing);
void DrawMaskMarks(const BodeStages& stages, DrawingDocument& drawing);

}  // namespace fernplot
