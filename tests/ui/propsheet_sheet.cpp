// SPDX-License-Identifier: MIT
// The sheet as a whole: its tabs, the transfer of the record in and out,
// Cancel, and the rule that both vertical axes leave with one length.

#include <QCheckBox>
#include <QComboBox>
#include <QListWidget>
#include <QRadioButton>
#include <QTimer>

#include "propsheet/cp932_limit.h"
#include "propsheet/edit_graph_properties.h"
#include "propsheet_support.h"

using namespace fernplot;
using namespace fernplot::test;

namespace {

AxisPage* PageOf(CPropSht1& sheet, int tab) {
  return static_cast<AxisPage*>(sheet.tabs()->widget(tab));
}

// Runs `drive` on the modal sheet once EditGraphProperties has shown it.
bool EditWith(GraphProperties& record, PageFacts* facts, std::function<void(CPropSht1&)> drive) {
  bool driven = false;
  QTimer::singleShot(0, [&] {
    auto* sheet = dynamic_cast<CPropSht1*>(QApplication::activeModalWidget());
    if (!sheet) {
      for (QWidget* w : QApplication::topLevelWidgets()) {
        if (auto* s = dynamic_cast<CPropSht1*>(w); s && s->isVisible()) sheet = s;
      }
    }
    if (!sheet) return;
    driven = true;
    drive(*sheet);
  });
  const bool result = EditGraphProperties(nullptr, record, facts);
  if (!driven) qWarning("sheet was not driven");
  return result;
}

QStringList TabTexts(CPropSht1& sheet) {
  QStringList texts;
  for (int i = 0; i < sheet.tabs()->count(); ++i) texts << sheet.tabs()->tabText(i);
  return texts;
}

}  // namespace

class SheetTest : public QObject {
  Q_OBJECT

 private slots:
  void tabsAndCaptions() {
    SheetRig rig;
    const QStringList six = {QString::fromUtf8("全般"),       QString::fromUtf8("横軸(周波数)"),
                             QString::fromUtf8("縦軸(ｹﾞｲﾝ)"), QString::fromUtf8("縦軸(位相)"),
                             QString::fromUtf8("表示項目"),   QString::fromUtf8("ﾌｫﾝﾄ")};
    auto current = rig.open(true, FactoryDefaults());
    QCOMPARE(current->windowTitle(), QString::fromUtf8("ｸﾞﾗﾌのﾌﾟﾛﾊﾟﾃｨ"));
    QCOMPARE(TabTexts(*current), six + QStringList{QString::fromUtf8("付記")});
    QCOMPARE(current->tabs()->currentIndex(), 0);
    QCOMPARE(current->buttons()->buttons().size(), 2);
    QVERIFY(current->buttons()->button(QDialogButtonBox::Ok));
    QVERIFY(current->buttons()->button(QDialogButtonBox::Cancel));

    auto defaults = rig.open(false, FactoryDefaults());
    QCOMPARE(defaults->windowTitle(), QString::fromUtf8("ｸﾞﾗﾌのﾌﾟﾛﾊﾟﾃｨ - 標準値"));
    QCOMPARE(TabTexts(*defaults), six);
  }

  void cancelLeavesEveryByte() {
    GraphProperties record = ManualAxes();
    PageFacts facts{.dataTitle = "SWEEP 1", .calculated = true};
    record.VL.length = 100;
    record.VR.tight = true;
    const GraphProperties original = record;
    const PageFacts originalFacts = facts;
    const bool ok = EditWith(record, &facts, [](CPropSht1& sheet) {
      TypeInto(sheet.general()->titleBox(), "changed");
      ClickTab(sheet, kFreq);
      TypeInto(sheet.frequency()->lengthBox(), "100");
      ClickTab(sheet, kItems);
      sheet.items()->itemBox(3)->click();
      ClickTab(sheet, kFont);
      QComboBox* sizes = sheet.font()->sizeCombo();
      sizes->setCurrentIndex(0);
      emit sizes->activated(0);
      ClickTab(sheet, kAddition);
      sheet.addition()->titleBox()->setPlainText("other");
      sheet.buttons()->button(QDialogButtonBox::Cancel)->click();
    });
    QVERIFY(!ok);
    QVERIFY(record == original);
    QVERIFY(facts == originalFacts);
  }

  void okStoresTheEdits() {
    GraphProperties record = FactoryDefaults();
    PageFacts facts{.dataTitle = "before"};
    const bool ok = EditWith(record, &facts, [](CPropSht1& sheet) {
      TypeInto(sheet.general()->titleBox(), QString::fromUtf8("新しいタイトル"));
      ClickTab(sheet, kAddition);
      sheet.addition()->titleBox()->setPlainText("after");
      ClickOk(sheet);
    });
    QVERIFY(ok);
    QCOMPARE(record.title, std::string("新しいタイトル"));
    QCOMPARE(facts.dataTitle, std::string("after"));
  }

  void okRightAfterOpening() {
    // Only the vertical lengths (both become the longer) and the ratio of a
    // calculated-data page change; fields the sheet does not own stay.
    GraphProperties record = FactoryDefaults();
    record.VL.length = 100;
    record.VR.length = 130;
    record.calcType = ChannelRatio::kCh2Ch1;
    record.HB.tight = true;
    record.HT.length = 3;
    GraphProperties expected = record;
    expected.VL.length = expected.VR.length = 130;
    expected.calcType = ChannelRatio::kCh1Ch2;

    SheetRig rig;
    auto sheet = rig.open(true, record, PageFacts{.calculated = true});
    ClickOk(*sheet);
    QCOMPARE(sheet->result(), int(QDialog::Accepted));
    sheet->storeInto(record);
    QVERIFY(record == expected);
  }

  void verticalLengthRule() {
    struct Row {
      const char* name;
      const char* gainTyped;   // nullptr: tab not opened
      const char* phaseTyped;  // nullptr: tab not opened
      float expected;
    };
    const Row rows[] = {
        {"gain longer, phase never opened", "150", nullptr, 150.0f},
        {"gain shortened, phase opened", "100", "", 120.0f},
        {"phase longest", "150", "200", 200.0f},
        {"neither opened", nullptr, nullptr, 120.0f},
    };
    for (const Row& r : rows) {
      SheetRig rig;
      GraphProperties record = FactoryDefaults();
      auto sheet = rig.open(true, record);
      if (r.gainTyped) {
        ClickTab(*sheet, kGain);
        TypeInto(PageOf(*sheet, kGain)->lengthBox(), r.gainTyped);
      }
      if (r.phaseTyped) {
        ClickTab(*sheet, kPhase);
        if (*r.phaseTyped) TypeInto(PageOf(*sheet, kPhase)->lengthBox(), r.phaseTyped);
      }
      ClickOk(*sheet);
      QVERIFY2(rig.messages.isEmpty(), r.name);
      sheet->storeInto(record);
      QVERIFY2(record.VL.length == r.expected && record.VR.length == r.expected, r.name);
    }
  }

  void defaultSheetLeavesDataTitle() {
    GraphProperties record = FactoryDefaults();
    PageFacts facts{.dataTitle = "kept"};
    SheetRig rig;
    auto sheet = rig.open(false, record, facts);
    QCOMPARE(sheet->tabs()->indexOf(sheet->addition()), -1);
    QVERIFY(!sheet->addition()->isVisible());
    TypeInto(sheet->general()->titleBox(), "DEFAULT");
    ClickOk(*sheet);
    sheet->storeInto(record);
    sheet->storeInto(facts);
    QCOMPARE(facts.dataTitle, std::string("kept"));
    QCOMPARE(record.title, std::string("DEFAULT"));
  }

  void axisValuesTravelBothWays() {
    GraphProperties record = ManualAxes();
    record.HB.caption = std::string(1, 'F');  // a literal here trips a false -Wrestrict
    record.HB.gridLines = 0;
    record.VR.tight = true;
    record.VR.autoDivision = 1;
    SheetRig rig;
    auto sheet = rig.open(true, record);
    ClickTab(*sheet, kFreq);
    AxisPage* f = PageOf(*sheet, kFreq);
    TypeInto(f->captionBox(), "Hz axis");
    f->gridLinesBox()->click();
    TypeInto(f->margin1Box(), "12");
    ClickTab(*sheet, kPhase);
    AxisPage* p = PageOf(*sheet, kPhase);
    QVERIFY(p->tightButton(1)->isChecked());
    p->tightButton(0)->click();
    ClickOk(*sheet);
    QVERIFY(rig.messages.isEmpty());
    sheet->storeInto(record);
    QCOMPARE(record.HB.caption, std::string("Hz axis"));
    QCOMPARE(record.HB.gridLines, 1);
    QCOMPARE(record.HB.margin1, 12.0f);
    QVERIFY(!record.VR.tight);
    QCOMPARE(record.VR.interval, 0.0);  // automatic distribution shown
  }
};

QTEST_MAIN(SheetTest)
#include "propsheet_sheet.moc"
