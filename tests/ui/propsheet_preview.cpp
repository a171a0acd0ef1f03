// SPDX-License-Identifier: MIT
// Manual look at the property sheet (not run by ctest):
//   propsheet_preview <tab> [defaults] [invalid]
// opens the sheet on tab <tab> for a few seconds so a screenshot can be taken;
// "invalid" types a bad length on an axis tab and tries to leave it, which
// brings up the real message box. On OK the changed fields are printed.

#include <QApplication>
#include <QLineEdit>
#include <QTimer>
#include <cstdio>
#include <cstring>

#include "font_setup.h"
#include "propsheet/prop_sheet.h"
#include "propsheet/sheet_tabs.h"

using namespace fernplot;

int main(int argc, char** argv) {
  QApplication app(argc, argv);
  InstallFontSubstitutions();
  const int tab = argc > 1 ? std::atoi(argv[1]) : 0;
  bool defaults = false;
  bool invalid = false;
  for (int i = 2; i < argc; ++i) {
    if (std::strcmp(argv[i], "defaults") == 0) defaults = true;
    if (std::strcmp(argv[i], "invalid") == 0) invalid = true;
  }
  GraphProperties record = FactoryDefaults();
  record.fonts[kFontGraphTitle].faceName = "IPAPGothic";
  CPropSht1 sheet(nullptr, !defaults, record, DesktopSheetServices(),
                  PageFacts{.dataTitle = "RC LOW-PASS 1kΩ/100nF"});
  sheet.move(40, 40);
  sheet.show();
  QTimer::singleShot(200, [&] {
    sheet.selectPage(tab);
    if (invalid && tab >= 1 && tab <= 3) {
      auto* page = static_cast<AxisPage*>(sheet.tabs()->currentWidget());
      page->lengthBox()->setText("300");
      QTimer::singleShot(200, [&] { sheet.selectPage(0); });
    }
  });
  QTimer::singleShot(4000, &app, [&] { QApplication::exit(0); });
  app.exec();
  return 0;
}
