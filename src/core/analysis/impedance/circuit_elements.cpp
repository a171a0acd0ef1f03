// SPDX-License-Identifier: MIT
#include "analysis/impedance/circuit_elements.h"

#include <cmath>
#include <numbers>

namespace fernplot {

namespace {

using Complex = std::complex<double>;
constexpr Complex kJ(0.0, 1.0);

// Below this |x| = |√(jωτ)| the diffusion elements use their series: the
// closed forms subtract nearly equal numbers there.
constexpr double kSeriesBelow = 0.01;

// Z/Z0 and τ/Z0 · dZ/dτ of the open-ended element, coth(x)/x with x² = y.
void OpenDiffusion(Complex y, Complex& value, Complex& tauDerivative) {
  const Complex x = std::sqrt(y);
  if (std::abs(x) < kSeriesBelow) {
    // coth(x)/x = 1/y + 1/3 − y/45 + 2y²/945 − y³/4725 + ...
    value = 1.0 / y + 1.0 / 3.0 - y / 45.0 + 2.0 * y * y / 945.0 - y * y * y / 4725.0;
    tauDerivative = -1.0 / y - y / 45.0 + 4.0 * y * y / 945.0 - 3.0 * y * y * y / 4725.0;
    return;
  }
  // Re x > 0, so |e^(−2x)| < 1.
  const Complex e = std::exp(-2.0 * x);
  const Complex coth = (1.0 + e) / (1.0 - e);
  const Complex csch2 = 4.0 * e / ((1.0 - e) * (1.0 - e));
  value = coth / x;
  // τ·d/dτ = (x/2)·d/dx, and d/dx (coth x / x) = −(x·csch²x + coth x)/x².
  tauDerivative = -(x * csch2 + coth) / (2.0 * x);
}

// The same for the short-ended element, tanh(x)/x.
void ShortDiffusion(Complex y, Complex& value, Complex& tauDerivative) {
  const Complex x = std::sqrt(y);
  if (std::abs(x) < kSeriesBelow) {
    // tanh(x)/x = 1 − y/3 + 2y²/15 − 17y³/315 + ...
    value = 1.0 - y / 3.0 + 2.0 * y * y / 15.0 - 17.0 * y * y * y / 315.0;
    tauDerivative = -y / 3.0 + 4.0 * y * y / 15.0 - 51.0 * y * y * y / 315.0;
    return;
  }
  const Complex e = std::exp(-2.0 * x);
  const Complex tanh = (1.0 - e) / (1.0 + e);
  const Complex sech2 = 4.0 * e / ((1.0 + e) * (1.0 + e));
  value = tanh / x;
  tauDerivative = (x * sech2 - tanh) / (2.0 * x);
}

}  // namespace

std::string_view ElementCode(ElementKind kind) {
  switch (kind) {
    case ElementKind::kR:
      return "R";
    case ElementKind::kC:
      return "C";
    case ElementKind::kL:
      return "L";
    case ElementKind::kCpe:
      return "CPE";
    case ElementKind::kW:
      return "W";
    case ElementKind::kWo:
      return "Wo";
    case ElementKind::kWs:
      return "Ws";
    case ElementKind::kG:
      return "G";
  }
  return "";
}

int ElementParameterCount(ElementKind kind) {
  switch (kind) {
    case ElementKind::kCpe:
    case ElementKind::kWo:
    case ElementKind::kWs:
    case ElementKind::kG:
      return 2;
    default:
      return 1;
  }
}

std::string_view ElementParameterUnit(ElementKind kind, int index) {
  switch (kind) {
    case ElementKind::kR:
      return "Ohm";
    case ElementKind::kC:
      return "F";
    case ElementKind::kL:
      return "H";
    case ElementKind::kCpe:
      return index == 0 ? "Ohm^-1 s^a" : "";
    case ElementKind::kW:
      return "Ohm s^-1/2";
    case ElementKind::kWo:
    case ElementKind::kWs:
    case ElementKind::kG:
      return index == 0 ? "Ohm" : "s";
  }
  return "";
}

ParameterRange ElementParameterRange(ElementKind kind, int index) {
  return kind == ElementKind::kCpe && index == 1 ? ParameterRange::kExponent
                                                 : ParameterRange::kPositive;
}

std::complex<double> ElementImpedance(ElementKind kind, double omega,
                                      std::span<const double> values,
                                      std::span<std::complex<double>> derivatives) {
  const bool wanted = !derivatives.empty();
  const double a = values[0];
  Complex z;
  switch (kind) {
    case ElementKind::kR:
      z = a;
      if (wanted) derivatives[0] = 1.0;
      break;
    case ElementKind::kC:
      z = 1.0 / Complex(0.0, omega * a);
      if (wanted) derivatives[0] = -z / a;
      break;
    case ElementKind::kL:
      z = Complex(0.0, omega * a);
      if (wanted) derivatives[0] = Complex(0.0, omega);
      break;
    case ElementKind::kCpe: {
      const double alpha = values[1];
      // (jω)^α = ω^α·e^(jπα/2)
      z = std::polar(1.0 / (a * std::pow(omega, alpha)), -std::numbers::pi / 2.0 * alpha);
      if (wanted) {
        derivatives[0] = -z / a;
        derivatives[1] = -z * Complex(std::log(omega), std::numbers::pi / 2.0);
      }
      break;
    }
    case ElementKind::kW: {
      const Complex unit = Complex(1.0, -1.0) / std::sqrt(omega);
      z = a * unit;
      if (wanted) derivatives[0] = unit;
      break;
    }
    case ElementKind::kWo:
    case ElementKind::kWs: {
      const double tau = values[1];
      Complex value, tauDerivative;
      (kind == ElementKind::kWo ? OpenDiffusion : ShortDiffusion)(Complex(0.0, omega * tau), value,
                                                                  tauDerivative);
      z = a * value;
      if (wanted) {
        derivatives[0] = value;
        derivatives[1] = a * tauDerivative / tau;
      }
      break;
    }
    case ElementKind::kG: {
      const double t = values[1];
      const Complex inner = 1.0 + kJ * (omega * t);
      z = a / std::sqrt(inner);
      if (wanted) {
        derivatives[0] = z / a;
        derivatives[1] = -z * kJ * omega / (2.0 * inner);
      }
      break;
    }
  }
  return z;
}

}  // namespace fernplot
