// SPDX-License-Identifier: MIT
#include "analysis/impedance/impedance_tables.h"

#include <cmath>
#include <numbers>

#include "analysis/summary_table.h"

namespace fernplot {

EquivalentValues EquivalentValuesOf(double frequency, std::complex<double> z) {
  const double omega = 2.0 * std::numbers::pi * frequency;
  EquivalentValues v;
  v.absZ = std::abs(z);
  v.thetaDeg = std::arg(z) * (180.0 / std::numbers::pi);
  v.rs = z.real();
  v.xs = z.imag();
  const double abs2 = std::norm(z);
  v.rp = abs2 / v.rs;
  if (v.xs != 0.0) {
    v.xp = abs2 / v.xs;
    if (v.xs < 0.0) {
      v.cs = -1.0 / (omega * v.xs);
      v.cp = -1.0 / (omega * *v.xp);
    } else {
      v.ls = v.xs / omega;
      v.lp = *v.xp / omega;
    }
    v.d = v.rs / std::fabs(v.xs);
    v.q = std::fabs(v.xs) / v.rs;
  }
  return v;
}

namespace {

// A value that is not finite (Rp of a pure reactance) has no cell either.
std::string Cell(const std::optional<double>& v) {
  return v && std::isfinite(*v) ? FullPrecision(*v) : std::string();
}

}  // namespace

std::string ZCsv(const ImpedanceSpectrum& spectrum) {
  std::string out = "frequency,re,im\n";
  for (size_t i = 0; i < spectrum.frequency.size(); ++i) {
    const std::complex<double> z = spectrum.impedance[i];
    out += SummaryLineOf(
        {FullPrecision(spectrum.frequency[i]), FullPrecision(z.real()), FullPrecision(z.imag())},
        ',');
  }
  return out;
}

std::string LcrCsv(const ImpedanceSpectrum& spectrum) {
  std::string out = "frequency,absZ,thetaDeg,Rs,Xs,Cs,Ls,Rp,Xp,Cp,Lp,D,Q\n";
  for (size_t i = 0; i < spectrum.frequency.size(); ++i) {
    const EquivalentValues v = EquivalentValuesOf(spectrum.frequency[i], spectrum.impedance[i]);
    out += SummaryLineOf({FullPrecision(spectrum.frequency[i]), Cell(v.absZ), Cell(v.thetaDeg),
                          Cell(v.rs), Cell(v.xs), Cell(v.cs), Cell(v.ls), Cell(v.rp), Cell(v.xp),
                          Cell(v.cp), Cell(v.lp), Cell(v.d), Cell(v.q)},
                         ',');
  }
  return out;
}

}  // namespace fernplot
