// SPDX-License-Identifier: MIT
#include "analysis/fit/model_panel_text.h"

#include <cmath>

#include "analysis/figures_text.h"

namespace fernplot {

std::string ModelPanelText(const FitModel& model, const FitOptions& options,
                           const TextTranslator* translator) {
  PanelLines panel{translator, {}};
  const auto t = [&panel](const char* source) { return panel.Word(source); };
  const auto line = [&panel](const char* name, const std::string& value) {
    panel.Line(name, value);
  };
  std::string order = t(FERNPLOT_TEXT("Figures", "%1 次"));
  if (const size_t at = order.find("%1"); at != std::string::npos) {
    order.replace(at, 2, std::to_string(model.poles.size()));
  }
  order += options.order ? t(FERNPLOT_TEXT("Figures", " (指定)"))
                         : t(FERNPLOT_TEXT("Figures", " (自動)"));
  line(FERNPLOT_TEXT("Figures", "ﾓﾃﾞﾙ"), order);
  for (const FitSection& s : model.sections) {
    switch (s.kind) {
      case SectionKind::kPolePair:
        line(FERNPLOT_TEXT("Figures", "極対"),
             "f0 " + ThreeDigits(s.frequency, "Hz") + "  Q " + ThreeDigits(s.q));
        break;
      case SectionKind::kPole:
        line(FERNPLOT_TEXT("Figures", "極"), ThreeDigits(s.frequency, "Hz"));
        break;
      case SectionKind::kZeroPair:
        line(FERNPLOT_TEXT("Figures", "零点対"),
             "f0 " + ThreeDigits(s.frequency, "Hz") + "  Q " + ThreeDigits(s.q));
        break;
      case SectionKind::kZero:
        line(FERNPLOT_TEXT("Figures", "零点"), ThreeDigits(s.frequency, "Hz"));
        break;
    }
  }
  // The gain where the model starts and at DC, in dB: the coefficient
  // carries the units of the roots and says nothing by itself.
  // Hundredths of a dB are as fine as any gain is read.
  const auto db = [](double value) { return ThreeDigits(std::abs(value) < 0.005 ? 0.0 : value); };
  const ModelGains gains = GainsOfModel(model);
  std::string gain = db(gains.lowestDb) + " dB @ " + ThreeDigits(gains.lowestHz, "Hz");
  if (gains.dcDb) {
    gain += "  DC " + db(*gains.dcDb) + " dB" + (gains.dcInverted ? " 180\u00B0" : "");
  }
  line(FERNPLOT_TEXT("Figures", "ﾓﾃﾞﾙのｹﾞｲﾝ"), gain);
  if (options.fmin || options.fmax) {
    line(FERNPLOT_TEXT("Figures", "ﾌｨｯﾄ範囲"),
         ThreeDigits(model.fittedFrom, "Hz") + " - " + ThreeDigits(model.fittedTo, "Hz"));
  }
  line(FERNPLOT_TEXT("Figures", "むだ時間"),
       options.delay ? ThreeDigits(model.delay, "s") : t(FERNPLOT_TEXT("Figures", "なし")));
  line(FERNPLOT_TEXT("Figures", "RMS 誤差"),
       ThreeDigits(model.rmsErrorDb) + " dB  " + ThreeDigits(model.rmsErrorDeg) + "\u00B0");
  return panel.text;
}

}  // namespace fernplot
