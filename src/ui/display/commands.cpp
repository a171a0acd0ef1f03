// SPDX-License-Identifier: MIT
#include "commands.h"

#include "overlay_commands.h"
#include "text/ui_text.h"

namespace fernplot {

namespace {

constexpr std::string_view kZoomPrompt =
    FERNPLOT_TEXT("Commands", "ｸﾞﾗﾌ全体の表示倍率を変更します。\n表示倍率の変更");

constexpr std::array<CommandText, 32> kCommands{{
    {kCmdOpenDataFile, FERNPLOT_TEXT("Commands", "ﾃﾞｰﾀ ﾌｧｲﾙを開く..."),
     FERNPLOT_TEXT("Commands", "ﾃﾞｰﾀﾌｧｲﾙを開いてｸﾞﾗﾌを作成します。\nﾃﾞｰﾀﾌｧｲﾙを開く")},
    {kCmdOpenFile, FERNPLOT_TEXT("Commands", "ﾌｧｲﾙを開く..."),
     FERNPLOT_TEXT("Commands", "ﾃﾞｰﾀ ﾌｧｲﾙを選んでｸﾞﾗﾌを作成します。\nﾌｧｲﾙを開く")},
    {kCmdSaveCsv, FERNPLOT_TEXT("Commands", "演算ﾃﾞｰﾀの保存..."),
     FERNPLOT_TEXT("Commands", "表示しているｸﾞﾗﾌのﾃﾞｰﾀをCSVﾌｧｲﾙに保存します。\n演算ﾃﾞｰﾀの保存")},
    {kCmdCurrentProperties, FERNPLOT_TEXT("Commands", "ｸﾞﾗﾌ･ﾌﾟﾛﾊﾟﾃｨ（ｶﾚﾝﾄ）..."),
     FERNPLOT_TEXT("Commands", "このﾍﾟｰｼﾞのｸﾞﾗﾌ･ﾌﾟﾛﾊﾟﾃｨを設定します。\nｸﾞﾗﾌ･ﾌﾟﾛﾊﾟﾃｨ")},
    {kCmdPreviousPage, FERNPLOT_TEXT("Commands", "前ページを表示"),
     FERNPLOT_TEXT("Commands", "前ページを表示します。\n前ページの表示")},
    {kCmdNextPage, FERNPLOT_TEXT("Commands", "次ページを表示"),
     FERNPLOT_TEXT("Commands", "次ページを表示します。\n次ページの表示")},
    {kCmdZoomBox, "", kZoomPrompt},
    {kCmdZoom30, " 30 %", kZoomPrompt},
    {kCmdZoom60, " 60 %", kZoomPrompt},
    {kCmdZoom75, " 75 %", kZoomPrompt},
    {kCmdZoom100, "100 %", kZoomPrompt},
    {kCmdZoom150, "150 %", kZoomPrompt},
    {kCmdZoom200, "200 %", kZoomPrompt},
    {kCmdDefaultProperties, FERNPLOT_TEXT("Commands", "ｸﾞﾗﾌ･ﾌﾟﾛﾊﾟﾃｨ（標準値）..."),
     FERNPLOT_TEXT("Commands", "ｸﾞﾗﾌ･ﾌﾟﾛﾊﾟﾃｨの標準値を設定します。\nｸﾞﾗﾌ･ﾌﾟﾛﾊﾟﾃｨの標準値")},
    {kCmdClosePage, FERNPLOT_TEXT("Commands", "表示ﾍﾟｰｼﾞを閉じる"),
     FERNPLOT_TEXT("Commands", "このﾍﾟｰｼﾞのｸﾞﾗﾌを閉じます。\n表示ﾍﾟｰｼﾞを閉じる")},
    {kCmdGoToPage, FERNPLOT_TEXT("Commands", "ﾍﾟｰｼﾞへ移動..."),
     FERNPLOT_TEXT("Commands", "番号を指定してﾍﾟｰｼﾞを表示します。\nﾍﾟｰｼﾞへ移動")},
    {kCmdFirstPage, FERNPLOT_TEXT("Commands", "先頭ﾍﾟｰｼﾞを表示"),
     FERNPLOT_TEXT("Commands", "最初のﾍﾟｰｼﾞを表示します。\n先頭ﾍﾟｰｼﾞの表示")},
    {kCmdLastPage, FERNPLOT_TEXT("Commands", "最終ﾍﾟｰｼﾞを表示"),
     FERNPLOT_TEXT("Commands", "最後のﾍﾟｰｼﾞを表示します。\n最終ﾍﾟｰｼﾞの表示")},
    {kCmdCloseAllPages, FERNPLOT_TEXT("Commands", "全ﾍﾟｰｼﾞを閉じる"),
     FERNPLOT_TEXT("Commands", "すべてのﾍﾟｰｼﾞのｸﾞﾗﾌを閉じます。\n全ﾍﾟｰｼﾞを閉じる")},
    {kCmdCopyToClipboard, FERNPLOT_TEXT("Commands", "ｸﾘｯﾌﾟﾎﾞｰﾄﾞにｺﾋﾟｰ"),
     FERNPLOT_TEXT("Commands", "表示ﾍﾟｰｼﾞのｲﾒｰｼﾞをｸﾘｯﾌﾟﾎﾞｰﾄﾞへ複写します。\nｸﾘｯﾌﾟﾎﾞｰﾄﾞへ複写")},
    {kCmdResetToDefault, FERNPLOT_TEXT("Commands", "標準値に戻す"),
     FERNPLOT_TEXT("Commands", "このﾍﾟｰｼﾞのｸﾞﾗﾌ･ﾌﾟﾛﾊﾟﾃｨを標準値に戻します。\n標準値に戻す")},
    {kCmdOverwriteDefault, FERNPLOT_TEXT("Commands", "標準値として上書き"),
     FERNPLOT_TEXT("Commands", "このﾍﾟｰｼﾞのｸﾞﾗﾌ･ﾌﾟﾛﾊﾟﾃｨを標準値にします。\n標準値として上書き")},
    {kCmdCrossHair, FERNPLOT_TEXT("Commands", "ｸﾛｽﾍｱｰ ｶｰｿﾙ"),
     FERNPLOT_TEXT("Commands",
                   "ﾏｳｽがｸﾞﾗﾌ内にあるときｸﾛｽﾍｱを表示／非表示します。\nｸﾛｽﾍｱの表示／非表示")},
    {kCmdPrintSetup, FERNPLOT_TEXT("Commands", "ﾌﾟﾘﾝﾀの設定..."),
     FERNPLOT_TEXT("Commands", "ﾌﾟﾘﾝﾀ/印刷設定の変更\nﾌﾟﾘﾝﾀの設定")},
    {kCmdPrint, FERNPLOT_TEXT("Commands", "ｸﾞﾗﾌの印刷..."),
     FERNPLOT_TEXT("Commands", "表示しているｸﾞﾗﾌを印刷します。\nｸﾞﾗﾌの印刷")},
    {kCmdExit, FERNPLOT_TEXT("Commands", "ｱﾌﾟﾘｹｰｼｮﾝの終了"), ""},
    {kCmdAbout, FERNPLOT_TEXT("Commands", "ﾊﾞｰｼﾞｮﾝ情報..."), ""},
    {kCmdToolBar, FERNPLOT_TEXT("Commands", "ﾂｰﾙ ﾊﾞｰ"), ""},
    {kCmdStatusBar, FERNPLOT_TEXT("Commands", "ｽﾃｰﾀｽ ﾊﾞｰ"), ""},
    {kCmdLanguageAuto, FERNPLOT_TEXT("Commands", "自動 (ﾛｹｰﾙ) / Automatic"),
     FERNPLOT_TEXT("Commands", "次回の起動から使う言語を選びます。\n言語")},
    {kCmdLanguageJapanese, "日本語",  // each language by its own name

     FERNPLOT_TEXT("Commands", "次回の起動から使う言語を選びます。\n言語")},
    {kCmdLanguageEnglish, "English",
     FERNPLOT_TEXT("Commands", "次回の起動から使う言語を選びます。\n言語")},
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
