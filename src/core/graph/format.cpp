// SPDX-License-Identifier: MIT
#include "graph/format.h"

#include <cmath>
#include <cstdarg>
#include <cstdio>
#include <cstdlib>

#include "text/encoding.h"
#include "text/number_text.h"

namespace fernplot {

std::string StringPrintf(const char* format, ...) {
  va_list args;
  va_start(args, format);
  va_list copy;
  va_copy(copy, args);
  const int length = std::vsnprintf(nullptr, 0, format, copy);
  va_end(copy);
  std::string out;
  if (length > 0) {
    out.resize(static_cast<size_t>(length) + 1);
    std::vsnprintf(out.data(), out.size(), format, args);
    out.resize(static_cast<size_t>(length));
  }
  va_end(args);
  return out;
}

int CompareNear(double a, double b) {
  if (a > b - kNearTolerance && a < b + kNearTolerance) return 0;
  return a < b ? -1 : 1;
}

namespace {

bool Below(double v, double bound) {
  return CompareNear(v, bound) == -1;
}

// From here on there is no prefix for a frequency.
constexpr double kLargestPrefixedHz = 1e12;

// Cuts trailing '0's (never the first character), then a dangling '.'.
void TrimFraction(std::string& text) {
  while (text.size() > 1 && text.back() == '0') text.pop_back();
  if (!text.empty() && text.back() == '.') text.pop_back();
}

}  // namespace

std::string FormatShortExponent(double v) {
  std::string text = FormatExponent(v, 5);
  const size_t e = text.find('e');
  if (e == std::string::npos) return text;
  std::string mantissa = text.substr(0, e);
  TrimFraction(mantissa);
  const int exponent = std::atoi(text.c_str() + e + 1);
  return mantissa + "e" + std::to_string(exponent);
}

std::string FormatFrequency(double hz) {
  if (!std::isfinite(hz)) return {};
  // Past the largest prefix the fixed form grows without bound: a 1e308 Hz
  // label would be 300 characters.
  if (!Below(std::fabs(hz), kLargestPrefixedHz)) {
    return FormatShortExponent(hz);
  }
  std::string text;
  const char* suffix = "";
  if (Below(hz, 1.0)) {
    text = FormatFixedPoint(hz * 1000.0, 1);
    suffix = "m";
  } else if (Below(hz, 1000.0)) {
    text = FormatFixedPoint(hz, 4);
  } else if (Below(hz, 1000000.0)) {
    text = FormatFixedPoint(hz * 0.001, 7);
    suffix = "k";
  } else if (Below(hz, 1000000000.0)) {
    text = FormatFixedPoint(hz * 1e-6, 10);
    suffix = "M";
  } else {
    text = FormatFixedPoint(hz * 1e-9, 13);
    suffix = "G";
  }
  TrimFraction(text);
  return text + suffix;
}

std::string FormatAmplitude(double volts) {
  if (Below(volts, 0.01)) return FormatFixedPoint(volts * 1000.0, 2) + "m";
  if (Below(volts, 0.1)) return FormatFixedPoint(volts * 1000.0, 1) + "m";
  if (Below(volts, 1.0)) return FormatFixedPoint(volts * 1000.0, 0) + "m";
  if (Below(volts, 10.0)) return FormatFixedPoint(volts, 2);
  return FormatFixedPoint(volts, 1);
}

std::string FormatBias(double volts) {
  if (CompareNear(volts, 0.0) == 0) return "0.00";
  if (volts > -10.0 && volts < 10.0) return FormatFixedPoint(volts, 2, 0, true);
  return volts >= 0.0 ? "+10.0" : "-10.0";
}

std::string FormatSeconds(double seconds) {
  std::string text = FormatExponent(seconds, 5);
  const size_t e = text.find('e');
  if (e != std::string::npos) {
    const int exponent = std::atoi(text.c_str() + e + 1);
    text = text.substr(0, e + 1) + std::to_string(exponent);
  }
  return text;
}

std::string FormatFixed(double v, int decimals) {
  return FormatFixedPoint(v, decimals);
}

std::string ShownName(std::string_view name) {
  if (name.size() <= kMaxShownNameBytes) return std::string(name);  // CP932 is never longer
  constexpr std::string_view kEllipsis = "\u2026";                  // two CP932 bytes
  std::string cut = CutToCp932Bytes(name, kMaxShownNameBytes);
  if (cut.size() == name.size()) return cut;
  cut = CutToCp932Bytes(name, kMaxShownNameBytes - 2);
  return cut + std::string(kEllipsis);
}

}  // namespace fernplot
