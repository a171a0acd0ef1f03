// SPDX-License-Identifier: MIT
#include <gtest/gtest.h>

#include <string>

#include "import/import_reader.h"

namespace fernplot {
namespace {

struct Expect {
  double frequency, gainDb, phaseDeg;
};

// The single trace of `text` read as `name`; fails the test on an error.
ImportedTrace ReadOne(const std::string& text, const std::string& name,
                      const std::string& sparam = "") {
  const ImportResult r = ParseImport(text, name, {sparam});
  EXPECT_TRUE(r.file) << r.error.line << ": " << r.error.message;
  if (!r.file) return {};
  EXPECT_EQ(r.file->traces.size(), 1u);
  return r.file->traces.front();
}

void ExpectPoint(const TracePoint& p, const Expect& e) {
  EXPECT_NEAR(p.frequency, e.frequency, e.frequency * 1e-12);
  EXPECT_NEAR(p.gainDb, e.gainDb, 1e-4);
  EXPECT_NEAR(p.phaseDeg, e.phaseDeg, 1e-4);
}

// 0.5 at 30 degrees, in each number format, and the frequency 2 in each unit.
TEST(TouchstoneRead, EveryUnitAndFormatOfAOnePort) {
  const struct {
    const char* option;
    const char* pair;
    double hertz;
  } cases[] = {
      {"# Hz S MA R 50", "0.5 30", 2.0},
      {"# kHz S DB R 50", "-6.020599913 30", 2e3},
      {"# MHz S RI R 50", "0.4330127019 0.25", 2e6},
      {"# GHz S MA R 50", "0.5 30", 2e9},
      {"#", "0.5 30", 2e9},              // everything defaulted: GHz S MA
      {"# db", "-6.020599913 30", 2e9},  // case does not matter
      {"# R 75 ri KHZ", "0.4330127019 0.25", 2e3},
      {"! no option line at all", "0.5 30", 2e9},
  };
  for (const auto& c : cases) {
    SCOPED_TRACE(c.option);
    const std::string text = std::string(c.option) + "\n2 " + c.pair + "\n";
    const ImportedTrace t = ReadOne(text, "a.s1p");
    EXPECT_EQ(t.name, "S11");
    ASSERT_EQ(t.points.size(), 1u);
    ExpectPoint(t.points[0], {c.hertz, -6.020599913, 30.0});
  }
}

const char* const kTwoPort =
    "! two-port, S11 S21 S12 S22 per row\n"
    "# MHz S DB R 50\n"
    "1 -1 10 -2 20 -3 30 -4 40 ! comment after data\n"
    "2 -5 50 -6 60\n"
    "  -7 70 -8 80   ! the row runs on\n"
    "# Hz S RI R 50\n"  // a second option line changes nothing
    "! trailing comment\n";

TEST(TouchstoneRead, TwoPortSelectsS21ByDefaultAndAnyParameterOnRequest) {
  const struct {
    const char* sparam;
    double g1, p1, g2, p2;
  } cases[] = {{"", -2, 20, -6, 60},
               {"S21", -2, 20, -6, 60},
               {"s11", -1, 10, -5, 50},
               {"S12", -3, 30, -7, 70},
               {"S22", -4, 40, -8, 80}};
  for (const auto& c : cases) {
    SCOPED_TRACE(c.sparam);
    const ImportedTrace t = ReadOne(kTwoPort, "amp.s2p", c.sparam);
    ASSERT_EQ(t.points.size(), 2u);
    ExpectPoint(t.points[0], {1e6, c.g1, c.p1});
    ExpectPoint(t.points[1], {2e6, c.g2, c.p2});
  }
  // Recognised by content whatever the name.
  EXPECT_EQ(ReadOne(kTwoPort, "amp.txt").name, "S21");
}

TEST(TouchstoneRead, MissingParameterIsAUsageErrorNotABadFile) {
  const ImportResult one = ParseImport("# Hz S MA\n1 0.5 0\n", "x.s1p", {"S21"});
  ASSERT_FALSE(one.file);
  EXPECT_TRUE(one.error.missingSelection);
  EXPECT_NE(one.error.message.find("S21"), std::string::npos);
  const ImportResult z = ParseImport("# Hz Z MA\n1 0.5 0\n", "x.s1p", {"S11"});
  EXPECT_TRUE(z.error.missingSelection);
  EXPECT_EQ(ReadOne("# Hz Z MA\n1 0.5 0\n", "x.s1p").name, "Z11");
}

TEST(TouchstoneRead, AChoiceForTwoPortsLeavesAOnePortItsS11) {
  const struct {
    std::string text;
    std::string sparam;
    const char* name;  // nullptr: the parameter is missing
    int ports;
  } cases[] = {
      {"# Hz S MA\n1 0.5 0\n", "S22", "S11", 1},
      {"# Hz S MA\n1 0.5 0\n", "S11", "S11", 1},
      {"# Hz Z MA\n1 0.5 0\n", "S12", "Z11", 1},
      {"# Hz S MA\n1 1 0 2 0 3 0 4 0\n", "S12", "S12", 2},
      {"# Hz Z MA\n1 1 0 2 0 3 0 4 0\n", "S12", nullptr, 0},
      {"f,g,p\n1,2,3\n", "S12", "", 0},
  };
  for (const auto& c : cases) {
    SCOPED_TRACE(c.text);
    ImportOptions options{c.sparam};
    options.forTwoPorts = true;
    const ImportResult r = ParseImport(c.text, "x.txt", options);
    if (!c.name) {
      ASSERT_FALSE(r.file);
      EXPECT_TRUE(r.error.missingSelection);
      continue;
    }
    ASSERT_TRUE(r.file) << r.error.message;
    EXPECT_EQ(r.file->traces[0].name, c.name);
    EXPECT_EQ(r.file->ports, c.ports);
  }
}

std::string Version2(const std::string& order, const std::string& rows,
                     const std::string& extra = "") {
  return "! v2\n[Version] 2.0\n# Hz S MA R 50\n[Number of Ports] 2\n[Two-Port Data Order] " +
         order + "\n[Number of Frequencies] 2\n" + extra + "[Reference] 50 50\n[Network Data]\n" +
         rows + "[End]\n";
}

TEST(TouchstoneRead, Version2BothDataOrdersGiveTheSameParameters) {
  // Rows: f then the four pairs in the declared order.
  const std::string rows12 = "10 1 1 0.1 12 0.2 21 1 22\n20 1 1 0.3 12 0.4 21 1 22\n";
  const std::string rows21 = "10 1 1 0.2 21 0.1 12 1 22\n20 1 1 0.4 21 0.3 12 1 22\n";
  for (const std::string sparam : {"S21", "S12"}) {
    const ImportedTrace a = ReadOne(Version2("12_21", rows12), "v2.s2p", sparam);
    const ImportedTrace b = ReadOne(Version2("21_12", rows21), "v2.s2p", sparam);
    ASSERT_EQ(a.points.size(), 2u);
    EXPECT_EQ(a.points, b.points);
    EXPECT_EQ(a.points[0].phaseDeg, sparam == "S21" ? 21.0 : 12.0);
  }
  const ImportResult r = ParseImport(
      "[Version] 2.0\n[Number of Ports] 1\n[Number of Frequencies] 1\n"
      "[Begin Information]\nanything [here]\n[End Information]\n[Network Data]\n5 0.1 0\n[End]\n",
      "one.s1p", {});
  ASSERT_TRUE(r.file) << r.error.message;
  EXPECT_EQ(r.file->format, "Touchstone v2");
}

TEST(TouchstoneRead, BadFilesNameTheLineAndSayWhat) {
  const struct {
    std::string text;
    size_t line;
    const char* says;
  } cases[] = {
      {"# Hz S MA\n1 0.5 0 1 0 1 0 1 0\n2 0.5\n", 3, "途中で切れています"},
      {"# Hz S MA\n1 0.5 0\n2 0.5 x\n", 3, "数値ではありません"},
      {"# Hz S MA\n1 0.5 0 ! fine\n2 0.5 0,5\n", 3, "数値ではありません"},
      {"# Hz Q MA\n1 0.5 0\n", 1, "不明な語"},
      {"# Hz S MA\n", 0, "ネットワークデータがありません"},
      {"# Hz S MA\n1 2 3 4 5\n", 2, "9 個のうち 5 個"},
      {Version2("12_21", "10 1 1 1 1 1 1 1 1\n"), 0, "[Number of Frequencies] は 2"},
      {Version2("13_31", ""), 5, "12_21 か 21_12"},
      {Version2("12_21", "", "[Matrix Format] Lower\n"), 7, "対応していません"},
      {"[Version] 2.0\n[Number of Ports] 3\n", 2, "対応していません"},
      {"[Version] 1.0\n", 1, "対応していません"},
      {"[Version] 2.0\n[Number of Ports] 1\n[Network Data]\n1 1 1\n", 0, "[End] がありません"},
      {"[Version] 2.0\n[Number of Ports] 2\n[Network Data]\n", 3, "[Two-Port Data Order]"},
      {"[Version] 2.0\n[Mixed-Mode Order] D2,1\n", 2, "対応していません"},
      {"# Hz S MA\n[Number of Ports] 1\n", 2, "[Version] のない"},
  };
  for (const auto& c : cases) {
    SCOPED_TRACE(c.text);
    const ImportResult r = ParseImport(c.text, "bad.s2p", {});
    ASSERT_FALSE(r.file);
    EXPECT_FALSE(r.error.missingSelection);
    EXPECT_EQ(r.error.line, c.line);
    EXPECT_NE(r.error.message.find(c.says), std::string::npos) << r.error.message;
  }
  // The content outweighs the name: a one-port's rows under a ".s2p" name.
  const ImportedTrace onePort = ReadOne("# Hz S MA\n1 0.5 0\n2 0.5 0\n3 0.5 0\n", "x.s2p");
  EXPECT_EQ(onePort.name, "S11");
  EXPECT_EQ(onePort.points.size(), 3u);
  // Without a name that tells the port count, the first row must.
  const ImportResult r = ParseImport("# Hz S MA\n1 2 3 4 5\n", "bad.txt", {});
  EXPECT_NE(r.error.message.find("ポート数がわかりません"), std::string::npos);
}

TEST(TouchstoneRead, UnusableFrequenciesAreSkippedAndCounted) {
  const ImportResult r = ParseImport("# Hz S MA\n0 1 0\n-5 1 0\n10 1 0\n20 0 0\n", "u.s1p", {});
  ASSERT_TRUE(r.file);
  EXPECT_EQ(r.file->traces[0].points.size(), 1u);  // a zero magnitude has no dB value either
  EXPECT_EQ(r.file->skippedPoints, 3u);
  const ImportResult none = ParseImport("# Hz S MA\n0 1 0\n-5 1 0\n", "u.s1p", {});
  ASSERT_FALSE(none.file);
  EXPECT_NE(none.error.message.find("2 個の周波数がすべて"), std::string::npos)
      << none.error.message;
}

TEST(TouchstoneRead, TwoPortNoiseDataAfterTheNetworkIsLeftOut) {
  const ImportedTrace t = ReadOne(
      "# GHz S MA R 50\n1 0 0 1 10 0 0 0 0\n2 0 0 1 20 0 0 0 0\n! noise\n1 1.5 0.5 10 0.3\n",
      "n.s2p");
  EXPECT_EQ(t.points.size(), 2u);
}

}  // namespace
}  // namespace fernplot
