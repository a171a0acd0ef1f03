// SPDX-License-Identifier: MIT
#pragma once
// The temporary files a program is writing right now, so that a signal
// handler can remove them before the program ends: the list is filled and
// emptied by the writing threads and read by the handler, without locks or
// allocation.

#include <array>
#include <atomic>
#include <climits>
#include <cstddef>
#include <string_view>

namespace fernplot {

class InFlightFiles {
 public:
  // More than the threads that ever write at once; a file past that is
  // written all the same, only not removed on a signal.
  static constexpr size_t kSlots = 320;

  InFlightFiles() = default;
  InFlightFiles(const InFlightFiles&) = delete;
  InFlightFiles& operator=(const InFlightFiles&) = delete;

  // Lists `path` (before the file is created); the slot to pass to Remove,
  // or -1 when the list is full or the path too long.
  int Add(std::string_view path) noexcept;
  // Takes the slot off the list (after the file was renamed or removed).
  void Remove(int slot) noexcept;
  // Removes every listed file. Async-signal-safe.
  void UnlinkAll() noexcept;
  // Files listed now (for tests).
  size_t Count() const noexcept;

 private:
  enum State : int { kFree, kFilling, kListed };
  struct Slot {
    std::atomic<int> state{kFree};
    char path[PATH_MAX];
  };
  static_assert(std::atomic<int>::is_always_lock_free);
  std::array<Slot, kSlots> slots_{};
};

}  // namespace fernplot
