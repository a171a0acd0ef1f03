// SPDX-License-Identifier: MIT
#pragma once
// Shared pieces of the viewer tests: data files written on the fly, the
// program-wide state with a real text measurer, and dialogs that answer from
// a script instead of waiting for a user.

#include <QDir>
#include <QString>
#include <QStringList>
#include <QTemporaryDir>
#include <QTest>
#include <algorithm>
#include <deque>
#include <functional>
#include <memory>
#include <optional>
#include <string>
#include <string_view>
#include <vector>

#include "app_state.h"
#include "datafile/data_file_writer.h"
#include "display/frame_dialogs.h"
#include "display/main_frame.h"
#include "display/page_actions.h"
#include "display/recent_part.h"
#include "display/view_part.h"
#include "fernplot_test_data.h"
#include "qt_text_measurer.h"

namespace fernplot::testing {

// A data file of `points` points from 10 Hz up, a first-order low-pass.
inline std::string DataFileBytes(int points, int16_t dataType = 0,
                                 const std::string& title = "テスト") {
  const MeasurementData h = TestHeader(
      {.dataType = dataType,
       .pointCount = static_cast<uint16_t>(points),
       .title = title,
       .sweep = {.oscAmplitude = 1.0, .minHz = 10.0, .maxHz = 100000.0, .resolution = 10.0}});
  const std::vector<RawRecord> records = LowPassRecords(points);
  return dataType == 0 ? EncodeRawDataFile(h, records)
                       : EncodeCalculatedDataFile(h, ToCalculated(records));
}

inline QString WriteFile(const QTemporaryDir& dir, const QString& name, const std::string& bytes) {
  const QString path = dir.filePath(name);
  WriteBytes(path.toStdString(), bytes);
  return path;
}

inline QString WriteDataFile(const QTemporaryDir& dir, const QString& name, int points = 20,
                             int16_t dataType = 0, const std::string& title = "テスト") {
  return WriteFile(dir, name, DataFileBytes(points, dataType, title));
}

inline std::string ReadAll(const QString& path) {
  return ReadBytes(path.toStdString());
}

// The program-wide state as the application sets it up.
struct TestState {
  TestState() { state.session.drawing.SetMeasurer(&measurer); }
  QtTextMeasurer measurer;
  AppState state;
};

// Answers every question from queues filled by the test and records what
// the window said.
class ScriptedDialogs : public FrameDialogs {
 public:
  void ShowInfo(QWidget*, const QString& text) override { infos.push_back(text); }
  void ShowWarning(QWidget*, const QString& text) override { warnings.push_back(text); }
  bool AskOkCancel(QWidget*, const QString& text) override {
    questions.push_back(text);
    return answerOk;
  }
  bool RunDataFileList(QWidget*, AppState& s) override {
    ++listRuns;
    if (onDataFileList) onDataFileList(s);
    if (!markForList) return false;
    bool any = false;
    for (DataFileEntry& e : s.dataFiles) {
      if (e.header) {
        e.flags |= kEntrySelected;
        any = true;
      }
    }
    return any;
  }
  // Marks the entries named in overlayNames (all readable ones when empty).
  bool ChooseOverlayFiles(QWidget*, AppState& s) override {
    ++overlayListRuns;
    if (!markForList) return false;
    bool any = false;
    for (DataFileEntry& e : s.dataFiles) {
      const bool named = overlayNames.empty() || std::find(overlayNames.begin(), overlayNames.end(),
                                                           e.fileName) != overlayNames.end();
      if (e.header && named) {
        e.flags |= kEntrySelected;
        any = true;
      }
    }
    return any;
  }
  std::optional<TraceListEdit> EditTraces(QWidget*, const TraceList& traces) override {
    traceLists.push_back(traces);
    if (!editTraces) return std::nullopt;
    return editTraces(traces);
  }
  std::optional<FitOptions> AskFitOptions(QWidget*, const FitOptions& last) override {
    fitAsks.push_back(last);
    return fitAnswer;
  }
  std::vector<FitOptions> fitAsks;  // the choice offered each time
  std::optional<FitOptions> fitAnswer;
  std::optional<CircuitChoice> AskCircuitFit(QWidget*, const CircuitChoice& last,
                                             const CircuitFitResult* fitted) override {
    circuitAsks.push_back({last, fitted != nullptr});
    return circuitAnswer;
  }
  // The choice offered each time, and whether a fit was shown with it.
  std::vector<std::pair<CircuitChoice, bool>> circuitAsks;
  std::optional<CircuitChoice> circuitAnswer;
  std::optional<int> AskPageNumber(QWidget*, int current, int count) override {
    pageAsks.push_back({current, count});
    return pageAnswer;
  }
  OpenFilesAnswer AskDataFiles(QWidget*, const QString& folder,
                               const QString& twoPortParameter) override {
    dataFileFolders.push_back(folder);
    offeredParameters.push_back(twoPortParameter);
    return {dataFilesAnswer, parameterAnswer.isEmpty() ? twoPortParameter : parameterAnswer,
            columnsAnswer};
  }
  TableColumns columnsAnswer = TableColumns::kFromFile;
  QStringList AskOverlayFiles(QWidget*, const QString& folder) override {
    overlayFileFolders.push_back(folder);
    return overlayFilesAnswer;
  }
  std::vector<QString> overlayFileFolders;  // the folder offered each time
  std::vector<QStringList> offeredLists;    // the parameters each question offered
  QStringList overlayFilesAnswer;
  std::optional<QString> AskMaskFile(QWidget*, const QString& folder) override {
    maskFolders.push_back(folder);
    return maskAnswer;
  }
  std::vector<QString> maskFolders;  // the folder offered each time
  std::optional<QString> maskAnswer;
  std::optional<QString> AskTwoPortParameter(QWidget*, const QString& fileName,
                                             const QString& preset,
                                             const QStringList& parameters) override {
    twoPortQuestions.push_back(fileName);
    offeredLists.push_back(parameters);
    offeredParameters.push_back(preset);
    if (cancelTwoPortQuestion) return std::nullopt;
    return overlayParameterAnswer.isEmpty() ? preset : overlayParameterAnswer;
  }
  std::optional<QString> AskCsvPath(QWidget*, const QString& initialName) override {
    csvInitialNames.push_back(initialName);
    return csvPath;
  }
  std::vector<std::pair<int, int>> pageAsks;  // (current, count)
  std::optional<int> pageAnswer;
  bool EditProperties(QWidget*, GraphProperties& record, PageFacts* facts) override {
    editedCurrent.push_back(facts != nullptr);
    if (editProperties) editProperties(record);
    return editAnswer;
  }
  std::optional<PrintRequest> AskPrint(QWidget*, QPrinter&, int pageCount) override {
    printPageCounts.push_back(pageCount);
    return printAnswer;
  }
  std::optional<QString> AskReportPath(QWidget*, const QString& initialName) override {
    reportInitialNames.push_back(initialName);
    return reportPath;
  }
  void PrinterSetup(QWidget*, QPrinter&) override {}
  void About(QWidget*) override { ++aboutRuns; }

  bool answerOk = true;
  bool markForList = true;
  std::optional<QString> csvPath;
  QStringList dataFilesAnswer;
  std::vector<QString> dataFileFolders;
  QString parameterAnswer, overlayParameterAnswer;  // empty: keep what is offered
  bool cancelTwoPortQuestion = false;
  std::vector<QString> offeredParameters, twoPortQuestions;
  bool editAnswer = true;
  std::function<void(GraphProperties&)> editProperties;

  std::vector<QString> infos, warnings, questions, csvInitialNames;
  // Sees the state the data-file list opens with.
  std::function<void(const AppState&)> onDataFileList;
  std::vector<bool> editedCurrent;
  std::vector<int> printPageCounts;
  std::optional<PrintRequest> printAnswer;
  std::optional<QString> reportPath;
  std::vector<QString> reportInitialNames;
  int listRuns = 0;
  int overlayListRuns = 0;
  std::vector<std::string> overlayNames;
  std::function<std::optional<TraceListEdit>(const TraceList&)> editTraces;
  std::vector<TraceList> traceLists;
  int aboutRuns = 0;
};

// What a window test's init() makes: fresh program state, scripted dialogs
// and a main window of `size` over them, shown. False when the window was
// never exposed.
inline bool ShowNewFrame(std::unique_ptr<TestState>& ts, std::unique_ptr<ScriptedDialogs>& dialogs,
                         std::unique_ptr<CMainFrame>& frame, QSize size) {
  ts = std::make_unique<TestState>();
  dialogs = std::make_unique<ScriptedDialogs>();
  frame = std::make_unique<CMainFrame>(ts->state, *dialogs);
  frame->resize(size);
  frame->show();
  return QTest::qWaitForWindowExposed(frame.get());
}

// Drops them again, the window before what it refers to.
inline void DropFrame(std::unique_ptr<TestState>& ts, std::unique_ptr<ScriptedDialogs>& dialogs,
                      std::unique_ptr<CMainFrame>& frame) {
  frame.reset();
  dialogs.reset();
  ts.reset();
}

// What the window tests hold: fresh program state, scripted dialogs and a
// main window for each test function (ShowNewFrame in init(), DropFrame in
// cleanup()), and a folder for the files they write.
class WindowTest : public QObject {
 protected:
  std::unique_ptr<TestState> ts_;
  std::unique_ptr<ScriptedDialogs> dialogs_;
  std::unique_ptr<CMainFrame> frame_;
  QTemporaryDir dir_;

  AppState& state() { return ts_->state; }
  GraphPage& Page() { return *state().session.CurrentPage(); }
};

// Whether the sheet holds a text that reads `text`.
inline bool SheetHasText(const DrawingSheet& sheet, std::string_view text) {
  return std::any_of(sheet.elements.begin(), sheet.elements.end(), [&](const DrawingElement& e) {
    const auto* t = std::get_if<TextElement>(&e);
    return t && t->text == text;
  });
}

}  // namespace fernplot::testing
