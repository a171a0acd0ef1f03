// SPDX-License-Identifier: MIT
#include "circuit_fit_dialog.h"

#include <QCheckBox>
#include <QComboBox>
#include <QDialogButtonBox>
#include <QFormLayout>
#include <QGridLayout>
#include <QGroupBox>
#include <QHeaderView>
#include <QLabel>
#include <QLineEdit>
#include <QTableWidget>
#include <QVBoxLayout>
#include <map>

#include "analysis/impedance/circuit_text.h"
#include "fit_dialog.h"
#include "qt_convert.h"

namespace fernplot {

namespace {

enum Column { kName, kInitial, kFixed, kResult, kError, kColumns };

constexpr CircuitWeight kWeights[] = {CircuitWeight::kModulus, CircuitWeight::kUnit,
                                      CircuitWeight::kProportional};

QTableWidgetItem* ReadOnlyItem(const QString& text) {
  auto* item = new QTableWidgetItem(text);
  item->setFlags(item->flags() & ~Qt::ItemIsEditable);
  return item;
}

// Seventeen digits would be noise to read; this many round-trip what the
// dialog showed when typed back.
QString ValueText(double v) {
  return QString::number(v, 'g', 10);
}

}  // namespace

CircuitFitDialog::CircuitFitDialog(const CircuitChoice& choice, const CircuitFitResult* fitted,
                                   QWidget* parent)
    : QDialog(parent), fitted_(fitted) {
  setWindowTitle(tr("等価回路のﾌｨｯﾄ"));
  setObjectName(QStringLiteral("circuitFitDialog"));
  auto* layout = new QVBoxLayout(this);
  auto* form = new QFormLayout;
  circuit_ = new QLineEdit(this);
  circuit_->setObjectName(QStringLiteral("circuitText"));
  circuit_->setToolTip(
      tr("素子 R, C, L, CPE, W, Wo, Ws, G に番号を付け､直列は -､並列は p(a,b) で"
         "つなぎます｡例: R0-p(R1,C1)-p(R2-Wo1,C2)"));
  form->addRow(tr("回路"), circuit_);
  layout->addLayout(form);
  problem_ = new QLabel(this);
  problem_->setObjectName(QStringLiteral("circuitProblem"));
  problem_->setStyleSheet(QStringLiteral("color: #b00000"));
  problem_->hide();
  layout->addWidget(problem_);

  table_ = new QTableWidget(0, kColumns, this);
  table_->setObjectName(QStringLiteral("circuitParameters"));
  table_->setHorizontalHeaderLabels(
      {tr("ﾊﾟﾗﾒｰﾀ"), tr("初期値"), tr("固定"), tr("結果"), tr("標準誤差")});
  table_->verticalHeader()->hide();
  // Room for a value typed in full and a result with its unit.
  table_->horizontalHeader()->setSectionResizeMode(QHeaderView::Interactive);
  table_->horizontalHeader()->setStretchLastSection(true);
  table_->setColumnWidth(kName, 80);
  table_->setColumnWidth(kInitial, 110);
  table_->setColumnWidth(kFixed, 40);
  table_->setColumnWidth(kResult, 110);
  table_->setToolTip(tr("初期値が空欄のﾊﾟﾗﾒｰﾀはﾃﾞｰﾀから自動で選びます"));
  layout->addWidget(table_, 1);

  auto* options = new QFormLayout;
  weight_ = new QComboBox(this);
  weight_->setObjectName(QStringLiteral("circuitWeight"));
  weight_->addItem(tr("|Z| で割る (modulus)"));
  weight_->addItem(tr("なし (unit)"));
  weight_->addItem(tr("Re は |Re Z|､Im は |Im Z| で割る (proportional)"));
  options->addRow(tr("残差の重み"), weight_);
  global_ = new QCheckBox(tr("大域探索 (global search)"), this);
  global_->setObjectName(QStringLiteral("circuitGlobal"));
  global_->setToolTip(tr("いくつもの初期値から探し､最良の解を選びます (最長 2 秒)"));
  options->addRow(QString(), global_);
  layout->addLayout(options);

  layout->addWidget(FitDialog::RangeGroup(this, QStringLiteral("circuit"), from_, to_));

  auto* buttons = new QDialogButtonBox(QDialogButtonBox::Ok | QDialogButtonBox::Cancel, this);
  connect(buttons, &QDialogButtonBox::accepted, this, &QDialog::accept);
  connect(buttons, &QDialogButtonBox::rejected, this, &QDialog::reject);
  layout->addWidget(buttons);

  for (int i = 0; i < static_cast<int>(std::size(kWeights)); ++i) {
    if (kWeights[i] == choice.options.weight) weight_->setCurrentIndex(i);
  }
  global_->setChecked(choice.options.global);
  const auto text = [](const std::optional<double>& hz) {
    return hz ? QString::number(*hz, 'g', 6) : QString();
  };
  from_->setText(text(choice.options.fmin));
  to_->setText(text(choice.options.fmax));
  circuit_->setText(QStringFromUtf8(choice.circuit));
  CircuitEdited();
  // The starting values of the last fit go in the rows of their names.
  for (int row = 0; row < table_->rowCount(); ++row) {
    const std::string name = (table_->item(row, kName)->text()).toStdString();
    for (const InitialValue& v : choice.options.initial) {
      if (v.name != name) continue;
      if (v.value) table_->item(row, kInitial)->setText(ValueText(*v.value));
      table_->item(row, kFixed)->setCheckState(v.fixed ? Qt::Checked : Qt::Unchecked);
    }
  }
  connect(circuit_, &QLineEdit::textChanged, this, [this] { CircuitEdited(); });
  resize(520, 460);
}

void CircuitFitDialog::CircuitEdited() {
  // What was typed for each parameter stays with its name.
  std::map<std::string, std::pair<QString, bool>> typed;
  for (int row = 0; row < table_->rowCount(); ++row) {
    typed[(table_->item(row, kName)->text()).toStdString()] = {
        table_->item(row, kInitial)->text(),
        table_->item(row, kFixed)->checkState() == Qt::Checked};
  }
  CircuitParse parse = ParseCircuit((circuit_->text()).toStdString());
  parsed_ = std::move(parse.circuit);
  if (!parsed_) {
    problem_->setText(QStringFromUtf8(parse.Error()));
    problem_->show();
    return;  // the rows of the last good circuit stay until it is mended
  }
  problem_->hide();
  const std::vector<CircuitParameter>& parameters = parsed_->parameters();
  table_->setRowCount(static_cast<int>(parameters.size()));
  const bool sameCircuit = fitted_ && fitted_->ok() && fitted_->circuit == parsed_->text();
  for (int row = 0; row < static_cast<int>(parameters.size()); ++row) {
    const CircuitParameter& p = parameters[static_cast<size_t>(row)];
    table_->setItem(row, kName, ReadOnlyItem(QStringFromUtf8(p.name)));
    const auto was = typed.find(p.name);
    table_->setItem(row, kInitial,
                    new QTableWidgetItem(was != typed.end() ? was->second.first : QString()));
    auto* fixed = new QTableWidgetItem;
    fixed->setFlags((fixed->flags() | Qt::ItemIsUserCheckable) & ~Qt::ItemIsEditable);
    fixed->setCheckState(was != typed.end() && was->second.second ? Qt::Checked : Qt::Unchecked);
    table_->setItem(row, kFixed, fixed);
    QString result, error;
    if (sameCircuit && static_cast<size_t>(row) < fitted_->parameters.size()) {
      const FittedParameter& f = fitted_->parameters[static_cast<size_t>(row)];
      result = QStringFromUtf8(ParameterValueText(f));
      error = f.fixed ? tr("固定") : f.stdError ? QString::number(*f.stdError, 'g', 3) : tr("不定");
    }
    table_->setItem(row, kResult, ReadOnlyItem(result));
    table_->setItem(row, kError, ReadOnlyItem(error));
  }
}

std::optional<std::vector<InitialValue>> CircuitFitDialog::TypedInitialValues(
    QString& problem) const {
  std::vector<InitialValue> values;
  for (int row = 0; row < table_->rowCount(); ++row) {
    InitialValue v;
    v.name = (table_->item(row, kName)->text()).toStdString();
    v.fixed = table_->item(row, kFixed)->checkState() == Qt::Checked;
    const QString text = table_->item(row, kInitial)->text().trimmed();
    if (!text.isEmpty()) {
      bool ok = false;
      const double x = text.toDouble(&ok);
      if (!ok) {
        problem = tr("%1 の初期値が数値ではありません").arg(QStringFromUtf8(v.name));
        return std::nullopt;
      }
      v.value = x;
    } else if (v.fixed) {
      problem = tr("%1 を固定するには初期値が必要です").arg(QStringFromUtf8(v.name));
      return std::nullopt;
    }
    if (v.value || v.fixed) values.push_back(std::move(v));
  }
  if (const std::string why = CheckInitialValues(values, *parsed_); !why.empty()) {
    problem = QStringFromUtf8(why);
    return std::nullopt;
  }
  return values;
}

void CircuitFitDialog::accept() {
  QString problem;
  if (!parsed_) {
    problem = problem_->text().isEmpty() ? tr("回路を入力してください") : problem_->text();
  } else if (problem = FitDialog::RangeProblem(*from_, *to_); problem.isEmpty()) {
    TypedInitialValues(problem);
  }
  if (!problem.isEmpty()) {
    problem_->setText(problem);
    problem_->show();
    return;
  }
  QDialog::accept();
}

CircuitChoice CircuitFitDialog::Choice() const {
  CircuitChoice c;
  c.circuit = (circuit_->text()).toStdString();
  c.options.weight = kWeights[std::max(0, weight_->currentIndex())];
  c.options.global = global_->isChecked();
  if (const auto from = FitDialog::ParseFrequency(from_->text())) c.options.fmin = *from;
  if (const auto to = FitDialog::ParseFrequency(to_->text())) c.options.fmax = *to;
  QString problem;
  if (parsed_)
    c.options.initial = TypedInitialValues(problem).value_or(std::vector<InitialValue>{});
  return c;
}

}  // namespace fernplot
