// SPDX-License-Identifier: MIT
#include "fit_dialog.h"

#include <QButtonGroup>
#include <QCheckBox>
#include <QDialogButtonBox>
#include <QGridLayout>
#include <QGroupBox>
#include <QLabel>
#include <QRadioButton>
#include <QSpinBox>
#include <QVBoxLayout>

namespace fernplot {

FitDialog::FitDialog(const FitOptions& options, QWidget* parent) : QDialog(parent) {
  setWindowTitle(tr("ﾓﾃﾞﾙのﾌｨｯﾄ"));
  setObjectName(QStringLiteral("fitDialog"));
  auto* layout = new QVBoxLayout(this);

  auto* orderGroup = new QGroupBox(tr("次数 (極の数)"), this);
  auto* grid = new QGridLayout(orderGroup);
  automatic_ = new QRadioButton(tr("自動"), orderGroup);
  automatic_->setObjectName(QStringLiteral("fitAutomatic"));
  automatic_->setToolTip(
      tr("1 次から順に試し、誤差がそれ以上 10% を超えて減らない次数か、"
         "ﾃﾞｰﾀのﾉｲｽﾞ程度まで下がった次数を選びます"));
  given_ = new QRadioButton(tr("指定"), orderGroup);
  given_->setObjectName(QStringLiteral("fitGiven"));
  order_ = new QSpinBox(orderGroup);
  order_->setObjectName(QStringLiteral("fitOrder"));
  order_->setRange(1, kMaxFitOrder);
  auto* choice = new QButtonGroup(this);
  choice->addButton(automatic_);
  choice->addButton(given_);
  grid->addWidget(automatic_, 0, 0, 1, 2);
  grid->addWidget(given_, 1, 0);
  grid->addWidget(order_, 1, 1);
  grid->setColumnStretch(2, 1);
  layout->addWidget(orderGroup);

  delay_ = new QCheckBox(tr("むだ時間 (遅延) も求める"), this);
  delay_->setObjectName(QStringLiteral("fitDelay"));
  layout->addWidget(delay_);

  auto* buttons = new QDialogButtonBox(QDialogButtonBox::Ok | QDialogButtonBox::Cancel, this);
  connect(buttons, &QDialogButtonBox::accepted, this, &QDialog::accept);
  connect(buttons, &QDialogButtonBox::rejected, this, &QDialog::reject);
  layout->addWidget(buttons);

  automatic_->setChecked(!options.order);
  given_->setChecked(options.order.has_value());
  order_->setValue(options.order.value_or(2));
  order_->setEnabled(options.order.has_value());
  delay_->setChecked(options.delay);
  connect(given_, &QRadioButton::toggled, order_, &QSpinBox::setEnabled);
}

FitOptions FitDialog::Options() const {
  FitOptions options;
  if (given_->isChecked()) options.order = order_->value();
  options.delay = delay_->isChecked();
  return options;
}

}  // namespace fernplot
