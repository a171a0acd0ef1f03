// SPDX-License-Identifier: MIT
#pragma once
// The number an option's value is: the whole text, finite ("+2" taken as 2).

#include <charconv>
#include <cmath>
#include <optional>
#include <string>
#include <string_view>

namespace fernplot {

inline std::optional<double> ParseOptionNumber(const std::string& text) {
  std::string_view v(text);
  if (v.size() > 1 && v[0] == '+' && v[1] != '-') v.remove_prefix(1);
  double x = 0.0;
  const auto [end, ec] = std::from_chars(v.data(), v.data() + v.size(), x);
  if (v.empty() || ec != std::errc() || end != v.data() + v.size() || !std::isfinite(x)) {
    return std::nullopt;
  }
  return x;
}

}  // namespace fernplot
