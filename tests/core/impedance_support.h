// SPDX-License-Identifier: MIT
#pragma once
// Synthetic impedance spectra for the circuit and Kramers–Kronig tests.

#include <cmath>
#include <complex>
#include <numbers>
#include <random>
#include <string>
#include <vector>

#include "analysis/impedance/circuit.h"

namespace fernplot::testing_impedance {

struct Spectrum {
  std::vector<double> f;
  std::vector<std::complex<double>> z;
};

inline std::vector<double> LogFrequencies(double f0, double f1, int count) {
  std::vector<double> out;
  for (int k = 0; k < count; ++k)
    out.push_back(f0 * std::pow(f1 / f0, static_cast<double>(k) / (count - 1)));
  return out;
}

// The circuit `text` with `values` over `count` log-spaced points from f0 to
// f1, each point times (1 + noise·(g1 + j·g2)) with Gaussian g of a fixed
// seed.
inline Spectrum Synthetic(const std::string& text, const std::vector<double>& values, double f0,
                          double f1, int count, double noise = 0.0, unsigned seed = 4242) {
  const Circuit circuit = *ParseCircuit(text).circuit;
  std::mt19937 random(seed);
  std::normal_distribution<double> gauss(0.0, 1.0);
  Spectrum s;
  s.f = LogFrequencies(f0, f1, count);
  for (const double f : s.f) {
    const std::complex<double> z = circuit.Impedance(2.0 * std::numbers::pi * f, values);
    const double a = gauss(random), b = gauss(random);
    s.z.push_back(z * std::complex<double>(1.0 + noise * a, noise * b));
  }
  return s;
}

}  // namespace fernplot::testing_impedance
