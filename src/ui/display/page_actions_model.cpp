// SPDX-License-Identifier: MIT
// A model fitted to the page on screen: fitting it, its residual through the
// difference mode, removing it, and its texts for the clipboard.

#include <QClipboard>
#include <QGuiApplication>
#include <algorithm>
#include <cmath>

#include "analysis/fit/model_text.h"
#include "analysis/impedance/impedance_json.h"
#include "app_state.h"
#include "command_table.h"
#include "commands.h"
#include "fit_runner.h"
#include "frame_dialogs.h"
#include "graph/page_figures.h"
#include "graph/page_impedance.h"
#include "graph/page_model.h"
#include "graph/page_session.h"
#include "graph/pages.h"
#include "graph/shown_limits.h"
#include "page_actions.h"
#include "qt_convert.h"

namespace fernplot {

namespace {

void PutOnClipboard(const std::string& text) {
  if (QClipboard* clipboard = QGuiApplication::clipboard()) {
    clipboard->setText(QStringFromUtf8(text));
  }
}

}  // namespace

void PageActions::AddModelCommands(CommandTable& table) {
  const auto page = [this] { return PageOnScreen(state_) != nullptr; };
  const auto model = [this] {
    const GraphPage* p = PageOnScreen(state_);
    return p && p->fit.has_value();
  };
  table.Add({.id = kCmdFitModel,
             .text = FERNPLOT_TEXT("Commands", "ﾓﾃﾞﾙのﾌｨｯﾄ..."),
             .prompt = FERNPLOT_TEXT("Commands",
                                     "表示ﾍﾟｰｼﾞに極と零点のﾓﾃﾞﾙをﾌｨｯﾄし、破線で重ねて描きます。\n"
                                     "ﾓﾃﾞﾙのﾌｨｯﾄ"),
             .menu = MenuId::kCompare,
             .menuPlace = {2, 0},
             .run = [this] { FitModel(); },
             .enabled = page});
  table.Add(
      {.id = kCmdFitCircuit,
       .text = FERNPLOT_TEXT("Commands", "等価回路のﾌｨｯﾄ..."),
       .prompt = FERNPLOT_TEXT("Commands",
                               "表示ﾍﾟｰｼﾞのｲﾝﾋﾟｰﾀﾞﾝｽに等価回路をﾌｨｯﾄし、破線で重ねて描きます。\n"
                               "等価回路のﾌｨｯﾄ"),
       .menu = MenuId::kCompare,
       .menuPlace = {2, 1},
       .run = [this] { FitCircuit(); },
       .enabled =
           [this] {
             const GraphPage* p = PageOnScreen(state_);
             return p && IsImpedancePage(*p);
           }});
  table.Add({.id = kCmdModelResidual,
             .text = FERNPLOT_TEXT("Commands", "ﾓﾃﾞﾙとの差 (残差) を表示"),
             .prompt = FERNPLOT_TEXT("Commands",
                                     "ﾃﾞｰﾀとﾓﾃﾞﾙの差 (残差) を表示／非表示します。\n残差の表示"),
             .menu = MenuId::kCompare,
             .menuPlace = {2, 2},
             .checkable = true,
             .run = [this] { ToggleResidual(); },
             .enabled = model,
             .checked =
                 [this] {
                   const GraphPage* p = PageOnScreen(state_);
                   return p && ShowsResidual(*p);
                 }});
  table.Add(
      {.id = kCmdRemoveModel,
       .text = FERNPLOT_TEXT("Commands", "ﾓﾃﾞﾙの消去"),
       .prompt = FERNPLOT_TEXT("Commands", "表示ﾍﾟｰｼﾞからﾌｨｯﾄしたﾓﾃﾞﾙを取り除きます。\nﾓﾃﾞﾙの消去"),
       .menu = MenuId::kCompare,
       .menuPlace = {2, 3},
       .run = [this] { RemoveModel(); },
       .enabled = model});
  table.Add({.id = kCmdCopyModelLaplace,
             .text = FERNPLOT_TEXT("Commands", "ﾓﾃﾞﾙをﾗﾌﾟﾗｽ式としてｺﾋﾟｰ"),
             .prompt = FERNPLOT_TEXT("Commands",
                                     "ﾓﾃﾞﾙを回路ｼﾐｭﾚｰﾀのﾗﾌﾟﾗｽ式としてｸﾘｯﾌﾟﾎﾞｰﾄﾞにｺﾋﾟｰします。\n"
                                     "ﾗﾌﾟﾗｽ式としてｺﾋﾟｰ"),
             .menu = MenuId::kCompare,
             .menuPlace = {3, 0},
             .run = [this] { CopyModelLaplace(); },
             // A circuit is no ratio of polynomials in s.
             .enabled =
                 [this] {
                   const GraphPage* p = PageOnScreen(state_);
                   return p && p->fit && !p->fit->circuit;
                 }});
  table.Add({.id = kCmdCopyModelJson,
             .text = FERNPLOT_TEXT("Commands", "ﾓﾃﾞﾙを JSON としてｺﾋﾟｰ"),
             .prompt = FERNPLOT_TEXT("Commands",
                                     "ﾓﾃﾞﾙ (極､零点､ｹﾞｲﾝ､遅延､誤差) を JSON としてｸﾘｯﾌﾟﾎﾞｰﾄﾞに"
                                     "ｺﾋﾟｰします。\nJSON としてｺﾋﾟｰ"),
             .menu = MenuId::kCompare,
             .menuPlace = {3, 1},
             .run = [this] { CopyModelJson(); },
             .enabled = model});
}

namespace {

// The range the dialog offers for a page not fitted yet: the frequencies
// the page shows (after a zoom, the zoomed range); a view that does not
// draw against frequency offers every point.
FitOptions WithShownRange(FitOptions options, const GraphPage& page) {
  options.fmin.reset();
  options.fmax.reset();
  if (page.properties.view != ViewKind::kBode) return options;
  if (const std::optional<ShownLimits> shown = ShownAxisLimits(page)) {
    const double lo = std::min(shown->frequency.lo, shown->frequency.hi);
    const double hi = std::max(shown->frequency.lo, shown->frequency.hi);
    if (std::isfinite(lo) && std::isfinite(hi) && lo > 0.0) {
      options.fmin = lo;
      options.fmax = hi;
    }
  }
  return options;
}

// An end of the range beyond the points restricts nothing and is left out,
// so that the model of a page fitted whole reads as such.
FitOptions WithoutIdleEnds(FitOptions options, const std::vector<UsablePoint>& points) {
  if (points.empty()) return options;
  if (options.fmin && *options.fmin <= points.front().frequency) options.fmin.reset();
  if (options.fmax && *options.fmax >= points.back().frequency) options.fmax.reset();
  return options;
}

}  // namespace

void PageActions::FitModel() {
  const GraphPage* page = PageOnScreen(state_);
  if (!page) return;
  const FitOptions offered = page->fit ? page->fit->options : WithShownRange(lastFit_, *page);
  const std::optional<FitOptions> asked = dialogs_.AskFitOptions(&window_, offered);
  if (!asked) return;
  std::vector<UsablePoint> points = PageUsablePoints(*page);
  const FitOptions options = WithoutIdleEnds(*asked, points);
  lastFit_ = options;
  // A long sweep with a delay or a high order takes a while: the fit runs
  // on a thread of its own, the window stays live, and it can be cancelled.
  const std::optional<FitResult> result = RunFitWithProgress(&window_, points, options);
  if (!result) {
    emit statesChanged();
    return;
  }
  std::string message;
  const bool hadModel = result->model.has_value();
  state_.session.AddFittedModel(options, std::move(points), *result, &message);
  if (!hadModel) {
    dialogs_.ShowWarning(
        &window_, tr("このﾍﾟｰｼﾞにはﾓﾃﾞﾙをﾌｨｯﾄできません。\n%1").arg(QStringFromUtf8(message)));
  }
  emit statesChanged();
}

void PageActions::RemoveModel() {
  if (!state_.session.RemoveModel()) emit statesChanged();
}

void PageActions::ToggleResidual() {
  const GraphPage* page = PageOnScreen(state_);
  if (!page || !state_.session.ShowModelResidual(!ShowsResidual(*page))) emit statesChanged();
}

void PageActions::CopyModelLaplace() {
  const GraphPage* page = PageOnScreen(state_);
  if (page && page->fit && !page->fit->circuit) {
    PutOnClipboard(LaplaceExpression(page->fit->model));
  }
}

void PageActions::CopyModelJson() {
  const GraphPage* page = PageOnScreen(state_);
  if (!page || !page->fit) return;
  PutOnClipboard(page->fit->circuit ? CircuitFitJson(page->fit->circuit->result)
                                    : ModelJson(page->fileName, page->fit->model));
}

void PageActions::FitCircuit() {
  const GraphPage* page = PageOnScreen(state_);
  if (!page || !IsImpedancePage(*page)) return;
  const CircuitModel* fitted = page->fit && page->fit->circuit ? &*page->fit->circuit : nullptr;
  CircuitChoice offered = lastCircuit_;
  if (fitted) offered = {fitted->circuit->text(), fitted->options};
  const std::optional<CircuitChoice> asked =
      dialogs_.AskCircuitFit(&window_, offered, fitted ? &fitted->result : nullptr);
  if (!asked) return;
  CircuitParse parse = ParseCircuit(asked->circuit);
  std::optional<ImpedanceSpectrum> z = PageImpedance(*page);
  if (!parse.circuit || !z) return;  // the dialog accepts only a circuit
  lastCircuit_ = *asked;
  auto circuit = std::make_shared<const Circuit>(std::move(*parse.circuit));
  // A global search takes its seconds: the window stays live meanwhile.
  CircuitFitResult result =
      RunCircuitFitWithProgress(&window_, circuit, z->frequency, z->impedance, asked->options);
  std::string message;
  if (!state_.session.AddFittedCircuit(circuit, asked->options, std::move(*z), std::move(result),
                                       &message) &&
      !message.empty()) {
    dialogs_.ShowWarning(
        &window_, tr("このﾍﾟｰｼﾞには等価回路をﾌｨｯﾄできません。\n%1").arg(QStringFromUtf8(message)));
  }
  emit statesChanged();
}

}  // namespace fernplot
