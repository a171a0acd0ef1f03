// SPDX-License-Identifier: MIT
#pragma once
// CPropItems ("表示項目") chooses the info items of the page's text block;
// CPropAddition ("付記") edits the current page's data title.

#include <QString>
#include <array>
#include <string>

#include "propsheet/sheet_page.h"

class QCheckBox;

namespace fernplot {

class LimitedNoteEdit;

class CPropItems final : public SheetPage {
  Q_DECLARE_TR_FUNCTIONS(PropertySheet)

 public:
  CPropItems(const SheetServices& services, QWidget* parent);

  const std::array<bool, kItemCount>& flags() const { return flags_; }
  void setFlags(const std::array<bool, kItemCount>& flags) { flags_ = flags; }
  QCheckBox* itemBox(int index) const { return boxes_[static_cast<size_t>(index)]; }

 protected:
  void initialisePage() override;
  void readControls() override;

 private:
  std::array<bool, kItemCount> flags_{};
  std::array<QCheckBox*, kItemCount> boxes_{};
};

class CPropAddition final : public SheetPage {
  Q_DECLARE_TR_FUNCTIONS(PropertySheet)

 public:
  CPropAddition(const SheetServices& services, QWidget* parent);

  // UTF-8, line breaks as CR LF; at most 64 CP932 bytes.
  const std::string& dataTitle() const { return dataTitle_; }
  void setDataTitle(const std::string& title) { dataTitle_ = title; }
  LimitedNoteEdit* titleBox() const { return box_; }

 protected:
  void initialisePage() override;
  void readControls() override;

 private:
  std::string dataTitle_;
  QString shown_;  // the box's text when the page was first shown
  LimitedNoteEdit* box_ = nullptr;
};

}  // namespace fernplot
