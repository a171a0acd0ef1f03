// SPDX-License-Identifier: MIT
// The compare menu's production test: a mask opened for every page (and the
// pages opened after it), PASS or FAIL in the status bar, its rules in the
// figures panel, a malformed mask refused with its line, the mask kept in
// the viewer settings across a restart, the open pages' statistics under
// the page on screen, and the page list with every page's verdict.

#include <QAction>
#include <QLabel>
#include <QPlainTextEdit>
#include <QRegularExpression>
#include <QTest>
#include <QTreeWidget>

#include "app/viewer_settings.h"
#include "display/commands.h"
#include "display/figures_dock.h"
#include "display/main_frame.h"
#include "display/main_view.h"
#include "display/page_list_dock.h"
#include "graph/page_session.h"
#include "graph/production_marks.h"
#include "viewer_support.h"

using namespace fernplot;
using namespace fernplot::testing;

class MaskTest : public WindowTest {
  Q_OBJECT

 private:
  QString lowPass_, shortSweep_, failing_, passing_, broken_;

  QAction* Action(int id) { return frame_->Action(id); }
  void Trigger(int id) {
    frame_->UpdateCommandStates();
    QVERIFY2(Action(id)->isEnabled(), qPrintable(Action(id)->text()));
    Action(id)->trigger();
  }
  // The pane is written as the page is painted.
  QString PagePane() {
    frame_->View()->viewport()->repaint();
    return frame_->Pane(kPanePage)->text();
  }

 private slots:
  void initTestCase() {
    lowPass_ = WriteDataFile(dir_, QStringLiteral("LPF.DAT"), 41);
    shortSweep_ = WriteDataFile(dir_, QStringLiteral("SHORT.DAT"), 20);
    // The low-pass is near 0 dB at its low end: the second rule fails.
    failing_ =
        WriteFile(dir_, QStringLiteral("fail.mask"), "GAIN MAX 10 100 3\nGAIN MIN 10 100 3\n");
    passing_ = WriteFile(dir_, QStringLiteral("pass.mask"), "# flat\nGAIN MAX 10 100 3\n");
    broken_ = WriteFile(dir_, QStringLiteral("broken.mask"), "GAIN MAX 10 100 3\nGAIN 1 2 3\n");
  }

  void init() { QVERIFY(ShowNewFrame(ts_, dialogs_, frame_, QSize(1100, 800))); }
  void cleanup() { DropFrame(ts_, dialogs_, frame_); }

  void openJudgesEveryPageAndRemoveGivesThePagesBack() {
    frame_->Pages().OpenFiles({lowPass_, shortSweep_});
    const DrawingSheet plain = *state().session.drawing.CurrentSheet();
    frame_->UpdateCommandStates();
    QCOMPARE(Action(kCmdOpenMask)->text(), QStringLiteral("ﾏｽｸを開く..."));
    QCOMPARE(Action(kCmdRemoveMask)->text(), QStringLiteral("ﾏｽｸを外す"));
    QCOMPARE(Action(kCmdLotStatistics)->text(), QStringLiteral("統計を表示"));
    QVERIFY(!Action(kCmdRemoveMask)->isEnabled());
    QVERIFY(!PagePane().contains(QStringLiteral("PASS")));

    // Cancelled: nothing changes.
    Trigger(kCmdOpenMask);
    QCOMPARE(dialogs_->maskFolders.size(), size_t{1});
    QVERIFY(state().session.Mask() == nullptr);

    dialogs_->maskAnswer = failing_;
    Trigger(kCmdOpenMask);
    QVERIFY(state().session.Mask() != nullptr);
    for (const auto& page : state().session.pages) {
      const MaskVerdict* v = PageVerdict(*page);
      QVERIFY(v != nullptr);
      QVERIFY(!v->pass);
    }
    QVERIFY2(PagePane().endsWith(QStringLiteral("  FAIL")), qPrintable(PagePane()));
    QVERIFY(!(*state().session.drawing.CurrentSheet() == plain));
    FiguresDock* dock = frame_->FiguresPanel();
    dock->show();
    QCoreApplication::processEvents();
    const QString text = dock->TextBox()->toPlainText();
    QVERIFY2(text.contains(QStringLiteral("ﾏｽｸ  FAIL\n")), qPrintable(text));
    QVERIFY2(text.contains(QStringLiteral("  1: GAIN MAX 10 100 3  +")), qPrintable(text));
    QVERIFY2(text.contains(QStringLiteral("  2: GAIN MIN 10 100 3  -")), qPrintable(text));
    // The dialog opens where the mask was found.
    Trigger(kCmdOpenMask);
    QCOMPARE(dialogs_->maskFolders.back(), dir_.path());

    // A passing mask replaces it.
    dialogs_->maskAnswer = passing_;
    Trigger(kCmdOpenMask);
    QVERIFY(PageVerdict(Page())->pass);
    QVERIFY2(PagePane().endsWith(QStringLiteral("  PASS")), qPrintable(PagePane()));

    // A page opened now is judged too.
    frame_->Pages().OpenFiles({lowPass_});
    QVERIFY(PageVerdict(Page()) != nullptr);

    Trigger(kCmdRemoveMask);
    QVERIFY(state().session.Mask() == nullptr);
    for (const auto& page : state().session.pages) QVERIFY(PageVerdict(*page) == nullptr);
    QVERIFY(!PagePane().contains(QStringLiteral("PASS")));
    QVERIFY(state().session.ShowSheet(1));
    QVERIFY(*state().session.drawing.CurrentSheet() == plain);
  }

  void malformedMaskIsRefusedWithItsLine() {
    frame_->Pages().OpenFiles({lowPass_});
    dialogs_->maskAnswer = broken_;
    Trigger(kCmdOpenMask);
    QCOMPARE(dialogs_->warnings.size(), size_t{1});
    QVERIFY2(
        dialogs_->warnings.back().contains(broken_ + QStringLiteral(":2: GAIN needs MIN or MAX")),
        qPrintable(dialogs_->warnings.back()));
    QVERIFY(state().session.Mask() == nullptr);
    QVERIFY(PageVerdict(Page()) == nullptr);
  }

  void maskIsRememberedInTheViewerSettings() {
    const QString ini = dir_.filePath(QStringLiteral("viewer.ini"));
    {
      ViewerSettings settings(ini);
      frame_->SetViewerSettings(&settings);
      dialogs_->maskAnswer = failing_;
      Trigger(kCmdOpenMask);
      QCOMPARE(settings.MaskPath(), std::optional<std::string>(failing_.toStdString()));
      frame_->SetViewerSettings(nullptr);
    }
    // A new start: the mask is there before any page, and judges the first.
    DropFrame(ts_, dialogs_, frame_);
    QVERIFY(ShowNewFrame(ts_, dialogs_, frame_, QSize(1100, 800)));
    {
      ViewerSettings settings(ini);
      frame_->SetViewerSettings(&settings);
      QVERIFY(state().session.Mask() != nullptr);
      frame_->Pages().OpenFiles({lowPass_});
      QVERIFY(PageVerdict(Page()) != nullptr);
      QVERIFY(PagePane().endsWith(QStringLiteral("  FAIL")));
      // Never in the graph properties: the defaults know nothing of it.
      QVERIFY(state().defaults == FactoryDefaults());
      Trigger(kCmdRemoveMask);
      QCOMPARE(settings.MaskPath(), std::nullopt);
      frame_->SetViewerSettings(nullptr);
    }
    // A remembered mask that is gone is forgotten.
    {
      ViewerSettings settings(ini);
      settings.SetMaskPath(dir_.filePath(QStringLiteral("gone.mask")).toStdString());
      frame_->SetViewerSettings(&settings);
      QCOMPARE(settings.MaskPath(), std::nullopt);
      QVERIFY(dialogs_->warnings.empty());
      frame_->SetViewerSettings(nullptr);
    }
  }

  void statisticsOfTheOpenPagesUnderThePageOnScreen() {
    frame_->UpdateCommandStates();
    QVERIFY(!Action(kCmdLotStatistics)->isEnabled());
    frame_->Pages().OpenFiles({lowPass_, shortSweep_, lowPass_});
    const DrawingSheet plain = *state().session.drawing.CurrentSheet();
    Trigger(kCmdLotStatistics);
    frame_->UpdateCommandStates();
    QVERIFY(Action(kCmdLotStatistics)->isChecked());
    QVERIFY(Page().production && Page().production->bands);
    QVERIFY(SheetHasText(*state().session.drawing.CurrentSheet(), "min/max"));
    QVERIFY(SheetHasText(*state().session.drawing.CurrentSheet(), "\u00B13\u03C3"));
    Trigger(kCmdLotStatistics);
    frame_->UpdateCommandStates();
    QVERIFY(!Action(kCmdLotStatistics)->isChecked());
    QVERIFY(!Page().production);
    QVERIFY(*state().session.drawing.CurrentSheet() == plain);
  }

  // The statistics follow the page on screen and the set of pages; the
  // figures panel lists the spread of the figures.
  void statisticsFollowThePagesAndListTheFigures() {
    frame_->Pages().OpenFiles({lowPass_, shortSweep_, lowPass_});
    FiguresDock* dock = frame_->FiguresPanel();
    dock->show();
    Trigger(kCmdLotStatistics);
    const auto bands = [&](size_t i) {
      const GraphPage& page = *state().session.pages[i];
      return page.production ? page.production->bands : nullptr;
    };
    QVERIFY(bands(0) && !bands(1) && !bands(2));
    QCOMPARE(bands(0)->sweeps, size_t{3});
    QCOMPARE(bands(0)->frequency.size(), size_t{41});
    QCoreApplication::processEvents();
    QString text = dock->TextBox()->toPlainText();
    QVERIFY2(text.contains(QStringLiteral("統計  3 ﾍﾟｰｼﾞ\n")), qPrintable(text));
    QVERIFY2(text.contains(QStringLiteral("  lowFrequencyGainDb  n 3  平均 ")), qPrintable(text));

    // Another page: the band moves to it, on its frequencies.
    QVERIFY(frame_->View()->GoToPage(2));
    QVERIFY(!bands(0) && bands(1) && !bands(2));
    QCOMPARE(bands(1)->frequency.size(), size_t{20});
    QVERIFY(SheetHasText(*state().session.drawing.CurrentSheet(), "min/max"));
    // The first page's sheet is drawn again without it.
    const DrawingSheet* first = state().session.DrawnSheet(1);
    QVERIFY(first && !SheetHasText(*first, "min/max"));

    // A page closed leaves the lot.
    Trigger(kCmdClosePage);
    const GraphPage* shown = state().session.CurrentPage();
    QVERIFY(shown && shown->production && shown->production->bands);
    QCOMPARE(shown->production->bands->sweeps, size_t{2});
    QCoreApplication::processEvents();
    text = dock->TextBox()->toPlainText();
    QVERIFY2(text.contains(QStringLiteral("統計  2 ﾍﾟｰｼﾞ\n")), qPrintable(text));

    // A page opened joins it.
    frame_->Pages().OpenFiles({shortSweep_});
    QCOMPARE(Page().production->bands->sweeps, size_t{3});
    // A mask with a limit on a figure gives its cpk.
    dialogs_->maskAnswer = WriteFile(dir_, QStringLiteral("figure.mask"),
                                     "FIGURE minus3dBHz BETWEEN 900 1100\n");
    Trigger(kCmdOpenMask);
    QCoreApplication::processEvents();
    text = dock->TextBox()->toPlainText();
    QVERIFY2(text.contains(QRegularExpression(QStringLiteral("minus3dBHz  n 3 .*  cpk 1\\.\\d\\d\n"))),
             qPrintable(text));

    // Closing every page turns it off.
    Trigger(kCmdCloseAllPages);
    QVERIFY(!state().session.LotStatisticsShown());
    frame_->Pages().OpenFiles({lowPass_});
    QVERIFY(Page().production && !Page().production->bands);
    QVERIFY(!dock->TextBox()->toPlainText().contains(QStringLiteral("統計")));
  }

  // The page list: a row per page with its verdict, the page on screen
  // selected, a row chosen shows its page; open across a restart.
  void pageListShowsEveryPageWithItsVerdict() {
    const QString ini = dir_.filePath(QStringLiteral("list.ini"));
    ViewerSettings settings(ini);
    frame_->SetViewerSettings(&settings);
    frame_->Pages().OpenFiles({lowPass_, shortSweep_});
    QAction* toggle = Action(kCmdPageList);
    QCOMPARE(toggle->text(), QStringLiteral("ﾍﾟｰｼﾞ一覧"));
    QVERIFY(frame_->PageList()->isHidden());
    toggle->trigger();
    QCoreApplication::processEvents();
    QTreeWidget* tree = frame_->PageList()->Tree();
    QCOMPARE(tree->topLevelItemCount(), 2);
    QCOMPARE(tree->topLevelItem(0)->text(0), QStringLiteral("1"));
    QCOMPARE(tree->topLevelItem(0)->text(1), QStringLiteral("LPF"));
    QCOMPARE(tree->topLevelItem(1)->text(1), QStringLiteral("SHORT"));
    QCOMPARE(tree->topLevelItem(0)->text(2), QString());
    QCOMPARE(tree->currentItem(), tree->topLevelItem(0));

    // A mask gives every row its verdict; a failure in red.
    dialogs_->maskAnswer = failing_;
    Trigger(kCmdOpenMask);
    QCoreApplication::processEvents();
    QCOMPARE(tree->topLevelItem(0)->text(2), QStringLiteral("FAIL"));
    QCOMPARE(tree->topLevelItem(1)->text(2), QStringLiteral("FAIL"));
    QCOMPARE(tree->topLevelItem(0)->foreground(2).color(), QColor(210, 0, 0));
    dialogs_->maskAnswer = passing_;
    Trigger(kCmdOpenMask);
    QCoreApplication::processEvents();
    QCOMPARE(tree->topLevelItem(1)->text(2), QStringLiteral("PASS"));

    // A click on a row shows its page; the page keys move the selection.
    const QRect row = tree->visualItemRect(tree->topLevelItem(1));
    QTest::mouseClick(tree->viewport(), Qt::LeftButton, {}, row.center());
    QCOMPARE(state().session.drawing.CurrentNumber(), 2);
    QVERIFY(frame_->View()->GoToPage(1));
    QCoreApplication::processEvents();
    QCOMPARE(tree->currentItem(), tree->topLevelItem(0));
    Trigger(kCmdClosePage);
    QCoreApplication::processEvents();
    QCOMPARE(tree->topLevelItemCount(), 1);
    QCOMPARE(tree->topLevelItem(0)->text(1), QStringLiteral("SHORT"));

    frame_->KeepViewerChoices();
    QVERIFY(settings.PageListOpen());
    frame_->SetViewerSettings(nullptr);
    DropFrame(ts_, dialogs_, frame_);
    QVERIFY(ShowNewFrame(ts_, dialogs_, frame_, QSize(1100, 800)));
    frame_->SetViewerSettings(&settings);
    QVERIFY(!frame_->PageList()->isHidden());
    frame_->SetViewerSettings(nullptr);
  }
};

QTEST_MAIN(MaskTest)
#include "viewer_mask_test.moc"
