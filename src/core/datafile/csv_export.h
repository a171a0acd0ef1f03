#pragma once
// CSV of one page's points: "%f , %f , %f" + CR LF per point, in the order
// of the page's points, for the ratio the page shows.

#include <string>

#include "graph/pages.h"
#include "text/atomic_file.h"

namespace fernplot {

using CsvResult = WriteFileResult;

// pageNumber is 1-based. Writes through a temporary file in the same folder
// and renames it, so an existing file survives a failed write.
CsvResult WriteCalculatedDataCsv(const PageList& pages, int pageNumber, const std::string& path);
// The text that would be written for one page.
std::string CalculatedDataCsvText(const GraphPage& page);

}  // namespace fernplot
