// SPDX-License-Identifier: MIT
#pragma once
// The open pages and the drawing they are built into, with the operations
// that create, rebuild, close and release them.

#include <functional>
#include <map>
#include <memory>
#include <optional>
#include <string>
#include <string_view>
#include <utility>
#include <vector>

#include "analysis/production/limit_mask.h"
#include "datafile/data_file_list.h"
#include "datafile/measurement.h"
#include "graph/curve_thinning.h"
#include "graph/drawing.h"
#include "graph/pages.h"
#include "props/graph_properties.h"

namespace fernplot {

struct LotBands;

// The sheet size at 100 % in pixels of a page made with `defaults` and no
// record (its layout, measured with `measurer`): what a window needs to show
// a default page. The width is that of every page with these defaults; the
// height may be a line or two short of a page whose settings texts wrap.
struct SheetPixels {
  int width = 0, height = 0;
};
SheetPixels DefaultSheetPixels(const GraphProperties& defaults, TextMeasurer* measurer);

// Owns the pages and their drawing; sheet k of the drawing shows pages[k-1].
// Every operation does nothing until drawingActive is set. The drawing's
// measurer must be set before pages are built.
//
// Only the sheet on screen and a few around it hold their drawing; the
// others keep their number and size and are drawn again from their page
// when they are shown or put out (a page of a thousand points draws in
// about a millisecond), so an open page that is off screen costs little
// more than its data.
class PageSession {
 public:
  PageList pages;
  DrawingDocument drawing;
  // Set by the first successful "open data file".
  bool drawingActive = false;
  // Every grid the drawing is rendered on; overlay curves are thinned for
  // these (a writer of pictures at another zoom adds its own).
  std::vector<CurveGrid> curveGrids = ViewerCurveGrids();
  // Pages added from now on mark their figures (the last choice made on a
  // page, remembered for the pages opened after it).
  bool figureMarksOnNewPages = false;
  // Sheets this many either side of the current one keep their drawing.
  int keptNeighbours = 2;

  // Makes a page of a record already read (a copy of `defaults`, the
  // record's data title and data type), appends it and builds it; its sheet
  // becomes current. `fileName` is the data file's name without folder and
  // extension. nullptr while the drawing is not active.
  GraphPage* OpenPage(const GraphProperties& defaults, MeasurementData data,
                      std::string_view fileName);
  // The page OpenPage would make, not yet added: a caller that puts more on
  // it (overlay traces) adds it with AddPage, so it is built only once.
  static std::unique_ptr<GraphPage> MakePage(const GraphProperties& defaults, MeasurementData data,
                                             std::string_view fileName);
  // Appends a made page and builds it; its sheet becomes current. nullptr
  // while the drawing is not active.
  GraphPage* AddPage(std::unique_ptr<GraphPage> page);
  // Reads every selected file of the list in list order and opens a page of
  // each; the selection is cleared, also for a file that fails to read.
  // `proceed(done)` is asked before each selected file (done: how many came
  // before); false stops there, the rest stays unopened.
  void OpenSelected(const GraphProperties& defaults, DataFileList& files,
                    const std::function<bool(size_t done)>& proceed = {});
  // Builds the page on screen again from its properties, in the same place.
  void RebuildCurrent();

  // Puts sheet n on screen, drawn; false (and nothing changes) when there
  // is no sheet n.
  bool ShowSheet(int n);
  bool ShowPrevious();
  bool ShowNext();
  // Sheet n drawn, for an output of pages that are not on screen (printing);
  // the current sheet stays, and sheets far from it are released again.
  // nullptr when there is no sheet n.
  const DrawingSheet* DrawnSheet(int n);
  // How many sheets hold their drawing now.
  int DrawnSheetCount() const;

  // What a change of the page on screen or of the set of pages is announced
  // to: each listener is called once after the change is drawn, until it is
  // unsubscribed by the number Subscribe gave.
  using Listener = std::function<void()>;
  int Subscribe(Listener listener);
  void Unsubscribe(int id);

  // Changes of the page on screen as a user asks for them. Each builds the
  // page again and announces it; each does nothing (false) without a page.
  // Lays the traces over the page (nothing when `traces` is empty).
  bool AddOverlays(std::vector<OverlayTrace> traces);
  // Lets `edit` change the page (its trace list, say); a page it reports
  // changed (true) is built again and announced.
  bool EditCurrent(const std::function<bool(GraphPage&)>& edit);
  // Differences on or off. Turned on without a reference, the first overlay
  // becomes the reference: the measurement the page was compared with first.
  // False as well for a page without overlays.
  bool ToggleDifference();
  // The page's look, and its facts too when given (the note page edits the
  // data title).
  bool ApplyProperties(const GraphProperties& properties, const PageFacts* facts = nullptr);
  // The look of `defaults`; the facts of the page's own file stay.
  bool ResetToDefaults(const GraphProperties& defaults);
  bool ShowFigureMarks(bool on);
  // Fits a model to the page (graph/page_model.h) and lays it over it; it is
  // fitted again whenever a change of the page alters the points it was
  // fitted to. Returns the fit's message, and changes nothing, when the page
  // cannot be fitted; empty once fitted.
  std::string AddModel(const FitOptions& options);
  // Lays a model fitted elsewhere over the page on screen (ApplyPageModel);
  // false, and no change, when the page's points are no longer `points` or
  // `result` has no model (its message in `message`).
  bool AddFittedModel(const FitOptions& options, std::vector<UsablePoint> points, FitResult result,
                      std::string* message = nullptr);
  // Lays a circuit fitted elsewhere to the page's impedance `fitted` over the
  // page on screen (ApplyPageCircuit); it is fitted again, as a model is,
  // when the page's impedance changes. False, and no change, when the page's
  // impedance is no longer `fitted` or the fit failed (why in `message`).
  bool AddFittedCircuit(std::shared_ptr<const Circuit> circuit, const CircuitFitOptions& options,
                        ImpedanceSpectrum fitted, CircuitFitResult result,
                        std::string* message = nullptr);
  // Drops the page's model; false when it had none.
  bool RemoveModel();
  // Why the page's model was dropped when a change of the page's points
  // could not be fitted again (the listeners are told of the change as
  // usual); empty when none was. Cleared by the call.
  std::string TakeDroppedModelMessage();
  // The page's difference to its model on or off; false when nothing changed.
  bool ShowModelResidual(bool on);
  // The view the page is drawn in and the curve it shows (L, T or S); false
  // too when the page has them already.
  bool SetView(ViewKind view);
  bool SetLoopCurve(LoopCurve curve);
  // The Nichols view's closed-loop magnitude contours shown or not.
  bool ShowNicholsContours(bool on);
  // A limit mask every page is judged against and drawn with, the pages
  // opened later too; nullptr takes it off. Announced; false (the mask
  // kept for the pages to come) while the drawing is not active.
  bool SetMask(std::shared_ptr<const LimitMask> mask);
  const LimitMask* Mask() const { return mask_.get(); }
  // The band (mean ± 3σ) and min/max envelope of every open page drawn
  // under the page on screen, on its frequencies, with the spread of their
  // figures; off takes it away again. While on, it follows the page on
  // screen and every change of the pages (opened, closed, edited); closing
  // every page turns it off. False without a page on screen.
  bool ShowLotStatistics(bool on);
  bool LotStatisticsShown() const { return lotShown_; }
  // Drops every page and sheet; the drawing's tables stay. Not announced
  // (the program ends, say); CloseAll is the user's intent.
  void ReleaseAll();

  // Changes of the set of pages as a user asks for them, each announced once.
  // Pages are opened one by one (OpenPage, AddPage, OpenSelected), then
  // EndOpening puts the first of those opened since there were
  // `sheetsBefore` sheets on screen and announces the new set of pages.
  void EndOpening(int sheetsBefore);
  // Drops the page on screen and its sheet; the sheet that takes its place
  // is drawn. False (nothing announced) without a page on screen.
  bool CloseCurrent();
  // Drops every page; false (nothing announced) when there was none.
  bool CloseAll();

  // The page on screen; nullptr when none.
  GraphPage* CurrentPage();
  const GraphPage* CurrentPage() const;

 private:
  // Draws sheet n from its page when it holds no drawing; true when it did.
  // Sheet n becomes current when it is drawn.
  bool DrawIfReleased(int n);
  // Releases every drawn sheet further than keptNeighbours from the current
  // one, except sheet `alsoKeep`.
  void ReleaseFarSheets(int alsoKeep);
  // Builds the page on screen again and tells the listeners.
  void Changed();
  // Tells the listeners.
  void Announce();
  // Takes the lot's bands off every page but the one on screen (their
  // sheets are drawn again without them), and, while they are shown, puts
  // them on that one anew; the caller builds it.
  void PlaceLotBands();
  // The lot read last is no longer the open pages' (a page came, went or
  // changed: `changed`, whose figures are read again).
  void ForgetLot(const GraphPage* changed = nullptr);

  std::vector<std::pair<int, Listener>> listeners_;
  int nextListener_ = 1;
  std::string droppedModel_;
  std::shared_ptr<const LimitMask> mask_;
  bool lotShown_ = false;
  // Each page's figures as the lot reads them, kept until the page changes
  // or closes: working them out is the costly part of the lot.
  std::map<const GraphPage*, std::vector<std::optional<double>>> lotFigures_;
  // The lot read last, and the frequencies it was read on.
  std::shared_ptr<const LotBands> lotBands_;
  std::vector<double> lotGrid_;
};

// The file name of a path without folder and extension.
std::string_view PageFileName(std::string_view path);

}  // namespace fernplot
