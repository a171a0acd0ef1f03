// SPDX-License-Identifier: MIT
#pragma once
// A sweep judged against a limit mask.
//
// Every rule has a signed margin, positive inside the limits: for MAX the
// limit minus the value, for MIN the value minus the limit, for `>= V`
// x - V, for `<= V` V - x, for BETWEEN min(x - LO, HI - x). A rule passes
// when its margin is 0 or more.
//
// A GAIN or PHASE rule is judged on the curve the figures read: the usable
// points and the straight lines in log f between them (the phase
// unwrapped), over the part of [f1, f2] the sweep covers. The limit is
// straight in log f as well, so the margin is straight on every piece and
// its smallest value lies at a point or at an end of the covered part. A
// rule whose range the sweep does not reach is "not measured"; a FIGURE rule
// whose figure does not exist has its "figure missing". Both have no margin
// and fail.

#include <array>
#include <optional>
#include <span>
#include <string>
#include <string_view>
#include <vector>

#include "analysis/production/limit_mask.h"
#include "analysis/sweep_figures.h"
#include "analysis/sweep_points.h"
#include "text/ui_text.h"

namespace fernplot {

enum class RuleOutcome { kJudged, kNotMeasured, kFigureMissing };

// A stretch of frequencies, from <= to (equal for a single frequency).
struct FrequencyStretch {
  double from = 0.0;
  double to = 0.0;
};

struct RuleVerdict {
  size_t rule = 0;  // index into the mask's rules
  RuleOutcome outcome = RuleOutcome::kJudged;
  bool pass = false;
  std::optional<double> margin;  // the smallest over the covered part
  std::optional<double> atHz;    // where the margin is smallest (GAIN, PHASE)
  std::optional<double> value;   // the curve's value or the figure there
  std::optional<double> limit;   // the limit there (BETWEEN: the nearer bound)
  // GAIN and PHASE: where the curve is outside its limit, ascending.
  std::vector<FrequencyStretch> failing;
};

struct MaskVerdict {
  bool pass = false;
  std::vector<RuleVerdict> rules;     // one per mask rule, in its order
  std::optional<double> worstMargin;  // the smallest margin of the rules that have one
  // GAIN rules were judged on |Z| in ohms (an impedance page), not in dB.
  bool ohms = false;
};

// The unit a rule's values have in `verdict`: its own, or ohms for a GAIN
// rule of an impedance.
std::string_view VerdictUnit(const MaskRule& rule, const MaskVerdict& verdict);

// The limit of a GAIN or PHASE rule at `frequency`: v1 at f1, v2 at f2,
// straight in log f between them (and beyond, along the same line).
double MaskLimitAt(const MaskRule& rule, double frequency);

// A GAIN or PHASE rule on the usable points `points`.
RuleVerdict JudgeCurveRule(const MaskRule& rule, std::span<const UsablePoint> points);

// The figures a FIGURE rule reads, in MaskFigureNames()' order: the summary
// table's, loop figures included whether or not the sweep looks like a loop.
std::vector<std::optional<double>> MaskFigureValues(const SweepFigures& figures);

// Every rule of `mask` on the usable points and their figures (as
// MaskFigureValues gives them).
MaskVerdict JudgeMask(const LimitMask& mask, std::span<const UsablePoint> points,
                      std::span<const std::optional<double>> figureValues);

// "PASS", or "FAIL (rule 3: GAIN MAX 10k 100k -3 exceeded by 0.420 dB at
// 12.6 kHz; rule 5: ... figure missing)".
std::string VerdictText(const LimitMask& mask, const MaskVerdict& verdict);

// `value` in three digits with its unit: SI-prefixed for Hz and s
// ("12.6 kHz"), else after it ("0.420 dB", "45.0°").
std::string MaskValueText(double value, std::string_view unit);

// The figures panel's lines of a verdict: "ﾏｽｸ  FAIL", then each rule with
// its line and margin ("  3: GAIN MAX 10k 100k -3  -0.420 dB @ 12.6 kHz"),
// the words in the language of `translator`.
std::string MaskPanelText(const LimitMask& mask, const MaskVerdict& verdict,
                          const TextTranslator* translator = nullptr);

// The failing rules' line numbers separated by ';' (empty on PASS).
std::string FailedRulesCell(const LimitMask& mask, const MaskVerdict& verdict);

}  // namespace fernplot
