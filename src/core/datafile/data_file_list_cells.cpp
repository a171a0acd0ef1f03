// SPDX-License-Identifier: MIT
#include "datafile/data_file_list_cells.h"

#include <cstdio>

namespace fernplot {

DataFileListRow DataFileListCells(const DataFileEntry& entry) {
  DataFileListRow row;
  row[0] = entry.fileName;
  if (!IsReadable(entry)) {
    row[1] = "不明";
    row[4] = entry.message;
    return row;
  }
  const MeasurementData& h = *entry.header;
  row[1] = h.dataType == 0 ? "生ﾃﾞｰﾀ" : "演算ﾃﾞｰﾀ";
  row[2] = std::to_string(h.pointCount);
  char date[64];
  std::snprintf(date, sizeof date, "%04d-%02d-%02d %2d:%02d", h.year, h.month, h.day, h.hour,
                h.minute);
  row[3] = date;
  row[4] = h.dataTitle;
  return row;
}

}  // namespace fernplot
