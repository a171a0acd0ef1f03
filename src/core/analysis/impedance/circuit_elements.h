// SPDX-License-Identifier: MIT
#pragma once
// The elements of an equivalent circuit and their impedances, with the
// derivatives a least-squares fit needs. ω is the angular frequency (rad/s).

#include <complex>
#include <span>
#include <string_view>

namespace fernplot {

enum class ElementKind {
  kR,    // R: Z = R
  kC,    // C: Z = 1/(jωC)
  kL,    // L: Z = jωL
  kCpe,  // Q, α: Z = 1/(Q·(jω)^α)
  kW,    // Aw: Z = Aw·(1−j)/√ω (semi-infinite diffusion)
  kWo,   // Z0, τ: Z = Z0·coth(√(jωτ))/√(jωτ) (finite diffusion, open end)
  kWs,   // Z0, τ: Z = Z0·tanh(√(jωτ))/√(jωτ) (finite diffusion, short end)
  kG,    // R, t: Z = R/√(1+jωt) (Gerischer)
};

// How a parameter is kept physical in a fit.
enum class ParameterRange {
  kPositive,  // > 0
  kExponent,  // 0 < α <= 1
};

// The code written in a circuit string: "R", "CPE", "Wo", ...
std::string_view ElementCode(ElementKind kind);
// 1 or 2.
int ElementParameterCount(ElementKind kind);
// The unit of parameter `index` (0 or 1): "Ohm", "F", "s", "" for α, ...
std::string_view ElementParameterUnit(ElementKind kind, int index);
ParameterRange ElementParameterRange(ElementKind kind, int index);

// The element's impedance at `omega` for its parameters `values`
// (ElementParameterCount of them); with `derivatives` (as many), also
// dZ/d value. Sound for every positive ω and parameter: the diffusion
// elements' coth and tanh are computed from e^(−2x), which cannot overflow,
// and from their series near x = 0, where that form loses digits.
std::complex<double> ElementImpedance(ElementKind kind, double omega,
                                      std::span<const double> values,
                                      std::span<std::complex<double>> derivatives = {});

}  // namespace fernplot
