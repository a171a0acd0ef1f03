// SPDX-License-Identifier: MIT
#include "graph/axes.h"

#include <cmath>
#include <limits>
#include <vector>

#include "graph/axis_map.h"
#include "graph/axis_math.h"
#include "graph/bode_stages.h"
#include "graph/format.h"
#include "graph/page_impedance.h"
#include "graph/right_axis.h"

namespace fernplot {

namespace {

// From here on a gain or phase label is written in exponent form: fixed
// decimals would run to hundreds of digits.
constexpr double kLargestFixedLabel = 1e12;
// Put before a caption on an axis that shows a difference to a reference.
const std::string kDifferenceMark = "\u0394";

int GridPen(DrawingDocument& d) {
  return d.FindOrAddPen(0, 1, kGridColour, 0, 0, 0);
}
int TickPen(DrawingDocument& d) {
  return d.FindOrAddPen(0, 2, 0, 0, 2, 0);
}

struct Frame {
  double x0, y0, x1, y1;
};
Frame FrameOf(const FrameRect& r) {
  return {r.left, r.top, r.right, r.bottom};
}

// The pens and the label font of the frequency ticks.
struct FrequencyMarks {
  int tickPen = 0;
  int gridPen = 0;
  int labelFont = 0;
  Colour labelColour = 0;
};

// Draws the caption, then takes the marks' pens and font: the drawing's
// tables fill in this order on both scales.
FrequencyMarks FrequencyCaption(const PageText& t, DrawingDocument& d, const AxisSettings& hb,
                                const Frame& f) {
  d.AddTextCenter((f.x0 + f.x1) / 2.0, f.y1 + t.Height(kFontFreqLabels) + 1.0, hb.caption,
                  t.Font(kFontFreqCaption), t.Color(kFontFreqCaption));
  FrequencyMarks m;
  m.tickPen = TickPen(d);
  m.gridPen = GridPen(d);
  m.labelFont = t.Font(kFontFreqLabels);
  m.labelColour = t.Color(kFontFreqLabels);
  return m;
}

// Ticks on both horizontal edges and the optional grid line at X.
void FrequencyTick(DrawingDocument& d, const AxisSettings& hb, const Frame& f, double X,
                   const FrequencyMarks& m) {
  d.AddLine(m.tickPen, X, f.y0, X, f.y0 + kTickLength);
  d.AddLine(m.tickPen, X, f.y1, X, f.y1 - kTickLength);
  if (hb.gridLines) d.AddLine(m.gridPen, X, f.y0, X, f.y1);
}

void DrawLogFrequency(const BodeStages& b, DrawingDocument& d, const Frame& f) {
  const AxisSettings& hb = b.props().HB;
  const LogTickPlan& plan = b.layout.scales.logPlan;
  const AxisMap& map = b.geometry().frequency;
  const FrequencyMarks marks = FrequencyCaption(b.text, d, hb, f);
  for (double x : LogTickValues(plan)) {
    const double X = map.ToMm(x);
    if (LeadingDigitIn(x, plan.gridDigits)) FrequencyTick(d, hb, f, X, marks);
    if (LeadingDigitIn(x, plan.labelDigits)) {
      d.AddTextCenter(X, f.y1 + 0.5, FormatFrequency(x), marks.labelFont, marks.labelColour);
    }
  }
}

void DrawLinearFrequency(const BodeStages& b, DrawingDocument& d, const Frame& f) {
  const AxisSettings& hb = b.props().HB;
  const AxisMap& map = b.geometry().frequency;
  const FrequencyMarks marks = FrequencyCaption(b.text, d, hb, f);
  double lastEnd = 0.0;
  for (double v : LinearTickValues(b.layout.scales.linearFrequency)) {
    const double X = map.ToMm(v);
    if (X > lastEnd) {
      // A label that would start inside the previous one's room is left out;
      // its tick is still drawn.
      const std::string label = FormatFrequency(v);
      d.AddTextCenter(X, f.y1 + 0.5, label, marks.labelFont, marks.labelColour);
      lastEnd = X + b.text.Width(kFontFreqLabels, label) + kLinearLabelGap;
    }
    FrequencyTick(d, hb, f, X, marks);
  }
}

double VerticalSpan(const AxisSettings& a, const Frame& f) {
  return (f.y1 - a.margin2) - (f.y0 + a.margin1);
}

enum class Side { kLeft, kRight };

// Labels, grid lines or ticks of a linear vertical axis; siLabels writes the
// labels with SI prefixes (the delay axis) instead of fixed decimals.
void DrawVerticalTicks(const PageText& t, DrawingDocument& d, const AxisSettings& axis,
                       const AxisMap& map, const Frame& f, const LinearScale& s, Side side,
                       int labelCategory, bool siLabels = false) {
  const int decimals = StepDecimals(s.step);
  const double labelHalf = t.Height(labelCategory) / 2.0;
  const int font = t.Font(labelCategory);
  const Colour colour = t.Color(labelCategory);
  const int gridPen = GridPen(d);
  const int tickPen = TickPen(d);
  for (double v : LinearTickValues(s)) {
    const double Y = map.ToMm(v);
    const std::string label = siLabels                            ? FormatSiLabel(v, s.step)
                              : std::fabs(v) < kLargestFixedLabel ? FormatFixed(v, decimals)
                                                                  : FormatShortExponent(v);
    if (side == Side::kLeft) {
      d.AddTextRight(f.x0 - 1.0, Y - labelHalf, label, font, colour);
    } else {
      d.AddTextLeft(f.x1 + 1.0, Y - labelHalf, label, font, colour);
    }
    if (axis.gridLines) {
      d.AddLine(gridPen, f.x0, Y, f.x1, Y);
    } else if (side == Side::kLeft) {
      d.AddLine(tickPen, f.x0, Y, f.x0 + kTickLength, Y);
    } else {
      d.AddLine(tickPen, f.x1 - kTickLength, Y, f.x1, Y);
    }
  }
}

// The left axis of an impedance page: the gain axis holds 20 log10 |Z/1 Ω|,
// so that |Z| runs on a logarithmic scale; its labels are the ohms at 1, 2
// and 5 of each decade (or every decade, or every digit, as the room
// allows), SI-prefixed ("100m", "1", "10k").
void DrawImpedanceTicks(const PageText& t, DrawingDocument& d, const AxisSettings& axis,
                        const AxisMap& map, const Frame& f, const LinearScale& s) {
  const double labelHalf = t.Height(kFontGainLabels) / 2.0;
  const double room = t.Height(kFontGainLabels) * (axis.tight ? 1.2 : 1.6);
  const double lo = std::min(s.lo, s.hi), hi = std::max(s.lo, s.hi);
  if (!std::isfinite(lo) || !std::isfinite(hi) || map.scale == 0.0) return;
  const int first = static_cast<int>(std::floor(lo / 20.0)) - 1;
  const int last = static_cast<int>(std::ceil(hi / 20.0)) + 1;
  if (last - first > 400) return;
  static const std::vector<double> kSteps[] = {{1, 2, 3, 4, 5, 6, 7, 8, 9}, {1, 2, 5}, {1}};
  // The densest set whose closest labels keep their room.
  std::vector<double> values;
  for (const std::vector<double>& mantissas : kSteps) {
    values.clear();
    for (int k = first; k <= last; ++k) {
      for (const double m : mantissas) {
        const double db = 20.0 * (std::log10(m) + k);
        if (db >= lo - 1e-9 && db <= hi + 1e-9) values.push_back(db);
      }
    }
    double closest = std::numeric_limits<double>::infinity();
    for (size_t i = 1; i < values.size(); ++i) {
      closest = std::min(closest, std::fabs(map.ToMm(values[i]) - map.ToMm(values[i - 1])));
    }
    if (closest >= room) break;
  }
  const int font = t.Font(kFontGainLabels);
  const Colour colour = t.Color(kFontGainLabels);
  const int gridPen = GridPen(d);
  const int tickPen = TickPen(d);
  for (const double db : values) {
    const double Y = map.ToMm(db);
    d.AddTextRight(f.x0 - 1.0, Y - labelHalf, FormatFrequency(std::pow(10.0, db / 20.0)), font,
                   colour);
    if (axis.gridLines) {
      d.AddLine(gridPen, f.x0, Y, f.x1, Y);
    } else {
      d.AddLine(tickPen, f.x0, Y, f.x0 + kTickLength, Y);
    }
  }
}

// The frequency scale over the ranges; sets the layout's frequency map.
void PlanFrequency(const AxisSettings& hb, const PageText& t, const DataRange& r, PageLayout& L,
                   BodeScales& out) {
  const Frame f = FrameOf(L.frame);
  const AxisLimits limits = AxisRange(hb, r.minFrequency, r.maxFrequency, true);
  const double span = (f.x1 - hb.margin2) - (f.x0 + hb.margin1);
  out.logFrequency = UseLogScale(hb.scaleType, limits.hi, limits.lo);
  if (out.logFrequency) {
    LogTickPlan& plan = out.logPlan;
    plan.hi = limits.hi;
    plan.lo = limits.lo;
    plan.span = span;
    PlanLogTicks(plan, [&t](double x) { return t.Width(kFontFreqLabels, FormatFrequency(x)); });
    L.frequency = FrequencyAxisMap(L.frame, hb.margin1, plan.logLo, plan.mmPerDecade, true);
    return;
  }
  double step = ManualStep(hb, limits.hi, limits.lo);
  if (step == 0.0) {
    const double w = t.Width(kFontFreqLabels, kFrequencyLabelSample);
    step = StepForSlots(limits.hi, limits.lo, span / (w + kLinearLabelGap));
  }
  out.linearFrequency = ScaleLinear(limits.hi, limits.lo, span, step);
  L.frequency = FrequencyAxisMap(L.frame, hb.margin1, out.linearFrequency.lo,
                                 out.linearFrequency.scale, false);
}

// A page with nothing to plot (a file cut short before its points) scales the
// axes that follow the data over these spans, not a spread of 1e-7 about
// nothing whose labels run off the page. Limits set for the axis still win.
constexpr AxisLimits kEmptyGainLimits{20.0, -40.0};
constexpr AxisLimits kEmptyPhaseLimits{180.0, -180.0};

LinearScale GainScale(const AxisSettings& vl, const PageText& t, const DataRange& r,
                      const Frame& f) {
  const AxisLimits data = r.hasGain ? FlatDataLimits(vl, r.minGain, r.maxGain) : kEmptyGainLimits;
  const AxisLimits limits = AxisRange(vl, data.lo, data.hi, false);
  const double span = VerticalSpan(vl, f);
  double step = ManualStep(vl, limits.hi, limits.lo);
  if (step == 0.0) {
    const double factor = vl.tight ? kLabelSpacingTight : kLabelSpacingNormal;
    step = StepForSlots(limits.hi, limits.lo, span / (t.Height(kFontGainLabels) * factor));
  }
  return ScaleLinear(limits.hi, limits.lo, span, step);
}

// The right axis in group-delay mode: limits from the data, steps of 1, 2
// or 5.
LinearScale DelayScaleOf(const AxisSettings& vr, const PageText& t, const DataRange& r,
                         const Frame& f) {
  const double span = VerticalSpan(vr, f);
  const double factor = vr.tight ? kLabelSpacingTight : kLabelSpacingNormal;
  const DelayScale d = ScaleDelay(r.hasPhase ? r.minPhase : 0.0, r.hasPhase ? r.maxPhase : 0.0,
                                  span / (t.Height(kFontPhaseLabels) * factor));
  LinearScale s;
  s.step = d.step;
  s.hi = d.hi;
  s.lo = d.lo;
  s.scale = span / (d.hi - d.lo);
  if (!std::isfinite(s.scale)) s.scale = 0.0;
  return s;
}

LinearScale PhaseScale(const GraphProperties& p, const PageText& t, const DataRange& r,
                       const Frame& f) {
  const AxisSettings& vr = p.VR;
  if (p.rightAxis == kRightGroupDelay) return DelayScaleOf(vr, t, r, f);
  // The unwrapped phase can run over many turns: its limits are the data's.
  AxisSettings limitsOf = vr;
  if (p.rightAxis == kRightUnwrappedPhase) limitsOf.useDataMin = limitsOf.useDataMax = 1;
  const AxisLimits data =
      r.hasPhase ? FlatDataLimits(limitsOf, r.minPhase, r.maxPhase) : kEmptyPhaseLimits;
  const AxisLimits limits = AxisRange(limitsOf, data.lo, data.hi, false);
  const double span = VerticalSpan(vr, f);
  double step = ManualStep(vr, limits.hi, limits.lo);
  if (step == 0.0) {
    step = PhaseStep(limits.hi, limits.lo, span, vr.tight, t.Height(kFontPhaseLabels));
  }
  return ScaleLinear(limits.hi, limits.lo, span, step);
}

void DrawCaption(const PageText& t, DrawingDocument& d, double x, double frameTop, int category,
                 bool difference, const std::string& caption) {
  d.AddTextCenter(x, frameTop - t.Height(category) - 1.0,
                  difference ? kDifferenceMark + caption : caption, t.Font(category),
                  t.Color(category));
}

// The factory caption of the right axis says which phase it shows; a caption
// of the user's own is theirs.
std::string RightCaption(const GraphProperties& p) {
  if (p.rightAxis == kRightUnwrappedPhase && p.VR.caption == kPhaseCaption) {
    return std::string(kUnwrappedPhaseCaption);
  }
  return p.VR.caption;
}

}  // namespace

BodeScales PlanBodeScales(const GraphPage& page, const PageText& text, const DataRange& ranges,
                          PageLayout& layout) {
  const GraphProperties& p = page.properties;
  const Frame f = FrameOf(layout.frame);
  BodeScales out;
  PlanFrequency(p.HB, text, ranges, layout, out);
  out.gain = GainScale(p.VL, text, ranges, f);
  layout.gain = VerticalAxisMap(layout.frame, p.VL.margin2, out.gain.lo, out.gain.scale);
  out.right = PhaseScale(p, text, ranges, f);
  layout.right = VerticalAxisMap(layout.frame, p.VR.margin2, out.right.lo, out.right.scale);
  return out;
}

void DrawAxes(const BodeStages& b, DrawingDocument& d) {
  const GraphProperties& p = b.props();
  const Frame f = FrameOf(b.geometry().frame);
  if (b.layout.scales.logFrequency) {
    DrawLogFrequency(b, d, f);
  } else {
    DrawLinearFrequency(b, d, f);
  }
  const bool difference = b.traces.difference;
  // An impedance is read in ohms (a difference stays in dB: a ratio of two).
  const bool ohms = ShowsOhms(b.page) && !difference;
  DrawCaption(b.text, d, f.x0, f.y0, kFontGainCaption, difference,
              ohms && p.VL.caption == kGainCaption ? std::string(kImpedanceCaption)
                                                   : p.VL.caption);
  if (ohms) {
    DrawImpedanceTicks(b.text, d, p.VL, b.geometry().gain, f, b.layout.scales.gain);
  } else {
    DrawVerticalTicks(b.text, d, p.VL, b.geometry().gain, f, b.layout.scales.gain, Side::kLeft,
                      kFontGainLabels);
  }
  const bool delay = p.rightAxis == kRightGroupDelay;
  DrawCaption(b.text, d, f.x1, f.y0, kFontPhaseCaption, difference,
              delay ? std::string(kGroupDelayCaption) : RightCaption(p));
  DrawVerticalTicks(b.text, d, p.VR, b.geometry().right, f, b.layout.scales.right, Side::kRight,
                    kFontPhaseLabels, delay);
}

}  // namespace fernplot
