// SPDX-License-Identifier: MIT
#pragma once
// Text is held as UTF-8 in memory and as CP932 (Shift-JIS as Windows writes
// it) in files. Field widths are counted in CP932 bytes.

#include <cstddef>
#include <memory>
#include <string>
#include <string_view>

namespace fernplot {

// Bytes that are not valid CP932 become U+FFFD.
std::string Cp932ToUtf8(std::string_view cp932);
// Characters with no CP932 form become '?'.
std::string Utf8ToCp932(std::string_view utf8);
// Length of the CP932 form of `utf8` in bytes.
size_t Cp932Length(std::string_view utf8);
// The longest prefix of `utf8` whose CP932 form fits in maxBytes, never
// splitting a character.
std::string CutToCp932Bytes(std::string_view utf8, size_t maxBytes);

// True for the first byte of a double-byte CP932 character.
bool IsCp932LeadByte(unsigned char c);
// The longest prefix of CP932 bytes that fits in maxBytes without splitting a
// double-byte character.
std::string_view CutCp932Bytes(std::string_view cp932, size_t maxBytes);

// A CP932 to UTF-8 converter kept open for many texts (Cp932ToUtf8 opens
// one per call). Same results as Cp932ToUtf8.
class Cp932Decoder {
 public:
  Cp932Decoder();
  ~Cp932Decoder();
  Cp932Decoder(const Cp932Decoder&) = delete;
  Cp932Decoder& operator=(const Cp932Decoder&) = delete;
  std::string Decode(std::string_view cp932);

 private:
  struct Impl;
  std::unique_ptr<Impl> impl_;
};

}  // namespace fernplot
