// SPDX-License-Identifier: MIT
#pragma once
// The current sheet as a bitmap or as a true-size vector page.

#include <QByteArray>
#include <QImage>
#include <QSize>
#include <QSizeF>
#include <functional>
#include <string>
#include <vector>

#include "fileio/atomic_file.h"
#include "graph/drawing.h"
#include "props/page_limits.h"

namespace fernplot {

// Whether a sheet of w × h pixels at `zoom` makes a picture within the limits.
bool PageImageSizeUsable(int sheetWidthPx, int sheetHeightPx, double zoom);

// Size of the picture of a sheet of w × h pixels (its 100 % size) at
// `zoom`: trunc(w × zoom) + 1 by trunc(h × zoom). The saved image and the
// clipboard's picture both have it. Empty beyond the page limits.
QSize PageImageSize(int sheetWidthPx, int sheetHeightPx, double zoom);

// The current sheet as it looks on screen at `zoom`, on white, with the
// origin at 0,0, PageImageSize logical pixels at devicePixelRatio. A null
// image without a current sheet.
QImage RenderPageImage(const DrawingDocument& doc, double zoom, qreal devicePixelRatio = 1.0);

// Size in mm of a vector page for the current sheet: the sheet's own whole
// millimetres, grown downwards to the lowest element (the credit line sits
// under the page outline and would be cut off otherwise).
QSizeF VectorPageSizeMm(const DrawingDocument& doc);
// The same for any drawn sheet of the document.
QSizeF VectorSheetSizeMm(const DrawingDocument& doc, const DrawingSheet& sheet);

using OutputResult = WriteFileResult;

// The bytes the writers below put in their files, made in memory: for the
// Python module, which hands them to its caller. `bytes` is left empty on
// a failure.
OutputResult PagePngBytes(const DrawingDocument& doc, double zoom, QByteArray& bytes);
OutputResult PageSvgBytes(const DrawingDocument& doc, const std::string& title, QByteArray& bytes);
OutputResult PagePdfBytes(const DrawingDocument& doc, const std::string& title, QByteArray& bytes);

// Each writes through a temporary file in the target folder and renames it,
// so a failed write leaves an existing file as it was.
OutputResult WritePagePng(const DrawingDocument& doc, double zoom, const std::string& path,
                          InFlightFiles* inFlight = nullptr);
// True size, text kept as text. Offset 0: a PDF or SVG page has no
// unprintable border to keep clear of, and the page's own millimetres then
// are the file's coordinates.
OutputResult WritePageSvg(const DrawingDocument& doc, const std::string& path,
                          const std::string& title, InFlightFiles* inFlight = nullptr);
OutputResult WritePagePdf(const DrawingDocument& doc, const std::string& path,
                          const std::string& title, InFlightFiles* inFlight = nullptr);
// One page of a report: a drawn sheet and the document whose tables it uses.
struct ReportSheet {
  const DrawingDocument* doc = nullptr;
  const DrawingSheet* sheet = nullptr;
};
// What a report of a lot puts before its table: the lot's page and a table
// of its figures (either may be left out).
struct ReportLead {
  ReportSheet sheet;
  std::vector<std::vector<std::string>> table;  // its first row the heading
};
// One PDF of a table (its first row the heading, repeated on every page,
// A4 landscape, over as many pages as it needs) and then the current sheet
// of every document at true size, each page its sheet's own size; `lead`,
// when given, comes first: its sheet, then its table.
OutputResult WriteReportPdf(const std::vector<std::vector<std::string>>& table,
                            const std::vector<const DrawingDocument*>& pages,
                            const std::string& path, const std::string& title,
                            InFlightFiles* inFlight = nullptr, const ReportLead* lead = nullptr);

// Gives page i (0-based) drawn; asked once per page, just before it is put
// on paper, so a source may draw each sheet on demand and release it again.
// A page without a sheet fails the report.
using ReportSheetSource = std::function<ReportSheet(size_t i)>;
// The same report of `pageCount` pages from a source.
OutputResult WriteReportPdf(const std::vector<std::vector<std::string>>& table, size_t pageCount,
                            const ReportSheetSource& source, const std::string& path,
                            const std::string& title, InFlightFiles* inFlight = nullptr,
                            const ReportLead* lead = nullptr);

}  // namespace fernplot
