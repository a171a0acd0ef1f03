// SPDX-License-Identifier: MIT
#include <gtest/gtest.h>

#include <cctype>
#include <cmath>
#include <complex>
#include <numbers>
#include <random>
#include <string>
#include <vector>

#include "analysis/fit/model_text.h"
#include "analysis/fit/vector_fit.h"

namespace fernplot {
namespace {

using Complex = std::complex<double>;
constexpr double kPi = std::numbers::pi;

// A known response in the model's own form.
FitModel Known(double gain, std::vector<Complex> poles, std::vector<Complex> zeros = {},
               double delay = 0.0) {
  FitModel m;
  m.gain = gain;
  m.poles = std::move(poles);
  m.zeros = std::move(zeros);
  m.delay = delay;
  return m;
}

// A pole pair of natural frequency f0 and quality q, both members.
std::vector<Complex> Pair(double f0, double q) {
  const double re = -f0 / (2.0 * q);
  const double im = std::sqrt(f0 * f0 - re * re);
  return {{re, im}, {re, -im}};
}

std::vector<Complex> Join(std::initializer_list<std::vector<Complex>> parts) {
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
std::vector<UsablePoint> Sweep(const FitModel& truth, double f0, double f1, int count,
                               Noise noise = {}) {
  std::mt19937 random(12345);
  std::normal_distribution<double> gauss(0.0, 1.0);
  std::vector<UsablePoint> out;
  double previous = 0.0;
  for (int k = 0; k < count; ++k) {
    const double f = f0 * std::pow(f1 / f0, static_cast<double>(k) / (count - 1));
    const Complex h = EvaluateModel(truth, f);
    const double gain = 20.0 * std::log10(std::abs(h)) + noise.db * gauss(random);
    double phase = std::arg(h) * 180.0 / kPi + noise.deg * gauss(random);
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

// The RMS difference of two models over a sweep, in dB and degrees.
std::pair<double, double> RmsDifference(const FitModel& a, const FitModel& b,
                                        const std::vector<UsablePoint>& at) {
  double db = 0.0, deg = 0.0;
  for (const UsablePoint& p : at) {
    const Complex ha = EvaluateModel(a, p.frequency);
    const Complex hb = EvaluateModel(b, p.frequency);
    db += std::pow(20.0 * std::log10(std::abs(ha / hb)), 2);
    deg += std::pow(std::arg(ha / hb) * 180.0 / kPi, 2);
  }
  return {std::sqrt(db / at.size()), std::sqrt(deg / at.size())};
}

// The largest relative distance from each of `expected` to the nearest of
// `actual`.
double PoleDistance(const std::vector<Complex>& expected, const std::vector<Complex>& actual) {
  double worst = 0.0;
  for (const Complex& e : expected) {
    double best = HUGE_VAL;
    for (const Complex& a : actual) best = std::min(best, std::abs(a - e) / std::abs(e));
    worst = std::max(worst, best);
  }
  return worst;
}

struct KnownCase {
  const char* name;
  FitModel truth;
  double f0, f1;
};

std::vector<KnownCase> KnownCases() {
  // Butterworth low-passes at 1 kHz of order 1 to 6.
  std::vector<KnownCase> cases;
  for (int order = 1; order <= 6; ++order) {
    std::vector<Complex> poles;
    for (int k = 0; k < order; ++k) {
      const double angle = kPi * (2.0 * k + order + 1) / (2.0 * order);
      Complex p = 1e3 * Complex(std::cos(angle), std::sin(angle));
      if (std::abs(p.imag()) < 1e-9) p = p.real();
      poles.push_back(p);
    }
    cases.push_back({"butterworth", Known(std::pow(1e3, order), poles), 10.0, 1e5});
  }
  cases.push_back({"two resonances and a notch",
                   Known(4e6, Join({Pair(1e3, 5.0), Pair(2e4, 8.0)}), Pair(5e3, 30.0)), 10.0, 1e6});
  cases.push_back({"integrator with two poles",
                   Known(1e8, {Complex(-0.01), Complex(-1e3), Complex(-1e5)}), 1.0, 1e7});
  cases.push_back(
      {"lead-lag", Known(10.0, {Complex(-100.0), Complex(-1e4)}, {Complex(-1e3)}), 1.0, 1e6});
  return cases;
}

TEST(VectorFit, KnownFunctionsOfKnownOrder) {
  for (const KnownCase& c : KnownCases()) {
    const auto points = Sweep(c.truth, c.f0, c.f1, 400);
    const int order = static_cast<int>(c.truth.poles.size());
    const FitResult r = FitSweep(points, {.order = order});
    ASSERT_TRUE(r.model) << c.name << " " << order << ": " << r.error;
    SCOPED_TRACE(std::string(c.name) + " order " + std::to_string(order));
    EXPECT_LE(r.model->rmsErrorDb, 0.001);
    EXPECT_LE(r.model->rmsErrorDeg, 0.01);
    EXPECT_LE(PoleDistance(c.truth.poles, r.model->poles), 1e-4);
    EXPECT_LE(PoleDistance(c.truth.zeros, r.model->zeros), 1e-3);
    EXPECT_EQ(r.model->zeros.size(), c.truth.zeros.size());
    EXPECT_EQ(r.model->delay, 0.0);
  }
}
}  // namespace
}  // namespace fernplot
