// SPDX-License-Identifier: MIT
#pragma once
// How large a page may be. Every output refuses a page beyond these limits
// rather than allocating it (a hand-edited axis of kilometres would otherwise
// ask for hundreds of gigabytes), and the settings reader keeps out values
// that could only make such a page.

#include "props/graph_properties.h"

namespace fernplot {

// A page picture: at most this many pixels a side and in all. 200 megapixels
// is a 1 m page at 14 px/mm.
inline constexpr double kMaxPageImageSide = 32767;
inline constexpr double kMaxPageImagePixels = 200e6;
// The largest vector page side, in mm (a PDF page may not exceed 200 in).
inline constexpr double kMaxVectorPageMm = 5080;

struct PageSizeMm {
  double width = 0.0;
  double height = 0.0;
};

// The largest page the properties can make, whatever the data file and
// however its info texts wrap: the frame, every info item on lines of its
// own and the credit line under the page.
PageSizeMm PageSizeBoundMm(const GraphProperties& props);

// Whether that page fits a vector page and, at 100 %, a page picture.
bool PageWithinLimits(const GraphProperties& props);

}  // namespace fernplot
