// SPDX-License-Identifier: MIT
#include "fit_runner.h"

#include <QCoreApplication>
#include <QEventLoop>
#include <QProgressDialog>
#include <QThread>
#include <QTimer>
#include <atomic>
#include <memory>

namespace fernplot {

std::optional<FitResult> RunFitWithProgress(QWidget* parent, std::vector<UsablePoint> points,
                                            const FitOptions& options, int showAfterMs) {
  // What the fitting thread and this one share; the thread holds it too, so
  // that it outlives this call whatever order the two end in.
  struct Shared {
    std::atomic<bool> cancel{false};
    std::atomic<int> permille{0};
    FitResult result;
  };
  auto shared = std::make_shared<Shared>();
  QThread* thread = QThread::create([shared, points = std::move(points), options] {
    const FitMonitor monitor{[&shared](double done) {
      shared->permille.store(static_cast<int>(done * 1000.0));
      return !shared->cancel.load();
    }};
    shared->result = FitSweep(points, options, &monitor);
  });
  QProgressDialog progress(QCoreApplication::translate("FitRunner", "ﾓﾃﾞﾙをﾌｨｯﾄしています..."),
                           QCoreApplication::translate("FitRunner", "ｷｬﾝｾﾙ"), 0, 1000, parent);
  progress.setObjectName(QStringLiteral("fitProgress"));
  progress.setWindowTitle(QCoreApplication::translate("FitRunner", "ﾓﾃﾞﾙのﾌｨｯﾄ"));
  progress.setWindowModality(Qt::WindowModal);
  progress.setAutoClose(false);
  progress.setAutoReset(false);
  progress.setMinimumDuration(0);
  progress.hide();  // shown only when the fit takes a moment
  QEventLoop loop;
  QObject::connect(thread, &QThread::finished, &loop, &QEventLoop::quit);
  QObject::connect(&progress, &QProgressDialog::canceled,
                   [&shared] { shared->cancel.store(true); });
  QTimer tick;
  tick.setInterval(50);
  QObject::connect(&tick, &QTimer::timeout, [&] {
    progress.setValue(shared->permille.load());
    if (!progress.isVisible() && !shared->cancel.load()) progress.show();
  });
  QTimer::singleShot(showAfterMs, &tick, [&tick] { tick.start(); });
  thread->start();
  loop.exec();
  thread->wait();
  delete thread;
  if (shared->cancel.load() || shared->result.cancelled) return std::nullopt;
  return std::move(shared->result);
}

}  // namespace fernplot
