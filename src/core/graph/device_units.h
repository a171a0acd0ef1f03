// SPDX-License-Identifier: MIT
#pragma once
// Converting a millimetre or pixel value to a whole device unit. Values come
// from settings a user may have edited by hand, so a conversion must not
// overflow: anything past the range (or not a number) is pinned to a bound
// that still leaves room for the offsets and sums drawing adds to it.

#include <cmath>
#include <cstdint>

namespace fernplot {

inline constexpr double kDeviceUnitLimit = 1e9;

// trunc(value), pinned to ±kDeviceUnitLimit; NaN gives 0.
inline int32_t TruncToDevice(double value) {
  if (std::isnan(value)) return 0;
  if (value >= kDeviceUnitLimit) return static_cast<int32_t>(kDeviceUnitLimit);
  if (value <= -kDeviceUnitLimit) return -static_cast<int32_t>(kDeviceUnitLimit);
  return static_cast<int32_t>(value);
}

}  // namespace fernplot
