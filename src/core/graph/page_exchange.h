// SPDX-License-Identifier: MIT
#pragma once
// A page's ratio in the formats other programs read (Touchstone, a SPICE
// table), and the records of a file of another program as pages.

#include <string>

#include "fileio/atomic_file.h"
#include "graph/pages.h"

namespace fernplot {

// The name of the file the page was read from (with its extension).
std::string PageSourceName(const GraphPage& page);
// `name` for the window title, the figures panel and the report: a page of
// a network file adds the parameter it shows ("amp.s2p S11"), as pages of
// one file's parameters may be open side by side.
std::string WithParameterName(const GraphPage& page, std::string name);
// The page's name in the viewer's panels: a network file's page by file and
// parameter ("amp.s2p S11"), any other by its file name without extension.
std::string PagePanelName(const GraphPage& page);

// The page's ratio (as its CSV has it) as a two-port Touchstone file.
WriteFileResult WritePageTouchstone(const GraphPage& page, const std::string& path);
// Whether the page's Touchstone file is the one-port of its impedance
// (WritePageImpedanceTouchstone) rather than a two-port: an impedance page,
// unless it shows a parameter of a two-port file as read, whose network is
// written back whole. Reads that file again.
bool TouchstoneOfImpedance(const GraphPage& page);
// The impedance of an impedance page (IsImpedancePage) as a one-port
// Touchstone file of Z in ohms, which reads back as the same impedance;
// an error for any other page.
WriteFileResult WritePageImpedanceTouchstone(const GraphPage& page, const std::string& path,
                                             InFlightFiles* inFlight = nullptr);
// The page's ratio as a SPICE subcircuit named after the page.
WriteFileResult WritePageSpiceTable(const GraphPage& page, const std::string& path);

}  // namespace fernplot
