// SPDX-License-Identifier: MIT
#pragma once
// Reader entry points for the folder search and for the fuzzer; the program
// uses ReadDataFile and ReadDataFileForPage (reader.h).

#include <cstddef>
#include <optional>
#include <string>

#include "datafile/measurement.h"
#include "text/encoding.h"

namespace fernplot {

// Header-only read of a file named relative to an open folder: it saves the
// path walk of every file. Same results and messages as
// ReadDataFile(false, fullPath, message); `decoder` is reused for the texts of
// every file.
std::optional<MeasurementData> ReadDataFileHeaderAt(int folderFd, const char* name,
                                                    const std::string& fullPath,
                                                    std::string& message, Cp932Decoder& decoder);

// The checks and decoding after the file was read: `bytes` holds the `size`
// bytes that arrived (the first kHeaderSize in header-only mode), `fileSize` is the
// file's real size.
std::optional<MeasurementData> DecodeDataFile(const unsigned char* bytes, size_t size,
                                              size_t fileSize, bool fullRead, std::string& message,
                                              Cp932Decoder& decoder);

}  // namespace fernplot
