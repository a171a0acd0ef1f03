// SPDX-License-Identifier: MIT
#include "export_run.h"

#include <filesystem>
#include <fstream>
#include <system_error>

#include "analysis/figures_text.h"
#include "datafile/data_file_list_cells.h"
#include "datafile/data_file_scan.h"
#include "datafile/reader.h"
#include "export_formats.h"
#include "fernplot_version.h"
#include "graph/page_figures.h"
#include "graph/page_session.h"
#include "props/settings_file.h"
#include "qt_text_measurer.h"

namespace fernplot {

namespace {

int ListDataFiles(const std::string& pattern, std::ostream& out) {
  DataFileList list;
  ScanDataFiles(NormalizeSearchPattern(pattern), list);
  for (const DataFileEntry& entry : list) {
    const DataFileListRow cells = DataFileListCells(entry);
    for (size_t i = 0; i < cells.size(); ++i) {
      if (i) out << '\t';
      out << cells[i];
    }
    out << '\n';
  }
  return kExitOk;
}

std::string FileNameOf(const std::string& path) {
  return std::filesystem::path(path).filename().string();
}

// Writes one output; false (with the failure on `err`) when it could not.
bool WriteOutput(ExportFormat format, PageSession& session, const GraphPage& page,
                 const std::string& message, double zoom, const std::string& path,
                 std::ostream& err) {
  const WriteFileResult r = format->write({session.drawing, page, message, zoom}, path);
  if (!r.ok) err << path << ": " << (r.error.empty() ? "cannot be written" : r.error) << '\n';
  return r.ok;
}

}  // namespace

int RunExport(const ExportOptions& options, const std::string& programPath, std::ostream& out,
              std::ostream& err) {
  if (options.listPattern) return ListDataFiles(*options.listPattern, out);

  GraphProperties defaults = FactoryDefaults();
  bool crossHairEnabled = false;  // read with the settings, not used here
  std::string dataFilePath;
  const std::string settings =
      options.settingsPath ? *options.settingsPath : DefaultSettingsFilePath(programPath);
  const SettingsLoadResult load = LoadSettingsFile(settings, defaults, crossHairEnabled, dataFilePath);
  if (options.settingsPath && (!load.ok || load.missing)) {
    // Exporting with factory values after a mistyped -s would look like
    // success with the wrong graph settings.
    err << (load.ok ? settings + ": the settings file cannot be read" : load.error) << '\n';
    return kExitUsage;
  }
  if (!load.ok) {
    // The program's own file: say so, and go on with the factory values.
    err << load.error << '\n';
  }
  if (options.calcType) defaults.calcType = *options.calcType;
  if (options.marginReferenceZero) defaults.marginReferenceZero = *options.marginReferenceZero;

  // A summary alone writes no files and needs no output folder.
  std::error_code ec;
  if (!options.formats.empty()) std::filesystem::create_directories(options.outputDir, ec);
  if (!options.formats.empty() && (ec || !std::filesystem::is_directory(options.outputDir))) {
    err << options.outputDir << ": " << (ec ? ec.message() : "not a folder") << '\n';
    return kExitFailure;
  }
  const std::filesystem::path dir(options.outputDir);
  const double zoom = options.zoomPercent / 100.0;

  QtTextMeasurer measurer;
  PageSession session;
  session.drawing.SetMeasurer(&measurer);
  session.drawingActive = true;

  bool allWritten = true;
  for (const std::string& path : options.files) {
    std::string message;
    std::optional<MeasurementData> data = ReadDataFile(true, path, message);
    if (!data) {
      err << path << ": " << message << '\n';
      allWritten = false;
      continue;
    }
    // A record that came back with a message (no points) still makes a page,
    // as in the viewer; the file counts as failed all the same.
    if (!message.empty()) {
      err << path << ": " << message << '\n';
      allWritten = false;
    }
    session.OpenPage(defaults, std::move(*data), PageFileName(FileNameOf(path)));
    const GraphPage& page = *session.pages.back();
    for (const ExportFormat format : options.formats) {
      const std::string target = (dir / OutputFileName(page.fileName, format)).string();
      if (!WriteOutput(format, session, page, message, zoom, target, err)) allWritten = false;
    }
    if (options.summary) out << SummaryLine(page.fileName, PageFigures(page)) << '\n';
    // Pages are written one at a time; keeping them would only hold memory.
    session.CloseCurrent();
  }
  return allWritten ? kExitOk : kExitFailure;
}

int ExportMain(const std::vector<std::string>& args, const std::string& programPath,
               std::ostream& out, std::ostream& err) {
  const ParsedArgs parsed = ParseExportArgs(args);
  if (!parsed.options) {
    err << "fernplot-export: " << parsed.error << "\n\n" << ExportHelpText();
    return kExitUsage;
  }
  if (parsed.options->help) {
    out << ExportHelpText();
    return kExitOk;
  }
  if (parsed.options->version) {
    out << "fernplot-export " << kVersion << '\n';
    return kExitOk;
  }
  return RunExport(*parsed.options, programPath, out, err);
}

}  // namespace fernplot
