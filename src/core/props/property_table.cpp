// SPDX-License-Identifier: MIT
#include "props/property_table.h"

#include <algorithm>
#include <cctype>
#include <charconv>
#include <cmath>
#include <cstdio>

#include "analysis/view_rows.h"
#include "props/settings_lines.h"
#include "text/encoding.h"
#include "text/number_text.h"

namespace fernplot {
namespace {

using Props = GraphProperties;

std::string Upper(std::string_view s) {
  std::string out(s);
  for (char& c : out) c = static_cast<char>(std::toupper(static_cast<unsigned char>(c)));
  return out;
}

std::string Shortest(double value) {
  char number[32];
  const auto [end, ec] = std::to_chars(number, number + sizeof number, value);
  return ec == std::errc() ? std::string(number, end) : std::string();
}

std::string Join(const std::vector<std::string>& words) {
  std::string out;
  for (const std::string& w : words) out += (out.empty() ? "" : "|") + w;
  return out;
}

// A property of a closed list of words (matched in any case), by index.
PropertyDescriptor Words(std::string name, std::vector<std::string> words,
                         std::function<size_t(const Props&)> get,
                         std::function<void(Props&, size_t)> set, std::string help) {
  PropertyDescriptor d{std::move(name), "word", Join(words), std::move(help), nullptr, nullptr};
  d.get = [words, get](const Props& p) { return words[std::min(get(p), words.size() - 1)]; };
  d.set = [words, set](Props& p, std::string_view value) {
    const auto it = std::find(words.begin(), words.end(), Upper(value));
    if (it == words.end()) return false;
    set(p, static_cast<size_t>(it - words.begin()));
    return true;
  };
  return d;
}

// A Y/N switch held as a flag.
template <typename Flag>
PropertyDescriptor YesNo(std::string name, std::function<Flag&(Props&)> ref, std::string help) {
  PropertyDescriptor d = Words(
      std::move(name), {"Y", "N"},
      [ref](const Props& p) { return ref(const_cast<Props&>(p)) ? 0u : 1u; },
      [ref](Props& p, size_t k) { ref(p) = static_cast<Flag>(k == 0); }, std::move(help));
  d.type = "yesno";
  return d;
}

// A number written with `decimals` decimals (the settings file's form), or
// as the shortest text that reads back when decimals < 0.
template <typename Number>
PropertyDescriptor Decimal(std::string name, int decimals, std::function<Number&(Props&)> ref,
                           std::string range, std::string help) {
  PropertyDescriptor d{std::move(name), "number", std::move(range),
                       std::move(help), nullptr,  nullptr};
  d.get = [ref, decimals](const Props& p) {
    const double value = static_cast<double>(ref(const_cast<Props&>(p)));
    return decimals < 0 ? Shortest(value) : FormatFixedPoint(value, decimals);
  };
  d.set = [ref](Props& p, std::string_view text) {
    const std::optional<double> value = PlainNumber(text);
    if (!value) return false;
    ref(p) = static_cast<Number>(*value);
    return true;
  };
  return d;
}

PropertyDescriptor Integer(std::string name, std::function<int32_t&(Props&)> ref, int32_t min,
                           int32_t max, std::string help) {
  PropertyDescriptor d{std::move(name), "integer", std::to_string(min) + ".." + std::to_string(max),
                       std::move(help), nullptr,   nullptr};
  d.get = [ref](const Props& p) { return std::to_string(ref(const_cast<Props&>(p))); };
  d.set = [ref, min, max](Props& p, std::string_view text) {
    int32_t value = 0;
    const auto [end, ec] = std::from_chars(text.data(), text.data() + text.size(), value);
    if (text.empty() || ec != std::errc() || end != text.data() + text.size() || value < min ||
        value > max) {
      return false;
    }
    ref(p) = value;
    return true;
  };
  return d;
}

// Red, green and blue from 0 to 255, separated by blanks or commas.
PropertyDescriptor ColourOf(std::string name, std::function<Colour&(Props&)> ref,
                            std::string help) {
  PropertyDescriptor d{std::move(name), "colour", "R G B (0..255 each)",
                       std::move(help), nullptr,  nullptr};
  d.get = [ref](const Props& p) {
    const Colour c = ref(const_cast<Props&>(p));
    char text[16];
    std::snprintf(text, sizeof text, "%03u %03u %03u", RedOf(c), GreenOf(c), BlueOf(c));
    return std::string(text);
  };
  d.set = [ref](Props& p, std::string_view text) {
    unsigned rgb[3] = {};
    size_t n = 0;
    size_t at = 0;
    while (at < text.size()) {
      if (text[at] == ' ' || text[at] == ',') {
        ++at;
        continue;
      }
      if (n == 3) return false;
      const auto [end, ec] = std::from_chars(text.data() + at, text.data() + text.size(), rgb[n]);
      if (ec != std::errc() || rgb[n] > 255) return false;
      at = static_cast<size_t>(end - text.data());
      if (at < text.size() && text[at] != ' ' && text[at] != ',') return false;
      ++n;
    }
    if (n != 3) return false;
    ref(p) = Rgb(rgb[0], rgb[1], rgb[2]);
    return true;
  };
  return d;
}

template <typename Text>
PropertyDescriptor TextOf(std::string name, size_t bytes, std::function<Text&(Props&)> ref,
                          std::string help) {
  PropertyDescriptor d{std::move(name), "text",  "at most " + std::to_string(bytes) + " bytes",
                       std::move(help), nullptr, nullptr};
  d.get = [ref](const Props& p) {
    return std::string(std::string_view(ref(const_cast<Props&>(p))));
  };
  d.set = [ref](Props& p, std::string_view text) {
    if (text.find_first_of("\r\n") != std::string_view::npos) return false;
    ref(p) = std::string(text);
    return true;
  };
  return d;
}

// The axes by the names the page gives them: the unused top axis, the
// frequency axis at the bottom, gain on the left, phase on the right.
struct AxisName {
  const char* name;
  AxisSettings Props::*axis;
  const char* what;
};
constexpr AxisName kAxisNames[] = {{"top", &Props::HT, "the top axis (only its length counts)"},
                                   {"freq", &Props::HB, "the frequency axis"},
                                   {"gain", &Props::VL, "the gain axis"},
                                   {"phase", &Props::VR, "the right (phase) axis"}};

constexpr const char* kFontNames[kFontCategoryCount] = {
    "filename",     "datatitle",   "date",          "title",        "freq.caption", "freq.labels",
    "gain.caption", "gain.labels", "phase.caption", "phase.labels", "other"};

constexpr const char* kItemNames[kItemCount] = {
    "filename",    "datatitle",    "date",      "model",     "osc.amplitude",
    "osc.bias",    "osc.waveform", "sweep.max", "sweep.min", "resolution",
    "integration", "delay",        "harmonic",  "mode",      "autointegration",
    "compression", "highdensity",  "phaserange"};

constexpr const char* kItemHelp[kItemCount] = {"file name",
                                               "data title",
                                               "creation date",
                                               "model and version",
                                               "oscillator amplitude",
                                               "oscillator DC bias",
                                               "oscillator waveform",
                                               "sweep maximum",
                                               "sweep minimum",
                                               "sweep resolution",
                                               "integration count",
                                               "delay time",
                                               "harmonic order",
                                               "measurement mode",
                                               "automatic integration",
                                               "amplitude compression",
                                               "high-density sweep",
                                               "phase range"};

constexpr const char* kFontHelp[kFontCategoryCount] = {
    "file name",         "data title",       "creation date", "graph title",
    "frequency caption", "frequency labels", "gain caption",  "gain labels",
    "phase caption",     "phase labels",     "other texts"};

std::vector<PropertyDescriptor> MakeProperties() {
  std::vector<PropertyDescriptor> all;
  all.push_back(TextOf<std::string>(
      "title", kTitleBytes, [](Props& p) -> std::string& { return p.title; }, "graph title"));
  all.push_back(Words(
      "calc", {"CH1/CH2", "CH2/CH1"},
      [](const Props& p) { return static_cast<size_t>(p.calcType); },
      [](Props& p, size_t k) { p.calcType = static_cast<ChannelRatio>(k); },
      "channel ratio shown"));
  all.push_back(ColourOf(
      "color.background", [](Props& p) -> Colour& { return p.backgroundColor; },
      "graph background"));
  all.push_back(ColourOf(
      "color.gain", [](Props& p) -> Colour& { return p.gainLineColor; }, "gain curve"));
  all.push_back(ColourOf(
      "color.phase", [](Props& p) -> Colour& { return p.phaseLineColor; }, "phase curve"));
  for (int phase = 0; phase < 2; ++phase) {
    all.push_back(Words(
        phase ? "line.phase" : "line.gain", {"BOLD", "RGLR"},
        [phase](const Props& p) {
          return (phase ? p.phaseLineBoldOnPrint : p.gainLineBoldOnPrint) ? 0u : 1u;
        },
        [phase](Props& p, size_t k) {
          (phase ? p.phaseLineBoldOnPrint : p.gainLineBoldOnPrint) = k == 0;
        },
        phase ? "phase curve printed bold" : "gain curve printed bold"));
  }
  for (const AxisName& a : kAxisNames) {
    const std::string prefix = std::string("axis.") + a.name + ".";
    const std::string what = a.what;
    auto axis = [member = a.axis](Props& p) -> AxisSettings& { return p.*member; };
    if (a.axis == &Props::HT) {
      // The top axis draws nothing: the file keeps its length only.
      all.push_back(Decimal<float>(
          prefix + "length", 1, [axis](Props& p) -> float& { return axis(p).length; },
          "mm, longer than both margins", "length of " + what));
      continue;
    }
    all.push_back(Words(
        prefix + "scale", {"0", "1", "2"},
        [axis](const Props& p) {
          return static_cast<size_t>(axis(const_cast<Props&>(p)).scaleType);
        },
        [axis](Props& p, size_t k) { axis(p).scaleType = static_cast<ScaleType>(k); },
        "scale of " + what + ": 0 automatic, 1 logarithmic, 2 linear"));
    all.push_back(Decimal<float>(
        prefix + "length", 1, [axis](Props& p) -> float& { return axis(p).length; },
        "mm, longer than both margins", "length of " + what));
    all.push_back(Decimal<float>(
        prefix + "margin1", 1, [axis](Props& p) -> float& { return axis(p).margin1; }, "mm",
        "left or top margin of " + what));
    all.push_back(Decimal<float>(
        prefix + "margin2", 1, [axis](Props& p) -> float& { return axis(p).margin2; }, "mm",
        "right or bottom margin of " + what));
    all.push_back(YesNo<int32_t>(
        prefix + "datamin", [axis](Props& p) -> int32_t& { return axis(p).useDataMin; },
        what + " starts at the data's least value"));
    all.push_back(Decimal<double>(
        prefix + "min", 4, [axis](Props& p) -> double& { return axis(p).rangeMin; }, "number",
        "start of " + what + " when not the data's"));
    all.push_back(YesNo<int32_t>(
        prefix + "datamax", [axis](Props& p) -> int32_t& { return axis(p).useDataMax; },
        what + " ends at the data's greatest value"));
    all.push_back(Decimal<double>(
        prefix + "max", 4, [axis](Props& p) -> double& { return axis(p).rangeMax; }, "number",
        "end of " + what + " when not the data's"));
    all.push_back(YesNo<int32_t>(
        prefix + "autodivision", [axis](Props& p) -> int32_t& { return axis(p).autoDivision; },
        what + " divided automatically; N needs " + prefix + "interval above 0"));
    all.push_back(YesNo<bool>(
        prefix + "tight", [axis](Props& p) -> bool& { return axis(p).tight; },
        "labels of " + what + " spaced tighter"));
    all.push_back(Decimal<double>(
        prefix + "interval", 4, [axis](Props& p) -> double& { return axis(p).interval; },
        "above 0 without automatic division", "label interval of " + what));
    all.push_back(YesNo<int32_t>(
        prefix + "grid", [axis](Props& p) -> int32_t& { return axis(p).gridLines; },
        "grid lines of " + what));
    all.push_back(TextOf<std::string>(
        prefix + "caption", kCaptionBytes,
        [axis](Props& p) -> std::string& { return axis(p).caption; }, "caption of " + what));
  }
  for (size_t k = 0; k < kItemCount; ++k) {
    all.push_back(YesNo<int32_t>(
        std::string("item.") + kItemNames[k], [k](Props& p) -> int32_t& { return p.itemFlags[k]; },
        "info line: " + std::string(kItemHelp[k])));
  }
  for (size_t k = 0; k < kFontCategoryCount; ++k) {
    const std::string prefix = std::string("font.") + kFontNames[k] + ".";
    const std::string what = "font of " + std::string(kFontHelp[k]);
    auto font = [k](Props& p) -> FontSetting& { return p.fonts[k]; };
    all.push_back(ColourOf(
        prefix + "color", [font](Props& p) -> Colour& { return font(p).color; },
        "colour of the " + what));
    all.push_back(Words(
        prefix + "charset", {"SJIS", "ANSI"},
        [font](const Props& p) { return font(const_cast<Props&>(p)).ansiCharset ? 1u : 0u; },
        [font](Props& p, size_t c) { font(p).ansiCharset = c == 1; },
        "character set of the " + what));
    all.push_back(Words(
        prefix + "bold", {"BOLD", "RGLR"},
        [font](const Props& p) { return font(const_cast<Props&>(p)).bold ? 0u : 1u; },
        [font](Props& p, size_t c) { font(p).bold = c == 0; }, "weight of the " + what));
    all.push_back(Integer(
        prefix + "size", [font](Props& p) -> int32_t& { return font(p).size; }, 1, 999,
        "points of the " + what));
    all.push_back(TextOf<SharedText>(
        prefix + "face", kFaceNameBytes,
        [font](Props& p) -> SharedText& { return font(p).faceName; }, "face of the " + what));
  }
  for (size_t k = 0; k < kOverlayPaletteSize; ++k) {
    all.push_back(ColourOf(
        "overlay.color." + std::to_string(k + 1),
        [k](Props& p) -> Colour& { return p.overlayStyle.palette[k]; },
        "colour of overlaid trace " + std::to_string(k + 1) + " and each " +
            std::to_string(kOverlayPaletteSize) + "th after"));
  }
  all.push_back(YesNo<bool>(
      "overlay.legend", [](Props& p) -> bool& { return p.overlayStyle.legend; },
      "overlaid traces named in a legend"));
  all.push_back(Words(
      "margin.reference", {"-180", "0"},
      [](const Props& p) { return p.marginReferenceZero ? 1u : 0u; },
      [](Props& p, size_t k) { p.marginReferenceZero = k == 1; },
      "phase margins read against -180 or 0 degrees"));
  all.push_back(Words(
      "right.axis", {"PHASE", "UNWRAPPED", "DELAY"},
      [](const Props& p) { return static_cast<size_t>(p.rightAxis); },
      [](Props& p, size_t k) { p.rightAxis = static_cast<int32_t>(k); },
      "right axis: phase as measured, followed through its jumps, or group delay"));
  std::vector<std::string> viewWords;
  std::string viewHelp;
  for (const ViewRow& row : kViewRows) {
    viewWords.emplace_back(row.settingsWord);
    viewHelp += (viewHelp.empty() ? "" : ", ") + std::string(row.help);
  }
  all.push_back(Words(
      "view", std::move(viewWords),
      [](const Props& p) {
        return static_cast<size_t>(&RowOf(p.view) - kViewRows.data());
      },
      [](Props& p, size_t k) { p.view = kViewRows[k].kind; }, viewHelp));
  all.push_back(Words(
      "loop", {"OPEN", "CLOSED", "SENSITIVITY"},
      [](const Props& p) { return static_cast<size_t>(p.loopCurve); },
      [](Props& p, size_t k) { p.loopCurve = static_cast<LoopCurve>(k); },
      "curve shown: L, L/(1+L) or 1/(1+L)"));
  {
    PropertyDescriptor radius = Decimal<double>(
        "nyquist.radius", -1, [](Props& p) -> double& { return p.nyquistRadius; },
        "0, or 1e-100..1e100", "Nyquist plot shows at least -R..R; 0 fits every point");
    all.push_back(std::move(radius));
  }
  all.push_back(Words(
      "loop.measurement", {"AUTO", "YES", "NO"},
      [](const Props& p) { return static_cast<size_t>(p.loopJudgement); },
      [](Props& p, size_t k) { p.loopJudgement = static_cast<LoopJudgement>(k); },
      "page is a loop measurement: decided from its figures, or said"));
  {
    PropertyDescriptor aperture{"delay.aperture",
                                "aperture",
                                "N POINTS (1..) or X OCTAVE (above 0)",
                                "step the group delay is taken over",
                                nullptr,
                                nullptr};
    static constexpr const char* kUnits[] = {"POINTS", "OCTAVE"};
    aperture.get = [](const Props& p) {
      return Shortest(p.delayAperture.width) + " " +
             kUnits[static_cast<size_t>(p.delayAperture.unit)];
    };
    aperture.set = [](Props& p, std::string_view text) {
      const size_t blank = text.find(' ');
      const size_t unitAt = text.find_first_not_of(' ', blank);
      if (blank == std::string_view::npos || unitAt == std::string_view::npos) return false;
      const std::optional<double> width = PlainNumber(text.substr(0, blank));
      const std::string unit = Upper(text.substr(unitAt));
      if (!width || (unit != kUnits[0] && unit != kUnits[1])) return false;
      p.delayAperture.width = *width;
      p.delayAperture.unit = unit == kUnits[0] ? ApertureUnit::kPoints : ApertureUnit::kOctave;
      return true;
    };
    all.push_back(std::move(aperture));
  }
  all.push_back(Decimal<double>(
      "shunt", -1, [](Props& p) -> double& { return p.shuntOhms; }, "0, or above 0",
      "ohms of the shunt channel 2 is measured across: the page shows Z = R*H; 0 for none"));
  all.push_back(Words(
      "nichols.contours", {"ON", "OFF"}, [](const Props& p) { return p.nicholsContours ? 0u : 1u; },
      [](Props& p, size_t k) { p.nicholsContours = k == 0; },
      "closed-loop gain contours of the Nichols chart"));
  return all;
}

// The page as a settings file would give it back.
GraphProperties ReadBack(const GraphProperties& props) {
  SettingsValues values{props, false, {}};
  SettingsValues back{FactoryDefaults(), false, {}};
  SettingsLineReader reader;
  for (const std::string& line : SettingsLines(values)) reader.Read(Utf8ToCp932(line), back);
  return back.props;
}

}  // namespace

const std::vector<PropertyDescriptor>& PageProperties() {
  static const std::vector<PropertyDescriptor> all = MakeProperties();
  return all;
}

const PropertyDescriptor* FindPageProperty(std::string_view name) {
  for (const PropertyDescriptor& d : PageProperties()) {
    if (d.name == name) return &d;
  }
  return nullptr;
}

namespace {

std::string Refusal(const PropertyDescriptor& d, std::string_view value) {
  return d.name + " takes " + d.range + ", not '" + std::string(value) + "'";
}

}  // namespace

std::string CheckPagePropertyValue(std::string_view name, std::string_view value) {
  const PropertyDescriptor* d = FindPageProperty(name);
  if (!d) return "unknown property '" + std::string(name) + "'";
  GraphProperties scratch = FactoryDefaults();
  return d->set(scratch, value) ? std::string() : Refusal(*d, value);
}

std::string SetPageProperty(GraphProperties& props, std::string_view name, std::string_view value) {
  const PropertyDescriptor* d = FindPageProperty(name);
  if (!d) return "unknown property '" + std::string(name) + "'";
  const std::string bad = Refusal(*d, value);
  GraphProperties next = props;
  if (!d->set(next, value)) return bad;
  // Kept only as a settings line keeps it: within the line's width and
  // decimals, and on a page that can be drawn.
  const GraphProperties back = ReadBack(next);
  if (d->get(back) != d->get(next)) {
    return std::string(name) + "=" + std::string(value) +
           " is not kept with the page's other values (" + d->help + ")";
  }
  d->set(next, d->get(back));
  props = std::move(next);
  return {};
}

std::string PropertiesListing() {
  const GraphProperties factory = FactoryDefaults();
  std::string out;
  for (const PropertyDescriptor& d : PageProperties()) {
    const std::string value = d.get(factory);
    out += d.name + '\t' + std::string(d.type) + '\t' + (value.empty() ? "\"\"" : value) + '\t' +
           d.range + '\t' + d.help + '\n';
  }
  return out;
}

}  // namespace fernplot
