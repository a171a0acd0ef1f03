// SPDX-License-Identifier: MIT
#include "graph/trace_reader.h"

#include <memory>

#include "graph/overlays.h"
#include "graph/page_figures.h"

namespace fernplot {

TraceReader::TraceReader(const GraphPage& held) {
  // The values of the curve drawn: T or S when the page shows one of those.
  std::unique_ptr<GraphPage> holder;
  const GraphPage& page = ShownPage(held, holder);
  const ChannelRatio ratio = page.properties.calcType;
  traces_.push_back({page.fileName, UsablePoints(RatioPoints(page.data, ratio))});
  for (const OverlayTrace& t : page.overlays) {
    traces_.push_back({t.fileName, UsablePoints(RatioPoints(t.data, ratio))});
  }
  if (InDifferenceMode(page)) {
    reference_ = traces_[static_cast<size_t>(page.referenceIndex) + 1].points;
  }
}

std::vector<TraceValue> TraceReader::At(double frequency) const {
  std::optional<CurveReading> ref;
  if (reference_) ref = InterpolateAt(*reference_, frequency);
  std::vector<TraceValue> out;
  out.reserve(traces_.size());
  for (const Curve& c : traces_) {
    TraceValue v{c.name, std::nullopt, std::nullopt, std::nullopt};
    const std::optional<CurveReading> r = InterpolateAt(c.points, frequency);
    if (r && !reference_) {
      v.gain = r->gain;
      v.phase = r->phase;
      v.unwrapped = r->unwrapped;
    } else if (r && ref) {
      v.gain = r->gain - ref->gain;
      v.unwrapped = r->unwrapped - ref->unwrapped;
      v.phase = WrapDegrees(*v.unwrapped);
    }
    out.push_back(std::move(v));
  }
  return out;
}

}  // namespace fernplot
