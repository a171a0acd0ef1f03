// SPDX-License-Identifier: MIT
// Impedances: how read() takes a file as one (a table's columns, an
// S-parameter file's Z, a shunt), and the analyses of an impedance: the
// equivalent circuit, the Kramers–Kronig test and what an LCR meter reads,
// as the exporter's -f circuit, -f kk and -f lcr give them.
#include <cctype>
#include <cmath>
#include <limits>

#include "analysis/impedance/circuit.h"
#include "analysis/impedance/circuit_fit.h"
#include "analysis/impedance/impedance_json.h"
#include "analysis/impedance/impedance_tables.h"
#include "analysis/impedance/lin_kk.h"
#include "graph/page_impedance.h"
#include "props/graph_properties.h"
#include "py_common.h"

namespace fernplot::python {

namespace {

bool IsNumber(const py::handle& value) {
  return (py::isinstance<py::int_>(value) || py::isinstance<py::float_>(value)) &&
         !py::isinstance<py::bool_>(value);
}

std::string Word(const py::object& value, const char* name, const char* words) {
  if (!py::isinstance<py::str>(value)) {
    throw py::type_error(std::string(name) + " is a str: " + words);
  }
  return value.cast<std::string>();
}

// The sweep's impedance, as the exporter's impedance formats take it.
ImpedanceSpectrum SpectrumOf(const Sweep& sweep) {
  const std::unique_ptr<GraphPage> page = SweepPage(sweep);
  std::optional<ImpedanceSpectrum> z = PageImpedance(*page);
  if (!z) {
    throw py::value_error(
        "not an impedance: read an impedance file, name its columns (columns=), make one of "
        "S-parameters (z_from=) or give the shunt (shunt=)");
  }
  return std::move(*z);
}

std::vector<InitialValue> InitialArgument(const py::object& initial, const Circuit& circuit) {
  if (initial.is_none()) return {};
  if (py::isinstance<py::str>(initial)) {
    InitialValuesParse parse = ParseInitialValues(initial.cast<std::string>(), circuit);
    if (!parse.error.empty()) throw py::value_error("initial: " + parse.error);
    return std::move(parse.values);
  }
  if (!py::isinstance<py::dict>(initial)) {
    throw py::type_error("initial is a dict of names and values, a str \"NAME=VALUE,...\" or None");
  }
  std::vector<InitialValue> values;
  for (const auto& [key, value] : initial.cast<py::dict>()) {
    if (!py::isinstance<py::str>(key) || !IsNumber(value)) {
      throw py::type_error("initial maps parameter names (str) to numbers");
    }
    values.push_back({key.cast<std::string>(), value.cast<double>(), false});
  }
  if (const std::string why = CheckInitialValues(values, circuit); !why.empty()) {
    throw py::value_error("initial: " + why);
  }
  return values;
}

py::object FitCircuitOf(const Sweep& sweep, const py::object& circuitArg, const py::object& initial,
                        const py::object& weightArg, bool global, const py::object& globalSeconds,
                        const py::object& fminArg, const py::object& fmaxArg) {
  if (!py::isinstance<py::str>(circuitArg)) {
    throw py::type_error("circuit is a str such as \"R0-p(R1,C1)\"");
  }
  const std::string text = circuitArg.cast<std::string>();
  if (text.empty()) throw py::value_error("circuit needs a circuit such as R0-p(R1,C1)");
  CircuitParse parse = ParseCircuit(text);
  if (!parse.circuit) throw py::value_error("circuit: " + parse.Error());
  const Circuit& circuit = *parse.circuit;
  CircuitFitOptions options;
  options.initial = InitialArgument(initial, circuit);
  const std::string weight = Word(weightArg, "weight", "\"modulus\", \"unit\" or \"proportional\"");
  if (const std::optional<CircuitWeight> w = ParseCircuitWeight(weight)) {
    options.weight = *w;
  } else {
    throw py::value_error("weight is \"modulus\", \"unit\" or \"proportional\", not \"" + weight +
                          "\"");
  }
  options.global = global;
  if (!globalSeconds.is_none()) {
    if (!IsNumber(globalSeconds)) throw py::type_error("global_seconds is a number or None");
    const double s = globalSeconds.cast<double>();
    if (!(s > 0.0) || !std::isfinite(s)) {
      throw py::value_error("global_seconds is a number of seconds above 0");
    }
    options.globalSeconds = s;
    options.global = true;
  }
  options.fmin = FrequencyLimit(fminArg, "fmin");
  options.fmax = FrequencyLimit(fmaxArg, "fmax");
  const ImpedanceSpectrum z = SpectrumOf(sweep);
  CircuitFitResult fit;
  {
    py::gil_scoped_release unlocked;
    fit = FitCircuit(circuit, z.frequency, z.impedance, options);
  }
  if (!fit.ok()) throw py::value_error("circuit: " + fit.error);
  // Said as the exporter says it on stderr; the document has them null.
  for (const FittedParameter& p : fit.parameters) {
    if (p.Undetermined()) {
      PyErr_WarnEx(PyExc_RuntimeWarning, (p.name + " is not determined by the data").c_str(), 1);
    }
  }
  return FromJson(CircuitFitJson(fit));
}

py::object KramersKronigOf(const Sweep& sweep, const py::object& fitArg, const py::object& c,
                           const py::object& maxM, bool capacitance, const py::object& fminArg,
                           const py::object& fmaxArg) {
  KkOptions options;
  const std::string fit = Word(fitArg, "fit", "\"real\", \"imag\" or \"complex\"");
  if (const std::optional<KkFit> f = ParseKkFit(fit)) {
    options.fit = *f;
  } else {
    throw py::value_error("fit is \"real\", \"imag\" or \"complex\", not \"" + fit + "\"");
  }
  if (!IsNumber(c)) throw py::type_error("c is a number");
  options.c = c.cast<double>();
  if (!std::isfinite(options.c)) throw py::value_error("c is a finite number");
  if (!py::isinstance<py::int_>(maxM) || py::isinstance<py::bool_>(maxM)) {
    throw py::type_error("max_m is an int");
  }
  const long m = maxM.cast<long>();
  if (m < 1 || m > 1000) {
    throw py::value_error("max_m is a whole number from 1 to 1000, not " + std::to_string(m));
  }
  options.maxM = static_cast<int>(m);
  options.capacitance = capacitance;
  options.fmin = FrequencyLimit(fminArg, "fmin");
  options.fmax = FrequencyLimit(fmaxArg, "fmax");
  const ImpedanceSpectrum z = SpectrumOf(sweep);
  KkResult kk;
  {
    py::gil_scoped_release unlocked;
    kk = KramersKronigTest(z.frequency, z.impedance, options);
  }
  if (!kk.ok()) throw py::value_error(kk.error);
  return FromJson(KramersKronigJson(kk));
}

// The columns of -f lcr as arrays, a value that does not exist NaN.
py::dict LcrOf(const Sweep& sweep) {
  const ImpedanceSpectrum z = SpectrumOf(sweep);
  const size_t n = z.frequency.size();
  static constexpr const char* kNames[] = {"frequency", "absZ", "thetaDeg", "Rs", "Xs", "Cs", "Ls",
                                           "Rp",        "Xp",   "Cp",       "Lp", "D",  "Q"};
  constexpr size_t kColumns = std::size(kNames);
  std::vector<py::array_t<double>> columns;
  for (size_t k = 0; k < kColumns; ++k) columns.emplace_back(static_cast<py::ssize_t>(n));
  std::vector<double*> out;
  for (py::array_t<double>& c : columns) out.push_back(c.mutable_data());
  const double nan = std::numeric_limits<double>::quiet_NaN();
  const auto cell = [nan](const std::optional<double>& v) {
    return v && std::isfinite(*v) ? *v : nan;
  };
  for (size_t i = 0; i < n; ++i) {
    const EquivalentValues v = EquivalentValuesOf(z.frequency[i], z.impedance[i]);
    const double row[kColumns] = {z.frequency[i], cell(v.absZ), cell(v.thetaDeg), cell(v.rs),
                                  cell(v.xs),     cell(v.cs),   cell(v.ls),       cell(v.rp),
                                  cell(v.xp),     cell(v.cp),   cell(v.lp),       cell(v.d),
                                  cell(v.q)};
    for (size_t k = 0; k < kColumns; ++k) out[k][i] = row[k];
  }
  py::dict table;
  for (size_t k = 0; k < kColumns; ++k) table[kNames[k]] = std::move(columns[k]);
  return table;
}

}  // namespace

ReadChoices ReadChoicesOf(const py::object& sparamArg, const py::object& columnsArg,
                          const py::object& zFromArg, const py::object& shuntArg) {
  ReadChoices choices;
  ImportOptions& o = choices.import;
  if (!sparamArg.is_none()) {
    std::string sparam =
        Word(sparamArg, "sparam", "a parameter such as \"S21\", \"S31\" or \"Z11\"");
    for (char& c : sparam) c = static_cast<char>(std::toupper(static_cast<unsigned char>(c)));
    long row = 0, column = 0;
    if (sparam.empty() || kTouchstoneParameters.find(sparam.front()) == std::string_view::npos ||
        !ParseParameterPorts(std::string_view(sparam).substr(1), row, column)) {
      throw py::value_error("sparam is a parameter such as S21, S31 or Z11, not \"" +
                            sparamArg.cast<std::string>() + "\"");
    }
    o.sparam = sparam;
  }
  if (!columnsArg.is_none()) {
    const std::string list = Word(columnsArg, "columns", kTableColumnsWords);
    const std::optional<TableColumns> c = ParseTableColumns(list);
    if (!c) {
      throw py::value_error(std::string("columns is ") + kTableColumnsWords + ", not \"" + list +
                            "\"");
    }
    o.columns = *c;
  }
  if (!zFromArg.is_none()) {
    const std::string word = Word(zFromArg, "z_from", "\"s11\", \"s21-shunt\" or \"s21-series\"");
    const std::optional<ZFrom> z = ParseZFrom(word);
    if (!z) {
      throw py::value_error("z_from is \"s11\", \"s21-shunt\" or \"s21-series\", not \"" + word +
                            "\"");
    }
    if (!o.sparam.empty()) {
      throw py::value_error("z_from and sparam exclude each other: z_from reads S11 or S21");
    }
    o.zFrom = *z;
  }
  if (!shuntArg.is_none()) {
    if (!IsNumber(shuntArg)) throw py::type_error("shunt is the shunt's ohms (a number) or None");
    const double r = shuntArg.cast<double>();
    if (!IsShuntOhms(r)) {
      throw py::value_error("shunt is the shunt's ohms, a number above 0, not " +
                            std::string(py::str(shuntArg)));
    }
    choices.shuntOhms = r;
  }
  return choices;
}

void BindImpedance(py::module_& m) {
  m.def("fit_circuit", &FitCircuitOf, py::arg("sweep"), py::arg("circuit"), py::kw_only(),
        py::arg("initial") = py::none(), py::arg("weight") = "modulus",
        py::arg("global_search") = false, py::arg("global_seconds") = py::none(),
        py::arg("fmin") = py::none(), py::arg("fmax") = py::none(),
        R"doc(Fits an equivalent circuit to an impedance as the exporter's -f circuit
--circuit does, and returns its document: elements R, C, L, CPE, W, Wo, Ws,
G with an index, '-' in series, p(a,b,...) in parallel ("R0-p(R1,C1)")
      .initial gives starting values({"R1" : 10} or "R1=10,C1=1e-6"),
      the others are chosen from the data;
  weight "modulus", "unit" or "proportional";
global_search (or global_seconds, default 2) searches for the global
optimum; fmin and fmax (Hz) limit the points fitted. A parameter the data
do not determine has stdError None and a RuntimeWarning.)doc");
  m.def("kramers_kronig", &KramersKronigOf, py::arg("sweep"), py::kw_only(),
        py::arg("fit") = "real", py::arg("c") = 0.85, py::arg("max_m") = 50,
        py::arg("capacitance") = false, py::arg("fmin") = py::none(), py::arg("fmax") = py::none(),
        R"doc(The linear Kramers-Kronig test of an impedance, the exporter's -f kk
document: fit "real", "imag" or "complex" (--kk-fit), c (--kk-c), max_m
(--kk-max-m), capacitance (--kk-capacitance), fmin and fmax (Hz).)doc");
  m.def("lcr", &LcrOf, py::arg("sweep"),
        R"doc(What an LCR meter reads off an impedance at each frequency, the columns of
the exporter's -f lcr as float64 arrays (NaN for an empty cell): frequency,
absZ, thetaDeg, Rs, Xs, Cs, Ls, Rp, Xp, Cp, Lp, D, Q.)doc");
}

}  // namespace fernplot::python
