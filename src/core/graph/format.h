// SPDX-License-Identifier: MIT
#pragma once
// Number texts shown on the graph: scale labels and instrument settings.

#include <cstddef>
#include <string>
#include <string_view>

namespace fernplot {

// Tolerance of every range decision below and of the axis rounding.
constexpr double kNearTolerance = 1e-7;

// 0 when a lies within kNearTolerance of b, else -1 (a < b) or +1 (a > b).
int CompareNear(double a, double b);

// Frequency in Hz with the suffix m, k, M or G, trailing fraction zeros cut.
// Past the prefixes (from 1000 GHz) the exponent form of
// FormatShortExponent; empty for a value that is not finite.
std::string FormatFrequency(double hz);
// Six significant digits at most in exponent form, without a '+' or leading
// zeros in the exponent: "1e30", "1.79769e308", "-2.5e-310". At most 13
// characters.
std::string FormatShortExponent(double v);
// Oscillator amplitude in V peak ("m" below 1 V).
std::string FormatAmplitude(double volts);
// DC bias in V, signed, shown as at most +-10.0.
std::string FormatBias(double volts);
// Time in seconds in exponent notation with a bare exponent ("1.00000e-3").
std::string FormatSeconds(double seconds);
// The longest name a legend or an info text shows, in CP932 bytes: a trace
// named by another program may be of any length (a megabyte), and a page
// could not be drawn or measured in time with it whole.
constexpr size_t kMaxShownNameBytes = 96;
// `name` as a page shows it: cut at a character to kMaxShownNameBytes, with
// "…" in place of what was cut.
std::string ShownName(std::string_view name);
// printf "%.*f" in the "C" locale.
std::string FormatFixed(double v, int decimals);

// printf into a std::string: only for integers and texts, whose output no
// locale changes (numbers with a fraction go through text/number_text.h).
std::string StringPrintf(const char* format, ...) __attribute__((format(printf, 1, 2)));

}  // namespace fernplot
