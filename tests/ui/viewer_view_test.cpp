// SPDX-License-Identifier: MIT
// The cross-hair readout and lines, the picture cache and Ctrl + wheel zoom.

#include <QComboBox>
#include <QLabel>
#include <QScreen>
#include <QScrollBar>
#include <QTest>
#include <QWheelEvent>
#include <cmath>
#include <limits>

#include "display/commands.h"
#include "display/cross_hair.h"
#include "display/main_frame.h"
#include "display/main_view.h"
#include "display/page_image_cache.h"
#include "graph/drawing.h"
#include "graph/pages.h"
#include "viewer_support.h"

using namespace fernplot;
using namespace fernplot::testing;

namespace {

// A frame from (10, 20) to (110, 80) mm; log frequency axis from 10 Hz at
// 50 mm per decade, gain 0.5 mm per dB from -40 dB, phase 0.25 mm per degree
// from -180 degrees.
PageLayout KnownLayout(bool logFrequency, float margin1, float margin2) {
  PageLayout p;
  p.frame = {10, 20, 110, 80};
  // mm per decade or per Hz
  p.frequency = FrequencyAxisMap(p.frame, margin1, logFrequency ? 1.0 : 1000.0,
                                 logFrequency ? 50.0 : 0.01, logFrequency);
  p.gain = VerticalAxisMap(p.frame, margin2, -40.0, 0.5);
  p.right = VerticalAxisMap(p.frame, margin2, -180.0, 0.25);
  return p;
}

// With this zoom one pixel is one millimetre (to within a rounding that
// keeps the left and top edges inside).
const double kMmZoom = 1.0 / kPixelsPerMm;

}  // namespace

class ViewTest : public QObject {
  Q_OBJECT

 private slots:
  void pagePosition() {
    const QPointF mm = PagePositionMm(QPoint(10, 20), QPoint(300, 200), 2.0);
    QCOMPARE(std::round(mm.x() * 100) / 100, 41.01);
    QCOMPARE(std::round(mm.y() * 100) / 100, 29.10);
  }

  void readout_data() {
    QTest::addColumn<bool>("logFrequency");
    QTest::addColumn<double>("margin");
    QTest::addColumn<QPoint>("client");
    QTest::addColumn<bool>("inside");
    QTest::addColumn<double>("frequency");
    QTest::addColumn<double>("gain");
    QTest::addColumn<double>("phase");
    QTest::newRow("left edge, log")
        << true << 0.0 << QPoint(10, 70) << true << 10.0 << -20.0 << -140.0;
    QTest::newRow("x0 + 75 mm, log")
        << true << 0.0 << QPoint(85, 60) << true << std::pow(10.0, 2.5) << 0.0 << -100.0;
    QTest::newRow("left edge with margin")
        << true << 5.0 << QPoint(10, 75) << true << std::pow(10.0, 0.9) << -40.0 << -180.0;
    QTest::newRow("linear at x0 + margin")
        << false << 5.0 << QPoint(15, 50) << true << 1000.0 << 10.0 << -80.0;
    QTest::newRow("top left corner")
        << true << 0.0 << QPoint(10, 20) << true << 10.0 << 80.0 << 60.0;
    QTest::newRow("left of the frame")
        << true << 0.0 << QPoint(9, 50) << false << 0.0 << 0.0 << 0.0;
    QTest::newRow("below the frame") << true << 0.0 << QPoint(50, 81) << false << 0.0 << 0.0 << 0.0;
  }
  void readout() {
    QFETCH(bool, logFrequency);
    QFETCH(double, margin);
    QFETCH(QPoint, client);
    QFETCH(bool, inside);
    QFETCH(double, frequency);
    QFETCH(double, gain);
    QFETCH(double, phase);
    const PageLayout p =
        KnownLayout(logFrequency, static_cast<float>(margin), static_cast<float>(margin));
    // Scrolled by (4, 3): the client point moves by the same amount.
    const std::optional<Readout> r =
        ComputeReadout(p, client - QPoint(4, 3), QPoint(4, 3), kMmZoom);
    QCOMPARE(r.has_value(), inside);
    if (!r) return;
    QVERIFY(std::abs(r->frequency - frequency) < 1e-6 * frequency);
    QVERIFY(std::abs(r->gain - gain) < 1e-6);
    QVERIFY(std::abs(r->phase - phase) < 1e-6);
  }

  void paneTexts() {
    const double nan_ = std::nan("");
    QCOMPARE(FrequencyPaneText(std::pow(10.0, 2.5)), QStringLiteral(" 316.2278Hz "));
    QCOMPARE(FrequencyPaneText(1500.0), QStringLiteral(" 1.5kHz "));
    QCOMPARE(GainPaneText(-3.0103), QStringLiteral("-3.0103 dB"));
    QCOMPARE(GainPaneText(1234567.0), QStringLiteral("1.23457e+06 dB"));
    QCOMPARE(PhasePaneText(-45.0), QStringLiteral("-45 deg"));
    // As printf's %g: the sign of minus zero kept, an exact half rounded to even.
    QCOMPARE(GainPaneText(-0.0), QStringLiteral("-0 dB"));
    QCOMPARE(PhasePaneText(123456.5), QStringLiteral("123456 deg"));
    QCOMPARE(GainPaneText(0.0000123), QStringLiteral("1.23e-05 dB"));
    // An impedance page's axis reads ohms, as its labels do.
    QCOMPARE(OhmsPaneText(-40.0), QString::fromUtf8(" 10m\u03A9 "));
    QCOMPARE(OhmsPaneText(80.0), QString::fromUtf8(" 10k\u03A9 "));
    QCOMPARE(OhmsPaneText(nan_), QString());
    // Past the prefixes, the exponent form; a value that is not a number
    // (an axis that cannot map the position) leaves its pane empty.
    QCOMPARE(FrequencyPaneText(1e30), QStringLiteral(" 1e30Hz "));
    const double nan = std::nan("");
    QCOMPARE(FrequencyPaneText(nan), QString());
    QCOMPARE(GainPaneText(nan), QString());
    QCOMPARE(PhasePaneText(std::numeric_limits<double>::infinity()), QString());
    GraphProperties delay = FactoryDefaults();
    delay.rightAxis = kRightGroupDelay;
    QCOMPARE(RightPaneText(delay, nan), QString());
  }

  void crossHairGeometry() {
    const PageLayout p = KnownLayout(true, 0, 0);
    // trunc(1.5 * 10 * 3.7795...) = 56, trunc(1.5 * 110 * 3.7795...) = 623.
    const CrossHairLines l = CrossHairGeometry(p, QPoint(200, 150), QPoint(6, 7), 1.5);
    QCOMPARE(l.horizontal, QLine(56 - 6, 150, 623 - 6, 150));
    QCOMPARE(l.vertical, QLine(200, 113 - 7, 200, 453 - 7));
  }

  // On a real page: the readout panes, the XOR look of the lines, no trails
  // and no re-render of the page while the pointer moves.
  void crossHairOnScreen() {
    QTemporaryDir dir;
    TestState ts;
    ScriptedDialogs dialogs;
    CMainFrame frame(ts.state, dialogs);
    frame.resize(1100, 900);
    frame.show();
    QVERIFY(QTest::qWaitForWindowExposed(&frame));
    frame.Pages().OpenFiles({WriteDataFile(dir, QStringLiteral("A.DAT"), 50)});
    ts.state.crossHairEnabled = true;
    CMainView* view = frame.View();
    QWidget* vp = view->viewport();
    view->viewport()->repaint();
    const int rendersBefore = view->Cache().RenderCount();
    QCOMPARE(rendersBefore, 1);

    const FrameRect& f = PageForSheet(ts.state.session.pages, 1)->layout.frame;
    const double d = kPixelsPerMm;
    const QPoint inside(static_cast<int>((f.left + f.right) / 2 * d),
                        static_cast<int>((f.top + f.bottom) / 2 * d));
    const auto grabViewport = [&] {
      QCoreApplication::processEvents();
      const QPoint origin = vp->mapTo(&frame, QPoint(0, 0));
      return frame.screen()
          ->grabWindow(frame.winId(), origin.x(), origin.y(), vp->width(), vp->height())
          .toImage()
          .convertToFormat(QImage::Format_RGB32);
    };
    const QImage plain = grabViewport();

    QTest::mouseMove(vp, inside);
    view->HandlePointer(inside);
    QVERIFY(view->CrossHairVisible());
    QVERIFY(frame.Pane(kPaneFrequency)->text().endsWith(QStringLiteral("Hz ")));
    QVERIFY(frame.Pane(kPaneGain)->text().endsWith(QStringLiteral(" dB")));
    QVERIFY(frame.Pane(kPanePhase)->text().endsWith(QStringLiteral(" deg")));
    const QImage lined = grabViewport();
    const QLine h = view->CrossHairLinesShown().horizontal;
    // A pixel on the horizontal line, away from the crossing.
    const QPoint onLine(h.x1() + 3, h.y1());
    QCOMPARE(lined.pixel(onLine) & 0xFFFFFF, (plain.pixel(onLine) ^ 0xFF00FF) & 0xFFFFFF);
    // Where the lines cross the pixel is XOR-ed twice: as it was.
    QCOMPARE(lined.pixel(inside) & 0xFFFFFF, plain.pixel(inside) & 0xFFFFFF);

    // Move on: the old lines leave no trace.
    const QPoint next = inside + QPoint(37, 23);
    view->HandlePointer(next);
    const QImage moved = grabViewport();
    QCOMPARE(moved.pixel(onLine) & 0xFFFFFF, plain.pixel(onLine) & 0xFFFFFF);
    for (int i = 0; i < 20; ++i) view->HandlePointer(inside + QPoint(i, i));
    QCoreApplication::processEvents();
    QCOMPARE(view->Cache().RenderCount(), rendersBefore);

    // Outside the frame: panes empty, lines gone.
    view->HandlePointer(QPoint(1, 1));
    QVERIFY(!view->CrossHairVisible());
    QVERIFY(frame.Pane(kPaneFrequency)->text().isEmpty());
    QCOMPARE(grabViewport(), plain);

    // Cross-hair off: readout only.
    ts.state.crossHairEnabled = false;
    view->HandlePointer(inside);
    QVERIFY(!view->CrossHairVisible());
    QVERIFY(!frame.Pane(kPaneGain)->text().isEmpty());
  }

  // One picture per zoom, rendered at the device pixel ratio, kept while the
  // page stays on screen.
  void pictureCachePerZoom() {
    QTemporaryDir dir;
    TestState ts;
    ScriptedDialogs dialogs;
    CMainFrame frame(ts.state, dialogs);
    frame.Pages().OpenFiles({WriteDataFile(dir, QStringLiteral("A.DAT"), 50),
                             WriteDataFile(dir, QStringLiteral("B.DAT"), 50)});
    PageImageCache cache;
    DrawingDocument& doc = ts.state.session.drawing;
    const QImage& sharp = cache.Get(doc, 1.0, 2.0);
    QCOMPARE(sharp.devicePixelRatio(), 2.0);
    const QSize logical = sharp.deviceIndependentSize().toSize();
    QVERIFY(logical.width() >= ZoomedSheetSize(doc, 1.0).width());
    QCOMPARE(sharp.size(), logical * 2);
    cache.Get(doc, 1.5, 2.0);
    cache.Get(doc, 1.0, 2.0);
    QCOMPARE(cache.RenderCount(), 2);
    doc.NextSheet();
    cache.Get(doc, 1.0, 2.0);
    QCOMPARE(cache.RenderCount(), 3);
  }

  void ctrlWheelKeepsThePointUnderThePointer() {
    QTemporaryDir dir;
    TestState ts;
    ScriptedDialogs dialogs;
    CMainFrame frame(ts.state, dialogs);
    frame.resize(800, 600);
    frame.show();
    QVERIFY(QTest::qWaitForWindowExposed(&frame));
    frame.Pages().OpenFiles({WriteDataFile(dir, QStringLiteral("A.DAT"), 50)});
    CMainView* view = frame.View();
    const QPoint mouse(300, 200);
    const QPointF before = PagePositionMm(mouse, view->ScrollPosition(), 1.0);
    QWheelEvent up(QPointF(mouse), QPointF(view->viewport()->mapToGlobal(mouse)), QPoint(),
                   QPoint(0, 120), Qt::NoButton, Qt::ControlModifier, Qt::NoScrollPhase, false);
    QCoreApplication::sendEvent(view->viewport(), &up);
    QCOMPARE(frame.ZoomBox()->currentIndex(), 4);
    QCOMPARE(view->Zoom(), 1.5);
    const QPointF after = PagePositionMm(mouse, view->ScrollPosition(), 1.5);
    QVERIFY(std::abs(after.x() - before.x()) < 0.3);
    QVERIFY(std::abs(after.y() - before.y()) < 0.3);
  }
};

QTEST_MAIN(ViewTest)
#include "viewer_view_test.moc"
