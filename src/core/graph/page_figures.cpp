// SPDX-License-Identifier: MIT
#include "graph/page_figures.h"

#include <cmath>

#include "analysis/loop.h"
#include "graph/page_impedance.h"

namespace fernplot {

ChannelRatio PageRatio(const GraphProperties& props) {
  return props.calcType;
}

MarginReference PageMarginReference(const GraphProperties& props) {
  return props.marginReferenceZero ? MarginReference::kZero : MarginReference::kMinus180;
}

std::vector<UsablePoint> PageUsablePoints(const GraphPage& page) {
  return UsablePoints(RatioPoints(page.data, PageRatio(page.properties)));
}

SweepFigures PageFigures(const GraphPage& page) {
  return ComputeFigures(PageUsablePoints(page), PageMarginReference(page.properties));
}

void ShowLoopCurve(GraphPage& page) {
  const LoopCurve curve = page.properties.loopCurve;
  if (curve == LoopCurve::kOpen || page.loopCurveShown) return;
  page.loopCurveShown = true;
  ApplyLoopCurve(curve, page.data);
  for (OverlayTrace& overlay : page.overlays) ApplyLoopCurve(curve, overlay.data);
  const std::string prefix(LoopCurveCaptionPrefix(curve));
  page.properties.VL.caption = prefix + page.properties.VL.caption;
  page.properties.VR.caption = prefix + page.properties.VR.caption;
}

void ShowShuntImpedance(GraphPage& page) {
  if (!UsesShunt(page) || page.shuntShown) return;
  page.shuntShown = true;
  const double db = 20.0 * std::log10(page.properties.shuntOhms);
  const auto raise = [db](MeasurementData& d) {
    if (!d.points) return;
    for (DataPoint& p : *d.points) {
      p.gainCh1Ch2 = static_cast<float>(p.gainCh1Ch2 + db);
      p.gainCh2Ch1 = static_cast<float>(p.gainCh2Ch1 + db);
    }
  };
  raise(page.data);
  for (OverlayTrace& overlay : page.overlays) raise(overlay.data);
}

const GraphPage& ShownPage(const GraphPage& page, std::unique_ptr<GraphPage>& holder) {
  const bool loop = page.properties.loopCurve != LoopCurve::kOpen && !page.loopCurveShown;
  const bool shunt = UsesShunt(page) && !page.shuntShown;
  if (!loop && !shunt) return page;
  holder = std::make_unique<GraphPage>(page);
  if (loop) {
    ShowLoopCurve(*holder);
  } else {
    ShowShuntImpedance(*holder);
  }
  return *holder;
}

}  // namespace fernplot
