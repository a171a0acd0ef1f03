// SPDX-License-Identifier: MIT
#pragma once
// Tables of an impedance spectrum for other programs: the complex values
// (zcsv) and what an LCR meter shows at each frequency (lcr), numbers in
// their shortest round-trip digits.

#include <optional>
#include <string>

#include "analysis/impedance/impedance_points.h"

namespace fernplot {

// What an LCR meter reads off Z at one frequency, ω = 2πf: the series
// form Rs + jXs and the parallel form of the same Z. A capacitance is
// given only where X < 0, an inductance only where X > 0; where X = 0
// neither, nor Xp, D or Q.
struct EquivalentValues {
  double absZ = 0.0, thetaDeg = 0.0;
  double rs = 0.0, xs = 0.0, rp = 0.0;
  std::optional<double> cs, ls, xp, cp, lp, d, q;
};
EquivalentValues EquivalentValuesOf(double frequency, std::complex<double> z);

// "frequency,re,im" and a row per point.
std::string ZCsv(const ImpedanceSpectrum& spectrum);
// "frequency,absZ,thetaDeg,Rs,Xs,Cs,Ls,Rp,Xp,Cp,Lp,D,Q" and a row per point,
// a value that does not exist an empty cell.
std::string LcrCsv(const ImpedanceSpectrum& spectrum);

}  // namespace fernplot
