// SPDX-License-Identifier: MIT
#pragma once
// The tool bar's pictures, drawn in code (16 x 15 at 100 %, sharp at 200 %).

#include <QIcon>

namespace fernplot {

enum class ToolIcon {
  kOpen,
  kPrint,
  kProperties,
  kPrevious,
  kNext,
  kZoomRange,
  kRangeBack,
  kWholeSweep
};

QIcon MakeToolIcon(ToolIcon kind);

}  // namespace fernplot
