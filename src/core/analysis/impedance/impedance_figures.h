// SPDX-License-Identifier: MIT
#pragma once
// The figures of an impedance spectrum: where |Z| is least and greatest,
// the resonances (where θ crosses 0, with their Q) and the series
// resistance (the high-frequency intercept of the complex plane). The loop
// figures of a ratio have no meaning for an impedance.

#include <optional>
#include <string>
#include <string_view>
#include <vector>

#include "analysis/impedance/impedance_points.h"
#include "analysis/impedance/lin_kk.h"
#include "text/ui_text.h"

namespace fernplot {

struct ImpedancePoint {
  double frequency = 0.0;
  double ohms = 0.0;
};

struct ImpedanceResonance {
  double frequency = 0.0;  // where θ crosses 0: tan θ straight in log f between points
  double ohms = 0.0;       // |Z| there: Re Z straight between the points
  // (f0 / 2) |d tan θ/df| (= |dθ/df| at θ = 0): ω0 L / R of a series
  // circuit, R / ω0 L of a parallel one.
  double q = 0.0;
};

struct ImpedanceFigures {
  size_t points = 0;
  std::optional<ImpedancePoint> minimum, maximum;  // at a point
  std::vector<ImpedanceResonance> resonances;      // in ascending frequency
  // Re Z where Im Z crosses 0 nearest the highest frequency; without such
  // a crossing Re Z at the highest frequency when |Im Z| is within 1 % of
  // |Z| there, else none.
  std::optional<double> seriesResistance;
};

// `spectrum` in ascending frequency.
ImpedanceFigures FiguresOfImpedance(const ImpedanceSpectrum& spectrum);

// {"file", "quantity": "impedance", "points", "impedanceMinimum":
// {"frequencyHz", "ohms"}, "impedanceMaximum", "resonances": [{"frequencyHz",
// "ohms", "q"}], "seriesResistanceOhm"}; numbers in shortest round-trip
// digits, null for a figure that does not exist.
std::string ImpedanceFiguresJson(std::string_view fileName, const ImpedanceFigures& figures);

// The summary's line of them: "cell  |Z| 20.0 mΩ @ 10.0 kHz … 105 mΩ @ 10.0 mHz
// Rs 20.0 mΩ  f0 5.03 kHz Q 15.8" (without its newline).
std::string ImpedanceSummaryLine(std::string_view fileName, const ImpedanceFigures& figures);

// The figures panel's lines of them ("|Z| 最小  20.0 mΩ @ 1.00 kHz").
std::string ImpedancePanelText(std::string_view fileName, const ImpedanceFigures& figures,
                               const TextTranslator* translator);

// What the Kramers–Kronig test found, in a line: "Kramers–Kronig: M = 10,
// μ = 0.68, residuals within 0.4 %" (the largest residual of either part).
std::string KkSummaryLine(const KkResult& result);

}  // namespace fernplot
