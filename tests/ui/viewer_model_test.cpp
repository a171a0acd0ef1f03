// SPDX-License-Identifier: MIT
// A model fitted to the page in the viewer: the fit command and its dialog,
// the model trace, its residual, its removal, its texts on the clipboard and
// in the figures panel, a refit when the ratio changes (and a model that cannot
// be fitted again), a page that cannot be fitted, the range fitted, and a
// long fit that runs off the GUI thread with its progress and cancel.

#include <QAction>
#include <QApplication>
#include <QClipboard>
#include <QDialogButtonBox>
#include <QLabel>
#include <QLineEdit>
#include <QPlainTextEdit>
#include <QProgressDialog>
#include <QPushButton>
#include <QStatusBar>
#include <QTest>
#include <QTimer>
#include <limits>

#include "analysis/fit/model_text.h"
#include "display/commands.h"
#include "display/figures_dock.h"
#include "display/fit_dialog.h"
#include "display/main_frame.h"
#include "graph/page_model.h"
#include "graph/pages.h"
#include "graph/shown_limits.h"
#include "viewer_support.h"

using namespace fernplot;
using namespace fernplot::testing;

class ModelTest : public QObject {
  Q_OBJECT

 private:
  std::unique_ptr<TestState> ts_;
  std::unique_ptr<ScriptedDialogs> dialogs_;
  std::unique_ptr<CMainFrame> frame_;
  QTemporaryDir dir_;
  QString lowPass_, twoPoints_, longSweep_;

  AppState& state() { return ts_->state; }
  GraphPage& Page() { return *state().session.CurrentPage(); }
  QAction* Action(int id) { return frame_->Action(id); }
  void Trigger(int id) {
    frame_->UpdateCommandStates();
    QVERIFY2(Action(id)->isEnabled(), qPrintable(Action(id)->text()));
    Action(id)->trigger();
  }

 private slots:
  void initTestCase() {
    lowPass_ = WriteDataFile(dir_, QStringLiteral("LPF.DAT"), 41);
    twoPoints_ = WriteDataFile(dir_, QStringLiteral("TWO.DAT"), 2);
    longSweep_ = WriteDataFile(dir_, QStringLiteral("LONG.DAT"), 65535);
  }

  void init() { QVERIFY(ShowNewFrame(ts_, dialogs_, frame_, QSize(1100, 800))); }

  void cleanup() { DropFrame(ts_, dialogs_, frame_); }

  void fitAddsTheModelTraceAndRemoveTakesItAway() {
    const std::vector<int> modelCommands = {kCmdModelResidual, kCmdRemoveModel,
                                            kCmdCopyModelLaplace, kCmdCopyModelJson};
    frame_->UpdateCommandStates();
    QVERIFY(!Action(kCmdFitModel)->isEnabled());
    frame_->Pages().OpenFiles({lowPass_});
    const DrawingSheet plain = *state().session.drawing.CurrentSheet();
    frame_->UpdateCommandStates();
    QCOMPARE(Action(kCmdFitModel)->text(), QStringLiteral("ﾓﾃﾞﾙのﾌｨｯﾄ..."));
    for (int id : modelCommands) QVERIFY(!Action(id)->isEnabled());

    // Cancelled: nothing changes.
    Trigger(kCmdFitModel);
    QCOMPARE(dialogs_->fitAsks.size(), size_t{1});
    QVERIFY(!Page().fit);
    QVERIFY(*state().session.drawing.CurrentSheet() == plain);

    dialogs_->fitAnswer = FitOptions{.order = 2, .delay = false};
    Trigger(kCmdFitModel);
    QVERIFY(Page().fit.has_value());
    QCOMPARE(Page().fit->model.poles.size(), size_t{2});
    QCOMPARE(Page().overlays.size(), size_t{1});
    QCOMPARE(Page().overlays[0].fileName, std::string("model"));
    QVERIFY(Page().overlays[0].dashed);
    QVERIFY(SheetHasText(*state().session.drawing.CurrentSheet(), "model"));
    frame_->UpdateCommandStates();
    for (int id : modelCommands) QVERIFY(Action(id)->isEnabled());
    // Asked again, the page's own choice is offered.
    Trigger(kCmdFitModel);
    QCOMPARE(dialogs_->fitAsks.back().order, std::optional<int>(2));
    QCOMPARE(Page().overlays.size(), size_t{1});  // replaced, not added

    Trigger(kCmdRemoveModel);
    QVERIFY(!Page().fit);
    QVERIFY(Page().overlays.empty());
    QVERIFY(*state().session.drawing.CurrentSheet() == plain);
    frame_->UpdateCommandStates();
    for (int id : modelCommands) QVERIFY(!Action(id)->isEnabled());

    // Removed from the trace list, the model goes as well.
    Trigger(kCmdFitModel);
    dialogs_->editTraces = [](const TraceList&) { return TraceListEdit{}; };
    Trigger(kCmdEditTraces);
    QVERIFY(Page().overlays.empty());
    QVERIFY(!Page().fit);
  }

  void residualIsTheDifferenceToTheModel() {
    frame_->Pages().OpenFiles({lowPass_});
    dialogs_->fitAnswer = FitOptions{};
    Trigger(kCmdFitModel);
    QVERIFY(!Action(kCmdModelResidual)->isChecked());
    Trigger(kCmdModelResidual);
    QVERIFY(Page().showDifference);
    QCOMPARE(Page().referenceIndex, ModelOverlayIndex(Page()));
    frame_->UpdateCommandStates();
    QVERIFY(Action(kCmdModelResidual)->isChecked());
    QVERIFY(Action(kCmdDifference)->isChecked());
    // The difference axis: what is left of the page is the fit's error.
    QVERIFY(SheetHasText(*state().session.drawing.CurrentSheet(), "model"));
    Trigger(kCmdModelResidual);
    QVERIFY(!Page().showDifference);
    frame_->UpdateCommandStates();
    QVERIFY(!Action(kCmdModelResidual)->isChecked());
  }

  void ratioChangeFitsTheModelAgain() {
    frame_->Pages().OpenFiles({lowPass_});
    dialogs_->fitAnswer = FitOptions{.order = 3};
    Trigger(kCmdFitModel);
    const FitModel before = Page().fit->model;
    dialogs_->editProperties = [](GraphProperties& p) { p.calcType = ChannelRatio::kCh2Ch1; };
    frame_->Pages().EditCurrentProperties();
    QVERIFY(Page().properties.calcType == ChannelRatio::kCh2Ch1);
    QVERIFY(Page().fit.has_value());
    QCOMPARE(Page().fit->options.order, std::optional<int>(3));
    // CH2/CH1 rises where CH1/CH2 falls.
    const double f = 50000.0;
    QVERIFY(std::abs(EvaluateModel(before, f)) < 0.1);
    QVERIFY(std::abs(EvaluateModel(Page().fit->model, f)) > 10.0);
  }

  void modelThatCannotBeFittedAgainIsDroppedWithAMessage() {
    frame_->Pages().OpenFiles({lowPass_});
    dialogs_->fitAnswer = FitOptions{.order = 1};
    Trigger(kCmdFitModel);
    QVERIFY(Page().fit.has_value());
    // The other ratio has only two usable points: too few for the model.
    std::vector<DataPoint>& points = *Page().data.points;
    for (size_t i = 2; i < points.size(); ++i) {
      points[i].gainCh2Ch1 = std::numeric_limits<float>::quiet_NaN();
    }
    dialogs_->editProperties = [](GraphProperties& p) { p.calcType = ChannelRatio::kCh2Ch1; };
    frame_->Pages().EditCurrentProperties();
    QVERIFY(!Page().fit.has_value());
    QCOMPARE(ModelOverlayIndex(Page()), -1);
    const QString said = frame_->statusBar()->currentMessage();
    QVERIFY2(said.contains(QStringLiteral("ﾓﾃﾞﾙを再ﾌｨｯﾄできない")) &&
                 said.contains(QStringLiteral("使えるデータ点 (2)")),
             qPrintable(said));
    // Said once: the next change of the page does not repeat it.
    frame_->statusBar()->clearMessage();
    frame_->Pages().ShowFigureMarks(true);
    QVERIFY(frame_->statusBar()->currentMessage().isEmpty());
  }

  void copiesAreTheCoresTexts() {
    frame_->Pages().OpenFiles({lowPass_});
    dialogs_->fitAnswer = FitOptions{};
    Trigger(kCmdFitModel);
    const FitModel& model = Page().fit->model;
    Trigger(kCmdCopyModelLaplace);
    QCOMPARE(QApplication::clipboard()->text().toStdString(), LaplaceExpression(model));
    Trigger(kCmdCopyModelJson);
    QCOMPARE(QApplication::clipboard()->text().toStdString(), ModelJson("LPF", model));
  }

  void panelListsTheModel() {
    frame_->Pages().OpenFiles({lowPass_});
    FiguresDock* dock = frame_->FiguresPanel();
    dock->show();
    QCoreApplication::processEvents();
    QVERIFY(!dock->TextBox()->toPlainText().contains(QStringLiteral("ﾓﾃﾞﾙ")));
    dialogs_->fitAnswer = FitOptions{.delay = true};
    Trigger(kCmdFitModel);
    const QString text = dock->TextBox()->toPlainText();
    QVERIFY2(text.contains(QStringLiteral("\nﾓﾃﾞﾙ  1 次 (自動)\n極  1.00 kHz\n")),
             qPrintable(text));
    QVERIFY2(text.contains(QStringLiteral("\nむだ時間  ")), qPrintable(text));
    QVERIFY2(text.contains(QStringLiteral("\nRMS 誤差  ")), qPrintable(text));
    Trigger(kCmdRemoveModel);
    QVERIFY(!dock->TextBox()->toPlainText().contains(QStringLiteral("ﾓﾃﾞﾙ")));
  }

  void dialogOffersTheRangeShownAndTheFitKeepsToIt() {
    frame_->Pages().OpenFiles({lowPass_});
    Trigger(kCmdFitModel);  // cancelled: only what is offered
    const std::optional<ShownLimits> shown = ShownAxisLimits(Page());
    QVERIFY(shown.has_value());
    QCOMPARE(dialogs_->fitAsks.back().fmin, std::optional<double>(shown->frequency.lo));
    QCOMPARE(dialogs_->fitAsks.back().fmax, std::optional<double>(shown->frequency.hi));

    dialogs_->fitAnswer = FitOptions{.order = 1, .fmin = 100.0, .fmax = 5000.0};
    Trigger(kCmdFitModel);
    QVERIFY(Page().fit.has_value());
    QCOMPARE(Page().fit->options.fmin, std::optional<double>(100.0));
    QVERIFY(Page().fit->model.fittedFrom >= 100.0);
    QVERIFY(Page().fit->model.fittedTo <= 5000.0);
    // The page's own range is offered again.
    Trigger(kCmdFitModel);
    QCOMPARE(dialogs_->fitAsks.back().fmax, std::optional<double>(5000.0));
    // A range beyond the points restricts nothing and is not kept.
    dialogs_->fitAnswer = FitOptions{.order = 1, .fmin = 1.0, .fmax = 1e9};
    Trigger(kCmdFitModel);
    QVERIFY(!Page().fit->options.fmin && !Page().fit->options.fmax);
  }

  void dialogReadsTheRange() {
    FitDialog dialog(FitOptions{.fmin = 10.0, .fmax = 1e4}, frame_.get());
    QCOMPARE(dialog.FromBox()->text(), QStringLiteral("10"));
    QCOMPARE(dialog.ToBox()->text(), QStringLiteral("10000"));
    dialog.show();
    QPushButton* ok = dialog.findChild<QDialogButtonBox*>()->button(QDialogButtonBox::Ok);
    dialog.FromBox()->clear();
    QTest::keyClicks(dialog.FromBox(), QStringLiteral("abc"));
    QTest::mouseClick(ok, Qt::LeftButton);
    QVERIFY(dialog.isVisible());  // refused, and said why
    QVERIFY(dialog.findChild<QLabel*>(QStringLiteral("fitProblem"))->isVisible());
    dialog.FromBox()->clear();
    QTest::keyClicks(dialog.FromBox(), QStringLiteral("20k"));
    QTest::mouseClick(ok, Qt::LeftButton);
    QVERIFY(dialog.isVisible());  // above the top
    dialog.FromBox()->clear();
    QTest::keyClicks(dialog.FromBox(), QStringLiteral("1.5 kHz"));
    dialog.ToBox()->clear();
    QTest::keyClicks(dialog.ToBox(), QStringLiteral("2M"));
    QTest::mouseClick(ok, Qt::LeftButton);
    QCOMPARE(dialog.result(), int(QDialog::Accepted));
    QCOMPARE(dialog.Options().fmin, std::optional<double>(1500.0));
    QCOMPARE(dialog.Options().fmax, std::optional<double>(2e6));
    // Empty ends are the sweep's.
    QVERIFY(FitDialog::ParseFrequency(QString()).has_value());
    QVERIFY(!FitDialog::ParseFrequency(QString())->has_value());
    QVERIFY(!FitDialog::ParseFrequency(QStringLiteral("0")).has_value());
  }

  void longFitRunsOffTheGuiThreadAndCanBeCancelled() {
    frame_->Pages().OpenFiles({longSweep_});
    const DrawingSheet plain = *state().session.drawing.CurrentSheet();
    // While the fit runs the window's events go on: the progress dialog
    // shows, and Escape on it cancels.
    bool sawProgress = false;
    QTimer poll;
    poll.setInterval(20);
    connect(&poll, &QTimer::timeout, [&] {
      auto* progress = frame_->findChild<QProgressDialog*>(QStringLiteral("fitProgress"));
      if (progress && progress->isVisible()) {
        sawProgress = true;
        QTest::keyClick(progress, Qt::Key_Escape);
      }
    });
    poll.start();
    dialogs_->fitAnswer = FitOptions{.order = 20, .delay = true};
    Trigger(kCmdFitModel);
    poll.stop();
    QVERIFY(sawProgress);
    QVERIFY(!Page().fit);
    QVERIFY(Page().overlays.empty());
    QVERIFY(dialogs_->warnings.empty());  // cancelled is no failure
    QVERIFY(*state().session.drawing.CurrentSheet() == plain);
  }

  void pageThatCannotBeFittedSaysWhyAndStays() {
    frame_->Pages().OpenFiles({twoPoints_});
    const DrawingSheet plain = *state().session.drawing.CurrentSheet();
    dialogs_->fitAnswer = FitOptions{};
    Trigger(kCmdFitModel);
    QCOMPARE(dialogs_->warnings.size(), size_t{1});
    QVERIFY2(dialogs_->warnings[0].contains(
                 QStringLiteral("使えるデータ点 (2) が 1 次のモデルの未知数 3 個")),
             qPrintable(dialogs_->warnings[0]));
    QVERIFY(!Page().fit);
    QVERIFY(Page().overlays.empty());
    QVERIFY(*state().session.drawing.CurrentSheet() == plain);
  }
};

QTEST_MAIN(ModelTest)
#include "viewer_model_test.moc"
