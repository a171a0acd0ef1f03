// SPDX-License-Identifier: MIT
#include "graph/page_figures.h"

#include "analysis/loop.h"

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

const GraphPage& ShownPage(const GraphPage& page, std::unique_ptr<GraphPage>& holder) {
  if (page.properties.loopCurve == LoopCurve::kOpen || page.loopCurveShown) return page;
  holder = std::make_unique<GraphPage>(page);
  ShowLoopCurve(*holder);
  return *holder;
}

}  // namespace fernplot
