// SPDX-License-Identifier: MIT
#pragma once
// The spread of a production lot: many sweeps taken as one, brought onto
// the frequencies of the first, and the spread of their figures.
//
// The sweeps are streamed: each is added as it is read and then dropped, so
// the memory is that of one sweep's frequencies, however many sweeps there
// are (Welford's update of mean and sum of squared deviations).

#include <cstddef>
#include <optional>
#include <span>
#include <string>
#include <string_view>
#include <vector>

#include "analysis/production/limit_mask.h"
#include "analysis/sweep_points.h"
#include "text/ui_text.h"

namespace fernplot {

// Mean, sample standard deviation and extremes of values added one by one.
class RunningStatistics {
 public:
  void Add(double x);
  size_t Count() const { return n_; }
  double Mean() const { return mean_; }
  // The sample (n - 1) standard deviation; nothing for fewer than two values.
  std::optional<double> StandardDeviation() const;
  double Min() const { return min_; }
  double Max() const { return max_; }

 private:
  size_t n_ = 0;
  double mean_ = 0.0;
  double m2_ = 0.0;
  double min_ = 0.0;
  double max_ = 0.0;
};

// What the mean curve is the mean of: the gains in dB and the unwrapped
// phases, or the complex responses (whose dB is not the mean of the dB).
enum class StatisticsOf { kDb, kComplex };

// One frequency of the lot; the values are empty where n is 0 (and the
// deviations where n is 1).
struct FrequencyRow {
  double frequency = 0.0;
  size_t n = 0;
  std::optional<double> meanDb, stdDb, minDb, maxDb;
  std::optional<double> meanDeg, stdDeg, minDeg, maxDeg;
};

class LotStatistics {
 public:
  // The frequencies of `first` (its usable points, equal ones once) are the
  // lot's; `first` itself is not added.
  explicit LotStatistics(std::span<const UsablePoint> first);
  // Adds a sweep: at each of the lot's frequencies within its range, the
  // curve as the figures read it (gain, unwrapped phase).
  void Add(std::span<const UsablePoint> points);
  size_t Sweeps() const { return sweeps_; }
  // In ascending frequency. With kComplex the mean is the complex mean's
  // dB and degrees (the phase continued from the mean of the unwrapped
  // phases), stdDb is 20 log10(1 + σ/|mean|) with σ the deviation of |H|;
  // the extremes and stdDeg are those of kDb.
  std::vector<FrequencyRow> Rows(StatisticsOf of) const;

 private:
  struct Point {
    RunningStatistics db, deg, magnitude;
    double re = 0.0, im = 0.0;  // running mean of the complex response
  };
  std::vector<double> frequencies_;
  std::vector<Point> points_;
  size_t sweeps_ = 0;
};

// The spread of every figure of the summary table over the lot.
struct FigureRow {
  std::string_view name;
  size_t n = 0;
  std::optional<double> mean, std, min, max;
  // min(USL - mean, mean - LSL) / 3σ against the mask's limits for the
  // figure (one-sided with one limit); empty without a rule, with n < 2 or
  // σ = 0.
  std::optional<double> cpk;
};

class FigureStatistics {
 public:
  FigureStatistics();
  // The values of one sweep, in MaskFigureNames()' order.
  void Add(std::span<const std::optional<double>> values);
  // `mask` may be nullptr.
  std::vector<FigureRow> Rows(const LimitMask* mask) const;

 private:
  std::vector<RunningStatistics> figures_;
};

// cpk of a figure with `mean` and `sigma` against the FIGURE rules of `mask`
// naming figure `index`: the tightest lower and upper limits they give.
std::optional<double> ProcessCapability(const LimitMask& mask, size_t index, double mean,
                                        double sigma);

// statistics.csv: "frequency,n,meanDb,stdDb,minDb,maxDb,meanDeg,stdDeg,minDeg,maxDeg"
// and a row per frequency, numbers in their shortest round-trip digits.
std::string StatisticsCsv(const std::vector<FrequencyRow>& rows);
// figures.csv: "figure,n,mean,std,min,max,cpk" and a row per figure.
std::string FiguresCsv(const std::vector<FigureRow>& rows);

// A figure's row as a reader reads it: its name, n, mean, σ, min and max in
// three digits with the figure's unit, and cpk (empty cells where a value
// is missing).
std::vector<std::string> FigureStatisticsCells(const FigureRow& row);
// The report's table of the figures the lot has (n > 0), its heading first.
std::vector<std::vector<std::string>> FigureStatisticsTable(const std::vector<FigureRow>& rows,
                                                            const TextTranslator* translator);
// The figures panel's lines: "統計  12 ﾍﾟｰｼﾞ", then a line per figure the lot
// has ("  phaseMarginDeg  n 12  平均 45.2°  σ 1.30°  最小 …  cpk 1.52").
std::string LotPanelText(const std::vector<FigureRow>& rows, size_t sweeps,
                         const TextTranslator* translator);

}  // namespace fernplot
