// SPDX-License-Identifier: MIT
#include "commands.h"

#include "overlay_commands.h"

namespace fernplot {

namespace {

constexpr std::string_view kZoomPrompt = "ｸﾞﾗﾌ全体の表示倍率を変更します。\n表示倍率の変更";

constexpr std::array<CommandText, 28> kCommands{{
    {kCmdOpenDataFile, "ﾃﾞｰﾀ ﾌｧｲﾙを開く...", "ﾃﾞｰﾀﾌｧｲﾙを開いてｸﾞﾗﾌを作成します。\nﾃﾞｰﾀﾌｧｲﾙを開く"},
    {kCmdSaveCsv, "演算ﾃﾞｰﾀの保存...",
     "表示しているｸﾞﾗﾌのﾃﾞｰﾀをCSVﾌｧｲﾙに保存します。\n演算ﾃﾞｰﾀの保存"},
    {kCmdCurrentProperties, "ｸﾞﾗﾌ･ﾌﾟﾛﾊﾟﾃｨ（ｶﾚﾝﾄ）...",
     "このﾍﾟｰｼﾞのｸﾞﾗﾌ･ﾌﾟﾛﾊﾟﾃｨを設定します。\nｸﾞﾗﾌ･ﾌﾟﾛﾊﾟﾃｨ"},
    {kCmdPreviousPage, "前ページを表示", "前ページを表示します。\n前ページの表示"},
    {kCmdNextPage, "次ページを表示", "次ページを表示します。\n次ページの表示"},
    {kCmdZoomBox, "", kZoomPrompt},
    {kCmdZoom30, " 30 %", kZoomPrompt},
    {kCmdZoom60, " 60 %", kZoomPrompt},
    {kCmdZoom75, " 75 %", kZoomPrompt},
    {kCmdZoom100, "100 %", kZoomPrompt},
    {kCmdZoom150, "150 %", kZoomPrompt},
    {kCmdZoom200, "200 %", kZoomPrompt},
    {kCmdDefaultProperties, "ｸﾞﾗﾌ･ﾌﾟﾛﾊﾟﾃｨ（標準値）...",
     "ｸﾞﾗﾌ･ﾌﾟﾛﾊﾟﾃｨの標準値を設定します。\nｸﾞﾗﾌ･ﾌﾟﾛﾊﾟﾃｨの標準値"},
    {kCmdClosePage, "表示ﾍﾟｰｼﾞを閉じる", "このﾍﾟｰｼﾞのｸﾞﾗﾌを閉じます。\n表示ﾍﾟｰｼﾞを閉じる"},
    {kCmdGoToPage, "ﾍﾟｰｼﾞへ移動...", "番号を指定してﾍﾟｰｼﾞを表示します。\nﾍﾟｰｼﾞへ移動"},
    {kCmdFirstPage, "先頭ﾍﾟｰｼﾞを表示", "最初のﾍﾟｰｼﾞを表示します。\n先頭ﾍﾟｰｼﾞの表示"},
    {kCmdLastPage, "最終ﾍﾟｰｼﾞを表示", "最後のﾍﾟｰｼﾞを表示します。\n最終ﾍﾟｰｼﾞの表示"},
    {kCmdCloseAllPages, "全ﾍﾟｰｼﾞを閉じる", "すべてのﾍﾟｰｼﾞのｸﾞﾗﾌを閉じます。\n全ﾍﾟｰｼﾞを閉じる"},
    {kCmdCopyToClipboard, "ｸﾘｯﾌﾟﾎﾞｰﾄﾞにｺﾋﾟｰ",
     "表示ﾍﾟｰｼﾞのｲﾒｰｼﾞをｸﾘｯﾌﾟﾎﾞｰﾄﾞへ複写します。\nｸﾘｯﾌﾟﾎﾞｰﾄﾞへ複写"},
    {kCmdResetToDefault, "標準値に戻す",
     "このﾍﾟｰｼﾞのｸﾞﾗﾌ･ﾌﾟﾛﾊﾟﾃｨを標準値に戻します。\n標準値に戻す"},
    {kCmdOverwriteDefault, "標準値として上書き",
     "このﾍﾟｰｼﾞのｸﾞﾗﾌ･ﾌﾟﾛﾊﾟﾃｨを標準値にします。\n標準値として上書き"},
    {kCmdCrossHair, "ｸﾛｽﾍｱｰ ｶｰｿﾙ",
     "ﾏｳｽがｸﾞﾗﾌ内にあるときｸﾛｽﾍｱを表示／非表示します。\nｸﾛｽﾍｱの表示／非表示"},
    {kCmdPrintSetup, "ﾌﾟﾘﾝﾀの設定...", "ﾌﾟﾘﾝﾀ/印刷設定の変更\nﾌﾟﾘﾝﾀの設定"},
    {kCmdPrint, "ｸﾞﾗﾌの印刷...", "表示しているｸﾞﾗﾌを印刷します。\nｸﾞﾗﾌの印刷"},
    {kCmdExit, "ｱﾌﾟﾘｹｰｼｮﾝの終了", ""},
    {kCmdAbout, "ﾊﾞｰｼﾞｮﾝ情報...", ""},
    {kCmdToolBar, "ﾂｰﾙ ﾊﾞｰ", ""},
    {kCmdStatusBar, "ｽﾃｰﾀｽ ﾊﾞｰ", ""},
}};

}  // namespace

std::span<const CommandText> CommandTexts() {
  return kCommands;
}

const CommandText* FindCommandText(int id) {
  for (const CommandText& c : kCommands) {
    if (c.id == id) return &c;
  }
  for (const CommandText& c : OverlayCommandTexts()) {
    if (c.id == id) return &c;
  }
  return nullptr;
}

std::string_view PromptStatusText(std::string_view prompt) {
  return prompt.substr(0, prompt.find('\n'));
}

std::string_view PromptToolTip(std::string_view prompt) {
  const size_t nl = prompt.find('\n');
  return nl == std::string_view::npos ? std::string_view{} : prompt.substr(nl + 1);
}

}  // namespace fernplot
