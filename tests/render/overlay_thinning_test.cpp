// SPDX-License-Identifier: MIT
// Thinned overlay curves against every point: the pictures must not differ
// on any grid the drawing is put on.

#include <gtest/gtest.h>

#include <QImage>
#include <QPainter>
#include <cmath>
#include <limits>
#include <variant>

#include "fernplot_test_data.h"
#include "graph/curve_thinning.h"
#include "graph/page_session.h"
#include "page_output.h"
#include "qt_text_measurer.h"
#include "renderer.h"

namespace fernplot {
namespace {

// A log sweep with gain and phase jumping by a few units from point to
// point (a noisy measurement), a gap of non-finite values and a point at a
// negative frequency, which break the curves.
MeasurementData NoisySweep(int n, uint32_t seed) {
  MeasurementData d = testing::Header(0, static_cast<uint16_t>(n));
  std::vector<DataPoint> points;
  uint32_t state = seed;
  const auto noise = [&state] {
    state = state * 1664525u + 1013904223u;
    return static_cast<double>(state >> 8) / static_cast<double>(1u << 24) - 0.5;
  };
  for (int i = 0; i < n; ++i) {
    DataPoint p;
    p.frequency = testing::LogSweepHz(i, n, 10.0, 4.0);
    const double r = p.frequency / 1000.0;
    p.gainCh1Ch2 = static_cast<float>(-10.0 * std::log10(1.0 + r * r) + 6.0 * noise());
    p.phaseCh1Ch2 = static_cast<float>(-std::atan(r) * 180.0 / M_PI + 20.0 * noise());
    p.gainCh2Ch1 = -p.gainCh1Ch2;
    p.phaseCh2Ch1 = -p.phaseCh1Ch2;
    points.push_back(p);
  }
  for (int i = n / 3; i < n / 3 + 50; ++i) {
    points[static_cast<size_t>(i)].gainCh1Ch2 = std::numeric_limits<float>::quiet_NaN();
  }
  points[static_cast<size_t>(n / 2)].frequency = -1.0;
  d.points = std::move(points);
  return d;
}

struct Built {
  QtTextMeasurer measurer;
  PageSession session;
  size_t curvePoints = 0;

  // withPhase false: the overlays' phases are not finite, so only their
  // solid gain curves are drawn.
  Built(std::vector<CurveGrid> grids, bool withPhase) {
    session.drawing.SetMeasurer(&measurer);
    session.drawingActive = true;
    session.curveGrids = std::move(grids);
    auto page = PageSession::MakePage(FactoryDefaults(), NoisySweep(400, 1), "PAGE");
    page->overlays.push_back({NoisySweep(30000, 7), "NOISY", ""});
    page->overlays.push_back({NoisySweep(3000, 9), "SPARSE", ""});
    if (!withPhase) {
      for (OverlayTrace& t : page->overlays) {
        for (DataPoint& p : *t.data.points) p.phaseCh1Ch2 = std::numeric_limits<float>::infinity();
      }
    }
    session.AddPage(std::move(page));
    for (const DrawingElement& e : session.drawing.CurrentSheet()->elements) {
      if (const auto* line = std::get_if<PolylineElement>(&e)) curvePoints += line->x.size();
    }
  }
};

QImage OnPaper(const DrawingDocument& doc) {
  const QSizeF mm = VectorPageSizeMm(doc);
  QImage image(static_cast<int>(mm.width() * 10) + 1, static_cast<int>(mm.height() * 10) + 1,
               QImage::Format_RGB32);
  image.setDotsPerMeterX(10000);  // one pixel per 0.1 mm
  image.setDotsPerMeterY(10000);
  image.fill(Qt::white);
  QPainter painter(&image);
  SetPrintUnits(painter);
  RenderCurrentSheet(painter, doc, RenderOptions::Print(0, 0));
  return image;
}

int DifferingPixels(QImage a, QImage b) {
  a = a.convertToFormat(QImage::Format_RGB32);
  b = b.convertToFormat(QImage::Format_RGB32);
  if (a.size() != b.size()) return a.width() * a.height();
  int n = 0;
  for (int y = 0; y < a.height(); ++y) {
    const auto* la = reinterpret_cast<const QRgb*>(a.constScanLine(y));
    const auto* lb = reinterpret_cast<const QRgb*>(b.constScanLine(y));
    for (int x = 0; x < a.width(); ++x) n += la[x] != lb[x];
  }
  return n;
}

// Solid curves through whole device units: the same pixels on every grid.
TEST(OverlayThinning, SolidCurvesDrawTheSamePixelsOnEveryGrid) {
  const Built all({}, false);
  const Built thinned(ViewerCurveGrids(), false);
  const Built exported(CurveGridsWithZoom(1.37), false);
  // The dense overlay loses most of its points.
  EXPECT_LT(thinned.curvePoints * 2, all.curvePoints);
  for (double zoom : {0.3, 0.6, 0.75, 1.0, 1.5, 2.0}) {
    SCOPED_TRACE(zoom);
    EXPECT_EQ(DifferingPixels(RenderPageImage(all.session.drawing, zoom),
                              RenderPageImage(thinned.session.drawing, zoom)),
              0);
  }
  EXPECT_EQ(DifferingPixels(OnPaper(all.session.drawing), OnPaper(thinned.session.drawing)), 0);
  // A picture at another zoom is thinned for that zoom as well.
  EXPECT_EQ(DifferingPixels(RenderPageImage(all.session.drawing, 1.37),
                            RenderPageImage(exported.session.drawing, 1.37)),
            0);
}

// A dashed phase curve starts its dashes afresh at other places once points
// are left out: a few pixels of a noisy column may change, no more.
TEST(OverlayThinning, DashedCurvesChangeAtMostAFewPixels) {
  const Built all({}, true);
  const Built thinned(ViewerCurveGrids(), true);
  for (double zoom : {0.6, 1.0, 2.0}) {
    SCOPED_TRACE(zoom);
    const QImage a = RenderPageImage(all.session.drawing, zoom);
    EXPECT_LT(DifferingPixels(a, RenderPageImage(thinned.session.drawing, zoom)),
              a.width() * a.height() / 2000);
  }
}

}  // namespace
}  // namespace fernplot
