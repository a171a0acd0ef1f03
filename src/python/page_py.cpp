// SPDX-License-Identifier: MIT
// Pages: a sweep or a file made into the exporter's page and drawn as PNG,
// SVG, PDF or the drawing document, offscreen.
#include <QByteArray>
#include <QCoreApplication>
#include <QGuiApplication>
#include <QHashFunctions>
#include <algorithm>
#include <memory>
#include <mutex>

#include "analysis/view_rows.h"
#include "datafile/reader.h"
#include "font_setup.h"
#include "graph/compared_page.h"
#include "graph/curve_thinning.h"
#include "graph/page_json.h"
#include "graph/page_session.h"
#include "import/imported_page.h"
#include "page_output.h"
#include "props/graph_properties.h"
#include "props/property_table.h"
#include "props/settings_file.h"
#include "py_common.h"
#include "qt_text_measurer.h"

namespace fernplot::python {

namespace {

// Fonts need a QGuiApplication. A caller's own (a Qt program embedding
// Python, a notebook running a Qt event loop) is used as it is; without one
// the module makes its own on the offscreen platform, chosen by argument so
// that the environment a later Qt application reads is left alone.
void NeedGuiApplication() {
  static std::once_flag once;
  static bool usable = false;
  std::call_once(once, [] {
    if (QCoreApplication* app = QCoreApplication::instance()) {
      usable = qobject_cast<QGuiApplication*>(app) != nullptr;
    } else {
      // The exporter's settings: the same hash order (a PDF's object order)
      // and the same quiet font warnings.
      QHashSeed::setDeterministicGlobalSeed();
      InstallFontWarningFilter();
      static int argc = 3;
      static char name[] = "fernplot", platform[] = "-platform", offscreen[] = "offscreen";
      static char* argv[] = {name, platform, offscreen, nullptr};
      // Lives as long as the process: Qt allows one, and pages drawn later
      // (in this process or a fork of it) use it.
      new QGuiApplication(argc, argv);
      usable = true;
    }
    if (usable) InstallFontSubstitutions();
  });
  if (!usable) {
    throw std::runtime_error(
        "pages need a QGuiApplication, and this process runs a QCoreApplication");
  }
}

// The page as the exporter makes it from its inputs, kept unbuilt: each
// output builds it for its own zoom (overlay curves are thinned for the
// grid of the picture).
struct Page {
  std::shared_ptr<const GraphPage> page;
};

// One build of a page: the measurer outlives the session that uses it.
struct Built {
  std::unique_ptr<QtTextMeasurer> measurer = std::make_unique<QtTextMeasurer>();
  PageSession session;
  const GraphPage* page = nullptr;
};

std::unique_ptr<Built> Build(const Page& p, double zoom) {
  auto built = std::make_unique<Built>();
  built->session.curveGrids = CurveGridsWithZoom(zoom);
  built->session.drawing.SetMeasurer(built->measurer.get());
  built->session.drawingActive = true;
  built->page = built->session.AddPage(std::make_unique<GraphPage>(*p.page));
  return built;
}

py::bytes Bytes(const QByteArray& bytes) {
  return py::bytes(bytes.constData(), static_cast<size_t>(bytes.size()));
}

[[noreturn]] void DrawFailed(const WriteFileResult& r) {
  throw py::value_error("the page cannot be drawn: " + r.error);
}

py::bytes Png(const Page& p, const py::object& zoomArg) {
  if (!py::isinstance<py::int_>(zoomArg) && !py::isinstance<py::float_>(zoomArg)) {
    throw py::type_error("zoom is a number of percent, 10 to 1000");
  }
  const double zoom = zoomArg.cast<double>();
  if (!(zoom >= 10 && zoom <= 1000)) {
    throw py::value_error("zoom is 10 to 1000 percent, not " + std::string(py::str(zoomArg)));
  }
  QByteArray bytes;
  WriteFileResult r;
  {
    py::gil_scoped_release unlocked;
    const std::unique_ptr<Built> b = Build(p, zoom / 100.0);
    r = PagePngBytes(b->session.drawing, zoom / 100.0, bytes);
  }
  if (!r.ok) DrawFailed(r);
  return Bytes(bytes);
}

template <typename F>
QByteArray Vector(const Page& p, F make) {
  QByteArray bytes;
  WriteFileResult r;
  {
    py::gil_scoped_release unlocked;
    const std::unique_ptr<Built> b = Build(p, 1.0);
    r = make(b->session.drawing, b->page->fileName, bytes);
  }
  if (!r.ok) DrawFailed(r);
  return bytes;
}

ViewKind ViewArgument(const std::string& view) {
  if (const std::optional<ViewKind> kind = ViewOfOptionWord(view)) return *kind;
  std::string names;
  for (const ViewRow& row : kViewRows) {
    if (!names.empty()) names += row.kind == kViewRows.back().kind ? " or " : ", ";
    names += "\"" + std::string(row.optionWord) + "\"";
  }
  throw py::value_error("view is " + names + ", not \"" + view + "\"");
}

LoopCurve LoopArgument(const std::string& loop) {
  if (loop == "open") return LoopCurve::kOpen;
  if (loop == "closed") return LoopCurve::kClosed;
  if (loop == "sensitivity") return LoopCurve::kSensitivity;
  throw py::value_error("loop is \"open\", \"closed\" or \"sensitivity\", not \"" + loop + "\"");
}

std::vector<std::string> PathList(const py::object& value, const char* name) {
  std::vector<std::string> paths;
  if (py::isinstance<py::str>(value) || py::isinstance<py::bytes>(value) ||
      py::hasattr(value, "__fspath__")) {
    throw py::type_error(std::string(name) + " is a sequence of paths, not one path");
  }
  if (!py::isinstance<py::iterable>(value)) {
    throw py::type_error(std::string(name) + " is a sequence of paths");
  }
  for (const py::handle item : value) paths.push_back(PathArgument(item));
  return paths;
}

// The first of `paths` that a line of `errors` names.
std::string NamedIn(const std::string& errors, const std::vector<std::string>& paths) {
  for (const std::string& p : paths) {
    if (errors.rfind(p + ":", 0) == 0 || errors.find("\n" + p + ":") != std::string::npos) return p;
  }
  return paths.empty() ? std::string() : paths.front();
}

// A keyword's value in the settings file's words: True/False as Y/N, a
// colour's (r, g, b) as "r g b", numbers as Python writes them (the
// shortest text that reads back).
std::string PropertyValueText(const py::handle& value) {
  if (py::isinstance<py::bool_>(value)) return value.cast<bool>() ? "Y" : "N";
  if (py::isinstance<py::tuple>(value) || py::isinstance<py::list>(value)) {
    std::string out;
    for (const py::handle item : value) out += (out.empty() ? "" : " ") + std::string(py::str(item));
    return out;
  }
  return py::str(value);
}

Page MakePage(const py::object& input, const std::string& viewArg, const std::string& loopArg,
              const py::object& overlaysArg, const py::object& differenceArg,
              const py::object& settingsArg, const py::kwargs& properties) {
  GraphProperties defaults = FactoryDefaults();
  if (!settingsArg.is_none()) {
    const std::string settings = PathArgument(settingsArg);
    RaiseIfUnreachable(settings);
    bool crossHair = false;
    std::string dataFilePath;
    const SettingsLoadResult load = LoadSettingsFile(settings, defaults, crossHair, dataFilePath);
    if (!load.ok || load.missing) {
      throw py::value_error(load.ok ? std::string(py::str(PathText(settings))) +
                                          ": the settings file cannot be read"
                                    : load.error);
    }
  }
  defaults.view = ViewArgument(viewArg);
  defaults.loopCurve = LoopArgument(loopArg);
  // Any page property of the settings file by its name, dots written as
  // underscores (axis_gain_length=30 is axis.gain.length), in the order given.
  for (const auto& [key, value] : properties) {
    std::string name = py::str(key);
    std::replace(name.begin(), name.end(), '_', '.');
    if (!FindPageProperty(name)) {
      throw py::type_error("page() got an unexpected keyword argument '" +
                           std::string(py::str(key)) + "' (fernplot.properties() lists them)");
    }
    if (std::string why = SetPageProperty(defaults, name, PropertyValueText(value)); !why.empty()) {
      throw py::value_error(why);
    }
  }
  const std::vector<std::string> overlays = PathList(overlaysArg, "overlays");
  std::optional<std::string> difference;
  if (!differenceArg.is_none()) difference = PathArgument(differenceArg);
  for (const std::string& path : overlays) RaiseIfUnreachable(path);
  if (difference) RaiseIfUnreachable(*difference);

  MeasurementData data;
  std::vector<MeasurementData> more;
  std::string path;
  const Sweep* sweep = nullptr;
  if (py::isinstance<Sweep>(input)) {
    sweep = &input.cast<const Sweep&>();
    data = sweep->data;
    defaults.calcType = sweep->ratio;
    if (sweep->shuntOhms) defaults.shuntOhms = *sweep->shuntOhms;
    path = sweep->path.empty() ? SweepFileName(*sweep) : sweep->path;
  } else {
    path = PathArgument(input);
    RaiseIfUnreachable(path);
  }
  ComparedPage made;
  ComparisonRead compared;
  SweepFileRead read;
  {
    py::gil_scoped_release unlocked;
    if (!sweep) read = ReadSweepFile(path, {});
    if (read.importError.empty() && (sweep || (read.data && read.data->points))) {
      compared = ReadComparison(overlays, difference, {}, nullptr);
      if (compared.allRead) {
        if (!sweep) {
          data = std::move(*read.data);
          more = std::move(read.more);
        }
        made = MakeComparedPage(defaults, std::move(data), std::move(more), path,
                                compared.comparison, false, nullptr, nullptr);
      }
    }
  }
  if (!read.importError.empty()) RaiseReadError(path, read.importLine, read.importMessage);
  if (!sweep && (!read.data || !read.data->points)) {
    RaiseReadError(path, 0,
                   read.message.empty() ? "the file has no points"
                                        : LocalizedReaderMessage(read.message, nullptr));
  }
  if (!compared.allRead) {
    std::vector<std::string> all = overlays;
    if (difference) all.push_back(*difference);
    const std::string named = NamedIn(compared.errors, all);
    std::string message = compared.errors;
    if (message.rfind(named + ": ", 0) == 0) message = message.substr(named.size() + 2);
    while (!message.empty() && message.back() == '\n') message.pop_back();
    RaiseReadError(named, 0, message);
  }
  if (!made.ok) {
    std::string message = made.errors;
    while (!message.empty() && message.back() == '\n') message.pop_back();
    throw py::value_error(message);
  }
  if (sweep && sweep->path.empty()) {
    made.page->fileName = SweepFileName(*sweep);
    made.page->sourcePath.clear();
  }
  return Page{std::shared_ptr<const GraphPage>(std::move(made.page))};
}

}  // namespace

void BindPage(py::module_& m) {
  py::class_<Page>(m, "Page", R"(A page as the exporter draws it. Drawn offscreen
on demand; a notebook shows it inline (_repr_png_).)")
      .def(
          "png",
          [](const Page& p, const py::object& zoom) {
            NeedGuiApplication();
            return Png(p, zoom);
          },
          py::arg("zoom") = 100, "The page as on screen at zoom percent (10 to 1000), PNG bytes.")
      .def(
          "svg",
          [](const Page& p) {
            NeedGuiApplication();
            const QByteArray bytes = Vector(p, [](const DrawingDocument& d, const std::string& t,
                                                  QByteArray& b) { return PageSvgBytes(d, t, b); });
            return py::str(bytes.constData(), static_cast<size_t>(bytes.size()));
          },
          "The page at true size as SVG text.")
      .def(
          "pdf",
          [](const Page& p) {
            NeedGuiApplication();
            return Bytes(Vector(p, [](const DrawingDocument& d, const std::string& t,
                                      QByteArray& b) { return PagePdfBytes(d, t, b); }));
          },
          "The page at true size as PDF bytes.")
      .def(
          "drawing",
          [](const Page& p) {
            NeedGuiApplication();
            std::string json;
            {
              py::gil_scoped_release unlocked;
              const std::unique_ptr<Built> b = Build(p, 1.0);
              json = DrawingJson(b->session.drawing, *b->page);
            }
            return FromJson(json);
          },
          "The built sheet as the exporter's -f drawing document.")
      .def("_repr_png_", [](const Page& p) {
        NeedGuiApplication();
        return Png(p, py::int_(100));
      });

  m.def(
      "properties",
      [] {
        py::list out;
        const GraphProperties factory = FactoryDefaults();
        for (const PropertyDescriptor& d : PageProperties()) {
          std::string name = d.name;
          std::replace(name.begin(), name.end(), '.', '_');
          out.append(py::make_tuple(name, d.type, d.get(factory), d.range, d.help));
        }
        return out;
      },
      "Every page property page() takes by keyword: (name, type, factory value, "
      "words or range, help), as the exporter's --properties lists them.");
  m.def("page", &MakePage, py::arg("sweep_or_path"), py::kw_only(), py::arg("view") = "bode",
        py::arg("loop") = "open", py::arg("overlays") = py::tuple(),
        py::arg("difference") = py::none(), py::arg("settings") = py::none(),
        R"(The page of a sweep or of a file as the exporter makes it: view "bode",
"nyquist" or "nichols"; loop "open", "closed" or "sensitivity"; overlays
and difference as paths of sweep files; settings the path of a settings
file read over the factory defaults (None: the factory defaults, never the
viewer's file); any other keyword sets a page property by name, dots as
underscores (title="Loop A", axis_gain_max=20, item_date=False), see
properties().)");
}

}  // namespace fernplot::python
