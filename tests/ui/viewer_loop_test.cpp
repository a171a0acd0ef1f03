// SPDX-License-Identifier: MIT
// The loop views in the window: the View menu's choice of view and curve,
// the readout of the curve point nearest the pointer, and markers on the
// curve in the Nyquist and Nichols views.

#include <QAction>
#include <QLabel>
#include <QMenu>
#include <QPlainTextEdit>
#include <QTest>
#include <cmath>

#include "display/command_table.h"
#include "display/commands.h"
#include "display/cross_hair.h"
#include "display/figures_dock.h"
#include "display/main_frame.h"
#include "display/main_view.h"
#include "display/markers.h"
#include "display/trace_readout.h"
#include "graph/drawing.h"
#include "graph/loop_readout.h"
#include "graph/pages.h"
#include "viewer_support.h"

using namespace fernplot;
using namespace fernplot::testing;

class LoopViewTest : public QObject {
  Q_OBJECT

 private:
  std::unique_ptr<TestState> ts_;
  std::unique_ptr<ScriptedDialogs> dialogs_;
  std::unique_ptr<CMainFrame> frame_;
  QTemporaryDir dir_;
  QString file_;

  AppState& state() { return ts_->state; }
  GraphPage& Page() { return *state().session.CurrentPage(); }
  const DrawingSheet& Sheet() { return *state().session.drawing.CurrentSheet(); }
  // The viewport point over the page position (mm) of curve point k.
  QPoint PointOf(size_t k) {
    const CurvePlane plane = PageCurvePlane(Page());
    const PlanePoint at = PlaneMm(plane, Page().layout, ReadingOf(plane.points[k]));
    const double d = frame_->View()->Zoom() * kPixelsPerMm;
    const QPoint scroll = frame_->View()->ScrollPosition();
    return QPoint(static_cast<int>(std::lround(at.x * d)) - scroll.x(),
                  static_cast<int>(std::lround(at.y * d)) - scroll.y());
  }
  bool Checked(int id) {
    frame_->UpdateCommandStates();
    return frame_->Action(id)->isChecked();
  }
  void Open() {
    frame_->Pages().OpenFiles({file_});
    QCoreApplication::processEvents();
  }

 private slots:
  void initTestCase() { file_ = WriteDataFile(dir_, QStringLiteral("LOOP.DAT"), 41); }
  void init() { QVERIFY(ShowNewFrame(ts_, dialogs_, frame_, QSize(1200, 900))); }
  void cleanup() { DropFrame(ts_, dialogs_, frame_); }

  // The View menu holds both choices, each one checked at a time, and each
  // rebuilds the page; back at Bode and L the sheet is as it was.
  void viewMenuChoosesViewAndCurve() {
    for (int id : {kCmdViewBode, kCmdViewNyquist, kCmdViewNichols, kCmdLoopOpen, kCmdLoopClosed,
                   kCmdLoopSensitivity}) {
      QVERIFY(frame_->Action(id));
      QVERIFY(frame_->Commands().Menu(MenuId::kView)->actions().contains(frame_->Action(id)));
      frame_->UpdateCommandStates();
      QVERIFY2(!frame_->Action(id)->isEnabled(), "nothing to show without a page");
    }
    Open();
    const DrawingSheet plain = Sheet();
    QVERIFY(Checked(kCmdViewBode));
    QVERIFY(Checked(kCmdLoopOpen));
    const struct {
      int view, curve;
      ViewKind kind;
      const char* caption;
    } steps[] = {
        {kCmdViewNyquist, kCmdLoopOpen, ViewKind::kNyquist, "REAL"},
        {kCmdViewNyquist, kCmdLoopClosed, ViewKind::kNyquist, "CLOSED LOOP REAL"},
        {kCmdViewNichols, kCmdLoopSensitivity, ViewKind::kNichols, "SENSITIVITY PHASE [deg]"},
        {kCmdViewBode, kCmdLoopClosed, ViewKind::kBode, "CLOSED LOOP GAIN [dB]"},
    };
    const MeasurementData measured = Page().data;
    for (const auto& s : steps) {
      frame_->Action(s.view)->trigger();
      frame_->Action(s.curve)->trigger();
      QCOMPARE(Page().properties.view, s.kind);
      QVERIFY2(SheetHasText(Sheet(), s.caption), s.caption);
      for (int id : {kCmdViewBode, kCmdViewNyquist, kCmdViewNichols}) {
        QCOMPARE(Checked(id), id == s.view);
      }
      for (int id : {kCmdLoopOpen, kCmdLoopClosed, kCmdLoopSensitivity}) {
        QCOMPARE(Checked(id), id == s.curve);
      }
      // The page keeps the loop gain as measured.
      QVERIFY(Page().data.points == measured.points);
    }
    frame_->Action(kCmdLoopOpen)->trigger();
    QVERIFY(Sheet() == plain);
  }

  // The contours' row is open in the Nichols view only; it turns them off
  // and on again through the session, which rebuilds the sheet.
  void contoursRowTogglesTheNicholsContours() {
    QVERIFY(frame_->Commands()
                .Menu(MenuId::kView)
                ->actions()
                .contains(frame_->Action(kCmdNicholsContours)));
    Open();
    for (int id : {kCmdViewBode, kCmdViewNyquist}) {
      frame_->Action(id)->trigger();
      frame_->UpdateCommandStates();
      QVERIFY(!frame_->Action(kCmdNicholsContours)->isEnabled());
    }
    frame_->Action(kCmdViewNichols)->trigger();
    frame_->UpdateCommandStates();
    QVERIFY(frame_->Action(kCmdNicholsContours)->isEnabled());
    QVERIFY(Checked(kCmdNicholsContours));
    const DrawingSheet with = Sheet();
    QVERIFY(SheetHasText(with, "+6 dB"));
    frame_->Action(kCmdNicholsContours)->trigger();
    QVERIFY(!Page().properties.nicholsContours);
    QVERIFY(!Checked(kCmdNicholsContours));
    QVERIFY(!SheetHasText(Sheet(), "+6 dB"));
    QVERIFY(Sheet().elements.size() < with.elements.size());
    frame_->Action(kCmdNicholsContours)->trigger();
    QVERIFY(Page().properties.nicholsContours);
    QVERIFY(Sheet() == with);
  }

  // The panes read the curve point nearest the pointer, with Re and Im in
  // the Nyquist view, and the box beside the pointer says the same.
  void readoutReadsTheNearestCurvePoint() {
    Open();
    state().crossHairEnabled = true;
    for (int id : {kCmdViewNyquist, kCmdViewNichols}) {
      frame_->Action(id)->trigger();
      const CurvePlane plane = PageCurvePlane(Page());
      for (size_t k : {size_t{5}, size_t{20}, size_t{35}}) {
        const QPoint at = PointOf(k);
        QWidget* vp = frame_->View()->viewport();
        QTest::mouseMove(vp, at);
        frame_->View()->HandlePointer(at);
        const UsablePoint& p = plane.points[k];
        QCOMPARE(frame_->Pane(kPaneFrequency)->text(), FrequencyPaneText(p.frequency));
        QCOMPARE(frame_->Pane(kPaneGain)->text(), GainPaneText(p.gain));
        const QString phase = frame_->Pane(kPanePhase)->text();
        QVERIFY2(phase.startsWith(PhasePaneText(WrapDegrees(p.phase))), qPrintable(phase));
        QCOMPARE(phase.contains(QStringLiteral("Re ")), id == kCmdViewNyquist);
        QVERIFY(frame_->View()->CrossHairVisible());
        QCOMPARE(frame_->View()->CurveDots().size(), size_t{1});
      }
    }
    // Outside the frame nothing is read.
    frame_->View()->HandlePointer(QPoint(2, 2));
    QVERIFY(frame_->Pane(kPaneFrequency)->text().isEmpty());
  }

  // The complex plane of an impedance reads Z', Z'' (Im Z, the plane's
  // height negated) and the equivalent values at the nearest point.
  void complexPlaneReadsTheImpedanceParts() {
    std::string table = "frequency,Zre,Zim\n";
    for (int i = 0; i <= 30; ++i) {
      const double f = std::pow(10.0, 1.0 + i / 10.0);
      table += std::to_string(f) + ",2," + std::to_string(-1.0 / (2 * 3.14159265 * f * 1e-5)) + "\n";
    }
    frame_->Pages().OpenFiles({WriteFile(dir_, QStringLiteral("cap.csv"), table)});
    frame_->Action(kCmdViewComplex)->trigger();
    QCOMPARE(Page().properties.view, ViewKind::kComplex);
    QVERIFY(SheetHasText(Sheet(), "-Z'' [\u03A9]"));
    const QPoint at = PointOf(10);
    frame_->View()->HandlePointer(at);
    const TraceReadout* box = frame_->View()->TraceReadoutBox();
    QVERIFY(box && box->isVisible());
    const QStringList texts = box->Texts();
    QVERIFY2(texts.size() >= 3, qPrintable(texts.join(QLatin1Char('|'))));
    QVERIFY2(texts[1].startsWith(QStringLiteral("Z' 2 \u03A9  Z'' \u2212")),
             qPrintable(texts[1]));
    QVERIFY2(texts[2].contains(QStringLiteral("Cs 10 \u00B5F")), qPrintable(texts[2]));
    QVERIFY(frame_->Pane(kPaneGain)->text().endsWith(QStringLiteral("\u03A9 ")));
  }

  // With T or S shown on the gain-and-phase page the box reads the curve
  // drawn, not the loop gain the page holds; back at L it reads L again.
  void bodeReadoutReadsTheCurveShown() {
    Open();
    state().crossHairEnabled = true;
    CMainView* view = frame_->View();
    const FrameRect& f = Page().layout.frame;
    const QPoint at(static_cast<int>((f.left + 0.6 * (f.right - f.left)) * kPixelsPerMm),
                    static_cast<int>((f.top + 0.5 * (f.bottom - f.top)) * kPixelsPerMm));
    const auto boxAt = [&] {
      view->HandlePointer(at);
      const QStringList lines = view->TraceReadoutBox()->Texts();
      return lines.isEmpty() ? QString() : lines.front();
    };
    const auto expected = [&] {
      const std::optional<Readout> r =
          ComputeReadout(Page().layout, at, view->ScrollPosition(), view->Zoom());
      const std::optional<CurveReading> c = InterpolateAt(ShownUsablePoints(Page()), r->frequency);
      return CurveReadoutText(r->frequency, c->gain, c->phase);
    };
    const QString open = boxAt();
    QCOMPARE(open, expected());
    for (int id : {kCmdLoopClosed, kCmdLoopSensitivity}) {
      frame_->Action(id)->trigger();
      const QString shown = boxAt();
      QCOMPARE(shown, expected());
      QVERIFY2(shown != open, qPrintable(shown));
      // The dot sits on the drawn curve: at T's gain, not L's.
      const std::optional<Readout> r =
          ComputeReadout(Page().layout, at, view->ScrollPosition(), view->Zoom());
      const double gainMm =
          Page().layout.gain.ToMm(InterpolateAt(ShownUsablePoints(Page()), r->frequency)->gain);
      QVERIFY(!view->CurveDots().empty());
      QVERIFY(std::abs(view->CurveDots().front().y() - gainMm * kPixelsPerMm) <= 2.0);
    }
    frame_->Action(kCmdLoopOpen)->trigger();
    QCOMPARE(boxAt(), open);
  }

  void markersSitOnTheCurveInTheLoopViews() {
    Open();
    QWidget* viewport = frame_->View()->viewport();
    for (int id : {kCmdViewNyquist, kCmdViewNichols}) {
      frame_->Action(id)->trigger();
      frame_->Markers()->Pair().Clear();
      const CurvePlane plane = PageCurvePlane(Page());
      QTest::mouseClick(viewport, Qt::LeftButton, Qt::ShiftModifier, PointOf(12));
      const MarkerPair& pair = frame_->Markers()->Pair();
      QVERIFY(pair.A());
      QCOMPARE(pair.A()->at.frequency, plane.points[12].frequency);
      const std::optional<QPointF> shown = frame_->Markers()->ViewPosition(pair.A()->at);
      QVERIFY(shown);
      QVERIFY(std::hypot(shown->x() - PointOf(12).x(), shown->y() - PointOf(12).y()) < 1.5);
      QTest::mouseClick(viewport, Qt::LeftButton, Qt::ShiftModifier, PointOf(30));
      QVERIFY(pair.B());
      QCOMPARE(pair.B()->at.frequency, plane.points[30].frequency);
    }
    // The closed loop moves the markers onto T's points.
    frame_->Action(kCmdLoopClosed)->trigger();
    QVERIFY(frame_->Markers()->Pair().Empty());
    QCOMPARE(frame_->Markers()->Pair().Points().front().gain,
             ShownUsablePoints(Page()).front().gain);
  }

  // The user's word on whether the page is a loop decides what the panel
  // lists: a filter said to be a loop shows margins, a loop said not to be
  // one shows none.
  void figuresPanelFollowsTheLoopJudgement() {
    Open();
    FiguresDock* dock = frame_->FiguresPanel();
    dock->show();
    QCoreApplication::processEvents();
    const QString automatic = dock->TextBox()->toPlainText();
    QVERIFY2(!automatic.contains(QStringLiteral("位相余裕")), qPrintable(automatic));
    GraphProperties said = Page().properties;
    said.loopJudgement = LoopJudgement::kLoop;
    state().session.ApplyProperties(said);
    QVERIFY(dock->TextBox()->toPlainText().contains(QStringLiteral("位相余裕")));
    said.loopJudgement = LoopJudgement::kNotLoop;
    state().session.ApplyProperties(said);
    QCOMPARE(dock->TextBox()->toPlainText(), automatic);
  }

  // Drawing T or S, the panel lists that curve's figures after L's: the
  // marks on the page are read off it.
  void figuresPanelListsTheCurveShownToo() {
    Open();
    FiguresDock* dock = frame_->FiguresPanel();
    dock->show();
    QCoreApplication::processEvents();
    const QString open = dock->TextBox()->toPlainText();
    QVERIFY(!open.contains(QStringLiteral("T = L/(1+L)")));
    const struct {
      int command;
      const char* heading;
    } curves[] = {{kCmdLoopClosed, "\n閉ﾙｰﾌﾟ T = L/(1+L)\n点数  41\n"},
                  {kCmdLoopSensitivity, "\n感度 S = 1/(1+L)\n点数  41\n"}};
    for (const auto& c : curves) {
      frame_->Action(c.command)->trigger();
      QCoreApplication::processEvents();
      const QString text = dock->TextBox()->toPlainText();
      QVERIFY2(text.startsWith(open), qPrintable(text));
      QVERIFY2(text.contains(QString::fromUtf8(c.heading)), qPrintable(text));
    }
    frame_->Action(kCmdLoopOpen)->trigger();
    QCoreApplication::processEvents();
    QCOMPARE(dock->TextBox()->toPlainText(), open);
  }
};

QTEST_MAIN(LoopViewTest)
#include "viewer_loop_test.moc"
