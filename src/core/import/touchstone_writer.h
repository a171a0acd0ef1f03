// SPDX-License-Identifier: MIT
#pragma once
// A page's ratio as a two-port Touchstone v1 file: S21 is the measured
// response, the other parameters zero; or a two-port file's network. An
// impedance as a one-port Z file.

#include <complex>
#include <span>
#include <string>
#include <string_view>
#include <vector>

#include "datafile/measurement.h"
#include "fileio/atomic_file.h"
#include "import/imported_trace.h"

namespace fernplot {

// The usable points of one ratio in ascending frequency (finite values,
// positive frequency); the writers' common input.
struct RatioPoint {
  double frequency;
  float gainDb;
  float phaseDeg;
};
std::vector<RatioPoint> UsableRatioPoints(const MeasurementData& data, bool ch2OverCh1);

// Shortest text that reads back as exactly the same value.
std::string ShortestNumber(double value);
std::string ShortestNumber(float value);

// The file's bytes; `source` (UTF-8) names the page's file in the comment.
// With `network` (the page's two-port file as read) that network is written
// instead, every parameter as held.
std::string TouchstoneS2pText(const MeasurementData& data, bool ch2OverCh1, std::string_view source,
                              const ImportedNetwork* network = nullptr);
WriteFileResult WriteTouchstoneS2p(const MeasurementData& data, bool ch2OverCh1,
                                   std::string_view source, const std::string& path,
                                   const ImportedNetwork* network = nullptr);

// An impedance (ascending frequencies in Hz, Z in ohms) as a one-port
// Touchstone v1 file of Z in real and imaginary parts against R = 1 ohm,
// so that the numbers are ohms and read back as the same doubles.
std::string TouchstoneZ1pText(std::span<const double> frequency,
                              std::span<const std::complex<double>> impedance,
                              std::string_view source);

}  // namespace fernplot
