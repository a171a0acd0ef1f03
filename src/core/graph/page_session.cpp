// SPDX-License-Identifier: MIT
#include "graph/page_session.h"

#include <cstdlib>
#include <memory>
#include <utility>

#include "datafile/reader.h"
#include "graph/overlays.h"
#include "graph/page_model.h"
#include "graph/page_view.h"
#include "graph/production_marks.h"

namespace fernplot {

std::string_view PageFileName(std::string_view path) {
  // Only '/' separates: a backslash is part of a Linux file name.
  const size_t slash = path.rfind('/');
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
  page->facts.dataTitle = data.dataTitle;
  page->facts.calculated = data.dataType == 1;
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
  if (figureMarksOnNewPages) page->showFigureMarks = true;
  if (mask_) MarkMask(*page, mask_);
  ForgetLot();
  pages.push_back(std::move(page));
  GraphPage& built = *pages.back();
  // The new sheet is appended as the last one.
  BuildShownPage(built, drawing, curveGrids);
  // Only the sheet that the new one pushed out of reach is let go: opening
  // many files stays linear.
  drawing.ReleaseSheet(drawing.CurrentNumber() - keptNeighbours - 1);
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
  ShowSheet(current > 0 ? current : 1);
}

void PageSession::RebuildCurrent() {
  if (!drawingActive) return;
  const int k = drawing.CurrentNumber();
  GraphPage* page = PageForSheet(pages, k);
  if (!page) return;
  BuildShownPage(*page, drawing, curveGrids, SheetPlace{k});
}

bool PageSession::CloseCurrent() {
  if (!drawingActive) return false;
  const int k = drawing.CurrentNumber();
  if (!PageForSheet(pages, k)) return false;
  ForgetLot(pages[static_cast<size_t>(k - 1)].get());
  pages.erase(pages.begin() + (k - 1));
  drawing.RemoveCurrentSheet();
  if (pages.empty()) lotShown_ = false;
  if (drawing.CurrentNumber() > 0) ShowSheet(drawing.CurrentNumber());
  Announce();
  return true;
}

bool PageSession::CloseAll() {
  if (!drawingActive || pages.empty()) return false;
  ReleaseAll();
  // Nothing is left to take the statistics of.
  lotShown_ = false;
  Announce();
  return true;
}

void PageSession::EndOpening(int sheetsBefore) {
  if (!drawingActive) return;
  // The first of the pages just opened is the one to look at, not the last.
  if (drawing.SheetCount() > sheetsBefore) ShowSheet(sheetsBefore + 1);
  Announce();
}

bool PageSession::ShowSheet(int n) {
  if (!drawingActive || n < 1 || n > drawing.SheetCount()) return false;
  drawing.SelectSheet(n);
  if (lotShown_) {
    // The lot is read on the frequencies of the page on screen.
    PlaceLotBands();
    RebuildCurrent();
  } else {
    DrawIfReleased(n);
  }
  ReleaseFarSheets(0);
  return true;
}

bool PageSession::ShowPrevious() {
  return ShowSheet(drawing.CurrentNumber() - 1);
}

bool PageSession::ShowNext() {
  const int k = drawing.CurrentNumber();
  return k >= 1 && ShowSheet(k + 1);
}

const DrawingSheet* PageSession::DrawnSheet(int n) {
  if (!drawingActive || n < 1 || n > drawing.SheetCount()) return nullptr;
  const int current = drawing.CurrentNumber();
  if (DrawIfReleased(n)) {
    if (current >= 1) drawing.SelectSheet(current);
    ReleaseFarSheets(n);
  }
  return &drawing.Sheets()[static_cast<size_t>(n - 1)];
}

int PageSession::DrawnSheetCount() const {
  int count = 0;
  for (const DrawingSheet& sheet : drawing.Sheets()) count += sheet.elements.empty() ? 0 : 1;
  return count;
}

bool PageSession::DrawIfReleased(int n) {
  // Every drawn sheet has elements (its outline at least).
  if (!drawing.Sheets()[static_cast<size_t>(n - 1)].elements.empty()) return false;
  GraphPage* page = PageForSheet(pages, n);
  if (!page) return false;
  BuildShownPage(*page, drawing, curveGrids, SheetPlace{n});
  return true;
}

void PageSession::ReleaseFarSheets(int alsoKeep) {
  const int current = drawing.CurrentNumber();
  const int count = drawing.SheetCount();
  for (int n = 1; n <= count; ++n) {
    if (n == alsoKeep || std::abs(n - current) <= keptNeighbours) continue;
    if (!drawing.Sheets()[static_cast<size_t>(n - 1)].elements.empty()) drawing.ReleaseSheet(n);
  }
}

void PageSession::ReleaseAll() {
  if (!drawingActive) return;
  pages.clear();
  lotFigures_.clear();
  ForgetLot();
  drawing.ClearAll();
}

int PageSession::Subscribe(Listener listener) {
  if (!listener) return 0;
  listeners_.emplace_back(nextListener_, std::move(listener));
  return nextListener_++;
}

void PageSession::Unsubscribe(int id) {
  std::erase_if(listeners_, [id](const auto& entry) { return entry.first == id; });
}

void PageSession::Changed() {
  // A model follows the points of its page (a new ratio, say).
  if (GraphPage* page = CurrentPage()) {
    UpdatePageModel(*page, &droppedModel_, drawing.Translator());
    // Its verdict follows its points too.
    if (mask_) MarkMask(*page, mask_);
    // And so does the lot it is part of.
    ForgetLot(page);
    if (lotShown_) PlaceLotBands();
  }
  RebuildCurrent();
  Announce();
}

void PageSession::Announce() {
  // A copy: a listener may subscribe or unsubscribe.
  const std::vector<std::pair<int, Listener>> listeners = listeners_;
  for (const auto& entry : listeners) entry.second();
}

bool PageSession::AddOverlays(std::vector<OverlayTrace> traces) {
  GraphPage* page = CurrentPage();
  if (!page || traces.empty()) return false;
  for (OverlayTrace& t : traces) page->overlays.push_back(std::move(t));
  Changed();
  return true;
}

bool PageSession::EditCurrent(const std::function<bool(GraphPage&)>& edit) {
  GraphPage* page = CurrentPage();
  if (!page || !edit || !edit(*page)) return false;
  Changed();
  return true;
}

bool PageSession::ToggleDifference() {
  GraphPage* page = CurrentPage();
  if (!page || page->overlays.empty()) return false;
  if (InDifferenceMode(*page)) {
    page->showDifference = false;
  } else {
    if (page->referenceIndex < 0 ||
        static_cast<size_t>(page->referenceIndex) >= page->overlays.size()) {
      page->referenceIndex = 0;
    }
    page->showDifference = true;
  }
  Changed();
  return true;
}

bool PageSession::ApplyProperties(const GraphProperties& properties, const PageFacts* facts) {
  GraphPage* page = CurrentPage();
  if (!page) return false;
  page->properties = properties;
  if (facts) page->facts = *facts;
  Changed();
  return true;
}

bool PageSession::ResetToDefaults(const GraphProperties& defaults) {
  GraphPage* page = CurrentPage();
  if (!page) return false;
  // The page's facts (its data title) are no part of the look: they stay.
  page->properties = defaults;
  Changed();
  return true;
}

bool PageSession::ShowFigureMarks(bool on) {
  GraphPage* page = CurrentPage();
  if (!page || page->showFigureMarks == on) return false;
  page->showFigureMarks = on;
  Changed();
  return true;
}

std::string PageSession::AddModel(const FitOptions& options) {
  GraphPage* page = CurrentPage();
  if (!page) return "no page";
  std::string message = FitPageModel(*page, options, drawing.Translator());
  if (message.empty()) Changed();
  return message;
}

bool PageSession::AddFittedModel(const FitOptions& options, std::vector<UsablePoint> points,
                                 FitResult result, std::string* message) {
  GraphPage* page = CurrentPage();
  if (!page) return false;
  if (!ApplyPageModel(*page, options, std::move(points), std::move(result), message,
                      drawing.Translator())) {
    return false;
  }
  Changed();
  return true;
}

bool PageSession::AddFittedCircuit(std::shared_ptr<const Circuit> circuit,
                                   const CircuitFitOptions& options, ImpedanceSpectrum fitted,
                                   CircuitFitResult result, std::string* message) {
  GraphPage* page = CurrentPage();
  if (!page || !ApplyPageCircuit(*page, std::move(circuit), options, std::move(fitted),
                                 std::move(result), message)) {
    return false;
  }
  Changed();
  return true;
}

std::string PageSession::TakeDroppedModelMessage() {
  return std::exchange(droppedModel_, {});
}

bool PageSession::RemoveModel() {
  GraphPage* page = CurrentPage();
  if (!page || !RemovePageModel(*page)) return false;
  Changed();
  return true;
}

bool PageSession::ShowModelResidual(bool on) {
  GraphPage* page = CurrentPage();
  if (!page || !ShowResidual(*page, on)) return false;
  Changed();
  return true;
}

bool PageSession::SetView(ViewKind view) {
  GraphPage* page = CurrentPage();
  if (!page || page->properties.view == view) return false;
  page->properties.view = view;
  Changed();
  return true;
}

bool PageSession::SetLoopCurve(LoopCurve curve) {
  GraphPage* page = CurrentPage();
  if (!page || page->properties.loopCurve == curve) return false;
  page->properties.loopCurve = curve;
  Changed();
  return true;
}

bool PageSession::ShowNicholsContours(bool on) {
  GraphPage* page = CurrentPage();
  if (!page || page->properties.nicholsContours == on) return false;
  page->properties.nicholsContours = on;
  Changed();
  return true;
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
