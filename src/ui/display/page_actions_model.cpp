// SPDX-License-Identifier: MIT
// A model fitted to the page on screen: fitting it, its residual through the
// difference mode, removing it, and its texts for the clipboard.

#include <QClipboard>
#include <QCursor>
#include <QGuiApplication>

#include "analysis/fit/model_text.h"
#include "app_state.h"
#include "command_table.h"
#include "commands.h"
#include "frame_dialogs.h"
#include "graph/page_model.h"
#include "graph/page_session.h"
#include "graph/pages.h"
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
  table.Add({.id = kCmdModelResidual,
             .text = FERNPLOT_TEXT("Commands", "ﾓﾃﾞﾙとの差 (残差) を表示"),
             .prompt = FERNPLOT_TEXT("Commands",
                                     "ﾃﾞｰﾀとﾓﾃﾞﾙの差 (残差) を表示／非表示します。\n残差の表示"),
             .menu = MenuId::kCompare,
             .menuPlace = {2, 1},
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
       .menuPlace = {2, 2},
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
             .enabled = model});
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

void PageActions::FitModel() {
  const GraphPage* page = PageOnScreen(state_);
  if (!page) return;
  const std::optional<FitOptions> options =
      dialogs_.AskFitOptions(&window_, page->fit ? page->fit->options : lastFit_);
  if (!options) return;
  lastFit_ = *options;
  // An automatic order with a delay on a long sweep takes a moment.
  QGuiApplication::setOverrideCursor(QCursor(Qt::WaitCursor));
  const std::string message = state_.session.AddModel(*options);
  QGuiApplication::restoreOverrideCursor();
  if (!message.empty()) {
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
  if (page && page->fit) PutOnClipboard(LaplaceExpression(page->fit->model));
}

void PageActions::CopyModelJson() {
  const GraphPage* page = PageOnScreen(state_);
  if (page && page->fit) PutOnClipboard(ModelJson(page->fileName, page->fit->model));
}

}  // namespace fernplot
