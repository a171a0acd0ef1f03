// SPDX-License-Identifier: MIT
#pragma once
// The about box.

#include <QDialog>

namespace fernplot {

class AboutDialog : public QDialog {
  Q_OBJECT

 public:
  explicit AboutDialog(QWidget* parent = nullptr);
};

// The about box's picture: a small Bode plot on a sunken tile.
QPixmap AboutPicture(QSize size, qreal dpr);

}  // namespace fernplot
