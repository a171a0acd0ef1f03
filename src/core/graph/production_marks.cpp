// SPDX-License-Identifier: MIT
#include "graph/production_marks.h"

#include <algorithm>
#include <cmath>
#include <limits>

#include "analysis/summary_table.h"
#include "graph/page_figures.h"
#include "graph/page_impedance.h"

namespace fernplot {

namespace {

constexpr int kNoPen = 5;
constexpr int kDiagonalHatch = 3;
// Steps a sloped limit's hatching and a limit line on a linear axis are
// drawn in.
constexpr int kLimitSteps = 48;
// The widest slice a band is filled with between two frequencies.
constexpr double kSliceMm = 0.5;

struct Mapper {
  const PageLayout& L;
  const AxisMap& vertical;
  double X(double f) const {
    return std::clamp(L.frequency.ToMm(f), L.frequency.edge + L.frequency.margin, L.frame.right);
  }
  double Y(double v) const { return std::clamp(vertical.ToMm(v), L.frame.top, L.frame.bottom); }
  bool Usable(double f, double v) const {
    return std::isfinite(v) && std::isfinite(L.frequency.ToMm(f)) &&
           std::isfinite(vertical.ToMm(v));
  }
};

// A band between `low` and `high`, filled as a strip of rectangles, one per
// step between neighbouring frequencies.
void FillBand(DrawingDocument& d, const Mapper& m, const std::vector<double>& f,
              const std::vector<double>& low, const std::vector<double>& high, double shift,
              const std::vector<double>& shifts, int brush) {
  const int pen = d.FindOrAddPen(kNoPen, 0, 0, kNoPen, 0, 0);
  for (size_t i = 0; i + 1 < f.size(); ++i) {
    const double sa = shifts.empty() ? shift : shifts[i];
    const double sb = shifts.empty() ? shift : shifts[i + 1];
    if (!m.Usable(f[i], low[i]) || !m.Usable(f[i + 1], low[i + 1]) || !m.Usable(f[i], high[i]) ||
        !m.Usable(f[i + 1], high[i + 1])) {
      continue;
    }
    const double x0 = m.X(f[i]);
    const double x1 = m.X(f[i + 1]);
    if (!(x1 > x0)) continue;
    const double la = m.Y(low[i] + sa), lb = m.Y(low[i + 1] + sb);
    const double ha = m.Y(high[i] + sa), hb = m.Y(high[i + 1] + sb);
    // Thin slices follow a coarse sweep's slopes instead of stepping.
    const int slices = std::clamp(static_cast<int>(std::ceil((x1 - x0) / kSliceMm)), 1, 64);
    for (int k = 0; k < slices; ++k) {
      const double t0 = static_cast<double>(k) / slices;
      const double t1 = static_cast<double>(k + 1) / slices;
      const double y0 = std::min(
          {la + t0 * (lb - la), la + t1 * (lb - la), ha + t0 * (hb - ha), ha + t1 * (hb - ha)});
      const double y1 = std::max(
          {la + t0 * (lb - la), la + t1 * (lb - la), ha + t0 * (hb - ha), ha + t1 * (hb - ha)});
      d.AddFilledRect(pen, brush, 0, x0 + t0 * (x1 - x0), y0, x0 + t1 * (x1 - x0), y1);
    }
  }
}

// Whether the right axis shows a phase, and the mean phase on it.
bool ShowsPhase(const GraphProperties& p) {
  return p.rightAxis == kRightPhase || p.rightAxis == kRightUnwrappedPhase;
}

void DrawBandLegend(const BodeStages& b, DrawingDocument& d, const LotBands& bands) {
  const FrameRect& f = b.geometry().frame;
  const int font = b.text.Font(kFontOther);
  const double h = b.text.Height(kFontOther);
  const double swatch = 6.0;
  const std::string labels[] = {"mean", bands.bandLabel, "min/max"};
  double width = 0.0;
  for (const std::string& s : labels) width = std::max(width, d.TextWidthMm(font, s));
  const double x = f.right - 3.0 - width - swatch - 1.5;
  double y = f.top + 2.0;
  const int noPen = d.FindOrAddPen(kNoPen, 0, 0, kNoPen, 0, 0);
  const Colour gain = b.props().gainLineColor;
  d.AddLine(d.FindOrAddPen(0, 2, gain, 0, 2, gain), x, y + h / 2.0, x + swatch, y + h / 2.0);
  d.AddTextLeft(x + swatch + 1.5, y, labels[0], font, b.text.Color(kFontOther));
  y += h * 1.3;
  d.AddFilledRect(noPen, d.FindOrAddBrush(-1, kBandColour), 0, x, y + h * 0.15, x + swatch,
                  y + h * 0.85);
  d.AddTextLeft(x + swatch + 1.5, y, labels[1], font, b.text.Color(kFontOther));
  y += h * 1.3;
  d.AddFilledRect(noPen, d.FindOrAddBrush(-1, kEnvelopeColour), 0, x, y + h * 0.15, x + swatch,
                  y + h * 0.85);
  d.AddTextLeft(x + swatch + 1.5, y, labels[2], font, b.text.Color(kFontOther));
}

// The value of the rule's quantity on the page's curve as drawn.
double Shown(const GraphProperties& p, const MaskRule& rule, const CurveReading& r) {
  if (rule.kind == MaskRuleKind::kGain) return r.gain;
  return p.rightAxis == kRightPhase ? r.phase : r.unwrapped;
}

}  // namespace

MaskVerdict JudgePage(const LimitMask& mask, const GraphPage& shown, const GraphPage& figuresPage) {
  std::vector<UsablePoint> points = PageUsablePoints(shown);
  // An impedance's GAIN rules are limits on |Z| in ohms.
  const bool ohms = ShowsOhms(shown);
  if (ohms) {
    for (UsablePoint& p : points) p.gain = std::pow(10.0, p.gain / 20.0);
  }
  MaskVerdict verdict = JudgeMask(mask, points, MaskFigureValues(PageFigures(figuresPage)));
  verdict.ohms = ohms;
  return verdict;
}

void MarkMask(GraphPage& page, std::shared_ptr<const LimitMask> mask) {
  auto production = page.production ? std::make_shared<PageProduction>(*page.production)
                                    : std::make_shared<PageProduction>();
  if (mask) {
    // Judged on the curve it shows (T or S of a loop), its figures L's.
    std::unique_ptr<GraphPage> holder;
    MaskVerdict verdict = JudgePage(*mask, ShownPage(page, holder), page);
    production->mask =
        std::make_shared<const MaskMarks>(MaskMarks{std::move(mask), std::move(verdict)});
  } else {
    production->mask.reset();
  }
  if (!production->mask && !production->bands) {
    page.production.reset();
  } else {
    page.production = std::move(production);
  }
}

const MaskVerdict* PageVerdict(const GraphPage& page) {
  if (!page.production || !page.production->mask) return nullptr;
  return &page.production->mask->verdict;
}

std::shared_ptr<LotBands> LotBandsOf(const std::vector<FrequencyRow>& rows, double k) {
  constexpr double kNaN = std::numeric_limits<double>::quiet_NaN();
  auto bands = std::make_shared<LotBands>();
  bands->bandLabel = "\u00B1" + FullPrecision(k) + "\u03C3";
  const auto v = [](const std::optional<double>& x) { return x ? *x : kNaN; };
  for (const FrequencyRow& r : rows) {
    bands->frequency.push_back(r.frequency);
    bands->meanDb.push_back(v(r.meanDb));
    bands->minDb.push_back(v(r.minDb));
    bands->maxDb.push_back(v(r.maxDb));
    bands->meanDeg.push_back(v(r.meanDeg));
    bands->minDeg.push_back(v(r.minDeg));
    bands->maxDeg.push_back(v(r.maxDeg));
    bands->lowDb.push_back(r.stdDb ? *r.meanDb - k * *r.stdDb : kNaN);
    bands->highDb.push_back(r.stdDb ? *r.meanDb + k * *r.stdDb : kNaN);
    bands->lowDeg.push_back(r.stdDeg ? *r.meanDeg - k * *r.stdDeg : kNaN);
    bands->highDeg.push_back(r.stdDeg ? *r.meanDeg + k * *r.stdDeg : kNaN);
  }
  return bands;
}

MeasurementData MeanRecord(const MeasurementData& like, const std::vector<FrequencyRow>& rows) {
  MeasurementData data = like;
  std::vector<DataPoint> points;
  for (const FrequencyRow& r : rows) {
    if (r.n == 0) continue;
    const auto gain = static_cast<float>(*r.meanDb);
    const auto phase = static_cast<float>(WrapDegrees(*r.meanDeg));
    points.push_back({r.frequency, gain, gain, phase, phase});
  }
  // The record holds its points in the reverse of the sweep's order.
  data.points = std::vector<DataPoint>(points.rbegin(), points.rend());
  data.pointCount = static_cast<uint16_t>(std::min<size_t>(points.size(), 65535));
  data.imported.reset();
  return data;
}

void DrawLotBands(const BodeStages& b, DrawingDocument& d) {
  if (!b.page.production || !b.page.production->bands) return;
  const LotBands& bands = *b.page.production->bands;
  const PageLayout& L = b.geometry();
  const Mapper gain{L, L.gain};
  const int envelope = d.FindOrAddBrush(-1, kEnvelopeColour);
  const int band = d.FindOrAddBrush(-1, kBandColour);
  FillBand(d, gain, bands.frequency, bands.minDb, bands.maxDb, 0.0, {}, envelope);
  FillBand(d, gain, bands.frequency, bands.lowDb, bands.highDb, 0.0, {}, band);
  if (ShowsPhase(b.props())) {
    // On a wrapped phase axis the band moves with the mean's wrapping.
    std::vector<double> shifts;
    if (b.props().rightAxis == kRightPhase) {
      for (double m : bands.meanDeg) shifts.push_back(std::isfinite(m) ? WrapDegrees(m) - m : 0.0);
    }
    const Mapper phase{L, L.right};
    FillBand(d, phase, bands.frequency, bands.minDeg, bands.maxDeg, 0.0, shifts, envelope);
    FillBand(d, phase, bands.frequency, bands.lowDeg, bands.highDeg, 0.0, shifts, band);
  }
  DrawBandLegend(b, d, bands);
}

void DrawMaskMarks(const BodeStages& b, DrawingDocument& d) {
  if (!b.page.production || !b.page.production->mask) return;
  const MaskMarks& marks = *b.page.production->mask;
  if (!marks.mask) return;
  const GraphProperties& p = b.props();
  const PageLayout& L = b.geometry();
  const int linePen = d.FindOrAddPen(0, 2, kMaskLimitColour, 0, 3, kMaskLimitColour);
  // Phase limits dashed: they are read on the right axis.
  const int phasePen = d.FindOrAddPen(1, 1, kMaskLimitColour, 1, 3, kMaskLimitColour);
  const int noPen = d.FindOrAddPen(kNoPen, 0, 0, kNoPen, 0, 0);
  const int hatch = d.FindOrAddBrush(kDiagonalHatch, kMaskHatchColour);
  const std::vector<UsablePoint> points = PageUsablePoints(b.page);
  const bool ohms = ShowsOhms(b.page);
  constexpr double kNoValue = std::numeric_limits<double>::quiet_NaN();
  for (size_t i = 0; i < marks.mask->rules.size(); ++i) {
    const MaskRule& rule = marks.mask->rules[i];
    if (rule.kind == MaskRuleKind::kFigure) continue;
    if (rule.kind == MaskRuleKind::kPhase && !ShowsPhase(p)) continue;
    const Mapper m{L, rule.kind == MaskRuleKind::kGain ? L.gain : L.right};
    // The limit runs straight in log f: sampled, it is straight on a log
    // axis and follows the curve it makes on a linear one.
    std::vector<double> xs, ys;
    const double l1 = std::log10(rule.f1);
    const double l2 = std::log10(rule.f2);
    for (int k = 0; k <= kLimitSteps; ++k) {
      const double f = std::pow(10.0, l1 + (l2 - l1) * k / kLimitSteps);
      double v = MaskLimitAt(rule, f);
      // An impedance's limit in ohms, on its axis of 20 log10 |Z/1 Ω|.
      if (ohms && rule.kind == MaskRuleKind::kGain) v = v > 0.0 ? 20.0 * std::log10(v) : kNoValue;
      if (!m.Usable(f, v)) continue;
      xs.push_back(m.X(f));
      ys.push_back(m.Y(v));
    }
    // The forbidden side, lightly hatched: above a MAX, below a MIN.
    const double edge = rule.bound == MaskBound::kMax ? L.frame.top : L.frame.bottom;
    for (size_t k = 0; k + 1 < xs.size(); ++k) {
      const double y = (ys[k] + ys[k + 1]) / 2.0;
      if (xs[k + 1] > xs[k]) {
        d.AddFilledRect(noPen, hatch, 0, xs[k], std::min(y, edge), xs[k + 1], std::max(y, edge));
      }
    }
    if (xs.size() >= 2) {
      d.AddPolyline(rule.kind == MaskRuleKind::kGain ? linePen : phasePen, std::move(xs),
                    std::move(ys));
    }
    // The stretches where the curve is outside the limit.
    if (i >= marks.verdict.rules.size()) continue;
    for (const FrequencyStretch& s : marks.verdict.rules[i].failing) {
      std::vector<double> fx, fy;
      const auto put = [&](double f, double v) {
        if (!m.Usable(f, v)) return;
        fx.push_back(m.X(f));
        fy.push_back(m.Y(v));
      };
      if (const auto r = InterpolateAt(points, s.from)) put(s.from, Shown(p, rule, *r));
      auto k = std::upper_bound(points.begin(), points.end(), s.from,
                                [](double f, const UsablePoint& q) { return f < q.frequency; });
      for (; k != points.end() && k->frequency < s.to; ++k) {
        put(k->frequency, rule.kind == MaskRuleKind::kGain
                              ? k->gain
                              : (p.rightAxis == kRightPhase ? k->phase : k->unwrapped));
      }
      if (const auto r = InterpolateAt(points, s.to)) put(s.to, Shown(p, rule, *r));
      if (fx.size() == 1) {  // a single frequency: a short mark
        fx.push_back(fx[0] + 0.3);
        fy.push_back(fy[0]);
      }
      // The pen only where something fails: a passing page's tables stay.
      if (fx.size() >= 2) {
        d.AddPolyline(d.FindOrAddPen(0, 4, kMaskFailColour, 0, 8, kMaskFailColour), std::move(fx),
                      std::move(fy));
      }
    }
  }
}

}  // namespace fernplot
