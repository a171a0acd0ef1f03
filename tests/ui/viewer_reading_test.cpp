// SPDX-License-Identifier: MIT
// Reading the curve at the pointer and zooming into a range of the graph.

#include <QAction>
#include <QClipboard>
#include <QComboBox>
#include <QGuiApplication>
#include <QLabel>
#include <QPlainTextEdit>
#include <QScrollBar>
#include <QTest>
#include <cmath>

#include "analysis/sweep_points.h"
#include "display/commands.h"
#include "display/cross_hair.h"
#include "display/main_frame.h"
#include "display/figures_dock.h"
#include "display/main_view.h"
#include "display/range_zoom.h"
#include "display/trace_readout.h"
#include "graph/axis_map.h"
#include "graph/device_units.h"
#include "graph/drawing.h"
#include "graph/pages.h"
#include "page_output.h"
#include "viewer_support.h"

using namespace fernplot;
using namespace fernplot::testing;

class ReadingTest : public WindowTest {
  Q_OBJECT

 private:
  CMainView* View() { return frame_->View(); }

  // A viewport point at the given fractions of the graph frame, at 100 %.
  QPoint InFrame(double fx, double fy) {
    const FrameRect& f = Page().layout.frame;
    return QPoint(static_cast<int>((f.left + fx * (f.right - f.left)) * kPixelsPerMm),
                  static_cast<int>((f.top + fy * (f.bottom - f.top)) * kPixelsPerMm));
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
          ComputeReadout(Page().layout, at, View()->ScrollPosition(), View()->Zoom());
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
  // An impedance page is read in ohms, in the box and in the pane.
  void impedancePageReadsOhms() {
    std::string table = "frequency,Zre,Zim\n";
    for (int i = 0; i <= 40; ++i) {
      const double f = std::pow(10.0, 1.0 + i / 10.0);
      table += std::to_string(f) + ",0.5," + std::to_string(-1.0 / (2 * 3.14159265 * f * 1e-6)) +
               "\n";
    }
    frame_->Pages().OpenFiles({WriteFile(dir_, QStringLiteral("cap.csv"), table)});
    const QPoint at = InFrame(0.5, 0.5);
    View()->HandlePointer(at);
    const TraceReadout* box = View()->TraceReadoutBox();
    QVERIFY(box && box->isVisible());
    const QString line = box->Texts().front();
    QVERIFY2(line.contains(QString::fromUtf8("\u03A9")) && !line.contains(QStringLiteral("dB")),
             qPrintable(line));
    QVERIFY2(frame_->Pane(kPaneGain)->text().endsWith(QString::fromUtf8("\u03A9 ")),
             qPrintable(frame_->Pane(kPaneGain)->text()));
    // What an LCR meter shows of it: a capacitor of 1 µF and 0.5 Ω.
    const QStringList texts = box->Texts();
    QCOMPARE(texts.size(), 3);
    QVERIFY2(texts[1].startsWith(QStringLiteral("Rs 500 m\u03A9")) && texts[1].contains(QStringLiteral("Cs 1 \u00B5F")),
             qPrintable(texts[1]));
    QVERIFY2(texts[2].startsWith(QStringLiteral("Rp ")) && texts[2].contains(QStringLiteral("  D ")) &&
                 texts[2].contains(QStringLiteral("  Q ")) && !texts[2].contains(QStringLiteral("Lp")),
             qPrintable(texts[2]));
    // A resistor: neither C nor L, nor D or Q.
    QCOMPARE(EquivalentReadoutLines(1000.0, {50.0, 0.0}),
             (QStringList{QString::fromUtf8("Rs 50 \u03A9  Xs 0 \u03A9"),
                          QString::fromUtf8("Rp 50 \u03A9")}));
    QVERIFY(SheetHasText(*state().session.drawing.CurrentSheet(), "|Z| [\u03A9]"));
    // The figures panel lists an impedance's figures, not a loop's.
    FiguresDock* dock = frame_->FiguresPanel();
    dock->show();
    QCoreApplication::processEvents();
    const QString figures = dock->TextBox()->toPlainText();
    QVERIFY2(figures.contains(QStringLiteral("|Z| 最小  1.67 \u03A9 @ 100 kHz")) &&
                 figures.contains(QStringLiteral("直列抵抗  なし")) &&
                 !figures.contains(QStringLiteral("-3dB")),
             qPrintable(figures));
  }

  void dotsWhereTheCurvesAreRead() {
    state().crossHairEnabled = true;
    const QPoint at = InFrame(0.5, 0.5);
    View()->HandlePointer(at);
    const PageLayout& l = Page().layout;
    const std::optional<Readout> r = ComputeReadout(l, at, View()->ScrollPosition(), 1.0);
    const std::optional<CurveReading> c =
        InterpolateAt(UsablePoints(RatioPoints(Page().data, ChannelRatio::kCh1Ch2)), r->frequency);
    QVERIFY(c);
    const std::vector<QPoint>& dots = View()->CurveDots();
    QCOMPARE(dots.size(), size_t{2});
    QCOMPARE(dots[0].x(), at.x());
    QCOMPARE(dots[1].x(), at.x());
    QCOMPARE(dots[0].y(), TruncToDevice(l.gain.ToMm(c->gain) * kPixelsPerMm));
    QCOMPARE(dots[1].y(), TruncToDevice(l.right.ToMm(c->phase) * kPixelsPerMm));
    View()->HandlePointer(QPoint(1, 1));
    QVERIFY(View()->CurveDots().empty());
  }
  // A right-button drag sets the page's own limits to the rectangle; back
  // returns to them one by one, Home to the data's; the defaults never move.
  void zoomRectangleBackAndWhole() {
    const GraphProperties defaults = state().defaults;
    const PageLimits start = LimitsOf(Page().properties);
    QVERIFY(!frame_->Action(kCmdRangeBack)->isEnabled());
    QWidget* vp = View()->viewport();
    const QPoint a = InFrame(0.25, 0.3), b = InFrame(0.6, 0.7);
    const std::optional<PageLimits> expected =
        LimitsOfRectangle(Page().layout, b, a, View()->ScrollPosition(), View()->Zoom());
    QVERIFY(expected);
    const std::optional<Readout> lowCorner =
        ComputeReadout(Page().layout, QPoint(a.x(), b.y()), View()->ScrollPosition(), 1.0);
    QTest::mousePress(vp, Qt::RightButton, {}, b);
    QTest::mouseMove(vp, a);
    QTest::mouseRelease(vp, Qt::RightButton, {}, a);
    const PageLimits zoomed = LimitsOf(Page().properties);
    QCOMPARE(zoomed, *expected);
    for (const AxisRangeLimits& l : zoomed.axes) {
      QCOMPARE(l.useDataMin, 0);
      QVERIFY(l.rangeMin < l.rangeMax);
    }
    QCOMPARE(zoomed.axes[0].rangeMin, lowCorner->frequency);
    QCOMPARE(zoomed.axes[1].rangeMin, lowCorner->gain);
    QVERIFY(state().defaults == defaults);
    QVERIFY(frame_->Action(kCmdRangeBack)->isEnabled());
    // The built page now spans about the range dragged: its left edge reads
    // no more than the low frequency, and much more than the sweep's start.
    const std::optional<Readout> left =
        ComputeReadout(Page().layout, InFrame(0.0, 0.5), View()->ScrollPosition(), 1.0);
    QVERIFY(left->frequency <= zoomed.axes[0].rangeMin * 1.0001);

    // Zoomed again, then back twice and once more does nothing.
    QVERIFY(frame_->Ranges().ZoomTo(InFrame(0.1, 0.1), InFrame(0.5, 0.5)));
    const PageLimits twice = LimitsOf(Page().properties);
    QVERIFY(twice != zoomed);
    frame_->Action(kCmdRangeBack)->trigger();
    QCOMPARE(LimitsOf(Page().properties), zoomed);
    QTest::keyClick(View(), Qt::Key_Backspace);
    QCOMPARE(LimitsOf(Page().properties), start);
    QVERIFY(!frame_->Action(kCmdRangeBack)->isEnabled());

    // Home: the data's limits, and back from there.
    QVERIFY(frame_->Ranges().ZoomTo(InFrame(0.1, 0.1), InFrame(0.5, 0.5)));
    const PageLimits third = LimitsOf(Page().properties);
    QTest::keyClick(View(), Qt::Key_Home);
    for (const AxisRangeLimits& l : LimitsOf(Page().properties).axes) {
      QCOMPARE(l.useDataMin, 1);
      QCOMPARE(l.useDataMax, 1);
    }
    QTest::keyClick(View(), Qt::Key_Backspace);
    QCOMPARE(LimitsOf(Page().properties), third);

    // A click is not a rectangle; nor is one outside the frame.
    const PageLimits now = LimitsOf(Page().properties);
    QTest::mouseClick(vp, Qt::RightButton, {}, InFrame(0.5, 0.5));
    QVERIFY(!frame_->Ranges().ZoomTo(QPoint(0, 0), QPoint(3, 200)));
    QCOMPARE(LimitsOf(Page().properties), now);
  }

  // Zoom mode: the left button drags, Shift still places markers; another
  // page has no range to go back to.
  void zoomModeAndPages() {
    frame_->Action(kCmdZoomRangeMode)->trigger();
    QVERIFY(frame_->Ranges().ZoomMode());
    QWidget* vp = View()->viewport();
    QTest::mousePress(vp, Qt::LeftButton, {}, InFrame(0.2, 0.2));
    QTest::mouseMove(vp, InFrame(0.4, 0.6));
    QTest::mouseRelease(vp, Qt::LeftButton, {}, InFrame(0.4, 0.6));
    QCOMPARE(Page().properties.HB.useDataMin, 0);
    QVERIFY(frame_->Action(kCmdRangeBack)->isEnabled());
    frame_->Action(kCmdZoomRangeMode)->trigger();
    QVERIFY(!frame_->Ranges().ZoomMode());

    frame_->Pages().OpenFiles({WriteDataFile(dir_, QStringLiteral("B.DAT"), 30)});
    frame_->UpdateCommandStates();
    QVERIFY(!frame_->Action(kCmdRangeBack)->isEnabled());
    QCOMPARE(Page().properties.HB.useDataMin, 1);
  }

  // Ctrl+Plus and Ctrl+Minus step the zoom keeping the view's middle on the
  // same place of the page; Ctrl+0 is 100 %.
  void zoomStepKeys() {
    // Small enough to scroll at every zoom.
    frame_->resize(600, 450);
    QCoreApplication::processEvents();
    QComboBox* box = frame_->ZoomBox();
    QCOMPARE(box->currentIndex(), kZoomDefaultIndex);
    QWidget* vp = View()->viewport();
    View()->SetScrollPosition(QPoint(40, 30));
    const QPointF middle =
        PagePositionMm(vp->rect().center(), View()->ScrollPosition(), View()->Zoom());
    QTest::keyClick(View(), Qt::Key_Plus, Qt::ControlModifier);
    QCOMPARE(box->currentIndex(), kZoomDefaultIndex + 1);
    QCOMPARE(View()->Zoom(), 1.5);
    const QPointF after =
        PagePositionMm(vp->rect().center(), View()->ScrollPosition(), View()->Zoom());
    QVERIFY(std::abs(after.x() - middle.x()) < 0.5 && std::abs(after.y() - middle.y()) < 0.5);
    QTest::keyClick(View(), Qt::Key_Minus, Qt::ControlModifier);
    QTest::keyClick(View(), Qt::Key_Minus, Qt::ControlModifier);
    QCOMPARE(View()->Zoom(), 0.75);
    QTest::keyClick(View(), Qt::Key_0, Qt::ControlModifier);
    QCOMPARE(View()->Zoom(), 1.0);
    QCOMPARE(box->currentIndex(), kZoomDefaultIndex);
    // Ctrl+Home still goes to the first page, Home alone shows the start.
    QTest::keyClick(View(), Qt::Key_Home);
    QCOMPARE(View()->ScrollPosition(), QPoint(0, 0));
  }
  // The keys work from anywhere in the window: Page Up/Down after a click in
  // the figures panel, Ctrl+C copies the page, F1 shows the help.
  void keysFromAnywhere() {
    frame_->Pages().OpenFiles({WriteDataFile(dir_, QStringLiteral("B.DAT"), 30),
                               WriteDataFile(dir_, QStringLiteral("C.DAT"), 30)});
    QCOMPARE(state().session.drawing.CurrentNumber(), 2);  // the first one added
    frame_->Action(kCmdFiguresPanel)->trigger();
    auto* text = frame_->findChild<QPlainTextEdit*>(QStringLiteral("figuresText"));
    QVERIFY(text && text->isVisible());
    QTest::mouseClick(text->viewport(), Qt::LeftButton, {}, QPoint(5, 5));
    text->setFocus();
    QTest::keyClick(text, Qt::Key_PageDown);
    QCOMPARE(state().session.drawing.CurrentNumber(), 3);
    QTest::keyClick(text, Qt::Key_PageUp);
    QTest::keyClick(text, Qt::Key_PageUp);
    QCOMPARE(state().session.drawing.CurrentNumber(), 1);

    View()->setFocus();
    QGuiApplication::clipboard()->clear();
    QTest::keyClick(View(), Qt::Key_C, Qt::ControlModifier);
    QCOMPARE(QGuiApplication::clipboard()->image().convertToFormat(QImage::Format_RGB32),
             RenderPageImage(state().session.drawing, 1.0).convertToFormat(QImage::Format_RGB32));

    QTest::keyClick(View(), Qt::Key_F1);
    QCOMPARE(dialogs_->infos.size(), size_t{1});
    QVERIFY(dialogs_->infos[0].contains(QStringLiteral("Page Up")));
    QVERIFY(dialogs_->infos[0].contains(QStringLiteral("Backspace")));
  }
  // "Show on page" carries over to the pages opened after the choice.
  void figureMarksRememberedForNewPages() {
    QVERIFY(!Page().showFigureMarks);
    frame_->Pages().ShowFigureMarks(true);
    QVERIFY(Page().showFigureMarks);
    frame_->Pages().OpenFiles({WriteDataFile(dir_, QStringLiteral("B.DAT"), 30)});
    QCOMPARE(state().session.drawing.CurrentNumber(), 2);
    QVERIFY(Page().showFigureMarks);
    frame_->Pages().ShowFigureMarks(false);
    frame_->Pages().OpenFiles({WriteDataFile(dir_, QStringLiteral("C.DAT"), 30)});
    QVERIFY(!Page().showFigureMarks);
    QVERIFY(PageForSheet(state().session.pages, 1)->showFigureMarks);
  }
};

QTEST_MAIN(ReadingTest)
#include "viewer_reading_test.moc"
