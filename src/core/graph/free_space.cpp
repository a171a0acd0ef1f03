// SPDX-License-Identifier: MIT
#include "graph/free_space.h"

#include <algorithm>
#include <array>
#include <cmath>

#include "graph/bode_stages.h"
#include "graph/curve_clip.h"
#include "graph/curve_thinning.h"
#include "graph/segment_clip.h"

namespace fernplot {

namespace {

constexpr double kLegendClearanceMm = 1.0;

std::optional<std::pair<double, double>> Clip(double x0, double y0, double x1, double y1,
                                              const MmBox& b) {
  return ClipSegment(x0, y0, x1, y1, b.left, b.top, b.right, b.bottom);
}

// Calls each(x0, y0, x1, y1) for every segment of the curves that may meet
// the box (a curve's points run along x, so only those near it are looked at).
template <typename Each>
bool ForSegments(std::span<const CurvePiece> curves, const MmBox& box, Each each) {
  for (const CurvePiece& c : curves) {
    for (size_t k = 0; k + 1 < c.x.size(); ++k) {
      const double x0 = c.x[k], x1 = c.x[k + 1];
      if (std::max(x0, x1) < box.left || std::min(x0, x1) > box.right) continue;
      const double y0 = c.y[k], y1 = c.y[k + 1];
      if (std::max(y0, y1) < box.top || std::min(y0, y1) > box.bottom) continue;
      if (each(x0, y0, x1, y1)) return true;
    }
  }
  return false;
}

}  // namespace

std::vector<CurvePiece> DrawnCurves(const BodeStages& b) {
  const PageLayout& L = b.geometry();
  std::vector<CurvePiece> out;
  const auto take = [&out](std::vector<CurvePiece>&& pieces) {
    for (CurvePiece& p : pieces) out.push_back(std::move(p));
  };
  for (size_t i = 1; i < b.traces.traces.size(); ++i) {
    TracePieces pieces = OverlayTracePieces(b, i);
    take(std::move(pieces.gain));
    take(std::move(pieces.phase));
  }
  // The page's own, as its layer draws them.
  if (b.page.rangeZoomed) {
    TracePieces own = PageTracePieces(b);
    take(std::move(own.gain));
    take(std::move(own.phase));
    return out;
  }
  take(CurvePieces(b.traces.points, CurveValue::kGain, L.frequency, L.gain, L.frame));
  take(CurvePieces(b.traces.rightCurves.empty() ? b.traces.points : b.traces.rightCurves.front(),
                   CurveValue::kPhase, L.frequency, L.right, L.frame));
  return out;
}

double CurveLengthInside(std::span<const CurvePiece> curves, const MmBox& box) {
  double length = 0.0;
  ForSegments(curves, box, [&](double x0, double y0, double x1, double y1) {
    if (const auto t = Clip(x0, y0, x1, y1, box)) {
      length += (t->second - t->first) * std::hypot(x1 - x0, y1 - y0);
    }
    return false;
  });
  return length;
}

bool CurvesCross(std::span<const CurvePiece> curves, const MmBox& box) {
  return ForSegments(curves, box, [&](double x0, double y0, double x1, double y1) {
    // Touching an edge at one point leaves the inside clear.
    const auto t = Clip(x0, y0, x1, y1, box);
    return t && t->second > t->first;
  });
}

std::optional<LegendPlan> PlaceLegend(const BodeStages& b, std::span<const CurvePiece> curves) {
  const std::vector<TraceCurve>& traces = b.traces.traces;
  if (traces.empty() || !b.props().overlayStyle.legend) return std::nullopt;
  std::vector<double> widths;
  widths.reserve(traces.size());
  for (const TraceCurve& t : traces) widths.push_back(b.text.Width(kFontFreqLabels, t.name));
  const FrameRect& f = b.geometry().frame;
  const LegendPlan topLeft =
      PlanLegend(widths, b.text.Height(kFontFreqLabels), f.left, f.top, f.right);
  // The other corners keep the same distance from the frame's edges.
  const double insetX = topLeft.x0 - f.left, insetY = topLeft.y0 - f.top;
  const double toRight = (f.right - insetX) - topLeft.x1;
  const double toBottom = (f.bottom - insetY) - topLeft.y1;
  const std::array<std::pair<double, double>, 4> shifts{
      {{0.0, 0.0}, {toRight, 0.0}, {0.0, toBottom}, {toRight, toBottom}}};
  size_t best = 0;
  double least = 0.0;
  for (size_t k = 0; k < shifts.size(); ++k) {
    const auto [dx, dy] = shifts[k];
    // A legend wider or taller than the frame stays where it always was.
    if (dx < 0.0 || dy < 0.0) continue;
    // With a clearance around it: a curve that runs along the legend's edge
    // is covered by its outline and reads as hidden as one inside it.
    const MmBox box{topLeft.x0 + dx - kLegendClearanceMm, topLeft.y0 + dy - kLegendClearanceMm,
                    topLeft.x1 + dx + kLegendClearanceMm, topLeft.y1 + dy + kLegendClearanceMm};
    const double covered = CurveLengthInside(curves, box);
    if (k == 0 || covered < least) {
      best = k;
      least = covered;
    }
    if (least == 0.0) break;
  }
  LegendPlan plan = topLeft;
  const auto [dx, dy] = shifts[best];
  plan.x0 += dx;
  plan.x1 += dx;
  plan.y0 += dy;
  plan.y1 += dy;
  for (LegendEntryPlace& e : plan.entries) {
    e.lineX0 += dx;
    e.lineX1 += dx;
    e.textX += dx;
    e.lineY += dy;
    e.textY += dy;
  }
  return plan;
}

}  // namespace fernplot
