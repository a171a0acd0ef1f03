// SPDX-License-Identifier: MIT
#pragma once
// A small box beside the pointer over a page with overlay traces: the value
// of every trace at the pointer's frequency, each in its trace's colour.

#include <QColor>
#include <QString>
#include <QStringList>
#include <QWidget>
#include <optional>
#include <vector>

#include "graph/trace_reader.h"

namespace fernplot {

struct TraceReadoutLine {
  QColor colour;  // no swatch when invalid (the heading)
  QString text;
};

// The heading (the frequency, marked as a difference when the page shows
// those) and one line per trace: name, gain and phase, "---" where the trace
// has no value.
std::vector<TraceReadoutLine> TraceReadoutLines(double frequency,
                                                const std::vector<TraceValue>& values,
                                                const std::vector<QColor>& colours,
                                                bool difference);

class TraceReadout : public QWidget {
 public:
  explicit TraceReadout(QWidget* parent);

  // Shows the lines in a box beside `pointer` (parent coordinates), kept
  // inside the parent.
  void ShowAt(std::vector<TraceReadoutLine> lines, QPoint pointer);
  QStringList Texts() const;

 protected:
  void paintEvent(QPaintEvent* event) override;

 private:
  std::vector<TraceReadoutLine> lines_;
};

}  // namespace fernplot
