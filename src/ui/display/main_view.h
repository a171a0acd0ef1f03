// SPDX-License-Identifier: MIT
#pragma once
// The view: the current page of the drawing, scrolled and zoomed, with page
// stepping, the cross-hair readout and the page indicator.

#include <QAbstractScrollArea>
#include <QColor>
#include <QPoint>
#include <memory>
#include <optional>
#include <vector>

#include "cross_hair.h"
#include "analysis/impedance/impedance_points.h"
#include "graph/loop_readout.h"
#include "graph/trace_reader.h"
#include "page_image_cache.h"

namespace fernplot {

struct AppState;
struct GraphPage;
class TraceReadout;

class CMainView : public QAbstractScrollArea {
  Q_OBJECT

 public:
  explicit CMainView(AppState& state, QWidget* parent = nullptr);

  // The zoom the page is shown at (1.0 is 100 %). Setting it changes the
  // number only; UpdateScrollSizes and InvalidatePicture show it.
  double Zoom() const { return zoom_; }
  void SetZoom(double zoom) { zoom_ = zoom; }

  // Recomputes the scroll sizes from the current sheet and the zoom.
  void UpdateScrollSizes();
  // The pages changed: forget the cached pictures and repaint.
  void InvalidatePicture();

  bool CanPreviousPage() const;
  bool CanNextPage() const;
  bool PreviousPage();
  bool NextPage();
  // Shows sheet number n (1-based); false when there is no such sheet.
  bool GoToPage(int n);

  // Pointer handling of one mouse move at `client` (viewport coordinates):
  // readout panes and cross-hair lines.
  void HandlePointer(QPoint client);
  // The pointer left the page area: panes emptied, lines erased.
  void ClearPointer();

  QPoint ScrollPosition() const;
  void SetScrollPosition(QPoint pos);
  bool CrossHairVisible() const { return crossHairVisible_; }
  const CrossHairLines& CrossHairLinesShown() const { return lines_; }
  const PageImageCache& Cache() const { return cache_; }
  // The values of every trace beside the pointer; nullptr until first shown.
  const TraceReadout* TraceReadoutBox() const { return traceReadout_; }
  // The page trace's own reading beside the pointer (a page with overlays
  // always reads every trace).
  bool CurveReadoutEnabled() const { return curveReadout_; }
  void SetCurveReadout(bool on);
  // Where the curves are read, in viewport coordinates: shown with the
  // cross-hair.
  const std::vector<QPoint>& CurveDots() const { return dots_; }

  static QString PageIndicatorText(int current, int count);

 signals:
  // fitWidth: the pane is sized to the text (emptying keeps the width).
  void paneTextChanged(int pane, const QString& text, bool fitWidth);
  // The current page changed (enable states follow).
  void pageChanged();
  // Ctrl + wheel: move the zoom selection by `steps` entries.
  void zoomStepRequested(int steps);

 protected:
  void paintEvent(QPaintEvent* event) override;
  void resizeEvent(QResizeEvent* event) override;
  void scrollContentsBy(int dx, int dy) override;
  void keyPressEvent(QKeyEvent* event) override;
  void mouseMoveEvent(QMouseEvent* event) override;
  bool viewportEvent(QEvent* event) override;
  void wheelEvent(QWheelEvent* event) override;

 private:
  GraphPage* CurrentPage() const;
  void HideCrossHair();
  void ShowCrossHair(const GraphPage& page, QPoint client);
  QRegion CrossHairRegion() const;
  void PaintCrossHair(QPainter& painter, const QImage& page) const;
  void AfterPageStep();
  // The readout and lines for where the pointer is now, after the page
  // under it moved without a mouse move (page step, keyboard scrolling).
  void FollowPointer();
  // The trace readout for the pointer at `client`; hidden without a page
  // with overlays or a readout.
  void UpdateTraceReadout(const GraphPage* page, const Readout* readout, QPoint client);
  void ForgetTraces();
  // The pointer over a Nyquist or Nichols page: the curve point nearest it.
  void HandleLoopPointer(const GraphPage& page, QPoint client);
  const CurvePlane& LoopPlaneOf(const GraphPage& page);
  void PlaceCurveDots(const GraphPage& page, const std::vector<TraceValue>& values, int x);
  QRegion DotsRegion() const;
  void PaintCurveDots(QPainter& painter) const;

  // What the prepared trace reader was made from.
  struct TraceReaderKey {
    const GraphPage* page = nullptr;
    size_t overlays = 0;
    int reference = -1;
    bool difference = false;
    ChannelRatio calcType = ChannelRatio::kCh1Ch2;
    LoopCurve curve = LoopCurve::kOpen;
    const void* points = nullptr;
    bool operator==(const TraceReaderKey&) const = default;
  };

  AppState& state_;
  double zoom_ = 1.0;
  PageImageCache cache_;
  bool crossHairVisible_ = false;
  CrossHairLines lines_;
  QPoint lastScroll_;
  int wheelRemainder_ = 0;
  TraceReadout* traceReadout_ = nullptr;  // a child of the viewport
  std::unique_ptr<TraceReader> traceReader_;
  TraceReaderKey readerKey_;
  // The impedance of the page read, for its equivalent values.
  std::optional<ImpedanceSpectrum> impedance_;
  std::vector<QColor> traceColours_;
  bool curveReadout_ = true;
  std::vector<QPoint> dots_;
  std::vector<QColor> dotColours_;
  // The curve of the page in its loop view, and what it was made from.
  struct LoopPlaneKey {
    const GraphPage* page = nullptr;
    const void* points = nullptr;
    ViewKind view = ViewKind::kBode;
    LoopCurve curve = LoopCurve::kOpen;
    ChannelRatio ratio = ChannelRatio::kCh1Ch2;
    bool operator==(const LoopPlaneKey&) const = default;
  };
  CurvePlane loopPlane_;
  LoopPlaneKey loopKey_;
};

}  // namespace fernplot
