// SPDX-License-Identifier: MIT
#pragma once
// Small pieces of JSON text. Numbers never depend on the locale; a value
// JSON cannot hold (infinity, NaN) is written as null.

#include <cstdint>
#include <string>
#include <string_view>

#include "props/graph_properties.h"

namespace fernplot {

// A quoted, escaped JSON string of UTF-8 text.
std::string JsonString(std::string_view utf8);
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
