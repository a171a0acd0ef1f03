// SPDX-License-Identifier: MIT
#include "graph/axes.h"

#include <cmath>

#include "graph/axis_map.h"
#include "graph/axis_math.h"
#include "graph/format.h"
#include "graph/page_builder.h"
#include "graph/right_axis.h"

namespace fernplot {

namespace {

constexpr Colour kGridColour = 0xC2C2C2;
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
Frame FrameOf(const AxisSettings& a) {
  return {a.frameLeft, a.frameTop, a.frameRight, a.frameBottom};
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
FrequencyMarks FrequencyCaption(PageBuilder& b, const AxisSettings& hb, const Frame& f) {
  b.drawing.AddTextCenter((f.x0 + f.x1) / 2.0, f.y1 + b.TextHeight(kFontFreqLabels) + 1.0,
                          hb.caption, b.Font(kFontFreqCaption), b.Color(kFontFreqCaption));
  FrequencyMarks m;
  m.tickPen = TickPen(b.drawing);
  m.gridPen = GridPen(b.drawing);
  m.labelFont = b.Font(kFontFreqLabels);
  m.labelColour = b.Color(kFontFreqLabels);
  return m;
}

// Ticks on both horizontal edges and the optional grid line at X.
void FrequencyTick(PageBuilder& b, const AxisSettings& hb, const Frame& f, double X,
                   const FrequencyMarks& m) {
  b.drawing.AddLine(m.tickPen, X, f.y0, X, f.y0 + kTickLength);
  b.drawing.AddLine(m.tickPen, X, f.y1, X, f.y1 - kTickLength);
  if (hb.gridLines) b.drawing.AddLine(m.gridPen, X, f.y0, X, f.y1);
}

void DrawLogFrequency(PageBuilder& b, AxisSettings& hb, const Frame& f, double hi, double lo,
                      double span) {
  LogTickPlan plan;
  plan.hi = hi;
  plan.lo = lo;
  plan.span = span;
  PlanLogTicks(plan, [&b](double x) { return b.TextWidth(kFontFreqLabels, FormatFrequency(x)); });
  hb.scale = plan.mmPerDecade;
  hb.origin = plan.logLo;
  const AxisMap map = FrequencyAxisMap(hb);

  const FrequencyMarks marks = FrequencyCaption(b, hb, f);
  for (double x : LogTickValues(plan)) {
    const double X = map.ToMm(x);
    if (LeadingDigitIn(x, plan.gridDigits)) FrequencyTick(b, hb, f, X, marks);
    if (LeadingDigitIn(x, plan.labelDigits)) {
      b.drawing.AddTextCenter(X, f.y1 + 0.5, FormatFrequency(x), marks.labelFont,
                              marks.labelColour);
    }
  }
}

void DrawLinearFrequency(PageBuilder& b, AxisSettings& hb, const Frame& f, double hi, double lo,
                         double span) {
  double step = ManualStep(hb, hi, lo);
  if (step == 0.0) {
    const double w = b.TextWidth(kFontFreqLabels, kFrequencyLabelSample);
    step = StepForSlots(hi, lo, span / (w + kLinearLabelGap));
  }
  const LinearScale s = ScaleLinear(hi, lo, span, step);
  hb.scale = s.scale;
  hb.origin = s.lo;
  const AxisMap map = FrequencyAxisMap(hb);

  const FrequencyMarks marks = FrequencyCaption(b, hb, f);
  double lastEnd = 0.0;
  for (double v : LinearTickValues(s)) {
    const double X = map.ToMm(v);
    if (X > lastEnd) {
      // A label that would start inside the previous one's room is left out;
      // its tick is still drawn.
      const std::string label = FormatFrequency(v);
      b.drawing.AddTextCenter(X, f.y1 + 0.5, label, marks.labelFont, marks.labelColour);
      lastEnd = X + b.TextWidth(kFontFreqLabels, label) + kLinearLabelGap;
    }
    FrequencyTick(b, hb, f, X, marks);
  }
}

double VerticalSpan(const AxisSettings& a, const Frame& f) {
  return (f.y1 - a.margin2) - (f.y0 + a.margin1);
}

enum class Side { kLeft, kRight };

// Labels, grid lines or ticks of a linear vertical axis; siLabels writes the
// labels with SI prefixes (the delay axis) instead of fixed decimals.
void DrawVerticalTicks(PageBuilder& b, AxisSettings& axis, const Frame& f, const LinearScale& s,
                       Side side, int labelCategory, bool siLabels = false) {
  axis.scale = s.scale;
  axis.origin = s.lo;
  const AxisMap map = VerticalAxisMap(axis);
  const int decimals = StepDecimals(s.step);
  const double labelHalf = b.TextHeight(labelCategory) / 2.0;
  const int font = b.Font(labelCategory);
  const Colour colour = b.Color(labelCategory);
  const int gridPen = GridPen(b.drawing);
  const int tickPen = TickPen(b.drawing);
  for (double v : LinearTickValues(s)) {
    const double Y = map.ToMm(v);
    const std::string label = siLabels                            ? FormatSiLabel(v, s.step)
                              : std::fabs(v) < kLargestFixedLabel ? FormatFixed(v, decimals)
                                                                  : FormatShortExponent(v);
    if (side == Side::kLeft) {
      b.drawing.AddTextRight(f.x0 - 1.0, Y - labelHalf, label, font, colour);
    } else {
      b.drawing.AddTextLeft(f.x1 + 1.0, Y - labelHalf, label, font, colour);
    }
    if (axis.gridLines) {
      b.drawing.AddLine(gridPen, f.x0, Y, f.x1, Y);
    } else if (side == Side::kLeft) {
      b.drawing.AddLine(tickPen, f.x0, Y, f.x0 + kTickLength, Y);
    } else {
      b.drawing.AddLine(tickPen, f.x1 - kTickLength, Y, f.x1, Y);
    }
  }
}

}  // namespace

void DrawFrequencyAxis(PageBuilder& b) {
  AxisSettings& hb = b.props().HB;
  const Frame f = FrameOf(hb);
  const AxisLimits limits = AxisRange(hb, b.range.minFrequency, b.range.maxFrequency, true);
  const double span = (f.x1 - hb.margin2) - (f.x0 + hb.margin1);
  if (UseLogScale(hb.scaleType, limits.hi, limits.lo)) {
    hb.axisFlags |= 1;
    DrawLogFrequency(b, hb, f, limits.hi, limits.lo, span);
  } else {
    hb.axisFlags &= ~1;
    DrawLinearFrequency(b, hb, f, limits.hi, limits.lo, span);
  }
}

void DrawGainAxis(PageBuilder& b) {
  AxisSettings& vl = b.props().VL;
  const Frame f = FrameOf(vl);
  const AxisLimits limits = AxisRange(vl, b.range.minGain, b.range.maxGain, false);
  const double span = VerticalSpan(vl, f);
  double step = ManualStep(vl, limits.hi, limits.lo);
  if (step == 0.0) {
    const double factor = vl.tight ? kLabelSpacingTight : kLabelSpacingNormal;
    step = StepForSlots(limits.hi, limits.lo, span / (b.TextHeight(kFontGainLabels) * factor));
  }
  const LinearScale s = ScaleLinear(limits.hi, limits.lo, span, step);
  b.drawing.AddTextCenter(f.x0, f.y0 - b.TextHeight(kFontGainCaption) - 1.0,
                          b.difference ? kDifferenceMark + vl.caption : vl.caption,
                          b.Font(kFontGainCaption), b.Color(kFontGainCaption));
  DrawVerticalTicks(b, vl, f, s, Side::kLeft, kFontGainLabels);
}

namespace {

// The right axis in group-delay mode: limits from the data, its own
// caption, steps of 1, 2 or 5 and labels with SI prefixes.
void DrawDelayAxis(PageBuilder& b, AxisSettings& vr, const Frame& f) {
  const double span = VerticalSpan(vr, f);
  const double factor = vr.tight ? kLabelSpacingTight : kLabelSpacingNormal;
  const DelayScale d = ScaleDelay(b.range.hasPhase ? b.range.minPhase : 0.0,
                                  b.range.hasPhase ? b.range.maxPhase : 0.0,
                                  span / (b.TextHeight(kFontPhaseLabels) * factor));
  LinearScale s;
  s.step = d.step;
  s.hi = d.hi;
  s.lo = d.lo;
  s.scale = span / (d.hi - d.lo);
  if (!std::isfinite(s.scale)) s.scale = 0.0;
  const std::string caption(kGroupDelayCaption);
  b.drawing.AddTextCenter(f.x1, f.y0 - b.TextHeight(kFontPhaseCaption) - 1.0,
                          b.difference ? kDifferenceMark + caption : caption,
                          b.Font(kFontPhaseCaption), b.Color(kFontPhaseCaption));
  DrawVerticalTicks(b, vr, f, s, Side::kRight, kFontPhaseLabels, true);
}

}  // namespace

void DrawPhaseAxis(PageBuilder& b) {
  AxisSettings& vr = b.props().VR;
  const Frame f = FrameOf(vr);
  if (b.props().rightAxis == kRightGroupDelay) {
    DrawDelayAxis(b, vr, f);
    return;
  }
  // The unwrapped phase can run over many turns: its limits are the data's.
  AxisSettings limitsOf = vr;
  if (b.props().rightAxis == kRightUnwrappedPhase) limitsOf.useDataMin = limitsOf.useDataMax = 1;
  const AxisLimits limits = AxisRange(limitsOf, b.range.minPhase, b.range.maxPhase, false);
  const double span = VerticalSpan(vr, f);
  double step = ManualStep(vr, limits.hi, limits.lo);
  if (step == 0.0) {
    step = PhaseStep(limits.hi, limits.lo, span, vr.tight != 0, b.TextHeight(kFontPhaseLabels));
  }
  const LinearScale s = ScaleLinear(limits.hi, limits.lo, span, step);
  b.drawing.AddTextCenter(f.x1, f.y0 - b.TextHeight(kFontPhaseCaption) - 1.0,
                          b.difference ? kDifferenceMark + vr.caption : vr.caption,
                          b.Font(kFontPhaseCaption), b.Color(kFontPhaseCaption));
  DrawVerticalTicks(b, vr, f, s, Side::kRight, kFontPhaseLabels);
}

}  // namespace fernplot
