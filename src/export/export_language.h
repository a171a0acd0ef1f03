// SPDX-License-Identifier: MIT
#pragma once
// ExportMain in the language of --lang, else of the locale, with the
// translations read through Qt (fernplot-export-render and the tests).

#include <ostream>
#include <string>
#include <vector>

#include "page_drawer.h"

namespace fernplot {

int TranslatedExportMain(const std::vector<std::string>& args, const std::string& programPath,
                         std::ostream& out, std::ostream& err, const PageDrawer* drawer,
                         InFlightFiles* inFlight = nullptr);

}  // namespace fernplot
