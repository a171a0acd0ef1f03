// SPDX-License-Identifier: MIT
// The main window's commands: enable and check rules, zoom, page stepping,
// reset/overwrite default, clipboard, CSV.

#include <QAction>
#include <QClipboard>
#include <QComboBox>
#include <QDir>
#include <QDragEnterEvent>
#include <QGuiApplication>
#include <QLabel>
#include <QMenu>
#include <QMenuBar>
#include <QMimeData>
#include <QProgressDialog>
#include <QScrollBar>
#include <QSignalSpy>
#include <QTest>
#include <QTimer>
#include <QToolBar>
#include <QUrl>
#include <map>

#include "datafile/csv_export.h"
#include "datafile/data_file_scan.h"
#include "display/commands.h"
#include "display/main_frame.h"
#include "display/main_view.h"
#include "display/page_actions.h"
#include "graph/page_session.h"
#include "graph/pages.h"
#include "page_output.h"
#include "viewer_support.h"

using namespace fernplot;
using namespace fernplot::testing;

class FrameTest : public WindowTest {
  Q_OBJECT

 private:
  QStringList files_;

  bool Enabled(int id) { return frame_->Action(id)->isEnabled(); }
  bool Checked(int id) { return frame_->Action(id)->isChecked(); }
  void OpenPages(int n) { frame_->Pages().OpenFiles(files_.mid(0, n)); }

 private slots:
  void initTestCase() {
    for (int i = 0; i < 3; ++i) {
      files_ << WriteDataFile(dir_, QStringLiteral("P%1.DAT").arg(i + 1), 20 + i, 0,
                              "title " + std::to_string(i + 1));
    }
  }

  void init() { QVERIFY(ShowNewFrame(ts_, dialogs_, frame_, QSize(700, 500))); }

  void cleanup() { DropFrame(ts_, dialogs_, frame_); }

  void enableRules_data() {
    QTest::addColumn<int>("pages");
    QTest::addColumn<bool>("closeAll");
    QTest::newRow("no drawing") << 0 << false;
    QTest::newRow("one page") << 1 << false;
    QTest::newRow("three pages, first shown") << 3 << false;
    QTest::newRow("all pages closed") << 2 << true;
  }
  void enableRules() {
    QFETCH(int, pages);
    QFETCH(bool, closeAll);
    if (pages > 0) OpenPages(pages);
    if (closeAll) {
      for (int i = 0; i < pages; ++i) frame_->Pages().ClosePage();
      QVERIFY(state().session.drawingActive);
    }
    const bool shown = pages > 0 && !closeAll;
    for (int id : {kCmdSaveCsv, kCmdCopyToClipboard, kCmdPrint, kCmdClosePage,
                   kCmdCurrentProperties, kCmdResetToDefault, kCmdOverwriteDefault}) {
      QVERIFY2(Enabled(id) == shown, qPrintable(QString::number(id)));
    }
    for (int id : {kCmdOpenDataFile, kCmdPrintSetup, kCmdExit, kCmdToolBar, kCmdStatusBar,
                   kCmdCrossHair, kCmdDefaultProperties, kCmdAbout, kCmdZoom30, kCmdZoom60,
                   kCmdZoom75, kCmdZoom100, kCmdZoom150, kCmdZoom200}) {
      QVERIFY2(Enabled(id), qPrintable(QString::number(id)));
    }
    // The first page opened is on screen: never a previous page; a next one
    // only with more than one page.
    QCOMPARE(Enabled(kCmdPreviousPage), false);
    QCOMPARE(Enabled(kCmdNextPage), shown && pages > 1);
    QVERIFY(Checked(kCmdToolBar));
    QVERIFY(Checked(kCmdStatusBar));
    int checkedZooms = 0;
    for (int i = 0; i < kZoomStepCount; ++i) checkedZooms += Checked(kCmdZoom30 + i) ? 1 : 0;
    QCOMPARE(checkedZooms, 1);
    QVERIFY(Checked(kCmdZoom100));
  }

  void pageSteppingAndIndicator() {
    OpenPages(3);
    CMainView* view = frame_->View();
    // The first of the files opened is shown; more opened later show their
    // own first.
    QCOMPARE(state().session.drawing.CurrentNumber(), 1);
    // Each open and each close is announced once, with its page on screen.
    std::vector<int> heard;
    const int id = state().session.Subscribe(
        [&] { heard.push_back(state().session.drawing.CurrentNumber()); });
    frame_->Pages().OpenFiles(files_.mid(1, 2));
    QCOMPARE(state().session.drawing.CurrentNumber(), 4);
    frame_->Pages().ClosePage();
    frame_->Pages().ClosePage();
    state().session.Unsubscribe(id);
    QCOMPARE(heard, (std::vector<int>{4, 4, 3}));
    frame_->ViewCommands().LastPage();
    QCOMPARE(state().session.drawing.CurrentNumber(), 3);
    QTest::keyClick(view, Qt::Key_PageDown);  // past the end: nothing
    QCOMPARE(state().session.drawing.CurrentNumber(), 3);
    frame_->Action(kCmdPreviousPage)->trigger();
    QCOMPARE(state().session.drawing.CurrentNumber(), 2);
    QVERIFY(Enabled(kCmdNextPage));
    QVERIFY(Enabled(kCmdPreviousPage));
    QTest::keyClick(view, Qt::Key_PageUp);
    QCOMPARE(state().session.drawing.CurrentNumber(), 1);
    QVERIFY(!Enabled(kCmdPreviousPage));
    QTest::keyClick(view, Qt::Key_PageUp);
    QCOMPARE(state().session.drawing.CurrentNumber(), 1);
    view->viewport()->repaint();
    QCOMPARE(frame_->Pane(kPanePage)->text(), QStringLiteral("Page: 1 of 3"));
    frame_->Action(kCmdNextPage)->trigger();
    view->viewport()->repaint();
    QCOMPARE(frame_->Pane(kPanePage)->text(), QStringLiteral("Page: 2 of 3"));
    // The pane fits its text.
    const QLabel* pane = frame_->Pane(kPanePage);
    QVERIFY(pane->width() >= pane->fontMetrics().horizontalAdvance(pane->text()));

    for (int i = 0; i < 3; ++i) frame_->Pages().ClosePage();
    view->viewport()->repaint();
    QCOMPARE(frame_->Pane(kPanePage)->text(), QStringLiteral("Page: 0 of 0"));
  }

  // Many pages: go to a number, first and last, close all at once; the
  // title names the page's file and the view forgets the last page's size.
  void pageJumpsTitleAndCloseAll() {
    QCOMPARE(frame_->windowTitle(), QStringLiteral("FERNPLOT"));
    OpenPages(3);
    frame_->ViewCommands().LastPage();
    CMainView* view = frame_->View();
    QCOMPARE(frame_->windowTitle(), QStringLiteral("FERNPLOT - P3.DAT"));
    QVERIFY(!Enabled(kCmdLastPage));
    QTest::keyClick(view, Qt::Key_Home, Qt::ControlModifier);
    QCOMPARE(state().session.drawing.CurrentNumber(), 1);
    QCOMPARE(frame_->windowTitle(), QStringLiteral("FERNPLOT - P1.DAT"));
    QVERIFY(!Enabled(kCmdFirstPage));
    QTest::keyClick(view, Qt::Key_End, Qt::ControlModifier);
    QCOMPARE(state().session.drawing.CurrentNumber(), 3);

    dialogs_->pageAnswer = 2;
    QTest::keyClick(view, Qt::Key_G, Qt::ControlModifier);
    QCOMPARE(dialogs_->pageAsks.size(), size_t(1));
    QCOMPARE(dialogs_->pageAsks.back(), std::make_pair(3, 3));
    QCOMPARE(state().session.drawing.CurrentNumber(), 2);
    QCOMPARE(frame_->windowTitle(), QStringLiteral("FERNPLOT - P2.DAT"));
    dialogs_->pageAnswer = std::nullopt;  // cancelled
    frame_->ViewCommands().GoToPage();
    QCOMPARE(state().session.drawing.CurrentNumber(), 2);
    QVERIFY(!view->GoToPage(4));
    QVERIFY(!view->GoToPage(0));

    frame_->ViewCommands().SelectZoomEntry(5);  // 200 %: scroll bars
    QVERIFY(view->horizontalScrollBar()->maximum() > 0);
    dialogs_->answerOk = false;
    frame_->Action(kCmdCloseAllPages)->trigger();
    QCOMPARE(dialogs_->questions.size(), size_t(1));
    QCOMPARE(static_cast<int>(state().session.pages.size()), 3);
    dialogs_->answerOk = true;
    frame_->Action(kCmdCloseAllPages)->trigger();
    QCOMPARE(dialogs_->questions.size(), size_t(2));
    QVERIFY(state().session.pages.empty());
    QCOMPARE(frame_->windowTitle(), QStringLiteral("FERNPLOT"));
    QCOMPARE(view->horizontalScrollBar()->maximum(), 0);
    QCOMPARE(view->verticalScrollBar()->maximum(), 0);
    QVERIFY(!Enabled(kCmdCloseAllPages));
    QVERIFY(!Enabled(kCmdGoToPage));
  }

  void scrollSizesAndKeys() {
    frame_->ViewCommands().SelectZoomEntry(5);  // 200 %, larger than the window
    OpenPages(1);
    CMainView* view = frame_->View();
    const int w = static_cast<int>(state().session.drawing.CurrentWidth() * 2.0);
    const int h = static_cast<int>(state().session.drawing.CurrentHeight() * 2.0);
    QScrollBar* hb = view->horizontalScrollBar();
    QScrollBar* vb = view->verticalScrollBar();
    // One pixel more than the sheet: the outline's pen on its far edges.
    QCOMPARE(hb->maximum(), std::max(0, w + 1 - view->viewport()->width()));
    QCOMPARE(vb->maximum(), std::max(0, h + 1 - view->viewport()->height()));
    QCOMPARE(hb->pageStep(), w / 2);
    QCOMPARE(vb->pageStep(), h / 2);
    QCOMPARE(hb->singleStep(), w / 50);
    QCOMPARE(vb->singleStep(), h / 50);

    QTest::keyClick(view, Qt::Key_End);
    QCOMPARE(view->ScrollPosition(), QPoint(hb->maximum(), vb->maximum()));
    QTest::keyClick(view, Qt::Key_Left);
    QTest::keyClick(view, Qt::Key_Up);
    QCOMPARE(view->ScrollPosition(), QPoint(hb->maximum() - w / 50, vb->maximum() - h / 50));
    QTest::keyClick(view, Qt::Key_Home);
    QCOMPARE(view->ScrollPosition(), QPoint(0, 0));
    QTest::keyClick(view, Qt::Key_Right);
    QTest::keyClick(view, Qt::Key_Down);
    QCOMPARE(view->ScrollPosition(), QPoint(w / 50, h / 50));
  }

  // The size asked for before the window is first shown (its bars have no
  // geometry yet) shows a default page at 100 % without a horizontal bar.
  void startSizeShowsADefaultPage() {
    CMainFrame fresh(state(), *dialogs_);
    const SheetPixels sheet = DefaultSheetPixels(state().defaults, &ts_->measurer);
    const QSize wanted = fresh.WindowSizeToShow(QSize(sheet.width, sheet.height));
    fresh.resize(wanted);
    fresh.show();
    QVERIFY(QTest::qWaitForWindowExposed(&fresh));
    fresh.Pages().OpenFiles(files_.mid(0, 1));
    QCOMPARE(state().session.drawing.CurrentWidth(), sheet.width);
    QCOMPARE(fresh.View()->horizontalScrollBar()->maximum(), 0);
    QVERIFY(fresh.View()->viewport()->width() >= sheet.width + 1);
    // Nor much more than that: the window stays as small as it can.
    QVERIFY(fresh.View()->viewport()->width() < sheet.width + 40);
  }

  void zoomMenuAndBox() {
    QComboBox* box = frame_->ZoomBox();
    QCOMPARE(box->count(), kZoomStepCount);
    QCOMPARE(box->itemText(0), QStringLiteral(" 30%"));
    QCOMPARE(box->currentText(), QStringLiteral("100%"));

    // Before any page: the selection moves, nothing else.
    frame_->Action(kCmdZoom150)->trigger();
    QCOMPARE(box->currentIndex(), 4);
    QVERIFY(Checked(kCmdZoom150));
    QVERIFY(!Checked(kCmdZoom100));
    QCOMPARE(frame_->View()->Zoom(), 1.0);
    // The first open applies it.
    OpenPages(1);
    QCOMPARE(frame_->View()->Zoom(), 1.5);

    // A choice in the box checks the menu item and sets the zoom.
    box->setCurrentIndex(0);
    emit box->activated(0);
    QCOMPARE(frame_->View()->Zoom(), 0.3);
    QVERIFY(Checked(kCmdZoom30));
    QVERIFY(!Checked(kCmdZoom150));

    frame_->ViewCommands().StepZoom(+2);
    QCOMPARE(box->currentIndex(), 2);
    QCOMPARE(frame_->View()->Zoom(), 0.75);
    frame_->ViewCommands().StepZoom(-9);
    QCOMPARE(box->currentIndex(), 0);
  }

  void crossHairToggle() {
    QVERIFY(!Checked(kCmdCrossHair));
    frame_->Action(kCmdCrossHair)->trigger();
    QVERIFY(state().crossHairEnabled);
    QVERIFY(Checked(kCmdCrossHair));
    frame_->Action(kCmdCrossHair)->trigger();
    QVERIFY(!state().crossHairEnabled);
  }

  void resetAndOverwriteDefault() {
    // Page 2 holds calculated data.
    const QString calc = WriteDataFile(dir_, QStringLiteral("CALC.DAT"), 12, 1, "calc title");
    frame_->Pages().OpenFiles({files_[0], calc});
    GraphPage* page1 = PageForSheet(state().session.pages, 1);
    GraphPage* page2 = PageForSheet(state().session.pages, 2);
    QVERIFY(page1 && page2);
    QVERIFY(page2->facts.calculated);

    // Overwrite default on page 1 after changing its look.
    state().session.drawing.SelectSheet(1);
    page1->properties.title = "changed";
    page1->properties.gainLineColor = 0x123456;
    dialogs_->answerOk = false;
    frame_->Pages().OverwriteDefault();
    QVERIFY(state().defaults.title != "changed");
    dialogs_->answerOk = true;
    frame_->Pages().OverwriteDefault();
    QCOMPARE(dialogs_->questions.back(),
             QStringLiteral("このｸﾞﾗﾌの設定情報を標準値とします。\n\n現在の標準値は上書きされます。"
                            "\n\nよろしいですか？\n"));
    QCOMPARE(state().defaults.title, std::string("changed"));

    // Reset page 2: the look of page 1, but its own data title and flag.
    state().session.drawing.SelectSheet(2);
    dialogs_->answerOk = false;
    frame_->Pages().ResetToDefault();
    QVERIFY(page2->properties.title != "changed");
    dialogs_->answerOk = true;
    frame_->Pages().ResetToDefault();
    QCOMPARE(dialogs_->questions.back(),
             QStringLiteral("このｸﾞﾗﾌの設定情報を標準値に戻します。\n\nよろしいですか？\n"));
    page2 = PageForSheet(state().session.pages, 2);
    QCOMPARE(page2->properties.title, std::string("changed"));
    QCOMPARE(page2->properties.gainLineColor, Colour(0x123456));
    QCOMPARE(page2->facts.dataTitle, std::string("calc title"));
    QVERIFY(page2->facts.calculated);
    QCOMPARE(state().session.drawing.CurrentNumber(), 2);
  }

  void propertiesCommands() {
    OpenPages(2);
    frame_->ViewCommands().LastPage();
    dialogs_->editProperties = [](GraphProperties& p) { p.title = "edited"; };
    frame_->Pages().EditCurrentProperties();
    QCOMPARE(dialogs_->editedCurrent.back(), true);
    QCOMPARE(PageForSheet(state().session.pages, 2)->properties.title, std::string("edited"));
    QVERIFY(PageForSheet(state().session.pages, 1)->properties.title != "edited");
    QVERIFY(state().defaults.title != "edited");
    frame_->Pages().EditDefaultProperties();
    QCOMPARE(dialogs_->editedCurrent.back(), false);
    QCOMPARE(state().defaults.title, std::string("edited"));
    QVERIFY(PageForSheet(state().session.pages, 1)->properties.title != "edited");
  }

  void openCommand() {
    dialogs_->markForList = false;
    frame_->Pages().OpenDataFile();
    QVERIFY(!state().session.drawingActive);  // cancelled: still nothing active
    ScanDataFiles((dir_.path() + QStringLiteral("/P*.DAT")).toStdString(), state().dataFiles);
    dialogs_->markForList = true;
    frame_->Pages().OpenDataFile();
    QVERIFY(state().session.drawingActive);
    QCOMPARE(static_cast<int>(state().session.pages.size()), 3);
    QCOMPARE(state().session.drawing.CurrentNumber(), 1);
    QCOMPARE(frame_->Pages().DocumentTitle(), QStringLiteral("周波数特性グラフ"));
    for (const DataFileEntry& e : state().dataFiles) QVERIFY(!(e.flags & kEntrySelected));
  }

  // Files chosen from the list are remembered as recent files like any
  // other; the list looks beside the page on screen when it has none kept.
  void dataFileListRemembersAndSearchesBesideThePage() {
    OpenPages(1);
    state().dataFiles.clear();
    state().dataFilePath = "/nowhere/*.DAT";
    dialogs_->markForList = false;
    frame_->Pages().OpenDataFile();  // cancelled
    QCOMPARE(state().dataFilePath, std::string("/nowhere/*.DAT"));
    dialogs_->markForList = true;
    ScanDataFiles((dir_.path() + QStringLiteral("/P*.DAT")).toStdString(), state().dataFiles);
    std::vector<std::string> paths;
    const QMetaObject::Connection c =
        connect(&frame_->Pages(), &PageActions::filesOpened,
                [&paths](const std::vector<std::string>& p) { paths = p; });
    frame_->Pages().OpenDataFile();
    disconnect(c);
    QCOMPARE(paths.size(), size_t{3});
    QCOMPARE(QString::fromStdString(paths.front()), files_.front());

    // Without a list kept, the search starts in the page's folder.
    state().dataFiles.clear();
    dialogs_->markForList = false;
    QString seen;
    dialogs_->onDataFileList = [&](const AppState& s) {
      seen = QString::fromStdString(s.dataFilePath);
    };
    frame_->Pages().OpenDataFile();
    QCOMPARE(seen, QDir(dir_.path()).absoluteFilePath(QStringLiteral("*.DAT")));
  }

  // The help names the menu items as the menus show them; Ctrl+Q quits.
  void helpNamesTheMenuItemsAndCtrlQQuits() {
    frame_->Action(kCmdHelp)->trigger();
    QVERIFY(!dialogs_->infos.empty());
    const QString help = dialogs_->infos.back();
    for (const QString& item :
         {QStringLiteral("ﾌｧｲﾙ → ﾃﾞｰﾀ ﾌｧｲﾙを開く..."), QStringLiteral("ﾌｧｲﾙ → ﾌｧｲﾙを開く..."),
          QStringLiteral("表示 → ｶｰﾌﾞの値を表示"), QStringLiteral("設定 → ｸﾞﾗﾌ･ﾌﾟﾛﾊﾟﾃｨ（ｶﾚﾝﾄ）..."),
          QStringLiteral("設定 → ｸﾞﾗﾌ･ﾌﾟﾛﾊﾟﾃｨ（標準値）..."), QStringLiteral("Ctrl+Q")}) {
      QVERIFY2(help.contains(item), qPrintable(item + QStringLiteral(" in ") + help));
    }
    QVERIFY(frame_->isVisible());
    QTest::keyClick(frame_.get(), Qt::Key_Q, Qt::ControlModifier);
    QVERIFY(!frame_->isVisible());
  }

  void clipboardPicture() {
    QCOMPARE(PageImageSize(850, 640, 0.75), QSize(638, 480));
    QCOMPARE(PageImageSize(851, 642, 1.0), QSize(852, 642));
    frame_->ViewCommands().SelectZoomEntry(2);
    OpenPages(1);
    frame_->ViewCommands().CopyPageToClipboard();
    const QImage image = QGuiApplication::clipboard()->image();
    QCOMPARE(image.size(), PageImageSize(state().session.drawing.CurrentWidth(),
                                         state().session.drawing.CurrentHeight(), 0.75));
    QVERIFY(dialogs_->infos.empty());
  }

  void csvCommand() {
    OpenPages(2);
    frame_->ViewCommands().LastPage();
    dialogs_->csvPath = std::nullopt;
    frame_->Pages().SaveCsv();
    QCOMPARE(dialogs_->csvInitialNames.back(), dir_.filePath(QStringLiteral("P2")));

    const QString out = dir_.filePath(QStringLiteral("out.csv"));
    dialogs_->csvPath = out;
    frame_->Pages().SaveCsv();
    QVERIFY(dialogs_->warnings.empty());
    QCOMPARE(ReadAll(out), PageCsvText(*PageForSheet(state().session.pages, 2)));

    dialogs_->csvPath = dir_.filePath(QStringLiteral("no/such/folder/out.csv"));
    frame_->Pages().SaveCsv();
    QCOMPARE(static_cast<int>(dialogs_->warnings.size()), 1);
    QVERIFY(dialogs_->warnings[0].contains(QStringLiteral("no/such/folder/out.csv")));
  }

  void unreadableFilesReportedOnce() {
    const QString bad1 = WriteFile(dir_, QStringLiteral("BAD1.DAT"), "not a data file");
    const QString bad2 = dir_.filePath(QStringLiteral("MISSING.DAT"));
    frame_->Pages().OpenFiles({bad1, files_[0], bad2, files_[1]});
    QCOMPARE(static_cast<int>(state().session.pages.size()), 2);
    QCOMPARE(state().session.pages[0]->fileName, std::string("P1"));
    QCOMPARE(state().session.pages[1]->fileName, std::string("P2"));
    QCOMPARE(static_cast<int>(dialogs_->warnings.size()), 1);
    QVERIFY(dialogs_->warnings[0].contains(QStringLiteral("BAD1.DAT: ")));
    QVERIFY(dialogs_->warnings[0].contains(QStringLiteral("MISSING.DAT: ")));
  }

  // Many broken files: a box of bounded height, the rest counted.
  void manyUnreadableFilesAreSummed() {
    QStringList bad;
    for (int i = 0; i < kFailuresListed + 5; ++i) {
      bad << dir_.filePath(QStringLiteral("GONE%1.DAT").arg(i, 3, 10, QLatin1Char('0')));
    }
    const QString text = OpenFailuresText(bad);
    QCOMPARE(text.count(QStringLiteral("GONE")), kFailuresListed);
    QVERIFY(text.contains(QStringLiteral("GONE019")));
    QVERIFY(!text.contains(QStringLiteral("GONE020")));
    QVERIFY(text.endsWith(QStringLiteral("… ほか 5 件")));
    QVERIFY(!OpenFailuresText(bad.mid(0, kFailuresListed)).contains(QStringLiteral("ほか")));
  }

  // Many pages at once: a progress box whose Cancel stops before the rest.
  void openingManyPagesCanBeCancelled() {
    QStringList many;
    for (int i = 0; i < 30; ++i) many << files_[i % 3];
    QTimer::singleShot(0, frame_.get(), [this] {
      if (auto* progress = frame_->findChild<QProgressDialog*>()) progress->cancel();
    });
    frame_->Pages().OpenFiles(many);
    const int opened = static_cast<int>(state().session.pages.size());
    QVERIFY2(opened < 30, QByteArray::number(opened));
    QVERIFY(!frame_->findChild<QProgressDialog*>());
    QVERIFY(dialogs_->warnings.empty());
  }

  void droppedFilesAndFolders() {
    QTemporaryDir other;
    WriteDataFile(other, QStringLiteral("b.DAT"), 10);
    WriteDataFile(other, QStringLiteral("A.dat"), 10);
    WriteFile(other, QStringLiteral("readme.md"), "x");
    QMimeData text;
    text.setUrls({QUrl::fromLocalFile(other.filePath(QStringLiteral("readme.md")))});
    QDragEnterEvent refused(QPoint(50, 50), Qt::CopyAction, &text, Qt::LeftButton, {});
    QCoreApplication::sendEvent(frame_.get(), &refused);
    QVERIFY(!refused.isAccepted());

    QMimeData data;
    data.setUrls({QUrl::fromLocalFile(files_[2]), QUrl::fromLocalFile(other.path())});
    QDragEnterEvent enter(QPoint(50, 50), Qt::CopyAction, &data, Qt::LeftButton, {});
    QCoreApplication::sendEvent(frame_.get(), &enter);
    QVERIFY(enter.isAccepted());
    QDropEvent drop(QPointF(50, 50), Qt::CopyAction, &data, Qt::LeftButton, {});
    QCoreApplication::sendEvent(frame_.get(), &drop);
    // The file, then the folder's data files in name order.
    QCOMPARE(static_cast<int>(state().session.pages.size()), 3);
    QCOMPARE(state().session.pages[0]->fileName, std::string("P3"));
    QCOMPARE(state().session.pages[1]->fileName, std::string("A"));
    QCOMPARE(state().session.pages[2]->fileName, std::string("b"));
  }

  void statusPromptsAndTips() {
    const QAction* open = frame_->Action(kCmdOpenDataFile);
    QCOMPARE(open->text(), QStringLiteral("ﾃﾞｰﾀ ﾌｧｲﾙを開く..."));
    QCOMPARE(open->statusTip(), QStringLiteral("ﾃﾞｰﾀﾌｧｲﾙを開いてｸﾞﾗﾌを作成します。"));
    QCOMPARE(open->toolTip(), QStringLiteral("ﾃﾞｰﾀﾌｧｲﾙを開く"));
    QCOMPARE(frame_->Action(kCmdPrint)->shortcut(), QKeySequence(Qt::CTRL | Qt::Key_P));
    QCOMPARE(frame_->windowTitle(), QStringLiteral("FERNPLOT"));
    for (int pane = 1; pane <= 4; ++pane) QVERIFY(frame_->Pane(pane));
  }

  // The menus, their separators and submenus, the shortcuts and the tool
  // bar, entry by entry ("-" a separator, "> " a submenu, "[box]" the zoom
  // box); the recent files go before the exit command.
  void menusAndToolBarInTheirPlaces() {
    const auto entries = [](const QList<QAction*>& actions) {
      QStringList out;
      for (const QAction* a : actions) {
        QString entry = a->isSeparator() ? QStringLiteral("-")
                        : a->menu()      ? QStringLiteral("> ") + a->text()
                                         : a->text();
        if (!a->shortcut().isEmpty()) entry += QLatin1Char('\t') + a->shortcut().toString();
        out << entry;
      }
      return out;
    };
    QStringList menus;
    for (const QAction* m : frame_->menuBar()->actions()) {
      menus << m->text() << entries(m->menu()->actions());
      for (const QAction* a : m->menu()->actions()) {
        if (a->menu()) menus << entries(a->menu()->actions());
      }
    }
    const QStringList expected = {"ﾌｧｲﾙ(&F)",
                                  "ﾌｧｲﾙを開く...\tCtrl+O",
                                  "ﾃﾞｰﾀ ﾌｧｲﾙを開く...",
                                  "演算ﾃﾞｰﾀの保存...",
                                  "ﾚﾎﾟｰﾄの保存...",
                                  "-",
                                  "ｸﾘｯﾌﾟﾎﾞｰﾄﾞにｺﾋﾟｰ\tCtrl+C",
                                  "-",
                                  "ｸﾞﾗﾌの印刷...\tCtrl+P",
                                  "ﾌﾟﾘﾝﾀの設定...",
                                  "-",
                                  "ｱﾌﾟﾘｹｰｼｮﾝの終了\tCtrl+Q",
                                  "表示(&V)",
                                  "ﾂｰﾙ ﾊﾞｰ",
                                  "ｽﾃｰﾀｽ ﾊﾞｰ",
                                  "-",
                                  "ｸﾛｽﾍｱｰ ｶｰｿﾙ",
                                  "図表ﾊﾟﾈﾙ",
                                  "ﾏｰｶｰ",
                                  "ｶｰﾌﾞの値を表示",
                                  "ﾍﾟｰｼﾞ一覧",
                                  "-",
                                  "> 表示倍率",
                                  "前ページを表示\tPgUp",
                                  "次ページを表示\tPgDown",
                                  "先頭ﾍﾟｰｼﾞを表示\tCtrl+Home",
                                  "最終ﾍﾟｰｼﾞを表示\tCtrl+End",
                                  "ﾍﾟｰｼﾞへ移動...\tCtrl+G",
                                  "-",
                                  "表示ﾍﾟｰｼﾞを閉じる",
                                  "全ﾍﾟｰｼﾞを閉じる",
                                  "-",
                                  "ﾎﾞｰﾄﾞ線図",
                                  "ﾅｲｷｽﾄ線図",
                                  "ﾆｺﾙｽ線図",
                                  "複素平面",
                                  "Kramers–Kronig 残差",
                                  "M 等高線",
                                  "-",
                                  "ﾙｰﾌﾟ ｹﾞｲﾝ L (測定値)",
                                  "閉ﾙｰﾌﾟ T = L/(1+L)",
                                  "感度 S = 1/(1+L)",
                                  " 30 %",
                                  " 60 %",
                                  " 75 %",
                                  "100 %\tCtrl+0",
                                  "150 %",
                                  "200 %",
                                  "-",
                                  "範囲を拡大",
                                  "前の範囲に戻る\tBackspace",
                                  "掃引全体を表示\tHome",
                                  "-",
                                  "拡大\tCtrl++",
                                  "縮小\tCtrl+-",
                                  "比較(&C)",
                                  "ﾄﾚｰｽの重ね描き...",
                                  "ﾌｧｲﾙから重ね描き...",
                                  "ﾄﾚｰｽの一覧...",
                                  "-",
                                  "基準との差を表示",
                                  "-",
                                  "ﾓﾃﾞﾙのﾌｨｯﾄ...",
                                  "等価回路のﾌｨｯﾄ...",
                                  "ﾓﾃﾞﾙとの差 (残差) を表示",
                                  "ﾓﾃﾞﾙの消去",
                                  "-",
                                  "ﾓﾃﾞﾙをﾗﾌﾟﾗｽ式としてｺﾋﾟｰ",
                                  "ﾓﾃﾞﾙを JSON としてｺﾋﾟｰ",
                                  "-",
                                  "ﾏｽｸを開く...",
                                  "ﾏｽｸを外す",
                                  "統計を表示",
                                  "設定(&S)",
                                  "ｸﾞﾗﾌ･ﾌﾟﾛﾊﾟﾃｨ（ｶﾚﾝﾄ）...",
                                  "-",
                                  "標準値に戻す",
                                  "標準値として上書き",
                                  "-",
                                  "ｸﾞﾗﾌ･ﾌﾟﾛﾊﾟﾃｨ（標準値）...",
                                  "-",
                                  "> 言語/Language",
                                  "自動 (ﾛｹｰﾙ) / Automatic",
                                  "日本語",
                                  "English",
                                  "ﾍﾙﾌﾟ(&H)",
                                  "使い方...\tF1",
                                  "-",
                                  "ﾊﾞｰｼﾞｮﾝ情報..."};
    QCOMPARE(menus, expected);
    QStringList tools;
    const QToolBar* bar = frame_->findChild<QToolBar*>();
    for (QAction* a : bar->actions()) {
      tools << (a->isSeparator()                                    ? QStringLiteral("-")
                : qobject_cast<QComboBox*>(bar->widgetForAction(a)) ? QStringLiteral("[box]")
                                                                    : a->text());
    }
    QCOMPARE(tools, (QStringList{"ﾃﾞｰﾀ ﾌｧｲﾙを開く...", "ｸﾞﾗﾌの印刷...", "-",
                                 "ｸﾞﾗﾌ･ﾌﾟﾛﾊﾟﾃｨ（ｶﾚﾝﾄ）...", "ﾄﾚｰｽの重ね描き...", "-", "[box]", "-",
                                 "前ページを表示", "次ページを表示", "範囲を拡大", "前の範囲に戻る",
                                 "掃引全体を表示", "-", "ﾏｰｶｰ"}));
    // One exclusive choice of language.
    frame_->Action(kCmdLanguageEnglish)->trigger();
    QVERIFY(frame_->Action(kCmdLanguageEnglish)->isChecked());
    QVERIFY(!frame_->Action(kCmdLanguageAuto)->isChecked());
    frame_->UpdateCommandStates();
    QVERIFY(frame_->Action(kCmdLanguageEnglish)->isChecked());
  }
};

QTEST_MAIN(FrameTest)
#include "viewer_frame_test.moc"
