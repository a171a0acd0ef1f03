// SPDX-License-Identifier: MIT
#include "production_run.h"

#include <cmath>
#include <filesystem>
#include <limits>

#include "analysis/summary_table.h"
#include "export_formats.h"
#include "fileio/atomic_file.h"
#include "graph/page_figures.h"
#include "graph/page_session.h"
#include "graph/production_marks.h"
#include "graph/json_text.h"

namespace fernplot {

namespace {

std::string JsonOptional(const std::optional<double>& v) {
  return v && std::isfinite(*v) ? JsonShortest(*v) : "null";
}

const char* OutcomeName(RuleOutcome o) {
  switch (o) {
    case RuleOutcome::kNotMeasured:
      return "not measured";
    case RuleOutcome::kFigureMissing:
      return "figure missing";
    case RuleOutcome::kJudged:
      break;
  }
  return "judged";
}

}  // namespace

void DrawMaskOn(GraphPage& page, const std::shared_ptr<const LimitMask>& mask,
                const MaskVerdict& verdict) {
  auto production = std::make_shared<PageProduction>();
  production->mask = std::make_shared<const MaskMarks>(MaskMarks{mask, verdict});
  page.production = std::move(production);
}

std::string VerdictJson(const LimitMask& mask, const MaskVerdict& verdict) {
  std::string out = "{\n  \"verdict\": ";
  out += verdict.pass ? "\"PASS\"" : "\"FAIL\"";
  out += ",\n  \"rules\": [";
  for (size_t i = 0; i < verdict.rules.size(); ++i) {
    const RuleVerdict& v = verdict.rules[i];
    const MaskRule& rule = mask.rules[v.rule];
    out += i ? ",\n    {" : "\n    {";
    out += "\"line\": " + JsonInt(rule.line);
    out += ", \"rule\": " + JsonString(rule.text);
    out += ", \"pass\": ";
    out += v.pass ? "true" : "false";
    out += ", \"worstMargin\": " + JsonOptional(v.margin);
    out += ", \"atHz\": " + JsonOptional(v.atHz);
    out += ", \"value\": " + JsonOptional(v.value);
    out += ", \"limit\": " + JsonOptional(v.limit);
    out += ", \"outcome\": " + JsonString(OutcomeName(v.outcome)) + "}";
  }
  out += verdict.rules.empty() ? "]\n}\n" : "\n  ]\n}\n";
  return out;
}

std::vector<std::string> VerdictColumns() {
  return {"verdict", "failedRules", "worstMargin"};
}

std::vector<std::string> VerdictCells(const LimitMask& mask, const MaskVerdict* verdict) {
  if (!verdict) return {{}, {}, {}};
  return {verdict->pass ? "PASS" : "FAIL", FailedRulesCell(mask, *verdict),
          verdict->worstMargin ? FullPrecision(*verdict->worstMargin) : std::string()};
}

bool IsStatisticsPicture(ExportFormat format) {
  return format == FindExportFormat("png") || format == FindExportFormat("svg") ||
         format == FindExportFormat("pdf");
}

LotCollector::LotCollector(const ExportOptions& options, std::shared_ptr<const LimitMask> mask)
    : options_(options), mask_(std::move(mask)) {}

void LotCollector::Add(LotInput input) {
  if (!lot_) {
    lot_.emplace(input.points);
    firstData_ = std::move(input.data);
  }
  lot_->Add(input.points);
  figures_.Add(input.figures);
}

std::optional<LotCollector::Page> LotCollector::DrawPage(const GraphProperties& defaults,
                                                         const PageDrawer& drawer,
                                                         const TextTranslator* translator) const {
  if (!firstData_) return std::nullopt;
  const std::vector<FrequencyRow> rows =
      lot_ ? lot_->Rows(options_.production.statisticsOf) : std::vector<FrequencyRow>{};
  std::unique_ptr<GraphPage> page =
      PageSession::MakePage(defaults, MeanRecord(*firstData_, rows), "statistics");
  auto production = std::make_shared<PageProduction>();
  production->bands = LotBandsOf(rows, options_.production.Sigma());
  if (mask_) production->mask = std::make_shared<const MaskMarks>(MaskMarks{mask_, {}});
  page->production = std::move(production);

  Page drawn;
  drawn.measurer = drawer.MakeMeasurer();
  drawn.session = std::make_unique<PageSession>();
  drawn.session->drawing.SetMeasurer(drawn.measurer.get());
  drawn.session->drawing.SetTranslator(translator);
  drawn.session->drawingActive = true;
  drawn.page = drawn.session->AddPage(std::move(page));
  return drawn;
}

std::vector<std::vector<std::string>> LotCollector::FiguresTable(
    const TextTranslator* translator) const {
  return FigureStatisticsTable(figures_.Rows(mask_.get()), translator);
}

bool LotCollector::Write(const std::vector<ExportFormat>& pictures, const GraphProperties& defaults,
                         const PageDrawer* drawer, const TextTranslator* translator,
                         std::ostream& err, InFlightFiles* inFlight) const {
  namespace fs = std::filesystem;
  const fs::path dir(*options_.production.statisticsDir);
  std::error_code ec;
  fs::create_directories(dir, ec);
  if (ec || !fs::is_directory(dir)) {
    err << dir.string() << ": " << (ec ? ec.message() : "not a folder") << '\n';
    return false;
  }
  bool ok = true;
  const auto write = [&](const fs::path& path, const std::string& bytes) {
    const WriteFileResult r = WriteFileAtomically(path.string(), bytes, inFlight);
    if (!r.ok) {
      err << path.string() << ": " << (r.error.empty() ? "cannot be written" : r.error) << '\n';
      ok = false;
    }
  };
  const std::vector<FrequencyRow> rows =
      lot_ ? lot_->Rows(options_.production.statisticsOf) : std::vector<FrequencyRow>{};
  write(dir / "statistics.csv", StatisticsCsv(rows));
  write(dir / "figures.csv", FiguresCsv(figures_.Rows(mask_.get())));
  if (pictures.empty() || !drawer) return ok;
  if (!firstData_) {
    err << dir.string() << ": no input could be read; the statistics page is not drawn\n";
    return false;
  }

  const std::optional<Page> drawn = DrawPage(defaults, *drawer, translator);
  if (!drawn) return false;
  const std::string noMessage;
  for (const ExportFormat format : pictures) {
    const fs::path path = dir / OutputFileName("statistics", format);
    const WriteFileResult r = format->write(
        {drawn->session->drawing, *drawn->page, noMessage, options_.zoomPercent / 100.0, drawer,
         inFlight},
        path.string());
    if (!r.ok) {
      err << path.string() << ": " << (r.error.empty() ? "cannot be written" : r.error) << '\n';
      ok = false;
    }
  }
  return ok;
}

}  // namespace fernplot
