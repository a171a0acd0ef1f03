// SPDX-License-Identifier: MIT
// The figures of a sweep and the model fitted to it: the exporter's
// -f figures and -f model documents, computed by the same core functions.
#include <cmath>
#include <complex>
#include <optional>

#include "analysis/figures_text.h"
#include "analysis/fit/model_text.h"
#include "analysis/fit/vector_fit.h"
#include "analysis/impedance/impedance_figures.h"
#include "graph/page_figures.h"
#include "graph/page_impedance.h"
#include "py_common.h"

namespace fernplot::python {

namespace {

struct Model {
  FitModel model;
  std::string fileName;  // the page's name, as -f model writes it
};

py::dict Figures(const Sweep& sweep, const py::object& marginReference) {
  if (!py::isinstance<py::int_>(marginReference) && !py::isinstance<py::float_>(marginReference)) {
    throw py::type_error("margin_reference is a number: -180 or 0");
  }
  const double reference = marginReference.cast<double>();
  if (reference != -180.0 && reference != 0.0) {
    throw py::value_error("margin_reference is -180 or 0, not " +
                          std::string(py::str(marginReference)));
  }
  std::string json;
  {
    py::gil_scoped_release unlocked;
    const std::unique_ptr<GraphPage> page = SweepPage(sweep, reference == 0.0);
    // An impedance has figures of its own, as -f figures writes them.
    if (const std::optional<ImpedanceSpectrum> z = PageImpedance(*page)) {
      json = ImpedanceFiguresJson(page->fileName, FiguresOfImpedance(*z));
    } else {
      json = FiguresJson(page->fileName, PageRatio(page->properties), PageFigures(*page));
    }
  }
  return FromJson(json);
}

Model FitModelOf(const Sweep& sweep, const py::object& orderArg, bool delay,
                 const py::object& fminArg, const py::object& fmaxArg) {
  FitOptions options;
  options.delay = delay;
  if (!orderArg.is_none()) {
    if (!py::isinstance<py::int_>(orderArg) || py::isinstance<py::bool_>(orderArg)) {
      throw py::type_error("order is an int or None");
    }
    const long order = orderArg.cast<long>();
    if (order < 1 || order > kMaxFitOrder) {
      throw py::value_error("order is 1 to " + std::to_string(kMaxFitOrder) + ", not " +
                            std::to_string(order));
    }
    options.order = static_cast<int>(order);
  }
  const std::optional<double> fmin = FrequencyLimit(fminArg, "fmin"),
                              fmax = FrequencyLimit(fmaxArg, "fmax");
  if (fmin && fmax && *fmin > *fmax) throw py::value_error("fmin is not above fmax");
  FitResult fit;
  std::string fileName;
  {
    py::gil_scoped_release unlocked;
    const std::unique_ptr<GraphPage> page = SweepPage(sweep);
    fileName = page->fileName;
    std::vector<UsablePoint> points = PageUsablePoints(*page);
    // The band to fit: the points within it, ends included.
    if (fmin || fmax) {
      std::erase_if(points, [&](const UsablePoint& p) {
        return (fmin && p.frequency < *fmin) || (fmax && p.frequency > *fmax);
      });
    }
    fit = FitSweep(points, options);
  }
  if (!fit.model) throw py::value_error(FitErrorMessage(fit, nullptr));
  return Model{std::move(*fit.model), std::move(fileName)};
}

py::array_t<std::complex<double>> Roots(const std::vector<std::complex<double>>& roots) {
  py::array_t<std::complex<double>> out(static_cast<py::ssize_t>(roots.size()));
  std::copy(roots.begin(), roots.end(), out.mutable_data());
  return out;
}

py::object Evaluate(const Model& m, const py::object& frequencies) {
  const py::module_ np = py::module_::import("numpy");
  const py::array f = np.attr("asarray")(frequencies);
  const char kind = f.dtype().kind();
  if (kind != 'i' && kind != 'u' && kind != 'f') throw py::type_error("f is real numbers (Hz)");
  const auto values = np.attr("ascontiguousarray")(f, "float64").cast<py::array_t<double>>();
  py::array_t<std::complex<double>> out(values.request().shape);
  const double* in = values.data();
  std::complex<double>* o = out.mutable_data();
  const size_t n = static_cast<size_t>(values.size());
  {
    py::gil_scoped_release unlocked;
    for (size_t i = 0; i < n; ++i) o[i] = EvaluateModel(m.model, in[i]);
  }
  if (f.ndim() == 0) return py::cast(o[0]);
  return out;
}

}  // namespace

std::optional<double> FrequencyLimit(const py::object& value, const char* name) {
  if (value.is_none()) return std::nullopt;
  if (!py::isinstance<py::int_>(value) && !py::isinstance<py::float_>(value)) {
    throw py::type_error(std::string(name) + " is a number of Hz or None");
  }
  const double hz = value.cast<double>();
  if (!std::isfinite(hz) || hz < 0) {
    throw py::value_error(std::string(name) + " is a finite frequency of 0 Hz or more");
  }
  return hz;
}

void BindAnalysis(py::module_& m) {
  m.def("figures", &Figures, py::arg("sweep"), py::kw_only(), py::arg("margin_reference") = -180,
        R"(The sweep's figures as the exporter's -f figures writes them: low-frequency
gain, peak, -3 dB points, resonance and Q, crossovers and margins against
margin_reference (-180 or 0 degrees), modulus and delay margins, the closed
loop's figures. An impedance has its own: |Z| minimum and maximum,
resonances with their Q, the series resistance.)");

  py::class_<Model>(m, "Model", R"(A rational model fitted to a sweep:
H(f) = gain * prod(j*f - z) / prod(j*f - p) * exp(-j*2*pi*f*delay), poles and
zeros in Hz.)")
      .def_property_readonly(
          "poles", [](const Model& x) { return Roots(x.model.poles); }, "Poles in Hz (complex128).")
      .def_property_readonly(
          "zeros", [](const Model& x) { return Roots(x.model.zeros); }, "Zeros in Hz (complex128).")
      .def_property_readonly(
          "gain", [](const Model& x) { return x.model.gain; }, "The real gain factor.")
      .def_property_readonly(
          "delay", [](const Model& x) { return x.model.delay; }, "The pure delay in seconds.")
      .def_property_readonly(
          "rms_db", [](const Model& x) { return x.model.rmsErrorDb; },
          "RMS error against the points in dB.")
      .def_property_readonly(
          "rms_deg", [](const Model& x) { return x.model.rmsErrorDeg; },
          "RMS error against the points in degrees.")
      .def("evaluate", &Evaluate, py::arg("f"), "The model's complex response at f (Hz).")
      .def(
          "laplace", [](const Model& x) { return LaplaceExpression(x.model); },
          "The model as a simulator's Laplace expression in s.")
      .def(
          "to_dict", [](const Model& x) { return FromJson(ModelJson(x.fileName, x.model)); },
          "The exporter's -f model document.")
      .def("__repr__", [](const Model& x) {
        return "<fernplot.Model " + std::to_string(x.model.poles.size()) + " poles, " +
               std::to_string(x.model.zeros.size()) + " zeros>";
      });

  m.def("fit_model", &FitModelOf, py::arg("sweep"), py::kw_only(), py::arg("order") = py::none(),
        py::arg("delay") = false, py::arg("fmin") = py::none(), py::arg("fmax") = py::none(),
        R"(Fits a rational model as the exporter's -f model does: order 1 to 20, or
chosen automatically (None); delay also fits a pure delay; fmin and fmax
(Hz) limit the points fitted. ValueError when the sweep cannot be fitted.)");
}

}  // namespace fernplot::python
