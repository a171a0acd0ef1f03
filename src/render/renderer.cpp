// SPDX-License-Identifier: MIT
#include "renderer.h"

#include <QBrush>
#include <QFontMetrics>
#include <QLine>
#include <QList>
#include <QPaintDevice>
#include <QPen>
#include <QPolygon>
#include <QString>
#include <algorithm>
#include <limits>
#include <optional>
#include <type_traits>
#include <vector>

#include "font_setup.h"
#include "graph/device_units.h"
#include "props/page_geometry.h"
#include "qt_convert.h"
#include "qt_text_measurer.h"

namespace fernplot {

int32_t ToDeviceX(const RenderOptions& options, double mm) {
  if (options.print) return TruncToDevice(mm * 10.0) + 10 * options.printOffsetX;
  return TruncToDevice(mm * options.zoom * kPixelsPerMm);
}

int32_t ToDeviceY(const RenderOptions& options, double mm) {
  if (options.print) {
    return -TruncToDevice(10.0 * options.printOffsetY + TruncToDevice(mm * 10.0));
  }
  return TruncToDevice(mm * options.zoom * kPixelsPerMm);
}

int ScreenFontHeight(const FontEntry& font, double zoom) {
  return MulDiv(TruncToDevice(font.size * zoom), 96, 72);
}

int PrintFontHeight(const FontEntry& font) {
  return MulDiv(font.size, 254, 72);
}

void SetPrintUnits(QPainter& painter) {
  const QPaintDevice* device = painter.device();
  if (!device) return;
  painter.scale(device->logicalDpiX() / 254.0, device->logicalDpiY() / 254.0);
}

namespace {

Qt::PenStyle ToPenStyle(int gdiStyle) {
  switch (gdiStyle) {
    case 1:
      return Qt::DashLine;
    case 2:
      return Qt::DotLine;
    case 3:
      return Qt::DashDotLine;
    case 4:
      return Qt::DashDotDotLine;
    case 5:
      return Qt::NoPen;
    default:
      return Qt::SolidLine;
  }
}

Qt::BrushStyle ToHatch(int gdiHatch) {
  switch (gdiHatch) {
    case 0:
      return Qt::HorPattern;
    case 1:
      return Qt::VerPattern;
    case 2:
      return Qt::FDiagPattern;
    case 3:
      return Qt::BDiagPattern;
    case 4:
      return Qt::CrossPattern;
    case 5:
      return Qt::DiagCrossPattern;
    default:
      return Qt::SolidPattern;
  }
}

// Index into a table, entry 0 for anything out of range; nullopt only when
// the table is empty.
template <typename T>
std::optional<size_t> TableIndex(const std::vector<T>& table, int index) {
  if (table.empty()) return std::nullopt;
  if (index < 0 || static_cast<size_t>(index) >= table.size()) return 0;
  return static_cast<size_t>(index);
}

class SheetPainter {
 public:
  SheetPainter(QPainter& painter, const DrawingDocument& doc, const RenderOptions& options)
      : p_(painter), doc_(doc), options_(options) {
    fonts_.resize(doc.Fonts().size());
  }

  void Draw(const DrawingSheet& sheet) {
    for (const DrawingElement& element : sheet.elements) {
      std::visit([this](const auto& e) { DrawElement(e); }, element);
    }
  }

 private:
  struct Font {
    QFont font;
    QFontMetrics metrics;
  };

  // Device coordinates as the mapping gives them; Qt's y grows downwards, the
  // metric print mapping's upwards. This is the only place that knows.
  QPoint ToQt(int32_t x, int32_t y) const { return QPoint(x, options_.print ? -y : y); }
  QPoint Point(double xMm, double yMm) const {
    return ToQt(ToDeviceX(options_, xMm), ToDeviceY(options_, yMm));
  }

  const Font* FontFor(int index) {
    const auto i = TableIndex(doc_.Fonts(), index);
    if (!i) return nullptr;
    if (!fonts_[*i]) {
      const FontEntry& entry = doc_.Fonts()[*i];
      const int height =
          options_.print ? PrintFontHeight(entry) : ScreenFontHeight(entry, options_.zoom);
      QFont font = MakeFont(entry, height);
      fonts_[*i].emplace(Font{font, QFontMetrics(font)});
    }
    return &*fonts_[*i];
  }

  QPen PenFor(int index) const {
    const auto i = TableIndex(doc_.Pens(), index);
    if (!i) return QPen(Qt::black, 0);  // the device's default pen
    const PenEntry& e = doc_.Pens()[*i];
    QPen pen;
    if (options_.print) {
      // Printed lines are solid unless the pen asks for a dash; width 0 is
      // the thinnest line.
      pen = QPen(ToQColor(e.printColor), e.printWidth, ToPenStyle(e.printDash));
    } else {
      pen = QPen(ToQColor(e.screenColor), e.screenWidth, ToPenStyle(e.screenStyle));
    }
    // Wide lines end and join round, thin ones stay one device unit.
    const int width = pen.width();
    const bool wide = width > 1;
    pen.setCapStyle(wide ? Qt::RoundCap : Qt::FlatCap);
    pen.setJoinStyle(wide ? Qt::RoundJoin : Qt::MiterJoin);
    pen.setCosmetic(width == 0);
    return pen;
  }

  QBrush BrushFor(int index) const {
    const auto i = TableIndex(doc_.Brushes(), index);
    if (!i) return QBrush(Qt::white);  // the device's default brush
    const BrushEntry& e = doc_.Brushes()[*i];
    return QBrush(ToQColor(e.color), e.hatch < 0 ? Qt::SolidPattern : ToHatch(e.hatch));
  }

  void DrawElement(const TextElement& e) {
    const Font* font = FontFor(e.font);
    if (!font) return;
    const QString text = QStringFromUtf8(e.text);
    p_.setFont(font->font);
    p_.setPen(ToQColor(e.color));
    const int drawn = font->metrics.horizontalAdvance(text);
    const int cx = std::min(drawn, LaidOutWidth(e));
    // On paper the glyphs are wider or narrower than the screen widths the
    // page was laid out with; a text wider than its place would run into the
    // next one (items of the info block lose the space between them), so it
    // is drawn condensed to the width it was given.
    const double squeeze = drawn > cx && drawn > 0 ? static_cast<double>(cx) / drawn : 1.0;
    const int y = ToDeviceY(options_, e.y);
    if ((e.align & kAlignCenter) == kAlignCenter) {
      DrawTextAt(*font, text, ToDeviceX(options_, e.x) - cx / 2, y, e.font, squeeze);
      return;
    }
    // A text at x exactly 0 continues where the previous one ended.
    if (e.x != 0.0) textCursorX_ = ToDeviceX(options_, e.x);
    const bool right = (e.align & kAlignRight) != 0;
    DrawTextAt(*font, text, right ? textCursorX_ - cx : textCursorX_, y, e.font, squeeze);
    textCursorX_ += cx;
  }

  // The width the page's layout measured for the text, in device units; on
  // screen the text is drawn as measured, so there is nothing to compare.
  int LaidOutWidth(const TextElement& e) {
    const auto i = TableIndex(doc_.Fonts(), e.font);
    if (!options_.print || !i) return std::numeric_limits<int>::max();
    const double mm = layoutMeasurer_.TextWidthPx(doc_.Fonts()[*i], e.text) * kMmPerPixel;
    return TruncToDevice(mm * 10.0);
  }

  // (x, y) is the top-left corner of the text cell in device units; `squeeze`
  // scales the text along its baseline.
  void DrawTextAt(const Font& font, const QString& text, int32_t x, int32_t y, int fontIndex,
                  double squeeze) {
    const QPoint topLeft = ToQt(x, y);
    const auto i = TableIndex(doc_.Fonts(), fontIndex);
    const int angle = i ? doc_.Fonts()[*i].angle : 0;
    if (angle == 0 && squeeze == 1.0) {
      p_.drawText(topLeft + QPoint(0, font.metrics.ascent()), text);
      return;
    }
    // Escapement turns counter-clockwise on screen; the print path negates
    // it, which on the y-up mapping turns the other way.
    p_.save();
    p_.translate(topLeft);
    if (angle != 0) p_.rotate(options_.print ? angle : -angle);
    if (squeeze != 1.0) p_.scale(squeeze, 1.0);
    p_.drawText(QPoint(0, font.metrics.ascent()), text);
    p_.restore();
  }

  void DrawElement(const PolylineElement& e) {
    const size_t n = std::min(e.x.size(), e.y.size());
    if (n < 2) return;
    // Dense curves put many points on one device point; dropping the
    // repeats leaves the drawn line as it is and saves the stroker the work.
    polygon_.clear();
    polygon_.reserve(static_cast<qsizetype>(n));
    for (size_t k = 0; k < n; ++k) {
      const QPoint point = Point(e.x[k], e.y[k]);
      if (polygon_.isEmpty() || polygon_.constLast() != point) polygon_.append(point);
    }
    if (polygon_.size() == 1) polygon_.append(polygon_.constFirst());  // still a dot
    QPen pen = PenFor(e.pen);
    p_.setBrush(Qt::NoBrush);
    if (!options_.print && pen.width() == 2) {
      // On pixels, two-pixel segments with square ends cover exactly the
      // pixels of the round-joined stroke, and Qt strokes them in less than
      // half the time: the curves of a page are mostly this pen.
      pen.setCapStyle(Qt::SquareCap);
      p_.setPen(pen);
      lines_.clear();
      lines_.reserve(polygon_.size() - 1);
      for (qsizetype k = 1; k < polygon_.size(); ++k)
        lines_.append(QLine(polygon_[k - 1], polygon_[k]));
      p_.drawLines(lines_);
      return;
    }
    p_.setPen(pen);
    p_.drawPolyline(polygon_);
  }

  void DrawElement(const RectElement& e) {
    const QPoint topLeft = Point(e.x, e.y);
    const QPoint bottomRight = Point(e.x + e.width, e.y + e.height);
    // The fill leaves out the right and bottom edges; an empty or inverted
    // rectangle fills nothing.
    if (bottomRight.x() > topLeft.x() && bottomRight.y() > topLeft.y()) {
      p_.fillRect(QRect(topLeft.x(), topLeft.y(), bottomRight.x() - topLeft.x(),
                        bottomRight.y() - topLeft.y()),
                  BrushFor(e.brush));
    }
    const QPoint outline[5] = {topLeft, QPoint(bottomRight.x(), topLeft.y()), bottomRight,
                               QPoint(topLeft.x(), bottomRight.y()), topLeft};
    p_.setPen(PenFor(e.pen));
    p_.setBrush(Qt::NoBrush);
    p_.drawPolyline(outline, 5);
  }

  QPainter& p_;
  const DrawingDocument& doc_;
  const RenderOptions options_;
  int32_t textCursorX_ = 0;        // device units
  QtTextMeasurer layoutMeasurer_;  // the metrics the page was laid out with
  std::vector<std::optional<Font>> fonts_;
  QPolygon polygon_;  // reused between polylines
  QList<QLine> lines_;
};

}  // namespace

void RenderSheet(QPainter& painter, const DrawingDocument& doc, const DrawingSheet& sheet,
                 const RenderOptions& options) {
  painter.save();
  painter.setBackgroundMode(Qt::TransparentMode);
  if (!options.print) painter.setRenderHint(QPainter::Antialiasing, false);
  SheetPainter(painter, doc, options).Draw(sheet);
  painter.restore();
}

void RenderCurrentSheet(QPainter& painter, const DrawingDocument& doc,
                        const RenderOptions& options) {
  if (const DrawingSheet* sheet = doc.CurrentSheet()) RenderSheet(painter, doc, *sheet, options);
}

}  // namespace fernplot
