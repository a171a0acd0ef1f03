// SPDX-License-Identifier: MIT
#include "datafile/data_file_layout.h"

#include <cstring>

namespace fernplot {
namespace {

template <class... Fs>
struct Overloaded : Fs... {
  using Fs::operator()...;
};
// Spelled out for clang 14 (the fuzz build), which does not deduce it.
template <class... Fs>
Overloaded(Fs...) -> Overloaded<Fs...>;

// A text field: up to the first NUL or the end of the field.
std::string ReadText(Cp932Decoder& decoder, const unsigned char* p, size_t width) {
  const void* nul = std::memchr(p, 0, width);
  size_t len = nul ? static_cast<size_t>(static_cast<const unsigned char*>(nul) - p) : width;
  return decoder.Decode(std::string_view(reinterpret_cast<const char*>(p), len));
}

bool HoldsDouble(const HeaderField& f, const MeasurementData& d) {
  return !f.kind || d.*f.kind == f.doubleKind;
}

}  // namespace

uint32_t ReadBigEndianUnsigned(const unsigned char* p, int bytes) {
  uint32_t value = 0;
  for (int i = 0; i < bytes; ++i) value = value * 256u + p[i];
  return value;
}

float ReadBigEndianFloat(const unsigned char* p) {
  uint32_t bits = ReadBigEndianUnsigned(p, 4);
  float value;
  std::memcpy(&value, &bits, sizeof value);
  return value;
}

double ReadBigEndianDouble(const unsigned char* p) {
  uint64_t bits =
      (static_cast<uint64_t>(ReadBigEndianUnsigned(p, 4)) << 32) | ReadBigEndianUnsigned(p + 4, 4);
  double value;
  std::memcpy(&value, &bits, sizeof value);
  return value;
}

void WriteBigEndianUnsigned(std::string& out, size_t at, uint32_t value, int bytes) {
  for (int i = bytes - 1; i >= 0; --i) {
    out[at + static_cast<size_t>(i)] = static_cast<char>(value & 0xFFu);
    value >>= 8;
  }
}

void WriteBigEndianFloat(std::string& out, size_t at, float value) {
  uint32_t bits;
  std::memcpy(&bits, &value, sizeof bits);
  WriteBigEndianUnsigned(out, at, bits, 4);
}

void WriteBigEndianDouble(std::string& out, size_t at, double value) {
  uint64_t bits;
  std::memcpy(&bits, &value, sizeof bits);
  WriteBigEndianUnsigned(out, at, static_cast<uint32_t>(bits >> 32), 4);
  WriteBigEndianUnsigned(out, at + 4, static_cast<uint32_t>(bits), 4);
}

void DecodeHeaderFields(Cp932Decoder& decoder, const unsigned char* header, MeasurementData& d) {
  for (const HeaderField& f : kHeaderFields) {
    const unsigned char* p = header + f.offset;
    const int bytes = static_cast<int>(f.width);
    std::visit(Overloaded{
                   [&](std::string MeasurementData::*m) { d.*m = ReadText(decoder, p, f.width); },
                   [&](int16_t MeasurementData::*m) {
                     d.*m =
                         static_cast<int16_t>(static_cast<uint16_t>(ReadBigEndianUnsigned(p, 2)));
                   },
                   [&](uint16_t MeasurementData::*m) {
                     d.*m = static_cast<uint16_t>(ReadBigEndianUnsigned(p, 2));
                   },
                   [&](uint32_t MeasurementData::*m) { d.*m = ReadBigEndianUnsigned(p, bytes); },
                   [&](double MeasurementData::*m) {
                     d.*m = HoldsDouble(f, d) ? ReadBigEndianDouble(p)
                                              : static_cast<double>(ReadBigEndianUnsigned(p, 2));
                   },
               },
               f.member);
  }
}

std::string EncodeHeaderFields(const MeasurementData& d) {
  std::string out(kHeaderSize, '\0');
  WriteBigEndianUnsigned(out, kHeaderLengthOffset, kHeaderSize, 4);
  for (const HeaderField& f : kHeaderFields) {
    const int bytes = static_cast<int>(f.width);
    std::visit(
        Overloaded{
            [&](std::string MeasurementData::*m) {
              const std::string cp932 = Utf8ToCp932(d.*m);
              const std::string_view cut = CutCp932Bytes(cp932, f.width);
              std::memcpy(out.data() + f.offset, cut.data(), cut.size());
            },
            [&](int16_t MeasurementData::*m) {
              WriteBigEndianUnsigned(out, f.offset, static_cast<uint16_t>(d.*m), 2);
            },
            [&](uint16_t MeasurementData::*m) { WriteBigEndianUnsigned(out, f.offset, d.*m, 2); },
            [&](uint32_t MeasurementData::*m) {
              WriteBigEndianUnsigned(out, f.offset, d.*m, bytes);
            },
            [&](double MeasurementData::*m) {
              if (HoldsDouble(f, d)) {
                WriteBigEndianDouble(out, f.offset, d.*m);
              } else {
                WriteBigEndianUnsigned(out, f.offset, static_cast<uint16_t>(d.*m), 2);
              }
            },
        },
        f.member);
  }
  return out;
}

}  // namespace fernplot
