// SPDX-License-Identifier: MIT
#pragma once
// A page's traces as the trace list dialog shows and edits them.

#include <QColor>
#include <QString>
#include <cstddef>
#include <vector>

namespace fernplot {

struct GraphPage;

struct TraceListItem {
  QString name;
  QColor colour;  // the gain curve's
};

struct TraceList {
  TraceListItem page;
  std::vector<TraceListItem> overlays;
  int reference = -1;  // index into overlays; -1 for none
};

// What the user left: the overlays kept (indices into TraceList::overlays,
// in drawing order) and the reference among them.
struct TraceListEdit {
  std::vector<size_t> kept;
  int reference = -1;  // index into TraceList::overlays; -1 for none
};

TraceList TraceListOf(const GraphPage& page);

// Removes, reorders and picks the reference as `edit` says; false when
// nothing changed. Without a reference left the page stops showing
// differences.
bool ApplyTraceEdit(GraphPage& page, const TraceListEdit& edit);

}  // namespace fernplot
