// SPDX-License-Identifier: MIT
#pragma once
// A page of an impedance: its Z as read (double), in ascending frequency.

#include <optional>

#include "analysis/impedance/impedance_points.h"
#include "graph/pages.h"

namespace fernplot {

// Whether the page's record is an impedance (an impedance file's trace).
bool HoldsImpedance(const GraphPage& page);
// Whether it is a ratio page measured through a shunt: its impedance is
// Z = R·H, H the ratio it shows (an impedance file is never scaled).
bool UsesShunt(const GraphPage& page);
// Either of those.
bool IsImpedancePage(const GraphPage& page);

// Whether the page's gain curve is read in ohms: an impedance page showing
// it as read (not its inverse, a difference or a loop curve).
bool ShowsOhms(const GraphPage& page);

// The page's impedance in ascending frequency (equal frequencies once, the
// first kept), in double: as read, or R·H of the ratio's points; nothing
// for a page that is not an impedance.
std::optional<ImpedanceSpectrum> PageImpedance(const GraphPage& page);

// Z at `frequency`: a point's own value, between two points Re Z straight
// in log f and Im Z a power of f (straight where it changes sign); nothing
// outside the spectrum.
std::optional<std::complex<double>> ImpedanceAt(const ImpedanceSpectrum& spectrum,
                                                double frequency);

}  // namespace fernplot
