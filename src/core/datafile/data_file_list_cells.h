// SPDX-License-Identifier: MIT
#pragma once
// The five texts of one row of the data-file list (file name, type, point
// count, creation date, title or the reader's message), UTF-8, without the
// leading blank the list prints before each cell.

#include <array>
#include <cstdint>
#include <string>
#include <string_view>
#include <vector>

#include "datafile/data_file_list.h"
#include "text/ui_text.h"

namespace fernplot {

constexpr int kListColumnCount = 5;
using DataFileListRow = std::array<std::string, kListColumnCount>;

// Readable entry: name, "生ﾃﾞｰﾀ" (type 0) or "演算ﾃﾞｰﾀ", "%d" count,
// "%04d-%02d-%02d %2d:%02d" date, data title. Unreadable entry: name, "不明",
// empty, empty, the reader's message. Texts in the language of `translator`
// (none: the source texts).
DataFileListRow DataFileListCells(const DataFileEntry& entry,
                                  const TextTranslator* translator = nullptr);

// The rows of the files matching a search pattern as the list shows them,
// in name order: what `-l` prints and the Python module's scan returns.
struct DataFileListing {
  std::vector<DataFileListRow> rows;
  // The folder searched ("." for a pattern without one) and, when it is
  // missing or cannot be read, the errno saying why; `rows` is then empty.
  // An empty listing with no error means no file matched.
  std::string folder;
  int error = 0;
};
// `pattern` is completed as NormalizeSearchPattern does.
DataFileListing ListDataFileRows(const std::string& pattern,
                                 const TextTranslator* translator = nullptr);

// The order of two entries by one column of the list, for sorting by a
// clicked header: 0 the name order of the search, 1 the type (raw,
// calculated, unreadable), 2 the point count, 3 the date, 4 the title or
// message. Ties fall back to the name order. Returns <0, 0 or >0.
int CompareListEntries(const DataFileEntry& a, const DataFileEntry& b, int column);

// Sorts `order` (indices into `entries`) as CompareListEntries orders their
// entries, stably, ascending or descending. The date and title columns make
// each entry's text once, not twice per comparison.
void SortListOrder(const DataFileList& entries, std::vector<uint32_t>& order, int column,
                   bool descending);

// True when the entry has a header (it can become a page).
inline bool IsReadable(const DataFileEntry& entry) {
  return !(entry.flags & kEntryUnreadable) && entry.header.has_value();
}

}  // namespace fernplot
