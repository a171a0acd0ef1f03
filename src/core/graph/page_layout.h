// SPDX-License-Identifier: MIT
#pragma once
// Where a built page put things: the page and frame rectangles and the
// mapping of each axis. The layout stage makes it; the later stages, the
// cross-hair, the markers and the drawing dump read it. It is a result of a
// build, never saved.

#include "graph/axis_map.h"

namespace fernplot {

struct FrameRect {
  double left = 0.0, top = 0.0, right = 0.0, bottom = 0.0;  // mm
  bool operator==(const FrameRect&) const = default;
};

struct PageLayout {
  double pageLeft = 0.0, pageTop = 0.0, pageRight = 0.0, pageBottom = 0.0;  // mm
  FrameRect frame;
  AxisMap frequency;  // the bottom axis
  AxisMap gain;       // the left axis
  AxisMap right;      // the right axis: phase, unwrapped phase or delay

  // The sheet's size in whole millimetres (0 for a size that is no number).
  int SheetWidthMm() const;
  int SheetHeightMm() const;
  bool operator==(const PageLayout&) const = default;
};

}  // namespace fernplot
