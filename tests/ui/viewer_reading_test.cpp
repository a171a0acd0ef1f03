// SPDX-License-Identifier: MIT
// Reading the curve at the pointer and zooming into a range of the graph.

#include <QAction>
#include <QLabel>
#include <QTest>
#include <cmath>

#include "analysis/sweep_points.h"
#include "display/commands.h"
#include "display/cross_hair.h"
#include "display/main_frame.h"
#include "display/main_view.h"
#include "display/trace_readout.h"
#include "graph/axis_map.h"
#include "graph/device_units.h"
#include "graph/drawing.h"
#include "graph/pages.h"
#include "viewer_support.h"

using namespace fernplot;
using namespace fernplot::testing;

class ReadingTest : public QObject {
  Q_OBJECT

 private:
  std::unique_ptr<TestState> ts_;
  std::unique_ptr<ScriptedDialogs> dialogs_;
  std::unique_ptr<CMainFrame> frame_;
  QTemporaryDir dir_;

  AppState& state() { return ts_->state; }
  GraphPage& Page() { return *state().session.CurrentPage(); }
  CMainView* View() { return frame_->View(); }

  // A viewport point at the given fractions of the graph frame, at 100 %.
  QPoint InFrame(double fx, double fy) {
    const GraphProperties& p = Page().properties;
    return QPoint(
        static_cast<int>((p.HB.frameLeft + fx * (p.HB.frameRight - p.HB.frameLeft)) * kPixelsPerMm),
        static_cast<int>((p.HB.frameTop + fy * (p.HB.frameBottom - p.HB.frameTop)) * kPixelsPerMm));
  }

 private slots:
  void init() {
    QVERIFY(ShowNewFrame(ts_, dialogs_, frame_, QSize(1100, 900)));
    frame_->Pages().OpenFiles({WriteDataFile(dir_, QStringLiteral("A.DAT"), 40)});
  }
  void cleanup() { DropFrame(ts_, dialogs_, frame_); }

  void fourDigits_data() {
    QTest::addColumn<double>("value");
    QTest::addColumn<QString>("unit");
    QTest::addColumn<bool>("prefixed");
    QTest::addColumn<QString>("text");
    QTest::newRow("MHz") << 1593834.3478 << "Hz" << true << "1.594 MHz";
    QTest::newRow("negative dB") << -13.2049 << "dB" << false << QString::fromUtf8("−13.2 dB");
    QTest::newRow("degrees") << -128.44 << QString::fromUtf8("°") << false
                             << QString::fromUtf8("−128.4°");
    QTest::newRow("rounds into the next prefix") << 999.96 << "Hz" << true << "1 kHz";
    QTest::newRow("below 1 Hz") << 0.01234 << "Hz" << true << "12.34 mHz";
    QTest::newRow("plain Hz") << 50.0 << "Hz" << true << "50 Hz";
    QTest::newRow("zero") << 0.0 << "dB" << false << "0 dB";
    QTest::newRow("not a number") << std::nan("") << "dB" << false << "---";
  }
  void fourDigits() {
    QFETCH(double, value);
    QFETCH(QString, unit);
    QFETCH(bool, prefixed);
    QFETCH(QString, text);
    const QByteArray u = unit.toUtf8();
    QCOMPARE(FourDigits(value, std::string_view(u.data(), static_cast<size_t>(u.size())), prefixed),
             text);
  }

  // The box reads the page trace as the figures interpolate it; the panes
  // keep the pointer's own position.
  void curveReadoutFollowsTheInterpolation() {
    QVERIFY(View()->CurveReadoutEnabled());
    QVERIFY(frame_->Action(kCmdCurveReadout)->isChecked());
    const std::vector<UsablePoint> points =
        UsablePoints(RatioPoints(Page().data, ChannelRatio::kCh1Ch2));
    for (double fx : {0.1, 0.37, 0.5, 0.83}) {
      const QPoint at = InFrame(fx, 0.5);
      View()->HandlePointer(at);
      const std::optional<Readout> r =
          ComputeReadout(Page().properties, at, View()->ScrollPosition(), View()->Zoom());
      QVERIFY(r);
      const std::optional<CurveReading> c = InterpolateAt(points, r->frequency);
      const TraceReadout* box = View()->TraceReadoutBox();
      QVERIFY(box && box->isVisible());
      const QStringList lines = box->Texts();
      QCOMPARE(lines.size(), 1);
      QCOMPARE(lines[0], CurveReadoutText(r->frequency, c ? std::optional(c->gain) : std::nullopt,
                                          c ? std::optional(c->phase) : std::nullopt));
      QCOMPARE(frame_->Pane(kPaneFrequency)->text(), FrequencyPaneText(r->frequency));
    }
    // No dots without the cross-hair.
    QVERIFY(View()->CurveDots().empty());

    frame_->Action(kCmdCurveReadout)->trigger();
    QVERIFY(!View()->CurveReadoutEnabled());
    View()->HandlePointer(InFrame(0.5, 0.5));
    QVERIFY(View()->TraceReadoutBox()->isHidden());
    QVERIFY(!frame_->Pane(kPaneGain)->text().isEmpty());
    frame_->Action(kCmdCurveReadout)->trigger();
    View()->HandlePointer(InFrame(0.5, 0.5));
    QVERIFY(View()->TraceReadoutBox()->isVisible());
  }

  // With the cross-hair: a dot on the gain and on the phase curve, in the
  // pointer's column at the values read.
  void dotsWhereTheCurvesAreRead() {
    state().crossHairEnabled = true;
    const QPoint at = InFrame(0.5, 0.5);
    View()->HandlePointer(at);
    const GraphProperties& p = Page().properties;
    const std::optional<Readout> r = ComputeReadout(p, at, View()->ScrollPosition(), 1.0);
    const std::optional<CurveReading> c =
        InterpolateAt(UsablePoints(RatioPoints(Page().data, ChannelRatio::kCh1Ch2)), r->frequency);
    QVERIFY(c);
    const std::vector<QPoint>& dots = View()->CurveDots();
    QCOMPARE(dots.size(), size_t{2});
    QCOMPARE(dots[0].x(), at.x());
    QCOMPARE(dots[1].x(), at.x());
    QCOMPARE(dots[0].y(), TruncToDevice(VerticalAxisMap(p.VL).ToMm(c->gain) * kPixelsPerMm));
    QCOMPARE(dots[1].y(), TruncToDevice(VerticalAxisMap(p.VR).ToMm(c->phase) * kPixelsPerMm));
    View()->HandlePointer(QPoint(1, 1));
    QVERIFY(View()->CurveDots().empty());
  }
};

QTEST_MAIN(ReadingTest)
#include "viewer_reading_test.moc"
