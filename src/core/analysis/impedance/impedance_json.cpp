// SPDX-License-Identifier: MIT
#include "analysis/impedance/impedance_json.h"

#include <charconv>
#include <cmath>
#include <span>

#include "text/json_string.h"

namespace fernplot {

namespace {

std::string Number(double value) { return JsonNumberOrNull(value); }

std::string Numbers(std::span<const double> values) {
  std::string out = "[";
  for (size_t i = 0; i < values.size(); ++i) {
    if (i) out += ',';
    out += Number(values[i]);
  }
  return out + "]";
}

const char* Bool(bool value) {
  return value ? "true" : "false";
}

}  // namespace

std::string CircuitFitJson(const CircuitFitResult& result) {
  std::string parameters = "[";
  for (size_t k = 0; k < result.parameters.size(); ++k) {
    const FittedParameter& p = result.parameters[k];
    if (k) parameters += ',';
    parameters += "{\"name\":" + JsonString(p.name) + ",\"value\":" + Number(p.value) +
                  ",\"stdError\":" + (p.stdError ? Number(*p.stdError) : "null") +
                  ",\"unit\":" + JsonString(p.unit) + "}";
  }
  parameters += ']';
  std::string out = "{\n\"circuit\":" + JsonString(result.circuit) + "\n";
  out += ",\"weight\":" + JsonString(CircuitWeightName(result.weight)) + "\n";
  out += ",\"points\":" + std::to_string(result.points) + "\n";
  out += ",\"parameters\":" + parameters + "\n";
  out += ",\"rmsRelative\":" + Number(result.rmsRelative) + "\n";
  out += ",\"rmsOhm\":" + Number(result.rmsOhm) + "\n";
  out += ",\"chiSquare\":" + Number(result.chiSquare) + "\n";
  out += ",\"converged\":" + std::string(Bool(result.converged)) + "\n";
  out += ",\"iterations\":" + std::to_string(result.iterations) + "\n";
  out += ",\"seconds\":" + Number(result.seconds) + "\n";
  return out + "}\n";
}

std::string KramersKronigJson(const KkResult& result) {
  std::string out = "{\n\"M\":" + std::to_string(result.m) + "\n";
  out += ",\"mu\":" + Number(result.mu) + "\n";
  out += ",\"c\":" + Number(result.options.c) + "\n";
  out += ",\"fit\":" + JsonString(KkFitName(result.options.fit)) + "\n";
  out += ",\"capacitance\":" + std::string(Bool(result.options.capacitance)) + "\n";
  out += ",\"frequency\":" + Numbers(result.frequency) + "\n";
  out += ",\"residualsReal\":" + Numbers(result.residualsReal) + "\n";
  out += ",\"residualsImag\":" + Numbers(result.residualsImag) + "\n";
  out += ",\"maxResidual\":" + Number(result.maxResidual) + "\n";
  return out + "}\n";
}

}  // namespace fernplot
