// SPDX-License-Identifier: MIT
#pragma once
// The page list: a dockable window beside the page with a row per open
// page (its number, its file and, when a mask judges the pages, PASS or
// FAIL), the page on screen selected; choosing a row shows that page.

#include <QDockWidget>
#include <QString>
#include <vector>

class QTreeWidget;

namespace fernplot {

class PageSession;

class PageListDock : public QDockWidget {
  Q_OBJECT

 public:
  explicit PageListDock(QWidget* parent);

  // Brings the rows up to date with the session's pages and selects the
  // page on screen; does nothing while the panel is hidden (it catches up
  // when shown).
  void Refresh(const PageSession& session);
  QTreeWidget* Tree() const { return tree_; }

 signals:
  // The user chose page n (1-based).
  void pageChosen(int n);
  // The panel was opened and wants the pages.
  void refreshWanted();

 private:
  struct Row {
    QString name;
    QString verdict;  // "PASS", "FAIL" or empty
    bool operator==(const Row&) const = default;
  };
  QTreeWidget* tree_ = nullptr;
  std::vector<Row> rows_;  // what the tree shows
  bool refreshing_ = false;
};

}  // namespace fernplot
