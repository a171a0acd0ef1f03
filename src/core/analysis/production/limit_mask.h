// SPDX-License-Identifier: MIT
#pragma once
// A limit mask: the rules a production sweep must keep, one a line of a text
// file (UTF-8, `#` starts a comment to the end of the line):
//
//   GAIN  MIN|MAX f1 f2 v1 [v2]   the gain (dB) from f1 to f2 Hz, the limit
//   PHASE MIN|MAX f1 f2 v1 [v2]   straight in log f from v1 to v2 (v2 = v1
//                                 when left out); the phase in degrees
//   FIGURE NAME >=|<= V           a figure, NAME a figure column of the
//   FIGURE NAME BETWEEN LO HI     summary table ("phaseMarginDeg")
//
// Frequencies take SI prefixes (10k, 2.2M or 1.5MEG in any case for mega,
// 1m for milli, also f p n u µ G T) and may end in "Hz"; values are plain
// numbers. Keywords are read in any case. A rule is known by its line.

#include <optional>
#include <string>
#include <string_view>
#include <vector>

namespace fernplot {

enum class MaskRuleKind { kGain, kPhase, kFigure };

// For GAIN and PHASE: a lower (kMin) or upper (kMax) limit; for FIGURE: the
// comparison.
enum class MaskBound { kMin, kMax, kAtLeast, kAtMost, kBetween };

struct MaskRule {
  int line = 0;      // 1-based, in the mask file
  std::string text;  // the rule as written, its words joined by one space
  MaskRuleKind kind = MaskRuleKind::kGain;
  MaskBound bound = MaskBound::kMax;
  double f1 = 0.0;  // Hz, GAIN and PHASE: 0 < f1 < f2
  double f2 = 0.0;
  double v1 = 0.0;    // the limit at f1 and f2; for FIGURE: V, or LO
  double v2 = 0.0;    // for FIGURE BETWEEN: HI
  size_t figure = 0;  // for FIGURE: its index in MaskFigureNames()
};

struct LimitMask {
  std::vector<MaskRule> rules;  // in line order
};

struct MaskParse {
  std::optional<LimitMask> mask;  // empty when malformed
  std::string error;              // "<path>:<line>: <what>" or "<path>: <what>"
};

// The figure names a FIGURE rule may use: the summary table's figure
// columns, in its order (the index is the SummaryRow::figures index).
std::vector<std::string_view> MaskFigureNames();

// A frequency such as "10k", "2.2MEG", "0.5m" or "1e3Hz"; nothing for text
// that is not one, or not finite.
std::optional<double> ParseMaskFrequency(std::string_view word);

// Reads the rules of `text`; `path` names the file in messages. A mask
// without any rule is malformed.
MaskParse ParseMask(std::string_view text, std::string_view path);

// Reads the file at `path` and parses it; a file that cannot be read is an
// error "<path>: <why>".
MaskParse ReadMaskFile(const std::string& path);

// The unit a rule's values are in: "dB", "°", "Hz", "s" or none.
std::string_view MaskRuleUnit(const MaskRule& rule);
// The unit of figure `figure` of MaskFigureNames() ("dB", "°", "Hz", "s" or
// none), read off its name.
std::string_view MaskFigureUnit(size_t figure);

}  // namespace fernplot
