// SPDX-License-Identifier: MIT
#include "window_geometry.h"

#include <QGuiApplication>
#include <QScreen>
#include <QSettings>
#include <QWidget>
#include <algorithm>

namespace fernplot {

namespace {

const QString kGeometryKey = QStringLiteral("MainWindow/geometry");

QRect AvailableFor(const QWidget& window) {
  const QScreen* screen = window.screen();
  if (!screen) screen = QGuiApplication::primaryScreen();
  return screen ? screen->availableGeometry() : QRect(0, 0, 1024, 768);
}

}  // namespace

QRect FitWindowRect(QSize wanted, QSize decoration, const QRect& available) {
  const QSize room = (available.size() - decoration).expandedTo(QSize(1, 1));
  const QSize client = wanted.boundedTo(room);
  const QSize outer = client + decoration;
  const int x = available.x() + std::max(0, (available.width() - outer.width()) / 2);
  const int y = available.y() + std::max(0, (available.height() - outer.height()) / 2);
  return {QPoint(x, y), client};
}

void PlaceMainWindow(QWidget& window, QSize wanted, const QSettings* settings) {
  const QByteArray saved = (settings ? settings->value(kGeometryKey).toByteArray() : QByteArray());
  const QRect available = AvailableFor(window);
  const QSize decoration = window.frameGeometry().size() - window.geometry().size();
  if (!saved.isEmpty() && window.restoreGeometry(saved)) {
    // The screen may have become smaller since (or the scale larger).
    const QRect restored = window.geometry();
    if (available.contains(restored)) return;
    const QRect fitted = FitWindowRect(restored.size(), decoration, available);
    window.setGeometry(fitted);
    return;
  }
  window.setGeometry(FitWindowRect(wanted, decoration, available));
}

void SaveMainWindowPlace(const QWidget& window, QSettings& settings) {
  settings.setValue(kGeometryKey, window.saveGeometry());
}

}  // namespace fernplot
