// SPDX-License-Identifier: MIT
// Start-up and exit with the settings file, command-line files, the about
// box, and printing (orientation rule, page range, current page restored).

#include <signal.h>
#include <unistd.h>

#include <QAction>
#include <QLabel>
#include <QMessageBox>
#include <QPrinter>
#include <QSettings>
#include <QTemporaryDir>
#include <QTest>
#include <QTimer>
#include <clocale>
#include <cstdlib>
#include <iostream>
#include <sstream>

#include "app/about_dialog.h"
#include "app/main_app.h"
#include "app/quit_signals.h"
#include "app/window_geometry.h"
#include "datafile/data_file_scan.h"
#include "display/commands.h"
#include "display/cross_hair.h"
#include "display/main_frame.h"
#include "display/printing.h"
#include "graph/format.h"
#include "props/settings_file.h"
#include "text/encoding.h"
#include "text/file_path.h"
#include "viewer_support.h"

using namespace fernplot;
using namespace fernplot::testing;

namespace {

StartupOptions Options(const QString& settings, QStringList files = {}) {
  StartupOptions o;
  o.settingsFilePath = settings.toStdString();
  for (const QString& f : files) o.files.push_back(QFile::encodeName(f).toStdString());
  o.showWindow = false;
  return o;
}

int PdfPageCount(const std::string& pdf) {
  int n = 0;
  for (size_t at = pdf.find("/Type /Page"); at != std::string::npos;
       at = pdf.find("/Type /Page", at + 1)) {
    if (pdf.compare(at, 12, "/Type /Pages") != 0) ++n;
  }
  return n;
}

}  // namespace

class AppTest : public QObject {
  Q_OBJECT

 private:
  QTemporaryDir dir_;

 private slots:
  void startWithoutSettingsFileWritesOneAtExit() {
    const QString cfg = dir_.filePath(QStringLiteral("fresh.CFG"));
    ScriptedDialogs dialogs;
    CMainApp app(dialogs, Options(cfg));
    app.Start();
    QVERIFY(app.State().defaults == FactoryDefaults());
    QVERIFY(!app.State().crossHairEnabled);
    QVERIFY(!app.Frame()->Action(kCmdCrossHair)->isChecked());
    QVERIFY(!QFile::exists(cfg));
    AppState& s = app.State();
    const std::string expected = SettingsFileText(s.defaults, s.crossHairEnabled,
                                                  ReplaceFilePartWithPattern(s.dataFilePath));
    const SettingsResult r = app.Shutdown();
    QVERIFY(r.ok);
    QCOMPARE(Cp932ToUtf8(ReadAll(cfg)), expected);
    QVERIFY(dialogs.warnings.empty());
  }

  void startWithSettingsFile() {
    const QString cfg = dir_.filePath(QStringLiteral("edited.CFG"));
    GraphProperties defaults = FactoryDefaults();
    defaults.title = "保存した題";
    std::string pattern = dir_.path().toStdString() + "/*.DAT";
    QVERIFY(SaveSettingsFile(cfg.toStdString(), defaults, true, pattern).ok);

    ScriptedDialogs dialogs;
    CMainApp app(dialogs, Options(cfg));
    app.Start();
    QCOMPARE(app.State().defaults.title, std::string("保存した題"));
    QVERIFY(app.State().crossHairEnabled);
    QVERIFY(app.Frame()->Action(kCmdCrossHair)->isChecked());
    QCOMPARE(app.State().dataFilePath, pattern);

    // Edited defaults reach the file at exit, and only then.
    app.State().defaults.title = "変えた題";
    app.State().crossHairEnabled = false;
    const std::string before = ReadAll(cfg);
    QVERIFY(before.find(Utf8ToCp932("変えた題")) == std::string::npos);
    QVERIFY(app.Shutdown().ok);
    GraphProperties read = FactoryDefaults();
    bool cross = true;
    std::string path;
    LoadSettingsFile(cfg.toStdString(), read, cross, path);
    QCOMPARE(read.title, std::string("変えた題"));
    QVERIFY(!cross);
  }

  // Lines a later version wrote, or a value this one cannot read, outlive a
  // session: the values it knows are written from the session, the rest
  // follow as they were.
  void settingsLinesNotUnderstoodSurviveASession() {
    const std::string later =
        "RIGHT_AXIS = GROUPDELAY2\r\nNEW_KEYWORD = \x82\xa0 1\r\nOVERLAY_LEGEND = maybe\r\n";
    const QString cfg = WriteFile(dir_, QStringLiteral("later.CFG"), "TITLE = Old\r\n" + later);
    ScriptedDialogs dialogs;
    CMainApp app(dialogs, Options(cfg));
    app.Start();
    QCOMPARE(app.State().defaults.title, std::string("Old"));
    app.State().defaults.title = "New";
    QVERIFY(app.Shutdown().ok);
    const std::string text = ReadAll(cfg);
    QVERIFY(text.find("TITLE = New\r\n") != std::string::npos);
    QVERIFY(text.find("TITLE = Old") == std::string::npos);
    QVERIFY(text.find("OVERLAY_LEGEND = N") == std::string::npos);
    QVERIFY(text.ends_with("DATA_FILE_PATH = " + app.State().dataFilePath + "\r\n" + later));
  }

  void unwritableSettingsAreReported() {
    // A folder that cannot exist: its parent is a file.
    WriteFile(dir_, QStringLiteral("plain-file"), "x");
    const QString cfg = dir_.filePath(QStringLiteral("plain-file/x.CFG"));
    ScriptedDialogs dialogs;
    CMainApp app(dialogs, Options(cfg));
    app.Start();
    const SettingsResult r = app.Shutdown();
    QVERIFY(!r.ok);
    QCOMPARE(static_cast<int>(dialogs.warnings.size()), 1);
    QVERIFY(dialogs.warnings[0].contains(cfg));
    QVERIFY(dialogs.warnings[0].contains(QString::fromStdString(r.error)));
  }

  // A path that holds no settings file: defaults, a warning, and the path
  // is left as it is at exit.
  void unreadableSettingsStartWithDefaultsAndAreKept() {
    const QString cfg = dir_.filePath(QStringLiteral("folder.CFG"));
    QVERIFY(QDir().mkpath(cfg));
    ScriptedDialogs dialogs;
    CMainApp app(dialogs, Options(cfg));
    app.Start();
    QVERIFY(app.State().defaults == FactoryDefaults());
    QTRY_COMPARE(static_cast<int>(dialogs.warnings.size()), 1);
    QVERIFY(dialogs.warnings[0].contains(cfg));
    app.State().defaults.title = "変えた題";
    QVERIFY(app.Shutdown().ok);
    QVERIFY(QFileInfo(cfg).isDir());
    QCOMPARE(static_cast<int>(dialogs.warnings.size()), 1);
  }

  // Ended by a signal nobody may be there to close a box: the failure goes
  // to stderr only.
  void saveFailureAfterASignalGoesToStderr() {
    WriteFile(dir_, QStringLiteral("plain-file2"), "x");
    const QString cfg = dir_.filePath(QStringLiteral("plain-file2/x.CFG"));
    ScriptedDialogs dialogs;
    CMainApp app(dialogs, Options(cfg));
    app.Start();
    std::ostringstream captured;
    std::streambuf* old = std::cerr.rdbuf(captured.rdbuf());
    const SettingsResult r = app.Shutdown(true);
    std::cerr.rdbuf(old);
    QVERIFY(!r.ok);
    QVERIFY(dialogs.warnings.empty());
    QVERIFY(captured.str().find(cfg.toStdString()) != std::string::npos);
  }

  void commandLineEndsOptionsAtDoubleDash() {
    std::vector<std::string> args = {"fernplot", "A.DAT", "--", "-x.DAT", "--", "B\xc0.DAT"};
    std::vector<char*> argv;
    for (std::string& a : args) argv.push_back(a.data());
    const std::vector<std::string> files =
        CommandLineFiles(static_cast<int>(argv.size()), argv.data());
    QCOMPARE(files, (std::vector<std::string>{"A.DAT", "-x.DAT", "--", "B\xc0.DAT"}));
  }

  // Names that are not valid text open by their bytes, alone or in a folder.
  void namesThatAreNotTextOpenByTheirBytes() {
    QTemporaryDir sub;
    const std::string folder = QFile::encodeName(sub.path()).toStdString();
    const std::string a = folder + "/A\xc0.DAT";
    const std::string b = folder + "/\xc3\xde\xb0\xc0.DAT";
    WriteBytes(a, DataFileBytes(10));
    WriteBytes(b, DataFileBytes(10));
    ScriptedDialogs dialogs;
    CMainApp app(dialogs, Options(dir_.filePath(QStringLiteral("bytes.CFG"))));
    app.Start();
    app.Frame()->Pages().OpenFilePaths({a});
    QVERIFY(dialogs.warnings.empty());
    QCOMPARE(app.State().session.pages.size(), size_t{1});
    QCOMPARE(app.State().session.pages[0]->fileName, std::string("A\xc0"));
    app.Frame()->Pages().OpenFilePaths({folder});
    QVERIFY(dialogs.warnings.empty());
    QCOMPARE(app.State().session.pages.size(), size_t{3});
    // A folder without data files opens nothing and says so.
    QTemporaryDir empty;
    app.Frame()->Pages().OpenFilePaths({QFile::encodeName(empty.path()).toStdString()});
    QCOMPARE(app.State().session.pages.size(), size_t{3});
    QCOMPARE(static_cast<int>(dialogs.warnings.size()), 1);
    QVERIFY(dialogs.warnings[0].contains(empty.path()));
    QVERIFY(dialogs.warnings[0].contains(QString::fromUtf8("ﾃﾞｰﾀﾌｧｲﾙ(*.DAT)がありません")));
    QVERIFY(app.Shutdown().ok);
  }

  void commandLineFilesOpenInOrder() {
    const QString a = WriteDataFile(dir_, QStringLiteral("Z9.DAT"), 10);
    const QString b = WriteDataFile(dir_, QStringLiteral("A1.DAT"), 10);
    const QString bad = WriteFile(dir_, QStringLiteral("JUNK.DAT"), "junk");
    ScriptedDialogs dialogs;
    CMainApp app(dialogs, Options(dir_.filePath(QStringLiteral("cl.CFG")), {a, bad, b}));
    app.Start();
    QTRY_COMPARE(static_cast<int>(app.State().session.pages.size()), 2);
    QCOMPARE(app.State().session.pages[0]->fileName, std::string("Z9"));
    QCOMPARE(app.State().session.pages[1]->fileName, std::string("A1"));
    QCOMPARE(static_cast<int>(dialogs.warnings.size()), 1);
    QVERIFY(dialogs.warnings[0].contains(QStringLiteral("JUNK.DAT")));
    QVERIFY(app.Shutdown().ok);
    QVERIFY(app.State().session.pages.empty());
  }

  void terminationSignalEndsTheEventLoop_data() {
    QTest::addColumn<int>("signal");
    QTest::newRow("SIGTERM") << SIGTERM;
    QTest::newRow("SIGINT") << SIGINT;
    QTest::newRow("SIGHUP") << SIGHUP;
  }

  void terminationSignalEndsTheEventLoop() {
    QFETCH(int, signal);
    BlockQuitSignals();
    QuitSignalWatcher watcher;
    // raise() directs the signal at this thread, which has it blocked.
    QTimer::singleShot(0, [signal] { raise(signal); });
    QTimer::singleShot(5000, [] { QCoreApplication::exit(1); });  // watcher failed
    QCOMPARE(QCoreApplication::exec(), 0);
    QVERIFY(watcher.Received());
  }

  // A box shown after the main loop has returned (a failure at exit) is
  // closed by a quit signal too.
  void terminationSignalClosesABoxShownAtExit() {
    BlockQuitSignals();
    QuitSignalWatcher watcher;
    QMessageBox box(QMessageBox::Warning, QStringLiteral("FERNPLOT"), QStringLiteral("x"));
    QTimer::singleShot(50, [] { raise(SIGTERM); });
    bool timedOut = false;
    QTimer::singleShot(5000, &box, [&] {
      timedOut = true;
      box.done(0);
    });
    box.exec();
    QVERIFY(!timedOut);
    QVERIFY(watcher.Received());
  }

  // The program runs with the user's locale, where printf's decimal comma
  // would turn "1.5k" into "1,5k" and leave a bare "1,k" for 1 kHz. Every
  // number text must keep the full stop without the program resetting it.
  void numberTextsKeepTheFullStopInAnyLocale() {
    const char* previous = std::setlocale(LC_NUMERIC, nullptr);
    const std::string saved = previous ? previous : "C";
    bool comma = false;
    for (const char* name : {"de_DE.UTF-8", "de_DE.utf8", "fr_FR.UTF-8", "ru_RU.UTF-8"}) {
      if (std::setlocale(LC_NUMERIC, name)) {
        comma = true;
        break;
      }
    }
    const QString oneAndAHalf = FrequencyPaneText(1500.0);
    const QString one = FrequencyPaneText(1000.0);
    const std::string amplitude = FormatAmplitude(1.5);
    const std::string bias = FormatBias(-0.25);
    const std::string seconds = FormatSeconds(0.0015);
    std::setlocale(LC_NUMERIC, saved.c_str());
    if (!comma) QSKIP("no locale with a decimal comma installed");
    QCOMPARE(oneAndAHalf, QStringLiteral(" 1.5kHz "));
    QCOMPARE(one, QStringLiteral(" 1kHz "));
    QCOMPARE(amplitude, std::string("1.50"));
    QCOMPARE(bias, std::string("-0.25"));
    QCOMPARE(seconds, std::string("1.50000e-3"));
  }

  void aboutBox() {
    AboutDialog about;
    QCOMPARE(about.windowTitle(), QStringLiteral("ﾊﾞｰｼﾞｮﾝ情報 - FERNPLOT"));
    QStringList texts;
    for (const QLabel* l : about.findChildren<QLabel*>()) texts << l->text();
    QVERIFY(texts.contains(QStringLiteral("Q417ﾌｧｲﾙ 読み出しｿﾌﾄｳｪｱ")));
    QVERIFY(texts.contains(QStringLiteral("Version 1. 3. 0. 0")));
    QCOMPARE(about.findChildren<QLabel*>(QStringLiteral("notice")).size(), 2);
  }

  void orientationRule_data() {
    QTest::addColumn<int>("widthPx");
    QTest::addColumn<int>("heightPx");
    QTest::addColumn<int>("horzMm");
    QTest::addColumn<int>("vertMm");
    QTest::addColumn<bool>("turn");
    // 250 x 180 mm on portrait 200 x 287: too wide, fits turned.
    QTest::newRow("wide on portrait") << 944 << 680 << 200 << 287 << true;
    QTest::newRow("wide on landscape") << 944 << 680 << 287 << 200 << false;
    QTest::newRow("tall on portrait") << 680 << 944 << 200 << 287 << false;
    QTest::newRow("tall on landscape") << 680 << 944 << 287 << 200 << true;
    QTest::newRow("too big either way") << 1133 << 1133 << 200 << 287 << false;
  }
  void orientationRule() {
    QFETCH(int, widthPx);
    QFETCH(int, heightPx);
    QFETCH(int, horzMm);
    QFETCH(int, vertMm);
    QFETCH(bool, turn);
    QCOMPARE(NeedsOtherOrientation(widthPx, heightPx, horzMm, vertMm), turn);
  }

  void orientationHelpers() {
    QCOMPARE(PrintExtentMm(944), 259);
    QCOMPARE(PrintExtentMm(680), 189);
    QCOMPARE(PrintExtentMm(480), 137);  // 127 mm comes back exactly
    QCOMPARE(OtherOrientation(200, 287), QPageLayout::Landscape);
    QCOMPARE(OtherOrientation(287, 200), QPageLayout::Portrait);
  }

  // A full disk needs a small file system of its own: only as root where
  // mount works.
  void printToAFullDiskIsReported() {
    if (geteuid() != 0) QSKIP("needs root to mount a small tmpfs");
    QTemporaryDir mountPoint;
    const QByteArray target = QFile::encodeName(mountPoint.path());
    if (std::system(
            ("mount -t tmpfs -o size=16k tmpfs '" + target + "' 2>/dev/null").constData()) != 0) {
      QSKIP("mount of a tmpfs is not permitted here");
    }
    TestState ts;
    ScriptedDialogs dialogs;
    CMainFrame frame(ts.state, dialogs);
    QStringList files;
    for (int i = 0; i < 3; ++i)
      files << WriteDataFile(dir_, QStringLiteral("FD%1.DAT").arg(i), 400);
    frame.Pages().OpenFiles(files);
    QPrinter printer(QPrinter::HighResolution);
    printer.setOutputFormat(QPrinter::PdfFormat);
    printer.setOutputFileName(mountPoint.filePath(QStringLiteral("full.pdf")));
    const PrintToFileResult r = PrintSheetsToPdfFile(ts.state.session.drawing, printer, 1, 3);
    std::system(("umount '" + target + "'").constData());
    QVERIFY(r.outcome.started);
    QVERIFY(!r.written);
    QVERIFY(!r.error.empty());
  }

  void printsEveryPageAndRestoresTheCurrentOne() {
    TestState ts;
    ScriptedDialogs dialogs;
    CMainFrame frame(ts.state, dialogs);
    QStringList files;
    for (int i = 0; i < 3; ++i) {
      files << WriteDataFile(dir_, QStringLiteral("PR%1.DAT").arg(i), 30);
    }
    frame.Pages().OpenFiles(files);
    ts.state.session.drawing.SelectSheet(2);

    const QString pdf = dir_.filePath(QStringLiteral("out.pdf"));
    QPrinter printer(QPrinter::HighResolution);
    printer.setOutputFormat(QPrinter::PdfFormat);
    printer.setOutputFileName(pdf);
    printer.setPageSize(QPageSize(QPageSize::A4));
    printer.setPageOrientation(QPageLayout::Portrait);
    const PrintOutcome all = PrintSheets(ts.state.session.drawing, printer, 1, 3);
    QVERIFY(all.started);
    QCOMPARE(all.pagesPrinted, 3);
    QCOMPARE(ts.state.session.drawing.CurrentNumber(), 2);
    QCOMPARE(PdfPageCount(ReadAll(pdf)), 3);

    QPrinter second(QPrinter::HighResolution);
    second.setOutputFormat(QPrinter::PdfFormat);
    second.setOutputFileName(dir_.filePath(QStringLiteral("range.pdf")));
    QCOMPARE(PrintSheets(ts.state.session.drawing, second, 2, 3).pagesPrinted, 2);
    QCOMPARE(ts.state.session.drawing.CurrentNumber(), 2);

    // A print to a file that cannot be written is reported, leaves nothing
    // behind, and the next print with the same printer works.
    QTemporaryDir gone;
    printer.setOutputFileName(gone.filePath(QStringLiteral("sub/out.pdf")));
    const PrintToFileResult failed = PrintSheetsToPdfFile(ts.state.session.drawing, printer, 1, 3);
    QVERIFY(failed.outcome.started);
    QVERIFY(!failed.written);
    QVERIFY(!failed.error.empty());
    QVERIFY(QDir(gone.path()).isEmpty());
    const QString again = dir_.filePath(QStringLiteral("again.pdf"));
    printer.setOutputFileName(again);
    const PrintToFileResult ok = PrintSheetsToPdfFile(ts.state.session.drawing, printer, 1, 3);
    QVERIFY(ok.written);
    QCOMPARE(PdfPageCount(ReadAll(again)), 3);
    QVERIFY(ReadAll(again).find("%%EOF") != std::string::npos);

    frame.Pages().Print();  // the scripted dialog cancels
    QCOMPARE(dialogs.printPageCounts.back(), 3);
    QCOMPARE(frame.Pages().Printer().docName(), QStringLiteral("周波数特性グラフ"));
  }

  // The window with its frame (title bar, borders) is never larger than the
  // screen and never hangs off it, whatever size or place it asks for; a
  // window that fits stays where it is.
  void windowFitsTheScreenWithItsFrame() {
    const QRect screen(0, 0, 800, 600);
    const QRect hd(0, 0, 1600, 1200);
    const QMargins none;
    const QMargins decorated(4, 30, 4, 4);
    struct Sized {
      QRect available;
      QMargins frame;
      QSize wanted;
      QRect client;
    };
    const Sized sized[] = {
        {screen, none, {960, 760}, {0, 0, 800, 600}},
        {screen, none, {400, 300}, {200, 150, 400, 300}},
        {QRect(100, 20, 1600, 1200), QMargins(5, 25, 5, 5), {960, 760}, {420, 250, 960, 760}},
        {screen, decorated, {960, 760}, {4, 30, 792, 566}},
        // A page as large as the screen at twice the scale: the client
        // shrinks by the frame rather than filling the screen.
        {hd, decorated, {1600, 1200}, {4, 30, 1592, 1166}},
        {QRect(0, 0, 0, 0), none, {960, 760}, {0, 0, 1, 1}},
    };
    for (const Sized& c : sized) {
      const QRect client = FitFramedWindow(c.available, c.frame, c.wanted);
      QCOMPARE(client, c.client);
      if (!c.available.isEmpty()) QVERIFY(c.available.contains(client.marginsAdded(c.frame)));
    }
    struct Placed {
      QRect wanted;
      QRect client;
    };
    const Placed placed[] = {
        {{100, 100, 400, 300}, {100, 100, 400, 300}},     // fits: unchanged
        {{0, 0, 400, 300}, {4, 30, 400, 300}},            // title bar above the screen
        {{1500, 1100, 400, 300}, {1196, 896, 400, 300}},  // off the far corner
        {{0, 0, 1600, 1200}, {4, 30, 1592, 1166}},        // saved at a smaller scale
        {{-50, 500, 2000, 300}, {4, 500, 1592, 300}},
    };
    for (const Placed& c : placed) {
      const QRect client = FitFramedWindow(hd, decorated, c.wanted);
      QCOMPARE(client, c.client);
      QVERIFY(hd.contains(client.marginsAdded(decorated)));
    }
  }

  // Place and size come back in the next run from the window settings (a
  // file of the test's own, never the user's).
  void windowPlaceIsRemembered() {
    QTemporaryDir dir;
    const QString file = dir.filePath(QStringLiteral("window.ini"));
    QWidget first;
    PlaceMainWindow(first, {500, 400}, nullptr);
    QVERIFY(first.screen()->availableGeometry().contains(first.geometry()));
    QCOMPARE(first.size(), QSize(500, 400).boundedTo(first.screen()->availableGeometry().size()));
    first.setGeometry(30, 40, 320, 240);
    {
      QSettings settings(file, QSettings::IniFormat);
      SaveMainWindowPlace(first, settings);
    }
    QWidget second;
    const QSettings settings(file, QSettings::IniFormat);
    PlaceMainWindow(second, {500, 400}, &settings);
    QCOMPARE(second.size(), QSize(320, 240));
    // Nothing saved yet: the wanted size, centred.
    const QSettings empty(dir.filePath(QStringLiteral("none.ini")), QSettings::IniFormat);
    QWidget third;
    PlaceMainWindow(third, {300, 200}, &empty);
    QCOMPARE(third.size(), QSize(300, 200));
  }
};

QTEST_MAIN(AppTest)
#include "viewer_app_test.moc"
