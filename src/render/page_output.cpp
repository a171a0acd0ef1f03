// SPDX-License-Identifier: MIT
#include "page_output.h"

#include <QBuffer>
#include <QPageLayout>
#include <QPageSize>
#include <QPainter>
#include <QPdfWriter>
#include <QSvgGenerator>
#include <algorithm>
#include <cmath>
#include <type_traits>

#include "pdf_date.h"
#include "png_writer.h"
#include "qt_convert.h"
#include "renderer.h"

namespace fernplot {

bool PageImageSizeUsable(int sheetWidthPx, int sheetHeightPx, double zoom) {
  if (!std::isfinite(zoom) || zoom <= 0 || sheetWidthPx <= 0 || sheetHeightPx <= 0) return false;
  const double w = sheetWidthPx * zoom + 1, h = sheetHeightPx * zoom;
  return w <= kMaxPageImageSide && h <= kMaxPageImageSide && w * h <= kMaxPageImagePixels;
}

QSize PageImageSize(int sheetWidthPx, int sheetHeightPx, double zoom) {
  if (!PageImageSizeUsable(sheetWidthPx, sheetHeightPx, zoom)) return {};
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

// Every output is made in memory and handed whole to the atomic writer: the
// bytes of the path are used as given (a name that is not valid text keeps
// its bytes), a link at the path is replaced rather than written through,
// and a failed write leaves no partial file.
OutputResult WriteBytes(const std::string& path, const QByteArray& bytes, InFlightFiles* inFlight) {
  return WriteFileAtomically(path, std::string_view(bytes.constData(), bytes.size()), inFlight);
}

// A vector page must have a real size: a hand-edited settings file could
// otherwise give an infinite, empty or absurd page.
bool UsablePageMm(const QSizeF& mm) {
  return std::isfinite(mm.width()) && std::isfinite(mm.height()) && mm.width() > 0 &&
         mm.height() > 0 && mm.width() <= kMaxVectorPageMm && mm.height() <= kMaxVectorPageMm;
}

void RenderTrueSize(QPainter& painter, const DrawingDocument& doc) {
  SetPrintUnits(painter);
  RenderCurrentSheet(painter, doc, RenderOptions::Print(0, 0));
}

}  // namespace

OutputResult WritePagePng(const DrawingDocument& doc, double zoom, const std::string& path,
                          InFlightFiles* inFlight) {
  const DrawingSheet* sheet = doc.CurrentSheet();
  if (!sheet) return OutputResult{false, "no page to draw"};
  if (!PageImageSizeUsable(sheet->width, sheet->height, zoom)) {
    return OutputResult{false, "the page image would be too large"};
  }
  const QImage image = RenderPageImage(doc, zoom);
  if (image.isNull()) return OutputResult{false, "the image is too large for memory"};
  return WriteBytes(path, EncodePng(image), inFlight);
}

OutputResult WritePageSvg(const DrawingDocument& doc, const std::string& path,
                          const std::string& title, InFlightFiles* inFlight) {
  const QSizeF mm = VectorPageSizeMm(doc);
  if (!doc.CurrentSheet()) return OutputResult{false, "no page to draw"};
  if (!UsablePageMm(mm)) return OutputResult{false, "the page has no usable size"};
  QBuffer buffer;
  buffer.open(QIODevice::WriteOnly);
  const QSize units(qRound(mm.width() * 10), qRound(mm.height() * 10));
  {
    QSvgGenerator svg;
    svg.setOutputDevice(&buffer);
    svg.setResolution(254);  // one unit is 0.1 mm
    svg.setSize(units);
    svg.setViewBox(QRect(QPoint(0, 0), units));
    svg.setTitle(QStringFromUtf8(title));
    svg.setDescription(QStringLiteral("FERNPLOT page"));
    QPainter painter;
    if (!painter.begin(&svg)) return OutputResult{false, "cannot start the SVG"};
    RenderTrueSize(painter, doc);
    painter.end();
  }
  return WriteBytes(path, buffer.data(), inFlight);
}

OutputResult WritePagePdf(const DrawingDocument& doc, const std::string& path,
                          const std::string& title, InFlightFiles* inFlight) {
  const QSizeF mm = VectorPageSizeMm(doc);
  if (!doc.CurrentSheet()) return OutputResult{false, "no page to draw"};
  if (!UsablePageMm(mm)) return OutputResult{false, "the page has no usable size"};
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
    if (!painter.begin(&pdf)) return OutputResult{false, "cannot start the PDF"};
    RenderTrueSize(painter, doc);
    painter.end();
  }
  QByteArray bytes = buffer.data();
  if (const std::optional<qint64> epoch = SourceDateEpoch()) SetPdfCreationDate(bytes, *epoch);
  return WriteBytes(path, bytes, inFlight);
}

}  // namespace fernplot
