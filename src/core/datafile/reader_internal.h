#pragma once
// Header-only read of a file named relative to an open folder, for the folder
// search: it saves the path walk of every file. Same results and messages as
// ReadDataFile(false, fullPath, message); `decoder` is reused for the texts
// of every file.

#include <optional>
#include <string>

#include "datafile/measurement.h"
#include "text/encoding.h"

namespace fernplot {

std::optional<MeasurementData> ReadDataFileHeaderAt(int folderFd, const char* name,
                                                    const std::string& fullPath,
                                                    std::string& message, Cp932Decoder& decoder);

}  // namespace fernplot
