// SPDX-License-Identifier: MIT
// Viewer timings with the real window under the offscreen platform.

#include <benchmark/benchmark.h>

#include <QApplication>
#include <QMouseEvent>
#include <QTemporaryDir>

#include "display/main_frame.h"
#include "display/main_view.h"
#include "display/page_actions.h"
#include "display/recent_part.h"
#include "display/view_part.h"
#include "font_setup.h"
#include "graph/page_session.h"
#include "graph/pages.h"
#include "viewer_support.h"

namespace fernplot {
namespace {

using testing::ScriptedDialogs;
using testing::TestState;

// One mouse move over the graph at 200 % with the cross-hair on, including
// the repaint it causes: readout, three panes, old lines erased, new drawn.
// range(0) overlays of as many points on the page: their values are read
// at every move and shown in the box beside the pointer.
void BM_MouseMoveAt200Percent(benchmark::State& bs) {
  QTemporaryDir dir;
  const QString file = testing::WriteDataFile(dir, QStringLiteral("BIG.DAT"), 65535);
  TestState ts;
  ScriptedDialogs dialogs;
  CMainFrame frame(ts.state, dialogs);
  frame.resize(1200, 900);
  frame.show();
  frame.ViewCommands().SelectZoomEntry(5);
  frame.Pages().OpenFiles({file});
  QStringList overlays;
  for (int64_t i = 0; i < bs.range(0); ++i) overlays << file;
  if (!overlays.isEmpty()) frame.Pages().AddOverlayFiles(overlays);
  ts.state.crossHairEnabled = true;
  CMainView* view = frame.View();
  QWidget* viewport = view->viewport();
  viewport->repaint();  // the one render of the page
  const FrameRect& f = PageForSheet(ts.state.session.pages, 1)->layout.frame;
  const double d = 2.0 * kPixelsPerMm;
  const QPoint origin(static_cast<int>(f.left * d) + 5, static_cast<int>(f.top * d) + 5);
  int i = 0;
  for (auto _ : bs) {
    const QPoint at = origin + QPoint(i % 400, (i * 7) % 300);
    ++i;
    QMouseEvent move(QEvent::MouseMove, QPointF(at), QPointF(viewport->mapToGlobal(at)),
                     Qt::NoButton, Qt::NoButton, Qt::NoModifier);
    QCoreApplication::sendEvent(viewport, &move);
    QCoreApplication::processEvents();  // the repaint of the line strips
  }
  bs.counters["page renders"] = view->Cache().RenderCount();
}
BENCHMARK(BM_MouseMoveAt200Percent)
    ->ArgName("overlays")
    ->Arg(0)
    ->Arg(8)
    ->Unit(benchmark::kMicrosecond);

// Reading and building 100 pages of 1,000 points as the command line or a
// drop opens them, then the first paint.
void BM_Open100Files(benchmark::State& bs) {
  QTemporaryDir dir;
  QStringList files;
  for (int k = 0; k < 100; ++k) {
    files << testing::WriteDataFile(dir, QStringLiteral("F%1.DAT").arg(k, 3, 10, QLatin1Char('0')),
                                    1000);
  }
  TestState ts;
  ScriptedDialogs dialogs;
  CMainFrame frame(ts.state, dialogs);
  frame.resize(1000, 800);
  frame.show();
  for (auto _ : bs) {
    frame.Pages().OpenFiles(files);
    frame.View()->viewport()->repaint();
    bs.PauseTiming();
    ts.state.session.ReleaseAll();
    frame.RefreshViews();
    bs.ResumeTiming();
  }
}
BENCHMARK(BM_Open100Files)->Unit(benchmark::kMillisecond);

}  // namespace
}  // namespace fernplot

int main(int argc, char** argv) {
  if (qEnvironmentVariableIsEmpty("QT_QPA_PLATFORM")) qputenv("QT_QPA_PLATFORM", "offscreen");
  QApplication app(argc, argv);
  fernplot::InstallFontSubstitutions();
  benchmark::Initialize(&argc, argv);
  benchmark::RunSpecifiedBenchmarks();
  benchmark::Shutdown();
  return 0;
}
