// SPDX-License-Identifier: MIT
#pragma once
// The files found by the last folder search, with their headers.

#include <cstdint>
#include <optional>
#include <string>
#include <vector>

#include "datafile/measurement.h"

namespace fernplot {

constexpr uint32_t kEntryUnreadable = 0x01;
constexpr uint32_t kEntrySelected = 0x10;

struct DataFileEntry {
  uint32_t flags = 0;
  std::string fileName;  // without folder, <= 64 CP932 bytes
  std::string fullPath;  // <= 255 CP932 bytes
  std::string message;   // reader's message, <= 64 CP932 bytes; empty when none
  std::optional<MeasurementData> header;  // header-only read, never with points
};

// Kept sorted by fileName (see CompareFileNames).
using DataFileList = std::vector<DataFileEntry>;

}  // namespace fernplot
