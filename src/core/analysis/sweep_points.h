// SPDX-License-Identifier: MIT
#pragma once
// The points a sweep's figures are read from, and the curve between them.
//
// Only points whose frequency, gain and phase are all finite and whose
// frequency is above 0 take part. They are put in ascending frequency; points
// of equal frequency keep the order they have in the file. The phase is
// followed through its ±180° jumps (unwrapped), and between two neighbouring
// points both gain and unwrapped phase run linearly in log10(frequency), the
// way they look on a logarithmic frequency axis.

#include <cstddef>
#include <optional>
#include <span>
#include <vector>

#include "analysis/channel_ratio.h"
#include "analysis/delay_aperture.h"
#include "datafile/measurement.h"

namespace fernplot {

// One point of one channel ratio.
struct SweepPoint {
  double frequency = 0.0;  // Hz
  double gain = 0.0;       // dB
  double phase = 0.0;      // degrees, as measured
};

// A usable point: `phase` as measured, `unwrapped` continued from the
// previous usable point.
struct UsablePoint {
  double frequency = 0.0;
  double gain = 0.0;
  double phase = 0.0;
  double unwrapped = 0.0;
};

// The gain and phase of the curve at one frequency.
struct CurveReading {
  double frequency = 0.0;
  double gain = 0.0;
  double unwrapped = 0.0;
  double phase = 0.0;  // `unwrapped` brought into (-180, 180]
};

// Group delay between two neighbouring usable points, placed at their
// geometric mean frequency.
struct DelayPoint {
  double frequency = 0.0;  // Hz
  double delay = 0.0;      // seconds
};

// Maps an angle in degrees into (-180, 180]; exact for every finite input.
double WrapDegrees(double degrees);

// The points of `data` in the ratio asked for (a page asks for its calcType),
// in the order the record holds them (the reverse of the file's). Empty when
// the record has no points.
std::vector<SweepPoint> RatioPoints(const MeasurementData& data, ChannelRatio ratio);

// The usable points of `arrayOrder`, which is in the record's order (the
// reverse of the file's, as RatioPoints gives it).
std::vector<UsablePoint> UsablePoints(std::span<const SweepPoint> arrayOrder);

// The curve at `frequency`: between the last point at or below it and the
// next one. Neighbours whose frequencies have the same log10 are one point,
// the later one's values. Nothing for a frequency outside the usable points' range, or when
// there are none.
std::optional<CurveReading> InterpolateAt(std::span<const UsablePoint> points, double frequency);

// The index of the usable point nearest to `frequency` on a logarithmic
// axis (the lower one on a tie); markers step from it point by point.
// Nothing when there are no points or `frequency` is not above 0.
std::optional<size_t> NearestPointIndex(std::span<const UsablePoint> points, double frequency);

// Group delay -(u[j] - u[k]) / (360 (f[j] - f[k])) for each point k and the
// point j an aperture above it, at sqrt(f[k] f[j]): j = k + N for N points
// (neighbours by default), else the first point at least the part of an
// octave above f[k]. Pairs of equal frequency have no delay and are left
// out, as is any pair whose delay does not fit in a double. An aperture
// that cannot be used is taken as neighbours.
std::vector<DelayPoint> GroupDelay(std::span<const UsablePoint> points,
                                   const DelayAperture& aperture = {});

}  // namespace fernplot
