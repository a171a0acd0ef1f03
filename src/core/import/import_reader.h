// SPDX-License-Identifier: MIT
#pragma once
// Reading sweep files of other programs: which format a file is (by its
// content, the file name only a hint) and the reader for it.

#include <string>
#include <string_view>

#include "import/imported_trace.h"
#include "import/touchstone_format.h"

namespace fernplot {

enum class ImportFormat { kNone, kTouchstone, kSimulator, kDelimited, kImpedance };

// Bytes enough to tell the format.
constexpr size_t kImportProbeBytes = 4096;

// The format of a file whose first bytes (or all of them) are `bytes`.
// kNone for binary data and for text in a file whose name ends in ".DAT",
// which the instrument's reader handles.
ImportFormat DetectImportFormat(std::string_view bytes, std::string_view path);

// Whether the file name ends in a suffix the readers stand for (.sNp for
// any N, .txt, .csv, .tsv, and the impedance exports .z, .dta, .mpt; any
// case).
bool HasImportSuffix(std::string_view path);

// Whether `path` should go to these readers rather than to the instrument's
// data-file reader: its content is one of the formats, or its name says so.
// Reads the file's first bytes; a file that cannot be read is decided by its
// name.
bool IsImportFile(const std::string& path);

// Reads `bytes` (the whole file) as the format its content shows.
ImportResult ParseImport(std::string_view bytes, std::string_view path,
                         const ImportOptions& options);
// Reads the file at `path`; a failure to read it is an error of line 0.
ImportResult ReadImportFile(const std::string& path, const ImportOptions& options);

// The readers, for the dispatch and the tests. Each takes decoded UTF-8.
bool LooksLikeSimulatorExport(std::string_view firstLine);
ImportResult ReadSimulatorExport(std::string_view text);
ImportResult ReadDelimitedText(std::string_view text);
// Impedance spectra: the exports of ZPlot (.z), Gamry (.DTA, its ZCURVE
// table), EC-Lab (.mpt), CH Instruments and Autolab (Z60W), and delimited
// tables whose header names a frequency and impedance columns (Z', -Z'',
// Re(Z), Zreal, |Z|, phase ... with or without ohm units).
bool LooksLikeImpedance(std::string_view text);
// Whether it is the last of those, a plain table.
bool IsImpedanceTable(std::string_view text);
ImportResult ReadImpedanceText(std::string_view text);
// A delimited table read by the columns the user named, a header row
// skipped.
ImportResult ReadTableWithColumns(std::string_view text, TableColumns columns);
// Whether a header row names a gain or phase column after its first, as a
// table's does ("Freq.<TAB>Gain (dB)") and a simulator's never does.
bool NamesTableColumns(std::string_view header);
// Drops traces left without points; an error when none has any.
ImportResult FinishTraces(ImportedFile file);

}  // namespace fernplot
