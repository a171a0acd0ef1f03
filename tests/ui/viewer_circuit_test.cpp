// SPDX-License-Identifier: MIT
// An equivalent circuit fitted to an impedance page in the viewer: the
// command and its dialog (the circuit checked as typed, starting values,
// fixed parameters), the fitted curve over the page in every view, its
// residual, removal and JSON, the parameters and the Kramers–Kronig line in
// the figures panel, and the residual view read in percent.

#include <QApplication>
#include <QCheckBox>
#include <QClipboard>
#include <QLabel>
#include <QLineEdit>
#include <QPlainTextEdit>
#include <QTableWidget>
#include <QTest>
#include <cmath>
#include <complex>
#include <numbers>

#include "analysis/impedance/impedance_json.h"
#include "display/circuit_fit_dialog.h"
#include "display/commands.h"
#include "display/figures_dock.h"
#include "display/main_frame.h"
#include "display/main_view.h"
#include "display/trace_readout.h"
#include "graph/device_units.h"
#include "graph/page_impedance.h"
#include "graph/page_model.h"
#include "viewer_support.h"

using namespace fernplot;
using namespace fernplot::testing;

namespace {

// R0-p(R1,C1) with R0 = 1 Ω, R1 = 10 Ω, C1 = 100 µF: a semicircle from 1 to
// 11 Ω, its apex at 159 Hz.
std::string RcTable() {
  std::string table = "frequency,Zre,Zim\n";
  char row[96];
  for (int i = 0; i <= 50; ++i) {
    const double f = std::pow(10.0, -1.0 + i / 10.0);
    const std::complex<double> z =
        1.0 + 10.0 / std::complex<double>(1.0, 2.0 * std::numbers::pi * f * 10.0 * 1e-4);
    std::snprintf(row, sizeof row, "%.17g,%.17g,%.17g\n", f, z.real(), z.imag());
    table += row;
  }
  return table;
}

}  // namespace

class CircuitTest : public QObject {
  Q_OBJECT

 private:
  std::unique_ptr<TestState> ts_;
  std::unique_ptr<ScriptedDialogs> dialogs_;
  std::unique_ptr<CMainFrame> frame_;
  QTemporaryDir dir_;
  QString table_, ratio_;

  AppState& state() { return ts_->state; }
  GraphPage& Page() { return *state().session.CurrentPage(); }
  QAction* Action(int id) { return frame_->Action(id); }
  void Trigger(int id) {
    frame_->UpdateCommandStates();
    QVERIFY2(Action(id)->isEnabled(), qPrintable(Action(id)->text()));
    Action(id)->trigger();
  }

 private slots:
  void initTestCase() {
    table_ = WriteFile(dir_, QStringLiteral("rc.csv"), RcTable());
    ratio_ = WriteDataFile(dir_, QStringLiteral("LPF.DAT"), 41);
  }

  void init() { QVERIFY(ShowNewFrame(ts_, dialogs_, frame_, QSize(1100, 800))); }

  void cleanup() { DropFrame(ts_, dialogs_, frame_); }

  void fitLaysTheCircuitOverThePageInEveryView() {
    // A ratio page has no impedance to fit.
    frame_->Pages().OpenFiles({ratio_});
    frame_->UpdateCommandStates();
    QVERIFY(!Action(kCmdFitCircuit)->isEnabled());
    frame_->Pages().OpenFiles({table_});
    FiguresDock* dock = frame_->FiguresPanel();
    dock->show();
    QCoreApplication::processEvents();
    QVERIFY2(dock->TextBox()->toPlainText().contains(QStringLiteral("Kramers\u2013Kronig: M = ")),
             qPrintable(dock->TextBox()->toPlainText()));

    // Cancelled: nothing changes.
    Trigger(kCmdFitCircuit);
    QCOMPARE(dialogs_->circuitAsks.size(), size_t{1});
    QVERIFY(!Page().fit);

    dialogs_->circuitAnswer = CircuitChoice{"R0-p(R1,C1)", {}};
    Trigger(kCmdFitCircuit);
    QVERIFY(Page().fit && Page().fit->circuit);
    const std::vector<double> values = Page().fit->circuit->result.Values();
    const double expected[] = {1.0, 10.0, 1e-4};
    QCOMPARE(values.size(), size_t{3});
    for (size_t i = 0; i < 3; ++i) QVERIFY(std::abs(values[i] / expected[i] - 1.0) < 1e-6);
    const int at = ModelOverlayIndex(Page());
    QVERIFY(at >= 0);
    const OverlayTrace& overlay = Page().overlays[static_cast<size_t>(at)];
    QCOMPARE(overlay.fileName, std::string("R0-p(R1,C1)"));
    QVERIFY(overlay.dashed);
    // On the curve: |Z| of the circuit where the page has its points.
    const DataPoint& first = overlay.data.points->back();
    QVERIFY(std::abs(first.frequency - 0.1) < 1e-12);
    QVERIFY(std::abs(std::pow(10.0, first.gainCh1Ch2 / 20.0) - 11.0) < 1e-3);

    const QString text = dock->TextBox()->toPlainText();
    QVERIFY2(text.contains(QStringLiteral("\n等価回路  R0-p(R1,C1)\nR0  1.00 \u03A9  \u00B1 ")),
             qPrintable(text));
    QVERIFY2(text.contains(QStringLiteral("C1  100 uF")), qPrintable(text));

    // Asked again: the fit's circuit and its values are offered.
    dialogs_->circuitAnswer.reset();
    Trigger(kCmdFitCircuit);
    QCOMPARE(dialogs_->circuitAsks.back().first.circuit, std::string("R0-p(R1,C1)"));
    QVERIFY(dialogs_->circuitAsks.back().second);

    Trigger(kCmdCopyModelJson);
    QCOMPARE(QApplication::clipboard()->text().toStdString(),
             CircuitFitJson(Page().fit->circuit->result));
    frame_->UpdateCommandStates();
    QVERIFY(!Action(kCmdCopyModelLaplace)->isEnabled());

    // Drawn in the complex plane and the residual view too.
    for (int view : {kCmdViewComplex, kCmdViewKk, kCmdViewBode}) {
      Action(view)->trigger();
      QVERIFY(Page().fit && ModelOverlayIndex(Page()) >= 0);
    }
    Trigger(kCmdModelResidual);
    QVERIFY(ShowsResidual(Page()));
    Trigger(kCmdRemoveModel);
    QVERIFY(!Page().fit);
    QVERIFY(ModelOverlayIndex(Page()) < 0);
    QVERIFY(!dock->TextBox()->toPlainText().contains(QStringLiteral("等価回路")));
  }

  void dialogChecksTheCircuitAsItIsTyped() {
    CircuitChoice choice{"R0-p(R1,C1)", {}};
    choice.options.initial = {{"R1", 5.0, true}};
    CircuitFitDialog dialog(choice, nullptr, nullptr);
    QTableWidget* table = dialog.ParameterTable();
    QCOMPARE(table->rowCount(), 3);
    QCOMPARE(table->item(1, 1)->text(), QStringLiteral("5"));
    QCOMPARE(table->item(1, 2)->checkState(), Qt::Checked);
    dialog.CircuitBox()->setText(QStringLiteral("R0-p(R1,C1"));
    QVERIFY(!dialog.ProblemLabel()->isHidden());
    QCOMPARE(dialog.ProblemLabel()->text(), QStringLiteral("position 11: ')' expected"));
    QCOMPARE(table->rowCount(), 3);  // the last good circuit's rows stay
    dialog.CircuitBox()->setText(QStringLiteral("R0-p(R1,CPE1)"));
    QVERIFY(dialog.ProblemLabel()->isHidden());
    QCOMPARE(table->rowCount(), 4);
    QCOMPARE(table->item(3, 0)->text(), QStringLiteral("CPE1_1"));
    QCOMPARE(table->item(1, 1)->text(), QStringLiteral("5"));  // R1 kept what it had
    // Fixed without a value, an α above 1: refused with the reason.
    table->item(1, 1)->setText(QString());
    dialog.accept();
    QCOMPARE(dialog.result(), int(QDialog::Rejected));
    QVERIFY(dialog.ProblemLabel()->text().contains(QStringLiteral("R1")));
    table->item(1, 2)->setCheckState(Qt::Unchecked);
    table->item(3, 1)->setText(QStringLiteral("1.5"));
    dialog.accept();
    QCOMPARE(dialog.result(), int(QDialog::Rejected));
    QVERIFY(dialog.ProblemLabel()->text().contains(QStringLiteral("CPE1_1")));
    table->item(3, 1)->setText(QStringLiteral("0.9"));
    table->item(0, 1)->setText(QStringLiteral("2"));
    dialog.GlobalBox()->setChecked(true);
    dialog.FromBox()->setText(QStringLiteral("1k"));
    dialog.accept();
    QCOMPARE(dialog.result(), int(QDialog::Accepted));
    const CircuitChoice got = dialog.Choice();
    QCOMPARE(got.circuit, std::string("R0-p(R1,CPE1)"));
    QVERIFY(got.options.global);
    QCOMPARE(got.options.fmin, std::optional<double>(1000.0));
    QCOMPARE(got.options.initial.size(), size_t{2});
    QCOMPARE(got.options.initial[0].name, std::string("R0"));
    QCOMPARE(got.options.initial[0].value, std::optional<double>(2.0));
  }

  // The open dialog's column choice reads a table without a header as an
  // impedance; a header row is skipped, and the default stays a ratio.
  void openDialogReadsATableByTheColumnsChosen() {
    const QString plain =
        WriteFile(dir_, QStringLiteral("plain.csv"), "f,a,b\n100,3,4\n1000,3,-4\n");
    dialogs_->dataFilesAnswer = {plain};
    dialogs_->columnsAnswer = TableColumns::kReNegIm;
    Trigger(kCmdOpenFile);
    const std::optional<ImpedanceSpectrum> z = PageImpedance(Page());
    QVERIFY(z);
    QCOMPARE(z->impedance.size(), size_t{2});
    QCOMPARE(z->impedance[0], std::complex<double>(3.0, -4.0));
    frame_->UpdateCommandStates();
    QVERIFY(Action(kCmdFitCircuit)->isEnabled());
    // The same columns on a file that is no table: refused with the reason.
    const int sheets = state().session.drawing.SheetCount();
    dialogs_->dataFilesAnswer = {ratio_};
    Trigger(kCmdOpenFile);
    QCOMPARE(state().session.drawing.SheetCount(), sheets + 1);  // a .DAT is read as it is
    dialogs_->columnsAnswer = TableColumns::kFromFile;
    const QString numbers = WriteFile(dir_, QStringLiteral("n.csv"), "100,-3,10\n1000,-6,20\n");
    dialogs_->dataFilesAnswer = {numbers};
    Trigger(kCmdOpenFile);
    QVERIFY(!IsImpedancePage(Page()));
  }

  void residualViewReadsPercent() {
    frame_->Pages().OpenFiles({table_});
    Trigger(kCmdViewKk);
    QCOMPARE(Page().properties.view, ViewKind::kKk);
    const DrawingSheet& sheet = *state().session.drawing.CurrentSheet();
    QVERIFY(SheetHasText(sheet, "Re RESIDUAL [%]"));
    const FrameRect& f = Page().layout.frame;
    const QPoint at(static_cast<int>((f.left + f.right) / 2 * kPixelsPerMm),
                    static_cast<int>((f.top + f.bottom) / 2 * kPixelsPerMm));
    frame_->View()->HandlePointer(at);
    const QString pane = frame_->Pane(kPaneGain)->text();
    QVERIFY2(pane.startsWith(QStringLiteral("Re ")) && pane.contains(QLatin1Char('%')),
             qPrintable(pane));
    const TraceReadout* box = frame_->View()->TraceReadoutBox();
    QVERIFY(!box || !box->isVisible());
  }
};

QTEST_MAIN(CircuitTest)
#include "viewer_circuit_test.moc"
