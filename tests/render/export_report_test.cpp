// SPDX-License-Identifier: MIT
// The exporter's report: the table of every input (over as many pages as it
// needs, unreadable files listed with their message), then every page; a
// lot's report opens with its statistics.
#include <gtest/gtest.h>

#include <QTemporaryDir>
#include <cstdlib>
#include <filesystem>
#include <sstream>

#include "analysis/summary_table.h"
#include "datafile/data_file_writer.h"
#include "export_language.h"
#include "export_run.h"
#include "fernplot_test_data.h"
#include "qt_page_drawer.h"

namespace fernplot {
namespace {

using testing::ReadBytes;
using testing::WriteBytes;

// The Qt drawer, keeping what the report was made of.
class RecordingDrawer : public QtPageDrawer {
 public:
  WriteFileResult WriteReport(const std::vector<std::vector<std::string>>& table,
                              const std::vector<const DrawingDocument*>& pages,
                              const ReportLot* lot, const std::string& path,
                              InFlightFiles* inFlight) const override {
    tables.push_back(table);
    pageCounts.push_back(pages.size());
    lotTables.push_back(lot ? lot->table : std::vector<std::vector<std::string>>{});
    lotPages.push_back(lot && lot->page);
    return QtPageDrawer::WriteReport(table, pages, lot, path, inFlight);
  }
  mutable std::vector<std::vector<std::vector<std::string>>> lotTables;
  mutable std::vector<bool> lotPages;
  mutable std::vector<std::vector<std::vector<std::string>>> tables;
  mutable std::vector<size_t> pageCounts;
};

int PdfPageCount(const std::string& pdf) {
  int n = 0;
  for (size_t at = pdf.find("/Type /Page"); at != std::string::npos;
       at = pdf.find("/Type /Page", at + 1)) {
    if (pdf.compare(at, 12, "/Type /Pages") != 0) ++n;
  }
  return n;
}

// The table pages of a report: A4 landscape boxes.
int TablePageCount(const std::string& pdf) {
  int n = 0;
  for (size_t at = pdf.find("/MediaBox [0 0 842"); at != std::string::npos;
       at = pdf.find("/MediaBox [0 0 842", at + 1)) {
    ++n;
  }
  return n;
}

class ExportReport : public ::testing::Test {
 protected:
  void SetUp() override {
    ASSERT_TRUE(dir_.isValid());
    root_ = dir_.path().toStdString();
    program_ = root_ + "/fernplot-export";
  }

  std::string DataFile(int i) {
    const std::string path = root_ + "/F" + std::to_string(1000 + i) + ".DAT";
    WriteBytes(path,
               EncodeCalculatedDataFile(
                   testing::TestHeader(
                       {.dataType = 1, .pointCount = 3, .title = "file " + std::to_string(i)}),
                   {{10.0, 1.0f, 0.0f}, {100.0, 0.5f, -30.0f}, {1000.0, 0.1f, -80.0f}}));
    return path;
  }

  int Run(std::vector<std::string> args) {
    out_.str("");
    err_.str("");
    return ExportMain(args, program_, out_, err_, &drawer_);
  }

  QTemporaryDir dir_;
  std::string root_, program_;
  std::ostringstream out_, err_;
  RecordingDrawer drawer_;
};

TEST_F(ExportReport, TableAndPagesForOneThreeAndManyInputs) {
  const std::string missing = root_ + "/missing.DAT";
  struct Case {
    int inputs;
    int tablePages;  // 36 rows fit a table page
  };
  for (const Case c : {Case{1, 1}, Case{3, 1}, Case{120, 4}}) {
    std::vector<std::string> args{"--report", root_ + "/report.pdf", "-j", "3"};
    for (int i = 0; i < c.inputs; ++i) {
      args.push_back(DataFile(i));
      if (i == 0) args.push_back(missing);  // second in input order
    }
    EXPECT_EQ(Run(args), kExitFailure) << c.inputs;
    EXPECT_NE(err_.str().find(missing + ": "), std::string::npos);
    const std::string pdf = ReadBytes(root_ + "/report.pdf");
    EXPECT_EQ(pdf.rfind("%PDF", 0), 0u);
    EXPECT_EQ(TablePageCount(pdf), c.tablePages) << c.inputs;
    EXPECT_EQ(PdfPageCount(pdf), c.tablePages + c.inputs) << c.inputs;

    const auto& table = drawer_.tables.back();
    ASSERT_EQ(table.size(), static_cast<size_t>(c.inputs) + 2);
    EXPECT_EQ(table[0], ReportHeading());
    EXPECT_EQ(table[1][0], "F1000.DAT");
    EXPECT_EQ(table[1][1], "file 0");
    EXPECT_EQ(table[1][2], "3");
    EXPECT_EQ(table[2][0], "missing.DAT");
    EXPECT_EQ(table[2][1].rfind("読めません: ", 0), 0u) << table[2][1];
    EXPECT_GT(table[2][1].size(), std::string("読めません: ").size());
    if (c.inputs > 1) {
      EXPECT_EQ(table.back()[0], "F" + std::to_string(999 + c.inputs) + ".DAT");
    }
    EXPECT_EQ(drawer_.pageCounts.back(), static_cast<size_t>(c.inputs));
  }
}

// With --statistics the report opens with the lot: the statistics page
// and the spread of the figures, before the table and the inputs' pages.
TEST_F(ExportReport, ALotsReportOpensWithItsStatisticsPageAndFigures) {
  const std::string mask = root_ + "/lot.mask";
  WriteBytes(mask, "FIGURE lowFrequencyGainDb BETWEEN -1 1\n");
  const std::vector<std::string> files{DataFile(1), DataFile(2), DataFile(3)};
  std::vector<std::string> args{"--report", root_ + "/lot.pdf", "--statistics", root_ + "/stats",
                                "--mask",   mask};
  args.insert(args.end(), files.begin(), files.end());
  ASSERT_EQ(Run(args), kExitOk) << err_.str();
  ASSERT_TRUE(drawer_.lotPages.back());
  const auto& lot = drawer_.lotTables.back();
  ASSERT_GE(lot.size(), 2u);
  EXPECT_EQ(lot[0], (std::vector<std::string>{"図表", "n", "平均", "\u03C3", "最小", "最大", "cpk"}));
  // Only figures the lot has; every input has the same gain: σ 0, no cpk.
  bool gain = false;
  for (size_t r = 1; r < lot.size(); ++r) {
    EXPECT_NE(lot[r][1], "0") << lot[r][0];
    if (lot[r][0] != "lowFrequencyGainDb") continue;
    gain = true;
    EXPECT_EQ(lot[r], (std::vector<std::string>{"lowFrequencyGainDb", "3", "0.00 dB", "0.00 dB",
                                                "0.00 dB", "0.00 dB", ""}));
  }
  EXPECT_TRUE(gain);
  const std::string pdf = ReadBytes(root_ + "/lot.pdf");
  // The statistics page, a page of figures, a page of the table, three pages.
  EXPECT_EQ(TablePageCount(pdf), 2);
  EXPECT_EQ(PdfPageCount(pdf), 6);
  // The first page is the statistics page, at its own size.
  const size_t firstBox = pdf.find("/MediaBox [0 0 ");
  ASSERT_NE(firstBox, std::string::npos);
  EXPECT_NE(pdf.compare(firstBox, 18, "/MediaBox [0 0 842"), 0);

  // Without --statistics nothing comes before the table.
  EXPECT_EQ(Run({"--report", root_ + "/plain.pdf", files[0]}), kExitOk);
  EXPECT_FALSE(drawer_.lotPages.back());
  EXPECT_EQ(PdfPageCount(ReadBytes(root_ + "/plain.pdf")), 2);
}

// The same bytes for any number of jobs with a fixed date; a name not
// ending in .pdf is a usage error and writes nothing.
TEST_F(ExportReport, ReproducibleAndOnlyPdf) {
  const std::vector<std::string> files{DataFile(1), DataFile(2), DataFile(3)};
  ASSERT_EQ(setenv("SOURCE_DATE_EPOCH", "946684800", 1), 0);
  std::vector<std::string> one{"--report", root_ + "/a.pdf", "-j", "1"};
  std::vector<std::string> many{"--report", root_ + "/b.PDF", "-j", "3"};
  one.insert(one.end(), files.begin(), files.end());
  many.insert(many.end(), files.begin(), files.end());
  EXPECT_EQ(Run(one), kExitOk) << err_.str();
  EXPECT_EQ(Run(many), kExitOk) << err_.str();
  unsetenv("SOURCE_DATE_EPOCH");
  EXPECT_EQ(ReadBytes(root_ + "/a.pdf"), ReadBytes(root_ + "/b.PDF"));

  for (const char* name : {"/r.png", "/r.pdf.txt", "/pdf"}) {
    EXPECT_EQ(Run({"--report", root_ + name, files[0]}), kExitUsage) << name;
    EXPECT_FALSE(std::filesystem::exists(root_ + name));
  }
  // An unwritable place is a failure of its own, not a crash.
  EXPECT_EQ(Run({"--report", root_ + "/no/such/folder/r.pdf", files[0]}), kExitFailure);
  EXPECT_NE(err_.str().find("r.pdf: "), std::string::npos);
}

// The heading and the word for an unreadable file follow --lang (the
// Japanese texts are the source texts), as the reader's message does.
TEST_F(ExportReport, HeadingFollowsTheLanguage) {
  const std::string missing = root_ + "/missing.DAT";
  struct Case {
    std::vector<std::string> lang;
    std::string file, points, unreadable;
  };
  for (const Case& c : {Case{{"--lang", "en"}, "File", "Points", "unreadable: "},
                        Case{{"--lang", "ja"}, "ﾌｧｲﾙ", "点数", "読めません: "}}) {
    std::vector<std::string> args = c.lang;
    for (const std::string& a :
         {std::string("--report"), root_ + "/lang.pdf", DataFile(1), missing})
      args.push_back(a);
    out_.str("");
    err_.str("");
    EXPECT_EQ(TranslatedExportMain(args, program_, out_, err_, &drawer_), kExitFailure);
    const auto& table = drawer_.tables.back();
    ASSERT_EQ(table.size(), 3u);
    EXPECT_EQ(table[0][0], c.file);
    EXPECT_EQ(table[0][2], c.points);
    EXPECT_EQ(table[0].size(), ReportHeading().size());
    EXPECT_EQ(table[2][1].rfind(c.unreadable, 0), 0u) << table[2][1];
    // The reader's message after it is in the same language as the word.
    const std::string message = table[2][1].substr(c.unreadable.size());
    EXPECT_NE(err_.str().find(message), std::string::npos) << message;
  }
}

// A file whose data part is cut short still gives its page, and its row
// says why it has no figures.
TEST_F(ExportReport, FileWithUnreadablePointsSaysWhy) {
  const std::string whole = ReadBytes(DataFile(1));
  const std::string cut = root_ + "/CUT.DAT";
  WriteBytes(cut, whole.substr(0, whole.size() - 7));
  EXPECT_EQ(Run({"--report", root_ + "/cut.pdf", DataFile(1), cut}), kExitFailure);
  const auto& table = drawer_.tables.back();
  ASSERT_EQ(table.size(), 3u);
  EXPECT_EQ(table[2][0], "CUT.DAT");
  EXPECT_EQ(table[2][1].rfind("読めません: ", 0), 0u) << table[2][1];
  EXPECT_NE(err_.str().find(table[2][1].substr(std::string("読めません: ").size())),
            std::string::npos);
}

TEST(ReportTable, RowsForReading) {
  SweepFigures fig;
  fig.points = 4;
  fig.lowFrequencyGain = FrequencyGain{10.0, 40.0};
  fig.peak = FrequencyGain{10.0, 40.0};
  fig.gainCrossovers = {GainCrossover{316.2, -170.0, 10.0}};
  fig.phaseMarginCrossover = 0;
  fig.phaseMargin = 10.0;
  const SummaryRow row = MakeSummaryRow("loop.DAT", "loop", fig, LoopJudgement::kLoop);
  const std::vector<std::string> cells = ReportRow(row);
  ASSERT_EQ(cells.size(), ReportHeading().size());
  EXPECT_EQ(cells[3], "40.0 dB");
  EXPECT_EQ(cells[4], "40.0 dB @ 10.0 Hz");
  EXPECT_EQ(cells[5], "");
  EXPECT_EQ(cells[8], "10.0\u00B0 @ 316 Hz");
  EXPECT_EQ(cells[9], "");
  // Not a loop by the user's word: no margins at all.
  EXPECT_EQ(ReportRow(MakeSummaryRow("f", "t", fig, LoopJudgement::kNotLoop))[8], "");
}

// One f0 and Q of a resonance in the report: a coarse sweep's fitted ones,
// as the viewer's panel shows them, saying so.
TEST(ReportTable, CoarseResonanceReadsTheFittedQ) {
  SweepFigures fig;
  fig.points = 41;
  fig.resonance = Resonance{.frequency = 10.1e3,
                            .gain = 26.0,
                            .lower = 9.8e3,
                            .upper = 10.23e3,
                            .q = 23.2,
                            .bandPoints = 2,
                            .fittedFrequency = 10.0e3,
                            .fittedQ = 20.0};
  const std::vector<std::string> coarse =
      ReportRow(MakeSummaryRow("r", "t", fig, LoopJudgement::kAutomatic));
  EXPECT_EQ(coarse[6], "10.0 kHz");
  EXPECT_EQ(coarse[7], "20.0 (fitted)");
  fig.resonance->bandPoints = kFineResonancePoints;
  const std::vector<std::string> fine =
      ReportRow(MakeSummaryRow("r", "t", fig, LoopJudgement::kAutomatic));
  EXPECT_EQ(fine[6], "10.1 kHz");
  EXPECT_EQ(fine[7], "23.2");
}

}  // namespace
}  // namespace fernplot
