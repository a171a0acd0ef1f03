// SPDX-License-Identifier: MIT
// fernplot-make-cell-lot OUTPUT_FOLDER [COUNT [POINTS]]: impedance spectra of
// battery cells, R0-p(R1,C1)-p(R2-Wo1,C2), each cell's parts a little
// different (every value spread by about 20 %) with 0.2 % measurement
// noise, swept from 10 kHz down to 1 mHz, in turn as EC-Lab (.mpt), Gamry
// (.DTA), ZPlot (.z) and table (.csv) exports: CELL_0001.mpt,
// CELL_0002.DTA, ... The same arguments always give the same bytes. COUNT
// defaults to 100, POINTS to 61.

#include <charconv>
#include <cmath>
#include <complex>
#include <cstdio>
#include <filesystem>
#include <numbers>
#include <random>
#include <string>
#include <string_view>
#include <vector>

#include "analysis/impedance/circuit.h"
#include "fileio/atomic_file.h"
#include "impedance_samples.h"

namespace {

using fernplot::ImpedanceLayout;

bool Count(const char* text, size_t low, size_t high, size_t& out) {
  const std::string_view s(text);
  const auto [end, ec] = std::from_chars(s.data(), s.data() + s.size(), out);
  return ec == std::errc() && end == s.data() + s.size() && out >= low && out <= high;
}

struct Layout {
  ImpedanceLayout layout;
  const char* suffix;
};
constexpr Layout kLayouts[] = {{ImpedanceLayout::kEcLab, ".mpt"},
                               {ImpedanceLayout::kGamry, ".DTA"},
                               {ImpedanceLayout::kZPlot, ".z"},
                               {ImpedanceLayout::kTable, ".csv"}};

}  // namespace

int main(int argc, char** argv) {
  size_t count = 100;
  size_t points = 61;
  if (argc < 2 || argc > 4 || (argc > 2 && !Count(argv[2], 1, 99999, count)) ||
      (argc > 3 && !Count(argv[3], 8, 65535, points))) {
    std::fprintf(stderr, "usage: %s OUTPUT_FOLDER [COUNT (1-99999) [POINTS (8-65535)]]\n", argv[0]);
    return 2;
  }
  const std::filesystem::path out = argv[1];
  std::error_code ec;
  std::filesystem::create_directories(out, ec);
  const fernplot::CircuitParse parse = fernplot::ParseCircuit("R0-p(R1,C1)-p(R2-Wo1,C2)");
  // R0, R1, C1, R2, Wo1 (Z0, τ), C2: the arcs near 400 Hz and 0.3 Hz, the
  // diffusion below.
  const std::vector<double> nominal{0.015, 0.004, 0.1, 0.01, 0.01, 5.0, 1.0};
  std::mt19937 rng(417);
  std::normal_distribution<double> unit(0.0, 1.0);
  for (size_t cell = 1; cell <= count; ++cell) {
    std::vector<double> values = nominal;
    for (double& v : values) v *= std::exp(0.2 * unit(rng));
    fernplot::ImpedanceSpectrum spectrum;
    for (size_t i = 0; i < points; ++i) {
      const double f =
          1e4 * std::pow(1e-7, static_cast<double>(i) / static_cast<double>(points - 1));
      const std::complex<double> noise(1.0 + 2e-3 * unit(rng), 2e-3 * unit(rng));
      spectrum.frequency.push_back(f);
      spectrum.impedance.push_back(parse.circuit->Impedance(2.0 * std::numbers::pi * f, values) *
                                   noise);
    }
    const Layout& layout = kLayouts[(cell - 1) % std::size(kLayouts)];
    char name[32];
    std::snprintf(name, sizeof name, "CELL_%04zu%s", cell, layout.suffix);
    const fernplot::WriteFileResult written = fernplot::WriteFileAtomically(
        (out / name).string(), fernplot::ImpedanceSampleText(layout.layout, spectrum));
    if (!written.ok) {
      std::fprintf(stderr, "%s: %s\n", (out / name).c_str(), written.error.c_str());
      return 1;
    }
  }
  return 0;
}
