// SPDX-License-Identifier: MIT
#pragma once

class QWidget;

namespace fernplot {

struct GraphProperties;

// Runs the tabbed property sheet modally on `record`. currentPage selects the
// seven-tab sheet of the page on screen; otherwise the six-tab sheet of the
// defaults. Returns true after OK (record updated), false after Cancel (record
// unchanged).
bool EditGraphProperties(QWidget* parent, bool currentPage, GraphProperties& record);

}  // namespace fernplot
