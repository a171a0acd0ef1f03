// SPDX-License-Identifier: MIT
// The exporter's loop options: --view, --loop and --nyquist-radius parsed or
// refused, a Bode page of the closed loop or the sensitivity, and the loop
// figures in the figures JSON and the summary.
#include <gtest/gtest.h>

#include <QJsonArray>
#include <QJsonDocument>
#include <QJsonObject>
#include <QTemporaryDir>
#include <cmath>
#include <complex>
#include <numbers>
#include <sstream>

#include "datafile/data_file_writer.h"
#include "export_args.h"
#include "export_run.h"
#include "fernplot_test_data.h"
#include "qt_page_drawer.h"

namespace fernplot {
namespace {

using testing::ReadBytes;
using testing::WriteBytes;

TEST(ExportLoopArgs, AcceptedAndRejected) {
  const struct {
    std::vector<std::string> args;
    std::optional<ViewKind> view;
    std::optional<LoopCurve> curve;
    std::optional<double> radius;
  } accepted[] = {
      {{"-f", "png", "a"}, {}, {}, {}},
      {{"--view", "nyquist", "-f", "png", "a"}, ViewKind::kNyquist, {}, {}},
      {{"--view=nichols", "--loop=closed", "-f", "png", "a"},
       ViewKind::kNichols,
       LoopCurve::kClosed,
       {}},
      {{"--view", "bode", "--loop", "sensitivity", "--summary", "a"},
       ViewKind::kBode,
       LoopCurve::kSensitivity,
       {}},
      {{"--loop", "open", "--nyquist-radius", "0", "-f", "csv", "a"}, {}, LoopCurve::kOpen, 0.0},
      {{"--nyquist-radius=2.5", "-f", "csv", "a"}, {}, {}, 2.5},
      {{"--nyquist-radius", "1e2", "-f", "csv", "a"}, {}, {}, 100.0},
      {{"--nyquist-radius", "+0.5", "-f", "csv", "a"}, {}, {}, 0.5},
      {{"--nyquist-radius", "1e100", "-f", "csv", "a"}, {}, {}, 1e100},
      {{"--nyquist-radius", "1e-100", "-f", "csv", "a"}, {}, {}, 1e-100},
  };
  for (const auto& c : accepted) {
    const ParsedArgs p = ParseExportArgs(c.args);
    ASSERT_TRUE(p.options) << c.args[0] << ": " << p.error;
    EXPECT_EQ(p.options->view, c.view) << c.args[0];
    EXPECT_EQ(p.options->loopCurve, c.curve) << c.args[0];
    EXPECT_EQ(p.options->nyquistRadius, c.radius) << c.args[0];
  }
  const std::vector<std::string> rejected[] = {
      {"--view", "polar", "-f", "png", "a"},
      {"--view", "Nyquist", "-f", "png", "a"},
      {"--view=", "-f", "png", "a"},
      {"-f", "png", "a", "--view"},
      {"--loop", "T", "-f", "png", "a"},
      {"--loop", "closed-loop", "-f", "png", "a"},
      {"--nyquist-radius", "-1", "-f", "png", "a"},
      {"--nyquist-radius", "nan", "-f", "png", "a"},
      {"--nyquist-radius", "inf", "-f", "png", "a"},
      {"--nyquist-radius", "1e400", "-f", "png", "a"},
      // Finite, but the plane's scale would not be.
      {"--nyquist-radius", "1e308", "-f", "png", "a"},
      {"--nyquist-radius", "1e-308", "-f", "png", "a"},
      {"--nyquist-radius", "1e101", "-f", "png", "a"},
      {"--nyquist-radius", "2mm", "-f", "png", "a"},
      {"--nyquist-radius", " 2", "-f", "png", "a"},
      {"--nyquist-radius", "", "-f", "png", "a"},
      {"--nyquist-radius", "+-1", "-f", "png", "a"},
      {"--nyquist-radius", "+", "-f", "png", "a"},
      {"-l", "*.DAT", "--view", "bode"},
  };
  for (const auto& args : rejected) {
    std::string joined;
    for (const auto& a : args) joined += a + " ";
    EXPECT_FALSE(ParseExportArgs(args).options) << joined;
    std::ostringstream out, err;
    EXPECT_EQ(ExportMain(args, "x", out, err), kExitUsage) << joined;
  }
}

class ExportLoop : public ::testing::Test {
 protected:
  void SetUp() override {
    ASSERT_TRUE(dir_.isValid());
    root_ = dir_.path().toStdString();
    // 40, 20, -20, -40 dB at 10 Hz ... 10 kHz, the phase from -90° through
    // -180°: 0 dB at 316 Hz with 10° of phase margin.
    loop_ = root_ + "/loop.DAT";
    WriteBytes(loop_, EncodeRawDataFile(testing::TestHeader({.dataType = 0, .pointCount = 4}),
                                        {{10.0, 100.0f, -90.0f, 1.0f},
                                         {100.0, 10.0f, -150.0f, 1.0f},
                                         {1000.0, 0.1f, 170.0f, 1.0f},
                                         {10000.0, 0.01f, 110.0f, 1.0f}}));
    // A low-pass that never rises above 0 dB: no loop.
    lpf_ = root_ + "/lpf.DAT";
    WriteBytes(lpf_, EncodeCalculatedDataFile(
                         testing::TestHeader({.dataType = 1, .pointCount = 3}),
                         {{10.0, 1.0f, 0.0f}, {100.0, 0.9f, -30.0f}, {1000.0, 0.1f, -80.0f}}));
  }
  int Run(std::vector<std::string> args) {
    out_.str("");
    err_.str("");
    const QtPageDrawer drawer;
    return ExportMain(args, root_ + "/fernplot-export", out_, err_, &drawer);
  }
  std::string Out(const std::string& dir, const std::string& name) {
    return ReadBytes(root_ + "/" + dir + "/" + name);
  }

  QTemporaryDir dir_;
  std::string root_, loop_, lpf_;
  std::ostringstream out_, err_;
};

// The rows "frequency , gain , phase" of a CSV output.
std::vector<std::array<double, 3>> CsvRows(const std::string& text) {
  std::vector<std::array<double, 3>> rows;
  std::istringstream in(text);
  std::string line;
  while (std::getline(in, line)) {
    std::array<double, 3> row{};
    char c1 = 0, c2 = 0;
    std::istringstream fields(line);
    if (fields >> row[0] >> c1 >> row[1] >> c2 >> row[2] && c1 == ',' && c2 == ',') {
      rows.push_back(row);
    }
  }
  return rows;
}

TEST_F(ExportLoop, BodePageOfTheClosedLoopOrSensitivity) {
  ASSERT_EQ(Run({"-o", root_ + "/open", "-f", "csv,drawing,figures,png", loop_}), kExitOk)
      << err_.str();
  // The loop options at their defaults change no byte.
  ASSERT_EQ(Run({"-o", root_ + "/same", "--view", "bode", "--loop", "open", "--nyquist-radius", "2",
                 "-f", "csv,drawing,figures,png", loop_}),
            kExitOk);
  for (const char* name : {"loop.csv", "loop.drawing.json", "loop.figures.json", "loop.png"}) {
    EXPECT_EQ(Out("open", name), Out("same", name)) << name;
  }
  const auto open = CsvRows(Out("open", "loop.csv"));
  ASSERT_EQ(open.size(), 4u);
  const struct {
    const char* option;
    const char* caption;
    std::complex<double> (*of)(std::complex<double>);
  } curves[] = {
      {"closed", "CLOSED LOOP GAIN [dB]", [](std::complex<double> l) { return l / (1.0 + l); }},
      {"sensitivity", "SENSITIVITY GAIN [dB]",
       [](std::complex<double> l) { return 1.0 / (1.0 + l); }},
  };
  for (const auto& c : curves) {
    const std::string dir = c.option;
    ASSERT_EQ(
        Run({"-o", root_ + "/" + dir, "--loop", c.option, "-f", "csv,drawing,figures", loop_}),
        kExitOk)
        << err_.str();
    const auto rows = CsvRows(Out(dir, "loop.csv"));
    ASSERT_EQ(rows.size(), open.size()) << c.option;
    for (size_t k = 0; k < rows.size(); ++k) {
      const std::complex<double> l =
          std::polar(std::pow(10.0, open[k][1] / 20), open[k][2] * std::numbers::pi / 180);
      const std::complex<double> v = c.of(l);
      EXPECT_EQ(rows[k][0], open[k][0]);
      EXPECT_NEAR(rows[k][1], 20 * std::log10(std::abs(v)), 2e-5) << c.option << " " << k;
      EXPECT_NEAR(rows[k][2], std::arg(v) * 180 / std::numbers::pi, 2e-5) << c.option << " " << k;
    }
    EXPECT_NE(Out(dir, "loop.drawing.json").find(c.caption), std::string::npos) << c.option;
    // The figures are still the loop gain's, and those of the curve drawn
    // follow them under "shown", with the same keys.
    const std::string openFigures = Out("open", "loop.figures.json");
    const std::string figures = Out(dir, "loop.figures.json");
    ASSERT_GT(openFigures.size(), 2u);
    EXPECT_EQ(figures.substr(0, openFigures.size() - 2), openFigures.substr(0, openFigures.size() - 2))
        << c.option;
    const std::string shown =
        std::string(",\"shown\":{\"curve\":\"") + c.option + "\",\"points\":4,\"lowFrequencyGain\":";
    EXPECT_EQ(figures.compare(openFigures.size() - 2, shown.size(), shown), 0) << figures;
    EXPECT_NE(figures.find("\"closedLoop\":", openFigures.size()), std::string::npos);
    EXPECT_EQ(figures.substr(figures.size() - 4), "}\n}\n");
    ASSERT_EQ(Run({"--loop", c.option, "--summary", loop_}), kExitOk);
    EXPECT_EQ(out_.str().substr(0, 21), "loop  PM 10.0\u00B0 @ 316");
  }
}

// Overlays turn into the same curve: a page of T minus its own file is flat.
TEST_F(ExportLoop, OverlaysAndDifferenceShowTheSameCurve) {
  ASSERT_EQ(
      Run({"-o", root_ + "/diff", "--loop", "closed", "--difference", loop_, "-f", "csv", loop_}),
      kExitOk)
      << err_.str();
  const auto rows = CsvRows(Out("diff", "loop.csv"));
  ASSERT_EQ(rows.size(), 4u);
  for (const auto& row : rows) {
    EXPECT_EQ(row[1], 0.0) << row[0];
    EXPECT_EQ(row[2], 0.0) << row[0];
  }
}

TEST_F(ExportLoop, LoopFiguresInJsonAndSummary) {
  ASSERT_EQ(Run({"-o", root_ + "/out", "-f", "figures", loop_, lpf_}), kExitOk) << err_.str();
  for (const char* name : {"loop", "lpf"}) {
    const QJsonObject o = QJsonDocument::fromJson(QByteArray::fromStdString(Out(
                                                      "out", std::string(name) + ".figures.json")))
                              .object();
    // Every figure, loop or not.
    for (const char* key : {"modulusMargin", "delayMargins", "delayMarginS", "closedLoop"}) {
      EXPECT_TRUE(o.contains(key)) << name << " " << key;
    }
    EXPECT_TRUE(o["modulusMargin"]["value"].isDouble()) << name;
    EXPECT_TRUE(o["closedLoop"]["peak"]["gainDb"].isDouble()) << name;
    EXPECT_TRUE(o["closedLoop"]["minus3dB"].isArray()) << name;
    if (std::string(name) == "loop") {
      const double fc = std::pow(10.0, 2.5);
      const QJsonArray dm = o["delayMargins"].toArray();
      ASSERT_EQ(dm.size(), 1);
      EXPECT_NEAR(dm[0]["frequencyHz"].toDouble(), fc, 1e-4);
      EXPECT_NEAR(dm[0]["seconds"].toDouble(), 10.0 / (360.0 * fc), 1e-9);
      EXPECT_EQ(o["delayMarginS"].toDouble(), dm[0]["seconds"].toDouble());
      // Within reach of -1: 2 sin(5°) at the crossover, less just past it.
      EXPECT_LT(o["modulusMargin"]["value"].toDouble(), 2 * std::sin(5 * std::numbers::pi / 180));
      EXPECT_GT(o["modulusMargin"]["frequencyHz"].toDouble(), fc);
    } else {
      EXPECT_TRUE(o["delayMarginS"].isNull());
      EXPECT_TRUE(o["delayMargins"].toArray().isEmpty());
    }
  }
  ASSERT_EQ(Run({"--summary", loop_, lpf_}), kExitOk);
  std::istringstream lines(out_.str());
  std::string loopLine, lpfLine;
  std::getline(lines, loopLine);
  std::getline(lines, lpfLine);
  EXPECT_NE(loopLine.find("  DM 87.8 us @ 316 Hz  CL peak "), std::string::npos) << loopLine;
  EXPECT_NE(loopLine.find("  MM 0.1"), std::string::npos) << loopLine;
  // A filter shows no loop figures in its summary.
  for (const char* loopItem : {"PM", "GM", "MM", "DM", "CL"}) {
    EXPECT_EQ(lpfLine.find(loopItem), std::string::npos) << lpfLine;
  }
}

}  // namespace
}  // namespace fernplot
