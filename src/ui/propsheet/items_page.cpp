// SPDX-License-Identifier: MIT
#include "propsheet/items_page.h"

#include <QCheckBox>
#include <QGridLayout>
#include <QLabel>
#include <QVBoxLayout>

#include "propsheet/cp932_limit.h"
#include "qt_convert.h"
#include "text/encoding.h"

namespace fernplot {
namespace {

constexpr int kLeftColumnItems = 10;

}  // namespace

CPropItems::CPropItems(const SheetServices& services, QWidget* parent)
    : SheetPage(services, parent) {
  auto* grid = new QGridLayout(this);
  for (int i = 0; i < kItemCount; ++i) {
    const std::string_view label = kItemLabels[static_cast<size_t>(i)];
    auto* box = new QCheckBox(SheetText(std::string(label).c_str()), this);
    boxes_[static_cast<size_t>(i)] = box;
    const bool left = i < kLeftColumnItems;
    grid->addWidget(box, left ? i : i - kLeftColumnItems, left ? 0 : 1);
  }
  grid->setRowStretch(kLeftColumnItems, 1);
  grid->setColumnStretch(2, 1);
}

void CPropItems::initialisePage() {
  for (int i = 0; i < kItemCount; ++i) {
    boxes_[static_cast<size_t>(i)]->setChecked(flags_[static_cast<size_t>(i)]);
  }
  boxes_[0]->setFocus(Qt::TabFocusReason);
}

void CPropItems::readControls() {
  for (int i = 0; i < kItemCount; ++i) {
    flags_[static_cast<size_t>(i)] = boxes_[static_cast<size_t>(i)]->isChecked();
  }
}

CPropAddition::CPropAddition(const SheetServices& services, QWidget* parent)
    : SheetPage(services, parent) {
  auto* layout = new QVBoxLayout(this);
  layout->addWidget(new QLabel(tr("ﾃﾞｰﾀのﾀｲﾄﾙ："), this));
  box_ = new LimitedNoteEdit(kDataTitleBytes, this);
  box_->setMaximumHeight(90);
  layout->addWidget(box_);
  layout->addStretch(1);
}

void CPropAddition::initialisePage() {
  // The box keeps every line break as CR LF, so a lone CR or LF of a title
  // read from a data file grows by a byte there; cut what is shown so that
  // the box starts within its limit (an over-long box would refuse every
  // edit).
  box_->setStoredText(dataTitle_);
  if (std::string stored = box_->storedText(); Cp932Length(stored) > kDataTitleBytes) {
    stored = CutToCp932Bytes(stored, kDataTitleBytes);
    if (!stored.empty() && stored.back() == '\r') stored.pop_back();  // half a CR LF
    box_->setStoredText(stored);
  }
  shown_ = box_->toPlainText();
  box_->setFocus(Qt::TabFocusReason);
  box_->selectAll();
}

void CPropAddition::readControls() {
  // A title the user has not touched goes back exactly as it came.
  if (box_->toPlainText() == shown_) return;
  dataTitle_ = box_->storedText();
}

}  // namespace fernplot
