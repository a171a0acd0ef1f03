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
  } else if (o.properties) {
    plan.action = ExportPlan::Action::kProperties;
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

namespace {

// One spelling for every way of naming an output path ("D/X.pdf",
// "./D//X.pdf"), so that two outputs of the run are told to be one file
// before either exists.
std::string OutputKey(const std::string& path) {
  std::error_code ec;
  const std::filesystem::path absolute = std::filesystem::absolute(path, ec);
  return (ec ? std::filesystem::path(path) : absolute).lexically_normal().string();
}

}  // namespace

OutputClaims::OutputClaims(const ExportOptions& options, const std::vector<std::string>& inputs)
    : options_(options) {
  for (const std::string& input : inputs) {
    struct stat st {};
    if (stat(input.c_str(), &st) == 0) inputs_.push_back({st.st_dev, st.st_ino, input});
  }
  // The report is named on the command line: it is claimed before any page.
  if (options_.reportPath) {
    const std::string& report = *options_.reportPath;
    reportRefusal_ = InputAt(report);
    if (reportRefusal_.empty()) {
      written_.emplace(OutputKey(report), "--report");
    } else {
      reportRefusal_ = report + ": not written: it is the input " + reportRefusal_ + "\n";
    }
  }
}

std::string OutputClaims::InputAt(const std::string& path) const {
  struct stat st {};
  if (stat(path.c_str(), &st) != 0) return {};
  for (const Input& in : inputs_) {
    if (in.dev == st.st_dev && in.ino == st.st_ino) return in.path;
  }
  return {};
}

std::vector<OutputTarget> OutputClaims::Claim(size_t index, bool asImpedance) {
  const std::string& input = options_.files[index];
  const std::string name(PageFileName(std::filesystem::path(input).filename().string()));
  std::vector<OutputTarget> targets;
  for (const ExportFormat format : options_.formats) {
    OutputTarget t{
        (std::filesystem::path(options_.outputDir) / OutputFileName(name, format, asImpedance))
            .string(),
        {}};
    const std::string key = OutputKey(t.path);
    if (const auto it = written_.find(key); it != written_.end()) {
      t.refusal =
          t.path + ": not written for " + input + ": it is the output of " + it->second + "\n";
    } else if (const std::string in = InputAt(t.path); !in.empty()) {
      t.refusal = t.path + ": not written for " + input + ": it is the input " + in + "\n";
    }
    if (t.refusal.empty()) written_.emplace(key, input);
    targets.push_back(std::move(t));
  }
  return targets;
}

}  // namespace fernplot
