// SPDX-License-Identifier: MIT
#pragma once
// Column widths and font size of the report's table, chosen so that every
// cell can be read in full: the table's font shrinks a little first, then
// the widest columns wrap onto a second line. Only when even that does not
// fit are the columns scaled down (and their texts cut short).

#include <functional>
#include <string>
#include <vector>

namespace fernplot {

// Width in mm of `text` (UTF-8) set at `pointSize`.
using ReportTextWidth = std::function<double(const std::string& text, double pointSize)>;

struct ReportTableLayout {
  double pointSize = 7.0;
  std::vector<double> widthsMm;  // one per column, padding included
  int lines = 1;                 // text lines per row: 1 or 2
};

// The layout of `table` (heading row first) in `usableMm` of width, each
// cell with `paddingMm` beside its text.
ReportTableLayout LayOutReportTable(const std::vector<std::vector<std::string>>& table,
                                    double usableMm, double paddingMm,
                                    const ReportTextWidth& width);

// `text` as it is drawn in a cell of `textMm` width with up to `lines` lines:
// broken at a space (or between two non-ASCII characters, as Japanese runs
// have no spaces) where that makes the widest line narrowest.
std::vector<std::string> ReportCellLines(const std::string& text, double textMm, int lines,
                                         double pointSize, const ReportTextWidth& width);

}  // namespace fernplot
