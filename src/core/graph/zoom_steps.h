// SPDX-License-Identifier: MIT
#pragma once
// The zoom steps a page is shown at: the viewer offers them, and the
// overlay curves are thinned for the device grid of each.

#include <array>
#include <string_view>

namespace fernplot {

struct ZoomStep {
  std::string_view comboText;
  std::string_view menuText;
  double factor;
};
constexpr int kZoomStepCount = 6;
constexpr int kZoomDefaultIndex = 3;  // "100%"
constexpr std::array<ZoomStep, kZoomStepCount> kZoomSteps{{
    {" 30%", " 30 %", 0.3},
    {" 60%", " 60 %", 0.6},
    {" 75%", " 75 %", 0.75},
    {"100%", "100 %", 1.0},
    {"150%", "150 %", 1.5},
    {"200%", "200 %", 2.0},
}};

}  // namespace fernplot
