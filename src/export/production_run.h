// SPDX-License-Identifier: MIT
#pragma once
// What --mask and --statistics add to an export run: each input's verdict
// (for the summary, the table, -f verdict and the pages) and the lot's
// statistics, gathered in input order and written at the end.

#include <memory>
#include <optional>
#include <ostream>
#include <string>
#include <string_view>
#include <vector>

#include "analysis/production/limit_mask.h"
#include "analysis/production/lot_statistics.h"
#include "analysis/production/mask_judge.h"
#include "export_args.h"
#include "graph/page_session.h"
#include "graph/pages.h"
#include "page_drawer.h"

namespace fernplot {

// Draws the mask's limits, and where `verdict` fails them, on `page`.
void DrawMaskOn(GraphPage& page, const std::shared_ptr<const LimitMask>& mask,
                const MaskVerdict& verdict);

// NAME.verdict.json: {"verdict", "rules": [{"line", "rule", "pass",
// "worstMargin", "atHz", "value", "limit", "outcome"}]}.
std::string VerdictJson(const LimitMask& mask, const MaskVerdict& verdict);

// The summary table's last three columns, and their cells for a row (empty
// for an input that was not judged).
std::vector<std::string> VerdictColumns();
std::vector<std::string> VerdictCells(const LimitMask& mask, const MaskVerdict* verdict);

// What one input gives the lot.
struct LotInput {
  std::vector<UsablePoint> points;              // as the page shows them
  std::vector<std::optional<double>> figures;   // MaskFigureValues
  std::shared_ptr<const MeasurementData> data;  // only for the statistics page
};

// The lot, taken in input order: the first input read sets the
// frequencies; each input is added and dropped.
class LotCollector {
 public:
  LotCollector(const ExportOptions& options, std::shared_ptr<const LimitMask> mask);
  void Add(LotInput input);
  // The statistics page drawn, for the pictures and the report: the first
  // input's record with the mean as its points, the band and envelope
  // under it, the mask over it. Nothing when no input could be read.
  struct Page {
    std::unique_ptr<TextMeasurer> measurer;  // the session's, kept with it
    std::unique_ptr<PageSession> session;
    const GraphPage* page = nullptr;
  };
  std::optional<Page> DrawPage(const GraphProperties& defaults, const PageDrawer& drawer,
                               const TextTranslator* translator) const;
  // The figures' spread as the report's table shows it.
  std::vector<std::vector<std::string>> FiguresTable(const TextTranslator* translator) const;
  // OUT/statistics.csv, OUT/figures.csv and the statistics page in each of
  // `pictures` (png, svg, pdf); false, with the reasons on `err`, when one
  // could not be written.
  bool Write(const std::vector<ExportFormat>& pictures, const GraphProperties& defaults,
             const PageDrawer* drawer, const TextTranslator* translator, std::ostream& err,
             InFlightFiles* inFlight) const;

 private:
  const ExportOptions& options_;
  std::shared_ptr<const LimitMask> mask_;
  std::optional<LotStatistics> lot_;
  FigureStatistics figures_;
  std::shared_ptr<const MeasurementData> firstData_;
  std::string firstName_;
};

// The formats that, with --statistics, name the statistics page only.
bool IsStatisticsPicture(ExportFormat format);

}  // namespace fernplot
