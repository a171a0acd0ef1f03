// SPDX-License-Identifier: MIT
#include "loop_part.h"

#include <array>
#include <iterator>

#include "analysis/loop_kinds.h"
#include "analysis/view_rows.h"
#include "app_state.h"
#include "command_table.h"
#include "commands.h"
#include "graph/pages.h"
#include "page_actions.h"

namespace fernplot {

namespace {

// The exclusive choices of the command table (the language is 1).
constexpr int kViewChoice = 2;
constexpr int kCurveChoice = 3;

// The View menu's command of each view, in the order of the views' rows.
constexpr std::array<int, kViewRows.size()> kViewCommands{kCmdViewBode, kCmdViewNyquist,
                                                          kCmdViewNichols, kCmdViewComplex,
                                                          kCmdViewKk};

struct CurveRow {
  int id;
  LoopCurve curve;
  std::string_view text, prompt;
};
constexpr CurveRow kCurveRows[] = {
    {kCmdLoopOpen, LoopCurve::kOpen, FERNPLOT_TEXT("Commands", "ﾙｰﾌﾟ ｹﾞｲﾝ L (測定値)"),
     FERNPLOT_TEXT("Commands", "測定したﾙｰﾌﾟ ｹﾞｲﾝ L を表示します。\nﾙｰﾌﾟ ｹﾞｲﾝ L")},
    {kCmdLoopClosed, LoopCurve::kClosed, FERNPLOT_TEXT("Commands", "閉ﾙｰﾌﾟ T = L/(1+L)"),
     FERNPLOT_TEXT("Commands", "閉ﾙｰﾌﾟ特性 T = L/(1+L) を表示します。\n閉ﾙｰﾌﾟ T")},
    {kCmdLoopSensitivity, LoopCurve::kSensitivity, FERNPLOT_TEXT("Commands", "感度 S = 1/(1+L)"),
     FERNPLOT_TEXT("Commands", "感度関数 S = 1/(1+L) を表示します。\n感度 S")},
};

}  // namespace

LoopPart::LoopPart(AppState& state, QObject* parent) : QObject(parent), state_(state) {}

void LoopPart::AddCommands(CommandTable& table) {
  const auto shown = [this] { return PageShown(state_); };
  int order = 0;
  for (const ViewRow& r : kViewRows) {
    table.Add({.id = kViewCommands[static_cast<size_t>(order)],
               .text = r.menuText,
               .prompt = r.menuPrompt,
               .menu = MenuId::kView,
               .menuPlace = {4, order++},
               .checkable = true,
               .exclusiveGroup = kViewChoice,
               .run = [this, view = r.kind] { state_.session.SetView(view); },
               .enabled = shown,
               .checked =
                   [this, view = r.kind] {
                     const GraphPage* page = PageOnScreen(state_);
                     return page && page->properties.view == view;
                   }});
  }
  order = 0;
  for (const CurveRow& r : kCurveRows) {
    table.Add({.id = r.id,
               .text = r.text,
               .prompt = r.prompt,
               .menu = MenuId::kView,
               .menuPlace = {5, order++},
               .checkable = true,
               .exclusiveGroup = kCurveChoice,
               .run = [this, curve = r.curve] { state_.session.SetLoopCurve(curve); },
               .enabled = shown,
               .checked =
                   [this, curve = r.curve] {
                     const GraphPage* page = PageOnScreen(state_);
                     return page && page->properties.loopCurve == curve;
                   }});
  }
  table.Add({.id = kCmdNicholsContours,
             .text = FERNPLOT_TEXT("Commands", "M 等高線"),
             .prompt = FERNPLOT_TEXT(
                 "Commands", "ﾆｺﾙｽ線図に閉ﾙｰﾌﾟ ｹﾞｲﾝの等高線を表示／非表示します。\nM 等高線"),
             .menu = MenuId::kView,
             .menuPlace = {4, static_cast<int>(std::size(kViewRows))},
             .checkable = true,
             .run =
                 [this] {
                   const GraphPage* page = PageOnScreen(state_);
                   if (page) state_.session.ShowNicholsContours(!page->properties.nicholsContours);
                 },
             .enabled =
                 [this] {
                   const GraphPage* page = PageOnScreen(state_);
                   return page && page->properties.view == ViewKind::kNichols;
                 },
             .checked =
                 [this] {
                   const GraphPage* page = PageOnScreen(state_);
                   return page && page->properties.nicholsContours;
                 }});
}

}  // namespace fernplot
