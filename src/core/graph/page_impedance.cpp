// SPDX-License-Identifier: MIT
#include "graph/page_impedance.h"

#include <algorithm>
#include <numeric>

#include "graph/overlays.h"

namespace fernplot {

bool IsImpedancePage(const GraphPage& page) {
  const std::optional<ImportedSource>& source = page.data.imported;
  return source && source->sweep && source->sweep->quantity == SweepQuantity::kImpedance;
}

bool ShowsOhms(const GraphPage& page) {
  return IsImpedancePage(page) && !InDifferenceMode(page) &&
         page.properties.calcType == ChannelRatio::kCh1Ch2 && !page.loopCurveShown &&
         page.properties.loopCurve == LoopCurve::kOpen;
}

std::optional<ImpedanceSpectrum> PageImpedance(const GraphPage& page) {
  if (!IsImpedancePage(page)) return std::nullopt;
  const ComplexSweep& sweep = *page.data.imported->sweep;
  std::vector<size_t> order(sweep.frequency.size());
  std::iota(order.begin(), order.end(), size_t{0});
  std::stable_sort(order.begin(), order.end(),
                   [&](size_t a, size_t b) { return sweep.frequency[a] < sweep.frequency[b]; });
  ImpedanceSpectrum spectrum;
  for (const size_t i : order) {
    if (!spectrum.frequency.empty() && spectrum.frequency.back() == sweep.frequency[i]) continue;
    spectrum.frequency.push_back(sweep.frequency[i]);
    spectrum.impedance.push_back(sweep.response[i]);
  }
  return spectrum;
}

}  // namespace fernplot
