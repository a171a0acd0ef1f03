// SPDX-License-Identifier: MIT
#pragma once
// CSV of a record's points: "%f , %f , %f" + CR LF per point, in array
// order, for one of the two ratios.

#include <string>

#include "datafile/measurement.h"
#include "fileio/atomic_file.h"

namespace fernplot {

using CsvResult = WriteFileResult;

// The text written for the points of `data`: CH1/CH2 values, or CH2/CH1
// ones when ch2OverCh1 is set.
std::string CalculatedDataCsvText(const MeasurementData& data, bool ch2OverCh1);
// Writes through a temporary file in the same folder and renames it, so an
// existing file survives a failed write.
CsvResult WriteCalculatedDataCsv(const MeasurementData& data, bool ch2OverCh1,
                                 const std::string& path);

}  // namespace fernplot
