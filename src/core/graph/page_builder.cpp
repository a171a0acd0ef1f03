#include "graph/page_builder.h"

#include "app_state.h"
#include "datafile/reader.h"
#include "graph/page_build.h"

namespace fernplot {

namespace {

// Builds a page whose sheet is appended as the last one.
void BuildAppended(AppState& state, GraphPage& page) {
  PageBuilder builder(state.drawing, page);
  builder.Prepare();
  state.drawing.AddSheet(builder.SheetWidthMm(), builder.SheetHeightMm());
  builder.Finish();
}

void OpenSelected(AppState& state) {
  for (DataFileEntry& entry : state.dataFiles) {
    if (!(entry.flags & kEntrySelected)) continue;
    entry.flags &= ~kEntrySelected;  // also when the file then fails to read
    std::optional<MeasurementData> data = ReadDataFileForPage(entry.fullPath);
    if (!data) continue;
    OpenPage(state, std::move(*data), PageFileName(entry.fileName));
  }
  // The page made last stays on screen; without any, the first sheet.
  const int current = state.drawing.CurrentNumber();
  state.drawing.SelectSheet(current > 0 ? current : 1);
}

void RebuildCurrent(AppState& state) {
  DrawingDocument& drawing = state.drawing;
  const int k = drawing.CurrentNumber();
  GraphPage* page = PageForSheet(state.pages, k);
  if (!page) return;
  PageBuilder builder(drawing, *page);
  builder.Prepare();
  drawing.RemoveCurrentSheet();
  if (k <= drawing.SheetCount()) {
    drawing.SelectSheet(k);
    drawing.InsertSheet(builder.SheetWidthMm(), builder.SheetHeightMm());
  } else {
    drawing.AddSheet(builder.SheetWidthMm(), builder.SheetHeightMm());
  }
  builder.Finish();
  drawing.SelectSheet(k);
}

void CloseCurrent(AppState& state) {
  const int k = state.drawing.CurrentNumber();
  if (!PageForSheet(state.pages, k)) return;
  state.pages.erase(state.pages.begin() + (k - 1));
  state.drawing.RemoveCurrentSheet();
}

void ReleaseAll(AppState& state) {
  state.pages.clear();
  state.drawing.ClearAll();
}

}  // namespace

std::string_view PageFileName(std::string_view path) {
  const size_t slash = path.find_last_of("/\\");
  if (slash != std::string_view::npos) path.remove_prefix(slash + 1);
  const size_t dot = path.rfind('.');
  if (dot != std::string_view::npos) path = path.substr(0, dot);
  return path;
}

GraphPage* OpenPage(AppState& state, MeasurementData data, std::string_view fileName) {
  if (!state.drawingActive) return nullptr;
  auto page = std::make_unique<GraphPage>();
  page->fileName = std::string(fileName);
  page->properties = state.defaults;
  page->properties.dataTitle = data.dataTitle;
  page->properties.isCalculatedData = data.dataType == 1 ? 1 : 0;
  page->data = std::move(data);
  state.pages.push_back(std::move(page));
  GraphPage& built = *state.pages.back();
  BuildAppended(state, built);
  return &built;
}

void UpdatePages(AppState& state, int mode) {
  if (!state.drawingActive) return;
  switch (mode) {
    case kOpenSelected:
      OpenSelected(state);
      break;
    case kRebuildCurrent:
      RebuildCurrent(state);
      break;
    case kCloseCurrent:
      CloseCurrent(state);
      break;
    case kReleaseAll:
      ReleaseAll(state);
      break;
    default:
      break;
  }
}

}  // namespace fernplot
