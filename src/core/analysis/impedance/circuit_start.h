// SPDX-License-Identifier: MIT
#pragma once
// Starting values for a circuit fit, read off the spectrum: the real part at
// the highest frequency (the series resistance), the arcs of −Im Z (their
// apex frequencies and heights give each parallel block's time constant and
// resistance), the low-frequency end (series capacitors, diffusion) and the
// high-frequency end (series inductance).

#include <vector>

#include "analysis/impedance/circuit.h"
#include "analysis/impedance/impedance_points.h"

namespace fernplot {

// Candidate starting values, one value per parameter each, the most likely
// first: the arcs found assigned to the parallel blocks in the order they
// are written (highest frequency first), then variants (blocks evenly
// spread over the band, in the other order, time constants three times
// longer or shorter, diffusion slower or faster). `spectrum` has at least
// one point.
std::vector<std::vector<double>> AutomaticStarts(const Circuit& circuit,
                                                 const ImpedanceSpectrum& spectrum);

}  // namespace fernplot
