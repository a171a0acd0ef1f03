// SPDX-License-Identifier: MIT
#include <gtest/gtest.h>

#include <cmath>
#include <complex>
#include <functional>
#include <limits>
#include <numbers>
#include <vector>

#include "analysis/figures_text.h"
#include "analysis/loop.h"
#include "analysis/loop_views.h"
#include "analysis/sweep_figures.h"

namespace fernplot {
namespace {

using Complex = std::complex<double>;
using Response = std::function<Complex(double)>;  // of frequency in Hz

constexpr double kPi = std::numbers::pi;

double Db(Complex z) {
  return 20.0 * std::log10(std::abs(z));
}
double Deg(Complex z) {
  return std::arg(z) * 180.0 / kPi;
}

// `count` points from f0 to f1 spaced evenly on a log axis, as a page holds
// them (the record reversed), in full double precision.
std::vector<UsablePoint> Sampled(const Response& l, double f0, double f1, int count) {
  std::vector<SweepPoint> record;
  for (int k = count - 1; k >= 0; --k) {
    const double f = f0 * std::pow(f1 / f0, static_cast<double>(k) / (count - 1));
    const Complex z = l(f);
    record.push_back({f, Db(z), Deg(z)});
  }
  return UsablePoints(record);
}

// The smallest |1 + L| of the interpolated curve, by reading it at `steps`
// frequencies: what the modulus margin must not be above, and close to.
double SampledMinimum(std::span<const UsablePoint> points, int steps) {
  const double l0 = std::log10(points.front().frequency);
  const double l1 = std::log10(points.back().frequency);
  double best = std::numeric_limits<double>::infinity();
  for (int i = 0; i <= steps; ++i) {
    const auto c = InterpolateAt(points, std::pow(10.0, l0 + (l1 - l0) * i / steps));
    if (!c) continue;
    best = std::min(best, std::sqrt(OnePlusLSquared(std::pow(10.0, c->gain / 20.0), c->unwrapped)));
  }
  return best;
}

// A frequency where |l| = 1, by bisection between f0 (above) and f1.
double Crossover(const Response& l, double f0, double f1) {
  for (int i = 0; i < 200; ++i) {
    const double mid = std::sqrt(f0 * f1);
    (std::abs(l(mid)) > 1.0 ? f0 : f1) = mid;
  }
  return std::sqrt(f0 * f1);
}

// Two poles and a dead time: 1000 / ((1 + s/2π10)(1 + s/2π1e5)) e^(-s 1 µs).
Complex TwoPolesWithDelay(double f) {
  const Complex s(0.0, 2.0 * kPi * f);
  return 1000.0 / ((1.0 + s / (2.0 * kPi * 10.0)) * (1.0 + s / (2.0 * kPi * 1e5))) *
         std::exp(-s * 1e-6);
}

TEST(LoopCurve, ClosedLoopAndSensitivityMatchTheirDefinitions) {
  const struct {
    double gain, phase;
  } cases[] = {{40, -90}, {0, -135}, {-20, 170}, {3, -179}, {-0.5, 120}, {200, -45}, {-200, 10}};
  for (const auto& c : cases) {
    const Complex l = std::polar(std::pow(10.0, c.gain / 20.0), c.phase * kPi / 180.0);
    const Complex t = l / (1.0 + l), s = 1.0 / (1.0 + l);
    const LoopValue lt = LoopCurveValue(LoopCurve::kClosed, c.gain, c.phase);
    const LoopValue ls = LoopCurveValue(LoopCurve::kSensitivity, c.gain, c.phase);
    EXPECT_NEAR(lt.gain, Db(t), 1e-9) << c.gain << " " << c.phase;
    EXPECT_NEAR(lt.phase, Deg(t), 1e-9) << c.gain << " " << c.phase;
    EXPECT_NEAR(ls.gain, Db(s), 1e-9) << c.gain << " " << c.phase;
    EXPECT_NEAR(ls.phase, Deg(s), 1e-9) << c.gain << " " << c.phase;
  }
  // At the critical point neither has a value; a huge gain closes to 0 dB.
  for (LoopCurve curve : {LoopCurve::kClosed, LoopCurve::kSensitivity}) {
    for (double phase : {180.0, -180.0, 540.0}) {
      EXPECT_TRUE(std::isnan(LoopCurveValue(curve, 0.0, phase).gain)) << phase;
    }
  }
  const LoopValue saturated = LoopCurveValue(LoopCurve::kClosed, 3e38, -90);
  EXPECT_EQ(saturated.gain, 0.0);
  EXPECT_EQ(LoopCurveValue(LoopCurve::kOpen, 1.5, 270).phase, -90.0);

  MeasurementData data;
  data.points = std::vector<DataPoint>{{100, 0, -6, 180, 0}, {10, 20, 20, -90, -90}};
  ApplyLoopCurve(LoopCurve::kClosed, data);
  EXPECT_TRUE(std::isnan((*data.points)[0].gainCh1Ch2));  // a break, not a value
  EXPECT_NEAR((*data.points)[0].gainCh2Ch1, Db(0.5012 / 1.5012), 1e-3);
  EXPECT_NEAR((*data.points)[1].gainCh1Ch2, Db(Complex(0, -10) / Complex(1, -10)), 1e-5);
}

TEST(LoopFigures, TwoPolesWithDeadTime) {
  const auto points = Sampled(TwoPolesWithDelay, 1.0, 1e7, 4001);
  const SweepFigures fig = ComputeFigures(points, MarginReference::kMinus180);

  const double fc = Crossover(TwoPolesWithDelay, 1e3, 1e6);
  const double pm = 180.0 + Deg(TwoPolesWithDelay(fc));
  ASSERT_EQ(fig.delayMargins.size(), 1u);
  EXPECT_NEAR(fig.delayMargins[0].frequency / fc, 1.0, 1e-4);
  EXPECT_NEAR(fig.delayMargins[0].seconds / (pm / (360.0 * fc)), 1.0, 1e-3);
  EXPECT_EQ(fig.delayMargin, fig.delayMargins[0].seconds);
  // Taking that much more delay puts the loop on the critical point.
  const double extra = fig.delayMargins[0].seconds;
  const Complex atCrossover = TwoPolesWithDelay(fc) * std::exp(Complex(0, -2 * kPi * fc * extra));
  EXPECT_NEAR(std::abs(1.0 + atCrossover), 0.0, 5e-3);

  // The modulus margin: the true curve's, and no point or sample below it.
  double trueMinimum = 1e9, trueAt = 0;
  for (int i = 0; i <= 200000; ++i) {
    const double f = std::pow(10.0, 3.0 + 3.0 * i / 200000);
    if (const double d = std::abs(1.0 + TwoPolesWithDelay(f)); d < trueMinimum) {
      trueMinimum = d;
      trueAt = f;
    }
  }
  ASSERT_TRUE(fig.modulusMargin);
  EXPECT_NEAR(fig.modulusMargin->value / trueMinimum, 1.0, 1e-3);
  EXPECT_NEAR(fig.modulusMargin->frequency / trueAt, 1.0, 1e-2);
  EXPECT_LE(fig.modulusMargin->value, SampledMinimum(points, 400000) * (1 + 1e-9));

  // The closed loop: about 0 dB low down, peaking by 1/|1+L| near the
  // crossover, and -3 dB once above it.
  ASSERT_TRUE(fig.closedLoop.lowFrequencyGain);
  EXPECT_NEAR(fig.closedLoop.lowFrequencyGain->gain,
              Db(TwoPolesWithDelay(1.0) / (1.0 + TwoPolesWithDelay(1.0))), 1e-9);
  double peak = -1e9;
  for (const UsablePoint& p : points) {
    const Complex l = TwoPolesWithDelay(p.frequency);
    peak = std::max(peak, Db(l / (1.0 + l)));
  }
  ASSERT_TRUE(fig.closedLoop.peak);
  EXPECT_NEAR(fig.closedLoop.peak->gain, peak, 1e-6);
  ASSERT_EQ(fig.closedLoop.minus3dB.size(), 1u);
  EXPECT_GT(fig.closedLoop.minus3dB[0].frequency, fc);
  const Complex lb = TwoPolesWithDelay(fig.closedLoop.minus3dB[0].frequency);
  EXPECT_NEAR(Db(lb / (1.0 + lb)), fig.closedLoop.lowFrequencyGain->gain - 3.0, 0.01);
}

// The phase dips below -180° while the gain is high and comes back before
// the crossover: stable, with two crossings of -180° above 0 dB.
std::vector<UsablePoint> ConditionallyStable() {
  std::vector<SweepPoint> fileOrder;
  for (int k = 0; k <= 60; ++k) {
    const double lf = k / 10.0;  // 1 Hz to 1 MHz
    const double gain = 80.0 - 20.0 * lf;
    const double phase = -90.0 - 140.0 * std::exp(-(lf - 2.0) * (lf - 2.0)) - 40.0 * lf / 6.0 -
                         (lf > 4.5 ? 200.0 * (lf - 4.5) : 0.0);
    fileOrder.push_back({std::pow(10.0, lf), gain, phase});
  }
  return UsablePoints(std::vector<SweepPoint>(fileOrder.rbegin(), fileOrder.rend()));
}

TEST(LoopFigures, ConditionallyStableLoop) {
  const auto points = ConditionallyStable();
  const SweepFigures fig = ComputeFigures(points, MarginReference::kMinus180);
  ASSERT_EQ(fig.gainCrossovers.size(), 1u);
  EXPECT_NEAR(fig.gainCrossovers[0].frequency, 1e4, 1e-6);
  ASSERT_EQ(fig.phaseCrossovers.size(), 3u);
  EXPECT_GT(fig.phaseCrossovers[0].gain, 0.0);
  EXPECT_GT(fig.phaseCrossovers[1].gain, 0.0);
  EXPECT_LT(fig.phaseCrossovers[2].gain, 0.0);
  EXPECT_TRUE(LooksLikeLoop(fig));
  const double pm = fig.gainCrossovers[0].phaseMargin;
  ASSERT_GT(pm, 0.0);
  ASSERT_TRUE(fig.delayMargin);
  EXPECT_DOUBLE_EQ(*fig.delayMargin, pm / (360.0 * fig.gainCrossovers[0].frequency));
  // The closest approach to -1 is found between the points, not at one.
  ASSERT_TRUE(fig.modulusMargin);
  const double dense = SampledMinimum(points, 2000000);
  EXPECT_LE(fig.modulusMargin->value, dense * (1 + 1e-9));
  EXPECT_NEAR(fig.modulusMargin->value / dense, 1.0, 1e-6);
  double atPoints = 1e9;
  for (const UsablePoint& p : points) {
    atPoints = std::min(atPoints, std::sqrt(OnePlusLSquared(std::pow(10.0, p.gain / 20), p.phase)));
  }
  EXPECT_LT(fig.modulusMargin->value, atPoints);
}

TEST(LoopFigures, IntegratorHasExactFigures) {
  // L = fc / (j f): the straight lines between points are the integrator's
  // own gain and phase, so the figures are exact.
  const double fc = 1000.0;
  const auto l = [fc](double f) { return Complex(0.0, -fc / f); };
  const auto points = Sampled(l, 1.0, 1e5, 501);
  const SweepFigures fig = ComputeFigures(points, MarginReference::kMinus180);
  ASSERT_EQ(fig.delayMargins.size(), 1u);
  EXPECT_NEAR(fig.delayMargins[0].frequency, fc, 1e-9 * fc);
  EXPECT_NEAR(*fig.delayMargin, 1.0 / (4.0 * fc), 1e-15);
  // |1 + L| = sqrt(1 + (fc/f)^2) falls all the way up: the last point.
  ASSERT_TRUE(fig.modulusMargin);
  EXPECT_EQ(fig.modulusMargin->frequency, 1e5);
  EXPECT_NEAR(fig.modulusMargin->value, std::sqrt(1.0 + 1e-4), 1e-12);
  // T = 1 / (1 + j f/fc): its -3 dB point is fc.
  ASSERT_EQ(fig.closedLoop.minus3dB.size(), 1u);
  const double drop = 3.0 - fig.closedLoop.lowFrequencyGain->gain;  // |T|^2 = 1 / (1 + x^2)
  EXPECT_NEAR(
      fig.closedLoop.minus3dB[0].frequency / (fc * std::sqrt(std::pow(10.0, drop / 10) - 1)), 1.0,
      1e-4);
  EXPECT_EQ(fig.closedLoop.peak->frequency, 1.0);
}

TEST(LoopFigures, FilterIsNoLoopButKeepsEveryFigure) {
  // A first-order low-pass at 0 dB: T = 1 / (2 + j f/fp), -3 dB at 2 fp.
  const auto lowPass = [](double f) { return 1.0 / Complex(1.0, f / 100.0); };
  const auto points = Sampled(lowPass, 1.0, 1e5, 2001);
  const SweepFigures fig = ComputeFigures(points, MarginReference::kMinus180);
  EXPECT_FALSE(LooksLikeLoop(fig));
  const struct {
    LoopJudgement judgement;
    bool loop;
  } decisions[] = {{LoopJudgement::kAutomatic, false},
                   {LoopJudgement::kLoop, true},
                   {LoopJudgement::kNotLoop, false}};
  for (const auto& d : decisions) EXPECT_EQ(ShowsAsLoop(fig, d.judgement), d.loop);
  EXPECT_FALSE(ShowsAsLoop(ComputeFigures(ConditionallyStable(), MarginReference::kMinus180),
                           LoopJudgement::kNotLoop));
  ASSERT_TRUE(fig.closedLoop.lowFrequencyGain);
  EXPECT_NEAR(fig.closedLoop.lowFrequencyGain->gain, -6.0206, 1e-3);
  ASSERT_EQ(fig.closedLoop.minus3dB.size(), 1u);
  const double drop = 3.0 - fig.closedLoop.lowFrequencyGain->gain;  // |T|^2 = 1 / (4 + x^2)
  EXPECT_NEAR(
      fig.closedLoop.minus3dB[0].frequency / (100 * std::sqrt(std::pow(10.0, drop / 10) - 4)), 1.0,
      1e-4);
  // |1 + L| is smallest where L is smallest: at the top end, about 1.
  EXPECT_NEAR(fig.modulusMargin->value, 1.0, 1e-3);
  EXPECT_FALSE(ComputeFigures({}, MarginReference::kMinus180).modulusMargin);
}

TEST(ModulusMargin, MinimumInsideOneSegment) {
  // Constant gain g < 0 and phase -120° -> -240°: the curve passes -180° at
  // the segment's middle (on a log axis), at distance 1 - |L| from -1.
  const double g = -6.0, r = std::pow(10.0, g / 20.0);
  const auto seg = UsablePoints(std::vector<SweepPoint>{{4000, g, 120}, {1000, g, -120}});
  auto mm = FindModulusMargin(seg);
  ASSERT_TRUE(mm);
  EXPECT_NEAR(mm->value, 1.0 - r, 1e-6 * (1.0 - r));
  EXPECT_NEAR(mm->frequency, 2000.0, 1e-3);
  // Gain through 0 dB while the phase passes -180° off centre: compare with
  // the curve read densely.
  const auto skew = UsablePoints(std::vector<SweepPoint>{{1e4, -4, -250}, {10, 6, -170}});
  mm = FindModulusMargin(skew);
  const double dense = SampledMinimum(skew, 1000000);
  EXPECT_LE(mm->value, dense * (1 + 1e-9));
  EXPECT_NEAR(mm->value / dense, 1.0, 1e-6);
  // A curve through -1 itself has a margin of 0 there.
  const auto through = UsablePoints(std::vector<SweepPoint>{{100, 0, -190}, {10, 0, -170}});
  EXPECT_NEAR(FindModulusMargin(through)->value, 0.0, 1e-9);
  EXPECT_NEAR(FindModulusMargin(through)->frequency, std::sqrt(1000.0), 1e-6);
  // Two points of one frequency have no curve between them.
  const auto jump = UsablePoints(std::vector<SweepPoint>{{10, -6, -120}, {10, -6, 120}});
  EXPECT_NEAR(FindModulusMargin(jump)->value, std::abs(1.0 + std::polar(r, 2 * kPi / 3)), 1e-12);
}

TEST(ModulusMargin, HugeGainsStillHaveOne) {
  // |L| of 1e155 and more: |1 + L|^2 overflows, |1 + L| does not.
  const auto huge =
      UsablePoints(std::vector<SweepPoint>{{1000, 3100, -90}, {100, 3200, -180}, {10, 6000, 0}});
  const auto mm = FindModulusMargin(huge);
  ASSERT_TRUE(mm);
  EXPECT_NEAR(mm->value / 1e155, 1.0, 1e-9);
  EXPECT_EQ(mm->frequency, 1000.0);
  const SweepFigures fig =
      ComputeFigures(UsablePoints(std::vector<SweepPoint>{{1000, 3100, -90}, {100, 3200, -180}}),
                     MarginReference::kMinus180);
  ASSERT_TRUE(fig.modulusMargin);
  EXPECT_TRUE(std::isfinite(fig.modulusMargin->value));
}

}  // namespace
}  // namespace fernplot
