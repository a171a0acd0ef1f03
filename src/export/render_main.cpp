// SPDX-License-Identifier: MIT
// fernplot-export-render: fernplot-export with the drawn formats (PNG, SVG,
// PDF, the built sheet). fernplot-export runs it when a run needs fonts;
// started directly it is the whole exporter.
#include <malloc.h>

#include <QCoreApplication>
#include <QGuiApplication>
#include <QHashFunctions>
#include <iostream>
#include <memory>
#include <string>
#include <vector>

#include "cpu/vector_state.h"
#include "export_language.h"
#include "export_run.h"
#include "font_setup.h"
#include "qt_page_drawer.h"
#include "quit_signals.h"

int main(int argc, char** argv) {
  // A page's image and its filtered and compressed copies are a few MB
  // each. Kept in the heap between pages, the next page reuses them; handed
  // back to the kernel after each page (malloc's default for blocks this
  // large), every page faults them in again, which took up to two thirds of
  // a batch's time on a virtual machine.
  mallopt(M_MMAP_THRESHOLD, 64 << 20);
  mallopt(M_TRIM_THRESHOLD, 128 << 20);
  // Hash order decides the order of some objects in a PDF (fonts); a fixed
  // seed makes the same input give the same bytes on every run.
  QHashSeed::setDeterministicGlobalSeed();
  // Fonts need a GUI application object, but nothing here needs a screen:
  // an inherited choice of a display platform (xcb, wayland) would only
  // abort the run where there is no display.
  qputenv("QT_QPA_PLATFORM", "offscreen");
  fernplot::InstallFontWarningFilter();
  // Qt sees only the program's name: every argument is the exporter's, and a
  // file named like one of Qt's options (-reverse, -platform) is a file.
  int qtArgc = 1;
  char* qtArgv[] = {argv[0], nullptr};
  QGuiApplication app(qtArgc, qtArgv);
  fernplot::InstallFontSubstitutions();
  fernplot::ClearUpperVectorState();

  std::vector<std::string> args;
  for (int i = 1; i < argc; ++i) args.emplace_back(argv[i]);
  // fernplot-export passes its own path as argv[0]; started directly
  // (through PATH, say), the program's real location.
  std::string program = argv[0];
  if (program.find('/') == std::string::npos) {
    program = QCoreApplication::applicationFilePath().toStdString();
  }
  const fernplot::QtPageDrawer drawer;
  // Owned here for the whole run; the signal handlers reach it while they
  // are installed.
  const auto inFlight = std::make_unique<fernplot::InFlightFiles>();
  const fernplot::RemoveTempFilesOnQuit cleanup(*inFlight);
  return fernplot::TranslatedExportMain(args, program.empty() ? std::string(argv[0]) : program,
                                        std::cout, std::cerr, &drawer, inFlight.get());
}
