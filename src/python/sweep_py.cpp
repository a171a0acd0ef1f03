// SPDX-License-Identifier: MIT
// Sweeps: reading them from files, making them from arrays, writing them,
// and listing data files.
#include <sys/stat.h>

#include <algorithm>
#include <cerrno>
#include <cmath>
#include <complex>
#include <cstring>
#include <functional>
#include <limits>
#include <numbers>
#include <string_view>

#include "datafile/data_file_list_cells.h"
#include "datafile/reader.h"
#include "graph/page_exchange.h"
#include "graph/page_figures.h"
#include "graph/page_json.h"
#include "graph/page_session.h"
#include "import/imported_page.h"
#include "props/graph_properties.h"
#include "py_common.h"

namespace fernplot::python {

namespace {

// The error type, made once with its bases in Python: a class of both
// OSError and ValueError is not expressible through pybind11's exceptions.
constexpr const char* kReadErrorSource = R"(
class ReadError(OSError, ValueError):
    """A sweep file that cannot be read: malformed, of no known format, or
    without a usable point.

    Attributes: path (the file), line (1-based, 0 when the file as a whole
    is at fault) and message (the reader's words, without path and line).
    """

    def __init__(self, path, line, message):
        where = f"{path}:{line}" if line else f"{path}"
        super().__init__(f"{where}: {message}")
        self.path = path
        self.line = line
        self.message = message
)";

py::object ReadErrorType() {
  return py::module_::import("fernplot").attr("ReadError");
}

std::string FileNameOf(const std::string& path) {
  const size_t slash = path.find_last_of('/');
  return slash == std::string::npos ? path : path.substr(slash + 1);
}

// The points of the sweep's ratio in the record's order.
// The points of the sweep's ratio in ascending frequency.
struct RatioValues {
  const std::vector<DataPoint>& points;
  const std::vector<uint32_t>& order;
  bool ch2;
  size_t size() const { return order.size(); }
  const DataPoint& At(size_t i) const { return points[order[i]]; }
  double Frequency(size_t i) const { return At(i).frequency; }
  float Gain(size_t i) const { return ch2 ? At(i).gainCh2Ch1 : At(i).gainCh1Ch2; }
  float Phase(size_t i) const { return ch2 ? At(i).phaseCh2Ch1 : At(i).phaseCh1Ch2; }
};

RatioValues Values(const Sweep& s) {
  return {*s.data.points, s.order, s.ratio == ChannelRatio::kCh2Ch1};
}

// A read-only array of n doubles filled by `at`.
template <typename T, typename F>
py::object MakeArray(size_t n, F at) {
  py::array_t<T> out(static_cast<py::ssize_t>(n));
  T* p = out.mutable_data();
  for (size_t i = 0; i < n; ++i) p[i] = at(i);
  out.attr("flags").attr("writeable") = false;
  return out;
}

py::object Cached(py::object& slot, const std::function<py::object()>& make) {
  if (!slot) slot = make();
  return slot;
}

std::complex<double> Response(double gainDb, double phaseDeg) {
  return std::polar(std::pow(10.0, gainDb / 20.0), phaseDeg * (std::numbers::pi / 180.0));
}

SweepPtr NewSweep(MeasurementData data, ChannelRatio ratio, const std::string& path) {
  auto s = std::make_shared<Sweep>();
  s->data = std::move(data);
  s->ratio = ratio;
  s->path = path;
  const std::vector<DataPoint>& points = *s->data.points;
  s->order.resize(points.size());
  for (size_t i = 0; i < points.size(); ++i) {
    s->order[i] = static_cast<uint32_t>(points.size() - 1 - i);
  }
  // A frequency that is not a number sorts last.
  const auto key = [&](uint32_t i) {
    const double f = points[i].frequency;
    return std::isnan(f) ? std::numeric_limits<double>::infinity() : f;
  };
  if (!std::is_sorted(s->order.begin(), s->order.end(),
                      [&](uint32_t a, uint32_t b) { return key(a) < key(b); })) {
    std::stable_sort(s->order.begin(), s->order.end(),
                     [&](uint32_t a, uint32_t b) { return key(a) < key(b); });
  }
  return s;
}

}  // namespace

std::string PathArgument(const py::handle& path) {
  if (!py::isinstance<py::str>(path) && !py::isinstance<py::bytes>(path) &&
      !py::hasattr(path, "__fspath__")) {
    throw py::type_error("a path is str, bytes or os.PathLike, not " +
                         std::string(py::str(path.get_type().attr("__name__"))));
  }
  const py::bytes bytes = py::module_::import("os").attr("fsencode")(path);
  std::string out = bytes;
  if (out.find('\0') != std::string::npos) throw py::value_error("a path has no NUL byte");
  return out;
}

py::object PathText(const std::string& path) {
  return py::module_::import("os").attr("fsdecode")(py::bytes(path));
}

void RaiseIfUnreachable(const std::string& path) {
  struct stat st {};
  if (stat(path.c_str(), &st) == 0) return;
  const int error = errno;
  errno = error;
  PyErr_SetFromErrnoWithFilenameObject(PyExc_OSError, PathText(path).ptr());
  throw py::error_already_set();
}

void RaiseReadError(const std::string& path, size_t line, const std::string& message) {
  const py::object type = ReadErrorType();
  const py::object error = type(PathText(path), line, py::str(message));
  PyErr_SetObject(type.ptr(), error.ptr());
  throw py::error_already_set();
}

ChannelRatio RatioArgument(const std::string& ratio) {
  if (ratio == "ch1/ch2") return ChannelRatio::kCh1Ch2;
  if (ratio == "ch2/ch1") return ChannelRatio::kCh2Ch1;
  throw py::value_error("ratio is \"ch1/ch2\" or \"ch2/ch1\", not \"" + ratio + "\"");
}

py::object FromJson(const std::string& text) {
  return py::module_::import("json").attr("loads")(py::str(text));
}

std::string SweepFileName(const Sweep& sweep) {
  if (sweep.path.empty()) {
    return sweep.data.imported ? sweep.data.imported->legendName : std::string();
  }
  return std::string(PageFileName(FileNameOf(sweep.path)));
}

std::unique_ptr<GraphPage> SweepPage(const Sweep& sweep, bool marginReferenceZero) {
  GraphProperties defaults = FactoryDefaults();
  defaults.calcType = sweep.ratio;
  defaults.marginReferenceZero = marginReferenceZero;
  std::unique_ptr<GraphPage> page =
      PageSession::MakePage(defaults, sweep.data, SweepFileName(sweep));
  page->sourcePath = sweep.path;
  return page;
}

void BindErrors(py::module_& m) {
  py::exec(kReadErrorSource, m.attr("__dict__"));
  m.attr("ReadError").attr("__module__") = "fernplot";
}

namespace {

// What read and read_all share: the checks of the arguments, the read
// without the GIL, and the failures as exceptions.
std::vector<SweepPtr> ReadSweepsOf(const py::object& pathArg, const std::string& ratioArg,
                                   const py::object& sparamArg, const py::object& columns,
                                   const py::object& zFrom, const py::object& shunt) {
  const std::string path = PathArgument(pathArg);
  const ChannelRatio ratio = RatioArgument(ratioArg);
  std::string sparam;
  if (!sparamArg.is_none()) {
    if (!py::isinstance<py::str>(sparamArg)) throw py::type_error("sparam is a str or None");
    sparam = sparamArg.cast<std::string>();
    for (char& c : sparam) c = static_cast<char>(std::toupper(static_cast<unsigned char>(c)));
    if (sparam != "S11" && sparam != "S21" && sparam != "S12" && sparam != "S22") {
      throw py::value_error("sparam is S11, S21, S12 or S22, not \"" +
                            sparamArg.cast<std::string>() + "\"");
    }
  }
  for (const auto& [name, value] : {std::pair<const char*, const py::object*>{"columns", &columns},
                                    {"z_from", &zFrom},
                                    {"shunt", &shunt}}) {
    if (!value->is_none()) {
      PyErr_SetString(PyExc_NotImplementedError,
                      (std::string(name) + " comes with the impedance readers, not yet").c_str());
      throw py::error_already_set();
    }
  }
  RaiseIfUnreachable(path);
  SweepFileRead read;
  {
    py::gil_scoped_release unlocked;
    read = ReadSweepFile(path, {sparam});
  }
  if (!read.importError.empty()) RaiseReadError(path, read.importLine, read.importMessage);
  if (!read.data || !read.data->points) {
    RaiseReadError(path, 0,
                   read.message.empty() ? std::string("the file has no points")
                                        : LocalizedReaderMessage(read.message, nullptr));
  }
  std::vector<SweepPtr> sweeps;
  sweeps.push_back(NewSweep(std::move(*read.data), ratio, path));
  for (MeasurementData& d : read.more) sweeps.push_back(NewSweep(std::move(d), ratio, path));
  // A sweep is something to compute with: one without any usable point
  // (every value missing or not finite) is refused here, not downstream.
  {
    const std::unique_ptr<GraphPage> page = SweepPage(*sweeps.front());
    if (PageUsablePoints(*page).empty()) RaiseReadError(path, 0, "the file has no usable points");
  }
  return sweeps;
}

// The numbers of an array argument, as float64 or complex128; TypeError
// for anything that is not numbers, ValueError for a shape other than 1-D.
py::array ArrayArgument(const py::object& value, const char* name, bool complex) {
  const py::module_ np = py::module_::import("numpy");
  py::array a;
  try {
    a = np.attr("asarray")(value);
  } catch (py::error_already_set&) {
    throw py::type_error(std::string(name) + " is an array of numbers");
  }
  const char kind = a.dtype().kind();
  const bool numeric = kind == 'i' || kind == 'u' || kind == 'f' || (complex && kind == 'c');
  if (!numeric) {
    throw py::type_error(std::string(name) + " is an array of " +
                         (complex ? "real or complex numbers" : "real numbers") +
                         ", not of dtype " + std::string(py::str(a.dtype())));
  }
  if (a.ndim() != 1) {
    throw py::value_error(std::string(name) + " is one-dimensional, not of shape " +
                          std::string(py::str(a.attr("shape"))));
  }
  return np.attr("ascontiguousarray")(a, complex ? "complex128" : "float64");
}

SweepPtr SweepFromArrays(const py::object& frequencyArg, const py::object& responseArg,
                         const std::string& quantity, const std::string& title) {
  if (quantity == "impedance") {
    PyErr_SetString(PyExc_NotImplementedError,
                    "impedance sweeps come with the impedance readers, not yet");
    throw py::error_already_set();
  }
  if (quantity != "ratio") throw py::value_error("quantity is \"ratio\", not \"" + quantity + "\"");
  const auto f = ArrayArgument(frequencyArg, "frequency", false).cast<py::array_t<double>>();
  const auto r =
      ArrayArgument(responseArg, "response", true).cast<py::array_t<std::complex<double>>>();
  const size_t n = static_cast<size_t>(f.size());
  if (n == 0) throw py::value_error("a sweep has at least one point");
  if (static_cast<size_t>(r.size()) != n) {
    throw py::value_error("frequency has " + std::to_string(n) + " points, response " +
                          std::to_string(r.size()));
  }
  ImportedTrace trace;
  trace.name = title;
  trace.points.reserve(n);
  const double* fp = f.data();
  const std::complex<double>* rp = r.data();
  for (size_t i = 0; i < n; ++i) {
    const std::string at = "at index " + std::to_string(i);
    if (!std::isfinite(fp[i]) || fp[i] <= 0) {
      throw py::value_error("frequencies are finite and above 0: " + std::to_string(fp[i]) + " " +
                            at);
    }
    if (i > 0 && !(fp[i] > fp[i - 1])) {
      throw py::value_error("frequencies rise from point to point: " + std::to_string(fp[i]) +
                            " follows " + std::to_string(fp[i - 1]) + " " + at);
    }
    const double gain = 20.0 * std::log10(std::abs(rp[i]));
    const double phase = std::arg(rp[i]) * (180.0 / std::numbers::pi);
    if (!std::isfinite(rp[i].real()) || !std::isfinite(rp[i].imag())) {
      throw py::value_error("the response is finite " + at);
    }
    if (!std::isfinite(static_cast<float>(gain))) {
      throw py::value_error("the response's gain in dB is finite (not 0, nor too large) " + at);
    }
    trace.points.push_back({fp[i], gain, phase});
  }
  ImportedFile file;
  file.traces.push_back(std::move(trace));
  std::vector<MeasurementData> records = ImportedRecords(file, title.empty() ? "sweep" : title);
  return NewSweep(std::move(records.front()), ChannelRatio::kCh1Ch2, std::string());
}

py::object Title(const Sweep& s) {
  if (!s.data.imported) return py::str(s.data.dataTitle);
  const ImportedSource& src = *s.data.imported;
  return py::str(src.traceName.empty() ? src.legendName : src.traceName);
}

py::object Header(const Sweep& s) {
  if (s.data.imported) return py::none();
  MeasurementData header = s.data;
  header.points.reset();
  py::dict fields = FromJson(MeasurementJson(header, std::string()));
  fields.attr("pop")("message");
  fields.attr("pop")("points");
  return fields;
}

void WriteSweep(const Sweep& sweep, const py::object& pathArg, const std::string& format) {
  const std::string path = PathArgument(pathArg);
  WriteFileResult result;
  {
    py::gil_scoped_release unlocked;
    const std::unique_ptr<GraphPage> page = SweepPage(sweep);
    if (format == "csv") {
      result = WriteFileAtomically(path, PageCsvText(*page));
    } else if (format == "json") {
      result = WriteFileAtomically(path, MeasurementJson(page->data, std::string()));
    } else if (format == "s2p") {
      result = WritePageTouchstone(*page, path);
    } else if (format == "spice") {
      result = WritePageSpiceTable(*page, path);
    } else {
      result.error = "?";
    }
  }
  if (result.error == "?") {
    throw py::value_error("format is \"csv\", \"s2p\", \"spice\" or \"json\", not \"" + format +
                          "\"");
  }
  if (!result.ok) {
    PyErr_SetObject(
        PyExc_OSError,
        py::make_tuple(py::str(PathText(path)).attr("__add__")(py::str(": " + result.error)))
            .ptr());
    throw py::error_already_set();
  }
}

py::list Scan(const py::object& patternArg) {
  const std::string pattern = PathArgument(patternArg);
  DataFileListing listing;
  {
    py::gil_scoped_release unlocked;
    listing = ListDataFileRows(pattern);
  }
  if (listing.error != 0) {
    errno = listing.error;
    PyErr_SetFromErrnoWithFilenameObject(PyExc_OSError, PathText(listing.folder).ptr());
    throw py::error_already_set();
  }
  py::list rows;
  for (const DataFileListRow& cells : listing.rows) {
    py::dict row;
    row["name"] = PathText(cells[0]);
    row["kind"] = py::str(cells[1]);
    row["points"] = cells[2].empty() ? py::object(py::none()) : py::int_(std::stoll(cells[2]));
    row["date"] = cells[3].empty() ? py::object(py::none()) : py::str(cells[3]);
    row["title"] = py::str(cells[4]);
    rows.append(std::move(row));
  }
  return rows;
}

}  // namespace

void BindSweep(py::module_& m) {
  py::class_<Sweep, SweepPtr>(m, "Sweep", R"(One trace of a sweep in one channel ratio.

Sweep(frequency, response, quantity="ratio", title="") makes one from
arrays: frequencies in Hz (finite, above 0, rising), the complex response
at each. Gain and phase are kept at the precision the readers keep them
(float32 dB and degrees), so a sweep made from arrays and one read from a
file behave alike.)")
      .def(py::init(&SweepFromArrays), py::arg("frequency"), py::arg("response"),
           py::arg("quantity") = "ratio", py::arg("title") = "")
      .def_property_readonly(
          "frequency",
          [](const Sweep& s) {
            return Cached(s.frequency, [&] {
              const RatioValues v = Values(s);
              return MakeArray<double>(v.size(), [&](size_t i) { return v.Frequency(i); });
            });
          },
          "Frequencies in Hz (float64), ascending.")
      .def_property_readonly(
          "gain_db",
          [](const Sweep& s) {
            return Cached(s.gainDb, [&] {
              const RatioValues v = Values(s);
              return MakeArray<double>(v.size(), [&](size_t i) { return double(v.Gain(i)); });
            });
          },
          "Gain in dB (float64: the record's float32 values widened).")
      .def_property_readonly(
          "phase_deg",
          [](const Sweep& s) {
            return Cached(s.phaseDeg, [&] {
              const RatioValues v = Values(s);
              return MakeArray<double>(v.size(), [&](size_t i) { return double(v.Phase(i)); });
            });
          },
          "Phase in degrees as stored, not re-wrapped (float64).")
      .def_property_readonly(
          "response",
          [](const Sweep& s) {
            return Cached(s.response, [&] {
              const RatioValues v = Values(s);
              return MakeArray<std::complex<double>>(
                  v.size(), [&](size_t i) { return Response(v.Gain(i), v.Phase(i)); });
            });
          },
          "10**(gain_db/20) * exp(1j*radians(phase_deg)) (complex128).")
      .def_property_readonly(
          "quantity", [](const Sweep&) { return "ratio"; },
          "\"ratio\" (impedance sweeps come later).")
      .def_property_readonly(
          "ratio",
          [](const Sweep& s) { return s.ratio == ChannelRatio::kCh2Ch1 ? "ch2/ch1" : "ch1/ch2"; },
          "The channel ratio read: \"ch1/ch2\" or \"ch2/ch1\".")
      .def_property_readonly("title", &Title, "The data title, or the trace's name.")
      .def_property_readonly(
          "path",
          [](const Sweep& s) { return s.path.empty() ? py::object(py::none()) : PathText(s.path); },
          "The file read, or None for a sweep made from arrays.")
      .def_property_readonly("header", &Header,
                             "The data file's header fields by their JSON names; None for "
                             "other formats.")
      .def_property_readonly(
          "format",
          [](const Sweep& s) -> py::object {
            if (!s.data.imported) return py::str("DAT");
            if (s.path.empty()) return py::none();
            return py::str(s.data.imported->format);
          },
          "\"DAT\", the imported format's name (\"Touchstone v1\", ...), or None.")
      .def("__len__", [](const Sweep& s) { return s.data.points->size(); })
      .def("__repr__", [](const Sweep& s) {
        return "<fernplot.Sweep " + std::string(py::repr(Title(s))) + ", " +
               std::to_string(s.data.points->size()) + " points>";
      });

  m.def(
      "read",
      [](const py::object& path, const std::string& ratio, const py::object& sparam,
         const py::object& columns, const py::object& zFrom, const py::object& shunt) {
        return ReadSweepsOf(path, ratio, sparam, columns, zFrom, shunt).front();
      },
      py::arg("path"), py::kw_only(), py::arg("ratio") = "ch1/ch2", py::arg("sparam") = py::none(),
      py::arg("columns") = py::none(), py::arg("z_from") = py::none(),
      py::arg("shunt") = py::none(),
      R"(Reads a sweep file of any format the exporter reads; a stepped file gives
its first step. Never reads the viewer's settings.)");
  m.def(
      "read_all",
      [](const py::object& path, const std::string& ratio, const py::object& sparam,
         const py::object& columns, const py::object& zFrom, const py::object& shunt) {
        return ReadSweepsOf(path, ratio, sparam, columns, zFrom, shunt);
      },
      py::arg("path"), py::kw_only(), py::arg("ratio") = "ch1/ch2", py::arg("sparam") = py::none(),
      py::arg("columns") = py::none(), py::arg("z_from") = py::none(),
      py::arg("shunt") = py::none(), "Every trace (step) of a sweep file, in file order.");
  m.def("write", &WriteSweep, py::arg("sweep"), py::arg("path"), py::arg("format"),
        R"(Writes the sweep as "csv" (the exporter's -f csv), "s2p", "spice" or
"json", whole or not at all.)");
  m.def("scan", &Scan, py::arg("pattern"),
        "The rows the exporter's -l prints for a search pattern, as dicts.");
}

}  // namespace fernplot::python
