// SPDX-License-Identifier: MIT
#include "import/import_text.h"

#include <algorithm>
#include <charconv>
#include <cmath>
#include <cstring>
#include <limits>
#include <numbers>
#include <optional>

namespace fernplot {
namespace {

void AppendUtf8(std::string& out, uint32_t c) {
  if (c < 0x80) {
    out += static_cast<char>(c);
  } else if (c < 0x800) {
    out += static_cast<char>(0xC0 | (c >> 6));
    out += static_cast<char>(0x80 | (c & 0x3F));
  } else if (c < 0x10000) {
    out += static_cast<char>(0xE0 | (c >> 12));
    out += static_cast<char>(0x80 | ((c >> 6) & 0x3F));
    out += static_cast<char>(0x80 | (c & 0x3F));
  } else {
    out += static_cast<char>(0xF0 | (c >> 18));
    out += static_cast<char>(0x80 | ((c >> 12) & 0x3F));
    out += static_cast<char>(0x80 | ((c >> 6) & 0x3F));
    out += static_cast<char>(0x80 | (c & 0x3F));
  }
}

void Utf16ToUtf8(std::string_view bytes, bool bigEndian, std::string& out) {
  out.clear();
  out.reserve(bytes.size() / 2 + bytes.size() / 8);
  const auto unit = [&](size_t i) -> uint32_t {
    const auto a = static_cast<unsigned char>(bytes[i]);
    const auto b = static_cast<unsigned char>(bytes[i + 1]);
    return bigEndian ? (a << 8 | b) : (b << 8 | a);
  };
  const size_t n = bytes.size() & ~size_t(1);
  for (size_t i = 0; i < n; i += 2) {
    uint32_t c = unit(i);
    if (c >= 0xD800 && c < 0xDC00 && i + 3 < n) {
      const uint32_t low = unit(i + 2);
      if (low >= 0xDC00 && low < 0xE000) {
        c = 0x10000 + ((c - 0xD800) << 10) + (low - 0xDC00);
        i += 2;
      } else {
        c = 0xFFFD;
      }
    } else if (c >= 0xD800 && c < 0xE000) {
      c = 0xFFFD;
    }
    AppendUtf8(out, c);
  }
  // An odd byte at the end is half a character.
  if (bytes.size() & 1) AppendUtf8(out, 0xFFFD);
}

// Windows-1252's 0x80..0x9F; the rest of the upper half is Latin-1.
constexpr uint16_t kCp1252High[32] = {
    0x20AC, 0xFFFD, 0x201A, 0x0192, 0x201E, 0x2026, 0x2020, 0x2021, 0x02C6, 0x2030, 0x0160,
    0x2039, 0x0152, 0xFFFD, 0x017D, 0xFFFD, 0xFFFD, 0x2018, 0x2019, 0x201C, 0x201D, 0x2022,
    0x2013, 0x2014, 0x02DC, 0x2122, 0x0161, 0x203A, 0x0153, 0xFFFD, 0x017E, 0x0178};

void Cp1252ToUtf8(std::string_view bytes, std::string& out) {
  out.clear();
  out.reserve(bytes.size() + bytes.size() / 16);
  for (const char ch : bytes) {
    const auto c = static_cast<unsigned char>(ch);
    if (c < 0x80) {
      out += ch;
    } else {
      AppendUtf8(out, c < 0xA0 ? kCp1252High[c - 0x80] : c);
    }
  }
}

// The power of ten of the leading digit of a decimal number's text ("1e5"
// and "100000" give 5, "0.001" gives -3), saturating far beyond any double;
// the text holds at least one non-zero digit.
long long DecimalExponent(std::string_view number) {
  constexpr long long kFar = 1'000'000'000;
  size_t i = 0;
  if (i < number.size() && (number[i] == '-' || number[i] == '+')) ++i;
  long long digits = 0;  // seen so far, capped
  long long whole = 0;   // digits before the point
  long long firstNonZero = -1;
  bool afterPoint = false;
  for (; i < number.size(); ++i) {
    const char c = number[i];
    if (c == '.' && !afterPoint) {
      afterPoint = true;
      continue;
    }
    if (c < '0' || c > '9') break;
    if (firstNonZero < 0 && c != '0') firstNonZero = digits;
    digits = std::min(kFar, digits + 1);
    if (!afterPoint) whole = digits;
  }
  if (firstNonZero < 0) return -kFar;
  long long exponent = 0;
  if (i < number.size() && (number[i] == 'e' || number[i] == 'E')) {
    ++i;
    const bool negative = i < number.size() && number[i] == '-';
    if (i < number.size() && (number[i] == '-' || number[i] == '+')) ++i;
    for (; i < number.size() && number[i] >= '0' && number[i] <= '9'; ++i) {
      exponent = std::min(kFar, exponent * 10 + (number[i] - '0'));
    }
    if (negative) exponent = -exponent;
  }
  return whole - 1 - firstNonZero + exponent;
}

bool TextLikeByte(unsigned char c) {
  return c == '\t' || c == '\n' || c == '\r' || (c >= 0x20 && c != 0x7F);
}

// UTF-16 without a byte-order mark, told from where its NUL bytes are: text
// that is mostly Latin has a zero byte in every other place, on the side of
// its byte order, and none elsewhere. Judged on the first bytes.
std::optional<bool> UnmarkedUtf16BigEndian(std::string_view bytes) {
  constexpr size_t kLook = 4096;
  const size_t n = std::min(bytes.size(), kLook) & ~size_t(1);
  if (n < 4 || !std::memchr(bytes.data(), '\0', n)) return std::nullopt;
  size_t lowFirst = 0, highFirst = 0;  // units of one Latin-1 character
  for (size_t i = 0; i < n; i += 2) {
    const auto a = static_cast<unsigned char>(bytes[i]);
    const auto b = static_cast<unsigned char>(bytes[i + 1]);
    if (a == 0 && b == 0) return std::nullopt;  // a NUL character: not text
    if (b == 0) {
      if (!TextLikeByte(a)) return std::nullopt;
      ++lowFirst;
    } else if (a == 0) {
      if (!TextLikeByte(b)) return std::nullopt;
      ++highFirst;
    }
  }
  const size_t units = n / 2;
  // Both kinds of unit at once is binary data, not text in one byte order.
  if (lowFirst * 2 >= units && highFirst == 0) return false;
  if (highFirst * 2 >= units && lowFirst == 0) return true;
  return std::nullopt;
}

}  // namespace

bool IsValidUtf8(std::string_view s) {
  const auto* p = reinterpret_cast<const unsigned char*>(s.data());
  const auto* end = p + s.size();
  while (p < end) {
    // Runs of ASCII, eight bytes at a time.
    while (end - p >= 8) {
      uint64_t word;
      std::memcpy(&word, p, 8);
      if (word & 0x8080808080808080ull) break;
      p += 8;
    }
    if (p >= end) break;
    const unsigned c = *p;
    if (c < 0x80) {
      ++p;
      continue;
    }
    size_t extra;
    uint32_t min;
    if (c >= 0xC2 && c <= 0xDF) {
      extra = 1, min = 0x80;
    } else if (c >= 0xE0 && c <= 0xEF) {
      extra = 2, min = 0x800;
    } else if (c >= 0xF0 && c <= 0xF4) {
      extra = 3, min = 0x10000;
    } else {
      return false;
    }
    if (static_cast<size_t>(end - p) <= extra) return false;
    uint32_t cp = c & (0x3F >> extra);
    for (size_t k = 1; k <= extra; ++k) {
      if ((p[k] & 0xC0) != 0x80) return false;
      cp = cp << 6 | (p[k] & 0x3F);
    }
    if (cp < min || cp > 0x10FFFF || (cp >= 0xD800 && cp < 0xE000)) return false;
    p += extra + 1;
  }
  return true;
}

DecodedText DecodeImportText(std::string_view bytes, std::string& storage) {
  DecodedText d;
  if (bytes.starts_with("\xEF\xBB\xBF")) {
    d.text = bytes.substr(3);
    d.encoding = TextEncoding::kUtf8Bom;
  } else if (bytes.starts_with("\xFF\xFE") || bytes.starts_with("\xFE\xFF")) {
    const bool big = bytes[0] == '\xFE';
    Utf16ToUtf8(bytes.substr(2), big, storage);
    d.text = storage;
    d.encoding = big ? TextEncoding::kUtf16Be : TextEncoding::kUtf16Le;
  } else if (const std::optional<bool> big = UnmarkedUtf16BigEndian(bytes)) {
    Utf16ToUtf8(bytes, *big, storage);
    d.text = storage;
    d.encoding = *big ? TextEncoding::kUtf16Be : TextEncoding::kUtf16Le;
  } else if (IsValidUtf8(bytes)) {
    d.text = bytes;
  } else {
    Cp1252ToUtf8(bytes, storage);
    d.text = storage;
    d.encoding = TextEncoding::kWindows1252;
  }
  d.binary = std::memchr(d.text.data(), '\0', d.text.size()) != nullptr;
  return d;
}

bool LineCursor::Next(std::string_view& line) {
  if (rest_.empty()) return false;
  const void* nl = std::memchr(rest_.data(), '\n', rest_.size());
  const size_t len = nl ? static_cast<const char*>(nl) - rest_.data() : rest_.size();
  line = rest_.substr(0, len);
  rest_.remove_prefix(nl ? len + 1 : len);
  if (!line.empty() && line.back() == '\r') line.remove_suffix(1);
  ++number_;
  return true;
}

bool IsSpaceChar(char c) {
  return c == ' ' || c == '\t' || c == '\r' || c == '\f' || c == '\v';
}

std::string_view TrimSpace(std::string_view s) {
  while (!s.empty() && IsSpaceChar(s.front())) s.remove_prefix(1);
  while (!s.empty() && IsSpaceChar(s.back())) s.remove_suffix(1);
  return s;
}

bool ScanNumber(std::string_view& s, double& value) {
  const char* first = s.data();
  const char* last = s.data() + s.size();
  // from_chars takes no '+'; a '+' before another sign is not a number.
  if (first != last && *first == '+') {
    ++first;
    if (first != last && (*first == '-' || *first == '+')) return false;
  }
  const auto [ptr, ec] = std::from_chars(first, last, value);
  if (ec == std::errc::result_out_of_range) {
    // Beyond a double's range: infinite, or zero for a tiny one; the
    // usability check then decides.
    const std::string_view matched(first, static_cast<size_t>(ptr - first));
    const double sign = matched.starts_with('-') ? -1.0 : 1.0;
    value = DecimalExponent(matched) > 0 ? sign * HUGE_VAL : sign * 0.0;
    s.remove_prefix(static_cast<size_t>(ptr - s.data()));
    return true;
  }
  if (ec != std::errc()) return false;
  s.remove_prefix(static_cast<size_t>(ptr - s.data()));
  return true;
}

bool ParseWholeNumber(std::string_view s, double& value) {
  s = TrimSpace(s);
  return !s.empty() && ScanNumber(s, value) && s.empty();
}

bool ParseCellNumber(std::string_view s, bool decimalComma, double& value) {
  constexpr std::string_view kMinus = "\xE2\x88\x92";
  const bool comma = decimalComma && s.find(',') != s.npos;
  if (!comma && s.find(kMinus) == s.npos) return ParseWholeNumber(s, value);
  std::string plain;
  plain.reserve(s.size());
  bool point = false;
  for (size_t i = 0; i < s.size(); ++i) {
    if (s.substr(i, kMinus.size()) == kMinus) {
      plain += '-';
      i += kMinus.size() - 1;
    } else if (s[i] == ',' && decimalComma) {
      if (point) return false;  // "1,2,3" is no number
      point = true;
      plain += '.';
    } else {
      plain += s[i];
    }
  }
  return ParseWholeNumber(plain, value);
}

std::string AsciiLower(std::string_view s) {
  std::string out(s);
  for (char& c : out) {
    if (c >= 'A' && c <= 'Z') c = static_cast<char>(c - 'A' + 'a');
  }
  return out;
}

void ComplexToGainPhase(double re, double im, double& gainDb, double& phaseDeg) {
  gainDb = 20.0 * std::log10(std::hypot(re, im));
  phaseDeg = std::atan2(im, re) * (180.0 / std::numbers::pi);
}

bool IsUsablePoint(const TracePoint& p) {
  // Pages hold gain and phase as float.
  constexpr double kFloatMax = std::numeric_limits<float>::max();
  return std::isfinite(p.frequency) && p.frequency > 0.0 && std::fabs(p.gainDb) <= kFloatMax &&
         std::fabs(p.phaseDeg) <= kFloatMax;
}

ImportResult ImportFailure(size_t line, const char* text, std::vector<std::string> args,
                           bool missingSelection) {
  ImportResult r;
  r.error.line = line;
  r.error.message = FillTextArgs(text, args);
  r.error.text = text;
  r.error.args = std::move(args);
  r.error.missingSelection = missingSelection;
  return r;
}

std::string ImportMessage(const ImportError& error, const TextTranslator* translator) {
  if (!error.text) return error.message;
  return FillTextArgs(Translate(translator, "Import", error.text), error.args);
}

std::string ImportErrorText(const std::string& path, const ImportError& error,
                            const TextTranslator* translator) {
  std::string text = path;
  if (error.line > 0) {
    text += ':';
    text += std::to_string(error.line);
  }
  text += ": ";
  text += ImportMessage(error, translator);
  return text;
}

}  // namespace fernplot
