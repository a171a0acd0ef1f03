// SPDX-License-Identifier: MIT
#pragma once
// Locale-independent number texts. printf's %f follows LC_NUMERIC, which a Qt
// program sets from the environment; files must always get a full stop.

#include <optional>
#include <string>
#include <string_view>

namespace fernplot {

// Like printf("%*.*f", width, decimals, value) in the "C" locale, or
// "%+*.*f" with `plusSign`. Non-finite values print as printf prints them:
// "inf", "-inf", "nan", "-nan".
std::string FormatFixedPoint(double value, int decimals, int width = 0, bool plusSign = false);
// Like printf("%.*e", decimals, value) in the "C" locale ("1.50000e-03").
std::string FormatExponent(double value, int decimals);
// Like printf("%.*g", digits, value) in the "C" locale (17 digits round-trip
// a double exactly, 9 a float).
std::string FormatGeneral(double value, int digits);

// A plain decimal number as a person types one ("12.5", "+3", "1e-3"), the
// whole text and nothing else; nothing unless finite.
std::optional<double> PlainNumber(std::string_view text);

}  // namespace fernplot
