// SPDX-License-Identifier: MIT
// The settings file's numbers and words for the ratio, the scale type and
// tight labels: each value written as before and read back as itself, and the
// odd values of hand-edited files read as they have always been drawn.
#include <gtest/gtest.h>

#include <string>

#include "props/settings_file.h"
#include "text/encoding.h"

namespace fernplot {
namespace {

GraphProperties Loaded(const std::string& text) {
  GraphProperties p = FactoryDefaults();
  bool crossHair = false;
  std::string path;
  LoadSettingsFileText(Utf8ToCp932(text), p, crossHair, path);
  return p;
}

// The line of the written file that starts with `start`.
std::string LineOf(const std::string& text, const std::string& start) {
  const size_t at = text.find(start);
  if (at == std::string::npos) return {};
  return text.substr(at, text.find('\r', at) - at);
}

TEST(SettingsValues, EachValueIsWrittenAsItsTextAndReadBack) {
  const struct {
    ChannelRatio ratio;
    ScaleType scale;
    bool tight;
    const char* calcLine;
    const char* hbStart;
    const char* vlDivision;  // automatic division, then 1 or 2 for tight
  } rows[] = {
      {ChannelRatio::kCh1Ch2, ScaleType::kAuto, false, "CALC  = CH1/CH2", "AXIS  = HB 0 ", " Y1 "},
      {ChannelRatio::kCh2Ch1, ScaleType::kLog, true, "CALC  = CH2/CH1", "AXIS  = HB 1 ", " Y2 "},
      {ChannelRatio::kCh1Ch2, ScaleType::kLin, true, "CALC  = CH1/CH2", "AXIS  = HB 2 ", " Y2 "},
  };
  for (const auto& r : rows) {
    GraphProperties p = FactoryDefaults();
    p.calcType = r.ratio;
    p.HB.scaleType = r.scale;
    p.VL.tight = r.tight;
    const std::string text = SettingsFileText(p, false, "/d/*.DAT");
    EXPECT_EQ(LineOf(text, "CALC"), r.calcLine);
    EXPECT_EQ(LineOf(text, "AXIS  = HB").substr(0, 13), r.hbStart);
    EXPECT_NE(LineOf(text, "AXIS  = VL").find(r.vlDivision), std::string::npos) << r.vlDivision;
    EXPECT_EQ(Loaded(text), p) << r.hbStart;
  }
}

TEST(SettingsValues, HandEditedValuesReadAsTheyAreDrawn) {
  const std::string axis = " 225.0  0.0  5.0 Y 0.0000 Y 0.0000 Y1 0.0000 Y F\r\n";
  const std::string vl = "AXIS  = VL 2 120.0  5.0  5.0 Y 0.0000 Y 0.0000 ";
  const struct {
    const char* name;
    std::string lines;
    ChannelRatio ratio;
    ScaleType scale;
    bool tight;
  } rows[] = {
      // Any scale number but 1 and 2 has always been drawn as automatic.
      {"scale 7", "AXIS  = HB 7" + axis, ChannelRatio::kCh1Ch2, ScaleType::kAuto, false},
      {"scale -1", "AXIS  = HB -1" + axis, ChannelRatio::kCh1Ch2, ScaleType::kAuto, false},
      {"scale 2", "AXIS  = HB 2" + axis, ChannelRatio::kCh1Ch2, ScaleType::kLin, false},
      // Any word but CH1/CH2 has always meant CH2/CH1.
      {"calc lower case", "CALC = ch1/ch2\r\n", ChannelRatio::kCh2Ch1, ScaleType::kLog, false},
      {"calc other word", "CALC = OSC\r\n", ChannelRatio::kCh2Ch1, ScaleType::kLog, false},
      // Only a 2 after the division letter is tight.
      {"tight 3", vl + "Y3 0.0000 Y G\r\n", ChannelRatio::kCh1Ch2, ScaleType::kLog, false},
      {"no tight digit", vl + "Y 0.0000 Y G\r\n", ChannelRatio::kCh1Ch2, ScaleType::kLog, false},
      {"tight, manual division", vl + "N2 5.0000 Y G\r\n", ChannelRatio::kCh1Ch2, ScaleType::kLog,
       true},
  };
  for (const auto& r : rows) {
    const GraphProperties p = Loaded(r.lines);
    EXPECT_EQ(p.calcType, r.ratio) << r.name;
    EXPECT_EQ(p.HB.scaleType, r.scale) << r.name;
    EXPECT_EQ(p.VL.tight, r.tight) << r.name;
  }
}

}  // namespace
}  // namespace fernplot
