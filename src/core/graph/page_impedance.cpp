// SPDX-License-Identifier: MIT
#include "graph/page_impedance.h"

#include <algorithm>
#include <numeric>
#include <numbers>
#include <cmath>

#include "graph/overlays.h"
#include "graph/page_figures.h"

namespace fernplot {

bool HoldsImpedance(const GraphPage& page) {
  const std::optional<ImportedSource>& source = page.data.imported;
  return source && source->sweep && source->sweep->quantity == SweepQuantity::kImpedance;
}

bool UsesShunt(const GraphPage& page) {
  return IsShuntOhms(page.properties.shuntOhms) && !HoldsImpedance(page) &&
         page.properties.loopCurve == LoopCurve::kOpen;
}

bool IsImpedancePage(const GraphPage& page) {
  return HoldsImpedance(page) || UsesShunt(page);
}

bool ShowsOhms(const GraphPage& page) {
  if (InDifferenceMode(page) || page.loopCurveShown ||
      page.properties.loopCurve != LoopCurve::kOpen) {
    return false;
  }
  // A file's impedance is read as CH1/CH2 (CH2/CH1 is its inverse); a
  // shunt makes Z of whichever ratio the page shows.
  return UsesShunt(page) ||
         (HoldsImpedance(page) && page.properties.calcType == ChannelRatio::kCh1Ch2);
}

namespace {

// R·H at each usable point of the ratio the page shows, in double from the
// file's float values; a page already showing it is read as it stands.
ComplexSweep ShuntSweep(const GraphPage& page) {
  ComplexSweep sweep;
  sweep.quantity = SweepQuantity::kImpedance;
  const double r = page.shuntShown ? 1.0 : page.properties.shuntOhms;
  for (const UsablePoint& p : PageUsablePoints(page)) {
    sweep.frequency.push_back(p.frequency);
    sweep.response.push_back(r * std::polar(std::pow(10.0, p.gain / 20.0),
                                            p.phase * (std::numbers::pi / 180.0)));
  }
  return sweep;
}

}  // namespace

std::optional<std::complex<double>> ImpedanceAt(const ImpedanceSpectrum& spectrum,
                                                double frequency) {
  const std::vector<double>& f = spectrum.frequency;
  if (f.empty() || !(frequency >= f.front()) || !(frequency <= f.back())) return std::nullopt;
  const auto above = std::lower_bound(f.begin(), f.end(), frequency);
  const size_t k = static_cast<size_t>(above - f.begin());
  if (f[k] == frequency || k == 0) return spectrum.impedance[k];
  // The real part straight in log f, the imaginary part as a power of f
  // where it keeps its sign: a resistance in series with a capacitor or a
  // coil (a part with its ESR) is then exact between its points.
  const double t = std::log(frequency / f[k - 1]) / std::log(f[k] / f[k - 1]);
  const std::complex<double> a = spectrum.impedance[k - 1], b = spectrum.impedance[k];
  const double re = a.real() + t * (b.real() - a.real());
  const bool power = (a.imag() > 0.0 && b.imag() > 0.0) || (a.imag() < 0.0 && b.imag() < 0.0);
  const double im = power ? std::copysign(std::exp(std::log(std::fabs(a.imag())) +
                                                   t * std::log(b.imag() / a.imag())),
                                          a.imag())
                          : a.imag() + t * (b.imag() - a.imag());
  return std::complex<double>(re, im);
}

std::optional<ImpedanceSpectrum> PageImpedance(const GraphPage& page) {
  if (!IsImpedancePage(page)) return std::nullopt;
  ComplexSweep shunt;
  if (!HoldsImpedance(page)) shunt = ShuntSweep(page);
  const ComplexSweep& sweep = HoldsImpedance(page) ? *page.data.imported->sweep : shunt;
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
