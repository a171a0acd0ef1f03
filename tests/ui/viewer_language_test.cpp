// SPDX-License-Identifier: MIT
// The language choice, the recent-files list and the file dialog command.

#include <QAction>
#include <QLocale>
#include <QMenu>
#include <QPlainTextEdit>
#include <QSettings>
#include <QTemporaryDir>
#include <QTest>
#include <QTextBlock>
#include <QTextDocument>
#include <QTextLayout>

#include "app/main_app.h"
#include "app/viewer_settings.h"
#include "display/commands.h"
#include "display/figures_dock.h"
#include "display/main_frame.h"
#include "language.h"
#include "viewer_support.h"

using namespace fernplot;
using namespace fernplot::testing;

namespace {

StartupOptions Options(const QString& settings, ViewerSettings* viewer) {
  StartupOptions o;
  o.settingsFilePath = settings.toStdString();
  o.showWindow = false;
  o.viewerSettings = viewer;
  return o;
}

QStringList RecentTexts(CMainFrame& frame) {
  frame.Recent().UpdateMenu();
  QStringList texts;
  for (QAction* a : frame.Recent().Menu()->actions()) {
    if (a->objectName().startsWith(QStringLiteral("recentFile"))) texts << a->text();
  }
  return texts;
}

QAction* RecentAction(CMainFrame& frame, int number) {
  frame.Recent().UpdateMenu();
  for (QAction* a : frame.Recent().Menu()->actions()) {
    if (a->objectName() == QStringLiteral("recentFile%1").arg(number)) return a;
  }
  return nullptr;
}

}  // namespace

class LanguageTest : public QObject {
  Q_OBJECT

 private slots:
  void languageFollowsOptionThenChoiceThenLocale() {
    const QLocale c(QLocale::C), ja(QLocale::Japanese, QLocale::Japan),
        en(QLocale::English, QLocale::UnitedStates), de(QLocale::German, QLocale::Germany);
    const auto kJa = UiLanguage::kJapanese, kEn = UiLanguage::kEnglish;
    QCOMPARE(ChooseLanguage(std::nullopt, std::nullopt, c), kJa);
    QCOMPARE(ChooseLanguage(std::nullopt, std::nullopt, ja), kJa);
    QCOMPARE(ChooseLanguage(std::nullopt, std::nullopt, en), kEn);
    QCOMPARE(ChooseLanguage(std::nullopt, std::nullopt, de), kEn);
    QCOMPARE(ChooseLanguage(std::nullopt, kEn, ja), kEn);
    QCOMPARE(ChooseLanguage(std::nullopt, kJa, de), kJa);
    QCOMPARE(ChooseLanguage(kJa, kEn, en), kJa);
    QCOMPARE(ChooseLanguage(kEn, kJa, ja), kEn);
  }

  void langOptionIsParsedAndNotAFileName() {
    std::vector<std::string> args = {"fernplot",  "--lang", "en",     "A.DAT",
                                     "--lang=ja", "--",     "--lang", "B.DAT"};
    std::vector<char*> argv;
    for (std::string& a : args) argv.push_back(a.data());
    const int argc = static_cast<int>(argv.size());
    QString error;
    QCOMPARE(LanguageOption(argc, argv.data(), error), std::optional(UiLanguage::kJapanese));
    QVERIFY(error.isEmpty());
    QCOMPARE(CommandLineFiles(argc, argv.data()),
             (std::vector<std::string>{"A.DAT", "--lang", "B.DAT"}));

    std::vector<std::string> bad = {"fernplot", "--lang", "fr"};
    std::vector<char*> badv;
    for (std::string& a : bad) badv.push_back(a.data());
    QVERIFY(!LanguageOption(3, badv.data(), error));
    QVERIFY(error.contains(QStringLiteral("fr")));
    error.clear();
    QVERIFY(!LanguageOption(2, badv.data(), error));
    QVERIFY(!error.isEmpty());
  }

  void recentFilesKeepTheLatestEightOnceEach() {
    std::vector<std::string> list;
    for (int i = 1; i <= 10; ++i) list = WithRecentFile(list, "/d/F" + std::to_string(i) + ".DAT");
    QCOMPARE(list.size(), kRecentFileCount);
    QCOMPARE(list.front(), std::string("/d/F10.DAT"));
    QCOMPARE(list.back(), std::string("/d/F3.DAT"));
    // Opened again: moved to the top, not listed twice, also when named
    // another way.
    list = WithRecentFile(list, "/d/sub/../F5.DAT");
    QCOMPARE(list.size(), kRecentFileCount);
    QCOMPARE(list.front(), std::string("/d/F5.DAT"));
    QCOMPARE(std::count(list.begin(), list.end(), std::string("/d/F5.DAT")), 1);
    list = WithoutRecentFile(list, "/d/F5.DAT");
    QCOMPARE(list.size(), kRecentFileCount - 1);
    QCOMPARE(list.front(), std::string("/d/F10.DAT"));
    // A relative name is kept absolute.
    QVERIFY(WithRecentFile({}, "X.DAT").front().starts_with('/'));
  }

  void viewerSettingsKeepByteNamesAndTheLanguage() {
    const QString ini = dir_.filePath(QStringLiteral("viewer.ini"));
    {
      ViewerSettings s(ini);
      QCOMPARE(s.Language(), std::nullopt);
      s.SetLanguage(UiLanguage::kEnglish);
      s.SetRecentFiles({"/d/A\xc0.DAT", "/d/B.DAT"});
    }
    ViewerSettings s(ini);
    QCOMPARE(s.Language(), std::optional(UiLanguage::kEnglish));
    QCOMPARE(s.RecentFiles(), (std::vector<std::string>{"/d/A\xc0.DAT", "/d/B.DAT"}));
    s.SetLanguage(std::nullopt);
    QCOMPARE(ViewerSettings(ini).Language(), std::nullopt);
  }

  void openedFilesAreListedAndMissingOnesGreyedAndRemoved() {
    const QString ini = dir_.filePath(QStringLiteral("mru.ini"));
    ViewerSettings viewer(ini);
    ScriptedDialogs dialogs;
    CMainApp app(dialogs, Options(dir_.filePath(QStringLiteral("mru.CFG")), &viewer));
    app.Start();
    CMainFrame& frame = *app.Frame();
    QVERIFY(RecentTexts(frame).isEmpty());
    const QString a = WriteDataFile(dir_, QStringLiteral("A&B.DAT"));
    const QString b = WriteDataFile(dir_, QStringLiteral("B.DAT"));
    const QString broken = WriteFile(dir_, QStringLiteral("BAD.DAT"), "short");
    frame.Pages().OpenFiles({a, b, broken});
    QCOMPARE(dialogs.warnings.size(), size_t{1});  // the unreadable one, not listed
    QCOMPARE(RecentTexts(frame),
             (QStringList{QStringLiteral("&1 B.DAT"), QStringLiteral("&2 A&&B.DAT")}));
    QVERIFY(RecentAction(frame, 1)->isEnabled());

    // A file that has gone is grey; chosen anyway it leaves the list with a
    // message.
    QVERIFY(QFile::remove(b));
    QVERIFY(!RecentAction(frame, 1)->isEnabled());
    frame.Recent().OpenRecentFile(0);
    QCOMPARE(dialogs.warnings.size(), size_t{2});
    QVERIFY(dialogs.warnings.back().contains(QStringLiteral("B.DAT")));
    QCOMPARE(RecentTexts(frame), QStringList{QStringLiteral("&1 A&&B.DAT")});

    // An entry that is there opens as a page.
    const size_t pages = app.State().session.pages.size();
    RecentAction(frame, 1)->trigger();
    QCOMPARE(app.State().session.pages.size(), pages + 1);
    QVERIFY(app.Shutdown().ok);
  }

  void ctrlOOpensTheChosenFilesInTheRecentFilesFolder() {
    ViewerSettings viewer(dir_.filePath(QStringLiteral("open.ini")));
    ScriptedDialogs dialogs;
    CMainApp app(dialogs, Options(dir_.filePath(QStringLiteral("open.CFG")), &viewer));
    app.Start();
    CMainFrame& frame = *app.Frame();
    QAction* open = frame.Action(kCmdOpenFile);
    QCOMPARE(open->shortcut(), QKeySequence(Qt::CTRL | Qt::Key_O));
    open->trigger();  // cancelled
    QCOMPARE(dialogs.dataFileFolders.size(), size_t{1});
    QVERIFY(app.State().session.pages.empty());

    QTemporaryDir other;
    dialogs.dataFilesAnswer = {WriteDataFile(other, QStringLiteral("X.DAT")),
                               WriteDataFile(other, QStringLiteral("Y.DAT"))};
    open->trigger();
    QCOMPARE(app.State().session.pages.size(), size_t{2});
    open->trigger();
    QCOMPARE(dialogs.dataFileFolders.back(), QDir(other.path()).absolutePath());
    QVERIFY(app.Shutdown().ok);
  }

  // The figures panel open when the viewer closes is open at the next
  // start; closed, it leaves nothing behind. Its long lines wrap.
  void figuresPanelReopensAndWraps() {
    const QString ini = dir_.filePath(QStringLiteral("panel.ini"));
    ViewerSettings viewer(ini);
    {
      ScriptedDialogs dialogs;
      CMainApp app(dialogs, Options(dir_.filePath(QStringLiteral("panel.CFG")), &viewer));
      app.Start();
      QVERIFY(app.Frame()->FiguresPanel()->isHidden());
      app.Frame()->Action(kCmdFiguresPanel)->trigger();
      QVERIFY(!app.Frame()->FiguresPanel()->isHidden());
      QVERIFY(app.Shutdown().ok);
    }
    QVERIFY(viewer.FiguresPanelOpen());
    {
      ScriptedDialogs dialogs;
      CMainApp app(dialogs, Options(dir_.filePath(QStringLiteral("panel.CFG")), &viewer));
      app.Start();
      FiguresDock* dock = app.Frame()->FiguresPanel();
      QVERIFY(!dock->isHidden());
      QCOMPARE(dock->TextBox()->lineWrapMode(), QPlainTextEdit::WidgetWidth);
      app.Frame()->show();
      dock->setFloating(true);
      dock->resize(160, 300);
      QCoreApplication::processEvents();
      // A line far wider than the panel, as a long figure would be.
      dock->TextBox()->setPlainText(QString(200, QLatin1Char('x')).replace(9, 1, QLatin1Char(' ')));
      QCoreApplication::processEvents();
      const QTextLayout* first = dock->TextBox()->document()->firstBlock().layout();
      QVERIFY(first && first->lineCount() > 1);
      app.Frame()->Action(kCmdFiguresPanel)->trigger();
      QVERIFY(app.Shutdown().ok);
    }
    QVERIFY(!viewer.FiguresPanelOpen());
    QVERIFY(!QSettings(ini, QSettings::IniFormat).contains(QStringLiteral("figuresPanel")));
  }

  void languageChoiceIsKeptForTheNextStart() {
    ViewerSettings viewer(dir_.filePath(QStringLiteral("lang.ini")));
    ScriptedDialogs dialogs;
    CMainApp app(dialogs, Options(dir_.filePath(QStringLiteral("lang.CFG")), &viewer));
    app.Start();
    CMainFrame& frame = *app.Frame();
    QVERIFY(frame.Action(kCmdLanguageAuto)->isChecked());
    frame.Action(kCmdLanguageEnglish)->trigger();
    QCOMPARE(viewer.Language(), std::optional(UiLanguage::kEnglish));
    QVERIFY(!frame.Action(kCmdLanguageAuto)->isChecked());
    QCOMPARE(dialogs.infos.size(), size_t{1});
    // Confirmed in the language chosen, though the window speaks Japanese.
    QCOMPARE(dialogs.infos.back(),
             QStringLiteral("The language changes at the next start of the program."));
    frame.Action(kCmdLanguageJapanese)->trigger();
    QCOMPARE(dialogs.infos.back(), QString::fromUtf8("言語の変更は次回の起動から有効になります。"));
    frame.Action(kCmdLanguageAuto)->trigger();
    QCOMPARE(viewer.Language(), std::nullopt);
    QVERIFY(app.Shutdown().ok);
  }

 private:
  QTemporaryDir dir_;
};

QTEST_MAIN(LanguageTest)
#include "viewer_language_test.moc"
