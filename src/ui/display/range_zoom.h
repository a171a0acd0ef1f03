// SPDX-License-Identifier: MIT
#pragma once
// Zooming into a range of the graph: a rectangle dragged with the right
// mouse button (or the left one in zoom mode) becomes the page's own axis
// limits; "back" returns to the range before, "whole sweep" to the data's.
// Only the page on screen changes, never the defaults.

#include <QObject>
#include <QPoint>
#include <array>
#include <optional>
#include <vector>

#include "graph/page_layout.h"
#include "props/graph_properties.h"

class QRubberBand;
class QWidget;

namespace fernplot {

struct AppState;
struct GraphPage;
class CMainView;
class CommandTable;

// The limits of one axis as the property sheet sets them.
struct AxisRangeLimits {
  int32_t useDataMin = 1;
  int32_t useDataMax = 1;
  double rangeMin = 0.0;
  double rangeMax = 0.0;
  bool operator==(const AxisRangeLimits&) const = default;
};

// The frequency, gain and right-axis limits of a page.
struct PageLimits {
  std::array<AxisRangeLimits, 3> axes;  // HB, VL, VR
  bool operator==(const PageLimits&) const = default;
};

PageLimits LimitsOf(const GraphProperties& props);
void SetLimits(GraphProperties& props, const PageLimits& limits);

// The limits that show the rectangle between two viewport points (clipped
// to the graph frame) on a page laid out as `props`; nothing for a
// rectangle without width or height there.
std::optional<PageLimits> LimitsOfRectangle(const PageLayout& layout, QPoint a, QPoint b,
                                            QPoint scroll, double zoom);
// Every axis on the data's limits; the typed limits stay for the sheet.
PageLimits WholeSweepLimits(PageLimits limits);

class RangeZoomPart : public QObject {
  Q_OBJECT

 public:
  RangeZoomPart(AppState& state, CMainView* view);

  void AddCommands(CommandTable& table);

  bool ZoomMode() const { return zoomMode_; }
  void SetZoomMode(bool on);
  // Shows the rectangle between two viewport points on the page on screen;
  // false when it has no area inside the frame.
  bool ZoomTo(QPoint a, QPoint b);
  bool CanGoBack() const;
  void Back();
  void WholeSweep();

 signals:
  // The page on screen was built again.
  void pageRebuilt();
  void statesChanged();

 protected:
  bool eventFilter(QObject* watched, QEvent* event) override;

 private:
  // The ranges before, of the page on screen only.
  // A range shown before, and whether it was one zoomed to.
  struct ShownRange {
    PageLimits limits;
    bool zoomed = false;
  };
  std::vector<ShownRange>& History();
  void Apply(GraphPage& page, const ShownRange& range);

  AppState& state_;
  CMainView* view_;
  QWidget* viewport_;
  QRubberBand* band_ = nullptr;
  std::optional<QPoint> dragFrom_;
  bool zoomMode_ = false;
  const GraphPage* historyPage_ = nullptr;
  std::vector<ShownRange> history_;
};

}  // namespace fernplot
