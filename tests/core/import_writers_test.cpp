// SPDX-License-Identifier: MIT
#include <gtest/gtest.h>

#include <cmath>
#include <string>

#include "datafile/csv_export.h"
#include "datafile/reader.h"
#include "fernplot_test_data.h"
#include "import/import_reader.h"
#include "import/spice_table.h"
#include "import/touchstone_writer.h"

namespace fernplot {
namespace {

using testing::TempDir;

MeasurementData WithPoints(std::vector<DataPoint> points) {
  MeasurementData d;
  d.points = std::move(points);
  return d;
}

TEST(TouchstoneWrite, LayoutAndAscendingUsablePoints) {
  const MeasurementData d = WithPoints({{1000.0, -20.0f, 20.0f, -90.0f, 90.0f},
                                        {10.0, 0.0f, 0.0f, -0.5f, 0.5f},
                                        {0.0, 1.0f, 1.0f, 1.0f, 1.0f},  // unusable: left out
                                        {100.0, std::nanf(""), 0.0f, 0.0f, 0.0f}});
  EXPECT_EQ(TouchstoneS2pText(d, false, "RC_LPF.DAT"),
            "! Measured response of RC_LPF.DAT\n"
            "! S21 = CH1/CH2; S11, S12 and S22 were not measured and are written as 0\n"
            "# Hz S MA R 50\n"
            "10 0 0 1 -0.5 0 0 0 0\n"
            "1000 0 0 0.1 -90 0 0 0 0\n");
  EXPECT_NE(TouchstoneS2pText(d, true, "x").find("100 0 0 1 0 0 0 0 0\n"), std::string::npos);
}

// The instrument's file, its s2p and its CSV all read back to the same trace.
TEST(TouchstoneWrite, DataFileRoundTripsThroughS2pAndCsv) {
  TempDir dir;
  const std::string dat =
      dir.Write("lp.DAT", EncodeRawDataFile(testing::Header(0, 41), testing::LowPassRecords(41)));
  const std::optional<MeasurementData> data = ReadDataFileForPage(dat);
  ASSERT_TRUE(data && data->points);
  const std::string s2p = dir.File("lp.s2p");
  ASSERT_TRUE(WriteTouchstoneS2p(*data, false, "lp.DAT", s2p).ok);
  const std::string csv = dir.File("lp.csv");
  ASSERT_TRUE(WriteCalculatedDataCsv(*data, false, csv).ok);

  const ImportResult fromS2p = ReadImportFile(s2p, {});
  const ImportResult fromCsv = ReadImportFile(csv, {});
  ASSERT_TRUE(fromS2p.file && fromCsv.file);
  const auto& a = fromS2p.file->traces[0].points;
  const auto& b = fromCsv.file->traces[0].points;
  ASSERT_EQ(a.size(), 41u);
  ASSERT_EQ(b.size(), 41u);
  // The file sweeps upwards; points are held in reverse of record order.
  std::vector<DataPoint> ascending(data->points->rbegin(), data->points->rend());
  if (ascending.front().frequency > ascending.back().frequency) {
    ascending.assign(data->points->begin(), data->points->end());
  }
  for (size_t i = 0; i < 41; ++i) {
    const DataPoint& p = ascending[i];
    EXPECT_EQ(a[i].frequency, p.frequency);
    EXPECT_EQ(static_cast<float>(a[i].gainDb), p.gainCh1Ch2);  // exact after the float cast
    EXPECT_EQ(static_cast<float>(a[i].phaseDeg), p.phaseCh1Ch2);
    // The CSV keeps the array order and six decimals.
    EXPECT_NEAR(b[i].gainDb, (*data->points)[i].gainCh1Ch2, 5e-7);
  }
  // The zero parameters are no curve at all.
  EXPECT_FALSE(ParseImport(testing::ReadBytes(s2p), "lp.s2p", {"S11"}).file);
}

TEST(SpiceTable, SubcircuitWithUnwrappedPhaseAndContinuationLines) {
  // Wrapped phases falling through -180 and on.
  const MeasurementData d = WithPoints({{10.0, 0.0f, 0, 540.0f, 0},
                                        {20.0, -1.5f, 0, 100.0f, 0},
                                        {30.0, -3.0f, 0, -170.0f, 0},
                                        {40.0, -6.0f, 0, 100.0f, 0},
                                        {50.0, -9.0f, 0, -70.0f, 0},
                                        {60.0, -12.0f, 0, 175.0f, 0}});
  EXPECT_EQ(SpiceTableText(d, false, "RC LPF (1)", "RC LPF (1).DAT"),
            "* Measured response of RC LPF (1).DAT (CH1/CH2): (frequency Hz, gain dB, phase deg)\n"
            ".subckt RC_LPF_1_ in out\n"
            "E1 out 0 FREQ {V(in)} = (10, 0, 180) (20, -1.5, 100) (30, -3, 190) (40, -6, 100) (50, "
            "-9, -70)\n"
            "+ (60, -12, -185)\n"
            ".ends\n");
  const struct {
    float first;
    float written;
  } firsts[] = {{-180.0f, 180.0f}, {180.0f, 180.0f}, {-181.0f, 179.0f}, {-540.5f, 179.5f}};
  for (const auto& f : firsts) {
    const std::string text = SpiceTableText(WithPoints({{1.0, 0, 0, f.first, 0}}), false, "x", "x");
    EXPECT_NE(text.find("(1, 0, " + ShortestNumber(f.written) + ")"), std::string::npos) << text;
  }
}

TEST(SpiceTable, NamesBecomeIdentifiers) {
  const std::pair<const char*, const char*> cases[] = {
      {"RC_LPF", "RC_LPF"}, {"9V reg", "N9V_reg"}, {"", "N"},
      {"ループ", "N_"},     {"a--b", "a_b"},       {"_x", "N_x"}};
  for (const auto& [in, out] : cases) EXPECT_EQ(SpiceIdentifier(in), out) << in;
}

TEST(SpiceTable, ShortestNumbersReadBackExactly) {
  for (const double v : {0.1, 1e-300, 123456.789, 1.0 / 3.0}) {
    EXPECT_EQ(std::stod(ShortestNumber(v)), v);
  }
  for (const float v : {0.1f, -179.99f, 3.4e38f}) EXPECT_EQ(std::stof(ShortestNumber(v)), v);
}

}  // namespace
}  // namespace fernplot
