// SPDX-License-Identifier: MIT
#include "import/spice_table.h"

#include <cmath>

#include "import/touchstone_writer.h"
#include "text/encoding.h"

namespace fernplot {
namespace {

// Continuation lines are broken at about this width.
constexpr size_t kLineWidth = 100;

bool IsAsciiLetter(char c) {
  return (c >= 'a' && c <= 'z') || (c >= 'A' && c <= 'Z');
}

}  // namespace

std::string SpiceIdentifier(std::string_view name) {
  std::string id;
  bool replaced = false;  // one '_' for a run of characters that cannot stay
  for (const char c : name) {
    if (IsAsciiLetter(c) || (c >= '0' && c <= '9') || c == '_') {
      id += c;
      replaced = false;
    } else if (!replaced) {
      id += '_';
      replaced = true;
    }
  }
  if (id.empty() || !IsAsciiLetter(id.front())) id.insert(0, "N");
  return id;
}

std::string SpiceTableText(const MeasurementData& data, bool ch2OverCh1, std::string_view name,
                           std::string_view source) {
  const std::vector<RatioPoint> points = UsableRatioPoints(data, ch2OverCh1);
  const std::string id = SpiceIdentifier(name);
  std::string text;
  text.reserve(200 + points.size() * 48);
  text += "* Measured response of " + Utf8ToCp932(source);
  text += ch2OverCh1 ? " (CH2/CH1)" : " (CH1/CH2)";
  text += ": (frequency Hz, gain dB, phase deg)\n";
  text += ".subckt " + id + " in out\n";
  std::string line = "E1 out 0 FREQ {V(in)} =";
  // The table is interpolated between entries: the phase must not jump by
  // 360 degrees between neighbours.
  float previous = 0.0f;
  for (size_t i = 0; i < points.size(); ++i) {
    float phase = points[i].phaseDeg;
    if (i == 0) {
      phase = static_cast<float>(std::remainder(static_cast<double>(phase), 360.0));
      if (phase <= -180.0f) phase += 360.0f;
    } else {
      const double turns = std::round((static_cast<double>(phase) - previous) / 360.0);
      phase = static_cast<float>(static_cast<double>(phase) - 360.0 * turns);
    }
    previous = phase;
    const std::string entry = " (" + ShortestNumber(points[i].frequency) + ", " +
                              ShortestNumber(points[i].gainDb) + ", " + ShortestNumber(phase) + ")";
    if (line.size() + entry.size() > kLineWidth && line != "+") {
      text += line;
      text += '\n';
      line = "+";
    }
    line += entry;
  }
  text += line;
  text += "\n.ends\n";
  return text;
}

WriteFileResult WriteSpiceTable(const MeasurementData& data, bool ch2OverCh1, std::string_view name,
                                std::string_view source, const std::string& path) {
  return WriteFileAtomically(path, SpiceTableText(data, ch2OverCh1, name, source));
}

}  // namespace fernplot
