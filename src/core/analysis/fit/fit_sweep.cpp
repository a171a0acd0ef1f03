// SPDX-License-Identifier: MIT
// Fitting a sweep: the points in range, the order (given or chosen), the
// delay, and the model with the roots the points do not support left out.
#include <algorithm>
#include <cmath>

#include "analysis/fit/rational_fit.h"
#include "analysis/fit/vector_fit.h"
#include "analysis/golden_section.h"

namespace fernplot {

namespace {

using fit::Complex;
using fit::Poles;
using fit::Rational;
using fit::Sample;

// The delay search and the choice of order fit many trial models. They use
// at most this many points, evenly thinned: the trial models only need to
// tell a better delay or order from a worse one, and the one model kept is
// fitted to every point.
constexpr size_t kDelayPoints = 400;
constexpr size_t kChoicePoints = 2000;
// The delay search: a coarse scan of the error over the delays the phase
// allows, then golden sections in the best cell.
constexpr int kDelayGrid = 16;
constexpr int kDelaySteps = 24;
// Errors below this (relative) are equally good: the six digits a file
// stores its values with tell them no further apart.
constexpr double kNegligibleError = 1e-6;
// A zero beyond this multiple of the band's top changes the response in the
// band by less than its inverse, which the data cannot tell from noise.
constexpr double kFarZero = 1e4;

// A part of the fit's progress: shares from..from+width of the whole.
class Stage {
 public:
  Stage(const FitMonitor* monitor, bool* stopped, double from = 0.0, double width = 1.0)
      : monitor_(monitor), stopped_(stopped), from_(from), width_(width) {}
  // Says that `done` (0 to 1) of this stage is done; false once stopped.
  bool At(double done) const {
    if (*stopped_) return false;
    if (monitor_ && monitor_->step &&
        !monitor_->step(from_ + width_ * std::clamp(done, 0.0, 1.0))) {
      *stopped_ = true;
    }
    return !*stopped_;
  }
  Stage Part(double a, double b) const {
    return Stage(monitor_, stopped_, from_ + width_ * a, width_ * (b - a));
  }
  bool Stopped() const { return *stopped_; }

 private:
  const FitMonitor* monitor_;
  bool* stopped_;
  double from_, width_;
};

struct Fitted {
  Rational rational;
  double delay = 0.0;
  double logError = 0.0;  // over the samples it was fitted to
};

std::optional<Fitted> FitAt(std::span<const UsablePoint> points, double scale, int order,
                            double delay) {
  const std::vector<Sample> samples = fit::Samples(points, scale, delay);
  std::optional<Rational> r = fit::FitOrder(samples, order);
  if (!r) return std::nullopt;
  const double error = fit::LogRms(samples, *r);
  return Fitted{std::move(*r), delay, error};
}

// The largest delay the measured phase allows: its whole span and one turn
// more, spent at the top of the band.
double DelayBound(std::span<const UsablePoint> points) {
  const double span = std::abs(points.back().unwrapped - points.front().unwrapped);
  return (span + 360.0) / (360.0 * points.back().frequency);
}

// The delay that fits `points` best with `order` poles, searched with the
// relative error of a whole fit at each trial delay; nothing when stopped.
std::optional<double> SearchDelay(std::span<const UsablePoint> points, double scale, int order,
                                  const Stage& stage) {
  const double bound = DelayBound(points);
  constexpr double kTrials = kDelayGrid + 1 + kDelaySteps + 2;
  int trials = 0;
  const auto errorAt = [&](double tau) {
    if (!stage.At(trials++ / kTrials)) return HUGE_VAL;
    const std::vector<Sample> samples = fit::Samples(points, scale, tau);
    const std::optional<Rational> r = fit::FitOrder(samples, order);
    const double e = r ? fit::RelativeRms(samples, *r) : HUGE_VAL;
    return std::isfinite(e) ? e : HUGE_VAL;
  };
  std::vector<double> grid(kDelayGrid + 1);
  size_t best = 0;
  for (int i = 0; i <= kDelayGrid; ++i) {
    grid[static_cast<size_t>(i)] = errorAt(bound * i / kDelayGrid);
    if (grid[static_cast<size_t>(i)] < grid[best]) best = static_cast<size_t>(i);
  }
  const auto cell = static_cast<double>(best);
  const double lo = bound * std::max(0.0, cell - 1.0) / kDelayGrid;
  const double hi = bound * std::min(static_cast<double>(kDelayGrid), cell + 1.0) / kDelayGrid;
  const BracketMinimum m = GoldenSectionMinimum(errorAt, lo, hi, 1e-7 * bound, kDelaySteps);
  if (stage.Stopped()) return std::nullopt;
  return grid[best] < m.value ? bound * cell / kDelayGrid : m.x;
}

// The model of `fitted`'s roots with `zeros` and the delay, its gain fitted.
FitModel WithRoots(std::span<const UsablePoint> points, const Fitted& fitted, const Poles& zeros,
                   double scale, double delay) {
  FitModel model;
  model.poles = fit::BothMembers(fitted.rational.poles, scale);
  model.zeros = fit::BothMembers(zeros, scale);
  model.delay = delay;
  model.gain = fit::BestGain(points, model);
  fit::MeasureErrors(points, model);
  return model;
}

// How far outside the band [lo, hi] a root lies, as a ratio (1 within it).
double OutsideBy(const Complex& root, double lo, double hi) {
  const double f = std::abs(root);
  return f > hi ? f / hi : f < lo ? lo / std::max(f, 1e-300) : 1.0;
}

// The model of `fitted`. Zeros outside the band are left out, the farthest
// first, as long as the error without them is higher by no more than the
// noise floor: a response that falls off faster than one pole leaves zeros
// far out that are fitted to rounding or noise, and a zero pair just above
// the band trades with the delay. With a delay, the delay is searched again
// for the roots that stay, so that the pair it traded with no longer bends
// it.
std::optional<FitModel> ToModel(std::span<const UsablePoint> points,
                                std::span<const UsablePoint> search, double scale,
                                const Fitted& fitted, bool withDelay, double floor) {
  const std::optional<Poles> zeros = fit::Zeros(fitted.rational);
  if (!zeros) return std::nullopt;
  const double lo = points.front().frequency / scale;
  const double hi = points.back().frequency / scale;
  Poles inBand;
  Poles outside;
  for (const Complex& z : *zeros) {
    if (std::abs(z) > kFarZero * hi) continue;
    (OutsideBy(z, lo, hi) > 1.0 ? outside : inBand).push_back(z);
  }
  std::sort(outside.begin(), outside.end(), [&](const Complex& x, const Complex& y) {
    return OutsideBy(x, lo, hi) > OutsideBy(y, lo, hi);
  });
  // The zeros kept when the `dropped` farthest ones go.
  const auto keptWith = [&](size_t dropped) {
    Poles kept = inBand;
    kept.insert(kept.end(), outside.begin() + static_cast<std::ptrdiff_t>(dropped), outside.end());
    return kept;
  };
  // The delay for fixed roots: the error over the thinned points as a
  // function of τ near the delay fitted with all of them.
  const double bound = DelayBound(points);
  const auto delayFor = [&](const Poles& kept) {
    if (!withDelay) return 0.0;
    const auto errorAt = [&](double tau) {
      return WithRoots(search, fitted, kept, scale, tau).relativeRms;
    };
    const double reach = 2.0 * bound / kDelayGrid;
    const BracketMinimum m = GoldenSectionMinimum(errorAt, std::max(0.0, fitted.delay - reach),
                                                  fitted.delay + reach, 1e-7 * bound, 40);
    return m.value < errorAt(fitted.delay) ? m.x : fitted.delay;
  };
  const FitModel full = WithRoots(points, fitted, keptWith(0), scale, fitted.delay);
  const double allowed = std::max(1.05 * full.relativeRms, full.relativeRms + floor);
  // The roots a steeper fall-off leaves spread round a circle far out, so
  // they are tried as groups: the largest number of the farthest roots whose
  // removal passes.
  size_t dropped = 0;
  for (size_t count = 1; count <= outside.size(); ++count) {
    const Poles kept = keptWith(count);
    const double e = WithRoots(points, fitted, kept, scale, delayFor(kept)).relativeRms;
    if (e <= allowed) dropped = count;
  }
  const Poles kept = keptWith(dropped);
  FitModel model = dropped ? WithRoots(points, fitted, kept, scale, delayFor(kept)) : full;
  fit::AddSections(model.poles, false, model.sections);
  fit::AddSections(model.zeros, true, model.sections);
  model.fittedFrom = points.front().frequency;
  model.fittedTo = points.back().frequency;
  if (!std::isfinite(model.gain) || model.gain == 0.0) return std::nullopt;
  if (!std::isfinite(model.relativeRms)) return std::nullopt;
  return model;
}

int Unknowns(int order, bool delay) {
  return 2 * order + 1 + (delay ? 1 : 0);
}

}  // namespace

FitResult FitSweep(std::span<const UsablePoint> all, const FitOptions& options,
                   const FitMonitor* monitor) {
  FitResult result;
  const auto fail = [&result](const char* text, std::vector<std::string> args = {}) {
    result.error = FillTextArgs(text, args);
    result.errorText = text;
    result.errorArgs = std::move(args);
    return result;
  };
  if (options.order && (*options.order < 1 || *options.order > kMaxFitOrder)) {
    return fail(FERNPLOT_TEXT("Fit", "次数は 1 から %1 までです"), {std::to_string(kMaxFitOrder)});
  }
  std::vector<UsablePoint> points;
  for (const UsablePoint& p : all) {
    if (options.fmin && p.frequency < *options.fmin) continue;
    if (options.fmax && p.frequency > *options.fmax) continue;
    points.push_back(p);
  }
  if (points.empty()) {
    if (!all.empty())
      return fail(FERNPLOT_TEXT("Fit", "指定の周波数範囲に使えるデータ点がありません"));
    return fail(FERNPLOT_TEXT("Fit", "使えるデータ点がありません"));
  }
  const int available = static_cast<int>(std::min<size_t>(points.size(), 1000000));
  const int first = options.order.value_or(1);
  if (available < Unknowns(first, options.delay)) {
    return fail(
        FERNPLOT_TEXT("Fit",
                      "使えるデータ点 (%1) が %3 次のモデルの未知数 %2 個より少なくなっています"),
        {std::to_string(points.size()), std::to_string(Unknowns(first, options.delay)),
         std::to_string(first)});
  }
  for (const UsablePoint& p : points) {
    if (!(std::pow(10.0, p.gain / 20.0) > 0.0) || !std::isfinite(std::pow(10.0, p.gain / 20.0))) {
      return fail(FERNPLOT_TEXT("Fit", "ゲインが大きすぎるか小さすぎてフィットできません"));
    }
  }
  const double scale = std::sqrt(points.front().frequency * points.back().frequency);
  const std::vector<UsablePoint> search = fit::Thinned<UsablePoint>(points, kDelayPoints);
  const std::vector<UsablePoint> choice = fit::Thinned<UsablePoint>(points, kChoicePoints);
  const double floor = RelativeNoiseFloor(points);
  bool stopped = false;
  const Stage whole(monitor, &stopped);
  // The fit of `order` to `on`, its delay searched first when asked for.
  const auto fitOrder = [&](int order, std::span<const UsablePoint> on,
                            const Stage& stage) -> std::optional<Fitted> {
    double delay = 0.0;
    if (options.delay) {
      const std::optional<double> searched = SearchDelay(search, scale, order, stage);
      if (!searched) return std::nullopt;
      delay = *searched;
    }
    return FitAt(on, scale, order, delay);
  };

  std::optional<Fitted> chosen;
  if (options.order) {
    chosen = fitOrder(*options.order, points, whole.Part(0.0, 0.9));
  } else {
    // Every order up to the highest the points allow is fitted, until one
    // is within the noise; the lowest is kept that is within 1.5 times the
    // best of them (or of the noise floor). Orders are compared on the
    // thinned points; the one kept is fitted again to all of them.
    int highest = 0;
    while (highest < kMaxFitOrder && Unknowns(highest + 1, options.delay) <= available) ++highest;
    // Later orders cost more: the progress counts the squares of the orders.
    const double work = highest * (highest + 1.0) * (2.0 * highest + 1.0) / 6.0;
    double done = 0.0;
    std::vector<std::optional<Fitted>> fits;
    for (int order = 1; order <= highest; ++order) {
      const double share = 0.9 * order * order / work;
      std::optional<Fitted> f = fitOrder(order, choice, whole.Part(done, done + share));
      done += share;
      if (stopped) break;
      fits.push_back(std::move(f));
      if (fits.back() && fits.back()->logError <= 1.5 * std::max(floor, kNegligibleError)) break;
    }
    double best = HUGE_VAL;
    for (const auto& f : fits) {
      if (f) best = std::min(best, f->logError);
    }
    const double good = 1.5 * std::max({best, floor, kNegligibleError});
    for (size_t i = 0; i < fits.size() && !stopped; ++i) {
      if (!fits[i] || fits[i]->logError > good) continue;
      if (choice.size() == points.size()) {
        chosen = std::move(fits[i]);
      } else {
        chosen = FitAt(points, scale, static_cast<int>(i) + 1, fits[i]->delay);
      }
      break;
    }
  }
  if (!stopped && !whole.At(0.9)) stopped = true;
  if (chosen && !stopped) {
    result.model = ToModel(points, search, scale, *chosen, options.delay, floor);
  }
  if (stopped) {
    result.cancelled = true;
    result.model.reset();
    return fail(FERNPLOT_TEXT("Fit", "フィットを中止しました"));
  }
  if (!result.model) return fail(FERNPLOT_TEXT("Fit", "データ点からモデルが決まりません"));
  whole.At(1.0);
  return result;
}

std::string FitErrorMessage(const FitResult& result, const TextTranslator* translator) {
  if (!result.errorText) return result.error;
  return FillTextArgs(Translate(translator, "Fit", result.errorText), result.errorArgs);
}

}  // namespace fernplot
