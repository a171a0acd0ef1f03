// SPDX-License-Identifier: MIT
#pragma once
// Fitting an equivalent circuit to an impedance spectrum by nonlinear least
// squares (Levenberg–Marquardt). Parameters stay physical throughout: the
// positive ones are fitted as their logarithms, α as sin²u. Starting values
// not given are derived from the spectrum (circuit_start.h), and several
// candidates are tried.

#include <complex>
#include <optional>
#include <span>
#include <string>
#include <string_view>
#include <vector>

#include "analysis/impedance/circuit.h"

namespace fernplot {

// How each residual Ẑ − Z is divided before it is squared.
enum class CircuitWeight {
  kModulus,       // both parts by |Z|: every decade counts alike
  kUnit,          // not at all: least squares on Re and Im in ohms
  kProportional,  // Re by |Re Z|, Im by |Im Z|
};

// "modulus", "unit", "proportional".
std::string_view CircuitWeightName(CircuitWeight weight);
std::optional<CircuitWeight> ParseCircuitWeight(std::string_view name);

// A starting value for one parameter, and whether it stays there.
struct InitialValue {
  std::string name;             // "R0", "Wo1_1"
  std::optional<double> value;  // none: chosen automatically
  bool fixed = false;
};

struct CircuitFitOptions {
  CircuitWeight weight = CircuitWeight::kModulus;
  std::optional<double> fmin;  // Hz, inclusive
  std::optional<double> fmax;
  std::vector<InitialValue> initial;
  // Multi-start search for the global optimum within `globalSeconds`.
  bool global = false;
  double globalSeconds = 2.0;
  // The solver's stop: relative change of the cost per iteration.
  double costTolerance = 1e-10;
  int maxIterations = 400;
};

struct FittedParameter {
  std::string name;
  std::string unit;
  double value = 0.0;
  // √([(JᵀJ)⁻¹]_kk · chiSquare/(2N − P)), J the Jacobian of the weighted
  // residuals over the P free parameters. None for a fixed parameter, and
  // for a free one whose error is not finite or exceeds its value.
  std::optional<double> stdError;
  bool fixed = false;
  // Free, and without a standard error: the data do not determine it.
  bool Undetermined() const { return !fixed && !stdError; }
};

struct CircuitFitResult {
  std::string error;  // empty when the fit ran
  std::string circuit;
  CircuitWeight weight = CircuitWeight::kModulus;
  int points = 0;  // N, inside the band
  std::vector<FittedParameter> parameters;
  double rmsRelative = 0.0;  // √(Σ|Zᵢ−Ẑᵢ|²/|Zᵢ|² / N)
  double rmsOhm = 0.0;       // √(Σ|Zᵢ−Ẑᵢ|² / N)
  double chiSquare = 0.0;    // the sum of the squared weighted residuals
  // The solver stopped because the cost no longer changed (relative change
  // below the tolerance, or a step too small to change it), not on the
  // iteration limit.
  bool converged = false;
  int iterations = 0;  // of the run whose result is kept
  int starts = 0;      // local fits run
  // Which of them (from 1) first reached the kept optimum (within 1e-9 of
  // its χ²), and when.
  int bestStart = 0;
  double seconds = 0.0;
  double secondsToBest = 0.0;
  bool ok() const { return error.empty(); }
  // The fitted values, one per parameter in the circuit's order.
  std::vector<double> Values() const;
};

// Fits `circuit` to the spectrum (ascending frequencies in Hz, impedances in
// ohms). Fails (with `error`) on a bad spectrum, fewer real values than
// free parameters (2N < P), an initial value naming no parameter of the
// circuit or outside its parameter's range (> 0; α in (0, 1]).
CircuitFitResult FitCircuit(const Circuit& circuit, std::span<const double> frequency,
                            std::span<const std::complex<double>> impedance,
                            const CircuitFitOptions& options);

// Reads "NAME=VALUE,NAME=VALUE" into free initial values, checked against
// `circuit` as FitCircuit checks them; the error names the entry.
struct InitialValuesParse {
  std::vector<InitialValue> values;
  std::string error;
};
InitialValuesParse ParseInitialValues(std::string_view text, const Circuit& circuit);

// The error of `values` for `circuit`, empty when every entry names a
// parameter once with a value in its range.
std::string CheckInitialValues(std::span<const InitialValue> values, const Circuit& circuit);

}  // namespace fernplot
