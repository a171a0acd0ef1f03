// SPDX-License-Identifier: MIT
#pragma once
// Known responses in the model's own form, swept as the instrument stores
// them, for the tests of the model fit.

#include <cmath>
#include <complex>
#include <initializer_list>
#include <numbers>
#include <random>
#include <vector>

#include "analysis/fit/vector_fit.h"

namespace fernplot::testing {

using Complex = std::complex<double>;

// A known response in the model's own form.
inline FitModel Known(double gain, std::vector<Complex> poles, std::vector<Complex> zeros = {},
                      double delay = 0.0) {
  FitModel m;
  m.gain = gain;
  m.poles = std::move(poles);
  m.zeros = std::move(zeros);
  m.delay = delay;
  return m;
}

// A pole pair of natural frequency f0 and quality q, both members.
inline std::vector<Complex> Pair(double f0, double q) {
  const double re = -f0 / (2.0 * q);
  const double im = std::sqrt(f0 * f0 - re * re);
  return {{re, im}, {re, -im}};
}

inline std::vector<Complex> Join(std::initializer_list<std::vector<Complex>> parts) {
  std::vector<Complex> out;
  for (const auto& p : parts) out.insert(out.end(), p.begin(), p.end());
  return out;
}

struct Noise {
  double db = 0.0;
  double deg = 0.0;
};

// `count` points from f0 to f1, log-spaced, stored as the instrument stores
// them (32-bit floats), with optional Gaussian noise of a fixed seed.
inline std::vector<UsablePoint> Sweep(const FitModel& truth, double f0, double f1, int count,
                                      Noise noise = {}) {
  std::mt19937 random(12345);
  std::normal_distribution<double> gauss(0.0, 1.0);
  std::vector<UsablePoint> out;
  double previous = 0.0;
  for (int k = 0; k < count; ++k) {
    const double f = f0 * std::pow(f1 / f0, static_cast<double>(k) / (count - 1));
    const Complex h = EvaluateModel(truth, f);
    const double gain = 20.0 * std::log10(std::abs(h)) + noise.db * gauss(random);
    double phase = std::arg(h) * 180.0 / std::numbers::pi + noise.deg * gauss(random);
    UsablePoint p;
    p.frequency = static_cast<float>(f);
    p.gain = static_cast<float>(gain);
    p.phase = static_cast<float>(WrapDegrees(phase));
    double u = p.phase;
    if (k) u += 360.0 * std::round((previous - u) / 360.0);
    p.unwrapped = u;
    previous = u;
    out.push_back(p);
  }
  return out;
}

}  // namespace fernplot::testing
