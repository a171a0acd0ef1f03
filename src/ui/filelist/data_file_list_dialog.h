// SPDX-License-Identifier: MIT
#pragma once
// The modal dialog through which the user chooses the data files that become
// pages: a folder search, the found files with their headers, and the marks.

#include <QDialog>
#include <QString>
#include <cstddef>
#include <functional>
#include <optional>

class QFileDialog;
class QLabel;
class QLineEdit;
class QPushButton;
class QTreeView;

namespace fernplot {

struct AppState;
class DataFileListModel;

class DataFileListDialog : public QDialog {
  Q_OBJECT

 public:
  // Asks for a folder or pattern to search; nothing when cancelled. The
  // argument is the pattern the dialog starts from.
  using BrowseFunction = std::function<std::optional<QString>(QWidget*, const QString&)>;

  explicit DataFileListDialog(AppState& state, QWidget* parent = nullptr);

  // Replaces the platform file dialog behind "..." (tests).
  void SetBrowseFunction(BrowseFunction browse) { browse_ = std::move(browse); }

  QLineEdit* PatternEdit() const { return pattern_; }
  QTreeView* List() const { return list_; }
  DataFileListModel* Model() const { return model_; }
  QPushButton* CreateButton() const { return create_; }
  QPushButton* CloseButton() const { return close_; }
  QPushButton* SearchButton() const { return search_; }
  QPushButton* BrowseButton() const { return browse_button_; }
  // The line shown in the list area after a search that found nothing.
  QLabel* NoMatchLabel() const { return no_match_; }
  // How many files the list shows, below it.
  QLabel* CountLabel() const { return count_; }

  // Sorts the rows by a column as a click on its header does: a new column
  // sorts ascending, the same column again reverses.
  void SortByColumn(int column);
  // The full text of a cell that its column cuts off; empty when it fits.
  QString CutOffText(int row, int column) const;

  // The buttons' actions. Search reads the files in slices and returns when
  // it is done; clicked again meanwhile (the button then reads 中止), it
  // stops the search with the files read so far.
  void Search();
  bool Searching() const { return searching_; }
  // How long a slice of the search reads before the window gets its turn
  // (default 30 ms; 0: one batch of files per slice).
  void SetSearchSlice(int ms) { search_slice_ms_ = ms; }
  void Browse();
  // Marks the selected readable entries; closes with OK when any was marked.
  void CreateGraphs();

  // The platform dialog used by default behind "...".
  static std::optional<QString> BrowseWithFileDialog(QWidget* parent, const QString& start);
  // Its title, filter, suffix, options and starting place.
  static void SetUpBrowseDialog(QFileDialog& dialog, const QString& start);

 protected:
  bool eventFilter(QObject* watched, QEvent* event) override;
  void resizeEvent(QResizeEvent* event) override;

 private:
  void BuildControls();
  void FillRows();
  void ShowCount();
  void RestoreMarks();
  void MakeCreateDefault(bool createIsDefault);
  void ApplySort();
  void LayOut();

  AppState& state_;
  QLineEdit* pattern_ = nullptr;
  QTreeView* list_ = nullptr;
  DataFileListModel* model_ = nullptr;
  QPushButton* create_ = nullptr;
  QPushButton* close_ = nullptr;
  QPushButton* search_ = nullptr;
  QPushButton* browse_button_ = nullptr;
  QLabel* no_match_ = nullptr;
  QLabel* count_ = nullptr;
  QSize initial_size_;
  int sort_column_ = -1;  // -1: the order of the search
  bool sort_descending_ = false;
  bool searching_ = false;
  bool stop_search_ = false;
  int search_slice_ms_ = 30;
  BrowseFunction browse_ = &DataFileListDialog::BrowseWithFileDialog;
};

}  // namespace fernplot
