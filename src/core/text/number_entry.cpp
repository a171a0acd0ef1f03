// SPDX-License-Identifier: MIT
#include "text/number_entry.h"

#include <locale.h>

#include <charconv>
#include <cmath>
#include <cstdlib>
#include <system_error>

namespace fernplot {
namespace {

bool IsCSpace(char c) {
  return c == ' ' || c == '\t' || c == '\n' || c == '\v' || c == '\f' || c == '\r';
}

void TrimTrailingSpace(std::string& text) {
  size_t end = text.size();
  while (end > 0 && IsCSpace(text[end - 1])) --end;
  text.erase(end);
}

// strtod in the "C" locale: a Qt program runs with LC_NUMERIC taken from the
// environment, where the decimal separator may be a comma.
locale_t CLocale() {
  static const locale_t c = newlocale(LC_ALL_MASK, "C", locale_t{});
  return c;
}

struct Scan {
  double value = 0.0;
  size_t end = 0;  // index of the first character not taken
};

Scan ScanNumber(const std::string& text) {
  // Only decimal numbers are typed into these boxes; glibc's strtod would
  // also read "0x10" as 16. Stop after the "0" so the "x" makes the text
  // invalid.
  size_t i = 0;
  while (i < text.size() && IsCSpace(text[i])) ++i;
  if (i < text.size() && (text[i] == '+' || text[i] == '-')) ++i;
  if (i + 1 < text.size() && text[i] == '0' && (text[i + 1] == 'x' || text[i + 1] == 'X')) {
    return {0.0, i + 1};
  }
  char* endPtr = nullptr;
  const double v = strtod_l(text.c_str(), &endPtr, CLocale());
  return {v, static_cast<size_t>(endPtr - text.c_str())};
}

std::string Fixed(double value, int decimals) {
  char buf[400];
  const auto res = std::to_chars(buf, buf + sizeof buf, value, std::chars_format::fixed, decimals);
  if (res.ec != std::errc{}) return "0";
  return std::string(buf, res.ptr);
}

}  // namespace

double ParseNumber(std::string& text) {
  TrimTrailingSpace(text);
  const Scan s = ScanNumber(text);
  if (s.end != text.size() || !std::isfinite(s.value)) return kInvalidEntry;
  return s.value;
}

double ParseFrequency(std::string& text) {
  TrimTrailingSpace(text);
  const Scan s = ScanNumber(text);
  if (!std::isfinite(s.value)) return kInvalidEntry;
  double result = s.value;
  if (s.end < text.size()) {
    switch (text[s.end]) {
      case 'k':
      case 'K':
        result = s.value * 1000.0;
        break;
      case 'm':
        result = s.value * 0.001;
        break;
      case 'M':
        result = s.value * 1000000.0;
        break;
      case 'G':
        result = s.value * 1000000000.0;
        break;
      default:
        return kInvalidEntry;
    }
  }
  if (!std::isfinite(result)) return kInvalidEntry;
  return result;
}

std::string FormatFrequencyEntry(double value) {
  if (value < 1.0) return Fixed(value * 1000.0, 1) + "m";
  if (value < 1000.0) return Fixed(value, 4);
  if (value < 1000000.0) return Fixed(value * 0.001, 7) + "k";
  if (value < 1000000000.0) return Fixed(value * 0.000001, 10) + "M";
  return Fixed(value * 0.000000001, 13) + "G";
}

std::string FormatEntryG(double value) {
  char buf[64];
  const auto res = std::to_chars(buf, buf + sizeof buf, value, std::chars_format::general, 6);
  if (res.ec != std::errc{}) return "0";
  return std::string(buf, res.ptr);
}

}  // namespace fernplot
