// SPDX-License-Identifier: MIT
#pragma once
// A rational model fitted to a sweep's complex response:
//   H(f) = gain · Π(j·f − z) / Π(j·f − p) · e^{−j·2π·f·τ}
// with poles p and zeros z in Hz (s/2π) and a pure delay τ >= 0.
//
// The poles come from relaxed vector fitting: starting from lightly damped
// pairs spread over the band, each pass solves one linear least-squares
// problem for a weighting function σ(s) that shares the poles with σ(s)·H(s),
// and the zeros of σ become the next poles. Rows are weighted by 1/|H| so that
// the error is relative, as a dB error is, and every decade counts. A pole that
// lands in the right half-plane is reflected into the left one; conjugate
// pairs are carried in real arithmetic. A last solve gives the residues and
// the constant, from which the zeros follow.

#include <complex>
#include <optional>
#include <span>
#include <string>
#include <vector>

#include "analysis/sweep_points.h"
#include "text/ui_text.h"

namespace fernplot {

inline constexpr int kMaxFitOrder = 20;

struct FitOptions {
  // The number of poles, 1 to kMaxFitOrder; empty chooses it (see FitSweep).
  std::optional<int> order;
  bool delay = false;  // also fit a pure delay; without it τ = 0
};

enum class SectionKind { kPolePair, kPole, kZeroPair, kZero };

// One factor of the model: a conjugate pair with its f0 = |p| and
// Q = |p| / (−2·Re p), or a real root with its corner frequency |p|.
struct FitSection {
  SectionKind kind = SectionKind::kPole;
  double frequency = 0.0;  // Hz: f0 of a pair, the corner of a real root
  double q = 0.0;          // pairs only
};

struct FitModel {
  // Both members of each conjugate pair (positive imaginary part first),
  // in ascending |p|; real roots have an imaginary part of exactly 0.
  std::vector<std::complex<double>> poles;  // Hz
  std::vector<std::complex<double>> zeros;  // Hz
  double gain = 0.0;
  double delay = 0.0;                // seconds
  std::vector<FitSection> sections;  // poles first, then zeros, each ascending
  double rmsErrorDb = 0.0;           // of the model against the points
  double rmsErrorDeg = 0.0;
  double relativeRms = 0.0;  // RMS of |H − L| / |L|
};

struct FitResult {
  std::optional<FitModel> model;
  // Why there is no model, in the source language: `errorText` (marked with
  // FERNPLOT_TEXT("Fit", ...)) with `errorArgs` put in for %1, %2, ...
  std::string error;
  const char* errorText = nullptr;
  std::vector<std::string> errorArgs;
};

// Why `result` has no model, in the language of `translator` (none: the
// source text).
std::string FitErrorMessage(const FitResult& result, const TextTranslator* translator);

// Fits the usable points `points`. With no order given, orders are tried from
// 1 upwards and the first is kept whose error neither of the next two orders
// improves by more than 10 % (a pair of poles may need two orders more), or
// which lies within 1.5 times the noise floor
// (RelativeNoiseFloor). The error compared is the RMS of |ln(H/L)| (ln of the
// gain ratio and the phase in radians), which equals the relative error near
// a good fit and does not saturate far from one. Fails when there are no
// points or fewer than the model's unknowns (2·order + 1, one more with the
// delay).
FitResult FitSweep(std::span<const UsablePoint> points, const FitOptions& options);

// The model's response at `frequency` (Hz).
std::complex<double> EvaluateModel(const FitModel& model, double frequency);

// The noise floor of `points` as a relative error: the scatter of each point
// about the cubic through its two neighbours on either side (in log
// frequency), corrected for the neighbours' own noise, as the RMS the median
// stands for. 0 with fewer than five points.
double RelativeNoiseFloor(std::span<const UsablePoint> points);

}  // namespace fernplot
