// SPDX-License-Identifier: MIT
#pragma once
// One instrument data file in memory: the decoded header and, after a full
// read that passed every check, its points.

#include <cstddef>
#include <cstdint>
#include <memory>
#include <optional>
#include <string>
#include <vector>

#include "datafile/complex_sweep.h"

namespace fernplot {

// Widths of the header's texts in CP932 bytes.
constexpr size_t kModelNameBytes = 16;
constexpr size_t kVersionBytes = 8;
constexpr size_t kDataTitleBytes = 64;

// One frequency point, with gain and phase for both channel ratios.
struct DataPoint {
  double frequency = 0.0;    // Hz
  float gainCh1Ch2 = 0.0f;   // dB
  float gainCh2Ch1 = 0.0f;   // dB
  float phaseCh1Ch2 = 0.0f;  // degrees
  float phaseCh2Ch1 = 0.0f;  // degrees
  bool operator==(const DataPoint&) const = default;
};

// Where a record came from when it is a trace of another program's file
// (a network analyser's, a circuit simulator's, a table) rather than an
// instrument file: the page shows these instead of the instrument settings.
struct ImportedSource {
  std::string format;      // e.g. "Touchstone v1"
  std::string traceName;   // e.g. "S21" or "V(out) R=4.7k"; may be empty
  std::string fileName;    // without folder, with its extension
  std::string legendName;  // how a legend names the trace
  size_t pointCount = 0;
  std::string units;  // "kHz, dB, rad" when the file gave other units than Hz, dB, degrees
  // The trace's values as read, in double, for a trace that is not a plain
  // gain and phase (an impedance); nullptr otherwise.
  std::shared_ptr<const ComplexSweep> sweep;
};

// Texts are held as UTF-8; on disk they are CP932 and limited to the byte
// widths noted beside each field.
struct MeasurementData {
  std::string modelName;  // <= 16 CP932 bytes
  std::string version;    // <= 8 CP932 bytes
  int16_t dataType = 0;   // 0 raw, 1 calculated
  uint16_t pointCount = 0;
  uint16_t year = 0, month = 0, day = 0, hour = 0, minute = 0;
  std::string dataTitle;  // <= 64 CP932 bytes
  double oscAmplitude = 0.0;
  double oscDcBias = 0.0;
  int16_t oscWaveform = 0;
  double sweepMaxFrequency = 0.0;
  double sweepMinFrequency = 0.0;
  int16_t resolutionKind = 0;
  double resolution = 0.0;
  int16_t integrationKind = 0;
  double integration = 0.0;
  int16_t delayKind = 0;
  double delay = 0.0;
  int16_t harmonicOrder = 0;
  int16_t measurementMode = 0;
  uint32_t autoIntegration = 0;
  uint32_t amplitudeCompression = 0;
  uint32_t highDensitySweep = 0;
  uint32_t phaseRange = 0;  // never fed by the file; 0 shows as +-180 deg
  // Present only after a full read that passed every check. In the reverse of
  // the file's record order.
  std::optional<std::vector<DataPoint>> points;
  // Set only for a trace read from another program's file; the instrument
  // fields above then keep their zero values.
  std::optional<ImportedSource> imported;
};

}  // namespace fernplot
