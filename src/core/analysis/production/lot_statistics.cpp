// SPDX-License-Identifier: MIT
#include "analysis/production/lot_statistics.h"

#include <algorithm>
#include <cmath>
#include <limits>
#include <numbers>

#include "analysis/figures_text.h"
#include "analysis/production/mask_judge.h"
#include "analysis/summary_table.h"

namespace fernplot {

void RunningStatistics::Add(double x) {
  ++n_;
  if (n_ == 1) {
    mean_ = min_ = max_ = x;
    return;
  }
  const double delta = x - mean_;
  mean_ += delta / static_cast<double>(n_);
  m2_ += delta * (x - mean_);
  min_ = std::min(min_, x);
  max_ = std::max(max_, x);
}

std::optional<double> RunningStatistics::StandardDeviation() const {
  if (n_ < 2) return std::nullopt;
  return std::sqrt(std::max(m2_, 0.0) / static_cast<double>(n_ - 1));
}

LotStatistics::LotStatistics(std::span<const UsablePoint> first) {
  for (const UsablePoint& p : first) {
    if (frequencies_.empty() || p.frequency != frequencies_.back()) {
      frequencies_.push_back(p.frequency);
    }
  }
  points_.resize(frequencies_.size());
}

void LotStatistics::Add(std::span<const UsablePoint> points) {
  ++sweeps_;
  if (points.empty()) return;
  constexpr double kRadians = std::numbers::pi / 180.0;
  // Only the lot's frequencies within the sweep's range are read.
  const auto begin =
      std::lower_bound(frequencies_.begin(), frequencies_.end(), points.front().frequency);
  const auto end = std::upper_bound(begin, frequencies_.end(), points.back().frequency);
  for (auto f = begin; f != end; ++f) {
    const std::optional<CurveReading> r = InterpolateAt(points, *f);
    if (!r) continue;
    Point& p = points_[static_cast<size_t>(f - frequencies_.begin())];
    p.db.Add(r->gain);
    p.deg.Add(r->unwrapped);
    const double magnitude = std::pow(10.0, r->gain / 20.0);
    p.magnitude.Add(magnitude);
    const double n = static_cast<double>(p.db.Count());
    p.re += (magnitude * std::cos(r->unwrapped * kRadians) - p.re) / n;
    p.im += (magnitude * std::sin(r->unwrapped * kRadians) - p.im) / n;
  }
}

std::vector<FrequencyRow> LotStatistics::Rows(StatisticsOf of) const {
  std::vector<FrequencyRow> rows;
  rows.reserve(frequencies_.size());
  for (size_t i = 0; i < frequencies_.size(); ++i) {
    const Point& p = points_[i];
    FrequencyRow row;
    row.frequency = frequencies_[i];
    row.n = p.db.Count();
    if (row.n > 0) {
      row.meanDb = p.db.Mean();
      row.stdDb = p.db.StandardDeviation();
      row.minDb = p.db.Min();
      row.maxDb = p.db.Max();
      row.meanDeg = p.deg.Mean();
      row.stdDeg = p.deg.StandardDeviation();
      row.minDeg = p.deg.Min();
      row.maxDeg = p.deg.Max();
      if (of == StatisticsOf::kComplex) {
        const double mean = std::hypot(p.re, p.im);
        row.meanDb = 20.0 * std::log10(mean);
        // The complex mean's angle, taken the turn nearest the mean phase.
        const double angle = std::atan2(p.im, p.re) * (180.0 / std::numbers::pi);
        row.meanDeg = *row.meanDeg + WrapDegrees(angle - *row.meanDeg);
        const std::optional<double> sigma = p.magnitude.StandardDeviation();
        row.stdDb = sigma && mean > 0.0
                        ? std::optional<double>(20.0 * std::log10(1.0 + *sigma / mean))
                        : std::nullopt;
      }
    }
    rows.push_back(row);
  }
  return rows;
}

FigureStatistics::FigureStatistics() : figures_(MaskFigureNames().size()) {}

void FigureStatistics::Add(std::span<const std::optional<double>> values) {
  for (size_t i = 0; i < figures_.size() && i < values.size(); ++i) {
    if (values[i] && std::isfinite(*values[i])) figures_[i].Add(*values[i]);
  }
}

std::optional<double> ProcessCapability(const LimitMask& mask, size_t index, double mean,
                                        double sigma) {
  std::optional<double> lower, upper;
  const auto tighten = [](std::optional<double>& limit, double v, bool isLower) {
    limit = !limit ? v : isLower ? std::max(*limit, v) : std::min(*limit, v);
  };
  for (const MaskRule& r : mask.rules) {
    if (r.kind != MaskRuleKind::kFigure || r.figure != index) continue;
    if (r.bound == MaskBound::kAtLeast || r.bound == MaskBound::kBetween) {
      tighten(lower, r.v1, true);
    }
    if (r.bound == MaskBound::kAtMost) tighten(upper, r.v1, false);
    if (r.bound == MaskBound::kBetween) tighten(upper, r.v2, false);
  }
  if ((!lower && !upper) || !(sigma > 0.0)) return std::nullopt;
  double distance = std::numeric_limits<double>::infinity();
  if (upper) distance = std::min(distance, *upper - mean);
  if (lower) distance = std::min(distance, mean - *lower);
  return distance / (3.0 * sigma);
}

std::vector<FigureRow> FigureStatistics::Rows(const LimitMask* mask) const {
  const std::vector<std::string_view> names = MaskFigureNames();
  std::vector<FigureRow> rows;
  for (size_t i = 0; i < figures_.size(); ++i) {
    const RunningStatistics& s = figures_[i];
    FigureRow row;
    row.name = names[i];
    row.n = s.Count();
    if (row.n > 0) {
      row.mean = s.Mean();
      row.std = s.StandardDeviation();
      row.min = s.Min();
      row.max = s.Max();
      if (mask && row.std) row.cpk = ProcessCapability(*mask, i, s.Mean(), *row.std);
    }
    rows.push_back(row);
  }
  return rows;
}

namespace {

std::string Cell(const std::optional<double>& v) {
  return v ? FullPrecision(*v) : std::string();
}

size_t FigureIndex(std::string_view name) {
  const std::vector<std::string_view> names = MaskFigureNames();
  return static_cast<size_t>(std::find(names.begin(), names.end(), name) - names.begin());
}

}  // namespace

std::string StatisticsCsv(const std::vector<FrequencyRow>& rows) {
  std::string out = "frequency,n,meanDb,stdDb,minDb,maxDb,meanDeg,stdDeg,minDeg,maxDeg\n";
  for (const FrequencyRow& r : rows) {
    out += SummaryLineOf({FullPrecision(r.frequency), std::to_string(r.n), Cell(r.meanDb),
                          Cell(r.stdDb), Cell(r.minDb), Cell(r.maxDb), Cell(r.meanDeg),
                          Cell(r.stdDeg), Cell(r.minDeg), Cell(r.maxDeg)},
                         ',');
  }
  return out;
}

std::string FiguresCsv(const std::vector<FigureRow>& rows) {
  std::string out = "figure,n,mean,std,min,max,cpk\n";
  for (const FigureRow& r : rows) {
    out += SummaryLineOf({std::string(r.name), std::to_string(r.n), Cell(r.mean), Cell(r.std),
                          Cell(r.min), Cell(r.max), Cell(r.cpk)},
                         ',');
  }
  return out;
}

std::vector<std::string> FigureStatisticsCells(const FigureRow& row) {
  const std::string_view unit = MaskFigureUnit(FigureIndex(row.name));
  const auto value = [&](const std::optional<double>& v) {
    return v ? MaskValueText(*v, unit) : std::string();
  };
  return {std::string(row.name), std::to_string(row.n), value(row.mean), value(row.std),
          value(row.min),        value(row.max),        row.cpk ? ThreeDigits(*row.cpk) : ""};
}

std::vector<std::vector<std::string>> FigureStatisticsTable(const std::vector<FigureRow>& rows,
                                                            const TextTranslator* translator) {
  const auto word = [&](const char* source) { return Translate(translator, "Report", source); };
  std::vector<std::vector<std::string>> table{
      {word(FERNPLOT_TEXT("Report", "図表")), "n", word(FERNPLOT_TEXT("Report", "平均")),
       "\u03C3", word(FERNPLOT_TEXT("Report", "最小")), word(FERNPLOT_TEXT("Report", "最大")),
       "cpk"}};
  for (const FigureRow& row : rows) {
    if (row.n > 0) table.push_back(FigureStatisticsCells(row));
  }
  return table;
}

std::string LotPanelText(const std::vector<FigureRow>& rows, size_t sweeps,
                         const TextTranslator* translator) {
  const auto word = [&](const char* source) { return Translate(translator, "Figures", source); };
  std::string text = word(FERNPLOT_TEXT("Figures", "統計")) + "  " + std::to_string(sweeps) + " " +
                     word(FERNPLOT_TEXT("Figures", "ﾍﾟｰｼﾞ")) + "\n";
  const std::string labels[] = {"n ", word(FERNPLOT_TEXT("Figures", "平均")) + " ", "\u03C3 ",
                                word(FERNPLOT_TEXT("Figures", "最小")) + " ",
                                word(FERNPLOT_TEXT("Figures", "最大")) + " ", "cpk "};
  for (const FigureRow& row : rows) {
    if (row.n == 0) continue;
    const std::vector<std::string> cells = FigureStatisticsCells(row);
    text += "  " + cells[0];
    for (size_t c = 1; c < cells.size(); ++c) {
      if (!cells[c].empty()) text += "  " + labels[c - 1] + cells[c];
    }
    text += "\n";
  }
  return text;
}

}  // namespace fernplot
