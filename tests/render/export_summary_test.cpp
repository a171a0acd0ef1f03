// SPDX-License-Identifier: MIT
// The exporter's figures table (--summary=csv|tsv) and folders as inputs.
#include <gtest/gtest.h>

#include <QTemporaryDir>
#include <charconv>
#include <cmath>
#include <complex>
#include <filesystem>
#include <numbers>
#include <sstream>

#include "analysis/summary_table.h"
#include "datafile/data_file_writer.h"
#include "export_args.h"
#include "export_language.h"
#include "export_run.h"
#include "fernplot_test_data.h"
#include "qt_page_drawer.h"

namespace fernplot {
namespace {

using testing::WriteBytes;

MeasurementData Header(int16_t type, uint16_t count, const std::string& title) {
  return testing::TestHeader({.dataType = type, .pointCount = count, .title = title});
}

std::vector<std::string> Split(const std::string& line, char separator) {
  std::vector<std::string> cells(1);
  for (char c : line) {
    if (c == separator) {
      cells.emplace_back();
    } else {
      cells.back() += c;
    }
  }
  return cells;
}

std::vector<std::string> Lines(const std::string& text) {
  std::vector<std::string> lines;
  std::istringstream in(text);
  for (std::string line; std::getline(in, line);) lines.push_back(line);
  return lines;
}

double Number(const std::string& cell) {
  double v = 0.0;
  const auto [end, ec] = std::from_chars(cell.data(), cell.data() + cell.size(), v);
  EXPECT_TRUE(ec == std::errc() && end == cell.data() + cell.size()) << cell;
  return v;
}

class ExportSummary : public ::testing::Test {
 protected:
  void SetUp() override {
    ASSERT_TRUE(dir_.isValid());
    root_ = dir_.path().toStdString();
    // The loop and low-pass of the figures tests: PM 10° at 316 Hz, GM 10 dB
    // at 562 Hz; the low-pass falls through -3 dB at 10^2.15 Hz.
    loop_ = root_ + "/loop.DAT";
    WriteBytes(loop_, EncodeRawDataFile(Header(0, 4, "loop"), {{10.0, 100.0f, -90.0f, 1.0f},
                                                               {100.0, 10.0f, -150.0f, 1.0f},
                                                               {1000.0, 0.1f, 170.0f, 1.0f},
                                                               {10000.0, 0.01f, 110.0f, 1.0f}}));
    lpf_ = root_ + "/lpf.DAT";
    WriteBytes(lpf_, EncodeCalculatedDataFile(Header(1, 4, "low-pass, \"RC\""),
                                              {{10.0, 1.0f, 0.0f},
                                               {100.0, 1.0f, -10.0f},
                                               {1000.0, 0.1f, -80.0f},
                                               {10000.0, 0.01f, -90.0f}}));
    empty_ = root_ + "/empty.DAT";
    WriteBytes(empty_, EncodeHeader(Header(1, 0, "nothing")));
    missing_ = root_ + "/missing.DAT";
    program_ = root_ + "/fernplot-export";
  }

  int Run(std::vector<std::string> args) {
    out_.str("");
    err_.str("");
    return ExportMain(args, program_, out_, err_);
  }

  QTemporaryDir dir_;
  std::string root_, loop_, lpf_, empty_, missing_, program_;
  std::ostringstream out_, err_;
};

// One row per input in input order, every row as wide as the header, empty
// cells where a figure does not exist, numbers that read back in full.
TEST_F(ExportSummary, CsvRowsAndEmptyCells) {
  EXPECT_EQ(Run({"--summary=csv", loop_, missing_, lpf_, empty_}), kExitFailure);
  const std::vector<std::string> lines = Lines(out_.str());
  ASSERT_EQ(lines.size(), 5u);
  EXPECT_EQ(lines[0],
            "file,title,points,lowFrequencyGainDb,peakDb,peakHz,minus3dBHz,resonanceF0Hz,"
            "resonanceQ,phaseMarginDeg,gainCrossoverHz,gainMarginDb,phaseCrossoverHz,"
            "modulusMargin,delayMarginS,resonanceFittedF0Hz,resonanceFittedQ");
  const std::vector<std::string> loop = Split(lines[1], ',');
  ASSERT_EQ(loop.size(), kSummaryColumns.size());
  EXPECT_EQ(loop[0], loop_);
  EXPECT_EQ(loop[1], "loop");
  EXPECT_EQ(loop[2], "4");
  EXPECT_NEAR(Number(loop[3]), 40.0, 1e-5);
  EXPECT_NEAR(Number(loop[9]), 10.0, 1e-4);
  EXPECT_NEAR(Number(loop[10]), std::pow(10.0, 2.5), 1e-3);
  EXPECT_NEAR(Number(loop[11]), 10.0, 1e-4);
  EXPECT_NEAR(Number(loop[12]), std::pow(10.0, 2.75), 1e-2);
  EXPECT_NEAR(Number(loop[13]), 0.170, 1e-3);
  EXPECT_GT(Number(loop[14]), 0.0);
  EXPECT_EQ(loop[7], "");  // no resonance
  // Full precision: more digits than the human line's three.
  EXPECT_GT(loop[10].size(), 8u);

  // Unreadable: its name and nothing else; reported on stderr.
  EXPECT_EQ(lines[2], missing_ + std::string(16, ','));
  EXPECT_NE(err_.str().find(missing_ + ": "), std::string::npos);

  // The title's comma and quotes are quoted; a filter has no loop figures.
  const std::string quoted = lpf_ + ",\"low-pass, \"\"RC\"\"\",4,";
  EXPECT_EQ(lines[3].substr(0, quoted.size()), quoted);
  const std::vector<std::string> lpf = Split(lines[3].substr(quoted.size()), ',');
  ASSERT_EQ(lpf.size(), kSummaryColumns.size() - 3);
  EXPECT_NEAR(Number(lpf[3]), std::pow(10.0, 2.15), 0.5);
  for (size_t i = 6; i < lpf.size(); ++i) EXPECT_EQ(lpf[i], "") << kSummaryColumns[i + 3];

  // No points: the count, nothing more.
  EXPECT_EQ(lines[4], empty_ + ",nothing,0" + std::string(14, ','));
}

// The same table with tabs, the same for any number of jobs.
TEST_F(ExportSummary, TsvAndJobs) {
  EXPECT_EQ(Run({"--summary=csv", loop_, lpf_}), kExitOk);
  const std::string csv = out_.str();
  EXPECT_EQ(Run({"--summary=tsv", "-j", "3", loop_, lpf_}), kExitOk);
  const std::vector<std::string> lines = Lines(out_.str());
  ASSERT_EQ(lines.size(), 3u);
  for (const std::string& line : lines) {
    EXPECT_EQ(Split(line, '\t').size(), kSummaryColumns.size()) << line;
  }
  EXPECT_EQ(Split(lines[2], '\t')[1], "low-pass, \"RC\"");  // no quoting in TSV
  EXPECT_EQ(Run({"--summary=csv", "-j", "2", loop_, lpf_}), kExitOk);
  EXPECT_EQ(out_.str(), csv);
}

// A resonance with too few points in its band: the CSV keeps the points'
// f0 and Q and adds the fitted ones at the end; the marks, as the viewer's
// panel, show the fitted Q and say so.
TEST_F(ExportSummary, CoarseResonanceShowsTheFittedQ) {
  // A resonant low-pass, f0 = 10 kHz and Q = 20, at ten points a decade: no
  // point within its 500 Hz wide band.
  std::vector<CalculatedRecord> records;
  for (int k = 0; k <= 40; ++k) {
    const double f = 100.0 * std::pow(10.0, k / 10.0 + 0.013);
    const std::complex<double> s(0.0, f / 1e4);
    const std::complex<double> h = 1.0 / (1.0 + s / 20.0 + s * s);
    records.push_back({f, static_cast<float>(std::abs(h)),
                       static_cast<float>(std::arg(h) * 180.0 / std::numbers::pi)});
  }
  const std::string coarse = root_ + "/coarse.DAT";
  WriteBytes(coarse, EncodeCalculatedDataFile(Header(1, 41, "coarse"), records));

  ASSERT_EQ(Run({"--summary=csv", coarse}), kExitOk) << err_.str();
  const std::vector<std::string> lines = Lines(out_.str());
  ASSERT_EQ(lines.size(), 2u);
  const std::vector<std::string> row = Split(lines[1], ',');
  ASSERT_EQ(row.size(), kSummaryColumns.size());
  EXPECT_EQ(kSummaryColumns[8], "resonanceQ");
  const double pointsQ = Number(row[8]);
  EXPECT_GT(std::abs(pointsQ - 20.0), 1.0);  // read from the points: off
  EXPECT_NEAR(Number(row[15]), 1e4, 10.0);
  EXPECT_NEAR(Number(row[16]), 20.0, 0.1);

  const QtPageDrawer drawer;
  ASSERT_EQ(TranslatedExportMain({"-o", root_ + "/marked", "-f", "drawing", "--marks", coarse},
                                 program_, out_, err_, &drawer),
            kExitOk)
      << err_.str();
  const std::string drawing = testing::ReadBytes(root_ + "/marked/coarse.drawing.json");
  EXPECT_NE(drawing.find("\"Q 20.0 (fitted) @ 10.0 kHz\""), std::string::npos);

  // The one-line summary reads the same Q as the panel and the marks.
  ASSERT_EQ(Run({"--summary", coarse}), kExitOk);
  EXPECT_NE(out_.str().find("Q 20.0 (fitted)"), std::string::npos) << out_.str();
}

// A folder stands for its data files, any case of the extension, in name
// order; a folder without any is an error of its own.
TEST_F(ExportSummary, FoldersAsInputs) {
  namespace fs = std::filesystem;
  const std::string folder = root_ + "/set";
  fs::create_directories(folder + "/sub");
  fs::copy_file(loop_, folder + "/b.dat");
  fs::copy_file(lpf_, folder + "/A.DAT");
  fs::copy_file(lpf_, folder + "/sub/C.DAT");
  WriteBytes(folder + "/notes.txt", "not data");

  EXPECT_EQ(Run({"--summary=csv", folder}), kExitOk) << err_.str();
  const std::vector<std::string> lines = Lines(out_.str());
  ASSERT_EQ(lines.size(), 3u);
  EXPECT_EQ(Split(lines[1], ',')[0], folder + "/A.DAT");
  EXPECT_EQ(Split(lines[2], ',')[0], folder + "/b.dat");

  EXPECT_EQ(Run({"--summary", folder + "/"}), kExitOk) << err_.str();
  EXPECT_EQ(Lines(out_.str()).size(), 2u);

  const std::string outDir = root_ + "/out";
  EXPECT_EQ(Run({"-o", outDir, "-f", "csv", folder}), kExitOk) << err_.str();
  EXPECT_TRUE(fs::exists(outDir + "/A.csv"));
  EXPECT_TRUE(fs::exists(outDir + "/b.csv"));
  EXPECT_FALSE(fs::exists(outDir + "/C.csv"));

  fs::create_directories(root_ + "/none");
  EXPECT_EQ(Run({"--summary=csv", root_ + "/none", loop_}), kExitFailure);
  EXPECT_NE(err_.str().find(root_ + "/none: "), std::string::npos);
  EXPECT_EQ(Lines(out_.str()).size(), 2u);
}

TEST(ExportSummaryArgs, Values) {
  ParsedArgs p = ParseExportArgs({"--summary=tsv", "a.DAT"});
  ASSERT_TRUE(p.options);
  EXPECT_EQ(p.options->summaryTable, '\t');
  p = ParseExportArgs({"--summary", "a.DAT"});
  ASSERT_TRUE(p.options);
  EXPECT_EQ(p.options->summaryTable, 0);
  for (const char* bad : {"--summary=xml", "--summary=", "--summary=CSV"}) {
    std::ostringstream out, err;
    EXPECT_EQ(ExportMain({bad, "a.DAT"}, "x", out, err), kExitUsage) << bad;
  }
}

}  // namespace
}  // namespace fernplot
