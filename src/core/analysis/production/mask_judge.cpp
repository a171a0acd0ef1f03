// SPDX-License-Identifier: MIT
#include "analysis/production/mask_judge.h"

#include <algorithm>
#include <cmath>

#include "analysis/figures_text.h"
#include "analysis/summary_table.h"

namespace fernplot {

namespace {

// The margin of `value` against `limit` for a MIN or MAX rule.
double CurveMargin(const MaskRule& rule, double value, double limit) {
  return rule.bound == MaskBound::kMin ? value - limit : limit - value;
}

double CurveValue(const MaskRule& rule, double gain, double unwrapped) {
  return rule.kind == MaskRuleKind::kPhase ? unwrapped : gain;
}

struct Sample {
  double frequency;
  double value;
  double limit;
  double margin;
};

// Adds [from, to] to `stretches`, joined to the last one when they touch.
void AddStretch(std::vector<FrequencyStretch>& stretches, double from, double to) {
  if (!stretches.empty() && stretches.back().to >= from) {
    stretches.back().to = std::max(stretches.back().to, to);
    return;
  }
  stretches.push_back({from, to});
}

// The part of the segment a..b where the margin is below 0, in log f.
void AddFailing(std::vector<FrequencyStretch>& stretches, const Sample& a, const Sample& b) {
  const bool fa = a.margin < 0.0;
  const bool fb = b.margin < 0.0;
  if (!fa && !fb) return;
  if (fa && fb) return AddStretch(stretches, a.frequency, b.frequency);
  const double la = std::log10(a.frequency);
  const double lb = std::log10(b.frequency);
  const double t = a.margin / (a.margin - b.margin);
  const double cross = std::pow(10.0, la + t * (lb - la));
  if (fa) {
    AddStretch(stretches, a.frequency, std::clamp(cross, a.frequency, b.frequency));
  } else {
    AddStretch(stretches, std::clamp(cross, a.frequency, b.frequency), b.frequency);
  }
}

std::string Reason(const MaskRule& rule, const RuleVerdict& v, std::string_view unit) {
  if (v.outcome == RuleOutcome::kNotMeasured) return "not measured";
  if (v.outcome == RuleOutcome::kFigureMissing) return "figure missing";
  const bool over =
      rule.bound == MaskBound::kMax || rule.bound == MaskBound::kAtMost ||
      (rule.bound == MaskBound::kBetween && v.value && v.limit && *v.value > *v.limit);
  const double by = -*v.margin;
  std::string text = (over ? "exceeded by " : "under by ") + MaskValueText(by, unit);
  if (v.atHz) text += " at " + ThreeDigits(*v.atHz, "Hz");
  return text;
}

}  // namespace

std::string_view VerdictUnit(const MaskRule& rule, const MaskVerdict& verdict) {
  return verdict.ohms && rule.kind == MaskRuleKind::kGain ? "\u03A9" : MaskRuleUnit(rule);
}

std::string MaskValueText(double value, std::string_view unit) {
  if (unit == "Hz" || unit == "s" || unit == "\u03A9") return ThreeDigits(value, unit);
  if (unit == "\u00B0") return ThreeDigits(value) + "\u00B0";
  return ThreeDigits(value) + (unit.empty() ? "" : " " + std::string(unit));
}

double MaskLimitAt(const MaskRule& rule, double frequency) {
  if (rule.v1 == rule.v2) return rule.v1;
  const double l1 = std::log10(rule.f1);
  const double t = (std::log10(frequency) - l1) / (std::log10(rule.f2) - l1);
  return rule.v1 + t * (rule.v2 - rule.v1);
}

RuleVerdict JudgeCurveRule(const MaskRule& rule, std::span<const UsablePoint> points) {
  RuleVerdict v;
  if (points.empty()) {
    v.outcome = RuleOutcome::kNotMeasured;
    return v;
  }
  const double lo = std::max(rule.f1, points.front().frequency);
  const double hi = std::min(rule.f2, points.back().frequency);
  if (!(lo <= hi)) {
    v.outcome = RuleOutcome::kNotMeasured;
    return v;
  }
  const auto sample = [&](double f, double value) {
    const double limit = MaskLimitAt(rule, f);
    return Sample{f, value, limit, CurveMargin(rule, value, limit)};
  };
  const auto at = [&](double f) {
    const CurveReading r = *InterpolateAt(points, f);
    return sample(f, CurveValue(rule, r.gain, r.unwrapped));
  };
  std::optional<Sample> worst;
  std::optional<Sample> previous;
  const auto visit = [&](const Sample& s) {
    if (!worst || s.margin < worst->margin) worst = s;
    if (previous) AddFailing(v.failing, *previous, s);
    previous = s;
  };
  visit(at(lo));
  // The points of the covered part, ends included: where several points
  // share a frequency, each of them is on the curve.
  auto k = std::lower_bound(points.begin(), points.end(), lo,
                            [](const UsablePoint& p, double f) { return p.frequency < f; });
  for (; k != points.end() && k->frequency <= hi; ++k) {
    visit(sample(k->frequency, CurveValue(rule, k->gain, k->unwrapped)));
  }
  visit(at(hi));
  if (lo == hi && worst->margin < 0.0 && v.failing.empty()) v.failing.push_back({lo, hi});
  v.margin = worst->margin;
  v.atHz = worst->frequency;
  v.value = worst->value;
  v.limit = worst->limit;
  v.pass = worst->margin >= 0.0;
  return v;
}

std::vector<std::optional<double>> MaskFigureValues(const SweepFigures& figures) {
  const SummaryRow row = MakeSummaryRow({}, {}, figures, LoopJudgement::kLoop);
  return {row.figures.begin(), row.figures.end()};
}

MaskVerdict JudgeMask(const LimitMask& mask, std::span<const UsablePoint> points,
                      std::span<const std::optional<double>> figureValues) {
  MaskVerdict verdict;
  verdict.pass = true;
  for (size_t i = 0; i < mask.rules.size(); ++i) {
    const MaskRule& rule = mask.rules[i];
    RuleVerdict v;
    if (rule.kind != MaskRuleKind::kFigure) {
      v = JudgeCurveRule(rule, points);
    } else if (rule.figure >= figureValues.size() || !figureValues[rule.figure]) {
      v.outcome = RuleOutcome::kFigureMissing;
    } else {
      const double x = *figureValues[rule.figure];
      v.value = x;
      if (rule.bound == MaskBound::kAtLeast) {
        v.margin = x - rule.v1;
        v.limit = rule.v1;
      } else if (rule.bound == MaskBound::kAtMost) {
        v.margin = rule.v1 - x;
        v.limit = rule.v1;
      } else {
        const bool low = x - rule.v1 <= rule.v2 - x;
        v.margin = low ? x - rule.v1 : rule.v2 - x;
        v.limit = low ? rule.v1 : rule.v2;
      }
      // A figure that is not a number has no margin; it cannot pass.
      v.pass = *v.margin >= 0.0;
    }
    v.rule = i;
    verdict.pass = verdict.pass && v.pass;
    if (v.margin && !std::isnan(*v.margin) &&
        (!verdict.worstMargin || *v.margin < *verdict.worstMargin)) {
      verdict.worstMargin = v.margin;
    }
    verdict.rules.push_back(std::move(v));
  }
  return verdict;
}

std::string VerdictText(const LimitMask& mask, const MaskVerdict& verdict) {
  if (verdict.pass) return "PASS";
  std::string text = "FAIL (";
  bool first = true;
  for (const RuleVerdict& v : verdict.rules) {
    if (v.pass) continue;
    const MaskRule& rule = mask.rules[v.rule];
    if (!first) text += "; ";
    first = false;
    text += "rule " + std::to_string(rule.line) + ": " + rule.text + " " +
            Reason(rule, v, VerdictUnit(rule, verdict));
  }
  return text + ")";
}

std::string MaskPanelText(const LimitMask& mask, const MaskVerdict& verdict,
                          const TextTranslator* translator) {
  const auto word = [&](const char* source) { return Translate(translator, "Figures", source); };
  std::string text =
      word(FERNPLOT_TEXT("Figures", "ﾏｽｸ")) + "  " + (verdict.pass ? "PASS" : "FAIL") + "\n";
  for (const RuleVerdict& v : verdict.rules) {
    const MaskRule& rule = mask.rules[v.rule];
    text += "  " + std::to_string(rule.line) + ": " + rule.text + "  ";
    if (v.outcome == RuleOutcome::kNotMeasured) {
      text += word(FERNPLOT_TEXT("Figures", "測定範囲外"));
    } else if (v.outcome == RuleOutcome::kFigureMissing) {
      text += word(FERNPLOT_TEXT("Figures", "図表なし"));
    } else {
      const std::string_view unit = VerdictUnit(rule, verdict);
      const double m = *v.margin;
      text += (m > 0.0 ? "+" : "") + MaskValueText(m, unit);
      if (v.atHz) text += " @ " + ThreeDigits(*v.atHz, "Hz");
      if (!v.pass) text += "  FAIL";
    }
    text += '\n';
  }
  return text;
}

std::string FailedRulesCell(const LimitMask& mask, const MaskVerdict& verdict) {
  std::string cell;
  for (const RuleVerdict& v : verdict.rules) {
    if (v.pass) continue;
    if (!cell.empty()) cell += ';';
    cell += std::to_string(mask.rules[v.rule].line);
  }
  return cell;
}

}  // namespace fernplot
