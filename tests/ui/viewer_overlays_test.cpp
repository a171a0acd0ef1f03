// SPDX-License-Identifier: MIT
// Comparing measurements in the viewer: overlay traces through the data-file
// list and Ctrl-drops, the trace list, the difference mode and the readout
// of every trace at the pointer.

#include <QAction>
#include <QClipboard>
#include <QDropEvent>
#include <QFileInfo>
#include <QGuiApplication>
#include <QListWidget>
#include <QMimeData>
#include <QPushButton>
#include <QRegularExpression>
#include <QTest>
#include <QToolBar>
#include <QUrl>
#include <limits>
#include <variant>

#include "datafile/data_file_scan.h"
#include "datafile/reader.h"
#include "display/commands.h"
#include "display/cross_hair.h"
#include "display/main_frame.h"
#include "display/main_view.h"
#include "display/trace_readout.h"
#include "display/traces_dialog.h"
#include "graph/overlays.h"
#include "graph/pages.h"
#include "import/import_reader.h"
#include "page_output.h"
#include "viewer_support.h"

using namespace fernplot;
using namespace fernplot::testing;

namespace {

std::vector<std::string> OverlayNames(const GraphPage& page) {
  std::vector<std::string> names;
  for (const OverlayTrace& t : page.overlays) names.push_back(t.fileName);
  return names;
}

}  // namespace

class OverlaysTest : public WindowTest {
  Q_OBJECT

 private:
  QStringList files_;

  void Trigger(int id) { frame_->Action(id)->trigger(); }

  void Drop(const QStringList& paths, Qt::KeyboardModifiers modifiers) {
    QMimeData data;
    QList<QUrl> urls;
    for (const QString& p : paths) urls << QUrl::fromLocalFile(p);
    data.setUrls(urls);
    // A drop arrives after the drag entered the window.
    QDragEnterEvent enter(QPoint(50, 50), Qt::CopyAction, &data, Qt::LeftButton, modifiers);
    QCoreApplication::sendEvent(frame_.get(), &enter);
    QDropEvent drop(QPointF(50, 50), Qt::CopyAction, &data, Qt::LeftButton, modifiers);
    QCoreApplication::sendEvent(frame_.get(), &drop);
  }

  // A point inside the graph frame, in viewport coordinates at 100 %.
  QPoint InsideFrame() {
    const FrameRect& f = Page().layout.frame;
    return QPoint(static_cast<int>((f.left + 40.0) * kPixelsPerMm),
                  static_cast<int>((f.top + 20.0) * kPixelsPerMm));
  }

 private slots:
  void initTestCase() {
    // P1 and SAME hold the same sweep; P2 and P3 other point counts.
    files_ << WriteDataFile(dir_, QStringLiteral("P1.DAT"), 20)
           << WriteDataFile(dir_, QStringLiteral("P2.DAT"), 31)
           << WriteDataFile(dir_, QStringLiteral("P3.DAT"), 45)
           << WriteDataFile(dir_, QStringLiteral("SAME.DAT"), 20);
  }

  void init() { QVERIFY(ShowNewFrame(ts_, dialogs_, frame_, QSize(900, 700))); }

  void cleanup() { DropFrame(ts_, dialogs_, frame_); }

  void commandsFollowThePage() {
    QVERIFY(!frame_->Action(kCmdAddOverlays)->isEnabled());
    frame_->Pages().OpenFiles({files_[0]});
    QVERIFY(frame_->Action(kCmdAddOverlays)->isEnabled());
    QVERIFY(!frame_->Action(kCmdEditTraces)->isEnabled());
    QVERIFY(!frame_->Action(kCmdDifference)->isEnabled());
    QCOMPARE(frame_->Action(kCmdAddOverlays)->text(), QStringLiteral("ﾄﾚｰｽの重ね描き..."));
    QVERIFY(frame_->findChild<QToolBar*>()->actions().contains(frame_->Action(kCmdAddOverlays)));

    // Chosen in the list: only the marked files, on the page on screen.
    ScanDataFiles((dir_.path() + QStringLiteral("/P*.DAT")).toStdString(), state().dataFiles);
    dialogs_->overlayNames = {"P2.DAT", "P3.DAT"};
    Trigger(kCmdAddOverlays);
    QCOMPARE(dialogs_->overlayListRuns, 1);
    QCOMPARE(OverlayNames(Page()), (std::vector<std::string>{"P2", "P3"}));
    QCOMPARE(state().session.drawing.SheetCount(), 1);
    for (const DataFileEntry& e : state().dataFiles) QVERIFY(!(e.flags & kEntrySelected));
    // Built again with them: the legend names every trace.
    QVERIFY(SheetHasText(*state().session.drawing.CurrentSheet(), "P3"));
    QVERIFY(frame_->Action(kCmdEditTraces)->isEnabled());
    QVERIFY(frame_->Action(kCmdDifference)->isEnabled());
    QVERIFY(!frame_->Action(kCmdDifference)->isChecked());

    // Cancelled: nothing added.
    dialogs_->markForList = false;
    Trigger(kCmdAddOverlays);
    QCOMPARE(Page().overlays.size(), size_t{2});
  }

  void traceListAndDifference() {
    frame_->Pages().OpenFiles({files_[0]});
    frame_->Pages().AddOverlayFiles({files_[1], files_[2]});
    // Without a chosen reference the difference is to the first overlay.
    Trigger(kCmdDifference);
    QVERIFY(InDifferenceMode(Page()));
    QCOMPARE(Page().referenceIndex, 0);
    QVERIFY(frame_->Action(kCmdDifference)->isChecked());
    Trigger(kCmdDifference);
    QVERIFY(!InDifferenceMode(Page()));

    // The list shows what the page has; P2 removed, P3 made the reference.
    dialogs_->editTraces = [](const TraceList& list) -> std::optional<TraceListEdit> {
      if (list.overlays.size() != 2) return std::nullopt;
      return TraceListEdit{{1}, 1};
    };
    Trigger(kCmdEditTraces);
    QCOMPARE(dialogs_->traceLists.back().page.name, QStringLiteral("P1"));
    QCOMPARE(dialogs_->traceLists.back().overlays[1].name, QStringLiteral("P3"));
    QCOMPARE(OverlayNames(Page()), (std::vector<std::string>{"P3"}));
    QCOMPARE(Page().referenceIndex, 0);
    Trigger(kCmdDifference);
    QVERIFY(InDifferenceMode(Page()));

    // Removing the reference ends the difference; removing the last overlay
    // leaves the page as it was opened.
    dialogs_->editTraces = [](const TraceList&) { return TraceListEdit{{}, -1}; };
    Trigger(kCmdEditTraces);
    QVERIFY(Page().overlays.empty());
    QVERIFY(!Page().showDifference);
    QVERIFY(!frame_->Action(kCmdDifference)->isEnabled());
    TestState plain;
    plain.state.session.drawingActive = true;
    plain.state.session.OpenPage(plain.state.defaults,
                                 *ReadDataFileForPage(files_[0].toStdString()), "P1");
    QVERIFY(*plain.state.session.drawing.CurrentSheet() == *state().session.drawing.CurrentSheet());
  }

  void ctrlDropAddsOverlays() {
    frame_->Pages().OpenFiles({files_[0]});
    Drop({files_[1], dir_.filePath(QStringLiteral("MISSING.DAT"))}, Qt::ControlModifier);
    QCOMPARE(state().session.drawing.SheetCount(), 1);
    QCOMPARE(OverlayNames(Page()), (std::vector<std::string>{"P2"}));
    QCOMPARE(dialogs_->warnings.size(), size_t{1});
    QVERIFY(dialogs_->warnings[0].contains(QStringLiteral("MISSING.DAT")));
    // Without Ctrl a drop opens pages as before.
    Drop({files_[2]}, Qt::NoModifier);
    QCOMPARE(state().session.drawing.SheetCount(), 2);
    QVERIFY(Page().overlays.empty());
  }

  // Other programs' files open, overlay and save like data files.
  void importedFilesOpenOverlayAndSave() {
    const QString sim = dir_.filePath(QStringLiteral("sim.txt"));
    QFile f(sim);
    QVERIFY(f.open(QIODevice::WriteOnly));
    f.write(
        "Freq.\tV(out)\nStep Information: R=1k  (Run: 1/2)\n10\t(-1dB,-10\xB0)\n"
        "100\t(-3dB,-30\xB0)\nStep Information: R=2k  (Run: 2/2)\n10\t(-2dB,-20\xB0)\n"
        "100\t(-6dB,-60\xB0)\n");
    f.close();
    const QString bad = dir_.filePath(QStringLiteral("bad.csv"));
    QFile b(bad);
    QVERIFY(b.open(QIODevice::WriteOnly));
    b.write("1,2,3\n4,5\n");
    b.close();

    // A page with the second run laid over; the bad table is named with its line.
    frame_->Pages().OpenFiles({sim, bad});
    QCOMPARE(state().session.drawing.SheetCount(), 1);
    QCOMPARE(Page().fileName, std::string("sim"));
    QCOMPARE(OverlayNames(Page()), (std::vector<std::string>{"V(out) R=2k"}));
    QVERIFY(SheetHasText(*state().session.drawing.CurrentSheet(), "V(out) R=1k"));
    QVERIFY(SheetHasText(*state().session.drawing.CurrentSheet(), "sim.txt"));
    QCOMPARE(dialogs_->warnings.size(), size_t{1});
    QVERIFY(dialogs_->warnings[0].contains(bad + QStringLiteral(":2: ")));

    // Laid over a data file's page: every trace.
    frame_->Pages().OpenFiles({files_[0]});
    frame_->Pages().AddOverlayFiles({sim});
    QCOMPARE(OverlayNames(Page()), (std::vector<std::string>{"V(out) R=1k", "V(out) R=2k"}));

    // Save As writes the format the name's suffix asks for.
    dialogs_->csvPath = dir_.filePath(QStringLiteral("P1.s2p"));
    frame_->Pages().SaveCsv();
    const ImportResult back = ReadImportFile(dialogs_->csvPath->toStdString(), {});
    QVERIFY(back.file);
    QCOMPARE(back.file->traces[0].points.size(), Page().data.points->size());
    dialogs_->csvPath = dir_.filePath(QStringLiteral("P1.cir"));
    frame_->Pages().SaveCsv();
    QFile cir(*dialogs_->csvPath);
    QVERIFY(cir.open(QIODevice::ReadOnly));
    QVERIFY(cir.readAll().contains(".subckt P1 in out\nE1 out 0 FREQ {V(in)} = ("));
  }

  // A two-port's S-parameter chosen in the open dialog or asked for an
  // overlay is the one read: every parameter of a file where each differs,
  // the choice offered again next time, a one-port's S11 whatever was
  // chosen, a parameter the file lacks named in the message.
  void twoPortParameterChoiceReachesTheReader() {
    // Gains -1, -2, -3, -4 dB for S11, S21, S12, S22 at both frequencies.
    const QString amp = WriteFile(dir_, QStringLiteral("amp.s2p"),
                                  "# Hz S DB R 50\n"
                                  "1000 -1 10 -2 20 -3 30 -4 40\n"
                                  "2000 -1 11 -2 21 -3 31 -4 41\n");
    const QString one =
        WriteFile(dir_, QStringLiteral("one.s1p"), "# Hz S DB R 50\n1000 -5 50\n2000 -5 51\n");
    const QString z =
        WriteFile(dir_, QStringLiteral("z.s2p"),
                  "# Hz Z DB R 50\n1000 -1 0 -2 0 -3 0 -4 0\n2000 -1 0 -2 0 -3 0 -4 0\n");
    const auto firstGain = [](const MeasurementData& d) { return (*d.points)[0].gainCh1Ch2; };
    struct Case {
      QString file, parameter;
      float gain;
      QString offeredBefore;
    };
    const Case cases[] = {{amp, QStringLiteral("S11"), -1.0f, QStringLiteral("S21")},
                          {amp, QStringLiteral("S12"), -3.0f, QStringLiteral("S11")},
                          {amp, QStringLiteral("S22"), -4.0f, QStringLiteral("S12")},
                          {amp, QStringLiteral("S21"), -2.0f, QStringLiteral("S22")},
                          {one, QStringLiteral("S12"), -5.0f, QStringLiteral("S21")},
                          {z, QStringLiteral("S21"), -2.0f, QStringLiteral("S12")}};
    for (const Case& c : cases) {
      dialogs_->dataFilesAnswer = {c.file};
      dialogs_->parameterAnswer = c.parameter;
      Trigger(kCmdOpenFile);
      QCOMPARE(dialogs_->offeredParameters.back(), c.offeredBefore);
      QCOMPARE(firstGain(Page().data), c.gain);
    }
    QVERIFY(dialogs_->warnings.empty());
    // A Z-parameter file has no S11.
    const int sheets = state().session.drawing.SheetCount();
    dialogs_->dataFilesAnswer = {z};
    dialogs_->parameterAnswer = QStringLiteral("S11");
    Trigger(kCmdOpenFile);
    QCOMPARE(state().session.drawing.SheetCount(), sheets);
    QCOMPARE(dialogs_->warnings.size(), size_t{1});
    QVERIFY(dialogs_->warnings[0].contains(QStringLiteral("z.s2p")));
    QVERIFY(dialogs_->warnings[0].contains(QStringLiteral("S11")));

    // Overlays: the question for a two-port only, offering the last choice.
    frame_->Pages().OpenFiles({files_[0]});
    dialogs_->overlayParameterAnswer = QStringLiteral("S12");
    frame_->Pages().AddOverlayFiles({one, amp});
    QCOMPARE(dialogs_->twoPortQuestions, (std::vector<QString>{QStringLiteral("amp.s2p")}));
    QCOMPARE(dialogs_->offeredParameters.back(), QStringLiteral("S11"));
    QCOMPARE(Page().overlays.size(), size_t{2});
    QCOMPARE(firstGain(Page().overlays[0].data), -5.0f);
    QCOMPARE(firstGain(Page().overlays[1].data), -3.0f);
    dialogs_->cancelTwoPortQuestion = true;
    frame_->Pages().AddOverlayFiles({amp});
    QCOMPARE(Page().overlays.size(), size_t{2});
    QCOMPARE(dialogs_->warnings.size(), size_t{1});
    // Asked even when the last choice does not fit the file; the answer
    // that does not fit either is named.
    dialogs_->cancelTwoPortQuestion = false;
    dialogs_->overlayParameterAnswer = QStringLiteral("S11");
    frame_->Pages().AddOverlayFiles({amp});
    dialogs_->overlayParameterAnswer.clear();
    frame_->Pages().AddOverlayFiles({z});
    QCOMPARE(dialogs_->twoPortQuestions.size(), size_t{4});
    QCOMPARE(Page().overlays.size(), size_t{3});
    QCOMPARE(dialogs_->warnings.size(), size_t{2});
    QVERIFY(dialogs_->warnings[1].contains(QStringLiteral("z.s2p")));
    dialogs_->overlayParameterAnswer = QStringLiteral("S21");
    frame_->Pages().AddOverlayFiles({z});
    QCOMPARE(Page().overlays.size(), size_t{4});
    QCOMPARE(firstGain(Page().overlays[3].data), -2.0f);

    // Dragged over the window, these files are taken like data files.
    QMimeData data;
    data.setUrls({QUrl::fromLocalFile(amp)});
    QDragEnterEvent enter(QPoint(50, 50), Qt::CopyAction, &data, Qt::LeftButton, Qt::NoModifier);
    QCoreApplication::sendEvent(frame_.get(), &enter);
    QVERIFY(enter.isAccepted());
  }

  void overlayFromFileTakesEverySweepFormat() {
    const QString amp = WriteFile(dir_, QStringLiteral("sim.s2p"),
                                  "# Hz S DB R 50\n"
                                  "1000 -1 10 -2 20 -3 30 -4 40\n"
                                  "2000 -1 11 -2 21 -3 31 -4 41\n");
    const QString text = WriteFile(dir_, QStringLiteral("sim.csv"),
                                   "Frequency (Hz),Gain (dB),Phase (deg)\n"
                                   "1000,-7,0\n2000,-8,-10\n");
    QVERIFY(!frame_->Action(kCmdOverlayFromFile)->isEnabled());
    frame_->Pages().OpenFiles({files_[0]});
    QCOMPARE(frame_->Action(kCmdOverlayFromFile)->text(), QStringLiteral("ﾌｧｲﾙから重ね描き..."));
    // Cancelled: nothing added, nothing asked.
    Trigger(kCmdOverlayFromFile);
    QVERIFY(Page().overlays.empty());
    QCOMPARE(dialogs_->overlayFileFolders.back(), dir_.path());
    // The two-port question as for dropped files.
    dialogs_->overlayFilesAnswer = {text, amp};
    dialogs_->overlayParameterAnswer = QStringLiteral("S12");
    Trigger(kCmdOverlayFromFile);
    QCOMPARE(dialogs_->twoPortQuestions, (std::vector<QString>{QStringLiteral("sim.s2p")}));
    QCOMPARE(Page().overlays.size(), size_t{2});
    QCOMPARE((*Page().overlays[0].data.points)[0].gainCh1Ch2, -7.0f);
    QCOMPARE((*Page().overlays[1].data.points)[0].gainCh1Ch2, -3.0f);
    QVERIFY(frame_->Action(kCmdEditTraces)->isEnabled());
    QVERIFY(dialogs_->warnings.empty());
  }

  // Files the exporter refuses as overlays are refused here too, in the
  // same one box as files that cannot be opened as pages; the readable ones
  // of the same choice are still laid over.
  void unreadableOverlaysAreRefused() {
    const QString empty = WriteDataFile(dir_, QStringLiteral("EMPTY.DAT"), 0);
    const std::string whole = DataFileBytes(20, 0, "テスト");
    const QString cut =
        WriteFile(dir_, QStringLiteral("CUT.DAT"), whole.substr(0, whole.size() - 10));
    const QString broken = WriteFile(dir_, QStringLiteral("BROKEN.DAT"), whole.substr(0, 40));
    frame_->Pages().OpenFiles({files_[0]});
    const DrawingSheet before = *state().session.drawing.CurrentSheet();
    for (const QString& bad : {empty, cut, broken}) {
      dialogs_->warnings.clear();
      frame_->Pages().AddOverlayFiles({bad});
      QVERIFY(Page().overlays.empty());
      QCOMPARE(dialogs_->warnings.size(), size_t{1});
      QVERIFY(dialogs_->warnings[0].startsWith(QStringLiteral("次のﾌｧｲﾙを開けませんでした。")));
      QVERIFY(dialogs_->warnings[0].contains(QFileInfo(bad).fileName()));
      QVERIFY(!frame_->Action(kCmdDifference)->isEnabled());
    }
    QVERIFY(*state().session.drawing.CurrentSheet() == before);
    dialogs_->warnings.clear();
    frame_->Pages().AddOverlayFiles({empty, files_[1], cut});
    QCOMPARE(OverlayNames(Page()), (std::vector<std::string>{"P2"}));
    QCOMPARE(dialogs_->warnings.size(), size_t{1});
    QVERIFY(dialogs_->warnings[0].contains(QStringLiteral("EMPTY.DAT")));
    QVERIFY(dialogs_->warnings[0].contains(QStringLiteral("CUT.DAT")));
    // Chosen in the data-file list, where such files are listed.
    ScanDataFiles((dir_.path() + QStringLiteral("/*.DAT")).toStdString(), state().dataFiles);
    dialogs_->warnings.clear();
    dialogs_->overlayNames = {"EMPTY.DAT", "P3.DAT"};
    Trigger(kCmdAddOverlays);
    QCOMPARE(OverlayNames(Page()), (std::vector<std::string>{"P2", "P3"}));
    QCOMPARE(dialogs_->warnings.size(), size_t{1});
    QVERIFY(dialogs_->warnings[0].contains(QStringLiteral("EMPTY.DAT")));
  }

  // A reference apart from the page (100 MHz to 10 GHz under an audio
  // sweep) or without one usable point leaves nothing to subtract: the
  // window says so and stays out of difference mode, whether the difference
  // is switched on or the reference is chosen while it is on.
  void differenceWithNothingToSubtractIsRefused() {
    const MeasurementData header = TestHeader({.pointCount = 20});
    const QString far = WriteFile(dir_, QStringLiteral("FAR.DAT"),
                                  EncodeRawDataFile(header, RawSweep(20, 1e8, 2.0, LowPass)));
    std::vector<RawRecord> unusable = LowPassRecords(20);
    for (RawRecord& r : unusable) r.phase = std::numeric_limits<float>::quiet_NaN();
    const QString none =
        WriteFile(dir_, QStringLiteral("NOUSE.DAT"), EncodeRawDataFile(header, unusable));
    for (const QString& reference : {far, none}) {
      frame_->Pages().OpenFiles({files_[0]});
      frame_->Pages().AddOverlayFiles({reference});
      QCOMPARE(Page().overlays.size(), size_t{1});
      const DrawingSheet before = *state().session.drawing.CurrentSheet();
      dialogs_->warnings.clear();
      Trigger(kCmdDifference);
      QVERIFY(!InDifferenceMode(Page()));
      QVERIFY(!frame_->Action(kCmdDifference)->isChecked());
      QCOMPARE(dialogs_->warnings.size(), size_t{1});
      QVERIFY(dialogs_->warnings[0].startsWith(QFileInfo(reference).fileName() + u':'));
      QVERIFY(*state().session.drawing.CurrentSheet() == before);
    }
    // Chosen as the reference while the difference is shown.
    frame_->Pages().AddOverlayFiles({files_[1]});
    dialogs_->editTraces = [](const TraceList&) { return TraceListEdit{{0, 1}, 1}; };
    Trigger(kCmdEditTraces);
    Trigger(kCmdDifference);
    QVERIFY(InDifferenceMode(Page()));
    dialogs_->warnings.clear();
    dialogs_->editTraces = [](const TraceList&) { return TraceListEdit{{0, 1}, 0}; };
    Trigger(kCmdEditTraces);
    QCOMPARE(Page().referenceIndex, 0);
    QVERIFY(!InDifferenceMode(Page()));
    QVERIFY(!frame_->Action(kCmdDifference)->isChecked());
    QCOMPARE(dialogs_->warnings.size(), size_t{1});
    QVERIFY(dialogs_->warnings[0].contains(QStringLiteral("NOUSE.DAT")));
  }

  void readoutOfEveryTrace() {
    frame_->Pages().OpenFiles({files_[0]});
    CMainView* view = frame_->View();
    view->HandlePointer(InsideFrame());
    // A page without overlays reads its own curve only.
    QCOMPARE(view->TraceReadoutBox()->Texts().size(), 1);

    frame_->Pages().AddOverlayFiles({files_[3], files_[2]});
    view->HandlePointer(InsideFrame());
    const TraceReadout* box = view->TraceReadoutBox();
    QVERIFY(box && box->isVisible());
    QStringList lines = box->Texts();
    QCOMPARE(lines.size(), 4);  // the frequency, then P1, SAME, P3
    QVERIFY(lines[0].endsWith(QStringLiteral("Hz")));
    QVERIFY(lines[1].startsWith(QStringLiteral("P1  ")));
    QVERIFY(lines[1].contains(QStringLiteral(" dB  ")) &&
            lines[1].endsWith(QString::fromUtf8("°")));
    // Read with the single trace's figures: four digits, spaced units.
    const std::optional<Readout> at =
        ComputeReadout(Page().layout, InsideFrame(), view->ScrollPosition(), view->Zoom());
    QVERIFY(at);
    QCOMPARE(lines[0], FourDigits(at->frequency, "Hz", true));
    const QRegularExpression figures(QString::fromUtf8("^P1  (−?[0-9.]+) dB  (−?[0-9.]+)°$"));
    const QRegularExpressionMatch m = figures.match(lines[1]);
    QVERIFY2(m.hasMatch(), qPrintable(lines[1]));
    for (int k : {1, 2}) {
      // Significant digits: leading zeros do not count.
      QString digits = m.captured(k).remove(QChar(0x2212)).remove(QLatin1Char('.'));
      while (digits.startsWith(QLatin1Char('0')) && digits.size() > 1) digits.remove(0, 1);
      QVERIFY2(digits.size() <= 4, qPrintable(lines[1]));
    }
    // The same sweep reads the same; another sampling of the same low-pass
    // reads close by but is interpolated between its own points.
    QCOMPARE(lines[2].mid(4), lines[1].mid(2));
    QVERIFY(lines[3] != QStringLiteral("P3  ---  ---"));

    // As differences to SAME: the page's own difference is zero there.
    Trigger(kCmdDifference);
    view->HandlePointer(InsideFrame());
    lines = view->TraceReadoutBox()->Texts();
    QVERIFY(lines[0].contains(QStringLiteral("基準との差")));
    QCOMPARE(lines[1], QString::fromUtf8("P1  0 dB  0°"));
    QCOMPARE(lines[2], QString::fromUtf8("SAME  0 dB  0°"));

    // Leaving the frame hides it.
    view->HandlePointer(QPoint(2, 2));
    QVERIFY(view->TraceReadoutBox()->isHidden());
  }

  void clipboardShowsTheOverlays() {
    frame_->Pages().OpenFiles({files_[0]});
    const QImage before = RenderPageImage(state().session.drawing, 1.0);
    frame_->Pages().AddOverlayFiles({files_[2]});
    frame_->ViewCommands().CopyPageToClipboard();
    const QImage copied = QGuiApplication::clipboard()->image();
    QCOMPARE(copied.convertToFormat(QImage::Format_RGB32),
             RenderPageImage(state().session.drawing, 1.0).convertToFormat(QImage::Format_RGB32));
    QVERIFY(copied.convertToFormat(QImage::Format_RGB32) !=
            before.convertToFormat(QImage::Format_RGB32));
  }

  void tracesDialogEdits() {
    TraceList list;
    list.page = {QStringLiteral("PAGE"), Qt::blue};
    for (const char* name : {"A", "B", "C"})
      list.overlays.push_back({QString::fromLatin1(name), Qt::red});
    list.reference = 2;
    TracesDialog dialog(list);
    QCOMPARE(dialog.List()->count(), 4);
    QVERIFY(dialog.List()->item(3)->text().contains(QStringLiteral("基準")));
    dialog.List()->setCurrentRow(0);
    QVERIFY(!dialog.RemoveButton()->isEnabled());
    dialog.RemoveRow(0);  // the page's own trace stays
    QCOMPARE(dialog.Edit().kept.size(), size_t{3});
    dialog.ToggleReferenceRow(1);
    QCOMPARE(dialog.Edit().reference, 0);
    dialog.RemoveRow(1);  // the reference goes with its row
    QCOMPARE(dialog.Edit().kept, (std::vector<size_t>{1, 2}));
    QCOMPARE(dialog.Edit().reference, -1);
    dialog.ToggleReferenceRow(2);
    dialog.ToggleReferenceRow(2);
    QCOMPARE(dialog.Edit().reference, -1);
  }
};

QTEST_MAIN(OverlaysTest)
#include "viewer_overlays_test.moc"
