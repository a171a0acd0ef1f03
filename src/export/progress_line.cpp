// SPDX-License-Identifier: MIT
#include "progress_line.h"

#include <algorithm>
#include <cmath>
#include <cstdio>

namespace fernplot {

namespace {
// Erases the line the cursor is on: back to its start, then clear to the end.
constexpr std::string_view kEraseLine = "\r\033[K";
constexpr auto kMinRedraw = std::chrono::milliseconds(100);
// Earlier, a rate says little about the time left.
constexpr auto kFirstEstimate = std::chrono::milliseconds(200);
}  // namespace

ProgressLine::ProgressLine(std::ostream& term, size_t total, bool enabled)
    : term_(term), total_(total), enabled_(enabled) {}

std::string ProgressLine::Text(size_t done, size_t total, double seconds) {
  const double rate = seconds > 0 ? done / seconds : 0;
  constexpr size_t kBarWidth = 20;
  const size_t filled = total ? std::min(done, total) * kBarWidth / total : 0;
  std::string text = "[" + std::string(filled, '#') + std::string(kBarWidth - filled, '-') + "]";
  char figures[96];
  if (rate > 0 && done < total) {
    const long left = std::lround((total - done) / rate);
    std::snprintf(figures, sizeof figures, " %zu/%zu files  %.1f files/s  %ld:%02ld left", done,
                  total, rate, left / 60, left % 60);
  } else {
    std::snprintf(figures, sizeof figures, " %zu/%zu files  %.1f files/s", done, total, rate);
  }
  return text + figures;
}

void ProgressLine::Update(size_t done, Clock::time_point now) {
  if (!enabled_ || done >= total_) return;
  const double seconds = std::chrono::duration<double>(now - start_).count();
  if (!started_) {
    if (now - start_ < kFirstEstimate || done == 0) return;
    if ((total_ - done) * seconds / done <= 1.0) return;
    started_ = true;
  } else if (shown_ && now - drawn_ < kMinRedraw) {
    return;
  }
  term_ << kEraseLine << Text(done, total_, seconds) << std::flush;
  drawn_ = now;
  shown_ = true;
}

void ProgressLine::Clear() {
  if (!shown_) return;
  term_ << kEraseLine << std::flush;
  shown_ = false;
}

}  // namespace fernplot
