// SPDX-License-Identifier: MIT
#pragma once
// A model fitted to a page in the viewer: fitted to the page's usable points
// in the ratio it shows, drawn over it as a dashed overlay named "model",
// fitted again when those points change, and the page's difference to it
// (the residual).

#include <complex>
#include <memory>
#include <string>
#include <vector>

#include "graph/pages.h"

namespace fernplot {

// Fits a model to the page's usable points and lays it over the page (in
// place of a model it had). Returns the fit's message when the page cannot
// be fitted (in the language of `translator`; none: the source text); the
// page is then left as it was. Empty on success.
std::string FitPageModel(GraphPage& page, const FitOptions& options,
                         const TextTranslator* translator = nullptr);
// The second half of FitPageModel, for a fit run elsewhere (on another
// thread): lays `result`, fitted with `options` to `points`, over the page.
// A result fitted to other points than the page's usable ones now (the page
// changed meanwhile) is not laid over it: false, and the page stays as it
// was; so does a result without a model, whose message goes to `message`.
bool ApplyPageModel(GraphPage& page, const FitOptions& options, std::vector<UsablePoint> points,
                    FitResult result, std::string* message = nullptr,
                    const TextTranslator* translator = nullptr);

// Fits `circuit` to the page's impedance and lays it over the page, dashed,
// named by its string (in place of a model it had). The fit's error when
// the page is no impedance or cannot be fitted (the page is then left as it
// was); empty on success.
std::string FitPageCircuit(GraphPage& page, std::shared_ptr<const Circuit> circuit,
                           const CircuitFitOptions& options);
// The second half of FitPageCircuit, for a fit run elsewhere: lays `result`,
// fitted to `fitted`, over the page. False (the page as it was) when the
// result has no fit (its error to `message`) or the page's impedance is no
// longer `fitted`.
bool ApplyPageCircuit(GraphPage& page, std::shared_ptr<const Circuit> circuit,
                      const CircuitFitOptions& options, ImpedanceSpectrum fitted,
                      CircuitFitResult result, std::string* message = nullptr);

// The model's value at `frequency` (Hz): the rational model's ratio or the
// circuit's impedance in ohms.
std::complex<double> PageFitAt(const PageFit& fit, double frequency);

// Drops the page's model and its overlay; a residual shown goes back to the
// reference the page had before. False when the page had no model.
bool RemovePageModel(GraphPage& page);

// Keeps the model in step with the page: fitted again with the same options
// when the page's usable points (its data, its ratio) are no longer those it
// was fitted to, dropped when its overlay was removed (from the trace list)
// or when the new points cannot be fitted. True when anything changed. A
// model dropped because it could not be fitted again leaves the fit's
// message in `dropped` (in the language of `translator`), so that the user
// learns why it went.
bool UpdatePageModel(GraphPage& page, std::string* dropped = nullptr,
                     const TextTranslator* translator = nullptr);

// The position of the model's overlay in page.overlays; -1 without one.
int ModelOverlayIndex(const GraphPage& page);

// Whether the page shows its difference to its model.
bool ShowsResidual(const GraphPage& page);
// The difference to the model on or off; false when nothing changed (no
// model, or already so).
bool ShowResidual(GraphPage& page, bool on);

}  // namespace fernplot
