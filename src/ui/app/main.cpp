// SPDX-License-Identifier: MIT
#include <QApplication>

#include "font_setup.h"
#include "main_app.h"
#include "qt_frame_dialogs.h"
#include "quit_signals.h"

int main(int argc, char** argv) {
  // Before Qt starts any thread, so that every thread inherits the mask.
  fernplot::BlockQuitSignals();
  // Before the application object: its platform start-up warns too.
  fernplot::InstallFontWarningFilter();
  QApplication app(argc, argv);
  QApplication::setApplicationName(QStringLiteral("FERNPLOT"));
  fernplot::InstallFontSubstitutions();
  fernplot::QuitSignalWatcher quitWatcher;

  fernplot::QtFrameDialogs dialogs;
  fernplot::StartupOptions options;
  options.rememberWindowPlace = true;
  // The raw bytes: a name that is not valid text must still open. Qt has
  // taken its own options out of argv by now.
  options.files = fernplot::CommandLineFiles(argc, argv);
  fernplot::CMainApp program(dialogs, std::move(options));
  program.Start();
  const int rc = QApplication::exec();
  program.Shutdown(quitWatcher.Received());
  return rc;
}
