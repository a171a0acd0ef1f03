// SPDX-License-Identifier: MIT
#pragma once
// Runs a model fit on a thread of its own while the window stays live: a
// progress dialog appears when the fit takes a moment, and its cancel button
// stops the fit.

#include <complex>
#include <memory>
#include <optional>
#include <vector>

#include "analysis/fit/vector_fit.h"
#include "analysis/impedance/circuit_fit.h"

class QWidget;

namespace fernplot {

// Fits `points` with `options` off the GUI thread, showing a window-modal
// progress dialog (object name "fitProgress") over `parent` once the fit has
// run for `showAfterMs`. Returns the fit's result, or nothing when the user
// cancelled it.
std::optional<FitResult> RunFitWithProgress(QWidget* parent, std::vector<UsablePoint> points,
                                            const FitOptions& options, int showAfterMs = 300);

// Fits `circuit` to the spectrum off the GUI thread, a window-modal busy
// dialog (object name "circuitProgress") over `parent` once it has run for
// `showAfterMs`. A circuit fit ends by itself (a global search within its
// seconds), so it has no cancel button.
CircuitFitResult RunCircuitFitWithProgress(QWidget* parent, std::shared_ptr<const Circuit> circuit,
                                           std::vector<double> frequency,
                                           std::vector<std::complex<double>> impedance,
                                           const CircuitFitOptions& options, int showAfterMs = 300);

}  // namespace fernplot
