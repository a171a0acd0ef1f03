// SPDX-License-Identifier: MIT
// The stages of the Nyquist and Nichols views: the traces read as loop
// curves, the plane each view puts them in, and the scales of its axes.
#include <algorithm>
#include <cmath>
#include <limits>

#include "analysis/loop.h"
#include "graph/axis_map.h"
#include "graph/axis_math.h"
#include "graph/format.h"
#include "graph/layout.h"
#include "graph/loop_stages.h"
#include "graph/overlays.h"
#include "graph/page_impedance.h"

namespace fernplot {

namespace {

constexpr const char* kRealCaption = "REAL";
constexpr const char* kImaginaryCaption = "IMAGINARY";
// The widest label a Nichols phase axis writes, and of a Nyquist axis.
constexpr const char* kPhaseLabelSample = "-360";
constexpr const char* kPlaneLabelSample = "-0.00";
// The phase steps of a Nichols chart, densest first.
constexpr double kPhaseSteps[] = {45.0, 90.0, 180.0, 360.0};

// The page's traces with every overlay's points copied: the loop views read
// each one as a curve of its own.
TraceSet CollectLoopTraces(const GraphPage& page) {
  TraceSet t;
  t.traces = PageTraceCurves(page, true);
  t.difference = InDifferenceMode(page);
  if (t.difference) {
    t.points = t.traces.front().points;
  } else {
    DataRange scan;
    ScanPageData(page, scan);
    t.points = std::move(scan.points);
  }
  return t;
}

std::vector<UsablePoint> UsableOf(const std::vector<RangePoint>& points) {
  std::vector<SweepPoint> sweep;
  sweep.reserve(points.size());
  for (const RangePoint& p : points) sweep.push_back({p.frequency, p.gain, p.phase});
  return UsablePoints(sweep);
}

PenEntry PageGainPen(const GraphProperties& p) {
  PenEntry pen;
  pen.screenWidth = 2;
  pen.printWidth = p.gainLineBoldOnPrint != 0 ? 6 : 2;
  pen.screenColor = p.gainLineColor;
  pen.printColor = p.gainLineColor;
  return pen;
}

// The frequencies of the points that have a place on the frequency axis
// but no gain or phase: the curve has no value there.
std::vector<double> GapFrequencies(const std::vector<RangePoint>& points) {
  std::vector<double> out;
  for (const RangePoint& p : points) {
    if (std::isfinite(p.frequency) && p.frequency > 0.0 &&
        !(std::isfinite(p.gain) && std::isfinite(p.phase))) {
      out.push_back(p.frequency);
    }
  }
  std::sort(out.begin(), out.end());
  return out;
}

LoopTrace MakeTrace(ViewKind kind, PenEntry pen, const std::vector<RangePoint>& raw) {
  LoopTrace t;
  t.pen = pen;
  t.points = UsableOf(raw);
  for (double f : GapFrequencies(raw)) {
    const auto at =
        std::lower_bound(t.points.begin(), t.points.end(), f,
                         [](const UsablePoint& p, double value) { return p.frequency < value; });
    const size_t k = static_cast<size_t>(at - t.points.begin());
    if (k > 0 && k < t.points.size() && (t.breaks.empty() || t.breaks.back() != k)) {
      t.breaks.push_back(k);
    }
  }
  if (kind == ViewKind::kNichols) t.nicholsShift = NicholsShift(t.points);
  t.plane.reserve(t.points.size());
  for (const UsablePoint& p : t.points) {
    t.plane.push_back(ViewPlanePoint(kind, {p.frequency, p.gain, p.unwrapped, WrapDegrees(p.phase)},
                                     t.nicholsShift));
  }
  return t;
}

// The Nichols phase step: the smallest of the steps whose labels fit, and on
// a chart of many turns whole turns by 1, 2 or 5 times a power of ten.
double PhaseStep(const ValueRange& x, double width, double sampleWidth, const PageText& t) {
  const double span = x.high - x.low;
  const double widest =
      std::max({sampleWidth, t.Width(kFontFreqLabels, FormatFixed(x.low, 0)) + kLinearLabelGap,
                t.Width(kFontFreqLabels, FormatFixed(x.high, 0)) + kLinearLabelGap});
  for (double step : kPhaseSteps) {
    if (width * step / span >= widest) return step;
  }
  const double turns = widest * span / (width * 360.0);
  if (!std::isfinite(turns)) return kPhaseSteps[std::size(kPhaseSteps) - 1];
  double decade = std::pow(10.0, std::floor(std::log10(turns)));
  for (;; decade *= 10.0) {
    for (double m : {1.0, 2.0, 5.0}) {
      if (m * decade >= turns) return 360.0 * m * decade;
    }
  }
}

// The phases the Nichols contours cover: the whole chart, or on one of
// many turns the few turns about where the curve first crosses 0 dB (its
// middle when it never does), where they say something of the loop; none
// where a turn is too narrow for a contour to be told from the next.
ValueRange ContourPhases(const std::vector<PlanePoint>& curve, const ValueRange& chart,
                         double widthMm) {
  constexpr double kHalf = kMaxContourTurns * 360.0 / 2.0;
  const double span = chart.high - chart.low;
  if (!(widthMm * 360.0 / span >= kLeastContourTurnMm)) return {chart.low, chart.low};
  if (span <= 2.0 * kHalf) return chart;
  double centre = (chart.low + chart.high) / 2.0;
  for (size_t k = 1; k < curve.size(); ++k) {
    const PlanePoint a = curve[k - 1], b = curve[k];
    if (std::isfinite(a.y) && std::isfinite(b.y) && (a.y >= 0.0) != (b.y >= 0.0)) {
      centre = b.x;
      break;
    }
  }
  const double low = std::clamp(centre - kHalf, chart.low, chart.high - 2.0 * kHalf);
  return {low, low + 2.0 * kHalf};
}

double LabelGap(const AxisSettings& axis) {
  return axis.tight ? kLabelSpacingTight : kLabelSpacingNormal;
}

// Lays out an equal-scale plane of `frame` (Nyquist, complex plane): the
// axis maps and the ticks of both axes.
void PlanEqualScalePlane(LoopStages& s, const NyquistFrame& frame) {
  const GraphProperties& p = s.base.props();
  const FrameRect& f = s.geometry().frame;
  s.range = frame.range;
  PageLayout& L = s.base.layout.page;
  L.frequency = FrequencyAxisMap(f, 0.0, s.range.xMin, frame.scale, false);
  L.gain = VerticalAxisMap(f, 0.0, s.range.yMin, frame.scale);
  L.right = L.gain;
  const PageText& t = s.base.text;
  // Labels as wide as the sample first, then as wide as the widest label of
  // that step (a wide range writes long numbers).
  double labelWidth = t.Width(kFontFreqLabels, kPlaneLabelSample) + kLinearLabelGap;
  s.xTicks.step = StepForSlots(s.range.xMax, s.range.xMin, (f.right - f.left) / labelWidth);
  const int decimals = StepDecimals(s.xTicks.step);
  const double widest =
      t.Width(kFontFreqLabels, FormatFixed(s.range.xMin, decimals)) + kLinearLabelGap;
  if (widest > labelWidth) {
    labelWidth = widest;
    s.xTicks.step = StepForSlots(s.range.xMax, s.range.xMin, (f.right - f.left) / labelWidth);
  }
  s.yTicks.step = StepForSlots(s.range.yMax, s.range.yMin,
                               (f.bottom - f.top) / (t.Height(kFontGainLabels) * LabelGap(p.VL)));
  s.xTicks.decimals = StepDecimals(s.xTicks.step);
  s.yTicks.decimals = StepDecimals(s.yTicks.step);
}

std::vector<PlanePoint> AllPlanePoints(const LoopStages& s) {
  std::vector<PlanePoint> all;
  for (const LoopTrace& t : s.curves) all.insert(all.end(), t.plane.begin(), t.plane.end());
  return all;
}

void PlanNyquist(LoopStages& s) {
  const GraphProperties& p = s.base.props();
  const FrameRect& f = s.geometry().frame;
  PlanEqualScalePlane(
      s, NyquistFrameFor(AllPlanePoints(s), p.nyquistRadius, f.right - f.left, f.bottom - f.top));
  const std::string prefix(LoopCurveCaptionPrefix(p.loopCurve));
  s.xCaption = prefix + kRealCaption;
  s.yCaption = prefix + kImaginaryCaption;
}

// The complex plane of an impedance: -Im Z up against Re Z in ohms, as the
// Nyquist view lays out its axes, but framed on the data and the origin.
void PlanComplexPlane(LoopStages& s) {
  const FrameRect& f = s.geometry().frame;
  PlanEqualScalePlane(s, ComplexPlaneFrameFor(AllPlanePoints(s), f.right - f.left, f.bottom - f.top));
  const bool ohms = ShowsOhms(s.base.page);
  s.xCaption = ohms ? "Z' [\u03A9]" : "REAL";
  s.yCaption = ohms ? "-Z'' [\u03A9]" : "-IMAGINARY";
}

void PlanNichols(LoopStages& s) {
  const GraphProperties& p = s.base.props();
  const FrameRect& f = s.geometry().frame;
  std::vector<double> phases;
  double minGain = 0.0, maxGain = 0.0;  // 0 dB is always in view
  for (const LoopTrace& t : s.curves) {
    for (const PlanePoint& q : t.plane) {
      phases.push_back(q.x);
      if (std::isfinite(q.y)) {
        minGain = std::min(minGain, q.y);
        maxGain = std::max(maxGain, q.y);
      }
    }
  }
  const ValueRange x = NicholsPhaseRange(phases);
  const double width = f.right - f.left, height = f.bottom - f.top;
  const double labelWidth = s.base.text.Width(kFontFreqLabels, kPhaseLabelSample) + kLinearLabelGap;
  s.xTicks.step = PhaseStep(x, width, labelWidth, s.base.text);
  // The gain axis as on a gain-and-phase page, but across the whole frame.
  const AxisLimits limits = AxisRange(p.VL, minGain, maxGain, false);
  double step = ManualStep(p.VL, limits.hi, limits.lo);
  if (step == 0.0) {
    step = StepForSlots(limits.hi, limits.lo,
                        height / (s.base.text.Height(kFontGainLabels) * LabelGap(p.VL)));
  }
  const LinearScale gain = ScaleLinear(limits.hi, limits.lo, height, step);
  s.yTicks = {gain.step, StepDecimals(gain.step)};
  s.range = {x.low, x.high, gain.lo, gain.hi};
  PageLayout& L = s.base.layout.page;
  L.frequency = FrequencyAxisMap(f, 0.0, x.low, width / (x.high - x.low), false);
  L.gain = VerticalAxisMap(f, 0.0, gain.lo, gain.scale);
  L.right = L.gain;
  s.xCaption = p.VR.caption;
  s.yCaption = p.VL.caption;
  s.contourPhases = ContourPhases(s.curves.front().plane, x, width);
}

}  // namespace

LoopStages PlanLoopPage(ViewKind kind, const GraphPage& page, DrawingDocument& drawing,
                        std::span<const CurveGrid> grids) {
  TraceSet traces = CollectLoopTraces(page);
  const DataRange ranges = TraceRanges(page, traces);
  const PageText text(drawing, page.properties, ResolvePageFonts(drawing, page.properties));
  BodeLayout layout = LayoutBodePage(page, text, ranges);
  LoopStages s{BodeStages{page, text, std::move(traces), ranges, std::move(layout), grids}};
  s.kind = kind;
  const std::vector<TraceCurve>& all = s.base.traces.traces;
  s.curves.push_back(MakeTrace(kind, PageGainPen(page.properties), s.base.traces.points));
  for (size_t i = 1; i < all.size(); ++i) {
    s.curves.push_back(MakeTrace(kind, all[i].gainPen, all[i].points));
  }
  if (kind == ViewKind::kNyquist) {
    PlanNyquist(s);
  } else if (kind == ViewKind::kComplex) {
    PlanComplexPlane(s);
  } else {
    PlanNichols(s);
  }
  const LoopTrace& own = s.curves.front();
  // A decade inside a gap of the curve has no place on it.
  s.decades = DecadeReadings(own.points);
  std::erase_if(s.decades, [&](const CurveReading& r) { return own.InGap(r.frequency); });
  for (const CurveReading& r : s.decades) {
    s.decadePoints.push_back(ViewPlanePoint(kind, r, own.nicholsShift));
  }
  return s;
}

std::vector<PlanePoint> LoopTrace::DrawnLine() const {
  if (breaks.empty()) return plane;
  constexpr double kNone = std::numeric_limits<double>::quiet_NaN();
  std::vector<PlanePoint> out;
  out.reserve(plane.size() + breaks.size());
  size_t next = 0;
  for (size_t k = 0; k < plane.size(); ++k) {
    if (next < breaks.size() && breaks[next] == k) {
      out.push_back({kNone, kNone});
      ++next;
    }
    out.push_back(plane[k]);
  }
  return out;
}

bool LoopTrace::InGap(double frequency) const {
  return std::any_of(breaks.begin(), breaks.end(), [&](size_t k) {
    return frequency > points[k - 1].frequency && frequency < points[k].frequency;
  });
}

std::vector<double> PlaneTickValues(double lo, double hi, double step) {
  std::vector<double> out;
  if (!(step > 0.0) || !std::isfinite(lo) || !std::isfinite(hi)) return out;
  const double first = std::ceil(lo / step - kNearTolerance);
  const double last = std::floor(hi / step + kNearTolerance);
  for (double k = first; k <= last && out.size() < 1000; k += 1.0) {
    const double v = k * step;
    out.push_back(v == 0.0 ? 0.0 : v);
  }
  return out;
}

std::vector<PlanePoint> CriticalPoints(const LoopStages& s) {
  std::vector<PlanePoint> out;
  if (s.kind == ViewKind::kNyquist) {
    out.push_back({-1.0, 0.0});
    return out;
  }
  const double first = std::ceil((s.range.xMin + 180.0) / 360.0);
  for (double n = first; - 180.0 + 360.0 * n <= s.range.xMax && out.size() < 100; n += 1.0) {
    out.push_back({-180.0 + 360.0 * n, 0.0});
  }
  return out;
}

}  // namespace fernplot
