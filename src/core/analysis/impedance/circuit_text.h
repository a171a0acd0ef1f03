// SPDX-License-Identifier: MIT
#pragma once
// A fitted circuit's parameters as people read them: in the figures panel,
// as columns of the report's table, each value with its unit (Ω, F, H, s
// with an SI prefix; the compound units of CPE and W after the number).

#include <string>
#include <vector>

#include "analysis/impedance/circuit_fit.h"
#include "text/ui_text.h"

namespace fernplot {

// "20.0 mΩ", "1.00 F", "0.0300 Ω s^-1/2", "0.900".
std::string ParameterValueText(const FittedParameter& parameter);

// "等価回路  R0-p(R1,C1)", a line per parameter ("R1  10.0 mΩ  ± 0.02 %",
// "固定" for a fixed one, "不定" for one the data do not determine), then
// the relative RMS error. Lines end in '\n'.
std::string CircuitPanelText(const CircuitFitResult& fit, const TextTranslator* translator);

// The report's columns of a circuit: one per parameter (its name), then the
// relative RMS error; and a row's cells of them (empty ones without a fit).
std::vector<std::string> CircuitReportHeading(const Circuit& circuit,
                                              const TextTranslator* translator);
std::vector<std::string> CircuitReportCells(const Circuit& circuit, const CircuitFitResult* fit);
// One cell of a fit, for a table whose rows have circuits of their own:
// "R0-p(R1,C1): R0 1.00 Ω, R1 10.0 Ω, C1 100 uF".
std::string CircuitReportCell(const CircuitFitResult& fit);

}  // namespace fernplot
