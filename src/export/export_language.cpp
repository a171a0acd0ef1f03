// SPDX-License-Identifier: MIT
#include "export_language.h"

#include <QLocale>
#include <QString>

#include "export_args.h"
#include "export_run.h"
#include "language.h"

namespace fernplot {

int TranslatedExportMain(const std::vector<std::string>& args, const std::string& programPath,
                         std::ostream& out, std::ostream& err, const PageDrawer* drawer,
                         InFlightFiles* inFlight) {
  // A usage error is reported by ExportMain; here only the language counts.
  const ParsedArgs parsed = ParseExportArgs(args);
  const std::optional<UiLanguage> option = parsed.options && parsed.options->language
                                               ? ParseLanguage(*parsed.options->language)
                                               : std::nullopt;
  const Translations translations(ChooseLanguage(option, std::nullopt, QLocale::system()),
                                  QString::fromStdString(programPath));
  const TextTranslator translator = translations.CoreTranslator();
  return ExportMain(args, programPath, out, err, drawer, &translator, inFlight);
}

}  // namespace fernplot
