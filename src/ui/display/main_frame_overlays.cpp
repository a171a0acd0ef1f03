// SPDX-License-Identifier: MIT
// Comparing measurements on the page on screen: overlay traces from the
// data-file list or a Ctrl-drop, the list of traces, the difference mode.

#include <QAction>
#include <QFile>
#include <QMenu>
#include <QMenuBar>
#include <QPainter>
#include <QPixmap>
#include <QToolBar>
#include <filesystem>

#include "app_state.h"
#include "datafile/data_file_scan.h"
#include "datafile/reader.h"
#include "frame_dialogs.h"
#include "graph/overlays.h"
#include "graph/page_session.h"
#include "graph/pages.h"
#include "main_frame.h"
#include "main_view.h"
#include "overlay_commands.h"
#include "qt_convert.h"
#include "trace_list.h"

namespace fernplot {

namespace {

// Two curves over each other, in the first two overlay colours.
QIcon OverlayIcon() {
  QIcon icon;
  for (int scale : {1, 2}) {
    QPixmap pixmap(16 * scale, 15 * scale);
    pixmap.fill(Qt::transparent);
    QPainter p(&pixmap);
    p.setRenderHint(QPainter::Antialiasing);
    p.scale(scale, scale);
    p.setPen(QPen(QColor(0, 114, 178), 1.5));
    p.drawPolyline(QPolygonF({{1, 3}, {7, 3}, {10, 7}, {15, 13}}));
    p.setPen(QPen(QColor(213, 94, 0), 1.5));
    p.drawPolyline(QPolygonF({{1, 6}, {6, 6}, {10, 10}, {15, 13}}));
    p.end();
    icon.addPixmap(pixmap);
  }
  return icon;
}

// The data files named by dropped paths: a folder gives its data files.
std::vector<std::string> ExpandFolders(const std::vector<std::string>& paths) {
  std::vector<std::string> files;
  for (const std::string& path : paths) {
    std::error_code ec;
    if (!std::filesystem::is_directory(path, ec)) {
      files.push_back(path);
      continue;
    }
    std::string folder = path;
    if (folder.back() != '/') folder += '/';
    DataFileList found;
    ScanDataFiles(folder + "*.DAT", found);
    for (DataFileEntry& e : found) files.push_back(std::move(e.fullPath));
  }
  return files;
}

}  // namespace

void CMainFrame::CreateOverlayActions() {
  AddAction(kCmdAddOverlays, &CMainFrame::AddOverlays)->setIcon(OverlayIcon());
  AddAction(kCmdEditTraces, &CMainFrame::EditTraces);
  AddAction(kCmdDifference, &CMainFrame::ToggleDifference)->setCheckable(true);
}

void CMainFrame::AddOverlayMenu(QMenuBar* bar) {
  QMenu* menu = bar->addMenu(tr("比較(&C)"));
  menu->addAction(Action(kCmdAddOverlays));
  menu->addAction(Action(kCmdEditTraces));
  menu->addSeparator();
  menu->addAction(Action(kCmdDifference));
  connect(menu, &QMenu::aboutToShow, this, &CMainFrame::UpdateCommandStates);
}

void CMainFrame::UpdateOverlayCommandStates() {
  const GraphPage* page = CurrentPage();
  const bool overlays = page && !page->overlays.empty();
  Action(kCmdAddOverlays)->setEnabled(page != nullptr);
  Action(kCmdEditTraces)->setEnabled(overlays);
  Action(kCmdDifference)->setEnabled(overlays);
  Action(kCmdDifference)->setChecked(page && InDifferenceMode(*page));
}

void CMainFrame::AddOverlays() {
  if (!CurrentPage()) return;
  const bool chosen = dialogs_.ChooseOverlayFiles(this, state_);
  std::vector<std::string> paths, names;
  for (DataFileEntry& e : state_.dataFiles) {
    if (!(e.flags & kEntrySelected)) continue;
    e.flags &= ~kEntrySelected;
    paths.push_back(e.fullPath);
    names.push_back(e.fileName);
  }
  if (chosen) AddOverlayFilePaths(paths, names);
  UpdateCommandStates();
}

void CMainFrame::AddOverlayFiles(const QStringList& paths) {
  std::vector<std::string> bytes;
  for (const QString& path : paths) bytes.push_back(QFile::encodeName(path).toStdString());
  bytes = ExpandFolders(bytes);
  AddOverlayFilePaths(bytes, bytes);
}

void CMainFrame::AddOverlayFilePaths(const std::vector<std::string>& paths,
                                     const std::vector<std::string>& names) {
  GraphPage* page = CurrentPage();
  if (!page) return;
  QStringList failures;
  std::vector<OverlayTrace> traces;
  for (size_t i = 0; i < paths.size(); ++i) {
    std::string message;
    std::optional<MeasurementData> data = ReadDataFile(true, paths[i], message);
    const std::string_view name = PageFileName(i < names.size() ? names[i] : paths[i]);
    if (!data) {
      const std::string file = std::filesystem::path(paths[i]).filename().string();
      failures << QStringLiteral("%1: %2").arg(
          QFile::decodeName(file.c_str()),
          QStringFromUtf8(LocalizedReaderMessage(message, state_.session.drawing.Translator())));
      continue;
    }
    traces.push_back(OverlayTrace{std::move(*data), std::string(name), paths[i]});
  }
  state_.session.AddOverlays(std::move(traces));
  if (!failures.isEmpty()) ShowOpenFailures(failures);
}

void CMainFrame::EditTraces() {
  GraphPage* page = CurrentPage();
  if (!page || page->overlays.empty()) return;
  const std::optional<TraceListEdit> edit = dialogs_.EditTraces(this, TraceListOf(*page));
  if (edit) state_.session.EditCurrent([&](GraphPage& p) { return ApplyTraceEdit(p, *edit); });
  UpdateCommandStates();
}

void CMainFrame::ToggleDifference() {
  if (!state_.session.ToggleDifference()) UpdateCommandStates();
}

}  // namespace fernplot
