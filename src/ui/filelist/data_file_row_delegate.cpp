// SPDX-License-Identifier: MIT
#include "data_file_row_delegate.h"

#include <QPainter>

namespace fernplot {

QColor KindColour(FileKind kind) {
  switch (kind) {
    case FileKind::kRaw:
      return QColor(0, 0, 255);
    case FileKind::kCalculated:
      return QColor(0, 127, 0);
    case FileKind::kUnreadable:
      break;
  }
  return QColor(127, 127, 127);
}

QColor ListBackground() {
  return QColor(255, 255, 230);
}

void DataFileRowDelegate::paint(QPainter* painter, const QStyleOptionViewItem& option,
                                const QModelIndex& index) const {
  // The row's kind is kept once, on its first cell.
  const auto kind = static_cast<FileKind>(index.siblingAtColumn(0).data(kFileKindRole).toInt());
  const bool selected = option.state & QStyle::State_Selected;
  const QColor kindColour = KindColour(kind);
  painter->save();
  painter->fillRect(option.rect, selected ? kindColour : ListBackground());
  painter->setPen(selected ? QColor(Qt::white) : kindColour);
  painter->setFont(option.font);
  // The text starts 2 pixels into its column and is cut with an ellipsis at
  // the column's right edge.
  const QRect textRect = option.rect.adjusted(2, 0, 0, 0);
  const QString text = option.fontMetrics.elidedText(index.data(Qt::DisplayRole).toString(),
                                                     Qt::ElideRight, textRect.width());
  painter->drawText(textRect, Qt::AlignLeft | Qt::AlignTop | Qt::TextSingleLine, text);
  painter->restore();
}

QSize DataFileRowDelegate::sizeHint(const QStyleOptionViewItem& option,
                                    const QModelIndex& index) const {
  const QString text = index.data(Qt::DisplayRole).toString();
  return {option.fontMetrics.horizontalAdvance(text) + 4, option.fontMetrics.height() + 2};
}

}  // namespace fernplot
