// SPDX-License-Identifier: MIT
#pragma once
// The five texts of one row of the data-file list (file name, type, point
// count, creation date, title or the reader's message), UTF-8, without the
// leading blank the list prints before each cell.

#include <array>
#include <string>

#include "datafile/data_file_list.h"

namespace fernplot {

constexpr int kListColumnCount = 5;
using DataFileListRow = std::array<std::string, kListColumnCount>;

// Readable entry: name, "生ﾃﾞｰﾀ" (type 0) or "演算ﾃﾞｰﾀ", "%d" count,
// "%04d-%02d-%02d %2d:%02d" date, data title. Unreadable entry: name, "不明",
// empty, empty, the reader's message.
DataFileListRow DataFileListCells(const DataFileEntry& entry);

// True when the entry has a header (it can become a page).
inline bool IsReadable(const DataFileEntry& entry) {
  return !(entry.flags & kEntryUnreadable) && entry.header.has_value();
}

}  // namespace fernplot
