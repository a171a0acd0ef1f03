// SPDX-License-Identifier: MIT
#include "graph/figure_marks.h"

#include <algorithm>
#include <array>
#include <cmath>

#include "analysis/figures_text.h"
#include "graph/axis_map.h"
#include "graph/page_builder.h"
#include "graph/page_figures.h"

namespace fernplot {

namespace {

constexpr double kMarkHalfLength = 2.0;  // mm each side of the curve
constexpr double kLabelGap = 0.5;        // mm between tick and label
constexpr Colour kMarkColour = 0x000000;

}  // namespace

std::vector<FigureMark> FigureMarks(const SweepFigures& fig) {
  std::vector<FigureMark> marks;
  for (const LevelCrossing& c : fig.minus3dB) marks.push_back({c.frequency, "-3dB"});
  if (fig.resonance) {
    marks.push_back({fig.resonance->frequency, "Q " + ThreeDigits(fig.resonance->q)});
  }
  for (const GainCrossover& c : fig.gainCrossovers) {
    marks.push_back({c.frequency, "PM " + ThreeDigits(c.phaseMargin) + "\u00B0"});
  }
  for (const PhaseCrossover& c : fig.phaseCrossovers) {
    marks.push_back({c.frequency, "GM " + ThreeDigits(c.gainMargin) + "dB"});
  }
  return marks;
}

void DrawFigureMarks(PageBuilder& b) {
  // The figures of what is drawn: in difference mode those of the difference.
  std::vector<SweepPoint> drawn;
  drawn.reserve(b.range.points.size());
  for (const RangePoint& p : b.range.points) drawn.push_back({p.frequency, p.gain, p.phase});
  const std::vector<UsablePoint> points = UsablePoints(drawn);
  const SweepFigures figures = ComputeFigures(points, PageMarginReference(b.props()));

  const GraphProperties& p = b.props();
  const AxisMap xMap = FrequencyAxisMap(p.HB);
  const AxisMap yMap = VerticalAxisMap(p.VL);
  const double left = p.HB.frameLeft + p.HB.margin1, right = p.HB.frameRight;
  const double top = p.HB.frameTop, bottom = p.HB.frameBottom;
  const int pen = b.drawing.FindOrAddPen(0, 1, kMarkColour, 0, 2, kMarkColour);
  const int font = b.Font(kFontFreqLabels);
  const double textHeight = b.TextHeight(kFontFreqLabels);
  // Labels already placed, as (left, top, right, bottom): a label that would
  // cover one goes under its tick, or further down, instead.
  std::vector<std::array<double, 4>> placed;
  const auto covers = [&placed](const std::array<double, 4>& r) {
    return std::any_of(placed.begin(), placed.end(), [&r](const std::array<double, 4>& q) {
      return r[0] < q[2] && q[0] < r[2] && r[1] < q[3] && q[1] < r[3];
    });
  };
  for (const FigureMark& mark : FigureMarks(figures)) {
    const std::optional<CurveReading> at = InterpolateAt(points, mark.frequency);
    if (!at) continue;
    const double X = xMap.ToMm(mark.frequency);
    const double Y = yMap.ToMm(at->gain);
    // A figure off the visible part of the axes has no place to be marked.
    if (!(X >= left && X <= right && Y >= top && Y <= bottom)) continue;
    b.drawing.AddLine(pen, X, Y - kMarkHalfLength, X, Y + kMarkHalfLength);
    const double halfWidth = b.TextWidth(kFontFreqLabels, mark.label) / 2.0;
    const double above = Y - kMarkHalfLength - kLabelGap - textHeight;
    const double below = Y + kMarkHalfLength + kLabelGap;
    std::array<double, 4> box{X - halfWidth, above, X + halfWidth, above + textHeight};
    for (int row = 0; (box[1] < top || covers(box)) && row < 4; ++row) {
      box[1] = below + row * textHeight;
      box[3] = box[1] + textHeight;
    }
    placed.push_back(box);
    b.drawing.AddTextCenter(X, box[1], mark.label, font, kMarkColour);
  }
}

}  // namespace fernplot
