// SPDX-License-Identifier: MIT
#pragma once
// A page's sweep in the terms of the analysis: its usable points in the
// ratio it shows, and the figures read off them against its margin reference.

#include <memory>
#include <vector>

#include "analysis/sweep_figures.h"
#include "graph/pages.h"

namespace fernplot {

ChannelRatio PageRatio(const GraphProperties& props);
MarginReference PageMarginReference(const GraphProperties& props);

// The usable points of the page's data in the ratio its calcType selects.
std::vector<UsablePoint> PageUsablePoints(const GraphPage& page);
SweepFigures PageFigures(const GraphPage& page);

// Makes the page show the curve its properties' loopCurve names in place of
// the loop gain it holds: its points and its overlays' become T's or S's
// (so that a difference is one of T's or S's), and the gain and
// phase captions say which ("CLOSED LOOP GAIN [dB]"). Nothing for L, or
// for a page that shows its curve already.
void ShowLoopCurve(GraphPage& page);

// Makes a ratio page measured through a shunt (UsesShunt) show its
// impedance Z = R·H: its gains and its overlays' raised by 20 log10 R, in
// both ratios. Nothing for a page that shows it already.
void ShowShuntImpedance(GraphPage& page);

// The page as it is drawn and listed: the page itself, or a copy of it
// made to show T or S (kept in `holder`) when it holds L and asks for one of
// those, or its impedance when it has a shunt.
const GraphPage& ShownPage(const GraphPage& page, std::unique_ptr<GraphPage>& holder);

}  // namespace fernplot
