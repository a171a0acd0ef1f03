// SPDX-License-Identifier: MIT
#pragma once
// Maps the pointer over the view back to frequency, gain and phase, and
// places the two cross-hair lines. Pure functions of the page's layout results.

#include <QLine>
#include <QPoint>
#include <QString>
#include <optional>

#include "graph/page_layout.h"
#include "props/graph_properties.h"

namespace fernplot {

struct Readout {
  double frequency = 0.0;  // Hz
  double gain = 0.0;       // dB
  double phase = 0.0;      // degrees
};

// Page position (mm) of a client point at `zoom` with the view scrolled to
// `scroll` (pixels).
QPointF PagePositionMm(QPoint client, QPoint scroll, double zoom);

// Nothing when the point lies outside the graph frame (its edges count as
// inside).
std::optional<Readout> ComputeReadout(const PageLayout& layout, QPoint client, QPoint scroll,
                                      double zoom);

// Texts of panes 1 to 3.
QString FrequencyPaneText(double hz);
QString GainPaneText(double db);
// The same of an impedance page's axis: the ohms the dB of |Z/1 Ω| stand for.
QString OhmsPaneText(double db);
QString PhasePaneText(double deg);
// Pane 3 for the right axis the page shows: the phase in degrees, or the
// group delay in seconds with an SI prefix ("12.3 us").
QString RightPaneText(const GraphProperties& props, double value);

struct CrossHairLines {
  QLine horizontal;
  QLine vertical;
};
// The lines through `client`, spanning the frame, in client coordinates;
// converted the way the renderer converts, so they meet the frame's edges.
CrossHairLines CrossHairGeometry(const PageLayout& layout, QPoint client, QPoint scroll,
                                 double zoom);

}  // namespace fernplot
