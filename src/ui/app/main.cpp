// SPDX-License-Identifier: MIT
#include <QApplication>
#include <QSettings>
#include <cstdio>
#include <string_view>
#include <vector>

#include "fernplot_version.h"
#include "font_setup.h"
#include "language.h"
#include "main_app.h"
#include "qt_frame_dialogs.h"
#include "quit_signals.h"
#include "viewer_settings.h"

namespace {

constexpr char kUsage[] =
    "Usage: fernplot [--lang ja|en] [FILE|FOLDER]...\n"
    "Opens each data file (a folder: its *.DAT files) as a page; Touchstone,\n"
    "simulator text exports and delimited tables open too.\n"
    "  --lang ja|en   show the program in Japanese or English (default: the\n"
    "                 language chosen in the program, else the locale's)\n"
    "  --version      print the version\n"
    "  --help         print this text\n"
    "  --             every later argument is a file name\n";

// --version and --help need no display, so they are answered before Qt
// starts; nothing after "--" is an option.
int EarlyAnswer(int argc, char** argv) {
  for (int i = 1; i < argc; ++i) {
    const std::string_view arg(argv[i]);
    if (arg == "--") break;
    if (arg == "--version") {
      std::printf("fernplot %s\n", fernplot::kVersion);
      return 0;
    }
    if (arg == "--help" || arg == "-h") {
      std::fputs(kUsage, stdout);
      return 0;
    }
  }
  return -1;
}

}  // namespace

int main(int argc, char** argv) {
  if (const int rc = EarlyAnswer(argc, argv); rc >= 0) return rc;
  // A wrong option is reported before a display is needed.
  QString languageError;
  const std::optional<fernplot::UiLanguage> option =
      fernplot::LanguageOption(argc, argv, languageError);
  if (!languageError.isEmpty()) {
    std::fprintf(stderr, "fernplot: %s\n\n%s", qPrintable(languageError), kUsage);
    return 2;
  }
  // Before Qt starts any thread, so that every thread inherits the mask.
  fernplot::BlockQuitSignals();
  // Before the application object: its platform start-up warns too.
  fernplot::InstallFontWarningFilter();
  // Qt reads its own options (-style, -platform ...) only before "--": the
  // names after it are files, also when they look like Qt's options. Qt
  // keeps a reference to the count and the array for the application's life.
  int qtArgc = 1;
  while (qtArgc < argc && std::string_view(argv[qtArgc]) != "--") ++qtArgc;
  const int firstFileArg = qtArgc;
  std::vector<char*> qtArgv(argv, argv + qtArgc);
  qtArgv.push_back(nullptr);
  QApplication app(qtArgc, qtArgv.data());
  QApplication::setApplicationName(QStringLiteral("FERNPLOT"));
  fernplot::ViewerSettings viewerSettings;
  const fernplot::Translations translations(
      fernplot::ChooseLanguage(option, viewerSettings.Language(), QLocale::system()),
      QCoreApplication::applicationFilePath());

  fernplot::InstallFontSubstitutions();
  fernplot::QuitSignalWatcher quitWatcher;

  fernplot::QtFrameDialogs dialogs;
  fernplot::StartupOptions options;
  options.rememberWindowPlace = true;
  options.viewerSettings = &viewerSettings;
  options.coreTexts = translations.CoreTranslator();
  // The raw bytes: a name that is not valid text must still open. What Qt
  // left of the arguments before "--", then "--" and everything after it.
  std::vector<char*> fileArgs(qtArgv.begin(), qtArgv.begin() + qtArgc);
  fileArgs.insert(fileArgs.end(), argv + firstFileArg, argv + argc);
  options.files = fernplot::CommandLineFiles(static_cast<int>(fileArgs.size()), fileArgs.data());
  fernplot::CMainApp program(dialogs, std::move(options));
  program.Start();
  const int rc = QApplication::exec();
  program.Shutdown(quitWatcher.Received());
  return rc;
}
