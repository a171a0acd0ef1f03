// SPDX-License-Identifier: MIT
#pragma once
// An export ended by SIGINT, SIGTERM or SIGPIPE (`--summary | head`) leaves
// no temporary files behind: the handler removes the ones being written,
// then the program ends as that signal ends it (the shell sees the usual
// status, 128 + the signal).

#include <signal.h>

#include <array>

#include "fileio/in_flight_files.h"

namespace fernplot {

// Installs the handlers for the object's life; a signal the program was
// started with ignored stays ignored. One at a time per process.
class RemoveTempFilesOnQuit {
 public:
  explicit RemoveTempFilesOnQuit(InFlightFiles& files);
  ~RemoveTempFilesOnQuit();
  RemoveTempFilesOnQuit(const RemoveTempFilesOnQuit&) = delete;
  RemoveTempFilesOnQuit& operator=(const RemoveTempFilesOnQuit&) = delete;

  // SIGINT, SIGTERM, SIGPIPE.
  static constexpr std::array<int, 3> kSignals{SIGINT, SIGTERM, SIGPIPE};

 private:
  std::array<struct sigaction, kSignals.size()> previous_{};
  std::array<bool, kSignals.size()> installed_{};
};

}  // namespace fernplot
