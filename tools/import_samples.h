// SPDX-License-Identifier: MIT
#pragma once
// Example files of the formats other programs write, for trying the import:
// a circuit simulator's AC export of an RC low-pass model, a two-port
// Touchstone file, a CSV table and a European table in kHz and radians.

#include <filesystem>

namespace fernplot {

// Writes RC_LPF_model.txt, RLC_RES_model.s2p, OPAMP_LG_model.csv and
// RC_LPF_model_eu.csv into `folder`; false when a file could not be written.
bool WriteImportSamples(const std::filesystem::path& folder);

}  // namespace fernplot
