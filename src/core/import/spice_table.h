// SPDX-License-Identifier: MIT
#pragma once
// A page's ratio as a SPICE subcircuit: a voltage source whose gain and
// phase follow the measured table, so the measurement can stand in for the
// measured part in a simulation.

#include <string>
#include <string_view>

#include "datafile/measurement.h"
#include "fileio/atomic_file.h"

namespace fernplot {

// `name` made a SPICE identifier: letters, digits and '_', starting with a
// letter.
std::string SpiceIdentifier(std::string_view name);

// ".subckt NAME in out" / "E1 out 0 FREQ {V(in)} = (f, dB, deg) ..." /
// ".ends", the phase unwrapped from the first point.
std::string SpiceTableText(const MeasurementData& data, bool ch2OverCh1, std::string_view name,
                           std::string_view source);
WriteFileResult WriteSpiceTable(const MeasurementData& data, bool ch2OverCh1, std::string_view name,
                                std::string_view source, const std::string& path);

}  // namespace fernplot
