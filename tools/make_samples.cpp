// SPDX-License-Identifier: MIT
// Writes a set of realistic instrument data files from transfer-function
// models, for trying the viewer and the exporter without an instrument:
//   fernplot-make-samples OUTPUT_FOLDER
// The levels carry a little deterministic measurement noise so the curves do
// not look synthetic, and every run writes the same bytes.

#include <cmath>
#include <complex>
#include <cstdint>
#include <cstdio>
#include <filesystem>
#include <fstream>
#include <numbers>
#include <string>
#include <vector>

#include "datafile/data_file_writer.h"
#include "impedance_samples.h"
#include "import_samples.h"

namespace fernplot {
namespace {

using Complex = std::complex<double>;
using Model = Complex (*)(double frequency);

Complex Jw(double f) {
  return Complex(0.0, 2.0 * std::numbers::pi * f);
}

// First-order RC low-pass, corner at 1 kHz.
Complex RcLowPass(double f) {
  return 1.0 / (1.0 + Jw(f) / (2.0 * std::numbers::pi * 1000.0));
}

// Series RLC taken across the capacitor: resonance at 10 kHz with Q = 20, a
// peak of about +26 dB.
Complex RlcResonance(double f) {
  const double w0 = 2.0 * std::numbers::pi * 10000.0;
  const double q = 20.0;
  const Complex s = Jw(f);
  return 1.0 / (1.0 + s / (q * w0) + (s * s) / (w0 * w0));
}

// Op-amp loop gain: 80 dB at DC, poles at 100 Hz and 1 MHz, and a little
// excess phase; crosses 0 dB near 800 kHz with a phase margin of about 45 deg.
Complex OpAmpLoopGain(double f) {
  const Complex s = Jw(f);
  const double p1 = 2.0 * std::numbers::pi * 100.0;
  const double p2 = 2.0 * std::numbers::pi * 1000000.0;
  const double delay = 25e-9;  // with the two poles: a phase margin of 44.7°
  return 10000.0 / ((1.0 + s / p1) * (1.0 + s / p2)) * std::exp(-s * delay);
}

// Deterministic noise in [-1, 1).
class Noise {
 public:
  explicit Noise(uint32_t seed) : state_(seed) {}
  double Next() {
    state_ = state_ * 1664525u + 1013904223u;
    return (state_ >> 8) / double(1u << 23) - 1.0;
  }

 private:
  uint32_t state_;
};

double PhaseDegrees(Complex h) {
  return std::arg(h) * 180.0 / std::numbers::pi;
}

enum class Spacing { kPerDecade, kLinearStep };

struct Sweep {
  double start, stop;  // in sweep order: stop < start sweeps downwards
  Spacing spacing;
  double resolution;  // steps per decade, or Hz per step
};

std::vector<double> Frequencies(const Sweep& s) {
  std::vector<double> f;
  if (s.spacing == Spacing::kPerDecade) {
    const double decades = std::log10(s.stop / s.start);
    const int steps = static_cast<int>(std::lround(std::fabs(decades) * s.resolution));
    for (int i = 0; i <= steps; ++i) f.push_back(s.start * std::pow(10.0, decades * i / steps));
  } else {
    const int steps = static_cast<int>(std::lround(std::fabs(s.stop - s.start) / s.resolution));
    const double step = s.stop > s.start ? s.resolution : -s.resolution;
    for (int i = 0; i <= steps; ++i) f.push_back(s.start + step * i);
  }
  return f;
}

struct Sample {
  const char* fileName;
  const char* title;
  Model model;
  Sweep sweep;
  bool calculated;
  double oscAmplitude;
  uint16_t day, hour, minute;
};

MeasurementData HeaderFor(const Sample& s, size_t count) {
  MeasurementData h;
  h.modelName = "Q417";
  h.version = "V1.20";
  h.dataType = s.calculated ? 1 : 0;
  h.pointCount = static_cast<uint16_t>(count);
  h.year = 1998;
  h.month = 6;
  h.day = s.day;
  h.hour = s.hour;
  h.minute = s.minute;
  h.dataTitle = s.title;
  h.oscAmplitude = s.oscAmplitude;
  h.oscDcBias = 0.0;
  h.oscWaveform = 0;
  h.sweepMaxFrequency = std::max(s.sweep.start, s.sweep.stop);
  h.sweepMinFrequency = std::min(s.sweep.start, s.sweep.stop);
  h.resolutionKind = s.sweep.spacing == Spacing::kPerDecade ? 1 : 3;
  h.resolution = s.sweep.resolution;
  h.integrationKind = 2;  // cycles
  h.integration = 16;
  h.delayKind = 1;  // seconds
  h.delay = 0.1;
  h.harmonicOrder = 1;
  h.measurementMode = 0;
  h.autoIntegration = 1;
  h.amplitudeCompression = s.calculated ? 0 : 1;
  h.highDensitySweep = s.sweep.resolution >= 50 ? 1 : 0;
  return h;
}

std::string Encode(const Sample& s, uint32_t seed) {
  const std::vector<double> freqs = Frequencies(s.sweep);
  Noise noise(seed);
  const MeasurementData header = HeaderFor(s, freqs.size());
  if (s.calculated) {
    std::vector<CalculatedRecord> records;
    for (double f : freqs) {
      const Complex h = s.model(f);
      const double ratio = std::abs(h) * (1.0 + 0.002 * noise.Next());
      records.push_back({f, static_cast<float>(ratio),
                         static_cast<float>(PhaseDegrees(h) + 0.05 * noise.Next())});
    }
    return EncodeCalculatedDataFile(header, records);
  }
  std::vector<RawRecord> records;
  for (double f : freqs) {
    const Complex h = s.model(f);
    // CH2 sees the stimulus (with a slight source droop at high frequency),
    // CH1 the device output.
    const double ch2 = s.oscAmplitude * (1.0 - 0.01 * f / (f + 1e6)) * (1.0 + 0.001 * noise.Next());
    const double ch1 = ch2 * std::abs(h) * (1.0 + 0.003 * noise.Next());
    records.push_back({f, static_cast<float>(ch1),
                       static_cast<float>(PhaseDegrees(h) + 0.1 * noise.Next()),
                       static_cast<float>(ch2)});
  }
  return EncodeRawDataFile(header, records);
}

bool WriteFile(const std::filesystem::path& path, const std::string& bytes) {
  std::ofstream out(path, std::ios::binary);
  out << bytes;
  out.close();
  if (!out) {
    std::fprintf(stderr, "%s: cannot write\n", path.c_str());
    return false;
  }
  return true;
}

}  // namespace
}  // namespace fernplot

int main(int argc, char** argv) {
  using namespace fernplot;
  if (argc != 2) {
    std::fprintf(stderr, "usage: %s OUTPUT_FOLDER\n", argv[0]);
    return 2;
  }
  const std::filesystem::path out = argv[1];
  std::error_code ec;
  std::filesystem::create_directories(out, ec);

  const Sample samples[] = {
      {"RC_LPF.DAT",
       "ＲＣローパスフィルタ fc=1kHz",
       RcLowPass,
       {10.0, 100000.0, Spacing::kPerDecade, 10},
       false,
       1.0,
       12,
       9,
       30},
      {"rc_lpf_down.dat",
       "ＲＣローパス 下り掃引（演算）",
       RcLowPass,
       {100000.0, 10.0, Spacing::kPerDecade, 10},
       true,
       1.0,
       12,
       9,
       42},
      {"RLC_RES.DAT",
       "ＲＬＣ直列共振 f0=10kHz Q=20",
       RlcResonance,
       {100000.0, 1000.0, Spacing::kPerDecade, 50},
       false,
       0.1,
       15,
       14,
       5},
      {"RLC_LIN.DAT",
       "共振点付近 リニア掃引 20Hzステップ",
       RlcResonance,
       {9000.0, 11000.0, Spacing::kLinearStep, 20},
       true,
       0.1,
       15,
       14,
       20},
      {"OPAMP_LG.DAT",
       "オペアンプ ループゲイン 位相余裕45°",
       OpAmpLoopGain,
       {10.0, 10000000.0, Spacing::kPerDecade, 20},
       true,
       0.05,
       20,
       16,
       48},
  };
  bool ok = true;
  uint32_t seed = 417;
  for (const Sample& s : samples) ok = WriteFile(out / s.fileName, Encode(s, seed++)) && ok;

  // Files that go wrong in the ways the reader reports, so the list shows
  // them: cut inside the header, a header length written the wrong way round,
  // and a data part shorter than its point count needs.
  const std::string good = Encode(samples[0], 1);
  ok = WriteFile(out / "BROKEN_SHORT.DAT", good.substr(0, 150)) && ok;
  std::string swapped = good.substr(0, 400);
  swapped.replace(0, 4, std::string("\xD4\0\0\0", 4));
  ok = WriteFile(out / "BROKEN_ENDIAN.DAT", swapped) && ok;
  ok = WriteFile(out / "TRUNCATED.DAT", good.substr(0, good.size() - 100)) && ok;
  ok = WriteImportSamples(out) && ok;
  ok = WriteImpedanceSamples(out) && ok;
  return ok ? 0 : 1;
}
