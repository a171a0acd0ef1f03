// SPDX-License-Identifier: MIT
#pragma once
// Shared helpers of the property sheet tests: a sheet whose message boxes and
// colour chooser are captured, and user-like typing and tab clicks.

#include <QApplication>
#include <QDialogButtonBox>
#include <QLineEdit>
#include <QPushButton>
#include <QTabBar>
#include <QTest>
#include <deque>
#include <memory>
#include <optional>

#include "propsheet/prop_sheet.h"
#include "propsheet/sheet_tabs.h"

namespace fernplot::test {

enum Tab : int { kGeneral = 0, kFreq, kGain, kPhase, kItems, kFont, kAddition };

struct SheetRig {
  QStringList messages;
  std::deque<std::optional<Colour>> colourAnswers;
  int colourRequests = 0;
  Colour lastColourOffered = 0;

  SheetServices services() {
    SheetServices s;
    s.showMessage = [this](QWidget*, const QString& text) { messages << text; };
    s.chooseColour = [this](QWidget*, Colour initial) -> std::optional<Colour> {
      ++colourRequests;
      lastColourOffered = initial;
      if (colourAnswers.empty()) return std::nullopt;
      std::optional<Colour> answer = colourAnswers.front();
      colourAnswers.pop_front();
      return answer;
    };
    return s;
  }

  std::unique_ptr<CPropSht1> open(bool currentPage, const GraphProperties& record,
                                  const PageFacts& facts = {}) {
    auto sheet = std::make_unique<CPropSht1>(nullptr, currentPage, record, services(), facts);
    sheet->show();
    sheet->activateWindow();
    if (!QTest::qWaitForWindowExposed(sheet.get())) return nullptr;
    return sheet;
  }
};

// Key presses carrying `text` one character at a time; unlike
// QTest::keyClicks this also types kana and kanji.
inline void TypeText(QWidget* widget, const QString& text) {
  for (QChar c : text) {
    QTest::sendKeyEvent(QTest::Click, widget, Qt::Key_unknown, QString(c), Qt::NoModifier);
  }
}

// Replaces the box's contents as a user would: select all, delete, type.
inline void TypeInto(QLineEdit* box, const QString& text) {
  box->setFocus(Qt::MouseFocusReason);
  box->selectAll();
  QTest::keyClick(box, Qt::Key_Backspace);
  TypeText(box, text);
}

inline void ClickTab(CPropSht1& sheet, int index) {
  QTabBar* bar = sheet.tabs()->tabBar();
  QTest::mouseClick(bar, Qt::LeftButton, Qt::NoModifier, bar->tabRect(index).center());
}

inline void ClickOk(CPropSht1& sheet) {
  sheet.buttons()->button(QDialogButtonBox::Ok)->click();
}

// A record whose axes all hand their limits and interval to the user.
inline GraphProperties ManualAxes() {
  GraphProperties p = FactoryDefaults();
  p.HB.scaleType = ScaleType::kLin;
  p.HB.useDataMin = p.HB.useDataMax = p.HB.autoDivision = 0;
  p.HB.rangeMin = 10;
  p.HB.rangeMax = 100000;
  p.HB.interval = 1000;
  for (AxisSettings* a : {&p.VL, &p.VR}) {
    a->useDataMin = a->useDataMax = a->autoDivision = 0;
    a->rangeMin = -40;
    a->rangeMax = 20;
    a->interval = 10;
  }
  return p;
}

}  // namespace fernplot::test
