// SPDX-License-Identifier: MIT
#pragma once
// One sweep minus another: what a measurement changed against a reference.

#include <span>
#include <vector>

#include "analysis/sweep_points.h"
#include "text/ui_text.h"

namespace fernplot {

// `trace` - `reference` at the trace's own frequencies, in the trace's order.
// The reference is read with InterpolateAt (gain in dB and unwrapped phase,
// linear in log10 f); the phase difference is wrapped into (-180, 180].
// A trace point outside the reference's usable range has no difference point
// and is left out; a point whose own gain or phase is not finite keeps its
// place with a non-finite difference, so a curve through it breaks there.
std::vector<SweepPoint> DifferencePoints(std::span<const SweepPoint> trace,
                                         std::span<const UsablePoint> reference);

// Whether a page minus a reference has anything to show. A difference
// without a single finite point is an input error, not an empty picture:
// the exporter reports it and draws the page as it is; the viewer says so
// and stays out of difference mode.
enum class Subtraction {
  kPossible,
  kNoReferencePoints,  // the reference has no usable point
  kNoCommonRange,      // no point of the page lies in the reference's range
};
Subtraction CheckSubtraction(std::span<const SweepPoint> trace,
                             std::span<const UsablePoint> reference);
// The same for two records, in `ratio`.
Subtraction CheckSubtraction(const MeasurementData& page, const MeasurementData& reference,
                             ChannelRatio ratio);

// Why nothing can be subtracted (kPossible: empty), in the language of
// `translator` (none: the source text).
std::string SubtractionMessage(Subtraction check, const TextTranslator* translator);

}  // namespace fernplot
