// SPDX-License-Identifier: MIT
#pragma once
// The two JSON documents of a page (the exporter's -f json and -f drawing,
// the Python module's header and drawing): a decoded data file, and a built
// sheet for inspection.

#include <string>

#include "datafile/measurement.h"
#include "graph/drawing.h"
#include "graph/pages.h"

namespace fernplot {

// Every MeasurementData field under its own name, then "message" (the
// reader's text, or null when it wrote none) and "points" (null when the
// record has none).
std::string MeasurementJson(const MeasurementData& data, const std::string& message);

// The current sheet of `doc` with the resource tables and the layout of
// `page` that produced it.
std::string DrawingJson(const DrawingDocument& doc, const GraphPage& page);

}  // namespace fernplot
