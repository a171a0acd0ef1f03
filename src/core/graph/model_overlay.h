// SPDX-License-Identifier: MIT
#pragma once
// A fitted model drawn over its page: an overlay of the model's response at
// the page's own frequencies, dashed, named "model" (an equivalent circuit:
// named by its string).

#include <span>

#include "analysis/fit/vector_fit.h"
#include "graph/pages.h"

namespace fernplot {

// The model at the frequencies of `points` (as UsablePoints gives them), in
// the record's order. The model stands for the ratio `fitted` (the one the
// points were read in) and the other ratio holds its inverse, so that the
// overlay is drawn over the curve it was fitted to.
OverlayTrace ModelOverlay(const FitModel& model, std::span<const UsablePoint> points,
                          ChannelRatio fitted = ChannelRatio::kCh1Ch2);

// A fitted circuit's impedance at `frequency` (ascending, Hz) as an overlay
// of the page it was fitted to: |Z|/scale and the phase of Z in the ratio
// `shown` (its inverse in the other), `scale` being the shunt of a page that
// still holds the ratio it measured (R·H is made of it when it is shown)
// and 1 otherwise.
OverlayTrace CircuitOverlay(const CircuitModel& model, std::span<const double> frequency,
                            double scale, ChannelRatio shown);

}  // namespace fernplot
