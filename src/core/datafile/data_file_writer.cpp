#include "datafile/data_file_writer.h"

#include <cstdint>
#include <cstring>

#include "text/encoding.h"

namespace fernplot {
namespace {

void PutUnsigned(std::string& out, size_t at, uint32_t value, int bytes) {
  for (int i = bytes - 1; i >= 0; --i) {
    out[at + static_cast<size_t>(i)] = static_cast<char>(value & 0xFFu);
    value >>= 8;
  }
}

void PutFloat(std::string& out, size_t at, float value) {
  uint32_t bits;
  std::memcpy(&bits, &value, sizeof bits);
  PutUnsigned(out, at, bits, 4);
}

void PutDouble(std::string& out, size_t at, double value) {
  uint64_t bits;
  std::memcpy(&bits, &value, sizeof bits);
  PutUnsigned(out, at, static_cast<uint32_t>(bits >> 32), 4);
  PutUnsigned(out, at + 4, static_cast<uint32_t>(bits), 4);
}

void PutSigned16(std::string& out, size_t at, int16_t value) {
  PutUnsigned(out, at, static_cast<uint16_t>(value), 2);
}

void PutText(std::string& out, size_t at, size_t width, const std::string& utf8) {
  std::string cp932 = Utf8ToCp932(utf8);
  std::string_view cut = CutCp932Bytes(cp932, width);
  std::memcpy(out.data() + at, cut.data(), cut.size());
}

void PutValueSlot(std::string& out, size_t at, double value, bool isDouble) {
  if (isDouble) {
    PutDouble(out, at, value);
  } else {
    PutUnsigned(out, at, static_cast<uint16_t>(value), 2);
  }
}

}  // namespace

std::string EncodeHeader(const MeasurementData& h) {
  std::string out(212, '\0');
  PutUnsigned(out, 0, 212, 4);
  PutText(out, 8, 16, h.modelName);
  PutText(out, 24, 8, h.version);
  PutSigned16(out, 44, h.dataType);
  PutUnsigned(out, 46, h.pointCount, 2);
  PutUnsigned(out, 50, h.year, 2);
  PutUnsigned(out, 52, h.month, 2);
  PutUnsigned(out, 54, h.day, 2);
  PutUnsigned(out, 56, h.hour, 2);
  PutUnsigned(out, 58, h.minute, 2);
  PutText(out, 60, 64, h.dataTitle);
  PutDouble(out, 124, h.oscAmplitude);
  PutDouble(out, 132, h.oscDcBias);
  PutSigned16(out, 140, h.oscWaveform);
  PutDouble(out, 144, h.sweepMaxFrequency);
  PutDouble(out, 152, h.sweepMinFrequency);
  PutSigned16(out, 160, h.resolutionKind);
  PutValueSlot(out, 164, h.resolution, h.resolutionKind == 3);
  PutSigned16(out, 172, h.integrationKind);
  PutValueSlot(out, 176, h.integration, h.integrationKind == 1);
  PutSigned16(out, 184, h.delayKind);
  PutValueSlot(out, 188, h.delay, h.delayKind == 1);
  PutSigned16(out, 196, h.harmonicOrder);
  PutSigned16(out, 198, h.measurementMode);
  PutUnsigned(out, 200, h.autoIntegration, 4);
  PutUnsigned(out, 204, h.highDensitySweep, 4);
  PutUnsigned(out, 208, h.amplitudeCompression, 4);
  return out;
}

std::string EncodeRawDataFile(const MeasurementData& header,
                              const std::vector<RawRecord>& records) {
  std::string out = EncodeHeader(header);
  size_t at = out.size() + 28;
  out.resize(at + 28 * records.size(), '\0');
  for (const RawRecord& r : records) {
    PutDouble(out, at, r.frequency);
    PutFloat(out, at + 8, r.ch1Level);
    PutFloat(out, at + 12, r.phase);
    PutFloat(out, at + 16, r.ch2Level);
    at += 28;
  }
  return out;
}

std::string EncodeCalculatedDataFile(const MeasurementData& header,
                                     const std::vector<CalculatedRecord>& records) {
  std::string out = EncodeHeader(header);
  size_t at = out.size() + 16;
  out.resize(at + 16 * records.size(), '\0');
  for (const CalculatedRecord& r : records) {
    PutDouble(out, at, r.frequency);
    PutFloat(out, at + 8, r.ratio);
    PutFloat(out, at + 12, r.phase);
    at += 16;
  }
  return out;
}

}  // namespace fernplot
