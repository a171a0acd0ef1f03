// SPDX-License-Identifier: MIT
#include "window_geometry.h"

#include <QEvent>
#include <QGuiApplication>
#include <QObject>
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

// What the window manager's decorations add around the client area; all 0
// until the shown window has been decorated (or when nobody decorates it).
QMargins FrameOf(const QWidget& window) {
  const QRect outer = window.frameGeometry();
  const QRect inner = window.geometry();
  return {std::max(0, inner.left() - outer.left()), std::max(0, inner.top() - outer.top()),
          std::max(0, outer.right() - inner.right()), std::max(0, outer.bottom() - inner.bottom())};
}

QSize ClientRoom(const QRect& available, const QMargins& frame) {
  return QSize(available.width() - frame.left() - frame.right(),
               available.height() - frame.top() - frame.bottom())
      .expandedTo(QSize(1, 1));
}

// Refits the window once, when its frame becomes known after it is shown (on
// X11 first seen at the first paint): a window placed before that was fitted
// as if it had no frame.
class FrameFitter final : public QObject {
 public:
  explicit FrameFitter(QWidget& window) : QObject(&window), window_(window) {
    window.installEventFilter(this);
  }

 protected:
  bool eventFilter(QObject* watched, QEvent* event) override {
    const QEvent::Type type = event->type();
    if (watched == &window_ &&
        (type == QEvent::Move || type == QEvent::Resize || type == QEvent::Show ||
         type == QEvent::Paint || type == QEvent::WindowActivate)) {
      const QMargins frame = FrameOf(window_);
      if (!frame.isNull()) {
        window_.removeEventFilter(this);
        const QRect client = window_.geometry();
        const QRect fitted = FitFramedWindow(AvailableFor(window_), frame, client);
        if (fitted != client) window_.setGeometry(fitted);
        deleteLater();
      }
    }
    return false;
  }

 private:
  QWidget& window_;
};

}  // namespace

QRect FitFramedWindow(const QRect& available, const QMargins& frame, QSize wanted) {
  const QSize client = wanted.expandedTo(QSize(1, 1)).boundedTo(ClientRoom(available, frame));
  const int outerWidth = client.width() + frame.left() + frame.right();
  const int outerHeight = client.height() + frame.top() + frame.bottom();
  const int x = available.x() + std::max(0, (available.width() - outerWidth) / 2);
  const int y = available.y() + std::max(0, (available.height() - outerHeight) / 2);
  return {QPoint(x + frame.left(), y + frame.top()), client};
}

QRect FitFramedWindow(const QRect& available, const QMargins& frame, const QRect& wanted) {
  const QSize client =
      wanted.size().expandedTo(QSize(1, 1)).boundedTo(ClientRoom(available, frame));
  // The client's top-left may range so that the frame stays inside.
  const int minX = available.left() + frame.left();
  const int minY = available.top() + frame.top();
  const int maxX = std::max(minX, available.right() - frame.right() - client.width() + 1);
  const int maxY = std::max(minY, available.bottom() - frame.bottom() - client.height() + 1);
  return {QPoint(std::clamp(wanted.x(), minX, maxX), std::clamp(wanted.y(), minY, maxY)), client};
}

void PlaceMainWindow(QWidget& window, QSize wanted, const QSettings* settings) {
  const QByteArray saved = (settings ? settings->value(kGeometryKey).toByteArray() : QByteArray());
  const QRect available = AvailableFor(window);
  const QMargins frame = FrameOf(window);
  if (!saved.isEmpty() && window.restoreGeometry(saved)) {
    // The screen may have become smaller since (or the scale larger).
    const QRect restored = window.geometry();
    const QRect fitted = FitFramedWindow(available, frame, restored);
    if (fitted != restored) window.setGeometry(fitted);
  } else {
    window.setGeometry(FitFramedWindow(available, frame, wanted));
  }
  if (frame.isNull()) new FrameFitter(window);
}

void SaveMainWindowPlace(const QWidget& window, QSettings& settings) {
  settings.setValue(kGeometryKey, window.saveGeometry());
}

}  // namespace fernplot
