// SPDX-License-Identifier: MIT
#pragma once
// The views a page can be drawn in, one row each: the words that name a view
// in the settings file, on the exporter's command line and in the Python
// module, the viewer's texts for it, and its help line. Everything that
// lists the views (the settings reader and writer, --view and its help, the
// View menu, the property sheet's combo, the page's JSON) iterates these
// rows, so a new view is its own files plus one row here and one in the
// drawing's table (graph/page_view.cpp).

#include <array>
#include <optional>
#include <string>
#include <string_view>

#include "analysis/loop_kinds.h"
#include "text/ui_text.h"

namespace fernplot {

struct ViewRow {
  ViewKind kind;
  std::string_view settingsWord;  // VIEW = NYQUIST
  std::string_view optionWord;    // --view nyquist, view="nyquist"
  const char* menuText;           // the View menu (translated in "Commands")
  const char* menuPrompt;         // its status-bar prompt ("Commands")
  const char* sheetText;          // the property sheet's combo ("PropertySheet")
  const char* help;               // the exporter's --view help
};

inline constexpr std::array<ViewRow, 5> kViewRows{{
    {ViewKind::kBode, "BODE", "bode", FERNPLOT_TEXT("Commands", "ﾎﾞｰﾄﾞ線図"),
     FERNPLOT_TEXT("Commands", "表示ﾍﾟｰｼﾞをｹﾞｲﾝと位相の周波数特性で表示します。\nﾎﾞｰﾄﾞ線図"),
     FERNPLOT_TEXT("PropertySheet", "ﾎﾞｰﾄﾞ線図"), "gain and phase over frequency"},
    {ViewKind::kNyquist, "NYQUIST", "nyquist", FERNPLOT_TEXT("Commands", "ﾅｲｷｽﾄ線図"),
     FERNPLOT_TEXT("Commands", "表示ﾍﾟｰｼﾞを複素平面 (実部､虚部) に表示します。\nﾅｲｷｽﾄ線図"),
     FERNPLOT_TEXT("PropertySheet", "ﾅｲｷｽﾄ線図"), "the Nyquist plot (Im L over Re L)"},
    {ViewKind::kNichols, "NICHOLS", "nichols", FERNPLOT_TEXT("Commands", "ﾆｺﾙｽ線図"),
     FERNPLOT_TEXT("Commands", "表示ﾍﾟｰｼﾞを位相対ｹﾞｲﾝで表示します。\nﾆｺﾙｽ線図"),
     FERNPLOT_TEXT("PropertySheet", "ﾆｺﾙｽ線図"), "the Nichols chart (gain over phase)"},
    {ViewKind::kComplex, "COMPLEX", "complex", FERNPLOT_TEXT("Commands", "複素平面"),
     FERNPLOT_TEXT("Commands",
                   "表示ﾍﾟｰｼﾞを複素平面 (-Im Z 対 Re Z､等倍) に表示します。\n複素平面"),
     FERNPLOT_TEXT("PropertySheet", "複素平面"),
     "the complex plane of an impedance (-Im Z over Re Z, the origin in view)"},
    {ViewKind::kKk, "KK", "kk", FERNPLOT_TEXT("Commands", "Kramers–Kronig 残差"),
     FERNPLOT_TEXT("Commands",
                   "表示ﾍﾟｰｼﾞの Kramers–Kronig 検定の残差 (%) を周波数に対して表示します。\n"
                   "Kramers–Kronig 残差"),
     FERNPLOT_TEXT("PropertySheet", "Kramers–Kronig 残差"),
     "the residuals of the Kramers-Kronig test in % over frequency, +-1 % marked"},
}};

// The rows follow the enum, so a view's number (the property sheet's combo
// index, a stored ViewKind) is its row's place.
constexpr bool ViewRowsFollowTheEnum() {
  for (size_t i = 0; i < kViewRows.size(); ++i) {
    if (static_cast<size_t>(kViewRows[i].kind) != i) return false;
  }
  return true;
}
static_assert(ViewRowsFollowTheEnum());

// The row of a view; the first row's for a value outside the enum.
const ViewRow& RowOf(ViewKind kind);
// The view a settings word (exactly as written: "NYQUIST") or an option
// word ("nyquist") names.
std::optional<ViewKind> ViewOfSettingsWord(std::string_view word);
std::optional<ViewKind> ViewOfOptionWord(std::string_view word);
// The option words joined: "bode|nyquist|nichols" with "|", or
// "bode, nyquist or nichols" with ", " (the last joined by " or ").
std::string ViewOptionWords(std::string_view separator);

}  // namespace fernplot
