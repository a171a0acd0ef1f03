// SPDX-License-Identifier: MIT
#pragma once
// Reader of the instrument's binary data files (datafile/data_file_layout.h).

#include <cstdint>
#include <optional>
#include <string>
#include <string_view>

#include "datafile/data_file_layout.h"
#include "datafile/measurement.h"
#include "text/ui_text.h"

namespace fernplot {

// Full read (fullRead) or header-only read (only the header is read). On a
// failure, `message` receives the fixed message text (UTF-8) and is left
// untouched otherwise. Returns nothing when no record could be made.
std::optional<MeasurementData> ReadDataFile(bool fullRead, const std::string& path,
                                            std::string& message);

// A message of the reader in the language of `translator`; a text the
// reader did not write is returned as it is.
std::string LocalizedReaderMessage(std::string_view message, const TextTranslator* translator);

// Full read whose message is discarded.
std::optional<MeasurementData> ReadDataFileForPage(const std::string& path);

}  // namespace fernplot
