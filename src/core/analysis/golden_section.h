// SPDX-License-Identifier: MIT
#pragma once
// Golden-section search: closes in on the minimum of a function that has one
// valley in [lo, hi] (found beforehand by a coarse scan).

namespace fernplot {

struct BracketMinimum {
  double x;
  double value;
};

// Narrows [lo, hi] until it is at most `width` wide or `maxSteps` steps have
// been taken, and returns the better of the last two probes (the lower one
// on a tie).
template <class F>
BracketMinimum GoldenSectionMinimum(const F& f, double lo, double hi, double width, int maxSteps) {
  constexpr double kInvPhi = 0.6180339887498949;
  double x1 = hi - kInvPhi * (hi - lo), x2 = lo + kInvPhi * (hi - lo);
  double f1 = f(x1), f2 = f(x2);
  for (int step = 0; step < maxSteps && hi - lo > width; ++step) {
    if (f1 <= f2) {
      hi = x2;
      x2 = x1;
      f2 = f1;
      x1 = hi - kInvPhi * (hi - lo);
      f1 = f(x1);
    } else {
      lo = x1;
      x1 = x2;
      f1 = f2;
      x2 = lo + kInvPhi * (hi - lo);
      f2 = f(x2);
    }
  }
  return f2 < f1 ? BracketMinimum{x2, f2} : BracketMinimum{x1, f1};
}

}  // namespace fernplot
