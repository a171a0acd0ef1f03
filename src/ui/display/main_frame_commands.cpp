// SPDX-License-Identifier: MIT
// The main window's commands on pages and properties.

#include <QCoreApplication>
#include <QDir>
#include <QEventLoop>
#include <QFile>
#include <QFileInfo>
#include <QProgressDialog>
#include <algorithm>
#include <filesystem>

#include "app_state.h"
#include "datafile/csv_export.h"
#include "datafile/data_file_list_cells.h"
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

// The data files of a folder (a name's bytes), in the list's name order.
std::vector<std::string> DataFilesInFolder(const std::string& folder) {
  std::error_code ec;
  std::string absolute = std::filesystem::absolute(folder, ec).lexically_normal().string();
  if (ec) absolute = folder;
  if (absolute.empty() || absolute.back() != '/') absolute += '/';
  DataFileList found;
  ScanDataFiles(absolute + "*.DAT", found);
  std::vector<std::string> paths;
  for (DataFileEntry& e : found) paths.push_back(std::move(e.fullPath));
  return paths;
}

// Pages opened at once from this many on show a progress box.
constexpr size_t kProgressFromFiles = 10;

}  // namespace

void CMainFrame::AfterPagesOpened() {
  documentTitle_ = tr("周波数特性グラフ");
  RefreshViews();
}

void CMainFrame::OpenDataFile() {
  if (!dialogs_.RunDataFileList(this, state_)) {
    UpdateCommandStates();
    return;
  }
  state_.session.drawingActive = true;
  ApplyZoomSelection();  // a zoom chosen before the first page applies now
  const auto selected =
      std::count_if(state_.dataFiles.begin(), state_.dataFiles.end(),
                    [](const DataFileEntry& e) { return e.flags & kEntrySelected; });
  std::unique_ptr<QProgressDialog> progress;
  if (static_cast<size_t>(selected) >= kProgressFromFiles) {
    progress = MakeOpenProgress(static_cast<int>(selected));
  }
  state_.session.OpenSelected(state_.defaults, state_.dataFiles, [&](size_t done) {
    return !progress || StepOpenProgress(*progress, static_cast<int>(done));
  });
  std::vector<std::string> chosen;
  for (const DataFileEntry& e : state_.dataFiles) {
    if ((e.flags & kEntrySelected) && IsReadable(e)) chosen.push_back(e.fullPath);
  }
  RememberRecentFiles(chosen);
  progress.reset();
  AfterPagesOpened();
}

void CMainFrame::OpenFiles(const QStringList& paths) {
  std::vector<std::string> bytes;
  for (const QString& path : paths) bytes.push_back(QFile::encodeName(path).toStdString());
  OpenFilePaths(bytes);
}

void CMainFrame::OpenFilePaths(const std::vector<std::string>& paths) {
  std::vector<std::string> files;
  for (const std::string& path : paths) {
    std::error_code ec;
    if (std::filesystem::is_directory(path, ec)) {
      for (std::string& f : DataFilesInFolder(path)) files.push_back(std::move(f));
    } else {
      files.push_back(path);
    }
  }
  std::unique_ptr<QProgressDialog> progress;
  if (files.size() >= kProgressFromFiles)
    progress = MakeOpenProgress(static_cast<int>(files.size()));
  QStringList failures;
  bool opened = false;
  std::vector<std::string> openedPaths;
  for (size_t i = 0; i < files.size(); ++i) {
    if (progress && !StepOpenProgress(*progress, static_cast<int>(i))) break;
    const std::string& path = files[i];
    std::string message;
    std::optional<MeasurementData> data = ReadDataFile(true, path, message);
    if (!data) {
      const std::string name = std::filesystem::path(path).filename().string();
      failures << QStringLiteral("%1: %2").arg(
          QFile::decodeName(name.c_str()),
          QStringFromUtf8(LocalizedReaderMessage(message, state_.session.drawing.Translator())));
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
    openedPaths.push_back(path);
    opened = true;
  }
  progress.reset();
  RememberRecentFiles(openedPaths);
  if (opened) AfterPagesOpened();
  if (!failures.isEmpty()) ShowOpenFailures(failures);
}

bool CMainFrame::StepOpenProgress(QProgressDialog& progress, int done) {
  // Once shown, the modal box runs the events itself; before that the
  // window repaints and a quit signal gets through, but no user input.
  if (!progress.isVisible()) QCoreApplication::processEvents(QEventLoop::ExcludeUserInputEvents);
  progress.setValue(done);
  return !progress.wasCanceled();
}

std::unique_ptr<QProgressDialog> CMainFrame::MakeOpenProgress(int total) {
  auto progress =
      std::make_unique<QProgressDialog>(tr("ｸﾞﾗﾌを作成しています..."), tr("ｷｬﾝｾﾙ"), 0, total, this);
  progress->setWindowModality(Qt::WindowModal);
  progress->setMinimumDuration(500);
  progress->setAutoReset(false);
  progress->setAutoClose(false);
  return progress;
}

void CMainFrame::ShowOpenFailures(const QStringList& failures) {
  if (failures.size() <= kFailuresListed) {
    dialogs_.ShowWarning(this, OpenFailuresText(failures));
  } else {
    dialogs_.ShowWarningWithDetails(this, OpenFailuresText(failures),
                                    failures.join(QLatin1Char('\n')));
  }
}

QString OpenFailuresText(const QStringList& failures) {
  // A free function, in the window's context.
  QString text =
      QCoreApplication::translate("fernplot::CMainFrame", "次のﾌｧｲﾙを開けませんでした。\n\n") +
      failures.mid(0, kFailuresListed).join(QLatin1Char('\n'));
  if (failures.size() > kFailuresListed) {
    text += QCoreApplication::translate("fernplot::CMainFrame", "\n… ほか %1 件")
                .arg(failures.size() - kFailuresListed);
  }
  return text;
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
    dialogs_.ShowWarning(
        this,
        tr("CSVﾌｧｲﾙを保存できませんでした。\n%1\n%2").arg(*path, QStringFromUtf8(result.error)));
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
  GraphProperties edited = page->properties;
  if (!dialogs_.EditProperties(this, true, edited)) return;
  state_.session.ApplyProperties(edited);
}

void CMainFrame::EditDefaultProperties() {
  dialogs_.EditProperties(this, false, state_.defaults);
  UpdateCommandStates();
}

void CMainFrame::ResetToDefault() {
  GraphPage* page = CurrentPage();
  if (!page) return;
  if (!dialogs_.AskOkCancel(this,
                            tr("このｸﾞﾗﾌの設定情報を標準値に戻します。\n\nよろしいですか？\n"))) {
    return;
  }
  state_.session.ResetToDefaults(state_.defaults);
}

void CMainFrame::OverwriteDefault() {
  GraphPage* page = CurrentPage();
  if (!page) return;
  if (!dialogs_.AskOkCancel(this, tr("このｸﾞﾗﾌの設定情報を標準値とします。\n\n"
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
