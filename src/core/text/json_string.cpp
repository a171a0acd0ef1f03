// SPDX-License-Identifier: MIT
#include "text/json_string.h"

namespace fernplot {

std::string JsonString(std::string_view utf8) {
  static constexpr char kHex[] = "0123456789abcdef";
  std::string out;
  out.reserve(utf8.size() + 2);
  out += '"';
  for (const char ch : utf8) {
    const auto c = static_cast<unsigned char>(ch);
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
          out += ch;
        }
    }
  }
  out += '"';
  return out;
}

}  // namespace fernplot
