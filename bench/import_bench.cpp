// SPDX-License-Identifier: MIT
// Import readers on 50 MB files made in memory: a two-port Touchstone file,
// the simulator's polar text export (UTF-8 and UTF-16 LE), and a CSV as the
// exporter writes it. Each must read at 100 MB/s or more.

#include <benchmark/benchmark.h>

#include <charconv>
#include <cmath>
#include <string>

#include "import/import_reader.h"

namespace fernplot {
namespace {

constexpr size_t kFileBytes = size_t(50) << 20;

std::string Number(double v, const char* format) {
  char buffer[64];
  const int n = std::snprintf(buffer, sizeof buffer, format, v);
  return std::string(buffer, static_cast<size_t>(n));
}

// Rows made by `row(i)` until the text reaches 50 MB.
template <class Row>
std::string Fill(std::string text, Row row) {
  text.reserve(kFileBytes + 4096);
  for (int i = 0; text.size() < kFileBytes; ++i) text += row(i);
  return text;
}

double Frequency(int i) {
  return 1.0 + i * 0.5;
}

std::string TouchstoneFile() {
  return Fill("! bench\n# Hz S MA R 50\n", [](int i) {
    const double f = Frequency(i);
    return Number(f, "%.9g") + " " + Number(0.1, "%.9g") + " " + Number(-12.5, "%.9g") + " " +
           Number(1.0 / (1.0 + f * 1e-4), "%.12g") + " " +
           Number(-std::atan(f * 1e-4) * 57.3, "%.9g") + " 0.001 5 0.2 -170\n";
  });
}

std::string SimulatorFile() {
  return Fill("Freq.\tV(out)\tV(in)\n", [](int i) {
    const double f = Frequency(i);
    return Number(f, "%.14e") + "\t(" + Number(-10.0 * std::log10(1 + f * f * 1e-8), "%.14e") +
           "dB," + Number(-std::atan(f * 1e-4) * 57.3, "%.14e") + "\xC2\xB0)\t(" +
           Number(0.0, "%.14e") + "dB," + Number(0.0, "%.14e") + "\xC2\xB0)\n";
  });
}

std::string Utf16Le(const std::string& utf8) {
  std::string out = "\xFF\xFE";
  out.reserve(utf8.size() * 2 + 2);
  for (size_t i = 0; i < utf8.size(); ++i) {
    if (utf8.compare(i, 2, "\xC2\xB0") == 0) {
      out += "\xB0";
      out += '\0';
      ++i;
    } else {
      out += utf8[i];
      out += '\0';
    }
  }
  return out;
}

std::string CsvFile() {
  return Fill("", [](int i) {
    const double f = Frequency(i);
    return Number(f, "%f") + " , " + Number(-10.0 * std::log10(1 + f * f * 1e-8), "%f") + " , " +
           Number(-std::atan(f * 1e-4) * 57.3, "%f") + "\r\n";
  });
}

void ReadAll(benchmark::State& state, const std::string& bytes, const char* name) {
  size_t points = 0;
  for (auto _ : state) {
    const ImportResult r = ParseImport(bytes, name, {});
    if (!r.file) {
      state.SkipWithError(r.error.message.c_str());
      return;
    }
    points = r.file->traces[0].points.size();
    benchmark::DoNotOptimize(points);
  }
  state.SetBytesProcessed(static_cast<int64_t>(state.iterations() * bytes.size()));
  state.counters["points"] = static_cast<double>(points);
}

void BM_Touchstone50MB(benchmark::State& state) {
  static const std::string bytes = TouchstoneFile();
  ReadAll(state, bytes, "big.s2p");
}
void BM_SimulatorUtf8_50MB(benchmark::State& state) {
  static const std::string bytes = SimulatorFile();
  ReadAll(state, bytes, "big.txt");
}
void BM_SimulatorUtf16_100MB(benchmark::State& state) {
  static const std::string bytes = Utf16Le(SimulatorFile());
  ReadAll(state, bytes, "big.txt");
}
void BM_Csv50MB(benchmark::State& state) {
  static const std::string bytes = CsvFile();
  ReadAll(state, bytes, "big.csv");
}

BENCHMARK(BM_Touchstone50MB)->Unit(benchmark::kMillisecond);
BENCHMARK(BM_SimulatorUtf8_50MB)->Unit(benchmark::kMillisecond);
BENCHMARK(BM_SimulatorUtf16_100MB)->Unit(benchmark::kMillisecond);
BENCHMARK(BM_Csv50MB)->Unit(benchmark::kMillisecond);

}  // namespace
}  // namespace fernplot

BENCHMARK_MAIN();
