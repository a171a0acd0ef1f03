// SPDX-License-Identifier: MIT
#include "export_language.h"

#include <QString>

#include "export_plan.h"
#include "export_run.h"
#include "language.h"

namespace fernplot {

int TranslatedExportMain(const std::vector<std::string>& args, const std::string& programPath,
                         std::ostream& out, std::ostream& err, const PageDrawer* drawer,
                         InFlightFiles* inFlight) {
  const ExportPlan plan = PlanExport(args);
  // The plan settled the language, from --lang or the locale.
  const Translations translations(plan.english ? UiLanguage::kEnglish : UiLanguage::kJapanese,
                                  QString::fromStdString(programPath));
  const TextTranslator translator = translations.CoreTranslator();
  return RunPlan(plan, programPath, out, err, drawer, &translator, inFlight);
}

}  // namespace fernplot
