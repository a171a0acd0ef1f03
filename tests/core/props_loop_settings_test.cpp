// SPDX-License-Identifier: MIT
// The loop views' defaults in the settings file: lines of their own, written
// only when changed, read back, and left alone when their value is unknown.
#include <gtest/gtest.h>

#include <string>

#include "props/settings_file.h"
#include "text/encoding.h"

namespace fernplot {
namespace {

GraphProperties Loaded(const std::string& text, GraphProperties p = FactoryDefaults()) {
  bool crossHair = false;
  std::string path;
  LoadSettingsFileText(Utf8ToCp932(text), p, crossHair, path);
  return p;
}

TEST(LoopSettings, WrittenOnlyWhenChangedAndReadBack) {
  const std::string factory = SettingsFileText(FactoryDefaults(), false, "/d/*.DAT");
  for (const char* keyword : {"VIEW", "LOOP", "NYQUIST_RADIUS", "LOOP_MEASUREMENT"}) {
    EXPECT_EQ(factory.find(keyword), std::string::npos) << keyword;
  }
  const struct {
    ViewKind view;
    LoopCurve curve;
    double radius;
    const char* lines;
  } cases[] = {
      {ViewKind::kNyquist, LoopCurve::kOpen, 2.0, "VIEW = NYQUIST\r\n"},
      {ViewKind::kNichols, LoopCurve::kClosed, 2.0, "VIEW = NICHOLS\r\nLOOP = CLOSED\r\n"},
      {ViewKind::kBode, LoopCurve::kSensitivity, 0.0,
       "LOOP = SENSITIVITY\r\nNYQUIST_RADIUS = 0\r\n"},
      {ViewKind::kBode, LoopCurve::kOpen, 0.1, "NYQUIST_RADIUS = 0.1\r\n"},
  };
  for (const auto& c : cases) {
    GraphProperties p = FactoryDefaults();
    p.view = c.view;
    p.loopCurve = c.curve;
    p.nyquistRadius = c.radius;
    const std::string text = SettingsFileText(p, false, "/d/*.DAT");
    ASSERT_EQ(text.substr(0, factory.size()), factory) << c.lines;
    EXPECT_EQ(text.substr(factory.size()), c.lines);
    EXPECT_EQ(Loaded(text), p) << c.lines;  // 0.1 comes back as the same double
  }
}

TEST(LoopSettings, ReadingKeepsTheSettingForAnUnknownValue) {
  GraphProperties changed = FactoryDefaults();
  changed.view = ViewKind::kNichols;
  changed.loopCurve = LoopCurve::kClosed;
  changed.nyquistRadius = 3.0;
  const struct {
    const char* text;
    ViewKind view;
    LoopCurve curve;
    double radius;
  } cases[] = {
      {"VIEW  =  NYQUIST\n", ViewKind::kNyquist, LoopCurve::kClosed, 3.0},  // blanks, LF alone
      {"VIEW = BODE\r\nLOOP = OPEN\r\n", ViewKind::kBode, LoopCurve::kOpen, 3.0},
      {"VIEW = POLAR\r\nLOOP = closed\r\n", ViewKind::kNichols, LoopCurve::kClosed, 3.0},
      {"NYQUIST_RADIUS = 1e3\r\n", ViewKind::kNichols, LoopCurve::kClosed, 1000.0},
      {"NYQUIST_RADIUS = -1\r\n", ViewKind::kNichols, LoopCurve::kClosed, 3.0},
      {"NYQUIST_RADIUS = nan\r\n", ViewKind::kNichols, LoopCurve::kClosed, 3.0},
      {"NYQUIST_RADIUS = inf\r\n", ViewKind::kNichols, LoopCurve::kClosed, 3.0},
      {"NYQUIST_RADIUS = 1e308\r\n", ViewKind::kNichols, LoopCurve::kClosed, 3.0},
      {"NYQUIST_RADIUS = 1e-308\r\n", ViewKind::kNichols, LoopCurve::kClosed, 3.0},
      {"NYQUIST_RADIUS = 2x\r\n", ViewKind::kNichols, LoopCurve::kClosed, 3.0},
  };
  for (const auto& c : cases) {
    const GraphProperties p = Loaded(c.text, changed);
    EXPECT_EQ(p.view, c.view) << c.text;
    EXPECT_EQ(p.loopCurve, c.curve) << c.text;
    EXPECT_EQ(p.nyquistRadius, c.radius) << c.text;
  }
}

// The user's word on whether a page is a loop: a line only when said.
TEST(LoopSettings, LoopMeasurementLineRoundTrips) {
  const std::string factory = SettingsFileText(FactoryDefaults(), false, "/d/*.DAT");
  const struct {
    LoopJudgement judgement;
    const char* line;
  } cases[] = {{LoopJudgement::kAutomatic, ""},
               {LoopJudgement::kLoop, "LOOP_MEASUREMENT = YES\r\n"},
               {LoopJudgement::kNotLoop, "LOOP_MEASUREMENT = NO\r\n"}};
  for (const auto& c : cases) {
    GraphProperties p = FactoryDefaults();
    p.loopJudgement = c.judgement;
    const std::string text = SettingsFileText(p, false, "/d/*.DAT");
    EXPECT_EQ(text.substr(0, factory.size()), factory) << c.line;
    EXPECT_EQ(text.substr(factory.size()), c.line);
    EXPECT_EQ(Loaded(text).loopJudgement, c.judgement) << c.line;
  }
  GraphProperties said = FactoryDefaults();
  said.loopJudgement = LoopJudgement::kNotLoop;
  EXPECT_EQ(Loaded("LOOP_MEASUREMENT = MAYBE\r\n", said).loopJudgement, LoopJudgement::kNotLoop);
  EXPECT_EQ(Loaded("LOOP_MEASUREMENT = AUTO\r\n", said).loopJudgement, LoopJudgement::kAutomatic);
}

// The Nichols contours are on unless the file says OFF; a line only then,
// after the other loop lines, and an unknown word keeps what was set.
TEST(LoopSettings, NicholsContoursLineOnlyWhenOff) {
  const std::string factory = SettingsFileText(FactoryDefaults(), false, "/d/*.DAT");
  EXPECT_EQ(factory.find("NICHOLS_CONTOURS"), std::string::npos);
  GraphProperties off = FactoryDefaults();
  off.nicholsContours = false;
  off.loopJudgement = LoopJudgement::kLoop;
  const std::string text = SettingsFileText(off, false, "/d/*.DAT");
  ASSERT_EQ(text.substr(0, factory.size()), factory);
  EXPECT_EQ(text.substr(factory.size()), "LOOP_MEASUREMENT = YES\r\nNICHOLS_CONTOURS = OFF\r\n");
  EXPECT_EQ(Loaded(text), off);
  const struct {
    const char* text;
    bool from, to;
  } cases[] = {
      {"NICHOLS_CONTOURS = OFF\r\n", true, false}, {"NICHOLS_CONTOURS = ON\r\n", false, true},
      {"NICHOLS_CONTOURS  =  OFF\n", true, false}, {"NICHOLS_CONTOURS = off\r\n", true, true},
      {"NICHOLS_CONTOURS = NO\r\n", false, false}, {"NICHOLS_CONTOURS = \r\n", true, true},
  };
  for (const auto& c : cases) {
    GraphProperties p = FactoryDefaults();
    p.nicholsContours = c.from;
    EXPECT_EQ(Loaded(c.text, p).nicholsContours, c.to) << c.text;
  }
}

}  // namespace
}  // namespace fernplot
