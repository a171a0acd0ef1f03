// SPDX-License-Identifier: MIT
#include "export_formats.h"

#include <cctype>
#include <optional>

#include "analysis/figures_text.h"
#include "analysis/fit/model_text.h"
#include "analysis/impedance/impedance_figures.h"
#include "analysis/impedance/impedance_json.h"
#include "analysis/impedance/impedance_tables.h"
#include "datafile/csv_export.h"
#include "graph/page_exchange.h"
#include "graph/page_figures.h"
#include "graph/page_impedance.h"
#include "graph/page_json.h"
#include "production_run.h"

namespace fernplot {
namespace {

WriteFileResult WriteCsv(const ExportJob& job, const std::string& path) {
  return WriteFileAtomically(path, PageCsvText(job.page), job.inFlight);
}

WriteFileResult WriteJson(const ExportJob& job, const std::string& path) {
  return WriteFileAtomically(path, MeasurementJson(job.page.data, job.message), job.inFlight);
}

// A drawn format reaches a program without fonts only through a fault.
WriteFileResult NoDrawer() {
  return {false, "this program cannot draw pages"};
}

WriteFileResult WritePng(const ExportJob& job, const std::string& path) {
  return job.drawer ? job.drawer->WritePng(job.drawing, job.zoom, path, job.inFlight) : NoDrawer();
}

WriteFileResult WriteSvg(const ExportJob& job, const std::string& path) {
  return job.drawer ? job.drawer->WriteSvg(job.drawing, path, job.page.fileName, job.inFlight)
                    : NoDrawer();
}

WriteFileResult WritePdf(const ExportJob& job, const std::string& path) {
  return job.drawer ? job.drawer->WritePdf(job.drawing, path, job.page.fileName, job.inFlight)
                    : NoDrawer();
}

WriteFileResult WriteDrawing(const ExportJob& job, const std::string& path) {
  return WriteFileAtomically(path, DrawingJson(job.drawing, job.page), job.inFlight);
}

WriteFileResult WriteFigures(const ExportJob& job, const std::string& path) {
  // An impedance has figures of its own; a ratio's loop figures mean nothing there.
  if (const std::optional<ImpedanceSpectrum> z = PageImpedance(job.page)) {
    return WriteFileAtomically(
        path, ImpedanceFiguresJson(job.page.fileName, FiguresOfImpedance(*z)), job.inFlight);
  }
  std::optional<ShownFigures> shown;
  if (job.shown) {
    shown = ShownFigures{
        job.shown->properties.loopCurve == LoopCurve::kSensitivity ? "sensitivity" : "closed",
        PageFigures(*job.shown)};
  }
  return WriteFileAtomically(path,
                             FiguresJson(job.page.fileName, PageRatio(job.page.properties),
                                         PageFigures(job.page), shown ? &*shown : nullptr),
                             job.inFlight);
}

WriteFileResult WriteModel(const ExportJob& job, const std::string& path) {
  if (!job.model) return {false, "no model was fitted"};
  return WriteFileAtomically(path, ModelJson(job.page.fileName, *job.model));
}

WriteFileResult WriteVerdict(const ExportJob& job, const std::string& path) {
  if (!job.mask || !job.verdict) return {false, "no mask was given"};
  return WriteFileAtomically(path, VerdictJson(*job.mask, *job.verdict), job.inFlight);
}

// An impedance is no transmission: it is written as the one-port of its Z
// (named with the format's impedance suffix, .s1p).
WriteFileResult WriteS2p(const ExportJob& job, const std::string& path) {
  if (job.asImpedance) return WritePageImpedanceTouchstone(job.page, path, job.inFlight);
  return WritePageTouchstone(job.page, path);
}

WriteFileResult WriteSpice(const ExportJob& job, const std::string& path) {
  return WritePageSpiceTable(job.page, path);
}

// The formats of an impedance; a page of a ratio has none.
WriteFileResult NotImpedance() {
  return {false, "not an impedance: read an impedance file or name its columns (--columns)"};
}

WriteFileResult WriteZCsv(const ExportJob& job, const std::string& path) {
  const std::optional<ImpedanceSpectrum> z = PageImpedance(job.page);
  if (!z) return NotImpedance();
  return WriteFileAtomically(path, ZCsv(*z), job.inFlight);
}

WriteFileResult WriteLcr(const ExportJob& job, const std::string& path) {
  const std::optional<ImpedanceSpectrum> z = PageImpedance(job.page);
  if (!z) return NotImpedance();
  return WriteFileAtomically(path, LcrCsv(*z), job.inFlight);
}

WriteFileResult WriteCircuit(const ExportJob& job, const std::string& path) {
  if (!job.circuitFit)
    return PageImpedance(job.page) ? WriteFileResult{false, "no circuit was fitted"}
                                   : NotImpedance();
  return WriteFileAtomically(path, CircuitFitJson(*job.circuitFit), job.inFlight);
}

WriteFileResult WriteKk(const ExportJob& job, const std::string& path) {
  const std::optional<ImpedanceSpectrum> z = PageImpedance(job.page);
  if (!z) return NotImpedance();
  KkOptions options = job.impedance ? job.impedance->kk : KkOptions{};
  if (job.impedance) {
    options.fmin = job.impedance->fit.fmin;
    options.fmax = job.impedance->fit.fmax;
  }
  const KkResult kk = KramersKronigTest(z->frequency, z->impedance, options);
  if (!kk.ok()) return {false, kk.error};
  return WriteFileAtomically(path, KramersKronigJson(kk), job.inFlight);
}

bool SameNoCase(std::string_view a, std::string_view b) {
  if (a.size() != b.size()) return false;
  for (size_t i = 0; i < a.size(); ++i) {
    if (std::tolower(static_cast<unsigned char>(a[i])) !=
        std::tolower(static_cast<unsigned char>(b[i]))) {
      return false;
    }
  }
  return true;
}

}  // namespace

const std::array<ExportFormatEntry, 15> kExportFormats{{
    {"csv", ".csv", "frequency, gain, phase of every point", WriteCsv},
    {"json", ".json", "the decoded file, header fields and points", WriteJson},
    {"png", ".png", "the page as on screen at --zoom (default 100)", WritePng, true},
    {"svg", ".svg", "the page at true size, text kept as text", WriteSvg, true},
    {"pdf", ".pdf", "the page at true size on one page", WritePdf, true},
    {"drawing", ".drawing.json", "the built sheet, for inspection", WriteDrawing, true},
    {"figures", ".figures.json", "margins, -3 dB points, resonance of the sweep", WriteFigures},
    {"model", ".model.json", "poles, zeros, delay and sections of a fitted model", WriteModel},
    {"s2p", ".s2p", "Touchstone two-port, S21 = the page's ratio; of an impedance .s1p of Z",
     WriteS2p, false, ".s1p"},
    {"spice", ".cir", "SPICE subcircuit with the response as a FREQ table", WriteSpice},
    {"verdict", ".verdict.json", "PASS or FAIL against --mask, every rule's margin", WriteVerdict},
    {"zcsv", ".z.csv", "frequency, re, im of an impedance", WriteZCsv},
    {"lcr", ".lcr.csv", "Rs, Xs, Cs, Ls, Rp, Cp, Lp, D, Q of an impedance", WriteLcr},
    {"circuit", ".circuit.json", "the equivalent circuit --circuit fitted", WriteCircuit},
    {"kk", ".kk.json", "the Kramers-Kronig test of an impedance", WriteKk},
}};

const ExportFormatEntry* FindExportFormat(std::string_view name) {
  for (const ExportFormatEntry& f : kExportFormats) {
    if (SameNoCase(f.name, name)) return &f;
  }
  return nullptr;
}

}  // namespace fernplot
