#include "qt_frame_dialogs.h"

#include <QFileDialog>
#include <QMessageBox>
#include <QPageSetupDialog>
#include <QPrintDialog>
#include <QPrinter>

#include "about_dialog.h"
#include "datafile/data_file_list_dialog.h"
#include "propsheet/edit_graph_properties.h"

namespace fernplot {

namespace {

const QString kTitle = QStringLiteral("FERNPLOT");

}  // namespace

void QtFrameDialogs::ShowInfo(QWidget* parent, const QString& text) {
  QMessageBox::information(parent, kTitle, text, QMessageBox::Ok);
}

void QtFrameDialogs::ShowWarning(QWidget* parent, const QString& text) {
  QMessageBox::warning(parent, kTitle, text, QMessageBox::Ok);
}

bool QtFrameDialogs::AskOkCancel(QWidget* parent, const QString& text) {
  return QMessageBox::question(parent, kTitle, text, QMessageBox::Ok | QMessageBox::Cancel,
                               QMessageBox::Ok) == QMessageBox::Ok;
}

bool QtFrameDialogs::RunDataFileList(QWidget* parent, AppState& state) {
  DataFileListDialog dialog(state, parent);
  return dialog.exec() == QDialog::Accepted;
}

std::optional<QString> QtFrameDialogs::AskCsvPath(QWidget* parent, const QString& initialName) {
  QFileDialog dialog(parent, QStringLiteral("CSVﾌｧｲﾙへの保存 - 演算ﾃﾞｰﾀ"));
  dialog.setAcceptMode(QFileDialog::AcceptSave);
  dialog.setFileMode(QFileDialog::AnyFile);
  dialog.setNameFilter(QStringLiteral("CSVﾌｧｲﾙ (*.csv)"));
  dialog.setDefaultSuffix(QStringLiteral("csv"));
  dialog.selectFile(initialName);
  // Qt's save dialog asks before overwriting and refuses folders that do not
  // exist.
  if (dialog.exec() != QDialog::Accepted || dialog.selectedFiles().isEmpty()) return std::nullopt;
  return dialog.selectedFiles().constFirst();
}

bool QtFrameDialogs::EditProperties(QWidget* parent, bool currentPage, GraphProperties& record) {
  return EditGraphProperties(parent, currentPage, record);
}

std::optional<PrintRequest> QtFrameDialogs::AskPrint(QWidget* parent, QPrinter& printer,
                                                     int pageCount) {
  QPrintDialog dialog(&printer, parent);
  dialog.setMinMax(1, pageCount);
  dialog.setFromTo(1, pageCount);
  dialog.setOption(QAbstractPrintDialog::PrintPageRange, true);
  dialog.setOption(QAbstractPrintDialog::PrintSelection, false);
  dialog.setOption(QAbstractPrintDialog::PrintCurrentPage, false);
  dialog.setPrintRange(QAbstractPrintDialog::AllPages);
  if (dialog.exec() != QDialog::Accepted) return std::nullopt;
  if (printer.printRange() == QPrinter::PageRange && printer.fromPage() > 0) {
    return PrintRequest{printer.fromPage(), printer.toPage()};
  }
  return PrintRequest{1, pageCount};
}

void QtFrameDialogs::PrinterSetup(QWidget* parent, QPrinter& printer) {
  QPageSetupDialog dialog(&printer, parent);
  dialog.exec();
}

void QtFrameDialogs::About(QWidget* parent) {
  AboutDialog dialog(parent);
  dialog.exec();
}

}  // namespace fernplot
