// SPDX-License-Identifier: MIT
#include "fit_dialog.h"

#include <QButtonGroup>
#include <QCheckBox>
#include <QDialogButtonBox>
#include <QGridLayout>
#include <QGroupBox>
#include <QLabel>
#include <QLineEdit>
#include <QRadioButton>
#include <QRegularExpression>
#include <QSpinBox>
#include <QVBoxLayout>
#include <cmath>

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
      tr("1 次から 20 次まで試し、誤差が最良の 1.5 倍以内か、"
         "ﾃﾞｰﾀのﾉｲｽﾞ程度まで下がった最も低い次数を選びます"));
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

  layout->addWidget(RangeGroup(this, QStringLiteral("fit"), from_, to_));
  problem_ = new QLabel(this);
  problem_->setObjectName(QStringLiteral("fitProblem"));
  problem_->hide();
  layout->addWidget(problem_);

  auto* buttons = new QDialogButtonBox(QDialogButtonBox::Ok | QDialogButtonBox::Cancel, this);
  connect(buttons, &QDialogButtonBox::accepted, this, &QDialog::accept);
  connect(buttons, &QDialogButtonBox::rejected, this, &QDialog::reject);
  layout->addWidget(buttons);

  automatic_->setChecked(!options.order);
  given_->setChecked(options.order.has_value());
  order_->setValue(options.order.value_or(2));
  order_->setEnabled(options.order.has_value());
  delay_->setChecked(options.delay);
  // Six digits: a range read off the axis and typed back stays the same.
  const auto text = [](const std::optional<double>& hz) {
    return hz ? QString::number(*hz, 'g', 6) : QString();
  };
  from_->setText(text(options.fmin));
  to_->setText(text(options.fmax));
  connect(given_, &QRadioButton::toggled, order_, &QSpinBox::setEnabled);
}

QGroupBox* FitDialog::RangeGroup(QWidget* parent, const QString& prefix, QLineEdit*& from,
                                 QLineEdit*& to) {
  auto* group = new QGroupBox(tr("ﾌｨｯﾄする周波数範囲 (Hz)"), parent);
  auto* range = new QGridLayout(group);
  from = new QLineEdit(group);
  from->setObjectName(prefix + QStringLiteral("From"));
  to = new QLineEdit(group);
  to->setObjectName(prefix + QStringLiteral("To"));
  for (QLineEdit* edit : {from, to}) {
    edit->setPlaceholderText(tr("ﾃﾞｰﾀの端"));
    edit->setToolTip(tr("数値 (Hz)。k, M, G を付けてもよい。空欄はﾃﾞｰﾀの端まで"));
  }
  range->addWidget(new QLabel(tr("下限"), group), 0, 0);
  range->addWidget(from, 0, 1);
  range->addWidget(new QLabel(tr("上限"), group), 1, 0);
  range->addWidget(to, 1, 1);
  return group;
}

QString FitDialog::RangeProblem(const QLineEdit& from, const QLineEdit& to) {
  const auto lo = ParseFrequency(from.text());
  const auto hi = ParseFrequency(to.text());
  if (!lo || !hi) return tr("周波数は 0 より大きい数値 (Hz) で入力してください");
  if (*lo && *hi && **lo > **hi) return tr("下限が上限より大きくなっています");
  return {};
}

std::optional<std::optional<double>> FitDialog::ParseFrequency(const QString& text) {
  const QString t = text.trimmed();
  if (t.isEmpty()) return std::optional<double>();
  static const QRegularExpression form(
      QStringLiteral("^([-+]?[0-9]*\\.?[0-9]+(?:[eE][-+]?[0-9]+)?)\\s*([kKMG]?)(?:Hz|hz|HZ)?$"));
  const QRegularExpressionMatch m = form.match(t);
  if (!m.hasMatch()) return std::nullopt;
  bool ok = false;
  double hz = m.captured(1).toDouble(&ok);
  const QString prefix = m.captured(2);
  if (prefix == QLatin1String("k") || prefix == QLatin1String("K")) hz *= 1e3;
  if (prefix == QLatin1String("M")) hz *= 1e6;
  if (prefix == QLatin1String("G")) hz *= 1e9;
  if (!ok || !std::isfinite(hz) || hz <= 0.0) return std::nullopt;
  return std::optional<double>(hz);
}

void FitDialog::accept() {
  const QString problem = RangeProblem(*from_, *to_);
  if (!problem.isEmpty()) {
    problem_->setText(problem);
    problem_->show();
    (ParseFrequency(from_->text()) && !ParseFrequency(to_->text()) ? to_ : from_)->setFocus();
    return;
  }
  QDialog::accept();
}

FitOptions FitDialog::Options() const {
  FitOptions options;
  if (given_->isChecked()) options.order = order_->value();
  options.delay = delay_->isChecked();
  if (const auto from = ParseFrequency(from_->text())) options.fmin = *from;
  if (const auto to = ParseFrequency(to_->text())) options.fmax = *to;
  return options;
}

}  // namespace fernplot
