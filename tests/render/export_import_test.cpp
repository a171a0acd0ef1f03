// SPDX-License-Identifier: MIT
// The exporter with other programs' sweep files as inputs, overlays and
// references, and its Touchstone and SPICE table outputs.
#include <gtest/gtest.h>
#include <sys/stat.h>
#include <unistd.h>

#include <QJsonArray>
#include <QJsonDocument>
#include <QJsonObject>
#include <QTemporaryDir>
#include <cmath>
#include <cstdio>
#include <sstream>

#include "datafile/data_file_writer.h"
#include "export_language.h"
#include "export_run.h"
#include "fernplot_test_data.h"
#include "import/import_reader.h"
#include "qt_page_drawer.h"

namespace fernplot {
namespace {

using testing::ReadBytes;
using testing::WriteBytes;

class ExportImport : public ::testing::Test {
 protected:
  void SetUp() override {
    ASSERT_TRUE(dir_.isValid());
    root_ = dir_.path().toStdString();
    dat_ = root_ + "/RC1.DAT";
    WriteBytes(dat_, EncodeRawDataFile(testing::Header(0, 3), {{10.0, 2.0f, 30.0f, 1.0f},
                                                               {1000.0, 1.0f, -45.0f, 1.0f},
                                                               {100000.0, 0.1f, -89.5f, 1.0f}}));
    // Two simulation runs in Windows-1252.
    stepped_ = root_ + "/sim.txt";
    WriteBytes(stepped_,
               "Freq.\tV(out)\r\n"
               "Step Information: R=1k  (Run: 1/2)\r\n"
               "1.00000000000000e+001\t(-1.00000000000000e+000dB,-1.00000000000000e+001\xB0)\r\n"
               "1.00000000000000e+003\t(-3.00000000000000e+000dB,-4.50000000000000e+001\xB0)\r\n"
               "Step Information: R=4.7k  (Run: 2/2)\r\n"
               "1.00000000000000e+001\t(-2.00000000000000e+000dB,-2.00000000000000e+001\xB0)\r\n"
               "1.00000000000000e+003\t(-6.00000000000000e+000dB,-6.00000000000000e+001\xB0)\r\n");
    twoPort_ = root_ + "/amp.s2p";
    WriteBytes(twoPort_,
               "# kHz S DB R 50\n1 -20 0 10 -90 -40 0 -25 0\n10 -21 0 9 -100 -41 0 -26 0\n");
    program_ = root_ + "/fernplot-export";
  }

  int Run(std::vector<std::string> args) {
    out_.str("");
    err_.str("");
    const QtPageDrawer drawer;
    return TranslatedExportMain(args, program_, out_, err_, &drawer);
  }
  std::string Out(const std::string& name) const { return root_ + "/out/" + name; }
  QJsonArray Traces(const std::string& drawing) const {
    return QJsonDocument::fromJson(QByteArray::fromStdString(ReadBytes(Out(drawing))))
        .object()["traces"]
        .toArray();
  }

  QTemporaryDir dir_;
  std::string root_, dat_, stepped_, twoPort_, program_;
  std::ostringstream out_, err_;
};

TEST_F(ExportImport, SeveralTracesMakeAPageWithOverlaysAndTheCsvIsTheFirst) {
  ASSERT_EQ(Run({"-o", root_ + "/out", "-f", "csv,drawing,png", stepped_}), kExitOk) << err_.str();
  EXPECT_EQ(ReadBytes(Out("sim.csv")),
            "10.000000 , -1.000000 , -10.000000\r\n"
            "1000.000000 , -3.000000 , -45.000000\r\n");
  const QJsonArray traces = Traces("sim.drawing.json");
  ASSERT_EQ(traces.size(), 2);
  EXPECT_EQ(traces[0].toObject()["name"].toString(), "V(out) R=1k");
  EXPECT_EQ(traces[0].toObject()["role"].toString(), "page");
  EXPECT_EQ(traces[1].toObject()["name"].toString(), "V(out) R=4.7k");
  EXPECT_EQ(traces[1].toObject()["role"].toString(), "overlay");
  // The info block names the file, the format, the trace and its points,
  // and no instrument setting.
  const std::string drawing = ReadBytes(Out("sim.drawing.json"));
  for (const char* text : {"sim.txt", "LTspice", "V(out) R=1k", "2"}) {
    EXPECT_NE(drawing.find(text), std::string::npos) << text;
  }
  EXPECT_EQ(drawing.find("OSC."), std::string::npos);
  EXPECT_EQ(drawing.find("データ生成日時"), std::string::npos);

  ASSERT_EQ(Run({"-o", root_ + "/out", "-f", "json", stepped_}), kExitOk);
  const QJsonObject json =
      QJsonDocument::fromJson(QByteArray::fromStdString(ReadBytes(Out("sim.json")))).object();
  EXPECT_EQ(json["importedFormat"].toString(), "LTspice");
  EXPECT_EQ(json["importedTrace"].toString(), "V(out) R=1k");
  EXPECT_EQ(json["importedPointCount"].toInt(), 2);
  EXPECT_EQ(json["points"].toArray().size(), 2);

  // Either ratio: CH2/CH1 is the inverse.
  ASSERT_EQ(Run({"-o", root_ + "/out", "-f", "csv", "--calc", "ch2/ch1", stepped_}), kExitOk);
  EXPECT_EQ(ReadBytes(Out("sim.csv")).rfind("10.000000 , 1.000000 , 10.000000\r\n", 0), 0u);
}

TEST_F(ExportImport, ParameterChoiceAndMissingParameterIsAUsageError) {
  ASSERT_EQ(Run({"-o", root_ + "/out", "-f", "csv", twoPort_}), kExitOk) << err_.str();
  EXPECT_EQ(ReadBytes(Out("amp.csv")),
            "1000.000000 , 10.000000 , -90.000000\r\n10000.000000 , 9.000000 , -100.000000\r\n");
  ASSERT_EQ(Run({"-o", root_ + "/out", "-f", "csv", "--sparam", "s22", twoPort_}), kExitOk);
  EXPECT_EQ(ReadBytes(Out("amp.csv")).rfind("1000.000000 , -25.000000 , 0.000000", 0), 0u);

  const std::string onePort = root_ + "/ant.s1p";
  WriteBytes(onePort, "! antenna\n# MHz S RI\n100 0.5 0\n");
  EXPECT_EQ(
      Run({"--lang", "en", "-o", root_ + "/out", "-f", "csv", "--sparam", "S21", onePort, dat_}),
      2);
  EXPECT_EQ(err_.str(), onePort + ": has no S21 (it has S11)\n");
  EXPECT_EQ(Run({"--lang", "ja", "-o", root_ + "/out", "-f", "csv", "--sparam", "S12", onePort}),
            2);
  EXPECT_EQ(err_.str(), onePort + ": S12 がありません（あるのは S11）\n");
  EXPECT_TRUE(std::filesystem::exists(Out("RC1.csv")));
  EXPECT_FALSE(std::filesystem::exists(Out("ant.csv")));
  EXPECT_EQ(Run({"-o", root_ + "/out", "-f", "csv", "--sparam", "S3", dat_}), 2);
}

TEST_F(ExportImport, MalformedInputsAreReportedWithTheirLineAndTheOthersWritten) {
  const std::string cut = root_ + "/cut.s2p";
  WriteBytes(cut, "# Hz S MA\n1 0 0 1 0 0 0 0 0\n2 0 0 1\n");
  const std::string mixed = root_ + "/mixed.csv";
  WriteBytes(mixed, "f,g,p\r\n1,2,3\r\n4,5\r\n");
  const std::string empty = root_ + "/empty.txt";
  WriteBytes(empty, "");
  // The messages speak the run's language, the values put in as read.
  const struct {
    const char* lang;
    std::string says;
  } languages[] = {
      {"en", cut + ":3: a frequency with 4 of 9 numbers: data cut short\n" + mixed +
                 ":3: 2 columns where the header has 3\n" + empty + ": empty file\n"},
      {"ja",
       cut + ":3: 周波数ごとの数値 9 個のうち 4 個しかありません: データが途中で切れています\n" +
           mixed + ":3: 見出しは 3 列ですがこの行は 2 列です\n" + empty + ": 空のファイルです\n"},
  };
  for (const auto& l : languages) {
    std::filesystem::remove_all(root_ + "/out");
    EXPECT_EQ(
        Run({"--lang", l.lang, "-o", root_ + "/out", "-f", "csv,png", cut, mixed, empty, dat_}), 1);
    EXPECT_EQ(err_.str(), l.says);
    EXPECT_TRUE(std::filesystem::exists(Out("RC1.png")));
    for (const char* name : {"cut.csv", "mixed.csv", "empty.csv", "cut.png"}) {
      EXPECT_FALSE(std::filesystem::exists(Out(name))) << name;
    }
  }
}

TEST_F(ExportImport, ImportedFilesAsOverlaysAndAsTheReference) {
  // The page minus the first simulation run (the reference is a file's
  // first trace); the second run stays an overlay.
  const std::string csv = root_ + "/ref.csv";
  WriteBytes(csv, "Frequency (Hz);Phase (deg);Gain (dB)\n10;25;3\n100000;-90;-20\n");
  ASSERT_EQ(Run({"-o", root_ + "/out", "-f", "csv,drawing", "--overlay", stepped_, "--difference",
                 csv, dat_}),
            kExitOk)
      << err_.str();
  EXPECT_EQ(ReadBytes(Out("RC1.csv")),
            "100000.000000 , 0.000000 , 0.500000\r\n"
            "1000.000000 , 8.500000 , -12.500000\r\n"
            "10.000000 , 3.020600 , 5.000000\r\n");
  const QJsonArray traces = Traces("RC1.drawing.json");
  ASSERT_EQ(traces.size(), 4);
  EXPECT_EQ(traces[1].toObject()["name"].toString(), "V(out) R=1k");
  EXPECT_EQ(traces[2].toObject()["name"].toString(), "V(out) R=4.7k");
  EXPECT_EQ(traces[3].toObject()["name"].toString(), "ref");
  EXPECT_EQ(traces[3].toObject()["role"].toString(), "reference");

  // An imported page compared with the instrument's file.
  ASSERT_EQ(Run({"-o", root_ + "/out", "-f", "drawing", "--difference", dat_, stepped_}), kExitOk);
  const QJsonArray imported = Traces("sim.drawing.json");
  ASSERT_EQ(imported.size(), 3);
  EXPECT_EQ(imported[0].toObject()["role"].toString(), "difference");
  EXPECT_EQ(imported[2].toObject()["role"].toString(), "reference");
}

// An RC low-pass (corner 1 kHz) as a European table: semicolons, decimal
// commas, the Unicode minus, the frequency in kHz and the phase in radians.
std::string EuropeanKilohertzTable() {
  std::string text = "Freq (kHz);Gain (dB);Phase (rad)\r\n";
  for (int i = -20; i <= 20; ++i) {
    const double f = std::pow(10.0, i / 10.0);
    char row[128];
    std::snprintf(row, sizeof row, "%.6g;%.6f;%.6f\r\n", f, -10.0 * std::log10(1.0 + f * f),
                  -std::atan(f));
    for (char* c = row; *c; ++c) {
      if (*c == '.') *c = ',';
    }
    std::string line = row;
    for (size_t at = line.find('-'); at != line.npos; at = line.find('-', at)) {
      line.replace(at, 1, "\xE2\x88\x92");
    }
    text += line;
  }
  return text;
}

TEST_F(ExportImport, TableUnitsAndEuropeanNumbersAreReadAndThePageNamesTheUnits) {
  const std::string khz = root_ + "/khz.csv";
  WriteBytes(khz, EuropeanKilohertzTable());
  ASSERT_EQ(Run({"--summary", khz}), kExitOk) << err_.str();
  EXPECT_EQ(out_.str(), "khz  -3dB 997 Hz\n");  // kHz taken for Hz gave 997 mHz

  ASSERT_EQ(Run({"-o", root_ + "/out", "-f", "csv,json,drawing", khz}), kExitOk) << err_.str();
  EXPECT_EQ(ReadBytes(Out("khz.csv")).rfind("10.000000 , -0.000434 , -0.572958\r\n", 0), 0u)
      << ReadBytes(Out("khz.csv"));
  EXPECT_NE(ReadBytes(Out("khz.json")).find("\"importedUnits\":\"kHz, dB, rad\""),
            std::string::npos);
  EXPECT_NE(ReadBytes(Out("khz.drawing.json")).find("単位： kHz, dB, rad"), std::string::npos);
  ASSERT_EQ(Run({"--lang", "en", "-o", root_ + "/out", "-f", "drawing", khz}), kExitOk);
  EXPECT_NE(ReadBytes(Out("khz.drawing.json")).find("Units: kHz, dB, rad"), std::string::npos);

  // A header in Hz, dB and degrees reads as before, and the page does not
  // mention units.
  const std::string hz = root_ + "/hz.csv";
  WriteBytes(hz, "Frequency (Hz),Gain (dB),Phase (deg)\n10,-1,-5\n1000,-3,-45\n");
  ASSERT_EQ(Run({"-o", root_ + "/out", "-f", "json,drawing", hz}), kExitOk) << err_.str();
  EXPECT_EQ(ReadBytes(Out("hz.drawing.json")).find("単位"), std::string::npos);
  EXPECT_EQ(ReadBytes(Out("hz.json")).find("importedUnits"), std::string::npos);

  // A header that names no gain column is an error of its line.
  const std::string noGain = root_ + "/nogain.csv";
  WriteBytes(noGain, "freq,phase,x\n10,-5,1\n");
  EXPECT_EQ(Run({"--lang", "en", "-o", root_ + "/out", "-f", "csv", noGain, dat_}), 1);
  EXPECT_EQ(err_.str(), noGain + ":1: the header names no gain column\n");
  EXPECT_TRUE(std::filesystem::exists(Out("RC1.csv")));
}

TEST_F(ExportImport, FifosGivenOrInAFolderAreReportedWithoutWaiting) {
  const std::string folder = root_ + "/in";
  std::filesystem::create_directory(folder);
  std::filesystem::copy_file(dat_, folder + "/A.DAT");
  for (const std::string& fifo : {root_ + "/p.s2p", root_ + "/p.csv", folder + "/B.DAT"}) {
    ASSERT_EQ(mkfifo(fifo.c_str(), 0600), 0) << fifo;
  }
  // A run that waits in open() for a writer is ended by the alarm.
  alarm(30);
  EXPECT_EQ(Run({"--lang", "en", "-o", root_ + "/out", "-f", "csv", root_ + "/p.s2p",
                 root_ + "/p.csv", folder}),
            1);
  alarm(0);
  const std::string err = err_.str();
  EXPECT_NE(err.find(root_ + "/p.s2p: not a regular file\n"), std::string::npos) << err;
  EXPECT_NE(err.find(root_ + "/p.csv: not a regular file\n"), std::string::npos) << err;
  EXPECT_NE(err.find("B.DAT"), std::string::npos) << err;
  EXPECT_TRUE(std::filesystem::exists(Out("A.csv")));
}

TEST_F(ExportImport, TouchstoneAndSpiceOutputsReadBackToThePage) {
  ASSERT_EQ(Run({"-o", root_ + "/out", "-f", "s2p,spice,csv", dat_}), kExitOk) << err_.str();
  const std::string s2p = ReadBytes(Out("RC1.s2p"));
  EXPECT_EQ(s2p.substr(0, s2p.find("# ")),
            "! Measured response of RC1.DAT\n"
            "! S21 = CH1/CH2; S11, S12 and S22 were not measured and are written as 0\n");
  EXPECT_NE(s2p.find("\n1000 0 0 1 -45 0 0 0 0\n"), std::string::npos) << s2p;
  const std::string cir = ReadBytes(Out("RC1.cir"));
  EXPECT_EQ(cir.rfind("* Measured response of RC1.DAT (CH1/CH2)", 0), 0u) << cir;
  EXPECT_NE(cir.find("\n.subckt RC1 in out\nE1 out 0 FREQ {V(in)} = (10, 6.0206, 30) "),
            std::string::npos)
      << cir;
  EXPECT_NE(cir.find("(1e+05, -20, -89.5)\n.ends\n"), std::string::npos) << cir;

  // .DAT -> s2p -> page gives the .DAT's CSV again.
  const std::string direct = ReadBytes(Out("RC1.csv"));
  std::filesystem::create_directory(root_ + "/again");
  std::filesystem::copy_file(Out("RC1.s2p"), root_ + "/again/RC1.s2p");
  ASSERT_EQ(Run({"-o", root_ + "/again", "-f", "csv", root_ + "/again/RC1.s2p"}), kExitOk)
      << err_.str();
  // Written in ascending frequency; the data file's points run the other way.
  std::string lines[3];
  std::istringstream in(direct);
  for (std::string& line : lines) std::getline(in, line);
  EXPECT_EQ(ReadBytes(root_ + "/again/RC1.csv"),
            lines[2] + "\n" + lines[1] + "\n" + lines[0] + "\n");
}

// A 4-port v1 file: Nij is -(10·i + j) dB at 1, 2 and 3 kHz, rows of four
// pairs, the first with the frequency.
std::string QuadText(char letter) {
  std::string text = std::string("# kHz ") + letter + " DB R 50\n";
  for (int f = 1; f <= 3; ++f) {
    text += std::to_string(f);
    for (int i = 1; i <= 4; ++i) {
      for (int j = 1; j <= 4; ++j) text += ' ' + std::to_string(-(10 * i + j)) + " 0";
      text += '\n';
    }
  }
  return text;
}

TEST_F(ExportImport, MultiPortFilesGiveEveryParameterAndBadRowsFailWithTheirLine) {
  const std::string quad = root_ + "/quad.s4p";
  WriteBytes(quad, QuadText('S'));
  const struct {
    const char* sparam;
    const char* gain;
  } cases[] = {{"", "-21"}, {"S31", "-31"}, {"s43", "-43"}, {"S12", "-12"}};
  for (const auto& c : cases) {
    SCOPED_TRACE(c.sparam);
    std::vector<std::string> args = {"-o", root_ + "/out", "-f", "csv"};
    if (*c.sparam) args.insert(args.end(), {"--sparam", c.sparam});
    args.push_back(quad);
    ASSERT_EQ(Run(args), kExitOk) << err_.str();
    const std::string gain = std::string(c.gain) + ".000000";
    EXPECT_EQ(ReadBytes(Out("quad.csv")),
              "1000.000000 , " + gain + " , 0.000000\r\n2000.000000 , " + gain +
                  " , 0.000000\r\n3000.000000 , " + gain + " , 0.000000\r\n");
  }
  EXPECT_EQ(Run({"--lang", "en", "-o", root_ + "/out", "-f", "csv", "--sparam", "S55", quad}), 2);
  EXPECT_NE(err_.str().find("has no S55 (it has S11 S12 S13 S14 S21"), std::string::npos)
      << err_.str();
  // The file's own letter; S of a Z file is absent.
  const std::string z = root_ + "/quadz.s4p";
  WriteBytes(z, QuadText('Z'));
  ASSERT_EQ(Run({"-o", root_ + "/out", "-f", "csv", "--sparam", "Z34", z}), kExitOk) << err_.str();
  // v1 Z values are normalised to R = 50: -34 dB + 20·log10(50), listed
  // as the impedance's ohms.
  EXPECT_EQ(ReadBytes(Out("quadz.csv")).rfind("1000.000000 , 0.997631 , 0.000000\r\n", 0), 0u);
  EXPECT_EQ(Run({"-o", root_ + "/out", "-f", "csv", "--sparam", "S34", z}), 2);
  EXPECT_EQ(Run({"-o", root_ + "/out", "-f", "csv", "--sparam", "Q21", z}), 2);
  // The summary and the report name the parameter a line is about.
  ASSERT_EQ(Run({"--summary", "--sparam", "S43", quad}), kExitOk) << err_.str();
  EXPECT_EQ(out_.str().rfind("quad S43  ", 0), 0u) << out_.str();

  // Short records and frequencies that fall are errors of their line, not
  // noise data; the other files are still written.
  const std::string missing = root_ + "/missing_pair.s2p";
  WriteBytes(missing, "# MHz S MA\n1 0 0 1 0 0 0 0 0\n2 0 0 1 0 0 0\n3 0 0 1 0 0 0 0 0\n");
  std::string falling = "# MHz S MA\n";
  for (int f = 20; f >= 1; --f) falling += std::to_string(f) + " 0 0 1 0 0 0 0 0\n";
  const std::string down = root_ + "/falling.s2p";
  WriteBytes(down, falling);
  EXPECT_EQ(Run({"--lang", "en", "-o", root_ + "/out", "-f", "csv", missing, down, dat_}), 1);
  EXPECT_NE(err_.str().find(missing + ":3: "), std::string::npos) << err_.str();
  EXPECT_NE(err_.str().find(down + ":3: "), std::string::npos) << err_.str();
  EXPECT_FALSE(std::filesystem::exists(Out("falling.csv")));
  EXPECT_TRUE(std::filesystem::exists(Out("RC1.csv")));
}

TEST_F(ExportImport, S2pOfAnImportedTwoPortWritesTheNetworkItHolds) {
  const std::string z = root_ + "/zamp.s2p";
  WriteBytes(z, "# MHz Z RI R 75\n1 1 0 2 1 0.5 -0.5 3 0\n2 1 1 2 2 0.5 0.5 3 3\n");
  for (const std::string& source : {twoPort_, z}) {
    SCOPED_TRACE(source);
    const std::string stem = std::filesystem::path(source).stem().string();
    ASSERT_EQ(Run({"-o", root_ + "/out", "-f", "s2p", source}), kExitOk) << err_.str();
    const std::string written = ReadBytes(Out(stem + ".s2p"));
    EXPECT_EQ(written.rfind("! Network data of " + stem + ".s2p as read\n# Hz ", 0), 0u) << written;
    EXPECT_EQ(written.find("not measured"), std::string::npos);
    // Every parameter reads back as the original's.
    std::filesystem::create_directories(root_ + "/back");
    std::filesystem::copy_file(Out(stem + ".s2p"), root_ + "/back/" + stem + ".s2p",
                               std::filesystem::copy_options::overwrite_existing);
    const char letter = source == z ? 'Z' : 'S';
    for (const char* ij : {"11", "21", "12", "22"}) {
      const std::string sparam = letter + std::string(ij);
      ASSERT_EQ(Run({"-o", root_ + "/out", "-f", "csv", "--sparam", sparam, source}), kExitOk);
      ASSERT_EQ(Run({"-o", root_ + "/back", "-f", "csv", "--sparam", sparam,
                     root_ + "/back/" + stem + ".s2p"}),
                kExitOk)
          << err_.str();
      EXPECT_EQ(ReadBytes(root_ + "/back/" + stem + ".csv"), ReadBytes(Out(stem + ".csv")))
          << sparam;
    }
  }
  // The inverse ratio is none of the network's parameters: written as the
  // page's response, as for a measurement.
  ASSERT_EQ(Run({"-o", root_ + "/out", "-f", "s2p", "--calc", "ch2/ch1", twoPort_}), kExitOk);
  EXPECT_NE(ReadBytes(Out("amp.s2p")).find("S11, S12 and S22 were not measured"),
            std::string::npos);
}

}  // namespace
}  // namespace fernplot
