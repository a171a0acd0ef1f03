#include "datafile/csv_export.h"

#include "text/atomic_file.h"
#include "text/number_text.h"

namespace fernplot {

// Numbers are printed as printf's "%f" prints them in the "C" locale, so a
// zero level's infinite gain appears as "inf" or "-inf" and an undefined one
// as "nan" or "-nan".
std::string CalculatedDataCsvText(const GraphPage& page) {
  std::string text;
  if (!page.data.points) return text;
  const bool ch2OverCh1 = page.properties.calcType != 0;
  text.reserve(page.data.points->size() * 40);
  for (const DataPoint& p : *page.data.points) {
    text += FormatFixedPoint(p.frequency, 6);
    text += " , ";
    text += FormatFixedPoint(ch2OverCh1 ? p.gainCh2Ch1 : p.gainCh1Ch2, 6);
    text += " , ";
    text += FormatFixedPoint(ch2OverCh1 ? p.phaseCh2Ch1 : p.phaseCh1Ch2, 6);
    text += "\r\n";
  }
  return text;
}

CsvResult WriteCalculatedDataCsv(const PageList& pages, int pageNumber, const std::string& path) {
  if (pageNumber < 1 || static_cast<size_t>(pageNumber) > pages.size() ||
      !pages[static_cast<size_t>(pageNumber) - 1]) {
    return {false, "no page " + std::to_string(pageNumber)};
  }
  return WriteFileAtomically(path,
                             CalculatedDataCsvText(*pages[static_cast<size_t>(pageNumber) - 1]));
}

}  // namespace fernplot
