// SPDX-License-Identifier: MIT
#include "graph/curve_thinning.h"

#include <algorithm>
#include <array>
#include <cmath>
#include <cstdint>
#include <limits>

#include "graph/axis_map.h"
#include "graph/device_units.h"
#include "graph/drawing.h"
#include "graph/zoom_steps.h"

namespace fernplot {

namespace {

constexpr double kInf = std::numeric_limits<double>::infinity();
// Positions this close to a column edge are placed by the exact test; the
// quick tests below only decide points clearly inside a column.
constexpr double kEdgeMarginMm = 1e-7;
// A column key is only trusted well inside the range TruncToDevice pins.
constexpr double kKeyLimit = 1e8;
constexpr size_t kMaxGrids = 16;

// One curve's pieces with the column run being collected.
class CurveThinner {
 public:
  // `expected`: the points it will likely keep, reserved at once rather
  // than grown step by step.
  explicit CurveThinner(size_t expected) : pieces_(1) {
    pieces_.back().x.reserve(expected);
    pieces_.back().y.reserve(expected);
  }

  void Add(size_t index, double y) {
    if (!open_) {
      open_ = true;
      first_ = min_ = max_ = last_ = index;
      minY_ = maxY_ = y;
      firstY_ = lastY_ = y;
      return;
    }
    if (y < minY_) {
      minY_ = y;
      min_ = index;
    }
    if (y > maxY_) {
      maxY_ = y;
      max_ = index;
    }
    last_ = index;
    lastY_ = y;
  }

  // The run ends: its points go into the piece in their order, all at x,
  // the position of the column's first point (every grid puts any of them
  // on the same device column).
  void Close(double x) {
    if (!open_) return;
    open_ = false;
    CurvePiece& piece = pieces_.back();
    Emit(piece, x, firstY_);
    size_t a = min_, b = max_;
    double ya = minY_, yb = maxY_;
    if (b < a) {
      std::swap(a, b);
      std::swap(ya, yb);
    }
    if (a != first_ && a != last_) Emit(piece, x, ya);
    if (b != first_ && b != last_ && b != a) Emit(piece, x, yb);
    if (last_ != first_) Emit(piece, x, lastY_);
  }

  // A point without a place: the curve breaks here.
  void Break(double x) {
    Close(x);
    if (!pieces_.back().x.empty()) pieces_.emplace_back();
  }

  std::vector<CurvePiece> Take() {
    if (pieces_.size() > 1 && pieces_.back().x.empty()) pieces_.pop_back();
    // The drawing keeps these: no room left over from the estimate.
    for (CurvePiece& piece : pieces_) {
      if (piece.x.capacity() > piece.x.size() + piece.x.size() / 4) {
        piece.x.shrink_to_fit();
        piece.y.shrink_to_fit();
      }
    }
    return std::move(pieces_);
  }

 private:
  static void Emit(CurvePiece& piece, double x, double y) {
    piece.x.push_back(x);
    piece.y.push_back(y);
  }

  std::vector<CurvePiece> pieces_;
  bool open_ = false;
  size_t first_ = 0, min_ = 0, max_ = 0, last_ = 0;
  double firstY_ = 0, minY_ = 0, maxY_ = 0, lastY_ = 0;
};

// The whole units of x on every grid.
struct ColumnKey {
  std::array<int32_t, kMaxGrids> units{};
  bool operator==(const ColumnKey&) const = default;
};

template <class Source>
TracePieces Thin(const Source& source, size_t count, const PageLayout& layout,
                 std::span<const CurveGrid> grids) {
  const AxisMap& xMap = layout.frequency;
  const AxisMap& gainMap = layout.gain;
  const AxisMap& phaseMap = layout.right;
  const double xMin = xMap.edge + xMap.margin;
  const double xMax = layout.frame.right;
  const double gainTop = layout.frame.top, gainBottom = layout.frame.bottom;
  const double phaseTop = layout.frame.top, phaseBottom = layout.frame.bottom;
  if (grids.empty()) {
    // No grid to thin for: every point is drawn.
    std::vector<RangePoint> all;
    all.reserve(count);
    for (size_t i = 0; i < count; ++i) {
      all.push_back({source.Frequency(i), source.Gain(i), source.Phase(i)});
    }
    return {CurvePieces(all, CurveValue::kGain, xMap, gainMap, layout.frame),
            CurvePieces(all, CurveValue::kPhase, xMap, phaseMap, layout.frame)};
  }
  if (grids.size() > kMaxGrids) grids = grids.first(kMaxGrids);
  // Frequencies can stand in for positions only on a rising log axis.
  const bool frequencyTest =
      xMap.log && std::isfinite(xMap.scale) && xMap.scale > 0.0 && xMin <= xMax;

  // Each grid's units per mm and its inverse, for the column edges.
  std::array<double, kMaxGrids> perMm{}, mmPer{};
  for (size_t g = 0; g < grids.size(); ++g) {
    perMm[g] = grids[g].zoom * grids[g].unitsPerMm;
    mmPer[g] = 1.0 / perMm[g];
  }
  const auto keyOf = [&](double x, ColumnKey& key, double& lo, double& hi) {
    lo = -kInf;
    hi = kInf;
    bool trusted = x >= 0.0;
    for (size_t g = 0; g < grids.size(); ++g) {
      const double units = x * grids[g].zoom * grids[g].unitsPerMm;
      key.units[g] = TruncToDevice(units);
      if (!(std::fabs(units) < kKeyLimit) || !(perMm[g] > 0.0) || !std::isfinite(mmPer[g])) {
        trusted = false;
        continue;
      }
      // The margin below covers the rounding of these edges.
      lo = std::max(lo, key.units[g] * mmPer[g]);
      hi = std::min(hi, (key.units[g] + 1) * mmPer[g]);
    }
    if (!trusted) {
      lo = kInf;
      hi = -kInf;
      return;
    }
    lo += kEdgeMarginMm;
    hi -= kEdgeMarginMm;
  };

  // Up to four points for each column the frame spans on the union of
  // the grids.
  double columns = static_cast<double>(grids.size()) + 1.0;
  for (size_t g = 0; g < grids.size(); ++g) {
    if (std::isfinite(perMm[g]) && perMm[g] > 0.0) columns += (xMax - xMin) * perMm[g];
  }
  const size_t expected = columns >= 0.0 && columns < static_cast<double>(count) / 4.0
                              ? static_cast<size_t>(columns) * 4
                              : count;
  CurveThinner gain(expected), phase(expected);
  ColumnKey runKey, key;
  bool runOpen = false;
  double xLo = kInf, xHi = -kInf;  // positions surely in the run's column
  // Frequencies surely in the run's column, both ends included; the
  // largest finite value stands for "any above", as an infinite frequency
  // has no place.
  double fLo = kInf, fHi = -kInf;
  constexpr double kAnyAbove = std::numeric_limits<double>::max();
  double previousFirst = -kInf;  // first frequency of the run before
  double runX = 0.0;             // position of the run's first point
  for (size_t i = 0; i < count; ++i) {
    const double f = source.Frequency(i);
    bool sameRun = runOpen && f >= fLo && f <= fHi;
    if (!sameRun) {
      const double X = xMap.ToMm(f);
      if (std::isnan(X) || !std::isfinite(f)) {
        gain.Break(runX);
        phase.Break(runX);
        runOpen = false;
        continue;
      }
      // Same clamping order as CurvePieces: std::clamp would misbehave on a
      // frame narrower than its left margin.
      const double x = std::min(std::max(X, xMin), xMax);
      sameRun = runOpen && x > xLo && x < xHi;
      if (!sameRun) {
        double lo, hi;
        keyOf(x, key, lo, hi);
        sameRun = runOpen && key == runKey;
        if (!sameRun) {
          gain.Close(runX);
          phase.Close(runX);
          runOpen = true;
          runX = x;
          runKey = key;
          xLo = lo;
          xHi = hi;
          fLo = kInf;
          fHi = -kInf;
          if (frequencyTest && xLo < xHi) {
            // The clamped ends take every frequency beyond them (0 Hz lies
            // at the left end). Towards where the sweep came from, the
            // run's first point bounds it when it lies clear of the edge:
            // positions follow frequencies in order.
            const bool rising = f >= previousFirst;
            const bool clear = x > xLo && x < xHi;
            const auto below = [&] { return xMin > xLo ? 0.0 : xMap.ToValue(xLo); };
            const auto above = [&] { return xMax < xHi ? kAnyAbove : xMap.ToValue(xHi); };
            fLo = rising && clear ? f : below();
            fHi = !rising && clear ? f : above();
          }
          previousFirst = f;
        }
      }
    }
    const double g = source.Gain(i);
    const double gy = gainMap.ToMm(g);
    if (std::isnan(gy) || !std::isfinite(g)) {
      gain.Break(runX);
    } else {
      gain.Add(i, std::min(std::max(gy, gainTop), gainBottom));
    }
    const double p = source.Phase(i);
    const double py = phaseMap.ToMm(p);
    if (std::isnan(py) || !std::isfinite(p)) {
      phase.Break(runX);
    } else {
      phase.Add(i, std::min(std::max(py, phaseTop), phaseBottom));
    }
  }
  gain.Close(runX);
  phase.Close(runX);
  return {gain.Take(), phase.Take()};
}

struct RangeSource {
  std::span<const RangePoint> points;
  double Frequency(size_t i) const { return points[i].frequency; }
  double Gain(size_t i) const { return points[i].gain; }
  double Phase(size_t i) const { return points[i].phase; }
};

struct RecordSource {
  std::span<const DataPoint> points;
  bool ch1ch2;
  double Frequency(size_t i) const { return points[i].frequency; }
  double Gain(size_t i) const { return ch1ch2 ? points[i].gainCh1Ch2 : points[i].gainCh2Ch1; }
  double Phase(size_t i) const { return ch1ch2 ? points[i].phaseCh1Ch2 : points[i].phaseCh2Ch1; }
};

}  // namespace

std::vector<CurveGrid> ViewerCurveGrids() {
  std::vector<CurveGrid> grids{{1.0, 10.0}};
  for (const ZoomStep& step : kZoomSteps) grids.push_back({step.factor, kPixelsPerMm});
  return grids;
}

std::vector<CurveGrid> CurveGridsWithZoom(double zoom) {
  std::vector<CurveGrid> grids = ViewerCurveGrids();
  const CurveGrid extra{zoom, kPixelsPerMm};
  if (std::find(grids.begin(), grids.end(), extra) == grids.end()) grids.push_back(extra);
  return grids;
}

TracePieces ThinnedTracePieces(std::span<const RangePoint> points, const PageLayout& layout,
                               std::span<const CurveGrid> grids) {
  return Thin(RangeSource{points}, points.size(), layout, grids);
}

TracePieces ThinnedTracePieces(std::span<const DataPoint> points, bool ch1ch2,
                               const PageLayout& layout, std::span<const CurveGrid> grids) {
  return Thin(RecordSource{points, ch1ch2}, points.size(), layout, grids);
}

}  // namespace fernplot
