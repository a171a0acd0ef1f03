// SPDX-License-Identifier: MIT
#pragma once
// Painting thin rectangles without waking Qt's drawing thread pool.

#include <QRect>
#include <algorithm>

namespace fernplot {

// Qt's raster engine hands a blit of more than about a hundred rows to its
// thread pool; for the thin strips a pointer move repaints, waking the pool
// costs more than the copy. Small rectangles are therefore cut into bands.
template <typename Fn>
inline void ForEachBand(const QRect& r, Fn fn) {
  constexpr int kBandRows = 64;
  constexpr int kSmallArea = 64 * 1024;
  if (r.width() * r.height() > kSmallArea || r.height() <= kBandRows) {
    fn(r);
    return;
  }
  for (int y = r.top(); y <= r.bottom(); y += kBandRows) {
    fn(QRect(r.left(), y, r.width(), std::min(kBandRows, r.bottom() - y + 1)));
  }
}

}  // namespace fernplot
