// SPDX-License-Identifier: MIT
// The list dialog's search over a folder: the time until every row is shown
// and the memory each listed file holds (entry and row), for comparison with
// fernplot-export -l over the same folder (bench/scale.sh).
//   bench_list_dialog FOLDER [FILES [SLICE_MS]]
// FILES: make that many small data files first (0: none); SLICE_MS: the
// search's slice (default the dialog's own).
#include <unistd.h>

#include <QApplication>
#include <QElapsedTimer>
#include <QLineEdit>
#include <QTreeView>
#include <cstdio>
#include <cstdlib>
#include <fstream>
#include <string>

#include "app_state.h"
#include "datafile/data_file_writer.h"
#include "fernplot_test_data.h"
#include "filelist/data_file_list_dialog.h"
#include "filelist/data_file_list_model.h"

namespace {

long ResidentBytes() {
  std::ifstream statm("/proc/self/statm");
  long pages = 0, resident = 0;
  statm >> pages >> resident;
  return resident * sysconf(_SC_PAGESIZE);
}

}  // namespace

int main(int argc, char** argv) {
  if (argc < 2) {
    std::fprintf(stderr, "usage: %s FOLDER [FILES]\n", argv[0]);
    return 2;
  }
  const std::string folder = argv[1];
  if (argc > 2 && std::strtol(argv[2], nullptr, 10) > 0) {
    namespace testing = fernplot::testing;
    const std::string bytes = fernplot::EncodeRawDataFile(
        testing::TestHeader({.pointCount = 2, .title = "リスト試験"}), testing::LowPassRecords(2));
    const long n = std::strtol(argv[2], nullptr, 10);
    for (long i = 0; i < n; ++i) {
      char name[32];
      std::snprintf(name, sizeof name, "/L%06ld.DAT", i);
      testing::WriteBytes(folder + name, bytes);
    }
  }
  if (qEnvironmentVariableIsEmpty("QT_QPA_PLATFORM")) qputenv("QT_QPA_PLATFORM", "offscreen");
  QApplication app(argc, argv);
  fernplot::AppState state;
  fernplot::DataFileListDialog dialog(state);
  if (argc > 3) dialog.SetSearchSlice(static_cast<int>(std::strtol(argv[3], nullptr, 10)));
  dialog.show();
  QApplication::processEvents();
  dialog.PatternEdit()->setText(QString::fromStdString(folder + "/"));
  const long before = ResidentBytes();
  QElapsedTimer clock;
  clock.start();
  dialog.Search();
  dialog.List()->viewport()->repaint();
  const double seconds = clock.nsecsElapsed() / 1e9;
  const long after = ResidentBytes();
  const int rows = dialog.Model()->rowCount();
  std::printf("%d files listed in %.3f s, %.0f bytes resident per file\n", rows, seconds,
              rows ? double(after - before) / rows : 0.0);
  // A click on the date heading, the costliest column to sort by.
  clock.start();
  dialog.SortByColumn(3);
  std::printf("sorted by date in %.3f s\n", clock.nsecsElapsed() / 1e9);
  return 0;
}
