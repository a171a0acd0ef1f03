// SPDX-License-Identifier: MIT
#pragma once
// Asks how a model is fitted to the page: the number of poles (chosen
// automatically or given), whether a pure delay is fitted too, and the
// range of frequencies fitted (empty ends: the sweep's).

#include <QDialog>
#include <optional>

#include "analysis/fit/vector_fit.h"

class QCheckBox;
class QGroupBox;
class QLabel;
class QLineEdit;
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
  QLineEdit* FromBox() const { return from_; }
  QLineEdit* ToBox() const { return to_; }

  // A frequency as typed: a number in Hz, with an SI prefix letter after it
  // or not ("1.5k", "20 MHz"); empty text is no limit. Nothing for text that
  // is no frequency above 0.
  static std::optional<std::optional<double>> ParseFrequency(const QString& text);

  // The band of a fit: a box of two lines named PREFIX "From" and "To",
  // and why what they hold is no band (empty when it is one).
  static QGroupBox* RangeGroup(QWidget* parent, const QString& prefix, QLineEdit*& from,
                               QLineEdit*& to);
  static QString RangeProblem(const QLineEdit& from, const QLineEdit& to);

  void accept() override;

 private:
  QRadioButton* automatic_ = nullptr;
  QRadioButton* given_ = nullptr;
  QSpinBox* order_ = nullptr;
  QCheckBox* delay_ = nullptr;
  QLineEdit* from_ = nullptr;
  QLineEdit* to_ = nullptr;
  QLabel* problem_ = nullptr;
};

}  // namespace fernplot
