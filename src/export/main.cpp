// SPDX-License-Identifier: MIT
// fernplot-export: data files to CSV, JSON, PNG, SVG, PDF or the built sheet,
// without a display.
#include <QCoreApplication>
#include <QGuiApplication>
#include <QHashFunctions>
#include <iostream>
#include <string>
#include <vector>

#include "export_run.h"
#include "font_setup.h"

int main(int argc, char** argv) {
  // Hash order decides the order of some objects in a PDF (fonts); a fixed
  // seed makes the same input give the same bytes on every run.
  QHashSeed::setDeterministicGlobalSeed();
  // Fonts need a GUI application object, but nothing here needs a screen.
  if (qEnvironmentVariableIsEmpty("QT_QPA_PLATFORM")) qputenv("QT_QPA_PLATFORM", "offscreen");
  QGuiApplication app(argc, argv);
  fernplot::InstallFontSubstitutions();
  fernplot::InstallFontWarningFilter();

  std::vector<std::string> args;
  for (int i = 1; i < argc; ++i) args.emplace_back(argv[i]);
  // The real location of the program, also when it was started through PATH.
  const std::string program = QCoreApplication::applicationFilePath().toStdString();
  return fernplot::ExportMain(args, program.empty() ? std::string(argv[0]) : program, std::cout,
                              std::cerr);
}
