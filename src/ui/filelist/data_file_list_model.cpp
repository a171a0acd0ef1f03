// SPDX-License-Identifier: MIT
#include "data_file_list_model.h"

#include <QCoreApplication>
#include <array>

#include "data_file_row_delegate.h"
#include "datafile/data_file_list_cells.h"
#include "qt_convert.h"

namespace fernplot {

namespace {

// The headings keep the dialog's translation context.
constexpr std::array<const char*, kListColumnCount> kHeadings{{
    QT_TRANSLATE_NOOP("fernplot::DataFileListDialog", " ﾌｧｲﾙ名"),
    QT_TRANSLATE_NOOP("fernplot::DataFileListDialog", "ﾃﾞｰﾀ ﾀｲﾌﾟ"),
    QT_TRANSLATE_NOOP("fernplot::DataFileListDialog", "件数"),
    QT_TRANSLATE_NOOP("fernplot::DataFileListDialog", "ﾃﾞｰﾀの生成日時"),
    QT_TRANSLATE_NOOP("fernplot::DataFileListDialog", "コメント"),
}};

FileKind KindOf(const DataFileEntry& entry) {
  if (!IsReadable(entry)) return FileKind::kUnreadable;
  return entry.header->dataType == 0 ? FileKind::kRaw : FileKind::kCalculated;
}

}  // namespace

DataFileListModel::DataFileListModel(const DataFileList& entries, const TextTranslator* translator,
                                     QObject* parent)
    : QAbstractTableModel(parent), entries_(entries), translator_(translator) {}

int DataFileListModel::rowCount(const QModelIndex& parent) const {
  return parent.isValid() ? 0 : static_cast<int>(order_.size());
}

int DataFileListModel::columnCount(const QModelIndex& parent) const {
  return parent.isValid() ? 0 : kListColumnCount;
}

QString DataFileListModel::CellText(int row, int column) const {
  if (row < 0 || static_cast<size_t>(row) >= order_.size() || column < 0 ||
      column >= kListColumnCount) {
    return {};
  }
  const DataFileEntry& entry = entries_[EntryIndex(row)];
  const QString cell =
      QStringFromUtf8(DataFileListCells(entry, translator_)[static_cast<size_t>(column)]);
  // Every cell is printed after one blank; the count right-aligned in four.
  if (column == 2 && !cell.isEmpty()) return QLatin1Char(' ') + cell.rightJustified(4, u' ');
  if ((column == 2 || column == 3) && cell.isEmpty()) return {};
  return QLatin1Char(' ') + cell;
}

QVariant DataFileListModel::data(const QModelIndex& index, int role) const {
  if (!index.isValid() || static_cast<size_t>(index.row()) >= order_.size()) return {};
  switch (role) {
    case Qt::DisplayRole:
      return CellText(index.row(), index.column());
    case kEntryIndexRole:
      return static_cast<int>(EntryIndex(index.row()));
    case kFileKindRole:
      return static_cast<int>(KindOf(entries_[EntryIndex(index.row())]));
    default:
      return {};
  }
}

QVariant DataFileListModel::headerData(int section, Qt::Orientation orientation, int role) const {
  if (orientation != Qt::Horizontal || role != Qt::DisplayRole || section < 0 ||
      section >= kListColumnCount) {
    return {};
  }
  return QCoreApplication::translate("fernplot::DataFileListDialog",
                                     kHeadings[static_cast<size_t>(section)]);
}

void DataFileListModel::AppendEntries(size_t first) {
  const size_t last = entries_.size();
  if (first >= last) return;
  const int row = static_cast<int>(order_.size());
  beginInsertRows({}, row, row + static_cast<int>(last - first) - 1);
  for (size_t i = first; i < last; ++i) order_.push_back(static_cast<uint32_t>(i));
  endInsertRows();
}

void DataFileListModel::Clear() {
  beginResetModel();
  order_.clear();
  order_.shrink_to_fit();
  endResetModel();
}

void DataFileListModel::SortByColumn(int column, bool descending) {
  if (column < 0 || column >= kListColumnCount || order_.empty()) return;
  emit layoutAboutToBeChanged({}, QAbstractItemModel::VerticalSortHint);
  const QModelIndexList before = persistentIndexList();
  std::vector<uint32_t> entryOf;
  entryOf.reserve(static_cast<size_t>(before.size()));
  for (const QModelIndex& index : before) entryOf.push_back(order_[index.row()]);

  SortListOrder(entries_, order_, column, descending);

  std::vector<int> rowOf(entries_.size(), -1);
  for (size_t r = 0; r < order_.size(); ++r) rowOf[order_[r]] = static_cast<int>(r);
  QModelIndexList after;
  after.reserve(before.size());
  for (qsizetype i = 0; i < before.size(); ++i) {
    after << index(rowOf[entryOf[static_cast<size_t>(i)]], before[i].column());
  }
  changePersistentIndexList(before, after);
  emit layoutChanged({}, QAbstractItemModel::VerticalSortHint);
}

}  // namespace fernplot
