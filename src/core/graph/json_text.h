// SPDX-License-Identifier: MIT
#pragma once
// Small pieces of JSON text. Numbers never depend on the locale; a value
// JSON has no number for is written as one of the strings "NaN",
// "Infinity" and "-Infinity", so that each reads back as what it was.

#include <cstdint>
#include <string>
#include <string_view>

#include "props/graph_properties.h"
#include "text/json_string.h"

namespace fernplot {

// "NaN", "Infinity" or "-Infinity", quoted, for a value that is not finite.
std::string JsonNonFinite(double value);
// 17 significant digits: reads back as the same double.
std::string JsonDouble(double value);
// 9 significant digits: reads back as the same float.
std::string JsonFloat(float value);
// The shortest text that reads back as the same double.
std::string JsonShortest(double value);
std::string JsonInt(int64_t value);
// "#rrggbb", quoted.
std::string JsonColour(Colour colour);

}  // namespace fernplot
