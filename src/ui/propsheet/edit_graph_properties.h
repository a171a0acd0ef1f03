// SPDX-License-Identifier: MIT
#pragma once

class QWidget;

namespace fernplot {

struct GraphProperties;
struct PageFacts;

// Runs the tabbed property sheet modally on `record`. Given the page's
// `facts`, the seven-tab sheet of the page on screen (its note page edits the
// data title); without, the six-tab sheet of the defaults. Returns true after
// OK (record and facts updated), false after Cancel (both unchanged).
bool EditGraphProperties(QWidget* parent, GraphProperties& record, PageFacts* facts);

}  // namespace fernplot
