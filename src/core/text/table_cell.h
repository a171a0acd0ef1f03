// SPDX-License-Identifier: MIT
#pragma once
// Cells of the TAB-separated lines the programs print (the data file list,
// the summary): one escape for every byte that would break a line or a cell.

#include <string>
#include <string_view>

namespace fernplot {

// `text` with a TAB, line feed, carriage return or backslash written as
// \t, \n, \r or \\, so that one cell stays one cell on one line.
std::string EscapedTableCell(std::string_view text);

}  // namespace fernplot
