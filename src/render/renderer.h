// SPDX-License-Identifier: MIT
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

// How one render maps the sheet's millimetres onto its device. A value passed
// to each render, so the document itself stays the same whatever was drawn
// from it before.
struct RenderOptions {
  bool print = false;
  double zoom = 1.0;         // screen only; paper is always true size
  int32_t printOffsetX = 0;  // mm, print only
  int32_t printOffsetY = 0;  // mm, print only

  static RenderOptions Screen(double zoom) { return RenderOptions{false, zoom, 0, 0}; }
  static RenderOptions Print(int32_t offsetXMm, int32_t offsetYMm) {
    return RenderOptions{true, 1.0, offsetXMm, offsetYMm};
  }
};

int32_t ToDeviceX(const RenderOptions& options, double mm);
int32_t ToDeviceY(const RenderOptions& options, double mm);

// Character heights of a font entry in logical units: on screen the zoomed
// size cut to whole points, in pixels; on paper the true size in 0.1 mm.
int ScreenFontHeight(const FontEntry& font, double zoom);
int PrintFontHeight(const FontEntry& font);

// Draws `sheet`, which belongs to `doc` (whose font, pen and brush tables it
// uses). For print options the painter must already be in 0.1 mm units
// (SetPrintUnits). The painter's own state is restored afterwards. Texts that
// continue the previous one start from the left edge at the first text of
// each render.
void RenderSheet(QPainter& painter, const DrawingDocument& doc, const DrawingSheet& sheet,
                 const RenderOptions& options);
// The current sheet; nothing without one.
void RenderCurrentSheet(QPainter& painter, const DrawingDocument& doc,
                        const RenderOptions& options);

// Scales the painter so that one logical unit is 0.1 mm on its device.
void SetPrintUnits(QPainter& painter);

}  // namespace fernplot
