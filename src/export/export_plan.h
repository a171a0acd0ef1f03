// SPDX-License-Identifier: MIT
#pragma once
// What a command line asks of fernplot-export, worked out once: what to do,
// in which language, and whether fonts are needed. fernplot-export decides
// from it whether to hand the run to fernplot-export-render (Qt's fonts and
// the translations), and the run follows it.

#include <sys/types.h>

#include <map>
#include <string>
#include <vector>

#include "export_args.h"

namespace fernplot {

struct ExportPlan {
  enum class Action { kUsageError, kHelp, kVersion, kProperties, kList, kExport };
  Action action = Action::kUsageError;
  std::string usageError;  // why, for kUsageError
  ExportOptions options;   // as given (the defaults for kUsageError)
  // Texts and messages in English (--lang en, else an English locale).
  bool english = false;
  // A drawn format: the pages are laid out with real fonts.
  bool drawn = false;

  // Whether the run needs Qt: fonts, or the translations.
  bool NeedsQt() const {
    return (action == Action::kExport || action == Action::kList) && (drawn || english);
  }
};

// `args` excludes the program name. The locale is the environment's, read
// as Qt reads it here: LC_ALL, LC_MESSAGES, LANG, the first one set.
ExportPlan PlanExport(const std::vector<std::string>& args);

// English for a locale name ("en_GB.UTF-8"); Japanese for ja*, C and POSIX,
// and when no locale is set.
bool LocaleIsEnglish(const char* lcAll, const char* lcMessages, const char* lang);

// One output of one input: where it goes and, when it may not be written
// (it would replace an input or an earlier output of the run), why.
struct OutputTarget {
  std::string path;
  std::string refusal;  // empty: it may be written
};

// Where each input's outputs go, claimed in input order: an output that
// would land on an earlier output or on any file in `inputs` (pages,
// overlays, the reference, the settings file) is refused. An input that
// cannot be read claims nothing, so Claim is called as each input is read.
class OutputClaims {
 public:
  OutputClaims(const ExportOptions& options, const std::vector<std::string>& inputs);
  // The outputs of `options.files[index]`, one per format in order;
  // `asImpedance` when its page is written as an impedance
  // (ExportJob::asImpedance).
  std::vector<OutputTarget> Claim(size_t index, bool asImpedance = false);
  // Why the --report file may not be written (it is an input); empty when
  // it may. It is claimed first, so a page output at its path is refused.
  const std::string& ReportRefusal() const { return reportRefusal_; }

 private:
  // The path of the input `path` is, or empty.
  std::string InputAt(const std::string& path) const;
  struct Input {
    dev_t dev;
    ino_t ino;
    std::string path;
  };
  const ExportOptions& options_;
  std::vector<Input> inputs_;
  std::map<std::string, std::string> written_;  // output path -> its input
  std::string reportRefusal_;
};

}  // namespace fernplot
