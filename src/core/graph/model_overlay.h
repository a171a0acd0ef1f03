// SPDX-License-Identifier: MIT
#pragma once
// A fitted model drawn over its page: an overlay of the model's response at
// the page's own frequencies, dashed, named "model".

#include <span>

#include "analysis/fit/vector_fit.h"
#include "graph/pages.h"

namespace fernplot {

// The model at the frequencies of `points` (as UsablePoints gives them), in
// both ratios (CH2/CH1 the inverse), in the record's order.
OverlayTrace ModelOverlay(const FitModel& model, std::span<const UsablePoint> points);

}  // namespace fernplot
