// SPDX-License-Identifier: MIT
#pragma once
// The linear Kramers–Kronig test: whether a spectrum is that of a linear,
// causal, stable system, read from how well a chain of RC elements with
// fixed time constants fits it. The chain is R0, a series inductance L,
// optionally a series capacitance (entering as 1/C, so that the problem stays
// linear) and M elements R_k/(1 + jωτ_k) with τ spread evenly in log scale
// from 1/(2π f_max) to 1/(2π f_min) (one element: τ = 1/(2π f_min)). The
// values come from linear least squares with every row divided by |Zᵢ|.
// M grows from 1 until μ = 1 − Σ_{R_k<0}|R_k| / Σ_{R_k≥0}|R_k| falls to c or
// below (more elements would fit the noise) or M reaches its maximum.

#include <complex>
#include <optional>
#include <span>
#include <string>
#include <string_view>
#include <vector>

namespace fernplot {

enum class KkFit {
  kReal,     // R0 and R_k to Re Z; then L (and 1/C) to what Im Z keeps
  kImag,     // R_k, L (and 1/C) to Im Z; then R0 as the weighted mean of the rest
  kComplex,  // everything to both parts at once
};

// "real", "imag", "complex".
std::string_view KkFitName(KkFit fit);
std::optional<KkFit> ParseKkFit(std::string_view name);

struct KkOptions {
  KkFit fit = KkFit::kReal;
  bool capacitance = false;
  double c = 0.85;
  int maxM = 50;
  std::optional<double> fmin;  // Hz, inclusive
  std::optional<double> fmax;
};

struct KkResult {
  std::string error;  // empty when the test ran
  KkOptions options;
  int m = 0;
  double mu = 0.0;
  // The fitted chain.
  double r0 = 0.0;
  double inductance = 0.0;
  double inverseCapacitance = 0.0;  // 0 without the capacitance
  std::vector<double> tau;          // s
  std::vector<double> r;            // ohms
  // In ascending frequency, inside the band: (Z − Z_fit)/|Z|.
  std::vector<double> frequency;
  std::vector<double> residualsReal;
  std::vector<double> residualsImag;
  double maxResidual = 0.0;  // the largest |residual| of either part
  bool ok() const { return error.empty(); }
};

// Fails (with `error`) on a bad spectrum, maxM < 1, a c that is not a
// number, or fewer points in the band than the smallest chain has unknowns.
KkResult KramersKronigTest(std::span<const double> frequency,
                           std::span<const std::complex<double>> impedance,
                           const KkOptions& options);

// The fitted chain's impedance at `frequency` (Hz).
std::complex<double> KkImpedance(const KkResult& result, double frequency);

}  // namespace fernplot
