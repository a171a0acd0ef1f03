// SPDX-License-Identifier: MIT
#include "page_list_dock.h"

#include <QHeaderView>
#include <QTreeWidget>

#include "graph/page_exchange.h"
#include "graph/page_session.h"
#include "graph/production_marks.h"
#include "qt_convert.h"

namespace fernplot {

namespace {

enum Column { kNumber, kName, kVerdict };

QString PageName(const GraphPage& page) {
  return QStringFromUtf8(PagePanelName(page));
}

}  // namespace

PageListDock::PageListDock(QWidget* parent) : QDockWidget(tr("ﾍﾟｰｼﾞ一覧"), parent) {
  setObjectName(QStringLiteral("pageListDock"));
  setAllowedAreas(Qt::LeftDockWidgetArea | Qt::RightDockWidgetArea);
  tree_ = new QTreeWidget(this);
  tree_->setObjectName(QStringLiteral("pageList"));
  tree_->setColumnCount(3);
  tree_->setHeaderLabels({tr("No."), tr("ﾌｧｲﾙ"), tr("判定")});
  tree_->setRootIsDecorated(false);
  tree_->setUniformRowHeights(true);
  tree_->setSelectionMode(QAbstractItemView::SingleSelection);
  tree_->header()->setStretchLastSection(false);
  tree_->header()->setSectionResizeMode(kName, QHeaderView::Stretch);
  tree_->header()->setSectionResizeMode(kNumber, QHeaderView::ResizeToContents);
  tree_->header()->setSectionResizeMode(kVerdict, QHeaderView::ResizeToContents);
  setWidget(tree_);
  // The keyboard walks the list as a click does: the page follows the row.
  connect(tree_, &QTreeWidget::currentItemChanged, this, [this](QTreeWidgetItem* item) {
    if (refreshing_ || !item) return;
    emit pageChosen(tree_->indexOfTopLevelItem(item) + 1);
  });
  connect(this, &QDockWidget::visibilityChanged, this, [this](bool visible) {
    if (visible) emit refreshWanted();
  });
}

void PageListDock::Refresh(const PageSession& session) {
  if (!isVisible()) return;
  std::vector<Row> rows;
  if (session.drawingActive) {
    rows.reserve(session.pages.size());
    for (const std::unique_ptr<GraphPage>& page : session.pages) {
      const MaskVerdict* verdict = PageVerdict(*page);
      rows.push_back({PageName(*page), verdict ? QString::fromLatin1(verdict->pass ? "PASS" : "FAIL")
                                               : QString()});
    }
  }
  refreshing_ = true;
  if (rows != rows_) {
    // Only the rows that differ are touched: a page flip over a thousand
    // pages changes none.
    const int count = static_cast<int>(rows.size());
    while (tree_->topLevelItemCount() > count) delete tree_->takeTopLevelItem(count);
    for (int i = 0; i < count; ++i) {
      const size_t k = static_cast<size_t>(i);
      QTreeWidgetItem* item = tree_->topLevelItem(i);
      if (!item) {
        item = new QTreeWidgetItem(tree_);
        item->setText(kNumber, QString::number(i + 1));
        item->setTextAlignment(kNumber, Qt::AlignRight | Qt::AlignVCenter);
      } else if (k < rows_.size() && rows_[k] == rows[k]) {
        continue;
      }
      item->setText(kName, rows[k].name);
      item->setToolTip(kName, rows[k].name);
      item->setText(kVerdict, rows[k].verdict);
      // A failure stands out as in the report.
      item->setForeground(kVerdict, rows[k].verdict == QLatin1String("FAIL")
                                        ? QBrush(QColor(210, 0, 0))
                                        : tree_->palette().text());
    }
    rows_ = std::move(rows);
  }
  const int current = session.drawingActive ? session.drawing.CurrentNumber() : 0;
  QTreeWidgetItem* item = current >= 1 ? tree_->topLevelItem(current - 1) : nullptr;
  if (item != tree_->currentItem()) {
    tree_->setCurrentItem(item);
    if (item) tree_->scrollToItem(item);
  }
  refreshing_ = false;
}

}  // namespace fernplot
