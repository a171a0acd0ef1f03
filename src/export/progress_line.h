// SPDX-License-Identifier: MIT
#pragma once
// The one-line progress of a long export on a terminal: files done of all,
// the rate and the time left, redrawn in place and cleared at the end.

#include <chrono>
#include <cstddef>
#include <ostream>
#include <string>

namespace fernplot {

class ProgressLine {
 public:
  using Clock = std::chrono::steady_clock;

  // Draws on `term` only when `enabled` (a terminal, no --quiet).
  ProgressLine(std::ostream& term, size_t total, bool enabled);
  ~ProgressLine() { Clear(); }
  ProgressLine(const ProgressLine&) = delete;
  ProgressLine& operator=(const ProgressLine&) = delete;

  // `done` files are finished. The line appears once more than a second of
  // work is left, and is redrawn at most ten times a second.
  void Update(size_t done, Clock::time_point now = Clock::now());
  // Removes the line (before other text goes to the terminal, and at the
  // end); the next Update draws it again.
  void Clear();

  // Whether the line is drawn at all (a terminal, no --quiet).
  bool Enabled() const { return enabled_; }

  // The text of the line: "[######--------------] 312/1000 files  87.2 files/s  0:08 left".
  static std::string Text(size_t done, size_t total, double seconds);

 private:
  std::ostream& term_;
  const size_t total_;
  const bool enabled_;
  const Clock::time_point start_ = Clock::now();
  Clock::time_point drawn_{};
  bool shown_ = false;    // the line is on the terminal now
  bool started_ = false;  // it appeared once: it stays until the end
};

}  // namespace fernplot
