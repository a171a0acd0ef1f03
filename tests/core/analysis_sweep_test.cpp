// SPDX-License-Identifier: MIT
#include <gtest/gtest.h>

#include <cmath>
#include <complex>
#include <limits>
#include <numbers>
#include <ostream>
#include <optional>
#include <vector>

#include "analysis/sweep_figures.h"
#include "analysis/sweep_points.h"

namespace fernplot {
namespace {

using Complex = std::complex<double>;
constexpr double kNan = std::numeric_limits<double>::quiet_NaN();
constexpr double kInf = std::numeric_limits<double>::infinity();

// Points listed in file order, handed over in record order as a page holds them.
std::vector<UsablePoint> Usable(std::vector<SweepPoint> fileOrder) {
  return UsablePoints(std::vector<SweepPoint>(fileOrder.rbegin(), fileOrder.rend()));
}

TEST(UsablePoints, FilterSortAndUnwrap) {
  EXPECT_EQ(WrapDegrees(180.0), 180.0);
  EXPECT_EQ(WrapDegrees(-180.0), 180.0);
  EXPECT_EQ(WrapDegrees(-540.0), 180.0);
  EXPECT_EQ(WrapDegrees(181.0), -179.0);
  EXPECT_EQ(WrapDegrees(-900.5), 179.5);

  // A downward sweep with unusable points, and two points of equal frequency
  // whose file order must survive.
  const auto p = Usable({{1000, 1, -60},
                         {kNan, 0, 0},
                         {500, 2, 60},
                         {0, 0, 0},
                         {-5, 0, 0},
                         {200, kInf, 0},
                         {100, 3, -170},
                         {100, 4, 160},
                         {50, 5, kNan},
                         {10, 6, 190}});
  ASSERT_EQ(p.size(), 5u);
  const double f[] = {10, 100, 100, 500, 1000};
  const double g[] = {6, 3, 4, 2, 1};
  const double u[] = {-170, -170, -200, -300, -420};
  for (size_t k = 0; k < p.size(); ++k) {
    EXPECT_EQ(p[k].frequency, f[k]) << k;
    EXPECT_EQ(p[k].gain, g[k]) << k;
    EXPECT_EQ(p[k].unwrapped, u[k]) << k;
  }
  EXPECT_TRUE(UsablePoints({}).empty());
}

TEST(UsablePoints, InterpolationAndNearestPoint) {
  const auto p = Usable({{10, 20, -170}, {1000, -20, 170}, {1000, 5, 0}});
  // Halfway between 10 Hz and 1 kHz on a log axis is 100 Hz, not 505 Hz.
  const auto mid = InterpolateAt(p, 100.0);
  ASSERT_TRUE(mid);
  EXPECT_NEAR(mid->gain, 0.0, 1e-12);
  EXPECT_NEAR(mid->unwrapped, -180.0, 1e-12);
  EXPECT_NEAR(mid->phase, 180.0, 1e-12);
  EXPECT_EQ(InterpolateAt(p, 10.0)->gain, 20.0);
  EXPECT_EQ(InterpolateAt(p, 1000.0)->gain, 5.0);  // the last of the equal points
  EXPECT_FALSE(InterpolateAt(p, 9.999));
  EXPECT_FALSE(InterpolateAt(p, 1000.001));
  EXPECT_FALSE(InterpolateAt(p, kNan));
  EXPECT_FALSE(InterpolateAt({}, 10.0));

  EXPECT_EQ(NearestPointIndex(p, 31.0), 0u);   // nearer to 10 Hz on a log axis
  EXPECT_EQ(NearestPointIndex(p, 320.0), 1u);  // the first of the equal points
  EXPECT_EQ(NearestPointIndex(p, 1.0), 0u);
  EXPECT_EQ(NearestPointIndex(p, 1e9), 1u);
  EXPECT_FALSE(NearestPointIndex(p, 0.0));
  EXPECT_FALSE(NearestPointIndex(p, kNan));
  EXPECT_FALSE(NearestPointIndex({}, 10.0));
}

TEST(SweepFigures, CrossingsFollowTheDefinitions) {
  // Gain alternating +6/-2 dB at 2 points a decade: every segment crosses
  // 0 dB a quarter of the way from its upper end, in log f.
  std::vector<SweepPoint> zigzag;
  for (int k = 0; k <= 6; ++k) zigzag.push_back({std::pow(10.0, k / 2.0), k % 2 ? -2.0 : 6.0, 0});
  const SweepFigures fig = ComputeFigures(Usable(zigzag), MarginReference::kMinus180);
  ASSERT_EQ(fig.gainCrossovers.size(), 6u);
  for (int k = 0; k < 6; ++k) {
    const double expected = std::pow(10.0, k / 2.0 + (k % 2 ? 0.125 : 0.375));
    EXPECT_NEAR(fig.gainCrossovers[k].frequency / expected, 1.0, 1e-12) << k;
  }
  EXPECT_EQ(fig.peak->frequency, 1.0);  // the first of the equal peaks
  EXPECT_FALSE(fig.resonance);
  EXPECT_TRUE(fig.phaseCrossovers.empty());
  EXPECT_FALSE(fig.gainMargin);  // not 0

  // A value equal to the level is not above it: 1 -> 0 and 0 -> 1 cross it,
  // -1 -> 0 -> -1 never does.
  const auto touch = GainCrossings(Usable({{1, 1, 0}, {10, 0, 0}, {100, 1, 0}}), 0.0);
  ASSERT_EQ(touch.size(), 2u);
  EXPECT_EQ(touch[0].direction, CrossingDirection::kFalling);
  EXPECT_EQ(touch[1].direction, CrossingDirection::kRising);
  EXPECT_NEAR(touch[0].frequency, 10.0, 1e-12);
  EXPECT_NEAR(touch[1].frequency, 10.0, 1e-12);
  EXPECT_TRUE(GainCrossings(Usable({{1, -1, 0}, {10, 0, 0}, {100, -1, 0}}), 0.0).empty());

  // The phase wraps from -170 to +170 between two points; read against
  // -180° it crosses there, against 0° only where it passes -360°.
  const auto loop = Usable({{10, 20, -100}, {1000, 0, -170}, {1e5, -40, 170}, {1e7, -60, -5}});
  const SweepFigures m180 = ComputeFigures(loop, MarginReference::kMinus180);
  ASSERT_EQ(m180.phaseCrossovers.size(), 1u);
  EXPECT_NEAR(m180.phaseCrossovers[0].frequency, 1e4, 1e-9);
  EXPECT_NEAR(*m180.gainMargin, 20.0, 1e-12);
  ASSERT_EQ(m180.gainCrossovers.size(), 1u);  // at the point of exactly 0 dB
  EXPECT_NEAR(m180.gainCrossovers[0].phase, -170.0, 1e-9);
  EXPECT_NEAR(*m180.phaseMargin, 10.0, 1e-9);
  const SweepFigures zero = ComputeFigures(loop, MarginReference::kZero);
  ASSERT_EQ(zero.phaseCrossovers.size(), 1u);
  const double t = 170.0 / 175.0;  // u runs -190 -> -365 in that segment
  EXPECT_NEAR(zero.phaseCrossovers[0].frequency / std::pow(10.0, 5 + 2 * t), 1.0, 1e-12);
  EXPECT_NEAR(*zero.gainMargin, 40.0 + 20.0 * t, 1e-12);
  EXPECT_NEAR(*zero.phaseMargin, -170.0, 1e-9);

  const SweepFigures single = ComputeFigures(Usable({{50, 3, 0}}), MarginReference::kMinus180);
  EXPECT_EQ(single.points, 1u);
  EXPECT_EQ(single.lowFrequencyGain->gain, 3.0);
  EXPECT_TRUE(single.minus3dB.empty() && single.gainCrossovers.empty());
  const SweepFigures none = ComputeFigures({}, MarginReference::kMinus180);
  EXPECT_FALSE(none.lowFrequencyGain || none.peak || none.phaseMargin || none.gainMargin);
}

// Transfer functions with known answers, swept coarsely enough that the
// crossings on a slope come out several per cent off when interpolated in Hz.
struct ModelCase {
  const char* name;
  Complex (*model)(double f);
  int perDecade;
  std::optional<double> minus3dB, q, phaseMargin, gainMargin;  // Hz, -, deg, dB
  std::optional<double> gainCrossover, phaseCrossover;         // Hz
  double relative;                                             // tolerance of frequencies and Q
  double absolute;                                             // tolerance in degrees and dB
};

void PrintTo(const ModelCase& c, std::ostream* os) {
  *os << c.name;
}

Complex S(double f) {
  return {0.0, f};
}

// 10/decade from 13 Hz over five decades, a file order of ascending frequency.
std::vector<UsablePoint> Swept(const ModelCase& c) {
  std::vector<SweepPoint> points;
  for (int k = 0; k <= 5 * c.perDecade; ++k) {
    const double f = 13.0 * std::pow(10.0, double(k) / c.perDecade);
    const Complex h = c.model(f);
    points.push_back({f, 20.0 * std::log10(std::abs(h)), std::arg(h) * 180.0 / std::numbers::pi});
  }
  return Usable(points);
}

// PM = 180 - 90 - atan(fc/2k) - atan(fc/20k) at |H(fc)| = 1; the phase
// crosses -180° at sqrt(2k * 20k), where GM = 20 log10((2k + 20k) / 1k).
const ModelCase kModels[] = {
    {"FirstOrderLowPass", [](double f) { return 1.0 / (1.0 + S(f / 1e3)); }, 10, 997.8,
     std::nullopt, std::nullopt, std::nullopt, std::nullopt, std::nullopt, 0.01, 0},
    // Q = 5 at 1 kHz: 3 dB under the peak at x^2 = 0.98 -+ 0.199, so the
    // figure's Q is 0.98995 / (1.08582 - 0.88375) = 4.899; 0 dB at x = 1.4.
    {"SecondOrderLowPassQ5", [](double f) { return 1.0 / (1.0 - f * f / 1e6 + S(f / 5e3)); }, 40,
     1542.2, 4.899, 16.26, std::nullopt, 1400.0, std::nullopt, 0.04, 0.1},
    {"IntegratorTwoPoles",
     [](double f) { return 1e3 / (S(f) * (1.0 + S(f / 2e3)) * (1.0 + S(f / 2e4))); }, 4, 18.363,
     std::nullopt, 62.95, 26.85, 909.4, 6324.6, 0.015, 0.5},
    {"LoopNeverAt180", [](double f) { return 1e3 / (S(f) * (1.0 + S(f / 2e3))); }, 4, 18.363,
     std::nullopt, 65.53, std::nullopt, 910.2, std::nullopt, 0.015, 0.5},
};

class ModelFigures : public testing::TestWithParam<ModelCase> {};

TEST_P(ModelFigures, MatchTheKnownAnswers) {
  const ModelCase& c = GetParam();
  const auto points = Swept(c);
  const SweepFigures fig = ComputeFigures(points, MarginReference::kMinus180);
  const auto near = [&](std::optional<double> actual, std::optional<double> expected, bool rel) {
    ASSERT_EQ(actual.has_value(), expected.has_value());
    if (!expected) return;
    EXPECT_NEAR(rel ? *actual / *expected : *actual, rel ? 1.0 : *expected,
                rel ? c.relative : c.absolute);
  };
  near(fig.minus3dB.empty() ? std::nullopt : std::optional(fig.minus3dB[0].frequency), c.minus3dB,
       true);
  near(fig.resonance ? std::optional(fig.resonance->q) : std::nullopt, c.q, true);
  near(fig.phaseMargin, c.phaseMargin, false);
  near(fig.gainMargin, c.gainMargin, false);
  near(fig.gainCrossovers.empty() ? std::nullopt : std::optional(fig.gainCrossovers[0].frequency),
       c.gainCrossover, true);
  near(fig.phaseCrossovers.empty() ? std::nullopt : std::optional(fig.phaseCrossovers[0].frequency),
       c.phaseCrossover, true);
  EXPECT_LE(fig.gainCrossovers.size(), 1u);
  EXPECT_LE(fig.phaseCrossovers.size(), 1u);
  if (c.phaseCrossover) {
    // The measured phase jumps from near -180 to near +180 between two points.
    bool jumps = false;
    for (size_t k = 0; k + 1 < points.size(); ++k) {
      jumps = jumps || (points[k].phase < -150 && points[k + 1].phase > 150);
    }
    EXPECT_TRUE(jumps);
  }
}

INSTANTIATE_TEST_SUITE_P(Analysis, ModelFigures, testing::ValuesIn(kModels),
                         [](const testing::TestParamInfo<ModelCase>& c) {
                           return std::string(c.param.name);
                         });

TEST(SweepFigures, GroupDelayOfALowPass) {
  // A first-order low-pass delays by 1 / (2 pi fc) well below its corner.
  const ModelCase lp = kModels[0];
  const auto delay = GroupDelay(Swept(lp));
  ASSERT_EQ(delay.size(), 50u);
  EXPECT_NEAR(delay[0].frequency, 13.0 * std::pow(10.0, 0.05), 1e-9);
  EXPECT_NEAR(delay[0].delay * 2e3 * std::numbers::pi, 1.0, 1e-3);
  EXPECT_TRUE(GroupDelay(Usable({{10, 0, 0}, {10, 0, 90}})).empty());
}

}  // namespace
}  // namespace fernplot
