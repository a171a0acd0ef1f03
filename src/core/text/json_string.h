// SPDX-License-Identifier: MIT
#pragma once
// JSON string literals, shared by every JSON text the programs write.

#include <string>
#include <string_view>

namespace fernplot {

// A quoted, escaped JSON string of UTF-8 text: quote, backslash and the
// common control characters by their short escapes, other control
// characters as \u00XX; every other byte as it is.
std::string JsonString(std::string_view utf8);

}  // namespace fernplot
