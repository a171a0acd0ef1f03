// SPDX-License-Identifier: MIT
#pragma once
// The small list of a page's traces: remove an overlay, or make one the
// reference the difference is taken to.

#include <QDialog>

#include "trace_list.h"

class QListWidget;
class QPushButton;

namespace fernplot {

class TracesDialog : public QDialog {
  Q_OBJECT

 public:
  explicit TracesDialog(const TraceList& traces, QWidget* parent = nullptr);

  QListWidget* List() const { return list_; }
  QPushButton* RemoveButton() const { return remove_; }
  QPushButton* ReferenceButton() const { return reference_; }

  // Row 0 is the page's own trace, which stays; row k the k-th overlay left.
  void RemoveRow(int row);
  // Makes the row's overlay the reference, or no reference when it is one.
  void ToggleReferenceRow(int row);
  // The list as it stands.
  const TraceListEdit& Edit() const { return edit_; }

 private:
  void Fill();
  void UpdateButtons();

  TraceList traces_;
  TraceListEdit edit_;
  QListWidget* list_ = nullptr;
  QPushButton* remove_ = nullptr;
  QPushButton* reference_ = nullptr;
};

}  // namespace fernplot
