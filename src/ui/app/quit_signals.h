// SPDX-License-Identifier: MIT
#pragma once
// SIGINT and SIGTERM end the program the normal way (the event loop returns
// and the settings are written), instead of killing it on the spot.

#include <QObject>

class QSocketNotifier;

namespace fernplot {

// Blocks the two signals for the calling thread and every thread started
// after it; call first thing in main, before Qt starts its threads.
void BlockQuitSignals();

// Delivers the blocked signals through a descriptor watched by the event
// loop and asks the application to quit when one arrives.
class QuitSignalWatcher : public QObject {
  Q_OBJECT

 public:
  explicit QuitSignalWatcher(QObject* parent = nullptr);
  ~QuitSignalWatcher() override;

 private:
  void OnReadable();

  int fd_ = -1;
  QSocketNotifier* notifier_ = nullptr;
};

}  // namespace fernplot
