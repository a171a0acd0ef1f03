// Writes one raw data file of an op-amp loop gain (two poles, a phase margin
// near 50 degrees) with N points, for the end-to-end comparison.
//   bench_render_sweep_file OUTPUT.DAT [POINTS]
#include <cmath>
#include <complex>
#include <cstdio>
#include <cstdlib>
#include <fstream>
#include <numbers>

#include "datafile/data_file_writer.h"

int main(int argc, char** argv) {
  if (argc < 2) {
    std::fprintf(stderr, "usage: %s OUTPUT.DAT [POINTS]\n", argv[0]);
    return 2;
  }
  const long points = argc > 2 ? std::strtol(argv[2], nullptr, 10) : 2000;
  if (points < 2 || points > 65535) {
    std::fprintf(stderr, "POINTS must be 2..65535\n");
    return 2;
  }
  fernplot::MeasurementData h;
  h.modelName = "Q417";
  h.version = "1.30";
  h.dataType = 0;
  h.pointCount = static_cast<uint16_t>(points);
  h.year = 2024;
  h.month = 6;
  h.day = 12;
  h.hour = 14;
  h.minute = 30;
  h.dataTitle = "OPアンプ ループゲイン";
  h.oscAmplitude = 0.1;
  h.sweepMinFrequency = 10.0;
  h.sweepMaxFrequency = 1.0e7;
  h.resolutionKind = 2;
  h.resolution = static_cast<double>(points);
  h.integrationKind = 2;
  h.integration = 10;
  std::vector<fernplot::RawRecord> records(static_cast<size_t>(points));
  for (long i = 0; i < points; ++i) {
    const double f = 10.0 * std::pow(10.0, 6.0 * static_cast<double>(i) / (points - 1));
    const std::complex<double> s(0.0, f);
    const std::complex<double> loop = 1.0e5 / ((1.0 + s / 10.0) * (1.0 + s / 1.2e6));
    records[static_cast<size_t>(i)] =
        fernplot::RawRecord{f, static_cast<float>(std::abs(loop)),
                            static_cast<float>(std::arg(loop) * 180.0 / std::numbers::pi), 1.0f};
  }
  std::ofstream out(argv[1], std::ios::binary);
  out << fernplot::EncodeRawDataFile(h, records);
  return out ? 0 : 1;
}
