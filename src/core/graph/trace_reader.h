// SPDX-License-Identifier: MIT
#pragma once
// The value of every trace of a page at one frequency, for a read-out that
// follows the pointer: the curves are prepared once, each reading is a
// binary search per trace.

#include <optional>
#include <string>
#include <vector>

#include "analysis/sweep_points.h"
#include "graph/pages.h"

namespace fernplot {

struct TraceValue {
  std::string name;
  // Nothing outside the trace's (or, for a difference, the reference's)
  // frequency range.
  std::optional<double> gain, phase;  // phase in (-180, 180]
  std::optional<double> unwrapped;    // the phase as an unwrapped curve draws it
};

class TraceReader {
 public:
  TraceReader() = default;
  // Takes what it needs from `page`; it does not keep the page.
  explicit TraceReader(const GraphPage& page);

  // The page trace first, then every overlay; differences to the reference
  // when the page shows those.
  std::vector<TraceValue> At(double frequency) const;
  size_t TraceCount() const { return traces_.size(); }

 private:
  struct Curve {
    std::string name;
    std::vector<UsablePoint> points;
  };
  std::vector<Curve> traces_;
  std::optional<std::vector<UsablePoint>> reference_;
};

}  // namespace fernplot
