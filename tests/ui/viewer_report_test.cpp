// SPDX-License-Identifier: MIT
// Sharing from the viewer: the report of every open page, printing the page
// on screen only, and the figures panel's width.

#include <QAction>
#include <QPlainTextEdit>
#include <QPrinter>
#include <QScrollBar>
#include <QTest>

#include "display/commands.h"
#include "display/figures_dock.h"
#include "display/main_frame.h"
#include "graph/page_session.h"
#include "viewer_support.h"

using namespace fernplot;
using namespace fernplot::testing;

namespace {

int PdfPageCount(const std::string& pdf) {
  int n = 0;
  for (size_t at = pdf.find("/Type /Page"); at != std::string::npos;
       at = pdf.find("/Type /Page", at + 1)) {
    if (pdf.compare(at, 12, "/Type /Pages") != 0) ++n;
  }
  return n;
}

// A4 landscape: the report's table pages.
int TablePageCount(const std::string& pdf) {
  int n = 0;
  for (size_t at = pdf.find("/MediaBox [0 0 842"); at != std::string::npos;
       at = pdf.find("/MediaBox [0 0 842", at + 1)) {
    ++n;
  }
  return n;
}

}  // namespace

class ReportTest : public QObject {
  Q_OBJECT

 private:
  std::unique_ptr<TestState> ts_;
  std::unique_ptr<ScriptedDialogs> dialogs_;
  std::unique_ptr<CMainFrame> frame_;
  QTemporaryDir dir_;
  QStringList files_;

  PageSession& session() { return ts_->state.session; }

 private slots:
  void initTestCase() {
    for (int i = 0; i < 7; ++i) {
      files_ << WriteDataFile(dir_, QStringLiteral("R%1.DAT").arg(i + 1), 20 + i, 0,
                              "title " + std::to_string(i + 1));
    }
  }

  void init() { QVERIFY(ShowNewFrame(ts_, dialogs_, frame_, QSize(700, 500))); }
  void cleanup() { DropFrame(ts_, dialogs_, frame_); }

  // Every open page goes in, those far from the one on screen (which hold
  // no drawing) drawn again for it; the page on screen stays.
  void reportHoldsEveryOpenPage() {
    QAction* save = frame_->Action(kCmdSaveReport);
    QVERIFY(!save->isEnabled());
    frame_->Pages().OpenFiles(files_);
    QVERIFY(save->isEnabled());
    QVERIFY(session().ShowSheet(4));
    QVERIFY(session().DrawnSheetCount() < 7);

    const QString pdf = dir_.filePath(QStringLiteral("report.pdf"));
    dialogs_->reportPath = pdf;
    save->trigger();
    QVERIFY2(dialogs_->warnings.empty(),
             qPrintable(QStringList(dialogs_->warnings.begin(), dialogs_->warnings.end())
                            .join(QLatin1Char('|'))));
    QCOMPARE(dialogs_->reportInitialNames.back(), dir_.filePath(QStringLiteral("report.pdf")));
    const std::string bytes = ReadAll(pdf);
    QVERIFY(bytes.rfind("%PDF", 0) == 0);
    QCOMPARE(TablePageCount(bytes), 1);
    QCOMPARE(PdfPageCount(bytes), 1 + 7);
    QCOMPARE(session().drawing.CurrentNumber(), 4);
    // Those far from it were released again.
    QVERIFY(session().DrawnSheetCount() <= 2 * session().keptNeighbours + 2);
  }

  // Cancelled: nothing written, nothing said; a place that cannot be
  // written: said so, and no file.
  void reportFailuresAreShown() {
    frame_->Pages().OpenFiles(files_.mid(0, 2));
    dialogs_->reportPath = std::nullopt;
    frame_->Action(kCmdSaveReport)->trigger();
    QCOMPARE(dialogs_->reportInitialNames.size(), size_t{1});
    QVERIFY(dialogs_->warnings.empty());

    const QString bad = dir_.filePath(QStringLiteral("no/such/folder/r.pdf"));
    dialogs_->reportPath = bad;
    frame_->Action(kCmdSaveReport)->trigger();
    QCOMPARE(dialogs_->warnings.size(), size_t{1});
    QVERIFY(dialogs_->warnings[0].contains(bad));
    QVERIFY(!QFile::exists(bad));
  }

  // The print dialog's answer picks the pages: the one on screen, a range,
  // or all of them.
  void printsThePageOnScreenOrARange() {
    frame_->Pages().OpenFiles(files_.mid(0, 3));
    QVERIFY(session().ShowSheet(2));
    QPrinter& printer = frame_->Pages().Printer();
    printer.setOutputFormat(QPrinter::PdfFormat);
    struct Case {
      PrintRequest request;
      int pages;
    };
    const Case cases[] = {{{.fromPage = 1, .toPage = 3, .currentPage = true}, 1},
                          {{.fromPage = 2, .toPage = 3}, 2},
                          {{.fromPage = 1, .toPage = 3}, 3}};
    int k = 0;
    for (const Case& c : cases) {
      const QString pdf = dir_.filePath(QStringLiteral("print%1.pdf").arg(k++));
      printer.setOutputFileName(pdf);
      dialogs_->printAnswer = c.request;
      frame_->Action(kCmdPrint)->trigger();
      QCOMPARE(PdfPageCount(ReadAll(pdf)), c.pages);
      QCOMPARE(session().drawing.CurrentNumber(), 2);
    }
    QVERIFY(dialogs_->warnings.empty());
  }

  // Opened on a page, the panel shows its longest line without scrolling
  // sideways; opened first, it widens when figures arrive. Never wider than
  // half the window.
  void figuresPanelFitsItsLongestLine() {
    for (const bool pageFirst : {true, false}) {
      DropFrame(ts_, dialogs_, frame_);
      QVERIFY(ShowNewFrame(ts_, dialogs_, frame_, QSize(1400, 700)));
      FiguresDock* dock = frame_->FiguresPanel();
      // The file's name heads the text: a long one makes the longest line.
      const QStringList file{WriteDataFile(
          dir_, QStringLiteral("LOOP_GAIN_OF_THE_SECOND_STAGE_AFTER_COMPENSATION_%1.DAT")
                    .arg(pageFirst))};
      if (pageFirst) frame_->Pages().OpenFiles(file);
      frame_->Action(kCmdFiguresPanel)->trigger();
      QTRY_VERIFY(dock->isVisible());
      if (!pageFirst) frame_->Pages().OpenFiles(file);
      QVERIFY(!dock->TextBox()->toPlainText().isEmpty());
      QTRY_VERIFY2(
          dock->width() >= dock->WidthForText(),
          qPrintable(QStringLiteral("%1 < %2").arg(dock->width()).arg(dock->WidthForText())));
      QTRY_COMPARE(dock->TextBox()->horizontalScrollBar()->maximum(), 0);
      QVERIFY(dock->width() <= frame_->width() / 2 + 1);
    }
  }
};

QTEST_MAIN(ReportTest)
#include "viewer_report_test.moc"
