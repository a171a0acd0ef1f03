// SPDX-License-Identifier: MIT
#include "text/table_cell.h"

namespace fernplot {

std::string EscapedTableCell(std::string_view text) {
  std::string cell;
  cell.reserve(text.size());
  for (const char c : text) {
    switch (c) {
      case '\t':
        cell += "\\t";
        break;
      case '\n':
        cell += "\\n";
        break;
      case '\r':
        cell += "\\r";
        break;
      case '\\':
        cell += "\\\\";
        break;
      default:
        cell += c;
    }
  }
  return cell;
}

}  // namespace fernplot
