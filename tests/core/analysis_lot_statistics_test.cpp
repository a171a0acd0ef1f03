// SPDX-License-Identifier: MIT
#include <gtest/gtest.h>

#include <algorithm>
#include <cmath>
#include <random>
#include <string>
#include <vector>

#include "analysis/production/limit_mask.h"
#include "analysis/production/lot_statistics.h"

namespace fernplot {
namespace {

// A first-order low-pass with corner `fc` on `n` log-spaced points from f0
// to f1, plus a little noise.
std::vector<UsablePoint> Sweep(double fc, double f0, double f1, size_t n, std::mt19937& rng) {
  std::normal_distribution<double> noise(0.0, 0.05);
  std::vector<UsablePoint> p;
  for (size_t i = 0; i < n; ++i) {
    const double f = f0 * std::pow(f1 / f0, static_cast<double>(i) / static_cast<double>(n - 1));
    const double x = f / fc;
    const double gain = -10.0 * std::log10(1.0 + x * x) + noise(rng) - 1.0;
    const double phase = -std::atan(x) * 180.0 / 3.141592653589793 + noise(rng) - 200.0;
    p.push_back({f, gain, phase, phase});
  }
  return p;
}

// The plain two-pass statistics of `values`.
struct Reference {
  double mean = 0, std = 0, min = 0, max = 0;
};
Reference TwoPass(const std::vector<double>& v) {
  Reference r;
  for (double x : v) r.mean += x;
  r.mean /= static_cast<double>(v.size());
  double ss = 0;
  for (double x : v) ss += (x - r.mean) * (x - r.mean);
  r.std = v.size() > 1 ? std::sqrt(ss / static_cast<double>(v.size() - 1)) : 0.0;
  r.min = *std::min_element(v.begin(), v.end());
  r.max = *std::max_element(v.begin(), v.end());
  return r;
}

// Relative to the size of the values: a deviation near 0 of values near 200
// is known to the rounding of 200.
void ExpectRelative(double actual, double expected, const std::string& what, double scale = 0.0) {
  EXPECT_LE(std::abs(actual - expected), 1e-12 * std::max({std::abs(expected), scale, 1e-3}))
      << what;
}

// n sweeps on grids of their own, the first on the lot's grid; every
// statistic matches the two-pass reference at every frequency, and the
// count says how many sweeps reach it.
void CheckAgainstTwoPass(size_t n) {
  std::mt19937 rng(static_cast<unsigned>(n));
  std::uniform_real_distribution<double> spread(0.9, 1.1);
  std::vector<std::vector<UsablePoint>> sweeps;
  sweeps.push_back(Sweep(1e3, 10, 1e5, 201, rng));
  for (size_t i = 1; i < n; ++i) {
    // Other grids, some not reaching the lot's ends.
    const double f0 = i % 3 == 0 ? 20 : 5;
    const double f1 = i % 4 == 0 ? 5e4 : 2e5;
    sweeps.push_back(Sweep(1e3 * spread(rng), f0, f1, 101 + i % 50, rng));
  }
  LotStatistics lot(sweeps[0]);
  for (const auto& s : sweeps) lot.Add(s);
  EXPECT_EQ(lot.Sweeps(), n);
  const std::vector<FrequencyRow> rows = lot.Rows(StatisticsOf::kDb);
  ASSERT_EQ(rows.size(), sweeps[0].size());
  for (const FrequencyRow& row : rows) {
    std::vector<double> db, deg;
    for (const auto& s : sweeps) {
      if (const std::optional<CurveReading> r = InterpolateAt(s, row.frequency)) {
        db.push_back(r->gain);
        deg.push_back(r->unwrapped);
      }
    }
    ASSERT_EQ(row.n, db.size());
    ASSERT_GT(row.n, 0u);
    const Reference g = TwoPass(db), p = TwoPass(deg);
    const std::string at = std::to_string(row.frequency) + " Hz, n " + std::to_string(n);
    ExpectRelative(*row.meanDb, g.mean, "meanDb " + at);
    ExpectRelative(*row.minDb, g.min, "minDb " + at);
    ExpectRelative(*row.maxDb, g.max, "maxDb " + at);
    ExpectRelative(*row.meanDeg, p.mean, "meanDeg " + at);
    ExpectRelative(*row.minDeg, p.min, "minDeg " + at);
    ExpectRelative(*row.maxDeg, p.max, "maxDeg " + at);
    if (row.n < 2) {
      EXPECT_FALSE(row.stdDb) << at;
      EXPECT_FALSE(row.stdDeg) << at;
    } else {
      ExpectRelative(*row.stdDb, g.std, "stdDb " + at, std::abs(g.mean));
      ExpectRelative(*row.stdDeg, p.std, "stdDeg " + at, std::abs(p.mean));
    }
  }
}

TEST(LotStatistics, MatchesTwoPassReference) {
  CheckAgainstTwoPass(1);
  CheckAgainstTwoPass(2);
  CheckAgainstTwoPass(1000);
}

TEST(LotStatistics, CountsOnlySweepsThatReachAFrequency) {
  const std::vector<UsablePoint> first = {
      {10, 0, 0, 0}, {100, -1, 0, 0}, {1e3, -2, 0, 0}, {1e3, -3, 0, 0}};
  LotStatistics lot(first);
  lot.Add(first);
  // Reaches 100 Hz only, between its points: -5 dB and 20° there.
  lot.Add(std::vector<UsablePoint>{{50, -4, 10, 10}, {200, -6, 30, 30}});
  lot.Add({});
  const std::vector<FrequencyRow> rows = lot.Rows(StatisticsOf::kDb);
  ASSERT_EQ(rows.size(), 3u);  // equal frequencies are one row
  EXPECT_EQ(rows[0].n, 1u);
  EXPECT_EQ(rows[1].n, 2u);
  EXPECT_EQ(rows[2].n, 1u);
  EXPECT_EQ(lot.Sweeps(), 3u);
  EXPECT_DOUBLE_EQ(*rows[2].meanDb, -3.0);  // the later of equal frequencies
  EXPECT_NEAR(*rows[1].meanDb, -3.0, 1e-12);
  EXPECT_NEAR(*rows[1].stdDb, std::sqrt(8.0), 1e-12);
  EXPECT_NEAR(*rows[1].maxDeg, 20.0, 1e-12);
  EXPECT_NEAR(*rows[1].minDb, -5.0, 1e-12);
  const std::string csv = StatisticsCsv(rows);
  EXPECT_EQ(csv.substr(0, csv.find("100,2,")),
            "frequency,n,meanDb,stdDb,minDb,maxDb,meanDeg,stdDeg,minDeg,maxDeg\n"
            "10,1,0,,0,0,0,,0,0\n");
  EXPECT_TRUE(csv.ends_with("\n1000,1,-3,,-3,-3,0,,0,0\n")) << csv;
  LotStatistics none(first);
  none.Add(std::vector<UsablePoint>{{2e3, 0, 0, 0}});
  EXPECT_EQ(StatisticsCsv(none.Rows(StatisticsOf::kDb)).substr(66),
            "10,0,,,,,,,,\n100,0,,,,,,,,\n1000,0,,,,,,,,\n");
}

TEST(LotStatistics, ComplexMean) {
  // 0 dB at 0° and at 90°: the mean is 0.5 + 0.5j, -3.01 dB at 45°.
  const std::vector<UsablePoint> a = {{100, 0, 0, 0}};
  const std::vector<UsablePoint> b = {{100, 0, 90, 90}};
  LotStatistics lot(a);
  lot.Add(a);
  lot.Add(b);
  FrequencyRow r = lot.Rows(StatisticsOf::kComplex).at(0);
  EXPECT_NEAR(*r.meanDb, 20.0 * std::log10(std::sqrt(0.5)), 1e-12);
  EXPECT_NEAR(*r.meanDeg, 45.0, 1e-12);
  EXPECT_NEAR(*r.stdDb, 0.0, 1e-12);                     // |H| is 1 for both
  EXPECT_NEAR(*r.stdDeg, std::sqrt(2.0) * 45.0, 1e-12);  // as without the option
  // The mean of the dB differs: 0 dB.
  EXPECT_DOUBLE_EQ(*lot.Rows(StatisticsOf::kDb).at(0).meanDb, 0.0);

  // 1 and 0.5 in phase: |mean| 0.75, σ of |H| 0.3536.
  const std::vector<UsablePoint> c = {{100, 0, -350, -350}};
  const std::vector<UsablePoint> d = {{100, 20.0 * std::log10(0.5), -350, -350}};
  LotStatistics second(c);
  second.Add(c);
  second.Add(d);
  r = second.Rows(StatisticsOf::kComplex).at(0);
  EXPECT_NEAR(*r.meanDb, 20.0 * std::log10(0.75), 1e-12);
  EXPECT_NEAR(*r.stdDb, 20.0 * std::log10(1.0 + std::sqrt(0.125) / 0.75), 1e-12);
  EXPECT_NEAR(*r.meanDeg, -350.0, 1e-9);  // on the unwrapped turn of the phases
  EXPECT_DOUBLE_EQ(*r.minDb, 20.0 * std::log10(0.5));
  EXPECT_DOUBLE_EQ(*r.maxDb, 0.0);
}

TEST(LotStatistics, FigureStatisticsAndCpk) {
  const MaskParse parse = ParseMask(
      "FIGURE minus3dBHz BETWEEN 950 1050\n"
      "FIGURE minus3dBHz >= 960\n"  // the tighter lower limit wins
      "FIGURE lowFrequencyGainDb >= -1\n"
      "FIGURE peakDb <= 1\n",
      "m");
  ASSERT_TRUE(parse.mask);
  const LimitMask& mask = *parse.mask;
  EXPECT_NEAR(*ProcessCapability(mask, 3, 1010, 10), 40.0 / 30.0, 1e-15);
  EXPECT_NEAR(*ProcessCapability(mask, 3, 990, 10), 30.0 / 30.0, 1e-15);
  EXPECT_NEAR(*ProcessCapability(mask, 0, 0.5, 0.5), 1.5 / 1.5, 1e-15);  // one-sided
  EXPECT_NEAR(*ProcessCapability(mask, 1, 0.4, 0.1), 0.6 / 0.3, 1e-15);
  EXPECT_NEAR(*ProcessCapability(mask, 1, 2.0, 0.1), -1.0 / 0.3, 1e-15);  // outside: negative
  EXPECT_FALSE(ProcessCapability(mask, 4, 1.0, 1.0));                     // no rule for it
  EXPECT_FALSE(ProcessCapability(mask, 3, 1000, 0.0));

  FigureStatistics stats;
  std::vector<std::optional<double>> v(MaskFigureNames().size());
  v[0] = 0.0;
  v[3] = 1000.0;
  stats.Add(v);
  v[0] = -0.5;
  v[3] = 1020.0;
  stats.Add(v);
  std::vector<FigureRow> rows = stats.Rows(&mask);
  ASSERT_EQ(rows.size(), MaskFigureNames().size());
  EXPECT_EQ(rows[3].name, "minus3dBHz");
  EXPECT_EQ(rows[3].n, 2u);
  EXPECT_DOUBLE_EQ(*rows[3].mean, 1010.0);
  EXPECT_NEAR(*rows[3].std, std::sqrt(200.0), 1e-12);
  EXPECT_NEAR(*rows[3].cpk, 40.0 / (3.0 * std::sqrt(200.0)), 1e-12);
  EXPECT_EQ(rows[1].n, 0u);
  EXPECT_FALSE(rows[1].mean);
  EXPECT_FALSE(stats.Rows(nullptr)[3].cpk);
  const std::string csv = FiguresCsv(rows);
  EXPECT_EQ(csv.substr(0, csv.find('\n')), "figure,n,mean,std,min,max,cpk");
  EXPECT_NE(csv.find("\npeakDb,0,,,,,\n"), std::string::npos) << csv;
  // One sweep: no deviation and no cpk.
  FigureStatistics one;
  one.Add(v);
  EXPECT_FALSE(one.Rows(&mask)[3].std);
  EXPECT_FALSE(one.Rows(&mask)[3].cpk);
}

}  // namespace
}  // namespace fernplot
