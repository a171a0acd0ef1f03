// SPDX-License-Identifier: MIT
#include "main_app.h"

#include <QCoreApplication>
#include <QSettings>
#include <QTimer>
#include <iostream>

#include "datafile/data_file_scan.h"
#include "display/frame_dialogs.h"
#include "display/main_frame.h"
#include "display/page_actions.h"
#include "graph/page_session.h"
#include "qt_convert.h"
#include "window_geometry.h"

namespace fernplot {

namespace {

// The window's place is UI state, kept apart from the settings file.
const QString kWindowSettingsOwner = QStringLiteral("FERNPLOT");
const QString kWindowSettingsName = QStringLiteral("window");

}  // namespace

std::vector<std::string> CommandLineFiles(int argc, char** argv) {
  std::vector<std::string> files;
  bool optionsEnded = false;
  for (int i = 1; i < argc; ++i) {
    const std::string_view arg(argv[i]);
    if (!optionsEnded && arg == "--") {
      optionsEnded = true;
      continue;
    }
    if (!optionsEnded && arg == "--lang") {
      ++i;  // its value
      continue;
    }
    if (!optionsEnded && arg.starts_with("--lang=")) continue;
    files.emplace_back(arg);
  }
  return files;
}

CMainApp::CMainApp(FrameDialogs& dialogs, StartupOptions options)
    : dialogs_(dialogs), options_(std::move(options)) {
  state_.session.drawing.SetMeasurer(&measurer_);
  state_.session.drawing.SetTranslator(&options_.coreTexts);
}

CMainApp::~CMainApp() {
  Shutdown();
}

void CMainApp::Start() {
  started_ = true;
  frame_ = std::make_unique<CMainFrame>(state_, dialogs_);
  frame_->SetViewerSettings(options_.viewerSettings);
  // The window exists but is not shown yet when the settings are read.
  state_.settingsFilePath = options_.settingsFilePath;
  const SettingsLoadResult& load = LoadStartupSettings(state_);
  frame_->UpdateCommandStates();
  const SheetPixels sheet = DefaultSheetPixels(state_.defaults, &measurer_);
  const QSize wanted =
      frame_->WindowSizeToShow(QSize(sheet.width, sheet.height)).expandedTo(frame_->size());
  if (options_.rememberWindowPlace) {
    const QSettings settings(QSettings::IniFormat, QSettings::UserScope, kWindowSettingsOwner,
                             kWindowSettingsName);
    PlaceMainWindow(*frame_, wanted, &settings);
  } else {
    PlaceMainWindow(*frame_, wanted, nullptr);
  }
  if (options_.showWindow) frame_->show();
  if (!load.ok) {
    std::cerr << load.error << '\n';
    QTimer::singleShot(0, frame_.get(), [this, text = QStringFromUtf8(load.error)] {
      dialogs_.ShowWarning(frame_.get(), QCoreApplication::translate(
                                             "fernplot::CMainApp",
                                             "設定ﾌｧｲﾙを読めませんでした。標準値で起動します。\n"
                                             "このﾌｧｲﾙは終了時に上書きしません。\n%1")
                                             .arg(text));
    });
  }
  // From inside the event loop, so that a quit request that arrives while
  // the report of unreadable files is shown ends the program.
  if (!options_.files.empty()) {
    QTimer::singleShot(0, frame_.get(), [this] { frame_->Pages().OpenFilePaths(options_.files); });
  }
}

SettingsResult CMainApp::Shutdown(bool quitBySignal) {
  if (!started_ || shutDown_) return {true, {}};
  shutDown_ = true;
  if (frame_) frame_->KeepViewerChoices();
  if (options_.rememberWindowPlace && frame_) {
    QSettings settings(QSettings::IniFormat, QSettings::UserScope, kWindowSettingsOwner,
                       kWindowSettingsName);
    SaveMainWindowPlace(*frame_, settings);
  }
  frame_.reset();
  ReleaseDataFileList(state_.dataFiles);
  state_.session.ReleaseAll();
  SettingsResult result = SaveStartupSettings(state_);
  if (!result.ok) {
    std::cerr << state_.settingsFilePath << ": the settings cannot be saved: " << result.error
              << '\n';
  }
  // After a quit signal nobody may be there to close a box.
  if (!result.ok && !quitBySignal) {
    dialogs_.ShowWarning(
        nullptr, QCoreApplication::translate("fernplot::CMainApp",
                                             "設定ﾌｧｲﾙを保存できませんでした。\n%1\n%2")
                     .arg(QStringFromUtf8(state_.settingsFilePath), QStringFromUtf8(result.error)));
  }
  return result;
}

}  // namespace fernplot
