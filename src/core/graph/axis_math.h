// SPDX-License-Identifier: MIT
#pragma once
// Value-in, value-out maths of the three axes: limits, steps, rounding and
// the choice of labelled digits on a logarithmic axis. Nothing here touches
// a page or a drawing, so every rule can be checked on its own.

#include <functional>
#include <string_view>
#include <vector>

#include "props/graph_properties.h"

namespace fernplot {

constexpr double kDoubleEpsilon = 2.220446049250313e-16;

constexpr double kDefaultUpperFrequency = 22000000.0;
constexpr double kDefaultLowerFrequency = 0.0001;
constexpr double kEqualLimitThreshold = 2e-7;
constexpr double kEqualLimitSpread = 1e-7;
constexpr double kAutoDecadeRatio = 10.0;
constexpr double kManualTickCap = 50.0;
constexpr const char* kFrequencyLabelSample = "0.000M";
constexpr double kLogLabelGap = 2.5;
constexpr double kLinearLabelGap = 2.0;
constexpr double kLabelSpacingNormal = 2.0;
constexpr double kLabelSpacingTight = 1.5;
constexpr double kTickLength = 1.0;

// The digit sets of a logarithmic axis, from every digit down to decades only.
constexpr std::string_view kDigitSets[4] = {"123456789", "12357", "125", "1"};

// 1, 2 or 5 times a power of ten, the smallest not below s.
double NiceStep(double s);
// Phase tick step: the first of 180, 90, 45, ... 1 not above the range per
// label slot, or NiceStep below 1.
double PhaseStep(double max, double min, double span, bool tight, double labelHeightMm);
// v rounded to a multiple of step: up for a positive step, down for a
// negative one; within 1e-7 of a multiple counts as that multiple.
double RoundToStep(double v, double step);
// Whether the leading decimal digit of v (v > 0) is one of `digits`.
bool LeadingDigitIn(double v, std::string_view digits);
// The next tick of a logarithmic walk: 1, 2, ... 9, 10, 20, ...
double NextLogTick(double x);

struct AxisLimits {
  double hi = 0.0;
  double lo = 0.0;
};
// Upper and lower limit of an axis from its settings and the data extremes;
// frequency limits that are not positive get their defaults, and equal
// limits are spread apart.
AxisLimits AxisRange(const AxisSettings& axis, double dataMin, double dataMax, bool frequency);

// The gain or phase limits of an axis scaled to data that does not vary (a
// flat trace): a span of 2 units (dB, degrees) around the value, wider for
// a large value, instead of the ±1e-7 of equal limits, whose labels would
// run off the page. Other data and an axis with a limit of its own are
// given back as they are.
AxisLimits FlatDataLimits(const AxisSettings& axis, double dataMin, double dataMax);
// LOG and LIN as set; AUTO picks LOG for more than a decade.
bool UseLogScale(ScaleType scaleType, double hi, double lo);

struct LogTickPlan {
  double hi = 0.0;
  double lo = 0.0;  // cut down to its leading digit by PlanLogTicks
  double span = 0.0;
  double mmPerDecade = 0.0;
  double logLo = 0.0;
  int labelSet = 0;  // index into kDigitSets
  std::string_view gridDigits;
  std::string_view labelDigits;
};
// Completes the plan: picks the densest digit set whose labels do not
// collide before hi. labelWidthMm(f) is the width of the label of f.
void PlanLogTicks(LogTickPlan& plan, const std::function<double(double)>& labelWidthMm);
// The tick values of a logarithmic walk from the plan's lower limit.
std::vector<double> LogTickValues(const LogTickPlan& plan);

struct LinearScale {
  double step = 0.0;
  double hi = 0.0;     // rounded up to the step
  double lo = 0.0;     // rounded down to the step; the origin
  double scale = 0.0;  // mm per unit
};
// The manual step (interval, thinned to at most 50 intervals); 0 when the
// axis divides automatically.
double ManualStep(const AxisSettings& axis, double hi, double lo);
// Whether a manual interval leaves fewer than two intervals between fixed
// limits; the property sheet refuses such an interval.
bool IntervalTooLarge(double hi, double lo, double interval);
// NiceStep of the range over `slots` label places (at least one).
double StepForSlots(double hi, double lo, double slots);
LinearScale ScaleLinear(double hi, double lo, double span, double step);
// lo, lo + step, ... while below hi + step / 2, accumulated by addition.
std::vector<double> LinearTickValues(const LinearScale& scale);
// Decimals of the gain and phase labels for a step.
int StepDecimals(double step);

}  // namespace fernplot
