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

// GDI's MulDiv: a * b / c rounded half away from zero.
int MulDiv(int a, int b, int c);

// A Qt font for `entry` whose character height is `pixelSize` units of the
// painter it is used on (pixels on screen, 0.1 mm on paper). The family is
// the resolved one, so vector output names a font that really exists.
QFont MakeFont(const FontEntry& entry, int pixelSize);

}  // namespace fernplot
