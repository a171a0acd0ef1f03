// SPDX-License-Identifier: MIT
#include "data_file_list_dialog.h"

#include <QCoreApplication>
#include <QDir>
#include <QElapsedTimer>
#include <QEvent>
#include <QFileDialog>
#include <QFileInfo>
#include <QHeaderView>
#include <QHelpEvent>
#include <QLabel>
#include <QLineEdit>
#include <QPushButton>
#include <QResizeEvent>
#include <QStyle>
#include <QToolTip>
#include <QTreeWidget>
#include <algorithm>
#include <array>

#include "app_state.h"
#include "data_file_row_delegate.h"
#include "datafile/data_file_list_cells.h"
#include "datafile/data_file_scan.h"
#include "display/dialog_units.h"
#include "qt_convert.h"
#include "text/file_path.h"

namespace fernplot {

namespace {

struct ColumnSpec {
  const char* heading;
  int width;
};
constexpr std::array<ColumnSpec, kListColumnCount> kColumns{{
    {" ﾌｧｲﾙ名", 120},
    {"ﾃﾞｰﾀ ﾀｲﾌﾟ", 80},
    {"件数", 50},
    {"ﾃﾞｰﾀの生成日時", 140},
    {"コメント", 640},
}};

FileKind KindOf(const DataFileEntry& entry) {
  if (!IsReadable(entry)) return FileKind::kUnreadable;
  return entry.header->dataType == 0 ? FileKind::kRaw : FileKind::kCalculated;
}

QStringList CellTexts(const DataFileEntry& entry) {
  const DataFileListRow cells = DataFileListCells(entry);
  QStringList texts;
  for (int c = 0; c < kListColumnCount; ++c) {
    const QString cell = QStringFromUtf8(cells[static_cast<size_t>(c)]);
    // Every cell is printed after one blank; the count right-aligned in four.
    if (c == 2 && !cell.isEmpty()) {
      texts << QLatin1Char(' ') + cell.rightJustified(4, QLatin1Char(' '));
    } else if (c == 2 || c == 3) {
      texts << (cell.isEmpty() ? QString() : QLatin1Char(' ') + cell);
    } else {
      texts << QLatin1Char(' ') + cell;
    }
  }
  return texts;
}

}  // namespace

DataFileListDialog::DataFileListDialog(AppState& state, QWidget* parent)
    : QDialog(parent), state_(state) {
  setWindowTitle(QStringLiteral("測定ﾃﾞｰﾀﾌｧｲﾙの一覧"));
  setFont(DialogFont());
  BuildControls();

  pattern_->setText(QStringFromUtf8(state_.dataFilePath));
  pattern_->selectAll();
  if (state_.dataFiles.empty()) {
    pattern_->setFocus();
    MakeCreateDefault(false);
  } else {
    FillRows();
    RestoreMarks();
    list_->setFocus();
    MakeCreateDefault(true);
  }
}

void DataFileListDialog::BuildControls() {
  const DialogUnits du(font());
  // The controls are placed for this size; a larger dialog gives the extra
  // room to the list (and the width to the search box).
  initial_size_ = QSize(du.X(265), du.Y(151));
  resize(initial_size_);
  setMinimumSize(initial_size_);
  setWindowFlag(Qt::WindowMaximizeButtonHint, true);
  setSizeGripEnabled(true);

  create_ = new QPushButton(QStringLiteral("ｸﾞﾗﾌの作成"), this);
  create_->setGeometry(du.Rect(7, 130, 50, 14));
  close_ = new QPushButton(QStringLiteral("閉じる"), this);
  close_->setGeometry(du.Rect(66, 130, 50, 14));
  auto* label = new QLabel(QStringLiteral("検索ﾌｧｲﾙ名："), this);
  label->setGeometry(du.Rect(7, 10, 41, 10));
  pattern_ = new QLineEdit(this);
  pattern_->setGeometry(du.Rect(48, 7, 158, 13));
  list_ = new QTreeWidget(this);
  list_->setGeometry(du.Rect(7, 26, 251, 98));
  search_ = new QPushButton(QStringLiteral("検索"), this);
  search_->setGeometry(du.Rect(223, 7, 35, 14));
  browse_button_ = new QPushButton(QStringLiteral("..."), this);
  browse_button_->setGeometry(du.Rect(208, 7, 12, 13));

  // The default button follows the focus of the list (below). A button that
  // has the focus answers Enter itself while it has it (Qt's auto-default),
  // as in any dialog; leaving it gives Enter back to the default button.
  setTabOrder(pattern_, browse_button_);
  setTabOrder(browse_button_, search_);
  setTabOrder(search_, list_);
  setTabOrder(list_, create_);
  setTabOrder(create_, close_);

  list_->setColumnCount(kListColumnCount);
  QStringList headings;
  for (const ColumnSpec& c : kColumns) headings << QStringFromUtf8(c.heading);
  list_->setHeaderLabels(headings);
  for (int c = 0; c < kListColumnCount; ++c) {
    list_->setColumnWidth(c, kColumns[static_cast<size_t>(c)].width);
  }
  list_->header()->setStretchLastSection(false);
  list_->header()->setSectionResizeMode(QHeaderView::Interactive);
  list_->header()->setSectionsClickable(true);
  list_->header()->setDefaultAlignment(Qt::AlignLeft | Qt::AlignVCenter);
  list_->setRootIsDecorated(false);
  list_->setIndentation(0);
  list_->setUniformRowHeights(true);
  list_->setSortingEnabled(false);
  list_->setSelectionMode(QAbstractItemView::ExtendedSelection);
  list_->setSelectionBehavior(QAbstractItemView::SelectRows);
  list_->setAllColumnsShowFocus(true);
  list_->setItemDelegate(new DataFileRowDelegate(list_));
  QPalette pal = list_->palette();
  pal.setColor(QPalette::Base, ListBackground());
  list_->setPalette(pal);
  list_->installEventFilter(this);
  list_->viewport()->installEventFilter(this);
  no_match_ = new QLabel(QStringLiteral(" 該当するﾌｧｲﾙがありません"), list_->viewport());
  no_match_->move(0, 2);
  no_match_->adjustSize();
  no_match_->hide();
  connect(list_->header(), &QHeaderView::sectionClicked, this, &DataFileListDialog::SortByColumn);

  connect(search_, &QPushButton::clicked, this, &DataFileListDialog::Search);
  connect(browse_button_, &QPushButton::clicked, this, &DataFileListDialog::Browse);
  connect(create_, &QPushButton::clicked, this, &DataFileListDialog::CreateGraphs);
  connect(close_, &QPushButton::clicked, this, &QDialog::reject);
  connect(list_, &QTreeWidget::itemDoubleClicked, this, [this] { CreateGraphs(); });
}

void DataFileListDialog::MakeCreateDefault(bool createIsDefault) {
  create_->setDefault(createIsDefault);
  search_->setDefault(!createIsDefault);
}

bool DataFileListDialog::eventFilter(QObject* watched, QEvent* event) {
  if (watched == list_) {
    if (event->type() == QEvent::FocusIn) MakeCreateDefault(true);
    if (event->type() == QEvent::FocusOut) MakeCreateDefault(false);
  }
  if (watched == list_->viewport() && event->type() == QEvent::ToolTip) {
    const QPoint at = static_cast<QHelpEvent*>(event)->pos();
    const QModelIndex index = list_->indexAt(at);
    const QString text = index.isValid() ? CutOffText(index.row(), index.column()) : QString();
    if (text.isEmpty()) {
      QToolTip::hideText();
    } else {
      QToolTip::showText(static_cast<QHelpEvent*>(event)->globalPos(), text.trimmed(), list_);
    }
    return true;
  }
  return QDialog::eventFilter(watched, event);
}

void DataFileListDialog::FillRows() {
  list_->clear();
  AppendRows(0);
  ApplySort();
}

void DataFileListDialog::AppendRows(size_t first) {
  QList<QTreeWidgetItem*> items;
  items.reserve(static_cast<qsizetype>(state_.dataFiles.size() - first));
  for (size_t i = first; i < state_.dataFiles.size(); ++i) {
    const DataFileEntry& entry = state_.dataFiles[i];
    auto* item = new QTreeWidgetItem(CellTexts(entry));
    item->setData(0, kEntryIndexRole, static_cast<int>(i));
    item->setData(0, kFileKindRole, static_cast<int>(KindOf(entry)));
    items << item;
  }
  list_->addTopLevelItems(items);
}

void DataFileListDialog::SortByColumn(int column) {
  if (column < 0 || column >= kListColumnCount) return;
  sort_descending_ = column == sort_column_ ? !sort_descending_ : false;
  sort_column_ = column;
  list_->header()->setSortIndicatorShown(true);
  list_->header()->setSortIndicator(column,
                                    sort_descending_ ? Qt::DescendingOrder : Qt::AscendingOrder);
  ApplySort();
}

void DataFileListDialog::ApplySort() {
  if (sort_column_ < 0) return;
  QList<QTreeWidgetItem*> items;
  while (list_->topLevelItemCount() > 0) items << list_->takeTopLevelItem(0);
  const auto entryOf = [this](const QTreeWidgetItem* item) -> const DataFileEntry& {
    return state_.dataFiles[static_cast<size_t>(item->data(0, kEntryIndexRole).toInt())];
  };
  std::stable_sort(items.begin(), items.end(),
                   [&](const QTreeWidgetItem* a, const QTreeWidgetItem* b) {
                     const int c = CompareListEntries(entryOf(a), entryOf(b), sort_column_);
                     return sort_descending_ ? c > 0 : c < 0;
                   });
  list_->addTopLevelItems(items);
}

QString DataFileListDialog::CutOffText(int row, int column) const {
  const QTreeWidgetItem* item = list_->topLevelItem(row);
  if (!item || column < 0 || column >= kListColumnCount) return {};
  const QString text = item->text(column);
  const int room = list_->columnWidth(column) -
                   2 * list_->style()->pixelMetric(QStyle::PM_FocusFrameHMargin) - 2;
  return list_->fontMetrics().horizontalAdvance(text) > room ? text : QString();
}

void DataFileListDialog::resizeEvent(QResizeEvent* event) {
  QDialog::resizeEvent(event);
  LayOut();
}

void DataFileListDialog::LayOut() {
  if (!list_) return;
  const DialogUnits du(font());
  const int dx = std::max(0, width() - initial_size_.width());
  const int dy = std::max(0, height() - initial_size_.height());
  create_->setGeometry(du.Rect(7, 130, 50, 14).translated(0, dy));
  close_->setGeometry(du.Rect(66, 130, 50, 14).translated(0, dy));
  pattern_->setGeometry(du.Rect(48, 7, 158, 13).adjusted(0, 0, dx, 0));
  list_->setGeometry(du.Rect(7, 26, 251, 98).adjusted(0, 0, dx, dy));
  search_->setGeometry(du.Rect(223, 7, 35, 14).translated(dx, 0));
  browse_button_->setGeometry(du.Rect(208, 7, 12, 13).translated(dx, 0));
}

void DataFileListDialog::RestoreMarks() {
  int lastMarked = -1;
  const int rows = list_->topLevelItemCount();
  for (int r = 0; r < rows; ++r) {
    if (state_.dataFiles[static_cast<size_t>(r)].flags & kEntrySelected) {
      list_->topLevelItem(r)->setSelected(true);
      list_->setCurrentItem(list_->topLevelItem(r), 0, QItemSelectionModel::NoUpdate);
      lastMarked = r;
    }
  }
  int visible = lastMarked >= 0 ? std::min(lastMarked + 1, rows - 1) : std::min(1, rows - 1);
  if (visible >= 0) list_->scrollToItem(list_->topLevelItem(visible));
}

void DataFileListDialog::Search() {
  // While a search runs the button stops it.
  if (searching_) {
    stop_search_ = true;
    return;
  }
  const std::string pattern =
      ExpandSearchText(pattern_->text().trimmed().toStdString(), QDir::homePath().toStdString());
  state_.dataFilePath = pattern;
  pattern_->setText(QStringFromUtf8(pattern));
  list_->clear();
  no_match_->hide();
  ReleaseDataFileList(state_.dataFiles);

  // The headers are read in slices of a few milliseconds; between them the
  // window repaints, the rows read so far appear and the button can stop
  // the search. The files not read by then are left out of the list.
  DataFileScan scan(pattern);
  searching_ = true;
  stop_search_ = false;
  search_->setText(QStringLiteral("中止"));
  QElapsedTimer clock;
  // Closing the dialog (or choosing files) during the search ends it too.
  const bool shown = isVisible();
  while (!scan.Finished() && !stop_search_ && (!shown || isVisible())) {
    clock.start();
    const size_t first = state_.dataFiles.size();
    do {
      scan.ReadMore(64, state_.dataFiles);
    } while (!scan.Finished() && clock.elapsed() < search_slice_ms_);
    AppendRows(first);
    if (!scan.Finished()) QCoreApplication::processEvents(QEventLoop::AllEvents);
  }
  searching_ = false;
  search_->setText(QStringLiteral("検索"));
  ApplySort();
  no_match_->setVisible(state_.dataFiles.empty());
}

void DataFileListDialog::SetUpBrowseDialog(QFileDialog& dialog, const QString& start) {
  dialog.setWindowTitle(QStringLiteral("検索ﾊﾟｽの参照"));
  dialog.setOption(QFileDialog::DontUseNativeDialog, true);
  dialog.setOption(QFileDialog::ReadOnly, false);
  // The filter box shows the filter's name only; both cases of the
  // extension are listed because names are case-sensitive here.
  dialog.setOption(QFileDialog::HideNameFilterDetails, true);
  dialog.setAcceptMode(QFileDialog::AcceptOpen);
  // A name that does not exist is accepted, so a pattern can be chosen.
  dialog.setFileMode(QFileDialog::AnyFile);
  dialog.setNameFilter(QStringLiteral("測定ﾃﾞｰﾀﾌｧｲﾙ (*.dat *.DAT)"));
  dialog.setDefaultSuffix(QStringLiteral("dat"));
  const QFileInfo info(start);
  if (QDir(info.path()).exists()) dialog.setDirectory(info.path());
  dialog.selectFile(info.fileName());
}

std::optional<QString> DataFileListDialog::BrowseWithFileDialog(QWidget* parent,
                                                                const QString& start) {
  QFileDialog dialog(parent);
  SetUpBrowseDialog(dialog, start);
  if (dialog.exec() != QDialog::Accepted || dialog.selectedFiles().isEmpty()) return std::nullopt;
  const QString chosen = dialog.selectedFiles().constFirst();
  if (QFileInfo(chosen).isDir()) return QDir(chosen).filePath(QStringLiteral("*.DAT"));
  return chosen;
}

void DataFileListDialog::Browse() {
  state_.dataFilePath = ReplaceFilePartWithPattern(pattern_->text().trimmed().toStdString());
  const std::optional<QString> chosen = browse_(this, QStringFromUtf8(state_.dataFilePath));
  if (!chosen) return;
  pattern_->setText(*chosen);
  Search();
}

void DataFileListDialog::CreateGraphs() {
  const QList<QTreeWidgetItem*> selected = list_->selectedItems();
  if (selected.isEmpty()) return;
  for (DataFileEntry& entry : state_.dataFiles) entry.flags &= ~kEntrySelected;
  int marked = 0;
  // In list order, whatever order the rows were selected in.
  for (int r = 0; r < list_->topLevelItemCount(); ++r) {
    const QTreeWidgetItem* item = list_->topLevelItem(r);
    if (!item->isSelected()) continue;
    const int index = item->data(0, kEntryIndexRole).toInt();
    if (index < 0 || index >= static_cast<int>(state_.dataFiles.size())) continue;
    DataFileEntry& entry = state_.dataFiles[static_cast<size_t>(index)];
    if (!IsReadable(entry)) continue;
    entry.flags |= kEntrySelected;
    ++marked;
  }
  if (marked > 0) accept();
}

}  // namespace fernplot
