// SPDX-License-Identifier: MIT
// A data-file header written out byte by byte here, from the file format's
// own field list, not by the product's writer: a field read or written at a
// wrong offset or width on both sides would still round-trip, but not match
// these bytes.
#include <gtest/gtest.h>

#include <cctype>
#include <string>

#include "datafile/data_file_writer.h"
#include "datafile/reader.h"
#include "fernplot_test_data.h"

namespace fernplot {
namespace {

using testing::TempDir;

// "3f f4 00" -> the three bytes.
std::string Hex(const std::string& text) {
  std::string out;
  for (size_t i = 0; i < text.size();) {
    if (std::isspace(static_cast<unsigned char>(text[i]))) {
      ++i;
      continue;
    }
    out += static_cast<char>(std::stoi(text.substr(i, 2), nullptr, 16));
    i += 2;
  }
  return out;
}

// Appends each field after checking that it starts at its documented offset.
class HeaderBytes {
 public:
  // `noise`: fill the bytes no field uses (and text after its NUL) with
  // 0xEE and other junk, which a reader must ignore; else zeros, as the
  // product's writer leaves them.
  explicit HeaderBytes(bool noise) : noise_(noise) {}
  void At(size_t offset, const std::string& bytes) {
    ASSERT_EQ(bytes_.size(), offset) << "the field before this one has the wrong width";
    bytes_ += bytes;
  }
  void Unused(size_t offset, size_t width) { At(offset, std::string(width, noise_ ? '\xEE' : 0)); }
  // Text of `width` bytes: `text`, a NUL and then junk or zeros.
  void Text(size_t offset, size_t width, const std::string& text) {
    std::string field = text;
    if (field.size() < width) field += '\0';
    while (field.size() < width) field += noise_ ? 'J' : '\0';
    At(offset, field);
  }
  bool noise() const { return noise_; }
  const std::string& bytes() const { return bytes_; }

 private:
  bool noise_;
  std::string bytes_;
};

// Every slot holds a double: resolution kind 3, integration and delay kind 1.
std::string DoubleSlotHeader(bool noise) {
  HeaderBytes h(noise);
  h.At(0, Hex("00 00 00 d4"));  // header length 212
  h.Unused(4, 4);
  h.Text(8, 16, "Q417 GAIN-PHASE!");  // model name, all 16 bytes used
  h.Text(24, 8, "1.03");              // version
  h.At(32, noise ? "IGNORED!" : std::string(8, '\0'));
  h.Unused(40, 4);
  h.At(44, Hex("00 01"));  // data type: calculated
  h.At(46, Hex("00 03"));  // 3 points
  h.Unused(48, 2);
  h.At(50, Hex("07 ce"));  // 1998
  h.At(52, Hex("00 06"));  // June
  h.At(54, Hex("00 0c"));  // 12th
  h.At(56, Hex("00 09"));  // 9 h
  h.At(58, Hex("00 1e"));  // 30 min
  // "RC ﾛｰﾊﾟｽ 測定" in CP932.
  h.Text(60, 64, Hex("52 43 20 db b0 ca df bd 20 91 aa 92 e8"));
  h.At(124, Hex("3f f4 00 00 00 00 00 00"));  // oscillator amplitude 1.25
  h.At(132, Hex("bf e0 00 00 00 00 00 00"));  // DC bias -0.5
  h.At(140, Hex("00 02"));                    // waveform: triangle
  h.Unused(142, 2);
  h.At(144, Hex("40 f8 6a 00 00 00 00 00"));  // sweep maximum 100000
  h.At(152, Hex("40 24 00 00 00 00 00 00"));  // sweep minimum 10
  h.At(160, Hex("00 03"));                    // resolution kind: step in Hz
  h.Unused(162, 2);
  h.At(164, Hex("40 34 00 00 00 00 00 00"));  // 20 Hz
  h.At(172, Hex("00 01"));                    // integration kind: seconds
  h.Unused(174, 2);
  h.At(176, Hex("3f c0 00 00 00 00 00 00"));  // 0.125 s
  h.At(184, Hex("00 01"));                    // delay kind: seconds
  h.Unused(186, 2);
  h.At(188, Hex("40 04 00 00 00 00 00 00"));  // 2.5 s
  h.At(196, Hex("00 04"));                    // harmonic order 4
  h.At(198, Hex("00 02"));                    // mode OSC/CH2
  h.At(200, Hex("00 00 00 01"));              // auto-integration
  h.At(204, Hex("00 01 00 00"));              // high-density sweep
  h.At(208, Hex("80 00 00 00"));              // amplitude compression
  EXPECT_EQ(h.bytes().size(), kHeaderSize);
  return h.bytes();
}

// The slots hold 16-bit counts (kinds other than the double ones); signed
// fields are negative; the title fills its 64 bytes without a NUL.
std::string CountSlotHeader(bool noise) {
  const std::string junk6 = noise ? Hex("ee ee ee ee ee ee") : std::string(6, '\0');
  std::string bytes = DoubleSlotHeader(noise);
  HeaderBytes h(noise);
  h.At(0, bytes.substr(0, 60));
  h.At(60, std::string(62, '-') + Hex("91 aa"));  // 62 dashes and "測"
  h.At(124, bytes.substr(124, 36));
  h.At(160, Hex("00 01"));  // resolution kind: steps per decade
  h.Unused(162, 2);
  h.At(164, Hex("00 32") + junk6);  // 50
  h.At(172, Hex("00 02"));          // integration kind: cycles
  h.Unused(174, 2);
  h.At(176, Hex("ff fe") + junk6);  // 65534, unsigned
  h.At(184, Hex("ff ff"));          // delay kind -1: cycles
  h.Unused(186, 2);
  h.At(188, Hex("01 00") + junk6);  // 256
  h.At(196, Hex("ff fe"));          // harmonic order -2
  h.At(198, bytes.substr(198));
  EXPECT_EQ(h.bytes().size(), kHeaderSize);
  return h.bytes();
}

// Header-only read of the header followed by a data part of the right size.
MeasurementData ReadHeader(const std::string& header) {
  TempDir dir;
  const std::string path = dir.Write("golden.DAT", header + std::string(16 + 3 * 16, '\0'));
  std::string message;
  const std::optional<MeasurementData> d = ReadDataFile(false, path, message);
  EXPECT_EQ(message, "");
  return d.value_or(MeasurementData{});
}

TEST(GoldenHeader, EveryFieldAtItsOffset) {
  const MeasurementData d = ReadHeader(DoubleSlotHeader(true));
  EXPECT_EQ(d.modelName, "Q417 GAIN-PHASE!");
  EXPECT_EQ(d.version, "1.03");
  EXPECT_EQ(d.dataType, 1);
  EXPECT_EQ(d.pointCount, 3);
  EXPECT_EQ(d.year, 1998);
  EXPECT_EQ(d.month, 6);
  EXPECT_EQ(d.day, 12);
  EXPECT_EQ(d.hour, 9);
  EXPECT_EQ(d.minute, 30);
  EXPECT_EQ(d.dataTitle, "RC ﾛｰﾊﾟｽ 測定");
  EXPECT_EQ(d.oscAmplitude, 1.25);
  EXPECT_EQ(d.oscDcBias, -0.5);
  EXPECT_EQ(d.oscWaveform, 2);
  EXPECT_EQ(d.sweepMaxFrequency, 100000.0);
  EXPECT_EQ(d.sweepMinFrequency, 10.0);
  EXPECT_EQ(d.resolutionKind, 3);
  EXPECT_EQ(d.resolution, 20.0);
  EXPECT_EQ(d.integrationKind, 1);
  EXPECT_EQ(d.integration, 0.125);
  EXPECT_EQ(d.delayKind, 1);
  EXPECT_EQ(d.delay, 2.5);
  EXPECT_EQ(d.harmonicOrder, 4);
  EXPECT_EQ(d.measurementMode, 2);
  EXPECT_EQ(d.autoIntegration, 1u);
  EXPECT_EQ(d.highDensitySweep, 0x10000u);
  EXPECT_EQ(d.amplitudeCompression, 0x80000000u);
  EXPECT_EQ(d.phaseRange, 0u);
  EXPECT_FALSE(d.points) << "a header-only read";
}

TEST(GoldenHeader, CountSlotsSignedFieldsAndAFullWidthTitle) {
  const MeasurementData d = ReadHeader(CountSlotHeader(true));
  EXPECT_EQ(d.dataTitle, std::string(62, '-') + "測");
  EXPECT_EQ(d.resolutionKind, 1);
  EXPECT_EQ(d.resolution, 50.0);
  EXPECT_EQ(d.integrationKind, 2);
  EXPECT_EQ(d.integration, 65534.0);
  EXPECT_EQ(d.delayKind, -1);
  EXPECT_EQ(d.delay, 256.0);
  EXPECT_EQ(d.harmonicOrder, -2);
  EXPECT_EQ(d.sweepMinFrequency, 10.0) << "the fields around the slots stay in place";
  EXPECT_EQ(d.measurementMode, 2);
}

// The writer puts every field where the hand-made bytes have it, and zeros
// wherever no field is.
TEST(GoldenHeader, TheWriterMakesTheSameBytes) {
  for (auto* header : {&DoubleSlotHeader, &CountSlotHeader}) {
    const std::string expected = header(false);
    EXPECT_EQ(EncodeHeader(ReadHeader(header(true))), expected);
  }
}

}  // namespace
}  // namespace fernplot
