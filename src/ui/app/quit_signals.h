// SPDX-License-Identifier: MIT
#pragma once
// SIGINT, SIGTERM and SIGHUP (the terminal closed) end the program the
// normal way (the event loop returns and the settings are written), instead
// of killing it on the spot.

#include <QObject>

class QSocketNotifier;

namespace fernplot {

// Blocks the quit signals for the calling thread and every thread started
// after it; call first thing in main, before Qt starts its threads.
void BlockQuitSignals();

// Delivers the blocked signals through a descriptor watched by the event
// loop and asks the application to quit when one arrives; a dialog that is
// up then (also one shown after the main loop returned) is closed.
class QuitSignalWatcher : public QObject {
  Q_OBJECT

 public:
  explicit QuitSignalWatcher(QObject* parent = nullptr);
  ~QuitSignalWatcher() override;

  // Whether a quit signal has arrived.
  bool Received() const { return received_; }

 private:
  void OnReadable();

  int fd_ = -1;
  QSocketNotifier* notifier_ = nullptr;
  bool received_ = false;
};

}  // namespace fernplot
