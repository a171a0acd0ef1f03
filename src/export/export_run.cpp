#include "export_run.h"

#include <filesystem>
#include <fstream>
#include <system_error>

#include "app_state.h"
#include "datafile/csv_export.h"
#include "datafile/data_file_list_cells.h"
#include "datafile/data_file_scan.h"
#include "datafile/reader.h"
#include "export_json.h"
#include "fernplot_version.h"
#include "graph/page_builder.h"
#include "page_output.h"
#include "props/settings_file.h"
#include "qt_text_measurer.h"
#include "text/atomic_file.h"

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
bool WriteOutput(ExportFormat format, AppState& state, const GraphPage& page,
                 const std::string& message, double zoom, const std::string& path,
                 std::ostream& err) {
  std::string error;
  bool ok = false;
  switch (format) {
    case ExportFormat::kCsv: {
      const CsvResult r = WriteCalculatedDataCsv(state.pages, state.drawing.CurrentNumber(), path);
      ok = r.ok;
      error = r.error;
      break;
    }
    case ExportFormat::kJson: {
      const WriteFileResult r = WriteFileAtomically(path, MeasurementJson(page.data, message));
      ok = r.ok;
      error = r.error;
      break;
    }
    case ExportFormat::kDrawing: {
      const WriteFileResult r = WriteFileAtomically(path, DrawingJson(state.drawing, page));
      ok = r.ok;
      error = r.error;
      break;
    }
    case ExportFormat::kPng: {
      const OutputResult r = WritePagePng(state.drawing, zoom, path);
      ok = r.ok;
      error = r.error;
      break;
    }
    case ExportFormat::kSvg: {
      const OutputResult r = WritePageSvg(state.drawing, path, page.fileName);
      ok = r.ok;
      error = r.error;
      break;
    }
    case ExportFormat::kPdf: {
      const OutputResult r = WritePagePdf(state.drawing, path, page.fileName);
      ok = r.ok;
      error = r.error;
      break;
    }
  }
  if (!ok) err << path << ": " << (error.empty() ? "cannot be written" : error) << '\n';
  return ok;
}

}  // namespace

int RunExport(const ExportOptions& options, const std::string& programPath, std::ostream& out,
              std::ostream& err) {
  if (options.listPattern) return ListDataFiles(*options.listPattern, out);

  AppState state;
  SetFactoryDefaults(state.defaults);
  const std::string settings =
      options.settingsPath ? *options.settingsPath : DefaultSettingsFilePath(programPath);
  if (options.settingsPath && !std::ifstream(settings)) {
    // Exporting with factory values after a mistyped -s would look like
    // success with the wrong graph settings.
    err << settings << ": the settings file cannot be read\n";
    return kExitUsage;
  }
  LoadSettingsFile(settings, state.defaults, state.crossHairEnabled, state.dataFilePath);
  if (options.calcType) state.defaults.calcType = *options.calcType;

  std::error_code ec;
  std::filesystem::create_directories(options.outputDir, ec);
  if (ec || !std::filesystem::is_directory(options.outputDir)) {
    err << options.outputDir << ": " << (ec ? ec.message() : "not a folder") << '\n';
    return kExitFailure;
  }
  const std::filesystem::path dir(options.outputDir);
  const double zoom = options.zoomPercent / 100.0;

  QtTextMeasurer measurer;
  state.drawing.SetMeasurer(&measurer);
  state.drawing.zoomFactor = zoom;
  state.drawingActive = true;

  bool allWritten = true;
  for (const std::string& path : options.files) {
    std::string message;
    const std::optional<MeasurementData> header = ReadDataFile(true, path, message);
    if (!header) {
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
    state.dataFiles.clear();
    state.dataFiles.push_back(DataFileEntry{kEntrySelected, FileNameOf(path), path, {}, {}});
    const size_t before = state.pages.size();
    UpdatePages(state, kOpenSelected);
    if (state.pages.size() == before) {
      err << path << ": "
          << "the file could not be read again" << '\n';
      allWritten = false;
      continue;
    }
    const GraphPage& page = *state.pages.back();
    for (const ExportFormat format : options.formats) {
      const std::string target = (dir / OutputFileName(page.fileName, format)).string();
      if (!WriteOutput(format, state, page, message, zoom, target, err)) allWritten = false;
    }
    // Pages are written one at a time; keeping them would only hold memory.
    UpdatePages(state, kCloseCurrent);
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
