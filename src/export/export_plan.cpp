// SPDX-License-Identifier: MIT
#include "export_plan.h"

#include <sys/stat.h>

#include <algorithm>
#include <cstdlib>
#include <filesystem>
#include <string_view>

#include "graph/page_session.h"

namespace fernplot {

bool LocaleIsEnglish(const char* lcAll, const char* lcMessages, const char* lang) {
  for (const char* value : {lcAll, lcMessages, lang}) {
    if (!value || !*value) continue;
    const std::string_view locale(value);
    return !(locale.starts_with("ja") || locale == "C" || locale.starts_with("C.") ||
             locale == "POSIX");
  }
  return false;
}

ExportPlan PlanExport(const std::vector<std::string>& args) {
  ExportPlan plan;
  ParsedArgs parsed = ParseExportArgs(args);
  if (!parsed.options) {
    plan.usageError = std::move(parsed.error);
    return plan;
  }
  plan.options = std::move(*parsed.options);
  const ExportOptions& o = plan.options;
  if (o.help) {
    plan.action = ExportPlan::Action::kHelp;
  } else if (o.version) {
    plan.action = ExportPlan::Action::kVersion;
  } else {
    plan.action = o.listPattern ? ExportPlan::Action::kList : ExportPlan::Action::kExport;
  }
  plan.english = o.language ? *o.language == "en"
                            : LocaleIsEnglish(std::getenv("LC_ALL"), std::getenv("LC_MESSAGES"),
                                              std::getenv("LANG"));
  plan.drawn = plan.action == ExportPlan::Action::kExport &&
               (o.reportPath || std::any_of(o.formats.begin(), o.formats.end(),
                                            [](ExportFormat f) { return f->drawn; }));
  return plan;
}

OutputClaims::OutputClaims(const ExportOptions& options, const std::vector<std::string>& inputs)
    : options_(options) {
  for (const std::string& input : inputs) {
    struct stat st {};
    if (stat(input.c_str(), &st) == 0) inputs_.push_back({st.st_dev, st.st_ino, input});
  }
}

std::vector<OutputTarget> OutputClaims::Claim(size_t index) {
  const std::string& input = options_.files[index];
  const std::string name(PageFileName(std::filesystem::path(input).filename().string()));
  std::vector<OutputTarget> targets;
  for (const ExportFormat format : options_.formats) {
    OutputTarget t{
        (std::filesystem::path(options_.outputDir) / OutputFileName(name, format)).string(), {}};
    struct stat st {};
    if (const auto it = written_.find(t.path); it != written_.end()) {
      t.refusal =
          t.path + ": not written for " + input + ": it is the output of " + it->second + "\n";
    } else if (stat(t.path.c_str(), &st) == 0) {
      for (const Input& in : inputs_) {
        if (in.dev == st.st_dev && in.ino == st.st_ino) {
          t.refusal = t.path + ": not written for " + input + ": it is the input " + in.path + "\n";
          break;
        }
      }
    }
    if (t.refusal.empty()) written_.emplace(t.path, input);
    targets.push_back(std::move(t));
  }
  return targets;
}

}  // namespace fernplot
