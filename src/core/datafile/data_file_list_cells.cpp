// SPDX-License-Identifier: MIT
#include "datafile/data_file_list_cells.h"

#include <dirent.h>

#include <algorithm>
#include <cerrno>
#include <cstdio>
#include <memory>

#include "datafile/data_file_scan.h"
#include "datafile/reader.h"
#include "text/file_path.h"

namespace fernplot {

DataFileListing ListDataFileRows(const std::string& pattern, const TextTranslator* translator) {
  DataFileListing listing;
  const std::string normalized = NormalizeSearchPattern(pattern);
  listing.folder = std::string(SplitFilePath(normalized).folder);
  if (listing.folder.empty()) listing.folder = ".";
  // An empty list must mean "no matching files", not "no such folder".
  if (std::unique_ptr<DIR, int (*)(DIR*)> dir(opendir(listing.folder.c_str()), &closedir); !dir) {
    listing.error = errno != 0 ? errno : ENOENT;
    return listing;
  }
  DataFileList list;
  ScanDataFiles(normalized, list);
  listing.rows.reserve(list.size());
  for (const DataFileEntry& entry : list)
    listing.rows.push_back(DataFileListCells(entry, translator));
  return listing;
}

DataFileListRow DataFileListCells(const DataFileEntry& entry, const TextTranslator* translator) {
  DataFileListRow row;
  row[0] = entry.fileName;
  if (!IsReadable(entry)) {
    row[1] = Translate(translator, "FileList", FERNPLOT_TEXT("FileList", "不明"));
    row[4] = LocalizedReaderMessage(entry.message, translator);
    return row;
  }
  const MeasurementData& h = *entry.header;
  row[1] = h.dataType == 0
               ? Translate(translator, "FileList", FERNPLOT_TEXT("FileList", "生ﾃﾞｰﾀ"))
               : Translate(translator, "FileList", FERNPLOT_TEXT("FileList", "演算ﾃﾞｰﾀ"));
  row[2] = std::to_string(h.pointCount);
  char date[64];
  std::snprintf(date, sizeof date, "%04d-%02d-%02d %2d:%02d", h.year, h.month, h.day, h.hour,
                h.minute);
  row[3] = date;
  row[4] = h.dataTitle;
  return row;
}

namespace {

int Sign(long long v) {
  return (v > 0) - (v < 0);
}

// Unreadable entries have no type or count; they go after every readable one.
int TypeRank(const DataFileEntry& e) {
  return IsReadable(e) ? (e.header->dataType == 0 ? 0 : 1) : 2;
}
long long PointKey(const DataFileEntry& e) {
  return IsReadable(e) ? e.header->pointCount : -1;
}

}  // namespace

int CompareListEntries(const DataFileEntry& a, const DataFileEntry& b, int column) {
  int c = 0;
  switch (column) {
    case 1:
      c = Sign(TypeRank(a) - TypeRank(b));
      break;
    case 2:
      c = Sign(PointKey(a) - PointKey(b));
      break;
    case 3:
    case 4: {
      const DataFileListRow ra = DataFileListCells(a);
      const DataFileListRow rb = DataFileListCells(b);
      c = ra[static_cast<size_t>(column)].compare(rb[static_cast<size_t>(column)]);
      c = (c > 0) - (c < 0);
      break;
    }
    default:
      break;
  }
  return c != 0 ? c : CompareFileNames(a.fileName, b.fileName);
}

void SortListOrder(const DataFileList& entries, std::vector<uint32_t>& order, int column,
                   bool descending) {
  const auto before = [descending](int c) { return descending ? c > 0 : c < 0; };
  if (column != 3 && column != 4) {
    std::stable_sort(order.begin(), order.end(), [&](uint32_t a, uint32_t b) {
      return before(CompareListEntries(entries[a], entries[b], column));
    });
    return;
  }
  std::vector<std::string> text(entries.size());
  for (const uint32_t i : order) {
    text[i] = std::move(DataFileListCells(entries[i])[static_cast<size_t>(column)]);
  }
  std::stable_sort(order.begin(), order.end(), [&](uint32_t a, uint32_t b) {
    int c = text[a].compare(text[b]);
    c = c != 0 ? (c > 0) - (c < 0) : CompareFileNames(entries[a].fileName, entries[b].fileName);
    return before(c);
  });
}

}  // namespace fernplot
