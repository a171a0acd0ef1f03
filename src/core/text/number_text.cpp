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

}  // namespace

std::string FormatFixedPoint(double value, int decimals, int width) {
  if (!std::isfinite(value)) return PadLeft(NonFinite(value), width);
  // 309 integer digits at most, plus sign, point and up to 60 decimals.
  char buffer[400];
  auto [end, ec] = std::to_chars(buffer, buffer + sizeof buffer, value, std::chars_format::fixed,
                                 decimals < 0 ? 6 : std::min(decimals, 60));
  if (ec != std::errc()) return PadLeft(NonFinite(value), width);
  return PadLeft(std::string(buffer, end), width);
}

std::string FormatGeneral(double value, int digits) {
  if (!std::isfinite(value)) return NonFinite(value);
  char buffer[64];
  auto [end, ec] =
      std::to_chars(buffer, buffer + sizeof buffer, value, std::chars_format::general, digits);
  if (ec != std::errc()) return NonFinite(value);
  return std::string(buffer, end);
}

}  // namespace fernplot
