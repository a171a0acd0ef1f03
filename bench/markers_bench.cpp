// SPDX-License-Identifier: MIT
// A marker move on a 65,535-point page: the step itself with its status
// text, and an arrow key through the window in marker mode including the
// repaint it causes.

#include <benchmark/benchmark.h>

#include <QAction>
#include <QApplication>
#include <QKeyEvent>
#include <QTemporaryDir>

#include "display/main_frame.h"
#include "display/main_view.h"
#include "display/markers.h"
#include "display/page_actions.h"
#include "display/recent_part.h"
#include "display/view_part.h"
#include "font_setup.h"
#include "graph/page_figures.h"
#include "graph/pages.h"
#include "viewer_support.h"

namespace fernplot {
namespace {

constexpr int kPoints = 65535;

void BM_MarkerStepAndText(benchmark::State& bs) {
  QTemporaryDir dir;
  const QString file = testing::WriteDataFile(dir, QStringLiteral("BIG.DAT"), kPoints);
  testing::TestState ts;
  testing::ScriptedDialogs dialogs;
  CMainFrame frame(ts.state, dialogs);
  frame.Pages().OpenFiles({file});
  MarkerPair pair;
  pair.SetPoints(PageUsablePoints(*ts.state.session.CurrentPage()));
  pair.Place(100.0);
  pair.Place(1000.0);
  int direction = 1;
  for (auto _ : bs) {
    if (!pair.Step(direction)) direction = -direction;
    benchmark::DoNotOptimize(pair.StatusText());
  }
}
BENCHMARK(BM_MarkerStepAndText)->Unit(benchmark::kMicrosecond);

void BM_MarkerArrowKeyInWindow(benchmark::State& bs) {
  QTemporaryDir dir;
  const QString file = testing::WriteDataFile(dir, QStringLiteral("BIG.DAT"), kPoints);
  testing::TestState ts;
  testing::ScriptedDialogs dialogs;
  CMainFrame frame(ts.state, dialogs);
  frame.resize(1200, 900);
  frame.show();
  frame.Pages().OpenFiles({file});
  frame.View()->viewport()->repaint();  // the one render of the page
  frame.MarkerModeAction()->trigger();
  MarkerPair& pair = frame.Markers()->Pair();
  pair.Place(100.0);
  pair.Place(1000.0);
  frame.Markers()->Changed();
  QCoreApplication::processEvents();
  int key = Qt::Key_Right;
  for (auto _ : bs) {
    const size_t before = *pair.B()->point;
    QKeyEvent press(QEvent::KeyPress, key, Qt::NoModifier);
    QCoreApplication::sendEvent(frame.View(), &press);
    QCoreApplication::processEvents();  // the repaint around the marker
    if (pair.B()->point == before) key = key == Qt::Key_Right ? Qt::Key_Left : Qt::Key_Right;
  }
}
BENCHMARK(BM_MarkerArrowKeyInWindow)->Unit(benchmark::kMicrosecond);

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
