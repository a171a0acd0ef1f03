// SPDX-License-Identifier: MIT
// libFuzzer target for the data-file reader. Each input is a whole file; it
// is decoded in full-read mode and in header-only mode (its header bytes
// with the input's size as the file size), and the two must agree. The same
// bytes are also read through the file interface, from an in-memory file.

#include <sys/mman.h>
#include <unistd.h>

#include <string>

#include "datafile/reader.h"
#include "datafile/reader_internal.h"
#include "fuzz_support.h"
#include "text/encoding.h"

namespace {

bool SameHeader(fernplot::MeasurementData a, fernplot::MeasurementData b) {
  a.points.reset();
  b.points.reset();
  return a.modelName == b.modelName && a.version == b.version && a.dataType == b.dataType &&
         a.pointCount == b.pointCount && a.year == b.year && a.dataTitle == b.dataTitle &&
         a.measurementMode == b.measurementMode && a.highDensitySweep == b.highDensitySweep;
}

}  // namespace

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size) {
  using namespace fernplot;
  using fuzzing::Check;
  Cp932Decoder decoder;
  std::string fullMessage, headerMessage;
  auto full = DecodeDataFile(data, size, size, true, fullMessage, decoder);
  const size_t headerBytes = size < kHeaderSize ? size : kHeaderSize;
  auto header = DecodeDataFile(data, headerBytes, size, false, headerMessage, decoder);

  Check(full.has_value() == header.has_value());
  Check(fullMessage == headerMessage);
  if (header) Check(!header->points.has_value());
  if (full && header) Check(SameHeader(*full, *header));
  if (full && full->points) {
    Check(fullMessage.empty());
    Check(full->points->size() == full->pointCount);
  }
  if (full) {
    // Decoded texts never outgrow their fields.
    Check(Cp932Length(full->modelName) <= kModelNameBytes);
    Check(Cp932Length(full->version) <= kVersionBytes);
    Check(Cp932Length(full->dataTitle) <= kDataTitleBytes);
  }

  // Through ReadDataFile: same result as decoding the bytes.
  const int fd = memfd_create("fuzz.DAT", MFD_CLOEXEC);
  Check(fd >= 0);
  Check(write(fd, data, size) == static_cast<ssize_t>(size));
  const std::string path = "/proc/self/fd/" + std::to_string(fd);
  std::string fileMessage = "untouched";
  auto fromFile = ReadDataFile(true, path, fileMessage);
  close(fd);
  Check(fromFile.has_value() == full.has_value());
  Check(fileMessage == (fullMessage.empty() ? "untouched" : fullMessage));
  if (fromFile && fromFile->points) Check(fromFile->points->size() == full->points->size());
  return 0;
}
