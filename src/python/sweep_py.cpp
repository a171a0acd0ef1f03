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
#include "import/import_text.h"
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
  defaults.shuntOhms = sweep.shuntOhms.value_or(0.0);
  std::unique_ptr<GraphPage> page =
      PageSession::MakePage(defaults, sweep.data, SweepFileName(sweep));
  page->sourcePath = sweep.path;
  return page;
}

const ComplexSweep* HeldImpedance(const Sweep& sweep) {
  const std::optional<ImportedSource>& source = sweep.data.imported;
  return source && source->sweep && source->sweep->quantity == SweepQuantity::kImpedance
             ? source->sweep.get()
             : nullptr;
}

bool IsImpedanceSweep(const Sweep& sweep) {
  return HeldImpedance(sweep) != nullptr || sweep.shuntOhms.has_value();
}

void BindErrors(py::module_& m) {
  py::exec(kReadErrorSource, m.attr("__dict__"));
  m.attr("ReadError").attr("__module__") = "fernplot";
}

namespace {

// What read and read_all share: the checks of the arguments, the read
// without the GIL, and the failures as exceptions.
std::vector<SweepPtr> ReadSweepsOf(const py::object& pathArg, const std::string& ratioArg,
                                   const py::object& sparam, const py::object& columns,
                                   const py::object& zFrom, const py::object& shunt) {
  const std::string path = PathArgument(pathArg);
  const ChannelRatio ratio = RatioArgument(ratioArg);
  const ReadChoices choices = ReadChoicesOf(sparam, columns, zFrom, shunt);
  RaiseIfUnreachable(path);
  SweepFileRead read;
  {
    py::gil_scoped_release unlocked;
    read = ReadSweepFile(path, choices.import);
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
  // An impedance file is never scaled: the shunt makes ratios impedances.
  for (const SweepPtr& s : sweeps) {
    if (!HeldImpedance(*s)) s->shuntOhms = choices.shuntOhms;
  }
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
  if (quantity != "ratio" && quantity != "impedance") {
    throw py::value_error("quantity is \"ratio\" or \"impedance\", not \"" + quantity + "\"");
  }
  const bool impedance = quantity == "impedance";
  const auto f = ArrayArgument(frequencyArg, "frequency", false).cast<py::array_t<double>>();
  const auto r =
      ArrayArgument(responseArg, "response", true).cast<py::array_t<std::complex<double>>>();
  const size_t n = static_cast<size_t>(f.size());
  if (n == 0) throw py::value_error("a sweep has at least one point");
  if (static_cast<size_t>(r.size()) != n) {
    throw py::value_error("frequency has " + std::to_string(n) + " points, response " +
                          std::to_string(r.size()));
  }
  const double* fp = f.data();
  const std::complex<double>* rp = r.data();
  ImportedTrace trace;
  trace.name = title;
  trace.points.reserve(n);
  // An impedance keeps its values as given, in double, as a file's does.
  std::shared_ptr<ComplexSweep> values;
  if (impedance) {
    values = std::make_shared<ComplexSweep>();
    values->quantity = SweepQuantity::kImpedance;
    values->frequency.assign(fp, fp + n);
    values->response.assign(rp, rp + n);
    trace.sweep = values;
  }
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
    double gain = 20.0 * std::log10(std::abs(rp[i]));
    double phase = std::arg(rp[i]) * (180.0 / std::numbers::pi);
    // As the impedance readers make a file's points of its Z.
    if (impedance) ComplexToGainPhase(rp[i].real(), rp[i].imag(), gain, phase);
    if (!std::isfinite(rp[i].real()) || !std::isfinite(rp[i].imag())) {
      throw py::value_error("the response is finite " + at);
    }
    if (!std::isfinite(static_cast<float>(gain))) {
      throw py::value_error(std::string(impedance ? "|Z| in dB" : "the response's gain in dB") +
                            " is finite (not 0, nor too large) " + at);
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
  if (format != "csv" && format != "json" && format != "s2p" && format != "s1p" &&
      format != "spice") {
    throw py::value_error("format is \"csv\", \"s2p\", \"s1p\", \"spice\" or \"json\", not \"" +
                          format + "\"");
  }
  if (format == "s1p" && !IsImpedanceSweep(sweep)) {
    throw py::value_error("\"s1p\" is the one-port of an impedance; this sweep is a ratio");
  }
  WriteFileResult result;
  // -f s2p writes an impedance as the one-port of its Z (a two-port file's
  // parameter as its network): here that is asked for by its own name, so
  // that the file's name says what it holds.
  bool oneOfZ = false;
  {
    py::gil_scoped_release unlocked;
    const std::unique_ptr<GraphPage> page = SweepPage(sweep);
    if (format == "csv") {
      result = WriteFileAtomically(path, PageCsvText(*page));
    } else if (format == "json") {
      result = WriteFileAtomically(path, MeasurementJson(page->data, std::string()));
    } else if (format == "s2p") {
      oneOfZ = TouchstoneOfImpedance(*page);
      if (!oneOfZ) result = WritePageTouchstone(*page, path);
    } else if (format == "s1p") {
      result = WritePageImpedanceTouchstone(*page, path);
    } else {
      result = WritePageSpiceTable(*page, path);
    }
  }
  if (oneOfZ) throw py::value_error("an impedance is written as \"s1p\", the one-port of its Z");
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
              // Through a shunt the page's curve is |Z|: raised as the page
              // raises it, in float.
              const double db = s.shuntOhms ? 20.0 * std::log10(*s.shuntOhms) : 0.0;
              return MakeArray<double>(v.size(), [&](size_t i) {
                return s.shuntOhms ? double(static_cast<float>(v.Gain(i) + db)) : double(v.Gain(i));
              });
            });
          },
          "Gain in dB (float64: the record's float32 values widened); of an impedance "
          "20*log10(|Z|/1 ohm).")
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
              const ComplexSweep* held = HeldImpedance(s);
              if (held && held->response.size() == s.data.points->size()) {
                return MakeArray<std::complex<double>>(
                    v.size(), [&](size_t i) { return held->response[s.order[i]]; });
              }
              // Z = R·H in double from the ratio's float values, as the
              // impedance formats compute it.
              const double r = s.shuntOhms.value_or(1.0);
              return MakeArray<std::complex<double>>(
                  v.size(), [&](size_t i) { return r * Response(v.Gain(i), v.Phase(i)); });
            });
          },
          "10**(gain_db/20) * exp(1j*radians(phase_deg)) (complex128); of an impedance Z in "
          "ohms: as read (double), or shunt * H.")
      .def_property_readonly(
          "quantity", [](const Sweep& s) { return IsImpedanceSweep(s) ? "impedance" : "ratio"; },
          "\"ratio\", or \"impedance\" for an impedance file's trace and a ratio read "
          "through a shunt.")
      .def_property_readonly(
          "shunt", [](const Sweep& s) { return s.shuntOhms ? py::cast(*s.shuntOhms) : py::none(); },
          "The shunt's ohms the ratio was read through, or None.")
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
               std::to_string(s.data.points->size()) + " points" +
               (IsImpedanceSweep(s) ? ", impedance>" : ">");
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
its first step. Never reads the viewer's settings. As the exporter's options:
sparam (--sparam S21, Z11, ...), columns (--columns "f,re,im", "f,re,-im",
"f,mag,deg" or "f,db,deg": a delimited table's first three columns),
z_from (--z-from "s11", "s21-shunt" or "s21-series"), shunt (--shunt OHMS:
a ratio read as the impedance Z = shunt * H).)");
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
"json", whole or not at all; an impedance as "s1p" (what -f s2p writes of
it: Z in ohms), not "s2p".)");
  m.def("scan", &Scan, py::arg("pattern"),
        "The rows the exporter's -l prints for a search pattern, as dicts.");
}

}  // namespace fernplot::python
