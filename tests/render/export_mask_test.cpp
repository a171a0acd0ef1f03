// SPDX-License-Identifier: MIT
// The exporter's production test: --mask verdicts in the summary, the table,
// -f verdict, the pages and the exit status; --statistics of a lot.
#include <gtest/gtest.h>

#include <QTemporaryDir>
#include <cmath>
#include <filesystem>
#include <sstream>

#include "analysis/summary_table.h"
#include "datafile/data_file_writer.h"
#include "export_args.h"
#include "export_run.h"
#include "fernplot_test_data.h"
#include "qt_page_drawer.h"

namespace fernplot {
namespace {

using testing::ReadBytes;
using testing::WriteBytes;

std::vector<std::string> Lines(const std::string& text) {
  std::vector<std::string> lines;
  std::istringstream in(text);
  for (std::string line; std::getline(in, line);) lines.push_back(line);
  return lines;
}

std::vector<std::string> Cells(const std::string& line) {
  std::vector<std::string> cells(1);
  for (char c : line) {
    if (c == ',') {
      cells.emplace_back();
    } else {
      cells.back() += c;
    }
  }
  return cells;
}

// A first-order low-pass with its corner at `fc`, 0 dB below it, on 13
// points a third of a decade apart from 10 Hz to 100 kHz (`f0` moves the
// grid).
std::string LowPass(double fc, double f0 = 10.0, double offsetDb = 0.0) {
  std::vector<CalculatedRecord> points;
  for (int i = 0; i <= 12; ++i) {
    const double f = f0 * std::pow(10.0, i / 3.0);
    const double x = f / fc;
    points.push_back({f,
                      static_cast<float>(std::pow(10.0, offsetDb / 20.0) / std::sqrt(1.0 + x * x)),
                      static_cast<float>(-std::atan(x) * 180.0 / 3.141592653589793)});
  }
  return EncodeCalculatedDataFile(
      testing::TestHeader({.dataType = 1, .pointCount = 13, .title = "lpf"}), points);
}

class ExportMask : public ::testing::Test {
 protected:
  void SetUp() override {
    ASSERT_TRUE(dir_.isValid());
    root_ = dir_.path().toStdString();
    good_ = root_ + "/good.DAT";
    WriteBytes(good_, LowPass(1000.0));
    // Its corner at 1.5 kHz: too high for the mask's -3 dB window, and over
    // the sloped stop-band limit all along it.
    bad_ = root_ + "/bad.DAT";
    WriteBytes(bad_, LowPass(1500.0));
    mask_ = root_ + "/lpf.mask";
    WriteBytes(mask_,
               "# an RC low-pass around 1 kHz\n"
               "GAIN MIN 10 200 -1\n"
               "GAIN MAX 20k 100k -25 -39\n"
               "FIGURE minus3dBHz BETWEEN 900 1100\n"
               "PHASE MAX 1MEG 10MEG 0\n");
    passMask_ = root_ + "/pass.mask";
    WriteBytes(passMask_, "GAIN MIN 10 200 -1\nFIGURE minus3dBHz >= 500\n");
    program_ = root_ + "/fernplot-export";
  }

  int Run(std::vector<std::string> args, bool drawn = false) {
    out_.str("");
    err_.str("");
    return ExportMain(args, program_, out_, err_, drawn ? &drawer_ : nullptr);
  }

  QTemporaryDir dir_;
  std::string root_, good_, bad_, mask_, passMask_, program_;
  std::ostringstream out_, err_;
  QtPageDrawer drawer_;
};

TEST_F(ExportMask, SummaryVerdictsAndExitStatus) {
  // Every input passes: 0.
  EXPECT_EQ(Run({"--summary", "--mask", passMask_, good_, bad_}), kExitOk);
  std::vector<std::string> lines = Lines(out_.str());
  ASSERT_EQ(lines.size(), 2u);
  EXPECT_TRUE(lines[0].ends_with("  PASS")) << lines[0];

  // One fails: 3, its rules named with the line they are on.
  EXPECT_EQ(Run({"--summary", "--mask", mask_, good_, bad_}), kExitMaskFailed) << err_.str();
  lines = Lines(out_.str());
  ASSERT_EQ(lines.size(), 2u);
  // The phase rule lies beyond the sweep: not measured, so both fail.
  EXPECT_NE(lines[0].find("FAIL (rule 5: PHASE MAX 1MEG 10MEG 0 not measured)"), std::string::npos)
      << lines[0];
  EXPECT_NE(lines[1].find("rule 3: GAIN MAX 20k 100k -25 -39 exceeded by "), std::string::npos)
      << lines[1];
  EXPECT_NE(lines[1].find("rule 3: GAIN MAX 20k 100k -25 -39 exceeded by 2."), std::string::npos)
      << lines[1];
  EXPECT_NE(lines[1].find(" at 100 kHz; rule 4"), std::string::npos) << lines[1];
  EXPECT_NE(lines[1].find("rule 4: FIGURE minus3dBHz BETWEEN 900 1100 exceeded by "),
            std::string::npos)
      << lines[1];
  EXPECT_EQ(lines[1].find("rule 2:"), std::string::npos) << lines[1];

  // An input that cannot be read wins over a failed mask (1), a usage error
  // over both (2).
  EXPECT_EQ(Run({"--summary", "--mask", mask_, good_, root_ + "/missing.DAT"}), kExitFailure);
  const std::string onePort = root_ + "/one.s1p";
  WriteBytes(onePort, "# Hz S DB R 50\n100 -1 0\n1000 -3 -45\n");
  EXPECT_EQ(Run({"--summary", "--mask", mask_, "--sparam", "S21", good_, onePort}), kExitUsage);

  // A malformed or missing mask: 2, nothing judged.
  const std::string broken = root_ + "/broken.mask";
  WriteBytes(broken, "GAIN MAX 10k 100k -3\n\nGAIN MAX 100k 10k -3\n");
  EXPECT_EQ(Run({"--summary", "--mask", broken, good_}), kExitUsage);
  EXPECT_EQ(err_.str(), broken + ":3: f1 must be above 0 and below f2\n");
  EXPECT_EQ(out_.str(), "");
  EXPECT_EQ(Run({"--summary", "--mask", root_ + "/none.mask", good_}), kExitUsage);
  EXPECT_EQ(err_.str().rfind(root_ + "/none.mask: ", 0), 0u) << err_.str();
  // Options that make no sense alone.
  EXPECT_EQ(Run({"-f", "verdict", good_}), kExitUsage);
  EXPECT_EQ(Run({"--summary", "--sigma", "2", good_}), kExitUsage);
  EXPECT_EQ(Run({"--statistics", root_ + "/s", "--sigma", "0", good_}), kExitUsage);
  EXPECT_EQ(Run({"--statistics", root_ + "/s", "--statistics-of", "mean", good_}), kExitUsage);
}

TEST_F(ExportMask, TableColumnsAndVerdictFile) {
  const std::string missing = root_ + "/missing.DAT";
  EXPECT_EQ(Run({"--summary=csv", "--mask", mask_, "-f", "verdict", "-o", root_ + "/out", good_,
                 bad_, missing}),
            kExitFailure);
  const std::vector<std::string> lines = Lines(out_.str());
  ASSERT_EQ(lines.size(), 4u);
  const std::vector<std::string> header = Cells(lines[0]);
  ASSERT_EQ(header.size(), kSummaryColumns.size() + 3);
  EXPECT_EQ(header[header.size() - 3], "verdict");
  EXPECT_EQ(header[header.size() - 2], "failedRules");
  EXPECT_EQ(header.back(), "worstMargin");
  const std::vector<std::string> good = Cells(lines[1]);
  const std::vector<std::string> bad = Cells(lines[2]);
  const std::vector<std::string> unread = Cells(lines[3]);
  ASSERT_EQ(bad.size(), header.size());
  ASSERT_EQ(unread.size(), header.size());
  EXPECT_EQ(good[good.size() - 3], "FAIL");
  EXPECT_EQ(good[good.size() - 2], "5");
  EXPECT_EQ(bad[bad.size() - 3], "FAIL");
  EXPECT_EQ(bad[bad.size() - 2], "3;4;5");
  EXPECT_LT(std::stod(bad.back()), 0.0);
  EXPECT_EQ(unread[unread.size() - 3], "");

  const std::string json = ReadBytes(root_ + "/out/bad.verdict.json");
  EXPECT_NE(json.find("\"verdict\": \"FAIL\""), std::string::npos) << json;
  EXPECT_NE(json.find("{\"line\": 2, \"rule\": \"GAIN MIN 10 200 -1\", \"pass\": true, "
                      "\"worstMargin\": "),
            std::string::npos)
      << json;
  EXPECT_NE(json.find("{\"line\": 5, \"rule\": \"PHASE MAX 1MEG 10MEG 0\", \"pass\": false, "
                      "\"worstMargin\": null, \"atHz\": null, \"value\": null, \"limit\": null, "
                      "\"outcome\": \"not measured\"}"),
            std::string::npos)
      << json;
  EXPECT_FALSE(std::filesystem::exists(root_ + "/out/missing.verdict.json"));

  // Without --mask the table is as it always was.
  EXPECT_EQ(Run({"--summary=csv", good_}), kExitOk);
  EXPECT_EQ(Cells(Lines(out_.str())[0]).size(), kSummaryColumns.size());
}

TEST_F(ExportMask, PagesShowTheMask) {
  ASSERT_EQ(Run({"-f", "drawing", "-o", root_ + "/plain", bad_}, true), kExitOk);
  ASSERT_EQ(Run({"-f", "drawing", "--mask", mask_, "-o", root_ + "/masked", bad_}, true),
            kExitMaskFailed);
  const std::string plain = ReadBytes(root_ + "/plain/bad.drawing.json");
  const std::string masked = ReadBytes(root_ + "/masked/bad.drawing.json");
  EXPECT_EQ(plain.find("#d66e00"), std::string::npos);  // the limits' colour
  EXPECT_NE(masked.find("#d66e00"), std::string::npos);
  EXPECT_EQ(plain.find("#c800c8"), std::string::npos);  // the failing stretch
  EXPECT_NE(masked.find("#c800c8"), std::string::npos);
  // A passing page has its limits but no failure marks.
  ASSERT_EQ(Run({"-f", "drawing", "--mask", passMask_, "-o", root_ + "/pass", good_}, true),
            kExitOk);
  const std::string pass = ReadBytes(root_ + "/pass/good.drawing.json");
  EXPECT_NE(pass.find("#d66e00"), std::string::npos);
  EXPECT_EQ(pass.find("#c800c8"), std::string::npos);
}

TEST_F(ExportMask, StatisticsOfALot) {
  // The second sweep's grid starts higher: the lowest frequencies count one.
  const std::string shifted = root_ + "/shifted.DAT";
  WriteBytes(shifted, LowPass(1000.0, 20.0, -1.0));
  const std::string out = root_ + "/lot";
  EXPECT_EQ(Run({"--statistics", out, "--mask", passMask_, good_, shifted, root_ + "/missing.DAT"}),
            kExitFailure);
  const std::vector<std::string> rows = Lines(ReadBytes(out + "/statistics.csv"));
  ASSERT_EQ(rows.size(), 14u);
  EXPECT_EQ(rows[0], "frequency,n,meanDb,stdDb,minDb,maxDb,meanDeg,stdDeg,minDeg,maxDeg");
  std::vector<std::string> first = Cells(rows[1]);
  EXPECT_EQ(first[0], "10");
  EXPECT_EQ(first[1], "1");
  EXPECT_EQ(first[3], "");  // no deviation of one
  std::vector<std::string> last = Cells(rows[13]);
  EXPECT_EQ(last[1], "2");
  EXPECT_NEAR(std::stod(last[5]) - std::stod(last[4]), 1.0, 1e-2);  // max - min
  EXPECT_NEAR(std::stod(last[3]), std::sqrt(0.5), 1e-2);
  const double meanOfDb = std::stod(last[2]);

  const std::vector<std::string> figures = Lines(ReadBytes(out + "/figures.csv"));
  ASSERT_EQ(figures.size(), kSummaryColumns.size() - 3 + 1);
  EXPECT_EQ(figures[0], "figure,n,mean,std,min,max,cpk");
  const std::vector<std::string> bandwidth = Cells(figures[4]);
  EXPECT_EQ(bandwidth[0], "minus3dBHz");
  EXPECT_EQ(bandwidth[1], "2");
  EXPECT_GT(std::stod(bandwidth[6]), 0.0);  // against ">= 500"
  EXPECT_EQ(Cells(figures[1]).back(), "");  // no rule for the low-frequency gain

  // The complex mean of (nearly) equal phases is the mean of |H|, whose dB
  // lies above the mean of the dB.
  EXPECT_EQ(Run({"--statistics", out, "--statistics-of", "complex", good_, shifted}), kExitOk);
  last = Cells(Lines(ReadBytes(out + "/statistics.csv"))[13]);
  EXPECT_GT(std::stod(last[2]), meanOfDb + 1e-3);
  EXPECT_LT(std::stod(last[2]), meanOfDb + 0.1);
  // The statistics page replaces the inputs' pictures; the shifted sweep
  // fails the mask's pass band (exit 3).
  EXPECT_EQ(Run({"--statistics", out, "-f", "png,csv", "--mask", passMask_, "-o", root_ + "/each",
                 good_, shifted},
                true),
            kExitMaskFailed)
      << err_.str();
  EXPECT_TRUE(std::filesystem::exists(out + "/statistics.png"));
  EXPECT_TRUE(std::filesystem::exists(root_ + "/each/good.csv"));
  EXPECT_FALSE(std::filesystem::exists(root_ + "/each/good.png"));
}

}  // namespace
}  // namespace fernplot
