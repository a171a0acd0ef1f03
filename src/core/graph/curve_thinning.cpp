// SPDX-License-Identifier: MIT
#include "graph/curve_thinning.h"

#include <algorithm>
#include <array>
#include <cmath>
#include <limits>

#include "graph/axis_map.h"
#include "graph/device_units.h"
#include "graph/drawing.h"

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
  CurveThinner() : pieces_(1) {}

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

  // The run ends: its points go into the piece in their order.
  template <class XOf>
  void Close(const XOf& xOf) {
    if (!open_) return;
    open_ = false;
    CurvePiece& piece = pieces_.back();
    Emit(piece, xOf, first_, firstY_);
    size_t a = min_, b = max_;
    double ya = minY_, yb = maxY_;
    if (b < a) {
      std::swap(a, b);
      std::swap(ya, yb);
    }
    if (a != first_ && a != last_) Emit(piece, xOf, a, ya);
    if (b != first_ && b != last_ && b != a) Emit(piece, xOf, b, yb);
    if (last_ != first_) Emit(piece, xOf, last_, lastY_);
  }

  // A point without a place: the curve breaks here.
  template <class XOf>
  void Break(const XOf& xOf) {
    Close(xOf);
    if (!pieces_.back().x.empty()) pieces_.emplace_back();
  }

  std::vector<CurvePiece> Take() {
    if (pieces_.size() > 1 && pieces_.back().x.empty()) pieces_.pop_back();
    return std::move(pieces_);
  }

 private:
  template <class XOf>
  static void Emit(CurvePiece& piece, const XOf& xOf, size_t index, double y) {
    piece.x.push_back(xOf(index));
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
TracePieces Thin(const Source& source, size_t count, const GraphProperties& props,
                 std::span<const CurveGrid> grids) {
  const AxisMap xMap = FrequencyAxisMap(props.HB);
  const AxisMap gainMap = VerticalAxisMap(props.VL);
  const AxisMap phaseMap = VerticalAxisMap(props.VR);
  const double xMin = props.HB.frameLeft + props.HB.margin1;
  const double xMax = props.HB.frameRight;
  const double gainTop = props.VL.frameTop, gainBottom = props.VL.frameBottom;
  const double phaseTop = props.VR.frameTop, phaseBottom = props.VR.frameBottom;
  if (grids.empty()) {
    // No grid to thin for: every point is drawn.
    std::vector<RangePoint> all;
    all.reserve(count);
    for (size_t i = 0; i < count; ++i) {
      all.push_back({source.Frequency(i), source.Gain(i), source.Phase(i)});
    }
    return {CurvePieces(all, CurveValue::kGain, props.HB, props.VL),
            CurvePieces(all, CurveValue::kPhase, props.HB, props.VR)};
  }
  if (grids.size() > kMaxGrids) grids = grids.first(kMaxGrids);
  // Frequencies can stand in for positions only on a rising log axis.
  const bool frequencyTest =
      xMap.log && std::isfinite(xMap.scale) && xMap.scale > 0.0 && xMin <= xMax;

  // Same clamping order as CurvePieces: std::clamp would misbehave on a
  // frame narrower than its left margin.
  const auto placeX = [&](double f) { return std::min(std::max(xMap.ToMm(f), xMin), xMax); };
  const auto xOf = [&](size_t i) { return placeX(source.Frequency(i)); };

  const auto keyOf = [&](double x, ColumnKey& key, double& lo, double& hi) {
    lo = -kInf;
    hi = kInf;
    bool trusted = x >= 0.0;
    for (size_t g = 0; g < grids.size(); ++g) {
      const double units = x * grids[g].zoom * grids[g].unitsPerMm;
      key.units[g] = TruncToDevice(units);
      const double perMm = grids[g].zoom * grids[g].unitsPerMm;
      if (!(std::fabs(units) < kKeyLimit) || !(perMm > 0.0)) {
        trusted = false;
        continue;
      }
      lo = std::max(lo, key.units[g] / perMm);
      hi = std::min(hi, (key.units[g] + 1) / perMm);
    }
    if (!trusted) {
      lo = kInf;
      hi = -kInf;
      return;
    }
    lo += kEdgeMarginMm;
    hi -= kEdgeMarginMm;
  };

  CurveThinner gain, phase;
  ColumnKey runKey, key;
  bool runOpen = false;
  double xLo = kInf, xHi = -kInf;  // positions surely in the run's column
  double fLo = kInf, fHi = -kInf;  // frequencies surely in it
  for (size_t i = 0; i < count; ++i) {
    const double f = source.Frequency(i);
    bool sameRun = runOpen && f > fLo && f < fHi;
    if (!sameRun) {
      const double X = xMap.ToMm(f);
      if (std::isnan(X) || !std::isfinite(f)) {
        gain.Break(xOf);
        phase.Break(xOf);
        runOpen = false;
        continue;
      }
      const double x = std::min(std::max(X, xMin), xMax);
      sameRun = runOpen && x > xLo && x < xHi;
      if (!sameRun) {
        double lo, hi;
        keyOf(x, key, lo, hi);
        sameRun = runOpen && key == runKey;
        if (!sameRun) {
          gain.Close(xOf);
          phase.Close(xOf);
          runOpen = true;
          runKey = key;
          xLo = lo;
          xHi = hi;
          fLo = kInf;
          fHi = -kInf;
          if (frequencyTest && xLo < xHi) {
            // The clamped ends take every frequency beyond them.
            fLo = xMin > xLo ? 0.0 : xMap.ToValue(xLo);
            fHi = xMax < xHi ? kInf : xMap.ToValue(xHi);
          }
        }
      }
    }
    const double g = source.Gain(i);
    const double gy = gainMap.ToMm(g);
    if (std::isnan(gy) || !std::isfinite(g)) {
      gain.Break(xOf);
    } else {
      gain.Add(i, std::min(std::max(gy, gainTop), gainBottom));
    }
    const double p = source.Phase(i);
    const double py = phaseMap.ToMm(p);
    if (std::isnan(py) || !std::isfinite(p)) {
      phase.Break(xOf);
    } else {
      phase.Add(i, std::min(std::max(py, phaseTop), phaseBottom));
    }
  }
  gain.Close(xOf);
  phase.Close(xOf);
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
  for (double zoom : {0.3, 0.6, 0.75, 1.0, 1.5, 2.0}) grids.push_back({zoom, kPixelsPerMm});
  return grids;
}

std::vector<CurveGrid> CurveGridsWithZoom(double zoom) {
  std::vector<CurveGrid> grids = ViewerCurveGrids();
  const CurveGrid extra{zoom, kPixelsPerMm};
  if (std::find(grids.begin(), grids.end(), extra) == grids.end()) grids.push_back(extra);
  return grids;
}

TracePieces ThinnedTracePieces(std::span<const RangePoint> points, const GraphProperties& props,
                               std::span<const CurveGrid> grids) {
  return Thin(RangeSource{points}, points.size(), props, grids);
}

TracePieces ThinnedTracePieces(std::span<const DataPoint> points, bool ch1ch2,
                               const GraphProperties& props, std::span<const CurveGrid> grids) {
  return Thin(RecordSource{points, ch1ch2}, points.size(), props, grids);
}

}  // namespace fernplot
