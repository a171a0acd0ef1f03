// SPDX-License-Identifier: MIT
#pragma once
// The right axis in its three modes: the phase as measured, the phase
// followed through its ±180° jumps (unwrapped), or the group delay. In the
// two other modes the right-hand curve of each trace is a list of its own:
// the unwrapped phase of the usable points in ascending frequency, or a delay
// between each pair of neighbours placed at their geometric mean frequency.

#include <string>
#include <string_view>
#include <vector>

#include "graph/pages.h"

namespace fernplot {

struct TraceCurve;

constexpr std::string_view kGroupDelayCaption = "GROUP DELAY [s]";
constexpr std::string_view kPhaseCaption = "PHASE [deg]";
// The factory caption of the left axis, and what it reads on an impedance
// page.
constexpr std::string_view kGainCaption = "GAIN [dB]";
constexpr std::string_view kImpedanceCaption = "|Z| [\u03A9]";
constexpr std::string_view kUnwrappedPhaseCaption = "PHASE (UNWRAPPED) [deg]";

// The drawing's name of the quantity: "phase", "unwrappedPhase" or
// "groupDelay" (phase for a value that is no mode).
std::string_view RightAxisQuantityName(int32_t rightAxis);

// The right-hand curve of `points` (in any order; `phase` as measured) for
// the mode: `phase` of each result holds the unwrapped phase or the delay in
// seconds. Empty in phase mode, where the points themselves are drawn.
// The delay is taken over `aperture`.
std::vector<RangePoint> RightAxisCurve(const std::vector<RangePoint>& points, int32_t rightAxis,
                                       const DelayAperture& aperture = {});

// The right-hand curve of every trace for the mode: the page's points first,
// then each overlay's (from `traces`, which hold their points). Empty in
// phase mode.
std::vector<std::vector<RangePoint>> RightAxisCurves(const std::vector<RangePoint>& pagePoints,
                                                     const std::vector<TraceCurve>& traces,
                                                     int32_t rightAxis,
                                                     const DelayAperture& aperture = {});
// The phase extremes of `range` replaced by those of the curves; nothing
// without curves (phase mode).
void UseRightAxisExtremes(DataRange& range, const std::vector<std::vector<RangePoint>>& curves);

// A scale label with an SI prefix, as the frequency labels have them: "0",
// "10u", "1.5m", "-250n", with as many decimals as `step` needs.
std::string FormatSiLabel(double value, double step);

struct DelayScale {
  double hi = 0.0, lo = 0.0;  // rounded out to the step
  double step = 0.0;
};
// The delay axis over [dataMin, dataMax] with about `slots` labels. Delays
// are tiny numbers: equal limits are spread by a part of their size, and the
// rounding to the step has a tolerance relative to the step.
DelayScale ScaleDelay(double dataMin, double dataMax, double slots);

}  // namespace fernplot
