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
#include <QTreeView>
#include <algorithm>
#include <array>

#include "app_state.h"
#include "data_file_list_model.h"
#include "data_file_row_delegate.h"
#include "datafile/data_file_list_cells.h"
#include "datafile/data_file_scan.h"
#include "display/dialog_units.h"
#include "qt_convert.h"
#include "text/file_path.h"

namespace fernplot {

namespace {

// The columns' starting widths in pixels.
constexpr std::array<int, kListColumnCount> kColumnWidths{120, 80, 50, 140, 640};

}  // namespace

DataFileListDialog::DataFileListDialog(AppState& state, QWidget* parent)
    : QDialog(parent), state_(state) {
  setWindowTitle(tr("測定ﾃﾞｰﾀﾌｧｲﾙの一覧"));
  setFont(DialogFont());
  BuildControls();

  pattern_->setText(QStringFromUtf8(state_.dataFilePath));
  pattern_->selectAll();
  if (state_.dataFiles.empty()) {
    pattern_->setFocus();
    MakeCreateDefault(false);
  } else {
    FillRows();
    // A list kept from before opens with every column as wide as it needs.
    for (int c = 0; c < kListColumnCount; ++c) list_->resizeColumnToContents(c);
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

  create_ = new QPushButton(tr("ｸﾞﾗﾌの作成"), this);
  create_->setGeometry(du.Rect(7, 130, 50, 14));
  close_ = new QPushButton(tr("閉じる"), this);
  close_->setGeometry(du.Rect(66, 130, 50, 14));
  auto* label = new QLabel(tr("検索ﾌｧｲﾙ名："), this);
  label->setGeometry(du.Rect(7, 10, 41, 10));
  pattern_ = new QLineEdit(this);
  pattern_->setGeometry(du.Rect(48, 7, 158, 13));
  list_ = new QTreeView(this);
  model_ = new DataFileListModel(state_.dataFiles, state_.session.drawing.Translator(), list_);
  list_->setModel(model_);
  list_->setGeometry(du.Rect(7, 26, 251, 98));
  search_ = new QPushButton(tr("検索"), this);
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

  for (int c = 0; c < kListColumnCount; ++c) {
    list_->setColumnWidth(c, kColumnWidths[static_cast<size_t>(c)]);
  }
  list_->header()->setStretchLastSection(false);
  list_->header()->setSectionResizeMode(QHeaderView::Interactive);
  // The dialog sorts on a click itself (the view's own sorting stays off:
  // turning it off again would make the headings unclickable).
  list_->header()->setSectionsClickable(true);
  list_->header()->setDefaultAlignment(Qt::AlignLeft | Qt::AlignVCenter);
  list_->setRootIsDecorated(false);
  list_->setIndentation(0);
  list_->setUniformRowHeights(true);
  list_->setSelectionMode(QAbstractItemView::ExtendedSelection);
  list_->setSelectionBehavior(QAbstractItemView::SelectRows);
  list_->setAllColumnsShowFocus(true);
  list_->setItemDelegate(new DataFileRowDelegate(list_));
  QPalette pal = list_->palette();
  pal.setColor(QPalette::Base, ListBackground());
  list_->setPalette(pal);
  list_->installEventFilter(this);
  list_->viewport()->installEventFilter(this);
  no_match_ = new QLabel(tr(" 該当するﾌｧｲﾙがありません"), list_->viewport());
  no_match_->move(0, 2);
  no_match_->adjustSize();
  no_match_->hide();
  count_ = new QLabel(this);
  count_->setObjectName(QStringLiteral("fileCount"));
  count_->setGeometry(du.Rect(125, 132, 133, 10));
  connect(list_->header(), &QHeaderView::sectionClicked, this, &DataFileListDialog::SortByColumn);

  connect(search_, &QPushButton::clicked, this, &DataFileListDialog::Search);
  connect(browse_button_, &QPushButton::clicked, this, &DataFileListDialog::Browse);
  connect(create_, &QPushButton::clicked, this, &DataFileListDialog::CreateGraphs);
  connect(close_, &QPushButton::clicked, this, &QDialog::reject);
  connect(list_, &QTreeView::doubleClicked, this, [this] { CreateGraphs(); });
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
  model_->Clear();
  model_->AppendEntries(0);
  ApplySort();
  ShowCount();
}

void DataFileListDialog::ShowCount() {
  count_->setText(tr("%1 個のﾌｧｲﾙ").arg(model_->rowCount()));
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
  if (sort_column_ >= 0) model_->SortByColumn(sort_column_, sort_descending_);
}

QString DataFileListDialog::CutOffText(int row, int column) const {
  if (row < 0 || row >= model_->rowCount() || column < 0 || column >= kListColumnCount) return {};
  const QString text = model_->CellText(row, column);
  const int room = list_->columnWidth(column) -
                   2 * list_->style()->pixelMetric(QStyle::PM_FocusFrameHMargin) - 2;
  return list_->fontMetrics().horizontalAdvance(text) > room ? text : QString();
}

void DataFileListDialog::resizeEvent(QResizeEvent* event) {
  QDialog::resizeEvent(event);
  LayOut();
}

void DataFileListDialog::LayOut() {
  if (!list_ || !count_) return;
  const DialogUnits du(font());
  const int dx = std::max(0, width() - initial_size_.width());
  const int dy = std::max(0, height() - initial_size_.height());
  create_->setGeometry(du.Rect(7, 130, 50, 14).translated(0, dy));
  close_->setGeometry(du.Rect(66, 130, 50, 14).translated(0, dy));
  pattern_->setGeometry(du.Rect(48, 7, 158, 13).adjusted(0, 0, dx, 0));
  list_->setGeometry(du.Rect(7, 26, 251, 98).adjusted(0, 0, dx, dy));
  search_->setGeometry(du.Rect(223, 7, 35, 14).translated(dx, 0));
  browse_button_->setGeometry(du.Rect(208, 7, 12, 13).translated(dx, 0));
  count_->setGeometry(du.Rect(125, 132, 133, 10).adjusted(0, dy, dx, dy));
}

void DataFileListDialog::RestoreMarks() {
  // Runs of marked rows become one range each: selecting row by row costs
  // a merge of the whole selection per row.
  QItemSelection marks;
  int lastMarked = -1;
  const int rows = model_->rowCount();
  for (int r = 0; r < rows; ++r) {
    if (!(state_.dataFiles[model_->EntryIndex(r)].flags & kEntrySelected)) continue;
    if (lastMarked == r - 1 && !marks.isEmpty()) {
      const QItemSelectionRange run = marks.takeLast();
      marks.append(QItemSelectionRange(run.topLeft(), model_->index(r, kListColumnCount - 1)));
    } else {
      marks.select(model_->index(r, 0), model_->index(r, kListColumnCount - 1));
    }
    lastMarked = r;
  }
  if (!marks.isEmpty()) {
    list_->selectionModel()->select(marks, QItemSelectionModel::ClearAndSelect);
    list_->selectionModel()->setCurrentIndex(model_->index(lastMarked, 0),
                                             QItemSelectionModel::NoUpdate);
  }
  const int visible = lastMarked >= 0 ? std::min(lastMarked + 1, rows - 1) : std::min(1, rows - 1);
  if (visible >= 0) list_->scrollTo(model_->index(visible, 0));
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
  model_->Clear();
  no_match_->hide();
  ReleaseDataFileList(state_.dataFiles);

  // The headers are read in slices of a few milliseconds; between them the
  // window repaints, the rows read so far appear and the button can stop
  // the search. The files not read by then are left out of the list.
  DataFileScan scan(pattern);
  state_.dataFiles.reserve(scan.Total());
  searching_ = true;
  stop_search_ = false;
  search_->setText(tr("中止"));
  QElapsedTimer clock;
  // Closing the dialog (or choosing files) during the search ends it too.
  const bool shown = isVisible();
  while (!scan.Finished() && !stop_search_ && (!shown || isVisible())) {
    clock.start();
    const size_t first = state_.dataFiles.size();
    do {
      scan.ReadMore(64, state_.dataFiles);
    } while (!scan.Finished() && clock.elapsed() < search_slice_ms_);
    model_->AppendEntries(first);
    if (!scan.Finished()) QCoreApplication::processEvents(QEventLoop::AllEvents);
  }
  searching_ = false;
  search_->setText(tr("検索"));
  ApplySort();
  ShowCount();
  no_match_->setVisible(state_.dataFiles.empty());
}

void DataFileListDialog::SetUpBrowseDialog(QFileDialog& dialog, const QString& start) {
  dialog.setWindowTitle(tr("検索ﾊﾟｽの参照"));
  dialog.setOption(QFileDialog::DontUseNativeDialog, true);
  dialog.setOption(QFileDialog::ReadOnly, false);
  // The filter box shows the filter's name only; both cases of the
  // extension are listed because names are case-sensitive here.
  dialog.setOption(QFileDialog::HideNameFilterDetails, true);
  dialog.setAcceptMode(QFileDialog::AcceptOpen);
  // A name that does not exist is accepted, so a pattern can be chosen.
  dialog.setFileMode(QFileDialog::AnyFile);
  dialog.setNameFilter(tr("測定ﾃﾞｰﾀﾌｧｲﾙ (*.dat *.DAT)"));
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
  const QModelIndexList selected = list_->selectionModel()->selectedRows(0);
  if (selected.isEmpty()) return;
  // In list order, whatever order the rows were selected in.
  std::vector<int> rows;
  rows.reserve(static_cast<size_t>(selected.size()));
  for (const QModelIndex& index : selected) rows.push_back(index.row());
  std::sort(rows.begin(), rows.end());
  for (DataFileEntry& entry : state_.dataFiles) entry.flags &= ~kEntrySelected;
  int marked = 0;
  for (const int r : rows) {
    DataFileEntry& entry = state_.dataFiles[model_->EntryIndex(r)];
    if (!IsReadable(entry)) continue;
    entry.flags |= kEntrySelected;
    ++marked;
  }
  if (marked > 0) accept();
}

}  // namespace fernplot
