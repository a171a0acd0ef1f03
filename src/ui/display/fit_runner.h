// SPDX-License-Identifier: MIT
#pragma once
// Runs a model fit on a thread of its own while the window stays live: a
// progress dialog appears when the fit takes a moment, and its cancel button
// stops the fit.

#include <optional>
#include <vector>

#include "analysis/fit/vector_fit.h"

class QWidget;

namespace fernplot {

// Fits `points` with `options` off the GUI thread, showing a window-modal
// progress dialog (object name "fitProgress") over `parent` once the fit has
// run for `showAfterMs`. Returns the fit's result, or nothing when the user
// cancelled it.
std::optional<FitResult> RunFitWithProgress(QWidget* parent, std::vector<UsablePoint> points,
                                            const FitOptions& options, int showAfterMs = 300);

}  // namespace fernplot
