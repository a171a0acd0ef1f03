// SPDX-License-Identifier: MIT
#include "page_output.h"

#include <QBuffer>
#include <QPageLayout>
#include <QPageSize>
#include <QPainter>
#include <QPdfWriter>
#include <QSaveFile>
#include <QSvgGenerator>
#include <algorithm>
#include <cmath>
#include <type_traits>

#include "pdf_date.h"
#include "png_writer.h"
#include "qt_convert.h"
#include "renderer.h"

namespace fernplot {

QSize PageImageSize(int sheetWidthPx, int sheetHeightPx, double zoom) {
  return {static_cast<int>(sheetWidthPx * zoom) + 1, static_cast<int>(sheetHeightPx * zoom)};
}

QImage RenderPageImage(const DrawingDocument& doc, double zoom, qreal devicePixelRatio) {
  const DrawingSheet* sheet = doc.CurrentSheet();
  if (!sheet) return QImage();
  const QSize size = PageImageSize(sheet->width, sheet->height, zoom);
  if (size.isEmpty()) return QImage();
  QImage image(static_cast<int>(size.width() * devicePixelRatio),
               static_cast<int>(size.height() * devicePixelRatio), QImage::Format_RGB32);
  image.setDevicePixelRatio(devicePixelRatio);
  image.fill(Qt::white);
  {
    QPainter painter(&image);
    RenderSheet(painter, doc, *sheet, RenderOptions::Screen(zoom));
  }
  return image;
}

QSizeF VectorPageSizeMm(const DrawingDocument& doc) {
  const DrawingSheet* sheet = doc.CurrentSheet();
  if (!sheet) return QSizeF();
  // The sheet holds trunc(mm × px/mm); its whole millimetres come back as
  // the smallest integer that truncates to the same pixel count.
  auto wholeMm = [](int px) { return std::ceil(px * kMmPerPixel - 1e-9); };
  const double width = wholeMm(sheet->width);
  double bottom = wholeMm(sheet->height);
  for (const DrawingElement& element : sheet->elements) {
    std::visit(
        [&](const auto& e) {
          using T = std::decay_t<decltype(e)>;
          if constexpr (std::is_same_v<T, TextElement>) {
            bottom = std::max(bottom, e.y + doc.TextHeightMm(e.font));
          } else if constexpr (std::is_same_v<T, PolylineElement>) {
            for (double y : e.y) bottom = std::max(bottom, y);
          } else {
            bottom = std::max(bottom, e.y + e.height);
          }
        },
        element);
  }
  return QSizeF(width, std::ceil(bottom - 1e-9));
}

namespace {

OutputResult Failure(const QSaveFile& file) {
  return OutputResult{false, file.errorString().toStdString()};
}

OutputResult Commit(QSaveFile& file) {
  if (!file.commit()) return Failure(file);
  return OutputResult{true, {}};
}

void RenderTrueSize(QPainter& painter, const DrawingDocument& doc) {
  SetPrintUnits(painter);
  RenderCurrentSheet(painter, doc, RenderOptions::Print(0, 0));
}

}  // namespace

OutputResult WritePagePng(const DrawingDocument& doc, double zoom, const std::string& path) {
  if (!doc.CurrentSheet()) return OutputResult{false, "no page to draw"};
  const QImage image = RenderPageImage(doc, zoom);
  if (image.isNull()) return OutputResult{false, "the image is too large for memory"};
  QSaveFile file(QStringFromUtf8(path));
  if (!file.open(QIODevice::WriteOnly)) return Failure(file);
  const QByteArray png = EncodePng(image);
  if (file.write(png) != png.size()) {
    file.cancelWriting();
    return Failure(file);
  }
  return Commit(file);
}

OutputResult WritePageSvg(const DrawingDocument& doc, const std::string& path,
                          const std::string& title) {
  const QSizeF mm = VectorPageSizeMm(doc);
  if (mm.isEmpty()) return OutputResult{false, "no page to draw"};
  QSaveFile file(QStringFromUtf8(path));
  if (!file.open(QIODevice::WriteOnly)) return Failure(file);
  const QSize units(qRound(mm.width() * 10), qRound(mm.height() * 10));
  {
    QSvgGenerator svg;
    svg.setOutputDevice(&file);
    svg.setResolution(254);  // one unit is 0.1 mm
    svg.setSize(units);
    svg.setViewBox(QRect(QPoint(0, 0), units));
    svg.setTitle(QStringFromUtf8(title));
    svg.setDescription(QStringLiteral("FERNPLOT page"));
    QPainter painter;
    if (!painter.begin(&svg)) {
      file.cancelWriting();
      return OutputResult{false, "cannot start the SVG"};
    }
    RenderTrueSize(painter, doc);
    painter.end();
  }
  return Commit(file);
}

OutputResult WritePagePdf(const DrawingDocument& doc, const std::string& path,
                          const std::string& title) {
  const QSizeF mm = VectorPageSizeMm(doc);
  if (mm.isEmpty()) return OutputResult{false, "no page to draw"};
  QSaveFile file(QStringFromUtf8(path));
  if (!file.open(QIODevice::WriteOnly)) return Failure(file);
  // Written to memory first: a fixed creation date replaces the current time
  // before the bytes reach the file.
  QBuffer buffer;
  buffer.open(QIODevice::WriteOnly);
  {
    QPdfWriter pdf(&buffer);
    pdf.setCreator(QStringLiteral("FERNPLOT"));
    pdf.setTitle(QStringFromUtf8(title));
    pdf.setResolution(1200);
    // Portrait with the exact size: a landscape layout would turn the page.
    const QPageLayout layout(QPageSize(mm, QPageSize::Millimeter, QString(), QPageSize::ExactMatch),
                             QPageLayout::Portrait, QMarginsF(0, 0, 0, 0), QPageLayout::Millimeter);
    pdf.setPageLayout(layout);
    QPainter painter;
    if (!painter.begin(&pdf)) {
      file.cancelWriting();
      return OutputResult{false, "cannot start the PDF"};
    }
    RenderTrueSize(painter, doc);
    painter.end();
  }
  QByteArray bytes = buffer.data();
  if (const std::optional<qint64> epoch = SourceDateEpoch()) SetPdfCreationDate(bytes, *epoch);
  if (file.write(bytes) != bytes.size()) {
    file.cancelWriting();
    return Failure(file);
  }
  return Commit(file);
}

}  // namespace fernplot
