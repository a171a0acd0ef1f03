// SPDX-License-Identifier: MIT
// Comparing measurements on the page on screen: overlay traces from the
// data-file list or a Ctrl-drop, the list of traces, the difference mode.

#include <QDir>
#include <QFile>
#include <QFileInfo>
#include <QPainter>
#include <QPixmap>
#include <algorithm>
#include <filesystem>

#include "analysis/difference.h"
#include "app_state.h"
#include "command_table.h"
#include "commands.h"
#include "datafile/data_file_scan.h"
#include "datafile/reader.h"
#include "frame_dialogs.h"
#include "graph/overlays.h"
#include "graph/page_figures.h"
#include "graph/page_session.h"
#include "graph/pages.h"
#include "import/imported_page.h"
#include "import/touchstone_format.h"
#include "page_actions.h"
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

// Whether the page's difference to its reference has any point: the
// reference must have usable points within the page's frequency range.
bool DifferenceHasPoints(const GraphPage& page) {
  const ChannelRatio ratio = PageRatio(page.properties);
  const OverlayTrace& reference = page.overlays[static_cast<size_t>(page.referenceIndex)];
  return CheckSubtraction(page.data, reference.data, ratio) == Subtraction::kPossible;
}

// The parameters of a network file to choose from, with its letter: its
// default (21) first, then row by row (a two-port's in the order of the
// open dialog). Very large files offer their first 32 ports.
QStringList NetworkParameters(char letter, int ports) {
  QStringList names;
  if (ports == 2) {
    for (const char* name : kTwoPortParameters)
      names << QStringFromUtf8(TouchstoneParameterName(letter, name[1] - '0', name[2] - '0'));
    return names;
  }
  names << QStringFromUtf8(TouchstoneParameterName(letter, 2, 1));
  const int offered = std::min(ports, 32);
  for (int i = 1; i <= offered; ++i) {
    for (int j = 1; j <= offered; ++j) {
      if (i != 2 || j != 1) names << QStringFromUtf8(TouchstoneParameterName(letter, i, j));
    }
  }
  return names;
}

}  // namespace

void PageActions::AddOverlayCommands(CommandTable& table) {
  const auto page = [this] { return PageOnScreen(state_) != nullptr; };
  const auto overlays = [this] {
    const GraphPage* p = PageOnScreen(state_);
    return p && !p->overlays.empty();
  };
  table.Add({.id = kCmdAddOverlays,
             .text = FERNPLOT_TEXT("Commands", "ﾄﾚｰｽの重ね描き..."),
             .prompt = FERNPLOT_TEXT("Commands",
                                     "ﾃﾞｰﾀﾌｧｲﾙを選んで表示ﾍﾟｰｼﾞに重ねて描きます。\nﾄﾚｰｽの重ね描き"),
             .menu = MenuId::kCompare,
             .menuPlace = {0, 0},
             .toolPlace = {1, 1},
             .icon = OverlayIcon(),
             .run = [this] { AddOverlays(); },
             .enabled = page});
  table.Add({.id = kCmdOverlayFromFile,
             .text = FERNPLOT_TEXT("Commands", "ﾌｧｲﾙから重ね描き..."),
             .prompt = FERNPLOT_TEXT("Commands",
                                     "ｽｲｰﾌﾟ ﾌｧｲﾙ (Touchstone、ﾃｷｽﾄなども) を選んで表示ﾍﾟｰｼﾞに"
                                     "重ねて描きます。\nﾌｧｲﾙから重ね描き"),
             .menu = MenuId::kCompare,
             .menuPlace = {0, 1},
             .run = [this] { AddOverlaysFromFiles(); },
             .enabled = page});
  table.Add({.id = kCmdEditTraces,
             .text = FERNPLOT_TEXT("Commands", "ﾄﾚｰｽの一覧..."),
             .prompt = FERNPLOT_TEXT(
                 "Commands", "表示ﾍﾟｰｼﾞのﾄﾚｰｽを一覧し、削除や基準の設定をします。\nﾄﾚｰｽの一覧"),
             .menu = MenuId::kCompare,
             .menuPlace = {0, 2},
             .run = [this] { EditTraces(); },
             .enabled = overlays});
  table.Add(
      {.id = kCmdDifference,
       .text = FERNPLOT_TEXT("Commands", "基準との差を表示"),
       .prompt = FERNPLOT_TEXT(
           "Commands", "基準ﾄﾚｰｽとの差(ΔGAIN/ΔPHASE)を表示／非表示します。\n基準との差の表示"),
       .menu = MenuId::kCompare,
       .menuPlace = {1, 0},
       .checkable = true,
       .run = [this] { ToggleDifference(); },
       .enabled = overlays,
       .checked =
           [this] {
             const GraphPage* p = PageOnScreen(state_);
             return p && InDifferenceMode(*p);
           }});
}

void PageActions::AddOverlays() {
  if (!PageOnScreen(state_)) return;
  const bool chosen = dialogs_.ChooseOverlayFiles(&window_, state_);
  std::vector<std::string> paths, names;
  for (DataFileEntry& e : state_.dataFiles) {
    if (!(e.flags & kEntrySelected)) continue;
    e.flags &= ~kEntrySelected;
    paths.push_back(e.fullPath);
    names.push_back(e.fileName);
  }
  if (chosen) AddOverlayFilePaths(paths, names);
  emit statesChanged();
}

void PageActions::AddOverlaysFromFiles() {
  const GraphPage* page = PageOnScreen(state_);
  if (!page) return;
  // Beside the page's own file, where its simulations and references
  // usually lie.
  QString folder = QDir::homePath();
  if (!page->sourcePath.empty()) {
    folder = QFileInfo(QFile::decodeName(page->sourcePath.c_str())).absolutePath();
  }
  const QStringList paths = dialogs_.AskOverlayFiles(&window_, folder);
  if (paths.isEmpty()) return;
  AddOverlayFiles(paths);
  emit statesChanged();
}

void PageActions::AddOverlayFiles(const QStringList& paths) {
  std::vector<std::string> bytes;
  for (const QString& path : paths) bytes.push_back(QFile::encodeName(path).toStdString());
  bytes = ExpandFolders(bytes);
  AddOverlayFilePaths(bytes, bytes);
}

void PageActions::AddOverlayFilePaths(const std::vector<std::string>& paths,
                                      const std::vector<std::string>& names) {
  if (!PageOnScreen(state_)) return;
  QStringList failures;
  std::vector<OverlayTrace> traces;
  const TextTranslator* translator = state_.session.drawing.Translator();
  for (size_t i = 0; i < paths.size(); ++i) {
    // Read for the default first: every two-port file has it, so the file
    // tells whether to ask at all.
    SweepFileRead read = ReadSweepFile(paths[i], TwoPortChoice({}), translator);
    if (read.ports >= 2 && read.data && read.data->imported &&
        !read.data->imported->traceName.empty()) {
      const std::string file = std::filesystem::path(paths[i]).filename().string();
      const std::optional<QString> chosen = dialogs_.AskTwoPortParameter(
          &window_, QFile::decodeName(file.c_str()), QString::fromStdString(twoPortParameter_),
          NetworkParameters(read.data->imported->traceName.front(), read.ports));
      if (!chosen) continue;
      twoPortParameter_ = chosen->toStdString();
      if (twoPortParameter_ != kTwoPortParameters[0]) {
        read = ReadSweepFile(paths[i], TwoPortChoice(twoPortParameter_), translator);
      }
    }
    if (!read.importError.empty()) {
      failures << QStringFromUtf8(read.importError);
      continue;
    }
    std::optional<MeasurementData>& data = read.data;
    const std::string& message = read.message;
    const std::string_view name = PageFileName(i < names.size() ? names[i] : paths[i]);
    // A record that came back with a message (no points, a data part cut
    // short) has nothing to lay over the page: refused as unreadable. A full
    // read without a message always has its points.
    if (!data || !message.empty()) {
      const std::string file = std::filesystem::path(paths[i]).filename().string();
      failures << QStringLiteral("%1: %2").arg(
          QFile::decodeName(file.c_str()),
          QStringFromUtf8(LocalizedReaderMessage(message, state_.session.drawing.Translator())));
      continue;
    }
    std::string legend = data->imported ? data->imported->legendName : std::string(name);
    traces.push_back(OverlayTrace{std::move(*data), std::move(legend), paths[i]});
    // Every further trace of another program's file.
    for (MeasurementData& d : read.more) {
      legend = d.imported->legendName;
      traces.push_back(OverlayTrace{std::move(d), std::move(legend), paths[i]});
    }
  }
  state_.session.AddOverlays(std::move(traces));
  if (!failures.isEmpty()) ShowOpenFailures(failures);
}

void PageActions::EditTraces() {
  GraphPage* page = PageOnScreen(state_);
  if (!page || page->overlays.empty()) return;
  const std::optional<TraceListEdit> edit = dialogs_.EditTraces(&window_, TraceListOf(*page));
  if (edit) {
    state_.session.EditCurrent([&](GraphPage& p) {
      if (!ApplyTraceEdit(p, *edit)) return false;
      // A new reference may leave nothing to subtract: the page then goes
      // back to its traces.
      RefuseEmptyDifference(p);
      return true;
    });
  }
  emit statesChanged();
}

void PageActions::ToggleDifference() {
  GraphPage* page = PageOnScreen(state_);
  if (!page || page->overlays.empty()) {
    emit statesChanged();
    return;
  }
  if (InDifferenceMode(*page)) {
    state_.session.ToggleDifference();
    return;
  }
  // A difference with no frequency in common is refused (and said so)
  // before it is drawn.
  const bool shown = state_.session.EditCurrent([this](GraphPage& p) {
    // Without a chosen reference the first overlay is the natural one: the
    // measurement the page was compared with first.
    if (p.referenceIndex < 0 || static_cast<size_t>(p.referenceIndex) >= p.overlays.size()) {
      p.referenceIndex = 0;
    }
    p.showDifference = true;
    return !RefuseEmptyDifference(p);
  });
  if (!shown) emit statesChanged();
}

bool PageActions::RefuseEmptyDifference(GraphPage& page) {
  if (!InDifferenceMode(page) || DifferenceHasPoints(page)) return false;
  page.showDifference = false;
  const OverlayTrace& reference = page.overlays[static_cast<size_t>(page.referenceIndex)];
  const std::string file = std::filesystem::path(reference.path).filename().string();
  const QString name =
      file.empty() ? QStringFromUtf8(reference.fileName) : QFile::decodeName(file.c_str());
  dialogs_.ShowWarning(&window_, tr("%1: 基準ﾄﾚｰｽにはｸﾞﾗﾌと重なる周波数のﾃﾞｰﾀがありません。\n"
                                    "差分は表示しません。")
                                     .arg(name));
  return true;
}

}  // namespace fernplot
