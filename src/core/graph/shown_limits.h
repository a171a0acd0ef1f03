// SPDX-License-Identifier: MIT
#pragma once
// The limits a page's axes were drawn with, read back from its layout: what
// the user sees at the ends of each axis, whether the properties named them
// or took them from the data.

#include <optional>

#include "graph/pages.h"

namespace fernplot {

struct AxisEnds {
  double lo = 0.0;
  double hi = 0.0;
};

struct ShownLimits {
  AxisEnds frequency;
  AxisEnds gain;
  // Only while the right axis shows the wrapped phase: the unwrapped phase
  // and the group delay take their limits from the data whatever is set.
  std::optional<AxisEnds> phase;
};

// Nothing for a page that was not laid out.
std::optional<ShownLimits> ShownAxisLimits(const GraphPage& page);

}  // namespace fernplot
