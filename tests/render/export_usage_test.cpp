// SPDX-License-Identifier: MIT
// The exporter's command line as a user meets it: one line for a usage
// error with the option or format meant, which settings file a run reads
// (none with --factory or -s /dev/null), and the outputs a run may not
// lose: its inputs, each other, and the lines of a summary.
#include <gtest/gtest.h>

#include <QTemporaryDir>
#include <algorithm>
#include <filesystem>
#include <sstream>

#include "analysis/view_rows.h"
#include "datafile/data_file_writer.h"
#include "export_run.h"
#include "fernplot_test_data.h"
#include "graph/page_view.h"
#include "qt_page_drawer.h"

namespace fernplot {
namespace {

namespace fs = std::filesystem;
using testing::ReadBytes;
using testing::WriteBytes;

class ExportUsage : public ::testing::Test {
 protected:
  void SetUp() override {
    ASSERT_TRUE(dir_.isValid());
    root_ = dir_.path().toStdString();
    fs::create_directories(root_ + "/bin");
    program_ = root_ + "/bin/fernplot-export";
  }

  std::string Data(const std::string& name, const std::string& title) {
    const std::string path = root_ + "/" + name;
    WriteBytes(path, EncodeCalculatedDataFile(
                         testing::TestHeader({.dataType = 1, .pointCount = 2, .title = title}),
                         {{100.0, 10.0f, -45.0f}, {1000.0, 1.0f, -120.0f}}));
    return path;
  }

  int Run(std::vector<std::string> args) {
    out_.str("");
    err_.str("");
    const QtPageDrawer drawer;
    return ExportMain(args, program_, out_, err_, &drawer);
  }

  QTemporaryDir dir_;
  std::string root_, program_;
  std::ostringstream out_, err_;
};

TEST_F(ExportUsage, AUsageErrorIsOneLineWithWhatWasMeant) {
  const std::string a = Data("a.DAT", "a");
  const struct {
    std::vector<std::string> args;
    const char* says;
  } cases[] = {
      {{"--sumary", a}, "unknown option '--sumary' (did you mean --summary?)"},
      {{"--sumary=csv", a}, "(did you mean --summary?)"},
      {{"-f", "pgn", a}, "unknown format 'pgn' (did you mean png?)"},
      {{"-f", "csv,jsno", a}, "(did you mean json?)"},
      {{"--nyquist-raduis", "2", "-f", "csv", a}, "(did you mean --nyquist-radius?)"},
      {{"-f", "csv"}, "no data file given"},
  };
  for (const auto& c : cases) {
    EXPECT_EQ(Run(c.args), kExitUsage) << c.says;
    const std::string e = err_.str();
    EXPECT_EQ(std::count(e.begin(), e.end(), '\n'), 1) << e;
    EXPECT_NE(e.find(c.says), std::string::npos) << e;
    EXPECT_NE(e.find("see fernplot-export --help"), std::string::npos) << e;
    EXPECT_EQ(e.find("Usage:"), std::string::npos) << e;
    EXPECT_EQ(out_.str(), "");
  }
  // Nothing near: no guess.
  EXPECT_EQ(Run({"--frobnicate", a}), kExitUsage);
  EXPECT_EQ(err_.str().find("did you mean"), std::string::npos) << err_.str();
  EXPECT_EQ(Run({"-f", "xyz", a}), kExitUsage);
  EXPECT_EQ(err_.str().find("did you mean"), std::string::npos) << err_.str();
}

TEST_F(ExportUsage, FactoryAndTheNullDeviceIgnoreTheViewersSettings) {
  const std::string x = Data("X.DAT", "x");
  ASSERT_EQ(Run({"-o", root_ + "/plain", "-f", "csv", x}), kExitOk) << err_.str();
  const std::string factory = ReadBytes(root_ + "/plain/X.csv");
  // The viewer's settings beside the exporter change what it draws...
  const std::string beside = root_ + "/bin/fernplot.CFG";
  WriteBytes(beside, "CALC = CH2/CH1\r\n");
  ASSERT_EQ(Run({"-o", root_ + "/viewer", "-f", "csv", x}), kExitOk) << err_.str();
  EXPECT_NE(ReadBytes(root_ + "/viewer/X.csv"), factory);
  // ...unless the run asks for the factory settings.
  ASSERT_EQ(Run({"-o", root_ + "/factory", "--factory", "-f", "csv", x}), kExitOk) << err_.str();
  EXPECT_EQ(ReadBytes(root_ + "/factory/X.csv"), factory);
  ASSERT_EQ(Run({"-o", root_ + "/null", "-s", "/dev/null", "-f", "csv", x}), kExitOk) << err_.str();
  EXPECT_EQ(ReadBytes(root_ + "/null/X.csv"), factory);
  EXPECT_EQ(err_.str(), "");
  EXPECT_EQ(Run({"--factory", "-s", beside, "-f", "csv", x}), kExitUsage);
  EXPECT_EQ(Run({"--factory=yes", "-f", "csv", x}), kExitUsage);

  // The first line of the help names the file a run would read.
  const auto firstLine = [this](std::vector<std::string> args) {
    EXPECT_EQ(Run(std::move(args)), kExitOk);
    return out_.str().substr(0, out_.str().find('\n'));
  };
  EXPECT_EQ(firstLine({"--help"}), "Settings: " + beside);
  EXPECT_EQ(firstLine({"--factory", "--help"}), "Settings: none, the factory settings (--factory)");
  EXPECT_EQ(firstLine({"-s", "/dev/null", "--help"}),
            "Settings: /dev/null (empty: the factory settings)");
  EXPECT_EQ(firstLine({"-s", root_ + "/gone.CFG", "-h"}),
            "Settings: " + root_ + "/gone.CFG (not there: the factory settings)");
  EXPECT_NE(out_.str().find("\nUsage:\n"), std::string::npos);
}

// --set reaches every page property by name; it draws what the dedicated
// option or the settings line draws, and a typo is a usage error before
// anything is written.
TEST_F(ExportUsage, SetNamesAnyPagePropertyAndPropertiesListsThem) {
  const std::string x = Data("X.DAT", "x");
  ASSERT_EQ(Run({"-o", root_ + "/option", "--view", "nichols", "-f", "svg", x}), kExitOk);
  ASSERT_EQ(Run({"-o", root_ + "/set", "--set", "view=NICHOLS", "-f", "svg", x}), kExitOk)
      << err_.str();
  EXPECT_EQ(ReadBytes(root_ + "/set/X.svg"), ReadBytes(root_ + "/option/X.svg"));
  const std::string settings = root_ + "/title.CFG";
  WriteBytes(settings, "TITLE = Loop A\r\nCALC = CH2/CH1\r\n");
  ASSERT_EQ(Run({"-o", root_ + "/file", "-s", settings, "-f", "json", x}), kExitOk) << err_.str();
  ASSERT_EQ(
      Run({"-o", root_ + "/named", "--set", "title=Loop A", "--set=calc=ch2/ch1", "-f", "json", x}),
      kExitOk)
      << err_.str();
  EXPECT_EQ(ReadBytes(root_ + "/named/X.json"), ReadBytes(root_ + "/file/X.json"));

  const struct {
    std::vector<std::string> args;
    const char* says;
  } bad[] = {
      {{"--set", "titel=A", "-f", "csv", x}, "unknown property 'titel' (did you mean title?)"},
      {{"--set", "view=sideways", "-f", "csv", x}, "view takes BODE|NYQUIST|NICHOLS"},
      {{"--set", "view", "-f", "csv", x}, "--set takes NAME=VALUE"},
      {{"--set"}, "--set needs NAME=VALUE"},
  };
  for (const auto& c : bad) {
    std::vector<std::string> args = {"-o", root_ + "/bad"};
    args.insert(args.end(), c.args.begin(), c.args.end());
    EXPECT_EQ(Run(args), kExitUsage) << c.says;
    EXPECT_NE(err_.str().find(c.says), std::string::npos) << err_.str();
  }
  EXPECT_FALSE(fs::exists(root_ + "/bad/X.csv"));
  // What a value depends on may come first on the command line; without it
  // the run stops before writing anything.
  EXPECT_EQ(Run({"-o", root_ + "/manual", "--set", "axis.gain.interval=10", "--set",
                 "axis.gain.autodivision=N", "-f", "csv", x}),
            kExitOk)
      << err_.str();
  EXPECT_EQ(Run({"-o", root_ + "/nointerval", "--set", "axis.gain.autodivision=N", "-f", "csv", x}),
            kExitUsage);
  EXPECT_NE(err_.str().find("needs axis.gain.interval above 0"), std::string::npos) << err_.str();
  EXPECT_FALSE(fs::exists(root_ + "/nointerval/X.csv"));

  ASSERT_EQ(Run({"--properties"}), kExitOk);
  const std::string listing = out_.str();
  EXPECT_EQ(listing.rfind("title\ttext\t", 0), 0u) << listing.substr(0, 80);
  EXPECT_NE(listing.find("\nview\tword\tBODE\tBODE|NYQUIST|NICHOLS|COMPLEX|KK\t"), std::string::npos);
  EXPECT_EQ(Run({"--help"}), kExitOk);
  EXPECT_NE(out_.str().find("--set NAME=VALUE"), std::string::npos);
}

// Every view of the table is reachable each way a user names one: --view,
// the settings file's VIEW line and --set; all three draw the same page, in
// that view's plane, and the help and the property listing name it.
TEST_F(ExportUsage, EveryViewIsReachedByOptionSettingsLineAndSet) {
  const std::string x = Data("X.DAT", "x");
  ASSERT_EQ(Run({"--help"}), kExitOk);
  const std::string help = out_.str();
  ASSERT_EQ(Run({"--properties"}), kExitOk);
  const std::string listing = out_.str();
  for (const ViewRow& row : kViewRows) {
    const std::string option(row.optionWord), word(row.settingsWord);
    SCOPED_TRACE(option);
    const std::string settings = root_ + "/" + option + ".CFG";
    WriteBytes(settings, "VIEW = " + word + "\r\n");
    const std::string a = root_ + "/" + option + "-option", b = root_ + "/" + option + "-file",
                      c = root_ + "/" + option + "-set";
    ASSERT_EQ(Run({"-o", a, "--factory", "--view", option, "-f", "drawing", x}), kExitOk)
        << err_.str();
    ASSERT_EQ(Run({"-o", b, "-s", settings, "-f", "drawing", x}), kExitOk) << err_.str();
    ASSERT_EQ(Run({"-o", c, "--factory", "--set", "view=" + option, "-f", "drawing", x}), kExitOk)
        << err_.str();
    const std::string json = ReadBytes(a + "/X.drawing.json");
    EXPECT_EQ(ReadBytes(b + "/X.drawing.json"), json);
    EXPECT_EQ(ReadBytes(c + "/X.drawing.json"), json);
    const ViewDrawingRow& drawn = DrawingRowOf(row.kind);
    EXPECT_NE(json.find("\"axes\":{\"" + std::string(drawn.bottomAxis) + "\""), std::string::npos);
    EXPECT_NE(help.find(option), std::string::npos);
    EXPECT_NE(listing.find(word), std::string::npos);
  }
  EXPECT_EQ(Run({"--view", "smith", x}), kExitUsage);
  EXPECT_NE(err_.str().find("--view takes bode, nyquist, nichols, complex or kk, not 'smith'"),
            std::string::npos)
      << err_.str();
}

TEST_F(ExportUsage, TheReportIsAnOutputOfTheRun) {
  // The report named as one of the inputs: the input stays.
  const std::string t = root_ + "/t.pdf";
  WriteBytes(t, "not a data file");
  EXPECT_EQ(Run({"--report", t, t}), kExitFailure);
  EXPECT_EQ(ReadBytes(t), "not a data file");
  EXPECT_NE(err_.str().find(t + ": not written: it is the input"), std::string::npos) << err_.str();
  // The report where a page's PDF goes: the page is not written over by
  // it, nor it by the page, whichever way the folder is spelt.
  const std::string x = Data("X.DAT", "x");
  for (const std::string& report : {root_ + "/D/X.pdf", root_ + "/D/./X.pdf"}) {
    SCOPED_TRACE(report);
    fs::remove_all(root_ + "/D");
    EXPECT_EQ(Run({"-o", root_ + "/D", "-f", "pdf,csv", "--report", report, x}), kExitFailure);
    EXPECT_NE(err_.str().find("X.pdf: not written for " + x + ": it is the output of --report"),
              std::string::npos)
        << err_.str();
    EXPECT_TRUE(fs::exists(root_ + "/D/X.csv"));
    // What is there is the report: a table page (A4 landscape) first.
    EXPECT_NE(ReadBytes(root_ + "/D/X.pdf").find("/MediaBox [0 0 842"), std::string::npos);
  }
}

TEST_F(ExportUsage, SummaryLinesKeepOneFilePerLine) {
  const std::string tab = Data("a\tb.DAT", "t"), blank = Data("a b.DAT", "b");
  const std::string feed = Data("c\nd.DAT", "n"), slash = Data("e\\f.DAT", "s");
  ASSERT_EQ(Run({"--summary=tsv", tab, blank, feed, slash}), kExitOk) << err_.str();
  std::istringstream tsv(out_.str());
  std::vector<std::string> firstCells;
  for (std::string line; std::getline(tsv, line);)
    firstCells.push_back(line.substr(0, line.find('\t')));
  ASSERT_EQ(firstCells.size(), 5u) << out_.str();
  EXPECT_EQ(firstCells[1], root_ + "/a\\tb.DAT");
  EXPECT_EQ(firstCells[2], root_ + "/a b.DAT");
  EXPECT_EQ(firstCells[3], root_ + "/c\\nd.DAT");
  EXPECT_EQ(firstCells[4], root_ + "/e\\\\f.DAT");
  ASSERT_EQ(Run({"--summary", tab, feed, slash}), kExitOk) << err_.str();
  const std::string plain = out_.str();
  EXPECT_EQ(std::count(plain.begin(), plain.end(), '\n'), 3) << plain;
  EXPECT_EQ(plain.rfind("a\\tb  ", 0), 0u) << plain;
  EXPECT_NE(plain.find("\nc\\nd  "), std::string::npos) << plain;
  EXPECT_NE(plain.find("\ne\\\\f  "), std::string::npos) << plain;
}

TEST_F(ExportUsage, ABackslashIsPartOfTheName) {
  fs::create_directories(root_ + "/run");
  const std::string a = Data("run\\A.DAT", "backslash");
  ASSERT_EQ(Run({"-o", root_ + "/out", "-f", "csv,drawing", a}), kExitOk) << err_.str();
  EXPECT_TRUE(fs::exists(root_ + "/out/run\\A.csv"));
  EXPECT_FALSE(fs::exists(root_ + "/out/A.csv"));
  EXPECT_NE(ReadBytes(root_ + "/out/run\\A.drawing.json").find("run\\\\A"), std::string::npos);
}

}  // namespace
}  // namespace fernplot
