// SPDX-License-Identifier: MIT
#include <gtest/gtest.h>
#include <sys/stat.h>
#include <unistd.h>

#include <cmath>
#include <cstdlib>
#include <functional>
#include <optional>

#include "app_state.h"
#include "fernplot_test_data.h"
#include "props/page_limits.h"
#include "props/settings_file.h"
#include "props/settings_scan.h"
#include "text/encoding.h"
#include "unprivileged.h"

namespace fernplot {
namespace {

using testing::ReadBytes;
using testing::TempDir;

// The factory file, line for line; only the search path is this platform's.
constexpr const char* kFactoryLines[] = {
    "*----------------------------------------------------",
    "* FERNPLOT - 設定ﾃﾞｰﾀ",
    "*----------------------------------------------------",
    "TITLE = 周波数特性",
    "CALC  = CH1/CH2",
    "COLOR = 0 255 255 230 ;ｸﾞﾗﾌ背景",
    "COLOR = 1 230 000 000 ;ｹﾞｲﾝの線",
    "COLOR = 2 000 000 192 ;位相の線",
    "LINE  = 1 BOLD ;ｹﾞｲﾝの線",
    "LINE  = 2 RGLR ;位相の線",
    "AXIS  = HT 0   0.0  0.0  0.0 N 0.0000 N 0.0000 N 0.0000 N ",
    "AXIS  = HB 1 225.0  0.0  5.0 Y 0.0000 Y 0.0000 Y1 0.0000 Y FREQUENCY [Hz]",
    "AXIS  = VL 2 120.0  5.0  5.0 Y 0.0000 Y 0.0000 Y1 0.0000 N GAIN [dB]",
    "AXIS  = VR 2 120.0  5.0  5.0 Y 0.0000 Y 0.0000 Y1 0.0000 N PHASE [deg]",
    "ITEM  = YYYYYYYYYYYYYYYYYY",
    "FONT  = 1  000 000 000 SJIS BOLD 12 ＭＳ Ｐゴシック",
    "FONT  = 2  000 000 000 SJIS RGLR  9 ＭＳ Ｐゴシック",
    "FONT  = 3  000 000 000 SJIS RGLR  9 ＭＳ Ｐゴシック",
    "FONT  = 4  000 000 127 SJIS RGLR 12 ＭＳ Ｐゴシック",
    "FONT  = 5  000 000 000 SJIS RGLR  9 ＭＳ Ｐゴシック",
    "FONT  = 6  000 000 000 SJIS RGLR  9 ＭＳ Ｐゴシック",
    "FONT  = 7  230 000 000 SJIS BOLD  9 ＭＳ Ｐゴシック",
    "FONT  = 8  230 000 000 SJIS BOLD  9 ＭＳ Ｐゴシック",
    "FONT  = 9  000 000 192 SJIS RGLR  9 ＭＳ Ｐゴシック",
    "FONT  = 10 000 000 192 SJIS RGLR  9 ＭＳ Ｐゴシック",
    "FONT  = 11 000 000 000 SJIS RGLR  9 ＭＳ Ｐゴシック",
    "CROSS_HAIRS_CURSOR = N",
    "DATA_FILE_PATH = /home/user/*.DAT",
};

std::string FactoryFileBytes() {
  std::string text;
  for (const char* line : kFactoryLines) text += std::string(line) + "\r\n";
  return Utf8ToCp932(text);
}

struct Loaded {
  GraphProperties props = FactoryDefaults();
  bool crossHair = false;
  std::string path = "/home/user/*.DAT";
};

Loaded LoadText(const std::string& utf8Lines) {
  Loaded l;
  LoadSettingsFileText(Utf8ToCp932(utf8Lines), l.props, l.crossHair, l.path);
  return l;
}

TEST(SettingsFile, FactoryDefaultsGiveTheExactFile) {
  TempDir dir;
  const std::string path = dir.File("fernplot.CFG");
  std::string dataPath = "/home/user/X1.DAT";
  SettingsResult r = SaveSettingsFile(path, FactoryDefaults(), false, dataPath);
  ASSERT_TRUE(r.ok) << r.error;
  EXPECT_EQ(dataPath, "/home/user/*.DAT");
  EXPECT_EQ(ReadBytes(path), FactoryFileBytes());
}

TEST(SettingsFile, LoadingTheFactoryFileChangesNothing) {
  TempDir dir;
  const std::string path = dir.Write("f.CFG", FactoryFileBytes());
  GraphProperties props = FactoryDefaults();
  bool crossHair = true;
  std::string dataPath;
  LoadSettingsFile(path, props, crossHair, dataPath);
  EXPECT_EQ(props, FactoryDefaults());
  EXPECT_FALSE(crossHair);
  EXPECT_EQ(dataPath, "/home/user/*.DAT");
}

// Something at the settings path that is no settings file: refused before
// any value is taken, with a reason, and never read without end.
TEST(SettingsFile, RefusesWhatIsNoSettingsFile) {
  TempDir dir;
  const std::string folder = dir.path().string() + "/folder.CFG";
  ASSERT_EQ(mkdir(folder.c_str(), 0755), 0);
  const std::string fifo = dir.path().string() + "/fifo.CFG";
  ASSERT_EQ(mkfifo(fifo.c_str(), 0644), 0);
  std::string big = FactoryFileBytes();
  big.resize(kMaxSettingsFileBytes + 1, ' ');
  const std::string large = dir.Write("large.CFG", big);
  for (const std::string& path : {folder, fifo, large, std::string("/dev/zero")}) {
    GraphProperties props = FactoryDefaults();
    bool crossHair = false;
    std::string dataPath = "kept";
    const SettingsLoadResult r = LoadSettingsFile(path, props, crossHair, dataPath);
    EXPECT_FALSE(r.ok) << path;
    EXPECT_FALSE(r.missing) << path;
    EXPECT_EQ(r.error.rfind(path + ": ", 0), 0u) << r.error;
    EXPECT_EQ(props, FactoryDefaults());
    EXPECT_EQ(dataPath, "kept");
  }
  // At the limit the file is still read.
  std::string edge = "TITLE = edge\r\n";
  edge.resize(kMaxSettingsFileBytes, ' ');
  GraphProperties props = FactoryDefaults();
  bool crossHair = false;
  std::string dataPath;
  EXPECT_TRUE(LoadSettingsFile(dir.Write("edge.CFG", edge), props, crossHair, dataPath).ok);
  EXPECT_EQ(props.title, "edge");
  const SettingsLoadResult none =
      LoadSettingsFile(dir.path().string() + "/none.CFG", props, crossHair, dataPath);
  EXPECT_TRUE(none.ok);
  EXPECT_TRUE(none.missing);
}

// The program starts with factory values and leaves such a path alone.
TEST(SettingsFile, StartupKeepsAnUnreadableSettingsPath) {
  TempDir dir;
  AppState state;
  state.settingsFilePath = dir.path().string() + "/folder.CFG";
  ASSERT_EQ(mkdir(state.settingsFilePath.c_str(), 0755), 0);
  EXPECT_FALSE(LoadStartupSettings(state).ok);
  EXPECT_EQ(state.defaults, FactoryDefaults());
  state.defaults.title = "changed";
  EXPECT_TRUE(SaveStartupSettings(state).ok);
  struct stat st {};
  ASSERT_EQ(stat(state.settingsFilePath.c_str(), &st), 0);
  EXPECT_TRUE(S_ISDIR(st.st_mode));

  std::string big(kMaxSettingsFileBytes + 10, '*');
  state = AppState{};
  state.settingsFilePath = dir.Write("big.CFG", big);
  EXPECT_FALSE(LoadStartupSettings(state).ok);
  EXPECT_TRUE(SaveStartupSettings(state).ok);
  EXPECT_EQ(ReadBytes(state.settingsFilePath), big);
}

TEST(SettingsFile, EditedValuesRoundTripAtTheirPrecision) {
  GraphProperties p = FactoryDefaults();
  p.title = "ループゲイン";
  p.calcType = ChannelRatio::kCh2Ch1;
  p.backgroundColor = Rgb(1, 2, 3);
  p.gainLineBoldOnPrint = 0;
  p.phaseLineBoldOnPrint = 1;
  p.VL.scaleType = ScaleType::kAuto;
  p.VL.length = 99.94f;
  p.VL.useDataMin = 0;
  p.VL.rangeMin = -40.123456;
  p.VL.tight = true;
  p.VL.autoDivision = 0;
  p.VL.interval = 10.0;
  p.VL.caption = "ゲイン [dB]";
  p.itemFlags[3] = 0;
  p.fonts[9].faceName = "IPAGothic";
  p.fonts[9].ansiCharset = 1;
  p.fonts[9].size = 14;
  p.fonts[9].color = Rgb(7, 8, 9);
  std::string dataPath = "/meas/a.dat";
  TempDir dir;
  ASSERT_TRUE(SaveSettingsFile(dir.File("s.CFG"), p, true, dataPath).ok);

  GraphProperties back = FactoryDefaults();
  bool crossHair = false;
  std::string backPath;
  LoadSettingsFile(dir.File("s.CFG"), back, crossHair, backPath);
  GraphProperties expected = p;
  expected.VL.length = 99.9f;                             // one decimal written
  expected.VL.rangeMin = static_cast<double>(-40.1235f);  // four decimals, float read
  EXPECT_EQ(back, expected);
  EXPECT_TRUE(crossHair);
  EXPECT_EQ(backPath, "/meas/*.DAT");
}

// Every saved value, each changed from the factory value to a different one
// per line of its kind, comes back from the written file: a writer and a
// reader of one line kind that disagree about a field or a line lose it.
TEST(SettingsFile, EverySavedValueRoundTrips) {
  GraphProperties p = FactoryDefaults();
  p.title = "T";
  p.calcType = ChannelRatio::kCh2Ch1;
  p.backgroundColor = Rgb(1, 2, 3);
  p.gainLineColor = Rgb(4, 5, 6);
  p.phaseLineColor = Rgb(7, 8, 9);
  p.gainLineBoldOnPrint = 0;
  p.phaseLineBoldOnPrint = 1;
  int n = 0;
  for (AxisSettings* a : {&p.HT, &p.HB, &p.VL, &p.VR}) {
    ++n;
    a->scaleType = static_cast<ScaleType>(n % 3);
    a->length = 50.0f + n;
    a->margin1 = 1.5f * n;
    a->margin2 = 0.5f * n;
    a->useDataMin = n % 2;
    a->rangeMin = -n;
    a->useDataMax = 1 - n % 2;
    a->rangeMax = 10 * n;
    a->autoDivision = n % 2;
    a->tight = a != &p.HT && n % 2 == 0;
    a->interval = 0.25 * n;
    a->gridLines = 1 - n % 2;
    a->caption = "C" + std::to_string(n);
  }
  for (size_t k = 0; k < kItemCount; ++k) p.itemFlags[k] = k % 3 == 0;
  for (size_t k = 0; k < kFontCategoryCount; ++k) {
    FontSetting& f = p.fonts[k];
    f.faceName = "Face" + std::to_string(k);
    f.size = 5 + static_cast<int32_t>(k);
    f.bold = k % 2;
    f.ansiCharset = 1 - k % 2;
    f.color = Rgb(static_cast<unsigned>(k), 2 * static_cast<unsigned>(k), 3);
  }
  for (size_t k = 0; k < kOverlayPaletteSize; ++k) p.overlayStyle.palette[k] = Rgb(9, 9, k);
  p.overlayStyle.legend = false;
  p.marginReferenceZero = 1;
  p.rightAxis = kRightGroupDelay;

  const std::string text = SettingsFileText(p, true, "/d/*.DAT");
  UnknownSettingsLines unknown;
  Loaded back;
  LoadSettingsFileText(Utf8ToCp932(text), back.props, back.crossHair, back.path, &unknown);
  EXPECT_EQ(back.props, p) << text;
  EXPECT_TRUE(back.crossHair);
  EXPECT_EQ(back.path, "/d/*.DAT");
  EXPECT_EQ(unknown, UnknownSettingsLines{});
  EXPECT_EQ(SettingsFileText(back.props, back.crossHair, back.path), text);
}

TEST(SettingsFile, OverlayLinesOnlyWhenChanged) {
  GraphProperties p = FactoryDefaults();
  p.overlayStyle.palette[2] = Rgb(10, 20, 30);
  p.overlayStyle.legend = false;
  const std::string text = SettingsFileText(p, false, "/x/*.DAT");
  // Appended after the lines every copy knows, one per changed value.
  EXPECT_NE(text.find("DATA_FILE_PATH = /x/*.DAT\r\nOVERLAY_COLOR = 3 010 020 030 ;ｵｰﾊﾞｰﾚｲ3\r\n"
                      "OVERLAY_LEGEND = N ;凡例\r\n"),
            std::string::npos)
      << text;
  EXPECT_EQ(text.find("OVERLAY_COLOR = 1"), std::string::npos);

  const Loaded back = LoadText(text);
  EXPECT_EQ(back.props.overlayStyle, p.overlayStyle);
  // Out-of-range numbers are skipped; later lines win.
  const Loaded odd = LoadText(
      "OVERLAY_COLOR = 9 1 2 3\r\nOVERLAY_COLOR = 0 1 2 3\r\n"
      "OVERLAY_LEGEND = N\r\nOVERLAY_LEGEND = Y\r\n");
  EXPECT_EQ(odd.props.overlayStyle, OverlayStyle{});
}

TEST(SettingsFile, ReadingPatternsAndTheirAsymmetries) {
  const GraphProperties f = FactoryDefaults();
  struct Row {
    const char* line;
    std::function<bool(const Loaded&)> check;
  } rows[] = {
      {"TITLE=Bode", [](const Loaded& l) { return l.props.title == "Bode"; }},
      {"TITLE =   spaced  ", [](const Loaded& l) { return l.props.title == "spaced  "; }},
      {"title = Bode", [&](const Loaded& l) { return l.props.title == f.title; }},
      {" TITLE = Bode", [&](const Loaded& l) { return l.props.title == f.title; }},
      {"TITLE = ", [&](const Loaded& l) { return l.props.title == f.title; }},
      {"CALC=CH2/CH1", [](const Loaded& l) { return l.props.calcType == ChannelRatio::kCh2Ch1; }},
      {"CALC = ch1/ch2", [](const Loaded& l) { return l.props.calcType == ChannelRatio::kCh2Ch1; }},
      {"CALC = CH1/CH2 ",
       [](const Loaded& l) { return l.props.calcType == ChannelRatio::kCh2Ch1; }},
      {"COLOR = 1 300 0 0", [](const Loaded& l) { return l.props.gainLineColor == Rgb(44, 0, 0); }},
      {"COLOR = 2 -1 0 256",
       [](const Loaded& l) { return l.props.phaseLineColor == Rgb(255, 0, 0); }},
      {"COLOR = 3 1 1 1", [&](const Loaded& l) { return l.props == f; }},
      {"COLOR = 0 1 1", [&](const Loaded& l) { return l.props == f; }},
      {"LINE = 2 bold", [](const Loaded& l) { return l.props.phaseLineBoldOnPrint == 0; }},
      {"LINE = 2 BOLD ;x", [](const Loaded& l) { return l.props.phaseLineBoldOnPrint == 1; }},
      {"LINE = 1 BOLDER", [](const Loaded& l) { return l.props.gainLineBoldOnPrint == 0; }},
      {"FONT = 0 1 1 1 ANSI BOLD 9 X", [&](const Loaded& l) { return l.props == f; }},
      {"FONT = 12 1 1 1 ANSI BOLD 9 X", [&](const Loaded& l) { return l.props == f; }},
      {"FONT = 11 1 2 3 ANSI BOLD 14 Noto Sans CJK JP",
       [](const Loaded& l) {
         const FontSetting& font = l.props.fonts[10];
         return font.faceName == "Noto Sans CJK JP" && font.size == 14 && font.bold == 1 &&
                font.ansiCharset == 1 && font.color == Rgb(1, 2, 3);
       }},
      {"FONT = 1 0 0 0 sjis bold 9 F",
       [](const Loaded& l) {
         return l.props.fonts[0].bold == 0 && l.props.fonts[0].faceName == "F";
       }},
      {"ITEM = YYN",
       [](const Loaded& l) {
         for (int k = 0; k < kItemCount; ++k) {
           if (l.props.itemFlags[static_cast<size_t>(k)] != (k < 2)) return false;
         }
         return true;
       }},
      {"ITEM = yYYYYYYYYYYYYYYYYYYYYY", [](const Loaded& l) { return l.props.itemFlags[0] == 0; }},
      {"AXIS = VL 2 120 5 5 Y 0 Y 0 Y1 0 N",
       [&](const Loaded& l) { return l.props.VL == f.VL; }},  // eleven values: skipped
      {"AXIS = XX 2 1 1 1 N 1 N 1 N1 1 N cap", [&](const Loaded& l) { return l.props == f; }},
      {"AXIS = HT 1 10 1 2 Y -5 Y 5 Y2 1 Y top",
       [](const Loaded& l) {
         const AxisSettings& a = l.props.HT;
         return a.scaleType == ScaleType::kLog && a.length == 10.0f && a.margin1 == 1.0f &&
                a.margin2 == 2.0f && a.useDataMin && a.rangeMin == -5.0 && a.useDataMax &&
                a.rangeMax == 5.0 && a.autoDivision && a.tight && a.interval == 1.0 &&
                a.gridLines && a.caption == "top" && a.axisId == kAxisHT;
       }},
      {"AXIS = VR 1 1e2 +2.5 .5 No 0.1 n 1E30 N2 .5 Yes  two words ",
       [](const Loaded& l) {
         const AxisSettings& a = l.props.VR;
         return a.length == 100.0f && a.margin1 == 2.5f && a.margin2 == 0.5f && !a.useDataMin &&
                a.rangeMin == static_cast<double>(0.1f) && !a.useDataMax &&
                a.rangeMax == static_cast<double>(1e30f) && !a.autoDivision && a.tight &&
                a.interval == 0.5 && a.gridLines && a.caption == "two words ";
       }},
      // Past a float: infinite, which no axis may hold.
      {"AXIS = VR 1 1e2 +2.5 .5 No 0.1 n 1E400 N2 .5 Yes x",
       [&](const Loaded& l) { return l.props.VR == f.VR; }},
      {"AXIS = HB 1 x 0 5 Y 0 Y 0 Y1 0 Y cap", [&](const Loaded& l) { return l.props.HB == f.HB; }},
      {"AXIS = HB 1 --9 0 5 Y 0 Y 0 Y1 0 Y cap",
       [&](const Loaded& l) { return l.props.HB == f.HB; }},  // one sign per number
      {"CROSS_HAIRS_CURSOR = Yes", [](const Loaded& l) { return l.crossHair; }},
      {"CROSS_HAIRS_CURSOR = y", [](const Loaded& l) { return !l.crossHair; }},
      {"DATA_FILE_PATH = /a b/*.DAT", [](const Loaded& l) { return l.path == "/a b/*.DAT"; }},
      {"DATA_FILE_PATH = ", [](const Loaded& l) { return l.path == "/home/user/*.DAT"; }},
  };
  for (const Row& r : rows) {
    EXPECT_TRUE(r.check(LoadText(std::string(r.line) + "\n"))) << r.line;
    EXPECT_TRUE(r.check(LoadText(std::string(r.line) + "\r\n"))) << r.line << " (CRLF)";
  }
}

TEST(SettingsFile, EmptyValuesComeBackAsDefaults) {
  GraphProperties p = FactoryDefaults();
  p.title = "";
  p.HB.caption = "";
  p.HB.length = 1.0f;
  std::string path = "";
  const std::string text = Utf8ToCp932(SettingsFileText(p, false, path));
  Loaded l;
  LoadSettingsFileText(text, l.props, l.crossHair, l.path);
  EXPECT_EQ(l.props.title, "周波数特性");
  EXPECT_EQ(l.props.HB, FactoryDefaults().HB) << "an AXIS line with an empty caption is skipped";
  EXPECT_EQ(l.path, "/home/user/*.DAT");
}

TEST(SettingsFile, LaterLinesWinAndLongValuesAreCut) {
  const std::string longTitle(40, 'T');
  const std::string longKanji = "周波数特性周波数特性周波数特性周波数特性";  // 40 bytes
  Loaded l =
      LoadText("TITLE = first\nTITLE = " + longTitle + "\nAXIS = HB 1 200 3 4 Y 0 Y 0 Y1 0 Y " +
               longKanji + "\nFONT = 2 0 0 0 SJIS RGLR 9 " + std::string(80, 'f') + "\n");
  EXPECT_EQ(l.props.title, std::string(32, 'T'));
  EXPECT_EQ(l.props.HB.caption, "周波数特性周波数特性周波数特性周");
  EXPECT_EQ(l.props.fonts[1].faceName, std::string(63, 'f'));

  // A line over 255 bytes is read in pieces, each taken as a line.
  Loaded pieces = LoadText("TITLE = " + std::string(247, 'x') + "TITLE = tail\n");
  EXPECT_EQ(pieces.props.title, "tail");
  // A piece never ends inside a double-byte character: サ is 83 54, and a
  // split after 83 would leave a line "TITLE = k".
  Loaded kanji = LoadText(std::string(254, 'x') + "サITLE = k\n");
  EXPECT_EQ(kanji.props.title, "周波数特性");

  // A NUL byte ends the line as the matcher sees it.
  Loaded nul = LoadText(std::string("TITLE = ab\0cd\nCALC = CH2/CH1\nCALC = CH1/CH2\0x\n", 46));
  EXPECT_EQ(nul.props.title, "ab");
  EXPECT_EQ(nul.props.calcType, ChannelRatio::kCh1Ch2);
  Loaded nulFirst = LoadText(std::string("\0TITLE = ab\n", 12));
  EXPECT_EQ(nulFirst.props.title, "周波数特性");
}

// The file is edited by hand: whatever can be drawn is used as written, far
// outside what the property sheet offers; only what cannot be drawn soundly
// leaves the line's values as they were.
TEST(SettingsFile, OnlyValuesThatCannotBeDrawnFallBack) {
  const GraphProperties factory = FactoryDefaults();
  struct Row {
    const char* line;
    std::function<bool(const GraphProperties&)> check;
  } used[] = {
      {"FONT  = 4  001 002 003 SJIS BOLD 20 Big",
       [](const GraphProperties& p) {
         return p.fonts[3].size == 20 && p.fonts[3].color == Rgb(1, 2, 3) &&
                p.fonts[3].faceName == "Big";
       }},
      {"FONT  = 6  000 000 000 SJIS RGLR 1 X",
       [](const GraphProperties& p) { return p.fonts[5].size == 1; }},
      {"FONT  = 11 000 000 000 SJIS RGLR 400 X",
       [](const GraphProperties& p) { return p.fonts[10].size == 400; }},
      {"AXIS  = HB 2 300.0  0.0  5.0 Y 0.0000 Y 0.0000 Y1 0.0000 Y A3",
       [](const GraphProperties& p) {
         return p.HB.length == 300.0f && p.HB.scaleType == ScaleType::kLin && p.HB.caption == "A3";
       }},
      {"AXIS  = VR 2 2.0  0.0  0.0 Y 0.0000 Y 0.0000 Y1 0.0000 N P",
       [](const GraphProperties& p) { return p.VR.length == 2.0f; }},
      {"AXIS  = VL 2 100.0  -5.0  -5.0 N -1e30 N 1e30 N1 1e-30 Y G",
       [](const GraphProperties& p) {
         return p.VL.margin1 == -5.0f && p.VL.rangeMin == static_cast<double>(-1e30f) &&
                p.VL.interval == static_cast<double>(1e-30f);
       }},
      {"AXIS  = VL 2 30.0  14.9  15.0 Y 0.0000 Y 0.0000 Y1 0.0000 N thin",
       [](const GraphProperties& p) { return p.VL.caption == "thin"; }},
      {"AXIS  = HB 1 4000.0  0.0  5.0 Y 0.0000 Y 0.0000 Y1 0.0000 Y wide",
       [](const GraphProperties& p) { return p.HB.length == 4000.0f; }},
      {"AXIS  = HT 0 -7.0  0.0  0.0 N 0.0000 N 0.0000 N 0.0000 N top",
       [](const GraphProperties& p) { return p.HT.length == -7.0f; }},
  };
  for (const Row& r : used) {
    EXPECT_TRUE(r.check(LoadText(std::string(r.line) + "\n").props)) << r.line;
  }

  const char* refused[] = {
      // Not a number, or a number that is no size.
      "FONT  = 1  000 000 000 SJIS BOLD 0 X",
      "FONT  = 2  000 000 000 SJIS BOLD -5 X",
      "AXIS  = VL 2 nan  5.0  5.0 Y 0.0000 Y 0.0000 Y1 0.0000 N X",
      "AXIS  = VR 2 120.0  5.0  5.0 N inf Y 0.0000 Y1 0.0000 N X",
      "AXIS  = HT 0 0.0  0.0  0.0 N -inf N 0.0000 N 0.0000 N X",
      "AXIS  = HB 1 0.0  0.0  0.0 Y 0.0000 Y 0.0000 Y1 0.0000 Y X",
      "AXIS  = HB 1 -50.0  0.0  0.0 Y 0.0000 Y 0.0000 Y1 0.0000 Y X",
      // No graph area left between the margins.
      "AXIS  = VR 2 100.0  50.0  50.0 Y 0.0000 Y 0.0000 Y1 0.0000 N X",
      // A manual division that would never end.
      "AXIS  = VR 2 100.0  5.0  5.0 Y 0.0000 Y 0.0000 N 0.0000 N X",
      "AXIS  = VR 2 100.0  5.0  5.0 Y 0.0000 Y 0.0000 N -1.0 N X",
      // Pages beyond what any output holds.
      "FONT  = 1  000 000 000 SJIS BOLD 2147483647 X",
      "FONT  = 11 000 000 000 SJIS BOLD 20000 X",
      "AXIS  = HB 1 1e30  0.0  5.0 Y 0.0000 Y 0.0000 Y1 0.0000 Y X",
      "AXIS  = HB 1 5050.0  0.0  5.0 Y 0.0000 Y 0.0000 Y1 0.0000 Y X",
      "AXIS  = HT 0 6000.0  0.0  0.0 N 0.0000 N 0.0000 N 0.0000 N X",
      "AXIS  = VL 2 5000.0  0.0  0.0 Y 0.0000 Y 0.0000 Y1 0.0000 N X",
  };
  for (const char* line : refused) {
    const Loaded l = LoadText(std::string(line) + "\n");
    EXPECT_EQ(l.props, factory) << line;
  }

  // Each side fits a vector page, but the two together make a picture of
  // more than 200 megapixels at 100 %: the line that would cross the limit
  // is the one ignored.
  const Loaded both = LoadText(
      "AXIS  = HB 1 4000.0  0.0  5.0 Y 0.0000 Y 0.0000 Y1 0.0000 Y X\n"
      "AXIS  = VL 2 4000.0  5.0  5.0 Y 0.0000 Y 0.0000 Y1 0.0000 N X\n"
      "AXIS  = VR 2 1000.0  5.0  5.0 Y 0.0000 Y 0.0000 Y1 0.0000 N X\n");
  EXPECT_EQ(both.props.HB.length, 4000.0f);
  EXPECT_EQ(both.props.VL, factory.VL);
  EXPECT_EQ(both.props.VR.length, 1000.0f);
  EXPECT_TRUE(PageWithinLimits(both.props));
}

// Lines this copy does not understand survive a load and a save, as their
// bytes and in their order, after the lines it writes; lines it understands
// are written from the values, and the factory file keeps its exact bytes.
TEST(SettingsFile, LinesNotUnderstoodAreWrittenBackVerbatim) {
  UnknownSettingsLines unknown;
  Loaded factory;
  LoadSettingsFileText(FactoryFileBytes(), factory.props, factory.crossHair, factory.path,
                       &unknown);
  EXPECT_TRUE(unknown.empty());
  EXPECT_EQ(SettingsFileBytes(factory.props, factory.crossHair, factory.path, unknown),
            FactoryFileBytes());

  const std::string kept[] = {
      "RIGHT_AXIS = GROUPDELAY2",                           // a later version's value
      "FUTURE_OPTION = 1 2 3",                              // an unknown keyword
      "OVERLAY_LEGEND = maybe",                             // a value that cannot be read
      "CROSS_HAIRS_CURSOR = sometimes",                     //
      "COLOR = 7 001 002 003 ;more colours",                // no such item
      "MARGIN_REF = 90",                                    //
      "AXIS  = VL 2 nan 5.0 5.0 Y 0 Y 0 Y1 0 N G",          // cannot be drawn
      "* my own note",                                      // a comment of the user's
      "",                                                   // a blank line
      std::string("raw \x81\x7f\xff\xfe bytes\0tail", 19),  // not text, a NUL
      "NOTE = " + std::string(300, 'n'),                    // read in pieces
  };
  std::string file;
  for (size_t i = 0; i < std::size(kFactoryLines); ++i) {
    file += Utf8ToCp932(kFactoryLines[i]) + "\r\n";
    // Interleaved with the lines that are understood, LF alone at times.
    if (i > 0 && i <= std::size(kept)) file += kept[i - 1] + (i % 2 ? "\r\n" : "\n");
  }
  file += "OVERLAY_LEGEND = N\r\nTITLE = \r\n";  // understood, and the writer's own
  unknown.clear();
  Loaded l;
  LoadSettingsFileText(file, l.props, l.crossHair, l.path, &unknown);
  EXPECT_EQ(unknown, std::vector<std::string>(std::begin(kept), std::end(kept)));
  GraphProperties expected = FactoryDefaults();
  expected.overlayStyle.legend = false;  // only from the line that could be read
  EXPECT_EQ(l.props, expected);
  EXPECT_FALSE(l.crossHair);

  // Saved: the values' lines, then the kept ones; a second round is stable.
  TempDir dir;
  std::string dataPath = l.path;
  ASSERT_TRUE(SaveSettingsFile(dir.File("s.CFG"), l.props, l.crossHair, dataPath, unknown).ok);
  std::string written = Utf8ToCp932(SettingsFileText(expected, false, dataPath));
  for (const std::string& line : kept) written += line + "\r\n";
  EXPECT_EQ(ReadBytes(dir.File("s.CFG")), written);
  UnknownSettingsLines again;
  Loaded back;
  ASSERT_TRUE(
      LoadSettingsFile(dir.File("s.CFG"), back.props, back.crossHair, back.path, &again).ok);
  EXPECT_EQ(again, unknown);
  EXPECT_EQ(back.props, expected);
}

// The program's start and exit carry the lines in its state.
TEST(SettingsFile, StartupKeepsLinesNotUnderstoodUntilExit) {
  TempDir dir;
  AppState state;
  state.settingsFilePath = dir.Write("s.CFG", "TITLE = Mine\nRIGHT_AXIS = GROUPDELAY2\n");
  LoadStartupSettings(state);
  state.defaults.title = "Changed";
  ASSERT_TRUE(SaveStartupSettings(state).ok);
  const std::string text = ReadBytes(state.settingsFilePath);
  EXPECT_NE(text.find("TITLE = Changed\r\n"), std::string::npos);
  EXPECT_TRUE(text.ends_with("\r\nRIGHT_AXIS = GROUPDELAY2\r\n")) << text;
  // Loading again starts from nothing kept.
  state.settingsFilePath = dir.Write("t.CFG", "TITLE = Other\n");
  LoadStartupSettings(state);
  EXPECT_TRUE(state.unknownSettingsLines.empty());
}

TEST(SettingsFile, SaveFailureIsReported) {
  TempDir dir;
  std::string dataPath = "/x/*.DAT";
  SettingsResult r =
      SaveSettingsFile(dir.File("sub/dir/s.CFG"), FactoryDefaults(), false, dataPath);
  EXPECT_TRUE(r.ok) << "a missing per-user folder is created";
  const std::string file = dir.Write("file", "x");
  r = SaveSettingsFile(file + "/s.CFG", FactoryDefaults(), false, dataPath);
  EXPECT_FALSE(r.ok);
  EXPECT_FALSE(r.error.empty());
}

TEST(SettingsFile, AWriteProtectedFileIsKept) {
  TempDir dir;
  const std::string file = dir.Write("s.CFG", "old");
  ASSERT_EQ(chmod(file.c_str(), 0444), 0);
  std::string dataPath = "/x/*.DAT";
  const SettingsResult r = SaveSettingsFile(file, FactoryDefaults(), false, dataPath);
  EXPECT_FALSE(r.ok);
  EXPECT_NE(r.error.find("write-protected"), std::string::npos) << r.error;
  EXPECT_EQ(ReadBytes(file), "old");
  chmod(file.c_str(), 0644);
  EXPECT_TRUE(SaveSettingsFile(file, FactoryDefaults(), false, dataPath).ok);
}

TEST(SettingsFile, SaveIntoAReadOnlyFolderKeepsTheOldFile) {
  const std::string skipped = testing::RunWithoutPrivileges([] {
    TempDir dir;
    std::string dataPath = "/x/*.DAT";
    const std::string old = dir.Write("keep.CFG", "old");
    ASSERT_EQ(ReadBytes(old), "old");
    chmod(dir.path().c_str(), 0500);
    const SettingsResult r = SaveSettingsFile(old, FactoryDefaults(), false, dataPath);
    chmod(dir.path().c_str(), 0700);
    EXPECT_FALSE(r.ok);
    EXPECT_FALSE(r.error.empty());
    EXPECT_EQ(ReadBytes(old), "old");
  });
  if (!skipped.empty()) GTEST_SKIP() << skipped;
}

// Sets XDG_CONFIG_HOME for one test and puts the old value back.
class ConfigHome {
 public:
  ConfigHome() {
    if (const char* old = std::getenv("XDG_CONFIG_HOME")) saved_ = old;
  }
  ~ConfigHome() {
    if (saved_) {
      setenv("XDG_CONFIG_HOME", saved_->c_str(), 1);
    } else {
      unsetenv("XDG_CONFIG_HOME");
    }
  }
  ConfigHome(const ConfigHome&) = delete;
  ConfigHome& operator=(const ConfigHome&) = delete;
  void Set(const std::string& value) { setenv("XDG_CONFIG_HOME", value.c_str(), 1); }

 private:
  std::optional<std::string> saved_;
};

// The program's folder when it may be written, else the per-user file.
void ExpectPerUserLocation(const TempDir& dir, const std::string& program) {
  ConfigHome configHome;
  configHome.Set(dir.File("cfg"));
  EXPECT_EQ(DefaultSettingsFilePath(program), dir.File("cfg/fernplot/fernplot.CFG"));
  configHome.Set("");
  const std::string home = std::getenv("HOME") ? std::getenv("HOME") : "";
  EXPECT_EQ(DefaultSettingsFilePath(program), home + "/.config/fernplot/fernplot.CFG");
}

TEST(SettingsFile, LocationBesideTheProgramOrPerUser) {
  TempDir dir;
  EXPECT_EQ(DefaultSettingsFilePath(dir.File("fernplot")), dir.File("fernplot.CFG"));
  EXPECT_EQ(DefaultSettingsFilePath(dir.File("fernplot-export")), dir.File("fernplot-export.CFG"));
  ExpectPerUserLocation(dir, dir.File("gone/fernplot"));
}

TEST(SettingsFile, ReadOnlyProgramFolderMeansPerUser) {
  const std::string skipped = testing::RunWithoutPrivileges([] {
    TempDir dir;
    std::filesystem::create_directory(dir.path() / "ro");
    chmod((dir.path() / "ro").c_str(), 0500);
    ASSERT_NE(access((dir.path() / "ro").c_str(), W_OK), 0);
    ExpectPerUserLocation(dir, dir.File("ro/fernplot"));
  });
  if (!skipped.empty()) GTEST_SKIP() << skipped;
}

TEST(SettingsFile, ReadOnlyProgramFolderSettingsAreReadUntilTheUserHasOwn) {
  const std::string skipped = testing::RunWithoutPrivileges([] {
    TempDir dir;
    ConfigHome configHome;
    configHome.Set(dir.File("cfg"));
    std::filesystem::create_directory(dir.path() / "ro");
    const std::string beside = dir.Write("ro/fernplot.CFG", "TITLE = Site\n");
    chmod((dir.path() / "ro").c_str(), 0500);
    ASSERT_NE(access((dir.path() / "ro").c_str(), W_OK), 0);
    const std::string program = dir.File("ro/fernplot");
    const std::string perUser = dir.File("cfg/fernplot/fernplot.CFG");
    EXPECT_EQ(DefaultSettingsFilePath(program), perUser);  // changes go here
    EXPECT_EQ(DefaultSettingsReadPath(program), beside);
    std::filesystem::create_directories(dir.path() / "cfg/fernplot");
    dir.Write("cfg/fernplot/fernplot.CFG", "TITLE = Mine\n");
    EXPECT_EQ(DefaultSettingsReadPath(program), perUser);  // the user's own wins
    // A writable program folder reads and writes the same file.
    EXPECT_EQ(DefaultSettingsReadPath(dir.File("fernplot")), dir.File("fernplot.CFG"));
  });
  if (!skipped.empty()) GTEST_SKIP() << skipped;
}

// An installation (<prefix>/bin beside <prefix>/share/fernplot) keeps its
// settings per user even when its bin folder is writable (a user-owned
// prefix, or root), and only then.
TEST(SettingsFile, InstalledProgramIsPerUserEvenInAWritableFolder) {
  TempDir dir;
  std::filesystem::create_directories(dir.path() / "prefix/bin");
  std::filesystem::create_directories(dir.path() / "other/bin");
  std::filesystem::create_directories(dir.path() / "prefix/share/fernplot");
  EXPECT_TRUE(IsInstalledProgramFolder(dir.File("prefix/bin")));
  EXPECT_TRUE(IsInstalledProgramFolder(dir.File("prefix/bin/")));
  EXPECT_FALSE(IsInstalledProgramFolder(dir.File("other/bin")));
  EXPECT_FALSE(IsInstalledProgramFolder(dir.File("prefix/share")));
  ExpectPerUserLocation(dir, dir.File("prefix/bin/fernplot"));
  EXPECT_EQ(DefaultSettingsFilePath(dir.File("other/bin/fernplot")),
            dir.File("other/bin/fernplot.CFG"));
}

TEST(SettingsFile, StartupLoadsOverFactoryDefaults) {
  TempDir dir;
  AppState state;
  state.defaults.title = "stale";
  state.settingsFilePath = dir.Write("s.CFG", "CROSS_HAIRS_CURSOR = Y\nTITLE = Saved\n");
  LoadStartupSettings(state);
  GraphProperties expected = FactoryDefaults();
  expected.title = "Saved";
  EXPECT_EQ(state.defaults, expected);
  EXPECT_TRUE(state.crossHairEnabled);
  EXPECT_TRUE(state.dataFilePath.ends_with("/*.DAT"));
  state.dataFilePath = "/m/x.DAT";
  ASSERT_TRUE(SaveStartupSettings(state).ok);
  EXPECT_EQ(state.dataFilePath, "/m/*.DAT");
}

TEST(ScanLine, FollowsFormattedInputRules) {
  std::vector<ScanField> f;
  EXPECT_TRUE(ScanLine("A=1", "A = %d", f));
  EXPECT_TRUE(ScanLine("A \t= -12x", "A = %d", f));
  EXPECT_EQ(f[0].integer, -12);
  EXPECT_FALSE(ScanLine("A = x", "A = %d", f));
  EXPECT_FALSE(ScanLine("A = 1", "A = %d%d", f));
  EXPECT_TRUE(ScanLine("A = 99999999999", "A = %d", f));
  EXPECT_EQ(f[0].integer, 2147483647);
  EXPECT_TRUE(ScanLine("A = 0.1", "A = %f", f));
  EXPECT_EQ(f[0].number, 0.1f);
  EXPECT_TRUE(ScanLine("A = 0x1p3", "A = %f", f));
  EXPECT_EQ(f[0].number, 8.0f);
  EXPECT_TRUE(ScanLine("A = -inf", "A = %f", f));
  EXPECT_TRUE(std::isinf(f[0].number) && f[0].number < 0);
  EXPECT_FALSE(ScanLine("A = .", "A = %f", f));
  EXPECT_FALSE(ScanLine("A = --5", "A = %f", f));
  EXPECT_FALSE(ScanLine("A = +-5", "A = %f", f));
  EXPECT_FALSE(ScanLine("A = -+5", "A = %f", f));
  EXPECT_TRUE(ScanLine("A = -0x1p3", "A = %f", f));
  EXPECT_EQ(f[0].number, -8.0f);
  EXPECT_TRUE(ScanLine("A = w1 w2", "A = %s%s", f));
  EXPECT_EQ(f[1].text, "w2");
  EXPECT_FALSE(ScanLine("A =   ", "A = %[^\n]", f));
  EXPECT_TRUE(ScanLine("A=  r e s t  ", "A = %[^\n]", f));
  EXPECT_EQ(f[0].text, "r e s t  ");
}

}  // namespace
}  // namespace fernplot
