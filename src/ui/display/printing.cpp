// SPDX-License-Identifier: MIT
#include "printing.h"

#include <QBuffer>
#include <QFile>
#include <QPainter>
#include <QPdfWriter>
#include <QPrinter>
#include <algorithm>

#include "app_state.h"
#include "fileio/atomic_file.h"
#include "frame_dialogs.h"
#include "graph/drawing.h"
#include "qt_convert.h"
#include "renderer.h"

namespace fernplot {

int PrintExtentMm(int px) {
  // Written as the conversion back from pixels truncates: one millimetre less
  // than the sheet's whole millimetres except at multiples of 127 mm.
  return kPrintOffsetMm - static_cast<int>(px * -kMmPerPixel);
}

bool NeedsOtherOrientation(int sheetWidthPx, int sheetHeightPx, int horzMm, int vertMm) {
  const int w = PrintExtentMm(sheetWidthPx);
  const int h = PrintExtentMm(sheetHeightPx);
  return (w > horzMm && w < vertMm) || (h > vertMm && h < horzMm);
}

QPageLayout::Orientation OtherOrientation(int horzMm, int vertMm) {
  return horzMm > vertMm ? QPageLayout::Portrait : QPageLayout::Landscape;
}

namespace {

void ApplyOrientationRule(const DrawingSheet& sheet, QPagedPaintDevice& printer) {
  const QRectF area = printer.pageLayout().paintRect(QPageLayout::Millimeter);
  const int hs = static_cast<int>(area.width());
  const int vs = static_cast<int>(area.height());
  if (NeedsOtherOrientation(sheet.width, sheet.height, hs, vs)) {
    printer.setPageOrientation(OtherOrientation(hs, vs));
  }
}

}  // namespace

PrintOutcome PrintSheets(const DrawingDocument& doc, QPagedPaintDevice& printer, int fromPage,
                         int toPage, const SheetSource& source) {
  PrintOutcome outcome;
  fromPage = std::max(fromPage, 1);
  toPage = std::min(toPage, doc.SheetCount());
  const RenderOptions options = RenderOptions::Print(kPrintOffsetMm, kPrintOffsetMm);
  QPainter painter;
  for (int page = fromPage; page <= toPage; ++page) {
    const DrawingSheet* drawn =
        source ? source(page) : &doc.Sheets()[static_cast<size_t>(page - 1)];
    if (!drawn) break;
    const DrawingSheet& sheet = *drawn;
    // The orientation must be settled before the page starts.
    ApplyOrientationRule(sheet, printer);
    if (!outcome.started) {
      if (!painter.begin(&printer)) break;
      outcome.started = true;
    } else if (!printer.newPage()) {
      break;
    }
    painter.save();
    SetPrintUnits(painter);
    RenderSheet(painter, doc, sheet, options);
    painter.restore();
    ++outcome.pagesPrinted;
  }
  if (outcome.started) painter.end();
  return outcome;
}

PrintToFileResult PrintSheetsToPdfFile(const DrawingDocument& doc, const QPrinter& printer,
                                       int fromPage, int toPage, const SheetSource& source) {
  PrintToFileResult result;
  QBuffer buffer;
  buffer.open(QIODevice::WriteOnly);
  {
    QPdfWriter writer(&buffer);
    writer.setResolution(printer.resolution());
    writer.setPageLayout(printer.pageLayout());
    writer.setTitle(printer.docName());
    writer.setCreator(printer.creator());
    result.outcome = PrintSheets(doc, writer, fromPage, toPage, source);
  }
  if (!result.outcome.started) return result;
  const WriteFileResult w = WriteFileAtomically(
      QFile::encodeName(printer.outputFileName()).toStdString(),
      std::string_view(buffer.data().constData(), static_cast<size_t>(buffer.data().size())));
  result.written = w.ok;
  result.error = w.error;
  return result;
}

}  // namespace fernplot
