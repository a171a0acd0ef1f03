// SPDX-License-Identifier: MIT
#include "import/touchstone_format.h"

#include <charconv>
#include <cmath>
#include <limits>
#include <numbers>
#include <utility>
#include <vector>

#include "import/import_text.h"

namespace fernplot {

bool ParseTouchstoneOptions(std::string_view words, TouchstoneOptions& options, ImportError& what) {
  std::vector<std::string_view> tokens;
  while (true) {
    words = TrimSpace(words);
    if (words.empty()) break;
    size_t end = 0;
    while (end < words.size() && !IsSpaceChar(words[end])) ++end;
    tokens.push_back(words.substr(0, end));
    words.remove_prefix(end);
  }
  for (size_t i = 0; i < tokens.size(); ++i) {
    const std::string word = AsciiLower(tokens[i]);
    bool known = false;
    for (const TouchstoneUnit& u : kTouchstoneUnits) {
      if (word == AsciiLower(u.name)) options.hertz = u.hertz, known = true;
    }
    for (const TouchstonePairFormat& f : kTouchstonePairFormats) {
      if (word == AsciiLower(f.name)) options.format = f.format, known = true;
    }
    if (word.size() == 1 && kTouchstoneParameters.find(static_cast<char>(word[0] - 'a' + 'A')) !=
                                std::string_view::npos) {
      options.parameter = static_cast<char>(word[0] - 'a' + 'A');
      known = true;
    }
    if (word == "r") {
      double r = 0.0;
      if (i + 1 >= tokens.size() || !ParseWholeNumber(tokens[i + 1], r)) {
        what =
            ImportFailure(0, FERNPLOT_TEXT("Import", "オプション行: R の後に基準抵抗がありません"))
                .error;
        return false;
      }
      options.reference = r;
      ++i;
      known = true;
    }
    if (!known) {
      what = ImportFailure(0, FERNPLOT_TEXT("Import", "オプション行: 不明な語 \"%1\""),
                           {std::string(tokens[i])})
                 .error;
      return false;
    }
  }
  return true;
}

std::string TouchstoneOptionLine(const TouchstoneOptions& options) {
  std::string line(kTouchstoneOptionStart);
  for (const TouchstoneUnit& u : kTouchstoneUnits) {
    if (u.hertz == options.hertz) (line += ' ') += u.name;
  }
  (line += ' ') += options.parameter;
  for (const TouchstonePairFormat& f : kTouchstonePairFormats) {
    if (f.format == options.format) (line += ' ') += f.name;
  }
  char buffer[32];
  const auto r = std::to_chars(buffer, buffer + sizeof buffer, options.reference);
  line += " R ";
  line.append(buffer, r.ptr);
  return line;
}

std::complex<double> TouchstonePairToComplex(PairFormat format, double a, double b) {
  const double radians = b * (std::numbers::pi / 180.0);
  switch (format) {
    case PairFormat::kDb:
      return std::pow(10.0, a / 20.0) * std::complex<double>(std::cos(radians), std::sin(radians));
    case PairFormat::kMa:
      return a * std::complex<double>(std::cos(radians), std::sin(radians));
    case PairFormat::kRi:
      break;
  }
  return {a, b};
}

std::optional<ZFrom> ParseZFrom(std::string_view word) {
  const std::string w = AsciiLower(word);
  if (w == "s11") return ZFrom::kS11;
  if (w == "s21-shunt") return ZFrom::kS21Shunt;
  if (w == "s21-series") return ZFrom::kS21Series;
  return std::nullopt;
}

std::complex<double> ImpedanceFromS(ZFrom from, std::complex<double> s, double z0) {
  const double nan = std::numeric_limits<double>::quiet_NaN();
  const std::complex<double> one(1.0, 0.0);
  switch (from) {
    case ZFrom::kS11:
      if (s == one) return {nan, nan};
      return z0 * (one + s) / (one - s);
    case ZFrom::kS21Shunt:
      if (s == one) return {nan, nan};
      return z0 / 2.0 * s / (one - s);
    case ZFrom::kS21Series:
      if (s == 0.0) return {nan, nan};
      return 2.0 * z0 * (one - s) / s;
    case ZFrom::kNone:
      break;
  }
  return s;
}

void TouchstonePairToGainPhase(PairFormat format, double a, double b, double& gainDb,
                               double& phaseDeg) {
  switch (format) {
    case PairFormat::kDb:
      gainDb = a;
      phaseDeg = b;
      break;
    case PairFormat::kMa:
      gainDb = 20.0 * std::log10(std::fabs(a));
      // A negative magnitude is a sign flip.
      phaseDeg = a < 0 ? b + 180.0 : b;
      break;
    case PairFormat::kRi:
      ComplexToGainPhase(a, b, gainDb, phaseDeg);
      break;
  }
}

size_t TouchstoneShape::Pairs() const {
  const auto n = static_cast<size_t>(ports);
  return matrix == MatrixFormat::kFull ? n * n : n * (n + 1) / 2;
}

size_t TouchstoneShape::PairIndex(long i, long j) const {
  auto r = static_cast<size_t>(i - 1), c = static_cast<size_t>(j - 1);
  const auto n = static_cast<size_t>(ports);
  switch (matrix) {
    case MatrixFormat::kFull:
      return byColumns ? c * n + r : r * n + c;
    case MatrixFormat::kUpper:
      // Row r holds columns r..n-1.
      if (r > c) std::swap(r, c);
      return r * n - r * (r - 1) / 2 + (c - r);
    case MatrixFormat::kLower:
      // Row r holds columns 0..r.
      if (c > r) std::swap(r, c);
      return r * (r + 1) / 2 + c;
  }
  return 0;
}

std::string TouchstoneParameterName(char letter, long i, long j) {
  std::string name(1, letter);
  name += std::to_string(i);
  if (i > 9 || j > 9) name += '_';
  name += std::to_string(j);
  return name;
}

bool ParseParameterPorts(std::string_view digits, long& i, long& j) {
  const auto whole = [](std::string_view s, long& v) {
    if (s.empty() || s.size() > 6 || s.front() == '0') return false;
    const auto [ptr, ec] = std::from_chars(s.data(), s.data() + s.size(), v);
    return ec == std::errc() && ptr == s.data() + s.size();
  };
  if (const size_t bar = digits.find('_'); bar != digits.npos)
    return whole(digits.substr(0, bar), i) && whole(digits.substr(bar + 1), j);
  // Without the separator only one digit each can be told apart.
  return digits.size() == 2 && whole(digits.substr(0, 1), i) && whole(digits.substr(1), j);
}

}  // namespace fernplot
