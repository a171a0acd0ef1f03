// SPDX-License-Identifier: MIT
#pragma once
// A fitted model as text: a circuit simulator's Laplace expression and a JSON
// document.

#include <string>
#include <string_view>

#include "analysis/fit/vector_fit.h"

namespace fernplot {

// The model as a Laplace transfer function in s (rad/s) for a behavioural
// source: a constant times normalised factors, "(1+s*a)" for a real root,
// "(1+s*a+s*s*b)" for a pair, "s" for a root at 0, zeros over poles, and the
// delay as "exp(-s*τ)". Powers are written as products, which every
// simulator reads.
std::string LaplaceExpression(const FitModel& model);

// The model as a JSON object, one top-level member a line:
//   {"file", "poles": [{"re","im"}], "zeros": [{"re","im"}], "gain",
//    "delaySeconds", "sections": [{"kind":"polePair","f0Hz","q"} |
//    {"kind":"pole","fHz"} | {"kind":"zeroPair","f0Hz","q"} |
//    {"kind":"zero","fHz"}], "rmsErrorDb", "rmsErrorDeg", "laplace"}
// with poles and zeros in Hz and both members of each pair listed.
// `fileName` is UTF-8 and written as it is.
std::string ModelJson(std::string_view fileName, const FitModel& model);

}  // namespace fernplot
