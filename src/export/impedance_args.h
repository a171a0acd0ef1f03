// SPDX-License-Identifier: MIT
#pragma once
// The exporter's impedance options: how a table's columns are read, the
// equivalent circuit fitted to every impedance input, and the
// Kramers–Kronig test.

#include <memory>
#include <optional>
#include <string>

#include "analysis/impedance/circuit.h"
#include "analysis/impedance/circuit_fit.h"
#include "analysis/impedance/lin_kk.h"
#include "import/touchstone_format.h"
#include "option_number.h"

namespace fernplot {

struct ImpedanceOptions {
  TableColumns columns = TableColumns::kFromFile;  // --columns LIST
  std::optional<double> shuntOhms;                 // --shunt OHMS
  ZFrom zFrom = ZFrom::kNone;                      // --z-from s11|s21-shunt|s21-series
  std::optional<std::string> circuitText;          // --circuit STRING
  std::optional<std::string> initialText;          // --initial NAME=VALUE,...
  bool circuitOverlay = false;                     // --circuit-overlay
  // The circuit parsed and the fit's choices (its band is --fmin/--fmax),
  // set by CheckImpedanceOptions.
  std::shared_ptr<const Circuit> circuit;
  CircuitFitOptions fit;
  KkOptions kk;           // --kk-fit, --kk-c, --kk-max-m, --kk-capacitance
  bool kkChosen = false;  // one of those was given
};

// Takes `arg` when it is one of the impedance options: true when taken
// (`error` set when its value is wrong), false when it is not one of them.
// `value` fetches the option's value, false when there is none;
// `noValue` is false when a value was given to a switch.
template <typename Value, typename NoValue>
bool TakeImpedanceOption(const std::string& arg, Value value, NoValue noValue, ImpedanceOptions& o,
                         std::string& error);

// Parses the circuit and the initial values and checks the options against
// the formats asked for: empty when they are consistent, else why not.
std::string CheckImpedanceOptions(ImpedanceOptions& o, bool circuitFormat, bool kkFormat);

// The help text's lines for the options.
std::string ImpedanceOptionsHelp();

template <typename Value, typename NoValue>
bool TakeImpedanceOption(const std::string& arg, Value value, NoValue noValue, ImpedanceOptions& o,
                         std::string& error) {
  std::string v;
  if (arg == "--shunt") {
    const std::optional<double> r = value(v) ? ParseOptionNumber(v) : std::nullopt;
    if (!r || !(*r > 0.0)) {
      error = "--shunt takes the shunt's ohms, a number above 0" +
              (v.empty() ? std::string() : ", not '" + v + "'");
    } else {
      o.shuntOhms = *r;
    }
  } else if (arg == "--z-from") {
    if (!value(v)) {
      error = "--z-from needs s11, s21-shunt or s21-series";
    } else if (const std::optional<ZFrom> z = ParseZFrom(v)) {
      o.zFrom = *z;
    } else {
      error = "--z-from takes s11, s21-shunt or s21-series, not '" + v + "'";
    }
  } else if (arg == "--columns") {
    if (!value(v)) {
      error = std::string("--columns needs ") + kTableColumnsWords;
    } else if (const std::optional<TableColumns> c = ParseTableColumns(v)) {
      o.columns = *c;
    } else {
      error = std::string("--columns takes ") + kTableColumnsWords + ", not '" + v + "'";
    }
  } else if (arg == "--circuit") {
    if (!value(v) || v.empty()) {
      error = "--circuit needs a circuit such as R0-p(R1,C1)";
    } else {
      o.circuitText = v;
    }
  } else if (arg == "--initial") {
    if (!value(v) || v.empty()) {
      error = "--initial needs NAME=VALUE,...";
    } else {
      o.initialText = v;
    }
  } else if (arg == "--circuit-weight") {
    if (!value(v)) {
      error = "--circuit-weight needs modulus, unit or proportional";
    } else if (const std::optional<CircuitWeight> w = ParseCircuitWeight(v)) {
      o.fit.weight = *w;
    } else {
      error = "--circuit-weight takes modulus, unit or proportional, not '" + v + "'";
    }
  } else if (arg == "--circuit-overlay") {
    if (!noValue()) error = "--circuit-overlay takes no value";
    o.circuitOverlay = true;
  } else if (arg == "--global") {
    if (!noValue()) error = "--global takes no value";
    o.fit.global = true;
  } else if (arg == "--global-seconds") {
    const std::optional<double> s = value(v) ? ParseOptionNumber(v) : std::nullopt;
    if (!s || *s <= 0.0) {
      error = "--global-seconds takes a number of seconds above 0";
    } else {
      o.fit.globalSeconds = *s;
      o.fit.global = true;
    }
  } else if (arg == "--kk-fit") {
    o.kkChosen = true;
    if (!value(v)) {
      error = "--kk-fit needs real, imag or complex";
    } else if (const std::optional<KkFit> f = ParseKkFit(v)) {
      o.kk.fit = *f;
    } else {
      error = "--kk-fit takes real, imag or complex, not '" + v + "'";
    }
  } else if (arg == "--kk-c") {
    o.kkChosen = true;
    const std::optional<double> c = value(v) ? ParseOptionNumber(v) : std::nullopt;
    if (!c) {
      error = "--kk-c takes a number";
    } else {
      o.kk.c = *c;
    }
  } else if (arg == "--kk-max-m") {
    o.kkChosen = true;
    const std::optional<double> m = value(v) ? ParseOptionNumber(v) : std::nullopt;
    if (!m || *m < 1.0 || *m > 1000.0 || *m != static_cast<double>(static_cast<int>(*m))) {
      error = "--kk-max-m takes a whole number from 1 to 1000";
    } else {
      o.kk.maxM = static_cast<int>(*m);
    }
  } else if (arg == "--kk-capacitance") {
    o.kkChosen = true;
    if (!noValue()) error = "--kk-capacitance takes no value";
    o.kk.capacitance = true;
  } else {
    return false;
  }
  return true;
}

}  // namespace fernplot
