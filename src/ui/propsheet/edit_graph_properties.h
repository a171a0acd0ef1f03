// SPDX-License-Identifier: MIT
#pragma once

class QWidget;

namespace fernplot {

struct GraphProperties;
struct ShownLimits;

// Runs the tabbed property sheet modally on `record`. currentPage selects the
// seven-tab sheet of the page on screen; otherwise the six-tab sheet of the
// defaults. Returns true after OK (record updated), false after Cancel (record
// unchanged). `shown`: the limits the page on screen was drawn with, offered
// when a limit is no longer taken from the data.
bool EditGraphProperties(QWidget* parent, bool currentPage, GraphProperties& record,
                         const ShownLimits* shown = nullptr);

}  // namespace fernplot
