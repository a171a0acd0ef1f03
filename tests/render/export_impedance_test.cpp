// SPDX-License-Identifier: MIT
// The exporter on impedance inputs: the impedance formats written from the
// values as read, the circuit fitted from automatic starting values, the
// page's |Z| axis in ohms, and the usage errors of the impedance options.
#include <gtest/gtest.h>

#include <QJsonArray>
#include <QJsonDocument>
#include <QJsonObject>
#include <QTemporaryDir>
#include <algorithm>
#include <cmath>
#include <complex>
#include <filesystem>
#include <numbers>
#include <sstream>

#include "datafile/data_file_writer.h"
#include "export_run.h"
#include "fernplot_test_data.h"
#include "impedance_samples.h"
#include "qt_page_drawer.h"

namespace fernplot {
namespace {

using testing::ReadBytes;
using testing::WriteBytes;

class ExportImpedance : public ::testing::Test {
 protected:
  void SetUp() override {
    ASSERT_TRUE(dir_.isValid());
    root_ = dir_.path().toStdString();
    mpt_ = root_ + "/cell.mpt";
    WriteBytes(mpt_, ImpedanceSampleText(ImpedanceLayout::kEcLab, BatterySpectrum()));
  }
  int Run(std::vector<std::string> args) {
    out_.str("");
    err_.str("");
    return ExportMain(args, root_ + "/fernplot-export", out_, err_, &drawer_);
  }
  std::string Out(const std::string& name) { return ReadBytes(root_ + "/out/" + name); }

  QTemporaryDir dir_;
  std::string root_, mpt_;
  std::ostringstream out_, err_;
  QtPageDrawer drawer_;
};

TEST_F(ExportImpedance, FormatsOfAnImpedanceInputComeFromTheValuesAsRead) {
  ASSERT_EQ(Run({"-o", root_ + "/out", "-f", "zcsv,lcr,csv,kk,circuit,drawing", "--circuit",
                 "R0-p(R1,C1)-p(R2-W1,C2)", mpt_}),
            kExitOk)
      << err_.str();
  const ImpedanceSpectrum battery = BatterySpectrum();
  // Ascending frequency, the digits the file has ("1,00000000E-02" read
  // as 0.01).
  const std::string zcsv = Out("cell.z.csv");
  EXPECT_EQ(zcsv.rfind("frequency,re,im\n0.01,", 0), 0u) << zcsv.substr(0, 80);
  EXPECT_EQ(std::count(zcsv.begin(), zcsv.end(), '\n'), 62);
  EXPECT_EQ(Out("cell.lcr.csv").rfind("frequency,absZ,thetaDeg,Rs,Xs,Cs,Ls,Rp,Xp,Cp,Lp,D,Q\n", 0),
            0u);
  // The page CSV: f, |Z| in ohms, θ, in the file's order.
  const std::string csv = Out("cell.csv");
  EXPECT_EQ(csv.substr(0, csv.find('\r')),
            "10000.000000 , 0.020000 , -0.050154");
  // The battery's circuit, every parameter found from the data alone.
  const QJsonObject fit =
      QJsonDocument::fromJson(QByteArray::fromStdString(Out("cell.circuit.json"))).object();
  EXPECT_TRUE(fit["converged"].toBool());
  const double expected[] = {0.02, 0.01, 1.0, 0.03, 0.01, 10.0};
  const QJsonArray parameters = fit["parameters"].toArray();
  ASSERT_EQ(parameters.size(), 6);
  for (int i = 0; i < 6; ++i) {
    EXPECT_NEAR(parameters[i]["value"].toDouble(), expected[i], 1e-6 * expected[i])
        << parameters[i]["name"].toString().toStdString();
  }
  // The Kramers-Kronig test's residuals, one per point in ascending
  // frequency.
  const QJsonObject kk =
      QJsonDocument::fromJson(QByteArray::fromStdString(Out("cell.kk.json"))).object();
  EXPECT_GE(kk["M"].toInt(), 1);
  EXPECT_EQ(kk["frequency"].toArray().size(), 61);
  EXPECT_EQ(kk["frequency"].toArray()[0].toDouble(), 0.01);
  EXPECT_EQ(kk["residualsReal"].toArray().size(), 61);
  // The left axis reads ohms.
  const std::string drawing = Out("cell.drawing.json");
  EXPECT_NE(drawing.find("\"|Z| [\u03A9]\""), std::string::npos);
  EXPECT_EQ(drawing.find("GAIN [dB]"), std::string::npos);
  EXPECT_NE(drawing.find("\"20m\""), std::string::npos);
  EXPECT_NE(drawing.find("\"100m\""), std::string::npos);

  // The complex plane: Z' across, -Z'' up, the arcs above the axis.
  ASSERT_EQ(Run({"-o", root_ + "/plane", "--view", "complex", "-f", "drawing,png", mpt_}), kExitOk)
      << err_.str();
  const std::string plane = ReadBytes(root_ + "/plane/cell.drawing.json");
  EXPECT_NE(plane.find("\"Z' [\u03A9]\""), std::string::npos);
  EXPECT_NE(plane.find("\"-Z'' [\u03A9]\""), std::string::npos);
  EXPECT_NE(plane.find("\"axes\":{\"real\""), std::string::npos);
  EXPECT_EQ(plane.find("PM "), std::string::npos);
}

TEST_F(ExportImpedance, UsageErrorsAndInputsThatAreNoImpedance) {
  const std::string dat = root_ + "/A.DAT";
  WriteBytes(dat, EncodeCalculatedDataFile(testing::TestHeader({.dataType = 1, .pointCount = 2}),
                                           {{10.0, 1.0f, 0.0f}, {100.0, 0.5f, -30.0f}}));
  const struct {
    std::vector<std::string> args;
    std::string message;
  } usage[] = {
      {{"-f", "zcsv", "--columns", "f,im,re", mpt_}, "--columns takes f,re,im, f,re,-im"},
      {{"-f", "circuit", mpt_}, "-f circuit needs --circuit"},
      {{"-f", "circuit", "--circuit", "R0-p(R1,C1", mpt_}, "--circuit: position 11: ')' expected"},
      {{"-f", "circuit", "--circuit", "R0", "--initial", "R9=1", mpt_}, "--initial: "},
      {{"-f", "zcsv", "--kk-c", "0.5", mpt_}, "need -f kk"},
      {{"-f", "kk", "--kk-max-m", "0", mpt_}, "--kk-max-m takes a whole number"},
      {{"-f", "kk", "--circuit-weight", "square", mpt_}, "--circuit-weight takes modulus"},
  };
  for (const auto& c : usage) {
    EXPECT_EQ(Run(c.args), kExitUsage) << c.message;
    EXPECT_NE(err_.str().find(c.message), std::string::npos) << err_.str();
  }
  // Named columns on a network file: a usage error of that input.
  const std::string s1p = root_ + "/a.s1p";
  WriteBytes(s1p, "# Hz S RI R 50\n1e6 0.5 0\n");
  EXPECT_EQ(Run({"-o", root_ + "/out", "-f", "zcsv", "--columns", "f,re,im", s1p}), kExitUsage);
  // A ratio page has no impedance: that output fails, the others are written.
  EXPECT_EQ(Run({"-o", root_ + "/out", "-f", "csv,zcsv,lcr,kk", dat}), kExitFailure);
  EXPECT_NE(err_.str().find("A.z.csv: not an impedance"), std::string::npos) << err_.str();
  EXPECT_FALSE(Out("A.csv").empty());
  // A table's columns named: its header skipped, its rows an impedance.
  const std::string table = root_ + "/t.csv";
  WriteBytes(table, "f,a,b\n100,3,4\n1000,3,-4\n");
  ASSERT_EQ(Run({"-o", root_ + "/out", "-f", "zcsv", "--columns", "f,re,-im", table}), kExitOk)
      << err_.str();
  EXPECT_EQ(Out("t.z.csv"), "frequency,re,im\n100,3,-4\n1000,3,4\n");
}

// A mask on an impedance limits |Z| in ohms, and the summary gives the
// impedance's figures.
TEST_F(ExportImpedance, MasksAndTheSummaryReadOhms) {
  const std::string mask = root_ + "/z.mask";
  WriteBytes(mask, "GAIN MAX 1 10k 0.03\nGAIN MIN 100 10k 0.015\n");
  ASSERT_EQ(Run({"--mask", mask, "--summary", "-o", root_ + "/m", "-f", "verdict", mpt_}),
            kExitMaskFailed)
      << err_.str();
  const std::string line = out_.str();
  EXPECT_EQ(line.rfind("cell  |Z| 20.0 m\u03A9 @ 10.0 kHz \u2026 105 m\u03A9 @ 10.0 mHz  Rs 20.0 m\u03A9  FAIL "
                       "(rule 1: GAIN MAX 1 10k 0.03 exceeded by 7.92 m\u03A9 at 1.00 Hz)",
                       0),
            0u)
      << line;
  EXPECT_EQ(line.find("-3dB"), std::string::npos);
  const QJsonObject verdict =
      QJsonDocument::fromJson(QByteArray::fromStdString(ReadBytes(root_ + "/m/cell.verdict.json")))
          .object();
  const QJsonArray rules = verdict["rules"].toArray();
  ASSERT_EQ(rules.size(), 2);
  EXPECT_NEAR(rules[0]["value"].toDouble(), 0.0379, 1e-4);  // ohms at 1 Hz
  EXPECT_TRUE(rules[1]["pass"].toBool());
  EXPECT_NEAR(rules[1]["value"].toDouble(), 0.02, 1e-6);
}

// Channel 2 across a shunt: the ratio page becomes Z = R·H, by the option,
// the settings line or --set alike; an impedance file is not scaled.
TEST_F(ExportImpedance, AShuntMakesARatioPageAnImpedance) {
  const std::string dat = root_ + "/A.DAT";
  WriteBytes(dat, EncodeCalculatedDataFile(testing::TestHeader({.dataType = 1, .pointCount = 2}),
                                           {{10.0, 2.0f, -30.0f}, {100.0, 0.1f, -90.0f}}));
  const std::string cfg = root_ + "/shunt.CFG";
  WriteBytes(cfg, "SHUNT = 0.5\r\n");
  ASSERT_EQ(Run({"-o", root_ + "/opt", "--shunt", "0.5", "-f", "zcsv,csv,drawing", dat}), kExitOk)
      << err_.str();
  ASSERT_EQ(Run({"-o", root_ + "/cfg", "-s", cfg, "-f", "zcsv,csv,drawing", dat}), kExitOk);
  ASSERT_EQ(Run({"-o", root_ + "/set", "--factory", "--set", "shunt=0.5", "-f", "zcsv,csv,drawing",
                 dat}),
            kExitOk);
  const std::string zcsv = ReadBytes(root_ + "/opt/A.z.csv");
  for (const char* dir : {"/cfg/", "/set/"}) {
    for (const char* name : {"A.z.csv", "A.csv", "A.drawing.json"}) {
      EXPECT_EQ(ReadBytes(root_ + dir + name), ReadBytes(root_ + "/opt/" + name)) << dir << name;
    }
  }
  // Z = 0.5·H in double from the file's float gain and phase (|H| 2 at 10 Hz).
  const std::complex<double> h0 = std::polar(2.0, -30.0 * std::numbers::pi / 180);
  std::istringstream rows(zcsv);
  std::string header, first;
  std::getline(rows, header);
  std::getline(rows, first);
  const size_t a = first.find(','), b = first.find(',', a + 1);
  EXPECT_EQ(first.substr(0, a), "10");
  EXPECT_NEAR(std::stod(first.substr(a + 1, b - a - 1)), 0.5 * h0.real(), 1e-6);
  EXPECT_NEAR(std::stod(first.substr(b + 1)), 0.5 * h0.imag(), 1e-6);
  // The page CSV in the record's order: f, |Z|, θ.
  const std::string csv = ReadBytes(root_ + "/opt/A.csv");
  EXPECT_EQ(csv.substr(0, csv.find('\r')), "100.000000 , 0.050000 , -90.000000");
  EXPECT_NE(ReadBytes(root_ + "/opt/A.drawing.json").find("\"|Z| [\u03A9]\""), std::string::npos);
  // Without a shunt the page is the ratio it always was.
  ASSERT_EQ(Run({"-o", root_ + "/plain", "-f", "csv", dat}), kExitOk);
  const std::string plain = ReadBytes(root_ + "/plain/A.csv");
  EXPECT_EQ(plain.substr(0, plain.find('\r')), "100.000000 , -20.000000 , -90.000000");
  // An impedance file is not scaled.
  ASSERT_EQ(Run({"-o", root_ + "/z1", "-f", "zcsv", mpt_}), kExitOk);
  ASSERT_EQ(Run({"-o", root_ + "/z2", "--shunt", "10", "-f", "zcsv", mpt_}), kExitOk);
  EXPECT_EQ(ReadBytes(root_ + "/z1/cell.z.csv"), ReadBytes(root_ + "/z2/cell.z.csv"));
  for (const char* bad : {"0", "-1", "x", "inf"}) {
    EXPECT_EQ(Run({"--shunt", bad, "-f", "csv", dat}), kExitUsage) << bad;
    EXPECT_NE(err_.str().find("--shunt takes the shunt's ohms"), std::string::npos);
  }
  EXPECT_EQ(Run({"--set", "shunt=-2", "-f", "csv", dat}), kExitUsage);
}

// -f s2p of an impedance page is the one-port of its Z (NAME.s1p, Z in
// ohms), which reads back as the same impedance; ratio pages keep their
// two-port, and the names are claimed as written, on any number of threads.
TEST_F(ExportImpedance, S2pOfAnImpedanceIsAOnePortOfZThatReadsBack) {
  const std::string dat = root_ + "/A.DAT";
  WriteBytes(dat, EncodeCalculatedDataFile(testing::TestHeader({.dataType = 1, .pointCount = 2}),
                                           {{10.0, 2.0f, -30.0f}, {100.0, 0.1f, -90.0f}}));
  ASSERT_EQ(Run({"-j", "2", "-o", root_ + "/out", "-f", "s2p,zcsv", mpt_, dat}), kExitFailure)
      << err_.str();  // A.DAT has no impedance for zcsv
  const std::string s1p = Out("cell.s1p");
  EXPECT_EQ(s1p.substr(0, s1p.find("\n# ")), "! Impedance of cell.mpt in ohms");
  EXPECT_NE(s1p.find("\n# Hz Z RI R 1\n"), std::string::npos);
  // Every point as zcsv has it: the same shortest digits, ascending.
  std::string rows = s1p.substr(s1p.find("R 1\n") + 4);
  std::replace(rows.begin(), rows.end(), ' ', ',');
  EXPECT_EQ("frequency,re,im\n" + rows, Out("cell.z.csv"));
  EXPECT_FALSE(std::filesystem::exists(root_ + "/out/cell.s2p"));
  EXPECT_FALSE(std::filesystem::exists(root_ + "/out/A.s1p"));
  EXPECT_EQ(Out("A.s2p").find("# Hz S MA R 50\n"), Out("A.s2p").find('#'));

  // Read back: the same impedance, figures and Kramers-Kronig test.
  ASSERT_EQ(Run({"-o", root_ + "/back", "-f", "zcsv,figures,kk", root_ + "/out/cell.s1p"}), kExitOk)
      << err_.str();
  ASSERT_EQ(Run({"-o", root_ + "/first", "-f", "figures,kk", mpt_}), kExitOk);
  EXPECT_EQ(ReadBytes(root_ + "/back/cell.z.csv"), Out("cell.z.csv"));
  for (const char* name : {"cell.figures.json", "cell.kk.json"}) {
    EXPECT_EQ(ReadBytes(root_ + "/back/" + name), ReadBytes(root_ + "/first/" + name)) << name;
  }

  // A ratio through a shunt is an impedance page too: R·H in double.
  ASSERT_EQ(Run({"-o", root_ + "/shunt", "--shunt", "0.5", "-f", "s2p,zcsv", dat}), kExitOk);
  EXPECT_FALSE(std::filesystem::exists(root_ + "/shunt/A.s2p"));
  ASSERT_EQ(Run({"-o", root_ + "/shunt/back", "-f", "zcsv", root_ + "/shunt/A.s1p"}), kExitOk)
      << err_.str();
  EXPECT_EQ(ReadBytes(root_ + "/shunt/back/A.z.csv"), ReadBytes(root_ + "/shunt/A.z.csv"));

  // An impedance and a ratio of one name: each claims its own file.
  const std::string cellDat = root_ + "/cell.DAT";
  WriteBytes(cellDat, ReadBytes(dat));
  ASSERT_EQ(Run({"-j", "2", "-o", root_ + "/both", "-f", "s2p", mpt_, cellDat}), kExitOk)
      << err_.str();
  EXPECT_EQ(err_.str(), "");
  EXPECT_EQ(ReadBytes(root_ + "/both/cell.s1p"), s1p);
  EXPECT_EQ(ReadBytes(root_ + "/both/cell.s2p"),
            Out("A.s2p").replace(Out("A.s2p").find("A.DAT"), 5, "cell.DAT"));
  // Two impedances of one name: the second is refused its .s1p.
  const std::string dta = root_ + "/cell.dta";
  WriteBytes(dta, ImpedanceSampleText(ImpedanceLayout::kGamry, BatterySpectrum()));
  EXPECT_EQ(Run({"-j", "2", "-o", root_ + "/twice", "-f", "s2p", mpt_, dta}), kExitFailure);
  EXPECT_NE(err_.str().find("cell.s1p: not written for " + dta), std::string::npos) << err_.str();
}

}  // namespace
}  // namespace fernplot
