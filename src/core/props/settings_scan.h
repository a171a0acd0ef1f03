// SPDX-License-Identifier: MIT
#pragma once
// A small formatted-input matcher for the settings file's line patterns, with
// the conventions of scanf: literal characters match exactly, a blank matches
// any run of white space (also none), %d reads a decimal integer, %f a
// number in float precision, %s a run of non-blank characters and %[^\n] the
// rest of the line (at least one character). Conversions other than %[^\n]
// skip leading white space.

#include <cstdint>
#include <string>
#include <string_view>
#include <vector>

namespace fernplot {

struct ScanField {
  int32_t integer = 0;  // %d
  float number = 0.0f;  // %f
  std::string text;     // %s, %[^\n]
};

// Matches `line` (without its line end) against `pattern`. Returns true only
// when every conversion of the pattern was filled; `fields` then holds them
// in order.
bool ScanLine(std::string_view line, std::string_view pattern, std::vector<ScanField>& fields);

}  // namespace fernplot
