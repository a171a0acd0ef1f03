// SPDX-License-Identifier: MIT
#pragma once
// An impedance spectrum as the fits take it: ascending frequencies in Hz and
// the complex impedance in ohms at each, optionally restricted to a band.

#include <complex>
#include <optional>
#include <span>
#include <string>
#include <vector>

namespace fernplot {

struct ImpedanceSpectrum {
  std::vector<double> frequency;                // Hz, ascending
  std::vector<std::complex<double>> impedance;  // ohms
};

// The points of `frequency`/`impedance` with fmin <= f <= fmax (a bound not
// given does not restrict). `error` is set, and the spectrum empty, when the
// two do not have the same length, a frequency is not finite and positive
// or smaller than the one before it, or an impedance is not finite.
struct SpectrumSelection {
  ImpedanceSpectrum spectrum;
  std::string error;
};
SpectrumSelection SelectSpectrum(std::span<const double> frequency,
                                 std::span<const std::complex<double>> impedance,
                                 std::optional<double> fmin, std::optional<double> fmax);

}  // namespace fernplot
