// SPDX-License-Identifier: MIT
#pragma once
// The measures of a page that are not the user's: units and the fixed
// spaces between its parts. The page's layout places its parts with them,
// and the limits on a page's size are worked out from them before any page
// is laid out.

namespace fernplot {

constexpr double kPixelsPerMm = 96.0 / 25.4;  // 3.7795275590551185
constexpr double kMmPerPixel = 25.4 / 96.0;   // 0.2645833333333333
constexpr double kMmPerPoint = 25.4 / 72.0;   // 0.35277777777777775

constexpr double kFrameSideSpace = 18.0;
constexpr double kFirstInfoLineTop = 2.0;
constexpr double kTextLineGap = 0.5;
constexpr double kSpaceAboveFrame = 1.5;
constexpr double kSpaceAboveSettings = 3.0;
constexpr double kSpaceUnderSettings = 2.5;
constexpr double kPageBottomMargin = 2.5;
constexpr double kCreditBelowPage = 0.2;
constexpr int kCreditSize = 8;
// Between two lines of info texts.
constexpr double kInfoLineGap = 0.5;

}  // namespace fernplot
