// SPDX-License-Identifier: MIT
#include "overlay_commands.h"

#include <array>

#include "text/ui_text.h"

namespace fernplot {

namespace {

constexpr std::array<CommandText, 3> kOverlayCommands{{
    {kCmdAddOverlays, FERNPLOT_TEXT("Commands", "ﾄﾚｰｽの重ね描き..."),
     FERNPLOT_TEXT("Commands", "ﾃﾞｰﾀﾌｧｲﾙを選んで表示ﾍﾟｰｼﾞに重ねて描きます。\nﾄﾚｰｽの重ね描き")},
    {kCmdEditTraces, FERNPLOT_TEXT("Commands", "ﾄﾚｰｽの一覧..."),
     FERNPLOT_TEXT("Commands", "表示ﾍﾟｰｼﾞのﾄﾚｰｽを一覧し、削除や基準の設定をします。\nﾄﾚｰｽの一覧")},
    {kCmdDifference, FERNPLOT_TEXT("Commands", "基準との差を表示"),
     FERNPLOT_TEXT("Commands",
                   "基準ﾄﾚｰｽとの差(ΔGAIN/ΔPHASE)を表示／非表示します。\n基準との差の表示")},
}};

}  // namespace

std::span<const CommandText> OverlayCommandTexts() {
  return kOverlayCommands;
}

}  // namespace fernplot
