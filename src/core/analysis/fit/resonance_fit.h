// SPDX-License-Identifier: MIT
#pragma once
// f0 and Q of a resonance from a second-order section fitted to the points
// around its peak. On a coarse sweep the highest point and the interpolated
// -3 dB points miss the true peak and band; the section does not.

#include <cstddef>
#include <optional>
#include <span>

#include "analysis/sweep_points.h"

namespace fernplot {

struct FittedResonance {
  double frequency = 0.0;  // f0 = |p|, Hz
  double q = 0.0;          // |p| / (−2 Re p)
};

// Fits two poles (with their residues and a constant, which take up the rest
// of the response) to the points around `peak`: those down to 12 dB under it,
// and at least three on either side. Nothing when the points there do not
// give a conjugate pair.
std::optional<FittedResonance> FitResonance(std::span<const UsablePoint> points, size_t peak);

}  // namespace fernplot
