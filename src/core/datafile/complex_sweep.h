// SPDX-License-Identifier: MIT
#pragma once
// A sweep as complex values in double precision: what another program's
// file holds as read, before it is rounded to a page's float gain and
// phase, and what a page's impedance is computed in.

#include <complex>
#include <cstdint>
#include <vector>

namespace fernplot {

// What the response is: a dimensionless ratio, or an impedance in ohms.
enum class SweepQuantity : int32_t { kRatio, kImpedance };

struct ComplexSweep {
  SweepQuantity quantity = SweepQuantity::kRatio;
  std::vector<double> frequency;                // Hz, in the file's order
  std::vector<std::complex<double>> response;   // one per frequency
};

}  // namespace fernplot
