// SPDX-License-Identifier: MIT
#include "graph/page_figures.h"

namespace fernplot {

ChannelRatio PageRatio(const GraphProperties& props) {
  return props.calcType == 0 ? ChannelRatio::kCh1Ch2 : ChannelRatio::kCh2Ch1;
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

}  // namespace fernplot
