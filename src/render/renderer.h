#pragma once
// Replays the current sheet of a DrawingDocument onto a QPainter: a widget,
// a QImage, an SVG, a PDF or a printer all go through the same code.
//
// Screen mode: logical units are pixels at 96 dpi times the zoom factor.
// Print mode: true size, logical units of 0.1 mm with the page offset; the
// coordinates are y-up as a metric mapping mode gives them and are mirrored
// to Qt's y-down in one place only.

#include <QPainter>
#include <cstdint>

#include "graph/drawing.h"

namespace fernplot {

int32_t ToDeviceX(const DrawingDocument& doc, double mm);
int32_t ToDeviceY(const DrawingDocument& doc, double mm);

// Character heights of a font entry in logical units: on screen the zoomed
// size cut to whole points, in pixels; on paper the true size in 0.1 mm.
int ScreenFontHeight(const FontEntry& font, double zoom);
int PrintFontHeight(const FontEntry& font);

// Draws the current sheet (nothing without one). The painter's own state is
// restored afterwards; textCursorX is carried in the document.
void RenderSheet(QPainter& painter, DrawingDocument& doc);
// RenderSheet with printMode set. The painter must already be in 0.1 mm
// units (SetPrintUnits) and the print offsets set in the document.
void RenderSheetForPrint(QPainter& painter, DrawingDocument& doc);

// Scales the painter so that one logical unit is 0.1 mm on its device.
void SetPrintUnits(QPainter& painter);

}  // namespace fernplot
