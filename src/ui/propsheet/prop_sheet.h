// SPDX-License-Identifier: MIT
#pragma once
// CPropSht1: the modal, tabbed graph property sheet with OK and Cancel. It
// edits nothing until OK: the pages work on their own copies of the values,
// and storeInto() writes them back into the record.

#include <QDialog>

#include "graph/page_facts.h"
#include "propsheet/axis_page.h"
#include "propsheet/font_page.h"
#include "propsheet/general_page.h"
#include "propsheet/items_page.h"
#include "propsheet/sheet_services.h"

class QDialogButtonBox;

namespace fernplot {

class SheetTabWidget;

class CPropSht1 final : public QDialog {
  Q_DECLARE_TR_FUNCTIONS(PropertySheet)

 public:
  // currentPage: the seven-tab sheet of the page on screen (with the data
  // title); otherwise the six-tab sheet of the defaults.
  // `facts`: those of the page on screen (its data title on the note page,
  // the ratio fixed for calculated data); unused for the defaults.
  CPropSht1(QWidget* parent, bool currentPage, const GraphProperties& record,
            SheetServices services, const PageFacts& facts = {});

  // The limits the page on screen was drawn with, for the axis pages.
  void setShownLimits(const ShownLimits& shown);

  // Copies the pages' values into `record` (after OK). Fields the sheet does
  // not edit are left alone.
  void storeInto(GraphProperties& record) const;
  // The edited data title, on the page on screen's sheet only.
  void storeInto(PageFacts& facts) const;

  // Brings up tab `index` as a click on it would: refused while the active
  // page's check fails.
  bool selectPage(int index);
  // OK runs the active page's check first.
  void accept() override;

  SheetTabWidget* tabs() const { return tabs_; }
  QDialogButtonBox* buttons() const { return buttons_; }
  SheetPage* activePage() const;

  CPropGeneral* general() const { return general_; }
  CPropFreq* frequency() const { return frequency_; }
  CPropGain* gain() const { return gain_; }
  CPropPhase* phase() const { return phase_; }
  CPropItems* items() const { return items_; }
  CPropFont* font() const { return font_; }
  // Constructed for both sheets, shown only on the current page's.
  CPropAddition* addition() const { return addition_; }

 private:
  void load(const GraphProperties& record, const PageFacts& facts);

  bool currentPage_;
  SheetTabWidget* tabs_ = nullptr;
  QDialogButtonBox* buttons_ = nullptr;
  CPropGeneral* general_ = nullptr;
  CPropFreq* frequency_ = nullptr;
  CPropGain* gain_ = nullptr;
  CPropPhase* phase_ = nullptr;
  CPropItems* items_ = nullptr;
  CPropFont* font_ = nullptr;
  CPropAddition* addition_ = nullptr;
};

// Transfer of one axis record to and from its page. The frequency axis has
// no tight setting; a vertical axis's tight flag is read as 0 or 1.
AxisPageValues AxisValuesFrom(const AxisSettings& axis, bool withTight);
void StoreAxisValues(const AxisPageValues& values, bool withTight, AxisSettings& axis);

}  // namespace fernplot
