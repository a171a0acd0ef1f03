// SPDX-License-Identifier: MIT
#pragma once
// The application object: the program-wide state, the main window, start-up
// and shutdown.

#include <QStringList>
#include <memory>
#include <string>
#include <vector>

#include "app_state.h"
#include "props/settings_file.h"
#include "qt_text_measurer.h"
#include "text/ui_text.h"

namespace fernplot {

class CMainFrame;
class FrameDialogs;
class ViewerSettings;

struct StartupOptions {
  // Where the settings live; empty: beside the program.
  std::string settingsFilePath;
  // Data files (or folders) to open as pages, in this order; names as bytes.
  std::vector<std::string> files;
  bool showWindow = true;
  // Restore the window's place and size from the last run and save them at
  // the end (off in tests, which must not touch the user's settings).
  bool rememberWindowPlace = false;
  // The language of the texts the core builds (pages, list cells, reader
  // messages); empty: the source texts.
  TextTranslator coreTexts;
  // The language choice and the recent files; none: not kept (tests).
  ViewerSettings* viewerSettings = nullptr;
};

// The file names of the command line (argv[1..]); the first "--" only ends
// the options and is not a name, and "--lang CODE" before it is an option.
std::vector<std::string> CommandLineFiles(int argc, char** argv);

class CMainApp {
 public:
  CMainApp(FrameDialogs& dialogs, StartupOptions options);
  ~CMainApp();

  // Creates the window, loads the settings, shows the window; the files of
  // the command line are opened once the event loop runs.
  void Start();
  // Destroys the window, releases the file list and the pages, and writes
  // the settings file; a failure is written to stderr, shown to the user
  // unless the program ends on a quit signal, and returned.
  SettingsResult Shutdown(bool quitBySignal = false);

  AppState& State() { return state_; }
  CMainFrame* Frame() const { return frame_.get(); }

 private:
  FrameDialogs& dialogs_;
  StartupOptions options_;
  AppState state_;
  QtTextMeasurer measurer_;
  std::unique_ptr<CMainFrame> frame_;
  bool started_ = false;
  bool shutDown_ = false;
};

}  // namespace fernplot
