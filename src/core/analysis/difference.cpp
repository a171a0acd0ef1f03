// SPDX-License-Identifier: MIT
#include "analysis/difference.h"

#include <algorithm>
#include <cmath>

namespace fernplot {

std::vector<SweepPoint> DifferencePoints(std::span<const SweepPoint> trace,
                                         std::span<const UsablePoint> reference) {
  std::vector<SweepPoint> out;
  out.reserve(trace.size());
  if (reference.empty()) return out;
  // What InterpolateAt reads, worked out once: the logarithms of the
  // reference's frequencies, and the bracketing point found by stepping on
  // from the last one (a sweep moves through the reference in order); the
  // arithmetic is InterpolateAt's, so the values are the same to the bit.
  std::vector<double> logs(reference.size());
  for (size_t k = 0; k < reference.size(); ++k) logs[k] = std::log10(reference[k].frequency);
  const size_t n = reference.size();
  size_t k = 0;
  // The last point at or below f (equal frequencies: the last of them).
  const auto bracket = [&](double f) {
    const auto fits = [&](size_t i) {
      return reference[i].frequency <= f && (i + 1 == n || reference[i + 1].frequency > f);
    };
    if (fits(k)) return k;
    if (k + 1 < n && fits(k + 1)) return k + 1;
    if (k > 0 && fits(k - 1)) return k - 1;
    const auto above =
        std::upper_bound(reference.begin(), reference.end(), f,
                         [](double v, const UsablePoint& p) { return v < p.frequency; });
    return static_cast<size_t>(above - reference.begin()) - 1;
  };
  for (const SweepPoint& p : trace) {
    const double f = p.frequency;
    if (!std::isfinite(f)) continue;
    if (!(f >= reference.front().frequency) || !(f <= reference.back().frequency)) continue;
    k = bracket(f);
    // Neighbours whose frequencies differ but whose logarithms do not are
    // one point on the axis: the later one stands for them (see
    // InterpolateAt).
    size_t at = k;
    while (at + 1 < n && logs[at + 1] == logs[at]) ++at;
    double gain, unwrapped;
    if (at + 1 == n) {
      gain = reference[at].gain;
      unwrapped = reference[at].unwrapped;
    } else {
      const UsablePoint& a = reference[at];
      const UsablePoint& b = reference[at + 1];
      const double la = logs[at];
      const double t = (std::log10(f) - la) / (logs[at + 1] - la);
      unwrapped = a.unwrapped + t * (b.unwrapped - a.unwrapped);
      gain = a.gain + t * (b.gain - a.gain);
    }
    const double dPhase = p.phase - unwrapped;
    out.push_back(
        SweepPoint{f, p.gain - gain, std::isfinite(dPhase) ? WrapDegrees(dPhase) : dPhase});
  }
  return out;
}

Subtraction CheckSubtraction(std::span<const SweepPoint> trace,
                             std::span<const UsablePoint> reference) {
  if (reference.empty()) return Subtraction::kNoReferencePoints;
  const std::vector<SweepPoint> points = DifferencePoints(trace, reference);
  const bool any = std::any_of(points.begin(), points.end(), [](const SweepPoint& p) {
    return std::isfinite(p.gain) && std::isfinite(p.phase);
  });
  return any ? Subtraction::kPossible : Subtraction::kNoCommonRange;
}

Subtraction CheckSubtraction(const MeasurementData& page, const MeasurementData& reference,
                             ChannelRatio ratio) {
  return CheckSubtraction(RatioPoints(page, ratio), UsablePoints(RatioPoints(reference, ratio)));
}

std::string SubtractionMessage(Subtraction check, const TextTranslator* translator) {
  switch (check) {
    case Subtraction::kPossible:
      break;
    case Subtraction::kNoReferencePoints:
      return Translate(translator, "Difference",
                       FERNPLOT_TEXT("Difference", "基準のﾃﾞｰﾀに使える点がありません"));
    case Subtraction::kNoCommonRange:
      return Translate(translator, "Difference",
                       FERNPLOT_TEXT("Difference", "基準のﾃﾞｰﾀの周波数範囲にｸﾞﾗﾌの点がありません"));
  }
  return {};
}

}  // namespace fernplot
