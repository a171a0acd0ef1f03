// SPDX-License-Identifier: MIT
#include "qt_frame_dialogs.h"

#include <QComboBox>
#include <QDir>
#include <QFileDialog>
#include <QFileInfo>
#include <QGridLayout>
#include <QInputDialog>
#include <QLabel>
#include <QMessageBox>
#include <QPageSetupDialog>
#include <QPrintDialog>
#include <QPrinter>
#include <QPushButton>
#include <QRegularExpression>
#include <QRegularExpressionValidator>
#include <algorithm>

#include "about_dialog.h"
#include "display/circuit_fit_dialog.h"
#include "display/fit_dialog.h"
#include "display/traces_dialog.h"
#include "filelist/data_file_list_dialog.h"
#include "propsheet/edit_graph_properties.h"

namespace fernplot {

namespace {

const QString kTitle = QStringLiteral("FERNPLOT");

// Qt's save dialog returns a typed path whose folder does not exist; such a
// name is refused here so the dialog stays open, as it does for other
// invalid names.
class CsvSaveDialog : public QFileDialog {
 public:
  using QFileDialog::QFileDialog;

  void accept() override {
    const QStringList files = selectedFiles();
    if (!files.isEmpty()) {
      const QDir folder = QFileInfo(files.constFirst()).absoluteDir();
      if (!folder.exists()) {
        QMessageBox::information(this, kTitle,
                                 QtFrameDialogs::tr("フォルダ[%1]が見つかりません")
                                     .arg(QDir::toNativeSeparators(folder.path())),
                                 QMessageBox::Ok);
        return;
      }
    }
    QFileDialog::accept();
  }
};

}  // namespace

void QtFrameDialogs::ShowInfo(QWidget* parent, const QString& text) {
  QMessageBox::information(parent, kTitle, text, QMessageBox::Ok);
}

void QtFrameDialogs::ShowWarning(QWidget* parent, const QString& text) {
  QMessageBox::warning(parent, kTitle, text, QMessageBox::Ok);
}

void QtFrameDialogs::ShowWarningWithDetails(QWidget* parent, const QString& text,
                                            const QString& details) {
  QMessageBox box(QMessageBox::Warning, kTitle, text, QMessageBox::Ok, parent);
  box.setDetailedText(details);
  box.exec();
}

bool QtFrameDialogs::AskOkCancel(QWidget* parent, const QString& text) {
  return QMessageBox::question(parent, kTitle, text, QMessageBox::Ok | QMessageBox::Cancel,
                               QMessageBox::Ok) == QMessageBox::Ok;
}

bool QtFrameDialogs::RunDataFileList(QWidget* parent, AppState& state) {
  return RunList(parent, state, false);
}

bool QtFrameDialogs::ChooseOverlayFiles(QWidget* parent, AppState& state) {
  return RunList(parent, state, true);
}

bool QtFrameDialogs::RunList(QWidget* parent, AppState& state, bool overlays) {
  DataFileListDialog dialog(state, parent);
  if (overlays) {
    dialog.setWindowTitle(tr("測定ﾃﾞｰﾀﾌｧｲﾙの一覧 - 重ね描き"));
    dialog.CreateButton()->setText(tr("重ね描き"));
  }
  if (list_size_.isValid()) dialog.resize(list_size_);
  if (list_maximized_) dialog.setWindowState(dialog.windowState() | Qt::WindowMaximized);
  const bool accepted = dialog.exec() == QDialog::Accepted;
  list_maximized_ = dialog.isMaximized();
  list_size_ = list_maximized_ ? dialog.normalGeometry().size() : dialog.size();
  return accepted;
}

std::optional<TraceListEdit> QtFrameDialogs::EditTraces(QWidget* parent, const TraceList& traces) {
  TracesDialog dialog(traces, parent);
  if (dialog.exec() != QDialog::Accepted) return std::nullopt;
  return dialog.Edit();
}

std::optional<FitOptions> QtFrameDialogs::AskFitOptions(QWidget* parent, const FitOptions& last) {
  FitDialog dialog(last, parent);
  if (dialog.exec() != QDialog::Accepted) return std::nullopt;
  return dialog.Options();
}

std::optional<CircuitChoice> QtFrameDialogs::AskCircuitFit(QWidget* parent,
                                                           const CircuitChoice& last,
                                                           const CircuitFitResult* fitted) {
  CircuitFitDialog dialog(last, fitted, parent);
  if (dialog.exec() != QDialog::Accepted) return std::nullopt;
  return dialog.Choice();
}

std::optional<int> QtFrameDialogs::AskPageNumber(QWidget* parent, int current, int count) {
  bool ok = false;
  const int n = QInputDialog::getInt(
      parent, tr("ﾍﾟｰｼﾞへ移動"), tr("ﾍﾟｰｼﾞ番号 (1～%1)：").arg(count), current, 1, count, 1, &ok);
  if (!ok) return std::nullopt;
  return n;
}

void QtFrameDialogs::SetUpSweepFileDialog(QFileDialog& dialog, const QString& folder) {
  // Qt's own dialog: a platform dialog takes no extra box.
  dialog.setOption(QFileDialog::DontUseNativeDialog, true);
  dialog.setAcceptMode(QFileDialog::AcceptOpen);
  dialog.setFileMode(QFileDialog::ExistingFiles);
  if (!folder.isEmpty()) dialog.setDirectory(folder);
  // Other programs' sweep files are told by their content; the filters
  // only narrow the listing.
  dialog.setNameFilters(
      {tr("すべてのｽｲｰﾌﾟ ﾌｧｲﾙ (*.DAT *.s?p *.s??p *.txt *.csv *.tsv *.z *.DTA *.mpt)"),
       tr("ﾃﾞｰﾀ ﾌｧｲﾙ (*.DAT)"), tr("Touchstone (*.s?p *.s??p)"), tr("ﾃｷｽﾄ (*.txt *.csv *.tsv)"),
       tr("ｲﾝﾋﾟｰﾀﾞﾝｽ (*.z *.DTA *.mpt *.txt *.csv)")});
}

QStringList QtFrameDialogs::AskOverlayFiles(QWidget* parent, const QString& folder) {
  QFileDialog dialog(parent);
  dialog.setWindowTitle(tr("ﾌｧｲﾙから重ね描き"));
  // A two-port file's parameter is asked for each such file as it is laid
  // over the page.
  SetUpSweepFileDialog(dialog, folder);
  if (dialog.exec() != QDialog::Accepted) return {};
  return dialog.selectedFiles();
}

namespace {

// A parameter's name: its letter and two ports, separated past port 9.
QRegularExpression ParameterNames() {
  return QRegularExpression(QRegularExpression::anchoredPattern(
      QStringLiteral("[SYZHGsyzhg]([1-9][1-9]|[1-9][0-9]*_[1-9][0-9]*)")));
}

}  // namespace

QString QtFrameDialogs::ChosenParameter(const QComboBox& box, const QString& last) {
  // A name typed only in part keeps the last choice.
  const QString typed = box.currentText().toUpper();
  return ParameterNames().match(typed).hasMatch() ? typed : last;
}

std::optional<QString> QtFrameDialogs::AskMaskFile(QWidget* parent, const QString& folder) {
  QFileDialog dialog(parent);
  dialog.setWindowTitle(tr("ﾏｽｸを開く"));
  dialog.setFileMode(QFileDialog::ExistingFile);
  dialog.setDirectory(folder);
  dialog.setNameFilters({tr("ﾏｽｸ ﾌｧｲﾙ (*.mask *.txt)"), tr("すべてのﾌｧｲﾙ (*)")});
  if (dialog.exec() != QDialog::Accepted || dialog.selectedFiles().isEmpty()) return std::nullopt;
  return dialog.selectedFiles().front();
}

QComboBox* QtFrameDialogs::SetUpOpenDialog(QFileDialog& dialog, const QString& folder,
                                           const QString& twoPortParameter) {
  dialog.setWindowTitle(tr("ﾃﾞｰﾀ ﾌｧｲﾙを開く"));
  SetUpSweepFileDialog(dialog, folder);
  auto* parameter = new QComboBox(&dialog);
  parameter->setObjectName(QStringLiteral("twoPortParameter"));
  for (const char* name : kTwoPortParameters) parameter->addItem(QString::fromLatin1(name));
  // Files of more ports have more parameters than a list could offer: any
  // one may be typed (S31, S1_12).
  parameter->setEditable(true);
  parameter->setValidator(new QRegularExpressionValidator(ParameterNames(), parameter));
  const int preset = parameter->findText(twoPortParameter);
  if (preset >= 0) {
    parameter->setCurrentIndex(preset);
  } else if (ParameterNames().match(twoPortParameter).hasMatch()) {
    parameter->setEditText(twoPortParameter);
  } else {
    parameter->setCurrentIndex(0);
  }
  auto* label = new QLabel(tr("2ﾎﾟｰﾄのSﾊﾟﾗﾒｰﾀ(&P):"), &dialog);
  label->setBuddy(parameter);
  parameter->setToolTip(tr("2ﾎﾟｰﾄの Touchstone ﾌｧｲﾙから読むﾊﾟﾗﾒｰﾀ。1ﾎﾟｰﾄのﾌｧｲﾙは常に S11。"));
  // A table of other columns than its header names (or none): how to read them.
  auto* columns = new QComboBox(&dialog);
  columns->setObjectName(QStringLiteral("tableColumns"));
  columns->addItem(tr("見出しのとおり"), static_cast<int>(TableColumns::kFromFile));
  columns->addItem(tr("f, Re Z, Im Z [Ω]"), static_cast<int>(TableColumns::kReIm));
  columns->addItem(tr("f, Re Z, -Im Z [Ω]"), static_cast<int>(TableColumns::kReNegIm));
  columns->addItem(tr("f, |Z| [Ω], θ [deg]"), static_cast<int>(TableColumns::kMagDeg));
  columns->addItem(tr("f, ｹﾞｲﾝ [dB], 位相 [deg]"), static_cast<int>(TableColumns::kDbDeg));
  columns->setToolTip(
      tr("区切りのある表の最初の 3 列の読み方。見出しの行は読み飛ばします。"
         "見出しのとおり: 見出しが名前を付けた列 (なければ周波数､ｹﾞｲﾝ､位相)"));
  auto* columnsLabel = new QLabel(tr("表の列(&T):"), &dialog);
  columnsLabel->setBuddy(columns);
  // Below the file name and filter rows of the dialog's grid.
  if (auto* grid = qobject_cast<QGridLayout*>(dialog.layout())) {
    const int row = grid->rowCount();
    grid->addWidget(label, row, 0);
    grid->addWidget(parameter, row, 1);
    grid->addWidget(columnsLabel, row + 1, 0);
    grid->addWidget(columns, row + 1, 1);
  }
  return parameter;
}

OpenFilesAnswer QtFrameDialogs::AskDataFiles(QWidget* parent, const QString& folder,
                                             const QString& twoPortParameter) {
  QFileDialog dialog(parent);
  QComboBox* parameter = SetUpOpenDialog(dialog, folder, twoPortParameter);
  if (dialog.exec() != QDialog::Accepted) return {{}, twoPortParameter};
  const auto* columns = dialog.findChild<QComboBox*>(QStringLiteral("tableColumns"));
  return {dialog.selectedFiles(), ChosenParameter(*parameter, twoPortParameter),
          columns ? static_cast<TableColumns>(columns->currentData().toInt())
                  : TableColumns::kFromFile};
}

std::optional<QString> QtFrameDialogs::AskTwoPortParameter(QWidget* parent, const QString& fileName,
                                                           const QString& preset,
                                                           const QStringList& parameters) {
  bool ok = false;
  const int current = static_cast<int>(std::max<qsizetype>(0, parameters.indexOf(preset)));
  const QString chosen = QInputDialog::getItem(
      parent, tr("Sﾊﾟﾗﾒｰﾀの選択"), tr("%1 は2ﾎﾟｰﾄのﾌｧｲﾙです。重ね描きするSﾊﾟﾗﾒｰﾀ:").arg(fileName),
      parameters, current, false, &ok);
  if (!ok) return std::nullopt;
  return chosen;
}

std::optional<QString> QtFrameDialogs::RunSaveDialog(QFileDialog& dialog,
                                                     const QString& initialName) {
  // The initial file's folder, so the output lands beside its source by
  // default.
  const QFileInfo initial(initialName);
  if (initial.path() != QStringLiteral(".") && initial.dir().exists()) {
    dialog.setDirectory(initial.dir());
  }
  dialog.selectFile(initial.fileName());
  // The dialog itself asks before overwriting an existing file.
  if (dialog.exec() != QDialog::Accepted || dialog.selectedFiles().isEmpty()) return std::nullopt;
  return dialog.selectedFiles().constFirst();
}

std::optional<QString> QtFrameDialogs::AskCsvPath(QWidget* parent, const QString& initialName) {
  CsvSaveDialog dialog(parent, tr("CSVﾌｧｲﾙへの保存 - 演算ﾃﾞｰﾀ"));
  dialog.setAcceptMode(QFileDialog::AcceptSave);
  dialog.setFileMode(QFileDialog::AnyFile);
  dialog.setOption(QFileDialog::HideNameFilterDetails, true);
  // CSV as always; Touchstone and a SPICE table carry the page into
  // network and circuit tools. The suffix follows the chosen filter.
  const QStringList filters = {tr("CSVﾌｧｲﾙ (*.csv)"), tr("Touchstone (*.s2p)"),
                               tr("SPICE ﾃｰﾌﾞﾙ (*.cir)")};
  dialog.setNameFilters(filters);
  dialog.setDefaultSuffix(QStringLiteral("csv"));
  QObject::connect(&dialog, &QFileDialog::filterSelected, &dialog,
                   [&dialog, filters](const QString& filter) {
                     const int k = static_cast<int>(filters.indexOf(filter));
                     dialog.setDefaultSuffix(k == 1   ? QStringLiteral("s2p")
                                             : k == 2 ? QStringLiteral("cir")
                                                      : QStringLiteral("csv"));
                   });
  return RunSaveDialog(dialog, initialName);
}

std::optional<QString> QtFrameDialogs::AskReportPath(QWidget* parent, const QString& initialName) {
  CsvSaveDialog dialog(parent, tr("ﾚﾎﾟｰﾄの保存"));
  dialog.setAcceptMode(QFileDialog::AcceptSave);
  dialog.setFileMode(QFileDialog::AnyFile);
  dialog.setNameFilters({tr("PDFﾌｧｲﾙ (*.pdf)")});
  dialog.setDefaultSuffix(QStringLiteral("pdf"));
  return RunSaveDialog(dialog, initialName);
}

bool QtFrameDialogs::EditProperties(QWidget* parent, GraphProperties& record, PageFacts* facts) {
  return EditGraphProperties(parent, record, facts);
}

bool QtFrameDialogs::EditPageProperties(QWidget* parent, GraphProperties& record, PageFacts* facts,
                                        const ShownLimits* shown) {
  return EditGraphProperties(parent, record, facts, shown);
}

std::optional<PrintRequest> QtFrameDialogs::AskPrint(QWidget* parent, QPrinter& printer,
                                                     int pageCount) {
  QPrintDialog dialog(&printer, parent);
  dialog.setMinMax(1, pageCount);
  dialog.setFromTo(1, pageCount);
  dialog.setOption(QAbstractPrintDialog::PrintPageRange, true);
  dialog.setOption(QAbstractPrintDialog::PrintSelection, false);
  dialog.setOption(QAbstractPrintDialog::PrintCurrentPage, true);
  dialog.setPrintRange(QAbstractPrintDialog::AllPages);
  if (dialog.exec() != QDialog::Accepted) return std::nullopt;
  if (printer.printRange() == QPrinter::CurrentPage) {
    return PrintRequest{.fromPage = 1, .toPage = pageCount, .currentPage = true};
  }
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
