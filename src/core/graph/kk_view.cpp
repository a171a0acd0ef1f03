// SPDX-License-Identifier: MIT
#include "graph/kk_view.h"

#include <algorithm>
#include <array>
#include <cmath>
#include <numbers>

#include "analysis/impedance/impedance_figures.h"
#include "graph/axes.h"
#include "graph/bode_stages.h"
#include "graph/info_items.h"
#include "graph/layout.h"
#include "graph/overlays.h"
#include "graph/page_figures.h"
#include "graph/page_impedance.h"

namespace fernplot {

namespace {

constexpr double kBandPercent = 1.0;
constexpr const char* kRealCaption = "Re RESIDUAL [%]";
constexpr const char* kImaginaryCaption = "Im RESIDUAL [%]";

// The complex response the test reads: Z in ohms, or H of a ratio page.
ImpedanceSpectrum TestedResponse(const GraphPage& page) {
  if (std::optional<ImpedanceSpectrum> z = PageImpedance(page)) return std::move(*z);
  ImpedanceSpectrum s;
  for (const UsablePoint& p : PageUsablePoints(page)) {
    s.frequency.push_back(p.frequency);
    s.impedance.push_back(
        std::polar(std::pow(10.0, p.gain / 20.0), p.phase * (std::numbers::pi / 180.0)));
  }
  return s;
}

// The smallest of 2, 5, 10, 20, 50 … % that leaves a tenth of the frame
// above the largest residual.
double AxisLimitPercent(double largest) {
  const double need = 1.1 * largest;
  for (double decade = 1.0;; decade *= 10.0) {
    for (double m : {2.0, 5.0, 10.0}) {
      if (m * decade >= need || !std::isfinite(need) || decade > 1e12) return m * decade;
    }
  }
}

void UseSymmetricRange(AxisSettings& axis, double limit, const char* caption) {
  axis.scaleType = ScaleType::kAuto;
  axis.useDataMin = 0;
  axis.useDataMax = 0;
  axis.rangeMin = -limit;
  axis.rangeMax = limit;
  axis.autoDivision = 1;
  axis.interval = 0.0;
  axis.caption = caption;
}

// The ±1 % lines across the frame.
void DrawKkBand(const BodeStages& b, DrawingDocument& d) {
  const PageLayout& L = b.geometry();
  const FrameRect& f = L.frame;
  const int pen = d.FindOrAddPen(1, 1, Rgb(96, 96, 96), 1, 2, Rgb(96, 96, 96));
  for (double v : {kBandPercent, -kBandPercent}) {
    const double y = L.gain.ToMm(v);
    if (std::isfinite(y) && y >= f.top && y <= f.bottom)
      d.AddPolyline(pen, {f.left, f.right}, {y, y});
  }
}

constexpr std::array<BodeLayer, 9> kKkLayers = {
    DrawPageOutline, DrawCreditLine, DrawFrameAndTitle, DrawAxes,      DrawFrameOutline,
    DrawKkBand,      DrawPageCurves, DrawLegend,        DrawInfoTexts,
};

class KkPlan final : public PlannedPage {
 public:
  KkPlan(std::unique_ptr<GraphPage> page, DrawingDocument& drawing,
         std::span<const CurveGrid> grids)
      : page_(std::move(page)), stages_(Stages(*page_, drawing, grids)) {}
  const PageLayout& Layout() const override { return stages_.layout.page; }
  void Draw(DrawingDocument& drawing) const override {
    for (BodeLayer layer : kKkLayers) layer(stages_, drawing);
  }

 private:
  static BodeStages Stages(const GraphPage& page, DrawingDocument& drawing,
                           std::span<const CurveGrid> grids) {
    TraceSet traces = CollectTraces(page);
    const DataRange ranges = TraceRanges(page, traces);
    const PageText text(drawing, page.properties, ResolvePageFonts(drawing, page.properties));
    BodeLayout layout = LayoutBodePage(page, text, ranges);
    return BodeStages{page, text, std::move(traces), ranges, std::move(layout), grids};
  }

  std::unique_ptr<GraphPage> page_;  // the stages read it
  BodeStages stages_;
};

class KramersKronig final : public PageView {
 public:
  std::unique_ptr<PlannedPage> Plan(const GraphPage& page, DrawingDocument& drawing,
                                    std::span<const CurveGrid> grids) const override {
    return std::make_unique<KkPlan>(MakeKkResidualPage(page).page, drawing, grids);
  }
};

}  // namespace

KkResult PageKramersKronig(const GraphPage& page) {
  const ImpedanceSpectrum s = TestedResponse(page);
  KkOptions options;
  options.capacitance = !s.impedance.empty() && s.impedance.front().imag() < 0.0;
  return KramersKronigTest(s.frequency, s.impedance, options);
}

KkResidualPage MakeKkResidualPage(const GraphPage& page) {
  KkResidualPage out;
  out.result = PageKramersKronig(page);
  auto residuals = std::make_unique<GraphPage>();
  GraphPage& r = *residuals;
  r.properties = page.properties;
  r.facts = page.facts;
  r.fileName = page.fileName;
  r.sourcePath = page.sourcePath;
  r.data = page.data;
  // Its points are percentages of a ratio, not an impedance in ohms.
  if (r.data.imported) r.data.imported->sweep.reset();
  GraphProperties& p = r.properties;
  p.view = ViewKind::kBode;
  p.calcType = ChannelRatio::kCh1Ch2;
  p.rightAxis = kRightPhase;
  p.loopCurve = LoopCurve::kOpen;
  p.shuntOhms = 0.0;
  r.data.points.emplace();
  const KkResult& k = out.result;
  double largest = 0.0;
  if (k.ok()) {
    r.data.points->reserve(k.frequency.size());
    // The record holds a sweep from its highest frequency down.
    for (size_t i = k.frequency.size(); i-- > 0;) {
      const auto re = static_cast<float>(100.0 * k.residualsReal[i]);
      const auto im = static_cast<float>(100.0 * k.residualsImag[i]);
      r.data.points->push_back({k.frequency[i], re, -re, im, -im});
    }
    largest = 100.0 * k.maxResidual;
    p.title = KkSummaryLine(k);
  }
  r.data.pointCount = static_cast<uint16_t>(std::min<size_t>(r.data.points->size(), 65535));
  const double limit = AxisLimitPercent(largest);
  UseSymmetricRange(p.VL, limit, kRealCaption);
  UseSymmetricRange(p.VR, limit, kImaginaryCaption);
  // One scale, read alike on either side.
  p.VR.tight = p.VL.tight;
  out.page = std::move(residuals);
  return out;
}

const PageView& KramersKronigView() {
  static const KramersKronig view;
  return view;
}

}  // namespace fernplot
