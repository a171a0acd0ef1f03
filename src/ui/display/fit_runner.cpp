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

CircuitFitResult RunCircuitFitWithProgress(QWidget* parent, std::shared_ptr<const Circuit> circuit,
                                           std::vector<double> frequency,
                                           std::vector<std::complex<double>> impedance,
                                           const CircuitFitOptions& options, int showAfterMs) {
  auto result = std::make_shared<CircuitFitResult>();
  QThread* thread =
      QThread::create([=] { *result = FitCircuit(*circuit, frequency, impedance, options); });
  QProgressDialog progress(QCoreApplication::translate("FitRunner", "等価回路をﾌｨｯﾄしています..."),
                           QString(), 0, 0, parent);
  progress.setObjectName(QStringLiteral("circuitProgress"));
  progress.setWindowTitle(QCoreApplication::translate("FitRunner", "等価回路のﾌｨｯﾄ"));
  progress.setWindowModality(Qt::WindowModal);
  progress.setCancelButton(nullptr);
  progress.setMinimumDuration(0);
  progress.hide();
  QEventLoop loop;
  QObject::connect(thread, &QThread::finished, &loop, &QEventLoop::quit);
  QTimer::singleShot(showAfterMs, &progress, [&progress] { progress.show(); });
  thread->start();
  loop.exec();
  thread->wait();
  delete thread;
  return std::move(*result);
}

}  // namespace fernplot
