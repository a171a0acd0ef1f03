// SPDX-License-Identifier: MIT
#include <gtest/gtest.h>
#include <sys/stat.h>

#include <cmath>

#include "datafile/reader.h"
#include "fernplot_test_data.h"
#include "text/encoding.h"

namespace fernplot {
namespace {

using testing::Header;
using testing::ReadBytes;
using testing::TempDir;

constexpr char kUntouched[] = "untouched";

struct FailureRow {
  const char* name;
  std::string bytes;
  const char* message;
  bool returnsRecord;
};

std::string Bytes(std::initializer_list<int> values) {
  std::string s;
  for (int v : values) s += static_cast<char>(v);
  return s;
}

std::string WithLengthField(std::string bytes, const std::string& field) {
  bytes.replace(0, 4, field);
  return bytes;
}

TEST(Reader, EveryFailureGivesItsMessage) {
  const std::string raw3 = EncodeRawDataFile(Header(0, 3), std::vector<RawRecord>(3));
  const std::string calc3 =
      EncodeCalculatedDataFile(Header(1, 3), std::vector<CalculatedRecord>(3));
  const std::vector<FailureRow> rows = {
      {"short.DAT", std::string(211, '\0'), "ファイルの形式が違います", false},
      {"empty.DAT", "", "ファイルの形式が違います", false},
      {"littleendian.DAT", WithLengthField(EncodeHeader(Header(0, 0)), Bytes({0xD4, 0, 0, 0})),
       "ファイルの形式が違います", false},
      {"zero.DAT", EncodeHeader(Header(0, 0)), "データ件数がゼロです", true},
      {"raw323.DAT", raw3.substr(0, 323), "データ部の形式が違います", true},
      {"calc275.DAT", calc3.substr(0, 275), "データ部の形式が違います", true},
      // Any other type is sized as calculated records.
      {"type7.DAT",
       [] {
         MeasurementData h = Header(7, 3);
         return EncodeHeader(h) + std::string(63, '\0');
       }(),
       "データ部の形式が違います", true},
  };
  TempDir dir;
  for (const FailureRow& row : rows) {
    SCOPED_TRACE(row.name);
    const std::string path = dir.Write(row.name, row.bytes);
    for (bool full : {true, false}) {
      std::string message;
      auto data = ReadDataFile(full, path, message);
      EXPECT_EQ(message, row.message);
      ASSERT_EQ(data.has_value(), row.returnsRecord);
      if (data) {
        EXPECT_FALSE(data->points.has_value());
      }
    }
  }
}

TEST(Reader, MissingFileNamesThePath) {
  TempDir dir;
  const std::string path = dir.File("nothere.DAT");
  std::string message;
  EXPECT_FALSE(ReadDataFile(true, path, message));
  EXPECT_EQ(message, "ファイル[" + path + "]が見つかりません");
}

TEST(Reader, SuccessLeavesTheMessageAlone) {
  TempDir dir;
  const std::string raw = EncodeRawDataFile(Header(0, 3), std::vector<RawRecord>(3));
  const std::string calc = EncodeCalculatedDataFile(Header(1, 3), std::vector<CalculatedRecord>(3));
  for (const std::string& bytes : {raw, calc, raw + "trailing bytes are ignored"}) {
    const std::string path = dir.Write("ok.DAT", bytes);
    for (bool full : {true, false}) {
      std::string message = kUntouched;
      auto data = ReadDataFile(full, path, message);
      ASSERT_TRUE(data);
      EXPECT_EQ(message, kUntouched);
      EXPECT_EQ(data->points.has_value(), full);
      if (full) {
        EXPECT_EQ(data->points->size(), 3u);
      }
    }
  }
}

TEST(Reader, HeaderOnlyChecksTheRealSize) {
  // Exactly the size a raw file of 3 points needs: header-only mode must not
  // mistake its 212-byte read for the file size.
  TempDir dir;
  const std::string path =
      dir.Write("a.DAT", EncodeRawDataFile(Header(0, 3), std::vector<RawRecord>(3)));
  ASSERT_EQ(ReadBytes(path).size(), 324u);
  std::string message;
  auto data = ReadDataFile(false, path, message);
  ASSERT_TRUE(data);
  EXPECT_EQ(message, "");
  EXPECT_EQ(data->pointCount, 3);
}

TEST(Reader, DecodesEveryHeaderField) {
  MeasurementData h = Header(1, 1);
  h.modelName = "Q417-ABCDEFGHIJK";  // 16 bytes, no terminator in the file
  h.version = "V1.23456";            // 8 bytes
  h.dataTitle = "ＲＣローパス ～ 1kHz";
  h.oscAmplitude = 1.25;
  h.oscDcBias = -0.5;
  h.oscWaveform = 2;
  h.sweepMaxFrequency = 100000.0;
  h.sweepMinFrequency = 10.0;
  h.resolutionKind = 1;
  h.resolution = 50;
  h.integrationKind = 1;
  h.integration = 0.25;
  h.delayKind = 2;
  h.delay = 7;
  h.harmonicOrder = -3;
  h.measurementMode = 2;
  h.autoIntegration = 1;
  h.highDensitySweep = 0x01020304;
  h.amplitudeCompression = 0xFFFFFFFF;
  TempDir dir;
  const std::string path =
      dir.Write("h.DAT", EncodeCalculatedDataFile(h, {CalculatedRecord{10.0, 1.0f, 0.0f}}));
  auto d = ReadDataFileForPage(path);
  ASSERT_TRUE(d);
  EXPECT_EQ(d->modelName, h.modelName);
  EXPECT_EQ(d->version, h.version);
  EXPECT_EQ(d->dataTitle, h.dataTitle);
  EXPECT_EQ(d->year, 1998);
  EXPECT_EQ(d->minute, 5);
  EXPECT_EQ(d->oscAmplitude, 1.25);
  EXPECT_EQ(d->oscDcBias, -0.5);
  EXPECT_EQ(d->oscWaveform, 2);
  EXPECT_EQ(d->sweepMaxFrequency, 100000.0);
  EXPECT_EQ(d->sweepMinFrequency, 10.0);
  EXPECT_EQ(d->resolution, 50.0);
  EXPECT_EQ(d->integration, 0.25);
  EXPECT_EQ(d->delay, 7.0);
  EXPECT_EQ(d->harmonicOrder, -3);
  EXPECT_EQ(d->measurementMode, 2);
  EXPECT_EQ(d->autoIntegration, 1u);
  EXPECT_EQ(d->highDensitySweep, 0x01020304u);
  EXPECT_EQ(d->amplitudeCompression, 0xFFFFFFFFu);
  EXPECT_EQ(d->phaseRange, 0u);
}

TEST(Reader, ValueSlotsFollowTheirKind) {
  const std::string ten = Bytes({0x40, 0x24, 0, 0, 0, 0, 0, 0});
  const std::string fifty = Bytes({0x00, 0x32, 0x40, 0x24, 0, 0, 0, 0});
  struct Row {
    size_t kindAt;
    int16_t kind;
    std::string slot;
    double MeasurementData::*field;
    double expected;
  } rows[] = {
      {160, 3, ten, &MeasurementData::resolution, 10.0},
      {160, 1, fifty, &MeasurementData::resolution, 50.0},
      {172, 1, ten, &MeasurementData::integration, 10.0},
      {172, 3, fifty, &MeasurementData::integration, 50.0},
      {184, 1, ten, &MeasurementData::delay, 10.0},
      {184, 0, Bytes({0xFF, 0xFF, 0xFF, 0xFF, 0, 0, 0, 0}), &MeasurementData::delay, 65535.0},
  };
  TempDir dir;
  for (const Row& r : rows) {
    std::string header = EncodeHeader(Header(0, 0));
    header[r.kindAt] = 0;
    header[r.kindAt + 1] = static_cast<char>(r.kind);
    header.replace(r.kindAt + 4, 8, r.slot);
    std::string message;
    auto d = ReadDataFile(false, dir.Write("v.DAT", header), message);
    ASSERT_TRUE(d);
    EXPECT_EQ((*d).*(r.field), r.expected) << r.kindAt << " kind " << r.kind;
  }
}

TEST(Reader, TextsEndAtNulOrFieldEnd) {
  std::string header = EncodeHeader(Header(0, 0));
  header.replace(60, 64, std::string(64, 'x'));
  header.replace(8, 16, std::string("AB\0CD", 5) + std::string(11, 'z'));
  TempDir dir;
  std::string message;
  auto d = ReadDataFile(false, dir.Write("t.DAT", header), message);
  ASSERT_TRUE(d);
  EXPECT_EQ(d->dataTitle, std::string(64, 'x'));
  EXPECT_EQ(d->modelName, "AB");
}

TEST(Reader, RawRecordsGiveBothRatiosInReverseOrder) {
  const std::vector<RawRecord> records = {
      {10.0, 2.0f, 30.0f, 1.0f},
      {100.0, 1.0f, -45.0f, 10.0f},
      {1000.0, 0.0f, 90.0f, 1.0f},  // zero level: no guard, infinite dB
  };
  TempDir dir;
  auto d = ReadDataFileForPage(dir.Write("r.DAT", EncodeRawDataFile(Header(0, 3), records)));
  ASSERT_TRUE(d && d->points);
  const auto& p = *d->points;
  ASSERT_EQ(p.size(), 3u);
  EXPECT_EQ(p[0].frequency, 1000.0);
  EXPECT_EQ(p[1].frequency, 100.0);
  EXPECT_EQ(p[2].frequency, 10.0);
  EXPECT_EQ(p[2].gainCh1Ch2, static_cast<float>(20.0 * std::log10(2.0)));
  EXPECT_NEAR(p[2].gainCh1Ch2, 6.0206f, 1e-4);
  EXPECT_NEAR(p[2].gainCh2Ch1, -6.0206f, 1e-4);
  EXPECT_EQ(p[2].phaseCh1Ch2, 30.0f);
  EXPECT_EQ(p[2].phaseCh2Ch1, -30.0f);
  EXPECT_EQ(p[1].gainCh1Ch2, -20.0f);
  EXPECT_EQ(p[1].phaseCh2Ch1, 45.0f);
  EXPECT_TRUE(std::isinf(p[0].gainCh1Ch2) && p[0].gainCh1Ch2 < 0);
  EXPECT_TRUE(std::isinf(p[0].gainCh2Ch1) && p[0].gainCh2Ch1 > 0);
}

TEST(Reader, CalculatedRecordsFillOnlyTheFirstRatio) {
  TempDir dir;
  auto d = ReadDataFileForPage(dir.Write(
      "c.DAT",
      EncodeCalculatedDataFile(Header(1, 2), {{10.0, 10.0f, -45.0f}, {20.0, 0.5f, 3.0f}})));
  ASSERT_TRUE(d && d->points);
  const DataPoint& p = (*d->points)[1];
  EXPECT_EQ(p.frequency, 10.0);
  EXPECT_EQ(p.gainCh1Ch2, 20.0f);
  EXPECT_EQ(p.phaseCh1Ch2, -45.0f);
  EXPECT_EQ(p.gainCh2Ch1, 0.0f);
  EXPECT_EQ(p.phaseCh2Ch1, 0.0f);
}

TEST(Reader, UnknownTypeKeepsZeroPoints) {
  TempDir dir;
  auto d = ReadDataFileForPage(dir.Write(
      "u.DAT", EncodeCalculatedDataFile(Header(5, 2), {{10.0, 10.0f, 1.0f}, {20.0, 2.0f, 2.0f}})));
  ASSERT_TRUE(d && d->points);
  ASSERT_EQ(d->points->size(), 2u);
  EXPECT_EQ((*d->points)[0], DataPoint{});
}

TEST(Reader, FolderIsAReadError) {
  TempDir dir;
  std::string message;
  EXPECT_FALSE(ReadDataFile(false, dir.path().string(), message));
  EXPECT_EQ(message, "ファイルの読み込みエラー");
}

TEST(Reader, FifoDoesNotBlock) {
  TempDir dir;
  const std::string fifo = dir.File("pipe.DAT");
  ASSERT_EQ(mkfifo(fifo.c_str(), 0600), 0);
  std::string message;
  EXPECT_FALSE(ReadDataFile(false, fifo, message));
  EXPECT_EQ(message, "ファイルの読み込みエラー");
}

TEST(Reader, BigEndianDecoders) {
  const unsigned char u[] = {0x12, 0x34, 0x56, 0x78};
  EXPECT_EQ(ReadBigEndianUnsigned(u, 2), 0x1234u);
  EXPECT_EQ(ReadBigEndianUnsigned(u, 4), 0x12345678u);
  const unsigned char f[] = {0xC0, 0x49, 0x0F, 0xDB};
  EXPECT_EQ(ReadBigEndianFloat(f), -3.14159274f);
  const unsigned char d[] = {0x3F, 0xF0, 0, 0, 0, 0, 0, 0x01};
  EXPECT_EQ(ReadBigEndianDouble(d), 1.0000000000000002);
}

}  // namespace
}  // namespace fernplot
