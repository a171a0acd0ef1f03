// SPDX-License-Identifier: MIT
// The axis tabs driven as a user would: type into a box, try to leave the
// tab, and see which message comes, where the focus lands and what the boxes
// show afterwards.

#include <QCheckBox>
#include <QComboBox>
#include <QRadioButton>
#include <map>

#include "propsheet_support.h"

using namespace fernplot;
using namespace fernplot::test;

namespace {

// The refusal texts as the user sees them.
const std::map<char, const char*> kFreqMessages = {
    {'A', "軸の長さには\n\n40 以上の数値を入力してください。"},
    {'B', "軸の左ﾏｰｼﾞﾝには\n\n0 以上の数値を入力してください。"},
    {'C', "軸の右ﾏｰｼﾞﾝには\n\n0 以上の数値を入力してください。"},
    {'D', "軸の長さが不正です。\n\n有効な値は 40mm ～ 250mm です。"},
    {'E', "ﾏｰｼﾞﾝの値が不正です。\n\nｸﾞﾗﾌ領域の幅が 40mm 以上になるよう調整してください。"},
    {'F', "目盛の上限値が不正な値です。\n\n数値を入力してください。\n例：0.1、100、100k、1M"},
    {'G', "目盛の下限値が不正な値です。\n\n数値を入力してください。\n例：0.1、100、100k、1M"},
    {'H', "目盛の間隔が不正な値です。\n\n0 より大きい値にしてください。"},
    {'I', "目盛の範囲指定が不正です。\n\n下限値 ＜ 上限値 になるよう調整してください。"},
    {'J',
     "目盛の間隔が不正な値です。\n\n間隔値 ≦ (上限値 - 下限値)÷ 2 になるよう調整してください。"},
};
const std::map<char, const char*> kVertMessages = {
    {'A', "軸の長さには\n\n30 以上の数値を入力してください。"},
    {'B', "軸の上端ﾏｰｼﾞﾝには\n\n0 以上の数値を入力してください。"},
    {'C', "軸の下端ﾏｰｼﾞﾝには\n\n0 以上の数値を入力してください。"},
    {'D', "軸の長さが不正です。\n\n有効な値は 30mm ～ 250mm です。"},
    {'E', "ﾏｰｼﾞﾝの値が不正です。\n\nｸﾞﾗﾌ領域の高さが 30mm 以上になるよう調整してください。"},
    {'F', "目盛の上限値が不正な値です。\n\n数値を入力してください。\n例：0.1、100、-10.5"},
    {'G', "目盛の下限値が不正な値です。\n\n数値を入力してください。\n例：0.1、100、-10.5"},
    {'H', "目盛の間隔が不正な値です。\n\n0 より大きい値にしてください。"},
    {'I', "目盛の範囲指定が不正です。\n\n下限値 ＜ 上限値 になるよう調整してください。"},
    {'J',
     "目盛の間隔が不正な値です。\n\n間隔値 ≦ (上限値 - 下限値)÷ 2 になるよう調整してください。"},
};

enum Box { kLength, kMargin1, kMargin2, kLower, kUpper, kInterval, kNone };

QLineEdit* BoxOf(AxisPage* page, Box b) {
  switch (b) {
    case kLength:
      return page->lengthBox();
    case kMargin1:
      return page->margin1Box();
    case kMargin2:
      return page->margin2Box();
    case kLower:
      return page->lowerBox();
    case kUpper:
      return page->upperBox();
    case kInterval:
      return page->intervalBox();
    case kNone:
      break;
  }
  return nullptr;
}

AxisPage* PageOf(CPropSht1& sheet, int tab) {
  return static_cast<AxisPage*>(sheet.tabs()->widget(tab));
}

struct Edit {
  Box box;
  const char* text;
};

struct Row {
  const char* name;
  std::vector<Edit> edits;
  char message;  // 0: the tab may be left
  Box focus;
  std::vector<Edit> shown;  // box texts after the check
};

}  // namespace

class AxisTest : public QObject {
  Q_OBJECT

  // Types the row's edits into tab `tab` of a fresh sheet, then clicks the
  // general tab and checks the outcome.
  void runRows(int tab, const std::vector<Row>& rows, const std::map<char, const char*>& texts) {
    for (const Row& row : rows) {
      SheetRig rig;
      auto sheet = rig.open(true, ManualAxes());
      QVERIFY(sheet);
      ClickTab(*sheet, tab);
      QCOMPARE(sheet->tabs()->currentIndex(), tab);
      AxisPage* page = PageOf(*sheet, tab);
      for (const Edit& e : row.edits) TypeInto(BoxOf(page, e.box), QString::fromUtf8(e.text));
      ClickTab(*sheet, kGeneral);
      if (row.message == 0) {
        QVERIFY2(rig.messages.isEmpty(), row.name);
        QVERIFY2(sheet->tabs()->currentIndex() == kGeneral, row.name);
      } else {
        QVERIFY2(rig.messages.size() == 1, row.name);
        QVERIFY2(rig.messages.front() == QString::fromUtf8(texts.at(row.message)), row.name);
        QVERIFY2(sheet->tabs()->currentIndex() == tab, row.name);
        QLineEdit* focus = BoxOf(page, row.focus);
        QVERIFY2(sheet->focusWidget() == focus, row.name);
        QVERIFY2(focus->selectedText() == focus->text(), row.name);
      }
      for (const Edit& e : row.shown) {
        QVERIFY2(BoxOf(page, e.box)->text() == QString::fromUtf8(e.text),
                 qPrintable(QString::fromUtf8(row.name) + ": " + BoxOf(page, e.box)->text()));
      }
    }
  }

 private slots:
  void frequencyChecks() {
    // Baseline: LIN, 225 mm, margins 0/5, 10 Hz .. 100 kHz every 1 kHz.
    const std::vector<Row> rows = {
        {"length 40 passes", {{kLength, "40"}, {kMargin2, "0"}}, 0, kNone, {{kLength, "40"}}},
        {"length 250 passes", {{kLength, "250"}}, 0, kNone, {}},
        {"length 39.9", {{kLength, "39.9"}, {kMargin2, "0"}}, 'D', kLength, {{kLength, "39.9"}}},
        {"length 250.1", {{kLength, "250.1"}}, 'D', kLength, {}},
        {"empty length reads 0", {{kLength, ""}}, 'D', kLength, {{kLength, "0"}}},
        {"letters in length", {{kLength, "abc"}}, 'A', kLength, {}},
        {"negative length", {{kLength, "-5"}}, 'A', kLength, {}},
        {"negative margin 1", {{kMargin1, "-1"}}, 'B', kMargin1, {}},
        {"negative margin 2", {{kMargin2, "-0.5"}}, 'C', kMargin2, {}},
        {"area exactly 40", {{kLength, "50"}, {kMargin1, "5"}, {kMargin2, "5"}}, 0, kNone, {}},
        {"area below 40, margin 1 set",
         {{kLength, "50"}, {kMargin1, "5.5"}, {kMargin2, "5"}},
         'E',
         kMargin1,
         {}},
        {"area below 40, margin 1 zero",
         {{kLength, "50"}, {kMargin1, "0"}, {kMargin2, "10.5"}},
         'E',
         kMargin2,
         {}},
        {"10k and 0.5 are reformatted",
         {{kUpper, "10k"}, {kLower, "0.5"}, {kInterval, "1k"}},
         0,
         kNone,
         {{kUpper, "10.0000000k"}, {kLower, "500.0m"}, {kInterval, "1.0000000k"}}},
        {"1M", {{kUpper, "1M"}}, 0, kNone, {{kUpper, "1.0000000000M"}}},
        {"space before multiplier", {{kUpper, "10 k"}}, 'F', kUpper, {}},
        {"lower-case g", {{kUpper, "10g"}}, 'F', kUpper, {}},
        {"bad lower, upper already reformatted",
         {{kUpper, "20k"}, {kLower, "10g"}},
         'G',
         kLower,
         {{kUpper, "20.0000000k"}}},
        {"interval zero", {{kInterval, "0"}}, 'H', kInterval, {}},
        {"interval negative", {{kInterval, "-1"}}, 'H', kInterval, {}},
        {"interval text", {{kInterval, "x"}}, 'H', kInterval, {}},
        {"equal limits",
         {{kLower, "1k"}, {kUpper, "1000"}},
         'I',
         kLower,
         {{kLower, "1.0000000k"}, {kUpper, "1.0000000k"}}},
        {"interval exactly half",
         {{kLower, "0"}, {kUpper, "1000"}, {kInterval, "500"}},
         0,
         kNone,
         {}},
        {"interval above half",
         {{kLower, "0"}, {kUpper, "1000"}, {kInterval, "500.001"}},
         'J',
         kInterval,
         {{kInterval, "500.0010"}}},
        {"bad margin stops before the limits",
         {{kMargin1, "x"}, {kUpper, "10g"}},
         'B',
         kMargin1,
         {{kLength, "225"}}},
    };
    runRows(kFreq, rows, kFreqMessages);
  }

  void verticalChecks() {
    // Baseline: 120 mm, margins 5/5, -40 .. 20 every 10.
    const std::vector<Row> rows = {
        {"length 30, area 30", {{kLength, "30"}, {kMargin1, "0"}, {kMargin2, "0"}}, 0, kNone, {}},
        {"length 29.9", {{kLength, "29.9"}}, 'D', kLength, {}},
        {"area below 30", {{kLength, "40"}, {kMargin1, "5"}, {kMargin2, "5.5"}}, 'E', kMargin1, {}},
        {"negative top margin", {{kMargin1, "-1"}}, 'B', kMargin1, {}},
        {"negative bottom margin", {{kMargin2, "-1"}}, 'C', kMargin2, {}},
        {"letters in length", {{kLength, "x"}}, 'A', kLength, {}},
        {"multiplier refused", {{kUpper, "10k"}}, 'F', kUpper, {}},
        {"-10.50 shown as -10.5",
         {{kUpper, "-10.50"}, {kLower, "-20"}, {kInterval, "4"}},
         0,
         kNone,
         {{kUpper, "-10.5"}}},
        {"bad lower", {{kLower, "low"}}, 'G', kLower, {}},
        {"interval zero", {{kInterval, "0"}}, 'H', kInterval, {}},
        {"lower above upper", {{kLower, "30"}}, 'I', kLower, {}},
        {"interval exactly half", {{kInterval, "30"}}, 0, kNone, {}},
        {"interval above half", {{kInterval, "30.5"}}, 'J', kInterval, {}},
    };
    runRows(kGain, rows, kVertMessages);
    runRows(kPhase, rows, kVertMessages);
  }

  void okRunsTheActiveCheck() {
    SheetRig rig;
    GraphProperties record = ManualAxes();
    auto sheet = rig.open(true, record);
    ClickTab(*sheet, kGain);
    TypeInto(PageOf(*sheet, kGain)->intervalBox(), "0");
    ClickOk(*sheet);
    QCOMPARE(rig.messages.size(), 1);
    QCOMPARE(rig.messages.front(), QString::fromUtf8(kVertMessages.at('H')));
    QVERIFY(sheet->isVisible());
    QCOMPARE(sheet->result(), int(QDialog::Rejected));
    QCOMPARE(sheet->tabs()->currentIndex(), int(kGain));
    QCOMPARE(sheet->focusWidget(), PageOf(*sheet, kGain)->intervalBox());

    TypeInto(PageOf(*sheet, kGain)->intervalBox(), "15");
    ClickOk(*sheet);
    QCOMPARE(sheet->result(), int(QDialog::Accepted));
    sheet->storeInto(record);
    QCOMPARE(record.VL.interval, 15.0);
  }

  void refusedKeyboardTabChange() {
    SheetRig rig;
    auto sheet = rig.open(true, ManualAxes());
    ClickTab(*sheet, kFreq);
    TypeInto(PageOf(*sheet, kFreq)->lengthBox(), "10");
    QTest::keyClick(PageOf(*sheet, kFreq)->lengthBox(), Qt::Key_Tab, Qt::ControlModifier);
    QCOMPARE(sheet->tabs()->currentIndex(), int(kFreq));
    QCOMPARE(rig.messages.size(), 1);
    // The refused target was never shown, so it was never initialised.
    QVERIFY(!PageOf(*sheet, kGain)->isInitialised());
    QVERIFY(!sheet->selectPage(kPhase));
    QCOMPARE(rig.messages.size(), 2);
  }

  void reactionsAtInitialisation() {
    // Factory defaults: LOG with automatic distribution and data limits.
    SheetRig rig;
    GraphProperties record = FactoryDefaults();
    record.HB.rangeMin = 5;
    record.HB.interval = 7;
    auto sheet = rig.open(true, record);
    ClickTab(*sheet, kFreq);
    AxisPage* f = PageOf(*sheet, kFreq);
    QVERIFY(!f->autoDivisionBox()->isEnabled());
    QVERIFY(f->autoDivisionBox()->isChecked());
    QVERIFY(!f->intervalBox()->isEnabled());
    QVERIFY(!f->lowerBox()->isEnabled());
    QVERIFY(f->lowerBox()->text().isEmpty());
    QCOMPARE(sheet->focusWidget(), f->captionBox());
    // Shown use-data boxes zero the limits they replace.
    QCOMPARE(f->values().rangeMin, 0.0);
    QCOMPARE(f->values().interval, 0.0);

    // Vertical pages: AUTO and LOG cannot be chosen; the tight pair follows
    // automatic distribution.
    ClickTab(*sheet, kGain);
    AxisPage* g = PageOf(*sheet, kGain);
    QVERIFY(!g->scaleButton(ScaleType::kAuto)->isEnabled());
    QVERIFY(!g->scaleButton(ScaleType::kLog)->isEnabled());
    QVERIFY(g->scaleButton(ScaleType::kLin)->isChecked());
    QVERIFY(g->tightButton(0)->isEnabled());
    g->autoDivisionBox()->click();
    QVERIFY(!g->tightButton(0)->isEnabled());
    QVERIFY(!g->tightButton(1)->isEnabled());
    QVERIFY(g->intervalBox()->isEnabled());
    QCOMPARE(sheet->focusWidget(), g->intervalBox());
  }

  void useDataBoxesFollowClicks() {
    SheetRig rig;
    auto sheet = rig.open(true, ManualAxes());
    ClickTab(*sheet, kFreq);
    AxisPage* f = PageOf(*sheet, kFreq);
    QCOMPARE(f->lowerBox()->text(), QStringLiteral("10.0000"));
    f->useDataMinBox()->click();
    QVERIFY(!f->lowerBox()->isEnabled());
    QVERIFY(f->lowerBox()->text().isEmpty());
    f->useDataMinBox()->click();
    QVERIFY(f->lowerBox()->isEnabled());
    QCOMPARE(sheet->focusWidget(), f->lowerBox());
    f->useDataMaxBox()->click();
    QVERIFY(!f->upperBox()->isEnabled());
    // With a data limit neither the order nor the interval rule applies.
    TypeInto(f->lowerBox(), "1G");
    TypeInto(f->intervalBox(), "5G");
    ClickTab(*sheet, kItems);
    QVERIFY(rig.messages.isEmpty());
    QCOMPARE(sheet->tabs()->currentIndex(), int(kItems));
  }

  void logKeepsTheInterval() {
    SheetRig rig;
    GraphProperties record = ManualAxes();
    auto sheet = rig.open(true, record);
    ClickTab(*sheet, kFreq);
    AxisPage* f = PageOf(*sheet, kFreq);
    QVERIFY(f->autoDivisionBox()->isEnabled());
    QVERIFY(f->intervalBox()->isEnabled());
    f->scaleButton(ScaleType::kLog)->click();
    QVERIFY(!f->autoDivisionBox()->isEnabled());
    QVERIFY(!f->intervalBox()->isEnabled());
    QCOMPARE(f->intervalBox()->text(), QStringLiteral("1.0000000k"));
    // A LOG axis may start at 0 Hz.
    TypeInto(f->lowerBox(), "0");
    ClickOk(*sheet);
    QCOMPARE(sheet->result(), int(QDialog::Accepted));
    sheet->storeInto(record);
    QCOMPARE(record.HB.scaleType, ScaleType::kLog);
    QCOMPARE(record.HB.interval, 1000.0);
    QCOMPARE(record.HB.autoDivision, 0);
  }

  void logWithBadIntervalIsStillChecked() {
    SheetRig rig;
    auto sheet = rig.open(true, ManualAxes());
    ClickTab(*sheet, kFreq);
    AxisPage* f = PageOf(*sheet, kFreq);
    TypeInto(f->intervalBox(), "0");
    f->scaleButton(ScaleType::kLog)->click();
    ClickTab(*sheet, kGeneral);
    QCOMPARE(rig.messages, QStringList{QString::fromUtf8(kFreqMessages.at('H'))});
    QVERIFY(!f->intervalBox()->isEnabled());
    f->scaleButton(ScaleType::kLin)->click();
    QVERIFY(f->intervalBox()->isEnabled());
    QCOMPARE(sheet->focusWidget(), f->intervalBox());
    // LIN with automatic distribution set empties the interval instead.
    f->autoDivisionBox()->click();
    QVERIFY(f->intervalBox()->text().isEmpty());
    ClickTab(*sheet, kGeneral);
    QCOMPARE(sheet->tabs()->currentIndex(), int(kGeneral));
  }

  void leavingStoresTheValuesAsShown() {
    SheetRig rig;
    GraphProperties record = ManualAxes();
    record.VL.rangeMax = 12.3456789;
    record.HB.rangeMin = 0.00012345;
    record.HB.rangeMax = 1;
    record.HB.interval = 0.1;
    auto sheet = rig.open(true, record);
    ClickTab(*sheet, kFreq);
    QCOMPARE(PageOf(*sheet, kFreq)->lowerBox()->text(), QStringLiteral("0.1m"));
    ClickTab(*sheet, kGain);
    ClickOk(*sheet);
    QVERIFY(rig.messages.isEmpty());
    sheet->storeInto(record);
    QCOMPARE(record.VL.rangeMax, 12.3457);
    QCOMPARE(record.HB.rangeMin, 0.0001);
  }

  void phaseRangeListStaysEmpty() {
    SheetRig rig;
    auto sheet = rig.open(true, ManualAxes());
    ClickTab(*sheet, kPhase);
    QComboBox* list = PageOf(*sheet, kPhase)->phaseRangeList();
    QVERIFY(list);
    QCOMPARE(list->count(), 0);
    // It says so: disabled, with a tool tip on why.
    QVERIFY(!list->isEnabled());
    QVERIFY(!list->toolTip().isEmpty());
    QVERIFY(!PageOf(*sheet, kGain)->phaseRangeList());
  }

  // Unticking "use the data's limit" starts the box from the limit the page
  // was drawn with; the defaults' sheet (no page) and an axis whose limits
  // are the data's whatever is set leave it empty, as before.
  void untickingOffersTheDrawnLimit() {
    struct Case {
      Tab tab;
      bool upper;
      bool withLimits;
      const char* expected;
    };
    const Case cases[] = {
        {kFreq, false, true, "12.5000"}, {kFreq, true, true, "200.0000000k"},
        {kGain, true, true, "25"},       {kGain, false, true, "-35"},
        {kPhase, true, false, ""},       {kGain, true, false, ""},
    };
    ShownLimits shown;
    shown.frequency = {12.5, 200000.0};
    shown.gain = {-35.0, 25.0};
    for (const Case& c : cases) {
      SheetRig rig;
      GraphProperties record = FactoryDefaults();
      for (AxisSettings* a : {&record.HB, &record.VL, &record.VR}) {
        a->useDataMin = a->useDataMax = 1;
      }
      auto sheet = rig.open(true, record);
      if (c.withLimits) sheet->setShownLimits(shown);
      ClickTab(*sheet, c.tab);
      AxisPage* page = PageOf(*sheet, c.tab);
      QCheckBox* box = c.upper ? page->useDataMaxBox() : page->useDataMinBox();
      QLineEdit* edit = c.upper ? page->upperBox() : page->lowerBox();
      QVERIFY(edit->text().isEmpty());
      QTest::mouseClick(box, Qt::LeftButton, Qt::NoModifier, QPoint(5, box->height() / 2));
      QVERIFY(!box->isChecked());
      QCOMPARE(edit->text(), QString::fromUtf8(c.expected));
      if (!std::string_view(c.expected).empty()) {
        // The offered limit is taken as it stands.
        ClickOk(*sheet);
        QVERIFY(rig.messages.isEmpty());
        sheet->storeInto(record);
        const AxisSettings& a = c.tab == kFreq ? record.HB : record.VL;
        const double expected =
            c.tab == kFreq ? (c.upper ? 200000.0 : 12.5) : (c.upper ? 25.0 : -35.0);
        QCOMPARE(c.upper ? a.rangeMax : a.rangeMin, expected);
      }
    }
  }
};

QTEST_MAIN(AxisTest)
#include "propsheet_axis.moc"
