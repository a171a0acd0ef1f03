// SPDX-License-Identifier: MIT
#include "graph/figure_marks.h"

#include <algorithm>
#include <array>
#include <cmath>
#include <map>
#include <span>

#include "analysis/figures_text.h"
#include "graph/axis_map.h"
#include "graph/bode_stages.h"
#include "graph/page_figures.h"

namespace fernplot {

namespace {

constexpr double kMarkHalfLength = 2.0;  // mm each side of the curve
constexpr double kLabelGap = 0.5;        // mm between tick and label
constexpr Colour kMarkColour = 0x000000;

// Boxes (left, top, right, bottom) already taken on the page, kept by their
// left edge, so that asking whether a box would cover one looks only at
// those that start less than the widest box's width to its left.
class TakenBoxes {
 public:
  using Box = std::array<double, 4>;

  void Add(const Box& box) {
    widest_ = std::max(widest_, box[2] - box[0]);
    boxes_.emplace(box[0], box);
  }

  bool Covers(const Box& r) const {
    const auto end = boxes_.lower_bound(r[2]);
    for (auto it = boxes_.lower_bound(r[0] - widest_); it != end; ++it) {
      const Box& q = it->second;
      if (r[0] < q[2] && q[0] < r[2] && r[1] < q[3] && q[1] < r[3]) return true;
    }
    return false;
  }

 private:
  std::multimap<double, Box> boxes_;
  double widest_ = 0.0;
};

}  // namespace

std::vector<FigureMark> FigureMarks(const SweepFigures& fig) {
  std::vector<FigureMark> marks;
  // Of each kind of crossing only the first few (see kCrossingsMarked).
  const auto first = [](const auto& all) {
    return std::span(all.data(), std::min(all.size(), kCrossingsMarked));
  };
  for (const LevelCrossing& c : first(fig.minus3dB)) marks.push_back({c.frequency, "-3dB"});
  if (fig.resonance) {
    marks.push_back({fig.resonance->frequency, "Q " + ThreeDigits(fig.resonance->q)});
  }
  // Margins only where they mean something, as the summary line reads them.
  if (!LooksLikeLoop(fig)) return marks;
  for (const GainCrossover& c : first(fig.gainCrossovers)) {
    marks.push_back({c.frequency, "PM " + ThreeDigits(c.phaseMargin) + "\u00B0"});
  }
  for (const PhaseCrossover& c : first(fig.phaseCrossovers)) {
    marks.push_back({c.frequency, "GM " + ThreeDigits(c.gainMargin) + "dB"});
  }
  return marks;
}

void DrawFigureMarks(const BodeStages& b, DrawingDocument& d) {
  if (!b.page.showFigureMarks) return;
  // The figures of what is drawn: in difference mode those of the difference.
  std::vector<SweepPoint> drawn;
  drawn.reserve(b.traces.points.size());
  for (const RangePoint& p : b.traces.points) drawn.push_back({p.frequency, p.gain, p.phase});
  const std::vector<UsablePoint> points = UsablePoints(drawn);
  const SweepFigures figures = ComputeFigures(points, PageMarginReference(b.props()));

  const AxisMap& xMap = b.geometry().frequency;
  const AxisMap& yMap = b.geometry().gain;
  const FrameRect& frame = b.geometry().frame;
  const double left = xMap.edge + xMap.margin, right = frame.right;
  const double top = frame.top, bottom = frame.bottom;
  const int pen = d.FindOrAddPen(0, 1, kMarkColour, 0, 2, kMarkColour);
  const int font = b.text.Font(kFontFreqLabels);
  const double textHeight = b.text.Height(kFontFreqLabels);
  // The ticks first, then the labels: a label stays clear of every tick and
  // of the labels before it, going under its tick, or further down, when it
  // would cover one. Boxes are (left, top, right, bottom).
  struct Placed {
    double x, y;
    const std::string* label;
  };
  std::vector<Placed> ticks;
  TakenBoxes taken;
  const std::vector<FigureMark> marks = FigureMarks(figures);
  for (const FigureMark& mark : marks) {
    const std::optional<CurveReading> at = InterpolateAt(points, mark.frequency);
    if (!at) continue;
    const double X = xMap.ToMm(mark.frequency);
    const double Y = yMap.ToMm(at->gain);
    // A figure off the visible part of the axes has no place to be marked.
    if (!(X >= left && X <= right && Y >= top && Y <= bottom)) continue;
    d.AddLine(pen, X, Y - kMarkHalfLength, X, Y + kMarkHalfLength);
    ticks.push_back({X, Y, &mark.label});
    taken.Add({X - 0.2, Y - kMarkHalfLength, X + 0.2, Y + kMarkHalfLength});
  }
  for (const Placed& t : ticks) {
    const double halfWidth = b.text.Width(kFontFreqLabels, *t.label) / 2.0 + kLabelGap;
    const double above = t.y - kMarkHalfLength - kLabelGap - textHeight;
    const double below = t.y + kMarkHalfLength + kLabelGap;
    std::array<double, 4> box{t.x - halfWidth, above, t.x + halfWidth, above + textHeight};
    for (int row = 0; (box[1] < top || taken.Covers(box)) && row < 4; ++row) {
      box[1] = below + row * textHeight;
      box[3] = box[1] + textHeight;
    }
    taken.Add(box);
    d.AddTextCenter(t.x, box[1], *t.label, font, kMarkColour);
  }
}

}  // namespace fernplot
