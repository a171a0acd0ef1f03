// SPDX-License-Identifier: MIT
#pragma once
// Text measurement enters the core through this interface so that layout can
// be computed (and tested) without a windowing library.

#include <string_view>

namespace fernplot {

struct FontEntry;

class TextMeasurer {
 public:
  virtual ~TextMeasurer() = default;
  // Width in whole pixels at 96 dpi of `utf8` drawn in `font` (angle ignored),
  // as a screen text extent would report it.
  virtual int TextWidthPx(const FontEntry& font, std::string_view utf8) = 0;
};

}  // namespace fernplot
