// SPDX-License-Identifier: MIT
#include "graph/figure_marks.h"

#include <algorithm>
#include <array>
#include <cmath>
#include <span>

#include "analysis/figures_text.h"
#include "graph/axis_map.h"
#include "graph/bode_stages.h"
#include "graph/free_space.h"
#include "graph/page_figures.h"

namespace fernplot {

namespace {

constexpr double kMarkHalfLength = 2.0;  // mm each side of the curve
constexpr double kLabelGap = 0.5;        // mm between tick and label
constexpr Colour kMarkColour = 0x000000;

// A label's places around its tick at (x, y), nearest first: beside it
// on the right and on the left, over it and under it, each moved further out
// in half-line steps.
std::vector<MmBox> LabelPlaces(double x, double y, double width, double height) {
  constexpr int kSteps = 24;
  std::vector<std::pair<double, MmBox>> places;
  for (int k = 0; k <= kSteps; ++k) {
    const double step = k * height / 2.0;
    for (const double dy : {-step, step}) {
      const double top = y - height / 2.0 + dy;
      places.push_back({0, {x + kLabelGap, top, x + kLabelGap + width, top + height}});
      places.push_back({0, {x - kLabelGap - width, top, x - kLabelGap, top + height}});
      if (k == 0) break;
    }
    const double over = y - kMarkHalfLength - kLabelGap - height - step;
    const double under = y + kMarkHalfLength + kLabelGap + step;
    places.push_back({0, {x - width / 2.0, over, x + width / 2.0, over + height}});
    places.push_back({0, {x - width / 2.0, under, x + width / 2.0, under + height}});
  }
  for (auto& [distance, box] : places) {
    distance = std::hypot((box.left + box.right) / 2.0 - x, (box.top + box.bottom) / 2.0 - y);
  }
  std::stable_sort(places.begin(), places.end(),
                   [](const auto& a, const auto& b) { return a.first < b.first; });
  std::vector<MmBox> out;
  out.reserve(places.size());
  for (const auto& p : places) out.push_back(p.second);
  return out;
}

// The segments of the curves that reach into `region`, as pieces of two
// points: what a label's places around one tick can meet.
std::vector<CurvePiece> SegmentsNear(std::span<const CurvePiece> curves, const MmBox& region) {
  std::vector<CurvePiece> near;
  for (const CurvePiece& c : curves) {
    for (size_t k = 0; k + 1 < c.x.size(); ++k) {
      if (std::max(c.x[k], c.x[k + 1]) < region.left ||
          std::min(c.x[k], c.x[k + 1]) > region.right ||
          std::max(c.y[k], c.y[k + 1]) < region.top ||
          std::min(c.y[k], c.y[k + 1]) > region.bottom) {
        continue;
      }
      near.push_back({{c.x[k], c.x[k + 1]}, {c.y[k], c.y[k + 1]}});
    }
  }
  return near;
}

}  // namespace

std::vector<FigureMark> FigureMarks(const SweepFigures& fig) {
  std::vector<FigureMark> marks;
  // Of each kind of crossing only the first few (see kCrossingsMarked).
  const auto first = [](const auto& all) {
    return std::span(all.data(), std::min(all.size(), kCrossingsMarked));
  };
  // Each label names its frequency: it may sit away from its tick.
  const auto at = [](double hz) { return " @ " + ThreeDigits(hz, "Hz"); };
  for (const LevelCrossing& c : first(fig.minus3dB)) {
    marks.push_back({c.frequency, "-3dB" + at(c.frequency)});
  }
  if (fig.resonance) {
    // One Q, read as the figures panel reads it: a coarse sweep's fitted one.
    const ShownResonance shown = ResonanceShown(*fig.resonance);
    marks.push_back({shown.frequency, "Q " + ShownQText(*fig.resonance) + at(shown.frequency)});
  }
  // Margins only where they mean something, as the summary line reads them.
  if (!LooksLikeLoop(fig)) return marks;
  for (const GainCrossover& c : first(fig.gainCrossovers)) {
    marks.push_back({c.frequency, "PM " + ThreeDigits(c.phaseMargin) + "\u00B0" + at(c.frequency)});
  }
  for (const PhaseCrossover& c : first(fig.phaseCrossovers)) {
    marks.push_back({c.frequency, "GM " + ThreeDigits(c.gainMargin) + "dB" + at(c.frequency)});
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
  // The ticks first, then the labels, each in the nearest place beside its
  // tick that crosses no curve, no tick, the legend or a label before it.
  const std::vector<CurvePiece> curves = DrawnCurves(b);
  std::vector<MmBox> taken;
  if (const std::optional<LegendPlan> legend = PlaceLegend(b, curves)) {
    taken.push_back({legend->x0, legend->y0, legend->x1, legend->y1});
  }
  struct Placed {
    double x, y;
    const std::string* label;
  };
  std::vector<Placed> ticks;
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
    taken.push_back({X - 0.2, Y - kMarkHalfLength, X + 0.2, Y + kMarkHalfLength});
  }
  const MmBox area{left, top, right, bottom};
  for (const Placed& t : ticks) {
    const double width = b.text.Width(kFontFreqLabels, *t.label) + 2.0 * kLabelGap;
    const std::vector<MmBox> places = LabelPlaces(t.x, t.y, width, textHeight);
    MmBox reach = places.front();
    for (const MmBox& p : places) {
      reach = {std::min(reach.left, p.left), std::min(reach.top, p.top),
               std::max(reach.right, p.right), std::max(reach.bottom, p.bottom)};
    }
    const std::vector<CurvePiece> near = SegmentsNear(curves, reach);
    const auto clearOfTaken = [&taken](const MmBox& box) {
      return std::none_of(taken.begin(), taken.end(),
                          [&box](const MmBox& q) { return box.Overlaps(q); });
    };
    // The nearest free place; else the one that covers the least curve
    // without covering a label or the legend; else the nearest in the frame.
    std::optional<MmBox> chosen;
    double least = 0.0;
    for (const MmBox& p : places) {
      if (!p.Inside(area) || !clearOfTaken(p)) continue;
      if (!CurvesCross(near, p)) {
        chosen = p;
        break;
      }
      const double covered = CurveLengthInside(near, p);
      if (!chosen || covered < least) {
        chosen = p;
        least = covered;
      }
    }
    if (!chosen) {
      const auto in = std::find_if(places.begin(), places.end(),
                                   [&area](const MmBox& p) { return p.Inside(area); });
      chosen = in != places.end() ? *in : places.front();
    }
    taken.push_back(*chosen);
    d.AddTextLeft(chosen->left + kLabelGap, chosen->top, *t.label, font, kMarkColour);
  }
}

}  // namespace fernplot
