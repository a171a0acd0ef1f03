// SPDX-License-Identifier: MIT
#pragma once
// The choices a page makes about reading its sweep as a loop gain L: how it
// is drawn, which curve it shows, and whether it is a loop at all.

#include <cstdint>

namespace fernplot {

// How the page draws its curve.
enum class ViewKind : int32_t {
  kBode,     // gain and phase over frequency
  kNyquist,  // Re L against Im L, equal scales
  kNichols,  // gain in dB over phase in degrees
  kComplex,  // -Im against Re, equal scales, the origin in view: an impedance's plane
  kKk,       // the Kramers–Kronig test's residuals in % over frequency
};

// Which curve the page shows: L as measured, the closed loop T = L / (1 + L)
// or the sensitivity S = 1 / (1 + L).
enum class LoopCurve : int32_t { kOpen, kClosed, kSensitivity };

// Whether the page is a loop measurement, whose margins mean something:
// decided from its figures, or set by the user.
enum class LoopJudgement : int32_t { kAutomatic, kLoop, kNotLoop };

// The Nyquist view shows at least [-R, R] on both axes; 0 fits every point.
inline constexpr double kDefaultNyquistRadius = 2.0;

// The radii a page may ask for besides 0: beyond them the plane's scale (mm
// per unit) is no finite number, and no tick label could be read.
inline constexpr double kMinNyquistRadius = 1e-100;
inline constexpr double kMaxNyquistRadius = 1e100;
constexpr bool IsNyquistRadius(double r) {
  return r == 0.0 || (r >= kMinNyquistRadius && r <= kMaxNyquistRadius);
}

}  // namespace fernplot
