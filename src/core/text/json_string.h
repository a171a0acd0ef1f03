// SPDX-License-Identifier: MIT
#pragma once
// JSON string literals, shared by every JSON text the programs write.

#include <string>
#include <string_view>

namespace fernplot {

// A quoted, escaped JSON string of UTF-8 text: quote, backslash and the
// common control characters by their short escapes, other control
// characters as \u00XX; every other character as it is. The result is
// always valid UTF-8: a byte of `utf8` that starts no well-formed character
// (a file name that is not text) is written as U+FFFD.
std::string JsonString(std::string_view utf8);

// The shortest text that reads back as the same double, "-0" written as
// "0"; null for a value JSON has no number for.
std::string JsonNumberOrNull(double value);

}  // namespace fernplot
