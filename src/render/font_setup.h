// SPDX-License-Identifier: MIT
#pragma once
// How the page's Windows font requests become Qt fonts on this platform.

#include <QFont>

#include "graph/drawing.h"

namespace fernplot {

// Maps the Windows face names the pages ask for onto the metric-compatible
// fonts installed here. Call once at start, after the QGuiApplication exists
// and before any font is made.
void InstallFontSubstitutions();

// Drops Qt's "OpenType support missing for <font>, script N" warnings: a
// fallback font without shaping tables for a rare script still draws the
// characters, and the lines (dozens per name) would bury real messages.
// Also drops "QStandardPaths: XDG_RUNTIME_DIR not set", which the platform
// start-up prints when run outside a login session (a batch job, a
// container): nothing here uses that folder. Install before the
// QGuiApplication is made. Other messages go on to the handler that was
// installed before.
void InstallFontWarningFilter();
// Whether `message` is one of those warnings.
bool IsMissingOpenTypeWarning(const QString& message);
bool IsMissingRuntimeDirWarning(const QString& message);

// GDI's MulDiv: a * b / c rounded half away from zero.
int MulDiv(int a, int b, int c);

// A Qt font for `entry` whose character height is `pixelSize` units of the
// painter it is used on (pixels on screen, 0.1 mm on paper). The family is
// the resolved one, so vector output names a font that really exists.
QFont MakeFont(const FontEntry& entry, int pixelSize);

}  // namespace fernplot
