// SPDX-License-Identifier: MIT
#include "analysis/impedance/circuit_text.h"

#include <cmath>
#include <cstdio>

#include "analysis/figures_text.h"

namespace fernplot {

namespace {

// Ohms written as the page writes them.
std::string UnitSymbol(std::string unit) {
  for (size_t at = unit.find("Ohm"); at != std::string::npos; at = unit.find("Ohm", at)) {
    unit.replace(at, 3, "\u03A9");
  }
  return unit;
}

// Simple units take an SI prefix; compound ones ("Ω s^-1/2") follow the number.
bool TakesPrefix(const std::string& unit) {
  return unit == "Ohm" || unit == "F" || unit == "H" || unit == "s";
}

std::string ThreeSignificant(double v) {
  char text[32];
  std::snprintf(text, sizeof text, "%.3g", v);
  return text;
}

}  // namespace

std::string ParameterValueText(const FittedParameter& p) {
  if (TakesPrefix(p.unit)) return ThreeDigits(p.value, UnitSymbol(p.unit));
  if (p.unit.empty()) return ThreeDigits(p.value);
  return ThreeDigits(p.value) + " " + UnitSymbol(p.unit);
}

std::string CircuitPanelText(const CircuitFitResult& fit, const TextTranslator* translator) {
  const auto word = [&](const char* source) { return Translate(translator, "Figures", source); };
  std::string text = word(FERNPLOT_TEXT("Figures", "等価回路")) + "  " + fit.circuit + "\n";
  for (const FittedParameter& p : fit.parameters) {
    text += p.name + "  " + ParameterValueText(p) + "  ";
    if (p.fixed) {
      text += word(FERNPLOT_TEXT("Figures", "固定"));
    } else if (!p.stdError) {
      text += word(FERNPLOT_TEXT("Figures", "不定"));
    } else {
      text += "\u00B1 " + ThreeSignificant(100.0 * *p.stdError / std::fabs(p.value)) + " %";
    }
    text += "\n";
  }
  text += word(FERNPLOT_TEXT("Figures", "相対 RMS 誤差")) + "  " +
          ThreeSignificant(100.0 * fit.rmsRelative) + " %\n";
  return text;
}

std::vector<std::string> CircuitReportHeading(const Circuit& circuit,
                                              const TextTranslator* translator) {
  std::vector<std::string> heading;
  for (const CircuitParameter& p : circuit.parameters()) heading.push_back(p.name);
  heading.push_back(Translate(translator, "Report", FERNPLOT_TEXT("Report", "相対 RMS 誤差")));
  return heading;
}

std::vector<std::string> CircuitReportCells(const Circuit& circuit, const CircuitFitResult* fit) {
  std::vector<std::string> cells(circuit.parameters().size() + 1);
  if (!fit || !fit->ok() || fit->parameters.size() != circuit.parameters().size()) return cells;
  for (size_t i = 0; i < fit->parameters.size(); ++i) {
    const FittedParameter& p = fit->parameters[i];
    // A value the data do not determine is no result to read off a table.
    cells[i] = p.Undetermined() ? "(" + ParameterValueText(p) + ")" : ParameterValueText(p);
  }
  cells.back() = ThreeSignificant(100.0 * fit->rmsRelative) + " %";
  return cells;
}

std::string CircuitReportCell(const CircuitFitResult& fit) {
  std::string cell = fit.circuit + ":";
  for (size_t i = 0; i < fit.parameters.size(); ++i) {
    const FittedParameter& p = fit.parameters[i];
    cell += (i ? ", " : " ") + p.name + " " +
            (p.Undetermined() ? "(" + ParameterValueText(p) + ")" : ParameterValueText(p));
  }
  return cell;
}

}  // namespace fernplot
