// SPDX-License-Identifier: MIT
#include "toolbar_icons.h"

#include <QPainter>
#include <QPainterPath>
#include <QPixmap>

namespace fernplot {

namespace {

constexpr int kIconW = 16;
constexpr int kIconH = 15;

void DrawOpen(QPainter& p) {
  // A folder with its lid opening.
  p.setPen(QPen(QColor(128, 96, 0), 1));
  p.setBrush(QColor(255, 214, 90));
  p.drawRect(QRectF(1.5, 3.5, 10, 9));
  p.drawRect(QRectF(1.5, 2.5, 4, 1));
  QPainterPath lid;
  lid.moveTo(3.5, 6.5);
  lid.lineTo(14.5, 6.5);
  lid.lineTo(11.5, 12.5);
  lid.lineTo(1.5, 12.5);
  lid.closeSubpath();
  p.setBrush(QColor(255, 236, 150));
  p.drawPath(lid);
}

void DrawPrint(QPainter& p) {
  // Paper sticking out of a printer.
  p.setPen(QPen(Qt::black, 1));
  p.setBrush(Qt::white);
  p.drawRect(QRectF(4.5, 0.5, 7, 6));
  p.setBrush(QColor(192, 192, 192));
  p.drawRect(QRectF(1.5, 6.5, 13, 5));
  p.setBrush(Qt::white);
  p.drawRect(QRectF(4.5, 9.5, 7, 5));
  p.setPen(QPen(QColor(0, 160, 0), 1));
  p.drawPoint(QPointF(12.5, 8));
  p.setPen(QPen(QColor(96, 96, 96), 1));
  p.drawLine(QPointF(6, 11.5), QPointF(10, 11.5));
  p.drawLine(QPointF(6, 13), QPointF(10, 13));
}

void DrawProperties(QPainter& p) {
  // A little Bode plot: frame, a falling gain curve and a phase curve.
  p.setPen(QPen(Qt::black, 1));
  p.setBrush(QColor(255, 255, 230));
  p.drawRect(QRectF(0.5, 0.5, 14, 13));
  p.setPen(QPen(QColor(0, 0, 255), 1.4));
  p.drawPolyline(QPolygonF({QPointF(2, 4), QPointF(7, 4), QPointF(10, 7), QPointF(13, 11)}));
  p.setPen(QPen(QColor(255, 0, 0), 1.4));
  p.drawPolyline(QPolygonF({QPointF(2, 10), QPointF(6, 9.5), QPointF(9, 6), QPointF(13, 3)}));
}

void DrawArrow(QPainter& p, bool left) {
  // The right arrow is the left one mirrored about x = 8.
  const auto x = [left](double v) { return left ? v : 16.0 - v; };
  QPainterPath a;
  a.moveTo(x(2), 7.5);
  a.lineTo(x(8), 1.5);
  a.lineTo(x(8), 5);
  a.lineTo(x(14), 5);
  a.lineTo(x(14), 10);
  a.lineTo(x(8), 10);
  a.lineTo(x(8), 13.5);
  a.closeSubpath();
  p.setPen(QPen(QColor(0, 64, 0), 1));
  p.setBrush(QColor(0, 170, 60));
  p.drawPath(a);
}

void DrawZoomRange(QPainter& p) {
  // A magnifier over a dashed range.
  p.setPen(QPen(QColor(96, 96, 96), 1, Qt::DashLine));
  p.setBrush(Qt::NoBrush);
  p.drawRect(QRectF(0.5, 0.5, 9, 8));
  p.setPen(QPen(Qt::black, 1.2));
  p.setBrush(QColor(200, 230, 255));
  p.drawEllipse(QPointF(8.5, 7.5), 4, 4);
  p.setPen(QPen(Qt::black, 2.2));
  p.drawLine(QPointF(11.5, 10.5), QPointF(15, 14));
}

void DrawRangeBack(QPainter& p) {
  // A bent arrow back to the left.
  p.setPen(QPen(QColor(0, 64, 160), 1.6));
  p.setBrush(Qt::NoBrush);
  QPainterPath bend;
  bend.moveTo(4, 5.5);
  bend.lineTo(10, 5.5);
  bend.cubicTo(15, 5.5, 15, 12.5, 10, 12.5);
  bend.lineTo(6, 12.5);
  p.drawPath(bend);
  p.setBrush(QColor(0, 64, 160));
  p.drawPolygon(QPolygonF({QPointF(1, 5.5), QPointF(5, 2), QPointF(5, 9)}));
}

void DrawWholeSweep(QPainter& p) {
  // Arrows out to both ends of a bar.
  p.setPen(QPen(QColor(0, 64, 0), 1.4));
  p.drawLine(QPointF(1, 2), QPointF(1, 13));
  p.drawLine(QPointF(15, 2), QPointF(15, 13));
  p.drawLine(QPointF(3, 7.5), QPointF(13, 7.5));
  p.setBrush(QColor(0, 170, 60));
  p.drawPolygon(QPolygonF({QPointF(2.5, 7.5), QPointF(6, 4.5), QPointF(6, 10.5)}));
  p.drawPolygon(QPolygonF({QPointF(13.5, 7.5), QPointF(10, 4.5), QPointF(10, 10.5)}));
}

QPixmap Draw(ToolIcon kind, int scale) {
  QPixmap pm(kIconW * scale, kIconH * scale);
  pm.setDevicePixelRatio(scale);
  pm.fill(Qt::transparent);
  QPainter p(&pm);
  p.setRenderHint(QPainter::Antialiasing, true);
  switch (kind) {
    case ToolIcon::kOpen:
      DrawOpen(p);
      break;
    case ToolIcon::kPrint:
      DrawPrint(p);
      break;
    case ToolIcon::kProperties:
      DrawProperties(p);
      break;
    case ToolIcon::kPrevious:
      DrawArrow(p, true);
      break;
    case ToolIcon::kNext:
      DrawArrow(p, false);
      break;
    case ToolIcon::kZoomRange:
      DrawZoomRange(p);
      break;
    case ToolIcon::kRangeBack:
      DrawRangeBack(p);
      break;
    case ToolIcon::kWholeSweep:
      DrawWholeSweep(p);
      break;
  }
  return pm;
}

}  // namespace

QIcon MakeToolIcon(ToolIcon kind) {
  QIcon icon;
  icon.addPixmap(Draw(kind, 1));
  icon.addPixmap(Draw(kind, 2));
  return icon;
}

}  // namespace fernplot
