// SPDX-License-Identifier: MIT
#pragma once
// Builds the bytes of an instrument data file: the sample-data generator,
// tests, benchmarks and fuzzer seeds all make their files with it. Nothing
// here is validated: a header may claim more points than records follow.

#include <string>
#include <vector>

#include "datafile/measurement.h"

namespace fernplot {

// One raw record: the two channel levels and the phase of CH1 against CH2.
struct RawRecord {
  double frequency = 0.0;
  float ch1Level = 0.0f;
  float phase = 0.0f;
  float ch2Level = 0.0f;
};

// One calculated record: the gain as a plain ratio and the phase.
struct CalculatedRecord {
  double frequency = 0.0;
  float ratio = 0.0f;
  float phase = 0.0f;
};

// The kHeaderSize header bytes (datafile/data_file_layout.h). Texts are converted to CP932 and cut
// to their field widths; header.pointCount and header.dataType are written as they are.
std::string EncodeHeader(const MeasurementData& header);
// Header, the unused first block and the records, in file order.
std::string EncodeRawDataFile(const MeasurementData& header, const std::vector<RawRecord>& records);
std::string EncodeCalculatedDataFile(const MeasurementData& header,
                                     const std::vector<CalculatedRecord>& records);

}  // namespace fernplot
