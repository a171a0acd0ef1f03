// SPDX-License-Identifier: MIT
#pragma once
// The main window's place on the screen: its first size, kept inside the
// screen, and its place and size from the last run.

#include <QRect>
#include <QSize>

class QSettings;
class QWidget;

namespace fernplot {

// The window's rectangle (frame included) for a wanted client size: as large
// as wanted where `available` allows, never larger than it, and inside it.
// `decoration` is what the window manager's frame adds to the client size.
QRect FitWindowRect(QSize wanted, QSize decoration, const QRect& available);

// Sizes and places the window: the last run's place when one was saved, else
// the wanted size centred; either way inside the available screen.
// `settings` may be null (nothing remembered).
void PlaceMainWindow(QWidget& window, QSize wanted, const QSettings* settings);
// Remembers the window's place and size for the next run.
void SaveMainWindowPlace(const QWidget& window, QSettings& settings);

}  // namespace fernplot
