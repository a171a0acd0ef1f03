// SPDX-License-Identifier: MIT
// The layers of the Nyquist and Nichols views and the two views themselves.
// The page outline, credit line, frame, title, legend and info texts are
// the gain-and-phase page's own layers; the plane's axes, its guides (unit
// circle or M contours), the curves with their direction arrows and decade
// labels and the critical point are drawn here.
#include <algorithm>
#include <array>
#include <cmath>
#include <memory>
#include <numbers>
#include <optional>
#include <span>

#include "analysis/figures_text.h"
#include "analysis/loop.h"
#include "graph/axes.h"
#include "graph/format.h"
#include "graph/free_space.h"
#include "graph/info_items.h"
#include "graph/layout.h"
#include "graph/loop_stages.h"
#include "graph/overlays.h"
#include "graph/page_figures.h"
#include "graph/page_view.h"

namespace fernplot {

namespace {

constexpr const char* kNoDataLine = FERNPLOT_TEXT("Page", "データがありません");
constexpr Colour kContourColour = 0x909090;
constexpr int kCircleSegments = 360;
constexpr int kArrowCount = 4;
constexpr double kArrowLength = 2.0;      // mm
constexpr double kArrowHalfAngle = 0.45;  // radians
constexpr double kDecadeTick = 1.0;       // mm either side of the curve
constexpr double kCaptionGap = 0.3;       // mm between a caption and a label
constexpr double kMarkHalf = 0.8;         // mm: half the x of a figure mark
constexpr Colour kMarkColour = 0x000000;

template <auto kLayer>
void Shared(const LoopStages& s, DrawingDocument& d) {
  kLayer(s.base, d);
}

bool Inside(const PlanePoint& p, const PlaneRect& r) {
  return p.x >= r.xMin && p.x <= r.xMax && p.y >= r.yMin && p.y <= r.yMax;
}

// Polylines in values, cut at the frame and mapped to the page.
void DrawInPlane(const LoopStages& s, DrawingDocument& d, int pen,
                 std::span<const PlanePoint> line) {
  const PageLayout& L = s.geometry();
  for (const Polyline& piece : ClipPolyline(line, s.range)) {
    if (piece.size() < 2) continue;
    std::vector<double> x, y;
    x.reserve(piece.size());
    y.reserve(piece.size());
    for (const PlanePoint& p : piece) {
      x.push_back(L.frequency.ToMm(p.x));
      y.push_back(L.gain.ToMm(p.y));
    }
    d.AddPolyline(pen, std::move(x), std::move(y));
  }
}

void DrawPlaneAxes(const LoopStages& s, DrawingDocument& d) {
  const GraphProperties& p = s.base.props();
  const PageText& t = s.base.text;
  const PageLayout& L = s.geometry();
  const FrameRect& f = L.frame;
  d.AddTextCenter((f.left + f.right) / 2.0, f.bottom + t.Height(kFontFreqLabels) + 1.0, s.xCaption,
                  t.Font(kFontFreqCaption), t.Color(kFontFreqCaption));
  const int tickPen = d.FindOrAddPen(0, 2, 0, 0, 2, 0);
  const int gridPen = d.FindOrAddPen(0, 1, kGridColour, 0, 0, 0);
  for (double v : PlaneTickValues(s.range.xMin, s.range.xMax, s.xTicks.step)) {
    const double X = L.frequency.ToMm(v);
    d.AddLine(tickPen, X, f.top, X, f.top + kTickLength);
    d.AddLine(tickPen, X, f.bottom, X, f.bottom - kTickLength);
    if (p.HB.gridLines) d.AddLine(gridPen, X, f.top, X, f.bottom);
    d.AddTextCenter(X, f.bottom + 0.5, FormatFixed(v, s.xTicks.decimals), t.Font(kFontFreqLabels),
                    t.Color(kFontFreqLabels));
  }
  // Centred over the left edge, but never out past the page's, and clear of
  // the top label, which sits centred on the frame's top edge.
  const double half = t.Width(kFontGainCaption, s.yCaption) / 2.0;
  const double labelHalf = t.Height(kFontGainLabels) / 2.0;
  const double captionTop =
      f.top - t.Height(kFontGainCaption) - std::max(1.0, labelHalf + kCaptionGap);
  d.AddTextCenter(std::max(f.left, L.pageLeft + 1.0 + half), captionTop, s.yCaption,
                  t.Font(kFontGainCaption), t.Color(kFontGainCaption));
  for (double v : PlaneTickValues(s.range.yMin, s.range.yMax, s.yTicks.step)) {
    const double Y = L.gain.ToMm(v);
    d.AddTextRight(f.left - 1.0, Y - labelHalf, FormatFixed(v, s.yTicks.decimals),
                   t.Font(kFontGainLabels), t.Color(kFontGainLabels));
    if (p.VL.gridLines) {
      d.AddLine(gridPen, f.left, Y, f.right, Y);
    } else {
      d.AddLine(tickPen, f.left, Y, f.left + kTickLength, Y);
      d.AddLine(tickPen, f.right - kTickLength, Y, f.right, Y);
    }
  }
}

void DrawUnitCircle(const LoopStages& s, DrawingDocument& d) {
  std::vector<PlanePoint> circle;
  circle.reserve(kCircleSegments + 1);
  for (int i = 0; i <= kCircleSegments; ++i) {
    const double a = 2.0 * std::numbers::pi * i / kCircleSegments;
    circle.push_back({std::cos(a), std::sin(a)});
  }
  DrawInPlane(s, d, d.FindOrAddPen(1, 1, kGridColour, 1, 0, kGridColour), circle);
}

std::string ContourLabel(double db) {
  return (db > 0.0 ? "+" : "") + FormatFixed(db, db == std::round(db) ? 0 : 1) + " dB";
}

// Whether two label boxes (mm, in PlaneRect's fields) overlap.
bool Covers(const PlaneRect& a, const PlaneRect& b) {
  return a.xMin < b.xMax && b.xMin < a.xMax && a.yMin < b.yMax && b.yMin < a.yMax;
}

// A label box of w x h with its top left at (x, y), moved inside the frame.
PlaneRect LabelBox(double x, double y, double w, double h, const FrameRect& f) {
  x = std::max(f.left, std::min(x, f.right - w));
  y = std::max(f.top, std::min(y, f.bottom - h));
  return {x, x + w, y, y + h};
}

void DrawContours(const LoopStages& s, DrawingDocument& d) {
  if (!s.base.props().nicholsContours || !(s.contourPhases.high > s.contourPhases.low)) return;
  const PageText& t = s.base.text;
  const PageLayout& L = s.geometry();
  const int pen = d.FindOrAddPen(0, 1, kContourColour, 0, 0, kContourColour);
  const double h = t.Height(kFontFreqLabels);
  std::vector<PlaneRect> written;
  for (double db : kNicholsContoursDb) {
    // Labelled at the top of a closed contour, at the right end of an open
    // one; inside the frame, and left out where it would cover another.
    bool found = false;
    PlanePoint at;
    for (const Polyline& line : NicholsContour(db, s.contourPhases)) {
      DrawInPlane(s, d, pen, line);
      for (const PlanePoint& q : line) {
        if (!Inside(q, s.range)) continue;
        if (!found || (db > 0.0 ? q.y > at.y : q.x > at.x)) at = q;
        found = true;
      }
    }
    if (!found) continue;
    const std::string label = ContourLabel(db);
    const double w = t.Width(kFontFreqLabels, label);
    const double X = L.frequency.ToMm(at.x), Y = L.gain.ToMm(at.y);
    const PlaneRect box = db > 0.0 ? LabelBox(X - w / 2.0, Y - h - 0.3, w, h, L.frame)
                                   : LabelBox(X - 0.5 - w, Y - h - 0.3, w, h, L.frame);
    if (std::any_of(written.begin(), written.end(),
                    [&](const PlaneRect& r) { return Covers(box, r); })) {
      continue;
    }
    written.push_back(box);
    d.AddTextLeft(box.xMin, box.yMin, label, t.Font(kFontFreqLabels), kContourColour);
  }
}

// The visible pieces of a curve of the plane, in millimetres.
std::vector<CurvePiece> CurveInMm(const LoopStages& s, const std::vector<PlanePoint>& line) {
  const PageLayout& L = s.geometry();
  std::vector<CurvePiece> out;
  for (const Polyline& piece : ClipPolyline(line, s.range)) {
    CurvePiece c;
    for (const PlanePoint& p : piece) {
      c.x.push_back(L.frequency.ToMm(p.x));
      c.y.push_back(L.gain.ToMm(p.y));
    }
    out.push_back(std::move(c));
  }
  return out;
}

// The box of a decade label of w x h for the tick at (X, Y): right of the
// tick above it where the frame has room, else the nearest of the places
// right and left of it, over and under, moved out in half-line steps, that
// the curve does not pass through; the first place when every one does.
PlaneRect DecadeLabelBox(double X, double Y, double w, double h, const FrameRect& f,
                         std::span<const CurvePiece> curve) {
  constexpr double kGap = 0.3;
  constexpr int kSteps = 6;
  const double rightX = X + kDecadeTick + kGap, leftX = X - kDecadeTick - kGap - w;
  const bool rightFits = rightX + w <= f.right;
  const auto place = [&](double x0, double y0) {
    y0 = std::max(f.top, std::min(y0, f.bottom - h));
    return PlaneRect{x0, x0 + w, y0, y0 + h};
  };
  const PlaneRect first = place(rightFits ? rightX : leftX, Y - h);
  for (int k = 0; k <= kSteps; ++k) {
    const double step = k * h / 2.0;
    for (const double x0 : {rightX, leftX}) {
      if (x0 < f.left || x0 + w > f.right) continue;
      for (const double y0 : {Y - h - step, Y + step}) {
        const PlaneRect box = place(x0, y0);
        if (!CurvesCross(curve, MmBox{box.xMin, box.yMin, box.xMax, box.yMax})) return box;
      }
    }
  }
  return first;
}

void DrawOverlayLoopCurves(const LoopStages& s, DrawingDocument& d) {
  for (size_t i = 1; i < s.curves.size(); ++i) {
    DrawInPlane(s, d, AddPen(d, s.curves[i].pen), s.curves[i].DrawnLine());
  }
}

// The page's curve, with arrows for increasing frequency at even steps of
// its visible length and its decade frequencies labelled.
void DrawLoopCurve(const LoopStages& s, DrawingDocument& d) {
  const LoopTrace& own = s.curves.front();
  const PageLayout& L = s.geometry();
  const PageText& t = s.base.text;
  if (own.points.empty()) {
    const FrameRect& f = L.frame;
    d.AddTextCenter((f.left + f.right) / 2.0,
                    (f.top + f.bottom) / 2.0 - t.Height(kFontGraphTitle) / 2.0,
                    Translate(d.Translator(), "Page", kNoDataLine), t.Font(kFontGraphTitle),
                    t.Color(kFontGraphTitle));
    return;
  }
  const std::vector<PlanePoint> line = own.DrawnLine();
  DrawInPlane(s, d, AddPen(d, own.pen), line);

  PenEntry thin = own.pen;
  thin.screenWidth = 1;
  thin.printWidth = 0;
  const int marks = AddPen(d, thin);
  // Arrows: along the visible pieces in millimetres.
  std::vector<std::array<double, 4>> segments;  // x0, y0, x1, y1
  double total = 0.0;
  for (const Polyline& piece : ClipPolyline(line, s.range)) {
    for (size_t i = 1; i < piece.size(); ++i) {
      const std::array<double, 4> seg{L.frequency.ToMm(piece[i - 1].x), L.gain.ToMm(piece[i - 1].y),
                                      L.frequency.ToMm(piece[i].x), L.gain.ToMm(piece[i].y)};
      const double len = std::hypot(seg[2] - seg[0], seg[3] - seg[1]);
      if (!(len > 0.0)) continue;
      segments.push_back(seg);
      total += len;
    }
  }
  double walked = 0.0;
  int next = 0;
  for (const auto& seg : segments) {
    const double len = std::hypot(seg[2] - seg[0], seg[3] - seg[1]);
    while (next < kArrowCount && walked + len >= total * (next + 0.5) / kArrowCount) {
      const double u = (total * (next + 0.5) / kArrowCount - walked) / len;
      const double X = seg[0] + u * (seg[2] - seg[0]), Y = seg[1] + u * (seg[3] - seg[1]);
      const double a = std::atan2(seg[3] - seg[1], seg[2] - seg[0]);
      std::vector<double> x{X + kArrowLength * std::cos(a + std::numbers::pi - kArrowHalfAngle), X,
                            X + kArrowLength * std::cos(a + std::numbers::pi + kArrowHalfAngle)};
      std::vector<double> y{Y + kArrowLength * std::sin(a + std::numbers::pi - kArrowHalfAngle), Y,
                            Y + kArrowLength * std::sin(a + std::numbers::pi + kArrowHalfAngle)};
      d.AddPolyline(marks, std::move(x), std::move(y));
      ++next;
    }
    walked += len;
  }
  // Decade labels beside a short tick across the curve: inside the frame,
  // in the nearest place beside the tick that the curve does not pass
  // through, and left out where they would cover one already written (a
  // curve that lingers near one place over several decades).
  const std::vector<CurvePiece> drawn = CurveInMm(s, line);
  const double h = t.Height(kFontFreqLabels);
  std::vector<PlaneRect> written;
  for (size_t i = 0; i < s.decades.size(); ++i) {
    const PlanePoint& q = s.decadePoints[i];
    if (!Inside(q, s.range)) continue;
    const double X = L.frequency.ToMm(q.x), Y = L.gain.ToMm(q.y);
    const std::string label = FormatFrequency(s.decades[i].frequency) + "Hz";
    const double w = t.Width(kFontFreqLabels, label);
    const PlaneRect box = DecadeLabelBox(X, Y, w, h, L.frame, drawn);
    const bool covers = std::any_of(written.begin(), written.end(),
                                    [&](const PlaneRect& r) { return Covers(box, r); });
    d.AddLine(marks, X - kDecadeTick, Y, X + kDecadeTick, Y);
    if (covers) continue;
    written.push_back(box);
    d.AddTextLeft(box.xMin, box.yMin, label, t.Font(kFontFreqLabels), t.Color(kFontFreqLabels));
  }
}

void DrawCriticalPoint(const LoopStages& s, DrawingDocument& d) {
  const PageLayout& L = s.geometry();
  const int pen = d.FindOrAddPen(0, 1, 0, 0, 2, 0);
  const double c = kCriticalCrossMm / 2.0;
  for (const PlanePoint& q : CriticalPoints(s)) {
    if (!Inside(q, s.range)) continue;
    const double X = L.frequency.ToMm(q.x), Y = L.gain.ToMm(q.y);
    d.AddLine(pen, X - c, Y, X + c, Y);
    d.AddLine(pen, X, Y - c, X, Y + c);
  }
}

// The loop's margins marked on the curve of L when the page asks for its
// figure marks: a small x at each gain crossover labelled with its phase
// margin and, in the Nyquist view, the modulus margin as the line from -1
// to the nearest curve point. T and S carry no margins of their own.
void DrawLoopFigureMarks(const LoopStages& s, DrawingDocument& d) {
  const GraphProperties& p = s.base.props();
  if (!s.base.page.showFigureMarks || p.loopCurve != LoopCurve::kOpen) return;
  const LoopTrace& own = s.curves.front();
  const SweepFigures fig = ComputeFigures(own.points, PageMarginReference(p));
  if (!ShowsAsLoop(fig, p.loopJudgement)) return;
  const PageLayout& L = s.geometry();
  const PageText& t = s.base.text;
  const int pen = d.FindOrAddPen(0, 1, kMarkColour, 0, 2, kMarkColour);
  const auto place = [&](double frequency) -> std::optional<PlanePoint> {
    const std::optional<CurveReading> r = InterpolateAt(own.points, frequency);
    if (!r) return std::nullopt;
    return ViewPlanePoint(s.kind, *r, own.nicholsShift);
  };
  const auto mark = [&](const PlanePoint& q, const std::string& label) {
    if (!Inside(q, s.range)) return;
    const double X = L.frequency.ToMm(q.x), Y = L.gain.ToMm(q.y), c = kMarkHalf;
    d.AddLine(pen, X - c, Y - c, X + c, Y + c);
    d.AddLine(pen, X - c, Y + c, X + c, Y - c);
    const double w = t.Width(kFontFreqLabels, label);
    const double x0 = X + c + 0.3 + w <= L.frame.right ? X + c + 0.3 : X - c - 0.3 - w;
    d.AddTextLeft(x0, std::min(Y + c, L.frame.bottom - t.Height(kFontFreqLabels)), label,
                  t.Font(kFontFreqLabels), kMarkColour);
  };
  const size_t shown = std::min(fig.gainCrossovers.size(), kCrossingsMarked);
  for (size_t i = 0; i < shown; ++i) {
    const GainCrossover& c = fig.gainCrossovers[i];
    if (const auto q = place(c.frequency)) {
      mark(*q, "PM " + ThreeDigits(c.phaseMargin) + "\u00B0");
    }
  }
  if (s.kind != ViewKind::kNyquist || !fig.modulusMargin) return;
  const ModulusMargin& mm = *fig.modulusMargin;
  const auto q = place(mm.frequency);
  if (!q) return;
  const std::array<PlanePoint, 2> line{PlanePoint{-1.0, 0.0}, *q};
  DrawInPlane(s, d, pen, line);
  // Labelled beside the middle of its line, away from the curve's own
  // decade labels; only where that middle is in view.
  const PlanePoint middle{(q->x - 1.0) / 2.0, q->y / 2.0};
  if (!Inside(middle, s.range)) return;
  const std::string label = "MM " + ThreeDigits(mm.value) + " @ " + ThreeDigits(mm.frequency, "Hz");
  const double w = t.Width(kFontFreqLabels, label);
  const double x0 = std::max(L.frame.left, L.frequency.ToMm(middle.x) - 0.5 - w);
  d.AddTextLeft(x0, L.gain.ToMm(middle.y) + 0.3, label, t.Font(kFontFreqLabels), kMarkColour);
}

constexpr std::array<LoopLayer, 12> kNyquistLayers = {
    Shared<DrawPageOutline>, Shared<DrawCreditLine>, Shared<DrawFrameAndTitle>,
    DrawPlaneAxes,           DrawUnitCircle,         Shared<DrawFrameOutline>,
    DrawOverlayLoopCurves,   DrawLoopCurve,          DrawCriticalPoint,
    DrawLoopFigureMarks,     Shared<DrawLegend>,     Shared<DrawInfoTexts>,
};

constexpr std::array<LoopLayer, 12> kNicholsLayers = {
    Shared<DrawPageOutline>, Shared<DrawCreditLine>, Shared<DrawFrameAndTitle>,
    DrawPlaneAxes,           DrawContours,           Shared<DrawFrameOutline>,
    DrawOverlayLoopCurves,   DrawLoopCurve,          DrawCriticalPoint,
    DrawLoopFigureMarks,     Shared<DrawLegend>,     Shared<DrawInfoTexts>,
};

// No unit circle, critical point or loop margins: an impedance is no loop.
constexpr std::array<LoopLayer, 9> kComplexPlaneLayers = {
    Shared<DrawPageOutline>, Shared<DrawCreditLine>,  Shared<DrawFrameAndTitle>,
    DrawPlaneAxes,           Shared<DrawFrameOutline>, DrawOverlayLoopCurves,
    DrawLoopCurve,           Shared<DrawLegend>,       Shared<DrawInfoTexts>,
};

class LoopPlan final : public PlannedPage {
 public:
  LoopPlan(LoopStages stages, std::span<const LoopLayer> layers)
      : stages_(std::move(stages)), layers_(layers) {}
  const PageLayout& Layout() const override { return stages_.geometry(); }
  void Draw(DrawingDocument& drawing) const override {
    for (LoopLayer layer : layers_) layer(stages_, drawing);
  }

 private:
  LoopStages stages_;
  std::span<const LoopLayer> layers_;
};

class LoopView final : public PageView {
 public:
  explicit LoopView(ViewKind kind) : kind_(kind) {}
  std::unique_ptr<PlannedPage> Plan(const GraphPage& page, DrawingDocument& drawing,
                                    std::span<const CurveGrid> grids) const override {
    const std::span<const LoopLayer> layers = kind_ == ViewKind::kNyquist   ? NyquistLayers()
                                              : kind_ == ViewKind::kComplex ? kComplexPlaneLayers
                                                                            : NicholsLayers();
    return std::make_unique<LoopPlan>(PlanLoopPage(kind_, page, drawing, grids), layers);
  }

 private:
  ViewKind kind_;
};

}  // namespace

std::span<const LoopLayer> NyquistLayers() {
  return kNyquistLayers;
}

std::span<const LoopLayer> NicholsLayers() {
  return kNicholsLayers;
}

const PageView& NyquistView() {
  static const LoopView view(ViewKind::kNyquist);
  return view;
}

const PageView& NicholsView() {
  static const LoopView view(ViewKind::kNichols);
  return view;
}

const PageView& ComplexPlaneView() {
  static const LoopView view(ViewKind::kComplex);
  return view;
}

}  // namespace fernplot
