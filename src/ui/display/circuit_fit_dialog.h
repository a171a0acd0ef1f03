// SPDX-License-Identifier: MIT
#pragma once
// Asks how an equivalent circuit is fitted to an impedance page: the
// circuit string (checked as it is typed), a starting value for each of its
// parameters (empty: chosen from the data) and whether it stays fixed, how
// the residuals are weighted, the band fitted and whether the global
// optimum is searched for. The result and standard error of a fit already
// made with the same circuit are shown beside the parameters.

#include <QDialog>
#include <optional>
#include <string>

#include "analysis/impedance/circuit_fit.h"
#include "frame_dialogs.h"

class QCheckBox;
class QComboBox;
class QLabel;
class QLineEdit;
class QTableWidget;

namespace fernplot {

class CircuitFitDialog : public QDialog {
  Q_OBJECT

 public:
  // Offers `choice` (the page's last one); `fitted`, when given, is the
  // page's fit, whose values are shown for the parameters of its circuit.
  CircuitFitDialog(const CircuitChoice& choice, const CircuitFitResult* fitted, QWidget* parent);

  // Valid after the dialog was accepted.
  CircuitChoice Choice() const;

  QLineEdit* CircuitBox() const { return circuit_; }
  QLabel* ProblemLabel() const { return problem_; }
  QTableWidget* ParameterTable() const { return table_; }
  QComboBox* WeightBox() const { return weight_; }
  QCheckBox* GlobalBox() const { return global_; }
  QLineEdit* FromBox() const { return from_; }
  QLineEdit* ToBox() const { return to_; }

  void accept() override;

 private:
  // The table's rows for the circuit typed, keeping what was typed for
  // parameters of the same name; the problem shown when it does not parse.
  void CircuitEdited();
  // The starting values as typed, or why they cannot be used.
  std::optional<std::vector<InitialValue>> TypedInitialValues(QString& problem) const;

  QLineEdit* circuit_ = nullptr;
  QLabel* problem_ = nullptr;
  QTableWidget* table_ = nullptr;
  QComboBox* weight_ = nullptr;
  QCheckBox* global_ = nullptr;
  QLineEdit* from_ = nullptr;
  QLineEdit* to_ = nullptr;
  std::optional<Circuit> parsed_;
  const CircuitFitResult* fitted_ = nullptr;
};

}  // namespace fernplot
