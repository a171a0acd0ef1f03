// SPDX-License-Identifier: MIT
#pragma once
// Drawing of the three scaled axes into the current sheet: caption, ticks,
// grid lines and scale labels. Each stores its mapping in the page's axis
// layout fields. They run after the frame rectangle is known.

namespace fernplot {

class PageBuilder;

void DrawFrequencyAxis(PageBuilder& builder);
void DrawGainAxis(PageBuilder& builder);
void DrawPhaseAxis(PageBuilder& builder);

}  // namespace fernplot
