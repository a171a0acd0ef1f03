// SPDX-License-Identifier: MIT
// The figures panel, the figure marks it puts on the page, and the two user
// markers: placement in log10 f, stepping, the Δ readout, and the mouse and
// key events that drive them.

#include <QAction>
#include <QApplication>
#include <QCheckBox>
#include <QClipboard>
#include <QLabel>
#include <QPlainTextEdit>
#include <QPushButton>
#include <QTest>
#include <cmath>

#include "analysis/figures_text.h"
#include "display/cross_hair.h"
#include "display/figures_dock.h"
#include "display/main_frame.h"
#include "display/main_view.h"
#include "display/markers.h"
#include "graph/axis_map.h"
#include "graph/drawing.h"
#include "graph/pages.h"
#include "viewer_support.h"

using namespace fernplot;
using namespace fernplot::testing;

namespace {

UsablePoint Point(double f, double gain, double phase) {
  return {f, gain, phase, phase};
}

}  // namespace

class FiguresTest : public WindowTest {
  Q_OBJECT

 private:
  QString file_;

  // The viewport point over the page's gain axis at `hz`, halfway up.
  QPoint PointAt(double hz) {
    const PageLayout& l = Page().layout;
    const double d = frame_->View()->Zoom() * kPixelsPerMm;
    const QPoint scroll = frame_->View()->ScrollPosition();
    const double x = l.frequency.ToMm(hz) * d - scroll.x();
    const double y = (l.frame.top + l.frame.bottom) / 2.0 * d - scroll.y();
    return QPoint(static_cast<int>(std::lround(x)), static_cast<int>(std::lround(y)));
  }
  QString MarkerText() { return frame_->MarkerPane()->text(); }

 private slots:
  void initTestCase() { file_ = WriteDataFile(dir_, QStringLiteral("LPF.DAT"), 41); }

  void init() { QVERIFY(ShowNewFrame(ts_, dialogs_, frame_, QSize(1200, 900))); }

  void cleanup() { DropFrame(ts_, dialogs_, frame_); }

  // Placement and stepping on a known curve, without the window.
  void markerPairReadsTheCurveInLogFrequency() {
    MarkerPair pair;
    QVERIFY(!pair.Place(100.0));  // no points yet
    pair.SetPoints(
        {Point(10.0, 0.0, 170.0), Point(1000.0, -40.0, 190.0), Point(10000.0, -60.0, 200.0)});
    QVERIFY(pair.Place(100.0));
    QCOMPARE(pair.Active(), 0);
    // Halfway in log10 f: -20 dB (in Hz it would be -3.6 dB).
    QCOMPARE(pair.A()->at.gain, -20.0);
    QVERIFY(!pair.A()->point.has_value());
    QVERIFY(pair.Place(1000.0));
    QCOMPARE(pair.Active(), 1);
    QCOMPARE(*pair.B()->point, size_t{1});
    const QString text = QString::fromStdString(pair.StatusText());
    QVERIFY2(text.contains(QStringLiteral("\u0394f 900 Hz")), qPrintable(text));
    QVERIFY2(text.contains(QStringLiteral("\u0394dB -20.00")), qPrintable(text));
    // Taken on the unwrapped phase: 180 -> 190 is +10, not a jump of -340.
    QVERIFY2(text.contains(QStringLiteral("\u0394deg 10.0")), qPrintable(text));
    QVERIFY2(text.contains(QStringLiteral("3.32 oct 1.000 dec")), qPrintable(text));

    // The third placement replaces A; B stays.
    QVERIFY(pair.Place(5.0));  // below the points: the first one
    QCOMPARE(pair.Active(), 0);
    QCOMPARE(*pair.A()->point, size_t{0});
    QVERIFY(pair.Step(1));
    QCOMPARE(pair.A()->at.frequency, 1000.0);
    QVERIFY(pair.Step(5));
    QCOMPARE(pair.A()->at.frequency, 10000.0);
    QVERIFY(!pair.Step(1));  // already on the last point

    // From between two points the first step lands on that side's neighbour.
    pair.Clear();
    QVERIFY(pair.StatusText().empty());
    pair.Place(300.0);
    QVERIFY(pair.Step(-1));
    QCOMPARE(pair.A()->at.frequency, 10.0);
    pair.Place(300.0);  // B
    QVERIFY(pair.Step(1));
    QCOMPARE(pair.B()->at.frequency, 1000.0);
  }

  // The readout pane of the right axis speaks the axis' unit.
  void rightPaneFollowsTheAxisMode() {
    GraphProperties p = FactoryDefaults();
    QCOMPARE(RightPaneText(p, -45.5), PhasePaneText(-45.5));
    p.rightAxis = kRightUnwrappedPhase;
    QCOMPARE(RightPaneText(p, -450.0), PhasePaneText(-450.0));
    p.rightAxis = kRightGroupDelay;
    QCOMPARE(RightPaneText(p, 1.234e-5), QStringLiteral("12.3 us"));
    QCOMPARE(RightPaneText(p, -2e-9), QStringLiteral("-2.00 ns"));
  }

  void shiftClicksPlaceAThenBAndEscapeClears() {
    frame_->Pages().OpenFiles({file_});
    QCoreApplication::processEvents();
    QWidget* viewport = frame_->View()->viewport();
    QTest::mouseClick(viewport, Qt::LeftButton, Qt::NoModifier, PointAt(100.0));
    QVERIFY2(MarkerText().isEmpty(), "a plain click outside marker mode places nothing");
    QTest::mouseClick(viewport, Qt::LeftButton, Qt::ShiftModifier, PointAt(100.0));
    QVERIFY2(MarkerText().startsWith(QStringLiteral("A ")), qPrintable(MarkerText()));
    QVERIFY(frame_->Markers()->Pair().A());
    // Snapped to the curve: the reading is the page's gain at that frequency.
    QVERIFY(std::fabs(std::log10(frame_->Markers()->Pair().A()->at.frequency) - 2.0) < 0.02);
    QTest::mouseClick(viewport, Qt::LeftButton, Qt::ShiftModifier, PointAt(3000.0));
    QVERIFY2(MarkerText().contains(QStringLiteral("\u0394f")), qPrintable(MarkerText()));
    QVERIFY(MarkerText().contains(QStringLiteral(" oct ")));
    frame_->View()->setFocus();
    QTest::keyClick(frame_->View(), Qt::Key_Escape);
    QVERIFY(MarkerText().isEmpty());
    QVERIFY(frame_->Markers()->Pair().Empty());
  }

  void markerModeClicksAndArrowKeys() {
    frame_->Pages().OpenFiles({file_});
    QCoreApplication::processEvents();
    QWidget* viewport = frame_->View()->viewport();
    frame_->MarkerModeAction()->trigger();
    QVERIFY(frame_->Markers()->MarkerMode());
    QTest::mouseClick(viewport, Qt::LeftButton, Qt::NoModifier, PointAt(1000.0));
    const MarkerPair& pair = frame_->Markers()->Pair();
    QVERIFY(pair.A());
    const auto& points = pair.Points();
    frame_->View()->setFocus();
    const QPoint scrollBefore = frame_->View()->ScrollPosition();
    QTest::keyClick(frame_->View(), Qt::Key_Right);
    QVERIFY(pair.A()->point.has_value());
    const size_t k = *pair.A()->point;
    QVERIFY(points[k].frequency > 1000.0 * 0.98);
    QTest::keyClick(frame_->View(), Qt::Key_Right);
    QCOMPARE(*pair.A()->point, k + 1);
    QTest::keyClick(frame_->View(), Qt::Key_Left);
    QCOMPARE(*pair.A()->point, k);
    QCOMPARE(frame_->View()->ScrollPosition(), scrollBefore);  // the arrows did not scroll
    QVERIFY(MarkerText().contains(QString::fromStdString(ThreeDigits(points[k].frequency, "Hz"))));

    // Out of marker mode the arrows scroll again and the markers stay.
    frame_->MarkerModeAction()->trigger();
    QTest::keyClick(frame_->View(), Qt::Key_Right);
    QCOMPARE(*pair.A()->point, k);
  }

  void panelListsFiguresAndMarksThePageOnlyWhenAsked() {
    frame_->Pages().OpenFiles({file_});
    FiguresDock* dock = frame_->FiguresPanel();
    QVERIFY(dock->isHidden());  // the window opens as before
    const DrawingSheet plain = *state().session.drawing.CurrentSheet();
    dock->show();
    QCoreApplication::processEvents();
    const QString text = dock->TextBox()->toPlainText();
    QVERIFY2(text.startsWith(QStringLiteral("LPF\n")), qPrintable(text));
    QVERIFY2(text.contains(QStringLiteral("-3dB  ")), qPrintable(text));
    // A filter: no margins or other loop figures in its panel.
    QVERIFY2(!text.contains(QStringLiteral("位相余裕")), qPrintable(text));
    QVERIFY(!text.contains(QStringLiteral("ﾓｼﾞｭﾗｽ余裕")));
    QVERIFY(!dock->ShowOnPageBox()->isChecked());

    dock->ShowOnPageBox()->click();
    QVERIFY(Page().showFigureMarks);
    QVERIFY(SheetHasText(*state().session.drawing.CurrentSheet(), "-3dB"));
    dock->ShowOnPageBox()->click();
    QVERIFY(!Page().showFigureMarks);
    QVERIFY(*state().session.drawing.CurrentSheet() == plain);

    dock->CopyButton()->click();
    QCOMPARE(QApplication::clipboard()->text(), text);
  }
};

QTEST_MAIN(FiguresTest)
#include "viewer_figures_test.moc"
