// SPDX-License-Identifier: MIT
#pragma once
// The value-to-plane rules of the loop views, free of any drawing: where the
// Nyquist and Nichols views put a sweep's points, the ranges their frames
// show, the closed-loop magnitude contours of the Nichols chart, and the
// cutting of a curve at a frame's edge.

#include <array>
#include <span>
#include <vector>

#include "analysis/loop_kinds.h"
#include "analysis/sweep_points.h"

namespace fernplot {

struct PlanePoint {
  double x = 0.0;
  double y = 0.0;
  bool operator==(const PlanePoint&) const = default;
};
using Polyline = std::vector<PlanePoint>;

// A frame's extent in values: x from xMin to xMax, y from yMin to yMax.
struct PlaneRect {
  double xMin = 0.0, xMax = 0.0, yMin = 0.0, yMax = 0.0;
};

// Re L and Im L of a point given as gain (dB) and phase (degrees).
PlanePoint NyquistPoint(double gain, double phase);
std::vector<PlanePoint> NyquistPoints(std::span<const UsablePoint> points);

// Where a Nyquist frame of widthMm x heightMm puts its values: the same
// millimetres per unit on both axes, the origin in the frame's middle, and
// [-R, R] across the shorter side. R is `radius` when above 0; at 0 the
// largest |Re| or |Im| of `points` (1 when that is 0 or there are none).
// A value v lies at frameLeft + (v - range.xMin) scale across and
// frameBottom - (v - range.yMin) scale up.
struct NyquistFrame {
  double scale = 0.0;  // mm per unit, both axes
  PlaneRect range;
};
NyquistFrame NyquistFrameFor(std::span<const PlanePoint> points, double radius, double widthMm,
                             double heightMm);

// The frame of an impedance's complex plane: the same millimetres per unit
// on both axes, the origin and every point in view with a little room
// around them, the frame filled.
NyquistFrame ComplexPlaneFrameFor(std::span<const PlanePoint> points, double widthMm,
                                  double heightMm);

// The curve read at each decade frequency (1, 10, 100 ... Hz, and 0.1 Hz and
// below) within the points' range, in ascending frequency: where the views
// label the curve with its frequency.
std::vector<CurveReading> DecadeReadings(std::span<const UsablePoint> points);

// The Nichols chart's phase of each point: unwrapped from the lowest
// frequency on and shifted by the multiple of 360° that puts the first
// point in (-360, 0].
std::vector<double> NicholsPhases(std::span<const UsablePoint> points);
// The multiple of 360° NicholsPhases adds to every unwrapped phase.
double NicholsShift(std::span<const UsablePoint> points);

// Where the view `kind` puts a reading: Re and Im of L (Nyquist), the
// unwrapped phase moved by `nicholsShift` and the gain (Nichols), frequency
// and gain (gain and phase). The drawing, its marks, the readout and the
// markers all place points by it.
PlanePoint ViewPlanePoint(ViewKind kind, const CurveReading& at, double nicholsShift);

// The phase range of a Nichols chart: every phase and -180°, rounded out to
// multiples of 45° (at least 45° wide).
struct ValueRange {
  double low = 0.0, high = 0.0;
};
ValueRange NicholsPhaseRange(std::span<const double> phases);

// The closed-loop magnitudes the Nichols chart draws contours of, in dB.
inline constexpr std::array<double, 9> kNicholsContoursDb{6, 3, 1, 0.5, -1, -3, -6, -12, -20};

// The points (phase in degrees, gain of L in dB) where |L / (1 + L)| is
// `magnitudeDb`, over the phases of `phaseRange` (its copies every 360°
// included). A contour above 0 dB is a closed curve around each critical
// point -180° + n 360°; one below 0 dB runs across every phase. Each copy is
// one polyline of `samples` segments, cut at the phase range's ends. Empty
// for 0 dB (no finite curve) or a value that is not finite.
std::vector<Polyline> NicholsContour(double magnitudeDb, ValueRange phaseRange, int samples = 360);

// The parts of `line` inside `rect` (edges included), each a polyline whose
// ends on the edge are the points where the line crosses it. A point with a
// coordinate that is not finite breaks the line (a curve without a value
// there).
std::vector<Polyline> ClipPolyline(std::span<const PlanePoint> line, const PlaneRect& rect);

}  // namespace fernplot
