// SPDX-License-Identifier: MIT
// Opening, closing, saving and printing pages, and their properties.

#include "page_actions.h"

#include <QCoreApplication>
#include <QDir>
#include <QEventLoop>
#include <QFile>
#include <QFileInfo>
#include <QPrinter>
#include <QProgressDialog>
#include <algorithm>
#include <filesystem>

#include "analysis/impedance/circuit_text.h"
#include "analysis/summary_table.h"
#include "app_state.h"
#include "command_table.h"
#include "commands.h"
#include "datafile/csv_export.h"
#include "datafile/data_file_list_cells.h"
#include "datafile/data_file_scan.h"
#include "datafile/reader.h"
#include "frame_dialogs.h"
#include "graph/page_exchange.h"
#include "graph/page_figures.h"
#include "graph/page_impedance.h"
#include "graph/page_session.h"
#include "graph/pages.h"
#include "graph/shown_limits.h"
#include "import/imported_page.h"
#include "page_output.h"
#include "printing.h"
#include "qt_convert.h"
#include "text/file_path.h"
#include "toolbar_icons.h"

namespace fernplot {

namespace {

// Pages opened at once from this many on show a progress box.
constexpr size_t kProgressFromFiles = 10;

}  // namespace

bool PageShown(const AppState& state) {
  return state.session.drawingActive && state.session.drawing.CurrentNumber() >= 1;
}

GraphPage* PageOnScreen(AppState& state) {
  if (!PageShown(state)) return nullptr;
  return PageForSheet(state.session.pages, state.session.drawing.CurrentNumber());
}

PageActions::PageActions(AppState& state, FrameDialogs& dialogs, QWidget& window)
    : QObject(&window), state_(state), dialogs_(dialogs), window_(window) {}

PageActions::~PageActions() = default;

void PageActions::AddCommands(CommandTable& table) {
  const auto shown = [this] { return PageShown(state_); };
  table.Add(
      {.id = kCmdOpenDataFile,
       .text = FERNPLOT_TEXT("Commands", "ﾃﾞｰﾀ ﾌｧｲﾙを開く..."),
       .prompt = FERNPLOT_TEXT("Commands", "ﾃﾞｰﾀﾌｧｲﾙを開いてｸﾞﾗﾌを作成します。\nﾃﾞｰﾀﾌｧｲﾙを開く"),
       .menu = MenuId::kFile,
       .menuPlace = {0, 1},
       .toolPlace = {0, 0},
       .icon = MakeToolIcon(ToolIcon::kOpen),
       .run = [this] { OpenDataFile(); }});
  table.Add({.id = kCmdSaveCsv,
             .text = FERNPLOT_TEXT("Commands", "演算ﾃﾞｰﾀの保存..."),
             .prompt = FERNPLOT_TEXT(
                 "Commands", "表示しているｸﾞﾗﾌのﾃﾞｰﾀをCSVﾌｧｲﾙに保存します。\n演算ﾃﾞｰﾀの保存"),
             .menu = MenuId::kFile,
             .menuPlace = {0, 2},
             .run = [this] { SaveCsv(); },
             .enabled = shown});
  table.Add(
      {.id = kCmdSaveReport,
       .text = FERNPLOT_TEXT("Commands", "ﾚﾎﾟｰﾄの保存..."),
       .prompt = FERNPLOT_TEXT("Commands",
                               "開いているすべてのｸﾞﾗﾌを図表の一覧とともにPDFﾌｧｲﾙに保存します。"
                               "\nﾚﾎﾟｰﾄの保存"),
       .menu = MenuId::kFile,
       .menuPlace = {0, 3},
       .run = [this] { SaveReport(); },
       .enabled = shown});
  table.Add({.id = kCmdPrint,
             .text = FERNPLOT_TEXT("Commands", "ｸﾞﾗﾌの印刷..."),
             .prompt = FERNPLOT_TEXT("Commands", "表示しているｸﾞﾗﾌを印刷します。\nｸﾞﾗﾌの印刷"),
             .shortcut = QKeySequence(Qt::CTRL | Qt::Key_P),
             .menu = MenuId::kFile,
             .menuPlace = {2, 0},
             .toolPlace = {0, 1},
             .icon = MakeToolIcon(ToolIcon::kPrint),
             .run = [this] { Print(); },
             .enabled = shown});
  table.Add({.id = kCmdPrintSetup,
             .text = FERNPLOT_TEXT("Commands", "ﾌﾟﾘﾝﾀの設定..."),
             .prompt = FERNPLOT_TEXT("Commands", "ﾌﾟﾘﾝﾀ/印刷設定の変更\nﾌﾟﾘﾝﾀの設定"),
             .menu = MenuId::kFile,
             .menuPlace = {2, 1},
             .run = [this] { PrinterSetup(); }});
  table.Add({.id = kCmdClosePage,
             .text = FERNPLOT_TEXT("Commands", "表示ﾍﾟｰｼﾞを閉じる"),
             .prompt = FERNPLOT_TEXT("Commands", "このﾍﾟｰｼﾞのｸﾞﾗﾌを閉じます。\n表示ﾍﾟｰｼﾞを閉じる"),
             .menu = MenuId::kView,
             .menuPlace = {3, 0},
             .run = [this] { ClosePage(); },
             .enabled = shown});
  table.Add(
      {.id = kCmdCloseAllPages,
       .text = FERNPLOT_TEXT("Commands", "全ﾍﾟｰｼﾞを閉じる"),
       .prompt = FERNPLOT_TEXT("Commands", "すべてのﾍﾟｰｼﾞのｸﾞﾗﾌを閉じます。\n全ﾍﾟｰｼﾞを閉じる"),
       .menu = MenuId::kView,
       .menuPlace = {3, 1},
       .run = [this] { CloseAllPages(); },
       .enabled = shown});
  table.Add(
      {.id = kCmdCurrentProperties,
       .text = FERNPLOT_TEXT("Commands", "ｸﾞﾗﾌ･ﾌﾟﾛﾊﾟﾃｨ（ｶﾚﾝﾄ）..."),
       .prompt = FERNPLOT_TEXT("Commands", "このﾍﾟｰｼﾞのｸﾞﾗﾌ･ﾌﾟﾛﾊﾟﾃｨを設定します。\nｸﾞﾗﾌ･ﾌﾟﾛﾊﾟﾃｨ"),
       .menu = MenuId::kSettings,
       .menuPlace = {0, 0},
       .toolPlace = {1, 0},
       .icon = MakeToolIcon(ToolIcon::kProperties),
       .run = [this] { EditCurrentProperties(); },
       .enabled = shown});
  table.Add({.id = kCmdResetToDefault,
             .text = FERNPLOT_TEXT("Commands", "標準値に戻す"),
             .prompt = FERNPLOT_TEXT("Commands",
                                     "このﾍﾟｰｼﾞのｸﾞﾗﾌ･ﾌﾟﾛﾊﾟﾃｨを標準値に戻します。\n標準値に戻す"),
             .menu = MenuId::kSettings,
             .menuPlace = {1, 0},
             .run = [this] { ResetToDefault(); },
             .enabled = shown});
  table.Add({.id = kCmdOverwriteDefault,
             .text = FERNPLOT_TEXT("Commands", "標準値として上書き"),
             .prompt = FERNPLOT_TEXT(
                 "Commands", "このﾍﾟｰｼﾞのｸﾞﾗﾌ･ﾌﾟﾛﾊﾟﾃｨを標準値にします。\n標準値として上書き"),
             .menu = MenuId::kSettings,
             .menuPlace = {1, 1},
             .run = [this] { OverwriteDefault(); },
             .enabled = shown});
  table.Add({.id = kCmdDefaultProperties,
             .text = FERNPLOT_TEXT("Commands", "ｸﾞﾗﾌ･ﾌﾟﾛﾊﾟﾃｨ（標準値）..."),
             .prompt = FERNPLOT_TEXT("Commands",
                                     "ｸﾞﾗﾌ･ﾌﾟﾛﾊﾟﾃｨの標準値を設定します。\nｸﾞﾗﾌ･ﾌﾟﾛﾊﾟﾃｨの標準値"),
             .menu = MenuId::kSettings,
             .menuPlace = {2, 0},
             .run = [this] { EditDefaultProperties(); }});
  AddOverlayCommands(table);
  AddModelCommands(table);
}

void PageActions::StartDrawing() {
  if (state_.session.drawingActive) return;
  state_.session.drawingActive = true;
  emit drawingStarted();
}

void PageActions::AfterPagesOpened(int sheetsBefore) {
  documentTitle_ = tr("周波数特性グラフ");
  state_.session.EndOpening(sheetsBefore);
}

int PageActions::SheetsNow() const {
  return state_.session.drawingActive ? state_.session.drawing.SheetCount() : 0;
}

void PageActions::OpenDataFile() {
  // Without a list kept from before, the list searches the folder of the page
  // on screen: the files beside it are the likeliest next ones.
  const std::string pattern = state_.dataFilePath;
  std::optional<std::string> suggested;
  if (const GraphPage* page = PageOnScreen(state_);
      page && !page->sourcePath.empty() && state_.dataFiles.empty()) {
    std::error_code ec;
    const std::filesystem::path at = std::filesystem::absolute(page->sourcePath, ec);
    if (!ec) {
      const std::string_view filePart =
          std::string_view(pattern).substr(SplitFilePath(pattern).folder.size());
      suggested = (at.parent_path() / (filePart.empty() ? "*.DAT" : filePart)).string();
      state_.dataFilePath = *suggested;
    }
  }
  if (!dialogs_.RunDataFileList(&window_, state_)) {
    // Nothing searched: the kept pattern stays as it was.
    if (suggested && state_.dataFilePath == *suggested) state_.dataFilePath = pattern;
    emit statesChanged();
    return;
  }
  // The files chosen, before opening them clears their marks.
  std::vector<std::string> chosen;
  for (const DataFileEntry& e : state_.dataFiles) {
    if ((e.flags & kEntrySelected) && IsReadable(e)) chosen.push_back(e.fullPath);
  }
  const int before = SheetsNow();
  // A zoom chosen before the first page applies now.
  state_.session.drawingActive = true;
  emit drawingStarted();
  const auto selected =
      std::count_if(state_.dataFiles.begin(), state_.dataFiles.end(),
                    [](const DataFileEntry& e) { return e.flags & kEntrySelected; });
  std::unique_ptr<QProgressDialog> progress;
  if (static_cast<size_t>(selected) >= kProgressFromFiles) {
    progress = MakeOpenProgress(static_cast<int>(selected));
  }
  state_.session.OpenSelected(state_.defaults, state_.dataFiles, [&](size_t done) {
    return !progress || StepOpenProgress(*progress, static_cast<int>(done));
  });
  emit filesOpened(chosen);
  progress.reset();
  AfterPagesOpened(before);
}

void PageActions::OpenFiles(const QStringList& paths) {
  std::vector<std::string> bytes;
  for (const QString& path : paths) bytes.push_back(QFile::encodeName(path).toStdString());
  OpenFilePaths(bytes);
}

ImportOptions TwoPortChoice(const std::string& parameter) {
  ImportOptions options;
  options.forTwoPorts = true;
  // The default asks for nothing in particular, so that a file of Y or Z
  // parameters still gives its 21.
  if (parameter != kTwoPortParameters[0]) options.sparam = parameter;
  return options;
}

void PageActions::OpenFilePaths(const std::vector<std::string>& paths,
                                const std::string& twoPortParameter, TableColumns columns) {
  if (!twoPortParameter.empty()) twoPortParameter_ = twoPortParameter;
  ImportOptions options = TwoPortChoice(twoPortParameter);
  options.columns = columns;
  const ExpandedInputs inputs = ExpandFolderInputs(paths);
  const std::vector<std::string>& files = inputs.files;
  std::unique_ptr<QProgressDialog> progress;
  if (files.size() >= kProgressFromFiles)
    progress = MakeOpenProgress(static_cast<int>(files.size()));
  QStringList failures;
  for (const std::string& folder : inputs.emptyFolders) {
    failures << QStringLiteral("%1: %2").arg(QFile::decodeName(folder.c_str()),
                                             tr("ﾌｫﾙﾀﾞにﾃﾞｰﾀﾌｧｲﾙ(*.DAT)がありません"));
  }
  const int before = SheetsNow();
  bool opened = false;
  std::vector<std::string> openedPaths;
  for (size_t i = 0; i < files.size(); ++i) {
    if (progress && !StepOpenProgress(*progress, static_cast<int>(i))) break;
    const std::string& path = files[i];
    SweepFileRead read = ReadSweepFile(path, options, state_.session.drawing.Translator());
    if (!read.importError.empty()) {
      failures << QStringFromUtf8(read.importError);
      continue;
    }
    std::optional<MeasurementData>& data = read.data;
    const std::string& message = read.message;
    if (!data) {
      const std::string name = std::filesystem::path(path).filename().string();
      failures << QStringLiteral("%1: %2").arg(
          QFile::decodeName(name.c_str()),
          QStringFromUtf8(LocalizedReaderMessage(message, state_.session.drawing.Translator())));
      continue;
    }
    StartDrawing();
    std::unique_ptr<GraphPage> made =
        PageSession::MakePage(state_.defaults, std::move(*data), PageFileName(path));
    made->sourcePath = path;
    // Further traces of another program's file: laid over its first.
    for (MeasurementData& d : read.more) {
      std::string name = d.imported->legendName;
      made->overlays.push_back(OverlayTrace{std::move(d), std::move(name), path});
    }
    state_.session.AddPage(std::move(made));
    openedPaths.push_back(path);
    opened = true;
  }
  progress.reset();
  emit filesOpened(openedPaths);
  if (opened) AfterPagesOpened(before);
  if (!failures.isEmpty()) ShowOpenFailures(failures);
}

bool PageActions::StepOpenProgress(QProgressDialog& progress, int done) {
  // Once shown, the modal box runs the events itself; before that the
  // window repaints and a quit signal gets through, but no user input.
  if (!progress.isVisible()) QCoreApplication::processEvents(QEventLoop::ExcludeUserInputEvents);
  progress.setValue(done);
  return !progress.wasCanceled();
}

std::unique_ptr<QProgressDialog> PageActions::MakeOpenProgress(int total) {
  auto progress = std::make_unique<QProgressDialog>(tr("ｸﾞﾗﾌを作成しています..."), tr("ｷｬﾝｾﾙ"), 0,
                                                    total, &window_);
  progress->setWindowModality(Qt::WindowModal);
  progress->setMinimumDuration(500);
  progress->setAutoReset(false);
  progress->setAutoClose(false);
  return progress;
}

void PageActions::ShowOpenFailures(const QStringList& failures) {
  if (failures.size() <= kFailuresListed) {
    dialogs_.ShowWarning(&window_, OpenFailuresText(failures));
  } else {
    dialogs_.ShowWarningWithDetails(&window_, OpenFailuresText(failures),
                                    failures.join(QLatin1Char('\n')));
  }
}

QString OpenFailuresText(const QStringList& failures) {
  // A free function, in the window's context.
  QString text =
      QCoreApplication::translate("fernplot::PageActions", "次のﾌｧｲﾙを開けませんでした。\n\n") +
      failures.mid(0, kFailuresListed).join(QLatin1Char('\n'));
  if (failures.size() > kFailuresListed) {
    text += QCoreApplication::translate("fernplot::PageActions", "\n… ほか %1 件")
                .arg(failures.size() - kFailuresListed);
  }
  return text;
}

void PageActions::SaveCsv() {
  GraphPage* page = PageOnScreen(state_);
  if (!page) return;
  // Offered in the data file's folder.
  const QString folder = QFileInfo(QStringFromUtf8(page->sourcePath)).path();
  const QString initial = page->sourcePath.empty()
                              ? QStringFromUtf8(page->fileName)
                              : QDir(folder).filePath(QStringFromUtf8(page->fileName));
  const std::optional<QString> path = dialogs_.AskCsvPath(&window_, initial);
  if (!path) return;
  // The name's suffix picks the format the dialog offered.
  const QString suffix = QFileInfo(*path).suffix().toLower();
  const CsvResult result =
      suffix == QStringLiteral("s2p") ? WritePageTouchstone(*page, path->toStdString())
      : suffix == QStringLiteral("cir")
          ? WritePageSpiceTable(*page, path->toStdString())
          : WritePageCsv(state_.session.pages, state_.session.drawing.CurrentNumber(),
                         path->toStdString());
  if (!result.ok) {
    dialogs_.ShowWarning(
        &window_,
        tr("CSVﾌｧｲﾙを保存できませんでした。\n%1\n%2").arg(*path, QStringFromUtf8(result.error)));
  }
}

void PageActions::SaveReport() {
  GraphPage* shown = PageOnScreen(state_);
  if (!shown) return;
  const QString folder = QFileInfo(QStringFromUtf8(shown->sourcePath)).path();
  const QString initial = shown->sourcePath.empty() ? QStringLiteral("report.pdf")
                                                    : QDir(folder).filePath("report.pdf");
  const std::optional<QString> path = dialogs_.AskReportPath(&window_, initial);
  if (!path) return;
  PageSession& session = state_.session;
  std::vector<std::vector<std::string>> table{ReportHeading(session.drawing.Translator())};
  // Pages with a fitted circuit give it a column, each its own circuit.
  const bool circuits =
      std::any_of(session.pages.begin(), session.pages.end(),
                  [](const std::unique_ptr<GraphPage>& p) { return p->fit && p->fit->circuit; });
  if (circuits) {
    table.front().push_back(
        Translate(session.drawing.Translator(), "Figures", FERNPLOT_TEXT("Figures", "等価回路")));
  }
  for (const std::unique_ptr<GraphPage>& page : session.pages) {
    const std::string file =
        WithParameterName(*page, page->sourcePath.empty()
                                     ? page->fileName
                                     : std::filesystem::path(page->sourcePath).filename().string());
    std::vector<std::string> row = ReportRow(MakeSummaryRow(
        file, page->facts.dataTitle, PageFigures(*page), page->properties.loopJudgement));
    if (IsImpedancePage(*page)) ClearRatioFigures(row);
    if (circuits) {
      row.push_back(page->fit && page->fit->circuit ? CircuitReportCell(page->fit->circuit->result)
                                                    : std::string());
    }
    table.push_back(std::move(row));
  }
  // Pages off screen are drawn again one at a time as the report reaches
  // them; the page on screen stays.
  const OutputResult result = WriteReportPdf(
      table, static_cast<size_t>(session.drawing.SheetCount()),
      [&session](size_t i) {
        return ReportSheet{&session.drawing, session.DrawnSheet(static_cast<int>(i) + 1)};
      },
      QFile::encodeName(*path).toStdString(), "FERNPLOT report");
  if (!result.ok) {
    dialogs_.ShowWarning(
        &window_,
        tr("ﾚﾎﾟｰﾄを保存できませんでした。\n%1\n%2").arg(*path, QStringFromUtf8(result.error)));
  }
  emit statesChanged();
}

void PageActions::ClosePage() {
  if (!PageShown(state_)) return;
  state_.session.CloseCurrent();
}

void PageActions::EditCurrentProperties() {
  GraphPage* page = PageOnScreen(state_);
  if (!page) return;
  GraphProperties edited = page->properties;
  PageFacts facts = page->facts;
  const std::optional<ShownLimits> shown = ShownAxisLimits(*page);
  if (!dialogs_.EditPageProperties(&window_, edited, &facts, shown ? &*shown : nullptr)) return;
  state_.session.ApplyProperties(edited, &facts);
}

void PageActions::EditDefaultProperties() {
  dialogs_.EditProperties(&window_, state_.defaults, nullptr);
  emit statesChanged();
}

void PageActions::ResetToDefault() {
  GraphPage* page = PageOnScreen(state_);
  if (!page) return;
  if (!dialogs_.AskOkCancel(&window_,
                            tr("このｸﾞﾗﾌの設定情報を標準値に戻します。\n\nよろしいですか？\n"))) {
    return;
  }
  state_.session.ResetToDefaults(state_.defaults);
}

void PageActions::OverwriteDefault() {
  GraphPage* page = PageOnScreen(state_);
  if (!page) return;
  if (!dialogs_.AskOkCancel(&window_, tr("このｸﾞﾗﾌの設定情報を標準値とします。\n\n"
                                         "現在の標準値は上書きされます。\n\n"
                                         "よろしいですか？\n"))) {
    return;
  }
  state_.defaults = page->properties;
}

QPrinter& PageActions::Printer() {
  if (!printer_) printer_ = std::make_unique<QPrinter>(QPrinter::HighResolution);
  return *printer_;
}

void PageActions::Print() {
  if (!PageShown(state_)) return;
  QPrinter& printer = Printer();
  printer.setDocName(documentTitle_.left(31));
  const std::optional<PrintRequest> request =
      dialogs_.AskPrint(&window_, printer, state_.session.drawing.SheetCount());
  if (!request) return;
  const int current = state_.session.drawing.CurrentNumber();
  const int fromPage = request->currentPage ? current : request->fromPage;
  const int toPage = request->currentPage ? current : request->toPage;
  // Sheets off screen are drawn again one by one as they are printed.
  const SheetSource drawn = [this](int n) { return state_.session.DrawnSheet(n); };
  if (printer.outputFormat() == QPrinter::PdfFormat && !printer.outputFileName().isEmpty()) {
    const PrintToFileResult r =
        PrintSheetsToPdfFile(state_.session.drawing, printer, fromPage, toPage, drawn);
    if (r.outcome.started && !r.written) {
      dialogs_.ShowWarning(&window_, tr("PDFﾌｧｲﾙを保存できませんでした。\n%1\n%2")
                                         .arg(printer.outputFileName(), QStringFromUtf8(r.error)));
    } else if (!r.outcome.started) {
      dialogs_.ShowInfo(&window_, tr("印刷ｼﾞｮﾌﾞを開始できませんでした。"));
    }
    emit statesChanged();
    return;
  }
  const PrintOutcome outcome =
      PrintSheets(state_.session.drawing, printer, fromPage, toPage, drawn);
  if (!outcome.started) {
    dialogs_.ShowInfo(&window_, tr("印刷ｼﾞｮﾌﾞを開始できませんでした。"));
  }
  emit statesChanged();
}

void PageActions::PrinterSetup() {
  dialogs_.PrinterSetup(&window_, Printer());
}

void PageActions::CloseAllPages() {
  if (!PageShown(state_)) return;
  const int count = state_.session.drawing.SheetCount();
  if (!dialogs_.AskOkCancel(&window_, tr("%1 ﾍﾟｰｼﾞのｸﾞﾗﾌをすべて閉じますか？").arg(count))) {
    return;
  }
  state_.session.CloseAll();
}

void PageActions::ShowFigureMarks(bool on) {
  state_.session.figureMarksOnNewPages = on;
  state_.session.ShowFigureMarks(on);
}

}  // namespace fernplot
