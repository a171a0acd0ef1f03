// SPDX-License-Identifier: MIT
#pragma once
// A sweep read as a loop gain L: |L| = 10^(gain / 20), arg L = phase, with
// gain in dB and unwrapped phase running linearly in log10(f) between
// neighbouring usable points (the curve of sweep_points.h).
//
// From L follow the closed loop T = L / (1 + L), the sensitivity
// S = 1 / (1 + L) (neither has a value where 1 + L = 0), the modulus margin
// (the smallest |1 + L| along the curve: the distance to the critical point
// -1, and 1 / max |S|) and the delay margins of the gain crossovers.

#include <span>
#include <string_view>
#include <vector>

#include "analysis/loop_kinds.h"
#include "analysis/sweep_figures.h"
#include "analysis/sweep_points.h"

namespace fernplot {

// One point of the curve `curve` at a point of L given as gain (dB) and
// phase (degrees): gain in dB, phase wrapped into (-180, 180]. Both are NaN
// where 1 + L = 0 (no value: a curve breaks there). For kOpen the point
// itself, the phase wrapped.
struct LoopValue {
  double gain = 0.0;
  double phase = 0.0;
};
LoopValue LoopCurveValue(LoopCurve curve, double gain, double phase);

// `points` turned into `curve`, point for point in the same order; the
// frequency stays. Points without a value carry NaN gain and phase.
std::vector<SweepPoint> LoopCurvePoints(LoopCurve curve, std::span<const SweepPoint> points);

// The same for a data record: both channel ratios of every point become
// `curve` of themselves. Points without a value carry NaN, which the page
// leaves out of its curves.
void ApplyLoopCurve(LoopCurve curve, MeasurementData& data);

// What an axis caption of a page showing `curve` starts with:
// "CLOSED LOOP " or "SENSITIVITY ", nothing for L.
std::string_view LoopCurveCaptionPrefix(LoopCurve curve);

// |1 + L|^2 for |L| = r and arg L = degrees, in the form that keeps its
// digits near the critical point: (r - 1)^2 + 2 r (1 + cos).
double OnePlusLSquared(double r, double degrees);

// The smallest |1 + L| over the interpolated curve of `points`, each
// segment's own minimum found to 1e-6 relative or better; the lowest
// frequency wins a tie. Nothing without points.
std::optional<ModulusMargin> FindModulusMargin(std::span<const UsablePoint> points);

// The delay margin of each gain crossover with a positive phase margin.
std::vector<DelayMargin> DelayMargins(std::span<const GainCrossover> crossovers);

// The gain figures of T at the usable points (points where 1 + L = 0 have
// none and are left out).
GainFigures ClosedLoopFigures(std::span<const UsablePoint> points);

// Fills the modulus and delay margins and the closed-loop figures of `fig`,
// whose crossovers are already those of `points`.
void AddLoopFigures(std::span<const UsablePoint> points, SweepFigures& fig);

}  // namespace fernplot
