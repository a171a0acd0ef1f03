// SPDX-License-Identifier: MIT
#pragma once
// Imported traces as measurement records, so that pages, overlays,
// differences and every export treat them as they treat instrument files.

#include <optional>
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
  size_t errorLine = 0;                  // the line of `error`, 1-based; 0 for the whole file
  std::string errorMessage;              // `error` without its path and line
  bool missingSelection = false;         // the file lacks the parameter asked for
  int ports = 0;                         // a network-parameter file's ports, else 0
};

// Reads `path` with the import readers and makes its records; the error is
// in the language of `translator` (none: the source texts).
ImportedRecordsRead ReadImportedRecords(const std::string& path, const ImportOptions& options,
                                        const TextTranslator* translator = nullptr);

// What a file given as a page, overlay or reference yields: the instrument's
// record, or the traces of another program's file.
struct SweepFileRead {
  // The page's record; from the instrument's reader it may lack points.
  std::optional<MeasurementData> data;
  std::string message;                // the instrument reader's message (LocalizedReaderMessage)
  std::vector<MeasurementData> more;  // further traces of another program's file
  std::string importError;            // "<path>: <what>" or "<path>:<line>: <what>"
  size_t importLine = 0;              // its line (1-based), 0 when the whole file is at fault
  std::string importMessage;          // its <what>
  bool missingSelection = false;      // the file lacks the parameter asked for
  int ports = 0;                      // a network-parameter file's ports (1 or 2), else 0
};

// Reads `path` as the instrument's data file unless its name says it is
// another program's (.s1p, .s2p, .txt, .csv, .tsv); a file the instrument's
// reader does not take is tried by content with the import readers. Only a
// failed data file costs a second look.
SweepFileRead ReadSweepFile(const std::string& path, const ImportOptions& options,
                            const TextTranslator* translator = nullptr);

}  // namespace fernplot
