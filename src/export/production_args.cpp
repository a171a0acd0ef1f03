// SPDX-License-Identifier: MIT
#include "production_args.h"

#include "option_number.h"

namespace fernplot {

std::optional<double> ParseSigma(const std::string& text) {
  const std::optional<double> k = ParseOptionNumber(text);
  if (!k || !(*k > 0.0)) return std::nullopt;
  return k;
}

std::string CheckProductionOptions(const ProductionOptions& o, bool verdictFormat) {
  if (verdictFormat && !o.maskPath) return "-f verdict needs --mask";
  if (!o.statisticsDir && (o.sigma || o.statisticsOf != StatisticsOf::kDb)) {
    return "--sigma and --statistics-of need --statistics";
  }
  return {};
}

std::string ProductionOptionsHelp() {
  return "  --mask FILE    judge every input against the limit mask FILE: the summary\n"
         "                 says PASS or FAIL, the table gains verdict, failedRules,\n"
         "                 worstMargin, -f verdict writes <name>.verdict.json, pages\n"
         "                 show the limits; exit 3 when an input fails its mask\n"
         "  --statistics OUT  the inputs as one lot: OUT/statistics.csv (mean, std,\n"
         "                 min, max per frequency of the first input), OUT/figures.csv\n"
         "                 (each figure's spread, cpk against the mask); -f png, svg,\n"
         "                 pdf then name OUT/statistics.png|svg|pdf only\n"
         "  --statistics-of db|complex\n"
         "                 the mean of the dB and phases (default) or of the complex\n"
         "                 response\n"
         "  --sigma K      the statistics page's band is mean +- K sigma (default 3)\n";
}

}  // namespace fernplot
