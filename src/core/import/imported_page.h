// SPDX-License-Identifier: MIT
#pragma once
// Imported traces as measurement records, so that pages, overlays,
// differences and every export treat them as they treat instrument files.

#include <string>
#include <string_view>
#include <vector>

#include "datafile/measurement.h"
#include "import/imported_trace.h"
#include "import/touchstone_format.h"

namespace fernplot {

// One record per trace of `file`: CH1/CH2 is the trace as read, CH2/CH1
// its inverse (gain and phase negated). `fileName` is the file's name with
// its extension. A file of one trace is named by its file name (without
// extension) in legends, the traces of a file of several by their own names.
std::vector<MeasurementData> ImportedRecords(const ImportedFile& file, std::string_view fileName);

struct ImportedRecordsRead {
  std::vector<MeasurementData> records;  // at least one when `error` is empty
  std::string error;                     // "<path>: <message>" or "<path>:<line>: <message>"
  bool missingSelection = false;         // the file lacks the parameter asked for
};

// Reads `path` with the import readers and makes its records.
ImportedRecordsRead ReadImportedRecords(const std::string& path, const ImportOptions& options);

}  // namespace fernplot
