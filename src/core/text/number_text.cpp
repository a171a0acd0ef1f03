// SPDX-License-Identifier: MIT
#include "text/number_text.h"

#include <algorithm>
#include <charconv>
#include <cmath>

namespace fernplot {
namespace {

std::string NonFinite(double value) {
  if (std::isnan(value)) return std::signbit(value) ? "-nan" : "nan";
  return value < 0 ? "-inf" : "inf";
}

std::string PadLeft(std::string text, int width) {
  if (width > 0 && text.size() < static_cast<size_t>(width)) {
    text.insert(0, static_cast<size_t>(width) - text.size(), ' ');
  }
  return text;
}

// printf's default for a negative precision, and a cap that keeps the
// buffers bounded.
int Precision(int decimals) {
  return decimals < 0 ? 6 : std::min(decimals, 60);
}

}  // namespace

std::string FormatFixedPoint(double value, int decimals, int width, bool plusSign) {
  std::string text = NonFinite(value);
  if (std::isfinite(value)) {
    // 309 integer digits at most, plus sign, point and up to 60 decimals.
    char buffer[400];
    auto [end, ec] = std::to_chars(buffer, buffer + sizeof buffer, value, std::chars_format::fixed,
                                   Precision(decimals));
    if (ec == std::errc()) text.assign(buffer, end);
  }
  if (plusSign && text[0] != '-') text.insert(0, 1, '+');
  return PadLeft(std::move(text), width);
}

std::string FormatExponent(double value, int decimals) {
  if (!std::isfinite(value)) return NonFinite(value);
  char buffer[96];
  auto [end, ec] = std::to_chars(buffer, buffer + sizeof buffer, value,
                                 std::chars_format::scientific, Precision(decimals));
  if (ec != std::errc()) return NonFinite(value);
  return std::string(buffer, end);
}

std::string FormatGeneral(double value, int digits) {
  if (!std::isfinite(value)) return NonFinite(value);
  char buffer[64];
  auto [end, ec] =
      std::to_chars(buffer, buffer + sizeof buffer, value, std::chars_format::general, digits);
  if (ec != std::errc()) return NonFinite(value);
  return std::string(buffer, end);
}

std::optional<double> PlainNumber(std::string_view text) {
  if (text.size() > 1 && text[0] == '+' && text[1] != '-') text.remove_prefix(1);
  double value = 0.0;
  const auto [end, ec] = std::from_chars(text.data(), text.data() + text.size(), value);
  if (text.empty() || ec != std::errc() || end != text.data() + text.size() ||
      !std::isfinite(value)) {
    return std::nullopt;
  }
  return value;
}

}  // namespace fernplot
