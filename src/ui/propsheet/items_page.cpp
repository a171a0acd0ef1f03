#include "propsheet/items_page.h"

#include <QCheckBox>
#include <QGridLayout>
#include <QLabel>
#include <QVBoxLayout>

#include "propsheet/cp932_limit.h"
#include "text/encoding.h"

namespace fernplot {
namespace {

constexpr int kLeftColumnItems = 10;
constexpr size_t kDataTitleBytes = 64;

}  // namespace

CPropItems::CPropItems(const SheetServices& services, QWidget* parent)
    : SheetPage(services, parent) {
  auto* grid = new QGridLayout(this);
  for (int i = 0; i < kItemCount; ++i) {
    const std::string_view label = kItemLabels[static_cast<size_t>(i)];
    auto* box =
        new QCheckBox(QString::fromUtf8(label.data(), static_cast<qsizetype>(label.size())), this);
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
  layout->addWidget(new QLabel(QString::fromUtf8("ﾃﾞｰﾀのﾀｲﾄﾙ："), this));
  box_ = new LimitedNoteEdit(kDataTitleBytes, this);
  box_->setMaximumHeight(90);
  layout->addWidget(box_);
  layout->addStretch(1);
}

void CPropAddition::initialisePage() {
  box_->setStoredText(CutToCp932Bytes(dataTitle_, kDataTitleBytes));
  box_->setFocus(Qt::TabFocusReason);
  box_->selectAll();
}

void CPropAddition::readControls() {
  dataTitle_ = box_->storedText();
}

}  // namespace fernplot
