// SPDX-License-Identifier: MIT
#include "quit_signals.h"

#include <signal.h>
#include <sys/signalfd.h>
#include <unistd.h>

#include <QApplication>
#include <QDialog>
#include <QProgressDialog>
#include <QSocketNotifier>

namespace fernplot {

namespace {

sigset_t QuitSignals() {
  sigset_t set;
  sigemptyset(&set);
  sigaddset(&set, SIGINT);
  sigaddset(&set, SIGTERM);
  sigaddset(&set, SIGHUP);
  return set;
}

}  // namespace

void BlockQuitSignals() {
  const sigset_t set = QuitSignals();
  pthread_sigmask(SIG_BLOCK, &set, nullptr);
}

QuitSignalWatcher::QuitSignalWatcher(QObject* parent) : QObject(parent) {
  const sigset_t set = QuitSignals();
  fd_ = signalfd(-1, &set, SFD_CLOEXEC | SFD_NONBLOCK);
  if (fd_ < 0) return;
  notifier_ = new QSocketNotifier(fd_, QSocketNotifier::Read, this);
  connect(notifier_, &QSocketNotifier::activated, this, &QuitSignalWatcher::OnReadable);
}

QuitSignalWatcher::~QuitSignalWatcher() {
  if (fd_ >= 0) close(fd_);
}

void QuitSignalWatcher::OnReadable() {
  signalfd_siginfo info;
  while (read(fd_, &info, sizeof info) == static_cast<ssize_t>(sizeof info)) {
  }
  received_ = true;
  // exit() rather than quit(): it also ends any modal dialog's loop. A box
  // shown after the main loop has returned (a failure at exit) is not ended
  // by it, so every open dialog is rejected as well.
  QCoreApplication::exit(0);
  // A progress box not shown yet is cancelled too, so that the work it
  // watches stops.
  for (QWidget* w : QApplication::topLevelWidgets()) {
    if (auto* progress = qobject_cast<QProgressDialog*>(w)) {
      progress->cancel();
    } else if (auto* dialog = qobject_cast<QDialog*>(w); dialog && dialog->isVisible()) {
      dialog->reject();
    }
  }
}

}  // namespace fernplot
