// SPDX-License-Identifier: MIT
#include "import_samples.h"

#include <cmath>
#include <complex>
#include <cstdio>
#include <numbers>
#include <string>

#include "fileio/atomic_file.h"
#include "import/touchstone_format.h"

namespace fernplot {
namespace {

using Complex = std::complex<double>;

Complex Jw(double f) {
  return Complex(0.0, 2.0 * std::numbers::pi * f);
}

double Db(Complex h) {
  return 20.0 * std::log10(std::abs(h));
}

double Degrees(Complex h) {
  return std::arg(h) * 180.0 / std::numbers::pi;
}

std::string Printf(const char* format, double v) {
  char buffer[64];
  const int n = std::snprintf(buffer, sizeof buffer, format, v);
  return std::string(buffer, static_cast<size_t>(n));
}

// "%.14e" as the simulator prints it on its home platform: a three-digit
// exponent ("1.00000000000000e+001").
std::string Sci(double v) {
  std::string t = Printf("%.14e", v);
  const size_t e = t.find('e');
  if (t.size() - e == 4) t.insert(e + 2, "0");
  return t;
}

// `perDecade` points per decade from `start` to `stop`, both included.
template <class Fn>
void LogSweep(double start, double stop, int perDecade, Fn fn) {
  const int steps = static_cast<int>(std::lround(std::log10(stop / start) * perDecade));
  for (int i = 0; i <= steps; ++i) fn(start * std::pow(10.0, std::log10(stop / start) * i / steps));
}

bool Write(const std::filesystem::path& path, const std::string& bytes) {
  const WriteFileResult r = WriteFileAtomically(path.string(), bytes);
  if (!r.ok) std::fprintf(stderr, "%s: %s\n", path.c_str(), r.error.c_str());
  return r.ok;
}

// The simulator's AC export of the RC low-pass of RC_LPF.DAT as designed:
// R = 1.6 kΩ, C = 100 nF (corner 995 Hz), 20 points per decade over the
// measured 10 Hz .. 100 kHz, in the simulator's polar form. Windows-1252:
// the degree sign is the single byte 0xB0.
std::string RcModelExport() {
  const double r = 1600.0, c = 100e-9;
  std::string text = "Freq.\tV(out)\r\n";
  LogSweep(10.0, 100000.0, 20, [&](double f) {
    const Complex h = 1.0 / (1.0 + Jw(f) * r * c);
    text += Sci(f) + "\t(" + Sci(Db(h)) + "dB," + Sci(Degrees(h)) + "\xB0)\r\n";
  });
  return text;
}

// A two-port network analyser file of the series RLC of RLC_RES.DAT
// (10 kHz, Q = 20) measured across the capacitor, with the small
// reflections and reverse leakage a real fixture shows.
std::string RlcTouchstone() {
  TouchstoneOptions options;
  options.hertz = 1e3;
  options.format = PairFormat::kDb;
  std::string text =
      "! Series RLC, f0 = 10 kHz, Q = 20, across the capacitor\n"
      "! S11 S21 S12 S22, magnitude in dB, angle in degrees\n" +
      TouchstoneOptionLine(options) + "\n";
  LogSweep(1000.0, 100000.0, 50, [&](double f) {
    const double w0 = 2.0 * std::numbers::pi * 10000.0;
    const Complex s = Jw(f);
    const Complex s21 = 1.0 / (1.0 + s / (20.0 * w0) + (s * s) / (w0 * w0));
    const Complex s11 = 0.1 * s / (s + w0);
    const Complex s12 = 0.001 * s21;
    const Complex s22 = 0.05;
    text += Printf("%.6g", f / options.hertz);
    for (const Complex x : {s11, s21, s12, s22}) {
      text += ' ' + Printf("%.6f", Db(x)) + ' ' + Printf("%.4f", Degrees(x));
    }
    text += '\n';
  });
  return text;
}

// A four-port 20 dB directional coupler from 1 to 3 GHz as a network
// analyser writes it (v1, magnitude and angle): each matrix row on its own
// line, the frequency before the first. Port 1 feeds port 2 (through),
// port 3 is coupled, port 4 isolated; the network is reciprocal and
// symmetric, so Sij = Sji.
std::string CouplerTouchstone() {
  TouchstoneOptions options;
  options.hertz = 1e9;
  options.format = PairFormat::kMa;
  std::string text =
      "! 20 dB directional coupler: 1 -> 2 through, 3 coupled, 4 isolated\n"
      "! rows S11..S14, S21..S24, S31..S34, S41..S44\n" +
      TouchstoneOptionLine(options) + "\n";
  for (int k = 0; k <= 40; ++k) {
    const double f = 1e9 + k * 50e6;
    // Electrical lengths of the through and the coupled paths.
    const Complex through = 0.994 * std::exp(-Jw(f) * 180e-12);
    const Complex coupled = 0.1 * std::exp(-Jw(f) * 90e-12) * Complex(0.0, 1.0);
    const Complex isolated = 0.0056 * std::exp(-Jw(f) * 400e-12);
    const Complex match = 0.056 * std::exp(-Jw(f) * 20e-12);
    // Port pairs: 1-2 and 3-4 through, 1-3 and 2-4 coupled, 1-4 and 2-3 isolated.
    const Complex row[4][4] = {{match, through, coupled, isolated},
                               {through, match, isolated, coupled},
                               {coupled, isolated, match, through},
                               {isolated, coupled, through, match}};
    text += Printf("%.3f", f / options.hertz);
    for (const auto& r : row) {
      for (const Complex x : r)
        text += ' ' + Printf("%.6f", std::abs(x)) + ' ' + Printf("%.3f", Degrees(x));
      text += '\n';
    }
  }
  return text;
}

// The op-amp loop gain of OPAMP_LG.DAT as a table with a header row.
std::string OpAmpCsv() {
  std::string text = "Frequency (Hz),Gain (dB),Phase (deg)\r\n";
  LogSweep(10.0, 10000000.0, 10, [&](double f) {
    const Complex s = Jw(f);
    const double p1 = 2.0 * std::numbers::pi * 100.0;
    const double p2 = 2.0 * std::numbers::pi * 1000000.0;
    const Complex h = 10000.0 / ((1.0 + s / p1) * (1.0 + s / p2)) * std::exp(-s * 25e-9);
    text +=
        Printf("%.6g", f) + "," + Printf("%.4f", Db(h)) + "," + Printf("%.3f", Degrees(h)) + "\r\n";
  });
  return text;
}

// The RC low-pass model again, as a spreadsheet set to a European locale
// writes it: semicolons between the columns, decimal commas, the frequency
// in kHz and the phase in radians, named in the header.
std::string RcModelEuropeanTable() {
  const double r = 1600.0, c = 100e-9;
  std::string text = "Frequency (kHz);Gain (dB);Phase (rad)\r\n";
  LogSweep(10.0, 100000.0, 10, [&](double f) {
    const Complex h = 1.0 / (1.0 + Jw(f) * r * c);
    std::string row = Printf("%.6g", f / 1000.0) + ";" + Printf("%.5f", Db(h)) + ";" +
                      Printf("%.6f", std::arg(h)) + "\r\n";
    for (char& ch : row) {
      if (ch == '.') ch = ',';
    }
    text += row;
  });
  return text;
}

}  // namespace

bool WriteImportSamples(const std::filesystem::path& folder) {
  bool ok = Write(folder / "RC_LPF_model.txt", RcModelExport());
  ok = Write(folder / "RLC_RES_model.s2p", RlcTouchstone()) && ok;
  ok = Write(folder / "OPAMP_LG_model.csv", OpAmpCsv()) && ok;
  ok = Write(folder / "COUPLER_model.s4p", CouplerTouchstone()) && ok;
  ok = Write(folder / "RC_LPF_model_eu.csv", RcModelEuropeanTable()) && ok;
  return ok;
}

}  // namespace fernplot
