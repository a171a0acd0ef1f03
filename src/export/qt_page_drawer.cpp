// SPDX-License-Identifier: MIT
#include "qt_page_drawer.h"

#include "page_output.h"
#include "qt_text_measurer.h"

namespace fernplot {

std::unique_ptr<TextMeasurer> QtPageDrawer::MakeMeasurer() const {
  return std::make_unique<QtTextMeasurer>();
}

WriteFileResult QtPageDrawer::WritePng(const DrawingDocument& doc, double zoom,
                                       const std::string& path, InFlightFiles* inFlight) const {
  return WritePagePng(doc, zoom, path, inFlight);
}

WriteFileResult QtPageDrawer::WriteSvg(const DrawingDocument& doc, const std::string& path,
                                       const std::string& title, InFlightFiles* inFlight) const {
  return WritePageSvg(doc, path, title, inFlight);
}

WriteFileResult QtPageDrawer::WritePdf(const DrawingDocument& doc, const std::string& path,
                                       const std::string& title, InFlightFiles* inFlight) const {
  return WritePagePdf(doc, path, title, inFlight);
}

WriteFileResult QtPageDrawer::WriteReport(const std::vector<std::vector<std::string>>& table,
                                          const std::vector<const DrawingDocument*>& pages,
                                          const ReportLot* lot, const std::string& path,
                                          InFlightFiles* inFlight) const {
  if (!lot) return WriteReportPdf(table, pages, path, "FERNPLOT report", inFlight);
  const ReportLead lead{{lot->page, lot->page ? lot->page->CurrentSheet() : nullptr}, lot->table};
  return WriteReportPdf(table, pages, path, "FERNPLOT report", inFlight, &lead);
}

}  // namespace fernplot
