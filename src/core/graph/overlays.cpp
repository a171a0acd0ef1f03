// SPDX-License-Identifier: MIT
#include "graph/overlays.h"

#include <algorithm>
#include <cmath>
#include <limits>

#include "analysis/difference.h"
#include "analysis/sweep_points.h"
#include "graph/bode_stages.h"
#include "graph/curve_clip.h"
#include "graph/curve_thinning.h"
#include "graph/format.h"
#include "graph/free_space.h"
#include "graph/layout.h"
#include "text/number_text.h"

namespace fernplot {

namespace {

constexpr Colour kLegendOutline = 0xC2C2C2;

ChannelRatio RatioOf(const GraphProperties& p) {
  return p.calcType;
}

std::vector<RangePoint> ToRange(const std::vector<SweepPoint>& points) {
  std::vector<RangePoint> out;
  out.reserve(points.size());
  for (const SweepPoint& p : points) out.push_back(RangePoint{p.frequency, p.gain, p.phase});
  return out;
}

// The extremes of a record's points as AddExtremes takes them, in one tight
// pass: the traces of a page can hold half a million points.
void RecordExtremes(const std::vector<DataPoint>& points, bool ch1ch2, DataRange& range) {
  constexpr double kInf = std::numeric_limits<double>::infinity();
  double lo[3] = {kInf, kInf, kInf}, hi[3] = {-kInf, -kInf, -kInf};
  const auto widen = [](double v, double& low, double& high) {
    // Without branches: a non-finite value leaves both as they are.
    const bool finite = std::fabs(v) <= std::numeric_limits<double>::max();
    low = finite && v < low ? v : low;
    high = finite && v > high ? v : high;
  };
  if (ch1ch2) {
    for (const DataPoint& q : points) {
      widen(q.frequency, lo[0], hi[0]);
      widen(q.gainCh1Ch2, lo[1], hi[1]);
      widen(q.phaseCh1Ch2, lo[2], hi[2]);
    }
  } else {
    for (const DataPoint& q : points) {
      widen(q.frequency, lo[0], hi[0]);
      widen(q.gainCh2Ch1, lo[1], hi[1]);
      widen(q.phaseCh2Ch1, lo[2], hi[2]);
    }
  }
  for (int k = 0; k < 3; ++k) {
    if (lo[k] > hi[k]) continue;  // no finite value
    const double f[3] = {k == 0 ? lo[k] : NAN, k == 1 ? lo[k] : NAN, k == 2 ? lo[k] : NAN};
    const double g[3] = {k == 0 ? hi[k] : NAN, k == 1 ? hi[k] : NAN, k == 2 ? hi[k] : NAN};
    AddExtremes(range, f[0], f[1], f[2]);
    AddExtremes(range, g[0], g[1], g[2]);
  }
}

PenEntry CurvePen(Colour c, bool bold) {
  PenEntry e;
  e.screenWidth = 2;
  e.printWidth = bold ? 6 : 2;
  e.screenColor = e.printColor = c;
  return e;
}

PenEntry DashedPen(Colour c) {
  PenEntry e = CurvePen(c, false);
  e.screenStyle = 1;
  e.printDash = 1;
  return e;
}

}  // namespace

bool InDifferenceMode(const GraphPage& page) {
  return page.showDifference && page.referenceIndex >= 0 &&
         static_cast<size_t>(page.referenceIndex) < page.overlays.size();
}

std::vector<Colour> OverlayColours(const GraphProperties& props, size_t count) {
  std::vector<Colour> usable;
  for (Colour c : props.overlayStyle.palette) {
    if (c != props.gainLineColor && c != props.phaseLineColor) usable.push_back(c);
  }
  // A palette made only of the page's colours still has to draw something.
  if (usable.empty())
    usable.assign(props.overlayStyle.palette.begin(), props.overlayStyle.palette.end());
  std::vector<Colour> out;
  out.reserve(count);
  for (size_t i = 0; i < count; ++i) out.push_back(usable[i % usable.size()]);
  return out;
}

namespace {

std::vector<RangePoint> OwnPoints(const MeasurementData& data, ChannelRatio ratio) {
  std::vector<RangePoint> own;
  if (!data.points) return own;
  own.reserve(data.points->size());
  const bool ch1ch2 = ratio == ChannelRatio::kCh1Ch2;
  for (const DataPoint& q : *data.points) {
    own.push_back(RangePoint{q.frequency, ch1ch2 ? q.gainCh1Ch2 : q.gainCh2Ch1,
                             ch1ch2 ? q.phaseCh1Ch2 : q.phaseCh2Ch1});
  }
  return own;
}

// copyOwn: a trace that shows its own points gets a copy of them; otherwise
// it refers to its record.
}  // namespace

std::vector<TraceCurve> PageTraceCurves(const GraphPage& page, bool copyOwn) {
  std::vector<TraceCurve> traces;
  if (page.overlays.empty()) return traces;
  const GraphProperties& p = page.properties;
  const ChannelRatio ratio = RatioOf(p);
  const bool difference = InDifferenceMode(page);
  std::vector<UsablePoint> reference;
  if (difference) {
    const OverlayTrace& ref = page.overlays[static_cast<size_t>(page.referenceIndex)];
    reference = UsablePoints(RatioPoints(ref.data, ratio));
  }
  auto fill = [&](TraceCurve& t, const MeasurementData& data) {
    if (difference) {
      t.points = ToRange(DifferencePoints(RatioPoints(data, ratio), reference));
    } else if (copyOwn) {
      t.points = OwnPoints(data, ratio);
    } else {
      t.record = &data;
    }
  };
  traces.reserve(page.overlays.size() + 1);

  TraceCurve pageTrace;
  // A trace of a file of several traces goes by its own name.
  pageTrace.name = ShownName(page.data.imported ? page.data.imported->legendName : page.fileName);
  pageTrace.role = difference ? TraceRole::kDifference : TraceRole::kPage;
  pageTrace.colour = p.gainLineColor;
  pageTrace.gainPen = CurvePen(p.gainLineColor, p.gainLineBoldOnPrint != 0);
  pageTrace.phasePen = CurvePen(p.phaseLineColor, p.phaseLineBoldOnPrint != 0);
  fill(pageTrace, page.data);
  traces.push_back(std::move(pageTrace));

  const std::vector<Colour> colours = OverlayColours(p, page.overlays.size());
  for (size_t i = 0; i < page.overlays.size(); ++i) {
    TraceCurve t;
    t.name = ShownName(page.overlays[i].fileName);
    t.role =
        static_cast<int>(i) == page.referenceIndex ? TraceRole::kReference : TraceRole::kOverlay;
    t.colour = colours[i];
    t.gainPen = page.overlays[i].dashed ? DashedPen(colours[i]) : CurvePen(colours[i], false);
    t.phasePen = DashedPen(colours[i]);
    fill(t, page.overlays[i].data);
    traces.push_back(std::move(t));
  }
  return traces;
}

std::vector<TraceCurve> PageTraces(const GraphPage& page) {
  return PageTraceCurves(page, true);
}

std::string DifferenceCsvText(const GraphPage& page) {
  std::string text;
  if (!InDifferenceMode(page)) return text;
  const ChannelRatio ratio = RatioOf(page.properties);
  const OverlayTrace& ref = page.overlays[static_cast<size_t>(page.referenceIndex)];
  const std::vector<SweepPoint> points =
      DifferencePoints(RatioPoints(page.data, ratio), UsablePoints(RatioPoints(ref.data, ratio)));
  text.reserve(points.size() * 40);
  for (const SweepPoint& p : points) {
    text += FormatFixedPoint(p.frequency, 6);
    text += " , ";
    text += FormatFixedPoint(p.gain, 6);
    text += " , ";
    text += FormatFixedPoint(p.phase, 6);
    text += "\r\n";
  }
  return text;
}

LegendPlan PlanLegend(const std::vector<double>& nameWidths, double textHeight, double frameLeft,
                      double frameTop, double frameRight) {
  LegendPlan plan;
  const double left = frameLeft + kLegendInset;
  const double right = frameRight - kLegendInset;
  const double rowHeight = textHeight + kTextLineGap;
  double x = left + kLegendGap;
  double y = frameTop + kLegendInset + kTextLineGap;
  double widest = x;
  for (double w : nameWidths) {
    const double width = kLegendLine + kLegendGap + w;
    // A row holds at least one entry, however long its name.
    if (x > left + kLegendGap && x + width > right - kLegendGap) {
      x = left + kLegendGap;
      y += rowHeight;
    }
    plan.entries.push_back(
        {x, x + kLegendLine, y + textHeight / 2.0, x + kLegendLine + kLegendGap, y});
    widest = std::max(widest, x + width);
    x += width + kLegendSpacing;
  }
  plan.x0 = left;
  plan.y0 = frameTop + kLegendInset;
  plan.x1 = std::min(widest + kLegendGap, right);
  plan.y1 = y + rowHeight;
  return plan;
}

int AddPen(DrawingDocument& d, const PenEntry& e) {
  return d.FindOrAddPen(e.screenStyle, e.screenWidth, e.screenColor, e.printDash, e.printWidth,
                        e.printColor);
}

void MergeOverlayExtremes(const GraphPage& page, const std::vector<TraceCurve>& traces,
                          DataRange& range) {
  const bool ch1ch2 = page.properties.calcType == ChannelRatio::kCh1Ch2;
  for (size_t i = 1; i < traces.size(); ++i) {
    DataRange own;
    const TraceCurve& t = traces[i];
    if (t.record) {
      if (t.record->points) RecordExtremes(*t.record->points, ch1ch2, own);
    } else {
      for (const RangePoint& q : t.points) AddExtremes(own, q.frequency, q.gain, q.phase);
    }
    MergeExtremes(range, own);
  }
}

void DrawOverlayCurves(const BodeStages& b, DrawingDocument& d) {
  const std::vector<TraceCurve>& traces = b.traces.traces;
  for (size_t i = 1; i < traces.size(); ++i) {
    const TraceCurve& t = traces[i];
    TracePieces pieces = OverlayTracePieces(b, i);
    const int gainPen = AddPen(d, t.gainPen);
    for (CurvePiece& piece : pieces.gain) {
      d.AddPolyline(gainPen, std::move(piece.x), std::move(piece.y));
    }
    const int phasePen = AddPen(d, t.phasePen);
    for (CurvePiece& piece : pieces.phase) {
      d.AddPolyline(phasePen, std::move(piece.x), std::move(piece.y));
    }
  }
}

void DrawLegend(const BodeStages& b, DrawingDocument& d) {
  const GraphProperties& p = b.props();
  const std::vector<TraceCurve>& traces = b.traces.traces;
  if (traces.empty() || !p.overlayStyle.legend) return;
  const std::optional<LegendPlan> placed = PlaceLegend(b, DrawnCurves(b));
  if (!placed) return;
  const LegendPlan& plan = *placed;
  const int outline = d.FindOrAddPen(0, 1, kLegendOutline, 0, 0, kLegendOutline);
  const int fill = d.FindOrAddBrush(-1, p.backgroundColor);
  d.AddFilledRect(outline, fill, 0, plan.x0, plan.y0, plan.x1, plan.y1);
  for (size_t i = 0; i < traces.size(); ++i) {
    const LegendEntryPlace& e = plan.entries[i];
    d.AddLine(AddPen(d, traces[i].gainPen), e.lineX0, e.lineY, e.lineX1, e.lineY);
    d.AddTextLeft(e.textX, e.textY, traces[i].name, b.text.Font(kFontFreqLabels),
                  b.text.Color(kFontFreqLabels));
  }
}

}  // namespace fernplot
