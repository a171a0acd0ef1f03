// SPDX-License-Identifier: MIT
// The data-file list dialog: search, order, cells, marks, unreadable rows,
// the default button and reopening.

#include <QApplication>
#include <QComboBox>
#include <QFileDialog>
#include <QFileInfo>
#include <QHeaderView>
#include <QImage>
#include <QLabel>
#include <QLayout>
#include <QLineEdit>
#include <QPushButton>
#include <QSet>
#include <QTest>
#include <QTimer>
#include <QTreeView>
#include <algorithm>

#include "app/qt_frame_dialogs.h"
#include "datafile/data_file_scan.h"
#include "filelist/data_file_list_dialog.h"
#include "filelist/data_file_row_delegate.h"
#include "list_view_rows.h"
#include "viewer_support.h"

using namespace fernplot;
using namespace fernplot::testing;

class DialogTest : public QObject {
  Q_OBJECT

 private:
  QTemporaryDir dir_;

  static QStringList Column(const QTreeView* list, int column) {
    QStringList out;
    for (int r = 0; r < ListRows(list).Count(); ++r) out << ListRows(list).Text(r, column);
    return out;
  }
  static void Activate(QWidget& w) {
    w.show();
    QApplication::setActiveWindow(&w);
    QVERIFY(QTest::qWaitForWindowActive(&w));
  }
  // Shows the dialog and lists every data file of the test folder.
  void ShowAndSearchAll(DataFileListDialog& dialog) {
    Activate(dialog);
    dialog.PatternEdit()->setText(dir_.path() + QStringLiteral("/"));
    dialog.Search();
  }

 private slots:
  void initTestCase() {
    WriteDataFile(dir_, QStringLiteral("B1.DAT"), 3, 0, "raw title");
    WriteDataFile(dir_, QStringLiteral("a2.DAT"), 12, 1, "calc title");
    WriteDataFile(dir_, QStringLiteral("A3.DAT"), 1234, 0, "big");
    WriteFile(dir_, QStringLiteral("BAD.DAT"), std::string(300, 'x'));
    WriteFile(dir_, QStringLiteral("notes.txt"), "not listed");
    WriteDataFile(dir_, QString(70, QLatin1Char('L')) + QStringLiteral(".DAT"), 3);
  }

  // Opened again over the list found before: every column fits its longest
  // text (the long name included), and the count is shown.
  void reopenedListFitsItsColumns() {
    TestState ts;
    ScanDataFiles((dir_.path() + QStringLiteral("/*.DAT")).toStdString(), ts.state.dataFiles);
    DataFileListDialog dialog(ts.state);
    Activate(dialog);
    const QTreeView* list = dialog.List();
    for (int c = 0; c < list->model()->columnCount(); ++c) {
      for (int r = 0; r < list->model()->rowCount(); ++r) {
        QVERIFY(list->columnWidth(c) >=
                list->fontMetrics().horizontalAdvance(ListRows(list).Text(r, c).trimmed()));
      }
    }
    QCOMPARE(dialog.CountLabel()->text(),
             QStringLiteral("%1 個のﾌｧｲﾙ").arg(static_cast<int>(ts.state.dataFiles.size())));
    QVERIFY(dialog.CountLabel()->isVisible());
  }

  void searchOrderAndCells() {
    TestState ts;
    DataFileListDialog dialog(ts.state);
    Activate(dialog);
    QVERIFY(dialog.SearchButton()->isDefault());
    QVERIFY(!dialog.CreateButton()->isDefault());

    // Enter in the box searches; a folder gets "*.DAT".
    dialog.PatternEdit()->setFocus();
    dialog.PatternEdit()->setText(dir_.path() + QStringLiteral("/"));
    QTest::keyClick(dialog.PatternEdit(), Qt::Key_Return);
    const QString pattern = dir_.path() + QStringLiteral("/*.DAT");
    QCOMPARE(dialog.PatternEdit()->text(), pattern);
    QCOMPARE(QString::fromStdString(ts.state.dataFilePath), pattern);
    QVERIFY(dialog.isVisible());

    const QTreeView* list = dialog.List();
    QCOMPARE(Column(list, 0), QStringList({QStringLiteral(" a2.DAT"), QStringLiteral(" A3.DAT"),
                                           QStringLiteral(" B1.DAT"), QStringLiteral(" BAD.DAT")}));
    QCOMPARE(Column(list, 1), QStringList({QStringLiteral(" 演算ﾃﾞｰﾀ"), QStringLiteral(" 生ﾃﾞｰﾀ"),
                                           QStringLiteral(" 生ﾃﾞｰﾀ"), QStringLiteral(" 不明")}));
    QCOMPARE(Column(list, 2), QStringList({QStringLiteral("   12"), QStringLiteral(" 1234"),
                                           QStringLiteral("    3"), QString()}));
    QCOMPARE(ListRows(list).Text(0, 3), QStringLiteral(" 1998-04-07  9:05"));
    QCOMPARE(ListRows(list).Text(2, 4), QStringLiteral(" raw title"));
    QVERIFY(!ListRows(list).Text(3, 4).trimmed().isEmpty());  // the reader's message
    QCOMPARE(ListRows(list).Heading(0), QStringLiteral(" ﾌｧｲﾙ名"));
    QCOMPARE(ListRows(list).Heading(4), QStringLiteral("コメント"));
    QCOMPARE(list->columnWidth(0), 120);
    QCOMPARE(list->columnWidth(3), 140);
    QCOMPARE(dialog.CountLabel()->text(), QStringLiteral("4 個のﾌｧｲﾙ"));
    const int kinds[] = {static_cast<int>(FileKind::kCalculated), static_cast<int>(FileKind::kRaw),
                         static_cast<int>(FileKind::kRaw), static_cast<int>(FileKind::kUnreadable)};
    for (int r = 0; r < 4; ++r) {
      QCOMPARE(ListRows(list).Data(r, 0, kFileKindRole).toInt(), kinds[r]);
    }
    QCOMPARE(KindColour(FileKind::kRaw), QColor(0, 0, 255));
    QCOMPARE(KindColour(FileKind::kCalculated), QColor(0, 127, 0));
    QCOMPARE(KindColour(FileKind::kUnreadable), QColor(127, 127, 127));
  }

  // Unselected rows: kind colour on the list background; selected rows: the
  // kind colour filled, text in white.
  void rowColours() {
    TestState ts;
    DataFileListDialog dialog(ts.state);
    ShowAndSearchAll(dialog);
    QTreeView* list = dialog.List();
    ListRows(list).Select(0);  // calculated
    ListRows(list).Select(3);  // unreadable
    const QImage shot = list->viewport()->grab().toImage();
    auto coloursIn = [&](int row) {
      const QRect r = ListRows(list).Rect(row);
      QSet<QRgb> seen;
      for (int y = r.top(); y <= r.bottom(); ++y) {
        for (int x = r.left(); x < r.left() + 120; ++x) seen.insert(shot.pixel(x, y) & 0xFFFFFF);
      }
      return seen;
    };
    auto has = [](const QSet<QRgb>& seen, const QColor& c) {
      return seen.contains(c.rgb() & 0xFFFFFF);
    };
    const QSet<QRgb> calcSelected = coloursIn(0);
    QVERIFY(has(calcSelected, QColor(0, 127, 0)));
    QVERIFY(has(calcSelected, Qt::white));
    QVERIFY(!has(calcSelected, ListBackground()));
    const QSet<QRgb> raw = coloursIn(1);
    QVERIFY(has(raw, ListBackground()));
    QVERIFY(has(raw, QColor(0, 0, 255)));
    QVERIFY(!has(raw, Qt::white));
    const QSet<QRgb> badSelected = coloursIn(3);
    QVERIFY(has(badSelected, QColor(127, 127, 127)));
    QVERIFY(has(badSelected, Qt::white));
  }

  void typedNameWithoutExtension() {
    TestState ts;
    DataFileListDialog dialog(ts.state);
    dialog.PatternEdit()->setText(dir_.filePath(QStringLiteral("B1")));
    dialog.Search();
    QCOMPARE(dialog.PatternEdit()->text(), dir_.filePath(QStringLiteral("B1.DAT")));
    QCOMPARE(Column(dialog.List(), 0), QStringList({QStringLiteral(" B1.DAT")}));
  }

  void marksAndUnreadableRows() {
    TestState ts;
    DataFileListDialog dialog(ts.state);
    ShowAndSearchAll(dialog);
    QTreeView* list = dialog.List();

    // Nothing selected: stays open.
    dialog.CreateGraphs();
    QVERIFY(dialog.isVisible());
    // Only the unreadable row: stays open, nothing marked.
    ListRows(list).Select(3);
    dialog.CreateGraphs();
    QVERIFY(dialog.isVisible());
    for (const DataFileEntry& e : ts.state.dataFiles) QVERIFY(!(e.flags & kEntrySelected));

    // Two readable and the unreadable one: the two are marked, OK.
    ListRows(list).Select(0);
    ListRows(list).Select(2);
    dialog.CreateGraphs();
    QCOMPARE(dialog.result(), int(QDialog::Accepted));
    QVERIFY(!dialog.isVisible());
    const std::vector<uint32_t> expected = {kEntrySelected, 0, kEntrySelected, kEntryUnreadable};
    for (size_t i = 0; i < expected.size(); ++i) {
      QCOMPARE(ts.state.dataFiles[i].flags, expected[i]);
    }

    // Reopened: the last result with its marks selected, the list focused
    // and the create button default.
    DataFileListDialog again(ts.state);
    Activate(again);
    QCOMPARE(ListRows(again.List()).Count(), 4);
    QVERIFY(ListRows(again.List()).Selected(0));
    QVERIFY(!ListRows(again.List()).Selected(1));
    QVERIFY(ListRows(again.List()).Selected(2));
    QVERIFY(again.List()->hasFocus());
    QVERIFY(again.CreateButton()->isDefault());
    QCOMPARE(again.PatternEdit()->text(), QString::fromStdString(ts.state.dataFilePath));
  }

  void defaultButtonFollowsTheList() {
    TestState ts;
    DataFileListDialog dialog(ts.state);
    ShowAndSearchAll(dialog);
    QTreeView* list = dialog.List();
    list->setFocus();
    QVERIFY(dialog.CreateButton()->isDefault());
    QVERIFY(!dialog.SearchButton()->isDefault());
    dialog.PatternEdit()->setFocus();
    QVERIFY(dialog.SearchButton()->isDefault());
    QVERIFY(!dialog.CreateButton()->isDefault());

    // Enter in the list creates the graphs of the selected rows.
    list->setFocus();
    list->setCurrentIndex(list->model()->index(1, 0));
    ListRows(list).Select(1);
    QTest::keyClick(list, Qt::Key_Return);
    QCOMPARE(dialog.result(), int(QDialog::Accepted));
    QVERIFY(ts.state.dataFiles[1].flags & kEntrySelected);
  }

  // Enter on a focused button presses that button, as in any dialog; the
  // default button only answers Enter elsewhere.
  void enterOnAFocusedButtonPressesIt() {
    TestState ts;
    DataFileListDialog dialog(ts.state);
    int browsed = 0;
    dialog.SetBrowseFunction([&](QWidget*, const QString&) -> std::optional<QString> {
      ++browsed;
      return std::nullopt;
    });
    ShowAndSearchAll(dialog);
    QTreeView* list = dialog.List();
    list->setFocus();
    ListRows(list).Select(1);

    dialog.BrowseButton()->setFocus();
    QTest::keyClick(dialog.BrowseButton(), Qt::Key_Return);
    QCOMPARE(browsed, 1);
    QVERIFY(dialog.isVisible());
    dialog.PatternEdit()->setFocus();
    QVERIFY(dialog.SearchButton()->isDefault());
    list->setFocus();
    QVERIFY(dialog.CreateButton()->isDefault());

    // The search path changed to the folder pattern, but the list stayed.
    QCOMPARE(ListRows(list).Count(), 4);
    dialog.CloseButton()->setFocus();
    QVERIFY(dialog.CloseButton()->isDefault());
    QTest::keyClick(dialog.CloseButton(), Qt::Key_Return);
    QCOMPARE(dialog.result(), int(QDialog::Rejected));
    QVERIFY(!dialog.isVisible());
    for (const DataFileEntry& e : ts.state.dataFiles) QVERIFY(!(e.flags & kEntrySelected));
  }

  void doubleClickCreates() {
    TestState ts;
    DataFileListDialog dialog(ts.state);
    ShowAndSearchAll(dialog);
    QTreeView* list = dialog.List();
    const QPoint row(20, ListRows(list).Rect(2).center().y());
    // A double click arrives as press, release, double-click, release.
    QTest::mouseClick(list->viewport(), Qt::LeftButton, {}, row);
    QTest::mouseDClick(list->viewport(), Qt::LeftButton, {}, row);
    QCOMPARE(dialog.result(), int(QDialog::Accepted));
    QVERIFY(ts.state.dataFiles[2].flags & kEntrySelected);
    QVERIFY(!(ts.state.dataFiles[0].flags & kEntrySelected));
  }

  void browseDialogSetUp() {
    QFileDialog fd;
    DataFileListDialog::SetUpBrowseDialog(fd, dir_.path() + QStringLiteral("/*.DAT"));
    QCOMPARE(fd.windowTitle(), QStringLiteral("検索ﾊﾟｽの参照"));
    QCOMPARE(fd.acceptMode(), QFileDialog::AcceptOpen);
    QCOMPARE(fd.fileMode(), QFileDialog::AnyFile);  // a pattern is accepted
    QCOMPARE(fd.defaultSuffix(), QStringLiteral("dat"));
    QCOMPARE(fd.nameFilters().size(), 1);
    // The filter box shows just the filter's name.
    QVERIFY(fd.testOption(QFileDialog::HideNameFilterDetails));
    QVERIFY(fd.nameFilters().constFirst().startsWith(QStringLiteral("測定ﾃﾞｰﾀﾌｧｲﾙ (")));
    const auto* types = fd.findChild<QComboBox*>(QStringLiteral("fileTypeCombo"));
    QVERIFY(types);
    QCOMPARE(types->itemText(0), QStringLiteral("測定ﾃﾞｰﾀﾌｧｲﾙ"));
    QCOMPARE(QFileInfo(fd.directory().path()).canonicalFilePath(),
             QFileInfo(dir_.path()).canonicalFilePath());
    const auto* name = fd.findChild<QLineEdit*>(QStringLiteral("fileNameEdit"));
    QVERIFY(name);
    QCOMPARE(name->text(), QStringLiteral("*.DAT"));
  }

  // The open dialog: Qt's own (a platform dialog takes no extra box), one
  // or more existing files, the four filters, and the S-parameter box
  // offering the choice it was given (an unknown one: the default).
  void openDialogSetUp() {
    for (const auto& [given, shown] : {std::pair{"S12", "S12"}, {"S21", "S21"}, {"X", "S21"}}) {
      QFileDialog fd;
      QComboBox* parameter =
          QtFrameDialogs::SetUpOpenDialog(fd, dir_.path(), QString::fromLatin1(given));
      QVERIFY(fd.testOption(QFileDialog::DontUseNativeDialog));
      QCOMPARE(fd.fileMode(), QFileDialog::ExistingFiles);
      QCOMPARE(fd.nameFilters(),
               (QStringList{
                   QStringLiteral(
                       "すべてのｽｲｰﾌﾟ ﾌｧｲﾙ (*.DAT *.s?p *.s??p *.txt *.csv *.tsv *.z *.DTA *.mpt)"),
                   QStringLiteral("ﾃﾞｰﾀ ﾌｧｲﾙ (*.DAT)"), QStringLiteral("Touchstone (*.s?p *.s??p)"),
                   QStringLiteral("ﾃｷｽﾄ (*.txt *.csv *.tsv)"),
                   QStringLiteral("ｲﾝﾋﾟｰﾀﾞﾝｽ (*.z *.DTA *.mpt *.txt *.csv)")}));
      QCOMPARE(fd.findChild<QComboBox*>(QStringLiteral("twoPortParameter")), parameter);
      QCOMPARE(parameter->count(), 4);
      QCOMPARE(parameter->currentText(), QString::fromLatin1(shown));
      QVERIFY(fd.layout()->indexOf(parameter) >= 0);
    }
    // Files of more ports: any parameter may be typed; a name typed only in
    // part, or one that is none, keeps the last choice.
    QFileDialog fd;
    QComboBox* parameter = QtFrameDialogs::SetUpOpenDialog(fd, dir_.path(), QStringLiteral("S43"));
    QCOMPARE(parameter->currentText(), QStringLiteral("S43"));
    QVERIFY(parameter->isEditable());
    for (const auto& [typed, chosen] : {std::pair{"s31", "S31"},
                                        {"Z1_12", "Z1_12"},
                                        {"S1", "S22"},
                                        {"S10", "S22"},
                                        {"X21", "S22"}}) {
      parameter->setEditText(QString::fromLatin1(typed));
      QCOMPARE(QtFrameDialogs::ChosenParameter(*parameter, QStringLiteral("S22")),
               QString::fromLatin1(chosen));
    }
  }

  void browse() {
    TestState ts;
    DataFileListDialog dialog(ts.state);
    QString offered;
    dialog.SetBrowseFunction([&](QWidget*, const QString& start) -> std::optional<QString> {
      offered = start;
      return std::nullopt;
    });
    dialog.PatternEdit()->setText(dir_.filePath(QStringLiteral("B1.DAT")));
    dialog.Browse();
    // Cancelled: the pattern's file part became "*.DAT", no search.
    QCOMPARE(offered, dir_.path() + QStringLiteral("/*.DAT"));
    QCOMPARE(QString::fromStdString(ts.state.dataFilePath), offered);
    QCOMPARE(ListRows(dialog.List()).Count(), 0);

    dialog.SetBrowseFunction([&](QWidget*, const QString&) -> std::optional<QString> {
      return dir_.filePath(QStringLiteral("A3.DAT"));
    });
    dialog.Browse();
    QCOMPARE(Column(dialog.List(), 0), QStringList({QStringLiteral(" A3.DAT")}));
  }

  // A header click sorts by its column, a second click reverses; the marks
  // still follow the rows' own entries.
  void headerClicksSort() {
    TestState ts;
    DataFileListDialog dialog(ts.state);
    ShowAndSearchAll(dialog);
    QTreeView* list = dialog.List();
    QHeaderView* header = list->header();
    // A click on the heading itself, as the user makes it.
    const auto click = [&](int column) {
      const QPoint at(header->sectionViewportPosition(column) + 10, header->height() / 2);
      QTest::mouseClick(header->viewport(), Qt::LeftButton, {}, at);
    };
    const auto names = [&] {
      QStringList out;
      for (const QString& n : Column(list, 0)) out << n.trimmed();
      return out;
    };
    // The selection stays with its files when the rows move.
    ListRows(list).Select(0);  // a2.DAT
    ListRows(list).Select(3);  // BAD.DAT
    click(2);
    QCOMPARE(names(), QStringList({"BAD.DAT", "B1.DAT", "a2.DAT", "A3.DAT"}));
    QVERIFY(ListRows(list).Selected(0) && ListRows(list).Selected(2));
    QVERIFY(!ListRows(list).Selected(1) && !ListRows(list).Selected(3));
    list->selectionModel()->clearSelection();
    click(2);
    QCOMPARE(names(), QStringList({"A3.DAT", "a2.DAT", "B1.DAT", "BAD.DAT"}));
    QCOMPARE(header->sortIndicatorOrder(), Qt::DescendingOrder);
    click(1);  // raw, calculated, unreadable; by name within each
    QCOMPARE(names(), QStringList({"A3.DAT", "B1.DAT", "a2.DAT", "BAD.DAT"}));
    click(4);
    QCOMPARE(names().mid(0, 3), QStringList({"A3.DAT", "a2.DAT", "B1.DAT"}));
    dialog.SortByColumn(3);  // all made at the same minute: the name order
    QCOMPARE(names(), QStringList({"BAD.DAT", "a2.DAT", "A3.DAT", "B1.DAT"}));
    click(0);
    click(0);
    QCOMPARE(names(), QStringList({"BAD.DAT", "B1.DAT", "A3.DAT", "a2.DAT"}));

    // A new search keeps the order chosen.
    dialog.Search();
    QCOMPARE(names(), QStringList({"BAD.DAT", "B1.DAT", "A3.DAT", "a2.DAT"}));
    ListRows(list).Select(2);
    dialog.CreateGraphs();
    QCOMPARE(dialog.result(), int(QDialog::Accepted));
    for (const DataFileEntry& e : ts.state.dataFiles) {
      QCOMPARE(bool(e.flags & kEntrySelected), e.fileName == "A3.DAT");
    }
  }

  void resizeWidthsAndToolTips() {
    QTemporaryDir dir;
    const QString longName = QString(60, QLatin1Char('N')) + QStringLiteral(".DAT");
    WriteDataFile(dir, longName, 3, 0, std::string(60, 'c'));
    WriteDataFile(dir, QStringLiteral("S.DAT"), 3, 0, "short");
    TestState ts;
    DataFileListDialog dialog(ts.state);
    Activate(dialog);
    // Opens as before, and only grows from there.
    const QSize initial = dialog.size();
    QCOMPARE(dialog.minimumSize(), initial);
    QVERIFY(dialog.maximumWidth() > initial.width());
    dialog.PatternEdit()->setText(dir.path());
    dialog.Search();
    QTreeView* list = dialog.List();
    const QRect listBefore = list->geometry();
    const QRect createBefore = dialog.CreateButton()->geometry();
    const QRect searchBefore = dialog.SearchButton()->geometry();
    dialog.resize(initial + QSize(300, 200));
    QCOMPARE(list->geometry(), listBefore.adjusted(0, 0, 300, 200));
    QCOMPARE(dialog.CreateButton()->geometry(), createBefore.translated(0, 200));
    QCOMPARE(dialog.SearchButton()->geometry(), searchBefore.translated(300, 0));

    QCOMPARE(list->header()->sectionResizeMode(0), QHeaderView::Interactive);
    QCOMPARE(dialog.CutOffText(0, 0).trimmed(), longName);
    QVERIFY(dialog.CutOffText(0, 4).isEmpty());  // the comment column is wide
    list->setColumnWidth(4, 100);
    QCOMPARE(dialog.CutOffText(0, 4).trimmed(), QString(60, QLatin1Char('c')));
    QVERIFY(dialog.CutOffText(1, 0).isEmpty());
    QVERIFY(dialog.CutOffText(1, 4).isEmpty());
    list->setColumnWidth(0, 1000);  // widened by the user: nothing cut off
    QVERIFY(dialog.CutOffText(0, 0).isEmpty());
    QVERIFY(dialog.CutOffText(7, 0).isEmpty());
  }

  // What the user types into the search box: "~", a folder without its
  // final '/', a search that finds nothing; the box's focus at opening.
  void typedSearchTexts() {
    const QByteArray savedHome = qgetenv("HOME");
    qputenv("HOME", dir_.path().toUtf8());
    TestState ts;
    DataFileListDialog dialog(ts.state);
    Activate(dialog);
    QCOMPARE(QApplication::focusWidget(), dialog.PatternEdit());
    dialog.PatternEdit()->setText(QStringLiteral("~"));
    dialog.Search();
    QCOMPARE(dialog.PatternEdit()->text(), dir_.path() + QStringLiteral("/*.DAT"));
    QCOMPARE(ListRows(dialog.List()).Count(), 4);
    QVERIFY(dialog.NoMatchLabel()->isHidden());

    dialog.PatternEdit()->setText(QStringLiteral("~/Z*"));
    dialog.Search();
    QCOMPARE(dialog.PatternEdit()->text(), dir_.path() + QStringLiteral("/Z*.DAT"));
    QCOMPARE(ListRows(dialog.List()).Count(), 0);
    QVERIFY(!dialog.NoMatchLabel()->isHidden());
    QVERIFY(dialog.NoMatchLabel()->text().contains(QStringLiteral("ありません")));

    dialog.PatternEdit()->setText(dir_.path());
    dialog.Search();
    QCOMPARE(dialog.PatternEdit()->text(), dir_.path() + QStringLiteral("/*.DAT"));
    QCOMPARE(ListRows(dialog.List()).Count(), 4);
    QVERIFY(dialog.NoMatchLabel()->isHidden());
    qputenv("HOME", savedHome);

    // A fresh dialog: the box has the focus with its text selected.
    TestState fresh;
    fresh.state.dataFilePath = "/data/*.DAT";
    DataFileListDialog first(fresh.state);
    Activate(first);
    QCOMPARE(QApplication::focusWidget(), first.PatternEdit());
    QCOMPARE(first.PatternEdit()->selectedText(), QStringLiteral("/data/*.DAT"));
  }

  // The list fills slice by slice while the window keeps working, and the
  // button stops the search with the files read so far.
  void searchFillsInSlicesAndStops() {
    QTemporaryDir many;
    for (int i = 0; i < 200; ++i) {
      WriteDataFile(many, QStringLiteral("M%1.DAT").arg(i, 3, 10, QLatin1Char('0')), 2);
    }
    TestState ts;
    DataFileListDialog dialog(ts.state);
    dialog.SetSearchSlice(0);
    Activate(dialog);
    dialog.PatternEdit()->setText(many.path() + QStringLiteral("/"));
    int rowsSeen = -1;
    QString buttonText;
    QTimer::singleShot(0, &dialog, [&] {
      QVERIFY(dialog.Searching());
      rowsSeen = ListRows(dialog.List()).Count();
      buttonText = dialog.SearchButton()->text();
      QTest::mouseClick(dialog.SearchButton(), Qt::LeftButton);
    });
    dialog.Search();
    QVERIFY(!dialog.Searching());
    QVERIFY(rowsSeen > 0 && rowsSeen < 200);
    QCOMPARE(buttonText, QStringLiteral("中止"));
    QCOMPARE(dialog.SearchButton()->text(), QStringLiteral("検索"));
    QCOMPARE(ListRows(dialog.List()).Count(), rowsSeen);
    QCOMPARE(ts.state.dataFiles.size(), static_cast<size_t>(rowsSeen));
    QCOMPARE(ListRows(dialog.List()).Text(0, 0), QStringLiteral(" M000.DAT"));
    QVERIFY(dialog.NoMatchLabel()->isHidden());
    // Searched again to the end, everything is there.
    dialog.Search();
    QCOMPARE(ListRows(dialog.List()).Count(), 200);
  }

  // A name that is neither UTF-8 nor CP932 text is shown as well as it can
  // be and still marks the file with its own bytes.
  void namesThatAreNotTextListAndOpen() {
    QTemporaryDir odd;
    const std::string folder = QFile::encodeName(odd.path()).toStdString();
    WriteBytes(folder + "/A\xc0\xff.DAT", DataFileBytes(5, 0, "odd bytes"));
    WriteBytes(folder + "/A\xc0\xfe.DAT", DataFileBytes(6, 0, "other bytes"));
    TestState ts;
    DataFileListDialog dialog(ts.state);
    dialog.PatternEdit()->setText(odd.path() + QStringLiteral("/"));
    dialog.Search();
    QCOMPARE(ListRows(dialog.List()).Count(), 2);
    for (int r = 0; r < 2; ++r) {
      QVERIFY(ListRows(dialog.List()).Text(r, 0).startsWith(QStringLiteral(" A")));
      QVERIFY(ListRows(dialog.List()).Text(r, 0).endsWith(QStringLiteral(".DAT")));
    }
    const int row = ts.state.dataFiles[0].fullPath.ends_with("\xff.DAT") ? 0 : 1;
    ListRows(dialog.List()).Select(row);
    dialog.CreateGraphs();
    ts.state.session.drawingActive = true;
    ts.state.session.OpenSelected(FactoryDefaults(), ts.state.dataFiles);
    QCOMPARE(ts.state.session.pages.size(), size_t{1});
    QCOMPARE(ts.state.session.pages[0]->data.dataTitle, std::string("odd bytes"));
    QCOMPARE(ts.state.session.pages[0]->sourcePath, folder + "/A\xc0\xff.DAT");
  }
};

QTEST_MAIN(DialogTest)
#include "viewer_dialog_test.moc"
