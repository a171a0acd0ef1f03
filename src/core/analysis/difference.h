// SPDX-License-Identifier: MIT
#pragma once
// One sweep minus another: what a measurement changed against a reference.

#include <span>
#include <vector>

#include "analysis/sweep_points.h"

namespace fernplot {

// `trace` - `reference` at the trace's own frequencies, in the trace's order.
// The reference is read with InterpolateAt (gain in dB and unwrapped phase,
// linear in log10 f); the phase difference is wrapped into (-180, 180].
// A trace point outside the reference's usable range has no difference point
// and is left out; a point whose own gain or phase is not finite keeps its
// place with a non-finite difference, so a curve through it breaks there.
std::vector<SweepPoint> DifferencePoints(std::span<const SweepPoint> trace,
                                         std::span<const UsablePoint> reference);

// Whether DifferencePoints has anything to give: a finite trace frequency
// inside the reference's usable range. False for a reference without usable
// points or one whose range lies apart from the trace's; such a difference
// is an input error, not an empty curve.
bool DifferenceHasOverlap(std::span<const SweepPoint> trace,
                          std::span<const UsablePoint> reference);

}  // namespace fernplot
