// SPDX-License-Identifier: MIT
#pragma once
// What the parts of the Python module share: the sweep it hands out, how
// arguments become core values, and how the core's failures become Python
// exceptions. The module is a thin layer: every number, document and page
// comes from the core functions the exporter calls.

#include <pybind11/complex.h>
#include <pybind11/eval.h>
#include <pybind11/numpy.h>
#include <pybind11/pybind11.h>
#include <pybind11/stl.h>

#include <memory>
#include <optional>
#include <string>
#include <vector>

#include "analysis/channel_ratio.h"
#include "datafile/measurement.h"
#include "graph/pages.h"
#include "import/touchstone_format.h"

namespace fernplot::python {

namespace py = pybind11;

// One trace in one channel ratio: the record it came from, as the readers
// made it (gain and phase at the record's float precision).
struct Sweep {
  MeasurementData data;  // always with points
  ChannelRatio ratio = ChannelRatio::kCh1Ch2;
  std::string path;  // the file's path as bytes; empty for a sweep made from arrays
  // The points in ascending frequency: indices into the record, which holds
  // them in the reverse of the file's order; equal frequencies keep the
  // file's order, as the analysis takes them.
  std::vector<uint32_t> order;
  // Channel 2 measured across a shunt of these ohms: the ratio read is the
  // impedance Z = R·H. Set only where it applies (never on an impedance
  // file's trace, which is not scaled).
  std::optional<double> shuntOhms;
  // Arrays handed out, made once: read-only views of the record's values.
  mutable py::object frequency, gainDb, phaseDeg, response;
};
using SweepPtr = std::shared_ptr<Sweep>;

// An impedance file's trace: its values as read, in double; else nullptr.
const ComplexSweep* HeldImpedance(const Sweep& sweep);
// Whether the sweep is an impedance (a file's, or a ratio through a shunt).
bool IsImpedanceSweep(const Sweep& sweep);

// A path argument (str, bytes or os.PathLike) as the bytes of the name;
// TypeError for anything else.
std::string PathArgument(const py::handle& path);
// The name for messages and attributes: str, undecodable bytes kept as
// surrogates (os.fsdecode).
py::object PathText(const std::string& path);
// Raises OSError with the errno when the file cannot be reached at all
// (FileNotFoundError for a missing one).
void RaiseIfUnreachable(const std::string& path);
// Raises fernplot.ReadError.
[[noreturn]] void RaiseReadError(const std::string& path, size_t line, const std::string& message);
// "ch1/ch2" or "ch2/ch1"; ValueError for anything else.
ChannelRatio RatioArgument(const std::string& ratio);

// How read() and read_all() take a file besides its ratio: the parameter
// of a network file, a table's columns, an S-parameter file's impedance,
// and the shunt. The arguments checked as the exporter checks its options
// (ValueError or TypeError in the words of its usage errors).
struct ReadChoices {
  ImportOptions import;
  std::optional<double> shuntOhms;
};
ReadChoices ReadChoicesOf(const py::object& sparam, const py::object& columns,
                          const py::object& zFrom, const py::object& shunt);
// A frequency bound in Hz, or None; `name` for the messages.
std::optional<double> FrequencyLimit(const py::object& value, const char* name);

// A JSON document of the core as Python values (json.loads).
py::object FromJson(const std::string& text);

// A page of the sweep in the exporter's defaults: the factory values with
// the sweep's ratio (and the margin reference given). Named after its file
// as the exporter names it.
std::unique_ptr<GraphPage> SweepPage(const Sweep& sweep, bool marginReferenceZero = false);
// The name the exporter's documents give the sweep's page ("file").
std::string SweepFileName(const Sweep& sweep);

void BindErrors(py::module_& m);
void BindSweep(py::module_& m);
void BindAnalysis(py::module_& m);
void BindPage(py::module_& m);
void BindImpedance(py::module_& m);

}  // namespace fernplot::python
