// SPDX-License-Identifier: MIT
#include "analysis/impedance/impedance_points.h"

#include <cmath>

namespace fernplot {

SpectrumSelection SelectSpectrum(std::span<const double> frequency,
                                 std::span<const std::complex<double>> impedance,
                                 std::optional<double> fmin, std::optional<double> fmax) {
  SpectrumSelection out;
  if (frequency.size() != impedance.size()) {
    out.error = "as many impedances as frequencies expected";
    return out;
  }
  for (size_t i = 0; i < frequency.size(); ++i) {
    const double f = frequency[i];
    if (!std::isfinite(f) || f <= 0.0 || (i > 0 && f < frequency[i - 1])) {
      out.error = "frequencies must be positive and ascending";
      out.spectrum = {};
      return out;
    }
    if (!std::isfinite(impedance[i].real()) || !std::isfinite(impedance[i].imag())) {
      out.error = "impedance at " + std::to_string(f) + " Hz is not a number";
      out.spectrum = {};
      return out;
    }
    if ((fmin && f < *fmin) || (fmax && f > *fmax)) continue;
    out.spectrum.frequency.push_back(f);
    out.spectrum.impedance.push_back(impedance[i]);
  }
  return out;
}

}  // namespace fernplot
