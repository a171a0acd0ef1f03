// SPDX-License-Identifier: MIT
#pragma once
// Impedance spectra in the layouts other programs export them in, for
// trying the impedance readers and for their tests: the same spectrum as a
// ZPlot .z file, a Gamry .DTA (ZCURVE table), an EC-Lab .mpt (decimal
// comma), a CH Instruments .txt, an Autolab Z60W file, a NOVA column export
// and a plain table.

#include <filesystem>
#include <string>

#include "analysis/impedance/impedance_points.h"

namespace fernplot {

enum class ImpedanceLayout { kZPlot, kGamry, kEcLab, kChi, kZ60W, kNova, kTable };

// `spectrum` (any order) in the layout, highest frequency first as the
// instruments sweep; values with nine significant digits.
std::string ImpedanceSampleText(ImpedanceLayout layout, const ImpedanceSpectrum& spectrum);

// A battery-like spectrum, R0-p(R1,C1)-p(R2-W1,C2): an ohmic step, a
// charge-transfer arc and a diffusion tail, 10 kHz to 10 mHz, ten points a
// decade.
ImpedanceSpectrum BatterySpectrum();

// Writes BATTERY_EIS.mpt and BATTERY_EIS.DTA into `folder`; false when a
// file could not be written.
bool WriteImpedanceSamples(const std::filesystem::path& folder);

}  // namespace fernplot
