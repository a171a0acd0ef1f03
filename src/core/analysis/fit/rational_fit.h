// SPDX-License-Identifier: MIT
#pragma once
// The numerical core of the model fit, shared by its parts: vector fitting of
// a fixed number of poles to samples of a response, the residues over fixed
// poles, the zeros of the result and its errors. FitSweep (vector_fit.h)
// chooses the order and the delay and turns the result into a FitModel.

#include <Eigen/Dense>
#include <complex>
#include <optional>
#include <span>
#include <vector>

#include "analysis/fit/vector_fit.h"

namespace fernplot::fit {

using Complex = std::complex<double>;

// The sweep in the fit's own units: frequencies divided by the band's
// geometric centre, so that the poles of a sweep over many decades stay near
// 1 and the least-squares columns keep comparable sizes.
struct Sample {
  double x = 0.0;  // f / scale
  Complex h;       // the response, with any delay taken out
};

// Poles in the fit's units: a real pole has an imaginary part of exactly 0,
// a conjugate pair is held once by its member above the real axis.
using Poles = std::vector<Complex>;

// The residues (partial-fraction coefficients) and constant of a response
// over fixed poles.
struct Rational {
  Poles poles;
  Eigen::VectorXd c;
  double d = 0.0;
};

// The points as samples, the delay `delay` (seconds) taken out of the phase.
std::vector<Sample> Samples(std::span<const UsablePoint> points, double scale, double delay);

// At most `count` of `items`, evenly thinned, the first and last kept.
template <class T>
std::vector<T> Thinned(std::span<const T> items, size_t count) {
  if (items.size() <= count || count < 2) return {items.begin(), items.end()};
  const size_t stride = (items.size() + count - 2) / (count - 1);
  std::vector<T> out;
  for (size_t k = 0; k < items.size(); k += stride) out.push_back(items[k]);
  if ((items.size() - 1) % stride) out.push_back(items.back());
  return out;
}

// Vector fitting of `samples` with `order` poles; nothing when a solve fails.
std::optional<Rational> FitOrder(std::span<const Sample> samples, int order);
// The residues and constant of `samples` over `poles`.
std::optional<Rational> SolveResidues(std::span<const Sample> samples, const Poles& poles);

// The RMS of |H − L| / |L| over the samples.
double RelativeRms(std::span<const Sample> samples, const Rational& r);
// The RMS of |log(H / L)|: ln of the gain ratio and the phase difference in
// radians. Near a good fit it equals the relative error; far from one it does
// not saturate, so a model of too low an order that misses a slope by decades
// still tells how far off it is.
double LogRms(std::span<const Sample> samples, const Rational& r);

// The finite zeros of the rational function (the upper member of each pair).
std::optional<Poles> Zeros(const Rational& r);

// Roots in Hz with both members of each pair, ascending |p|.
std::vector<Complex> BothMembers(const Poles& roots, double scale);
// The sections of the roots (each pair once), appended to `out`.
void AddSections(const std::vector<Complex>& roots, bool zeros, std::vector<FitSection>& out);
// The real gain that best fits `points` (relative error) with the roots fixed.
double BestGain(std::span<const UsablePoint> points, const FitModel& model);
// The model's RMS errors against `points` (dB, degrees, relative).
void MeasureErrors(std::span<const UsablePoint> points, FitModel& model);

}  // namespace fernplot::fit
