// SPDX-License-Identifier: MIT
#include "datafile/data_file_writer.h"

#include "datafile/data_file_layout.h"

namespace fernplot {

std::string EncodeHeader(const MeasurementData& h) {
  return EncodeHeaderFields(h);
}

std::string EncodeRawDataFile(const MeasurementData& header,
                              const std::vector<RawRecord>& records) {
  using R = RawRecordLayout;
  std::string out = EncodeHeader(header);
  size_t at = R::kDataStart;
  out.resize(at + R::kSize * records.size(), '\0');
  for (const RawRecord& r : records) {
    WriteBigEndianDouble(out, at + R::kFrequency, r.frequency);
    WriteBigEndianFloat(out, at + R::kCh1Level, r.ch1Level);
    WriteBigEndianFloat(out, at + R::kPhase, r.phase);
    WriteBigEndianFloat(out, at + R::kCh2Level, r.ch2Level);
    at += R::kSize;
  }
  return out;
}

std::string EncodeCalculatedDataFile(const MeasurementData& header,
                                     const std::vector<CalculatedRecord>& records) {
  using C = CalculatedRecordLayout;
  std::string out = EncodeHeader(header);
  size_t at = C::kDataStart;
  out.resize(at + C::kSize * records.size(), '\0');
  for (const CalculatedRecord& r : records) {
    WriteBigEndianDouble(out, at + C::kFrequency, r.frequency);
    WriteBigEndianFloat(out, at + C::kRatio, r.ratio);
    WriteBigEndianFloat(out, at + C::kPhase, r.phase);
    at += C::kSize;
  }
  return out;
}

}  // namespace fernplot
