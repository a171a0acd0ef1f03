// SPDX-License-Identifier: MIT
#pragma once
// The figures an engineer reads off a sweep: low-frequency gain, peak, the
// -3 dB points, a resonance and its Q, and a loop's stability margins.
//
// A level crossing lies between neighbouring usable points k and k+1 when
// exactly one of the two values is above the level (equal is not above). Its
// frequency is interpolated linearly in log10(f) with
//   t = (level - q[k]) / (q[k+1] - q[k]),
//   log10 f = log10 f[k] + t (log10 f[k+1] - log10 f[k]),
// and the other quantity (gain or unwrapped phase) is taken with the same t.
// Every crossing is listed, in ascending frequency. A figure that does not
// exist is left empty, never given as 0.

#include <cstddef>
#include <optional>
#include <span>
#include <vector>

#include "analysis/sweep_points.h"

namespace fernplot {

// Where the phase margin is measured from. Most loops are read against
// -180°; some instruments measure a loop's phase so that it reads the margin
// directly, against 0°.
enum class MarginReference { kMinus180, kZero };

// The reference in degrees: -180 or 0.
int MarginReferenceDegrees(MarginReference reference);

struct FrequencyGain {
  double frequency = 0.0;  // Hz
  double gain = 0.0;       // dB
};

enum class CrossingDirection { kFalling, kRising };

struct LevelCrossing {
  double frequency = 0.0;
  CrossingDirection direction = CrossingDirection::kFalling;
};

struct Resonance {
  double frequency = 0.0;  // the peak's
  double gain = 0.0;
  double lower = 0.0;  // Hz, where the gain is 3 dB under the peak
  double upper = 0.0;
  double q = 0.0;         // frequency / (upper - lower)
  size_t bandPoints = 0;  // usable points from lower to upper
  // From a second-order section fitted to the points around the peak; a
  // sweep with few points in the band reads these more truly.
  std::optional<double> fittedFrequency;
  std::optional<double> fittedQ;
};

// Below this many points within its -3 dB band a resonance is better read
// from the fitted section than from the points.
inline constexpr size_t kFineResonancePoints = 8;

// A crossing of 0 dB.
struct GainCrossover {
  double frequency = 0.0;
  double phase = 0.0;  // degrees in (-180, 180]
  double phaseMargin = 0.0;
};

// A crossing of the phase through a reference level.
struct PhaseCrossover {
  double frequency = 0.0;
  double gain = 0.0;
  double gainMargin = 0.0;  // -gain, dB
};

// The figures read off a gain curve alone: the gain at the lowest
// frequency, the first point of largest gain, and every crossing of the
// low-frequency gain - 3 dB.
struct GainFigures {
  std::optional<FrequencyGain> lowFrequencyGain;
  std::optional<FrequencyGain> peak;
  std::vector<LevelCrossing> minus3dB;
};

// The smallest distance |1 + L| of the loop's curve to the critical point -1.
struct ModulusMargin {
  double frequency = 0.0;  // Hz
  double value = 0.0;      // |1 + L|
};

// The extra dead time a gain crossover with a positive phase margin takes
// before its margin is used up: PM / (360° fc).
struct DelayMargin {
  double frequency = 0.0;  // the crossover's, Hz
  double seconds = 0.0;
};

struct SweepFigures {
  size_t points = 0;                              // usable points
  std::optional<FrequencyGain> lowFrequencyGain;  // the first usable point
  std::optional<FrequencyGain> peak;              // the first point of largest gain
  std::vector<LevelCrossing> minus3dB;            // crossings of low-frequency gain - 3 dB
  std::optional<Resonance> resonance;
  MarginReference reference = MarginReference::kMinus180;
  std::vector<GainCrossover> gainCrossovers;
  std::vector<PhaseCrossover> phaseCrossovers;
  // The smallest of the crossovers' margins; empty without a crossover.
  std::optional<double> phaseMargin;
  std::optional<double> gainMargin;
  // The crossovers that give those margins (the first on a tie).
  std::optional<size_t> phaseMarginCrossover;
  std::optional<size_t> gainMarginCrossover;
  // Read off the curve as a loop gain L; see analysis/loop.h.
  std::optional<ModulusMargin> modulusMargin;
  std::vector<DelayMargin> delayMargins;   // in the crossovers' order
  std::optional<double> delayMargin;       // the smallest, seconds
  std::optional<size_t> delayMarginIndex;  // into delayMargins, the first on a tie
  GainFigures closedLoop;                  // of T = L / (1 + L)
};

// The gain figures of `points` (as UsablePoints gives them).
GainFigures ComputeGainFigures(std::span<const UsablePoint> points);

// Every crossing of `level` by the gain, in ascending frequency.
std::vector<LevelCrossing> GainCrossings(std::span<const UsablePoint> points, double level);

// The figures of the usable points `points` (as UsablePoints gives them).
//
// A resonance needs a peak that is neither the first nor the last point and
// crossings of (peak gain - 3 dB) on both sides of the peak's frequency; its
// lower and upper frequencies are the crossings nearest to the peak. The
// fitted f0 and Q are empty when no pole pair fits the points around it.
//
// Against -180° a gain crossover's phase margin is wrap(u + 180) and the phase
// crossovers are the crossings of u through every odd multiple of 180°;
// against 0° the margin is wrap(u) and the crossovers are those through every
// multiple of 360°.
SweepFigures ComputeFigures(std::span<const UsablePoint> points, MarginReference reference);

}  // namespace fernplot
