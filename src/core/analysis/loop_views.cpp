// SPDX-License-Identifier: MIT
#include "analysis/loop_views.h"

#include <algorithm>
#include <cmath>
#include <limits>
#include <numbers>

namespace fernplot {

namespace {

constexpr double kRadiansPerDegree = std::numbers::pi / 180.0;
constexpr double kDegreesPerRadian = 180.0 / std::numbers::pi;

bool Finite(const PlanePoint& p) {
  return std::isfinite(p.x) && std::isfinite(p.y);
}

// Liang-Barsky: the part of a-b inside `rect` as fractions [t0, t1] of it;
// false when none is.
bool ClipSegment(const PlanePoint& a, const PlanePoint& b, const PlaneRect& rect, double& t0,
                 double& t1) {
  const double dx = b.x - a.x, dy = b.y - a.y;
  const double p[4] = {-dx, dx, -dy, dy};
  const double q[4] = {a.x - rect.xMin, rect.xMax - a.x, a.y - rect.yMin, rect.yMax - a.y};
  t0 = 0.0;
  t1 = 1.0;
  for (int i = 0; i < 4; ++i) {
    if (p[i] == 0.0) {
      if (q[i] < 0.0) return false;
      continue;
    }
    const double r = q[i] / p[i];
    if (p[i] < 0.0) {
      if (r > t1) return false;
      t0 = std::max(t0, r);
    } else {
      if (r < t0) return false;
      t1 = std::min(t1, r);
    }
  }
  return true;
}

// The point at t along a-b, kept inside `rect` against rounding.
PlanePoint Along(const PlanePoint& a, const PlanePoint& b, double t, const PlaneRect& rect) {
  if (t == 0.0) return a;
  if (t == 1.0) return b;
  return {std::clamp(a.x + t * (b.x - a.x), rect.xMin, rect.xMax),
          std::clamp(a.y + t * (b.y - a.y), rect.yMin, rect.yMax)};
}

bool Inside(const PlanePoint& p, const PlaneRect& rect) {
  return p.x >= rect.xMin && p.x <= rect.xMax && p.y >= rect.yMin && p.y <= rect.yMax;
}

}  // namespace

PlanePoint NyquistPoint(double gain, double phase) {
  const double r = std::pow(10.0, gain / 20.0);
  const double w = WrapDegrees(phase) * kRadiansPerDegree;
  return {r * std::cos(w), r * std::sin(w)};
}

std::vector<PlanePoint> NyquistPoints(std::span<const UsablePoint> points) {
  std::vector<PlanePoint> out;
  out.reserve(points.size());
  for (const UsablePoint& p : points) out.push_back(NyquistPoint(p.gain, p.phase));
  return out;
}

NyquistFrame NyquistFrameFor(std::span<const PlanePoint> points, double radius, double widthMm,
                             double heightMm) {
  double r = radius;
  if (!(r > 0.0) || !std::isfinite(r)) {
    r = 0.0;
    for (const PlanePoint& p : points) {
      if (Finite(p)) r = std::max({r, std::abs(p.x), std::abs(p.y)});
    }
    if (!(r > 0.0) || !std::isfinite(r)) r = 1.0;
  }
  NyquistFrame frame;
  frame.scale = std::min(widthMm, heightMm) / (2.0 * r);
  const double halfWidth = widthMm / (2.0 * frame.scale);
  const double halfHeight = heightMm / (2.0 * frame.scale);
  frame.range = {-halfWidth, halfWidth, -halfHeight, halfHeight};
  return frame;
}

NyquistFrame ComplexPlaneFrameFor(std::span<const PlanePoint> points, double widthMm,
                                  double heightMm) {
  // The origin and every point, with a twentieth of the span around them.
  double x0 = 0.0, x1 = 0.0, y0 = 0.0, y1 = 0.0;
  for (const PlanePoint& p : points) {
    if (!Finite(p)) continue;
    x0 = std::min(x0, p.x), x1 = std::max(x1, p.x);
    y0 = std::min(y0, p.y), y1 = std::max(y1, p.y);
  }
  double span = std::max(x1 - x0, y1 - y0);
  if (!(span > 0.0) || !std::isfinite(span)) span = 1.0;
  const double pad = span / 20.0;
  x0 -= pad, x1 += pad, y0 -= pad, y1 += pad;
  NyquistFrame frame;
  frame.scale = std::min(widthMm / (x1 - x0), heightMm / (y1 - y0));
  if (!(frame.scale > 0.0) || !std::isfinite(frame.scale)) frame.scale = 1.0;
  // The same millimetres per unit across and up: the room left over on the
  // longer side is shared out either side.
  const double extraX = widthMm / frame.scale - (x1 - x0);
  const double extraY = heightMm / frame.scale - (y1 - y0);
  frame.range = {x0 - extraX / 2.0, x1 + extraX / 2.0, y0 - extraY / 2.0, y1 + extraY / 2.0};
  return frame;
}

std::vector<CurveReading> DecadeReadings(std::span<const UsablePoint> points) {
  std::vector<CurveReading> out;
  if (points.empty()) return out;
  const int first = static_cast<int>(std::ceil(std::log10(points.front().frequency)));
  const int last = static_cast<int>(std::floor(std::log10(points.back().frequency)));
  for (int k = first - 1; k <= last + 1; ++k) {
    // Decades below 1 Hz are written as 0.1, 0.01 ...: the same doubles.
    const double f = k >= 0 ? std::pow(10.0, k) : 1.0 / std::pow(10.0, -k);
    if (const auto reading = InterpolateAt(points, f)) out.push_back(*reading);
  }
  return out;
}

double NicholsShift(std::span<const UsablePoint> points) {
  if (points.empty()) return 0.0;
  const double first = points.front().unwrapped;
  double shift = 360.0 * std::floor(-first / 360.0);
  while (first + shift > 0.0) shift -= 360.0;
  while (first + shift <= -360.0) shift += 360.0;
  return shift;
}

std::vector<double> NicholsPhases(std::span<const UsablePoint> points) {
  std::vector<double> out;
  if (points.empty()) return out;
  const double shift = NicholsShift(points);
  out.reserve(points.size());
  for (const UsablePoint& p : points) out.push_back(p.unwrapped + shift);
  return out;
}

PlanePoint ViewPlanePoint(ViewKind kind, const CurveReading& at, double nicholsShift) {
  switch (kind) {
    case ViewKind::kNyquist:
      return NyquistPoint(at.gain, at.phase);
    case ViewKind::kNichols:
      return {at.unwrapped + nicholsShift, at.gain};
    case ViewKind::kComplex: {
      const PlanePoint z = NyquistPoint(at.gain, at.phase);
      return {z.x, -z.y};
    }
    case ViewKind::kBode:
    case ViewKind::kKk:
      break;
  }
  return {at.frequency, at.gain};
}

ValueRange NicholsPhaseRange(std::span<const double> phases) {
  double low = -180.0, high = -180.0;
  for (double p : phases) {
    if (!std::isfinite(p)) continue;
    low = std::min(low, p);
    high = std::max(high, p);
  }
  ValueRange range{45.0 * std::floor(low / 45.0), 45.0 * std::ceil(high / 45.0)};
  if (range.high == range.low) {
    range.low -= 45.0;
    range.high += 45.0;
  }
  return range;
}

std::vector<Polyline> NicholsContour(double magnitudeDb, ValueRange phaseRange, int samples) {
  std::vector<Polyline> out;
  const double m = std::pow(10.0, magnitudeDb / 20.0);
  if (!std::isfinite(m) || m == 1.0 || !(m > 0.0) || samples < 3) return out;
  // |L / (1 + L)| = m is the circle of L with this centre and radius.
  const double m2 = m * m;
  const double centre = -m2 / (m2 - 1.0);
  const double radius = std::abs(m / (m2 - 1.0));
  // One turn, starting on the real axis: at -m / (m + 1) (phase 180°) for a
  // circle beside the origin, at c + radius (phase 0°) for one around it.
  const bool aroundCritical = m > 1.0;
  Polyline turn;
  turn.reserve(static_cast<size_t>(samples) + 1);
  double unwrapped = 0.0, previous = 0.0;
  for (int i = 0; i <= samples; ++i) {
    const double theta = 2.0 * std::numbers::pi * i / samples;
    const double re =
        aroundCritical ? centre - radius * std::cos(theta) : centre + radius * std::cos(theta);
    const double im = radius * std::sin(theta);
    const double phase = std::atan2(im, re) * kDegreesPerRadian;
    unwrapped =
        i == 0 ? (aroundCritical ? -180.0 : 0.0) : unwrapped + WrapDegrees(phase - previous);
    previous = phase;
    turn.push_back({unwrapped, 10.0 * std::log10(re * re + im * im)});
  }
  double low = turn.front().x, high = turn.front().x;
  for (const PlanePoint& p : turn) {
    low = std::min(low, p.x);
    high = std::max(high, p.x);
  }
  const PlaneRect rect{phaseRange.low, phaseRange.high, -std::numeric_limits<double>::max(),
                       std::numeric_limits<double>::max()};
  const double firstCopy = std::floor((phaseRange.low - high) / 360.0);
  const double lastCopy = std::ceil((phaseRange.high - low) / 360.0);
  for (double n = firstCopy; n <= lastCopy; n += 1.0) {
    Polyline copy = turn;
    for (PlanePoint& p : copy) p.x += 360.0 * n;
    for (Polyline& piece : ClipPolyline(copy, rect)) {
      if (piece.size() > 1) out.push_back(std::move(piece));
    }
  }
  return out;
}

std::vector<Polyline> ClipPolyline(std::span<const PlanePoint> line, const PlaneRect& rect) {
  std::vector<Polyline> out;
  Polyline current;
  const auto flush = [&] {
    if (!current.empty()) out.push_back(std::move(current));
    current.clear();
  };
  for (size_t i = 0; i < line.size(); ++i) {
    const PlanePoint& b = line[i];
    if (!Finite(b)) {
      flush();
      continue;
    }
    if (i == 0 || !Finite(line[i - 1])) {
      if (Inside(b, rect)) current.push_back(b);
      continue;
    }
    const PlanePoint& a = line[i - 1];
    double t0 = 0.0, t1 = 1.0;
    if (!ClipSegment(a, b, rect, t0, t1)) {
      flush();
      continue;
    }
    const PlanePoint start = Along(a, b, t0, rect);
    if (current.empty() || !(current.back() == start)) {
      flush();
      current.push_back(start);
    }
    current.push_back(Along(a, b, t1, rect));
    if (t1 < 1.0) flush();
  }
  flush();
  return out;
}

}  // namespace fernplot
