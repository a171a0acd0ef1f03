// SPDX-License-Identifier: MIT
#include "analysis/view_rows.h"

namespace fernplot {

const ViewRow& RowOf(ViewKind kind) {
  for (const ViewRow& row : kViewRows) {
    if (row.kind == kind) return row;
  }
  return kViewRows.front();
}

std::optional<ViewKind> ViewOfSettingsWord(std::string_view word) {
  for (const ViewRow& row : kViewRows) {
    if (word == row.settingsWord) return row.kind;
  }
  return std::nullopt;
}

std::optional<ViewKind> ViewOfOptionWord(std::string_view word) {
  for (const ViewRow& row : kViewRows) {
    if (word == row.optionWord) return row.kind;
  }
  return std::nullopt;
}

std::string ViewOptionWords(std::string_view separator) {
  std::string out;
  for (size_t i = 0; i < kViewRows.size(); ++i) {
    if (i > 0) out += (separator == ", " && i + 1 == kViewRows.size()) ? " or " : separator;
    out += kViewRows[i].optionWord;
  }
  return out;
}

}  // namespace fernplot
