// SPDX-License-Identifier: MIT
// The general, items, font and note tabs: byte limits of the text boxes,
// the ratio rule of calculated data, colours, and font changes per category.

#include <QCheckBox>
#include <QComboBox>
#include <QDoubleSpinBox>
#include <QFontDatabase>
#include <QLineEdit>
#include <QListWidget>
#include <QRadioButton>
#include <QSet>

#include "propsheet/cp932_limit.h"
#include "propsheet_support.h"
#include "qt_convert.h"
#include "text/encoding.h"

using namespace fernplot;
using namespace fernplot::test;

namespace {

void Choose(QComboBox* combo, int index) {
  // What a pick from the drop-down list does.
  combo->setCurrentIndex(index);
  emit combo->activated(index);
}

void ClickCategory(CPropFont* page, int row) {
  QListWidget* list = page->categoryList();
  QTest::mouseClick(list->viewport(), Qt::LeftButton, Qt::NoModifier,
                    list->visualItemRect(list->item(row)).center());
}

}  // namespace

class PagesTest : public QObject {
  Q_OBJECT

 private slots:
  void titleIsLimitedTo32Bytes() {
    struct Row {
      const char* name;
      QString typed;
      QString kept;
    };
    const QString a32(32, QLatin1Char('a'));
    const QString kana16 = QString::fromUtf8("あいうえおかきくけこさしすせそた");
    const Row rows[] = {
        {"40 single-byte", QString(40, QLatin1Char('b')), QString(32, QLatin1Char('b'))},
        {"32 single-byte", a32, a32},
        {"17 double-byte", kana16 + QString::fromUtf8("ち"), kana16},
        {"31 + one double-byte + one single",
         QString(31, QLatin1Char('c')) + QString::fromUtf8("あ") + QStringLiteral("d"),
         QString(31, QLatin1Char('c')) + QStringLiteral("d")},
        {"half-width katakana count one", QString::fromUtf8("ｸﾞﾗﾌ").repeated(9),
         QString::fromUtf8("ｸﾞﾗﾌ").repeated(8)},
    };
    for (const Row& r : rows) {
      SheetRig rig;
      GraphProperties record = FactoryDefaults();
      auto sheet = rig.open(true, record);
      TypeInto(sheet->general()->titleBox(), r.typed);
      QVERIFY2(sheet->general()->titleBox()->text() == r.kept, r.name);
      ClickOk(*sheet);
      sheet->storeInto(record);
      QVERIFY2(record.title == r.kept.toStdString(), r.name);
      QVERIFY2(Cp932Length(record.title) <= 32, r.name);
    }
  }

  void editsAreCutToFit() {
    struct Row {
      const char* name;
      QString before;
      QString after;
      size_t limit;
      QString fitted;
      int cursor;
    };
    const QString kana = QString::fromUtf8("あいうえお");
    const Row rows[] = {
        {"fits", "abc", "abXc", 4, "abXc", 4},
        {"paste cut at the end", "ab", "ab123456", 5, "ab123", 5},
        {"paste in the middle keeps the tail", "abcd", "ab12345cd", 6, "ab12cd", 4},
        {"double-byte not split", "abc", "abc" + kana, 8, "abc" + kana.left(2), 5},
        {"line break counts two", "abc", "abc\nd", 4, "abc", 3},
        {"old text already too long", "abcdef", "abcXdef", 4, "abcdef", 3},
    };
    for (const Row& r : rows) {
      int cursor = -1;
      QVERIFY2(FitEditToLimit(r.before, r.after, r.limit, &cursor) == r.fitted, r.name);
      QVERIFY2(cursor == r.cursor, r.name);
    }
    // A paste into the title box keeps what fits.
    SheetRig rig;
    auto sheet = rig.open(true, FactoryDefaults());
    QLineEdit* title = sheet->general()->titleBox();
    title->setText(QStringLiteral("AB"));
    title->setCursorPosition(1);
    title->insert(QString::fromUtf8("グラフ").repeated(8));
    QCOMPARE(title->text(),
             QStringLiteral("A") + QString::fromUtf8("グラフ").repeated(5) + QStringLiteral("B"));
  }

  void axisCaptionIsLimitedTo32Bytes() {
    SheetRig rig;
    GraphProperties record = FactoryDefaults();
    auto sheet = rig.open(true, record);
    ClickTab(*sheet, kGain);
    auto* gain = static_cast<AxisPage*>(sheet->tabs()->widget(kGain));
    TypeInto(gain->captionBox(), QString::fromUtf8("ゲイン").repeated(6));
    QCOMPARE(gain->captionBox()->text(),
             QString::fromUtf8("ゲイン").repeated(5) + QString::fromUtf8("ゲ"));
  }

  void dataTitleIsLimitedTo64Bytes() {
    struct Row {
      const char* name;
      QString typed;
      bool lineBreakAfter;  // Ctrl+Enter at the end
      std::string stored;
    };
    const Row rows[] = {
        {"70 single-byte", QString(70, QLatin1Char('x')), false, std::string(64, 'x')},
        {"40 double-byte", QString::fromUtf8("あ").repeated(40), false,
         QString::fromUtf8("あ").repeated(32).toStdString()},
        {"line break counts two, refused", QString(63, QLatin1Char('y')), true,
         std::string(63, 'y')},
        {"line break counts two, fits", QString(62, QLatin1Char('y')), true,
         std::string(62, 'y') + "\r\n"},
    };
    for (const Row& r : rows) {
      SheetRig rig;
      GraphProperties record = FactoryDefaults();
      PageFacts facts;
      auto sheet = rig.open(true, record, facts);
      ClickTab(*sheet, kAddition);
      LimitedNoteEdit* box = sheet->addition()->titleBox();
      QCOMPARE(sheet->focusWidget(), box);
      TypeText(box, r.typed);
      if (r.lineBreakAfter) QTest::keyClick(box, Qt::Key_Return, Qt::ControlModifier);
      ClickOk(*sheet);
      sheet->storeInto(facts);
      QVERIFY2(facts.dataTitle == r.stored, r.name);
    }
  }

  void dataTitleWithLoneLineBreaks() {
    // A title read from a data file may break lines with a lone LF or CR,
    // which the box keeps as CR LF: untouched it goes back byte for byte;
    // at the limit the box starts cut to fit, so it still takes edits.
    struct Row {
      const char* name;
      std::string stored;
      QString typed;  // after Ctrl+End; empty: untouched
      std::string expected;
    };
    const std::string x63(63, 'x');
    const Row rows[] = {
        {"lone LF untouched", "ab\ncd", "", "ab\ncd"},
        {"lone CR untouched", "ab\rcd", "", "ab\rcd"},
        {"64 bytes with a lone LF untouched", x63 + "\n", "", x63 + "\n"},
        {"64 bytes with a lone LF edited", x63 + "\n", "z", x63 + "z"},
        {"lone LF edited", "ab\ncd", "e", "ab\r\ncde"},
    };
    for (const Row& r : rows) {
      SheetRig rig;
      GraphProperties record = FactoryDefaults();
      PageFacts facts{.dataTitle = r.stored};
      auto sheet = rig.open(true, record, facts);
      ClickTab(*sheet, kAddition);
      LimitedNoteEdit* box = sheet->addition()->titleBox();
      if (!r.typed.isEmpty()) {
        QTest::keyClick(box, Qt::Key_End, Qt::ControlModifier);
        TypeText(box, r.typed);
      }
      ClickOk(*sheet);
      sheet->storeInto(facts);
      QVERIFY2(facts.dataTitle == r.expected, r.name);
    }
  }

  void enterInTheNoteBoxPressesOk() {
    SheetRig rig;
    GraphProperties record = FactoryDefaults();
    auto sheet = rig.open(true, record);
    ClickTab(*sheet, kAddition);
    LimitedNoteEdit* box = sheet->addition()->titleBox();
    QTest::keyClicks(box, "note");
    QTest::keyClick(box, Qt::Key_Return);
    QCOMPARE(sheet->result(), int(QDialog::Accepted));
    QVERIFY(!sheet->isVisible());
    PageFacts facts;
    sheet->storeInto(facts);
    QCOMPARE(facts.dataTitle, std::string("note"));
  }

  void ratioRule() {
    struct Row {
      const char* name;
      int calculated;
      ChannelRatio stored;
      bool enabled;
      int checked;
      ChannelRatio afterOk;
    };
    constexpr ChannelRatio k12 = ChannelRatio::kCh1Ch2, k21 = ChannelRatio::kCh2Ch1;
    const Row rows[] = {
        {"raw, CH1/CH2", 0, k12, true, 0, k12},
        {"raw, CH2/CH1", 0, k21, true, 1, k21},
        {"calculated", 1, k21, false, 0, k12},
    };
    for (const Row& r : rows) {
      SheetRig rig;
      GraphProperties record = FactoryDefaults();
      record.calcType = r.stored;
      auto sheet = rig.open(true, record, PageFacts{.calculated = r.calculated != 0});
      CPropGeneral* g = sheet->general();
      QVERIFY2(g->calcButton(0)->isEnabled() == r.enabled, r.name);
      QVERIFY2(g->calcButton(1)->isEnabled() == r.enabled, r.name);
      QVERIFY2(g->calcButton(r.checked)->isChecked(), r.name);
      ClickOk(*sheet);
      sheet->storeInto(record);
      QVERIFY2(record.calcType == r.afterOk, r.name);
    }
    // The user's choice on raw data is stored.
    SheetRig rig;
    GraphProperties record = FactoryDefaults();
    auto sheet = rig.open(true, record);
    sheet->general()->calcButton(1)->click();
    ClickOk(*sheet);
    sheet->storeInto(record);
    QVERIFY(record.calcType == ChannelRatio::kCh2Ch1);
  }

  void coloursAndPrintWeights() {
    SheetRig rig;
    GraphProperties record = FactoryDefaults();
    const Colour oldGain = record.gainLineColor;
    auto sheet = rig.open(true, record);
    CPropGeneral* g = sheet->general();
    rig.colourAnswers = {Rgb(1, 2, 3), std::nullopt, Rgb(7, 8, 9)};
    g->backgroundButton()->click();
    QCOMPARE(rig.lastColourOffered, Rgb(255, 255, 230));
    QCOMPARE(g->backgroundButton()->colour(), Rgb(1, 2, 3));
    g->gainColourButton()->click();  // cancelled
    QCOMPARE(g->gainSwatch()->colour(), oldGain);
    g->phaseColourButton()->click();
    QCOMPARE(g->phaseSwatch()->colour(), Rgb(7, 8, 9));
    QCOMPARE(rig.colourRequests, 3);
    g->gainBoldBox()->click();
    g->phaseBoldBox()->click();
    ClickOk(*sheet);
    sheet->storeInto(record);
    QCOMPARE(record.backgroundColor, Rgb(1, 2, 3));
    QCOMPARE(record.gainLineColor, oldGain);
    QCOMPARE(record.phaseLineColor, Rgb(7, 8, 9));
    QCOMPARE(record.gainLineBoldOnPrint, 0);
    QCOMPARE(record.phaseLineBoldOnPrint, 1);
  }

  // The right-axis choice and the margin reference: shown as stored, a
  // stored value that is no mode shown and stored back as the phase, and the
  // user's choice stored; in both sheets.
  void rightAxisAndMarginReference() {
    struct Row {
      const char* name;
      int32_t stored;
      int checked;
    };
    const Row rows[] = {{"phase", kRightPhase, 0},
                        {"unwrapped", kRightUnwrappedPhase, 1},
                        {"delay", kRightGroupDelay, 2},
                        {"no such mode", 7, 0},
                        {"negative", -1, 0}};
    for (const Row& r : rows) {
      SheetRig rig;
      GraphProperties record = FactoryDefaults();
      record.rightAxis = r.stored;
      record.marginReferenceZero = 1;
      auto sheet = rig.open(false, record);
      CPropGeneral* g = sheet->general();
      QVERIFY2(g->rightAxisButton(r.checked)->isChecked(), r.name);
      QVERIFY2(g->marginReferenceButton(true)->isChecked(), r.name);
      ClickOk(*sheet);
      sheet->storeInto(record);
      QVERIFY2(record.rightAxis == r.checked, r.name);
      QVERIFY2(record.marginReferenceZero == 1, r.name);
    }
    SheetRig rig;
    GraphProperties record = FactoryDefaults();
    auto sheet = rig.open(true, record);
    QVERIFY(sheet->general()->marginReferenceButton(false)->isChecked());
    QVERIFY(sheet->general()->rightAxisButton(0)->isChecked());
    QVERIFY(!sheet->general()->rightAxisButton(3));
    sheet->general()->rightAxisButton(2)->click();
    sheet->general()->marginReferenceButton(true)->click();
    ClickOk(*sheet);
    sheet->storeInto(record);
    QCOMPARE(record.rightAxis, int32_t(kRightGroupDelay));
    QCOMPARE(record.marginReferenceZero, 1);
  }

  // The loop choices: shown as stored, stored back untouched (a radius the
  // box cannot show keeps its digits), and the user's choices stored.
  void loopChoices() {
    SheetRig rig;
    GraphProperties record = FactoryDefaults();
    record.view = ViewKind::kNichols;
    record.loopCurve = LoopCurve::kClosed;
    record.nyquistRadius = 0.123456789;
    record.loopJudgement = LoopJudgement::kNotLoop;
    record.nicholsContours = false;
    auto sheet = rig.open(true, record);
    CPropGeneral* g = sheet->general();
    QVERIFY(!g->nicholsContoursBox()->isChecked());
    QCOMPARE(g->viewBox()->currentIndex(), 2);
    QCOMPARE(g->loopCurveBox()->currentIndex(), 1);
    QCOMPARE(g->loopJudgementBox()->currentIndex(), 2);
    ClickOk(*sheet);
    GraphProperties stored = FactoryDefaults();
    sheet->storeInto(stored);
    QCOMPARE(stored.view, ViewKind::kNichols);
    QCOMPARE(stored.loopCurve, LoopCurve::kClosed);
    QCOMPARE(stored.nyquistRadius, 0.123456789);
    QCOMPARE(stored.loopJudgement, LoopJudgement::kNotLoop);
    QVERIFY(!stored.nicholsContours);

    auto again = rig.open(false, FactoryDefaults());
    g = again->general();
    QCOMPARE(g->nyquistRadiusBox()->value(), 2.0);
    QVERIFY(g->nicholsContoursBox()->isChecked());
    g->nicholsContoursBox()->setChecked(false);
    g->viewBox()->setCurrentIndex(1);
    g->loopCurveBox()->setCurrentIndex(2);
    g->nyquistRadiusBox()->setValue(0.0);
    g->loopJudgementBox()->setCurrentIndex(1);
    ClickOk(*again);
    again->storeInto(stored);
    QCOMPARE(stored.view, ViewKind::kNyquist);
    QCOMPARE(stored.loopCurve, LoopCurve::kSensitivity);
    QCOMPARE(stored.nyquistRadius, 0.0);
    QCOMPARE(stored.loopJudgement, LoopJudgement::kLoop);
    QVERIFY(!stored.nicholsContours);
  }

  void lineSwatchesShowTheColour() {
    SheetRig rig;
    GraphProperties record = FactoryDefaults();
    auto sheet = rig.open(true, record);
    LineSwatch* swatch = sheet->general()->gainSwatch();
    const QImage image = swatch->grab().toImage();
    const QRect area = swatch->contentsRect();
    const int y = area.top() + area.height() / 2;
    QCOMPARE(image.pixelColor(area.center().x(), y), ToQColor(record.gainLineColor));
    QCOMPARE(image.pixelColor(area.left() + 1, y), QColor(Qt::white));
    QCOMPARE(image.pixelColor(area.center().x(), area.top() + 1), QColor(Qt::white));
  }

  void itemsPage() {
    SheetRig rig;
    GraphProperties record = FactoryDefaults();
    record.itemFlags[4] = 0;
    auto sheet = rig.open(true, record);
    ClickTab(*sheet, kItems);
    CPropItems* items = sheet->items();
    QCOMPARE(sheet->focusWidget(), items->itemBox(0));
    QCOMPARE(items->itemBox(0)->text(), QString::fromUtf8("ﾌｧｲﾙ名"));
    QCOMPARE(items->itemBox(17)->text(), QString::fromUtf8("位相表示レンジ"));
    QVERIFY(!items->itemBox(4)->isChecked());
    // Items 0-9 in the left column, 10-17 in the right, top to bottom.
    QVERIFY(items->itemBox(10)->x() > items->itemBox(9)->x());
    QCOMPARE(items->itemBox(10)->y(), items->itemBox(0)->y());
    QVERIFY(items->itemBox(9)->y() > items->itemBox(8)->y());
    for (int i = 0; i < kItemCount; ++i) {
      if (items->itemBox(i)->isChecked()) items->itemBox(i)->click();
    }
    items->itemBox(13)->click();
    ClickOk(*sheet);
    sheet->storeInto(record);
    for (int i = 0; i < kItemCount; ++i) QCOMPARE(record.itemFlags[size_t(i)], i == 13 ? 1 : 0);
  }

  void faceListFilter() {
    const std::vector<InstalledFace> faces = ListInstalledFaces();
    QVERIFY(!faces.empty());
    for (const InstalledFace& f : faces) {
      QVERIFY(!f.name.startsWith(QLatin1Char('@')));
      // fontconfig's generic aliases are not faces of their own.
      QVERIFY2(f.name != QLatin1String("Sans Serif") && f.name != QLatin1String("Serif") &&
                   f.name != QLatin1String("Monospace"),
               qPrintable(f.name));
    }
    auto find = [&](const char* name) -> const InstalledFace* {
      for (const InstalledFace& f : faces) {
        if (f.name.compare(QLatin1String(name), Qt::CaseInsensitive) == 0) return &f;
      }
      return nullptr;
    };
    if (const InstalledFace* ipa = find("IPAGothic")) QVERIFY(!ipa->ansi);
    if (const InstalledFace* lib = find("Liberation Sans")) QVERIFY(lib->ansi);
    // One entry per family, whatever the number of foundries installing it.
    QSet<QString> names;
    for (const InstalledFace& f : faces) {
      QVERIFY2(!f.name.endsWith(QLatin1Char(']')), qPrintable(f.name));
      QVERIFY2(!names.contains(f.name.toCaseFolded()), qPrintable(f.name));
      names.insert(f.name.toCaseFolded());
    }
    if (!find("IPAGothic") || !find("Liberation Sans")) QSKIP("IPA or Liberation fonts missing");
  }

  void mappedWindowFacesAreListedAndShown() {
    // hasFamily finds a family by its other-language name only once the
    // database is filled, as listing the faces fills it.
    QFontDatabase::families();
    if (!QFontDatabase::hasFamily(QStringLiteral("IPAPGothic")) ||
        !QFontDatabase::hasFamily(QStringLiteral("Liberation Serif"))) {
      QSKIP("IPA or Liberation fonts missing");
    }
    // The mapping the program installs at start; undone for the other tests.
    struct Mapping {
      Mapping() {
        QFont::insertSubstitution(QString::fromUtf8("ＭＳ Ｐゴシック"),
                                  QStringLiteral("IPAPGothic"));
        QFont::insertSubstitution(QStringLiteral("Times New Roman"),
                                  QStringLiteral("Liberation Serif"));
        QFont::insertSubstitution(QStringLiteral("No Such Face"), QStringLiteral("Not Installed"));
      }
      ~Mapping() {
        QFont::removeSubstitutions(QString::fromUtf8("ＭＳ Ｐゴシック"));
        QFont::removeSubstitutions(QStringLiteral("Times New Roman"));
        QFont::removeSubstitutions(QStringLiteral("No Such Face"));
      }
    } mapping;
    const std::vector<InstalledFace> faces = ListInstalledFaces();
    auto find = [&](const QString& name) -> const InstalledFace* {
      for (const InstalledFace& f : faces) {
        if (f.name == name) return &f;
      }
      return nullptr;
    };
    const InstalledFace* gothic = find(QString::fromUtf8("ＭＳ Ｐゴシック"));
    QVERIFY(gothic && !gothic->ansi);
    const InstalledFace* times = find(QStringLiteral("Times New Roman"));
    QVERIFY(times && times->ansi);
    QVERIFY(!find(QStringLiteral("No Such Face")));  // a mapping to nothing is no face

    // The factory faces are selected, category by category.
    SheetRig rig;
    GraphProperties record = FactoryDefaults();
    record.fonts[1].faceName = "Times New Roman";
    auto sheet = rig.open(true, record);
    ClickTab(*sheet, kFont);
    CPropFont* font = sheet->font();
    QCOMPARE(font->faceList()->currentText(), QString::fromUtf8("ＭＳ Ｐゴシック"));
    ClickCategory(font, 1);
    QCOMPARE(font->faceList()->currentText(), QStringLiteral("Times New Roman"));
    ClickCategory(font, 0);
    QCOMPARE(font->faceList()->currentText(), QString::fromUtf8("ＭＳ Ｐゴシック"));
  }

  void fontChangesPerCategory() {
    SheetRig rig;
    GraphProperties record = FactoryDefaults();
    record.fonts[2].size = 13;
    const GraphProperties original = record;
    auto sheet = rig.open(true, record);
    ClickTab(*sheet, kFont);
    CPropFont* font = sheet->font();
    QComboBox* faces = font->faceList();
    QComboBox* sizes = font->sizeCombo();
    QCOMPARE(font->categoryList()->count(), kFontCategoryCount);
    QCOMPARE(font->categoryList()->item(0)->text(), QString::fromUtf8("ファイル名"));
    QCOMPARE(font->categoryList()->currentRow(), 0);
    // The stored face is not installed here: no selection, stored unchanged,
    // sample still asks for it.
    QCOMPARE(faces->currentIndex(), -1);
    QCOMPARE(font->sample()->sampleFont().family(), QString::fromUtf8("ＭＳ Ｐゴシック"));
    QCOMPARE(sizes->currentText(), QStringLiteral("12"));
    QCOMPARE(FontSample::sampleText(), QString::fromUtf8("ABCDEFGabcdefg\n1234567890\nあいうえお"));

    const int first = 0;
    const int second = faces->count() - 1;
    QVERIFY(faces->count() >= 2);
    Choose(faces, first);
    const QString firstFace = faces->itemText(first);
    const bool firstAnsi = faces->itemData(first).toBool();
    Choose(sizes, sizes->findText("14"));
    font->boldBox()->click();  // category 0 starts bold
    rig.colourAnswers = {Rgb(10, 20, 30)};
    font->colourButton()->click();
    QCOMPARE(font->sample()->colour(), Rgb(10, 20, 30));

    // A stored size outside the list keeps the previous selection.
    ClickCategory(font, 2);
    QCOMPARE(font->currentCategory(), 2);
    QCOMPARE(sizes->currentText(), QStringLiteral("14"));
    QCOMPARE(faces->currentIndex(), first);  // stored face not installed
    QVERIFY(!font->boldBox()->isChecked());
    // A typed size is not taken while typing; one that is not offered is
    // refused with a message when the category is left.
    sizes->lineEdit()->selectAll();
    QTest::keyClicks(sizes->lineEdit(), "20");
    QCOMPARE(font->recordCopy().fonts[2].size, 13);
    QVERIFY(rig.messages.isEmpty());

    ClickCategory(font, 3);
    QCOMPARE(rig.messages.size(), 1);
    QCOMPARE(font->recordCopy().fonts[2].size, 13);
    Choose(faces, second);
    ClickCategory(font, 0);
    QCOMPARE(faces->currentText(), firstFace);
    QCOMPARE(sizes->currentText(), QStringLiteral("14"));
    QVERIFY(!font->boldBox()->isChecked());

    // Enter in the size box, even on a listed size, is the dialog's OK; the
    // listed size typed is taken.
    ClickCategory(font, 2);
    sizes->lineEdit()->selectAll();
    QTest::keyClicks(sizes->lineEdit(), "16");
    QTest::keyClick(sizes->lineEdit(), Qt::Key_Return);
    QCOMPARE(sheet->result(), int(QDialog::Accepted));
    sheet->storeInto(record);
    QCOMPARE(record.fonts[0].faceName.str(), firstFace.toStdString());
    QCOMPARE(record.fonts[0].ansiCharset, firstAnsi ? 1 : 0);
    QCOMPARE(record.fonts[0].size, 14);
    QCOMPARE(record.fonts[0].bold, 0);
    QCOMPARE(record.fonts[0].color, Rgb(10, 20, 30));
    FontSetting typed = original.fonts[2];
    typed.size = 16;
    QCOMPARE(record.fonts[2], typed);
    QCOMPARE(record.fonts[3].faceName.str(), faces->itemText(second).toStdString());
    for (size_t i = 4; i < record.fonts.size(); ++i) QCOMPARE(record.fonts[i], original.fonts[i]);
  }

  // OK with a typed size: an offered one is taken; anything else gets the
  // sheet's message, the sheet stays open and the size stays as it was.
  void typedFontSizes() {
    struct Case {
      const char* typed;
      bool accepted;
      int size;
    };
    for (const Case& c : {Case{"14", true, 14}, Case{" 6", true, 6}, Case{"13", false, 12},
                          Case{"20", false, 12}, Case{"abc", false, 12}, Case{"", false, 12}}) {
      SheetRig rig;
      GraphProperties record = FactoryDefaults();
      record.fonts[0].size = 12;
      auto sheet = rig.open(true, record);
      ClickTab(*sheet, kFont);
      QComboBox* sizes = sheet->font()->sizeCombo();
      sizes->lineEdit()->setFocus();
      sizes->lineEdit()->selectAll();
      QTest::keyClick(sizes->lineEdit(), Qt::Key_Backspace);
      QTest::keyClicks(sizes->lineEdit(), c.typed);
      ClickOk(*sheet);
      QCOMPARE(sheet->result() == QDialog::Accepted, c.accepted);
      QCOMPARE(rig.messages.size(), c.accepted ? 0 : 1);
      if (!c.accepted) {
        QVERIFY(sizes->lineEdit()->hasFocus());
        QCOMPARE(sheet->font()->recordCopy().fonts[0].size, 12);
        continue;
      }
      sheet->storeInto(record);
      QCOMPARE(record.fonts[0].size, c.size);
    }
  }

  // A size that is not offered is refused as soon as the field is left for
  // another control of the page, with the focus back in the field; leaving
  // for the page's list takes or refuses it once, not twice.
  void typedFontSizeRefusedOnLeaving() {
    SheetRig rig;
    GraphProperties record = FactoryDefaults();
    record.fonts[0].size = 12;
    auto sheet = rig.open(true, record);
    ClickTab(*sheet, kFont);
    CPropFont* font = sheet->font();
    QComboBox* sizes = font->sizeCombo();
    sizes->lineEdit()->setFocus();
    sizes->lineEdit()->selectAll();
    QTest::keyClicks(sizes->lineEdit(), "13");
    font->boldBox()->setFocus(Qt::TabFocusReason);
    QTRY_COMPARE(rig.messages.size(), 1);
    QVERIFY(sizes->lineEdit()->hasFocus());
    QCOMPARE(font->recordCopy().fonts[0].size, 12);
    // An offered size typed is taken on leaving.
    sizes->lineEdit()->selectAll();
    QTest::keyClicks(sizes->lineEdit(), "14");
    font->boldBox()->setFocus(Qt::TabFocusReason);
    QTRY_COMPARE(font->recordCopy().fonts[0].size, 14);
    QCOMPARE(rig.messages.size(), 1);
    // Another category: one message for the size left behind.
    sizes->lineEdit()->setFocus();
    sizes->lineEdit()->selectAll();
    QTest::keyClicks(sizes->lineEdit(), "99");
    ClickCategory(font, 3);
    QCoreApplication::processEvents();
    QCOMPARE(rig.messages.size(), 2);
  }

  // the right axis shows the delay; one that cannot be used is refused.
  void delayAperture() {
    struct Case {
      int rightAxis;
      const char* typed;
      int unit;
      bool accepted;
      DelayAperture stored;
    };
    const DelayAperture before{ApertureUnit::kPoints, 3.0};
    const Case cases[] = {
        {kRightGroupDelay, "8", 0, true, {ApertureUnit::kPoints, 8.0}},
        {kRightGroupDelay, "0.25", 1, true, {ApertureUnit::kOctave, 0.25}},
        {kRightGroupDelay, "1.5", 0, false, before},
        {kRightGroupDelay, "0", 1, false, before},
        {kRightGroupDelay, "x", 0, false, before},
        {kRightPhase, "x", 0, true, before},  // not used, not checked, not changed
    };
    for (const Case& c : cases) {
      SheetRig rig;
      GraphProperties record = FactoryDefaults();
      record.rightAxis = c.rightAxis;
      record.delayAperture = before;
      auto sheet = rig.open(true, record);
      CPropGeneral* general = sheet->general();
      QLineEdit* box = general->apertureBox();
      QCOMPARE(box->text(), QStringLiteral("3"));
      QCOMPARE(box->isEnabled(), c.rightAxis == kRightGroupDelay);
      if (box->isEnabled()) {
        TypeInto(box, QString::fromLatin1(c.typed));
        general->apertureUnitList()->setCurrentIndex(c.unit);
      }
      ClickOk(*sheet);
      QCOMPARE(sheet->result() == QDialog::Accepted, c.accepted);
      QCOMPARE(rig.messages.size(), c.accepted ? 0 : 1);
      if (!c.accepted) {
        QVERIFY(box->hasFocus());
        continue;
      }
      sheet->storeInto(record);
      QCOMPARE(record.delayAperture, c.stored);
    }
    // Choosing the delay enables the boxes.
    SheetRig rig;
    auto sheet = rig.open(true, FactoryDefaults());
    QVERIFY(!sheet->general()->apertureBox()->isEnabled());
    sheet->general()->rightAxisButton(kRightGroupDelay)->click();
    QVERIFY(sheet->general()->apertureBox()->isEnabled());
    QVERIFY(sheet->general()->apertureUnitList()->isEnabled());
  }

  // The shunt: empty for none, a value above 0 stored, anything else the
  // sheet's message with the box focused; an unchanged box keeps its digits.
  void shuntBox() {
    const struct {
      const char* typed;
      bool accepted;
      double stored;
    } cases[] = {{"0.1", true, 0.1}, {"", true, 0.0}, {"1e3", true, 1000.0},
                 {"0", false, 0.0},  {"-5", false, 0.0}, {"x", false, 0.0}};
    for (const auto& c : cases) {
      SheetRig rig;
      auto sheet = rig.open(true, FactoryDefaults());
      QLineEdit* box = sheet->general()->shuntBox();
      QCOMPARE(box->text(), QString());
      TypeInto(box, QString::fromLatin1(c.typed));
      ClickOk(*sheet);
      QCOMPARE(sheet->result() == QDialog::Accepted, c.accepted);
      QCOMPARE(rig.messages.size(), c.accepted ? 0 : 1);
      if (!c.accepted) {
        QVERIFY(box->hasFocus());
        continue;
      }
      GraphProperties stored = FactoryDefaults();
      sheet->storeInto(stored);
      QCOMPARE(stored.shuntOhms, c.stored);
    }
    SheetRig rig;
    GraphProperties record = FactoryDefaults();
    record.shuntOhms = 0.1234567890123;
    auto sheet = rig.open(true, record);
    QCOMPARE(sheet->general()->shuntBox()->text(), QStringLiteral("0.1234567890123"));
    ClickOk(*sheet);
    GraphProperties stored = FactoryDefaults();
    sheet->storeInto(stored);
    QCOMPARE(stored.shuntOhms, 0.1234567890123);
  }
};

QTEST_MAIN(PagesTest)
#include "propsheet_pages.moc"
