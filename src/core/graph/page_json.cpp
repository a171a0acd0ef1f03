// SPDX-License-Identifier: MIT
#include "graph/page_json.h"

#include <algorithm>
#include <type_traits>
#include <variant>

#include "graph/axis_map.h"
#include "graph/overlays.h"
#include "graph/page_view.h"
#include "graph/right_axis.h"
#include "graph/json_text.h"

namespace fernplot {

namespace {

// Appends `"key":value` with a separating comma when needed.
class Members {
 public:
  explicit Members(std::string& out) : out_(out) {}
  void Add(std::string_view key, const std::string& value) {
    if (!first_) out_ += ',';
    first_ = false;
    out_ += JsonString(key);
    out_ += ':';
    out_ += value;
  }
  // The same, one member a line.
  void AddLine(std::string_view key, const std::string& value) {
    Add(key, value);
    out_ += '\n';
  }

 private:
  std::string& out_;
  bool first_ = true;
};

// `{...}` holding the members `fill` adds through a Members.
template <typename F>
std::string Object(F fill) {
  std::string out = "{";
  {
    Members m(out);
    fill(m);
  }
  out += '}';
  return out;
}

std::string ShortestArray(const std::vector<double>& values) {
  std::string out = "[";
  for (size_t i = 0; i < values.size(); ++i) {
    if (i) out += ',';
    out += JsonShortest(values[i]);
  }
  out += ']';
  return out;
}

std::string PointJson(const DataPoint& p) {
  return Object([&](Members& m) {
    m.Add("frequency", JsonDouble(p.frequency));
    m.Add("gainCh1Ch2", JsonFloat(p.gainCh1Ch2));
    m.Add("gainCh2Ch1", JsonFloat(p.gainCh2Ch1));
    m.Add("phaseCh1Ch2", JsonFloat(p.phaseCh1Ch2));
    m.Add("phaseCh2Ch1", JsonFloat(p.phaseCh2Ch1));
  });
}

// `quantity` is left out when empty.
std::string AxisJson(const AxisMap& map, std::string_view quantity = {}) {
  return Object([&](Members& m) {
    m.Add("scale", JsonShortest(map.scale));
    m.Add("origin", JsonShortest(map.origin));
    m.Add("log", map.log ? "true" : "false");
    if (!quantity.empty()) m.Add("quantity", JsonString(quantity));
  });
}

std::string FontJson(const FontEntry& f) {
  return Object([&](Members& m) {
    m.Add("face", JsonString(f.faceName));
    m.Add("size", JsonInt(f.size));
    m.Add("weight", JsonInt(f.weight));
    m.Add("charset", JsonInt(f.charset));
    m.Add("angle", JsonInt(f.angle));
  });
}

std::string PenJson(const PenEntry& e) {
  return Object([&](Members& m) {
    m.Add("screenStyle", JsonInt(e.screenStyle));
    m.Add("screenWidth", JsonInt(e.screenWidth));
    m.Add("screenColor", JsonColour(e.screenColor));
    m.Add("printWidth", JsonInt(e.printWidth));
    m.Add("printColor", JsonColour(e.printColor));
  });
}

std::string BrushJson(const BrushEntry& e) {
  return Object([&](Members& m) {
    m.Add("hatch", JsonInt(e.hatch));
    m.Add("color", JsonColour(e.color));
  });
}

std::string AlignName(int align) {
  if ((align & kAlignCenter) == kAlignCenter) return "\"center\"";
  if (align & kAlignRight) return "\"right\"";
  return "\"left\"";
}

std::string ElementJson(const DrawingElement& element) {
  return Object([&](Members& m) {
    std::visit(
        [&m](const auto& e) {
          using T = std::decay_t<decltype(e)>;
          if constexpr (std::is_same_v<T, TextElement>) {
            m.Add("kind", "\"text\"");
            m.Add("x", JsonShortest(e.x));
            m.Add("y", JsonShortest(e.y));
            m.Add("font", JsonInt(e.font));
            m.Add("align", AlignName(e.align));
            m.Add("color", JsonColour(e.color));
            m.Add("text", JsonString(e.text));
          } else if constexpr (std::is_same_v<T, PolylineElement>) {
            m.Add("kind", "\"polyline\"");
            m.Add("pen", JsonInt(e.pen));
            m.Add("x", ShortestArray(e.x));
            m.Add("y", ShortestArray(e.y));
          } else {
            m.Add("kind", "\"rect\"");
            m.Add("pen", JsonInt(e.pen));
            m.Add("brush", JsonInt(e.brush));
            m.Add("x", JsonShortest(e.x));
            m.Add("y", JsonShortest(e.y));
            m.Add("width", JsonShortest(e.width));
            m.Add("height", JsonShortest(e.height));
          }
        },
        element);
  });
}

template <typename T, typename F>
std::string ArrayOf(const std::vector<T>& items, F toJson, const char* separator) {
  std::string out = "[";
  for (size_t i = 0; i < items.size(); ++i) {
    if (i) out += separator;
    out += toJson(items[i]);
  }
  out += ']';
  return out;
}

std::string_view RoleName(TraceRole role) {
  switch (role) {
    case TraceRole::kPage:
      return "page";
    case TraceRole::kDifference:
      return "difference";
    case TraceRole::kReference:
      return "reference";
    case TraceRole::kOverlay:
      break;
  }
  return "overlay";
}

// The index of an equal pen in the drawing's table; -1 when it has none.
int PenIndex(const DrawingDocument& doc, const PenEntry& pen) {
  const auto& pens = doc.Pens();
  const auto it = std::find(pens.begin(), pens.end(), pen);
  return it == pens.end() ? -1 : static_cast<int>(it - pens.begin());
}

std::string TracesJson(const DrawingDocument& doc, const GraphPage& page) {
  return ArrayOf(
      PageTraces(page),
      [&doc](const TraceCurve& t) {
        return Object([&](Members& m) {
          m.Add("name", JsonString(t.name));
          m.Add("role", JsonString(RoleName(t.role)));
          m.Add("gainPen", JsonInt(PenIndex(doc, t.gainPen)));
          m.Add("phasePen", JsonInt(PenIndex(doc, t.phasePen)));
          m.Add("points", JsonInt(static_cast<int64_t>(t.points.size())));
        });
      },
      ",\n");
}

}  // namespace

std::string MeasurementJson(const MeasurementData& d, const std::string& message) {
  std::string out = "{\n";
  Members m(out);
  m.AddLine("modelName", JsonString(d.modelName));
  m.AddLine("version", JsonString(d.version));
  m.AddLine("dataType", JsonInt(d.dataType));
  m.AddLine("pointCount", JsonInt(d.pointCount));
  m.AddLine("year", JsonInt(d.year));
  m.AddLine("month", JsonInt(d.month));
  m.AddLine("day", JsonInt(d.day));
  m.AddLine("hour", JsonInt(d.hour));
  m.AddLine("minute", JsonInt(d.minute));
  m.AddLine("dataTitle", JsonString(d.dataTitle));
  m.AddLine("oscAmplitude", JsonDouble(d.oscAmplitude));
  m.AddLine("oscDcBias", JsonDouble(d.oscDcBias));
  m.AddLine("oscWaveform", JsonInt(d.oscWaveform));
  m.AddLine("sweepMaxFrequency", JsonDouble(d.sweepMaxFrequency));
  m.AddLine("sweepMinFrequency", JsonDouble(d.sweepMinFrequency));
  m.AddLine("resolutionKind", JsonInt(d.resolutionKind));
  m.AddLine("resolution", JsonDouble(d.resolution));
  m.AddLine("integrationKind", JsonInt(d.integrationKind));
  m.AddLine("integration", JsonDouble(d.integration));
  m.AddLine("delayKind", JsonInt(d.delayKind));
  m.AddLine("delay", JsonDouble(d.delay));
  m.AddLine("harmonicOrder", JsonInt(d.harmonicOrder));
  m.AddLine("measurementMode", JsonInt(d.measurementMode));
  m.AddLine("autoIntegration", JsonInt(d.autoIntegration));
  m.AddLine("amplitudeCompression", JsonInt(d.amplitudeCompression));
  m.AddLine("highDensitySweep", JsonInt(d.highDensitySweep));
  m.AddLine("phaseRange", JsonInt(d.phaseRange));
  m.AddLine("message", message.empty() ? "null" : JsonString(message));
  if (d.imported) {
    // A trace of another program's file: what it is, beside the empty
    // instrument fields (its point count may exceed the 16-bit field).
    m.AddLine("importedFormat", JsonString(d.imported->format));
    m.AddLine("importedTrace", JsonString(d.imported->traceName));
    m.AddLine("importedFile", JsonString(d.imported->fileName));
    m.AddLine("importedPointCount", JsonInt(static_cast<int64_t>(d.imported->pointCount)));
    if (!d.imported->units.empty()) m.AddLine("importedUnits", JsonString(d.imported->units));
  }
  m.AddLine("points", d.points ? ArrayOf(*d.points, PointJson, ",\n") : std::string("null"));
  out += "}\n";
  return out;
}

std::string DrawingJson(const DrawingDocument& doc, const GraphPage& page) {
  const GraphProperties& p = page.properties;
  const PageLayout& L = page.layout;
  const DrawingSheet* sheet = doc.CurrentSheet();
  std::string out = "{\n";
  Members top(out);

  top.AddLine("sheet", Object([&](Members& m) {
                m.Add("number", JsonInt(sheet ? sheet->number : 0));
                m.Add("widthPx", JsonInt(sheet ? sheet->width : 0));
                m.Add("heightPx", JsonInt(sheet ? sheet->height : 0));
              }));
  top.AddLine(
      "page", Object([&](Members& m) {
        m.Add("pageRight", JsonShortest(L.pageRight));
        m.Add("pageBottom", JsonShortest(L.pageBottom));
        m.Add("frame", ShortestArray({L.frame.left, L.frame.top, L.frame.right, L.frame.bottom}));
      }));
  // Pages without overlays keep the drawing exactly as before.
  const bool traced = !page.overlays.empty();
  const bool difference = InDifferenceMode(page);
  // The right axis names its quantity on a page with overlays or in a mode
  // other than the phase as measured.
  std::string rightQuantity;
  if (traced || p.rightAxis != kRightPhase) {
    rightQuantity = RightAxisQuantityName(p.rightAxis);
    if (difference) rightQuantity += "Difference";
  }
  top.AddLine("axes", Object([&](Members& m) {
                // A loop view's plane: its bottom axis, then its left one.
                const ViewDrawingRow& row = DrawingRowOf(p.view);
                if (row.rightAxis.empty()) {
                  m.Add(row.bottomAxis, AxisJson(L.frequency, row.bottomQuantity));
                  m.Add(row.leftAxis, AxisJson(L.gain));
                  return;
                }
                m.Add(row.bottomAxis, AxisJson(L.frequency));
                m.Add(row.leftAxis,
                      AxisJson(L.gain, traced ? (difference ? "gainDifference" : "gain") : ""));
                m.Add(row.rightAxis, AxisJson(L.right, rightQuantity));
              }));
  if (traced) top.AddLine("traces", TracesJson(doc, page));
  top.AddLine("fonts", ArrayOf(doc.Fonts(), FontJson, ",\n"));
  top.AddLine("pens", ArrayOf(doc.Pens(), PenJson, ",\n"));
  top.AddLine("brushes", ArrayOf(doc.Brushes(), BrushJson, ",\n"));
  static const std::vector<DrawingElement> kNone;
  top.AddLine("elements", ArrayOf(sheet ? sheet->elements : kNone, ElementJson, ",\n"));
  out += "}\n";
  return out;
}

}  // namespace fernplot
