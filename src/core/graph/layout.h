// SPDX-License-Identifier: MIT
#pragma once
// Page geometry in millimetres and the graph's elements in drawing order.

#include <vector>

#include "graph/pages.h"
#include "props/graph_properties.h"

namespace fernplot {

class PageBuilder;

constexpr double kFrameSideSpace = 18.0;
constexpr double kInfoInset = 10.0;
constexpr double kFirstInfoLineTop = 2.0;
constexpr double kTextLineGap = 0.5;
constexpr double kSpaceAboveFrame = 1.5;
constexpr double kSpaceAboveSettings = 3.0;
constexpr double kSpaceUnderSettings = 2.5;
constexpr double kPageBottomMargin = 2.5;
constexpr double kTitleAboveFrame = 2.0;
constexpr double kCreditX = 0.5;
constexpr double kCreditBelowPage = 0.2;
constexpr const char* kCreditLine = "FERNPLOT frequency response viewer";
constexpr const char* kCreditFace = "Times New Roman";
constexpr int kCreditSize = 8;

// Page rectangle, frame rectangle of all four axes, and the info items.
void LayoutPage(PageBuilder& builder);
// Outline, credit line, frame, title, axes, frame outline, both curves.
void DrawPage(PageBuilder& builder);

struct CurvePiece {
  std::vector<double> x, y;
};
enum class CurveValue { kGain, kPhase };
// The curve of one quantity through the points, mapped by the frequency axis
// and the given vertical axis and clamped to the frame (left end x0 + m1).
// A point that has no place on the axes (a non-finite value, or a negative
// frequency on a logarithmic axis) is left out and breaks the curve there;
// 0 Hz on a logarithmic axis is clamped to the left end like any point below
// the minimum. Always at least one piece, possibly empty.
std::vector<CurvePiece> CurvePieces(const std::vector<RangePoint>& points, CurveValue which,
                                    const AxisSettings& hb, const AxisSettings& vertical);

}  // namespace fernplot
