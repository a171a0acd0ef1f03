// SPDX-License-Identifier: MIT
// Every menu, dialog, message and page text in English, with no Japanese
// left; and the Japanese texts unchanged when Japanese is chosen.

#include <QAbstractButton>
#include <QAction>
#include <QComboBox>
#include <QFileDialog>
#include <QGroupBox>
#include <QHeaderView>
#include <QLabel>
#include <QLineEdit>
#include <QListWidget>
#include <QMenuBar>
#include <QTabWidget>
#include <QTemporaryDir>
#include <QTest>
#include <QToolBar>
#include <QTreeView>
#include <memory>

#include "analysis/figures_text.h"
#include "app/about_dialog.h"
#include "app/main_app.h"
#include "app/qt_frame_dialogs.h"
#include "datafile/data_file_list_cells.h"
#include "datafile/data_file_scan.h"
#include "datafile/reader.h"
#include "display/command_table.h"
#include "display/commands.h"
#include "display/main_frame.h"
#include "filelist/data_file_list_dialog.h"
#include "graph/page_figures.h"
#include "graph/page_session.h"
#include "language.h"
#include "list_view_rows.h"
#include "propsheet/axis_page_texts.h"
#include "propsheet/prop_sheet.h"
#include "propsheet/sheet_tabs.h"
#include "qt_convert.h"
#include "viewer_support.h"

using namespace fernplot;
using namespace fernplot::testing;

namespace {

// Kana, kanji, full-width and half-width forms, CJK punctuation.
bool HasJapanese(const QString& text) {
  for (const QChar c : text) {
    const char16_t u = c.unicode();
    if ((u >= 0x3000 && u <= 0x30FF) || (u >= 0x4E00 && u <= 0x9FFF) ||
        (u >= 0xFF00 && u <= 0xFFEF)) {
      return true;
    }
  }
  return false;
}

// Texts that stay as they are in every language: the language choice (each
// language by its own name), font face names and the font sample, which
// shows how kana look in the chosen font.
bool Exempt(const QString& text) {
  static const QStringList kExempt = {QStringLiteral("言語/Language"), QStringLiteral("日本語")};
  return kExempt.contains(text) || text.contains(QStringLiteral("ゴシック")) ||
         text.contains(QStringLiteral("あいうえお"));
}

void CollectAction(QAction* action, QStringList& out) {
  if (action->objectName().startsWith(QStringLiteral("recentFile"))) return;  // file names
  out << action->text() << action->toolTip() << action->statusTip();
  if (QMenu* menu = action->menu()) {
    out << menu->title();
    for (QAction* a : menu->actions()) CollectAction(a, out);
  }
}

// Every text a user can read on `root` and its children, but not what the
// user typed or the data shows (line edits, the data-file list's rows).
QStringList VisibleTexts(QWidget* root) {
  QStringList out{root->windowTitle(), root->toolTip()};
  for (QWidget* w : root->findChildren<QWidget*>()) {
    out << w->toolTip() << w->statusTip();
    if (auto* l = qobject_cast<QLabel*>(w)) out << l->text();
    if (auto* b = qobject_cast<QAbstractButton*>(w)) out << b->text();
    if (auto* g = qobject_cast<QGroupBox*>(w)) out << g->title();
    if (auto* t = qobject_cast<QTabWidget*>(w)) {
      for (int i = 0; i < t->count(); ++i) out << t->tabText(i);
    }
    if (auto* c = qobject_cast<QComboBox*>(w)) {
      for (int i = 0; i < c->count(); ++i) out << c->itemText(i);
    }
    if (auto* lw = qobject_cast<QListWidget*>(w)) {
      for (int i = 0; i < lw->count(); ++i) out << lw->item(i)->text();
    }
    if (auto* tree = qobject_cast<QTreeView*>(w); tree && tree->model()) {
      for (int i = 0; i < tree->model()->columnCount(); ++i) out << ListRows(tree).Heading(i);
    }
    for (QAction* a : w->actions()) CollectAction(a, out);
  }
  return out;
}

QStringList JapaneseIn(const QStringList& texts) {
  QStringList found;
  for (const QString& t : texts) {
    if (HasJapanese(t) && !Exempt(t)) found << t;
  }
  return found;
}

#define VERIFY_ENGLISH(texts)                                                                    \
  do {                                                                                           \
    const QStringList left = JapaneseIn(texts);                                                  \
    QVERIFY2(left.isEmpty(),                                                                     \
             qPrintable(QStringLiteral("still Japanese: ") + left.join(QStringLiteral(" | ")))); \
  } while (false)

StartupOptions Options(const QString& settings, TextTranslator texts) {
  StartupOptions o;
  o.settingsFilePath = settings.toStdString();
  o.showWindow = false;
  o.coreTexts = std::move(texts);
  return o;
}

}  // namespace

class EnglishTest : public QObject {
  Q_OBJECT

 private slots:
  void initTestCase() {
    english_ = std::make_unique<Translations>(UiLanguage::kEnglish, QString());
    QVERIFY(english_->ProgramTextsLoaded());
    core_ = english_->CoreTranslator();
    WriteDataFile(dir_, QStringLiteral("RAW.DAT"), 20, 0, "title");
    WriteDataFile(dir_, QStringLiteral("CALC.DAT"), 20, 1, "title");
    WriteDataFile(dir_, QStringLiteral("EMPTY.DAT"), 0, 0, "title");
    WriteFile(dir_, QStringLiteral("BAD.DAT"), std::string(300, 'x'));
  }

  void mainWindowMenusAndMessages() {
    ScriptedDialogs dialogs;
    CMainApp app(dialogs, Options(dir_.filePath(QStringLiteral("e.CFG")), core_));
    app.Start();
    CMainFrame& frame = *app.Frame();
    const QStringList texts = VisibleTexts(&frame);
    VERIFY_ENGLISH(texts);
    QVERIFY(texts.size() > 100);
    QVERIFY(texts.contains(QStringLiteral("&File")));
    QVERIFY(texts.contains(QStringLiteral("Print graph")));
    // Messages: files that cannot be opened, closing all pages, the
    // defaults questions.
    frame.Pages().OpenFiles({dir_.filePath(QStringLiteral("RAW.DAT")),
                             dir_.filePath(QStringLiteral("BAD.DAT")),
                             dir_.filePath(QStringLiteral("MISSING.DAT"))});
    dialogs.answerOk = false;
    frame.Pages().ResetToDefault();
    frame.Pages().OverwriteDefault();
    frame.Pages().CloseAllPages();
    QVERIFY(!dialogs.warnings.empty());
    QVERIFY(dialogs.questions.size() >= 3);
    QStringList said;
    for (const QString& t : dialogs.warnings) said << t;
    for (const QString& t : dialogs.questions) said << t;
    VERIFY_ENGLISH(said);
    QVERIFY(dialogs.warnings.front().contains(QStringLiteral("MISSING.DAT")));
    // Another program's file that cannot be read: its reader's message too,
    // with the line and the value as read.
    dialogs.warnings.clear();
    const QString table = WriteFile(dir_, QStringLiteral("model.csv"), "f,g,p\n1,2,3\n4,5,x\n");
    frame.Pages().OpenFiles({table});
    QCOMPARE(dialogs.warnings.size(), size_t{1});
    QVERIFY(
        dialogs.warnings[0].contains(table + QStringLiteral(":3: column 3: not a number: \"x\"")));
    VERIFY_ENGLISH(QStringList{dialogs.warnings[0]});
    QVERIFY(app.Shutdown().ok);
  }

  // The open dialog's filters read exactly so, and its S-parameter box.
  void openDialog() {
    QFileDialog dialog;
    QtFrameDialogs::SetUpOpenDialog(dialog, dir_.path(), QStringLiteral("S21"));
    QCOMPARE(dialog.windowTitle(), QStringLiteral("Open Data File"));
    QCOMPARE(dialog.nameFilters(),
             (QStringList{QStringLiteral(
                              "All sweep files (*.DAT *.s?p *.s??p *.txt *.csv *.tsv *.z *.DTA *.mpt)"),
                          QStringLiteral("Data files (*.DAT)"),
                          QStringLiteral("Touchstone (*.s?p *.s??p)"),
                          QStringLiteral("Text (*.txt *.csv *.tsv)"),
                          QStringLiteral("Impedance (*.z *.DTA *.mpt *.txt *.csv)")}));
    QStringList labels;
    for (const QLabel* label : dialog.findChildren<QLabel*>()) labels << label->text();
    QVERIFY(labels.contains(QStringLiteral("Two-port S-&parameter:")));
    VERIFY_ENGLISH(labels);
  }

  void dataFileListDialog() {
    TestState ts;
    ts.state.session.drawing.SetTranslator(&core_);
    DataFileListDialog dialog(ts.state);
    dialog.show();
    dialog.PatternEdit()->setText(dir_.path() + QStringLiteral("/"));
    dialog.Search();
    VERIFY_ENGLISH(VisibleTexts(&dialog));
    QCOMPARE(dialog.windowTitle(), QStringLiteral("Measurement Data Files"));
    // The type and message cells (the title column is the file's data).
    QStringList cells;
    for (int i = 0; i < ListRows(dialog.List()).Count(); ++i) {
      cells << ListRows(dialog.List()).Text(i, 1);
      if (ListRows(dialog.List()).Text(i, 0).contains(QStringLiteral("BAD"))) {
        cells << ListRows(dialog.List()).Text(i, 4);
      }
    }
    QCOMPARE(cells.size(), 5);
    VERIFY_ENGLISH(cells);
    // An empty search says so.
    dialog.PatternEdit()->setText(dir_.filePath(QStringLiteral("none*.DAT")));
    dialog.Search();
    VERIFY_ENGLISH(VisibleTexts(&dialog));
  }

  void everyPropertySheetTabAndMessage() {
    GraphProperties record = FactoryDefaults();
    SheetServices services;
    QStringList messages;
    services.showMessage = [&](QWidget*, const QString& text) { messages << text; };
    CPropSht1 sheet(nullptr, true, record, services);
    sheet.show();
    for (int i = 0; i < sheet.tabs()->count(); ++i) {
      QVERIFY(sheet.selectPage(i));
      VERIFY_ENGLISH(VisibleTexts(&sheet));
    }
    QCOMPARE(sheet.tabs()->count(), 7);
    QCOMPARE(sheet.tabs()->tabText(0), QStringLiteral("General"));
    // The ten refusal messages of each axis tab, as the sheet shows them.
    QStringList all;
    for (AxisKind kind : {AxisKind::Frequency, AxisKind::Gain, AxisKind::Phase}) {
      for (const char* m : TextsOf(kind).messages) all << AxisMessageText(m);
    }
    QCOMPARE(all.size(), 30);
    VERIFY_ENGLISH(all);
  }

  void aboutBox() {
    AboutDialog about;
    VERIFY_ENGLISH(VisibleTexts(&about));
  }

  void pageTextsOfEveryKindOfFile() {
    QtTextMeasurer measurer;
    PageSession session;
    session.drawing.SetMeasurer(&measurer);
    session.drawing.SetTranslator(&core_);
    session.drawingActive = true;
    const GraphProperties defaults = FactoryDefaults();
    for (const char* name : {"RAW.DAT", "CALC.DAT", "EMPTY.DAT"}) {
      std::string message;
      const std::string path = dir_.filePath(QString::fromLatin1(name)).toStdString();
      std::optional<MeasurementData> data = ReadDataFile(true, path, message);
      QVERIFY(data);
      data->dataTitle = "title";
      session.OpenPage(defaults, std::move(*data), name);
    }
    QStringList texts;
    for (const DrawingSheet& sheet : session.drawing.Sheets()) {
      for (const DrawingElement& e : sheet.elements) {
        if (const auto* t = std::get_if<TextElement>(&e)) texts << QStringFromUtf8(t->text);
      }
    }
    QVERIFY(texts.size() > 20);
    VERIFY_ENGLISH(texts);
    QVERIFY(texts.contains(QStringLiteral("No data")));
    // The figures panel of each page.
    QStringList figures;
    for (const auto& page : session.pages) {
      // Read as loops, so that the loop figures' names are listed too.
      figures << QStringFromUtf8(
          FiguresPanelText(page->fileName, PageFigures(*page), &core_, LoopJudgement::kLoop));
    }
    VERIFY_ENGLISH(figures);
    QVERIFY(figures.front().contains(QStringLiteral("Phase margin")));
    QVERIFY(figures.front().contains(QStringLiteral("Modulus margin")));
    QVERIFY(figures.front().contains(QStringLiteral("Closed-loop peak")));
    SweepFigures crossing;
    crossing.points = 30000;
    crossing.gainCrossovers.assign(131071, GainCrossover{1e3, -120.0, 60.0});
    const QString many =
        QStringFromUtf8(FiguresPanelText("P", crossing, &core_, LoopJudgement::kLoop));
    QVERIFY(many.contains(QStringLiteral("131,071 crossings; first 20 marked\n")));
    // Reader messages.
    QStringList messages;
    for (const char* name : {"BAD.DAT", "MISSING.DAT"}) {
      std::string message;
      ReadDataFile(true, dir_.filePath(QString::fromLatin1(name)).toStdString(), message);
      messages << QStringFromUtf8(LocalizedReaderMessage(message, &core_));
    }
    VERIFY_ENGLISH(messages);
    QVERIFY(messages.back().contains(QStringLiteral("MISSING.DAT")));
  }

  void japaneseTextsAreTheSourceTexts() {
    english_.reset();
    const Translations japanese(UiLanguage::kJapanese, QString());
    QVERIFY(!japanese.CoreTranslator());
    ScriptedDialogs dialogs;
    CMainApp app(dialogs, Options(dir_.filePath(QStringLiteral("j.CFG")), {}));
    app.Start();
    CMainFrame& frame = *app.Frame();
    for (const CommandRow& c : frame.Commands().Rows()) {
      if (c.text.empty()) continue;
      QCOMPARE(frame.Action(c.id)->text(), QStringFromUtf8(std::string(c.text)));
      const size_t nl = c.prompt.find('\n');
      if (nl != std::string_view::npos) {
        QCOMPARE(frame.Action(c.id)->toolTip(),
                 QStringFromUtf8(std::string(c.prompt.substr(nl + 1))));
      }
    }
    QStringList menus;
    for (QAction* a : frame.menuBar()->actions()) menus << a->text();
    QCOMPARE(menus.mid(0, 5), (QStringList{QStringLiteral("ﾌｧｲﾙ(&F)"), QStringLiteral("表示(&V)"),
                                           QStringLiteral("比較(&C)"), QStringLiteral("設定(&S)"),
                                           QStringLiteral("ﾍﾙﾌﾟ(&H)")}));
    QVERIFY(app.Shutdown().ok);
    CPropSht1 sheet(nullptr, true, FactoryDefaults(), SheetServices{});
    QCOMPARE(sheet.tabs()->tabText(0), QStringLiteral("全般"));
    QCOMPARE(AxisMessageText(TextsOf(AxisKind::Gain).messages[kMsgLength]),
             QStringLiteral("軸の長さには\n\n30 以上の数値を入力してください。"));
    english_ = std::make_unique<Translations>(UiLanguage::kEnglish, QString());
  }

 private:
  QTemporaryDir dir_;
  std::unique_ptr<Translations> english_;
  TextTranslator core_;
};

QTEST_MAIN(EnglishTest)
#include "viewer_english_test.moc"
