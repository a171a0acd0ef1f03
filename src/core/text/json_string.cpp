// SPDX-License-Identifier: MIT
#include "text/json_string.h"

#include <charconv>
#include <cmath>

namespace fernplot {

namespace {

// The length of the well-formed UTF-8 character at s[i] (overlong forms,
// surrogates and code points past U+10FFFF are not), or 0.
size_t WellFormedLength(std::string_view s, size_t i) {
  const auto byte = [&](size_t k) { return static_cast<unsigned char>(s[i + k]); };
  const unsigned char c = byte(0);
  if (c < 0x80) return 1;
  size_t n = 0;
  unsigned char lo = 0x80, hi = 0xBF;  // the range of the second byte
  if (c >= 0xC2 && c <= 0xDF) {
    n = 2;
  } else if (c >= 0xE0 && c <= 0xEF) {
    n = 3;
    if (c == 0xE0) lo = 0xA0;
    if (c == 0xED) hi = 0x9F;
  } else if (c >= 0xF0 && c <= 0xF4) {
    n = 4;
    if (c == 0xF0) lo = 0x90;
    if (c == 0xF4) hi = 0x8F;
  } else {
    return 0;
  }
  if (n > s.size() - i || byte(1) < lo || byte(1) > hi) return 0;
  for (size_t k = 2; k < n; ++k) {
    if ((byte(k) & 0xC0) != 0x80) return 0;
  }
  return n;
}

constexpr char kReplacement[] = "\xEF\xBF\xBD";

}  // namespace

std::string JsonString(std::string_view utf8) {
  static constexpr char kHex[] = "0123456789abcdef";
  std::string out;
  out.reserve(utf8.size() + 2);
  out += '"';
  for (size_t i = 0; i < utf8.size();) {
    const auto c = static_cast<unsigned char>(utf8[i]);
    if (c >= 0x80) {
      // A file name is bytes and need not be text: JSON must be, so a byte
      // that starts no whole character becomes U+FFFD.
      const size_t n = WellFormedLength(utf8, i);
      if (n == 0) {
        out += kReplacement;
        ++i;
      } else {
        out.append(utf8.substr(i, n));
        i += n;
      }
      continue;
    }
    ++i;
    switch (c) {
      case '"':
        out += "\\\"";
        break;
      case '\\':
        out += "\\\\";
        break;
      case '\n':
        out += "\\n";
        break;
      case '\r':
        out += "\\r";
        break;
      case '\t':
        out += "\\t";
        break;
      default:
        if (c < 0x20) {
          out += "\\u00";
          out += kHex[c >> 4];
          out += kHex[c & 0xF];
        } else {
          out += static_cast<char>(c);
        }
    }
  }
  out += '"';
  return out;
}

std::string JsonNumberOrNull(double value) {
  if (!std::isfinite(value)) return "null";
  if (value == 0.0) value = 0.0;  // no "-0"
  char buffer[32];
  const auto [end, ec] = std::to_chars(buffer, buffer + sizeof buffer, value);
  return ec == std::errc() ? std::string(buffer, end) : "null";
}

}  // namespace fernplot
