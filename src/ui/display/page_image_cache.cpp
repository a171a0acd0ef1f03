// SPDX-License-Identifier: MIT
#include "page_image_cache.h"

#include <QPainter>
#include <algorithm>
#include <cmath>

#include "graph/device_units.h"
#include "page_output.h"
#include "renderer.h"

namespace fernplot {

namespace {

constexpr double kOverhangMm = 10.0;
constexpr double kMaxCachedPagePixels = 1 << 28;

}  // namespace

QSize ZoomedSheetSize(const DrawingDocument& doc, double zoom) {
  return {TruncToDevice(doc.CurrentWidth() * zoom), TruncToDevice(doc.CurrentHeight() * zoom)};
}

QImage RenderSheetImage(const DrawingDocument& doc, double zoom, QSize size, qreal dpr) {
  const QSize device(TruncToDevice(std::ceil(size.width() * dpr)),
                     TruncToDevice(std::ceil(size.height() * dpr)));
  // A page too large to hold is not drawn (an empty picture, as for no page):
  // past a painter's coordinate range or 1 GiB of pixels.
  const double pixels = static_cast<double>(device.width()) * device.height();
  if (device.width() > kMaxPageImageSide || device.height() > kMaxPageImageSide ||
      pixels > kMaxCachedPagePixels) {
    return QImage();
  }
  QImage image(device, QImage::Format_RGB32);
  if (image.isNull()) return image;
  image.setDevicePixelRatio(dpr);
  image.fill(Qt::white);
  QPainter painter(&image);
  RenderCurrentSheet(painter, doc, RenderOptions::Screen(zoom));
  return image;
}

const QImage& PageImageCache::Get(const DrawingDocument& doc, double zoom, qreal dpr) {
  const int number = doc.CurrentNumber();
  if (number < 1) return empty_;
  // Pictures of other sheets are of no further use: stepping back renders anew.
  std::erase_if(entries_, [&](const Entry& e) { return e.sheetNumber != number; });
  auto it = std::find_if(entries_.begin(), entries_.end(),
                         [&](const Entry& e) { return e.zoom == zoom && e.dpr == dpr; });
  if (it != entries_.end()) {
    std::rotate(it, it + 1, entries_.end());
    return entries_.back().image;
  }
  if (entries_.size() >= kMaxEntries) entries_.erase(entries_.begin());
  ++renders_;
  // The renderer does not clip to the sheet: what is drawn a little beyond
  // it (the credit line under the outline) shows on screen as well.
  QSize size = ZoomedSheetSize(doc, zoom);
  const int overhang = TruncToDevice(kOverhangMm * zoom * kPixelsPerMm);
  size.rwidth() += overhang;
  size.rheight() += overhang;
  entries_.push_back({number, zoom, dpr, RenderSheetImage(doc, zoom, size, dpr)});
  return entries_.back().image;
}

}  // namespace fernplot
