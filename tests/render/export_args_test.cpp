// SPDX-License-Identifier: MIT
#include "export_args.h"

#include <gtest/gtest.h>

#include <algorithm>

#include "export_plan.h"

namespace fernplot {
namespace {

using Args = std::vector<std::string>;

// The command-line names of parsed formats, in order.
Args Names(const std::vector<ExportFormat>& formats) {
  Args names;
  for (ExportFormat f : formats) names.emplace_back(f->name);
  return names;
}

TEST(ExportArgs, AcceptedCommandLines) {
  {
    const ParsedArgs p = ParseExportArgs({"-f", "csv,json,csv", "a.DAT", "b.DAT"});
    ASSERT_TRUE(p.options) << p.error;
    EXPECT_EQ(Names(p.options->formats), (Args{"csv", "json"}));
    EXPECT_EQ(p.options->files, (Args{"a.DAT", "b.DAT"}));
    EXPECT_EQ(p.options->outputDir, ".");
    EXPECT_EQ(p.options->zoomPercent, 100);
    EXPECT_FALSE(p.options->calcType);
    EXPECT_FALSE(p.options->settingsPath);
  }
  {
    const ParsedArgs p =
        ParseExportArgs({"-o", "out", "-s", "x.CFG", "--calc", "CH2/CH1", "-f", "png", "--zoom=150",
                         "-f", "svg,PDF,drawing", "--", "-odd.DAT"});
    ASSERT_TRUE(p.options) << p.error;
    EXPECT_EQ(p.options->outputDir, "out");
    EXPECT_EQ(p.options->settingsPath, "x.CFG");
    EXPECT_EQ(p.options->calcType, ChannelRatio::kCh2Ch1);
    EXPECT_EQ(p.options->zoomPercent, 150);
    EXPECT_EQ(Names(p.options->formats), (Args{"png", "svg", "pdf", "drawing"}));
    EXPECT_EQ(p.options->files, Args{"-odd.DAT"});
  }
  {
    const ParsedArgs p = ParseExportArgs({"--calc=ch1/ch2", "-f", "csv", "a"});
    ASSERT_TRUE(p.options);
    EXPECT_EQ(p.options->calcType, ChannelRatio::kCh1Ch2);
  }
  {
    const ParsedArgs p = ParseExportArgs(
        {"-f", "png", "--overlay", "b.DAT,c.DAT", "--overlay=d", "--difference", "c.DAT", "a.DAT"});
    ASSERT_TRUE(p.options) << p.error;
    EXPECT_EQ(p.options->overlays, (Args{"b.DAT", "c.DAT", "d"}));
    EXPECT_EQ(p.options->differenceFile, "c.DAT");
    EXPECT_EQ(p.options->files, Args{"a.DAT"});
  }
  {
    const ParsedArgs p = ParseExportArgs({"-l", "/data/*.DAT"});
    ASSERT_TRUE(p.options);
    EXPECT_EQ(p.options->listPattern, "/data/*.DAT");
    EXPECT_FALSE(p.options->language);
  }
  {
    // The language goes with every use, the listing too.
    EXPECT_EQ(ParseExportArgs({"--lang", "en", "-l", "x"}).options->language, "en");
    EXPECT_EQ(ParseExportArgs({"-f", "png", "--lang=ja", "a"}).options->language, "ja");
  }
  EXPECT_TRUE(ParseExportArgs({"--help"}).options->help);
  EXPECT_TRUE(ParseExportArgs({"--version"}).options->version);
  EXPECT_TRUE(ParseExportArgs({"-l", "*.DAT", "--version"}).options->version)
      << "--version stops before the other options are checked";
  EXPECT_TRUE(ParseExportArgs({"-f", "nope", "-h"}).options == std::nullopt)
      << "a bad format is reported even with --help after it";
}

TEST(ExportArgs, UsageErrors) {
  const Args rejected[] = {
      {},
      {"a.DAT"},                // no format
      {"-f", "csv"},            // no file
      {"-f", "bmp", "a.DAT"},   // unknown format
      {"-f", "csv,", "a.DAT"},  // empty format
      {"-f"},                   // missing value
      {"-o"},
      {"-f", "csv", "-o", "", "a"},
      {"--calc", "ch1", "-f", "csv", "a"},
      {"--zoom", "abc", "-f", "png", "a"},
      {"--zoom", "5", "-f", "png", "a"},
      {"--zoom", "150%", "-f", "png", "a"},
      {"-x", "-f", "csv", "a"},
      {"-l", "*.DAT", "-f", "csv"},  // list and export together
      {"-l", "*.DAT", "a.DAT"},
      {"-l", "*.DAT", "-o", "out"},
      {"-l"},
      {"--help=yes"},
      {"--version=1"},
      {"-f", "csv", "--overlay", "a,,b", "a"},  // empty overlay name
      {"-f", "csv", "--overlay", "", "a"},
      {"-f", "csv", "--overlay"},
      {"-f", "csv", "--difference", "r", "--difference", "s", "a"},
      {"-f", "csv", "a", "--difference"},
      {"-l", "*.DAT", "--overlay", "b"},
      {"--lang", "fr", "-f", "csv", "a"},
      {"-f", "csv", "a", "--lang"},
  };
  for (const Args& args : rejected) {
    const ParsedArgs p = ParseExportArgs(args);
    std::string joined;
    for (const auto& a : args) joined += a + " ";
    EXPECT_FALSE(p.options) << joined;
    EXPECT_FALSE(p.error.empty()) << joined;
  }
}

TEST(ExportArgs, OutputNames) {
  EXPECT_EQ(OutputFileName("RC1", FindExportFormat("csv")), "RC1.csv");
  EXPECT_EQ(OutputFileName("RC1", FindExportFormat("drawing")), "RC1.drawing.json");
  EXPECT_EQ(OutputFileName("RC1", FindExportFormat("PDF")), "RC1.pdf");
}

// Every format can be asked for by name, gets a file name of its own (one
// output must never overwrite another) and is listed in the help.
TEST(ExportArgs, EveryFormatIsNamedDistinctAndHelped) {
  const std::string help = ExportHelpText();
  std::vector<std::string> names;
  for (const ExportFormatEntry& f : kExportFormats) {
    SCOPED_TRACE(std::string(f.name));
    EXPECT_EQ(FindExportFormat(f.name), &f);
    EXPECT_NE(f.write, nullptr);
    const std::string file = OutputFileName("P", &f);
    EXPECT_EQ(std::find(names.begin(), names.end(), file), names.end());
    names.push_back(file);
    EXPECT_NE(help.find(" " + std::string(f.name) + " "), std::string::npos);
    EXPECT_NE(help.find("<name>" + std::string(f.suffix) + ": " + std::string(f.help) + "\n"),
              std::string::npos);
  }
  EXPECT_EQ(FindExportFormat("gif"), nullptr);
  EXPECT_EQ(FindExportFormat(""), nullptr);
}

// Whether fernplot-export hands a run to the program with Qt, decided once
// from the command line (the tests run under the C locale).
TEST(ExportPlan, QtOnlyForDrawnFormatsAndEnglish) {
  using A = ExportPlan::Action;
  struct Case {
    Args args;
    A action;
    bool needsQt;
  };
  const Case cases[] = {
      {{"-f", "csv,json,figures", "a"}, A::kExport, false},
      {{"--summary", "a"}, A::kExport, false},
      {{"-f", "csv,png", "a"}, A::kExport, true},
      {{"-f", "drawing", "a"}, A::kExport, true},
      {{"--lang", "en", "-f", "csv", "a"}, A::kExport, true},
      {{"--lang", "en", "-l", "*.DAT"}, A::kList, true},
      {{"-l", "*.DAT"}, A::kList, false},
      {{"-f", "png", "--help"}, A::kHelp, false},
      {{"--lang", "en", "--version"}, A::kVersion, false},
      {{"-f", "png"}, A::kUsageError, false},
  };
  for (const Case& c : cases) {
    const ExportPlan plan = PlanExport(c.args);
    EXPECT_EQ(plan.action, c.action) << c.args[0] << ' ' << c.args[1];
    EXPECT_EQ(plan.NeedsQt(), c.needsQt) << c.args[0] << ' ' << c.args[1];
  }
  EXPECT_FALSE(PlanExport({"-f", "png"}).usageError.empty());
  // The locale: the first of LC_ALL, LC_MESSAGES, LANG that is set.
  EXPECT_TRUE(LocaleIsEnglish(nullptr, nullptr, "en_GB.UTF-8"));
  EXPECT_TRUE(LocaleIsEnglish("", "de_DE", "ja_JP"));
  EXPECT_FALSE(LocaleIsEnglish("ja_JP.UTF-8", "en_US", nullptr));
  EXPECT_FALSE(LocaleIsEnglish("C.UTF-8", nullptr, nullptr));
  EXPECT_FALSE(LocaleIsEnglish(nullptr, "POSIX", "en_US"));
  EXPECT_FALSE(LocaleIsEnglish(nullptr, nullptr, nullptr));
}

}  // namespace
}  // namespace fernplot
