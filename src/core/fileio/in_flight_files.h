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
  // From Begin: the program is ending, create nothing.
  static constexpr int kEnding = -2;

  // Leaves the path buffers untouched: a run that writes nothing should not
  // pay for clearing a megabyte.
  InFlightFiles() {}  // NOLINT(modernize-use-equals-default): no zeroing
  InFlightFiles(const InFlightFiles&) = delete;
  InFlightFiles& operator=(const InFlightFiles&) = delete;

  // A writer lists `path` before it creates the file: the slot to pass on,
  // -1 when the list is full or the path too long (the file is not
  // listed), or kEnding.
  int Begin(std::string_view path) noexcept;
  // The file of `slot` was created; false when the program began to end
  // meanwhile: the writer removes the file itself and stops.
  bool Created(int slot) noexcept;
  // Takes the slot off the list (after the file was renamed or removed).
  void Remove(int slot) noexcept;
  // Removes every listed file and lets no new one begin; waits a moment for
  // a file being created. Async-signal-safe.
  void UnlinkAll() noexcept;

 private:
  enum State : int { kFree, kFilling, kCreating, kCreated };
  static_assert(std::atomic<int>::is_always_lock_free);
  static_assert(kFree == 0, "a new std::atomic<int> holds 0");
  std::atomic<bool> ending_{false};
  std::array<std::atomic<int>, kSlots> states_;
  std::array<std::array<char, PATH_MAX>, kSlots> paths_;
};

}  // namespace fernplot
