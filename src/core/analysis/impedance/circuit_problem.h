// SPDX-License-Identifier: MIT
#pragma once
// The least-squares problem of a circuit fit, in the solver's variables:
// log p for a positive parameter, u with α = sin²u for an exponent (both
// keep the parameter in its range whatever the solver tries; sin² reaches
// α = 1, which an ideal capacitor needs). Only free parameters are
// variables. The residuals are the real parts of (Ẑᵢ − Zᵢ)/wᵢ, then the
// imaginary parts.

#include <complex>
#include <span>
#include <vector>

#include "analysis/impedance/circuit.h"
#include "analysis/impedance/circuit_fit.h"
#include "analysis/impedance/impedance_points.h"

namespace fernplot {

class CircuitProblem {
 public:
  // `values` (one per parameter) gives the fixed parameters their values.
  CircuitProblem(const Circuit& circuit, const ImpedanceSpectrum& spectrum, CircuitWeight weight,
                 std::vector<double> values, std::vector<bool> fixed);

  int Residuals() const { return 2 * static_cast<int>(omega_.size()); }
  int Variables() const { return static_cast<int>(free_.size()); }

  // The variables for `values` (one per parameter), and back.
  std::vector<double> ToVariables(std::span<const double> values) const;
  std::vector<double> ToValues(std::span<const double> variables) const;

  // The residuals at `variables`, and with `jacobian` their derivatives:
  // Residuals() × Variables(), column after column (or row after row with
  // `rowMajor`). With `physical`, the derivatives are by the parameters
  // themselves, each column times its parameter's value (what the standard
  // errors are computed from), instead of by the variables.
  void Evaluate(std::span<const double> variables, std::span<double> residuals,
                double* jacobian = nullptr, bool rowMajor = false, bool physical = false) const;

  const ImpedanceSpectrum& spectrum() const { return spectrum_; }

 private:
  const Circuit& circuit_;
  const ImpedanceSpectrum& spectrum_;
  std::vector<double> omega_;
  std::vector<double> weightRe_, weightIm_;  // 1/w
  std::vector<double> values_;
  std::vector<int> free_;  // parameter index of each variable
  mutable std::vector<double> scratch_;
  mutable std::vector<std::complex<double>> derivatives_;
};

}  // namespace fernplot
