// SPDX-License-Identifier: MIT
// The module's entry point: its exceptions and the parts it is made of.
#include <pybind11/pybind11.h>

#include "fernplot_version.h"
#include "py_common.h"

namespace py = pybind11;

PYBIND11_MODULE(fernplot, m) {
  m.doc() =
      "Sweep files of the frequency response analyser and of other programs (Touchstone, "
      "circuit simulators, tables): read them, read their figures, fit models and draw pages, "
      "with the same numbers and bytes the exporter writes.\n\n"
      "read(), read_all() and Sweep(...) give sweeps; figures() and fit_model() read them; "
      "fit_circuit(), kramers_kronig() and lcr() read impedances; page() draws them; write() "
      "saves them; scan() lists data files.";
  m.attr("__version__") = fernplot::kVersion;
  fernplot::python::BindErrors(m);
  fernplot::python::BindSweep(m);
  fernplot::python::BindAnalysis(m);
  fernplot::python::BindImpedance(m);
  fernplot::python::BindPage(m);
}
