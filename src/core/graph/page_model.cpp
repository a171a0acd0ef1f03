// SPDX-License-Identifier: MIT
#include "graph/page_model.h"

#include <algorithm>
#include <numbers>
#include <utility>
#include <vector>

#include "graph/model_overlay.h"
#include "graph/overlays.h"
#include "graph/page_figures.h"
#include "graph/page_impedance.h"

namespace fernplot {

namespace {

bool SamePoints(const std::vector<UsablePoint>& a, const std::vector<UsablePoint>& b) {
  return std::equal(a.begin(), a.end(), b.begin(), b.end(),
                    [](const UsablePoint& x, const UsablePoint& y) {
                      return x.frequency == y.frequency && x.gain == y.gain && x.phase == y.phase;
                    });
}

// Drops overlay `index`, keeping the reference on the trace it named.
void EraseOverlay(GraphPage& page, int index) {
  page.overlays.erase(page.overlays.begin() + index);
  if (page.referenceIndex == index) {
    page.referenceIndex = -1;
    page.showDifference = false;
  } else if (page.referenceIndex > index) {
    --page.referenceIndex;
  }
}

bool SameSpectrum(const ImpedanceSpectrum& a, const ImpedanceSpectrum& b) {
  return a.frequency == b.frequency && a.impedance == b.impedance;
}

// Puts `trace` in place of the model's overlay, or after the others.
void PlaceModelOverlay(GraphPage& page, OverlayTrace trace) {
  trace.isModel = true;
  const int at = ModelOverlayIndex(page);
  // A model fitted again stays where it was, so that a residual shown
  // against it stays one.
  if (at >= 0) {
    page.overlays[static_cast<size_t>(at)] = std::move(trace);
  } else {
    page.overlays.push_back(std::move(trace));
  }
}

}  // namespace

int ModelOverlayIndex(const GraphPage& page) {
  for (size_t i = 0; i < page.overlays.size(); ++i) {
    if (page.overlays[i].isModel) return static_cast<int>(i);
  }
  return -1;
}

std::string FitPageModel(GraphPage& page, const FitOptions& options,
                         const TextTranslator* translator) {
  std::vector<UsablePoint> points = PageUsablePoints(page);
  FitResult result = FitSweep(points, options);
  std::string message;
  ApplyPageModel(page, options, std::move(points), std::move(result), &message, translator);
  return message;
}

bool ApplyPageModel(GraphPage& page, const FitOptions& options, std::vector<UsablePoint> points,
                    FitResult result, std::string* message, const TextTranslator* translator) {
  if (!result.model) {
    if (message) *message = FitErrorMessage(result, translator);
    return false;
  }
  if (!SamePoints(PageUsablePoints(page), points)) return false;
  PlaceModelOverlay(page, ModelOverlay(*result.model, points, PageRatio(page.properties)));
  const int before = page.fit ? page.fit->referenceBeforeResidual : -1;
  page.fit = PageFit{options, std::move(*result.model), std::nullopt, std::move(points), before};
  return true;
}

std::string FitPageCircuit(GraphPage& page, std::shared_ptr<const Circuit> circuit,
                           const CircuitFitOptions& options) {
  std::optional<ImpedanceSpectrum> z = PageImpedance(page);
  if (!z) return "the page is not an impedance";
  CircuitFitResult result = FitCircuit(*circuit, z->frequency, z->impedance, options);
  std::string message;
  ApplyPageCircuit(page, std::move(circuit), options, std::move(*z), std::move(result), &message);
  return message;
}

bool ApplyPageCircuit(GraphPage& page, std::shared_ptr<const Circuit> circuit,
                      const CircuitFitOptions& options, ImpedanceSpectrum fitted,
                      CircuitFitResult result, std::string* message) {
  if (!result.ok()) {
    if (message) *message = result.error;
    return false;
  }
  const std::optional<ImpedanceSpectrum> now = PageImpedance(page);
  if (!now || !SameSpectrum(*now, fitted)) return false;
  CircuitModel model{std::move(circuit), options, std::move(result), std::move(fitted)};
  // A page that still holds the ratio it measured through its shunt makes
  // R·H of its overlays when it is shown: the circuit's Z is laid over as H.
  const double scale = UsesShunt(page) && !page.shuntShown ? page.properties.shuntOhms : 1.0;
  const ChannelRatio shown =
      HoldsImpedance(page) ? ChannelRatio::kCh1Ch2 : PageRatio(page.properties);
  PlaceModelOverlay(page, CircuitOverlay(model, model.fitted.frequency, scale, shown));
  const int before = page.fit ? page.fit->referenceBeforeResidual : -1;
  page.fit = PageFit{{}, {}, std::move(model), PageUsablePoints(page), before};
  return true;
}

std::complex<double> PageFitAt(const PageFit& fit, double frequency) {
  if (!fit.circuit) return EvaluateModel(fit.model, frequency);
  return fit.circuit->circuit->Impedance(2.0 * std::numbers::pi * frequency,
                                         fit.circuit->result.Values());
}

bool RemovePageModel(GraphPage& page) {
  if (!page.fit) return false;
  const bool residual = ShowsResidual(page);
  const int before = page.fit->referenceBeforeResidual;
  page.fit.reset();
  const int at = ModelOverlayIndex(page);
  if (at < 0) return true;
  // The earlier reference, counted before the model's overlay goes.
  const bool restore =
      residual && before >= 0 && before != at && before < static_cast<int>(page.overlays.size());
  EraseOverlay(page, at);
  if (restore) page.referenceIndex = before > at ? before - 1 : before;
  return true;
}

bool UpdatePageModel(GraphPage& page, std::string* dropped, const TextTranslator* translator) {
  const int at = ModelOverlayIndex(page);
  if (!page.fit) {
    // An overlay left from a model the page no longer has is stale.
    if (at < 0) return false;
    EraseOverlay(page, at);
    return true;
  }
  if (at < 0) {
    page.fit.reset();
    return true;
  }
  std::string message;
  if (const std::optional<CircuitModel>& c = page.fit->circuit) {
    const std::optional<ImpedanceSpectrum> z = PageImpedance(page);
    if (z && SameSpectrum(*z, c->fitted)) return false;
    const CircuitModel model = *c;
    message = z ? FitPageCircuit(page, model.circuit, model.options)
                : std::string("the page is not an impedance");
  } else {
    if (SamePoints(PageUsablePoints(page), page.fit->points)) return false;
    const FitOptions options = page.fit->options;
    message = FitPageModel(page, options, translator);
  }
  if (!message.empty()) {
    RemovePageModel(page);
    if (dropped) *dropped = std::move(message);
  }
  return true;
}

bool ShowsResidual(const GraphPage& page) {
  const int at = ModelOverlayIndex(page);
  return page.fit && at >= 0 && page.referenceIndex == at && InDifferenceMode(page);
}

bool ShowResidual(GraphPage& page, bool on) {
  const int at = ModelOverlayIndex(page);
  if (!page.fit || at < 0 || ShowsResidual(page) == on) return false;
  if (on) {
    page.fit->referenceBeforeResidual = page.referenceIndex;
    page.referenceIndex = at;
    page.showDifference = true;
  } else {
    const int before = page.fit->referenceBeforeResidual;
    page.referenceIndex =
        before >= 0 && before < static_cast<int>(page.overlays.size()) && before != at ? before
                                                                                       : -1;
    page.showDifference = false;
    page.fit->referenceBeforeResidual = -1;
  }
  return true;
}

}  // namespace fernplot
