// SPDX-License-Identifier: MIT
#include "overlay_commands.h"

#include <array>

namespace fernplot {

namespace {

constexpr std::array<CommandText, 3> kOverlayCommands{{
    {kCmdAddOverlays, "ﾄﾚｰｽの重ね描き...",
     "ﾃﾞｰﾀﾌｧｲﾙを選んで表示ﾍﾟｰｼﾞに重ねて描きます。\nﾄﾚｰｽの重ね描き"},
    {kCmdEditTraces, "ﾄﾚｰｽの一覧...",
     "表示ﾍﾟｰｼﾞのﾄﾚｰｽを一覧し、削除や基準の設定をします。\nﾄﾚｰｽの一覧"},
    {kCmdDifference, "基準との差を表示",
     "基準ﾄﾚｰｽとの差(ΔGAIN/ΔPHASE)を表示／非表示します。\n基準との差の表示"},
}};

}  // namespace

std::span<const CommandText> OverlayCommandTexts() {
  return kOverlayCommands;
}

}  // namespace fernplot
