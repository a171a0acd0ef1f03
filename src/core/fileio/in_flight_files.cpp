// SPDX-License-Identifier: MIT
#include "fileio/in_flight_files.h"

#include <unistd.h>

#include <cstring>

namespace fernplot {

int InFlightFiles::Add(std::string_view path) noexcept {
  if (path.size() >= PATH_MAX) return -1;
  for (size_t i = 0; i < kSlots; ++i) {
    int expected = kFree;
    if (slots_[i].state.compare_exchange_strong(expected, kFilling, std::memory_order_acquire)) {
      std::memcpy(slots_[i].path, path.data(), path.size());
      slots_[i].path[path.size()] = '\0';
      slots_[i].state.store(kListed, std::memory_order_release);
      return static_cast<int>(i);
    }
  }
  return -1;
}

void InFlightFiles::Remove(int slot) noexcept {
  if (slot < 0 || static_cast<size_t>(slot) >= kSlots) return;
  slots_[static_cast<size_t>(slot)].state.store(kFree, std::memory_order_release);
}

void InFlightFiles::UnlinkAll() noexcept {
  for (Slot& slot : slots_) {
    // A slot being filled holds no path yet; its file is not created before
    // the slot is listed.
    if (slot.state.load(std::memory_order_acquire) == kListed) unlink(slot.path);
  }
}

size_t InFlightFiles::Count() const noexcept {
  size_t n = 0;
  for (const Slot& slot : slots_) n += slot.state.load(std::memory_order_acquire) == kListed;
  return n;
}

}  // namespace fernplot
