// SPDX-License-Identifier: MIT
#include "export_run.h"

#include <dirent.h>
#include <sys/stat.h>
#include <unistd.h>

#include <algorithm>
#include <cerrno>
#include <cstring>
#include <filesystem>
#include <iostream>
#include <map>
#include <memory>
#include <sstream>
#include <system_error>

#include "analysis/difference.h"
#include "analysis/figures_text.h"
#include "analysis/impedance/circuit_text.h"
#include "analysis/impedance/impedance_figures.h"
#include "analysis/loop.h"
#include "analysis/summary_table.h"
#include "datafile/data_file_list_cells.h"
#include "datafile/data_file_scan.h"
#include "datafile/reader.h"
#include "export_batch.h"
#include "export_formats.h"
#include "fernplot_version.h"
#include "graph/compared_page.h"
#include "graph/page_exchange.h"
#include "graph/page_figures.h"
#include "graph/page_impedance.h"
#include "graph/page_model.h"
#include "graph/page_session.h"
#include "graph/production_marks.h"
#include "import/imported_page.h"
#include "production_run.h"
#include "progress_line.h"
#include "props/property_table.h"
#include "props/settings_file.h"
#include "text/file_path.h"
#include "text/table_cell.h"

namespace fernplot {

namespace {

int ListDataFiles(const std::string& pattern, std::ostream& out, std::ostream& err,
                  const TextTranslator* translator) {
  const DataFileListing listing = ListDataFileRows(pattern, translator);
  if (listing.error != 0) {
    err << listing.folder << ": " << std::strerror(listing.error) << '\n';
    return kExitFailure;
  }
  for (const DataFileListRow& cells : listing.rows) {
    for (size_t i = 0; i < cells.size(); ++i) {
      if (i) out << '\t';
      out << EscapedTableCell(cells[i]);
    }
    out << '\n';
  }
  return kExitOk;
}

std::string FileNameOf(const std::string& path) {
  return std::filesystem::path(path).filename().string();
}

// A run's settings, the same for every file and thread.
struct FileExport {
  const ExportOptions& options;
  const GraphProperties& defaults;
  const Comparison& comparison;
  const PageDrawer* drawer;          // nullptr when no format is drawn
  const TextTranslator* translator;  // page texts and messages; none: the source texts
  double zoom;
  InFlightFiles* inFlight;                // the temporary files being written; may be nullptr
  std::shared_ptr<const LimitMask> mask;  // --mask: every input is judged
  bool lot = false;                       // --statistics: every input joins the lot
  bool lotPicture = false;                // the statistics page is drawn
};

// Files started past the last one printed, per thread: enough to keep every
// thread busy behind a slow file, few enough that their messages are small.
constexpr size_t kFilesAhead = 4;

int OnlineProcessors() {
  const long n = sysconf(_SC_NPROCESSORS_ONLN);
  return n > 0 ? static_cast<int>(std::min<long>(n, kMaxJobs)) : 1;
}

// Whether -f circuit is among the formats asked for.
bool AsksCircuitFile(const FileExport& run) {
  const std::vector<ExportFormat>& f = run.options.formats;
  return std::find(f.begin(), f.end(), FindExportFormat("circuit")) != f.end();
}

// The circuit of --circuit fitted to an impedance page when -f circuit,
// --circuit-overlay or the report (its parameters' columns) asks for it, laid over the page for the
// latter; nothing for a page that is no impedance.
std::optional<CircuitFitResult> FitInputCircuit(const FileExport& run, GraphPage& page) {
  const ImpedanceOptions& o = run.options.impedance;
  if (!o.circuit || !(AsksCircuitFile(run) || o.circuitOverlay || run.options.reportPath)) {
    return std::nullopt;
  }
  std::optional<ImpedanceSpectrum> z = PageImpedance(page);
  if (!z) return std::nullopt;
  CircuitFitOptions options = o.fit;
  options.fmin = run.options.fit.fmin;
  options.fmax = run.options.fit.fmax;
  CircuitFitResult fit = FitCircuit(*o.circuit, z->frequency, z->impedance, options);
  if (o.circuitOverlay && fit.ok()) {
    ApplyPageCircuit(page, o.circuit, options, std::move(*z), fit);
    // Drawn as any overlay is, not as the viewer's model it could be refitted as.
    page.fit.reset();
    for (OverlayTrace& t : page.overlays) t.isModel = false;
  }
  return fit;
}

// What stderr says of a circuit fit: why it failed, or which parameters the
// data do not determine.
std::string CircuitFitMessages(const std::string& path, const CircuitFitResult& fit) {
  if (!fit.ok()) return path + ": --circuit: " + fit.error + "\n";
  std::string text;
  for (const FittedParameter& p : fit.parameters) {
    if (p.Undetermined())
      text += path + ": --circuit: " + p.name + " is not determined by the data\n";
  }
  return text;
}

// Reads one file and writes its outputs; what it prints is returned, in the
// order a run of one thread prints it. Which outputs it may write is decided
// in input order (its turn), so a name clash is settled as in one thread.
TaskOutput ExportFile(const FileExport& run, size_t index, TextMeasurer* measurer,
                      OutputClaims& claims, TaskTurn& turn) {
  const std::string& path = run.options.files[index];
  TaskOutput result;
  std::ostringstream err;
  SweepFileRead read = ReadSweepFile(
      path, {run.options.sparam, false, run.options.impedance.columns, run.options.impedance.zFrom},
      run.translator);
  if (!read.importError.empty()) {
    result.err = read.importError + "\n";
    result.ok = false;
    result.usage = read.missingSelection;
    return result;
  }
  std::optional<MeasurementData>& data = read.data;
  const std::string& message = read.message;
  if (!data) {
    result.err = path + ": " + LocalizedReaderMessage(message, run.translator) + "\n";
    result.ok = false;
    if (run.options.summaryTable) {
      std::vector<std::string> cells = SummaryCells(UnreadableSummaryRow(path));
      if (run.mask) {
        for (std::string& c : VerdictCells(*run.mask, nullptr)) cells.push_back(std::move(c));
      }
      result.out = SummaryLineOf(cells, run.options.summaryTable);
    }
    if (run.options.reportPath) {
      result.reportRow = UnreadableReportRow(
          FileNameOf(path), LocalizedReaderMessage(message, run.translator), run.translator);
      if (run.options.impedance.circuit) {
        for (std::string& c : CircuitReportCells(*run.options.impedance.circuit, nullptr)) {
          result.reportRow.push_back(std::move(c));
        }
      }
      if (run.mask) result.reportRow.emplace_back();  // not judged
    }
    return result;
  }
  // A record that came back with a message (no points) still makes a page,
  // as in the viewer; the file counts as failed all the same.
  if (!message.empty()) {
    err << path << ": " << LocalizedReaderMessage(message, run.translator) << '\n';
    result.ok = false;
  }
  ComparedPage compared = MakeComparedPage(
      run.defaults, std::move(*data), std::move(read.more), path, run.comparison, run.options.marks,
      run.options.fitOverlay ? &run.options.fit : nullptr, run.translator);
  err << compared.errors;
  if (!compared.ok) result.ok = false;
  std::unique_ptr<GraphPage>& made = compared.page;
  const std::unique_ptr<GraphPage>& measured = compared.measured;
  // The circuit is fitted once, for its file and for its overlay; its faults
  // are named where its file is written, or here when none is.
  const std::optional<CircuitFitResult> circuitFit = FitInputCircuit(run, *made);
  if (circuitFit && !AsksCircuitFile(run)) {
    err << CircuitFitMessages(path, *circuitFit);
    if (!circuitFit->ok()) result.ok = false;
  }
  // Judged on the curve it shows, against the figures of the loop gain as
  // measured; a page drawn shows the mask.
  std::optional<MaskVerdict> verdict;
  if (run.mask) {
    verdict = JudgePage(*run.mask, *made, measured ? *measured : *made);
    result.maskFailed = !verdict->pass;
    DrawMaskOn(*made, run.mask, *verdict);
  }
  // A record whose points could not be read stays out of the lot.
  if (run.lot && message.empty()) {
    result.lot = LotInput{
        PageUsablePoints(*made), MaskFigureValues(PageFigures(measured ? *measured : *made)),
        run.lotPicture ? std::make_shared<const MeasurementData>(made->data) : nullptr};
  }
  // Which outputs may be written is decided in input order, so that a name
  // clash is settled as on one thread.
  std::vector<OutputTarget> targets;
  // Decided once, before the claim: it names the output (.s1p for .s2p).
  const bool asImpedance =
      std::any_of(run.options.formats.begin(), run.options.formats.end(),
                  [](ExportFormat f) { return !f->impedanceSuffix.empty(); }) &&
      TouchstoneOfImpedance(*made);
  turn.Step([&] { targets = claims.Claim(index, asImpedance); });
  // Each file is laid out in a drawing of its own, so that its outputs do
  // not depend on the files exported before it (or on another thread's).
  auto kept = std::make_shared<PageSession>();
  PageSession& session = *kept;
  // Overlay curves are thinned for the grids pictures are written on.
  session.curveGrids = CurveGridsWithZoom(run.zoom);
  const GraphPage* page = made.get();
  if (run.drawer) {
    session.drawing.SetMeasurer(measurer);
    session.drawing.SetTranslator(run.translator);
    session.drawingActive = true;
    page = session.AddPage(std::move(made));
  }
  for (size_t k = 0; k < run.options.formats.size(); ++k) {
    const auto& [target, refusal] = targets[k];
    if (!refusal.empty()) {
      // Printed where a run on one thread prints it.
      err << refusal;
      result.ok = false;
      continue;
    }
    const bool figures = measured && run.options.formats[k] == FindExportFormat("figures");
    // A page the model cannot be fitted to is a fault of the input, named
    // by its path; the file's other outputs are written all the same.
    std::optional<FitModel> model;
    if (run.options.formats[k] == FindExportFormat("model")) {
      FitResult fit = FitSweep(PageUsablePoints(measured ? *measured : *page), run.options.fit);
      if (!fit.model) {
        err << path << ": " << FitErrorMessage(fit, run.translator) << '\n';
        result.ok = false;
        continue;
      }
      model = std::move(fit.model);
    }
    const bool circuitFormat = run.options.formats[k] == FindExportFormat("circuit");
    if (circuitFormat && circuitFit) {
      err << CircuitFitMessages(path, *circuitFit);
      if (!circuitFit->ok()) {
        result.ok = false;
        continue;
      }
    }
    const WriteFileResult r = run.options.formats[k]->write(
        {session.drawing, figures || model ? (measured ? *measured : *page) : *page, message,
         run.zoom, run.drawer, run.inFlight, model ? &*model : nullptr, run.mask.get(),
         verdict ? &*verdict : nullptr, figures && page->loopCurveShown ? page : nullptr,
         &run.options.impedance, circuitFormat && circuitFit ? &*circuitFit : nullptr, asImpedance},
        target);
    if (!r.ok) {
      err << target << ": " << (r.error.empty() ? "cannot be written" : r.error) << '\n';
      result.ok = false;
    }
  }
  if (run.options.reportPath) {
    const GraphPage& figuresPage = measured ? *measured : *page;
    // A file whose points could not be read still gives its page, but the
    // table says why it has no figures instead of showing an empty row.
    result.reportRow =
        message.empty()
            ? ReportRow(MakeSummaryRow(WithParameterName(figuresPage, FileNameOf(path)),
                                       figuresPage.facts.dataTitle, PageFigures(figuresPage),
                                       figuresPage.properties.loopJudgement))
            : UnreadableReportRow(FileNameOf(path), LocalizedReaderMessage(message, run.translator),
                                  run.translator);
    if (message.empty() && IsImpedancePage(figuresPage)) ClearRatioFigures(result.reportRow);
    if (run.options.impedance.circuit) {
      for (std::string& c : CircuitReportCells(*run.options.impedance.circuit,
                                               circuitFit ? &*circuitFit : nullptr)) {
        result.reportRow.push_back(std::move(c));
      }
    }
    if (verdict) result.reportRow.push_back(verdict->pass ? "PASS" : "FAIL");
    if (run.drawer) result.reportPage = kept;
  }
  if (run.options.summaryTable) {
    const GraphPage& figuresPage = measured ? *measured : *page;
    std::vector<std::string> cells =
        SummaryCells(MakeSummaryRow(path, figuresPage.facts.dataTitle, PageFigures(figuresPage),
                                    figuresPage.properties.loopJudgement));
    if (run.mask) {
      for (std::string& c : VerdictCells(*run.mask, verdict ? &*verdict : nullptr)) {
        cells.push_back(std::move(c));
      }
    }
    result.out = SummaryLineOf(cells, run.options.summaryTable);
  } else if (run.options.summary) {
    const GraphPage& figuresPage = measured ? *measured : *page;
    // One file, one line, whatever bytes its name holds.
    // A network file names the parameter it was read for ("quad.s4p S43").
    const std::string name = EscapedTableCell(WithParameterName(figuresPage, figuresPage.fileName));
    // An impedance's own figures; a ratio's -3 dB or margins mean nothing there.
    const std::optional<ImpedanceSpectrum> z = PageImpedance(figuresPage);
    result.out =
        (z ? ImpedanceSummaryLine(name, FiguresOfImpedance(*z))
           : SummaryLine(name, PageFigures(figuresPage), figuresPage.properties.loopJudgement)) +
        (verdict ? "  " + VerdictText(*run.mask, *verdict) : std::string()) + "\n";
  }
  result.err = err.str();
  return result;
}

}  // namespace

std::vector<std::string> ExpandInputFolders(const std::vector<std::string>& inputs,
                                            std::ostream& err, bool& ok) {
  ExpandedInputs expanded = ExpandFolderInputs(inputs);
  for (const std::string& folder : expanded.emptyFolders) {
    err << folder << ": no data files (*.DAT) in the folder\n";
    ok = false;
  }
  return std::move(expanded.files);
}

std::string ExporterSettingsFilePath(const std::string& programPath) {
  // The viewer's file, found as the viewer finds it: the exporter has no
  // settings of its own and only reads them.
  namespace fs = std::filesystem;
  const fs::path exe(programPath);
  const fs::path beside = (exe.has_parent_path() ? exe.parent_path() : fs::path(".")) /
                          (std::string(kViewerProgramName) + ".CFG");
  std::error_code ec;
  if (!programPath.empty() && fs::exists(beside, ec)) return beside.string();
  return DefaultSettingsFilePath(std::string());
}

std::string RunSettingsFile(const ExportOptions& options, const std::string& programPath) {
  if (options.factory) return {};
  return options.settingsPath ? *options.settingsPath : ExporterSettingsFilePath(programPath);
}

bool IsNullDevice(const std::string& path) {
  struct stat st {
  }, null{};
  return stat(path.c_str(), &st) == 0 && S_ISCHR(st.st_mode) && stat("/dev/null", &null) == 0 &&
         st.st_rdev == null.st_rdev;
}

std::string SettingsHelpLine(const ExportOptions& options, const std::string& programPath) {
  const std::string settings = RunSettingsFile(options, programPath);
  if (settings.empty()) return "Settings: none, the factory settings (--factory)\n";
  if (IsNullDevice(settings)) return "Settings: " + settings + " (empty: the factory settings)\n";
  std::error_code ec;
  if (!std::filesystem::exists(settings, ec)) {
    return "Settings: " + settings + " (not there: the factory settings)\n";
  }
  return "Settings: " + settings + "\n";
}

int RunExport(const ExportOptions& given, const std::string& programPath, std::ostream& out,
              std::ostream& err, const PageDrawer* drawer, const TextTranslator* translator,
              InFlightFiles* inFlight) {
  if (given.listPattern) return ListDataFiles(*given.listPattern, out, err, translator);
  bool allWritten = true;
  // A folder stands for its data files: the run goes over what they expand to.
  ExportOptions options = given;
  options.files = ExpandInputFolders(given.files, err, allWritten);
  // A mask that cannot be read or is malformed would judge nothing: the run
  // stops before writing anything.
  std::shared_ptr<const LimitMask> mask;
  if (options.production.maskPath) {
    MaskParse parse = ReadMaskFile(*options.production.maskPath);
    if (!parse.mask) {
      err << parse.error << '\n';
      return kExitUsage;
    }
    mask = std::make_shared<const LimitMask>(std::move(*parse.mask));
  }
  // With --statistics the pictures are of the lot, not of each input.
  std::vector<ExportFormat> lotPictures;
  if (options.production.statisticsDir) {
    std::erase_if(options.formats, [&](ExportFormat f) {
      if (!IsStatisticsPicture(f)) return false;
      lotPictures.push_back(f);
      return true;
    });
  }

  GraphProperties defaults = FactoryDefaults();
  bool crossHairEnabled = false;  // read with the settings, not used here
  std::string dataFilePath;
  const std::string settings = RunSettingsFile(options, programPath);
  // The null device reads as an empty file: the factory settings.
  const SettingsLoadResult load =
      settings.empty() || IsNullDevice(settings)
          ? SettingsLoadResult{}
          : LoadSettingsFile(settings, defaults, crossHairEnabled, dataFilePath);
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
  if (options.rightAxis) defaults.rightAxis = *options.rightAxis;
  if (options.view) defaults.view = *options.view;
  if (options.loopCurve) defaults.loopCurve = *options.loopCurve;
  if (options.nyquistRadius) defaults.nyquistRadius = *options.nyquistRadius;
  if (options.nicholsContours) defaults.nicholsContours = *options.nicholsContours;
  if (options.impedance.shuntOhms) defaults.shuntOhms = *options.impedance.shuntOhms;
  for (const auto& [name, value] : options.setProperties) {
    // Checked against the factory page when parsed; over the settings
    // file's page a value can still be refused (a limit past its other end).
    if (std::string why = SetPageProperty(defaults, name, value); !why.empty()) {
      err << "fernplot-export: --set: " << why << '\n';
      return kExitUsage;
    }
  }

  // A summary alone writes no files and needs no output folder.
  std::error_code ec;
  if (!options.formats.empty()) std::filesystem::create_directories(options.outputDir, ec);
  if (!options.formats.empty() && (ec || !std::filesystem::is_directory(options.outputDir))) {
    err << options.outputDir << ": " << (ec ? ec.message() : "not a folder") << '\n';
    return kExitFailure;
  }
  const double zoom = options.zoomPercent / 100.0;

  // Every file the run reads is kept from its outputs, not only the pages.
  std::vector<std::string> inputs = options.files;
  inputs.insert(inputs.end(), options.overlays.begin(), options.overlays.end());
  if (options.differenceFile) inputs.push_back(*options.differenceFile);
  if (!settings.empty()) inputs.push_back(settings);
  OutputClaims claims(options, inputs);
  ComparisonRead compared = ReadComparison(
      options.overlays, options.differenceFile,
      {options.sparam, false, options.impedance.columns, options.impedance.zFrom}, translator);
  err << compared.errors;
  if (!compared.allRead) allWritten = false;
  // An input lacks what the command line asked of it.
  bool usage = compared.missingSelection;
  const Comparison& comparison = compared.comparison;
  const bool drawn =
      options.reportPath || std::any_of(options.formats.begin(), options.formats.end(),
                                        [](ExportFormat f) { return f->drawn; });
  if ((drawn || !lotPictures.empty()) && !drawer) {
    err << "fernplot-export: the drawn formats need fernplot-export-render\n";
    return kExitFailure;
  }
  const FileExport shared{options, defaults, comparison, drawn ? drawer : nullptr, translator, zoom,
                          inFlight, mask, options.production.statisticsDir.has_value(),
                          // The report shows the statistics page too.
                          !lotPictures.empty() || options.reportPath.has_value()};
  LotCollector lot(options, mask);
  bool maskFailed = false;

  const int jobs = options.jobs > 0 ? options.jobs : OnlineProcessors();
  // The line goes to the process's own stderr only, and only on a terminal.
  if (options.summaryTable) {
    std::vector<std::string> header(kSummaryColumns.begin(), kSummaryColumns.end());
    if (mask) {
      for (std::string& c : VerdictColumns()) header.push_back(std::move(c));
    }
    out << SummaryLineOf(header, options.summaryTable);
  }
  ProgressLine progress(err, options.files.size(),
                        !options.quiet && &err == &std::cerr && isatty(STDERR_FILENO) != 0);
  size_t done = 0;
  std::vector<std::vector<std::string>> reportTable;
  std::vector<std::shared_ptr<PageSession>> reportPages;
  if (options.reportPath) {
    reportTable.push_back(ReportHeading(translator));
    if (options.impedance.circuit) {
      for (std::string& c : CircuitReportHeading(*options.impedance.circuit, translator)) {
        reportTable.back().push_back(std::move(c));
      }
    }
    if (mask) {
      reportTable.back().push_back(
          Translate(translator, "Report", FERNPLOT_TEXT("Report", "判定")));
    }
  }
  RunInOrder(
      options.files.size(), jobs, kFilesAhead * static_cast<size_t>(std::max(jobs, 1)),
      [&] {
        auto measurer =
            std::shared_ptr<TextMeasurer>(shared.drawer ? shared.drawer->MakeMeasurer() : nullptr);
        return [&, measurer](size_t i, TaskTurn& turn) {
          return ExportFile(shared, i, measurer.get(), claims, turn);
        };
      },
      [&](size_t, TaskOutput output) {
        // The progress line is cleared before any text, on stdout as well:
        // both may be the same terminal.
        if (!output.err.empty() || !output.out.empty()) progress.Clear();
        err << output.err;
        if (!output.out.empty()) {
          out << output.out;
          // Shown before the line is drawn again.
          if (progress.Enabled()) out.flush();
        }
        if (!output.ok) allWritten = false;
        if (output.usage) usage = true;
        if (output.maskFailed) maskFailed = true;
        if (output.lot) lot.Add(std::move(*output.lot));
        if (options.reportPath) {
          reportTable.push_back(std::move(output.reportRow));
          if (output.reportPage) reportPages.push_back(std::move(output.reportPage));
        }
        progress.Update(++done);
      });
  progress.Clear();
  if (options.reportPath && !claims.ReportRefusal().empty()) {
    err << claims.ReportRefusal();
    allWritten = false;
  } else if (options.reportPath) {
    std::vector<const DrawingDocument*> pages;
    for (const auto& session : reportPages) {
      if (session->drawing.CurrentSheet()) pages.push_back(&session->drawing);
    }
    // A lot's report opens with its statistics page and the spread of its
    // figures.
    std::optional<LotCollector::Page> lotPage;
    std::optional<ReportLot> reportLot;
    if (options.production.statisticsDir) {
      lotPage = lot.DrawPage(defaults, *drawer, translator);
      reportLot =
          ReportLot{lotPage ? &lotPage->session->drawing : nullptr, lot.FiguresTable(translator)};
    }
    const WriteFileResult r = drawer->WriteReport(
        reportTable, pages, reportLot ? &*reportLot : nullptr, *options.reportPath, inFlight);
    if (!r.ok) {
      err << *options.reportPath << ": " << (r.error.empty() ? "cannot be written" : r.error)
          << '\n';
      allWritten = false;
    }
  }
  if (options.production.statisticsDir &&
      !lot.Write(lotPictures, defaults, drawer, translator, err, inFlight)) {
    allWritten = false;
  }
  if (usage) return kExitUsage;
  if (!allWritten) return kExitFailure;
  return maskFailed ? kExitMaskFailed : kExitOk;
}

int RunPlan(const ExportPlan& plan, const std::string& programPath, std::ostream& out,
            std::ostream& err, const PageDrawer* drawer, const TextTranslator* translator,
            InFlightFiles* inFlight) {
  switch (plan.action) {
    case ExportPlan::Action::kUsageError:
      // One line: the whole help after every typo would bury what was wrong.
      err << "fernplot-export: " << plan.usageError << "; see fernplot-export --help\n";
      return kExitUsage;
    case ExportPlan::Action::kHelp:
      out << SettingsHelpLine(plan.options, programPath) << ExportHelpText();
      return kExitOk;
    case ExportPlan::Action::kProperties:
      out << PropertiesListing();
      return kExitOk;
    case ExportPlan::Action::kVersion:
      out << "fernplot-export " << kVersion << '\n';
      return kExitOk;
    case ExportPlan::Action::kList:
    case ExportPlan::Action::kExport:
      break;
  }
  return RunExport(plan.options, programPath, out, err, drawer, translator, inFlight);
}

int ExportMain(const std::vector<std::string>& args, const std::string& programPath,
               std::ostream& out, std::ostream& err, const PageDrawer* drawer,
               const TextTranslator* translator, InFlightFiles* inFlight) {
  return RunPlan(PlanExport(args), programPath, out, err, drawer, translator, inFlight);
}

bool ExportWantsEnglish(const std::vector<std::string>& args) {
  const ExportPlan plan = PlanExport(args);
  return plan.english && plan.NeedsQt();
}

}  // namespace fernplot
