// SPDX-License-Identifier: MIT
#include "props/settings_scan.h"

#include <algorithm>
#include <cctype>
#include <charconv>
#include <cmath>
#include <limits>

namespace fernplot {
namespace {

bool IsSpace(char c) {
  return c == ' ' || c == '\t' || c == '\n' || c == '\v' || c == '\f' || c == '\r';
}
bool IsDigit(char c) {
  return c >= '0' && c <= '9';
}
bool IsHexDigit(char c) {
  return IsDigit(c) || (c >= 'a' && c <= 'f') || (c >= 'A' && c <= 'F');
}
char Lower(char c) {
  return (c >= 'A' && c <= 'Z') ? static_cast<char>(c - 'A' + 'a') : c;
}

bool StartsWithNoCase(std::string_view s, std::string_view word) {
  if (s.size() < word.size()) return false;
  for (size_t i = 0; i < word.size(); ++i) {
    if (Lower(s[i]) != word[i]) return false;
  }
  return true;
}

void SkipSpace(std::string_view s, size_t& i) {
  while (i < s.size() && IsSpace(s[i])) ++i;
}

// %d: optional sign and at least one digit. Out-of-range values saturate, as
// the C library's conversion does.
bool ScanInteger(std::string_view s, size_t& i, int32_t& out) {
  SkipSpace(s, i);
  size_t j = i;
  bool negative = false;
  if (j < s.size() && (s[j] == '+' || s[j] == '-')) negative = s[j++] == '-';
  if (j >= s.size() || !IsDigit(s[j])) return false;
  int64_t value = 0;
  constexpr int64_t kLimit = int64_t{std::numeric_limits<int32_t>::max()} + 1;
  for (; j < s.size() && IsDigit(s[j]); ++j) {
    value = std::min<int64_t>(value * 10 + (s[j] - '0'), kLimit);
  }
  if (negative) value = -value;
  out = static_cast<int32_t>(std::clamp<int64_t>(value, std::numeric_limits<int32_t>::min(),
                                                 std::numeric_limits<int32_t>::max()));
  i = j;
  return true;
}

// %f: decimal or hexadecimal number with optional exponent, or inf/infinity/
// nan, read straight into float precision.
bool ScanFloat(std::string_view s, size_t& i, float& out) {
  SkipSpace(s, i);
  size_t j = i;
  bool negative = false;
  if (j < s.size() && (s[j] == '+' || s[j] == '-')) negative = s[j++] == '-';
  std::string_view rest = s.substr(j);
  // One sign only: from_chars would take a second minus as the number's own.
  if (!rest.empty() && (rest[0] == '-' || rest[0] == '+')) return false;
  float value = 0.0f;
  if (StartsWithNoCase(rest, "inf")) {
    value = std::numeric_limits<float>::infinity();
    j += StartsWithNoCase(rest, "infinity") ? 8 : 3;
  } else if (StartsWithNoCase(rest, "nan")) {
    value = std::numeric_limits<float>::quiet_NaN();
    j += 3;
    // nan(chars)
    if (j < s.size() && s[j] == '(') {
      size_t k = j + 1;
      while (k < s.size() &&
             (IsDigit(s[k]) || std::isalpha(static_cast<unsigned char>(s[k])) || s[k] == '_')) {
        ++k;
      }
      if (k < s.size() && s[k] == ')') j = k + 1;
    }
  } else {
    bool hex = rest.size() >= 2 && rest[0] == '0' && (rest[1] == 'x' || rest[1] == 'X') &&
               rest.size() > 2 && (IsHexDigit(rest[2]) || rest[2] == '.');
    const char* first = rest.data() + (hex ? 2 : 0);
    const char* last = rest.data() + rest.size();
    auto [end, ec] = std::from_chars(first, last, value,
                                     hex ? std::chars_format::hex : std::chars_format::general);
    if (ec == std::errc::invalid_argument) return false;
    if (ec == std::errc::result_out_of_range) {
      // Too large gives infinity, too small zero, as strtof does.
      long double wide = 0.0L;
      std::from_chars(first, last, wide, hex ? std::chars_format::hex : std::chars_format::general);
      value = std::fabs(wide) >= 1.0L ? std::numeric_limits<float>::infinity() : 0.0f;
    }
    j += static_cast<size_t>(end - rest.data());
  }
  out = negative ? -value : value;
  i = j;
  return true;
}

bool ScanWord(std::string_view s, size_t& i, std::string& out) {
  SkipSpace(s, i);
  size_t j = i;
  while (j < s.size() && !IsSpace(s[j])) ++j;
  if (j == i) return false;
  out.assign(s.substr(i, j - i));
  i = j;
  return true;
}

bool ScanRest(std::string_view s, size_t& i, std::string& out) {
  size_t j = i;
  while (j < s.size() && s[j] != '\n') ++j;
  if (j == i) return false;
  out.assign(s.substr(i, j - i));
  i = j;
  return true;
}

}  // namespace

bool ScanLine(std::string_view line, std::string_view pattern, std::vector<ScanField>& fields) {
  fields.clear();
  size_t i = 0;
  for (size_t p = 0; p < pattern.size(); ++p) {
    const char c = pattern[p];
    if (IsSpace(c)) {
      SkipSpace(line, i);
      continue;
    }
    if (c != '%') {
      if (i >= line.size() || line[i] != c) return false;
      ++i;
      continue;
    }
    ScanField field;
    std::string_view conv = pattern.substr(p + 1);
    bool ok = false;
    if (conv.starts_with("d")) {
      ok = ScanInteger(line, i, field.integer);
      p += 1;
    } else if (conv.starts_with("f")) {
      ok = ScanFloat(line, i, field.number);
      p += 1;
    } else if (conv.starts_with("s")) {
      ok = ScanWord(line, i, field.text);
      p += 1;
    } else if (conv.starts_with("[^\n]")) {
      ok = ScanRest(line, i, field.text);
      p += 4;
    }
    if (!ok) return false;
    fields.push_back(std::move(field));
  }
  return true;
}

}  // namespace fernplot
