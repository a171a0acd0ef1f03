// SPDX-License-Identifier: MIT
#include "main_app.h"

#include <QSettings>
#include <QTimer>

#include "datafile/data_file_scan.h"
#include "display/frame_dialogs.h"
#include "display/main_frame.h"
#include "graph/page_session.h"
#include "qt_convert.h"
#include "window_geometry.h"

namespace fernplot {

namespace {

// The window's place is UI state, kept apart from the settings file.
const QString kWindowSettingsOwner = QStringLiteral("FERNPLOT");
const QString kWindowSettingsName = QStringLiteral("window");

}  // namespace

CMainApp::CMainApp(FrameDialogs& dialogs, StartupOptions options)
    : dialogs_(dialogs), options_(std::move(options)) {
  state_.session.drawing.SetMeasurer(&measurer_);
}

CMainApp::~CMainApp() {
  Shutdown();
}

void CMainApp::Start() {
  started_ = true;
  frame_ = std::make_unique<CMainFrame>(state_, dialogs_);
  // The window exists but is not shown yet when the settings are read.
  state_.settingsFilePath = options_.settingsFilePath;
  LoadStartupSettings(state_);
  frame_->UpdateCommandStates();
  if (options_.rememberWindowPlace) {
    const QSettings settings(QSettings::IniFormat, QSettings::UserScope, kWindowSettingsOwner,
                             kWindowSettingsName);
    PlaceMainWindow(*frame_, frame_->size(), &settings);
  } else {
    PlaceMainWindow(*frame_, frame_->size(), nullptr);
  }
  if (options_.showWindow) frame_->show();
  // From inside the event loop, so that a quit request that arrives while
  // the report of unreadable files is shown ends the program.
  if (!options_.files.isEmpty()) {
    QTimer::singleShot(0, frame_.get(), [this] { frame_->OpenFiles(options_.files); });
  }
}

SettingsResult CMainApp::Shutdown() {
  if (!started_ || shutDown_) return {true, {}};
  shutDown_ = true;
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
    dialogs_.ShowWarning(
        nullptr, QStringLiteral("設定ﾌｧｲﾙを保存できませんでした。\n%1\n%2")
                     .arg(QStringFromUtf8(state_.settingsFilePath), QStringFromUtf8(result.error)));
  }
  return result;
}

}  // namespace fernplot
