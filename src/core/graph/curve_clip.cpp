// SPDX-License-Identifier: MIT
#include "graph/curve_clip.h"

#include <cmath>
#include <optional>

#include "graph/axis_map.h"
#include "graph/bode_stages.h"
#include "graph/segment_clip.h"

namespace fernplot {

namespace {

struct Area {
  double left, top, right, bottom;
};


class Clipper {
 public:
  explicit Clipper(const Area& area) : area_(area), pieces_(1) {}

  void Break() {
    Close();
    previous_.reset();
  }

  void Add(double x, double y) {
    if (!std::isfinite(x) || !std::isfinite(y)) {
      Break();
      return;
    }
    if (!previous_) {
      if (x >= area_.left && x <= area_.right && y >= area_.top && y <= area_.bottom) Put(x, y);
      previous_ = {x, y};
      return;
    }
    const auto [px, py] = *previous_;
    previous_ = {x, y};
    const std::optional<std::pair<double, double>> part = ClipSegment(px, py, x, y, area_.left, area_.top, area_.right, area_.bottom);
    if (!part) {
      Close();
      return;
    }
    const auto [t0, t1] = *part;
    if (t0 > 0.0) Close();
    if (t0 > 0.0 || pieces_.back().x.empty()) Put(px + t0 * (x - px), py + t0 * (y - py));
    Put(px + t1 * (x - px), py + t1 * (y - py));
    if (t1 < 1.0) Close();
  }

  std::vector<CurvePiece> Take() {
    if (pieces_.size() > 1 && pieces_.back().x.empty()) pieces_.pop_back();
    return std::move(pieces_);
  }

 private:
  void Put(double x, double y) {
    pieces_.back().x.push_back(x);
    pieces_.back().y.push_back(y);
  }
  void Close() {
    if (!pieces_.back().x.empty()) pieces_.emplace_back();
  }

  Area area_;
  std::vector<CurvePiece> pieces_;
  std::optional<std::pair<double, double>> previous_;
};

Area PlotArea(const AxisMap& frequency, const FrameRect& frame) {
  return {frequency.edge + frequency.margin, frame.top, frame.right, frame.bottom};
}

template <typename Value>
std::vector<CurvePiece> Clip(size_t count, Value value, const AxisMap& frequency,
                             const AxisMap& vertical, const FrameRect& frame) {
  Clipper clipper(PlotArea(frequency, frame));
  for (size_t i = 0; i < count; ++i) {
    const auto [f, v] = value(i);
    if (!std::isfinite(f) || !std::isfinite(v)) {
      clipper.Break();
      continue;
    }
    clipper.Add(frequency.ToMm(f), vertical.ToMm(v));
  }
  return clipper.Take();
}

}  // namespace

std::vector<CurvePiece> ClippedCurvePieces(std::span<const RangePoint> points, CurveValue which,
                                           const AxisMap& frequency, const AxisMap& vertical,
                                           const FrameRect& frame) {
  return Clip(
      points.size(),
      [&](size_t i) {
        const RangePoint& p = points[i];
        return std::pair{p.frequency, which == CurveValue::kGain ? p.gain : p.phase};
      },
      frequency, vertical, frame);
}

TracePieces ClippedTracePieces(std::span<const RangePoint> points, const PageLayout& L) {
  return {ClippedCurvePieces(points, CurveValue::kGain, L.frequency, L.gain, L.frame),
          ClippedCurvePieces(points, CurveValue::kPhase, L.frequency, L.right, L.frame)};
}

TracePieces ClippedTracePieces(std::span<const DataPoint> points, bool ch1ch2,
                               const PageLayout& L) {
  const auto gain = [&](size_t i) {
    const DataPoint& p = points[i];
    return std::pair{p.frequency, ch1ch2 ? p.gainCh1Ch2 : p.gainCh2Ch1};
  };
  const auto phase = [&](size_t i) {
    const DataPoint& p = points[i];
    return std::pair{p.frequency, ch1ch2 ? p.phaseCh1Ch2 : p.phaseCh2Ch1};
  };
  return {Clip(points.size(), gain, L.frequency, L.gain, L.frame),
          Clip(points.size(), phase, L.frequency, L.right, L.frame)};
}

TracePieces OverlayTracePieces(const BodeStages& b, size_t i) {
  const PageLayout& L = b.geometry();
  const TraceCurve& t = b.traces.traces[i];
  const bool ch1ch2 = b.props().calcType == ChannelRatio::kCh1Ch2;
  const bool clip = b.page.rangeZoomed;
  const std::span<const DataPoint> record = t.record && t.record->points
                                                ? std::span<const DataPoint>(*t.record->points)
                                                : std::span<const DataPoint>{};
  TracePieces pieces = t.record ? (clip ? ClippedTracePieces(record, ch1ch2, L)
                                        : ThinnedTracePieces(record, ch1ch2, L, b.grids))
                                : (clip ? ClippedTracePieces(t.points, L)
                                        : ThinnedTracePieces(t.points, L, b.grids));
  // The right axis may show another quantity than the phase.
  if (i < b.traces.rightCurves.size()) {
    const std::vector<RangePoint>& right = b.traces.rightCurves[i];
    pieces.phase =
        clip ? ClippedCurvePieces(right, CurveValue::kPhase, L.frequency, L.right, L.frame)
             : ThinnedTracePieces(right, L, b.grids).phase;
  }
  return pieces;
}

}  // namespace fernplot
