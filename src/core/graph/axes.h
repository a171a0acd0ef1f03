// SPDX-License-Identifier: MIT
#pragma once
// The three axes of a gain-and-phase page: their scales (part of the
// layout) and the layer that draws their captions, ticks, labels and grid.

#include "graph/page_layout.h"
#include "graph/pages.h"

namespace fernplot {

class DrawingDocument;

// Grid lines, and the guides drawn like them.
inline constexpr Colour kGridColour = 0xC2C2C2;
class PageText;
struct BodeScales;
struct BodeStages;

// The scales of the frequency, gain and right axes over the ranges, within
// the layout's frame; sets the layout's three maps to match.
BodeScales PlanBodeScales(const GraphPage& page, const PageText& text, const DataRange& ranges,
                          PageLayout& layout);

// The frequency axis, then the gain axis, then the right axis.
void DrawAxes(const BodeStages& stages, DrawingDocument& drawing);

}  // namespace fernplot
