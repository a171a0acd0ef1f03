// SPDX-License-Identifier: MIT
#include "graph/layout.h"

#include <algorithm>
#include <cmath>
#include <string_view>

#include "cpu/vector_state.h"
#include "graph/axes.h"
#include "graph/axis_map.h"
#include "graph/axis_math.h"
#include "graph/info_items.h"
#include "graph/page_builder.h"

namespace fernplot {

void LayoutPage(PageBuilder& b) {
  GraphProperties& p = b.props();
  auto h = [&b](int category) { return b.TextHeight(category); };

  p.pageLeft = 0.0;
  const double x0 = p.pageLeft + kFrameSideSpace;
  const double x1 = x0 + std::max(p.HT.length, p.HB.length);
  p.pageRight = x1 + kFrameSideSpace;

  p.pageTop = 0.0;
  InfoCursor cursor;
  cursor.flags = 0;
  cursor.leftX = p.pageLeft + kInfoInset;
  cursor.x = cursor.leftX;
  cursor.rightX = p.pageRight - kInfoInset;
  cursor.y = p.pageTop + kFirstInfoLineTop;
  PlaceHeaderItems(b, cursor);

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
  PlaceLowerItems(b, cursor);
  if (cursor.x != cursor.leftX || cursor.y != settingsTop) {
    cursor.y += h(kFontOther) + kTextLineGap + kSpaceUnderSettings;
  }
  p.pageBottom = cursor.y + kPageBottomMargin;

  for (AxisSettings* axis : {&p.HT, &p.HB, &p.VL, &p.VR}) {
    axis->frameLeft = x0;
    axis->frameTop = y0;
    axis->frameRight = x1;
    axis->frameBottom = y1;
  }
}

std::vector<CurvePiece> CurvePieces(const std::vector<RangePoint>& points, CurveValue which,
                                    const AxisSettings& hb, const AxisSettings& vertical) {
  // A log10 per point on a log axis; text measurement ran just before.
  ClearUpperVectorState();
  const AxisMap xMap = FrequencyAxisMap(hb);
  const AxisMap yMap = VerticalAxisMap(vertical);
  const double xMin = hb.frameLeft + hb.margin1;
  const double xMax = hb.frameRight;
  const double yMin = vertical.frameTop;
  const double yMax = vertical.frameBottom;

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
void BothCurvePieces(const std::vector<RangePoint>& points, const AxisSettings& hb,
                     const AxisSettings& vl, const AxisSettings& vr, std::vector<CurvePiece>& gain,
                     std::vector<CurvePiece>& phase) {
  const AxisMap xMap = FrequencyAxisMap(hb);
  const AxisMap gainMap = VerticalAxisMap(vl);
  const AxisMap phaseMap = VerticalAxisMap(vr);
  const double xMin = hb.frameLeft + hb.margin1;
  const double xMax = hb.frameRight;
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
    const auto put = [&](std::vector<CurvePiece>& pieces, double v, const AxisMap& map,
                         const AxisSettings& axis) {
      const double Y = map.ToMm(v);
      if (!xUsable || std::isnan(Y) || !std::isfinite(v)) {
        if (!pieces.back().x.empty()) pieces.emplace_back();
        return;
      }
      pieces.back().x.push_back(x);
      pieces.back().y.push_back(std::min(std::max(Y, axis.frameTop), axis.frameBottom));
    };
    put(gain, p.gain, gainMap, vl);
    put(phase, p.phase, phaseMap, vr);
  }
  for (std::vector<CurvePiece>* c : {&gain, &phase}) {
    if (c->size() > 1 && c->back().x.empty()) c->pop_back();
  }
}

void DrawCurves(PageBuilder& b) {
  const GraphProperties& p = b.props();
  std::vector<CurvePiece> gain, phase;
  if (b.rightCurves.empty()) {
    BothCurvePieces(b.range.points, p.HB, p.VL, p.VR, gain, phase);
  } else {
    // The right axis shows another quantity, worked out from these points.
    gain = CurvePieces(b.range.points, CurveValue::kGain, p.HB, p.VL);
    phase = CurvePieces(b.rightCurves.front(), CurveValue::kPhase, p.HB, p.VR);
  }
  const int gainPen = b.drawing.FindOrAddPen(0, 2, p.gainLineColor, 0,
                                             p.gainLineBoldOnPrint != 0 ? 6 : 2, p.gainLineColor);
  for (CurvePiece& piece : gain) {
    b.drawing.AddPolyline(gainPen, std::move(piece.x), std::move(piece.y));
  }
  const int phasePen = b.drawing.FindOrAddPen(
      0, 2, p.phaseLineColor, 0, p.phaseLineBoldOnPrint != 0 ? 6 : 2, p.phaseLineColor);
  for (CurvePiece& piece : phase) {
    b.drawing.AddPolyline(phasePen, std::move(piece.x), std::move(piece.y));
  }
}

}  // namespace

void DrawPage(PageBuilder& b) {
  GraphProperties& p = b.props();
  DrawingDocument& d = b.drawing;
  const double x0 = p.HB.frameLeft, y0 = p.HB.frameTop;
  const double x1 = p.HB.frameRight, y1 = p.HB.frameBottom;

  const int outlinePen = d.FindOrAddPen(0, 1, 0, 0, 2, 0);
  d.AddRectOutline(outlinePen, 0.0, 0.0, p.pageRight, p.pageBottom);

  const int creditFont = d.FindOrAddFont(kCharsetAnsi, kCreditFace, kCreditSize, 0, 400);
  d.AddTextLeft(kCreditX, p.pageBottom + kCreditBelowPage, kCreditLine, creditFont, 0);

  const int framePen = d.FindOrAddPen(0, 2, 0, 0, 2, 0);
  const int background = d.FindOrAddBrush(-1, p.backgroundColor);
  d.AddFilledRect(framePen, background, 0, x0, y0, x1, y1);

  const std::string title = p.title == kFactoryGraphTitle
                                ? Translate(d.Translator(), "Page", kFactoryGraphTitle)
                                : p.title;
  d.AddTextCenter((x0 + x1) / 2.0, y0 - kTitleAboveFrame - b.TextHeight(kFontGraphTitle), title,
                  b.Font(kFontGraphTitle), b.Color(kFontGraphTitle));

  DrawFrequencyAxis(b);
  DrawGainAxis(b);
  DrawPhaseAxis(b);

  d.AddRectOutline(framePen, x0, y0, x1, y1);

  if (!b.traces.empty()) DrawOverlayCurves(b);
  DrawCurves(b);

  // A file that read but gave nothing to plot says so, rather than leaving
  // an empty frame that looks like a drawing fault.
  if (!HasUsablePoint(b.range)) {
    d.AddTextCenter((x0 + x1) / 2.0, (y0 + y1) / 2.0 - b.TextHeight(kFontGraphTitle) / 2.0,
                    Translate(d.Translator(), "Page", kNoDataLine), b.Font(kFontGraphTitle),
                    b.Color(kFontGraphTitle));
  }
  if (!b.traces.empty()) DrawLegend(b);
}

}  // namespace fernplot
