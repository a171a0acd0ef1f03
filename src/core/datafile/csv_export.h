#pragma once
// CSV of one page's points: "%f , %f , %f" + CR LF per point, in the order
// of the page's points, for the ratio the page shows.

#include <string>

#include "graph/pages.h"

namespace fernplot {

struct CsvResult {
  bool ok = false;
  std::string error;  // why it failed (UTF-8), empty on success
};

// pageNumber is 1-based. Writes through a temporary file in the same folder
// and renames it, so an existing file survives a failed write.
CsvResult WriteCalculatedDataCsv(const PageList& pages, int pageNumber, const std::string& path);
// The text that would be written for one page.
std::string CalculatedDataCsvText(const GraphPage& page);

}  // namespace fernplot
