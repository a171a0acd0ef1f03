// SPDX-License-Identifier: MIT
// Writes one raw data file of an op-amp loop gain (two poles, a phase margin
// near 50 degrees) with N points, for the end-to-end comparison.
//   bench_render_sweep_file OUTPUT.DAT [POINTS]
#include <cmath>
#include <complex>
#include <cstdio>
#include <cstdlib>
#include <numbers>

#include "datafile/data_file_writer.h"
#include "fernplot_test_data.h"

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
  namespace testing = fernplot::testing;
  const int n = static_cast<int>(points);
  const fernplot::MeasurementData h =
      testing::TestHeader({.pointCount = static_cast<uint16_t>(n),
                           .title = "OPアンプ ループゲイン",
                           .version = "1.30",
                           .made = {2024, 6, 12, 14, 30},
                           .sweep = {.oscAmplitude = 0.1,
                                     .minHz = 10.0,
                                     .maxHz = 1.0e7,
                                     .resolutionKind = 2,
                                     .resolution = static_cast<double>(n),
                                     .integrationKind = 2,
                                     .integration = 10}});
  const auto loopGain = [](double f) {
    const std::complex<double> s(0.0, f);
    const std::complex<double> loop = 1.0e5 / ((1.0 + s / 10.0) * (1.0 + s / 1.2e6));
    return testing::Response{std::abs(loop), std::arg(loop) * 180.0 / std::numbers::pi};
  };
  const bool written = testing::WriteBytes(
      argv[1], fernplot::EncodeRawDataFile(h, testing::RawSweep(n, 10.0, 6.0, loopGain)));
  return written ? 0 : 1;
}
