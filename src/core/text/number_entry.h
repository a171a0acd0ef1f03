// SPDX-License-Identifier: MIT
#pragma once
// Number texts of the axis pages: plain numbers for lengths, margins and the
// vertical axes, frequencies with an engineering multiplier for the
// frequency axis. Qt-free so the rules can be tested on their own.

#include <limits>
#include <string>

namespace fernplot {

// What the parsers return for text that is not a number. Callers compare
// with it, so a typed value equal to it is refused as well.
inline constexpr double kInvalidEntry = std::numeric_limits<double>::epsilon();

inline bool IsInvalidEntry(double value) {
  return value == kInvalidEntry;
}

// Trims trailing white space from `text` (in place), then reads a decimal
// number the way strtod does in the "C" locale (no hexadecimal forms).
// Anything after the number makes the text invalid; empty text reads as 0.
// Infinite and NaN results are invalid too.
double ParseNumber(std::string& text);

// Like ParseNumber, but the one character after the number may be a
// multiplier: k or K (1e3), m (1e-3), M (1e6), G (1e9). Characters after the
// multiplier are not looked at ("10kHz" is 10000).
double ParseFrequency(std::string& text);

// Frequency text for an entry box, always to 0.0001 Hz: "500.0m",
// "100.0000", "10.0000000k", "2.0000000000M", "1.0000000000000G".
std::string FormatFrequencyEntry(double value);

// printf("%g") in the "C" locale: six significant digits.
std::string FormatEntryG(double value);

}  // namespace fernplot
