// SPDX-License-Identifier: MIT
// The view's cross-hair: the readout of every pointer move and the two
// lines, painted as a magenta XOR over the cached page picture.

#include <QPainter>
#include <cmath>

#include "app_state.h"
#include "commands.h"
#include "graph/page_impedance.h"
#include "graph/pages.h"
#include "main_view.h"
#include "paint_bands.h"

namespace fernplot {

namespace {

// The pixels of `image` under `logical` (page coordinates), XOR-ed with
// magenta as a raster XOR pen would leave them. skipRow >= 0 leaves that
// logical row as it was: where two XOR lines cross, the pixel is restored.
QImage XorStrip(const QImage& image, QRect logical, int skipRow) {
  const qreal dpr = image.devicePixelRatio();
  const QRect device(static_cast<int>(std::floor(logical.x() * dpr)),
                     static_cast<int>(std::floor(logical.y() * dpr)),
                     static_cast<int>(std::ceil(logical.width() * dpr)),
                     static_cast<int>(std::ceil(logical.height() * dpr)));
  const QRect clipped = device & image.rect();
  if (clipped.isEmpty()) return {};
  QImage strip = image.copy(clipped).convertToFormat(QImage::Format_RGB32);
  const int skipFrom =
      skipRow >= 0 ? static_cast<int>(std::floor(skipRow * dpr)) - clipped.y() : -1;
  const int skipTo =
      skipRow >= 0 ? static_cast<int>(std::ceil((skipRow + 1) * dpr)) - clipped.y() : -1;
  for (int y = 0; y < strip.height(); ++y) {
    if (y >= skipFrom && y < skipTo) continue;
    auto* line = reinterpret_cast<QRgb*>(strip.scanLine(y));
    for (int x = 0; x < strip.width(); ++x) line[x] ^= 0x00FF00FFu;
  }
  strip.setDevicePixelRatio(dpr);
  return strip;
}

}  // namespace

void CMainView::PaintCrossHair(QPainter& painter, const QImage& image) const {
  const QPoint s = lastScroll_;
  const qreal dpr = image.devicePixelRatio();
  const QLine& h = lines_.horizontal;
  const QLine& v = lines_.vertical;
  // A polyline leaves out its last point.
  const QRect hRect(h.x1() + s.x(), h.y1() + s.y(), h.x2() - h.x1(), 1);
  const QRect vRect(v.x1() + s.x(), v.y1() + s.y(), 1, v.y2() - v.y1());
  const bool crosses = v.x1() >= h.x1() && v.x1() < h.x2() && h.y1() >= v.y1() && h.y1() < v.y2();
  const QImage hs = XorStrip(image, hRect, -1);
  const QImage vs = XorStrip(image, vRect, crosses ? h.y1() + s.y() : -1);
  const auto origin = [&](QRect r) {
    return QPointF(std::floor(r.x() * dpr) / dpr - s.x(), std::floor(r.y() * dpr) / dpr - s.y());
  };
  if (!hs.isNull()) painter.drawImage(origin(hRect), hs);
  if (!vs.isNull()) {
    const QPointF at = origin(vRect);
    ForEachBand(vs.rect(), [&](const QRect& band) {
      painter.drawImage(at + QPointF(band.topLeft()) / dpr, vs, band);
    });
  }
}

QRegion CMainView::CrossHairRegion() const {
  const QLine& h = lines_.horizontal;
  const QLine& v = lines_.vertical;
  QRegion r(QRect(h.x1(), h.y1(), std::max(0, h.x2() - h.x1()), 1));
  r += QRect(v.x1(), v.y1(), 1, std::max(0, v.y2() - v.y1()));
  return r;
}

void CMainView::HideCrossHair() {
  if (!crossHairVisible_) return;
  crossHairVisible_ = false;
  viewport()->update(CrossHairRegion() + DotsRegion());
}

void CMainView::ShowCrossHair(const GraphPage& page, QPoint client) {
  if (!state_.crossHairEnabled) return;
  lastScroll_ = ScrollPosition();
  lines_ = CrossHairGeometry(page.layout, client, lastScroll_, zoom_);
  crossHairVisible_ = true;
  viewport()->update(CrossHairRegion() + DotsRegion());
}

void CMainView::HandlePointer(QPoint client) {
  HideCrossHair();
  QString texts[3];
  const GraphPage* page = CurrentPage();
  // The residual view is read off its axes, both in percent of |Z|.
  const bool kk = page && page->properties.view == ViewKind::kKk;
  if (page && page->properties.view != ViewKind::kBode && !kk) {
    HandleLoopPointer(*page, client);
    return;
  }
  std::optional<Readout> readout;
  if (page) {
    readout = ComputeReadout(page->layout, client, ScrollPosition(), zoom_);
  }
  if (readout) {
    texts[0] = FrequencyPaneText(readout->frequency);
    if (kk) {
      texts[1] = QStringLiteral("Re %1 %").arg(readout->gain, 0, 'f', 2);
      texts[2] = QStringLiteral("Im %1 %").arg(readout->phase, 0, 'f', 2);
    } else {
      texts[1] = ShowsOhms(*page) ? OhmsPaneText(readout->gain) : GainPaneText(readout->gain);
      texts[2] = RightPaneText(page->properties, readout->phase);
    }
  }
  const bool fit = readout.has_value();
  emit paneTextChanged(kPaneFrequency, texts[0], fit);
  emit paneTextChanged(kPaneGain, texts[1], fit);
  emit paneTextChanged(kPanePhase, texts[2], fit);
  // The page's curve values mean nothing over its residuals.
  UpdateTraceReadout(kk ? nullptr : page, readout && !kk ? &*readout : nullptr, client);
  if (readout) ShowCrossHair(*page, client);
}

void CMainView::ClearPointer() {
  HideCrossHair();
  UpdateTraceReadout(nullptr, nullptr, {});
  for (int pane : {kPaneFrequency, kPaneGain, kPanePhase}) emit paneTextChanged(pane, {}, false);
}

}  // namespace fernplot
