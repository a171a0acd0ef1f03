// SPDX-License-Identifier: MIT
#pragma once
// What fernplot-export does once its command line is parsed. The drawn
// formats need a PageDrawer (fernplot-export-render has the Qt one).

#include <ostream>
#include <string>
#include <string_view>
#include <vector>

#include "export_args.h"
#include "export_plan.h"
#include "page_drawer.h"
#include "text/ui_text.h"

namespace fernplot {

// 3: every input was read and written, but one failed its mask.
enum ExitCode : int { kExitOk = 0, kExitFailure = 1, kExitUsage = 2, kExitMaskFailed = 3 };

// The viewer's program name, whose settings file the exporter reads.
inline constexpr std::string_view kViewerProgramName = "fernplot";

// The settings file read without -s: the viewer's "fernplot.CFG" beside
// the program when there is one, else the viewer's per-user file. Never
// written by the exporter.
std::string ExporterSettingsFilePath(const std::string& programPath);

// The settings file a run of `options` reads: none (empty) with --factory,
// else -s's or ExporterSettingsFilePath's.
std::string RunSettingsFile(const ExportOptions& options, const std::string& programPath);

// Whether `path` is the null device, which reads as an empty settings file.
bool IsNullDevice(const std::string& path);

// The first line of --help: which settings file a run would read.
std::string SettingsHelpLine(const ExportOptions& options, const std::string& programPath);

// The inputs with every folder replaced by its data files in name order,
// named under the folder as given; a folder without any is reported on
// `err` and clears `ok`.
std::vector<std::string> ExpandInputFolders(const std::vector<std::string>& inputs,
                                            std::ostream& err, bool& ok);

// `programPath` locates the program's own settings file when -s is not given.
// Files are exported on options.jobs threads; what is printed and written is
// the same for any number. A progress line goes to std::cerr when `err` is
// std::cerr on a terminal. Page texts, the list's cells and the reader's
// messages are in the language of `translator` (none: the source texts).
// Temporary files are listed in `inFlight` (when given) while they exist.
int RunExport(const ExportOptions& options, const std::string& programPath, std::ostream& out,
              std::ostream& err, const PageDrawer* drawer = nullptr,
              const TextTranslator* translator = nullptr, InFlightFiles* inFlight = nullptr);

// Does what `plan` says: prints help, the version or the usage error, lists
// or exports. Texts are in the language of `translator`.
int RunPlan(const ExportPlan& plan, const std::string& programPath, std::ostream& out,
            std::ostream& err, const PageDrawer* drawer = nullptr,
            const TextTranslator* translator = nullptr, InFlightFiles* inFlight = nullptr);

// RunPlan of the plan of `args` (without the program name).
int ExportMain(const std::vector<std::string>& args, const std::string& programPath,
               std::ostream& out, std::ostream& err, const PageDrawer* drawer = nullptr,
               const TextTranslator* translator = nullptr, InFlightFiles* inFlight = nullptr);

// Whether the run speaks English (--lang en, or an English locale): the
// translations are read with Qt, so such a run goes to
// fernplot-export-render too.
bool ExportWantsEnglish(const std::vector<std::string>& args);

}  // namespace fernplot
