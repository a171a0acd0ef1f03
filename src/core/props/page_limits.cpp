// SPDX-License-Identifier: MIT
#include "props/page_limits.h"

#include <algorithm>
#include <cmath>

#include "props/page_geometry.h"

namespace fernplot {

PageSizeMm PageSizeBoundMm(const GraphProperties& p) {
  auto h = [&p](int category) { return p.fonts[static_cast<size_t>(category)].size * kMmPerPoint; };
  // An item may move down a line before it is placed and end its line after.
  auto itemLines = [&h](int category) { return 2.0 * (h(category) + kInfoLineGap); };
  PageSizeMm size;
  size.width = std::max(p.HT.length, p.HB.length) + 2.0 * kFrameSideSpace;
  const double header =
      itemLines(kFontFileName) + itemLines(kFontCreationDate) + itemLines(kFontDataTitle);
  const double aboveFrame = h(kFontGraphTitle) + kTextLineGap +
                            std::max(h(kFontGainCaption), h(kFontPhaseCaption)) / 2.0 +
                            kSpaceAboveFrame;
  const double underFrame =
      h(kFontFreqLabels) + kTextLineGap + h(kFontFreqCaption) + kTextLineGap + kSpaceAboveSettings;
  const double lower =
      (kItemCount - 3) * itemLines(kFontOther) + h(kFontOther) + kTextLineGap + kSpaceUnderSettings;
  const double credit = kCreditBelowPage + kCreditSize * kMmPerPoint;
  size.height = kFirstInfoLineTop + header + aboveFrame + std::max(p.VL.length, p.VR.length) +
                underFrame + lower + kPageBottomMargin + credit;
  return size;
}

bool PageWithinLimits(const GraphProperties& props) {
  const PageSizeMm mm = PageSizeBoundMm(props);
  // Written so that NaN fails every comparison.
  if (!(mm.width > 0 && mm.width <= kMaxVectorPageMm)) return false;
  if (!(mm.height > 0 && mm.height <= kMaxVectorPageMm)) return false;
  const double w = std::ceil(mm.width * kPixelsPerMm) + 1,
               hPx = std::ceil(mm.height * kPixelsPerMm);
  return w <= kMaxPageImageSide && hPx <= kMaxPageImageSide && w * hPx <= kMaxPageImagePixels;
}

}  // namespace fernplot
