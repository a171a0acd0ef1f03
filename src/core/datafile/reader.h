#pragma once
// Reader of the instrument's binary data files (big-endian, 212-byte header).

#include <cstdint>
#include <optional>
#include <string>

#include "datafile/measurement.h"

namespace fernplot {

constexpr size_t kHeaderSize = 212;

// Big-endian decoders; `p` points at the first byte of the field.
uint32_t ReadBigEndianUnsigned(const unsigned char* p, int bytes);  // bytes: 2 or 4
float ReadBigEndianFloat(const unsigned char* p);
double ReadBigEndianDouble(const unsigned char* p);

// Full read (fullRead) or header-only read (only 212 bytes are read). On a
// failure, `message` receives the fixed message text (UTF-8) and is left
// untouched otherwise. Returns nothing when no record could be made.
std::optional<MeasurementData> ReadDataFile(bool fullRead, const std::string& path,
                                            std::string& message);

// Full read whose message is discarded.
std::optional<MeasurementData> ReadDataFileForPage(const std::string& path);

}  // namespace fernplot
