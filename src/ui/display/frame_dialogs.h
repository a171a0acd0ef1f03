// SPDX-License-Identifier: MIT
#pragma once
// Everything modal the main window asks the user. The window talks to this
// interface only, so the program shows real dialogs and the tests answer in
// their place.

#include <QString>
#include <QStringList>
#include <array>
#include <optional>

#include "analysis/fit/vector_fit.h"
#include "analysis/impedance/circuit_fit.h"
#include "import/touchstone_format.h"
#include "trace_list.h"

class QPrinter;
class QWidget;

namespace fernplot {

struct AppState;
struct GraphProperties;
struct PageFacts;
struct ShownLimits;

// What the open dialog gives: the files, and the S-parameter ("S11", "S21",
// "S12" or "S22") that two-port Touchstone files among them are read for.
struct OpenFilesAnswer {
  QStringList paths;  // empty when cancelled
  QString twoPortParameter;
  // How delimited tables among them are read: by their header (or as
  // frequency, gain and phase), or by the columns chosen.
  TableColumns columns = TableColumns::kFromFile;
};

// The S-parameters a two-port file can give, the default first.
inline constexpr std::array<const char*, 4> kTwoPortParameters = {"S21", "S11", "S12", "S22"};

// An equivalent circuit and the choices of its fit.
struct CircuitChoice {
  std::string circuit = "R0-p(R1,C1)";
  CircuitFitOptions options;
};

struct PrintRequest {
  int fromPage = 1;
  int toPage = 1;
  // The page on screen only (the range is then ignored).
  bool currentPage = false;
};

class FrameDialogs {
 public:
  virtual ~FrameDialogs() = default;

  // Information box captioned "FERNPLOT" with an OK button.
  virtual void ShowInfo(QWidget* parent, const QString& text) = 0;
  // Warning box captioned "FERNPLOT" (a failure the user must know about).
  virtual void ShowWarning(QWidget* parent, const QString& text) = 0;
  // The same with a long text the user can expand under the box.
  virtual void ShowWarningWithDetails(QWidget* parent, const QString& text,
                                      const QString& details) {
    (void)details;
    ShowWarning(parent, text);
  }
  // Question box captioned "FERNPLOT"; true when OK was chosen.
  virtual bool AskOkCancel(QWidget* parent, const QString& text) = 0;

  // The data-file list dialog; true when it ended with files marked.
  virtual bool RunDataFileList(QWidget* parent, AppState& state) = 0;
  // The data-file list choosing files to lay over the page on screen; true
  // when it ended with files marked.
  virtual bool ChooseOverlayFiles(QWidget* parent, AppState& state) {
    return RunDataFileList(parent, state);
  }
  // The page's traces with remove and set as reference; nothing when
  // cancelled.
  virtual std::optional<TraceListEdit> EditTraces(QWidget* parent, const TraceList& traces) = 0;
  // How a model is fitted to the page, offering `last`; nothing when
  // cancelled.
  virtual std::optional<FitOptions> AskFitOptions(QWidget* parent, const FitOptions& last) {
    (void)parent;
    (void)last;
    return std::nullopt;
  }
  // How an equivalent circuit is fitted to the page, offering `last`;
  // `fitted` is the page's fit shown beside its parameters (may be null).
  // Nothing when cancelled.
  virtual std::optional<CircuitChoice> AskCircuitFit(QWidget* parent, const CircuitChoice& last,
                                                     const CircuitFitResult* fitted) {
    (void)parent;
    (void)last;
    (void)fitted;
    return std::nullopt;
  }
  // Asks for a page number in 1..count, offering `current`; nothing when
  // cancelled.
  virtual std::optional<int> AskPageNumber(QWidget* parent, int current, int count) = 0;
  // The standard open dialog on `folder`, for one or more data files, with
  // the choice of a two-port's S-parameter offering `twoPortParameter`;
  // no paths when cancelled.
  virtual OpenFilesAnswer AskDataFiles(QWidget* parent, const QString& folder,
                                       const QString& twoPortParameter) {
    (void)parent;
    (void)folder;
    return {{}, twoPortParameter};
  }
  // The open dialog on `folder` for sweep files to lay over the page; no
  // paths when cancelled.
  virtual QStringList AskOverlayFiles(QWidget* parent, const QString& folder) {
    (void)parent;
    (void)folder;
    return {};
  }
  // The open dialog on `folder` for a limit mask; nothing when cancelled.
  virtual std::optional<QString> AskMaskFile(QWidget* parent, const QString& folder) {
    (void)parent;
    (void)folder;
    return std::nullopt;
  }
  // Which of `parameters` of the network file `fileName` (two ports or
  // more) to lay over the page, offering `preset`; nothing when cancelled.
  virtual std::optional<QString> AskTwoPortParameter(QWidget* parent, const QString& fileName,
                                                     const QString& preset,
                                                     const QStringList& parameters) {
    (void)parent;
    (void)fileName;
    (void)parameters;
    return preset;
  }
  // The CSV save dialog; nothing when cancelled.
  virtual std::optional<QString> AskCsvPath(QWidget* parent, const QString& initialName) = 0;
  // The save dialog for a report PDF; nothing when cancelled.
  virtual std::optional<QString> AskReportPath(QWidget* parent, const QString& initialName) {
    (void)parent;
    (void)initialName;
    return std::nullopt;
  }
  // The property sheet on `record`, and on the `facts` of the page on screen
  // when given (none: the defaults); true after OK.
  virtual bool EditProperties(QWidget* parent, GraphProperties& record, PageFacts* facts) = 0;
  // The same for the page on screen, whose axes were drawn to `shown`
  // (none: not known).
  virtual bool EditPageProperties(QWidget* parent, GraphProperties& record, PageFacts* facts,
                                  const ShownLimits* shown) {
    (void)shown;
    return EditProperties(parent, record, facts);
  }
  // The print dialog offering pages 1..pageCount or the page on screen;
  // nothing when cancelled.
  virtual std::optional<PrintRequest> AskPrint(QWidget* parent, QPrinter& printer,
                                               int pageCount) = 0;
  virtual void PrinterSetup(QWidget* parent, QPrinter& printer) = 0;
  virtual void About(QWidget* parent) = 0;
  // The short usage help (F1); an information box unless shown otherwise.
  virtual void ShowHelp(QWidget* parent, const QString& text) { ShowInfo(parent, text); }
};

}  // namespace fernplot
