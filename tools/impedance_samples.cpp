// SPDX-License-Identifier: MIT
#include "impedance_samples.h"

#include <cmath>
#include <cstdio>
#include <fstream>
#include <numbers>
#include <numeric>
#include <algorithm>
#include <vector>

#include "analysis/impedance/circuit.h"

namespace fernplot {
namespace {

std::string Num(double v) {
  char buffer[40];
  std::snprintf(buffer, sizeof buffer, "%.9g", v);
  return buffer;
}

double Degrees(std::complex<double> z) {
  return std::arg(z) * 180.0 / std::numbers::pi;
}

std::string WithComma(std::string s) {
  std::replace(s.begin(), s.end(), '.', ',');
  return s;
}

}  // namespace

std::string ImpedanceSampleText(ImpedanceLayout layout, const ImpedanceSpectrum& spectrum) {
  std::vector<size_t> order(spectrum.frequency.size());
  std::iota(order.begin(), order.end(), size_t{0});
  std::sort(order.begin(), order.end(),
            [&](size_t a, size_t b) { return spectrum.frequency[a] > spectrum.frequency[b]; });
  std::string out;
  switch (layout) {
    case ImpedanceLayout::kZPlot:
      out = "ZPLOT2 ASCII\n  Measured Data, sample\n  Experiment Type:  Sweep Frequency\n"
            "  Begin User Comments:  0\n  End User Comments:  0\nEnd Header:\n";
      break;
    case ImpedanceLayout::kGamry:
      out = "EXPLAIN\nTAG\tEISPOT\nTITLE\tLABEL\tPotentiostatic EIS\tTest &Identifier\n"
            "ZCURVE\tTABLE\n"
            "\tPt\tTime\tFreq\tZreal\tZimag\tZsig\tZmod\tZphz\tIdc\tVdc\tIERange\n"
            "\t#\ts\tHz\tohm\tohm\tV\tohm\t\xC2\xB0\tA\tV\t#\n";
      break;
    case ImpedanceLayout::kEcLab:
      out = "EC-Lab ASCII FILE\nNb header lines : 6\n\nPotentio Electrochemical Impedance "
            "Spectroscopy\n\nfreq/Hz\tRe(Z)/Ohm\t-Im(Z)/Ohm\t|Z|/Ohm\tPhase(Z)/deg\ttime/s\n";
      break;
    case ImpedanceLayout::kChi:
      out = "Dec. 11, 2026   10:00:00\nA.C. Impedance\nFile:  sample.bin\nData Source:  "
            "Experiment\n\nInit E (V) = 0\n\nFreq/Hz, Z'/ohm, Z\"/ohm, Z/ohm, Phase/deg\n\n";
      break;
    case ImpedanceLayout::kZ60W:
      out = "Z60W Data File\nsample\n";
      break;
    case ImpedanceLayout::kNova:
      out = "Index;Frequency (Hz);Z' (\xCE\xA9);-Z'' (\xCE\xA9);Z (\xCE\xA9);-Phase (\xC2\xB0)\n";
      break;
    case ImpedanceLayout::kTable:
      out = "frequency,Zre,Zim\n";
      break;
  }
  size_t k = 0;
  for (const size_t i : order) {
    const double f = spectrum.frequency[i];
    const std::complex<double> z = spectrum.impedance[i];
    switch (layout) {
      case ImpedanceLayout::kZPlot:
      case ImpedanceLayout::kZ60W:
        out += Num(f) + ", 0.01, 0, " + std::to_string(k) + ", " + Num(z.real()) + ", " +
               Num(z.imag()) + ", 0, 0, 1\n";
        break;
      case ImpedanceLayout::kGamry:
        out += "\t" + std::to_string(k) + "\t" + std::to_string(2 * k) + "\t" + Num(f) + "\t" +
               Num(z.real()) + "\t" + Num(z.imag()) + "\t0.01\t" + Num(std::abs(z)) + "\t" +
               Num(Degrees(z)) + "\t0\t0\t5\n";
        break;
      case ImpedanceLayout::kEcLab:
        out += WithComma(Num(f) + "\t" + Num(z.real()) + "\t" + Num(-z.imag()) + "\t" +
                         Num(std::abs(z)) + "\t" + Num(Degrees(z)) + "\t" + std::to_string(k)) +
               "\n";
        break;
      case ImpedanceLayout::kChi:
        out += Num(f) + ", " + Num(z.real()) + ", " + Num(z.imag()) + ", " + Num(std::abs(z)) +
               ", " + Num(Degrees(z)) + "\n";
        break;
      case ImpedanceLayout::kNova:
        out += std::to_string(k) + ";" + Num(f) + ";" + Num(z.real()) + ";" + Num(-z.imag()) +
               ";" + Num(std::abs(z)) + ";" + Num(-Degrees(z)) + "\n";
        break;
      case ImpedanceLayout::kTable:
        out += Num(f) + "," + Num(z.real()) + "," + Num(z.imag()) + "\n";
        break;
    }
    ++k;
  }
  if (layout == ImpedanceLayout::kGamry) out += "EXPERIMENTABORTED\tLABEL\tsample end\n";
  return out;
}

ImpedanceSpectrum BatterySpectrum() {
  const CircuitParse parse = ParseCircuit("R0-p(R1,C1)-p(R2-W1,C2)");
  const std::vector<double> values{0.02, 0.01, 1.0, 0.03, 0.01, 10.0};
  ImpedanceSpectrum s;
  for (int i = 0; i <= 60; ++i) {
    const double f = std::pow(10.0, -2.0 + i / 10.0);
    s.frequency.push_back(f);
    s.impedance.push_back(parse.circuit->Impedance(2.0 * std::numbers::pi * f, values));
  }
  return s;
}

bool WriteImpedanceSamples(const std::filesystem::path& folder) {
  const ImpedanceSpectrum s = BatterySpectrum();
  bool ok = true;
  for (const auto& [name, layout] :
       {std::pair{"BATTERY_EIS.mpt", ImpedanceLayout::kEcLab},
        std::pair{"BATTERY_EIS.DTA", ImpedanceLayout::kGamry}}) {
    std::ofstream out(folder / name, std::ios::binary);
    out << ImpedanceSampleText(layout, s);
    ok = ok && static_cast<bool>(out.flush());
  }
  return ok;
}

}  // namespace fernplot
