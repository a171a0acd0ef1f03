// SPDX-License-Identifier: MIT
#include "import/touchstone_writer.h"

#include <algorithm>
#include <charconv>
#include <cmath>

#include "import/touchstone_format.h"
#include "text/encoding.h"

namespace fernplot {

std::vector<RatioPoint> UsableRatioPoints(const MeasurementData& data, bool ch2OverCh1) {
  std::vector<RatioPoint> points;
  if (!data.points) return points;
  points.reserve(data.points->size());
  for (const DataPoint& p : *data.points) {
    const RatioPoint r{p.frequency, ch2OverCh1 ? p.gainCh2Ch1 : p.gainCh1Ch2,
                       ch2OverCh1 ? p.phaseCh2Ch1 : p.phaseCh1Ch2};
    if (std::isfinite(r.frequency) && r.frequency > 0.0 && std::isfinite(r.gainDb) &&
        std::isfinite(r.phaseDeg)) {
      points.push_back(r);
    }
  }
  std::stable_sort(points.begin(), points.end(), [](const RatioPoint& a, const RatioPoint& b) {
    return a.frequency < b.frequency;
  });
  return points;
}

std::string ShortestNumber(double value) {
  char buffer[32];
  const auto r = std::to_chars(buffer, buffer + sizeof buffer, value);
  return std::string(buffer, r.ptr);
}

std::string ShortestNumber(float value) {
  char buffer[32];
  const auto r = std::to_chars(buffer, buffer + sizeof buffer, value);
  return std::string(buffer, r.ptr);
}

namespace {

// A two-port file read as it is: its network written back whole, every
// parameter as held.
std::string NetworkS2pText(const ImportedNetwork& network, std::string_view source) {
  std::string text;
  text.reserve(160 + network.rows.size() * 128);
  text += "! Network data of " + Utf8ToCp932(source) + " as read\n";
  TouchstoneOptions options;
  options.hertz = kTouchstoneUnits[0].hertz;
  options.format = PairFormat::kMa;
  options.parameter = network.parameter;
  options.reference = network.reference;
  text += TouchstoneOptionLine(options);
  text += '\n';
  // Written as v1, whose Z and Y are normalised to R.
  double scale = 1.0;
  if (network.parameter == 'Z') scale = 1.0 / network.reference;
  if (network.parameter == 'Y') scale = network.reference;
  for (const ImportedNetwork::Row& row : network.rows) {
    text += ShortestNumber(row.frequency);
    for (size_t k = 0; k < row.values.size(); k += 2) {
      (text += ' ') += ShortestNumber(row.values[k] * scale);
      (text += ' ') += ShortestNumber(row.values[k + 1]);
    }
    text += '\n';
  }
  return text;
}

}  // namespace

std::string TouchstoneS2pText(const MeasurementData& data, bool ch2OverCh1, std::string_view source,
                              const ImportedNetwork* network) {
  if (network) return NetworkS2pText(*network, source);
  const std::vector<RatioPoint> points = UsableRatioPoints(data, ch2OverCh1);
  std::string text;
  text.reserve(160 + points.size() * 64);
  text += "! Measured response of " + Utf8ToCp932(source) + "\n";
  text += ch2OverCh1 ? "! S21 = CH2/CH1" : "! S21 = CH1/CH2";
  text += "; S11, S12 and S22 were not measured and are written as 0\n";
  TouchstoneOptions options;
  options.hertz = kTouchstoneUnits[0].hertz;
  options.format = PairFormat::kMa;
  text += TouchstoneOptionLine(options);
  text += '\n';
  for (const RatioPoint& p : points) {
    text += ShortestNumber(p.frequency);
    text += " 0 0 ";
    text += ShortestNumber(std::pow(10.0, static_cast<double>(p.gainDb) / 20.0));
    text += ' ';
    text += ShortestNumber(p.phaseDeg);
    text += " 0 0 0 0\n";
  }
  return text;
}

std::string TouchstoneZ1pText(std::span<const double> frequency,
                              std::span<const std::complex<double>> impedance,
                              std::string_view source) {
  std::string text;
  text.reserve(96 + frequency.size() * 64);
  text += "! Impedance of " + Utf8ToCp932(source) + " in ohms\n";
  TouchstoneOptions options;
  options.hertz = kTouchstoneUnits[0].hertz;
  options.parameter = 'Z';
  options.format = PairFormat::kRi;
  // v1 normalises Z to R: against 1 ohm the numbers are the ohms themselves.
  options.reference = 1.0;
  text += TouchstoneOptionLine(options);
  text += '\n';
  const size_t n = std::min(frequency.size(), impedance.size());
  for (size_t i = 0; i < n; ++i) {
    text += ShortestNumber(frequency[i]);
    (text += ' ') += ShortestNumber(impedance[i].real());
    (text += ' ') += ShortestNumber(impedance[i].imag());
    text += '\n';
  }
  return text;
}

WriteFileResult WriteTouchstoneS2p(const MeasurementData& data, bool ch2OverCh1,
                                   std::string_view source, const std::string& path,
                                   const ImportedNetwork* network) {
  return WriteFileAtomically(path, TouchstoneS2pText(data, ch2OverCh1, source, network));
}

}  // namespace fernplot
