// SPDX-License-Identifier: MIT
#pragma once
// The exporter's production-test options: a limit mask every input is
// judged against, and the statistics of the inputs taken as one lot.

#include <optional>
#include <string>

#include "analysis/production/lot_statistics.h"

namespace fernplot {

struct ProductionOptions {
  std::optional<std::string> maskPath;            // --mask FILE
  std::optional<std::string> statisticsDir;       // --statistics OUT
  StatisticsOf statisticsOf = StatisticsOf::kDb;  // --statistics-of db|complex
  std::optional<double> sigma;                    // --sigma K (default 3)
  double Sigma() const { return sigma.value_or(3.0); }
};

// Takes `arg` when it is one of the production options: true when taken
// (`error` set when its value is wrong), false when it is not one of them.
// `value` fetches the option's value, false when there is none.
template <typename Value>
bool TakeProductionOption(const std::string& arg, Value value, ProductionOptions& o,
                          std::string& error);

// What the production options ask of the rest of the command line: empty
// when it is consistent, else why not. `verdictFormat` is whether -f
// includes verdict.
std::string CheckProductionOptions(const ProductionOptions& o, bool verdictFormat);

// The help text's lines for the options.
std::string ProductionOptionsHelp();

// Parses a value of --sigma: a finite number above 0.
std::optional<double> ParseSigma(const std::string& text);

template <typename Value>
bool TakeProductionOption(const std::string& arg, Value value, ProductionOptions& o,
                          std::string& error) {
  std::string v;
  if (arg == "--mask") {
    if (!value(v) || v.empty())
      error = "--mask needs a mask file";
    else if (o.maskPath)
      error = "--mask given twice";
    else
      o.maskPath = v;
  } else if (arg == "--statistics") {
    if (!value(v) || v.empty())
      error = "--statistics needs a folder";
    else
      o.statisticsDir = v;
  } else if (arg == "--statistics-of") {
    if (!value(v))
      error = "--statistics-of needs db or complex";
    else if (v == "db")
      o.statisticsOf = StatisticsOf::kDb;
    else if (v == "complex")
      o.statisticsOf = StatisticsOf::kComplex;
    else
      error = "--statistics-of takes db or complex, not '" + v + "'";
  } else if (arg == "--sigma") {
    if (!value(v))
      error = "--sigma needs a number";
    else if (const std::optional<double> k = ParseSigma(v))
      o.sigma = k;
    else
      error = "--sigma takes a finite number above 0, not '" + v + "'";
  } else {
    return false;
  }
  return true;
}

}  // namespace fernplot
