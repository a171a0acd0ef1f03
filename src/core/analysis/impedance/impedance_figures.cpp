// SPDX-License-Identifier: MIT
#include "analysis/impedance/impedance_figures.h"

#include <cmath>
#include <cstdio>

#include "analysis/figures_text.h"
#include "analysis/summary_table.h"
#include "text/json_string.h"

namespace fernplot {

ImpedanceFigures FiguresOfImpedance(const ImpedanceSpectrum& s) {
  ImpedanceFigures fig;
  const size_t n = s.frequency.size();
  fig.points = n;
  for (size_t i = 0; i < n; ++i) {
    const double ohms = std::abs(s.impedance[i]);
    if (!fig.minimum || ohms < fig.minimum->ohms) fig.minimum = ImpedancePoint{s.frequency[i], ohms};
    if (!fig.maximum || ohms > fig.maximum->ohms) fig.maximum = ImpedancePoint{s.frequency[i], ohms};
  }
  for (size_t i = 1; i < n; ++i) {
    const std::complex<double> a = s.impedance[i - 1], b = s.impedance[i];
    const double fa = s.frequency[i - 1], fb = s.frequency[i];
    // θ crosses 0 where Im Z changes sign on the right half-plane.
    const bool crosses = (a.imag() < 0.0) != (b.imag() < 0.0) && a.real() > 0.0 && b.real() > 0.0;
    if (crosses) {
      // tan θ = X/R runs nearly straight through a resonance where θ
      // itself bends: the crossing and the slope are read off it. At θ = 0
      // |Z| is Re Z.
      const double ta = a.imag() / a.real(), tb = b.imag() / b.real();
      const double t = ta / (ta - tb);
      const double f0 = std::exp(std::log(fa) + t * std::log(fb / fa));
      const double ohms = a.real() + t * (b.real() - a.real());
      const double q = f0 / 2.0 * std::fabs((tb - ta) / (fb - fa));
      fig.resonances.push_back({f0, ohms, q});
    }
  }
  // The high-frequency intercept: the last crossing of Im Z = 0, the real
  // part there straight between the two points.
  for (size_t i = n; i-- > 1;) {
    const std::complex<double> a = s.impedance[i - 1], b = s.impedance[i];
    if ((a.imag() < 0.0) == (b.imag() < 0.0) || a.imag() == b.imag()) continue;
    const double t = a.imag() / (a.imag() - b.imag());
    fig.seriesResistance = a.real() + t * (b.real() - a.real());
    break;
  }
  // A spectrum that ends on the real axis without crossing it (the
  // ohmic step of a cell measured up to where its arcs have closed) has its
  // intercept at its highest frequency.
  if (!fig.seriesResistance && n > 0) {
    const std::complex<double> last = s.impedance[n - 1];
    if (last.real() > 0.0 && std::fabs(last.imag()) <= 0.01 * std::abs(last)) {
      fig.seriesResistance = last.real();
    }
  }
  return fig;
}

namespace {

std::string Number(double v) {
  return std::isfinite(v) ? FullPrecision(v) : "null";
}

std::string PointJson(const std::optional<ImpedancePoint>& p) {
  if (!p) return "null";
  return "{\"frequencyHz\":" + Number(p->frequency) + ",\"ohms\":" + Number(p->ohms) + "}";
}

}  // namespace

std::string ImpedanceFiguresJson(std::string_view fileName, const ImpedanceFigures& fig) {
  std::string out = "{\n\"file\":" + JsonString(fileName) + "\n,\"quantity\":\"impedance\"\n";
  out += ",\"points\":" + std::to_string(fig.points) + "\n";
  out += ",\"impedanceMinimum\":" + PointJson(fig.minimum) + "\n";
  out += ",\"impedanceMaximum\":" + PointJson(fig.maximum) + "\n";
  out += ",\"resonances\":[";
  for (size_t i = 0; i < fig.resonances.size(); ++i) {
    const ImpedanceResonance& r = fig.resonances[i];
    out += (i ? "," : "") + std::string("{\"frequencyHz\":") + Number(r.frequency) +
           ",\"ohms\":" + Number(r.ohms) + ",\"q\":" + Number(r.q) + "}";
  }
  out += "]\n,\"seriesResistanceOhm\":" +
         (fig.seriesResistance ? Number(*fig.seriesResistance) : std::string("null")) + "\n}\n";
  return out;
}

std::string ImpedanceSummaryLine(std::string_view fileName, const ImpedanceFigures& fig) {
  const auto ohms = [](double v) { return ThreeDigits(v, "\u03A9"); };
  std::string line(fileName);
  if (fig.minimum && fig.maximum) {
    line += "  |Z| " + ohms(fig.minimum->ohms) + " @ " + ThreeDigits(fig.minimum->frequency, "Hz") +
            " \u2026 " + ohms(fig.maximum->ohms) + " @ " +
            ThreeDigits(fig.maximum->frequency, "Hz");
  }
  if (fig.seriesResistance) line += "  Rs " + ohms(*fig.seriesResistance);
  for (const ImpedanceResonance& r : fig.resonances) {
    line += "  f0 " + ThreeDigits(r.frequency, "Hz") + " Q " + ThreeDigits(r.q);
  }
  return line;
}

std::string ImpedancePanelText(std::string_view fileName, const ImpedanceFigures& fig,
                               const TextTranslator* translator) {
  const auto word = [&](const char* source) { return Translate(translator, "Figures", source); };
  const std::string none = word(FERNPLOT_TEXT("Figures", "なし"));
  const auto ohms = [](double v) { return ThreeDigits(v, "\u03A9"); };
  const auto at = [&](const std::optional<ImpedancePoint>& p) {
    return p ? ohms(p->ohms) + " @ " + ThreeDigits(p->frequency, "Hz") : none;
  };
  std::string text = std::string(fileName) + "\n";
  text += word(FERNPLOT_TEXT("Figures", "点数")) + "  " + std::to_string(fig.points) + "\n";
  text += "|Z| " + word(FERNPLOT_TEXT("Figures", "最小")) + "  " + at(fig.minimum) + "\n";
  text += "|Z| " + word(FERNPLOT_TEXT("Figures", "最大")) + "  " + at(fig.maximum) + "\n";
  if (fig.resonances.empty()) {
    text += word(FERNPLOT_TEXT("Figures", "共振")) + "  " + none + "\n";
  }
  for (const ImpedanceResonance& r : fig.resonances) {
    text += word(FERNPLOT_TEXT("Figures", "共振")) + "  " + ThreeDigits(r.frequency, "Hz") + "  " +
            ohms(r.ohms) + "  Q " + ThreeDigits(r.q) + "\n";
  }
  text += word(FERNPLOT_TEXT("Figures", "直列抵抗")) + "  " +
          (fig.seriesResistance ? ohms(*fig.seriesResistance) : none) + "\n";
  return text;
}

std::string KkSummaryLine(const KkResult& result) {
  char mu[32];
  std::snprintf(mu, sizeof mu, "%.2f", result.mu);
  return "Kramers\u2013Kronig: M = " + std::to_string(result.m) + ", \u03BC = " + mu +
         ", residuals within " + ThreeDigits(100.0 * result.maxResidual) + " %";
}

}  // namespace fernplot
