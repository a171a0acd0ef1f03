// SPDX-License-Identifier: MIT
#include <gtest/gtest.h>
#include <sys/stat.h>
#include <unistd.h>

#include <limits>

#include "datafile/csv_export.h"
#include "datafile/reader.h"
#include "fernplot_test_data.h"
#include "graph/pages.h"
#include "unprivileged.h"

namespace fernplot {
namespace {

using testing::Header;
using testing::ReadBytes;
using testing::TempDir;

PageList OnePage(const std::string& dataFile, ChannelRatio calcType) {
  PageList pages;
  auto page = std::make_unique<GraphPage>();
  page->properties = FactoryDefaults();
  page->properties.calcType = calcType;
  page->data = *ReadDataFileForPage(dataFile);
  pages.push_back(std::move(page));
  return pages;
}

TEST(Csv, RawPageInArrayOrderForEitherRatio) {
  TempDir dir;
  const std::string data =
      dir.Write("r.DAT", EncodeRawDataFile(Header(0, 3), {{10.0, 1.0f, -45.0f, 1.0f},
                                                          {100.0, 1.0f, 30.0f, 2.0f},
                                                          {1000.0, 0.5f, -90.0f, 0.5f}}));
  PageList pages = OnePage(data, ChannelRatio::kCh1Ch2);
  const std::string csv = dir.File("out.csv");
  ASSERT_TRUE(WritePageCsv(pages, 1, csv).ok);
  EXPECT_EQ(ReadBytes(csv),
            "1000.000000 , 0.000000 , -90.000000\r\n"
            "100.000000 , -6.020600 , 30.000000\r\n"
            "10.000000 , 0.000000 , -45.000000\r\n");

  pages[0]->properties.calcType = ChannelRatio::kCh2Ch1;
  ASSERT_TRUE(WritePageCsv(pages, 1, csv).ok);
  EXPECT_EQ(ReadBytes(csv),
            "1000.000000 , 0.000000 , 90.000000\r\n"
            "100.000000 , 6.020600 , -30.000000\r\n"
            "10.000000 , 0.000000 , 45.000000\r\n");
}

TEST(Csv, CalculatedPageShownAsCh2Ch1HasZeros) {
  TempDir dir;
  const std::string data =
      dir.Write("c.DAT", EncodeCalculatedDataFile(Header(1, 1), {{10.0, 10.0f, -45.0f}}));
  PageList pages = OnePage(data, ChannelRatio::kCh2Ch1);
  EXPECT_EQ(PageCsvText(*pages[0]), "10.000000 , 0.000000 , 0.000000\r\n");
  pages[0]->properties.calcType = ChannelRatio::kCh1Ch2;
  EXPECT_EQ(PageCsvText(*pages[0]), "10.000000 , 20.000000 , -45.000000\r\n");
}

TEST(Csv, NonFiniteGainsAndPagesWithoutPoints) {
  GraphPage page;
  page.properties = FactoryDefaults();
  EXPECT_EQ(PageCsvText(page), "");
  const float inf = std::numeric_limits<float>::infinity();
  page.data.points = std::vector<DataPoint>{
      {1.0, -inf, inf, 0.0f, 0.0f}, {2.0, std::numeric_limits<float>::quiet_NaN(), 0, 0, 0}};
  EXPECT_EQ(PageCsvText(page), "1.000000 , -inf , 0.000000\r\n2.000000 , nan , 0.000000\r\n");
}

TEST(Csv, FailuresAreReportedAndKeepTheOldFile) {
  TempDir dir;
  const std::string data =
      dir.Write("c.DAT", EncodeCalculatedDataFile(Header(1, 1), {{10.0, 10.0f, -45.0f}}));
  PageList pages = OnePage(data, ChannelRatio::kCh1Ch2);

  EXPECT_FALSE(WritePageCsv(pages, 0, dir.File("x.csv")).ok);
  EXPECT_FALSE(WritePageCsv(pages, 2, dir.File("x.csv")).ok);
  EXPECT_FALSE(std::filesystem::exists(dir.File("x.csv")));

  CsvResult r = WritePageCsv(pages, 1, dir.File("no/such/folder/x.csv"));
  EXPECT_FALSE(r.ok);
  EXPECT_FALSE(r.error.empty());

  const std::string old = dir.Write("keep.csv", "old contents");
  ASSERT_TRUE(WritePageCsv(pages, 1, old).ok);
  EXPECT_EQ(ReadBytes(old), "10.000000 , 20.000000 , -45.000000\r\n");
  // No temporary file is left behind.
  size_t files = 0;
  for ([[maybe_unused]] const auto& e : std::filesystem::directory_iterator(dir.path())) ++files;
  EXPECT_EQ(files, 2u);
}

TEST(Csv, ReadOnlyFolderKeepsTheOldFile) {
  const std::string skipped = testing::RunWithoutPrivileges([] {
    TempDir dir;
    const std::string data =
        dir.Write("c.DAT", EncodeCalculatedDataFile(Header(1, 1), {{10.0, 10.0f, -45.0f}}));
    PageList pages = OnePage(data, ChannelRatio::kCh1Ch2);
    const std::string old = dir.Write("keep.csv", "old contents");
    ASSERT_EQ(ReadBytes(old), "old contents");
    chmod(dir.path().c_str(), 0500);
    const CsvResult r = WritePageCsv(pages, 1, old);
    chmod(dir.path().c_str(), 0700);
    EXPECT_FALSE(r.ok);
    EXPECT_EQ(ReadBytes(old), "old contents");
  });
  if (!skipped.empty()) GTEST_SKIP() << skipped;
}

}  // namespace
}  // namespace fernplot
