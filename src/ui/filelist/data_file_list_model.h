// SPDX-License-Identifier: MIT
#pragma once
// The rows of the data-file list as a table model over the search's entries.
// A row holds only the index of its entry; the cell texts are made when the
// view asks for them, so a folder of 100,000 files costs the entries and
// four bytes a row, not a widget item with five strings per file.

#include <QAbstractTableModel>
#include <cstddef>
#include <cstdint>
#include <vector>

#include "datafile/data_file_list.h"
#include "text/ui_text.h"

namespace fernplot {

class DataFileListModel : public QAbstractTableModel {
  Q_OBJECT

 public:
  // `entries` outlives the model and only grows between Clear() calls;
  // `translator` (none: the source texts) gives the cells' language.
  DataFileListModel(const DataFileList& entries, const TextTranslator* translator,
                    QObject* parent = nullptr);

  int rowCount(const QModelIndex& parent = {}) const override;
  int columnCount(const QModelIndex& parent = {}) const override;
  QVariant data(const QModelIndex& index, int role = Qt::DisplayRole) const override;
  QVariant headerData(int section, Qt::Orientation orientation,
                      int role = Qt::DisplayRole) const override;

  // The cell's text as the list shows it (after its leading blank).
  QString CellText(int row, int column) const;
  // The entry a row shows.
  size_t EntryIndex(int row) const { return order_[static_cast<size_t>(row)]; }

  // Rows for the entries from `first` on, appended below the others.
  void AppendEntries(size_t first);
  // No rows; call before the entries themselves are released.
  void Clear();
  // Orders the rows by a column of the list (ties in name order); the
  // selection and current row follow their entries.
  void SortByColumn(int column, bool descending);

 private:
  const DataFileList& entries_;
  const TextTranslator* translator_;
  std::vector<uint32_t> order_;  // row -> entry index
};

}  // namespace fernplot
