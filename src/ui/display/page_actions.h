// SPDX-License-Identifier: MIT
#pragma once
// What the window's commands do to the pages, without widgets of its own:
// opening pages, laying traces over them and comparing, closing them, their
// properties, saving and printing. Every call into the page session is made
// here; the part says when the pages changed and the window repaints.

#include <QObject>
#include <QStringList>
#include <memory>
#include <string>
#include <vector>

#include "analysis/fit/vector_fit.h"
#include "frame_dialogs.h"
#include "import/touchstone_format.h"

class QPrinter;
class QProgressDialog;
class QWidget;

namespace fernplot {

struct AppState;
struct GraphPage;
class CommandTable;

// The box text for files that could not be opened: the first few, then how
// many more (the whole list goes in the box's details).
QString OpenFailuresText(const QStringList& failures);
constexpr int kFailuresListed = 20;

// Whether a page is on screen, and which.
bool PageShown(const AppState& state);
GraphPage* PageOnScreen(AppState& state);

class PageActions : public QObject {
  Q_OBJECT

 public:
  // `window` is the parent of the boxes the commands show.
  PageActions(AppState& state, FrameDialogs& dialogs, QWidget& window);
  ~PageActions() override;

  // The file, compare and settings commands that act on pages.
  void AddCommands(CommandTable& table);

  void OpenDataFile();
  // Opens the named files as pages in the given order; one message lists the
  // files that could not be read, with the reader's message for each.
  void OpenFiles(const QStringList& paths);
  // The same for names as bytes (a name need not be valid text); from
  // kProgressFromFiles files on, a progress box with Cancel is shown and the
  // window stays responsive while the pages are built. Two-port Touchstone
  // files give `twoPortParameter` ("S11", "S21", "S12", "S22"; empty: the
  // default S21), one-ports their S11.
  void OpenFilePaths(const std::vector<std::string>& paths,
                     const std::string& twoPortParameter = {},
                     TableColumns columns = TableColumns::kFromFile);
  void SaveCsv();
  // One PDF of every open page: a table of their figures, then each page at
  // true size, as the exporter's report.
  void SaveReport();
  void ClosePage();
  // Closes every page after one confirmation.
  void CloseAllPages();
  void EditCurrentProperties();
  void EditDefaultProperties();
  void ResetToDefault();
  void OverwriteDefault();
  void Print();
  void PrinterSetup();
  QPrinter& Printer();
  // The print job's name, set with the first opened files.
  const QString& DocumentTitle() const { return documentTitle_; }

  // Comparing: overlay traces chosen in the data-file list, the page's list
  // of traces (remove, reference), and the difference to the reference.
  void AddOverlays();
  void EditTraces();
  void ToggleDifference();
  // Lays the named files over the page on screen (a folder gives its data
  // files); one message lists those that could not be read. For each
  // two-port Touchstone file the user is asked which S-parameter to lay.
  void AddOverlayFiles(const QStringList& paths);
  // The open dialog's sweep files laid over the page on screen.
  void AddOverlaysFromFiles();
  // The page's fitted model: fitted after asking how (a page that cannot be
  // fitted says why and stays as it was), removed, its residual shown, and
  // copied as a simulator's Laplace expression or as JSON.
  void FitModel();
  void RemoveModel();
  void ToggleResidual();
  void CopyModelLaplace();
  void CopyModelJson();
  // An equivalent circuit fitted to the impedance page on screen, after
  // asking which and how; it takes the model's place (its residual, its
  // removal and its JSON are the model's commands).
  void FitCircuit();
  // The page on screen draws the marks of its figures, or stops.
  void ShowFigureMarks(bool on);

 signals:
  // Only the commands' states may have changed.
  void statesChanged();
  // The drawing shows pages from now on: the chosen zoom applies.
  void drawingStarted();
  // These files were opened as pages (for the recent files).
  void filesOpened(const std::vector<std::string>& paths);

 private:
  std::unique_ptr<QProgressDialog> MakeOpenProgress(int total);
  // Shows `done` pages built; false once the user or a quit signal cancelled.
  static bool StepOpenProgress(QProgressDialog& progress, int done);
  void ShowOpenFailures(const QStringList& failures);
  // Names the document and ends the opening in the session, which shows the
  // first page opened after the `sheetsBefore` there were and announces it.
  void AfterPagesOpened(int sheetsBefore);
  int SheetsNow() const;
  void AddOverlayCommands(CommandTable& table);
  void AddModelCommands(CommandTable& table);
  void StartDrawing();
  // Names give the legend's name (their folder and extension dropped).
  void AddOverlayFilePaths(const std::vector<std::string>& paths,
                           const std::vector<std::string>& names);
  // A difference with nothing to subtract (the reference has no usable
  // point in the page's range) is turned off with a message; true then.
  bool RefuseEmptyDifference(GraphPage& page);

  AppState& state_;
  FrameDialogs& dialogs_;
  QWidget& window_;
  std::unique_ptr<QPrinter> printer_;
  QString documentTitle_;
  // The S-parameter of two-port files chosen last: offered for the next
  // overlay from such a file.
  std::string twoPortParameter_ = kTwoPortParameters[0];
  // The choice the last fit was asked with, offered for the next page.
  FitOptions lastFit_;
  // The circuit fitted last, offered for the next impedance page.
  CircuitChoice lastCircuit_;
};

// How the viewer reads a file for the S-parameter `parameter` chosen before
// the file was seen.
ImportOptions TwoPortChoice(const std::string& parameter);

}  // namespace fernplot
