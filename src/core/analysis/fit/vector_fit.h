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
#include <functional>
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
  // Only the points from fmin to fmax (Hz, both included) are fitted; an
  // empty end is the sweep's.
  std::optional<double> fmin;
  std::optional<double> fmax;
  bool operator==(const FitOptions&) const = default;
};

// Lets a caller follow a long fit and stop it: `step` is called now and then
// with the share done (0 to 1), on the thread that fits, and a false answer
// ends the fit without a model (FitResult::cancelled).
struct FitMonitor {
  std::function<bool(double done)> step;
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
  // The frequencies of the first and last point fitted.
  double fittedFrom = 0.0;  // Hz
  double fittedTo = 0.0;    // Hz
};

// The model's gain in dB at the lowest frequency fitted, and its DC gain in
// dB (empty when H(0) is 0 or infinite: a zero or a pole at the origin) with
// whether H(0) is negative (the response inverted at DC). The coefficient
// `gain` alone says nothing an engineer reads: it carries the units of the
// poles and zeros.
struct ModelGains {
  double lowestDb = 0.0;
  double lowestHz = 0.0;
  std::optional<double> dcDb;
  bool dcInverted = false;
};
ModelGains GainsOfModel(const FitModel& model);

struct FitResult {
  std::optional<FitModel> model;
  // Why there is no model, in the source language: `errorText` (marked with
  // FERNPLOT_TEXT("Fit", ...)) with `errorArgs` put in for %1, %2, ...
  std::string error;
  const char* errorText = nullptr;
  std::vector<std::string> errorArgs;
  bool cancelled = false;  // stopped through FitMonitor::step
};

// Why `result` has no model, in the language of `translator` (none: the
// source text).
std::string FitErrorMessage(const FitResult& result, const TextTranslator* translator);

// Fits the usable points `points` (those within the options' range). With no
// order given, orders 1 to kMaxFitOrder (as many as the points allow) are
// fitted and the lowest is kept whose error is within 1.5 times the best of
// them or within 1.5 times the noise floor (RelativeNoiseFloor): a filter's
// stop band may need many more poles than its pass band suggests, and an
// order that merely levels off for a while is no reason to stop. The error
// compared is the RMS of |ln(H/L)| (ln of the gain ratio and the phase in
// radians), which equals the relative error near a good fit and does not
// saturate far from one. Zeros outside the band fitted (and, with the order
// chosen, poles there) are left out when the error without them is higher by
// no more than the noise. Fails when there are no points or fewer than the
// model's unknowns (2·order + 1, one more with the delay).
FitResult FitSweep(std::span<const UsablePoint> points, const FitOptions& options,
                   const FitMonitor* monitor = nullptr);

// The model's response at `frequency` (Hz).
std::complex<double> EvaluateModel(const FitModel& model, double frequency);

// The noise floor of `points` as a relative error: the scatter of each point
// about the cubic through its two neighbours on either side (in log
// frequency), corrected for the neighbours' own noise, as the RMS the median
// stands for. 0 with fewer than five points.
double RelativeNoiseFloor(std::span<const UsablePoint> points);

}  // namespace fernplot
