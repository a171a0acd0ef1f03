// SPDX-License-Identifier: MIT
#include "page_output.h"

#include <QBuffer>
#include <QFont>
#include <QFontMetricsF>
#include <QPageLayout>
#include <QPageSize>
#include <QPainter>
#include <QPdfWriter>
#include <QSvgGenerator>
#include <algorithm>
#include <cmath>
#include <map>
#include <optional>
#include <type_traits>

#include "pdf_date.h"
#include "png_writer.h"
#include "qt_convert.h"
#include "renderer.h"
#include "report_table_layout.h"

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
  return VectorSheetSizeMm(doc, *sheet);
}

QSizeF VectorSheetSizeMm(const DrawingDocument& doc, const DrawingSheet& sheet) {
  // The sheet holds trunc(mm × px/mm); its whole millimetres come back as
  // the smallest integer that truncates to the same pixel count.
  auto wholeMm = [](int px) { return std::ceil(px * kMmPerPixel - 1e-9); };
  const double width = wholeMm(sheet.width);
  double bottom = wholeMm(sheet.height);
  for (const DrawingElement& element : sheet.elements) {
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

OutputResult PagePngBytes(const DrawingDocument& doc, double zoom, QByteArray& bytes) {
  bytes.clear();
  const DrawingSheet* sheet = doc.CurrentSheet();
  if (!sheet) return OutputResult{false, "no page to draw"};
  if (!PageImageSizeUsable(sheet->width, sheet->height, zoom)) {
    return OutputResult{false, "the page image would be too large"};
  }
  const QImage image = RenderPageImage(doc, zoom);
  if (image.isNull()) return OutputResult{false, "the image is too large for memory"};
  bytes = EncodePng(image);
  return OutputResult{true, {}};
}

OutputResult PageSvgBytes(const DrawingDocument& doc, const std::string& title, QByteArray& bytes) {
  bytes.clear();
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
  bytes = buffer.data();
  return OutputResult{true, {}};
}

OutputResult PagePdfBytes(const DrawingDocument& doc, const std::string& title, QByteArray& bytes) {
  bytes.clear();
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
  bytes = buffer.data();
  if (const std::optional<qint64> epoch = SourceDateEpoch()) SetPdfCreationDate(bytes, *epoch);
  return OutputResult{true, {}};
}

OutputResult WritePagePng(const DrawingDocument& doc, double zoom, const std::string& path,
                          InFlightFiles* inFlight) {
  QByteArray bytes;
  const OutputResult made = PagePngBytes(doc, zoom, bytes);
  return made.ok ? WriteBytes(path, bytes, inFlight) : made;
}

OutputResult WritePageSvg(const DrawingDocument& doc, const std::string& path,
                          const std::string& title, InFlightFiles* inFlight) {
  QByteArray bytes;
  const OutputResult made = PageSvgBytes(doc, title, bytes);
  return made.ok ? WriteBytes(path, bytes, inFlight) : made;
}

OutputResult WritePagePdf(const DrawingDocument& doc, const std::string& path,
                          const std::string& title, InFlightFiles* inFlight) {
  QByteArray bytes;
  const OutputResult made = PagePdfBytes(doc, title, bytes);
  return made.ok ? WriteBytes(path, bytes, inFlight) : made;
}

namespace {

constexpr double kReportMarginMm = 12.0;
constexpr double kReportLineMm = 3.0;
constexpr double kReportRowPaddingMm = 2.0;
constexpr double kReportCellPaddingMm = 2.0;

// The table's pages: the heading row, then as many rows as fit. Every cell
// is shown in full (see LayOutReportTable).
void DrawReportTable(QPdfWriter& pdf, QPainter& painter,
                     const std::vector<std::vector<std::string>>& table, bool& first) {
  if (table.empty()) return;
  const QSizeF page(297.0, 210.0);
  const QPageLayout layout(QPageSize(QPageSize::A4), QPageLayout::Landscape, QMarginsF(0, 0, 0, 0),
                           QPageLayout::Millimeter);
  const double unitsPerMm = pdf.resolution() / 25.4;
  const size_t columns = table.front().size();
  const auto fontAt = [](double pointSize) {
    QFont font(QStringLiteral("Sans Serif"));
    font.setPointSizeF(pointSize);
    return font;
  };
  std::map<double, QFontMetricsF> metrics;
  const ReportTextWidth width = [&](const std::string& text, double pointSize) {
    auto it = metrics.find(pointSize);
    if (it == metrics.end()) {
      it = metrics.emplace(pointSize, QFontMetricsF(fontAt(pointSize), &pdf)).first;
    }
    return it->second.horizontalAdvance(QStringFromUtf8(text)) / unitsPerMm;
  };
  const double usableMm = page.width() - 2 * kReportMarginMm;
  const ReportTableLayout tableLayout =
      LayOutReportTable(table, usableMm, kReportCellPaddingMm, width);
  const QFont font = fontAt(tableLayout.pointSize);
  const QFontMetricsF fm(font, &pdf);
  const double rowMm = kReportLineMm * tableLayout.lines + kReportRowPaddingMm;
  const size_t perPage = static_cast<size_t>((page.height() - 2 * kReportMarginMm) / rowMm) - 1;
  const double usable = usableMm * unitsPerMm;
  for (size_t start = 1; start == 1 || start < table.size(); start += perPage) {
    pdf.setPageLayout(layout);
    if (!first) pdf.newPage();
    if (first && !painter.isActive()) painter.begin(&pdf);
    first = false;
    painter.setFont(font);
    const auto drawRow = [&](const std::vector<std::string>& row, double yMm, bool heading) {
      double x = kReportMarginMm * unitsPerMm;
      const double y = yMm * unitsPerMm;
      const double h = rowMm * unitsPerMm;
      if (heading) painter.fillRect(QRectF(x, y, usable, h), QColor(230, 230, 230));
      for (size_t c = 0; c < columns; ++c) {
        const double w = tableLayout.widthsMm[c] * unitsPerMm;
        const double textW = w - kReportCellPaddingMm * unitsPerMm;
        const std::string cell = c < row.size() ? row[c] : std::string();
        const std::vector<std::string> lines = ReportCellLines(
            cell, textW / unitsPerMm, tableLayout.lines, tableLayout.pointSize, width);
        const double lineH = h / static_cast<double>(lines.size());
        for (size_t l = 0; l < lines.size(); ++l) {
          const QRectF box(x + unitsPerMm, y + lineH * static_cast<double>(l), textW, lineH);
          // The layout measured the line to fit: drawn as it is (Qt's eliding
          // would cut a text that fits exactly). Only a table too wide for
          // any layout is cut short.
          const QString line = QStringFromUtf8(lines[l]);
          const bool fits = width(lines[l], tableLayout.pointSize) * unitsPerMm <= textW * 1.0001;
          // A failed verdict (the column a mask adds last) stands out in red.
          const bool failed = !heading && c + 1 == columns && cell == "FAIL" &&
                              (table.front().back() == "判定" || table.front().back() == "Verdict");
          if (failed) painter.setPen(QColor(210, 0, 0));
          painter.drawText(box, Qt::AlignVCenter | Qt::AlignLeft | Qt::TextDontClip,
                           fits ? line : fm.elidedText(line, Qt::ElideRight, textW));
          if (failed) painter.setPen(Qt::black);
        }
        x += w;
      }
      painter.setPen(QPen(QColor(160, 160, 160), 0));
      painter.drawLine(QPointF(kReportMarginMm * unitsPerMm, y + h),
                       QPointF(kReportMarginMm * unitsPerMm + usable, y + h));
      painter.setPen(Qt::black);
    };
    drawRow(table.front(), kReportMarginMm, true);
    const size_t end = std::min(table.size(), start + perPage);
    for (size_t r = start; r < end; ++r) {
      drawRow(table[r], kReportMarginMm + static_cast<double>(r - start + 1) * rowMm, false);
    }
    if (table.size() <= 1) break;
  }
}

}  // namespace

OutputResult WriteReportPdf(const std::vector<std::vector<std::string>>& table,
                            const std::vector<const DrawingDocument*>& pages,
                            const std::string& path, const std::string& title,
                            InFlightFiles* inFlight, const ReportLead* lead) {
  return WriteReportPdf(
      table, pages.size(),
      [&pages](size_t i) {
        return ReportSheet{pages[i], pages[i]->CurrentSheet()};
      },
      path, title, inFlight, lead);
}

OutputResult WriteReportPdf(const std::vector<std::vector<std::string>>& table, size_t pageCount,
                            const ReportSheetSource& source, const std::string& path,
                            const std::string& title, InFlightFiles* inFlight,
                            const ReportLead* lead) {
  QBuffer buffer;
  buffer.open(QIODevice::WriteOnly);
  {
    QPdfWriter pdf(&buffer);
    pdf.setCreator(QStringLiteral("FERNPLOT"));
    pdf.setTitle(QStringFromUtf8(title));
    pdf.setResolution(1200);
    QPainter painter;
    bool first = true;
    // Nothing reaches the file before every page was drawn: a page that
    // cannot be leaves no half report behind.
    const auto drawSheet = [&](const ReportSheet& page) -> std::optional<OutputResult> {
      if (!page.doc || !page.sheet) return OutputResult{false, "a page has no drawing"};
      const QSizeF mm = VectorSheetSizeMm(*page.doc, *page.sheet);
      if (!UsablePageMm(mm)) return OutputResult{false, "a page has no usable size"};
      pdf.setPageLayout(
          QPageLayout(QPageSize(mm, QPageSize::Millimeter, QString(), QPageSize::ExactMatch),
                      QPageLayout::Portrait, QMarginsF(0, 0, 0, 0), QPageLayout::Millimeter));
      if (!first) pdf.newPage();
      if (first && !painter.begin(&pdf)) return OutputResult{false, "cannot start the PDF"};
      first = false;
      painter.save();
      SetPrintUnits(painter);
      RenderSheet(painter, *page.doc, *page.sheet, RenderOptions::Print(0, 0));
      painter.restore();
      return std::nullopt;
    };
    if (lead) {
      if (lead->sheet.doc) {
        if (std::optional<OutputResult> failed = drawSheet(lead->sheet)) return *failed;
      }
      DrawReportTable(pdf, painter, lead->table, first);
    }
    DrawReportTable(pdf, painter, table, first);
    for (size_t i = 0; i < pageCount; ++i) {
      if (std::optional<OutputResult> failed = drawSheet(source(i))) return *failed;
    }
    if (!painter.isActive()) return OutputResult{false, "cannot start the PDF"};
    painter.end();
  }
  QByteArray bytes = buffer.data();
  if (const std::optional<qint64> epoch = SourceDateEpoch()) SetPdfCreationDate(bytes, *epoch);
  return WriteBytes(path, bytes, inFlight);
}

}  // namespace fernplot
