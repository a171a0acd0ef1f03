// SPDX-License-Identifier: MIT
#include "analysis/impedance/circuit_problem.h"

#include <algorithm>
#include <cmath>
#include <numbers>

namespace fernplot {

namespace {

// A part of Z smaller than this share of |Z| is weighted as if it were
// that share, so that a zero crossing of Re or Im cannot take the whole
// proportional fit.
constexpr double kProportionalFloor = 1e-3;

}  // namespace

CircuitProblem::CircuitProblem(const Circuit& circuit, const ImpedanceSpectrum& spectrum,
                               CircuitWeight weight, std::vector<double> values,
                               std::vector<bool> fixed)
    : circuit_(circuit), spectrum_(spectrum), values_(std::move(values)) {
  const size_t n = spectrum.frequency.size();
  omega_.resize(n);
  weightRe_.resize(n);
  weightIm_.resize(n);
  for (size_t i = 0; i < n; ++i) {
    omega_[i] = 2.0 * std::numbers::pi * spectrum.frequency[i];
    const std::complex<double> z = spectrum.impedance[i];
    const double m = std::abs(z);
    switch (weight) {
      case CircuitWeight::kModulus:
        weightRe_[i] = weightIm_[i] = m > 0.0 ? 1.0 / m : 1.0;
        break;
      case CircuitWeight::kUnit:
        weightRe_[i] = weightIm_[i] = 1.0;
        break;
      case CircuitWeight::kProportional: {
        const double floor = kProportionalFloor * m;
        const double re = std::max(std::abs(z.real()), floor);
        const double im = std::max(std::abs(z.imag()), floor);
        weightRe_[i] = re > 0.0 ? 1.0 / re : 1.0;
        weightIm_[i] = im > 0.0 ? 1.0 / im : 1.0;
        break;
      }
    }
  }
  for (size_t k = 0; k < values_.size(); ++k) {
    if (k >= fixed.size() || !fixed[k]) free_.push_back(static_cast<int>(k));
  }
  scratch_.resize(values_.size());
  derivatives_.resize(values_.size());
}

std::vector<double> CircuitProblem::ToVariables(std::span<const double> values) const {
  std::vector<double> out;
  for (const int k : free_) {
    const double v = values[static_cast<size_t>(k)];
    out.push_back(circuit_.parameters()[static_cast<size_t>(k)].range == ParameterRange::kExponent
                      ? std::asin(std::sqrt(std::clamp(v, 0.0, 1.0)))
                      : std::log(v));
  }
  return out;
}

std::vector<double> CircuitProblem::ToValues(std::span<const double> variables) const {
  std::vector<double> out = values_;
  for (size_t j = 0; j < free_.size(); ++j) {
    const auto k = static_cast<size_t>(free_[j]);
    const double u = variables[j];
    if (circuit_.parameters()[k].range == ParameterRange::kExponent) {
      const double s = std::sin(u);
      out[k] = s * s;
    } else {
      out[k] = std::exp(u);
    }
  }
  return out;
}

void CircuitProblem::Evaluate(std::span<const double> variables, std::span<double> residuals,
                              double* jacobian, bool rowMajor, bool physical) const {
  std::vector<double>& values = scratch_;
  values = values_;
  // d value / d variable, or the value itself for the physical columns
  // (which scales them alike without the change of variables).
  double chain[64];
  std::vector<double> chainLarge;
  double* scale = chain;
  if (free_.size() > 64) {
    chainLarge.resize(free_.size());
    scale = chainLarge.data();
  }
  for (size_t j = 0; j < free_.size(); ++j) {
    const auto k = static_cast<size_t>(free_[j]);
    const double u = variables[j];
    if (circuit_.parameters()[k].range == ParameterRange::kExponent) {
      const double s = std::sin(u);
      values[k] = s * s;
      scale[j] = physical ? values[k] : std::sin(2.0 * u);
    } else {
      values[k] = std::exp(u);
      scale[j] = values[k];
    }
  }
  const size_t n = omega_.size();
  const size_t rows = 2 * n;
  const size_t columns = free_.size();
  for (size_t i = 0; i < n; ++i) {
    std::complex<double> z;
    if (jacobian) {
      z = circuit_.Impedance(omega_[i], values, derivatives_);
    } else {
      z = circuit_.Impedance(omega_[i], values);
    }
    const std::complex<double> r = z - spectrum_.impedance[i];
    residuals[i] = r.real() * weightRe_[i];
    residuals[n + i] = r.imag() * weightIm_[i];
    if (!jacobian) continue;
    for (size_t j = 0; j < columns; ++j) {
      const std::complex<double> d = derivatives_[static_cast<size_t>(free_[j])] * scale[j];
      const double re = d.real() * weightRe_[i];
      const double im = d.imag() * weightIm_[i];
      if (rowMajor) {
        jacobian[i * columns + j] = re;
        jacobian[(n + i) * columns + j] = im;
      } else {
        jacobian[j * rows + i] = re;
        jacobian[j * rows + n + i] = im;
      }
    }
  }
}

}  // namespace fernplot
