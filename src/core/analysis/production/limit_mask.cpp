// SPDX-License-Identifier: MIT
#include "analysis/production/limit_mask.h"

#include <sys/stat.h>

#include <cerrno>
#include <charconv>
#include <cmath>
#include <cstring>
#include <fstream>
#include <iterator>

#include "analysis/summary_table.h"
#include "text/number_text.h"

namespace fernplot {

namespace {

// The summary columns before the figures: file, title, points.
constexpr size_t kFirstFigureColumn = 3;

char Upper(char c) {
  return c >= 'a' && c <= 'z' ? static_cast<char>(c - 'a' + 'A') : c;
}

bool SameWord(std::string_view a, std::string_view b) {
  if (a.size() != b.size()) return false;
  for (size_t i = 0; i < a.size(); ++i) {
    if (Upper(a[i]) != Upper(b[i])) return false;
  }
  return true;
}

bool EndsWithWord(std::string_view text, std::string_view end) {
  return text.size() >= end.size() && SameWord(text.substr(text.size() - end.size()), end);
}

// A carriage return ends a line written on Windows; it separates like a space.
bool IsSpace(char c) {
  return c == ' ' || c == '\t' || c == '\r' || c == '\v' || c == '\f';
}

std::vector<std::string_view> Words(std::string_view line) {
  std::vector<std::string_view> words;
  size_t i = 0;
  while (i < line.size()) {
    while (i < line.size() && IsSpace(line[i])) ++i;
    const size_t start = i;
    while (i < line.size() && !IsSpace(line[i])) ++i;
    if (i > start) words.push_back(line.substr(start, i - start));
  }
  return words;
}

std::string Quoted(std::string_view word) {
  return "'" + std::string(word) + "'";
}

// Parses the words of one rule; an empty string on success, else why not.
std::string ParseRule(const std::vector<std::string_view>& w, MaskRule& rule) {
  const std::string_view kind = w[0];
  if (SameWord(kind, "GAIN") || SameWord(kind, "PHASE")) {
    rule.kind = SameWord(kind, "GAIN") ? MaskRuleKind::kGain : MaskRuleKind::kPhase;
    const std::string name = SameWord(kind, "GAIN") ? "GAIN" : "PHASE";
    if (w.size() < 2 || !(SameWord(w[1], "MIN") || SameWord(w[1], "MAX"))) {
      return name + " needs MIN or MAX";
    }
    rule.bound = SameWord(w[1], "MIN") ? MaskBound::kMin : MaskBound::kMax;
    if (w.size() < 5 || w.size() > 6) return name + " takes MIN|MAX f1 f2 v1 [v2]";
    const std::optional<double> f1 = ParseMaskFrequency(w[2]);
    const std::optional<double> f2 = ParseMaskFrequency(w[3]);
    if (!f1) return Quoted(w[2]) + " is not a frequency";
    if (!f2) return Quoted(w[3]) + " is not a frequency";
    if (!(*f1 > 0.0) || !(*f1 < *f2)) return "f1 must be above 0 and below f2";
    const std::optional<double> v1 = PlainNumber(w[4]);
    if (!v1) return Quoted(w[4]) + " is not a number";
    std::optional<double> v2 = v1;
    if (w.size() == 6 && !(v2 = PlainNumber(w[5]))) return Quoted(w[5]) + " is not a number";
    rule.f1 = *f1;
    rule.f2 = *f2;
    rule.v1 = *v1;
    rule.v2 = *v2;
    return {};
  }
  if (!SameWord(kind, "FIGURE")) return "unknown rule " + Quoted(kind) + " (GAIN, PHASE or FIGURE)";
  rule.kind = MaskRuleKind::kFigure;
  if (w.size() < 2) return "FIGURE needs a figure name";
  const std::vector<std::string_view> names = MaskFigureNames();
  size_t index = 0;
  while (index < names.size() && !SameWord(names[index], w[1])) ++index;
  if (index == names.size()) return "unknown figure " + Quoted(w[1]);
  rule.figure = index;
  if (w.size() < 3) return "FIGURE needs >=, <= or BETWEEN";
  if (w[2] == ">=" || w[2] == "<=") {
    rule.bound = w[2] == ">=" ? MaskBound::kAtLeast : MaskBound::kAtMost;
    if (w.size() != 4) return "FIGURE NAME " + std::string(w[2]) + " takes one value";
    const std::optional<double> v = PlainNumber(w[3]);
    if (!v) return Quoted(w[3]) + " is not a number";
    rule.v1 = rule.v2 = *v;
    return {};
  }
  if (!SameWord(w[2], "BETWEEN")) return "FIGURE needs >=, <= or BETWEEN, not " + Quoted(w[2]);
  rule.bound = MaskBound::kBetween;
  if (w.size() != 5) return "BETWEEN takes LO HI";
  const std::optional<double> lo = PlainNumber(w[3]);
  const std::optional<double> hi = PlainNumber(w[4]);
  if (!lo) return Quoted(w[3]) + " is not a number";
  if (!hi) return Quoted(w[4]) + " is not a number";
  if (*lo > *hi) return "BETWEEN needs LO at or below HI";
  rule.v1 = *lo;
  rule.v2 = *hi;
  return {};
}

}  // namespace

std::vector<std::string_view> MaskFigureNames() {
  return {kSummaryColumns.begin() + kFirstFigureColumn, kSummaryColumns.end()};
}

std::optional<double> ParseMaskFrequency(std::string_view word) {
  if (EndsWithWord(word, "Hz")) word.remove_suffix(2);
  double scale = 1.0;
  if (EndsWithWord(word, "MEG")) {
    scale = 1e6;
    word.remove_suffix(3);
  } else if (word.ends_with("\u00B5") || word.ends_with("\u03BC")) {
    scale = 1e-6;
    word.remove_suffix(2);
  } else if (!word.empty()) {
    switch (word.back()) {
      case 'f':
        scale = 1e-15;
        break;
      case 'p':
        scale = 1e-12;
        break;
      case 'n':
        scale = 1e-9;
        break;
      case 'u':
        scale = 1e-6;
        break;
      case 'm':
        scale = 1e-3;
        break;
      case 'k':
      case 'K':
        scale = 1e3;
        break;
      case 'M':
        scale = 1e6;
        break;
      case 'G':
        scale = 1e9;
        break;
      case 'T':
        scale = 1e12;
        break;
      default:
        break;
    }
    if (scale != 1.0) word.remove_suffix(1);
  }
  const std::optional<double> value = PlainNumber(word);
  if (!value || !std::isfinite(*value * scale)) return std::nullopt;
  return *value * scale;
}

MaskParse ParseMask(std::string_view text, std::string_view path) {
  if (text.starts_with("\xEF\xBB\xBF")) text.remove_prefix(3);
  LimitMask mask;
  int line = 0;
  for (bool more = true; more;) {
    ++line;
    const size_t eol = text.find('\n');
    more = eol != std::string_view::npos;
    std::string_view row = text.substr(0, eol);
    text = more ? text.substr(eol + 1) : std::string_view();
    if (const size_t hash = row.find('#'); hash != std::string_view::npos)
      row = row.substr(0, hash);
    const std::vector<std::string_view> words = Words(row);
    if (words.empty()) continue;
    MaskRule rule;
    rule.line = line;
    if (const std::string why = ParseRule(words, rule); !why.empty()) {
      return {std::nullopt, std::string(path) + ":" + std::to_string(line) + ": " + why};
    }
    for (size_t i = 0; i < words.size(); ++i) {
      if (i) rule.text += ' ';
      rule.text += words[i];
    }
    mask.rules.push_back(std::move(rule));
  }
  if (mask.rules.empty()) return {std::nullopt, std::string(path) + ": the mask has no rules"};
  return {std::move(mask), {}};
}

MaskParse ReadMaskFile(const std::string& path) {
  struct stat st {};
  if (stat(path.c_str(), &st) == 0 && S_ISDIR(st.st_mode))
    return {std::nullopt, path + ": is a folder"};
  std::ifstream in(path, std::ios::binary);
  if (!in) return {std::nullopt, path + ": " + std::strerror(errno)};
  const std::string text((std::istreambuf_iterator<char>(in)), std::istreambuf_iterator<char>());
  if (in.bad()) return {std::nullopt, path + ": cannot be read"};
  return ParseMask(text, path);
}

std::string_view MaskRuleUnit(const MaskRule& rule) {
  if (rule.kind == MaskRuleKind::kGain) return "dB";
  if (rule.kind == MaskRuleKind::kPhase) return "\u00B0";
  return MaskFigureUnit(rule.figure);
}

std::string_view MaskFigureUnit(size_t figure) {
  const std::vector<std::string_view> names = MaskFigureNames();
  if (figure >= names.size()) return {};
  const std::string_view name = names[figure];
  if (name.ends_with("Db")) return "dB";
  if (name.ends_with("Deg")) return "\u00B0";
  if (name.ends_with("Hz")) return "Hz";
  if (name.ends_with("S")) return "s";
  return {};
}

}  // namespace fernplot
