// SPDX-License-Identifier: MIT
#pragma once
// Row-wise access to a list shown through a model (the data-file list), as
// the tests read and click it.

#include <QAbstractItemModel>
#include <QItemSelectionModel>
#include <QTreeView>

namespace fernplot::testing {

class ListRows {
 public:
  explicit ListRows(const QTreeView* view) : view_(view) {}
  int Count() const { return view_->model()->rowCount(); }
  QString Text(int row, int column) const { return Data(row, column).toString(); }
  QVariant Data(int row, int column, int role = Qt::DisplayRole) const {
    return view_->model()->index(row, column).data(role);
  }
  void Select(int row) const {
    view_->selectionModel()->select(view_->model()->index(row, 0),
                                    QItemSelectionModel::Select | QItemSelectionModel::Rows);
  }
  bool Selected(int row) const { return view_->selectionModel()->isRowSelected(row, {}); }
  QRect Rect(int row) const { return view_->visualRect(view_->model()->index(row, 0)); }
  QString Heading(int column) const {
    return view_->model()->headerData(column, Qt::Horizontal).toString();
  }

 private:
  const QTreeView* view_;
};

}  // namespace fernplot::testing
