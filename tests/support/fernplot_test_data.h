// SPDX-License-Identifier: MIT
#pragma once
// Data builders shared by the tests and the benchmarks: data-file headers
// with fixed fields, logarithmic sweeps, temporary folders and whole-file
// reads and writes. Every file image goes through the product's own encoder
// (datafile/data_file_writer.h).

#include <unistd.h>

#include <algorithm>
#include <cmath>
#include <cstdint>
#include <filesystem>
#include <fstream>
#include <iterator>
#include <string>
#include <system_error>
#include <vector>

#include "datafile/data_file_writer.h"
#include "datafile/measurement.h"

namespace fernplot::testing {

// When the instrument made the file.
struct MadeAt {
  uint16_t year = 1998, month = 4, day = 7, hour = 9, minute = 5;
};

// The sweep fields of a header; all zero unless a caller sets them.
struct SweepSettings {
  double oscAmplitude = 0.0;
  double minHz = 0.0, maxHz = 0.0;
  int16_t resolutionKind = 0;
  double resolution = 0.0;
  int16_t integrationKind = 0;
  double integration = 0.0;
};

// What a test header varies; the model is always "Q417". Meant for
// designated initializers: TestHeader({.dataType = 1, .pointCount = 3}).
struct HeaderFields {
  int16_t dataType = 0;
  uint16_t pointCount = 0;
  std::string title = "テスト";
  std::string version = "1.03";
  MadeAt made;
  SweepSettings sweep;
};

inline MeasurementData TestHeader(const HeaderFields& fields) {
  MeasurementData h;
  h.modelName = "Q417";
  h.version = fields.version;
  h.dataType = fields.dataType;
  h.pointCount = fields.pointCount;
  h.year = fields.made.year;
  h.month = fields.made.month;
  h.day = fields.made.day;
  h.hour = fields.made.hour;
  h.minute = fields.made.minute;
  h.dataTitle = fields.title;
  h.oscAmplitude = fields.sweep.oscAmplitude;
  h.sweepMinFrequency = fields.sweep.minHz;
  h.sweepMaxFrequency = fields.sweep.maxHz;
  h.resolutionKind = fields.sweep.resolutionKind;
  h.resolution = fields.sweep.resolution;
  h.integrationKind = fields.sweep.integrationKind;
  h.integration = fields.sweep.integration;
  return h;
}

// The plain header most data-file tests start from.
inline MeasurementData Header(int16_t type, uint16_t count) {
  return TestHeader({.dataType = type, .pointCount = count});
}

// Frequency of point `i` of `n`, spaced evenly in log over `decades`
// upwards from `startHz` (the last point lands on the top end).
inline double LogSweepHz(int i, int n, double startHz, double decades) {
  return startHz * std::pow(10.0, decades * i / std::max(1, n - 1));
}

// A device response at one frequency: CH1 against CH2 as a plain ratio and
// a phase in degrees.
struct Response {
  double level = 0.0;
  double phaseDeg = 0.0;
};

// First-order low pass with its corner at 1 kHz.
inline Response LowPass(double f) {
  const double x = f / 1000.0;
  return {1.0 / std::sqrt(1.0 + x * x), -std::atan(x) * 57.29577951308232};
}

// Raw records of a logarithmic sweep through `response` (a callable taking
// the frequency and giving a Response); CH2 stays at 1.
template <class ResponseFn>
std::vector<RawRecord> RawSweep(int n, double startHz, double decades, ResponseFn response) {
  std::vector<RawRecord> records;
  records.reserve(static_cast<size_t>(std::max(0, n)));
  for (int i = 0; i < n; ++i) {
    const double f = LogSweepHz(i, n, startHz, decades);
    const Response r = response(f);
    records.push_back({f, static_cast<float>(r.level), static_cast<float>(r.phaseDeg), 1.0f});
  }
  return records;
}

// `n` points of the 1 kHz low pass from 10 Hz to 100 kHz.
inline std::vector<RawRecord> LowPassRecords(int n) {
  return RawSweep(n, 10.0, 4.0, LowPass);
}

// The same sweep as a calculated file holds it.
inline std::vector<CalculatedRecord> ToCalculated(const std::vector<RawRecord>& raw) {
  std::vector<CalculatedRecord> records;
  records.reserve(raw.size());
  for (const RawRecord& r : raw) records.push_back({r.frequency, r.ch1Level / r.ch2Level, r.phase});
  return records;
}

// Writes `bytes` as the whole file; false when the stream failed.
inline bool WriteBytes(const std::filesystem::path& path, const std::string& bytes) {
  std::ofstream out(path, std::ios::binary);
  out << bytes;
  return static_cast<bool>(out);
}

// The whole file; empty when it cannot be read.
inline std::string ReadBytes(const std::filesystem::path& path) {
  std::ifstream in(path, std::ios::binary);
  return std::string(std::istreambuf_iterator<char>(in), std::istreambuf_iterator<char>());
}

// A fresh folder under the system's temp folder, removed with the object
// (even when a test took its permissions away).
class TempDir {
 public:
  explicit TempDir(const std::string& prefix = "fernplot-test") {
    std::string pattern = (std::filesystem::temp_directory_path() / (prefix + "-XXXXXX")).string();
    std::vector<char> buf(pattern.begin(), pattern.end());
    buf.push_back('\0');
    path_ = mkdtemp(buf.data());
  }
  ~TempDir() {
    std::error_code ec;
    std::filesystem::permissions(path_, std::filesystem::perms::owner_all, ec);
    std::filesystem::remove_all(path_, ec);
  }
  TempDir(const TempDir&) = delete;
  TempDir& operator=(const TempDir&) = delete;

  const std::filesystem::path& path() const { return path_; }
  std::string File(const std::string& name) const { return (path_ / name).string(); }
  std::string Write(const std::string& name, const std::string& bytes) const {
    std::string p = File(name);
    WriteBytes(p, bytes);
    return p;
  }

 private:
  std::filesystem::path path_;
};

}  // namespace fernplot::testing
