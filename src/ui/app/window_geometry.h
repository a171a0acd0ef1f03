// SPDX-License-Identifier: MIT
#pragma once
// The main window's place on the screen: its first size, kept inside the
// screen together with the window manager's frame, and its place and size
// from the last run.

#include <QMargins>
#include <QRect>
#include <QSize>

class QSettings;
class QWidget;

namespace fernplot {

// The client rectangle (what QWidget::setGeometry takes) of a window whose
// frame (`frame`: title bar and borders around the client area) must lie
// inside `available`. The client is as large as `wanted` where room allows,
// never larger, and the framed window is centred.
QRect FitFramedWindow(const QRect& available, const QMargins& frame, QSize wanted);
// The same for a window that already has a place (`wanted`, a client
// rectangle): unchanged when it fits with its frame, else shrunk where it is
// too large and moved the least distance that brings the frame inside.
QRect FitFramedWindow(const QRect& available, const QMargins& frame, const QRect& wanted);

// Sizes and places the window: the last run's place when one was saved, else
// the wanted client size centred; either way inside the available screen with
// its frame. The frame is known only once the window manager has decorated
// the shown window, so the fit is checked again then (once).
// `settings` may be null (nothing remembered).
void PlaceMainWindow(QWidget& window, QSize wanted, const QSettings* settings);
// Remembers the window's place and size for the next run.
void SaveMainWindowPlace(const QWidget& window, QSettings& settings);

}  // namespace fernplot
