// SPDX-License-Identifier: MIT
// Resident memory per open page and the time to page, on the real viewer
// under the offscreen platform.
//   bench_page_memory SAMPLE.DAT [FEW [MANY]]
// Opens FEW (default 100) copies of SAMPLE.DAT, then MANY (default 2,100) in
// all, and prints the resident memory added per page between the two. Then
// opens twenty pages of 1,000 points and times PageDown from the key press
// to the end of the repaint, both ways through them.

#include <malloc.h>
#include <unistd.h>

#include <QApplication>
#include <QElapsedTimer>
#include <QFile>
#include <QKeyEvent>
#include <QTemporaryDir>
#include <algorithm>
#include <cstdio>
#include <fstream>
#include <vector>

#include "display/main_frame.h"
#include "display/main_view.h"
#include "font_setup.h"
#include "graph/page_session.h"
#include "viewer_support.h"

namespace {

using fernplot::CMainFrame;
using fernplot::testing::ScriptedDialogs;
using fernplot::testing::TestState;

long ResidentBytes() {
  std::ifstream statm("/proc/self/statm");
  long pages = 0, resident = 0;
  statm >> pages >> resident;
  return resident * sysconf(_SC_PAGESIZE);
}

QStringList Copies(const QTemporaryDir& dir, const QString& sample, int from, int to) {
  QStringList files;
  for (int k = from; k < to; ++k) {
    const QString path = dir.filePath(QStringLiteral("P%1.DAT").arg(k, 5, 10, QLatin1Char('0')));
    QFile::copy(sample, path);
    files << path;
  }
  return files;
}

void Settle(CMainFrame& frame) {
  QCoreApplication::processEvents();
  frame.View()->viewport()->repaint();
  QCoreApplication::processEvents();
}

// Milliseconds from each PageDown (or PageUp) to the end of its repaint.
std::vector<double> PagingTimes(CMainFrame& frame, int steps, Qt::Key key) {
  std::vector<double> ms;
  QWidget* view = frame.View();
  for (int i = 0; i < steps; ++i) {
    QElapsedTimer timer;
    timer.start();
    QKeyEvent press(QEvent::KeyPress, key, Qt::NoModifier);
    QCoreApplication::sendEvent(view, &press);
    frame.View()->viewport()->repaint();
    ms.push_back(static_cast<double>(timer.nsecsElapsed()) / 1e6);
  }
  return ms;
}

}  // namespace

int main(int argc, char** argv) {
  if (qEnvironmentVariableIsEmpty("QT_QPA_PLATFORM")) qputenv("QT_QPA_PLATFORM", "offscreen");
  QApplication app(argc, argv);
  if (argc < 2) {
    std::fprintf(stderr, "usage: %s SAMPLE.DAT [FEW [MANY]]\n", argv[0]);
    return 2;
  }
  fernplot::InstallFontSubstitutions();
  const QString sample = QString::fromLocal8Bit(argv[1]);
  const int few = argc > 2 ? std::atoi(argv[2]) : 100;
  const int many = argc > 3 ? std::atoi(argv[3]) : 2100;
  if (few < 1 || many <= few) return 2;

  QTemporaryDir dir;
  const QStringList first = Copies(dir, sample, 0, few);
  const QStringList rest = Copies(dir, sample, few, many);
  TestState ts;
  ScriptedDialogs dialogs;
  CMainFrame frame(ts.state, dialogs);
  frame.resize(1000, 800);
  frame.show();
  frame.Pages().OpenFiles(first);
  Settle(frame);
  const long before = ResidentBytes();
  const size_t heapBefore = mallinfo2().uordblks;
  frame.Pages().OpenFiles(rest);
  Settle(frame);
  const long after = ResidentBytes();
  const size_t heapAfter = mallinfo2().uordblks;
  const int pages = static_cast<int>(ts.state.session.pages.size());
  std::printf("pages open: %d (sheets drawn: %d)\n", pages, ts.state.session.DrawnSheetCount());
  std::printf("resident: %.1f MB at %d pages, %.1f MB at %d pages\n", before / 1048576.0, few,
              after / 1048576.0, pages);
  std::printf("per additional page: %.2f KB resident, %.2f KB allocated\n",
              static_cast<double>(after - before) / (pages - few) / 1024.0,
              static_cast<double>(heapAfter - heapBefore) / (pages - few) / 1024.0);

  ts.state.session.ReleaseAll();
  frame.RefreshViews();
  QStringList big;
  for (int k = 0; k < 20; ++k) {
    big << fernplot::testing::WriteDataFile(dir, QStringLiteral("B%1.DAT").arg(k), 1000);
  }
  frame.Pages().OpenFiles(big);
  frame.View()->GoToPage(1);
  Settle(frame);
  std::vector<double> ms = PagingTimes(frame, 19, Qt::Key_PageDown);
  const std::vector<double> back = PagingTimes(frame, 19, Qt::Key_PageUp);
  ms.insert(ms.end(), back.begin(), back.end());
  std::sort(ms.begin(), ms.end());
  std::printf("paging a 1,000-point page: median %.2f ms, slowest %.2f ms (%zu steps)\n",
              ms[ms.size() / 2], ms.back(), ms.size());
  return 0;
}
