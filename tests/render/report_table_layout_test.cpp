// SPDX-License-Identifier: MIT
// The report table's layout: every cell readable in full, the font shrinking
// only as far as needed, wide columns wrapping onto a second line.
#include "report_table_layout.h"

#include <gtest/gtest.h>

namespace fernplot {
namespace {

using Table = std::vector<std::vector<std::string>>;

// 0.2 mm per byte and point: easy to reason about.
double FakeWidth(const std::string& text, double pt) {
  return 0.2 * pt * static_cast<double>(text.size());
}

TEST(ReportTableLayout, EveryCellFitsItsColumn) {
  const std::string wide(40, 'x');
  struct Case {
    const char* name;
    Table table;
    double usableMm;
    double pointSize;
    int lines;
  };
  const Case cases[] = {
      {"fits as is", {{"file", "peak"}, {"A.DAT", "1 dB"}}, 100.0, 7.0, 1},
      {"smaller font", {{"file", "peak"}, {wide, wide}}, 101.0, 6.0, 1},
      {"wraps",
       {{"file", "title", "margin"},
        {"OPAMP_LG.DAT", "open loop gain of the amplifier", "44.8 deg @ 786 kHz"}},
       60.0,
       7.0,
       2},
  };
  for (const Case& c : cases) {
    SCOPED_TRACE(c.name);
    const ReportTableLayout layout = LayOutReportTable(c.table, c.usableMm, 2.0, FakeWidth);
    EXPECT_EQ(layout.pointSize, c.pointSize);
    EXPECT_EQ(layout.lines, c.lines);
    double total = 0.0;
    for (double w : layout.widthsMm) total += w;
    EXPECT_LE(total, c.usableMm);
    for (const auto& row : c.table) {
      for (size_t col = 0; col < row.size(); ++col) {
        const double textMm = layout.widthsMm[col] - 2.0;
        const auto lines =
            ReportCellLines(row[col], textMm, layout.lines, layout.pointSize, FakeWidth);
        std::string joined;
        for (const std::string& line : lines) {
          EXPECT_LE(FakeWidth(line, layout.pointSize), textMm + 1e-9) << line;
          joined += line;
        }
        // Nothing is lost but the space the line broke at.
        std::string compact = row[col];
        std::erase(compact, ' ');
        std::erase(joined, ' ');
        EXPECT_EQ(joined, compact);
      }
    }
  }
}

TEST(ReportTableLayout, JapaneseBreaksBetweenCharacters) {
  // Six three-byte characters and no space: broken in the middle.
  const std::string text = "位相余裕位相";
  const auto lines = ReportCellLines(text, 2.0, 2, 1.0, FakeWidth);
  ASSERT_EQ(lines.size(), 2u);
  EXPECT_EQ(lines[0] + lines[1], text);
  EXPECT_EQ(lines[0], "位相余");  // a character is never cut in two
}

}  // namespace
}  // namespace fernplot
