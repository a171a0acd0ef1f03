// SPDX-License-Identifier: MIT
#include "about_dialog.h"

#include <QGroupBox>
#include <QLabel>
#include <QPainter>
#include <QPainterPath>
#include <QPushButton>
#include <cmath>

#include "display/dialog_units.h"
#include "fernplot_version.h"

namespace fernplot {

QPixmap AboutPicture(QSize size, qreal dpr) {
  QPixmap pm(size * dpr);
  pm.setDevicePixelRatio(dpr);
  pm.fill(QColor(255, 255, 230));
  QPainter p(&pm);
  p.setRenderHint(QPainter::Antialiasing, true);
  const double w = size.width();
  const double h = size.height();
  // Grid.
  p.setPen(QPen(QColor(200, 200, 200), 0.5));
  for (int i = 1; i < 4; ++i) {
    p.drawLine(QPointF(2, h * i / 4), QPointF(w - 2, h * i / 4));
    p.drawLine(QPointF(w * i / 4, 2), QPointF(w * i / 4, h - 2));
  }
  // A low-pass gain falling off past its corner, and its phase.
  QPainterPath gain, phase;
  for (int i = 0; i <= 40; ++i) {
    const double t = i / 40.0;
    const double f = std::pow(10.0, 4.0 * t - 2.0);
    const double g = -10.0 * std::log10(1.0 + f * f);
    const double ph = -std::atan(f) * 180.0 / M_PI;
    const QPointF pg(2 + t * (w - 4), 4 - g / 45.0 * (h - 8));
    const QPointF pp(2 + t * (w - 4), 4 - ph / 100.0 * (h - 8));
    if (i == 0) {
      gain.moveTo(pg);
      phase.moveTo(pp);
    } else {
      gain.lineTo(pg);
      phase.lineTo(pp);
    }
  }
  p.setPen(QPen(QColor(0, 0, 255), 1.5));
  p.drawPath(gain);
  p.setPen(QPen(QColor(255, 0, 0), 1.5));
  p.drawPath(phase);
  // Sunken frame.
  p.setRenderHint(QPainter::Antialiasing, false);
  p.setPen(QColor(128, 128, 128));
  p.drawLine(0, 0, size.width() - 1, 0);
  p.drawLine(0, 0, 0, size.height() - 1);
  p.setPen(Qt::white);
  p.drawLine(size.width() - 1, 1, size.width() - 1, size.height() - 1);
  p.drawLine(1, size.height() - 1, size.width() - 1, size.height() - 1);
  return pm;
}

AboutDialog::AboutDialog(QWidget* parent) : QDialog(parent) {
  setWindowTitle(tr("ﾊﾞｰｼﾞｮﾝ情報 - FERNPLOT"));
  setFont(DialogFont());
  const DialogUnits du(font());
  setFixedSize(du.X(163), du.Y(122));

  (new QGroupBox(this))->setGeometry(du.Rect(7, 7, 149, 40));
  auto* picture = new QLabel(this);
  const QRect pictureRect = du.Rect(11, 15, 24, 28);
  picture->setGeometry(pictureRect);
  picture->setPixmap(AboutPicture(pictureRect.size(), devicePixelRatioF()));

  const auto centred = [this](const QString& text, QRect rect) {
    auto* label = new QLabel(text, this);
    label->setAlignment(Qt::AlignHCenter | Qt::AlignTop);
    label->setGeometry(rect);
    return label;
  };
  centred(tr("Q417ﾌｧｲﾙ 読み出しｿﾌﾄｳｪｱ"), du.Rect(45, 19, 88, 11));
  centred(QStringLiteral("Version %1. %2. %3. %4")
              .arg(kVersionMajor)
              .arg(kVersionMinor)
              .arg(kVersionPatch)
              .arg(kVersionTweak),
          du.Rect(41, 32, 88, 10));

  (new QGroupBox(this))->setGeometry(du.Rect(7, 50, 149, 47));
  auto* line1 = new QLabel(tr("周波数特性ｸﾞﾗﾌの表示･印刷･CSV出力"), this);
  line1->setGeometry(du.Rect(13, 62, 135, 8));
  auto* line2 = new QLabel(QStringLiteral("Copyright (C) FERNPLOT developers"), this);
  line2->setGeometry(du.Rect(13, 78, 135, 8));
  for (QLabel* l : {line1, line2}) l->setObjectName(QStringLiteral("notice"));

  auto* ok = new QPushButton(QStringLiteral("OK"), this);
  ok->setGeometry(du.Rect(63, 102, 32, 14));
  ok->setDefault(true);
  connect(ok, &QPushButton::clicked, this, &QDialog::accept);
}

}  // namespace fernplot
