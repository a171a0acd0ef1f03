// SPDX-License-Identifier: MIT
#pragma once
// Page geometry in millimetres and the graph's elements in drawing order.

#include <vector>

#include "graph/page_layout.h"
#include "graph/pages.h"
#include "props/graph_properties.h"
#include "props/page_geometry.h"

namespace fernplot {

class DrawingDocument;
struct BodeStages;

// Kept between a long axis caption and the page's edge.
constexpr double kCaptionEdgeGap = 1.0;
constexpr double kInfoInset = 10.0;
constexpr double kTitleAboveFrame = 2.0;
constexpr double kCreditX = 0.5;
constexpr const char* kCreditLine = "FERNPLOT frequency response viewer";
constexpr const char* kCreditFace = "Times New Roman";

// The layers of the page's own parts, each drawing into the current sheet:
// the page outline; the credit line under it; the frame's background and
// the graph title; the frame's outline; the page's two curves (or the line
// that says there is nothing to plot).
void DrawPageOutline(const BodeStages& stages, DrawingDocument& drawing);
void DrawCreditLine(const BodeStages& stages, DrawingDocument& drawing);
void DrawFrameAndTitle(const BodeStages& stages, DrawingDocument& drawing);
void DrawFrameOutline(const BodeStages& stages, DrawingDocument& drawing);
void DrawPageCurves(const BodeStages& stages, DrawingDocument& drawing);

struct CurvePiece {
  std::vector<double> x, y;
};
enum class CurveValue { kGain, kPhase };
// The curve of one quantity through the points, mapped by the frequency axis
// and the given vertical axis and clamped to the frame (left end: where the
// frequency axis starts).
// A point that has no place on the axes (a non-finite value, or a negative
// frequency on a logarithmic axis) is left out and breaks the curve there;
// 0 Hz on a logarithmic axis is clamped to the left end like any point below
// the minimum. Always at least one piece, possibly empty.
std::vector<CurvePiece> CurvePieces(const std::vector<RangePoint>& points, CurveValue which,
                                    const AxisMap& frequency, const AxisMap& vertical,
                                    const FrameRect& frame);

}  // namespace fernplot
