// SPDX-License-Identifier: MIT
#include "trace_list.h"

#include "graph/overlays.h"
#include "graph/pages.h"
#include "qt_convert.h"

namespace fernplot {

TraceList TraceListOf(const GraphPage& page) {
  TraceList list;
  list.page = {QStringFromUtf8(page.fileName), ToQColor(page.properties.gainLineColor)};
  const std::vector<Colour> colours = OverlayColours(page.properties, page.overlays.size());
  for (size_t i = 0; i < page.overlays.size(); ++i) {
    list.overlays.push_back({QStringFromUtf8(page.overlays[i].fileName), ToQColor(colours[i])});
  }
  list.reference = page.referenceIndex;
  return list;
}

bool ApplyTraceEdit(GraphPage& page, const TraceListEdit& edit) {
  std::vector<OverlayTrace> kept;
  int reference = -1;
  bool same = edit.kept.size() == page.overlays.size();
  std::vector<bool> taken(page.overlays.size(), false);
  for (size_t i = 0; i < edit.kept.size(); ++i) {
    const size_t from = edit.kept[i];
    // Not an edit of this page's list.
    if (from >= page.overlays.size() || taken[from]) return false;
    taken[from] = true;
    if (from != i) same = false;
    if (static_cast<int>(from) == edit.reference) reference = static_cast<int>(i);
  }
  const bool showDifference = page.showDifference && reference >= 0;
  if (same && reference == page.referenceIndex && showDifference == page.showDifference) {
    return false;
  }
  kept.reserve(edit.kept.size());
  for (size_t from : edit.kept) kept.push_back(std::move(page.overlays[from]));
  page.overlays = std::move(kept);
  page.referenceIndex = reference;
  page.showDifference = showDifference;
  return true;
}

}  // namespace fernplot
