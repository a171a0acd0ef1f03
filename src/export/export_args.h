// SPDX-License-Identifier: MIT
#pragma once
// Command line of fernplot-export.

#include <optional>
#include <string>
#include <vector>

#include "analysis/channel_ratio.h"
#include "analysis/fit/vector_fit.h"
#include "analysis/loop_kinds.h"
#include "export_formats.h"
#include "impedance_args.h"
#include "production_args.h"

namespace fernplot {

// An entry of kExportFormats (export_formats.h).
using ExportFormat = const ExportFormatEntry*;

// The most files -j exports at once: one thread each.
inline constexpr int kMaxJobs = 256;

struct ExportOptions {
  bool help = false;
  bool version = false;     // --version: print the version and stop
  bool properties = false;  // --properties: list the page properties and stop
  // -l PATTERN: list the data files instead of exporting.
  std::optional<std::string> listPattern;
  std::string outputDir = ".";
  std::optional<std::string> settingsPath;
  // --factory: the factory settings, whatever settings file there is.
  bool factory = false;
  std::optional<ChannelRatio> calcType;
  int zoomPercent = 100;
  // --margin-reference: phase margins against 0° (true) or -180° (false)
  // instead of the settings file's reference.
  std::optional<bool> marginReferenceZero;
  // --right: what the right axis shows (a RightAxisQuantity) instead of
  // the settings file's choice.
  std::optional<int> rightAxis;
  // --view, --loop, --nyquist-radius: the loop views' choices instead of
  // the settings file's.
  std::optional<ViewKind> view;
  std::optional<LoopCurve> loopCurve;
  std::optional<double> nyquistRadius;
  // --no-contours: the Nichols chart leaves out its M contours.
  std::optional<bool> nicholsContours;
  // --set NAME=VALUE: page properties by name, applied in order after the
  // settings file and the options above.
  std::vector<std::pair<std::string, std::string>> setProperties;
  // --marks: every page marks its figures on the gain curve.
  bool marks = false;
  bool summary = false;  // --summary: one line of figures per file on stdout
  // --summary=csv|tsv: the figures as a table on stdout instead, its cells
  // separated by ',' or '\t'.
  char summaryTable = 0;
  // --fit-order, --fit-delay: the model -f model fits (automatic order and
  // no delay by default).
  FitOptions fit;
  // --fit-overlay: every page written shows its fitted model, dashed.
  bool fitOverlay = false;
  std::vector<ExportFormat> formats;  // in the order given, no repeats
  // --report FILE.pdf: a table of every input's figures, then every page.
  std::optional<std::string> reportPath;
  // --overlay: laid over every page, in the order given.
  std::vector<std::string> overlays;
  // --difference: every page is drawn minus this file.
  std::optional<std::string> differenceFile;
  // Data files, and folders standing for their data files.
  std::vector<std::string> files;
  // --sparam S21, S31, Z11, S1_12...: the parameter a Touchstone file gives
  // (default S21, a one-port's S11).
  std::string sparam;
  // --lang ja|en: the language of page texts and messages (default: the
  // locale's).
  std::optional<std::string> language;
  // -j N: files exported at once; 0 for one per online processor.
  int jobs = 0;
  bool quiet = false;  // --quiet: no progress line on a terminal
  // --mask, --statistics and their choices.
  ProductionOptions production;
  // --columns, --circuit and its choices, the Kramers-Kronig test's.
  ImpedanceOptions impedance;
};

struct ParsedArgs {
  std::optional<ExportOptions> options;  // empty on a usage error
  std::string error;                     // why, for the usage message
};

// `args` excludes the program name.
ParsedArgs ParseExportArgs(const std::vector<std::string>& args);

std::string ExportHelpText();

// The file name an output gets for the page named `name`; `asImpedance`
// for a page written as an impedance (ExportJob::asImpedance).
std::string OutputFileName(const std::string& name, ExportFormat format, bool asImpedance = false);

}  // namespace fernplot
