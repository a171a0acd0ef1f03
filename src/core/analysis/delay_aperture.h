// SPDX-License-Identifier: MIT
#pragma once
// How wide a step the group delay is taken over. Between neighbouring points
// a noisy phase makes the delay zig-zag; over several points, or over a
// fixed part of an octave, the noise is divided by a larger step.

#include <cstdint>

namespace fernplot {

enum class ApertureUnit : int32_t { kPoints, kOctave };

struct DelayAperture {
  ApertureUnit unit = ApertureUnit::kPoints;
  // Points: a whole number from 1 (neighbours) up; octave: the part of an
  // octave from one end of the step to the other, above 0.
  double width = 1.0;
  bool operator==(const DelayAperture&) const = default;
};

inline constexpr int kMaxAperturePoints = 1000;
inline constexpr double kMaxApertureOctaves = 10.0;

// Whether the aperture can be used: a whole number of points in
// 1..kMaxAperturePoints, or a part of an octave in (0, kMaxApertureOctaves].
bool UsableAperture(const DelayAperture& aperture);

}  // namespace fernplot
