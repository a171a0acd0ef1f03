// SPDX-License-Identifier: MIT
#include "graph/layout.h"

#include <algorithm>
#include <cmath>
#include <string_view>

#include "cpu/vector_state.h"
#include "graph/axes.h"
#include "graph/axis_map.h"
#include "graph/axis_math.h"
#include "graph/bode_stages.h"
#include "graph/curve_clip.h"
#include "graph/info_items.h"

namespace fernplot {

BodeLayout LayoutBodePage(const GraphPage& page, const PageText& text, const DataRange& ranges) {
  const GraphProperties& p = page.properties;
  auto h = [&text](int category) { return text.Height(category); };
  BodeLayout out;
  PageLayout& L = out.page;

  L.pageLeft = 0.0;
  // The captions are centred over the frame's sides. Those of the closed
  // loop or the sensitivity are long ("CLOSED LOOP GAIN [dB]"): the page
  // grows to hold them rather than cut them at its edge.
  double leftSpace = kFrameSideSpace, rightSpace = kFrameSideSpace;
  if (p.loopCurve != LoopCurve::kOpen) {
    leftSpace =
        std::max(leftSpace, text.Width(kFontGainCaption, p.VL.caption) / 2.0 + kCaptionEdgeGap);
    rightSpace =
        std::max(rightSpace, text.Width(kFontPhaseCaption, p.VR.caption) / 2.0 + kCaptionEdgeGap);
  }
  const double x0 = L.pageLeft + leftSpace;
  const double x1 = x0 + std::max(p.HT.length, p.HB.length);
  L.pageRight = x1 + rightSpace;

  L.pageTop = 0.0;
  InfoCursor cursor;
  cursor.flags = 0;
  cursor.leftX = L.pageLeft + kInfoInset;
  cursor.x = cursor.leftX;
  cursor.rightX = L.pageRight - kInfoInset;
  cursor.y = L.pageTop + kFirstInfoLineTop;
  PlaceHeaderItems(page, text, cursor, out.info);

  cursor.y += h(kFontGraphTitle) + kTextLineGap;
  const double captionHeight = p.fonts[kFontGainCaption].size > p.fonts[kFontPhaseCaption].size
                                   ? h(kFontGainCaption)
                                   : h(kFontPhaseCaption);
  const double y0 = cursor.y + captionHeight / 2.0 + kSpaceAboveFrame;
  const double y1 = y0 + std::max(p.VL.length, p.VR.length);

  // Room for the frequency scale labels and the caption under the frame.
  cursor.y = y1 + h(kFontFreqLabels) + kTextLineGap + h(kFontFreqCaption) + kTextLineGap +
             kSpaceAboveSettings;
  cursor.x = cursor.leftX;
  cursor.flags = 0;
  const double settingsTop = cursor.y;
  PlaceLowerItems(page, text, cursor, out.info);
  if (cursor.x != cursor.leftX || cursor.y != settingsTop) {
    cursor.y += h(kFontOther) + kTextLineGap + kSpaceUnderSettings;
  }
  L.pageBottom = cursor.y + kPageBottomMargin;
  L.frame = {x0, y0, x1, y1};

  out.scales = PlanBodeScales(page, text, ranges, L);
  return out;
}

std::vector<CurvePiece> CurvePieces(const std::vector<RangePoint>& points, CurveValue which,
                                    const AxisMap& xMap, const AxisMap& yMap,
                                    const FrameRect& frame) {
  // A log10 per point on a log axis; text measurement ran just before.
  ClearUpperVectorState();
  const double xMin = xMap.edge + xMap.margin;
  const double xMax = frame.right;
  const double yMin = frame.top;
  const double yMax = frame.bottom;

  std::vector<CurvePiece> pieces(1);
  pieces.back().x.reserve(points.size());
  pieces.back().y.reserve(points.size());
  for (const RangePoint& p : points) {
    const double v = which == CurveValue::kGain ? p.gain : p.phase;
    // 0 Hz on a log axis maps to minus infinity, which the clamp puts on the
    // left end of the axis; a negative frequency maps to NaN: it has no place
    // and breaks the curve.
    double X = xMap.ToMm(p.frequency);
    double Y = yMap.ToMm(v);
    if (std::isnan(X) || std::isnan(Y) || !std::isfinite(p.frequency) || !std::isfinite(v)) {
      if (!pieces.back().x.empty()) pieces.emplace_back();
      continue;
    }
    // std::clamp would misbehave on a frame narrower than its left margin.
    X = std::min(std::max(X, xMin), xMax);
    Y = std::min(std::max(Y, yMin), yMax);
    pieces.back().x.push_back(X);
    pieces.back().y.push_back(Y);
  }
  if (pieces.size() > 1 && pieces.back().x.empty()) pieces.pop_back();
  return pieces;
}

namespace {

constexpr const char* kNoDataLine = FERNPLOT_TEXT("Page", "データがありません");

// A point can be plotted when it has a finite frequency and a finite gain or
// phase.
bool HasUsablePoint(const DataRange& range) {
  return range.hasFrequency && (range.hasGain || range.hasPhase);
}

// Both curves of the page's points in one pass: each position on the
// frequency axis is worked out once. The points and their order are those
// CurvePieces gives for each curve alone.
void BothCurvePieces(const std::vector<RangePoint>& points, const PageLayout& L,
                     std::vector<CurvePiece>& gain, std::vector<CurvePiece>& phase) {
  const AxisMap& xMap = L.frequency;
  const AxisMap& gainMap = L.gain;
  const AxisMap& phaseMap = L.right;
  const double xMin = xMap.edge + xMap.margin;
  const double xMax = L.frame.right;
  gain.assign(1, {});
  phase.assign(1, {});
  for (std::vector<CurvePiece>* c : {&gain, &phase}) {
    c->back().x.reserve(points.size());
    c->back().y.reserve(points.size());
  }
  for (const RangePoint& p : points) {
    const double X = xMap.ToMm(p.frequency);
    // See CurvePieces: a point without a place breaks the curve.
    const bool xUsable = !std::isnan(X) && std::isfinite(p.frequency);
    const double x = std::min(std::max(X, xMin), xMax);
    const auto put = [&](std::vector<CurvePiece>& pieces, double v, const AxisMap& map) {
      const double Y = map.ToMm(v);
      if (!xUsable || std::isnan(Y) || !std::isfinite(v)) {
        if (!pieces.back().x.empty()) pieces.emplace_back();
        return;
      }
      pieces.back().x.push_back(x);
      pieces.back().y.push_back(std::min(std::max(Y, L.frame.top), L.frame.bottom));
    };
    put(gain, p.gain, gainMap);
    put(phase, p.phase, phaseMap);
  }
  for (std::vector<CurvePiece>* c : {&gain, &phase}) {
    if (c->size() > 1 && c->back().x.empty()) c->pop_back();
  }
}

}  // namespace

TracePieces PageTracePieces(const BodeStages& b) {
  const PageLayout& L = b.geometry();
  TracePieces t;
  // The right axis may show another quantity, worked out from these points.
  const std::vector<RangePoint>& right =
      b.traces.rightCurves.empty() ? b.traces.points : b.traces.rightCurves.front();
  if (b.page.rangeZoomed) {
    t.gain = ClippedCurvePieces(b.traces.points, CurveValue::kGain, L.frequency, L.gain, L.frame);
    t.phase = ClippedCurvePieces(right, CurveValue::kPhase, L.frequency, L.right, L.frame);
  } else if (b.traces.rightCurves.empty()) {
    BothCurvePieces(b.traces.points, L, t.gain, t.phase);
  } else {
    t.gain = CurvePieces(b.traces.points, CurveValue::kGain, L.frequency, L.gain, L.frame);
    t.phase = CurvePieces(right, CurveValue::kPhase, L.frequency, L.right, L.frame);
  }
  return t;
}

void DrawPageCurves(const BodeStages& b, DrawingDocument& d) {
  const GraphProperties& p = b.props();
  const PageLayout& L = b.geometry();
  TracePieces pieces = PageTracePieces(b);
  std::vector<CurvePiece>& gain = pieces.gain;
  std::vector<CurvePiece>& phase = pieces.phase;
  const int gainPen =
      d.FindOrAddPen(0, 2, p.gainLineColor, 0, p.gainLineBoldOnPrint != 0 ? 6 : 2, p.gainLineColor);
  for (CurvePiece& piece : gain) d.AddPolyline(gainPen, std::move(piece.x), std::move(piece.y));
  const int phasePen = d.FindOrAddPen(0, 2, p.phaseLineColor, 0,
                                      p.phaseLineBoldOnPrint != 0 ? 6 : 2, p.phaseLineColor);
  for (CurvePiece& piece : phase) d.AddPolyline(phasePen, std::move(piece.x), std::move(piece.y));

  // A file that read but gave nothing to plot says so, rather than leaving
  // an empty frame that looks like a drawing fault.
  if (!HasUsablePoint(b.ranges)) {
    const FrameRect& f = L.frame;
    d.AddTextCenter((f.left + f.right) / 2.0,
                    (f.top + f.bottom) / 2.0 - b.text.Height(kFontGraphTitle) / 2.0,
                    Translate(d.Translator(), "Page", kNoDataLine), b.text.Font(kFontGraphTitle),
                    b.text.Color(kFontGraphTitle));
  }
}

void DrawPageOutline(const BodeStages& b, DrawingDocument& d) {
  const int outlinePen = d.FindOrAddPen(0, 1, 0, 0, 2, 0);
  d.AddRectOutline(outlinePen, 0.0, 0.0, b.geometry().pageRight, b.geometry().pageBottom);
}

void DrawCreditLine(const BodeStages& b, DrawingDocument& d) {
  const int creditFont = d.FindOrAddFont(kCharsetAnsi, kCreditFace, kCreditSize, 0, 400);
  d.AddTextLeft(kCreditX, b.geometry().pageBottom + kCreditBelowPage, kCreditLine, creditFont, 0);
}

void DrawFrameAndTitle(const BodeStages& b, DrawingDocument& d) {
  const GraphProperties& p = b.props();
  const FrameRect& f = b.geometry().frame;
  const int framePen = d.FindOrAddPen(0, 2, 0, 0, 2, 0);
  const int background = d.FindOrAddBrush(-1, p.backgroundColor);
  d.AddFilledRect(framePen, background, 0, f.left, f.top, f.right, f.bottom);

  const std::string title = p.title == kFactoryGraphTitle
                                ? Translate(d.Translator(), "Page", kFactoryGraphTitle)
                                : p.title;
  d.AddTextCenter((f.left + f.right) / 2.0,
                  f.top - kTitleAboveFrame - b.text.Height(kFontGraphTitle), title,
                  b.text.Font(kFontGraphTitle), b.text.Color(kFontGraphTitle));
}

void DrawFrameOutline(const BodeStages& b, DrawingDocument& d) {
  const FrameRect& f = b.geometry().frame;
  d.AddRectOutline(d.FindOrAddPen(0, 2, 0, 0, 2, 0), f.left, f.top, f.right, f.bottom);
}

}  // namespace fernplot
