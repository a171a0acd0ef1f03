// SPDX-License-Identifier: MIT
#pragma once
// The two user markers A and B on the page's curve, their readout and the
// Δ between them (MarkerPair, no Qt), and their handling in the view
// (MarkerController): a click with Shift, or any click in marker mode,
// places A, the next one B; Esc clears them; in marker mode the arrow keys
// move the marker placed last from point to point.

#include <QObject>
#include <QRegion>
#include <QWidget>
#include <optional>
#include <string>
#include <vector>

#include "analysis/sweep_points.h"
#include "graph/loop_readout.h"

namespace fernplot {

struct AppState;
struct GraphPage;
class CMainView;

struct Marker {
  CurveReading at;
  // The usable point it sits on; empty while it sits between two points
  // (placed by a click, at the pointer's frequency).
  std::optional<size_t> point;
};

class MarkerPair {
 public:
  // The usable points of a new page: both markers are cleared.
  void SetPoints(std::vector<UsablePoint> points);
  const std::vector<UsablePoint>& Points() const { return points_; }

  // Places the next marker (A, then B, then A again ...) on the curve at
  // `frequency`: interpolated in log10 f between the neighbouring points, or
  // at the nearest end point outside them. False without usable points.
  bool Place(double frequency);
  // Moves the marker placed last by `steps` points (negative: down in
  // frequency); one between two points steps to its neighbour on that side.
  // False when there is no marker or it cannot move.
  bool Step(int steps);
  void Clear();

  const std::optional<Marker>& A() const { return a_; }
  const std::optional<Marker>& B() const { return b_; }
  // 0 for A, 1 for B: the one Step moves.
  int Active() const { return active_; }
  bool Empty() const { return !a_ && !b_; }

  // "A 1.00 kHz -3.01 dB -45.0°  B ...  Δf 9.00 kHz  ΔdB -17.0  Δdeg -39.3°
  // 3.17 oct 0.954 dec"; the Δ part only with both markers, Δdeg taken on the
  // unwrapped phase. Empty without markers.
  std::string StatusText() const;

 private:
  std::vector<UsablePoint> points_;
  std::optional<Marker> a_, b_;
  int active_ = 1;  // the next Place sets A
};

// The markers of the page on screen, drawn over the view and driven by its
// mouse and key events.
class MarkerController : public QObject {
  Q_OBJECT

 public:
  MarkerController(AppState& state, CMainView* view);

  MarkerPair& Pair() { return pair_; }
  bool MarkerMode() const { return markerMode_; }
  void SetMarkerMode(bool on);
  // The page on screen changed or was rebuilt: markers of another page go.
  void PageChanged();
  // Readout and picture after the pair changed.
  void Changed();
  // The view position (viewport pixels) of a reading on the page's gain curve.
  std::optional<QPointF> ViewPosition(const CurveReading& at) const;

 signals:
  void statusTextChanged(const QString& text);

 protected:
  bool eventFilter(QObject* watched, QEvent* event) override;

 private:
  bool PlaceAt(QPoint client);
  QRegion MarkerRegion() const;
  // The markers' points placed in the page's loop view.
  CurvePlane LoopPlane(const GraphPage& page) const;

  AppState& state_;
  CMainView* view_;
  // Kept from the start: the view's own events reach the filter while the
  // view is being destroyed, when it can no longer be asked for it.
  QWidget* viewport_;
  QWidget* overlay_ = nullptr;
  MarkerPair pair_;
  const GraphPage* page_ = nullptr;
  ChannelRatio pageCalc_ = ChannelRatio::kCh1Ch2;
  const void* pageData_ = nullptr;
  LoopCurve pageCurve_ = LoopCurve::kOpen;
  QRegion painted_;  // where the markers were last drawn
  bool markerMode_ = false;
};

}  // namespace fernplot
