// SPDX-License-Identifier: MIT
#include "analysis/figures_text.h"

#include <algorithm>
#include <charconv>
#include <cmath>
#include <cstdlib>

#include "text/json_string.h"

namespace fernplot {

namespace {

// Every figure is finite; null guards the JSON should one ever not be.
std::string Number(double value) {
  if (!std::isfinite(value)) return "null";
  char buffer[32];
  const auto [end, ec] = std::to_chars(buffer, buffer + sizeof buffer, value);
  return ec == std::errc() ? std::string(buffer, end) : "null";
}

// Builds `{"key":value,...}`, or a document of one member a line in the
// exporter's other JSON outputs' layout (the comma opens the next line).
class Members {
 public:
  explicit Members(bool lines) : lines_(lines), out_(lines ? "{\n" : "{") {}
  Members& Add(std::string_view key, const std::string& value) {
    if (!first_) out_ += ',';
    first_ = false;
    out_ += JsonString(key);
    out_ += ':';
    out_ += value;
    if (lines_) out_ += '\n';
    return *this;
  }
  std::string Close() { return out_ + (lines_ ? "}\n" : "}"); }

 private:
  bool lines_;
  bool first_ = true;
  std::string out_;
};

std::string FrequencyGainJson(const std::optional<FrequencyGain>& fg) {
  if (!fg) return "null";
  return Members(false)
      .Add("frequencyHz", Number(fg->frequency))
      .Add("gainDb", Number(fg->gain))
      .Close();
}

template <typename T, typename F>
std::string ArrayOf(const std::vector<T>& items, F toJson) {
  std::string out = "[";
  for (size_t i = 0; i < items.size(); ++i) {
    if (i) out += ',';
    out += toJson(items[i]);
  }
  return out + ']';
}

std::string CrossingsJson(const std::vector<LevelCrossing>& crossings) {
  return ArrayOf(crossings, [](const LevelCrossing& c) {
    return Members(false)
        .Add("frequencyHz", Number(c.frequency))
        .Add("direction", c.direction == CrossingDirection::kFalling ? "\"falling\"" : "\"rising\"")
        .Close();
  });
}

std::string OptionalNumber(const std::optional<double>& value) {
  return value ? Number(*value) : "null";
}

}  // namespace

namespace {

// The members every figures document has, after its file and ratio.
void AddFigures(Members& top, const SweepFigures& fig) {
  top.Add("points", std::to_string(fig.points));
  top.Add("lowFrequencyGain", FrequencyGainJson(fig.lowFrequencyGain));
  top.Add("peak", FrequencyGainJson(fig.peak));
  top.Add("minus3dB", CrossingsJson(fig.minus3dB));
  top.Add("resonance", !fig.resonance
                           ? std::string("null")
                           : Members(false)
                                 .Add("frequencyHz", Number(fig.resonance->frequency))
                                 .Add("gainDb", Number(fig.resonance->gain))
                                 .Add("lowerHz", Number(fig.resonance->lower))
                                 .Add("upperHz", Number(fig.resonance->upper))
                                 .Add("q", Number(fig.resonance->q))
                                 .Add("fittedF0Hz", OptionalNumber(fig.resonance->fittedFrequency))
                                 .Add("fittedQ", OptionalNumber(fig.resonance->fittedQ))
                                 .Close());
  top.Add("marginReferenceDeg", std::to_string(MarginReferenceDegrees(fig.reference)));
  top.Add("gainCrossovers", ArrayOf(fig.gainCrossovers, [](const GainCrossover& c) {
            return Members(false)
                .Add("frequencyHz", Number(c.frequency))
                .Add("phaseDeg", Number(c.phase))
                .Add("phaseMarginDeg", Number(c.phaseMargin))
                .Close();
          }));
  top.Add("phaseCrossovers", ArrayOf(fig.phaseCrossovers, [](const PhaseCrossover& c) {
            return Members(false)
                .Add("frequencyHz", Number(c.frequency))
                .Add("gainDb", Number(c.gain))
                .Add("gainMarginDb", Number(c.gainMargin))
                .Close();
          }));
  top.Add("phaseMarginDeg", OptionalNumber(fig.phaseMargin));
  top.Add("gainMarginDb", OptionalNumber(fig.gainMargin));
  top.Add("modulusMargin", !fig.modulusMargin
                               ? std::string("null")
                               : Members(false)
                                     .Add("frequencyHz", Number(fig.modulusMargin->frequency))
                                     .Add("value", Number(fig.modulusMargin->value))
                                     .Close());
  top.Add("delayMargins", ArrayOf(fig.delayMargins, [](const DelayMargin& d) {
            return Members(false)
                .Add("frequencyHz", Number(d.frequency))
                .Add("seconds", Number(d.seconds))
                .Close();
          }));
  top.Add("delayMarginS", OptionalNumber(fig.delayMargin));
  top.Add("closedLoop",
          Members(false)
              .Add("lowFrequencyGain", FrequencyGainJson(fig.closedLoop.lowFrequencyGain))
              .Add("peak", FrequencyGainJson(fig.closedLoop.peak))
              .Add("minus3dB", CrossingsJson(fig.closedLoop.minus3dB))
              .Close());
}

}  // namespace

std::string FiguresJson(std::string_view fileName, ChannelRatio ratio, const SweepFigures& fig,
                        const ShownFigures* shown) {
  Members top(true);
  top.Add("file", JsonString(fileName));
  top.Add("ratio", ratio == ChannelRatio::kCh1Ch2 ? "\"ch1/ch2\"" : "\"ch2/ch1\"");
  AddFigures(top, fig);
  if (shown) {
    Members block(false);
    block.Add("curve", JsonString(shown->curve));
    AddFigures(block, shown->figures);
    top.Add("shown", block.Close());
  }
  return top.Close();
}

std::string ThreeDigits(double value, std::string_view unit) {
  if (!std::isfinite(value)) return std::isnan(value) ? "nan" : (value > 0 ? "inf" : "-inf");
  if (value == 0.0) value = 0.0;  // no "-0.00"
  char buffer[40];
  const auto [end, ec] =
      std::to_chars(buffer, buffer + sizeof buffer, value, std::chars_format::scientific, 2);
  const std::string sci(buffer, ec == std::errc() ? end : buffer);
  // "-d.dde+XX": the rounded digits and the exponent they carry.
  const size_t e = sci.find('e');
  if (e == std::string::npos) return sci;
  const bool negative = sci[0] == '-';
  const std::string digits = sci.substr(negative ? 1 : 0, 1) + sci.substr(negative ? 3 : 2, 2);
  const int exponent = std::atoi(sci.c_str() + e + 1);

  static constexpr const char* kPrefixes[] = {"p", "n", "u", "m", "", "k", "M", "G", "T"};
  int shift = exponent;  // digits after the first that stand before the point
  std::string prefix;
  if (!unit.empty()) {
    const int group = (exponent >= 0 ? exponent : exponent - 2) / 3;  // floor(exponent / 3)
    if (group < -4 || group > 4) return sci + " " + std::string(unit);
    prefix = kPrefixes[group + 4];
    shift = exponent - 3 * group;
  } else if (shift < -4 || shift > 5) {
    return sci;
  }
  std::string out = negative ? "-" : "";
  if (shift < 0) {
    out += "0." + std::string(static_cast<size_t>(-shift - 1), '0') + digits;
  } else if (shift >= 2) {
    out += digits + std::string(static_cast<size_t>(shift - 2), '0');
  } else {
    out += digits.substr(0, static_cast<size_t>(shift) + 1) + "." +
           digits.substr(static_cast<size_t>(shift) + 1);
  }
  if (!unit.empty()) out += " " + prefix + std::string(unit);
  return out;
}

bool CoarseResonance(const Resonance& r) {
  return r.bandPoints < kFineResonancePoints && r.fittedFrequency && r.fittedQ;
}

ShownResonance ResonanceShown(const Resonance& r) {
  if (CoarseResonance(r)) return {*r.fittedFrequency, *r.fittedQ, true};
  return {r.frequency, r.q, false};
}

std::string ShownQText(const Resonance& r) {
  const ShownResonance shown = ResonanceShown(r);
  return ThreeDigits(shown.q) + (shown.fitted ? " (fitted)" : "");
}

std::string GroupedCount(size_t count) {
  const std::string digits = std::to_string(count);
  std::string out;
  out.reserve(digits.size() + digits.size() / 3);
  for (size_t i = 0; i < digits.size(); ++i) {
    if (i > 0 && (digits.size() - i) % 3 == 0) out += ',';
    out += digits[i];
  }
  return out;
}

bool LooksLikeLoop(const SweepFigures& fig) {
  return fig.lowFrequencyGain && fig.lowFrequencyGain->gain >= 10.0 &&
         fig.phaseMarginCrossover.has_value();
}

bool ShowsAsLoop(const SweepFigures& fig, LoopJudgement judgement) {
  if (judgement == LoopJudgement::kAutomatic) return LooksLikeLoop(fig);
  return judgement == LoopJudgement::kLoop;
}

double ModulusMarginDb(double value) {
  return 20.0 * std::log10(value);
}

std::string SummaryLine(std::string_view fileName, const SweepFigures& fig,
                        LoopJudgement judgement) {
  std::string line(fileName);
  const auto item = [&line](const std::string& text) { line += "  " + text; };
  if (fig.points == 0) {
    item("no points");
    return line;
  }
  if (ShowsAsLoop(fig, judgement)) {
    const auto at = [](double frequency) { return " @ " + ThreeDigits(frequency, "Hz"); };
    if (fig.phaseMarginCrossover) {
      const GainCrossover& pm = fig.gainCrossovers[*fig.phaseMarginCrossover];
      item("PM " + ThreeDigits(pm.phaseMargin) + "\u00B0" + at(pm.frequency));
    } else {
      item("PM none");
    }
    if (fig.gainMarginCrossover) {
      const PhaseCrossover& gm = fig.phaseCrossovers[*fig.gainMarginCrossover];
      item("GM " + ThreeDigits(gm.gainMargin) + " dB" + at(gm.frequency));
    } else {
      item("GM none");
    }
    if (fig.modulusMargin) {
      item("MM " + ThreeDigits(fig.modulusMargin->value) + " (" +
           ThreeDigits(ModulusMarginDb(fig.modulusMargin->value)) + " dB)" +
           at(fig.modulusMargin->frequency));
    }
    if (fig.delayMarginIndex) {
      const DelayMargin& dm = fig.delayMargins[*fig.delayMarginIndex];
      item("DM " + ThreeDigits(dm.seconds, "s") + at(dm.frequency));
    } else {
      item("DM none");
    }
    if (fig.closedLoop.peak) {
      item("CL peak " + ThreeDigits(fig.closedLoop.peak->gain) + " dB" +
           at(fig.closedLoop.peak->frequency));
    }
    for (const LevelCrossing& c : fig.closedLoop.minus3dB) {
      item("CL -3dB " + ThreeDigits(c.frequency, "Hz"));
    }
    return line;
  }
  for (const LevelCrossing& c : fig.minus3dB) item("-3dB " + ThreeDigits(c.frequency, "Hz"));
  if (fig.resonance) {
    item("peak " + ThreeDigits(fig.resonance->gain) + " dB @ " +
         ThreeDigits(fig.resonance->frequency, "Hz"));
    item("Q " + ShownQText(*fig.resonance));
  }
  if (fig.minus3dB.empty() && !fig.resonance) item("no figures");
  return line;
}

std::string FiguresPanelText(std::string_view fileName, const SweepFigures& fig,
                             const TextTranslator* translator, LoopJudgement judgement) {
  // Names and words in the panel's language; numbers and units stay.
  PanelLines panel{translator, {}};
  const auto t = [&panel](const char* source) { return panel.Word(source); };
  const auto line = [&panel](const char* name, const std::string& value) {
    panel.Line(name, value);
  };
  std::string& text = panel.text;
  const auto at = [](double frequency) { return " @ " + ThreeDigits(frequency, "Hz"); };
  const std::string none = t(FERNPLOT_TEXT("Figures", "なし"));
  text += fileName;
  text += '\n';
  line(FERNPLOT_TEXT("Figures", "点数"), std::to_string(fig.points));
  line(FERNPLOT_TEXT("Figures", "低域ｹﾞｲﾝ"),
       fig.lowFrequencyGain
           ? ThreeDigits(fig.lowFrequencyGain->gain) + " dB" + at(fig.lowFrequencyGain->frequency)
           : none);
  line(FERNPLOT_TEXT("Figures", "ﾋﾟｰｸ"),
       fig.peak ? ThreeDigits(fig.peak->gain) + " dB" + at(fig.peak->frequency) : none);
  // The first crossings of a kind, then how many there are when not all.
  const auto crossings = [&](const char* name, const auto& all, const auto& value) {
    const size_t listed = std::min(all.size(), kCrossingsMarked);
    for (size_t i = 0; i < listed; ++i) line(name, value(all[i]));
    if (listed == all.size()) return;
    std::string more = t(FERNPLOT_TEXT("Figures", "交差 %1 個、初めの %2 個に印"));
    const size_t first = more.find("%1");
    if (first != std::string::npos) more.replace(first, 2, GroupedCount(all.size()));
    const size_t second = more.find("%2");
    if (second != std::string::npos) more.replace(second, 2, std::to_string(listed));
    line(name, more);
  };
  if (fig.minus3dB.empty()) line("-3dB", none);
  const auto direction = [&t](const LevelCrossing& c) {
    return ThreeDigits(c.frequency, "Hz") + (c.direction == CrossingDirection::kFalling
                                                 ? t(FERNPLOT_TEXT("Figures", " (下降)"))
                                                 : t(FERNPLOT_TEXT("Figures", " (上昇)")));
  };
  crossings("-3dB", fig.minus3dB, direction);
  if (fig.resonance && CoarseResonance(*fig.resonance)) {
    // Too few points in the band: the section fitted around the peak reads
    // truer than the points; the interpolated figures follow.
    const Resonance& r = *fig.resonance;
    line(FERNPLOT_TEXT("Figures", "共振"), ThreeDigits(r.gain) + " dB" + at(*r.fittedFrequency) +
                                               "  Q " + ThreeDigits(*r.fittedQ) + "  " +
                                               t(FERNPLOT_TEXT("Figures", "(粗いｽｲｰﾌﾟ: ﾌｨｯﾄ値)")));
    line(FERNPLOT_TEXT("Figures", "共振 (補間)"),
         ThreeDigits(r.frequency, "Hz") + "  Q " + ThreeDigits(r.q) + "  (" +
             ThreeDigits(r.lower, "Hz") + " - " + ThreeDigits(r.upper, "Hz") + ")");
  } else if (fig.resonance) {
    const Resonance& r = *fig.resonance;
    line(FERNPLOT_TEXT("Figures", "共振"),
         ThreeDigits(r.gain) + " dB" + at(r.frequency) + "  Q " + ThreeDigits(r.q) + "  (" +
             ThreeDigits(r.lower, "Hz") + " - " + ThreeDigits(r.upper, "Hz") + ")");
  } else {
    line(FERNPLOT_TEXT("Figures", "共振"), none);
  }
  if (!ShowsAsLoop(fig, judgement)) return text;
  line(FERNPLOT_TEXT("Figures", "位相余裕の基準"),
       std::to_string(MarginReferenceDegrees(fig.reference)) + "\u00B0");
  crossings(FERNPLOT_TEXT("Figures", "ｹﾞｲﾝ交差"), fig.gainCrossovers, [&t](const GainCrossover& c) {
    return ThreeDigits(c.frequency, "Hz") + t(FERNPLOT_TEXT("Figures", "  位相 ")) +
           ThreeDigits(c.phase) + "\u00B0  PM " + ThreeDigits(c.phaseMargin) + "\u00B0";
  });
  crossings(FERNPLOT_TEXT("Figures", "位相交差"), fig.phaseCrossovers,
            [&t](const PhaseCrossover& c) {
              return ThreeDigits(c.frequency, "Hz") + t(FERNPLOT_TEXT("Figures", "  ｹﾞｲﾝ ")) +
                     ThreeDigits(c.gain) + " dB  GM " + ThreeDigits(c.gainMargin) + " dB";
            });
  line(FERNPLOT_TEXT("Figures", "位相余裕"),
       fig.phaseMarginCrossover ? ThreeDigits(*fig.phaseMargin) + "\u00B0" +
                                      at(fig.gainCrossovers[*fig.phaseMarginCrossover].frequency)
                                : none);
  line(FERNPLOT_TEXT("Figures", "ｹﾞｲﾝ余裕"),
       fig.gainMarginCrossover ? ThreeDigits(*fig.gainMargin) + " dB" +
                                     at(fig.phaseCrossovers[*fig.gainMarginCrossover].frequency)
                               : none);
  line(FERNPLOT_TEXT("Figures", "ﾓｼﾞｭﾗｽ余裕"),
       fig.modulusMargin ? ThreeDigits(fig.modulusMargin->value) + " (" +
                               ThreeDigits(ModulusMarginDb(fig.modulusMargin->value)) + " dB)" +
                               at(fig.modulusMargin->frequency)
                         : none);
  // Each gain crossover has its own delay margin and the loop the smallest:
  // with one crossover those are one figure, listed once.
  if (fig.delayMargins.size() > 1) {
    crossings(
        FERNPLOT_TEXT("Figures", "交差の遅延余裕"), fig.delayMargins,
        [&at](const DelayMargin& d) { return ThreeDigits(d.seconds, "s") + at(d.frequency); });
  }
  line(FERNPLOT_TEXT("Figures", "遅延余裕"),
       fig.delayMarginIndex ? ThreeDigits(*fig.delayMargin, "s") +
                                  at(fig.delayMargins[*fig.delayMarginIndex].frequency)
                            : none);
  const GainFigures& cl = fig.closedLoop;
  line(FERNPLOT_TEXT("Figures", "閉ﾙｰﾌﾟ低域ｹﾞｲﾝ"),
       cl.lowFrequencyGain
           ? ThreeDigits(cl.lowFrequencyGain->gain) + " dB" + at(cl.lowFrequencyGain->frequency)
           : none);
  line(FERNPLOT_TEXT("Figures", "閉ﾙｰﾌﾟﾋﾟｰｸ"),
       cl.peak ? ThreeDigits(cl.peak->gain) + " dB" + at(cl.peak->frequency) : none);
  if (cl.minus3dB.empty()) line(FERNPLOT_TEXT("Figures", "閉ﾙｰﾌﾟ -3dB"), none);
  crossings(FERNPLOT_TEXT("Figures", "閉ﾙｰﾌﾟ -3dB"), cl.minus3dB, direction);
  return text;
}

}  // namespace fernplot
