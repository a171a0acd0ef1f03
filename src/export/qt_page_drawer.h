// SPDX-License-Identifier: MIT
#pragma once
// The exporter's drawn formats with Qt: QPainter on a QImage, QSvgGenerator
// and QPdfWriter. Needs a QGuiApplication (fonts).

#include "page_drawer.h"

namespace fernplot {

class QtPageDrawer : public PageDrawer {
 public:
  std::unique_ptr<TextMeasurer> MakeMeasurer() const override;
  WriteFileResult WritePng(const DrawingDocument& doc, double zoom, const std::string& path,
                           InFlightFiles* inFlight) const override;
  WriteFileResult WriteSvg(const DrawingDocument& doc, const std::string& path,
                           const std::string& title, InFlightFiles* inFlight) const override;
  WriteFileResult WritePdf(const DrawingDocument& doc, const std::string& path,
                           const std::string& title, InFlightFiles* inFlight) const override;
  WriteFileResult WriteReport(const std::vector<std::vector<std::string>>& table,
                              const std::vector<const DrawingDocument*>& pages,
                              const ReportLot* lot, const std::string& path,
                              InFlightFiles* inFlight) const override;
};

}  // namespace fernplot
