// SPDX-License-Identifier: MIT
#include "import/touchstone_format.h"

#include <charconv>
#include <cmath>
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

}  // namespace fernplot
