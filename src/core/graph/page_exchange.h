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

// The page's ratio (as its CSV has it) as a two-port Touchstone file.
WriteFileResult WritePageTouchstone(const GraphPage& page, const std::string& path);
// The page's ratio as a SPICE subcircuit named after the page.
WriteFileResult WritePageSpiceTable(const GraphPage& page, const std::string& path);

}  // namespace fernplot
