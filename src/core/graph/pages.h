#pragma once
// Pages and the working records of one page build.

#include <array>
#include <cstdint>
#include <memory>
#include <string>
#include <vector>

#include "datafile/measurement.h"
#include "props/graph_properties.h"

namespace fernplot {

struct GraphPage {
  GraphProperties properties;  // the page's own copy
  MeasurementData data;        // owned
  std::string fileName;        // data file name without folder and extension
};

// Position k (0-based here) belongs to sheet number k + 1.
using PageList = std::vector<std::unique_ptr<GraphPage>>;

struct RangePoint {
  double frequency, gain, phase;
};

// The points of the page being built, in the ratio it shows, and their extremes.
struct DataRange {
  int32_t count = 0;
  double minFrequency = 0.0, minGain = 0.0, minPhase = 0.0;
  double maxFrequency = 0.0, maxGain = 0.0, maxPhase = 0.0;
  std::vector<RangePoint> points;
};

using PageFontIndex = std::array<int, kFontCategoryCount>;

// Finds the page on screen for sheet number k (1-based); nullptr when none.
GraphPage* PageForSheet(PageList& pages, int k);

}  // namespace fernplot
