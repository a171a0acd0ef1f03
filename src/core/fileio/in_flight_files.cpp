// SPDX-License-Identifier: MIT
#include "fileio/in_flight_files.h"

#include <time.h>
#include <unistd.h>

#include <cstring>

namespace fernplot {

// The writers and the handler meet through sequentially consistent
// operations: a writer marks its slot, then looks at ending_; the handler
// sets ending_, then looks at the slots. So either the writer sees the end
// coming and removes its own file, or the handler sees the slot and removes
// the file.

int InFlightFiles::Begin(std::string_view path) noexcept {
  if (ending_.load()) return kEnding;
  if (path.size() >= PATH_MAX) return -1;
  for (size_t i = 0; i < kSlots; ++i) {
    int expected = kFree;
    if (!states_[i].compare_exchange_strong(expected, kFilling)) continue;
    std::memcpy(paths_[i].data(), path.data(), path.size());
    paths_[i][path.size()] = '\0';
    states_[i].store(kCreating);
    if (ending_.load()) {
      states_[i].store(kFree);
      return kEnding;
    }
    return static_cast<int>(i);
  }
  return -1;
}

bool InFlightFiles::Created(int slot) noexcept {
  if (slot < 0 || static_cast<size_t>(slot) >= kSlots) return !ending_.load();
  states_[static_cast<size_t>(slot)].store(kCreated);
  return !ending_.load();
}

void InFlightFiles::Remove(int slot) noexcept {
  if (slot < 0 || static_cast<size_t>(slot) >= kSlots) return;
  states_[static_cast<size_t>(slot)].store(kFree);
}

void InFlightFiles::UnlinkAll() noexcept {
  ending_.store(true);
  // A writer between listing and creating its file gets up to 0.2 s in all;
  // one that does not finish by then (it may be the thread this handler
  // interrupted) creates nothing before the program ends.
  constexpr timespec kPause{0, 1000000};
  int pausesLeft = 200;
  for (size_t i = 0; i < kSlots; ++i) {
    int state = states_[i].load();
    while (state == kCreating && pausesLeft > 0) {
      nanosleep(&kPause, nullptr);
      --pausesLeft;
      state = states_[i].load();
    }
    if (state == kCreating || state == kCreated) unlink(paths_[i].data());
  }
}

}  // namespace fernplot
