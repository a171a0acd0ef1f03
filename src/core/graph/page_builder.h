#pragma once
// The single entry point that creates, rebuilds, closes and releases pages.

namespace fernplot {

struct AppState;

enum UpdateMode : int { kOpenSelected = 0, kRebuildCurrent = 1, kCloseCurrent = 2, kReleaseAll = 3 };

// Does nothing until state.drawingActive is set. The drawing's measurer must
// be set before pages are built.
void UpdatePages(AppState& state, int mode);

}  // namespace fernplot
