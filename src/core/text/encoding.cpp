// SPDX-License-Identifier: MIT
#include "text/encoding.h"

#include <iconv.h>

#include <algorithm>
#include <cerrno>
#include <string>

namespace fernplot {
namespace {

// One conversion direction. Each call of the public helpers opens its own
// handle; glibc caches the loaded tables, which keeps the open cheap.
class Converter {
 public:
  Converter(const char* to, const char* from) : cd_(iconv_open(to, from)) {}
  ~Converter() {
    if (ok()) iconv_close(cd_);
  }
  Converter(const Converter&) = delete;
  Converter& operator=(const Converter&) = delete;

  bool ok() const { return cd_ != reinterpret_cast<iconv_t>(-1); }

  // Converts as much of `in` as possible into `out`. Stops at the first byte
  // sequence that cannot be converted and returns how many input bytes were
  // used.
  size_t Convert(std::string_view in, std::string& out) {
    char* src = const_cast<char*>(in.data());
    size_t srcLeft = in.size();
    char buffer[256];
    while (srcLeft > 0) {
      char* dst = buffer;
      size_t dstLeft = sizeof buffer;
      size_t rc = iconv(cd_, &src, &srcLeft, &dst, &dstLeft);
      out.append(buffer, static_cast<size_t>(dst - buffer));
      if (rc == static_cast<size_t>(-1) && errno != E2BIG) break;
    }
    iconv(cd_, nullptr, nullptr, nullptr, nullptr);
    return in.size() - srcLeft;
  }

 private:
  iconv_t cd_;
};

bool IsAscii(std::string_view s) {
  for (unsigned char c : s) {
    if (c >= 0x80) return false;
  }
  return true;
}

// Length of the UTF-8 sequence at s[i]; a broken sequence counts up to its
// last continuation byte, so it becomes a single replacement.
size_t Utf8SequenceLength(std::string_view s, size_t i) {
  unsigned char c = static_cast<unsigned char>(s[i]);
  size_t n = c < 0x80 ? 1 : (c >> 5) == 0x6 ? 2 : (c >> 4) == 0xE ? 3 : (c >> 3) == 0x1E ? 4 : 1;
  for (size_t k = 1; k < n; ++k) {
    if (i + k >= s.size() || (static_cast<unsigned char>(s[i + k]) & 0xC0) != 0x80) return k;
  }
  return n;
}

constexpr char kReplacementUtf8[] = "\xEF\xBF\xBD";

std::string DecodeWith(Converter& conv, std::string_view cp932) {
  if (IsAscii(cp932)) return std::string(cp932);
  std::string out;
  out.reserve(cp932.size() * 3 / 2);
  if (!conv.ok()) return std::string(cp932);
  while (!cp932.empty()) {
    size_t used = conv.Convert(cp932, out);
    cp932.remove_prefix(used);
    if (cp932.empty()) break;
    // An undecodable byte: replace it and go on with the next one.
    out += kReplacementUtf8;
    cp932.remove_prefix(1);
  }
  return out;
}

}  // namespace

bool IsCp932LeadByte(unsigned char c) {
  return (c >= 0x81 && c <= 0x9F) || (c >= 0xE0 && c <= 0xFC);
}

std::string Cp932ToUtf8(std::string_view cp932) {
  if (IsAscii(cp932)) return std::string(cp932);
  Converter conv("UTF-8", "CP932");
  return DecodeWith(conv, cp932);
}

struct Cp932Decoder::Impl {
  std::unique_ptr<Converter> conv;  // opened with the first non-ASCII text
};

Cp932Decoder::Cp932Decoder() : impl_(std::make_unique<Impl>()) {}
Cp932Decoder::~Cp932Decoder() = default;

std::string Cp932Decoder::Decode(std::string_view cp932) {
  if (IsAscii(cp932)) return std::string(cp932);
  if (!impl_->conv) impl_->conv = std::make_unique<Converter>("UTF-8", "CP932");
  return DecodeWith(*impl_->conv, cp932);
}

std::string Utf8ToCp932(std::string_view utf8) {
  if (IsAscii(utf8)) return std::string(utf8);
  std::string out;
  out.reserve(utf8.size());
  Converter conv("CP932", "UTF-8");
  if (!conv.ok()) return std::string(utf8);
  while (!utf8.empty()) {
    size_t used = conv.Convert(utf8, out);
    utf8.remove_prefix(used);
    if (utf8.empty()) break;
    // A character without a CP932 form (or a broken sequence): one '?'.
    out += '?';
    utf8.remove_prefix(Utf8SequenceLength(utf8, 0));
  }
  return out;
}

size_t Cp932Length(std::string_view utf8) {
  if (IsAscii(utf8)) return utf8.size();
  return Utf8ToCp932(utf8).size();
}

std::string CutToCp932Bytes(std::string_view utf8, size_t maxBytes) {
  if (IsAscii(utf8)) return std::string(utf8.substr(0, maxBytes));
  if (utf8.size() <= maxBytes) return std::string(utf8);  // CP932 is never longer than UTF-8
  Converter conv("CP932", "UTF-8");
  size_t bytes = 0;
  size_t i = 0;
  std::string piece;
  while (i < utf8.size()) {
    size_t n = Utf8SequenceLength(utf8, i);
    size_t width = 1;
    if (n > 1 && conv.ok()) {
      piece.clear();
      if (conv.Convert(utf8.substr(i, n), piece) == n) width = piece.size();
    }
    if (bytes + width > maxBytes) break;
    bytes += width;
    i += n;
  }
  return std::string(utf8.substr(0, i));
}

std::string_view CutCp932Bytes(std::string_view cp932, size_t maxBytes) {
  if (cp932.size() <= maxBytes) return cp932;
  size_t i = 0;
  while (i < cp932.size()) {
    size_t n = IsCp932LeadByte(static_cast<unsigned char>(cp932[i])) ? 2 : 1;
    if (i + n > maxBytes) break;
    i += n;
  }
  return cp932.substr(0, std::min(i, cp932.size()));
}

}  // namespace fernplot
