// SPDX-License-Identifier: MIT
#pragma once
// The real dialogs behind the main window.

#include <QCoreApplication>
#include <QSize>

#include "display/frame_dialogs.h"

class QComboBox;
class QFileDialog;

namespace fernplot {

class QtFrameDialogs : public FrameDialogs {
  Q_DECLARE_TR_FUNCTIONS(QtFrameDialogs)

 public:
  void ShowInfo(QWidget* parent, const QString& text) override;
  void ShowWarning(QWidget* parent, const QString& text) override;
  void ShowWarningWithDetails(QWidget* parent, const QString& text,
                              const QString& details) override;
  bool AskOkCancel(QWidget* parent, const QString& text) override;
  bool RunDataFileList(QWidget* parent, AppState& state) override;
  bool ChooseOverlayFiles(QWidget* parent, AppState& state) override;
  std::optional<TraceListEdit> EditTraces(QWidget* parent, const TraceList& traces) override;
  std::optional<int> AskPageNumber(QWidget* parent, int current, int count) override;
  QStringList AskOverlayFiles(QWidget* parent, const QString& folder) override;
  std::optional<QString> AskMaskFile(QWidget* parent, const QString& folder) override;
  OpenFilesAnswer AskDataFiles(QWidget* parent, const QString& folder,
                               const QString& twoPortParameter) override;
  std::optional<QString> AskTwoPortParameter(QWidget* parent, const QString& fileName,
                                             const QString& preset,
                                             const QStringList& parameters) override;
  std::optional<FitOptions> AskFitOptions(QWidget* parent, const FitOptions& last) override;
  std::optional<CircuitChoice> AskCircuitFit(QWidget* parent, const CircuitChoice& last,
                                             const CircuitFitResult* fitted) override;
  std::optional<QString> AskCsvPath(QWidget* parent, const QString& initialName) override;
  std::optional<QString> AskReportPath(QWidget* parent, const QString& initialName) override;
  bool EditProperties(QWidget* parent, GraphProperties& record, PageFacts* facts) override;
  bool EditPageProperties(QWidget* parent, GraphProperties& record, PageFacts* facts,
                          const ShownLimits* shown) override;
  std::optional<PrintRequest> AskPrint(QWidget* parent, QPrinter& printer, int pageCount) override;
  void PrinterSetup(QWidget* parent, QPrinter& printer) override;
  void About(QWidget* parent) override;

  // Runs a save dialog starting on `initialName` (in its folder when that
  // exists); the chosen file, nothing when cancelled.
  static std::optional<QString> RunSaveDialog(QFileDialog& dialog, const QString& initialName);
  // The open dialog's mode, folder and filters of sweep files.
  static void SetUpSweepFileDialog(QFileDialog& dialog, const QString& folder);
  // The open dialog's filters, files and S-parameter box (named
  // "twoPortParameter", offering `twoPortParameter`); returns the box.
  static QComboBox* SetUpOpenDialog(QFileDialog& dialog, const QString& folder,
                                    const QString& twoPortParameter);
  // The parameter the box names (any one may be typed: S31, S1_12) in
  // upper case; `last` while the name is not whole.
  static QString ChosenParameter(const QComboBox& box, const QString& last);

 private:
  bool RunList(QWidget* parent, AppState& state, bool overlays);

  // The data-file list's size as the user left it, for its next opening
  // while the program runs.
  QSize list_size_;
  bool list_maximized_ = false;
};

}  // namespace fernplot
