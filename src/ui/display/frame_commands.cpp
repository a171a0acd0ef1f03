// SPDX-License-Identifier: MIT
// The main window's commands on pages and properties.

#include <QDir>
#include <QFileInfo>

#include "app_state.h"
#include "datafile/csv_export.h"
#include "datafile/data_file_scan.h"
#include "datafile/reader.h"
#include "frame_dialogs.h"
#include "graph/page_session.h"
#include "graph/pages.h"
#include "main_frame.h"
#include "main_view.h"
#include "qt_convert.h"

namespace fernplot {

namespace {

const QString kDocumentTitle = QStringLiteral("周波数特性グラフ");

// The data files of a folder, in the list's name order.
QStringList DataFilesInFolder(const QString& folder) {
  DataFileList found;
  ScanDataFiles((QDir(folder).absolutePath() + QStringLiteral("/*.DAT")).toStdString(), found);
  QStringList paths;
  for (const DataFileEntry& e : found) paths << QStringFromUtf8(e.fullPath);
  return paths;
}

}  // namespace

void CMainFrame::AfterPagesOpened() {
  documentTitle_ = kDocumentTitle;
  RefreshViews();
}

void CMainFrame::OpenDataFile() {
  if (!dialogs_.RunDataFileList(this, state_)) {
    UpdateCommandStates();
    return;
  }
  state_.session.drawingActive = true;
  ApplyZoomSelection();  // a zoom chosen before the first page applies now
  state_.session.OpenSelected(state_.defaults, state_.dataFiles);
  AfterPagesOpened();
}

void CMainFrame::OpenFiles(const QStringList& paths) {
  QStringList files;
  for (const QString& path : paths) {
    if (QFileInfo(path).isDir()) {
      files << DataFilesInFolder(path);
    } else {
      files << path;
    }
  }
  QStringList failures;
  bool opened = false;
  for (const QString& file : files) {
    std::string message;
    const std::string path = file.toStdString();
    std::optional<MeasurementData> data = ReadDataFile(true, path, message);
    if (!data) {
      failures << QStringLiteral("%1: %2").arg(QFileInfo(file).fileName(),
                                               QStringFromUtf8(message));
      continue;
    }
    if (!state_.session.drawingActive) {
      state_.session.drawingActive = true;
      ApplyZoomSelection();
    }
    if (GraphPage* page =
            state_.session.OpenPage(state_.defaults, std::move(*data), PageFileName(path))) {
      page->sourcePath = path;
    }
    opened = true;
  }
  if (opened) AfterPagesOpened();
  if (!failures.isEmpty()) {
    dialogs_.ShowWarning(this, QStringLiteral("次のﾌｧｲﾙを開けませんでした。\n\n") +
                                   failures.join(QLatin1Char('\n')));
  }
}

void CMainFrame::SaveCsv() {
  GraphPage* page = CurrentPage();
  if (!page) return;
  // Offered in the data file's folder.
  const QString folder = QFileInfo(QStringFromUtf8(page->sourcePath)).path();
  const QString initial = page->sourcePath.empty()
                              ? QStringFromUtf8(page->fileName)
                              : QDir(folder).filePath(QStringFromUtf8(page->fileName));
  const std::optional<QString> path = dialogs_.AskCsvPath(this, initial);
  if (!path) return;
  const CsvResult result = WritePageCsv(
      state_.session.pages, state_.session.drawing.CurrentNumber(), path->toStdString());
  if (!result.ok) {
    dialogs_.ShowWarning(this, QStringLiteral("CSVﾌｧｲﾙを保存できませんでした。\n%1\n%2")
                                   .arg(*path, QStringFromUtf8(result.error)));
  }
}

void CMainFrame::ClosePage() {
  if (!PageShown()) return;
  state_.session.CloseCurrent();
  RefreshViews();
}

void CMainFrame::EditCurrentProperties() {
  GraphPage* page = CurrentPage();
  if (!page) return;
  if (!dialogs_.EditProperties(this, true, page->properties)) return;
  state_.session.RebuildCurrent();
  RefreshViews();
}

void CMainFrame::EditDefaultProperties() {
  dialogs_.EditProperties(this, false, state_.defaults);
  UpdateCommandStates();
}

void CMainFrame::ResetToDefault() {
  GraphPage* page = CurrentPage();
  if (!page) return;
  if (!dialogs_.AskOkCancel(
          this, QStringLiteral("このｸﾞﾗﾌの設定情報を標準値に戻します。\n\nよろしいですか？\n"))) {
    return;
  }
  // The data title and the calculated-data flag describe the page's file,
  // not the look of the graph: the defaults must not replace them.
  GraphProperties& props = page->properties;
  std::string dataTitle = std::move(props.dataTitle);
  const int32_t isCalculated = props.isCalculatedData;
  props = state_.defaults;
  props.dataTitle = std::move(dataTitle);
  props.isCalculatedData = isCalculated;
  state_.session.RebuildCurrent();
  RefreshViews();
}

void CMainFrame::OverwriteDefault() {
  GraphPage* page = CurrentPage();
  if (!page) return;
  if (!dialogs_.AskOkCancel(this, QStringLiteral("このｸﾞﾗﾌの設定情報を標準値とします。\n\n"
                                                 "現在の標準値は上書きされます。\n\n"
                                                 "よろしいですか？\n"))) {
    return;
  }
  state_.defaults = page->properties;
}

void CMainFrame::ToggleCrossHair() {
  state_.crossHairEnabled = !state_.crossHairEnabled;
  UpdateCommandStates();
}

}  // namespace fernplot
