// SPDX-License-Identifier: MIT
#pragma once
// Marks of a page's figures on its gain curve: a short tick across the curve
// at each figure's frequency and a label naming the figure and its frequency
// ("PM 44.8° @ 786 kHz") in free space beside the tick, clear of the curves,
// the legend and the other labels. Drawn only when the page asks for them,
// as part of the page, so that they print and export with it.

#include <string>
#include <vector>

#include "analysis/sweep_figures.h"

namespace fernplot {

class DrawingDocument;
struct BodeStages;

struct FigureMark {
  double frequency = 0.0;  // Hz
  std::string label;
};

// The marks of `figures`, in the order -3 dB points, resonance, gain
// crossovers, phase crossovers; of each kind of crossing the first
// kCrossingsMarked; the crossovers only for a sweep that looks like a loop
// (LooksLikeLoop).
std::vector<FigureMark> FigureMarks(const SweepFigures& figures);

// The layer of the marks of the figures of the points the page shows; nothing
// unless the page asks for them.
void DrawFigureMarks(const BodeStages& stages, DrawingDocument& drawing);

}  // namespace fernplot
