// SPDX-License-Identifier: MIT
#include "quit_signals.h"

#include <atomic>

namespace fernplot {

namespace {

// A signal handler is given nothing but the signal's number, so the list it
// empties can only be reached through the process: this pointer, set while
// a RemoveTempFilesOnQuit lives, to the list its owner (main) keeps.
std::atomic<InFlightFiles*> gQuitFiles{nullptr};
static_assert(std::atomic<InFlightFiles*>::is_always_lock_free);

extern "C" void OnQuitSignal(int signal) {
  if (InFlightFiles* files = gQuitFiles.load()) files->UnlinkAll();
  // SA_RESETHAND put the default back; the signal stays blocked until the
  // handler returns, and then ends the program as it would have.
  raise(signal);
}

}  // namespace

RemoveTempFilesOnQuit::RemoveTempFilesOnQuit(InFlightFiles& files) {
  gQuitFiles.store(&files);
  struct sigaction action {};
  action.sa_handler = OnQuitSignal;
  action.sa_flags = SA_RESETHAND;
  sigemptyset(&action.sa_mask);
  // One handler at a time: a second signal waits for the first to end.
  for (const int s : kSignals) sigaddset(&action.sa_mask, s);
  for (size_t i = 0; i < kSignals.size(); ++i) {
    struct sigaction current {};
    sigaction(kSignals[i], nullptr, &current);
    // Ignored by whoever started the program (nohup, a background job).
    if (current.sa_handler == SIG_IGN) continue;
    installed_[i] = sigaction(kSignals[i], &action, &previous_[i]) == 0;
  }
}

RemoveTempFilesOnQuit::~RemoveTempFilesOnQuit() {
  for (size_t i = 0; i < kSignals.size(); ++i) {
    if (installed_[i]) sigaction(kSignals[i], &previous_[i], nullptr);
  }
  gQuitFiles.store(nullptr);
}

}  // namespace fernplot
