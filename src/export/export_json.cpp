#include "export_json.h"

#include <type_traits>
#include <variant>

#include "json_text.h"

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

 private:
  std::string& out_;
  bool first_ = true;
};

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
  std::string out = "{";
  Members m(out);
  m.Add("frequency", JsonDouble(p.frequency));
  m.Add("gainCh1Ch2", JsonFloat(p.gainCh1Ch2));
  m.Add("gainCh2Ch1", JsonFloat(p.gainCh2Ch1));
  m.Add("phaseCh1Ch2", JsonFloat(p.phaseCh1Ch2));
  m.Add("phaseCh2Ch1", JsonFloat(p.phaseCh2Ch1));
  out += '}';
  return out;
}

std::string AxisJson(const AxisSettings& axis) {
  std::string out = "{";
  Members m(out);
  m.Add("scale", JsonShortest(axis.scale));
  m.Add("origin", JsonShortest(axis.origin));
  m.Add("log", (axis.axisFlags & 1) ? "true" : "false");
  out += '}';
  return out;
}

std::string AlignName(int align) {
  if ((align & kAlignCenter) == kAlignCenter) return "\"center\"";
  if (align & kAlignRight) return "\"right\"";
  return "\"left\"";
}

std::string ElementJson(const DrawingElement& element) {
  std::string out = "{";
  Members m(out);
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
  out += '}';
  return out;
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

}  // namespace

std::string MeasurementJson(const MeasurementData& d, const std::string& message) {
  std::string out = "{\n";
  Members m(out);
  auto add = [&](std::string_view key, const std::string& value) {
    m.Add(key, value);
    out += '\n';
  };
  add("modelName", JsonString(d.modelName));
  add("version", JsonString(d.version));
  add("dataType", JsonInt(d.dataType));
  add("pointCount", JsonInt(d.pointCount));
  add("year", JsonInt(d.year));
  add("month", JsonInt(d.month));
  add("day", JsonInt(d.day));
  add("hour", JsonInt(d.hour));
  add("minute", JsonInt(d.minute));
  add("dataTitle", JsonString(d.dataTitle));
  add("oscAmplitude", JsonDouble(d.oscAmplitude));
  add("oscDcBias", JsonDouble(d.oscDcBias));
  add("oscWaveform", JsonInt(d.oscWaveform));
  add("sweepMaxFrequency", JsonDouble(d.sweepMaxFrequency));
  add("sweepMinFrequency", JsonDouble(d.sweepMinFrequency));
  add("resolutionKind", JsonInt(d.resolutionKind));
  add("resolution", JsonDouble(d.resolution));
  add("integrationKind", JsonInt(d.integrationKind));
  add("integration", JsonDouble(d.integration));
  add("delayKind", JsonInt(d.delayKind));
  add("delay", JsonDouble(d.delay));
  add("harmonicOrder", JsonInt(d.harmonicOrder));
  add("measurementMode", JsonInt(d.measurementMode));
  add("autoIntegration", JsonInt(d.autoIntegration));
  add("amplitudeCompression", JsonInt(d.amplitudeCompression));
  add("highDensitySweep", JsonInt(d.highDensitySweep));
  add("phaseRange", JsonInt(d.phaseRange));
  add("message", message.empty() ? "null" : JsonString(message));
  add("points", d.points ? ArrayOf(*d.points, PointJson, ",\n") : std::string("null"));
  out += "}\n";
  return out;
}

std::string DrawingJson(const DrawingDocument& doc, const GraphPage& page) {
  const GraphProperties& p = page.properties;
  const DrawingSheet* sheet = doc.CurrentSheet();
  std::string out = "{\n";
  Members top(out);

  std::string sheetJson = "{";
  {
    Members m(sheetJson);
    m.Add("number", JsonInt(sheet ? sheet->number : 0));
    m.Add("widthPx", JsonInt(sheet ? sheet->width : 0));
    m.Add("heightPx", JsonInt(sheet ? sheet->height : 0));
  }
  sheetJson += '}';
  top.Add("sheet", sheetJson);
  out += '\n';

  std::string pageJson = "{";
  {
    Members m(pageJson);
    m.Add("pageRight", JsonShortest(p.pageRight));
    m.Add("pageBottom", JsonShortest(p.pageBottom));
    m.Add("frame",
          ShortestArray({p.HB.frameLeft, p.HB.frameTop, p.HB.frameRight, p.HB.frameBottom}));
  }
  pageJson += '}';
  top.Add("page", pageJson);
  out += '\n';

  std::string axes = "{";
  {
    Members m(axes);
    m.Add("frequency", AxisJson(p.HB));
    m.Add("gain", AxisJson(p.VL));
    m.Add("phase", AxisJson(p.VR));
  }
  axes += '}';
  top.Add("axes", axes);
  out += '\n';

  top.Add("fonts", ArrayOf(
                       doc.Fonts(),
                       [](const FontEntry& f) {
                         std::string s = "{";
                         Members m(s);
                         m.Add("face", JsonString(f.faceName));
                         m.Add("size", JsonInt(f.size));
                         m.Add("weight", JsonInt(f.weight));
                         m.Add("charset", JsonInt(f.charset));
                         m.Add("angle", JsonInt(f.angle));
                         return s + '}';
                       },
                       ",\n"));
  out += '\n';
  top.Add("pens", ArrayOf(
                      doc.Pens(),
                      [](const PenEntry& e) {
                        std::string s = "{";
                        Members m(s);
                        m.Add("screenStyle", JsonInt(e.screenStyle));
                        m.Add("screenWidth", JsonInt(e.screenWidth));
                        m.Add("screenColor", JsonColour(e.screenColor));
                        m.Add("printWidth", JsonInt(e.printWidth));
                        m.Add("printColor", JsonColour(e.printColor));
                        return s + '}';
                      },
                      ",\n"));
  out += '\n';
  top.Add("brushes", ArrayOf(
                         doc.Brushes(),
                         [](const BrushEntry& e) {
                           std::string s = "{";
                           Members m(s);
                           m.Add("hatch", JsonInt(e.hatch));
                           m.Add("color", JsonColour(e.color));
                           return s + '}';
                         },
                         ",\n"));
  out += '\n';
  static const std::vector<DrawingElement> kNone;
  top.Add("elements", ArrayOf(sheet ? sheet->elements : kNone, ElementJson, ",\n"));
  out += "\n}\n";
  return out;
}

}  // namespace fernplot
