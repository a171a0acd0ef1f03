// SPDX-License-Identifier: MIT
#pragma once

class QWidget;

namespace fernplot {

struct GraphProperties;
struct PageFacts;
struct ShownLimits;

// Runs the tabbed property sheet modally on `record`. Given the page's
// `facts`, the seven-tab sheet of the page on screen (its note page edits the
// data title); without, the six-tab sheet of the defaults. Returns true after
// OK (record and facts updated), false after Cancel (both unchanged).
// `shown`: the limits the page on screen was drawn with, offered when a limit
// is no longer taken from the data.
bool EditGraphProperties(QWidget* parent, GraphProperties& record, PageFacts* facts,
                         const ShownLimits* shown = nullptr);

}  // namespace fernplot
