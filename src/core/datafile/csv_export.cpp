// SPDX-License-Identifier: MIT
#include "datafile/csv_export.h"

#include "fileio/atomic_file.h"
#include "text/number_text.h"

namespace fernplot {

// Numbers are printed as printf's "%f" prints them in the "C" locale, so a
// zero level's infinite gain appears as "inf" or "-inf" and an undefined one
// as "nan" or "-nan".
std::string CalculatedDataCsvText(const MeasurementData& data, bool ch2OverCh1) {
  std::string text;
  if (!data.points) return text;
  text.reserve(data.points->size() * 40);
  for (const DataPoint& p : *data.points) {
    text += FormatFixedPoint(p.frequency, 6);
    text += " , ";
    text += FormatFixedPoint(ch2OverCh1 ? p.gainCh2Ch1 : p.gainCh1Ch2, 6);
    text += " , ";
    text += FormatFixedPoint(ch2OverCh1 ? p.phaseCh2Ch1 : p.phaseCh1Ch2, 6);
    text += "\r\n";
  }
  return text;
}

CsvResult WriteCalculatedDataCsv(const MeasurementData& data, bool ch2OverCh1,
                                 const std::string& path) {
  return WriteFileAtomically(path, CalculatedDataCsvText(data, ch2OverCh1));
}

}  // namespace fernplot
