// SPDX-License-Identifier: MIT
#include "graph/json_text.h"

#include <charconv>
#include <cmath>

#include "text/number_text.h"

namespace fernplot {

std::string JsonNonFinite(double value) {
  if (std::isnan(value)) return "\"NaN\"";
  return value > 0 ? "\"Infinity\"" : "\"-Infinity\"";
}

std::string JsonDouble(double value) {
  return std::isfinite(value) ? FormatGeneral(value, 17) : JsonNonFinite(value);
}

std::string JsonFloat(float value) {
  return std::isfinite(value) ? FormatGeneral(value, 9) : JsonNonFinite(value);
}

std::string JsonShortest(double value) {
  if (!std::isfinite(value)) return JsonNonFinite(value);
  char buffer[32];
  const auto [end, ec] = std::to_chars(buffer, buffer + sizeof buffer, value);
  if (ec != std::errc()) return FormatGeneral(value, 17);
  return std::string(buffer, end);
}

std::string JsonInt(int64_t value) {
  return std::to_string(value);
}

std::string JsonColour(Colour colour) {
  static constexpr char kHex[] = "0123456789abcdef";
  std::string out = "\"#";
  for (const unsigned part : {RedOf(colour), GreenOf(colour), BlueOf(colour)}) {
    out += kHex[part >> 4];
    out += kHex[part & 0xF];
  }
  out += '"';
  return out;
}

}  // namespace fernplot
