// SPDX-License-Identifier: MIT
#include "report_table_layout.h"

#include <algorithm>
#include <numeric>

namespace fernplot {
namespace {

constexpr double kLargestPt = 7.0;
constexpr double kSmallestSingleLinePt = 6.0;
constexpr double kSmallestPt = 5.0;
constexpr double kPtStep = 0.5;

bool IsContinuation(char c) {
  return (static_cast<unsigned char>(c) & 0xC0) == 0x80;
}

// Byte offsets where a line may break: after a space, or between two
// characters that are not ASCII.
std::vector<size_t> BreakOffsets(const std::string& text) {
  std::vector<size_t> offsets;
  for (size_t i = 1; i < text.size(); ++i) {
    if (IsContinuation(text[i])) continue;
    const bool afterSpace = text[i - 1] == ' ';
    size_t prev = i - 1;
    while (prev > 0 && IsContinuation(text[prev])) --prev;
    const bool betweenWide = static_cast<unsigned char>(text[prev]) >= 0x80 &&
                             static_cast<unsigned char>(text[i]) >= 0x80;
    if (afterSpace || betweenWide) offsets.push_back(i);
  }
  return offsets;
}

std::string Trimmed(std::string text) {
  while (!text.empty() && text.back() == ' ') text.pop_back();
  const size_t start = text.find_first_not_of(' ');
  return start == std::string::npos ? std::string() : text.substr(start);
}

// The two lines of `text` whose wider one is narrowest.
std::vector<std::string> BestSplit(const std::string& text, double pointSize,
                                   const ReportTextWidth& width, double* widest) {
  std::vector<std::string> best{text};
  double bestWidth = width(text, pointSize);
  for (size_t at : BreakOffsets(text)) {
    std::string first = Trimmed(text.substr(0, at));
    std::string second = Trimmed(text.substr(at));
    if (first.empty() || second.empty()) continue;
    const double w = std::max(width(first, pointSize), width(second, pointSize));
    if (w < bestWidth) {
      bestWidth = w;
      best = {std::move(first), std::move(second)};
    }
  }
  if (widest) *widest = bestWidth;
  return best;
}

std::vector<double> ColumnWidths(const std::vector<std::vector<std::string>>& table, size_t columns,
                                 double pointSize, double paddingMm, const ReportTextWidth& width,
                                 bool wrapped) {
  std::vector<double> widths(columns, 0.0);
  for (const std::vector<std::string>& row : table) {
    for (size_t c = 0; c < columns && c < row.size(); ++c) {
      double w = 0.0;
      if (wrapped) {
        BestSplit(row[c], pointSize, width, &w);
      } else {
        w = width(row[c], pointSize);
      }
      widths[c] = std::max(widths[c], w + paddingMm);
    }
  }
  return widths;
}

double Sum(const std::vector<double>& v) {
  return std::accumulate(v.begin(), v.end(), 0.0);
}

}  // namespace

ReportTableLayout LayOutReportTable(const std::vector<std::vector<std::string>>& table,
                                    double usableMm, double paddingMm,
                                    const ReportTextWidth& width) {
  const size_t columns = table.empty() ? 0 : table.front().size();
  for (double pt = kLargestPt; pt >= kSmallestSingleLinePt; pt -= kPtStep) {
    std::vector<double> widths = ColumnWidths(table, columns, pt, paddingMm, width, false);
    if (Sum(widths) <= usableMm) return {pt, std::move(widths), 1};
  }
  // Two lines per row: the columns that gain most wrap first, until the
  // table fits.
  for (double pt = kLargestPt; pt >= kSmallestPt; pt -= kPtStep) {
    std::vector<double> widths = ColumnWidths(table, columns, pt, paddingMm, width, false);
    const std::vector<double> wrapped = ColumnWidths(table, columns, pt, paddingMm, width, true);
    std::vector<size_t> order(columns);
    std::iota(order.begin(), order.end(), size_t{0});
    std::stable_sort(order.begin(), order.end(), [&](size_t a, size_t b) {
      return widths[a] - wrapped[a] > widths[b] - wrapped[b];
    });
    for (size_t c : order) {
      if (Sum(widths) <= usableMm) break;
      widths[c] = wrapped[c];
    }
    if (Sum(widths) <= usableMm) return {pt, std::move(widths), 2};
  }
  // Nothing fits: the smallest wrapped table, scaled to the page.
  std::vector<double> widths = ColumnWidths(table, columns, kSmallestPt, paddingMm, width, true);
  const double total = Sum(widths);
  if (total > 0.0) {
    for (double& w : widths) w *= usableMm / total;
  }
  return {kSmallestPt, std::move(widths), 2};
}

std::vector<std::string> ReportCellLines(const std::string& text, double textMm, int lines,
                                         double pointSize, const ReportTextWidth& width) {
  if (lines < 2 || width(text, pointSize) <= textMm) return {text};
  return BestSplit(text, pointSize, width, nullptr);
}

}  // namespace fernplot
