// SPDX-License-Identifier: MIT
#pragma once
// Asks how a model is fitted to the page: the number of poles (chosen
// automatically or given) and whether a pure delay is fitted too.

#include <QDialog>

#include "analysis/fit/vector_fit.h"

class QCheckBox;
class QRadioButton;
class QSpinBox;

namespace fernplot {

class FitDialog : public QDialog {
  Q_OBJECT

 public:
  // Offers `options` (the page's last choice).
  FitDialog(const FitOptions& options, QWidget* parent);

  FitOptions Options() const;

  QRadioButton* AutomaticButton() const { return automatic_; }
  QRadioButton* GivenButton() const { return given_; }
  QSpinBox* OrderBox() const { return order_; }
  QCheckBox* DelayBox() const { return delay_; }

 private:
  QRadioButton* automatic_ = nullptr;
  QRadioButton* given_ = nullptr;
  QSpinBox* order_ = nullptr;
  QCheckBox* delay_ = nullptr;
};

}  // namespace fernplot
