// SPDX-License-Identifier: MIT
// fernplot-make-lot OUTPUT_FOLDER [COUNT [POINTS]]: a production lot of RC
// low-pass filters, each a little different (the corner spread by a few per
// cent, the pass-band gain by a tenth of a dB, a little measurement noise),
// as calculated data files LOT_001.DAT, LOT_002.DAT, ... swept from 10 Hz
// to 100 kHz. The same arguments always give the same bytes. COUNT
// defaults to 50, POINTS to 41; a few of the sweeps lie outside the
// example mask samples/RC_LPF.mask.

#include <charconv>
#include <cmath>
#include <complex>
#include <cstdio>
#include <filesystem>
#include <fstream>
#include <numbers>
#include <random>
#include <string>
#include <vector>

#include "datafile/data_file_writer.h"

namespace {

using fernplot::CalculatedRecord;
using fernplot::MeasurementData;

MeasurementData LotHeader(size_t unit, size_t points) {
  MeasurementData h;
  h.modelName = "Q417";
  h.version = "V1.20";
  h.dataType = 1;  // calculated
  h.pointCount = static_cast<uint16_t>(points);
  h.year = 1998;
  h.month = 7;
  h.day = static_cast<uint16_t>(1 + unit / 100 % 28);
  h.hour = static_cast<uint16_t>(8 + unit / 60 % 10);
  h.minute = static_cast<uint16_t>(unit % 60);
  h.dataTitle = "RC LPF lot unit " + std::to_string(unit);
  h.oscAmplitude = 1.0;
  h.sweepMaxFrequency = 1e5;
  h.sweepMinFrequency = 10.0;
  h.resolutionKind = 1;  // points per decade
  h.resolution = static_cast<double>(points - 1) / 4.0;
  h.integrationKind = 2;
  h.integration = 16;
  h.delayKind = 1;
  h.delay = 0.1;
  h.harmonicOrder = 1;
  h.autoIntegration = 1;
  return h;
}

bool Count(const char* text, size_t low, size_t high, size_t& out) {
  const std::string_view s(text);
  const auto [end, ec] = std::from_chars(s.data(), s.data() + s.size(), out);
  return ec == std::errc() && end == s.data() + s.size() && out >= low && out <= high;
}

}  // namespace

int main(int argc, char** argv) {
  size_t count = 50;
  size_t points = 41;
  if (argc < 2 || argc > 4 || (argc > 2 && !Count(argv[2], 1, 99999, count)) ||
      (argc > 3 && !Count(argv[3], 2, 65535, points))) {
    std::fprintf(stderr, "usage: %s OUTPUT_FOLDER [COUNT (1-99999) [POINTS (2-65535)]]\n", argv[0]);
    return 2;
  }
  const std::filesystem::path out = argv[1];
  std::error_code ec;
  std::filesystem::create_directories(out, ec);
  std::mt19937 rng(417);
  std::normal_distribution<double> unit(0.0, 1.0);
  for (size_t u = 1; u <= count; ++u) {
    // Parts of 2 % tolerance: the corner spreads by about 3 %.
    const double fc = 1000.0 * (1.0 + 0.03 * unit(rng));
    const double gain = std::pow(10.0, 0.1 * unit(rng) / 20.0);
    std::vector<CalculatedRecord> records;
    for (size_t i = 0; i < points; ++i) {
      const double f =
          10.0 * std::pow(1e4, static_cast<double>(i) / static_cast<double>(points - 1));
      const std::complex<double> h = gain / std::complex<double>(1.0, f / fc);
      const double ratio = std::abs(h) * (1.0 + 0.003 * unit(rng));
      const double phase = std::arg(h) * 180.0 / std::numbers::pi + 0.1 * unit(rng);
      records.push_back({f, static_cast<float>(ratio), static_cast<float>(phase)});
    }
    char name[32];
    std::snprintf(name, sizeof name, count > 999 ? "LOT_%05zu.DAT" : "LOT_%03zu.DAT", u);
    std::ofstream file(out / name, std::ios::binary);
    file << fernplot::EncodeCalculatedDataFile(LotHeader(u, points), records);
    file.close();
    if (!file) {
      std::fprintf(stderr, "%s: cannot write\n", (out / name).c_str());
      return 1;
    }
  }
  return 0;
}
