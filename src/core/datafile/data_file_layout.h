// SPDX-License-Identifier: MIT
#pragma once
// The on-disk layout of an instrument data file, shared by the reader and the
// writer: a big-endian header described field by field, an unused block the
// size of one record, then the records in sweep order.

#include <array>
#include <cstddef>
#include <cstdint>
#include <string>
#include <string_view>
#include <variant>

#include "datafile/measurement.h"
#include "text/encoding.h"

namespace fernplot {

constexpr size_t kHeaderSize = 212;
// The header opens with its own length as a 32-bit count: a file whose first
// four bytes do not say kHeaderSize is not a data file.
constexpr size_t kHeaderLengthOffset = 0;

// The MeasurementData member a field fills; the member's type decides the
// field's type on disk (text, 16-bit signed or unsigned, 32-bit unsigned or
// double).
using HeaderMember = std::variant<std::string MeasurementData::*, int16_t MeasurementData::*,
                                  uint16_t MeasurementData::*, uint32_t MeasurementData::*,
                                  double MeasurementData::*>;

struct HeaderField {
  std::string_view name;
  size_t offset = 0;
  size_t width = 0;  // bytes; texts are CP932 cut to this width, NUL-padded
  HeaderMember member;
  // A value slot (double member with a kind): a double when the kind member
  // equals doubleKind, otherwise a 16-bit count in its first two bytes.
  int16_t MeasurementData::*kind = nullptr;
  int16_t doubleKind = 0;
};

// In offset order: a value slot follows the kind it depends on.
inline constexpr std::array<HeaderField, 26> kHeaderFields{{
    {"modelName", 8, kModelNameBytes, &MeasurementData::modelName},
    {"version", 24, kVersionBytes, &MeasurementData::version},
    {"dataType", 44, 2, &MeasurementData::dataType},
    {"pointCount", 46, 2, &MeasurementData::pointCount},
    {"year", 50, 2, &MeasurementData::year},
    {"month", 52, 2, &MeasurementData::month},
    {"day", 54, 2, &MeasurementData::day},
    {"hour", 56, 2, &MeasurementData::hour},
    {"minute", 58, 2, &MeasurementData::minute},
    {"dataTitle", 60, kDataTitleBytes, &MeasurementData::dataTitle},
    {"oscAmplitude", 124, 8, &MeasurementData::oscAmplitude},
    {"oscDcBias", 132, 8, &MeasurementData::oscDcBias},
    {"oscWaveform", 140, 2, &MeasurementData::oscWaveform},
    {"sweepMaxFrequency", 144, 8, &MeasurementData::sweepMaxFrequency},
    {"sweepMinFrequency", 152, 8, &MeasurementData::sweepMinFrequency},
    {"resolutionKind", 160, 2, &MeasurementData::resolutionKind},
    {"resolution", 164, 8, &MeasurementData::resolution, &MeasurementData::resolutionKind, 3},
    {"integrationKind", 172, 2, &MeasurementData::integrationKind},
    {"integration", 176, 8, &MeasurementData::integration, &MeasurementData::integrationKind, 1},
    {"delayKind", 184, 2, &MeasurementData::delayKind},
    {"delay", 188, 8, &MeasurementData::delay, &MeasurementData::delayKind, 1},
    {"harmonicOrder", 196, 2, &MeasurementData::harmonicOrder},
    {"measurementMode", 198, 2, &MeasurementData::measurementMode},
    {"autoIntegration", 200, 4, &MeasurementData::autoIntegration},
    {"highDensitySweep", 204, 4, &MeasurementData::highDensitySweep},
    {"amplitudeCompression", 208, 4, &MeasurementData::amplitudeCompression},
}};

// Fields lie in offset order, apart and inside the header, after the length.
constexpr bool FieldsFitTheHeader() {
  size_t end = kHeaderLengthOffset + 4;
  for (const HeaderField& f : kHeaderFields) {
    if (f.offset < end || f.width == 0) return false;
    end = f.offset + f.width;
  }
  return end <= kHeaderSize;
}
static_assert(FieldsFitTheHeader());

// Raw record: frequency, CH1 level, phase of CH1 against CH2, CH2 level
// (the rest of the record is unused).
struct RawRecordLayout {
  static constexpr size_t kSize = 28;
  static constexpr size_t kFrequency = 0;  // double
  static constexpr size_t kCh1Level = 8;   // float
  static constexpr size_t kPhase = 12;     // float
  static constexpr size_t kCh2Level = 16;  // float
  static constexpr size_t kDataStart = kHeaderSize + kSize;
};

// Calculated record: frequency, gain as a plain ratio, phase.
struct CalculatedRecordLayout {
  static constexpr size_t kSize = 16;
  static constexpr size_t kFrequency = 0;  // double
  static constexpr size_t kRatio = 8;      // float
  static constexpr size_t kPhase = 12;     // float
  static constexpr size_t kDataStart = kHeaderSize + kSize;
};

// The largest record count a header can give.
constexpr size_t kMaxPointCount = 65535;

// Big-endian decoders; `p` points at the first byte of the field.
uint32_t ReadBigEndianUnsigned(const unsigned char* p, int bytes);  // bytes: 2 or 4
float ReadBigEndianFloat(const unsigned char* p);
double ReadBigEndianDouble(const unsigned char* p);
// Big-endian encoders into `out` at byte `at` (which must fit).
void WriteBigEndianUnsigned(std::string& out, size_t at, uint32_t value, int bytes);
void WriteBigEndianFloat(std::string& out, size_t at, float value);
void WriteBigEndianDouble(std::string& out, size_t at, double value);

// Every field of kHeaderFields from the kHeaderSize bytes at `header`.
void DecodeHeaderFields(Cp932Decoder& decoder, const unsigned char* header, MeasurementData& d);
// The kHeaderSize header bytes of `d`, its length field included. Texts are
// converted to CP932 and cut to their widths; nothing is validated.
std::string EncodeHeaderFields(const MeasurementData& d);

}  // namespace fernplot
