// SPDX-License-Identifier: MIT
#pragma once
// The mapping between an axis's values and page positions in millimetres,
// one type for the frequency axis (logarithmic or linear) and the two
// vertical axes. The axis drawing, the curves, the cross-hair readout and the
// drawing dump all go through it, so a value lands on the same position
// everywhere and a position reads back as the value drawn there.

namespace fernplot {

struct FrameRect;

struct AxisMap {
  double edge = 0.0;    // frame edge the axis grows from: left, or bottom
  double margin = 0.0;  // from that edge to the origin's position
  double origin = 0.0;  // value at the origin's position (log10 of it on a log axis)
  double scale = 0.0;   // mm per unit, or per decade on a log axis
  bool log = false;
  bool vertical = false;  // values grow upward, towards smaller positions

  // The page position of v; on a log axis 0 gives minus infinity and a
  // negative value NaN.
  double ToMm(double v) const;
  // The value at a page position; the inverse of ToMm.
  double ToValue(double mm) const;
  bool operator==(const AxisMap&) const = default;
};

// The frequency axis grows from the frame's left edge and its first margin,
// a vertical axis from the frame's bottom edge and its second margin.
AxisMap FrequencyAxisMap(const FrameRect& frame, double margin1, double origin, double scale,
                         bool log);
AxisMap VerticalAxisMap(const FrameRect& frame, double margin2, double origin, double scale);

}  // namespace fernplot
