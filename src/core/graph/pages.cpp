// SPDX-License-Identifier: MIT
#include "graph/pages.h"

#include <cmath>
#include <numbers>

#include "graph/drawing.h"
#include "graph/overlays.h"
#include "graph/page_figures.h"
#include "graph/page_impedance.h"
#include "text/number_text.h"

namespace fernplot {

GraphPage* PageForSheet(PageList& pages, int k) {
  if (k < 1 || static_cast<size_t>(k) > pages.size()) return nullptr;
  return pages[static_cast<size_t>(k - 1)].get();
}

namespace {

void AddCsvRow(std::string& text, double frequency, double ohms, double degrees) {
  text += FormatFixedPoint(frequency, 6);
  text += " , ";
  text += FormatFixedPoint(ohms, 6);
  text += " , ";
  text += FormatFixedPoint(degrees, 6);
  text += "\r\n";
}

// An impedance page lists f, |Z| in ohms and θ: the values as read, or
// R·|H| and the phase of each point of a page measured through a shunt.
std::string ImpedanceCsvText(const GraphPage& page) {
  std::string text;
  if (HoldsImpedance(page)) {
    const ComplexSweep& sweep = *page.data.imported->sweep;
    for (size_t i = 0; i < sweep.frequency.size(); ++i) {
      AddCsvRow(text, sweep.frequency[i], std::abs(sweep.response[i]),
                std::arg(sweep.response[i]) * (180.0 / std::numbers::pi));
    }
    return text;
  }
  if (!page.data.points) return text;
  const double r = page.shuntShown ? 1.0 : page.properties.shuntOhms;
  const bool ch2 = page.properties.calcType == ChannelRatio::kCh2Ch1;
  for (const DataPoint& p : *page.data.points) {
    const double gain = ch2 ? p.gainCh2Ch1 : p.gainCh1Ch2;
    AddCsvRow(text, p.frequency, r * std::pow(10.0, gain / 20.0), ch2 ? p.phaseCh2Ch1 : p.phaseCh1Ch2);
  }
  return text;
}

}  // namespace

std::string PageCsvText(const GraphPage& page) {
  if (InDifferenceMode(page)) return DifferenceCsvText(page);
  if (ShowsOhms(page)) return ImpedanceCsvText(page);
  return CalculatedDataCsvText(page.data, page.properties.calcType == ChannelRatio::kCh2Ch1);
}

CsvResult WritePageCsv(const PageList& pages, int k, const std::string& path) {
  if (k < 1 || static_cast<size_t>(k) > pages.size() || !pages[static_cast<size_t>(k) - 1]) {
    return {false, "no page " + std::to_string(k)};
  }
  // A page showing the closed loop or the sensitivity lists those points.
  std::unique_ptr<GraphPage> shown;
  return WriteFileAtomically(path,
                             PageCsvText(ShownPage(*pages[static_cast<size_t>(k) - 1], shown)));
}

namespace {
void Widen(bool& seen, double& lo, double& hi, double v) {
  if (!std::isfinite(v)) return;
  if (!seen) {
    lo = hi = v;
    seen = true;
    return;
  }
  if (v < lo) lo = v;
  if (v > hi) hi = v;
}
}  // namespace

void AddExtremes(DataRange& range, double frequency, double gain, double phase) {
  Widen(range.hasFrequency, range.minFrequency, range.maxFrequency, frequency);
  Widen(range.hasGain, range.minGain, range.maxGain, gain);
  Widen(range.hasPhase, range.minPhase, range.maxPhase, phase);
}

void AddDataPoint(DataRange& range, double frequency, double gain, double phase) {
  ++range.count;
  AddExtremes(range, frequency, gain, phase);
  range.points.push_back(RangePoint{frequency, gain, phase});
}

void ScanPageData(const GraphPage& page, DataRange& range) {
  if (!page.data.points) return;
  const bool ch1ch2 = page.properties.calcType == ChannelRatio::kCh1Ch2;
  range.points.reserve(range.points.size() + page.data.points->size());
  for (const DataPoint& p : *page.data.points) {
    AddDataPoint(range, p.frequency, ch1ch2 ? p.gainCh1Ch2 : p.gainCh2Ch1,
                 ch1ch2 ? p.phaseCh1Ch2 : p.phaseCh2Ch1);
  }
}

void MergeExtremes(DataRange& into, const DataRange& from) {
  if (from.hasFrequency) {
    Widen(into.hasFrequency, into.minFrequency, into.maxFrequency, from.minFrequency);
    Widen(into.hasFrequency, into.minFrequency, into.maxFrequency, from.maxFrequency);
  }
  if (from.hasGain) {
    Widen(into.hasGain, into.minGain, into.maxGain, from.minGain);
    Widen(into.hasGain, into.minGain, into.maxGain, from.maxGain);
  }
  if (from.hasPhase) {
    Widen(into.hasPhase, into.minPhase, into.maxPhase, from.minPhase);
    Widen(into.hasPhase, into.minPhase, into.maxPhase, from.maxPhase);
  }
}

void ResetDataRange(DataRange& range) {
  range.count = 0;
  range.points.clear();
}

PageFontIndex ResolvePageFonts(DrawingDocument& drawing, const GraphProperties& props) {
  PageFontIndex index{};
  for (int i = 0; i < kFontCategoryCount; ++i) {
    const FontSetting& f = props.fonts[static_cast<size_t>(i)];
    index[static_cast<size_t>(i)] = drawing.FindOrAddFont(
        f.ansiCharset ? kCharsetAnsi : kCharsetShiftJis, f.faceName, f.size, 0, f.bold ? 700 : 400);
  }
  return index;
}

}  // namespace fernplot
