// SPDX-License-Identifier: MIT
// libFuzzer target for the limit-mask parser. A mask that parses is judged
// against a small sweep made from the input's first bytes: every rule gets a
// verdict, a margin exactly when it was judged, and a failing stretch only
// where it fails. A malformed mask names a line the text has.

#include <cmath>
#include <vector>

#include "analysis/production/limit_mask.h"
#include "analysis/production/mask_judge.h"
#include "fuzz_support.h"

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size) {
  using namespace fernplot;
  using fuzzing::Check;
  const std::string_view text = fuzzing::InputText(data, size);
  const MaskParse p = ParseMask(text, "m");
  Check(p.mask.has_value() == p.error.empty());
  if (!p.mask) {
    Check(p.error.starts_with("m:") || p.error.starts_with("m: "));
    size_t lines = 1;
    for (const char c : text) lines += c == '\n';
    const std::string_view rest = std::string_view(p.error).substr(2);
    const size_t line = static_cast<size_t>(std::atol(std::string(rest).c_str()));
    Check(line <= lines);
    return 0;
  }
  // A sweep of up to eight points from the first bytes.
  std::vector<UsablePoint> points;
  double f = 1.0;
  for (size_t i = 0; i < size && i < 8; ++i) {
    f *= 1.0 + data[i];
    const double gain = static_cast<double>(static_cast<int8_t>(data[i]));
    points.push_back({f, gain, gain * 2.0, gain * 2.0});
  }
  std::vector<std::optional<double>> figures(MaskFigureNames().size());
  for (size_t i = 0; i < figures.size() && i < size; i += 2) figures[i] = data[i];
  const MaskVerdict v = JudgeMask(*p.mask, points, figures);
  Check(v.rules.size() == p.mask->rules.size());
  bool pass = true;
  for (const RuleVerdict& r : v.rules) {
    const MaskRule& rule = p.mask->rules[r.rule];
    Check(rule.line >= 1 && !rule.text.empty());
    Check(r.margin.has_value() == (r.outcome == RuleOutcome::kJudged));
    Check(!r.margin || r.pass == (*r.margin >= 0.0));
    Check(r.margin || !r.pass);
    Check(r.pass || rule.kind == MaskRuleKind::kFigure || r.outcome != RuleOutcome::kJudged ||
          !r.failing.empty());
    for (const FrequencyStretch& s : r.failing) {
      Check(s.from <= s.to && s.from >= rule.f1 && s.to <= rule.f2);
    }
    pass = pass && r.pass;
  }
  Check(v.pass == pass);
  Check((VerdictText(*p.mask, v) == "PASS") == pass);
  return 0;
}
