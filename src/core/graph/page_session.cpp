// SPDX-License-Identifier: MIT
#include "graph/page_session.h"

#include <memory>

#include "datafile/reader.h"
#include "graph/page_view.h"

namespace fernplot {

std::string_view PageFileName(std::string_view path) {
  const size_t slash = path.find_last_of("/\\");
  if (slash != std::string_view::npos) path.remove_prefix(slash + 1);
  const size_t dot = path.rfind('.');
  if (dot != std::string_view::npos) path = path.substr(0, dot);
  return path;
}

SheetPixels DefaultSheetPixels(const GraphProperties& defaults, TextMeasurer* measurer) {
  DrawingDocument scratch;
  scratch.SetMeasurer(measurer);
  std::unique_ptr<GraphPage> page = PageSession::MakePage(defaults, MeasurementData{}, {});
  const PageLayout layout = BodeView().Plan(*page, scratch, {})->Layout();
  scratch.AddSheet(layout.SheetWidthMm(), layout.SheetHeightMm());
  return {scratch.CurrentWidth(), scratch.CurrentHeight()};
}

std::unique_ptr<GraphPage> PageSession::MakePage(const GraphProperties& defaults,
                                                 MeasurementData data, std::string_view fileName) {
  auto page = std::make_unique<GraphPage>();
  page->fileName = std::string(fileName);
  page->properties = defaults;
  page->properties.dataTitle = data.dataTitle;
  page->properties.isCalculatedData = data.dataType == 1 ? 1 : 0;
  page->data = std::move(data);
  return page;
}

GraphPage* PageSession::OpenPage(const GraphProperties& defaults, MeasurementData data,
                                 std::string_view fileName) {
  if (!drawingActive) return nullptr;
  return AddPage(MakePage(defaults, std::move(data), fileName));
}

GraphPage* PageSession::AddPage(std::unique_ptr<GraphPage> page) {
  if (!drawingActive || !page) return nullptr;
  pages.push_back(std::move(page));
  GraphPage& built = *pages.back();
  // The new sheet is appended as the last one.
  BuildPage(BodeView(), built, drawing, curveGrids);
  return &built;
}

void PageSession::OpenSelected(const GraphProperties& defaults, DataFileList& files,
                               const std::function<bool(size_t done)>& proceed) {
  if (!drawingActive) return;
  size_t done = 0;
  bool stopped = false;
  for (DataFileEntry& entry : files) {
    if (!(entry.flags & kEntrySelected)) continue;
    entry.flags &= ~kEntrySelected;  // also when the file then fails to read
    if (stopped || (proceed && !proceed(done++))) {
      stopped = true;
      continue;
    }
    std::optional<MeasurementData> data = ReadDataFileForPage(entry.fullPath);
    if (!data) continue;
    if (GraphPage* page = OpenPage(defaults, std::move(*data), PageFileName(entry.fileName))) {
      page->sourcePath = entry.fullPath;
    }
  }
  // The page made last stays on screen; without any, the first sheet.
  const int current = drawing.CurrentNumber();
  drawing.SelectSheet(current > 0 ? current : 1);
}

void PageSession::RebuildCurrent() {
  if (!drawingActive) return;
  const int k = drawing.CurrentNumber();
  GraphPage* page = PageForSheet(pages, k);
  if (!page) return;
  BuildPage(BodeView(), *page, drawing, curveGrids, SheetPlace{k});
}

void PageSession::CloseCurrent() {
  if (!drawingActive) return;
  const int k = drawing.CurrentNumber();
  if (!PageForSheet(pages, k)) return;
  pages.erase(pages.begin() + (k - 1));
  drawing.RemoveCurrentSheet();
}

void PageSession::ReleaseAll() {
  if (!drawingActive) return;
  pages.clear();
  drawing.ClearAll();
}

GraphPage* PageSession::CurrentPage() {
  return drawingActive ? PageForSheet(pages, drawing.CurrentNumber()) : nullptr;
}

const GraphPage* PageSession::CurrentPage() const {
  const int k = drawing.CurrentNumber();
  if (!drawingActive || k < 1 || static_cast<size_t>(k) > pages.size()) return nullptr;
  return pages[static_cast<size_t>(k - 1)].get();
}

}  // namespace fernplot
