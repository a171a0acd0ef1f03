// SPDX-License-Identifier: MIT
#include <gtest/gtest.h>

#include <algorithm>
#include <cmath>
#include <string>
#include <vector>

#include "import/import_reader.h"
#include "import/touchstone_format.h"

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
      {"# Hz S MA\n1 0.5 0 1 0 1 0 1 0\n2 0.5 x 1 0 1 0 1 0\n", 3, "数値ではありません"},
      {"# Hz S MA\n1 0.5 0 1 0 1 0 1 0 ! fine\n2 0.5 0,5 1 0 1 0 1 0\n", 3, "数値ではありません"},
      {"# Hz Q MA\n1 0.5 0\n", 1, "不明な語"},
      {"# Hz S MA\n", 0, "ネットワークデータがありません"},
      {"# Hz S MA\n1 2 3 4 5\n", 2, "9 個のうち 5 個"},
      {Version2("12_21", "10 1 1 1 1 1 1 1 1\n"), 0, "[Number of Frequencies] は 2"},
      {Version2("13_31", ""), 5, "12_21 か 21_12"},
      {Version2("12_21", "", "[Matrix Format] Diagonal\n"), 7, "対応していません"},
      {"[Version] 2.0\n[Number of Ports] 0\n", 2, "対応していません"},
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
  // A one-port's rows under a ".s2p" name: the name and the data disagree.
  const ImportResult onePort = ParseImport("# Hz S MA\n1 0.5 0\n2 0.5 0\n3 0.5 0\n", "x.s2p", {});
  ASSERT_FALSE(onePort.file);
  EXPECT_EQ(onePort.error.line, 2u);
  EXPECT_NE(onePort.error.message.find("ファイル名は 2 ポート"), std::string::npos)
      << onePort.error.message;
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

// Nij of the generated files: -(100·i + j)/10 dB, phase the frequency's index.
double TestGain(long i, long j) {
  return -(100.0 * i + j) / 10.0;
}

// Version 1 text of `ports` ports at 1, 2, ... MHz: a two-port column by
// column on one line, larger matrices row by row, each row on new lines of
// at most four pairs.
std::string Version1Text(int ports, int frequencies) {
  std::string text = "! generated\n# MHz S DB R 50\n";
  for (int k = 1; k <= frequencies; ++k) {
    text += std::to_string(k);
    const auto pair = [&](long i, long j) {
      text += ' ' + std::to_string(TestGain(i, j)) + ' ' + std::to_string(k);
    };
    if (ports <= 2) {
      for (long j = 1; j <= ports; ++j)
        for (long i = 1; i <= ports; ++i) pair(i, j);
      text += '\n';
      continue;
    }
    for (long i = 1; i <= ports; ++i) {
      for (long j = 1; j <= ports; ++j) {
        if (j > 1 && (j - 1) % 4 == 0) text += "\n ";
        pair(i, j);
      }
      text += "  ! row " + std::to_string(i) + "\n";
    }
  }
  return text;
}

// Version 2 text of a symmetric network (Nij = Nji) in the matrix format
// given, each row on one line.
std::string Version2Text(int ports, const std::string& format) {
  std::string text = "[Version] 2.0\n# MHz S DB R 50\n[Number of Ports] " + std::to_string(ports) +
                     "\n" + (ports == 2 ? "[Two-Port Data Order] 12_21\n" : "") +
                     "[Number of Frequencies] 2\n[Matrix Format] " + format + "\n[Network Data]\n";
  for (int k = 1; k <= 2; ++k) {
    text += std::to_string(k);
    for (long i = 1; i <= ports; ++i) {
      for (long j = 1; j <= ports; ++j) {
        if ((format == "Upper" && j < i) || (format == "Lower" && j > i)) continue;
        text += ' ' + std::to_string(TestGain(std::min(i, j), std::max(i, j))) + ' ' +
                std::to_string(k);
      }
      text += '\n';
    }
  }
  return text + "[End]\n";
}

void ExpectEveryParameter(const std::string& text, const std::string& name, int ports,
                          bool symmetric) {
  for (long i = 1; i <= ports; ++i) {
    for (long j = 1; j <= ports; ++j) {
      const std::string sparam = TouchstoneParameterName('S', i, j);
      SCOPED_TRACE(name + " " + sparam);
      const ImportResult r = ParseImport(text, name, {sparam});
      ASSERT_TRUE(r.file) << r.error.line << ": " << r.error.message;
      EXPECT_EQ(r.file->ports, ports);
      const ImportedTrace& t = r.file->traces.front();
      EXPECT_EQ(t.name, sparam);
      ASSERT_EQ(t.points.size(), 2u);
      const double gain = symmetric ? TestGain(std::min(i, j), std::max(i, j)) : TestGain(i, j);
      ExpectPoint(t.points[0], {1e6, gain, 1.0});
      ExpectPoint(t.points[1], {2e6, gain, 2.0});
    }
  }
}

TEST(TouchstoneRead, FilesOfAnyPortCountGiveEveryParameter) {
  for (const int ports : {1, 2, 3, 4, 5, 12}) {
    const std::string text = Version1Text(ports, 2);
    ExpectEveryParameter(text, "n.s" + std::to_string(ports) + "p", ports, false);
    // Without a name that tells, the first frequency's lines do.
    ExpectEveryParameter(text, "n.txt", ports, false);
  }
  for (const int ports : {1, 2, 3, 4}) {
    for (const std::string format : {"Full", "Upper", "Lower"})
      ExpectEveryParameter(Version2Text(ports, format), "n.txt", ports, true);
  }
  // The default of a multi-port is its S21; past port 9 the ports are
  // separated.
  EXPECT_EQ(ReadOne(Version1Text(4, 2), "quad.s4p").points[0].gainDb, TestGain(2, 1));
  EXPECT_EQ(ReadOne(Version1Text(12, 2), "m.s12p", "s3_11").name, "S3_11");
  const ImportResult r = ParseImport(Version1Text(12, 2), "m.s12p", {"S311"});
  EXPECT_TRUE(r.error.missingSelection);
  EXPECT_NE(r.error.message.find("（あるのは S11 … S12_12）"), std::string::npos)
      << r.error.message;
  const ImportResult quad = ParseImport(Version1Text(4, 2), "quad.s4p", {"S55"});
  EXPECT_NE(quad.error.message.find("S43 S44）"), std::string::npos) << quad.error.message;
}

TEST(TouchstoneRead, PortCountsOfTheNameAndTheDataMustAgree) {
  const struct {
    std::string text, name;
    size_t line;
    const char* says;
  } cases[] = {
      {Version1Text(4, 2), "quad.s2p", 3,
       "ファイル名は 2 ポートですが、最初の周波数の数値 33 個は 4"},
      {Version1Text(2, 3), "quad.s4p", 3, "数値 9 個は 2 ポート"},
      {Version1Text(3, 2), "tri.s1p", 3, "1 ポート"},
      // 21 numbers are no port count's.
      {"# MHz S DB\n1 0 0 0 0 0 0 0 0\n 0 0 0 0 0 0 0 0\n 0 0 0 0\n", "q.txt", 2,
       "数値 21 個ではポート数がわかりません"},
  };
  for (const auto& c : cases) {
    SCOPED_TRACE(c.name);
    const ImportResult r = ParseImport(c.text, c.name, {});
    ASSERT_FALSE(r.file);
    EXPECT_EQ(r.error.line, c.line);
    EXPECT_NE(r.error.message.find(c.says), std::string::npos) << r.error.message;
  }
}

// Rows of a two-port at `frequencies` (MHz), each a full record unless
// its text is given.
std::string TwoPortRows(const std::vector<std::string>& rows) {
  std::string text = "# MHz S MA R 50\n";
  for (const std::string& row : rows) text += row + "\n";
  return text;
}

TEST(TouchstoneRead, MalformedRowsAreRefusedWithTheirLineNotTakenForNoise) {
  const std::string full = " 0.1 0 0.9 -10 0.01 0 0.2 0";
  const std::string noise = " 2.5 0.3 40 0.4";
  const struct {
    std::string text, name;
    size_t line;
    const char* says;
  } cases[] = {
      // A pair missing or broken: the next row begins inside the short one.
      {TwoPortRows({"1" + full, "2 0.1 0 0.9 -10 0.01 0", "3" + full}), "missing_pair.s2p", 3,
       "9 個のうち 7 個"},
      {TwoPortRows({"1" + full, "2 0.1 0 0.9 -10 0.01 0 0.2", "3" + full}), "broken_pair.s2p", 3,
       "9 個のうち 8 個"},
      {TwoPortRows({"1" + full, "2 0.1 0 0.9 -10 0.01 0 0.2"}), "end.s2p", 3, "途中で切れています"},
      {TwoPortRows({"1" + full + " 0.5"}), "long.s2p", 2, "多すぎます"},
      // Frequencies out of order, or falling from the start.
      {TwoPortRows({"1" + full, "3" + full, "2" + full}), "unordered.s2p", 4,
       "周波数 2 が前の周波数 3"},
      {TwoPortRows({"20" + full, "10" + full, "1" + full}), "falling.s2p", 3, "昇順"},
      {TwoPortRows({"1" + full, "1" + full}), "twice.s2p", 3, "高くありません"},
      {"# MHz S MA\n1 0.5 0\n3 0.5 0\n2 0.5 0\n", "down.s1p", 4, "周波数 2 が前の周波数 3"},
      {Version2("12_21", "20 1 1 1 1 1 1 1 1\n10 1 1 1 1 1 1 1 1\n"), "v2.s2p", 10,
       "高くありません"},
      // Noise data: five numbers a row, rising, and nothing after them.
      {TwoPortRows({"1" + full, "2" + full, "1 2.5 0.3 40", "2" + noise}), "n.s2p", 4,
       "雑音データの行には数値が 5 個"},
      {TwoPortRows({"1" + full, "2" + full, "1" + noise, "1" + noise}), "n.s2p", 5,
       "雑音データの周波数 1 が前の周波数 1"},
      {TwoPortRows({"1" + full, "2" + full, "1" + noise, "3" + full}), "n.s2p", 5, "この行は 9 個"},
      {TwoPortRows({"1" + full, "2" + full, "1" + noise, "2 2.5 0.3 x 0.4"}), "n.s2p", 5,
       "数値ではありません: \"x\""},
  };
  for (const auto& c : cases) {
    SCOPED_TRACE(c.text);
    const ImportResult r = ParseImport(c.text, c.name, {});
    ASSERT_FALSE(r.file);
    EXPECT_FALSE(r.error.missingSelection);
    EXPECT_EQ(r.error.line, c.line);
    EXPECT_NE(r.error.message.find(c.says), std::string::npos) << r.error.message;
  }
  // Noise data from a frequency at or below the network's highest.
  const ImportedTrace t =
      ReadOne(TwoPortRows({"1" + full, "2" + full, "2" + noise, "3" + noise}), "n.s2p");
  EXPECT_EQ(t.points.size(), 2u);
}

TEST(TouchstoneRead, Version1ZAndYAreNormalisedToTheReference) {
  // The same network, 150 ohms and 20 mS, as v1 normalised to 75 ohms and
  // as v2 in ohms and siemens.
  const struct {
    std::string v1, v2;
    double gainDb;
  } cases[] = {
      {"# MHz Z RI R 75\n1 2 0\n", "# MHz Z RI R 75\n", 20.0 * std::log10(150.0)},
      {"# MHz Y MA R 75\n1 1.5 0\n", "# MHz Y MA R 75\n", 20.0 * std::log10(0.02)},
      {"# MHz Z DB R 75\n1 6.020599913 0\n", "# MHz Z DB R 75\n", 20.0 * std::log10(150.0)},
  };
  for (const auto& c : cases) {
    SCOPED_TRACE(c.v1);
    const bool z = c.v1.find(" Z ") != std::string::npos;
    const std::string value = c.v2.find(" DB ") != std::string::npos ? "43.521825181 0"
                              : z                                    ? "150 0"
                                                                     : "0.02 0";
    const std::string v2 =
        "[Version] 2.0\n" + c.v2 + "[Number of Ports] 1\n[Network Data]\n1 " + value + "\n[End]\n";
    const ImportedTrace a = ReadOne(c.v1, "z.s1p", z ? "Z11" : "y11");
    const ImportedTrace b = ReadOne(v2, "z.s1p");
    ASSERT_EQ(a.points.size(), 1u);
    ASSERT_EQ(b.points.size(), 1u);
    EXPECT_NEAR(a.points[0].gainDb, c.gainDb, 1e-6);
    EXPECT_NEAR(b.points[0].gainDb, c.gainDb, 1e-6);
  }
  // S, H and G values are as written.
  EXPECT_NEAR(ReadOne("# MHz H RI R 75\n1 2 0\n", "h.s1p", "H11").points[0].gainDb,
              20.0 * std::log10(2.0), 1e-9);
  const ImportResult zero = ParseImport("! z\n# MHz Z RI R 0\n1 2 0\n", "z.s1p", {});
  ASSERT_FALSE(zero.file);
  EXPECT_EQ(zero.error.line, 2u);
  EXPECT_TRUE(ParseImport("# MHz S RI R 0\n1 0.5 0\n", "s.s1p", {}).file);
}

TEST(TouchstoneRead, WhatShapesTheRecordsCannotChangeOnceTheDataBegin) {
  const std::string head =
      "[Version] 2.0\n# Hz S MA R 50\n[Number of Ports] 2\n[Two-Port Data Order] 12_21\n"
      "[Network Data]\n1 1 1 1 1 1 1\n";  // line 6: seven numbers of nine
  const struct {
    std::string text;
    size_t line;
    const char* says;
  } cases[] = {
      {head + "[Number of Ports] 1\n2 1 1 1 1 1 1 1 1\n[End]\n", 7, "[number of ports]"},
      {head + "1 1\n[Matrix Format] Upper\n2 1 1 1 1 1 1\n[End]\n", 8, "[matrix format]"},
      {head + "1 1\n[Two-Port Data Order] 21_12\n[End]\n", 8, "[two-port data order]"},
      {head + "1 1\n[Network Data]\n[End]\n", 8, "[network data]"},
      {head + "[End]\n", 6, "9 個のうち 7 個"},
      // An option line after the data would read the rows before it in
      // other units; a second one changes nothing.
      {"1 0 0 1 0 0 0 0 0\n2 0 0 1 0 0 0 0 0\n# MHz S MA\n3 0 0 1 0 0 0 0 0\n", 3,
       "オプション行がデータの後にあります"},
  };
  for (const auto& c : cases) {
    SCOPED_TRACE(c.text);
    const ImportResult r = ParseImport(c.text, "k.s2p", {});
    ASSERT_FALSE(r.file);
    EXPECT_EQ(r.error.line, c.line);
    EXPECT_NE(r.error.message.find(c.says), std::string::npos) << r.error.message;
  }
}

TEST(TouchstoneRead, ATwoPortKeepsItsWholeNetworkInTheWrittenOrder) {
  const ImportResult v1 = ParseImport(kTwoPort, "amp.s2p", {"S12"});
  const ImportResult v2 = ParseImport(
      Version2("12_21", "10 1 1 0.1 12 0.2 21 1 22\n20 1 1 0.3 12 0.4 21 1 22\n"), "v2.s2p", {});
  ASSERT_TRUE(v1.file && v2.file);
  ASSERT_TRUE(v1.file->network && v2.file->network);
  ASSERT_EQ(v1.file->network->rows.size(), 2u);
  const ImportedNetwork::Row& row = v1.file->network->rows[1];
  EXPECT_EQ(row.frequency, 2e6);
  // 11 21 12 22 as magnitude and angle.
  for (size_t k = 0; k < 4; ++k) {
    EXPECT_NEAR(row.values[2 * k], std::pow(10.0, -(5.0 + k) / 20.0), 1e-12);
    EXPECT_EQ(row.values[2 * k + 1], 50.0 + 10.0 * k);
  }
  const ImportedNetwork::Row& second = v2.file->network->rows[0];
  EXPECT_EQ(second.values[3], 21.0);  // 21 before 12 whatever the file's order
  EXPECT_EQ(second.values[5], 12.0);
  EXPECT_FALSE(ParseImport("# Hz S MA\n1 0.5 0\n", "a.s1p", {}).file->network);
}

}  // namespace
}  // namespace fernplot
