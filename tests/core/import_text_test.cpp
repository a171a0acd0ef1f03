// SPDX-License-Identifier: MIT
#include "import/import_text.h"

#include <gtest/gtest.h>
#include <sys/stat.h>
#include <unistd.h>

#include <chrono>
#include <cmath>
#include <string>

#include "datafile/csv_export.h"
#include "fernplot_test_data.h"
#include "import/import_reader.h"
#include "import/imported_page.h"

namespace fernplot {
namespace {

ImportResult Parse(const std::string& bytes, const std::string& name = "data.txt") {
  return ParseImport(bytes, name, {});
}

// The encodings a simulator's export arrives in, made from UTF-8 text.
std::string Utf16(const std::string& utf8, bool bigEndian) {
  std::string out = bigEndian ? "\xFE\xFF" : "\xFF\xFE";
  for (size_t i = 0; i < utf8.size();) {
    const auto c = static_cast<unsigned char>(utf8[i]);
    uint32_t cp = c;
    size_t len = 1;
    if (c >= 0xC0) {
      len = c >= 0xE0 ? 3 : 2;
      cp = c & (len == 2 ? 0x1F : 0x0F);
      for (size_t k = 1; k < len; ++k) cp = cp << 6 | (utf8[i + k] & 0x3F);
    }
    const char hi = static_cast<char>(cp >> 8), lo = static_cast<char>(cp & 0xFF);
    out += bigEndian ? hi : lo;
    out += bigEndian ? lo : hi;
    i += len;
  }
  return out;
}

std::string Cp1252(const std::string& utf8) {
  std::string out;
  for (size_t i = 0; i < utf8.size(); ++i) {
    if (utf8.compare(i, 2, "\xC2\xB0") == 0) {
      out += '\xB0';
      ++i;
    } else {
      out += utf8[i];
    }
  }
  return out;
}

const char* const kPolar =
    "Freq.\tV(out)\tV(in)\n"
    "1.00000000000000e+001\t(-3.01029995663981e+000dB,-4.50000000000000e+001\xC2\xB0)\t(0."
    "00000000000000e+000dB,0.00000000000000e+000\xC2\xB0)\n"
    "1.00000000000000e+002\t(-2.00000000000000e+001dB,-9.00000000000000e+001\xC2\xB0)\t(0."
    "00000000000000e+000dB,0.00000000000000e+000\xC2\xB0)\n";

const char* const kCartesian =
    "Freq.\tV(out)\tV(in)\n"
    "1.00000000000000e+001\t5.00000000000000e-001,-5.00000000000000e-001\t1,0\n"
    "1.00000000000000e+002\t0,-1.00000000000000e-001\t1,0\n";

TEST(SimulatorExport, PolarAndCartesianInEveryEncoding) {
  for (const char* body : {kPolar, kCartesian}) {
    const std::string utf8 = body;
    const std::pair<const char*, std::string> encodings[] = {
        {"utf-8", utf8},
        {"utf-8 bom", "\xEF\xBB\xBF" + utf8},
        {"utf-16le", Utf16(utf8, false)},
        {"utf-16be", Utf16(utf8, true)},
        {"utf-16le without bom", Utf16(utf8, false).substr(2)},
        {"utf-16be without bom", Utf16(utf8, true).substr(2)},
        {"windows-1252", Cp1252(utf8)},
    };
    for (const auto& [encoding, bytes] : encodings) {
      SCOPED_TRACE(std::string(encoding) + (body == kPolar ? " polar" : " cartesian"));
      const ImportResult r = Parse(bytes, "rc.txt");
      ASSERT_TRUE(r.file) << r.error.line << ": " << r.error.message;
      EXPECT_EQ(r.file->format, "LTspice");
      ASSERT_EQ(r.file->traces.size(), 2u);
      EXPECT_EQ(r.file->traces[0].name, "V(out)");
      EXPECT_EQ(r.file->traces[1].name, "V(in)");
      const auto& out = r.file->traces[0].points;
      ASSERT_EQ(out.size(), 2u);
      EXPECT_EQ(out[0].frequency, 10.0);
      EXPECT_NEAR(out[0].gainDb, -3.0103, 1e-4);
      EXPECT_NEAR(out[0].phaseDeg, -45.0, 1e-9);
      EXPECT_NEAR(out[1].gainDb, -20.0, 1e-9);
      EXPECT_NEAR(out[1].phaseDeg, -90.0, 1e-9);
      EXPECT_NEAR(r.file->traces[1].points[1].gainDb, 0.0, 1e-12);
    }
  }
}

TEST(SimulatorExport, EveryColumnOfEveryStepIsATraceNamedWithItsParameters) {
  const std::string text =
      "Freq.\tV(out)\tI(R1)\n"
      "Step Information: R=1k C=1n  (Run: 1/2)\n"
      "1e1\t(-1dB,-10\xC2\xB0)\t(-2dB,-20\xC2\xB0)\n"
      "1e2\t(-3dB,-30\xC2\xB0)\t(-4dB,-40\xC2\xB0)\n"
      "Step Information: R=4.7k C=1n  (Run: 2/2)\n"
      "1e1\t(-5dB,-50\xC2\xB0)\t(-6dB,-60\xC2\xB0)\n"
      "1e2\t(-7dB,-70\xC2\xB0)\t(-8dB,-80\xC2\xB0)\n";
  const ImportResult r = Parse(text);
  ASSERT_TRUE(r.file) << r.error.message;
  ASSERT_EQ(r.file->traces.size(), 4u);
  const char* names[] = {"V(out) R=1k C=1n", "I(R1) R=1k C=1n", "V(out) R=4.7k C=1n",
                         "I(R1) R=4.7k C=1n"};
  for (size_t i = 0; i < 4; ++i) {
    EXPECT_EQ(r.file->traces[i].name, names[i]);
    ASSERT_EQ(r.file->traces[i].points.size(), 2u);
    EXPECT_EQ(r.file->traces[i].points[1].gainDb, -3.0 - double(i % 2) - 4.0 * double(i / 2));
  }
}

TEST(SimulatorExport, MalformedRowsNameTheirLine) {
  const struct {
    std::string text;
    size_t line;
    const char* says;
  } cases[] = {
      {"Freq.\tV(out)\n1e1\t(-1dB,-10\xC2\xB0)\n1e2\t(-1dB,-10\xC2\xB0)\t1,0\n", 3, "より多い列"},
      {"Freq.\tV(out)\tV(a)\n1e1\t(-1dB,-10\xC2\xB0)\n", 2, "この行は 2 列"},
      {"Freq.\tV(out)\n1e1\t(-1dB,-1\n", 2, "複素数の値ではありません"},
      {"Freq.\tV(out)\n1e1\t(-1,-10)\n", 2, "複素数の値ではありません"},
      {"Freq.\tV(out)\nabc\t1,0\n", 2, "周波数ではありません"},
      {"Freq.\tV(out)\n", 0, "データがありません"},
      {"Freq.\tV(out)\n1\t1,0\nStep Information: x=1  (Run: 1/1)\n", 3, "ステップ情報"},
      {"Freq.\tV(out)\n0\t1,0\n-1\t1,0\n", 0, "2 点すべて"},
  };
  for (const auto& c : cases) {
    SCOPED_TRACE(c.text);
    const ImportResult r = Parse(c.text);
    ASSERT_FALSE(r.file);
    EXPECT_EQ(r.error.line, c.line);
    EXPECT_NE(r.error.message.find(c.says), std::string::npos) << r.error.message;
  }
}

TEST(DelimitedText, SeparatorsHeadersAndCommentsPickTheRightColumns) {
  const struct {
    const char* text;
    const char* name;  // of the trace: the gain column's header
  } cases[] = {
      {"100,-3,-45\n1000,-20,-90\n", ""},
      {"100;-3;-45\r\n1000;-20;-90\r\n", ""},
      {"100\t-3\t-45\n1000\t-20\t-90\n", ""},
      {"  100   -3  -45\n1000 -20 -90\n", ""},
      {"* REW style\n* Freq(Hz) SPL(dB) Phase(degrees)\n100 -3 -45\n1000 -20 -90\n", ""},
      {"# c\n! c\n; c\nFrequency (Hz),Gain (dB),Phase (deg)\n100,-3,-45\n\n1000,-20,-90\n",
       "Gain (dB)"},
      {"Phase [deg]\tHz\tMag\tNote\n-45\t100\t-3\t7\n-90\t1000\t-20\t8\n", "Mag"},
      {"idx;FREQ;angle;dB\n1;100;-45;-3\n2;1000;-90;-20\n", "dB"},
      {"a,b,c\n100,-3,-45\n1000,-20,-90\n", ""},  // unknown names: the first three columns
  };
  for (const auto& c : cases) {
    SCOPED_TRACE(c.text);
    const ImportResult r = Parse(c.text);
    ASSERT_TRUE(r.file) << r.error.line << ": " << r.error.message;
    EXPECT_EQ(r.file->format, "Text");
    ASSERT_EQ(r.file->traces.size(), 1u);
    EXPECT_EQ(r.file->traces[0].name, c.name);
    const std::vector<TracePoint> expected = {{100, -3, -45}, {1000, -20, -90}};
    EXPECT_EQ(r.file->traces[0].points, expected);
  }
}

TEST(DelimitedText, UnitsInTheHeaderAreReadAndNamed) {
  constexpr double kRad = 180.0 / 3.14159265358979323846;
  const struct {
    const char* text;
    double hertz;    // per unit of the frequency column
    double degrees;  // per unit of the phase column
    const char* units;
    const char* name;
  } cases[] = {
      {"Freq (kHz),Gain (dB),Phase (deg)\n0.1,-3,-45\n1,-20,-90\n", 1e3, 1, "kHz, dB, deg",
       "Gain (dB)"},
      {"Freq [MHz];Gain [dB];Phase [rad]\n0.1;-3;-45\n1;-20;-90\n", 1e6, kRad, "MHz, dB, rad",
       "Gain [dB]"},
      {"Freq/GHz\tdB\tPhase/rad\n0.1\t-3\t-45\n1\t-20\t-90\n", 1e9, kRad, "GHz, dB, rad", "dB"},
      {"Frequency_kHz,Gain_dB,Phase_rad\n0.1,-3,-45\n1,-20,-90\n", 1e3, kRad, "kHz, dB, rad",
       "Gain_dB"},
      {"Freq (kHz)  Gain (dB)  Phase (deg)\n0.1 -3 -45\n1 -20 -90\n", 1e3, 1, "kHz, dB, deg",
       "Gain (dB)"},
      {"kHz,dBV,rad\n0.1,-3,-45\n1,-20,-90\n", 1e3, kRad, "kHz, dB, rad", "dBV"},
      // A gain column known by its unit alone.
      {"Freq[Hz],CH1[dBSPL],Phase[Deg]\n0.1,-3,-45\n1,-20,-90\n", 1, 1, "", "CH1[dBSPL]"},
      // Hz, dB and degrees change nothing, and the page does not say them.
      {"Frequency (Hz),Gain (dB),Phase (degrees)\n0.1,-3,-45\n1,-20,-90\n", 1, 1, "", "Gain (dB)"},
      {"Freq.\tGain (dB)\tPhase (deg)\n0.1\t-3\t-45\n1\t-20\t-90\n", 1, 1, "", "Gain (dB)"},
  };
  for (const auto& c : cases) {
    SCOPED_TRACE(c.text);
    const ImportResult r = Parse(c.text, "t.txt");
    ASSERT_TRUE(r.file) << r.error.line << ": " << r.error.message;
    EXPECT_EQ(r.file->format, "Text");
    EXPECT_EQ(r.file->units, c.units);
    ASSERT_EQ(r.file->traces.size(), 1u);
    EXPECT_EQ(r.file->traces[0].name, c.name);
    const auto& points = r.file->traces[0].points;
    ASSERT_EQ(points.size(), 2u);
    EXPECT_DOUBLE_EQ(points[0].frequency, 0.1 * c.hertz);
    EXPECT_DOUBLE_EQ(points[1].frequency, c.hertz);
    EXPECT_EQ(points[1].gainDb, -20);
    EXPECT_DOUBLE_EQ(points[0].phaseDeg, -45 * c.degrees);
  }
}

TEST(DelimitedText, AHeaderNamingColumnsIsFollowedOrRefused) {
  // Two columns are frequency and gain whatever the second is called.
  const ImportResult two = Parse("Frequency,V(out)\n10,-3\n", "t.csv");
  ASSERT_TRUE(two.file) << two.error.message;
  EXPECT_EQ(two.file->traces[0].name, "V(out)");
  EXPECT_EQ(two.file->traces[0].points, (std::vector<TracePoint>{{10, -3, 0}}));
  const struct {
    const char* text;
    const char* says;
  } cases[] = {
      {"freq,phase,x\n1,2,3\n", "ゲインの列がありません"},
      {"Freq,V(out),V(in)\n1,2,3\n", "ゲインの列がありません"},
      {"x,gain,phase\n1,2,3\n", "周波数の列がありません"},
      {"Freq (rad/s),Gain,Phase\n1,2,3\n", "1 列目の単位 \"rad/s\" は読めません"},
      {"Freq;Gain (V/V);Phase\n1;2;3\n", "2 列目の単位 \"V/V\" は読めません"},
      {"Freq,Gain,Phase [dB]\n1,2,3\n", "3 列目の単位 \"dB\" は読めません"},
  };
  for (const auto& c : cases) {
    SCOPED_TRACE(c.text);
    const ImportResult r = Parse(std::string("# table\n") + c.text, "t.csv");
    ASSERT_FALSE(r.file);
    EXPECT_EQ(r.error.line, 2u);
    EXPECT_NE(r.error.message.find(c.says), std::string::npos) << r.error.message;
  }
}

TEST(DelimitedText, EuropeanTablesAndTheUnicodeMinus) {
  const std::vector<TracePoint> expected = {{1500, -3.2, 45}, {2500, -4.5, -90.5}};
  for (const char* text : {
           "1,5e3;-3,2;45\n2,5e3;\xE2\x88\x92"
           "4,5;\xE2\x88\x92"
           "90,5\n",
           "Frequenz (Hz);Pegel (dB);Phase (\xC2\xB0)\r\n1,5e3;-3,2;45\r\n2500;-4,5;-90,5\r\n",
           "1,5e3\t-3,2\t45\n2,5e3\t-4,5\t-90,5\n",
           "1500,-3.2,45\n2500,\xE2\x88\x92"
           "4.5,\xE2\x88\x92"
           "90.5\n",
       }) {
    SCOPED_TRACE(text);
    const ImportResult r = Parse(text, "eu.csv");
    ASSERT_TRUE(r.file) << r.error.line << ": " << r.error.message;
    ASSERT_EQ(r.file->traces[0].points.size(), 2u);
    for (size_t i = 0; i < 2; ++i) {
      EXPECT_DOUBLE_EQ(r.file->traces[0].points[i].frequency, expected[i].frequency);
      EXPECT_DOUBLE_EQ(r.file->traces[0].points[i].gainDb, expected[i].gainDb);
      EXPECT_DOUBLE_EQ(r.file->traces[0].points[i].phaseDeg, expected[i].phaseDeg);
    }
  }
  // With commas between the columns, a comma is never a decimal point.
  const ImportResult r = Parse("1500,-3,2\n2500,-4,5\n", "t.csv");
  ASSERT_TRUE(r.file);
  EXPECT_EQ(r.file->traces[0].points[0], (TracePoint{1500, -3, 2}));
}

TEST(DelimitedText, FallingAndUnorderedFrequenciesKeepEveryRowInFileOrder) {
  // A sweep may run downwards, and a table need not be sorted: no row is
  // dropped or moved, in a table or in a simulator's text.
  const std::vector<TracePoint> unordered = {{10, 0, -1}, {1000, -3, -45}, {100, -1, -10}};
  for (const char* text : {"10,0,-1\n1000,-3,-45\n100,-1,-10\n",
                           "Freq.\tV(out)\n10\t(0dB,-1\xC2\xB0)\n1000\t(-3dB,-45\xC2\xB0)\n"
                           "100\t(-1dB,-10\xC2\xB0)\n"}) {
    SCOPED_TRACE(text);
    const ImportResult r = Parse(text, "t.txt");
    ASSERT_TRUE(r.file) << r.error.message;
    EXPECT_EQ(r.file->traces[0].points, unordered);
  }
}

TEST(DelimitedText, TheExportersCsvReadsBackToTheSameValues) {
  MeasurementData data;
  data.points = std::vector<DataPoint>{{10.0, -0.004321f, 0, -0.573f, 0},
                                       {1234.5678, -3.25f, 0, -51.0004f, 0},
                                       {99999.999, -40.0f, 0, -89.4272f, 0}};
  const std::string csv = CalculatedDataCsvText(data, false);
  const ImportResult r = Parse(csv, "page.csv");
  ASSERT_TRUE(r.file) << r.error.message;
  const auto& points = r.file->traces[0].points;
  ASSERT_EQ(points.size(), 3u);
  for (size_t i = 0; i < 3; ++i) {
    const DataPoint& d = (*data.points)[i];
    EXPECT_NEAR(points[i].frequency, d.frequency, 1e-6);
    EXPECT_NEAR(points[i].gainDb, d.gainCh1Ch2, 1e-6);
    EXPECT_NEAR(points[i].phaseDeg, d.phaseCh1Ch2, 1e-6);
  }
}

TEST(DelimitedText, BadTablesNameTheLine) {
  const struct {
    std::string bytes;
    size_t line;
    const char* says;
  } cases[] = {
      {"", 0, "空のファイル"},
      {" \r\n\n", 0, "空のファイル"},
      {std::string("\x01\x00\x00\x00garbage", 11), 0, "バイナリ"},
      {"f,g,p\n", 0, "見出しだけでデータがありません"},
      {"# only comments\n", 0, "データがありません"},
      {"1,2,3\n4,5\n", 2, "最初の行は 3 列ですがこの行は 2 列です"},
      {"freq,gain,phase\n1,2,3\n4,5,6,7\n", 3, "見出しは 3 列ですがこの行は 4 列です"},
      {"1,2,3\n4,5,6e\n", 2, "数値ではありません"},
      {"1,2,3\n4,5,-\n", 2, "数値ではありません"},
      {"1,2,3\n4,5,6.0.0\n", 2, "数値ではありません"},
      {"1\n2\n", 1, "列が1つしか"},
      {"0,1,2\n-1,1,2\nnan,1,2\n", 0, "3 点すべて"},
      {std::string(kMaxImportLineBytes + 10, '1') + "\n", 1, "長すぎます"},
  };
  for (const auto& c : cases) {
    SCOPED_TRACE(c.bytes.substr(0, 40));
    const ImportResult r = Parse(c.bytes, "t.csv");
    ASSERT_FALSE(r.file);
    EXPECT_EQ(r.error.line, c.line);
    EXPECT_NE(r.error.message.find(c.says), std::string::npos) << r.error.message;
  }
}

TEST(ImportFiles, ContentDecidesTheFormatAndErrorsNameThePath) {
  testing::TempDir dir;
  // Touchstone under a .DAT name, a data file under a .csv name.
  const std::string ts = dir.Write("net.DAT", "! x\n# MHz S DB\n1 -1 5\n");
  EXPECT_TRUE(IsImportFile(ts));
  const ImportResult r = ReadImportFile(ts, {});
  ASSERT_TRUE(r.file) << r.error.message;
  EXPECT_EQ(r.file->format, "Touchstone v1");
  const std::string dat =
      dir.Write("real.DAT", EncodeRawDataFile(testing::Header(0, 3), testing::LowPassRecords(3)));
  EXPECT_FALSE(IsImportFile(dat));
  EXPECT_TRUE(IsImportFile(dir.File("missing.s2p")));
  EXPECT_EQ(DetectImportFormat("Freq.\tV(out)\n", "x.DAT"), ImportFormat::kSimulator);
  EXPECT_EQ(DetectImportFormat("1,2,3\n", "x.DAT"), ImportFormat::kNone);
  EXPECT_EQ(DetectImportFormat("1,2,3\n", "x.csv"), ImportFormat::kDelimited);

  const std::string bad = dir.Write("bad.csv", "1,2,3\n4,5\n");
  const ImportResult b = ReadImportFile(bad, {});
  EXPECT_EQ(ImportErrorText(bad, b.error), bad + ":2: 最初の行は 3 列ですがこの行は 2 列です");
  const ImportResult missing = ReadImportFile(dir.File("none.csv"), {});
  EXPECT_EQ(ImportErrorText("none.csv", missing.error),
            "none.csv: 開けません: No such file or directory");
  // Translated, the values go where the translation puts them, once each:
  // a value that looks like a place holder stays as it is.
  const TextTranslator english = [](const char* context, const char* source) {
    EXPECT_STREQ(context, "Import");
    return std::string(source) == "最初の行は %2 列ですがこの行は %1 列です"
               ? std::string("%1 columns where the first row has %2")
               : std::string(source);
  };
  EXPECT_EQ(ImportErrorText(bad, b.error, &english),
            bad + ":2: 2 columns where the first row has 3");
  const ImportResult odd = ReadImportFile(dir.Write("odd.csv", "1,2,3\n4,%2,6\n"), {});
  EXPECT_EQ(ImportMessage(odd.error, nullptr), "2 列目が数値ではありません: \"%2\"");
}

TEST(ImportFiles, AFifoIsRefusedWithoutWaitingForAWriter) {
  testing::TempDir dir;
  // Opening a FIFO for reading waits for a writer unless told not to; the
  // alarm ends a test that waits.
  alarm(20);
  for (const char* name : {"pipe.s2p", "pipe.csv", "pipe.DAT", "pipe"}) {
    SCOPED_TRACE(name);
    const std::string path = dir.File(name);
    ASSERT_EQ(mkfifo(path.c_str(), 0600), 0);
    const ImportResult r = ReadImportFile(path, {});
    ASSERT_FALSE(r.file);
    EXPECT_EQ(r.error.message, "通常のファイルではありません");
    EXPECT_EQ(IsImportFile(path), HasImportSuffix(path));
    const SweepFileRead read = ReadSweepFile(path, {});
    EXPECT_FALSE(read.data);
  }
  alarm(0);
}

TEST(ImportFiles, AHugeFirstLineIsRefusedWithoutTakingItApart) {
  // Three dozen megabytes of words after "#": looking for an option line
  // must not split them all before the reader refuses the line.
  std::string bytes = "# ";
  bytes.reserve(size_t(36) << 20);
  while (bytes.size() < (size_t(36) << 20)) bytes += "MHz ";
  for (const char* name : {"big.txt", "big.csv", "big.DAT"}) {
    SCOPED_TRACE(name);
    const auto start = std::chrono::steady_clock::now();
    EXPECT_EQ(DetectImportFormat(bytes, name), std::string_view(name).ends_with(".DAT")
                                                   ? ImportFormat::kNone
                                                   : ImportFormat::kDelimited);
    const ImportResult r = Parse(bytes, name);
    const double seconds =
        std::chrono::duration<double>(std::chrono::steady_clock::now() - start).count();
    ASSERT_FALSE(r.file);
    EXPECT_EQ(r.error.line, 1u);
    EXPECT_EQ(r.error.message, "行が長すぎます");
    EXPECT_LT(seconds, 1.0);
  }
}

TEST(ImportText, NumbersAndEncodings) {
  const struct {
    const char* text;
    bool ok;
    double value;
  } numbers[] = {{"1", true, 1},      {"+2.5", true, 2.5},       {"-1e3", true, -1000},
                 {".5", true, 0.5},   {"1e999", true, HUGE_VAL}, {"-1e999", true, -HUGE_VAL},
                 {"1e-999", true, 0}, {"+-1", false, 0},         {"", false, 0},
                 {"0x10", false, 0},  {"1.5.", false, 0},        {" 7 ", true, 7}};
  // Out of range, told by the value and not by the sign of its exponent.
  const std::string zeros(400, '0');
  const struct {
    std::string text;
    double value;
  } outOfRange[] = {{"1" + zeros + "e-10", HUGE_VAL},
                    {"-1" + zeros + "e-10", -HUGE_VAL},
                    {"0." + zeros + "1", 0.0},
                    {"-0." + zeros + "1e+5", -0.0},
                    {"." + zeros + "7e50", 0.0},
                    {"0.0001e400", HUGE_VAL},
                    {"12e99999999999999999999", HUGE_VAL},
                    {"0.5e-99999999999999999999", 0.0}};
  for (const auto& n : outOfRange) {
    SCOPED_TRACE(n.text.substr(0, 12) + "..." + n.text.substr(n.text.size() - 6));
    double v = -12345;
    ASSERT_TRUE(ParseWholeNumber(n.text, v));
    EXPECT_EQ(v, n.value);
    EXPECT_EQ(std::signbit(v), std::signbit(n.value));
  }
  // Cells of European tables.
  const struct {
    const char* text;
    bool decimalComma;
    bool ok;
    double value;
  } cells[] = {{"1,5e3", true, true, 1500},
               {"1,5e3", false, false, 0},
               {"\xE2\x88\x92"
                "3,25",
                true, true, -3.25},
               {"\xE2\x88\x92"
                "45",
                false, true, -45},
               {"2e\xE2\x88\x92"
                "3",
                false, true, 0.002},
               {"1,2,3", true, false, 0},
               {"1.5", true, true, 1.5},
               {"\xE2\x88\x92", true, false, 0},
               {",5", true, true, 0.5},
               {"1,5.2", true, false, 0}};
  for (const auto& c : cells) {
    SCOPED_TRACE(c.text);
    double v = -12345;
    EXPECT_EQ(ParseCellNumber(c.text, c.decimalComma, v), c.ok);
    if (c.ok) {
      EXPECT_DOUBLE_EQ(v, c.value);
    }
  }
  for (const auto& n : numbers) {
    SCOPED_TRACE(n.text);
    double v = -12345;
    EXPECT_EQ(ParseWholeNumber(n.text, v), n.ok);
    if (n.ok) {
      EXPECT_EQ(v, n.value);
    }
  }
  EXPECT_TRUE(IsValidUtf8("plain \xC2\xB0 \xE3\x81\x82 \xF0\x9F\x98\x80"));
  EXPECT_FALSE(IsValidUtf8("\xB0"));
  EXPECT_FALSE(IsValidUtf8("\xC0\x80"));      // overlong
  EXPECT_FALSE(IsValidUtf8("\xED\xA0\x80"));  // surrogate
  EXPECT_FALSE(IsValidUtf8("abc\xE3\x81"));   // cut short
  std::string storage;
  EXPECT_EQ(DecodeImportText("\x80\xB0", storage).text, "\xE2\x82\xAC\xC2\xB0");
  // A surrogate pair in UTF-16, and an unpaired half.
  EXPECT_EQ(DecodeImportText(std::string("\xFF\xFE\x3D\xD8\x00\xDE\x00\xD8", 8), storage).text,
            "\xF0\x9F\x98\x80\xEF\xBF\xBD");
  // Without a byte-order mark, UTF-16 is told from its zero bytes; binary
  // data with zero bytes elsewhere stays binary.
  const DecodedText le = DecodeImportText(std::string("F\0r\0e\0q\0.\0\t\0\xB0\0", 14), storage);
  EXPECT_EQ(le.encoding, TextEncoding::kUtf16Le);
  EXPECT_EQ(le.text, "Freq.\t\xC2\xB0");
  EXPECT_EQ(DecodeImportText(std::string("\0F\0r\0e", 6), storage).encoding,
            TextEncoding::kUtf16Be);
  for (const std::string& binary :
       {std::string("\0\0\0\xD4\0\x01\0\x02", 8), std::string("a\0b\0\0c\0d", 8),
        std::string("\x01\0\x02\0\x03\0", 6), std::string("ab\0", 3)}) {
    EXPECT_TRUE(DecodeImportText(binary, storage).binary) << binary.size();
  }
}

}  // namespace
}  // namespace fernplot
