// SPDX-License-Identifier: MIT
#pragma once
// Text handling shared by the text-format readers: decoding to UTF-8, line
// iteration with line numbers, and fast number scanning.

#include <cstddef>
#include <string>
#include <string_view>

#include "import/imported_trace.h"

namespace fernplot {

// Longest line any reader accepts; a longer one is hostile or not text.
constexpr size_t kMaxImportLineBytes = 1 << 20;
// Largest file the readers take (several times the size of any real sweep).
constexpr size_t kMaxImportFileBytes = size_t(512) << 20;

enum class TextEncoding { kUtf8, kUtf8Bom, kUtf16Le, kUtf16Be, kWindows1252 };

struct DecodedText {
  std::string_view text;  // UTF-8, BOM removed; points into the input or `storage`
  TextEncoding encoding = TextEncoding::kUtf8;
  bool binary = false;  // holds NUL bytes: not a text file
};

// UTF-8 with or without BOM, UTF-16 in either byte order (with a BOM, or
// without one when the zero bytes of mostly Latin text show it), and
// anything else that is not valid UTF-8 taken as Windows-1252. `storage`
// holds converted text and must outlive the result.
DecodedText DecodeImportText(std::string_view bytes, std::string& storage);

bool IsValidUtf8(std::string_view s);

// Lines split at LF with a trailing CR removed, counted from 1.
class LineCursor {
 public:
  explicit LineCursor(std::string_view text) : rest_(text) {}
  // False at the end of the text.
  bool Next(std::string_view& line);
  size_t LineNumber() const { return number_; }

 private:
  std::string_view rest_;
  size_t number_ = 0;
};

std::string_view TrimSpace(std::string_view s);
bool IsSpaceChar(char c);

// Parses a decimal number (optional sign, digits, point, exponent, also
// inf/nan) at the start of `s`, advancing it. False when none is there.
bool ScanNumber(std::string_view& s, double& value);
// The whole of `s` (trimmed) as one number.
bool ParseWholeNumber(std::string_view s, double& value);
// A table's cell as one number: also with the Unicode minus sign (U+2212)
// and, when `decimalComma`, a comma for the decimal point.
bool ParseCellNumber(std::string_view s, bool decimalComma, double& value);

// ASCII lower case of `s`.
std::string AsciiLower(std::string_view s);

// Gain in dB and phase in degrees of re + j·im.
void ComplexToGainPhase(double re, double im, double& gainDb, double& phaseDeg);

// Whether a point can be drawn: positive finite frequency, gain and phase
// finite in float.
bool IsUsablePoint(const TracePoint& p);

}  // namespace fernplot
