// SPDX-License-Identifier: MIT
#pragma once
// Paints the rows of the data-file list: the kind colour as text colour on
// the list background, or white on the kind colour when selected.

#include <QColor>
#include <QStyledItemDelegate>

namespace fernplot {

enum class FileKind { kRaw, kCalculated, kUnreadable };

// Item data roles of the list's rows.
constexpr int kEntryIndexRole = Qt::UserRole;
constexpr int kFileKindRole = Qt::UserRole + 1;

QColor KindColour(FileKind kind);
QColor ListBackground();

class DataFileRowDelegate : public QStyledItemDelegate {
 public:
  using QStyledItemDelegate::QStyledItemDelegate;

  void paint(QPainter* painter, const QStyleOptionViewItem& option,
             const QModelIndex& index) const override;
  QSize sizeHint(const QStyleOptionViewItem& option, const QModelIndex& index) const override;
};

}  // namespace fernplot
