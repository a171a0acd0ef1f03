// SPDX-License-Identifier: MIT
#include "cross_hair.h"

#include <cmath>

#include "analysis/figures_text.h"
#include "graph/axis_map.h"
#include "graph/device_units.h"
#include "graph/drawing.h"
#include "graph/format.h"
#include "qt_convert.h"
#include "text/number_text.h"

namespace fernplot {

namespace {

struct Frame {
  double x0, y0, x1, y1;
};

Frame FrameOf(const PageLayout& layout) {
  const FrameRect& f = layout.frame;
  return {f.left, f.top, f.right, f.bottom};
}

double DeviceOf(double mm, double zoom) {
  return static_cast<double>(TruncToDevice(zoom * mm * kPixelsPerMm));
}

// printf's %g, but independent of the C locale the application runs in.
// QString::number's 'g' is not the same: it drops the sign of -0 and rounds
// exact halves up where printf rounds them to even.
QString FormatG(double v) {
  return QStringFromUtf8(FormatGeneral(v, 6));
}

}  // namespace

QPointF PagePositionMm(QPoint client, QPoint scroll, double zoom) {
  const double d = zoom * kPixelsPerMm;
  return {(client.x() + scroll.x()) / d, (client.y() + scroll.y()) / d};
}

std::optional<Readout> ComputeReadout(const PageLayout& layout, QPoint client, QPoint scroll,
                                      double zoom) {
  const QPointF mm = PagePositionMm(client, scroll, zoom);
  const double x = mm.x();
  const double y = mm.y();
  const Frame fr = FrameOf(layout);
  if (x < fr.x0 || y < fr.y0 || x > fr.x1 || y > fr.y1) return std::nullopt;

  Readout r;
  r.frequency = layout.frequency.ToValue(x);
  r.gain = layout.gain.ToValue(y);
  r.phase = layout.right.ToValue(y);
  return r;
}

// A value that is not a number leaves its pane empty.
QString FrequencyPaneText(double hz) {
  if (!std::isfinite(hz)) return {};
  return QStringLiteral(" %1Hz ").arg(QStringFromUtf8(FormatFrequency(hz)));
}

QString GainPaneText(double db) {
  if (!std::isfinite(db)) return {};
  return FormatG(db) + QStringLiteral(" dB");
}

QString OhmsPaneText(double db) {
  if (!std::isfinite(db)) return {};
  return QStringLiteral(" %1\u03A9 ").arg(QStringFromUtf8(FormatFrequency(std::pow(10.0, db / 20.0))));
}

QString PhasePaneText(double deg) {
  if (!std::isfinite(deg)) return {};
  return FormatG(deg) + QStringLiteral(" deg");
}

QString RightPaneText(const GraphProperties& props, double value) {
  if (props.rightAxis != kRightGroupDelay) return PhasePaneText(value);
  if (!std::isfinite(value)) return {};
  return QStringFromUtf8(ThreeDigits(value, "s"));
}

CrossHairLines CrossHairGeometry(const PageLayout& layout, QPoint client, QPoint scroll,
                                 double zoom) {
  const Frame fr = FrameOf(layout);
  const int left = static_cast<int>(DeviceOf(fr.x0, zoom)) - scroll.x();
  const int right = static_cast<int>(DeviceOf(fr.x1, zoom)) - scroll.x();
  const int top = static_cast<int>(DeviceOf(fr.y0, zoom)) - scroll.y();
  const int bottom = static_cast<int>(DeviceOf(fr.y1, zoom)) - scroll.y();
  return {QLine(left, client.y(), right, client.y()), QLine(client.x(), top, client.x(), bottom)};
}

}  // namespace fernplot
